// Saving and loading a whole game (the game's own elements and the world's parts) after 100
// rounds of four computer nations on the game's data set, through the files as the player's
// save and load do. The save is also shown in its halves: building the document, and putting its
// bytes on the disk with the sync.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "ai_soak.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/files.h"
#include "platform/xml_document.h"
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
    if (!B.Game->SaveToXML(B.File(), "Bench")) {
      State.SkipWithError("the save failed");
      break;
    }
  if (fs::exists(B.File())) State.counters["bytes"] = static_cast<double>(fs::file_size(B.File()));
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);

// The save's two halves: the document built and written out as text in memory, and the same
// bytes put on the disk as the save does (temporary file, flushed and synced, renamed).
void BM_SaveGameDocument(benchmark::State& State) {
  TBenchGame B;
  std::size_t Bytes = 0;
  for (auto _ : State) {
    TXMLDocument Document;
    B.Game->WriteSaveDocument(Document, "Bench", "07.12.2026", "12:00:00");
    Bytes = Document.SaveToString().size();
  }
  State.counters["bytes"] = static_cast<double>(Bytes);
}
BENCHMARK(BM_SaveGameDocument)->Unit(benchmark::kMillisecond);

void BM_SaveGameDiskSync(benchmark::State& State) {
  TBenchGame B;
  TXMLDocument Document;
  B.Game->WriteSaveDocument(Document, "Bench", "07.12.2026", "12:00:00");
  const std::string Text = Document.SaveToString();
  for (auto _ : State)
    if (std::string Error; !SafeWriteFile(B.File(), Text, &Error)) {
      State.SkipWithError(Error.c_str());
      break;
    }
  State.counters["bytes"] = static_cast<double>(Text.size());
}
BENCHMARK(BM_SaveGameDiskSync)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadGame(benchmark::State& State) {
  TBenchGame B;
  B.Game->SaveToXML(B.File(), "Bench");
  for (auto _ : State)
    if (!B.Game->LoadFromXML(B.File())) State.SkipWithError("the load failed");
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond);
}  // namespace
