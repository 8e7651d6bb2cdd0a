#pragma once
// The tagged value stream: every value is a one-byte tag followed by its little-endian payload
// (2/3/4 = 8/16/32-bit integer, 19 = 64-bit integer, 15 = float, 6 = string with an 8-bit length,
// 12 = string with a 32-bit length, 18 = UTF-16 string, 20 = UTF-8 string). Raw blocks carry no tag.
// The package directory and the model files are written this way.
#include <cstdint>
#include <string>

#include "engine/streams.h"

enum TValueTag : std::uint8_t {
  vtInt8 = 2, vtInt16 = 3, vtInt32 = 4, vtString = 6, vtLString = 12, vtSingle = 15,
  vtWString = 18, vtInt64 = 19, vtUTF8String = 20,
};

// Reads through a 256-byte read-ahead buffer; when the reader is destroyed the stream stands
// just after the last value consumed. An unknown tag or a read past the end throws EReadError
// naming the byte offset in the stream where the value at fault starts; a string length is
// checked against the bytes left before anything is allocated.
class TTaggedReader {
public:
  explicit TTaggedReader(TStream& Source);
  ~TTaggedReader();
  TTaggedReader(const TTaggedReader&) = delete;
  TTaggedReader& operator=(const TTaggedReader&) = delete;

  std::int32_t ReadInteger();
  std::int64_t ReadInt64();
  float ReadSingle();
  std::string ReadString();
  void Read(void* Buffer, std::size_t Count);  // a raw block
  std::int64_t BytesLeft() const;

private:
  std::int64_t Offset() const;  // of the next byte to consume
  void ReadBlock(void* Buffer, std::size_t Count);
  [[noreturn]] void PastTheEnd(const char* What);
  std::uint8_t ReadByte();
  std::uint8_t PeekTag();
  std::int64_t ReadIntegerPayload(std::uint8_t Tag);
  std::uint32_t ReadU32();
  void Fill();
  [[noreturn]] void BadTag(std::uint8_t Tag, const char* What);

  TStream& Stream;
  std::uint8_t Buf[256];
  std::size_t BufPos = 0, BufLen = 0;
  std::int64_t ValueStart = 0;  // where the value being read starts, for messages
};
