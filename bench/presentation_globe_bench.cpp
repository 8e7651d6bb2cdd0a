// The game's frames as a player sees them, at 1024 x 768 under the GL of the machine (run under
// Xvfb for llvmpipe): the game object starts on the real data set (TGame::Create: textures,
// models, shaders, layouts), then draws the earth view (a new game; with windows open; with the
// reflection redrawn every frame; after 100 rounds), the main menu, the nation selection, the
// intro, the battlefield and the end screen, each with and without shaders, beside the floor of a
// frame that only clears and swaps. Every case runs in a process of its own, so no case inherits
// another's textures, caches or heap. The rebuild of the region-ownership map and "next round"
// run there too, with the texture upload they cause: "next round" from the click to the next
// frame after 100 rounds against four computer nations, with the autosave of every round, and
// each of its parts alone in the same game (world round, computer turns, autosave, ownership
// texture, statistics, the frame).
//
// TARNOVA_BENCH_PASSES=1 switches the game's pass timer on and adds each pass's mean CPU time (ms,
// every thread of the process; run with LP_NUM_THREADS=0 to have llvmpipe draw in the game's
// thread) as a counter. The headless region-map paint stays in this process.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "control/world_round.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "engine/localization.h"
#include "engine/perf_timer.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/virtual_keys.h"
#include "presentation/earth_game_view.h"
#include "presentation/pass_timer.h"
#include "presentation/presentation_globals.h"
#include "presentation/region_map.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/statistics.h"
#include "world/world_globals.h"

namespace {
using TClock = std::chrono::steady_clock;
// The seed of every game the cases play (TARNOVA_BENCH_SEED overrides it).
std::uint32_t BenchSeed() {
  const char* Seed = std::getenv("TARNOVA_BENCH_SEED");
  return Seed && *Seed ? static_cast<std::uint32_t>(std::strtoul(Seed, nullptr, 10)) : 1u;
}
const std::uint32_t kBenchSeed = BenchSeed();

// ------------------------------------------------------------------ region map, headless

// The data set's regions and base map, every region owned by a nation.
void LoadWorld() {
  static bool Loaded = false;
  if (Loaded) return;
  Loaded = true;
  gLocalization.LanguageCodes = {"ger", "eng"};
  gLocalization.LanguageIndex = 1;
  gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(TARNOVA_BINARY_DIR);
  TEarth Earth;
  Earth.LoadRegions("data\\XML\\regions.xml");
  LoadRegionBaseMap("data\\regions512.bmp");
  for (std::size_t n = 0; n < gNations.size(); ++n) {
    gNations[n] = std::make_unique<TNation>();
    gNations[n]->MapColor = {static_cast<std::uint8_t>(40 * n), 200, static_cast<std::uint8_t>(255 - 40 * n)};
  }
  for (std::size_t i = 0; i < gRegions.size(); ++i) gRegions[i]->Owner = static_cast<std::uint8_t>(i % 5);
}

void BM_RegionMapPaint(benchmark::State& State) {
  LoadWorld();
  std::vector<TRegionMapEntry> Regions;
  for (const auto& R : gRegions) Regions.push_back({R->X2D, R->Y2D, R->Owner});
  TNationMapColors Colors{};
  for (std::size_t n = 0; n < 5; ++n) Colors[n] = gNations[n]->MapColor;
  TRegionBitmap Map;
  for (auto _ : State) {
    PaintRegionMap(gRegionBaseMap, Regions, Colors, Map, nullptr);
    benchmark::DoNotOptimize(RegionMapUploadBuffer(Map));
  }
  State.counters["regions"] = static_cast<double>(Regions.size());
}
BENCHMARK(BM_RegionMapPaint)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------------ the game in a child process

enum TScene { scFloor, scEarthView, scMainMenu, scNationSelection, scIntro, scBattlefield, scEndScreen, scRegionMap,
              scNextRound, scRoundPart, scPick };
enum TEarthVariant { evNewGame, evWindowsOpen, evReflectionEveryFrame, evAfter100Rounds };
// The parts of "next round", in the order the round runs them (the variant of scRoundPart).
enum TRoundPart { rpWorld, rpComputerTurns, rpAutosave, rpOwnershipTexture, rpStatistics, rpFrame };

struct TCase {
  TScene Scene;
  bool Shaders;
  int Variant;
  std::string Key() const {
    return std::to_string(Scene) + "/" + std::to_string(Shaders) + "/" + std::to_string(Variant);
  }
};

// CPU time of the whole process (with LP_NUM_THREADS=0 llvmpipe draws in the calling thread, so
// this is the frame's whole cost, whatever else loads the machine).
double ProcessCPUSeconds() {
  timespec T{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) / 1.0e9;
}

bool PassesWanted() {
  const char* V = std::getenv("TARNOVA_BENCH_PASSES");
  return V && std::string(V) == "1";
}

// What a step needs done before the clock starts: the computer turns come after the regions' and
// nations' rounds (and the end of the turns before is settled first).
void BeforeStep(const TCase& C) {
  if (C.Scene != scRoundPart || C.Variant != rpComputerTurns) return;
  MarkDeadNations();
  RunRegionAndNationRounds();
}

// One step of the case, finished by the GL before the clock stops. False: the step failed.
bool Step(const TCase& C, TGame& G) {
  if (C.Scene == scFloor) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    G.Form->SwapBuffers();
  } else if (C.Scene == scRegionMap) {
    G.View->UpDateRegionMap(G, false);
  } else if (C.Scene == scNextRound) {
    G.NextRound();
    if (G.State != gsEarthView || !G.GameRunning) return false;
    G.Render();
  } else if (C.Scene == scRoundPart) {
    switch (C.Variant) {
      case rpWorld: RunRegionAndNationRounds(); break;
      case rpComputerTurns: RunComputerTurns(); break;
      case rpAutosave:
        if (!G.SaveToXML(gSaveGamePath + "autosave.xml", "Autosave")) return false;
        break;
      case rpOwnershipTexture: G.View->UpDateRegionMap(G, false); break;
      case rpStatistics:
        if (gStatisticServer) gStatisticServer->Update();
        break;
      default: G.Render(); break;
    }
  } else if (C.Scene == scPick) {
    // Variant mouse moves over the globe in a cursor mode, then what the frame does first: the
    // hover pick (the pick pass and its read-back of one pixel) for the last position.
    for (int i = 0; i < C.Variant; ++i) G.MouseMove(0, 500 + i % 7, 380 + i % 5);
    G.UpdateHoveredRegion();
  } else {
    G.Render();
  }
  glFinish();
  return true;
}

// Peak resident memory of this process in MiB (VmHWM).
double PeakMiB() {
  FILE* F = std::fopen("/proc/self/status", "r");
  if (!F) return 0.0;
  char Line[256];
  double KiB = 0.0;
  while (std::fgets(Line, sizeof Line, F))
    if (std::sscanf(Line, "VmHWM: %lf", &KiB) == 1) break;
  std::fclose(F);
  return KiB / 1024.0;
}

// The floor measured in the case's own process and window: clear and swap.
double FloorMs(TGame& G) {
  TCase Floor{scFloor, true, 0};
  for (int i = 0; i < 10; ++i) Step(Floor, G);
  const auto Start = TClock::now();
  constexpr int kFrames = 60;
  for (int i = 0; i < kFrames; ++i) Step(Floor, G);
  return std::chrono::duration<double, std::milli>(TClock::now() - Start).count() / kFrames;
}

std::string SetUpScene(const TCase& C, TGame& G) {
  switch (C.Scene) {
    case scFloor:
    case scMainMenu:
      return "";
    case scNationSelection:
      G.SwitchState(gsNationSelect);
      return "";
    case scIntro:
      G.SwitchState(gsIntro);
      return "";
    case scBattlefield:
      G.SwitchState(gsBattleField);
      return "";
    default:
      break;
  }
  // The one generator seeded around the new game (which may seed from the clock itself): every
  // run plays the same game, so the figures and the peak memory do not scatter from run to run.
  SetRandomSeed(kBenchSeed);
  G.SelectedNation = 0;
  G.StartNewGame(0);
  SetRandomSeed(kBenchSeed);
  if (G.State != gsEarthView) return "the new game did not reach the earth view";
  if (C.Scene == scEndScreen) {
    G.ShowVictory();
    return G.State == gsEndGame || G.PendingState == gsEndGame ? "" : "the victory did not show the end screen";
  }
  if (C.Scene == scEarthView) {
    if (C.Variant == evWindowsOpen) {
      G.NextRound();                       // the information centre opens with the news
      G.KeyDown(VK_F1 + 2, 0);             // F3: the science window
      G.KeyDown(VK_F1 + 4, 0);             // F5: the transfer market
    } else if (C.Variant == evReflectionEveryFrame) {
      gSettings.ReflectionUpdateRate = 1;
    }
  }
  if ((C.Scene == scEarthView && C.Variant == evAfter100Rounds) || C.Scene == scNextRound || C.Scene == scRoundPart)
    for (int i = 0; i < 100; ++i) {
      G.NextRound();
      if (G.State != gsEarthView || !G.GameRunning) return "the game ended at round " + std::to_string(i + 1);
    }
  if (C.Scene == scNextRound) {
    // The autosave of every round, as the options allow at their shortest interval.
    gSettings.AutosaveEnabled = true;
    gSettings.AutosaveInterval = 1;
    gSettings.AutosaveCountdown = 1;
  }
  if (C.Scene == scPick) G.CursorMode = 1;  // as while a division waits for its station
  if (C.Scene == scNextRound || C.Scene == scRoundPart || C.Scene == scEarthView || C.Scene == scPick)
    if (gInGameGUI) gInGameGUI->UpdateAllWindows();
  return "";
}

// The child: starts the game, sets the scene up, answers the parent's requests until told to end.
// Requests: "F" one timed step, answered with its wall-clock and process CPU nanoseconds (or
// "E text" on failure);
// "P" the summary (floor and pass means) as "name=value" pairs; "Q" end.
[[noreturn]] void RunChild(const TCase& C, FILE* In, FILE* Out) {
  char Home[] = "/tmp/tarnova-bench-home.XXXXXX";
  if (mkdtemp(Home)) setenv("HOME", Home, 1);
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_DOCUMENTS_DIR");
  unsetenv("XDG_DATA_HOME");
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("TARNOVA_HEADLESS", "1", 1);
  SetProgramFolder(TARNOVA_BINARY_DIR);
  std::vector<std::string> Args{"tarnova", "-windowed"};
  if (!C.Shaders) Args.push_back("-noshaders");
  auto Form = std::make_unique<TTarnovaForm>(Args);
  gMainForm = Form.get();
  Form->FormCreate();
  gGame = std::make_unique<TGame>(*Form, std::make_unique<TEarthGameView>());
  gGame->Create();
  TGame& G = *gGame;
  std::string Error = G.Quit ? "the game did not start (see log.html)" : SetUpScene(C, G);
  if (Error.empty() && PassesWanted() && gPerfTimer) gPerfTimer->Enabled = true;
  // Fades, first uploads and the reflection's first refresh settle before the clock runs.
  const bool Frames = C.Scene != scRegionMap && C.Scene != scNextRound && C.Scene != scRoundPart && C.Scene != scPick;
  if (Error.empty())
    for (int i = 0; i < 40; ++i) {
      if (Frames) Step(C, G);
      else if (C.Scene == scPick) G.Render();  // the globe in place under the mouse
      Form->ProcessMessages();
    }
  // TARNOVA_BENCH_SHOTS=folder keeps a picture of each case's frame, to hold beside another build's.
  if (const char* Shots = std::getenv("TARNOVA_BENCH_SHOTS"); Shots && Error.empty() && Frames) {
    G.View->Render(G);
    std::string Name = C.Key();
    for (char& Ch : Name)
      if (Ch == '/') Ch = '_';
    SaveScreenshot(std::string(Shots) + "/case_" + Name + ".png", false);
    G.Form->SwapBuffers();
  }
  std::fprintf(Out, "%s\n", Error.empty() ? "ready" : ("E " + Error).c_str());
  std::fflush(Out);
  std::map<std::string, double> PassSums;
  std::size_t Steps = 0;
  char Line[64];
  while (Error.empty() && std::fgets(Line, sizeof Line, In)) {
    if (Line[0] == 'F') {
      BeforeStep(C);
      const auto Start = TClock::now();
      const double CPUStart = ProcessCPUSeconds();
      const bool Ok = Step(C, G);
      const auto Ns = std::chrono::duration_cast<std::chrono::nanoseconds>(TClock::now() - Start).count();
      const double CPUNs = (ProcessCPUSeconds() - CPUStart) * 1.0e9;
      if (!Ok) {
        std::fprintf(Out, "E the step failed: the game left the earth view\n");
      } else {
        std::fprintf(Out, "%lld %.0f\n", static_cast<long long>(Ns), CPUNs);
        ++Steps;
        for (const TPassFigure& F : static_cast<TEarthGameView&>(*G.View).EarthViewState().Passes.LastFigures()) PassSums[F.Name] += F.CPUMs;
      }
      std::fflush(Out);
      Form->ProcessMessages();
    } else if (Line[0] == 'P') {
      std::ostringstream S;
      S << "peak_MiB=" << PeakMiB() << " floor_ms=" << FloorMs(G);
      if (Steps > 0)
        for (const auto& [Name, Sum] : PassSums) S << " pass_" << Name << "=" << Sum / static_cast<double>(Steps);
      std::fprintf(Out, "%s\n", S.str().c_str());
      std::fflush(Out);
    } else {
      break;
    }
  }
  std::fflush(Out);
  std::system((std::string("rm -rf ") + Home).c_str());
  _exit(0);
}

class TChild {
public:
  std::string Key;
  std::string Error;

  explicit TChild(const TCase& C) : Key(C.Key()) {
    int Down[2], Up[2];
    if (pipe(Down) != 0 || pipe(Up) != 0) {
      Error = "no pipe";
      return;
    }
    std::fflush(nullptr);
    Pid = fork();
    if (Pid == 0) {
      close(Down[1]);
      close(Up[0]);
      RunChild(C, fdopen(Down[0], "r"), fdopen(Up[1], "w"));
    }
    close(Down[0]);
    close(Up[1]);
    To = fdopen(Down[1], "w");
    From = fdopen(Up[0], "r");
    const std::string Ready = Ask("");
    if (Ready != "ready") Error = Ready.empty() ? "the game process ended" : Ready.substr(Ready.find(' ') + 1);
  }
  ~TChild() {
    if (To) {
      std::fprintf(To, "Q\n");
      std::fclose(To);
    }
    if (From) std::fclose(From);
    if (Pid > 0) waitpid(Pid, nullptr, 0);
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  // Sends a request (none when empty) and gives the answer line.
  std::string Ask(const char* Request) {
    if (*Request) {
      std::fprintf(To, "%s\n", Request);
      std::fflush(To);
    }
    char Line[4096];
    if (!std::fgets(Line, sizeof Line, From)) return "";
    std::string S(Line);
    if (!S.empty() && S.back() == '\n') S.pop_back();
    return S;
  }

private:
  pid_t Pid = -1;
  FILE* To = nullptr;
  FILE* From = nullptr;
};

// The child of the case being measured; a new case ends the one before.
std::unique_ptr<TChild> gChild;

TChild& ChildFor(const TCase& C) {
  if (!gChild || gChild->Key != C.Key()) {
    gChild.reset();
    gChild = std::make_unique<TChild>(C);
  }
  return *gChild;
}

void RunCase(benchmark::State& State, const TCase& C) {
  TChild& Child = ChildFor(C);
  if (!Child.Error.empty()) {
    State.SkipWithError(Child.Error.c_str());
    return;
  }
  double Sum = 0.0, CPUSum = 0.0;
  std::int64_t Count = 0;
  for (auto _ : State) {
    const std::string Answer = Child.Ask("F");
    if (Answer.empty() || Answer[0] == 'E') {
      // The first error ends the case: later steps would measure a game in another state.
      State.SkipWithError(Answer.empty() ? "the game process ended" : Answer.c_str() + 2);
      gChild.reset();
      break;
    }
    double Ns = 0.0, CPUNs = 0.0;
    std::istringstream(Answer) >> Ns >> CPUNs;
    const double Seconds = Ns / 1.0e9;
    State.SetIterationTime(Seconds);
    Sum += Seconds;
    CPUSum += CPUNs / 1.0e6;
    ++Count;
  }
  if (Count == 0 || !gChild) return;
  std::istringstream Summary(Child.Ask("P"));
  std::string Pair;
  while (Summary >> Pair) {
    const std::size_t Eq = Pair.find('=');
    if (Eq == std::string::npos) continue;
    State.counters[Pair.substr(0, Eq)] = std::stod(Pair.substr(Eq + 1));
  }
  const double MeanMs = Sum / static_cast<double>(Count) * 1000.0;
  State.counters["cpu_ms"] = CPUSum / static_cast<double>(Count);
  if (State.counters.count("floor_ms") && State.counters["floor_ms"] > 0.0)
    State.counters["x_floor"] = MeanMs / State.counters["floor_ms"];
  if (C.Scene != scRegionMap && C.Scene != scNextRound && C.Scene != scRoundPart && C.Scene != scPick)
    State.counters["fps"] = 1000.0 / MeanMs;
}

void BM_FrameFloor(benchmark::State& State) { RunCase(State, {scFloor, true, 0}); }
void BM_EarthView(benchmark::State& State) {
  RunCase(State, {scEarthView, State.range(0) != 0, static_cast<int>(State.range(1))});
}
void BM_MainMenu(benchmark::State& State) { RunCase(State, {scMainMenu, State.range(0) != 0, 0}); }
void BM_NationSelection(benchmark::State& State) { RunCase(State, {scNationSelection, State.range(0) != 0, 0}); }
void BM_Intro(benchmark::State& State) { RunCase(State, {scIntro, State.range(0) != 0, 0}); }
void BM_Battlefield(benchmark::State& State) { RunCase(State, {scBattlefield, State.range(0) != 0, 0}); }
void BM_EndScreen(benchmark::State& State) { RunCase(State, {scEndScreen, State.range(0) != 0, 0}); }
// The ownership map rebuilt from the regions' owners and uploaded into its texture.
void BM_RegionMapUpdate(benchmark::State& State) { RunCase(State, {scRegionMap, true, 0}); }
// "Next round" after 100 rounds against four computer nations, from the click to the next frame:
// the world round, the computer turns, the news, the map and its upload, the statistics, the
// market, the autosave (every round) and the frame drawn.
void BM_NextRoundWithView(benchmark::State& State) { RunCase(State, {scNextRound, true, 0}); }
// Its parts one by one in the same game: part 0 the regions' and nations' round, 1 the computer
// turns, 2 the autosave, 3 the ownership map and its texture, 4 the statistics, 5 the frame.
void BM_NextRoundPart(benchmark::State& State) {
  RunCase(State, {scRoundPart, true, static_cast<int>(State.range(0))});
}
// The region under the mouse in a cursor mode on the new game's globe, after a burst of "moves"
// mouse-move events between two frames: one pick pass with its one-pixel read-back per frame.
void BM_HoverPick(benchmark::State& State) { RunCase(State, {scPick, true, static_cast<int>(State.range(0))}); }

void Frames(benchmark::internal::Benchmark* B) {
  B->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
}
BENCHMARK(BM_FrameFloor)->Apply(Frames);
BENCHMARK(BM_EarthView)
    ->ArgNames({"shaders", "variant"})
    ->ArgsProduct({{1, 0}, {evNewGame, evWindowsOpen, evReflectionEveryFrame, evAfter100Rounds}})
    ->Apply(Frames);
BENCHMARK(BM_MainMenu)->ArgName("shaders")->Arg(1)->Arg(0)->Apply(Frames);
BENCHMARK(BM_NationSelection)->ArgName("shaders")->Arg(1)->Arg(0)->Apply(Frames);
BENCHMARK(BM_Intro)->ArgName("shaders")->Arg(1)->Arg(0)->Apply(Frames);
BENCHMARK(BM_Battlefield)->ArgName("shaders")->Arg(1)->Arg(0)->Apply(Frames);
BENCHMARK(BM_EndScreen)->ArgName("shaders")->Arg(1)->Arg(0)->Apply(Frames);
BENCHMARK(BM_RegionMapUpdate)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextRoundWithView)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_NextRoundPart)
    ->ArgName("part")
    ->DenseRange(rpWorld, rpFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50);
BENCHMARK(BM_HoverPick)->ArgName("moves")->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
}  // namespace
