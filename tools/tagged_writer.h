#pragma once
// Writes the tagged value stream that the game's readers take: integers with the smallest tag
// that holds them, strings with an 8-bit length up to 255 bytes and a 32-bit length beyond.
#include <cstdint>
#include <string>
#include <string_view>

class TTaggedWriter {
public:
  void WriteInteger(std::int32_t Value);
  void WriteInt64(std::int64_t Value);      // always tag 19, so its size is known in advance
  void WriteSingle(float Value);
  void WriteString(std::string_view Value);  // 8-bit bytes as they are (tags 6 and 12)
  void WriteRaw(const void* Data, std::size_t Count);
  void WriteTag(std::uint8_t Tag);

  const std::string& Bytes() const { return Out; }
  std::string& Bytes() { return Out; }

private:
  void Put(std::uint64_t Value, int Count);
  std::string Out;
};
