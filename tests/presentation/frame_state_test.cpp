#include "presentation/frame_state.h"

#include <gtest/gtest.h>

#include "windows_fixture.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/world_globals.h"

// A hot-seat hand-over: the overlay darkens for two seconds, hands the game to the next player
// at its darkest point (each player keeps their own view of the globe), then clears again.
TEST_F(WindowsTest, TheHandOverSwitchesThePlayerAtTheDarkestPointAndKeepsEachPlayersGlobe) {
  TGame& Game = *this->Game;
  Game.Earth = std::make_unique<TEarth>();
  Game.HotSeat = true;
  Game.Earth->RotationY = 30.0f;
  gNations[2]->LastGlobeRotationY = 120.0f;
  gPlayerNation = 0;
  Game.NextPlayerSearch = 2;
  Game.OverlayAlpha = 1.0f;
  Game.OverlayDirection = -1;
  Game.FrameTime = 100.0;
  int Frames = 0;
  while (gPlayerNation == 0 && Frames < 100) {
    AdvanceHotSeatOverlay(Game);
    ++Frames;
  }
  EXPECT_NEAR(Frames, 20, 1);  // from 1.0 down past -1.0 in tenths of a second
  EXPECT_EQ(gPlayerNation, 2);
  EXPECT_EQ(Game.OverlayDirection, 1);
  EXPECT_FLOAT_EQ(gNations[0]->LastGlobeRotationY, 30.0f);
  EXPECT_FLOAT_EQ(Game.Earth->RotationY, 120.0f);
  for (int i = 0; i < 30; ++i) AdvanceHotSeatOverlay(Game);
  EXPECT_FLOAT_EQ(Game.OverlayAlpha, 1.0f);  // cleared and resting
  EXPECT_EQ(gPlayerNation, 2);
}

TEST_F(WindowsTest, TheNationSelectionsSkyCrossFadeTakesHalfASecond) {
  TGame& Game = *this->Game;
  Game.State = gsNationSelect;
  Game.DisplayedNation = 0;
  Game.TargetNation = 3;
  AdvanceFrameClocks(Game, 0.4);
  EXPECT_EQ(Game.DisplayedNation, 0);
  EXPECT_FLOAT_EQ(Game.NationTurnAngle, 8.0f);
  AdvanceFrameClocks(Game, 0.1);
  EXPECT_EQ(Game.DisplayedNation, 3);
  EXPECT_FLOAT_EQ(Game.NationFade, 0.0f);
}
