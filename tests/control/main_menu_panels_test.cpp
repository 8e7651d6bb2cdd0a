// The main menu's options panel, its sub-panels and the quit dialog, on the game's own layouts.
#include <gtest/gtest.h>

#include "control/game_fixture.h"
#include "control/main_menu_panels.h"
#include "engine/music_player.h"
#include "engine/sound_system.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/list_box.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "gui/fake_gui_services.h"
#include "support/recording_sound_backend.h"

namespace {
// The layouts' pictures count as registered; files come from the game's data folder.
class TDataServices : public TFakeGUIServices {
public:
  int GetTextureInfo(const std::string&, int What) override { return What == tiGLID ? 1 : 64; }
  bool FileExists(const std::string& Name) override { return gVirtualFileSystem->FileExists(Name); }
  std::optional<std::string> ReadFile(const std::string& Name) override { return gVirtualFileSystem->ReadFile(Name); }
};
}  // namespace

TEST(ResolutionList, KeepsThirtyTwoBitModesFromEightHundredBySixHundredAndSelectsTheLastMatch) {
  TGLListBox List;
  TGameSettings Settings;
  Settings.ScreenWidth = 1024;
  Settings.ScreenHeight = 768;
  Settings.Frequency = 60;
  const std::vector<TDisplayMode> Offered = {
      {1280, 1024, 32, 60}, {1024, 768, 32, 60}, {1024, 768, 16, 60}, {799, 600, 32, 60},
      {800, 599, 32, 60},   {800, 600, 32, 0},   {1024, 768, 32, 60}, {1024, 768, 32, 75}};
  const std::vector<TDisplayMode> Kept = FillResolutionList(List, Offered, Settings);
  ASSERT_EQ(Kept.size(), 5u);
  std::vector<std::string> Captions;
  for (const TListItem& Row : List.Items) Captions.push_back(Row.Caption);
  EXPECT_EQ(Captions, (std::vector<std::string>{"1280x1024[60 Hz]", "1024x768[60 Hz]", "800x600[0 Hz]",
                                                "1024x768[60 Hz]", "1024x768[75 Hz]"}));
  EXPECT_EQ(List.ItemIndex, 3);
  EXPECT_EQ(Kept[static_cast<std::size_t>(List.Items[4].Data)].Frequency, 75);

  // A configured mode the display lacks, or a display with nothing usable, selects nothing.
  Settings.Frequency = 85;
  FillResolutionList(List, Offered, Settings);
  EXPECT_EQ(List.ItemIndex, -1);
  EXPECT_TRUE(FillResolutionList(List, {{640, 480, 32, 60}, {1024, 768, 16, 60}}, Settings).empty());
  EXPECT_TRUE(List.Items.empty());
  EXPECT_EQ(List.ItemIndex, -1);
}

class MainMenuPanels : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(TARNOVA_BINARY_DIR);
    PreviousServices = SetGUIServices(std::make_unique<TDataServices>());
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

TEST_F(MainMenuPanels, TheOptionsMirrorTheSettingsAndTheSettingsFollowTheOptionsEveryFrame) {
  EXPECT_TRUE(Item<TGLCheckbox>("options_checkbox_globedetail").Checked);
  EXPECT_FALSE(Item<TGLCheckbox>("options_checkbox_reflections").Checked);
  EXPECT_EQ(Item<TGLTrackBar>("options_trackbar_music").Progress, 40);
  EXPECT_EQ(Item<TGLTrackBar>("options_trackbar_autosaveinterval").Progress, 5);
  const auto& Languages = Item<TGLDropDown>("options_dropdown_language");
  ASSERT_EQ(Languages.Items.size(), 2u);
  EXPECT_EQ(Languages.Items[1].ID, "eng");
  EXPECT_EQ(Languages.ItemIndex, 1);

  // Dragging the interval changes the label in the same frame; the volumes are heard at once.
  Item<TGLTrackBar>("options_trackbar_autosaveinterval").Progress = 7;
  Item<TGLTrackBar>("options_trackbar_music").Progress = 25;
  Item<TGLCheckbox>("options_checkbox_reflections").Checked = true;
  Game->MainMenu_Render();
  EXPECT_EQ(Item<TGLText>("options_label_autosaveinterval").Text, "Save automatically every 7 rounds");
  EXPECT_EQ(gSettings.AutosaveInterval, 7);
  EXPECT_EQ(gSettings.MusicVolume, 25);
  EXPECT_TRUE(gSettings.Reflections);
  EXPECT_FLOAT_EQ(gMusicPlayer->Volume, 0.25f);

  // Unticking music stops it at once; ticking it again starts a new track, once.
  gMusicPlayer->BuildTrackList("data\\music\\");
  Backend->ClearCalls();
  Item<TGLCheckbox>("options_checkbox_music").Checked = false;
  Game->MainMenu_Render();
  EXPECT_EQ(Backend->CallsStartingWith("StopMusic").size(), 1u);
  EXPECT_FALSE(gSettings.MusicEnabled);
  Item<TGLCheckbox>("options_checkbox_music").Checked = true;
  Game->MainMenu_Render();
  Game->MainMenu_Render();
  EXPECT_TRUE(gSettings.MusicEnabled);
  EXPECT_EQ(Backend->CallsStartingWith("PlayMusic").size(), 1u);

  // A track bar without a range is silence, not a division by zero.
  Item<TGLTrackBar>("options_trackbar_music").Max = 0;
  Game->MainMenu_Render();
  EXPECT_FLOAT_EQ(gMusicPlayer->Volume, 0.0f);
}

TEST_F(MainMenuPanels, ThePanelsFadeInAndOutWithTheirBackgrounds) {
  TGLWindow& Base = *gMainMenuGUI->Windows[0];
  Game->MainMenu_HideSubPanels();
  Game->MainMenu_ToggleOptions(true);
  EXPECT_GT(Base.GetGLGUIItem(3, "skinned").FadeDir, 0.0f);
  EXPECT_LT(Base.GetGLGUIItem(4, "skinned").FadeDir, 0.0f);
  EXPECT_LT(Base.GetGLGUIItem(1, "skinned").FadeDir, 0.0f);
  EXPECT_LT(Base.GetGUIItemByID("mainmenu_credits").FadeDir, 0.0f);
  for (auto& I : Base.Items) {
    if (I->ID.find("options_") != std::string::npos) {
      EXPECT_TRUE(I->Visible && I->FadeDir > 0.0f) << I->ID;
    }
    if (I->ID.find("hotseat_") != std::string::npos) {
      EXPECT_LT(I->FadeDir, 0.0f) << I->ID;
    }
  }
  Game->MainMenu_ToggleOptions(false);
  Game->MainMenu_ToggleHotSeat(true);
  EXPECT_LT(Base.GetGLGUIItem(3, "skinned").FadeDir, 0.0f);
  EXPECT_GT(Base.GetGUIItemByID("hotseat_controller_nation0").FadeDir, 0.0f);
}

TEST_F(MainMenuPanels, TheQuitDialogClosesOnNoAndEndsTheGameOnYesOnlyWhereItBelongs) {
  Game->State = gsEarthView;
  gInGameGUI->OpenWindow("messagedlg_quit");
  gInGameGUI->SetModalWindow("messagedlg_quit");
  Game->QuitDialog_Click("something_else");
  EXPECT_TRUE(gInGameGUI->GetWindow("messagedlg_quit")->Visible);
  Game->QuitDialog_Click("msgdlg_yesno_no");
  EXPECT_FALSE(gInGameGUI->GetWindow("messagedlg_quit")->Visible);
  EXPECT_EQ(gInGameGUI->ModalWindow, nullptr);  // the game takes input again
  EXPECT_FALSE(Game->Quit);

  Game->State = gsIntro;
  Game->QuitDialog_Click("msgdlg_yesno_yes");
  EXPECT_FALSE(Game->Quit);
  Game->State = gsEarthView;
  gInGameGUI->OpenWindow("messagedlg_quit");
  Game->QuitDialog_Click("msgdlg_yesno_yes");
  EXPECT_TRUE(Game->Quit);
  EXPECT_FALSE(gInGameGUI->GetWindow("messagedlg_quit")->Visible);
}
