// What a frame does after the swap, frame by frame on a clock of the test's own: the fade
// between game states (out to black, the state changes there, back in) and the music, whose
// tracks end, fade out and make way for the next.
#include <gtest/gtest.h>

#include "control/game_fixture.h"
#include "engine/music_player.h"
#include "engine/sound_system.h"
#include "platform/random.h"
#include "platform/virtual_keys.h"
#include "support/recording_sound_backend.h"

class FrameTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeGame();
    Game->State = Game->PendingState = gsMainMenu;
    Frames(1);
  }
};

TEST_F(FrameTest, ASwitchFadesOutToBlackChangesTheStateThereAndFadesBackIn) {
  EXPECT_FLOAT_EQ(Game->FadeValue, 1.0f);
  Game->SwitchState(gsNationSelect);
  EXPECT_EQ(Game->State, gsMainMenu);
  EXPECT_TRUE(Game->FadingOut());
  Frames(1, 100.0);
  EXPECT_NEAR(Game->FadeValue, 0.85f, 1e-5);
  Frames(5, 100.0);
  EXPECT_NEAR(Game->FadeValue, 0.1f, 1e-5);
  EXPECT_EQ(Game->State, gsMainMenu);  // still the menu, nearly black
  Frames(1, 100.0);
  // Black: the new state's first frame is drawn under the full veil.
  EXPECT_EQ(Game->State, gsNationSelect);
  EXPECT_FLOAT_EQ(Game->FadeValue, 0.0f);
  EXPECT_FALSE(Game->FadingOut());
  Frames(6, 100.0);
  EXPECT_NEAR(Game->FadeValue, 0.9f, 1e-5);
  Frames(1, 100.0);
  EXPECT_FLOAT_EQ(Game->FadeValue, 1.0f);  // and stays there
  Frames(3, 100.0);
  EXPECT_FLOAT_EQ(Game->FadeValue, 1.0f);
  EXPECT_EQ(Game->State, gsNationSelect);
}

TEST_F(FrameTest, TheStateOnScreenAskedForChangesNothingAndTheLaterOfTwoRequestsWins) {
  Game->SwitchState(gsMainMenu);
  EXPECT_FALSE(Game->FadingOut());
  Frames(3, 100.0);
  EXPECT_FLOAT_EQ(Game->FadeValue, 1.0f);

  Game->SwitchState(gsNationSelect);
  Frames(2, 100.0);
  // Asking for the menu on screen does not stop the fade towards the nation selection.
  Game->SwitchState(gsMainMenu);
  EXPECT_EQ(Game->PendingState, gsNationSelect);
  EXPECT_TRUE(Game->FadingOut());
  // A second request during the fade-out takes its place; the veil goes on darkening.
  Game->SwitchState(gsEarthView);
  EXPECT_EQ(Game->PendingState, gsEarthView);
  EXPECT_NEAR(Game->FadeValue, 0.7f, 1e-5);
  Frames(5, 100.0);
  EXPECT_EQ(Game->State, gsEarthView);

  // A request while the new screen fades in darkens it again from where it stands.
  Frames(2, 100.0);
  EXPECT_NEAR(Game->FadeValue, 0.3f, 1e-5);
  Game->SwitchState(gsMainMenu);
  EXPECT_NEAR(Game->FadeValue, 0.3f, 1e-5);
  Frames(1, 100.0);
  EXPECT_NEAR(Game->FadeValue, 0.15f, 1e-5);
}

TEST_F(FrameTest, AFrameLongerThanTheFadeCompletesItAtOnce) {
  Game->SwitchState(gsEndGame);
  Frames(1, 700.0);
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_FLOAT_EQ(Game->FadeValue, 0.0f);
  Frames(1, 700.0);
  EXPECT_FLOAT_EQ(Game->FadeValue, 1.0f);
}

TEST_F(FrameTest, TheTimeBetweenTwoFramesIsNotPartOfTheFrameTime) {
  Frames(1, 20.0);
  EXPECT_DOUBLE_EQ(Game->FrameTime, 20.0);
  Game->SwitchState(gsEndGame);
  Frames(1, 100.0);
  EXPECT_NEAR(Game->FadeValue, 0.85f, 1e-5);
  // A click between two frames whose round took three seconds: the fade goes on by one frame's
  // step and does not jump to the end of the game.
  FrameNow += 3000.0;
  Frames(1, 100.0);
  EXPECT_DOUBLE_EQ(Game->FrameTime, 100.0);
  EXPECT_NEAR(Game->FadeValue, 0.7f, 1e-5);
  EXPECT_EQ(Game->State, gsMainMenu);
  Frames(5, 100.0);
  EXPECT_EQ(Game->State, gsEndGame);
}

class FrameMusic : public FrameTest {
protected:
  void SetUp() override {
    FrameTest::SetUp();
    Data.Write("data/music/a.ogg", "a");
    Data.Write("data/music/b.ogg", "b");
    auto Owned = std::make_shared<TRecordingSoundBackend>();
    Backend = Owned.get();
    gSoundSystem = std::make_unique<TSoundSystem>(false, nullptr, Owned);
    gMusicPlayer = std::make_unique<TMusicPlayer>(gSoundSystem->System());
    gMusicPlayer->BuildTrackList("data\\music\\");
    ASSERT_EQ(gMusicPlayer->Tracks.size(), 2u);
    gSettings.MusicEnabled = true;
    gSettings.MusicVolume = 55;
    gMusicPlayer->SetVolume(0.55f);
    gMusicPlayer->PlayTrack(0);
    Backend->Length = 60000.0;
    Backend->ClearCalls();
  }
  void TearDown() override {
    gMusicPlayer.reset();
    gSoundSystem.reset();
    FrameTest::TearDown();
  }
  std::size_t Count(const std::string& Prefix) const { return Backend->CallsStartingWith(Prefix).size(); }
  // Frames of 100 ms until another track starts; how many, or -1 within Limit.
  int FramesUntilNextTrack(int Limit = 100) {
    const std::size_t Before = Count("PlayMusic");
    for (int i = 1; i <= Limit; ++i) {
      Frames(1, 100.0);
      if (Count("PlayMusic") > Before) return i;
    }
    return -1;
  }
  TRecordingSoundBackend* Backend = nullptr;
};

TEST_F(FrameMusic, EveryFrameUpdatesTheSoundAndATrackNearItsEndFadesOutForTheNext) {
  Backend->Position = 10000.0;
  Frames(3, 100.0);
  EXPECT_EQ(Count("Update"), 3u);  // the sound system, once a frame
  EXPECT_EQ(Count("PlayMusic"), 0u);
  EXPECT_EQ(gMusicPlayer->FadeDirection, 0.0f);

  // Four seconds before its end the track fades out, a full volume over a second and a half of
  // frames (0.55 of it: nine frames of 100 ms); then another starts and fades in.
  Backend->Position = 57000.0;
  SetRandomSeed(3);
  EXPECT_EQ(FramesUntilNextTrack(), 9);
  EXPECT_EQ(gMusicPlayer->FadeDirection, 1.0f);
  Frames(10, 100.0);
  EXPECT_EQ(gMusicPlayer->FadeDirection, 0.0f);
  EXPECT_FLOAT_EQ(gMusicPlayer->CurrentVolume, 0.55f);

  // A stream that has stopped counts as ended.
  Backend->PlayingMusic = 0;
  EXPECT_GT(FramesUntilNextTrack(), 0);
}

TEST_F(FrameMusic, WithMusicOffNothingChangesAndTheDeveloperKeyFSkipsToTheNextTrack) {
  Backend->Position = 59000.0;
  gSettings.MusicEnabled = false;
  EXPECT_EQ(FramesUntilNextTrack(30), -1);

  gSettings.MusicEnabled = true;
  Backend->Position = 1000.0;
  gSettings.DebugKeys = true;
  Game->KeyDown('F', 0);
  EXPECT_EQ(gMusicPlayer->FadeDirection, -1.0f);
  EXPECT_GT(FramesUntilNextTrack(), 0);
}
