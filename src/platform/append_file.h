#pragma once
// A text file written line by line at its end, for logs: each Append reaches the operating
// system at once (so it survives the program dying), Sync puts it on the disk (so it survives
// the machine dying), which is dearer and left to the moments that matter.
#include <filesystem>
#include <string>
#include <string_view>

class TAppendFile {
public:
  TAppendFile() = default;
  ~TAppendFile();
  TAppendFile(const TAppendFile&) = delete;
  TAppendFile& operator=(const TAppendFile&) = delete;

  // Opens Path for appending (made when missing); closes any file open before. False with
  // Error set when it cannot be opened.
  bool Open(const std::filesystem::path& Path, std::string* Error = nullptr);
  bool IsOpen() const { return Fd >= 0; }
  // Writes all of Text at the end of the file. False with Error set on a failed or short write.
  bool Append(std::string_view Text, std::string* Error = nullptr);
  // Flushes the file to the disk.
  bool Sync(std::string* Error = nullptr);
  void Close();

private:
  int Fd = -1;
  std::string Name;
};
