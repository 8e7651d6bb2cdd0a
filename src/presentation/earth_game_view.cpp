#include "presentation/earth_game_view.h"

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "platform/errors.h"
#include "presentation/earth_render.h"
#include "presentation/earth_view_hud.h"
#include "presentation/earth_view_scene.h"
#include "presentation/earth_water.h"
#include "presentation/frame_state.h"
#include "presentation/noise_volume.h"
#include "presentation/pass_timer.h"
#include "presentation/region_map.h"
#include "presentation/scenes/nation_selection_scene.h"

void TEarthGameView::Render(TGame& Game) {
  EarthView.Passes.BeginFrame();
  if (Game.State == gsEarthView && Game.Earth) {
    RenderEarthView(Game, EarthView);
  } else {
    TPassScope Pass(&EarthView.Passes, "scene");
    TBasicGameView::Render(Game);
  }
  EarthView.Passes.Report(Game.FrameTime);
  {
    TPassScope Pass(&EarthView.Passes, "cursor");
    DrawCursor(Game, ViewState);
    DrawFrameTexts(Game);
    DrawFadeVeil(Game);
    AdvanceHotSeatOverlay(Game);
    DrawHotSeatOverlay(Game);
  }
  AdvanceFrameClocks(Game, ViewState, Game.FrameTime / 1000.0);
}

void TEarthGameView::RegisterWindows(TGame& Game) {
  TBasicGameView::RegisterWindows(Game);
  if (gInGameGUI && gInGameGUI->HintWindow)
    gInGameGUI->HintWindow->OnRender = [this, &Game] {
      TPassScope Pass(&EarthView.Passes, "hud");
      EarthViewHUD_Render(Game);
    };
  EarthView.RoundTimerPanel = FindRoundTimerPanel();
}

void TEarthGameView::CreateRenderTargets(TGame& Game) {
  GLint Viewport[4];
  glGetIntegerv(GL_VIEWPORT, Viewport);
  CreateReflectionTargets(gSettings.ReflectionTextureSize, Viewport[2], Viewport[3]);
  CreateNoiseVolume();
  // Without its base map the globe could show no owner: a start-up failure naming the file.
  if (!LoadRegionBaseMap("data\\regions512.bmp"))
    throw ETarnovaError("TGame->Create->Region base map \"data\\regions512.bmp\" could not be loaded");
}

void TEarthGameView::FreeRenderTargets() {
  TBasicGameView::FreeRenderTargets();
  FreeReflectionTargets();
  EarthView.Sky.Free();
  EarthView.ReflectionSky.Free();
  FreeNoiseVolume();
  FreeRegionMapTexture();
  FreeEarthRenderLists();
  EarthView.Passes.Free();
}

void TEarthGameView::UpDateRegionMap(TGame& Game, bool DebugDump) { ::UpDateRegionMap(DebugDump); }

void TEarthGameView::GameLoaded(TGame& Game) { ::UpDateRegionMap(false); }

void TEarthGameView::RenderPickColors(TGame& Game) {
  if (Game.State == gsEarthView && Game.Earth)
    RenderEarthPickColors(Game);
  else if (Game.State == gsNationSelect)
    RenderNationSymbolPickColors(Game);
}
