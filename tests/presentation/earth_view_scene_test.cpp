#include "presentation/earth_view_scene.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(EarthViewScene, ReflectionsRefreshOnTheirFrameSchedule) {
  const auto Schedule = [](std::int32_t Rate) {
    std::int32_t Countdown = 0;
    std::vector<int> Frames;
    for (int Frame = 1; Frame <= 6; ++Frame)
      if (ReflectionRefreshDue(Countdown, Rate)) Frames.push_back(Frame);
    return Frames;
  };
  EXPECT_EQ(Schedule(2), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(Schedule(3), (std::vector<int>{1, 4}));
  for (std::int32_t Rate : {1, 0, -3, INT32_MIN}) EXPECT_EQ(Schedule(Rate), (std::vector<int>{1, 2, 3, 4, 5, 6})) << Rate;
  EXPECT_EQ(Schedule(INT32_MAX), (std::vector<int>{1}));
}

TEST(EarthViewScene, RoundTimerText) {
  EXPECT_EQ(RoundTimerText(70), "01:10");
  EXPECT_EQ(RoundTimerText(600), "10:00");
  EXPECT_EQ(RoundTimerText(7), "00:07");
  EXPECT_FALSE(RoundTimerRed(70));
  EXPECT_FALSE(RoundTimerRed(11));
  EXPECT_TRUE(RoundTimerRed(10));
  EXPECT_TRUE(RoundTimerRed(0));
}
