#include "presentation/basic_game_view.h"

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/perf_timer.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "presentation/scenes/battlefield_scene.h"
#include "presentation/scenes/end_game_scene.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/scenes/nation_selection_scene.h"
#include "presentation/scenes/scene_support.h"
#include "presentation/windows/developer_windows.h"
#include "presentation/windows/espionage_window.h"
#include "presentation/windows/game_windows.h"
#include "presentation/windows/info_center_window.h"
#include "presentation/windows/load_save_windows.h"
#include "presentation/windows/options_panel.h"
#include "presentation/windows/research_history_window.h"
#include "presentation/windows/research_window.h"
#include "presentation/windows/statistics_window.h"
#include "presentation/windows/transfer_market_window.h"

void TBasicGameView::Render(TGame& Game) {
  if (Game.State == gsMainMenu) return RenderMainMenu(Game, ViewState);
  if (Game.State == gsIntro) return RenderIntro(Game, ViewState);
  if (Game.State == gsNationSelect) return RenderNationSelection(Game, ViewState);
  if (Game.State == gsEndGame) return RenderGameEnd(Game, ViewState);
  if (Game.State == gsBattleField) return RenderBattlefield(Game);
  // The dusk blue of the menu sky behind everything.
  glClearColor(0.05f, 0.08f, 0.16f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, gGUIScreenWidth, gGUIScreenHeight, 0.0, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  TGLGUI& GUI = Game.CurrentGUI();
  GUI.FadeSpeed = static_cast<float>(Game.FrameTime);
  GUI.Render();
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
}

void TBasicGameView::FreeRenderTargets() {
  FreeSceneTargets();
  if (ViewState.PreviewShadowList != 0) glDeleteLists(ViewState.PreviewShadowList, 1);
  ViewState.PreviewShadowList = 0;
}

void TBasicGameView::GameObjectsForgotten(TGame& Game) {
  ViewState.ResearchRingButtonWasDown = false;
  ViewState.ResearchRingPressBegan = false;
  ViewState.SaveLoadPendingWindow = nullptr;
  ViewState.SaveLoadPendingButton.clear();
  ViewState.SaveLoadPendingRow.clear();
}

void TBasicGameView::RegisterWindows(TGame& Game) {
  RegisterRegionAndArmyWindows(Game, ViewState);
  RegisterInfoCenterWindow(Game);
  RegisterStatisticsWindow(Game);
  RegisterResearchWindow(Game, ViewState);
  RegisterResearchHistoryWindow(Game);
  RegisterTransferMarketWindow(Game);
  RegisterEspionageWindow(Game);
  RegisterLoadSaveWindows(Game, ViewState);
  RegisterDeveloperWindows(Game);
  RegisterOptionsPanel(Game);
}

void TBasicGameView::InfoCenterWindow_Refresh(TGame& Game) { ::InfoCenterWindow_Refresh(Game); }

void TBasicGameView::TransferMarketWindow_Refresh(TGame& Game) { ::TransferMarketWindow_Refresh(Game); }

void TBasicGameView::AutoBattleWindow_Start(TGame& Game) { ::AutoBattleWindow_Start(Game); }

void TBasicGameView::ArmyWindow_ClearDivisionInfo(TGame& Game) { ::ArmyWindow_ClearDivisionInfo(Game); }

void TBasicGameView::RegionWindow_Show(TGame& Game) { ::RegionWindow_Show(Game); }

void TBasicGameView::MilitaryWindow_Show(TGame& Game) { ::MilitaryWindow_Show(Game); }

void TBasicGameView::LoadGameWindow_Show(TGame& Game, const std::string& Mode) { ::LoadGameWindow_Show(Game, ViewState, Mode); }

void TBasicGameView::SaveGameWindow_Show(TGame& Game, const std::string& Mode) { ::SaveGameWindow_Show(Game, ViewState, Mode); }

void TBasicGameView::DebugWindow_Show(TGame& Game) { ::DebugWindow_Show(Game); }

void TBasicGameView::DebugAIWindow_Show(TGame& Game) { ::DebugAIWindow_Show(Game); }
