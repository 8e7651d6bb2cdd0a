#pragma once
// Byte streams: a file opened for reading and a growable memory buffer. Package entries are
// copied into memory streams; the tagged value reader and the model reader read from either.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

class TStream {
public:
  virtual ~TStream() = default;
  // Reads up to Count bytes; returns how many were read.
  virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
  virtual void Write(const void* Buffer, std::size_t Count) = 0;
  virtual void Seek(std::int64_t Position) = 0;  // throws ERangeError outside 0..Size
  virtual std::int64_t Position() const = 0;
  virtual std::int64_t Size() const = 0;
  // Reads exactly Count bytes or throws EReadError.
  void ReadExact(void* Buffer, std::size_t Count);
  // Copies Count bytes from this stream's position to Dest's position.
  void CopyTo(TStream& Dest, std::int64_t Count);
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> Bytes) : Data(std::move(Bytes)) {}
  explicit TMemoryStream(const std::string& Bytes) : Data(Bytes.begin(), Bytes.end()) {}

  std::size_t Read(void* Buffer, std::size_t Count) override;
  void Write(const void* Buffer, std::size_t Count) override;
  void Seek(std::int64_t NewPosition) override;
  std::int64_t Position() const override { return static_cast<std::int64_t>(Pos); }
  std::int64_t Size() const override { return static_cast<std::int64_t>(Data.size()); }
  void Clear() {
    Data.clear();
    Pos = 0;
  }
  const std::vector<std::uint8_t>& Bytes() const { return Data; }
  std::vector<std::uint8_t>& Bytes() { return Data; }

private:
  std::vector<std::uint8_t> Data;
  std::size_t Pos = 0;
};

// A file opened read-only.
class TFileStream : public TStream {
public:
  // Throws EReadError naming the file when it cannot be opened.
  explicit TFileStream(const std::filesystem::path& Path);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* Buffer, std::size_t Count) override;
  void Write(const void* Buffer, std::size_t Count) override;  // read-only: throws
  void Seek(std::int64_t NewPosition) override;
  std::int64_t Position() const override;
  std::int64_t Size() const override { return FileSize; }
  const std::string& FileName() const { return Name; }

private:
  std::FILE* File = nullptr;
  std::int64_t FileSize = 0;
  std::string Name;
};
