// The end of a game: the result enters the high-score list once, the end screen shows only the
// outcome reached, its music plays when music is on, and the game stops running.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "control/game_fixture.h"
#include "engine/music_player.h"
#include "support/recording_sound_backend.h"
#include "world/high_score_list.h"
#include "world/nation.h"
#include "world/world_globals.h"

class EndOfGame : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Data.Write("data/xml/lang_eng/UI_EndGame.xml",
               ReadTestFile(std::filesystem::path(TARNOVA_BINARY_DIR) / "data/XML/lang_eng/UI_EndGame.xml"));
    Data.Write("data/XML/localization.xml",
               ReadTestFile(std::filesystem::path(TARNOVA_BINARY_DIR) / "data/XML/localization.xml"));
    Data.Write("data/music/special/game_won.ogg", "track");
    Data.Write("data/music/special/game_lost.ogg", "track");
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Data.Path());
    gEndGameGUI->LoadUIFromXML("data\\xml\\lang_eng\\UI_EndGame.xml");
    auto Owned = std::make_shared<TRecordingSoundBackend>();
    Backend = Owned.get();
    gMusicPlayer = std::make_unique<TMusicPlayer>(Owned);
    gMusicPlayer->BuildSpecialTrackList("data\\music\\special\\");
    MakeGame();
    ASSERT_TRUE(Game->LoadLocalization("data\\XML\\localization.xml"));
    // A list that cannot be written goes to the user's configuration folder: the test's own, too.
    if (const char* Saved = std::getenv("XDG_CONFIG_HOME")) SavedDataHome = Saved;
    setenv("XDG_CONFIG_HOME", UserData.Path().c_str(), 1);
    gHighScoreList = std::make_unique<THighScoreList>(Scores.Path());
    gPlayerNation = 2;
    for (auto& N : gNations) N = std::make_unique<TNation>();
    gNations[2]->PlayerName = "Ada";
    gNations[2]->Score = 45;
    gCurrentTurn = 30;
    Game->GameRunning = true;
    Game->State = gsEarthView;
    Game->HotSeat = true;
    Game->RoundTimer.SetEnabled(true);
  }
  void TearDown() override {
    gHighScoreList.reset();
    if (SavedDataHome) setenv("XDG_CONFIG_HOME", SavedDataHome->c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
    for (auto& N : gNations) N.reset();
    gMusicPlayer.reset();
    GameTest::TearDown();
  }
  bool Shows(const char* ID) const {
    const TGLGUIItem& Item = gEndGameGUI->Windows[0]->GetGUIItemByID(ID);
    return Item.Visible && Item.Alpha == 1.0f;
  }
  TTempFolder Scores, UserData;
  std::optional<std::string> SavedDataHome;
  TRecordingSoundBackend* Backend = nullptr;
};

TEST_F(EndOfGame, VictoryEntersTheScoreOnceShowsTheVictoryAndStopsTheGame) {
  gSettings.MusicEnabled = true;
  gSettings.MusicVolume = 40;
  Game->ShowVictory();
  EXPECT_EQ(gHighScoreList->LastIndex, 1);  // 45 goes in above the default 40
  EXPECT_EQ(gHighScoreList->Entries[1].PlayerName, "Ada");
  EXPECT_NE(ReadTestFile(Scores.Path() / "highscore.xml").find("Ada"), std::string::npos);
  EXPECT_TRUE(Shows("endgame_victory"));
  EXPECT_FALSE(gEndGameGUI->Windows[0]->GetGUIItemByID("endgame_defeat").Visible);
  EXPECT_EQ(Game->PendingState, gsEndGame);  // the globe fades out to the end screen
  FinishFade();
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_FALSE(Game->GameRunning);
  EXPECT_EQ(Backend->CallsStartingWith("LoadMusic game_won.ogg").size(), 1u);
  EXPECT_FLOAT_EQ(gMusicPlayer->Volume, 0.4f);
  // The hot-seat turn clock is stopped, so the ended game is not ended (and entered) again.
  EXPECT_FALSE(Game->RoundTimer.Enabled());
}

TEST_F(EndOfGame, ADefeatAfterAVictoryShowsOnlyTheDefeatAndPlaysNothingWithMusicOff) {
  gSettings.MusicEnabled = false;
  Game->ShowVictory();
  Game->ShowDefeat();
  EXPECT_TRUE(Shows("endgame_defeat"));
  EXPECT_FALSE(gEndGameGUI->Windows[0]->GetGUIItemByID("endgame_victory").Visible);
  EXPECT_TRUE(Backend->CallsStartingWith("LoadMusic").empty());
  EXPECT_EQ(Game->PendingState, gsEndGame);  // the globe fades out to the end screen
  FinishFade();
  EXPECT_EQ(Game->State, gsEndGame);
}

TEST_F(EndOfGame, AVictoryShowsTheScoreInTheTitleBarADefeatLeavesItAsItWas) {
  gSettings.MusicEnabled = false;
  Form.Caption = "Tarnova - Phase 1 (v1.11)";
  Game->ShowDefeat();
  EXPECT_EQ(Form.Caption, "Tarnova - Phase 1 (v1.11)");
  gNations[2]->Score = 1234;
  Game->GameRunning = true;
  Game->ShowVictory();
  EXPECT_EQ(Form.Caption, "1234");
}
