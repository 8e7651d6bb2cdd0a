#include "tagged_writer.h"

#include <cstring>

void TTaggedWriter::Put(std::uint64_t Value, int Count) {
  for (int i = 0; i < Count; ++i) Out += static_cast<char>((Value >> (8 * i)) & 0xFF);
}

void TTaggedWriter::WriteTag(std::uint8_t Tag) { Out += static_cast<char>(Tag); }

void TTaggedWriter::WriteInteger(std::int32_t V) {
  if (V >= -128 && V <= 127) {
    WriteTag(2);
    Put(static_cast<std::uint8_t>(V), 1);
  } else if (V >= -32768 && V <= 32767) {
    WriteTag(3);
    Put(static_cast<std::uint16_t>(V), 2);
  } else {
    WriteTag(4);
    Put(static_cast<std::uint32_t>(V), 4);
  }
}

void TTaggedWriter::WriteInt64(std::int64_t V) {
  WriteTag(19);
  Put(static_cast<std::uint64_t>(V), 8);
}

void TTaggedWriter::WriteSingle(float V) {
  std::uint32_t Bits;
  std::memcpy(&Bits, &V, 4);
  WriteTag(15);
  Put(Bits, 4);
}

void TTaggedWriter::WriteString(std::string_view V) {
  if (V.size() <= 255) {
    WriteTag(6);
    Put(V.size(), 1);
  } else {
    WriteTag(12);
    Put(V.size(), 4);
  }
  Out.append(V.data(), V.size());
}

void TTaggedWriter::WriteRaw(const void* Data, std::size_t Count) {
  Out.append(static_cast<const char*>(Data), Count);
}
