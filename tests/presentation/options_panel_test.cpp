// The main menu's per-frame handler: the settings, the music and the sound follow the options
// panel while the menu shows.
#include <gtest/gtest.h>

#include "control/main_menu_fixture.h"
#include "presentation/windows/options_panel.h"

namespace {
// The menu's frame calls the render handler the view bound to the menu's base window.
void Frame() { gMainMenuGUI->Windows[0]->OnRender(); }
}  // namespace

TEST_F(MainMenuPanels, TheOptionsMirrorTheSettingsAndTheSettingsFollowTheOptionsEveryFrame) {
  RegisterOptionsPanel(*Game);
  ASSERT_TRUE(gMainMenuGUI->Windows[0]->OnRender);
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
  Frame();
  EXPECT_EQ(Item<TGLText>("options_label_autosaveinterval").Text, "Save automatically every 7 rounds");
  EXPECT_EQ(gSettings.AutosaveInterval, 7);
  EXPECT_EQ(gSettings.MusicVolume, 25);
  EXPECT_TRUE(gSettings.Reflections);
  EXPECT_FLOAT_EQ(gMusicPlayer->Volume, 0.25f);

  // Unticking music stops it at once; ticking it again starts a new track, once.
  gMusicPlayer->BuildTrackList("data\\music\\");
  Backend->ClearCalls();
  Item<TGLCheckbox>("options_checkbox_music").Checked = false;
  Frame();
  EXPECT_EQ(Backend->CallsStartingWith("StopMusic").size(), 1u);
  EXPECT_FALSE(gSettings.MusicEnabled);
  Item<TGLCheckbox>("options_checkbox_music").Checked = true;
  Frame();
  Frame();
  EXPECT_TRUE(gSettings.MusicEnabled);
  EXPECT_EQ(Backend->CallsStartingWith("PlayMusic").size(), 1u);

  // A track bar without a range is silence, not a division by zero.
  Item<TGLTrackBar>("options_trackbar_music").Max = 0;
  Frame();
  EXPECT_FLOAT_EQ(gMusicPlayer->Volume, 0.0f);
}
