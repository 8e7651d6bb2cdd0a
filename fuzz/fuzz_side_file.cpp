// Reads arbitrary bytes as a savegame's ".name" side file, as the load window lists it: it is
// listed under at most one game mode with the savegame's file name, or logged and skipped.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "control/game_save.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "presentation/windows/load_save_windows.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const TFuzzFolder Temp("names-");
  gLog.reset();  // no log: it would hold every line of the whole run
  const fs::path File = Temp.Path / "savegame2.name";
  {
    std::ofstream Out(File, std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  const std::optional<TSideFile> Side = ReadSideFile(File);
  if (Side)
    for (const std::string* Line : {&Side->SaveName, &Side->Mode, &Side->Date, &Side->Time})
      Check(Line->find_first_of("\r\n") == std::string::npos);
  std::size_t Listed = 0;
  for (const char* Mode : {"singleplayer", "hotseat"}) {
    const std::vector<TListItem> Rows = ListSaveGames(Temp.Path, Mode);
    Check(Rows.size() <= 1);
    for (const TListItem& Row : Rows) {
      Check(Side && Side->Mode == Mode && Row.Caption == Side->SaveName && Row.ID == "savegame2.xml");
      ++Listed;
    }
  }
  Check(Listed <= 1);
  return 0;
}
