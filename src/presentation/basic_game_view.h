#pragma once
// The game view of the presentation: draws the frame of the game's state. For now it clears
// the screen to the menu backdrop and draws the GUI of the current state.
#include "control/game_view.h"

class TBasicGameView : public TGameView {
public:
  void Render(TGame& Game) override;
  void FreeRenderTargets() override;
  void RegisterWindows(TGame& Game) override;
  void InfoCenterWindow_Refresh(TGame& Game) override;
  void TransferMarketWindow_Refresh(TGame& Game) override;
};
