// The globe's costs: rebuilding the region-ownership map after a round (headless, on the data
// set's base map and regions), and earth-view frames at 1024 x 768 under the GL of the machine
// (run under Xvfb for llvmpipe): the full scene with reflections, the same without shaders, and
// the floor of a frame that only clears and swaps.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "platform/window_host.h"
#include "presentation/earth_game_view.h"
#include "presentation/earth_render.h"
#include "presentation/frame_projections.h"
#include "presentation/earth_water.h"
#include "presentation/presentation_globals.h"
#include "presentation/region_map.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace {
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

struct TGLScene {
  TWindowHost Window;
  TTarnovaForm Form{{"tarnova", "-windowed"}};
  std::unique_ptr<TGame> Game;
  TEarthGameView View;
  bool Ready = false;
  TGLScene() {
    LoadWorld();
    if (!Window.Create(TWindowOptions{"Tarnova globe bench", 1024, 768, true, true})) return;
    Ready = true;
    Game = std::make_unique<TGame>(Form, nullptr);
    Game->Earth = std::make_unique<TEarth>();
    Game->Earth->CreateDisplayLists();
    Game->Earth->Zoom = 1.0f;
    Game->Earth->Atmosphere = 25000.0f;
    Game->Earth->RotationX = 30.0f;
    Game->State = gsEarthView;
    gNations[0]->WaterplaneUpperPos = -1.3f;
    gNations[0]->WaterplaneUpperDim = 2.5f;
    gNations[0]->WaterplaneLowerPos = -1.5f;
    gNations[0]->WaterplaneLowerDim = 5.0f;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    gSettings.ReflectionUpdateRate = 2;
    gSettings.Reflections = true;
    CreateReflectionTargets(512, 1024, 768);
    UpDateRegionMap(false);
  }
};

TGLScene& Scene() {
  static TGLScene S;
  return S;
}

enum TFrameKind { fkScene, fkFloor, fkGlobe };

void Frame(benchmark::State& State, bool Shaders, TFrameKind Kind) {
  TGLScene& S = Scene();
  if (!S.Ready) {
    State.SkipWithError("no GL window (run under Xvfb)");
    return;
  }
  gSettings.NoShaders = !Shaders;
  for (auto _ : State) {
    glViewport(0, 0, 1024, 768);
    if (Kind == fkFloor) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else if (Kind == fkGlobe) {
      // The globe alone, without sky, landscape, water and reflections.
      S.Game->Earth->RotationY += 0.5f;
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      SetPerspectiveProjection(1024, 768);
      RenderEarth(*S.Game, false);
    } else {
      S.Game->Earth->RotationY += 0.5f;
      S.View.Render(*S.Game);
    }
    S.Window.SwapBuffers();
    glFinish();
  }
  State.counters["fps"] = benchmark::Counter(static_cast<double>(State.iterations()), benchmark::Counter::kIsRate);
}
void BM_EarthViewFrame(benchmark::State& State) { Frame(State, true, fkScene); }
void BM_EarthViewFrameNoReflections(benchmark::State& State) {
  gSettings.Reflections = false;
  gSettings.ReflectionUpdateRate = 1000000;
  Frame(State, true, fkScene);
  gSettings.Reflections = true;
  gSettings.ReflectionUpdateRate = 2;
}
void BM_EarthViewFrameNoShaders(benchmark::State& State) { Frame(State, false, fkScene); }
void BM_GlobeFrame(benchmark::State& State) { Frame(State, true, fkGlobe); }
void BM_FrameFloor(benchmark::State& State) { Frame(State, true, fkFloor); }
BENCHMARK(BM_EarthViewFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EarthViewFrameNoShaders)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EarthViewFrameNoReflections)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GlobeFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
