// Reads arbitrary bytes as the desktop's folder list "user-dirs.dirs" as the game does for its
// documents folder: a folder it names lies under the home folder or is an absolute path, and a
// text without an XDG_DOCUMENTS_DIR line names none.
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "fuzz_support.h"
#include "platform/user_folders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  const std::filesystem::path Home = "/home/fuzz";
  const std::filesystem::path Folder = DocumentsFolderFromUserDirs(Text, Home);
  Check(Folder.empty() || Folder.is_absolute());
  if (Text.find("XDG_DOCUMENTS_DIR=") == std::string_view::npos) Check(Folder.empty());
  return 0;
}
