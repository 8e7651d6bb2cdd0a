#include "platform/user_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace fs = std::filesystem;

bool FolderWritable(const fs::path& Folder) {
  std::error_code Ec;
  return fs::is_directory(Folder, Ec) && ::access(Folder.c_str(), W_OK) == 0;
}

fs::path UserConfigFolder() {
  const char* Xdg = std::getenv("XDG_CONFIG_HOME");
  if (Xdg && *Xdg == '/') return fs::path(Xdg) / "tarnova";
  const char* Home = std::getenv("HOME");
  return fs::path(Home && *Home ? Home : ".") / ".config" / "tarnova";
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
