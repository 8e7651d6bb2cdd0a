#include "presentation/frame_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "presentation/view_state.h"
#include "windows_fixture.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/world_globals.h"

// A hot-seat hand-over: the overlay darkens for two seconds, hands the game to the next player
// at its darkest point (each player keeps their own view of the globe), then clears again.
TEST_F(WindowsTest, TheHandOverSwitchesThePlayerAtTheDarkestPointAndKeepsEachPlayersGlobe) {
  TGame& Game = *this->Game;
  TLogCapture Log;
  Game.Earth = std::make_unique<TEarth>();
  Game.HotSeat = true;
  gNations[2]->PlayerName = "Mara";
  Game.Earth->RotationY = 30.0f;
  gNations[2]->LastGlobeRotationY = 120.0f;
  gPlayerNation = 0;
  Game.NextPlayerSearch = 2;
  Game.OverlayAlpha = 1.0f;
  Game.OverlayDirection = -1;
  Game.FrameTime = 100.0;
  // A world round's news for the incoming player wait behind the veil.
  TGLWindow& News = *gInGameGUI->GetWindow("infocenter");
  News.Visible = false;
  Game.NewsAtHandOver = true;
  int Frames = 0;
  while (gPlayerNation == 0 && Frames < 100) {
    EXPECT_FALSE(News.Visible) << "frame " << Frames;
    AdvanceHotSeatOverlay(Game);
    ++Frames;
  }
  EXPECT_NEAR(Frames, 20, 1);  // from 1.0 down past -1.0 in tenths of a second
  EXPECT_EQ(gPlayerNation, 2);
  EXPECT_TRUE(News.Visible);
  EXPECT_FALSE(Game.NewsAtHandOver);
  EXPECT_EQ(Game.OverlayDirection, 1);
  EXPECT_FLOAT_EQ(gNations[0]->LastGlobeRotationY, 30.0f);
  EXPECT_FLOAT_EQ(Game.Earth->RotationY, 120.0f);
  for (int i = 0; i < 30; ++i) AdvanceHotSeatOverlay(Game);
  EXPECT_FLOAT_EQ(Game.OverlayAlpha, 1.0f);  // cleared and resting
  EXPECT_EQ(gPlayerNation, 2);
  // One line in log.html for the one hand-over, naming the incoming player.
  EXPECT_EQ(std::count(Log.Lines().begin(), Log.Lines().end(),
                       "TGame->Render->Hot seat: the turn goes to \"Mara\" (nation 2)"),
            1);
}

TEST_F(WindowsTest, TheNationSelectionsSkyCrossFadeTakesHalfASecond) {
  TGame& Game = *this->Game;
  Game.State = gsNationSelect;
  Game.DisplayedNation = 0;
  Game.TargetNation = 3;
  AdvanceFrameClocks(Game, ViewState(), 0.4);
  EXPECT_EQ(Game.DisplayedNation, 0);
  EXPECT_FLOAT_EQ(Game.NationTurnAngle, 8.0f);
  AdvanceFrameClocks(Game, ViewState(), 0.1);
  EXPECT_EQ(Game.DisplayedNation, 3);
  EXPECT_FLOAT_EQ(ViewState().NationFade, 0.0f);
}

// The action cursor shows over a button of the screen on display: in the main menu over the
// menu's buttons, not over the places of the heads-up display's hidden buttons.
TEST_F(WindowsTest, TheActionCursorFollowsTheButtonsOfTheScreenOnDisplay) {
  TGame& Game = *this->Game;
  gInGameGUI->Windows[0]->Width = 1024;
  gInGameGUI->Windows[0]->Height = 768;
  gInGameGUI->LoadUIFromXML("data\\XML\\UI_EarthView.xml");
  gMainMenuGUI = std::make_unique<TGLGUI>();
  gMainMenuGUI->ScreenWidth = 1024;
  gMainMenuGUI->Windows[0]->Width = 1024;
  gMainMenuGUI->Windows[0]->Height = 768;
  gMainMenuGUI->LoadUIFromXML("data\\xml\\lang_eng\\UI_MainMenu_Root.xml");
  // A place with a heads-up display button and no menu button, and one with a menu button.
  std::array<int, 2> HudOnly{-1, -1}, Menu{-1, -1};
  for (int Y = 0; Y < 768; Y += 4)
    for (int X = 0; X < 1024; X += 4) {
      gMouseX = X;
      gMouseY = Y;
      const bool OnHud = gInGameGUI->GetButtonAtMouse() != nullptr, OnMenu = gMainMenuGUI->GetButtonAtMouse() != nullptr;
      if (OnHud && !OnMenu && HudOnly[0] < 0) HudOnly = {X, Y};
      if (OnMenu && Menu[0] < 0) Menu = {X, Y};
    }
  ASSERT_GE(HudOnly[0], 0);
  ASSERT_GE(Menu[0], 0);
  auto CursorAt = [&](std::uint16_t State, const std::array<int, 2>& At) {
    Game.State = State;
    gMouseX = At[0];
    gMouseY = At[1];
    ChooseCursor(Game, ViewState());
    return ViewState().CursorTexture;
  };
  EXPECT_EQ(CursorAt(gsMainMenu, HudOnly), "cursor_default");
  EXPECT_EQ(CursorAt(gsMainMenu, Menu), "cursor_action");
  EXPECT_EQ(CursorAt(gsEarthView, HudOnly), "cursor_action");
  gMainMenuGUI = std::make_unique<TGLGUI>();
}
