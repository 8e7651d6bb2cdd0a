// The real SDL_mixer backend on whatever device there is (the dummy driver in CI).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/music_player.h"
#include "engine/sound_system.h"
#include "media_fixtures.h"
#include "ogg_writer.h"
#include "platform/sound_backend.h"

TEST(SoundDevice, AnOggFilePlaysAndReportsLengthAndPosition) {
  TVFSFixture F;
  std::string Ogg = EncodeOggVorbis(SineTone(440.0, 1500, 22050), 1, 22050);
  F.Folder.Write("data/sounds/NextTurn.ogg", Ogg);
  F.Folder.Write("data/sounds/broken.ogg", "not an ogg file");
  F.Folder.Write("data/music/tune.ogg", Ogg);
  F.Open();

  std::vector<std::string> Log;
  auto Backend = CreateSDLSoundBackend();
  auto Sound = std::make_unique<TSoundSystem>(false, [&](const std::string& M, bool) { Log.push_back(M); }, Backend);
  ASSERT_FALSE(Sound->SoundDisabled) << (Log.empty() ? "" : Log.back());
  Sound->LoadSounds("data\\sounds\\", ".ogg");
  EXPECT_EQ(Sound->SoundNames, (std::vector<std::string>{"NextTurn"}));
  EXPECT_GE(Backend->PlaySound(Sound->Sounds[0], false, 0.5f), 0);
  Sound->Enabled = true;
  Sound->PlaySound("nextturn", false);

  TMusicHandle M = Backend->LoadMusic(F.Folder.Path() / "data/music/tune.ogg");
  ASSERT_NE(M, 0u) << Backend->LastError();
  EXPECT_NEAR(Backend->MusicLength(M), 1500.0, 30.0);
  ASSERT_TRUE(Backend->PlayMusic(M, false));
  EXPECT_TRUE(Backend->MusicPlaying());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_GT(Backend->MusicPosition(M), 0.0);
  Backend->FreeMusic(M);

  // Shut-down frees the sound system first, while the player still holds its stream.
  auto Player = std::make_unique<TMusicPlayer>(Sound->System());
  Player->BuildTrackList("data\\music\\");
  Player->PlayTrack(0);
  EXPECT_NE(Player->Sound, 0u);
  EXPECT_TRUE(Backend->MusicPlaying());
  Sound.reset();
  EXPECT_FALSE(Backend->MusicPlaying());
  Player.reset();

  bool LoggedBroken = false;
  for (auto& L : Log) LoggedBroken |= L.find("broken.ogg") != std::string::npos;
  EXPECT_TRUE(LoggedBroken);
}

TEST(SoundDevice, WithoutAUsableDriverTheDummyDriverStandsInAndSaysSo) {
  const char* Old = std::getenv("SDL_AUDIODRIVER");
  std::string Saved = Old ? Old : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  std::vector<std::string> Log;
  {
    TSoundSystem Sound(false, [&](const std::string& M, bool) { Log.push_back(M); });
    EXPECT_FALSE(Sound.SoundDisabled);
  }
  if (Old) setenv("SDL_AUDIODRIVER", Saved.c_str(), 1); else unsetenv("SDL_AUDIODRIVER");
  ASSERT_EQ(Log.size(), 4u);
  EXPECT_EQ(Log[0], "TFMODSoundSystem->Initializing...");
  EXPECT_EQ(Log[1].rfind("TFMODSoundSystem->Create->No audio device (", 0), 0u) << Log[1];
  EXPECT_NE(Log[1].find("using the silent dummy driver"), std::string::npos);
  EXPECT_EQ(Log[2], "TFMODSoundSystem->Successfully initialized");
  EXPECT_EQ(Log[3], "TfmodSoundSystem->Shutting down...");
}
