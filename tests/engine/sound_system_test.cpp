#include <gtest/gtest.h>

#include "engine/sound_system.h"
#include "engine/streams.h"
#include "media_fixtures.h"
#include "support/recording_sound_backend.h"

namespace {
struct TSoundFixture : TVFSFixture {
  std::shared_ptr<TRecordingSoundBackend> Backend = std::make_shared<TRecordingSoundBackend>();
  std::vector<std::string> Log;
  std::unique_ptr<TSoundSystem> Make(bool NoSound = false) {
    return std::make_unique<TSoundSystem>(
        NoSound, [this](const std::string& M, bool ToLog) { Log.push_back(M + (ToLog ? "" : " [progress]")); },
        Backend);
  }
};
}  // namespace

TEST(SoundSystem, StartsWith64ChannelsSilentAndShutsDown) {
  TSoundFixture F;
  auto S = F.Make();
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"Open 64"}));
  EXPECT_EQ(F.Log, (std::vector<std::string>{"TFMODSoundSystem->Initializing...",
                                            "TFMODSoundSystem->Successfully initialized"}));
  EXPECT_FALSE(S->Enabled);
  EXPECT_EQ(S->Volume, 0.0f);
  EXPECT_EQ(S->System(), F.Backend);
  S->Update();
  S.reset();
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"Open 64", "Update", "Close"}));
  EXPECT_EQ(F.Log.back(), "TfmodSoundSystem->Shutting down...");
}

TEST(SoundSystem, NoSoundNeverTouchesTheBackend) {
  TSoundFixture F;
  F.Folder.Write("data/sounds/NextTurn.ogg", "x");
  F.Open();
  auto S = F.Make(true);
  S->Enabled = true;
  S->LoadSounds("data\\sounds\\", ".ogg");
  S->PlaySound("NextTurn", false);
  S->Update();
  S.reset();
  EXPECT_TRUE(F.Backend->Calls.empty());
  EXPECT_TRUE(F.Log.empty());
}

// A device that does not open is logged, and the object carries on as after a good start: it
// keeps calling its backend (which plays nothing without the device), hands it to the music
// player and logs its shut-down.
TEST(SoundSystem, ADeviceThatFailsToOpenIsLoggedAndTheObjectCarriesOn) {
  TSoundFixture F;
  F.Backend->OpenFails = true;
  F.Folder.Write("data/sounds/NextTurn.ogg", "x");
  F.Open();
  auto S = F.Make();
  ASSERT_EQ(F.Log.size(), 3u);
  EXPECT_EQ(F.Log[0], "TFMODSoundSystem->Initializing...");
  EXPECT_EQ(F.Log[1], "TFMODSoundSystem->Create->Could not initialize FMOD!");
  EXPECT_EQ(F.Log[2], "TFMODSoundSystem->Create->decoder refused it");
  EXPECT_FALSE(S->SoundDisabled);
  EXPECT_EQ(S->System(), F.Backend);
  S->Enabled = true;
  S->Volume = 0.5f;
  S->LoadSounds("data\\sounds\\", ".ogg");
  S->PlaySound("NextTurn", false);
  S->Update();
  S.reset();
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"Open 64", "LoadSound NextTurn.ogg",
                                                        "PlaySound 1 loop=0 volume=0.50", "Update", "Close"}));
  EXPECT_EQ(F.Log.back(), "TfmodSoundSystem->Shutting down...");
}

TEST(SoundSystem, LooseFolderIsNamedUpToTheFirstDotAndReplacesThePackage) {
  TSoundFixture F;
  F.Pack({MakePackageEntry("data\\sounds\\Packed.ogg", "packed")});
  F.Folder.Write("data/Sounds/NextTurn.ogg", "n");
  F.Folder.Write("data/Sounds/a.b.ogg", "a");
  F.Folder.Write("data/Sounds/notes.txt", "t");
  F.Open();
  auto S = F.Make();
  S->LoadSounds("data\\sounds\\", ".ogg");
  EXPECT_EQ(S->SoundNames, (std::vector<std::string>{"a", "NextTurn"}));
  EXPECT_EQ(F.Backend->CallsStartingWith("Load"),
            (std::vector<std::string>{"LoadSound a.b.ogg", "LoadSound NextTurn.ogg"}));
}

TEST(SoundSystem, WithoutALooseFolderThePackagedSoundsAreDecodedFromMemory) {
  TSoundFixture F;
  F.Pack({MakePackageEntry("data\\sounds\\Click.ogg", "click bytes"), MakePackageEntry("data\\sounds\\x.wav", "w"),
          MakePackageEntry("data\\sounds\\sub\\Deep.ogg", "d"), MakePackageEntry("data\\sounds\\Boom.ogg", "boom")});
  F.Open();
  auto S = F.Make();
  S->LoadSounds("data\\sounds\\", ".ogg");
  EXPECT_EQ(S->SoundNames, (std::vector<std::string>{"Click", "Boom"}));
  EXPECT_EQ(F.Backend->CallsStartingWith("Load"),
            (std::vector<std::string>{"LoadSoundFromMemory click bytes", "LoadSoundFromMemory boom"}));
}

TEST(SoundSystem, PlaysByNameInAnyCaseOnlyWhenEnabled) {
  TSoundFixture F;
  F.Folder.Write("data/sounds/NextTurn.ogg", "n");
  F.Folder.Write("data/sounds/dropdown.ogg", "d");
  F.Open();
  auto S = F.Make();
  S->LoadSounds("data\\sounds\\", ".ogg");
  F.Backend->ClearCalls();
  S->Volume = 0.5f;
  S->PlaySound("nextturn", false);
  EXPECT_TRUE(F.Backend->Calls.empty());
  S->Enabled = true;
  S->PlaySound("nextturn", false);
  S->PlaySound("NEXTTURN", false);
  S->PlaySound("DropDown", false);
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"PlaySound 2 loop=0 volume=0.50", "PlaySound 2 loop=0 volume=0.50",
                                                       "PlaySound 1 loop=0 volume=0.50"}));
}

TEST(SoundSystem, ALoopedSoundKeepsLoopingOnLaterPlays) {
  TSoundFixture F;
  F.Folder.Write("data/sounds/engine.ogg", "e");
  F.Open();
  auto S = F.Make();
  S->LoadSounds("data\\sounds\\", ".ogg");
  S->Enabled = true;
  S->Volume = 1.0f;
  F.Backend->ClearCalls();
  S->PlaySound("engine", false);
  S->PlaySound("engine", true);
  S->PlaySound("engine", false);
  EXPECT_EQ(F.Backend->Calls, (std::vector<std::string>{"PlaySound 1 loop=0 volume=1.00", "PlaySound 1 loop=1 volume=1.00",
                                                       "PlaySound 1 loop=1 volume=1.00"}));
}

TEST(SoundSystem, UnknownNamesAndUndecodableFilesAreLoggedNotFatal) {
  TSoundFixture F;
  F.Folder.Write("data/sounds/good.ogg", "g");
  F.Folder.Write("data/sounds/broken.ogg", "b");
  F.Open();
  F.Backend->Undecodable = {"broken.ogg"};
  auto S = F.Make();
  S->LoadSounds("data\\sounds\\", ".ogg");
  EXPECT_EQ(S->SoundNames, (std::vector<std::string>{"good"}));
  EXPECT_EQ(S->Sounds.size(), 1u);
  S->Enabled = true;
  F.Log.clear();
  F.Backend->ClearCalls();
  S->PlaySound("broken", false);
  S->PlaySound("Broken", false);
  S->PlaySound("StaffHire", false);
  EXPECT_TRUE(F.Backend->Calls.empty());
  EXPECT_EQ(F.Log, (std::vector<std::string>{"TFMODSoundSystem->PlaySound->Sound \"broken\" not loaded!",
                                            "TFMODSoundSystem->PlaySound->Sound \"StaffHire\" not loaded!"}));
}
