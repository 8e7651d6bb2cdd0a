#include "presentation/region_links.h"

#include <gtest/gtest.h>

namespace {
TVector3 P(float X, float Y, float Z = 0.0f) { return MakeVector3(X, Y, Z); }
}  // namespace

TEST(RegionLinks, DirectionInAllNineCases) {
  const TVector3 O = P(100, 100);
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(150, 100)), 0.0);
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(150, 50)), 45.0);
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(100, 50)), 90.0);  // straight up on the screen
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(50, 50)), 135.0);
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(50, 100)), 180.0);
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(50, 150)), 225.0);
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(100, 150)), 270.0);  // straight down
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, P(150, 150)), 315.0);
  EXPECT_DOUBLE_EQ(RegionLinkDirection(O, O), 0.0);
}

TEST(RegionLinks, ShapeScalesWithZoomAndRoundsHalfToEven) {
  // Zoom 0.4: head 10 px opening 10 degrees; pointing right, its back corners lie 10 px behind
  // To at +-5 degrees.
  TRegionLinkShape S = RegionLinkShape(P(0, 0, 5), P(100, 0, 5), 50, 50, 0.4f);
  EXPECT_FLOAT_EQ(S.Head[0].X, 100);
  EXPECT_FLOAT_EQ(S.Head[1].X, 90);   // 100 - cos(5 deg) * 10 = 90.04
  EXPECT_FLOAT_EQ(S.Head[1].Y, -1);   // 0 + sin(-5 deg) * 10 = -0.87
  EXPECT_FLOAT_EQ(S.Head[2].Y, 1);
  for (const TVector3& V : S.Shaft) EXPECT_FLOAT_EQ(V.Z, 4);
  // Zoom 1.4: 35 px and 35 degrees; pointing up, the head's corners lie 35 px below To.
  S = RegionLinkShape(P(0, 100), P(0, 0), 50, 50, 1.4f);
  EXPECT_FLOAT_EQ(S.Head[1].X, -11);  // 0 - cos(72.5 deg) * 35 = -10.52
  EXPECT_FLOAT_EQ(S.Head[1].Y, 33);   // 0 + sin(72.5 deg) * 35 = 33.38
  // Halves go to even: a shaft corner at 0.5 rounds to 0, one at 2.5 to 2.
  S = RegionLinkShape(P(0.5f, 2.5f), P(0.5f, 2.5f), 0, 0, 1.0f);
  EXPECT_FLOAT_EQ(S.Shaft[0].X, 0);
  EXPECT_FLOAT_EQ(S.Shaft[0].Y, 2);
}

TEST(RegionLinks, TendencyIcon) {
  EXPECT_STREQ(TendencyIconName(2.0f, 1.0f), "gui_icon_tendency_up");
  EXPECT_STREQ(TendencyIconName(1.0f, 2.0f), "gui_icon_tendency_down");
  EXPECT_STREQ(TendencyIconName(1.5f, 1.5f), "gui_icon_tendency_same");
}
