// Saving and loading a whole game (the game's own elements and the world's parts) after 100
// rounds of four computer nations on the game's data set, through the files as the player's
// save and load do.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "ai_soak.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "world/earth.h"
#include "world/statistics.h"

namespace {
namespace fs = std::filesystem;

struct TBenchGame {
  std::unique_ptr<TSoakGame> Soak;
  std::unique_ptr<TTarnovaForm> Form;
  std::unique_ptr<TGame> Game;
  fs::path Folder = fs::temp_directory_path() / "tarnova-game-save-bench";

  TBenchGame() {
    TSoakOptions O;
    O.DataRoot = TARNOVA_BINARY_DIR;
    O.Rounds = 0;
    O.ShareOutRegions = true;
    O.IdleNation = 0;
    O.LogAI = false;
    Soak = std::make_unique<TSoakGame>(O);
    gStatisticServer = std::make_unique<TStatisticServer>();
    for (int i = 0; i < 100; ++i) {
      Soak->PlayRound();
      gStatisticServer->Update();
    }
    gInGameGUI = std::make_unique<TGLGUI>();
    Form = std::make_unique<TTarnovaForm>(std::vector<std::string>{"tarnova", "-windowed"});
    Game = std::make_unique<TGame>(*Form, nullptr);
    Game->Earth = std::make_unique<TEarth>();
    for (auto& Pair : Game->QuickChart)
      for (auto& Ranking : Pair) Ranking = {0, 1, 2, 3, 4};
    fs::create_directories(Folder);
  }
  ~TBenchGame() {
    Game.reset();
    Form.reset();
    gStatisticServer.reset();
    Soak.reset();
    fs::remove_all(Folder);
  }
  std::string File() const { return (Folder / "savegame2.xml").string(); }
};

void BM_SaveGame(benchmark::State& State) {
  TBenchGame B;
  for (auto _ : State)
    if (!B.Game->SaveToXML(B.File(), "Bench")) State.SkipWithError("the save failed");
  State.counters["bytes"] = static_cast<double>(fs::file_size(B.File()));
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);

void BM_LoadGame(benchmark::State& State) {
  TBenchGame B;
  B.Game->SaveToXML(B.File(), "Bench");
  for (auto _ : State)
    if (!B.Game->LoadFromXML(B.File())) State.SkipWithError("the load failed");
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond);
}  // namespace
