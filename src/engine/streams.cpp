#include "engine/streams.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"

void TStream::ReadExact(void* Buffer, std::size_t Count) {
  if (Read(Buffer, Count) != Count) throw EReadError("TStream->Read->Stream read error");
}

void TStream::CopyTo(TStream& Dest, std::int64_t Count) {
  std::uint8_t Buf[65536];
  while (Count > 0) {
    std::size_t Chunk = static_cast<std::size_t>(std::min<std::int64_t>(Count, sizeof Buf));
    ReadExact(Buf, Chunk);
    Dest.Write(Buf, Chunk);
    Count -= static_cast<std::int64_t>(Chunk);
  }
}

std::size_t TMemoryStream::Read(void* Buffer, std::size_t Count) {
  std::size_t N = std::min(Count, Data.size() - std::min(Pos, Data.size()));
  if (N) std::memcpy(Buffer, Data.data() + Pos, N);
  Pos += N;
  return N;
}

void TMemoryStream::Write(const void* Buffer, std::size_t Count) {
  if (Pos + Count > Data.size()) Data.resize(Pos + Count);
  if (Count) std::memcpy(Data.data() + Pos, Buffer, Count);
  Pos += Count;
}

void TMemoryStream::Seek(std::int64_t NewPosition) {
  if (NewPosition < 0 || NewPosition > Size()) throw ERangeError("TMemoryStream->Seek->Position out of range");
  Pos = static_cast<std::size_t>(NewPosition);
}

TFileStream::TFileStream(const std::filesystem::path& Path) : Name(Path.string()) {
  File = std::fopen(Path.c_str(), "rb");
  if (!File) throw EReadError("TFileStream->Create->Cannot open file \"" + Name + "\"");
  std::fseek(File, 0, SEEK_END);
  FileSize = ftello(File);
  std::fseek(File, 0, SEEK_SET);
}

TFileStream::~TFileStream() {
  if (File) std::fclose(File);
}

std::size_t TFileStream::Read(void* Buffer, std::size_t Count) { return std::fread(Buffer, 1, Count, File); }

void TFileStream::Write(const void*, std::size_t) {
  throw EReadError("TFileStream->Write->File \"" + Name + "\" is read-only");
}

void TFileStream::Seek(std::int64_t NewPosition) {
  if (NewPosition < 0 || NewPosition > FileSize || fseeko(File, NewPosition, SEEK_SET) != 0)
    throw ERangeError("TFileStream->Seek->Position out of range in \"" + Name + "\"");
}

std::int64_t TFileStream::Position() const { return ftello(File); }
