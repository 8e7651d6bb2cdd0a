// Attaches the region, army and battle window handlers to their in-game windows.
#include <functional>

#include "control/game.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "presentation/windows/game_windows.h"


namespace {

void Attach(const char* Name, std::function<void(TGame&)> Render, void (*Click)(TGame&, const std::string&),
            void (*Show)(TGame&), TGame& Game) {
  TGLWindow* W = gInGameGUI ? gInGameGUI->GetWindow(Name) : nullptr;
  if (!W) return;
  TGame* G = &Game;
  W->OnRender = [G, Render] { Render(*G); };
  W->OnClick = [G, Click](const std::string& N) { Click(*G, N); };
  W->OnShow = [G, Show] { Show(*G); };
}

}  // namespace

void RegisterRegionAndArmyWindows(TGame& Game, TViewState& View) {
  Attach("regioninfo", RegionWindow_Render, RegionWindow_Click, RegionWindow_Show, Game);
  Attach("military", [&View](TGame& G) { MilitaryWindow_Render(G, View); }, MilitaryWindow_Click, MilitaryWindow_Show, Game);
  Attach("region_build", [&View](TGame& G) { BuildWindow_Render(G, View); }, BuildWindow_Click, BuildWindow_Show, Game);
  Attach("army_management", ArmyWindow_Render, ArmyWindow_Click, ArmyWindow_Show, Game);
  Attach("autobattle", AutoBattleWindow_Render, AutoBattleWindow_Click, AutoBattleWindow_Show, Game);
}
