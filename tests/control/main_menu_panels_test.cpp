// The main menu's options panel, its sub-panels and the quit dialog, on the game's own layouts.
#include <gtest/gtest.h>

#include "control/main_menu_fixture.h"
#include "control/main_menu_panels.h"

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
