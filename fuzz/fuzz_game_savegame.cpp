// Reads arbitrary bytes as a whole savegame (the game's own elements, the window states, the
// computer opponents and the world's parts) into a running game on the test fixtures' small
// world: a refused savegame must leave the game exactly as it was; an accepted one must leave
// every index in range. Every input meets a fresh world.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "ai/ai_basic_personality.h"
#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "support/fixture_world_types.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

namespace {
TTarnovaForm& Form() {
  static TTarnovaForm F{{"tarnova", "-windowed"}};
  return F;
}

std::unique_ptr<TGame> BuildGame() {
  if (!gUnitTypePool) {
    LoadFixtureWorldTypes();
    gLog.reset();  // no log: it would hold every line of the whole run
  }
  gAIControllers.clear();
  for (auto& Nation : gNations) Nation.reset();
  gPlayerNation = 0;
  gCurrentTurn = 0;
  gSelectedRegion = -1;
  auto Game = std::make_unique<TGame>(Form(), nullptr);
  Game->Earth = std::make_unique<TEarth>();
  Game->Earth->Init("data\\XML\\regions.xml");
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i] = std::make_unique<TNation>();
    gNations[i]->ID = static_cast<std::uint8_t>(i);
    gNations[i]->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
    auto C = std::make_unique<TAIController>();
    C->Nation = gNations[i].get();
    C->Personality = std::make_unique<TAIBasicPersonality>("basicAI", 0, *C);
    C->SetPersonality(TAIController::KindBalanced);
    gAIControllers.push_back(std::move(C));
  }
  for (auto& Pair : Game->QuickChart)
    for (auto& Ranking : Pair) Ranking.assign(5, 0);
  gStatisticServer = std::make_unique<TStatisticServer>();
  gTransferMarket = std::make_unique<TTransferMarket>();
  if (!gInGameGUI) gInGameGUI = std::make_unique<TGLGUI>();
  return Game;
}

std::string Saved(TGame& Game) {
  TXMLDocument D;
  Game.WriteSaveDocument(D, "fuzz", "", "");
  return D.SaveToString();
}
}  // namespace

// TARNOVA_FUZZ_SEED=<file> writes the savegame of the fresh game there, a seed for the corpus.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* Seed = std::getenv("TARNOVA_FUZZ_SEED")) {
    std::unique_ptr<TGame> Game = BuildGame();
    std::ofstream(Seed, std::ios::binary) << Saved(*Game);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TXMLDocument D;
  try {
    D.LoadFromMemory(Data, Size, "savegame.xml");
  } catch (const ETarnovaError&) {
    return 0;
  }
  std::unique_ptr<TGame> Game = BuildGame();
  const std::string Before = Saved(*Game);
  if (!Game->LoadFromDocument(D)) {
    if (Saved(*Game) != Before) __builtin_trap();  // a refused savegame changed the game
    return 0;
  }
  const auto Regions = static_cast<std::int32_t>(gRegions.size());
  if (gPlayerNation >= NationCount || gSelectedRegion < -1 || gSelectedRegion >= Regions) __builtin_trap();
  if (Game->CurrentPlayer < 0 || Game->CurrentPlayer >= static_cast<std::int8_t>(NationCount)) __builtin_trap();
  for (const auto& Pair : Game->QuickChart)
    for (const auto& Ranking : Pair)
      for (std::int32_t N : Ranking)
        if (N < 0 || N >= static_cast<std::int32_t>(NationCount)) __builtin_trap();
  for (const auto& C : gAIControllers)
    if (C->Difficulty > 2 || C->Kind < 1 || C->Kind > 3) __builtin_trap();
  return 0;
}
