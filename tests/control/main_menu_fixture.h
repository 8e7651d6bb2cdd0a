#pragma once
// The main menu's own layout on the game's data set, with the options panel filled from known
// settings and music through a recording sound backend.
#include <gtest/gtest.h>

#include "control/game_fixture.h"
#include "engine/music_player.h"
#include "engine/sound_system.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/fake_gui_services.h"
#include "gui/list_box.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "support/recording_sound_backend.h"

class MainMenuPanels : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    // The layouts' pictures count as registered; files come from the game's data folder.
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(TARNOVA_BINARY_DIR);
    auto Services = std::make_unique<TDataGUIServices>();
    Services->EveryTextureKnown = true;
    PreviousServices = SetGUIServices(std::move(Services));
    TGame& G = MakeGame();
    ASSERT_TRUE(G.LoadLocalization("data\\XML\\localization.xml"));
    gLocalization.LanguageIndex = 1;
    gMainMenuGUI->LoadUIFromXML("data\\xml\\lang_eng\\UI_MainMenu_Root.xml");
    gInGameGUI->AddWindowFromXML("data\\xml\\lang_eng\\dialog_quit.xml");
    auto Owned = std::make_shared<TRecordingSoundBackend>();
    Backend = Owned.get();
    gMusicPlayer = std::make_unique<TMusicPlayer>(Owned);
    gSettings.MusicEnabled = true;
    gSettings.MusicVolume = 40;
    gSettings.SoundEnabled = true;
    gSettings.SoundVolume = 60;
    gSettings.AutosaveEnabled = true;
    gSettings.AutosaveInterval = 5;
    gSettings.Reflections = false;
    gSettings.HighGlobeDetail = true;
    G.ApplySettingsToOptions();
  }
  void TearDown() override {
    gMusicPlayer.reset();
    gSoundSystem.reset();
    SetGUIServices(std::move(PreviousServices));
    GameTest::TearDown();
  }
  std::unique_ptr<TGUIServices> PreviousServices;
  template <class T>
  T& Item(const std::string& ID) {
    return gMainMenuGUI->Windows[0]->GetItem<T>(ID);
  }
  TRecordingSoundBackend* Backend = nullptr;
};
