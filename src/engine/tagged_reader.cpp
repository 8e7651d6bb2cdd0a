#include "engine/tagged_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/errors.h"
#include "platform/latin1.h"

TTaggedReader::TTaggedReader(TStream& Source) : Stream(Source) {}

TTaggedReader::~TTaggedReader() {
  // Give back what was read ahead, so the stream stands after the last consumed value.
  if (BufLen > BufPos) {
    try {
      Stream.Seek(Stream.Position() - static_cast<std::int64_t>(BufLen - BufPos));
    } catch (...) {
    }
  }
}

void TTaggedReader::Fill() {
  BufLen = Stream.Read(Buf, sizeof Buf);
  BufPos = 0;
}

std::int64_t TTaggedReader::BytesLeft() const {
  return static_cast<std::int64_t>(BufLen - BufPos) + (Stream.Size() - Stream.Position());
}

std::int64_t TTaggedReader::Offset() const { return Stream.Position() - static_cast<std::int64_t>(BufLen - BufPos); }

void TTaggedReader::PastTheEnd(const char* What) {
  throw EReadError(std::string("TReader->") + What + "->Stream read error: the value at byte " +
                   std::to_string(ValueStart) + " runs past the end of the stream");
}

void TTaggedReader::Read(void* Buffer, std::size_t Count) {
  ValueStart = Offset();
  ReadBlock(Buffer, Count);
}

void TTaggedReader::ReadBlock(void* Buffer, std::size_t Count) {
  auto* Out = static_cast<std::uint8_t*>(Buffer);
  if (static_cast<std::int64_t>(Count) > BytesLeft()) PastTheEnd("Read");
  while (Count > 0) {
    if (BufPos == BufLen) {
      // Large blocks go straight from the stream.
      if (Count >= sizeof Buf) {
        Stream.ReadExact(Out, Count);
        return;
      }
      Fill();
      if (BufLen == 0) PastTheEnd("Read");
    }
    std::size_t N = std::min(Count, BufLen - BufPos);
    std::memcpy(Out, Buf + BufPos, N);
    BufPos += N;
    Out += N;
    Count -= N;
  }
}

std::uint8_t TTaggedReader::ReadByte() {
  std::uint8_t B;
  ReadBlock(&B, 1);
  return B;
}

std::uint8_t TTaggedReader::PeekTag() {
  if (BufPos == BufLen) Fill();
  if (BufLen == 0) PastTheEnd("Read");
  return Buf[BufPos];
}

std::uint32_t TTaggedReader::ReadU32() {
  std::uint8_t B[4];
  ReadBlock(B, 4);
  return static_cast<std::uint32_t>(B[0]) | (static_cast<std::uint32_t>(B[1]) << 8) |
         (static_cast<std::uint32_t>(B[2]) << 16) | (static_cast<std::uint32_t>(B[3]) << 24);
}

void TTaggedReader::BadTag(std::uint8_t Tag, const char* What) {
  throw EReadError(std::string("TReader->") + What + "->Invalid property value (tag " + std::to_string(Tag) +
                   ") at byte " + std::to_string(ValueStart));
}

std::int64_t TTaggedReader::ReadIntegerPayload(std::uint8_t Tag) {
  switch (Tag) {
    case vtInt8: return static_cast<std::int8_t>(ReadByte());
    case vtInt16: {
      std::uint8_t B[2];
      ReadBlock(B, 2);
      return static_cast<std::int16_t>(static_cast<std::uint16_t>(B[0] | (B[1] << 8)));
    }
    case vtInt32: return static_cast<std::int32_t>(ReadU32());
    case vtInt64: {
      std::uint64_t Lo = ReadU32(), Hi = ReadU32();
      return static_cast<std::int64_t>(Lo | (Hi << 32));
    }
    default: return 0;
  }
}

std::int32_t TTaggedReader::ReadInteger() {
  ValueStart = Offset();
  std::uint8_t Tag = ReadByte();
  if (Tag != vtInt8 && Tag != vtInt16 && Tag != vtInt32) BadTag(Tag, "ReadInteger");
  return static_cast<std::int32_t>(ReadIntegerPayload(Tag));
}

std::int64_t TTaggedReader::ReadInt64() {
  ValueStart = Offset();
  std::uint8_t Tag = ReadByte();
  if (Tag != vtInt8 && Tag != vtInt16 && Tag != vtInt32 && Tag != vtInt64) BadTag(Tag, "ReadInt64");
  return ReadIntegerPayload(Tag);
}

float TTaggedReader::ReadSingle() {
  ValueStart = Offset();
  if (PeekTag() == vtSingle) {
    ReadByte();
    std::uint32_t Bits = ReadU32();
    float F;
    std::memcpy(&F, &Bits, 4);
    return F;
  }
  // Any other tag is left for ReadInt64, which converts an integer or refuses the tag.
  return static_cast<float>(ReadInt64());
}

std::string TTaggedReader::ReadString() {
  ValueStart = Offset();
  std::uint8_t Tag = ReadByte();
  auto Bytes = [&](std::int64_t Len) {
    if (Len > BytesLeft())
      throw EReadError("TReader->ReadString->String length past the end of the stream: the string at byte " +
                       std::to_string(ValueStart) + " claims " + std::to_string(Len) + " bytes, " +
                       std::to_string(BytesLeft()) + " left");
    std::string S(static_cast<std::size_t>(Len), '\0');
    ReadBlock(S.data(), S.size());
    return S;
  };
  switch (Tag) {
    case vtString: return Bytes(ReadByte());
    case vtLString: return Bytes(ReadU32());
    case vtUTF8String: return Utf8ToAnsi(Bytes(ReadU32()));
    case vtWString: {
      std::uint64_t Count = ReadU32();
      std::string Raw = Bytes(static_cast<std::int64_t>(Count * 2));
      std::vector<char16_t> Units(Count);
      for (std::size_t i = 0; i < Count; ++i)
        Units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(Raw[2 * i]) |
                                         (static_cast<std::uint8_t>(Raw[2 * i + 1]) << 8));
      return Utf16ToAnsi(Units.data(), Units.size());
    }
    default: BadTag(Tag, "ReadString");
  }
}
