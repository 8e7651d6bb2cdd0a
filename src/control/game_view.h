#pragma once
// What game control needs of the presentation: drawing the frame of the game's state and the
// few window calls control makes. Presentation implements it and the program entry hands it to
// the game object, so control never includes a presentation header; headless tests of control
// pass a recording view.
class TGame;

class TGameView {
public:
  virtual ~TGameView() = default;
  // Draws the frame of the current game state into the back buffer (no swap).
  virtual void Render(TGame& Game) = 0;
  // Binds the window handlers of the in-game, main-menu and nation-selection windows after
  // their layouts are loaded (the first load and every language switch).
  virtual void RegisterWindows(TGame& Game) {}
  // Makes the GL objects the scenes draw into (reflection textures, noise volume, shadow list).
  virtual void CreateRenderTargets(TGame& Game) {}
  // Frees them while the GL context still exists.
  virtual void FreeRenderTargets() {}

  // After a round: the current player's news into the information centre, which comes to the
  // front.
  virtual void InfoCenterWindow_Refresh(TGame& Game) {}
  // After the transfer market's own round: the market window's lists anew.
  virtual void TransferMarketWindow_Refresh(TGame& Game) {}
};
