#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "fake_gui_services.h"
#include "gui/drop_down.h"

namespace {
class DropDownTest : public GUITest {
protected:
  void SetUp() override {
    GUITest::SetUp();
    Box.Owner = &Window;
    Box.Position = TVector3{100, 100, 0};
    Box.Width = 150;
    Box.Height = 30;  // rows at y (i + 1) x 25
    Box.Visible = true;
  }
  void TearDown() override {
    FreeLocalization();
    GUITest::TearDown();
  }
  void Fill(int N) {
    for (int I = 0; I < N; ++I) Box.AddItem("row " + std::to_string(I), "id" + std::to_string(I), "", I);
  }
  void ClickArrow() {
    MouseAt(100 + 150 - 10, 110);
    Box.Click();
  }
  TGLDropDown Box;
};
}  // namespace

TEST_F(DropDownTest, ArrowOpensRowChoosesAndFolds) {
  Fill(3);
  EXPECT_EQ(Box.ItemIndex, 0);
  ClickArrow();
  EXPECT_TRUE(Box.Open);
  EXPECT_EQ(Services->Sounds, std::vector<std::string>{"dropdown"});
  // Row 2 spans y 100 + 75 .. 100 + 100, x 105 .. 250 (wider than its frame).
  MouseAt(249, 180);
  Box.Click();
  EXPECT_FALSE(Box.Open);
  EXPECT_EQ(Box.ItemIndex, 2);
  EXPECT_EQ(Box.GetSelectedID(), "id2");
  EXPECT_EQ(Services->Sounds.size(), 1u);  // a row choice plays nothing
  // A click on a row of a folded list does nothing.
  MouseAt(150, 130);
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 2);
}

TEST_F(DropDownTest, SharedBorderGoesToTheLaterRow) {
  Fill(3);
  ClickArrow();
  MouseAt(150, 150);  // bottom of row 0 and top of row 1
  Box.Click();
  EXPECT_EQ(Box.ItemIndex, 1);
}

TEST_F(DropDownTest, ArrowWhileOpenFoldsWithoutChoosing) {
  Fill(3);
  Box.ItemIndex = 1;
  ClickArrow();
  ClickArrow();
  EXPECT_FALSE(Box.Open);
  EXPECT_EQ(Box.ItemIndex, 1);
  EXPECT_EQ(Services->Sounds.size(), 2u);
  // A click elsewhere keeps an open list open.
  ClickArrow();
  MouseAt(0, 0);
  Box.Click();
  EXPECT_TRUE(Box.Open);
}

TEST_F(DropDownTest, LowFieldArrowAndRowZeroOverlap) {
  Box.Height = 20;  // row 0 starts at y 15, inside the arrow rectangle (y 2 .. 22)
  Fill(2);
  Box.ItemIndex = 1;
  MouseAt(100 + 150 - 10, 118);
  Box.Click();
  EXPECT_FALSE(Box.Open);
  EXPECT_EQ(Box.ItemIndex, 0);
  EXPECT_EQ(Services->Sounds.size(), 1u);
}

TEST_F(DropDownTest, EmptyListTogglesWithSoundAndShowsPlaceholder) {
  gLocalization.AddKey("szStrDropDownEmpty", "- Liste leer -", "- List empty -");
  gLocalization.AddKey("szStrDropDownNoSelection", "- Keine Auswahl -", "- No selection -");
  ClickArrow();
  EXPECT_TRUE(Box.Open);
  ClickArrow();
  EXPECT_FALSE(Box.Open);
  EXPECT_EQ(Services->Sounds.size(), 2u);
  EXPECT_EQ(Box.FaceText(), "- Liste leer -");
  EXPECT_EQ(Box.GetSelectedID(), "");
  Fill(2);
  Box.ItemIndex = -1;
  EXPECT_EQ(Box.FaceText(), "- Keine Auswahl -");
  Box.ItemIndex = 1;
  EXPECT_EQ(Box.FaceText(), "row 1");
}

TEST_F(DropDownTest, RefillWithFewerRowsNeverReadsPastThem) {
  gLocalization.AddKey("szStrDropDownNoSelection", "- Keine Auswahl -", "- No selection -");
  Fill(5);
  Box.ItemIndex = 4;
  Box.Open = true;
  Box.Clear();
  EXPECT_EQ(Box.ItemIndex, 4);
  EXPECT_TRUE(Box.Open);
  Fill(2);
  EXPECT_EQ(Box.GetSelectedID(), "");
  EXPECT_EQ(Box.FaceText(), "- Keine Auswahl -");
}
