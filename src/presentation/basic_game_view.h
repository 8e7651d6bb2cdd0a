#pragma once
// The game view of the presentation: draws the scene of the game's state and binds and calls
// the window handlers.
#include "control/game_view.h"
#include "presentation/view_state.h"

class TBasicGameView : public TGameView {
public:
  TViewState ViewState;

  void Render(TGame& Game) override;
  void FreeRenderTargets() override;
  void GameObjectsForgotten(TGame& Game) override;
  void RegisterWindows(TGame& Game) override;
  void InfoCenterWindow_Refresh(TGame& Game) override;
  void TransferMarketWindow_Refresh(TGame& Game) override;
  void AutoBattleWindow_Start(TGame& Game) override;
  void ArmyWindow_ClearDivisionInfo(TGame& Game) override;
  void RegionWindow_Show(TGame& Game) override;
  void MilitaryWindow_Show(TGame& Game) override;
  void LoadGameWindow_Show(TGame& Game, const std::string& Mode) override;
  void SaveGameWindow_Show(TGame& Game, const std::string& Mode) override;
  void DebugWindow_Show(TGame& Game) override;
  void DebugAIWindow_Show(TGame& Game) override;
};
