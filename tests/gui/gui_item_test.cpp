#include <gtest/gtest.h>

#include "fake_gui_services.h"
#include "gui/button.h"
#include "gui/gui_item.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "platform/errors.h"

TEST(PointInRectTest, AllFourEdgesCount) {
  EXPECT_TRUE(PointInRect(10, 10, 10, 10, 20, 20));
  EXPECT_TRUE(PointInRect(20, 20, 10, 10, 20, 20));
  EXPECT_FALSE(PointInRect(21, 20, 10, 10, 20, 20));
  EXPECT_FALSE(PointInRect(15, 9, 10, 10, 20, 20));
  EXPECT_TRUE(PointInRect(15, 15, 14.5f, 14.5f, 15.5f, 15.5f));
}

TEST(PointInPolygonTest, CrossingNumberRules) {
  EXPECT_FALSE(PointInPolygon({}, 0, 0));
  const std::vector<TIntPair> Square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(PointInPolygon(Square, 5, 5));
  EXPECT_FALSE(PointInPolygon(Square, 15, 5));
  EXPECT_FALSE(PointInPolygon(Square, -1, 5));
  // Exactly on the crossing X of the right edge: not strictly left of it, so only the left edge
  // toggles... and the left edge is crossed too: a point on the left edge counts as inside.
  EXPECT_FALSE(PointInPolygon(Square, 10, 5));
  EXPECT_TRUE(PointInPolygon(Square, 0, 5));
  // A vertex at the test Y counts as not above it: Y 0 crosses the vertical edges, Y 10 does not.
  EXPECT_TRUE(PointInPolygon(Square, 5, 0));
  EXPECT_FALSE(PointInPolygon(Square, 5, 10));
  const std::vector<TIntPair> Triangle{{0, 0}, {20, 10}, {0, 20}};
  EXPECT_TRUE(PointInPolygon(Triangle, 9, 10));
  EXPECT_FALSE(PointInPolygon(Triangle, 15, 4));
}

TEST(FadeTest, FadeInClampsAndKeepsDirection) {
  TGLPanel P;
  EXPECT_FLOAT_EQ(P.Opacity, 0.85f);
  EXPECT_FALSE(P.Visible);
  P.FadeIn();
  P.FadeSpeed = 1000.0f;  // 1 s of frame: +0.75
  P.UpdateFade();
  EXPECT_FLOAT_EQ(P.Alpha, 0.75f);
  P.UpdateFade();
  EXPECT_FLOAT_EQ(P.Alpha, 1.0f);
  EXPECT_FLOAT_EQ(P.FadeDir, 1.0f);
  EXPECT_TRUE(P.Visible);
}

TEST(FadeTest, FadeOutHidesOnlyBelowZero) {
  TGLPanel P;
  P.Visible = true;
  P.Alpha = 0.75f;
  P.FadeSpeed = 1000.0f;
  P.FadeOut();
  P.UpdateFade();
  EXPECT_TRUE(P.Visible);  // exactly 0 is not below 0
  EXPECT_FLOAT_EQ(P.Alpha, 0.0f);
  P.UpdateFade();
  EXPECT_FALSE(P.Visible);
  EXPECT_FLOAT_EQ(P.Alpha, 0.0f);
  // A hidden item does not advance.
  P.FadeDir = 1.0f;
  P.UpdateFade();
  EXPECT_FLOAT_EQ(P.Alpha, 0.0f);
}

TEST(FadeTest, ToggleFade) {
  TGLPanel Still;
  Still.ToggleFade();
  EXPECT_TRUE(Still.Visible);
  EXPECT_FLOAT_EQ(Still.FadeDir, 1.0f);
  Still.ToggleFade();
  EXPECT_FLOAT_EQ(Still.FadeDir, -1.0f);
  EXPECT_TRUE(Still.Visible);
  Still.ToggleFade();
  EXPECT_FLOAT_EQ(Still.FadeDir, 1.0f);
}

TEST_F(GUITest, TextWidthsFollowTheFontAndRoundHalvesToEven) {
  TGLText Header;
  Header.Text = "Seven!!";  // 7 characters of 7 units
  Header.IsHeader = true;
  Header.Width = 120;
  EXPECT_EQ(Header.GetHeight(), 15);
  EXPECT_EQ(Header.GetWidth(), 120);
  Header.Width = 0;
  EXPECT_EQ(Header.GetWidth(), 49);
  TGLText Plain;
  Plain.Text = "abc";
  Plain.Width = 300;  // a plain text ignores Width
  EXPECT_EQ(Plain.GetWidth(), 21);
  Services->CharWidth = 2.5f;  // 3 x 2.5 = 7.5 rounds to the even 8; 1 x 2.5 to 2
  EXPECT_EQ(Plain.GetWidth(), 8);
  Plain.Text = "a";
  EXPECT_EQ(Plain.GetWidth(), 2);
  TGLPanel P;
  P.Width = -1;
  EXPECT_THROW(P.GetWidth(), ERangeError);
}

TEST_F(GUITest, ButtonHoverNeedsTheWindowAtTheMouse) {
  TGLButton B;
  B.Width = 100;
  B.Height = 26;
  B.Position = TVector3{10, 20, 0};
  MouseAt(10, 20);
  EXPECT_TRUE(B.IsHovered());  // without owner
  MouseAt(111, 20);
  EXPECT_FALSE(B.IsHovered());
  Window.Pos = TVector3{100, 200, 0};
  B.Owner = &Window;
  MouseAt(210, 246);
  EXPECT_TRUE(B.IsHovered());
  Window.AtMouse = false;  // covered by another window
  EXPECT_FALSE(B.IsHovered());
}

TEST_F(GUITest, InvisibleButtonDoesNotFade) {
  TGLButton B;
  B.FadeDir = 1.0f;
  B.FadeSpeed = 100.0f;
  B.Render();
  EXPECT_FLOAT_EQ(B.Alpha, 0.0f);
}
