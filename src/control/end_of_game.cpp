// The end of a game: the player's result goes into the high-score list, the end-of-game screen
// shows victory or defeat with its music, and the game stops running.
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/music_player.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "world/high_score_list.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {

void ShowOutcome(const char* Shown, const char* Hidden) {
  TGLWindow& Base = *gEndGameGUI->Windows[0];
  for (auto& Item : Base.Items)
    if (Item->ID.find("hint") == std::string::npos) {
      Item->Visible = true;
      Item->Alpha = 1.0f;
    }
  for (auto& Item : Base.Items) {
    if (Item->ID == Hidden) {
      Item->Alpha = 0.0f;
      Item->Visible = false;
    } else if (Item->ID == Shown) {
      Item->Alpha = 1.0f;
      Item->Visible = true;
    }
  }
}

void PlayEndMusic(const char* Track) {
  if (!gSettings.MusicEnabled || !gMusicPlayer) return;
  gMusicPlayer->PlaySpecialTrack(Track);  // a missing track is logged and leaves the end silent
  gMusicPlayer->SetVolume(static_cast<float>(gSettings.MusicVolume / 100.0));
}

}  // namespace

void TGame::EndGame(bool Victory) {
  // The hot-seat turn clock stops with the game, or it would end the game again every second.
  RoundTimer.SetEnabled(false);
  if (gHighScoreList) gHighScoreList->AddScore();
  // A won game shows the player's score in the title bar.
  if (Victory && gPlayerNation < gNations.size() && gNations[gPlayerNation])
    Form->SetCaption(std::to_string(gNations[gPlayerNation]->Score));
  ShowOutcome(Victory ? "endgame_victory" : "endgame_defeat", Victory ? "endgame_defeat" : "endgame_victory");
  PlayEndMusic(Victory ? "game_won.ogg" : "game_lost.ogg");
  SwitchState(gsEndGame);
  GameRunning = false;
}

void TGame::ShowVictory() { EndGame(true); }

void TGame::ShowDefeat() { EndGame(false); }
