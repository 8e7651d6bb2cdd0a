#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#include <filesystem>
#include <string>
#include <string_view>

class TTempFolder {
public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return Folder; }
  // Writes a file (folders made as needed); Name uses "/" and is relative to the folder.
  std::filesystem::path Write(const std::string& Name, std::string_view Bytes) const;

private:
  std::filesystem::path Folder;
};

// The bytes of a file; fails the test when it cannot be read.
std::string ReadTestFile(const std::filesystem::path& Path);
