#pragma once
// What game control needs of the presentation: drawing the frame of the game's state and the
// few window calls control makes. Presentation implements it and the program entry hands it to
// the game object, so control never includes a presentation header; headless tests of control
// pass a recording view.
#include <string>

class TGame;

class TGameView {
public:
  virtual ~TGameView() = default;
  // Draws the frame of the current game state into the back buffer (no swap).
  virtual void Render(TGame& Game) = 0;
  // Binds the window handlers of the in-game, main-menu and nation-selection windows (the main
  // menu's per-frame handler among them) after their layouts are loaded (the first load and
  // every language switch).
  virtual void RegisterWindows(TGame& Game) {}
  // Makes the GL objects the scenes draw into (reflection textures, noise volume, shadow list).
  virtual void CreateRenderTargets(TGame& Game) {}
  // Frees them while the GL context still exists.
  virtual void FreeRenderTargets() {}
  // Rebuilds the region-ownership texture from the regions' owners (a new game, every round,
  // loading); DebugDump also saves the map during the developer's batch rounds.
  virtual void UpDateRegionMap(TGame& Game, bool DebugDump) {}
  // Draws the candidates of colour picking of the current state (regions or nation symbols)
  // under the projection and cleared buffer that picking has set.
  virtual void RenderPickColors(TGame& Game) {}

  // After a round: the current player's news into the information centre, which comes to the
  // front.
  virtual void InfoCenterWindow_Refresh(TGame& Game) {}
  // After the transfer market's own round: the market window's lists anew.
  virtual void TransferMarketWindow_Refresh(TGame& Game) {}
  // Control has forgotten the objects of the running game (a new game or a load): the view
  // forgets what it kept of them (a press on the research ring, a question of the save windows).
  virtual void GameObjectsForgotten(TGame& Game) {}
  // A savegame was loaded into the running game: the views rebuild what they derive from the
  // world (the region ownership map).
  virtual void GameLoaded(TGame& Game) {}
  // Window calls of the game's orders and rounds.
  virtual void AutoBattleWindow_Start(TGame& Game) {}
  virtual void ArmyWindow_ClearDivisionInfo(TGame& Game) {}
  virtual void RegionWindow_Show(TGame& Game) {}
  virtual void MilitaryWindow_Show(TGame& Game) {}
  // The load and save windows of a mode ("singleplayer", "hotseat"), opened from a menu or the
  // system bar.
  virtual void LoadGameWindow_Show(TGame& Game, const std::string& Mode) {}
  virtual void SaveGameWindow_Show(TGame& Game, const std::string& Mode) {}
  // The developer's windows "debug" and "debugai" filled before the developer keys open them.
  virtual void DebugWindow_Show(TGame& Game) {}
  virtual void DebugAIWindow_Show(TGame& Game) {}
};
