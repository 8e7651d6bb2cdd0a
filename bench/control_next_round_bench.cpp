// "Next round" in a single-player game against four computer nations on the game's data set,
// after 100 rounds of play: the whole round as the button runs it (without a window, so without
// the ownership texture; bench_presentation's BM_NextRoundWithView runs it with the view and its
// texture upload), and its parts: the world round with the computer turns, and the
// statistics.
#include <benchmark/benchmark.h>

#include <memory>

#include "ai_soak.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "control/world_round.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/random.h"
#include "world/earth.h"
#include "world/statistics.h"
#include "world/world_globals.h"

namespace {

// A running game after Rounds rounds; one at a time.
class TBenchGame {
public:
  explicit TBenchGame(std::int32_t Rounds) {
    TSoakOptions O;
    O.DataRoot = TARNOVA_BINARY_DIR;
    O.Seed = 1;
    O.LogAI = false;
    World = std::make_unique<TSoakGame>(O);
    gStatisticServer = std::make_unique<TStatisticServer>();
    gInGameGUI = std::make_unique<TGLGUI>();
    gInGameGUI->AddWindowFromXML("data\\xml\\lang_eng\\window_infocenter.xml");
    gInGameGUI->AddWindowFromXML("data\\xml\\lang_eng\\extended_message_dialog.xml");
    gNationSelectGUI = std::make_unique<TGLGUI>();
    gMainMenuGUI = std::make_unique<TGLGUI>();
    Game = std::make_unique<TGame>(Form, nullptr);
    Game->Earth = std::make_unique<TEarth>();
    Game->SelectedNation = 0;
    Game->StartNewGame(0);
    // Seeded again after the new game (which may seed from the clock itself): every run plays the
    // same rounds.
    SetRandomSeed(O.Seed);
    for (std::int32_t i = 0; i < Rounds; ++i) Game->NextRound();
  }
  ~TBenchGame() {
    Game.reset();
    World.reset();
    gStatisticServer.reset();
  }
  TBenchGame(const TBenchGame&) = delete;
  TBenchGame& operator=(const TBenchGame&) = delete;

  TTarnovaForm Form{{"tarnova"}};
  std::unique_ptr<TSoakGame> World;
  std::unique_ptr<TGame> Game;
};

void BM_NextRound(benchmark::State& State) {
  TBenchGame B(100);
  for (auto _ : State) {
    // The first error ends the run: later rounds would time a game that is over.
    if (B.Game->State != gsEarthView || !B.Game->GameRunning) {
      State.SkipWithError("the game ended");
      break;
    }
    B.Game->NextRound();
  }
}
BENCHMARK(BM_NextRound)->Iterations(50)->Unit(benchmark::kMillisecond);

void BM_WorldRoundWithComputerTurns(benchmark::State& State) {
  TBenchGame B(100);
  for (auto _ : State) benchmark::DoNotOptimize(RunWorldRound());
}
BENCHMARK(BM_WorldRoundWithComputerTurns)->Iterations(50)->Unit(benchmark::kMillisecond);

void BM_Statistics(benchmark::State& State) {
  TBenchGame B(100);
  for (auto _ : State) gStatisticServer->Update();
}
BENCHMARK(BM_Statistics)->Iterations(50)->Unit(benchmark::kMicrosecond);

}  // namespace
