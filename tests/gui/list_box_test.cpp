#include <gtest/gtest.h>

#include "fake_gui_services.h"
#include "gui/list_box.h"

namespace {
class ListBoxTest : public GUITest {
protected:
  void SetUp() override {
    GUITest::SetUp();
    Window.Pos = TVector3{100, 50, 0};
    Box.Owner = &Window;
    Box.Position = TVector3{20, 30, 0};  // screen origin (120, 80)
    Box.Width = 200;
    Box.Height = 100;
    Box.Visible = true;
  }
  void Fill(int N) {
    for (int I = 0; I < N; ++I) Box.AddItem("row " + std::to_string(I), "id" + std::to_string(I), "", 1000 + I);
  }
  // The mouse on visible row I.
  void MouseOnRow(int I) { MouseAt(120 + 50, 80 + 8 + 15 * I + 3); }
  TGLListBox Box;
};
}  // namespace

TEST_F(ListBoxTest, ClickSelectsTheRowUnderTheMouse) {
  Fill(10);
  MouseOnRow(2);
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 2);
  EXPECT_EQ(Box.GetSelectedID(), "id2");
  EXPECT_EQ(Box.GetSelectedData(), 1002);
  Box.ScrollPos = 3;
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 5);
  // Rows end 25 before the right edge; a miss leaves the selection.
  MouseAt(120 + 200 - 24, 80 + 8 + 15 * 2 + 3);
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 5);
  // Row hit boxes include both edges: y 88 is row 0's top.
  Box.ScrollPos = 0;
  MouseAt(129, 88);
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 0);
  // Hidden boxes take clicks too.
  Box.Visible = false;
  MouseOnRow(1);
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 1);
}

TEST_F(ListBoxTest, GetItemAtMouseSelects) {
  Fill(3);
  MouseOnRow(1);
  TListItem* Item = Box.GetItemAtMouse();
  ASSERT_NE(Item, nullptr);
  EXPECT_EQ(Item->ID, "id1");
  EXPECT_EQ(Box.ItemIndex, 1);
  MouseOnRow(3);  // past the last item
  EXPECT_EQ(Box.GetItemAtMouse(), nullptr);
  EXPECT_EQ(Box.ItemIndex, 1);
}

TEST_F(ListBoxTest, SeventhRowClickableButNotDrawn) {
  for (int H = 109; H <= 113; ++H) {
    Box.Height = H;
    EXPECT_EQ(Box.ClickableRows(), 7) << H;
    EXPECT_EQ(Box.DrawnRows(), 6) << H;
  }
  Box.Height = 110;
  Fill(10);
  MouseOnRow(6);
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 6);
}

TEST_F(ListBoxTest, UpdatePullsTheSelectionIntoTheRows) {
  Box.Update();
  EXPECT_EQ(Box.ItemIndex, -1);  // empty list
  Fill(8);
  Box.ItemIndex = 7;
  Box.Clear();
  EXPECT_EQ(Box.ItemIndex, 7);  // Clear keeps it
  Fill(3);
  Box.Update();
  EXPECT_EQ(Box.ItemIndex, 2);
}

TEST_F(ListBoxTest, RefillWithFewerRowsStillShowsThem) {
  Fill(30);
  Box.ScrollPos = 20;
  Box.Clear();
  Fill(3);
  Box.Update();
  EXPECT_EQ(Box.ScrollPos, 0);
  Box.Clear();
  Fill(12);
  Box.ScrollPos = 12;
  Box.Update();
  EXPECT_EQ(Box.ScrollPos, 13 - 7);
}

TEST_F(ListBoxTest, WheelClamping) {
  Fill(3);
  MouseAt(130, 90);
  Box.MouseWheel(1);
  EXPECT_EQ(Box.ScrollPos, 0);  // 100 + 15 > 60: 4 - 7 = -3, then 0
  Box.Clear();
  Fill(10);  // 15 x 11 = 165
  for (int I = 0; I < 10; ++I) Box.MouseWheel(1);
  EXPECT_EQ(Box.ScrollPos, 4);  // 100 + 75 > 165 -> 11 - 7
  Box.MouseWheel(-1);
  EXPECT_EQ(Box.ScrollPos, 3);
  Box.MouseWheel(-5);
  EXPECT_EQ(Box.ScrollPos, 0);
  // Only over the box, and only when its window is the one at the mouse.
  MouseAt(321, 90);
  Box.MouseWheel(1);
  EXPECT_EQ(Box.ScrollPos, 0);
  MouseAt(320, 180);  // bottom-right corner, included
  Window.AtMouse = false;
  Box.MouseWheel(1);
  EXPECT_EQ(Box.ScrollPos, 0);
  Window.AtMouse = true;
  Box.MouseWheel(1);
  EXPECT_EQ(Box.ScrollPos, 1);
}

TEST_F(ListBoxTest, ArrowsRepeatAboutEvery100Milliseconds) {
  Fill(20);  // down arrow stops once 100 + 15 x ScrollPos reaches 315: ScrollPos 15
  Window.ItemAtMouse = &Box;
  gLeftMouseDown = true;
  MouseAt(120 + 200 - 16, 80 + 100 - 16);  // down arrow
  Box.FadeSpeed = 16.0f;
  int Steps = 0;
  for (int Frame = 0; Frame < 63; ++Frame) {  // about 1 s at 16 ms per frame
    const int Before = Box.ScrollPos;
    Box.UpdateArrows();
    Steps += Box.ScrollPos - Before;
  }
  // A step at once, then one each time 1.0 has run down at 0.16 per frame (every 7th frame).
  EXPECT_EQ(Steps, 9);
  // A slow frame still gives one step only.
  Box.FadeSpeed = 1000.0f;
  const int Before = Box.ScrollPos;
  Box.UpdateArrows();
  EXPECT_EQ(Box.ScrollPos, Before + 1);
  for (int Frame = 0; Frame < 50; ++Frame) Box.UpdateArrows();
  EXPECT_EQ(Box.ScrollPos, 15);
  // The up arrow stops at 0.
  MouseAt(120 + 200 - 16, 80 + 16);
  for (int Frame = 0; Frame < 50; ++Frame) Box.UpdateArrows();
  EXPECT_EQ(Box.ScrollPos, 0);
  // Released button, or another item at the mouse: nothing.
  MouseAt(120 + 200 - 16, 80 + 100 - 16);
  gLeftMouseDown = false;
  Box.UpdateArrows();
  EXPECT_EQ(Box.ScrollPos, 0);
  gLeftMouseDown = true;
  Window.ItemAtMouse = nullptr;
  Box.UpdateArrows();
  EXPECT_EQ(Box.ScrollPos, 0);
}

