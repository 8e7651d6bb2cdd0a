// The window's own logic: item constructors, the two lookups and their messages, clicks, the
// wheel, track-bar drags, the item under the mouse and clearing.
#include <gtest/gtest.h>

#include "gui/button.h"
#include "gui/drop_down.h"
#include "gui/edit.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "platform/errors.h"
#include "window_fixture.h"

namespace {

TEST_F(WindowTest, ImageAlignmentFollowsTheGUIScreen) {
  GUI->ScreenWidth = 1229;
  TGLWindow& W = Open("w", 0, 0);
  EXPECT_EQ(W.AddImage(TVector3{500, 300, 0.3f}, 100, 40, "pic", "right", "bottom").Position.X, 1129.0f);
  EXPECT_EQ(W.Items.back()->Position.Y, 728.0f);
  EXPECT_EQ(W.Items.back()->Position.Z, 0.3f);
  TGLImage& C = W.AddImage(TVector3{500, 300, 0}, 101, 41, "pic", "center", "center");
  EXPECT_EQ(C.Position.X, 450.0f);  // 101 div 2 = 50
  EXPECT_EQ(C.Position.Y, 280.0f);
  TGLImage& U = W.AddImage(TVector3{500, 300, 0}, 100, 40, "pic", "middle", "up");
  EXPECT_EQ(U.Position.X, 0.0f);
  EXPECT_EQ(U.Position.Y, 0.0f);
}

TEST_F(WindowTest, LookupsByKindAndByIDWithTheirMessages) {
  TGLWindow& W = Open("science", 0, 0);
  W.AddPanel(TVector3{}, 10, 10, false);
  TGLButton& First = W.AddButton("a", "", "a", TVector3{});
  W.AddText(TVector3{}, "x", true, "");
  TGLButton& Second = W.AddButton("b", "", "b", TVector3{});
  EXPECT_EQ(&W.GetGLGUIItem(0, "button"), &First);
  EXPECT_EQ(&W.GetGLGUIItem(1, "button"), &Second);
  try {
    W.GetGLGUIItem(2, "button");
    FAIL();
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "GUI Error : TGLWindow.GetGLGUIItem -> No GUIItem of type \"button\" found!");
  }
  EXPECT_THROW(W.GetGLGUIItem(0, "dropdown"), ETarnovaError);  // not a kind this lookup knows
  Second.ID = "Button_Start";
  EXPECT_EQ(&W.GetGUIItemByID("BUTTON_start"), &Second);
  EXPECT_EQ(&W.GetItem<TGLButton>("button_start"), &Second);
  try {
    W.GetGUIItemByID("missing");
    FAIL();
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "GUI Error : TGLWindow.GetGUIItemByID (\"science\") -> No GUIItem with ID \"missing\" found!");
  }
  EXPECT_THROW(W.GetItem<TGLMemo>("button_start"), ETarnovaError);
}

TEST_F(WindowTest, ClickFocusesTheEditUnderTheMouseOnlyInTheWindowAtTheMouse) {
  TGLWindow& W = Open("w", 100, 100, 300, 200);
  TGLEdit& Hidden = W.AddEdit(TVector3{10, 40, 0}, "hidden", "e0");
  Hidden.Visible = false;
  TGLEdit& E = W.AddEdit(TVector3{10, 40, 0}, "hello", "e1");
  MouseAt(110, 40 + 100 + 32);  // the lower edge counts
  W.Click();
  EXPECT_EQ(gFocusedEdit, &E);
  EXPECT_EQ(E.Caret, 5);
  gFocusedEdit = nullptr;
  Open("cover", 50, 120, 200, 100);  // now in front at that point
  W.Click();
  EXPECT_EQ(gFocusedEdit, nullptr);
}

TEST_F(WindowTest, WheelReachesListBoxesAndAnswersForTheBody) {
  TGLWindow& W = Open("w", 100, 100, 300, 200);
  TGLListBox& L = W.AddListBox(TVector3{10, 30, 0}, 200, 100);
  for (int I = 0; I < 30; ++I) L.AddItem("row", "r", "", static_cast<std::intptr_t>(I));
  MouseAt(150, 150);
  EXPECT_TRUE(W.MouseWheel(1));
  EXPECT_EQ(L.ScrollPos, 1);
  MouseAt(100, 150);  // on the left edge: not strictly inside the body
  EXPECT_FALSE(W.MouseWheel(0));
  TGLWindow& Base = *GUI->Windows[0];
  MouseAt(10, 10);
  EXPECT_FALSE(Base.MouseWheel(1));  // a fixed window never claims the wheel
}

TEST_F(WindowTest, TrackBarDragMovesOneUnitPerTwoPixels) {
  TGLWindow& W = Open("w", 100, 100, 300, 200);
  TGLTrackBar& T = W.AddTrackBar(TVector3{20, 50, 0}, 200, 0, 100, 30, false);
  // Knob at 100 + 20 + 200 * 30 / 100 = 180.
  MouseAt(183, 155);
  W.MouseDown();
  ASSERT_TRUE(T.Dragging);
  MouseAt(203, 155);
  W.MouseMove();
  EXPECT_EQ(T.Progress, 40);
  MouseAt(1000, 155);
  W.MouseMove();
  EXPECT_EQ(T.Progress, 100);
  W.Dragging = true;
  W.MouseUp();
  EXPECT_FALSE(T.Dragging);
  EXPECT_FALSE(W.Dragging);
  MouseAt(170, 155);  // beside the knob: no drag
  T.Progress = 30;
  W.MouseDown();
  EXPECT_FALSE(T.Dragging);
}

TEST_F(WindowTest, ItemAtMouseSkipsHiddenItemsAndSeesOpenDropDowns) {
  TGLWindow& W = Open("w", 100, 100, 300, 300);
  TGLPanel& Below = W.AddPanel(TVector3{10, 30, 0}, 100, 100, false);
  TGLPanel& Above = W.AddPanel(TVector3{10, 30, 0}, 100, 100, false);
  MouseAt(150, 150);
  EXPECT_EQ(W.GetItemAtMouse(), &Above);
  Above.Visible = false;
  EXPECT_EQ(W.GetItemAtMouse(), &Below);
  MouseAt(110, 130);  // exactly on the corner: strict bounds
  EXPECT_EQ(W.GetItemAtMouse(), nullptr);
  TGLDropDown& D = W.AddDropDown(TVector3{10, 200, 0}, 100, 24);
  for (int I = 0; I < 4; ++I) D.AddItem("row", "r", "", static_cast<std::intptr_t>(0));
  W.AddPanel(TVector3{10, 240, 0}, 100, 50, false);
  MouseAt(150, 100 + 200 + 24 + 3 * 19 - 1);
  EXPECT_NE(W.GetItemAtMouse(), &D);
  D.Open = true;
  EXPECT_EQ(W.GetItemAtMouse(), &D);
}

TEST_F(WindowTest, ItemAtMouseTakesButtonsAs26AndTrackBarsAs19HighWhateverTheirHeight) {
  TGLWindow& W = Open("w", 100, 100, 400, 300);
  TGLButton& Tall = W.AddButton("tall", "", "tall", TVector3{10, 40, 0});
  Tall.Height = 60;
  TGLButton& Flat = W.AddButton("flat", "", "flat", TVector3{200, 40, 0});
  Flat.Height = 10;
  TGLTrackBar& Bar = W.AddTrackBar(TVector3{10, 150, 0}, 200, 0, 100, 50, false);
  // Strict bounds: a button is hit from 1 to 25 pixels below its top, whatever Height says.
  MouseAt(100 + 20, 100 + 40 + 25);
  EXPECT_EQ(W.GetItemAtMouse(), &Tall);
  MouseAt(100 + 20, 100 + 40 + 26);
  EXPECT_EQ(W.GetItemAtMouse(), nullptr);
  MouseAt(100 + 210, 100 + 40 + 25);
  EXPECT_EQ(W.GetItemAtMouse(), &Flat);
  // A track bar from 1 to 18 pixels below its top, with a Height of its own or none.
  for (std::int32_t Height : {0, 5, 50}) {
    Bar.Height = Height;
    MouseAt(100 + 20, 100 + 150 + 18);
    EXPECT_EQ(W.GetItemAtMouse(), &Bar) << Height;
    MouseAt(100 + 20, 100 + 150 + 19);
    EXPECT_EQ(W.GetItemAtMouse(), nullptr) << Height;
  }
}

TEST_F(WindowTest, ClearFreesItemsAndReleasesTheFocus) {
  TGLWindow& W = Open("w", 0, 0);
  gFocusedEdit = &W.AddEdit(TVector3{}, "", "e");
  W.CloseDisabled = true;
  W.Clear();
  EXPECT_TRUE(W.Items.empty());
  EXPECT_FALSE(W.CloseDisabled);
  EXPECT_EQ(gFocusedEdit, nullptr);
}

TEST_F(WindowTest, WidescreenStretchScalesWindowAndItems) {
  TGLWindow& W = Open("w", 100, 0, 301, 100);
  W.AddPanel(TVector3{10, 0, 0}, 25, 10, false);
  gWidescreenFactor = 1.0;
  W.WidescreenStretch();
  EXPECT_EQ(W.Width, 301);
  gWidescreenFactor = 1.5;
  W.WidescreenStretch();
  EXPECT_EQ(W.X, 150.0f);
  EXPECT_EQ(W.Width, 452);  // 451.5 to even
  EXPECT_EQ(W.Items[0]->Position.X, 15.0f);
  EXPECT_EQ(W.Items[0]->Width, 38);  // 37.5 to even
  gWidescreenFactor = 4.0 / 3.0;
  W.WidescreenStretch();
  EXPECT_EQ(W.Width, 452);
}

TEST_F(WindowTest, CollapsedWidthIs256) {
  TGLWindow& W = Open("w", 0, 0, 500, 100);
  EXPECT_EQ(W.GetWidth(), 500);
  W.Collapsed = true;
  EXPECT_EQ(W.GetWidth(), 256);
}

}  // namespace
