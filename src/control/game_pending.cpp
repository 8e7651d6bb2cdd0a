// Entry points of the end of game, the savegame writer and the main menu's panels, in their
// smallest form until their own implementations join the game: the game ends into the
// end-of-game state with the turn timer stopped, the autosave is logged as not written.
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/log.h"

void TGame::ShowVictory() {
  RoundTimer.SetEnabled(false);
  GameRunning = false;
  SwitchState(gsEndGame);
}

void TGame::ShowDefeat() {
  RoundTimer.SetEnabled(false);
  GameRunning = false;
  SwitchState(gsEndGame);
}


void TGame::MainMenu_HideSubPanels() {}
void TGame::MainMenu_ToggleOptions(bool Show) {}
void TGame::MainMenu_ToggleHotSeat(bool Show) {}
void TGame::ApplyOptionsToSettings() {}
void TGame::LoadGameWindow_Show(const std::string& Mode) {
  if (View) View->LoadGameWindow_Show(*this, Mode);
}
void TGame::SaveGameWindow_Show(const std::string& Mode) {
  if (View) View->SaveGameWindow_Show(*this, Mode);
}
