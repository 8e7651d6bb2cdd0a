// The research ring's picking colours, the way it turns and how it comes to rest.
#include <gtest/gtest.h>

#include <set>

#include "presentation/window_view3d.h"
#include "presentation/windows/research_carousel.h"

namespace {

TEST(ResearchCarousel, PickColoursDecodeToTheirCardUpToTheFortyEighth) {
  std::set<std::array<std::uint8_t, 3>> Seen;
  for (int i = 0; i < 48; ++i) {
    Seen.insert(CarouselPickColor(i));
    EXPECT_EQ(CarouselDecodePick(CarouselPickColor(i), 60), i);
  }
  EXPECT_EQ(Seen.size(), 48u);
  EXPECT_EQ(CarouselPickColor(0), (std::array<std::uint8_t, 3>{15, 0, 0}));
  // Every card from the 48th on shares its colour and picks the 48th.
  EXPECT_EQ(CarouselPickColor(47), (std::array<std::uint8_t, 3>{240, 240, 240}));
  EXPECT_EQ(CarouselDecodePick(CarouselPickColor(52), 60), 47);
  EXPECT_EQ(CarouselDecodePick({0, 0, 0}, 60), -1);
  EXPECT_EQ(CarouselDecodePick(CarouselPickColor(3), 3), -1);
}

TEST(ResearchCarousel, TurnsTheShorterWayAndRestsOnTheTarget) {
  EXPECT_EQ(CarouselDirection(0, 120), 1.0f);
  EXPECT_EQ(CarouselDirection(0, 240), -1.0f);
  EXPECT_EQ(CarouselDirection(350, 20), 1.0f);   // across 360
  EXPECT_EQ(CarouselDirection(20, 350), -1.0f);  // across 0
  EXPECT_EQ(CarouselDirection(0, 180), 1.0f);    // opposite: either way, upwards
  EXPECT_EQ(CarouselDirection(90, 90), 1.0f);

  // 10 degrees a frame at 100 ms: wraps above 360 and snaps within two steps, never beyond.
  float Angle = 355, Direction = 1;
  CarouselAnimStep(Angle, Direction, 40, 100);
  EXPECT_FLOAT_EQ(Angle, 5);
  EXPECT_EQ(Direction, 1.0f);
  CarouselAnimStep(Angle, Direction, 40, 100);
  EXPECT_FLOAT_EQ(Angle, 15);
  CarouselAnimStep(Angle, Direction, 40, 100);
  EXPECT_FLOAT_EQ(Angle, 40);
  EXPECT_EQ(Direction, 0.0f);
  Angle = 5, Direction = -1;
  CarouselAnimStep(Angle, Direction, 300, 100);
  EXPECT_FLOAT_EQ(Angle, 355);
  // At rest on the target nothing moves.
  Angle = 120, Direction = 0;
  CarouselAnimStep(Angle, Direction, 120, 16);
  EXPECT_FLOAT_EQ(Angle, 120);
}

TEST(WindowView3D, PanelRectangleInDevicePixels) {
  // A 1024 x 768 GUI on a 2048 x 1536 client: everything doubles; GL rows count from the bottom.
  const TDeviceRect R = WindowItemDeviceRect(100, 50, 10, 20, 200, 100, 4, 2048, 1536, 1024, 768);
  EXPECT_EQ(R.X, 228);
  EXPECT_EQ(R.Width, 384);
  EXPECT_EQ(R.Height, 184);
  EXPECT_EQ(R.Y, 1536 - 148 - 184);
}

}  // namespace
