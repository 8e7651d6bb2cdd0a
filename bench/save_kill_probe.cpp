// The program behind bench/save_kill.sh: "save <folder> <count>" saves a game (100 computer
// rounds on the game's data set) count times into folder, overwriting the autosave and
// savegame2 in turn with a new number now and then, while the script kills it at random moments; "check <folder>"
// loads every savegame the load window would list and prints "listed <n> broken <m>".
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ai_soak.h"
#include "control/game.h"
#include "control/game_save.h"
#include "control/tarnova_form.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/files.h"
#include "world/earth.h"
#include "world/statistics.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: save_kill_probe save <folder> <count> | check <folder>\n");
    return 2;
  }
  const std::string Mode = argv[1];
  const fs::path Folder = argv[2];
  fs::create_directories(Folder);
  TSoakOptions O;
  O.DataRoot = TARNOVA_BINARY_DIR;
  O.Rounds = 0;
  O.ShareOutRegions = true;
  O.LogAI = false;
  TSoakGame Soak(O);
  gStatisticServer = std::make_unique<TStatisticServer>();
  gInGameGUI = std::make_unique<TGLGUI>();
  TTarnovaForm Form({"tarnova", "-windowed"});
  auto Game = std::make_unique<TGame>(Form, nullptr);
  Game->Earth = std::make_unique<TEarth>();
  for (auto& Pair : Game->QuickChart)
    for (auto& Ranking : Pair) Ranking = {0, 1, 2, 3, 4};
  int Result = 0;
  if (Mode == "save") {
    for (int i = 0; i < 100; ++i) {
      Soak.PlayRound();
      gStatisticServer->Update();
    }
    const int Count = argc > 3 ? std::stoi(argv[3]) : 1000;
    for (int i = 0; i < Count; ++i) {
      // Mostly overwrites (the autosave and a player's save), now and then a new number.
      const fs::path File = i % 50 == 0 ? NextFreeSaveGame(Folder)
                            : i % 2     ? Folder / "savegame2.xml"
                                        : Folder / "autosave.xml";
      Game->SaveToXML(File.string(), "Save " + std::to_string(i));
    }
  } else {
    int Listed = 0, Broken = 0;
    for (const std::string& Name : ListFolder(Folder, ".name")) {
      const std::optional<TSideFile> Side = ReadSideFile(Folder / Name);
      if (!Side) continue;  // the load window skips it too
      ++Listed;
      if (!Game->LoadFromXML((Folder / fs::path(Name).replace_extension(".xml")).string())) ++Broken;
    }
    std::printf("listed %d broken %d\n", Listed, Broken);
    Result = Broken ? 1 : 0;
  }
  Game.reset();
  gStatisticServer.reset();
  return Result;
}
