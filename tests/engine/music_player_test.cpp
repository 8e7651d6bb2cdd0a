#include <gtest/gtest.h>

#include "engine/music_player.h"
#include "media_fixtures.h"
#include "platform/platform_globals.h"
#include "platform/random.h"
#include "support/log_capture.h"
#include "support/recording_sound_backend.h"

namespace {
struct TMusicFixture : TVFSFixture {
  std::shared_ptr<TRecordingSoundBackend> Backend = std::make_shared<TRecordingSoundBackend>();
  TLogCapture Log;
  std::unique_ptr<TMusicPlayer> Player = std::make_unique<TMusicPlayer>(Backend);
  ~TMusicFixture() { Player.reset(); }
  std::vector<std::string> Errors() const { return Backend->CallsStartingWith("ERROR"); }
};

// Frames of FrameTime until the player starts another stream; -1 when none within Limit.
int FramesUntilNextStream(TMusicFixture& F, float FrameTime, int Limit = 1000) {
  std::size_t Before = F.Backend->CallsStartingWith("PlayMusic").size();
  for (int i = 1; i <= Limit; ++i) {
    F.Player->Update(FrameTime);
    if (F.Backend->CallsStartingWith("PlayMusic").size() > Before) return i;
  }
  return -1;
}
}  // namespace

TEST(MusicPlayer, DiskTracksKeepTheirExtensionAndReplaceThePackage) {
  TMusicFixture F;
  F.Pack({MakePackageEntry("data\\music\\packed.ogg", "p")});
  F.Folder.Write("data/music/b.ogg", "b");
  F.Folder.Write("data/music/A.OGG", "a");
  F.Folder.Write("data/music/cover.png", "c");
  F.Folder.Write("data/music/special/game_won.ogg", "w");
  F.Open();
  F.Player->BuildTrackList("data\\music\\");
  EXPECT_EQ(F.Player->Tracks, (std::vector<std::string>{"data\\music\\A.OGG", "data\\music\\b.ogg"}));
  F.Player->BuildSpecialTrackList("data\\music\\special\\");
  EXPECT_EQ(F.Player->SpecialTracks, (std::vector<std::string>{"game_won.ogg"}));
  EXPECT_EQ(F.Player->SpecialFolder, "data\\music\\special\\");
}

TEST(MusicPlayer, PackagedTracksAreListedWithoutExtensionAndPlayFromTheEntryBuffer) {
  TMusicFixture F;
  F.Pack({MakePackageEntry("data\\music\\one.ogg", "track one"), MakePackageEntry("data\\music\\notes.txt", "n"),
          MakePackageEntry("data\\music\\special\\Game_Won.ogg", "won")});
  F.Open();
  F.Player->BuildTrackList("data\\music\\");
  EXPECT_EQ(F.Player->Tracks, (std::vector<std::string>{"data\\music\\one"}));
  F.Player->BuildSpecialTrackList("data\\music\\special\\");
  EXPECT_EQ(F.Player->SpecialTracks, (std::vector<std::string>{"Game_Won.ogg"}));

  F.Player->PlayTrack(0);
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"LoadMusicFromMemory track one", "PlayMusic 1 loop=0"}));
  TVirtualFile* Entry = gVirtualFileSystem->FindFile("data\\music\\one.ogg");
  ASSERT_NE(Entry, nullptr);
  EXPECT_EQ(std::string(Entry->Buffer.Bytes().begin(), Entry->Buffer.Bytes().end()), "track one");

  // The same track again: the old stream is freed before its buffer is filled anew.
  F.Player->PlayTrack(0);
  EXPECT_EQ(F.Backend->Calls[2], "FreeMusic 1");
  EXPECT_EQ(F.Backend->Calls[3], "LoadMusicFromMemory track one");
  EXPECT_TRUE(F.Errors().empty());
}

TEST(MusicPlayer, DiskTracksLoopAndRandomChoiceUsesTheGameGenerator) {
  TMusicFixture F;
  F.Folder.Write("data/music/a.ogg", "a");
  F.Folder.Write("data/music/b.ogg", "b");
  F.Folder.Write("data/music/c.ogg", "c");
  F.Open();
  F.Player->BuildTrackList("data\\music\\");
  SetRandomSeed(12345);
  int Expected = Random(3);
  SetRandomSeed(12345);
  F.Player->PlayTrack(-1);
  EXPECT_EQ(F.Player->CurrentTrack, Expected);
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"LoadMusic " + std::string(1, char('a' + Expected)) + ".ogg",
                                                       "PlayMusic 1 loop=1"}));
  EXPECT_EQ(gRandomSeed, 12345u * 134775813u + 1u);
}

TEST(MusicPlayer, FadeOutLastsVolumeTimes1500msThenTheNextTrackFadesIn) {
  TMusicFixture F;
  F.Folder.Write("data/music/only.ogg", "o");
  F.Open();
  F.Player->BuildTrackList("data\\music\\");
  F.Player->PlayTrack(-1);
  F.Player->SetVolume(0.6f);
  F.Backend->Length = 60000;
  F.Backend->Position = 50000;
  F.Player->Update(20);
  EXPECT_EQ(F.Player->FadeDirection, 0.0f);

  // 4000 ms before the end the fade-out starts; at 0.6 and 20 ms frames it takes 45 frames.
  F.Backend->Position = 56000;
  int Frames = FramesUntilNextStream(F, 20);
  EXPECT_GE(Frames, 45);
  EXPECT_LE(Frames, 46);
  // With one track the track follows itself.
  EXPECT_EQ(F.Backend->Calls.back(), "SetMusicVolume 0.00");
  EXPECT_EQ(F.Backend->CallsStartingWith("LoadMusic").size(), 2u);
  EXPECT_EQ(F.Player->FadeDirection, 1.0f);
  EXPECT_EQ(F.Player->CurrentVolume, 0.0f);

  int FadeIn = 0;
  while (F.Player->FadeDirection != 0.0f && FadeIn < 1000) {
    F.Player->Update(20);
    ++FadeIn;
  }
  EXPECT_GE(FadeIn, 45);
  EXPECT_LE(FadeIn, 46);
  EXPECT_EQ(F.Player->CurrentVolume, 0.6f);
  EXPECT_EQ(F.Backend->MusicVolume, 0.6f);
  EXPECT_TRUE(F.Errors().empty());
}

TEST(MusicPlayer, ShortOrStoppedTracksCountAsEnded) {
  TMusicFixture F;
  F.Folder.Write("data/music/short.ogg", "s");
  F.Open();
  F.Player->BuildTrackList("data\\music\\");
  F.Player->SetVolume(1.0f);
  F.Player->PlayTrack(0);
  F.Backend->Length = 2500;  // shorter than the fade-out lead: fades at once
  F.Player->Update(10);
  EXPECT_EQ(F.Player->FadeDirection, -1.0f);

  TMusicFixture G;
  G.Folder.Write("data/music/t.ogg", "t");
  G.Open();
  G.Player->BuildTrackList("data\\music\\");
  G.Player->SetVolume(1.0f);
  G.Player->PlayTrack(0);
  G.Backend->PlayingMusic = 0;  // a stream that ran out during a long frame
  G.Player->Update(10);
  EXPECT_EQ(G.Player->FadeDirection, -1.0f);
}

TEST(MusicPlayer, ATrackThatVanishedLeavesNoDanglingStream) {
  TMusicFixture F;
  F.Folder.Write("data/music/a.ogg", "a");
  F.Open();
  F.Player->BuildTrackList("data\\music\\");
  F.Player->PlayTrack(0);
  std::filesystem::remove(F.Folder.Path() / "data/music/a.ogg");
  F.Player->PlayTrack(0);  // found nowhere: nothing plays
  EXPECT_EQ(F.Player->Sound, 0u);
  F.Player->SetVolume(0.5f);
  for (int i = 0; i < 100; ++i) F.Player->Update(20);
  F.Player->PlayTrack(0);
  EXPECT_TRUE(F.Errors().empty());
  EXPECT_EQ(F.Backend->CallsStartingWith("FreeMusic").size(), 1u);
}

TEST(MusicPlayer, MissingMusicIsLoggedOnceAndStaysSilent) {
  TMusicFixture F;
  F.Open();
  F.Player->BuildTrackList("data\\music\\");
  F.Player->BuildSpecialTrackList("data\\music\\special\\");
  EXPECT_TRUE(F.Player->Tracks.empty());
  F.Player->SetVolume(0.5f);
  F.Player->PlayTrack(-1);
  for (int i = 0; i < 200; ++i) F.Player->Update(20);
  F.Player->PlaySpecialTrack("game_won.ogg");
  F.Player->PlaySpecialTrack("game_won.ogg");
  EXPECT_EQ(F.Log.Lines(), (std::vector<std::string>{"TFMODMusicPlayer->PlayTrack->No tracks in list!",
                                                  "TFMODMusicPlayer->PlaySpecialTrack->No tracks in list!"}));
  EXPECT_TRUE(F.Backend->CallsStartingWith("PlayMusic").empty());
}

TEST(MusicPlayer, SpecialTracksAreFoundInAnyCase) {
  TMusicFixture F;
  F.Folder.Write("data/music/special/game_won.ogg", "won");
  F.Folder.Write("data/music/special/game_lost.ogg", "lost");
  F.Open();
  F.Player->BuildSpecialTrackList("data\\music\\special\\");
  F.Player->CurrentTrack = 7;
  F.Player->PlaySpecialTrack("GAME_WON.OGG");
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"LoadMusic game_won.ogg", "PlayMusic 1 loop=1"}));
  EXPECT_EQ(F.Player->CurrentTrack, 7);
  F.Player->PlaySpecialTrack("game_drawn.ogg");
  EXPECT_EQ(F.Log.Lines(), (std::vector<std::string>{"TFMODMusicPlayer->PlaySpecialTrack->Track \"game_drawn.ogg\" not found!"}));
}

TEST(MusicPlayer, StopAndVolumeGoToTheBackendAndNoBackendPlaysNothing) {
  TMusicFixture F;
  F.Player->SetVolume(0.25f);
  F.Player->Stop();
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"SetMusicVolume 0.25", "StopMusic"}));
  EXPECT_EQ(F.Player->Volume, 0.25f);

  F.Folder.Write("data/music/a.ogg", "a");
  F.Open();
  TMusicPlayer Silent(nullptr);
  Silent.BuildTrackList("data\\music\\");
  EXPECT_EQ(Silent.Tracks.size(), 1u);
  Silent.PlayTrack(-1);
  Silent.Update(5000);
  Silent.SetVolume(1.0f);
  EXPECT_EQ(Silent.Sound, 0u);
}
