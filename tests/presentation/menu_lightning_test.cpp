// The lightning over the menu skies: a flash grows over 300 ms, holds for 500 ms, is not
// restarted while it lasts, and one very long frame ends it.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "presentation/scenes/menu_scenes.h"

TEST(MenuLightning, AFlashGrowsHoldsAndEndsWithoutRestartingWhileItLasts) {
  SetRandomSeed(7);
  float Timer = 0.0f;
  int Frames = 0;
  while (Timer <= 0.0f && Frames < 100000) {
    AdvanceMenuLightning(Timer, 10.0);
    ++Frames;
  }
  ASSERT_GT(Timer, 0.0f) << "no flash in 100000 frames";
  EXPECT_FLOAT_EQ(Timer, 195.0f);  // started at 200, one frame of 10 ms gone
  // 10 ms frames: 300 ms of growth, then 500 ms at full length, and never a second start.
  double Elapsed = 0.0, FullAt = -1.0;
  float LastReach = MenuLightningReach(Timer);
  while (Timer > 0.0f) {
    AdvanceMenuLightning(Timer, 10.0);
    Elapsed += 10.0;
    const float Reach = MenuLightningReach(Timer);
    if (Timer > 0.0f) {
      EXPECT_GE(Reach, LastReach);
    }
    if (Reach >= 1.0f && FullAt < 0.0) FullAt = Elapsed;
    LastReach = Reach;
    ASSERT_LT(Elapsed, 2000.0);
  }
  EXPECT_NEAR(FullAt, 290.0, 10.0);
  EXPECT_NEAR(Elapsed, 290.0 + 500.0, 20.0);

  Timer = 120.0f;
  AdvanceMenuLightning(Timer, 1000.0);  // the game stalled for a second
  EXPECT_LE(Timer, 0.0f);
  EXPECT_FLOAT_EQ(MenuLightningReach(Timer), 0.0f);
}
