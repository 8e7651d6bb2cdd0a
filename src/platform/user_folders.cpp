#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

// $HOME, else the account's home folder, else /tmp.
fs::path HomeFolder() {
  if (const char* Home = std::getenv("HOME"); Home && *Home) return fs::path(Home);
  if (const passwd* Entry = ::getpwuid(::getuid()); Entry && Entry->pw_dir && *Entry->pw_dir) return fs::path(Entry->pw_dir);
  return fs::path("/tmp");
}

// The one reader of XDG_CONFIG_HOME: a relative path is no configuration home and is ignored.
fs::path ConfigHome() {
  if (const char* Xdg = std::getenv("XDG_CONFIG_HOME"); Xdg && *Xdg == '/') return fs::path(Xdg);
  return HomeFolder() / ".config";
}

}  // namespace

bool FolderWritable(const fs::path& Folder) {
  std::error_code Ec;
  return fs::is_directory(Folder, Ec) && ::access(Folder.c_str(), W_OK) == 0;
}

fs::path UserConfigFolder() { return ConfigHome() / "tarnova"; }

fs::path UserFallbackFolder() {
  const fs::path Folder = UserConfigFolder();
  std::error_code Ec;
  fs::create_directories(Folder, Ec);
  return fs::is_directory(Folder, Ec) ? Folder : fs::path();
}

fs::path UserFileFolder() {
  if (FolderWritable(ProgramFolder())) return ProgramFolder();
  const fs::path Folder = UserConfigFolder();
  std::error_code Ec;
  fs::create_directories(Folder, Ec);
  return Folder;
}

namespace {

// A folder value of the XDG variables: "$HOME" at its start stands for Home.
fs::path ExpandHome(std::string_view V, const fs::path& Home) {
  if (V.rfind("$HOME", 0) == 0) return Home / fs::path(V.substr(V.size() > 5 && V[5] == '/' ? 6 : 5));
  return fs::path(V);
}

}  // namespace

fs::path DocumentsFolderFromUserDirs(std::string_view Text, const fs::path& Home) {
  constexpr std::string_view Key = "XDG_DOCUMENTS_DIR=";
  while (!Text.empty()) {
    const std::size_t End = Text.find('\n');
    std::string_view Line = Text.substr(0, End);
    Text = End == std::string_view::npos ? std::string_view() : Text.substr(End + 1);
    if (Line.rfind(Key, 0) != 0) continue;
    std::string_view V = Line.substr(Key.size());
    if (V.size() >= 2 && V.front() == '"' && V.back() == '"') V = V.substr(1, V.size() - 2);
    // Only "$HOME/..." or an absolute path names a folder: a relative one would send the
    // savegames into whatever folder the game was started from.
    if (V.rfind("$HOME", 0) == 0 || V.rfind('/', 0) == 0) return ExpandHome(V, Home);
  }
  return {};
}

fs::path DocumentsFolder() {
  const fs::path Home = HomeFolder();
  if (const char* Env = std::getenv("XDG_DOCUMENTS_DIR"); Env && *Env) return ExpandHome(Env, Home);
  std::ifstream In(ConfigHome() / "user-dirs.dirs", std::ios::binary);
  const std::string Text{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
  if (fs::path Folder = DocumentsFolderFromUserDirs(Text, Home); !Folder.empty()) return Folder;
  return Home / "Documents";
}

std::string SystemLanguageName() {
  const char* Locale = nullptr;
  for (const char* Var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* V = std::getenv(Var);
    if (V && *V) {
      Locale = V;
      break;
    }
  }
  if (!Locale) return "unknown";
  const std::string_view L(Locale);
  if (L == "C" || L == "POSIX" || L.rfind("C.", 0) == 0) return "English";
  struct TName {
    std::string_view Code, Name;
  };
  static constexpr TName Languages[] = {{"de", "German"},  {"en", "English"},    {"fr", "French"},
                                        {"es", "Spanish"}, {"it", "Italian"},    {"nl", "Dutch"},
                                        {"pl", "Polish"},  {"pt", "Portuguese"}, {"sv", "Swedish"}};
  const std::string_view Code = L.substr(0, L.find_first_of("_.@"));
  for (const TName& N : Languages)
    if (N.Code == Code) return std::string(N.Name) + " (" + std::string(L.substr(0, L.find_first_of(".@"))) + ")";
  return std::string(L);
}
