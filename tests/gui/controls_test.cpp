#include <gtest/gtest.h>

#include "fake_gui_services.h"
#include "gui/check_box.h"
#include "gui/track_bar.h"

TEST_F(GUITest, CheckboxTargetIncludesCaptionAndIs20High) {
  TGLCheckbox C;
  C.Owner = &Window;
  Window.Pos = TVector3{100, 100, 0};
  C.Position = TVector3{10, 10, 0};
  C.Width = 20;
  C.Height = 60;
  C.Caption = "Sound";  // 35 units: target x 112 .. 163, y 112 .. 132
  C.Visible = true;
  MouseAt(160, 120);
  C.Click();
  EXPECT_TRUE(C.Checked);
  MouseAt(163, 132);
  C.Click();
  EXPECT_FALSE(C.Checked);
  MouseAt(164, 120);
  C.Click();
  EXPECT_FALSE(C.Checked);
  MouseAt(120, 140);  // inside the box's own height, below the target
  C.Click();
  EXPECT_FALSE(C.Checked);
  C.Visible = false;
  MouseAt(120, 120);
  C.Click();
  EXPECT_FALSE(C.Checked);
}

TEST_F(GUITest, TrackBarThumbAndDragLimits) {
  TGLTrackBar T;
  T.Owner = &Window;
  T.Min = 0;
  T.Max = 100;
  T.Width = 200;
  T.Progress = 50;
  EXPECT_FLOAT_EQ(T.ThumbOffset(), 100.0f);
  MouseAt(95, 5);
  EXPECT_FALSE(T.MouseDown());
  MouseAt(104, 12);
  ASSERT_TRUE(T.MouseDown());
  EXPECT_EQ(T.TrackOrigin, 4);
  MouseAt(304, 0);
  T.MouseMove();
  EXPECT_EQ(T.Progress, 100);  // 150 lowered to Max
  MouseAt(-50, 0);
  T.MouseMove();
  EXPECT_EQ(T.Progress, 0);
  MouseAt(54, 0);
  T.MouseMove();
  EXPECT_EQ(T.Progress, 25);
  T.MouseUp();
  MouseAt(200, 0);
  T.MouseMove();
  EXPECT_EQ(T.Progress, 25);
}

TEST_F(GUITest, TrackBarMinIsNotSubtractedFromTheThumb) {
  TGLTrackBar T;
  T.Min = 20;
  T.Max = 120;
  T.Width = 100;
  T.Progress = 20;
  EXPECT_FLOAT_EQ(T.ThumbOffset(), 20.0f);
}

TEST_F(GUITest, TrackBarWithEqualEndsOrNoWidthNeverDivides) {
  TGLTrackBar T;
  T.Min = 5;
  T.Max = 5;
  T.Width = 100;
  T.Progress = 5;
  EXPECT_FLOAT_EQ(T.ThumbOffset(), 0.0f);
  MouseAt(0, 0);
  ASSERT_TRUE(T.MouseDown());
  MouseAt(80, 0);
  T.MouseMove();
  EXPECT_EQ(T.Progress, 5);
  TGLTrackBar Narrow;
  Narrow.Max = 10;
  Narrow.Progress = 3;
  Narrow.Dragging = true;
  Narrow.MouseMove();
  EXPECT_EQ(Narrow.Progress, 3);
}
