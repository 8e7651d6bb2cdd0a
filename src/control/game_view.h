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

  // Draws the pick candidates of the current state in their pick colours (the regions on the
  // globe, the nation symbols) under the projection colour picking has set.
  virtual void DrawPickCandidates(TGame& Game) {}
  // Rebuilds the region-ownership texture (Debug: the developer's batch run asked for it).
  virtual void UpdateRegionMap(TGame& Game, bool Debug) {}
  // Window calls of the game's orders and rounds.
  virtual void AutoBattleWindow_Start(TGame& Game) {}
  virtual void ArmyWindow_ClearDivisionInfo(TGame& Game) {}
  virtual void RegionWindow_Show(TGame& Game) {}
  virtual void MilitaryWindow_Show(TGame& Game) {}
};
