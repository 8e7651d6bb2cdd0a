// The GUI manager's scenarios: stacking, the window at the mouse, modal windows, close boxes,
// drags, collapsing, hints, the message box and the handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/edit.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/text.h"
#include "platform/errors.h"
#include "platform/virtual_keys.h"
#include "window_fixture.h"

namespace {

std::vector<float> Depths(const TGLGUI& G) {
  std::vector<float> Z;
  for (const auto& W : G.Windows) Z.push_back(W->Z);
  return Z;
}

TEST_F(WindowTest, ManagerStartsWithTheFixedBaseWindowAndHintItems) {
  ASSERT_EQ(GUI->Windows.size(), 1u);
  TGLWindow& Base = *GUI->Windows[0];
  EXPECT_EQ(Base.Name, "GUIWindow");
  EXPECT_TRUE(Base.Fixed);
  EXPECT_TRUE(Base.Visible);
  EXPECT_EQ(GUI->HintWindow, &Base);
  ASSERT_EQ(Base.Items.size(), 3u);
  EXPECT_EQ(Base.Items[0]->ID, "internal_hint_panel");
  EXPECT_EQ(Base.Items[1]->ID, "internal_hint_text");
  EXPECT_EQ(Base.Items[2]->ID, "internal_hint_textb");
  for (const auto& Item : Base.Items) EXPECT_FALSE(Item->Visible);
  EXPECT_EQ(GUI->GetActiveWindowName(), "none");
}

TEST_F(WindowTest, OpeningPutsTheWindowInFrontAndRenumbersTheOthers) {
  Open("a", 0, 0);
  Open("b", 50, 50);
  Open("science", 100, 100);
  // The base window stays at the bottom; the newest window is one above the highest.
  EXPECT_EQ(Depths(*GUI), (std::vector<float>{1, 2, 3, 5}));
  GUI->OpenWindow("a");
  EXPECT_EQ(Depths(*GUI), (std::vector<float>{1, 5, 2, 3}));
  GUI->BringToFront("b");
  EXPECT_EQ(Depths(*GUI), (std::vector<float>{1, 3, 4, 2}));
  EXPECT_EQ(GUI->GetActiveWindowName(), "b");
  // The order in which Render draws: back to front.
  std::vector<std::string> Drawn;
  for (std::size_t I : GUI->DepthOrder(true)) Drawn.push_back(GUI->Windows[I]->Name);
  EXPECT_EQ(Drawn, (std::vector<std::string>{"GUIWindow", "science", "a", "b"}));
  GUI->OpenWindow("nonexistent");
  GUI->BringToFront("nonexistent");
  GUI->CloseWindow("nonexistent");
}

TEST_F(WindowTest, OpenPlaysTheSoundOnlyForAHiddenWindowButAlwaysRunsOnShow) {
  int Shown = 0;
  GUI->AddWindow("c", "", "science", TVector3{}, 100, 100, {}, {}, [&] { ++Shown; });
  GUI->OpenWindow("science");
  GUI->OpenWindow("science");
  EXPECT_EQ(Services->Sounds, (std::vector<std::string>{"WindowOpen"}));
  EXPECT_EQ(Shown, 2);
}

TEST_F(WindowTest, BringToFrontLeavesItemsTheGameHidHidden) {
  TGLWindow& W = Open("battle", 0, 0);
  TGLButton& Close = W.AddButton("x", "", "autobattle_close", TVector3{10, 30, 0});
  W.AddButton("y", "", "other", TVector3{10, 60, 0}).Alpha = 0.2f;
  Close.Visible = false;
  GUI->OpenWindow("battle");
  MouseAt(50, 40);
  GUI->MouseDown();
  EXPECT_FALSE(Close.Visible);
  EXPECT_EQ(GUI->GetButtonAtMouse(), nullptr);
  EXPECT_EQ(W.Items[1]->Alpha, 1.0f);
}

TEST_F(WindowTest, WindowAtMouseTakesTheHighestDepthAndTheEarlierOnTies) {
  TGLWindow& A = Open("a", 0, 0, 200, 100);
  TGLWindow& B = Open("b", 100, 50, 200, 100);
  MouseAt(150, 75);
  EXPECT_EQ(GUI->GetWindowAtMouse(), &B);
  B.Z = A.Z;
  EXPECT_EQ(GUI->GetWindowAtMouse(), &A);
  MouseAt(200, 0 + 127);  // the body plus the 27-pixel band, bounds included
  EXPECT_EQ(GUI->GetWindowAtMouse(), &A);
  A.Collapsed = true;  // a collapsed window is hit over its full width, title bar only
  MouseAt(199, 27);
  EXPECT_EQ(GUI->GetWindowAtMouse(), &A);
  MouseAt(60, 28);
  EXPECT_EQ(GUI->GetWindowAtMouse(), nullptr);
  EXPECT_TRUE(GUI->IsMouseOverWindow() == false);
  A.Collapsed = false;
  // The globe's shield covers what is drawn and hit: the bottom band of 27 pixels too.
  MouseAt(10, 127);
  EXPECT_TRUE(GUI->IsMouseOverWindow());
  MouseAt(10, 128);
  EXPECT_FALSE(GUI->IsMouseOverWindow());
  // The same test at any point, the mouse left where it is.
  B.Z = A.Z + 1.0f;
  EXPECT_EQ(GUI->GetWindowAt(150, 75), &B);
  EXPECT_EQ(GUI->GetWindowAt(50, 20), &A);
  EXPECT_EQ(GUI->GetWindowAt(250, 20), nullptr);
  EXPECT_EQ(gMouseX, 10);
  EXPECT_EQ(gMouseY, 128);
}

TEST_F(WindowTest, AModalWindowTakesButtonsAndClicksButNotWheelOrDoubleClicks) {
  TGLWindow& A = Open("a", 0, 0, 300, 300);
  TGLButton& ButtonA = A.AddButton("a", "", "press_a", TVector3{10, 40, 0});
  TGLListBox& List = A.AddListBox(TVector3{10, 100, 0}, 200, 100);
  List.AddItem("row", "row_id", "", static_cast<std::intptr_t>(0));
  TGLWindow& M = Open("dialog", 500, 400, 200, 100);
  TGLButton& ButtonM = M.AddButton("ok", "", "press_ok", TVector3{10, 40, 0});
  GUI->SetModalWindow("dialog");
  MouseAt(20, 45);
  EXPECT_EQ(GUI->GetButtonAtMouse(), nullptr);
  MouseAt(20, 110);
  EXPECT_EQ(GUI->GetListItemAtMouse(), nullptr);
  MouseAt(510, 445);
  EXPECT_EQ(GUI->GetButtonAtMouse(), &ButtonM);
  // A double click on a's title bar still collapses it.
  MouseAt(20, 10);
  GUI->DblClick();
  EXPECT_TRUE(A.Collapsed);
  A.Collapsed = false;
  // Once the modal window is hidden it restricts nothing, even before the next frame.
  M.Visible = false;
  MouseAt(20, 45);
  EXPECT_EQ(GUI->GetButtonAtMouse(), &ButtonA);
  GUI->MouseDown();
  EXPECT_FALSE(M.Visible);
  MouseAt(20, 110);
  ASSERT_NE(GUI->GetListItemAtMouse(), nullptr);
  EXPECT_EQ(GUI->GetListItemAtMouse()->ID, "row_id");
  GUI->SetModalWindow("no such window");
  EXPECT_EQ(GUI->ModalWindow, nullptr);
}

TEST_F(WindowTest, CloseBoxClosesOnlyWhereAllowedAndPassesTheClickBeneath) {
  TGLWindow& Below = Open("below", 0, 0, 300, 300);
  TGLEdit& E = Below.AddEdit(TVector3{250, 0, 0}, "text", "edit");
  TGLWindow& Top = Open("top", 100, 0, 200, 100);
  GUI->ActiveWindow = &Top;
  MouseAt(100 + 200 - 27, 2);  // the close box's corner
  Top.CloseDisabled = true;
  GUI->Click();
  EXPECT_TRUE(Top.Visible);
  Top.CloseDisabled = false;
  GUI->Click();
  EXPECT_FALSE(Top.Visible);
  EXPECT_EQ(GUI->ActiveWindow, nullptr);
  EXPECT_EQ(Services->Sounds.back(), "WindowClose");
  // The window beneath got the same click: its edit took the focus.
  EXPECT_EQ(gFocusedEdit, &E);
  // The base window has no close box.
  TGLWindow& Base = *GUI->Windows[0];
  Base.Width = 1024;
  Base.Height = 768;
  Below.Visible = false;
  MouseAt(1024 - 20, 10);
  GUI->Click();
  EXPECT_TRUE(Base.Visible);
}

TEST_F(WindowTest, StackedCloseBoxesCloseInArrayOrderEachWhileItsWindowIsAtTheMouse) {
  // b in front of a and later in the array: when a's turn came, b was at the mouse; only b closes.
  TGLWindow& A = Open("a", 100, 100, 200, 100);
  TGLWindow& B = Open("b", 100, 100, 200, 100);
  MouseAt(100 + 200 - 10, 110);
  GUI->Click();
  EXPECT_FALSE(B.Visible);
  EXPECT_TRUE(A.Visible);

  // Three windows on one spot, a in front, then c, then b; in the array a, b, c. a closes; on
  // b's turn c is the window at the mouse, so b stays; on c's turn c is, and closes as well.
  GUI->OpenWindow("b");
  TGLWindow& C = Open("c", 100, 100, 200, 100);
  GUI->BringToFront("a");
  ASSERT_GT(A.Z, C.Z);
  ASSERT_GT(C.Z, B.Z);
  Services->Sounds.clear();
  GUI->Click();
  EXPECT_FALSE(A.Visible);
  EXPECT_TRUE(B.Visible);
  EXPECT_FALSE(C.Visible);
  EXPECT_EQ(Services->Sounds, (std::vector<std::string>{"WindowClose", "WindowClose"}));
}

TEST_F(WindowTest, ACloseBoxOfAnotherWindowDoesNothingWhileAModalWindowIsUp) {
  TGLWindow& A = Open("a", 100, 100, 200, 100);
  Open("dialog", 600, 500, 100, 100);
  GUI->SetModalWindow("dialog");
  MouseAt(100 + 200 - 10, 110);
  GUI->Click();
  EXPECT_TRUE(A.Visible);
}

TEST_F(WindowTest, TitleBarDragsAreClampedToTheScreen) {
  TGLWindow& W = Open("w", 100, 100, 200, 100);
  MouseAt(150, 110);
  GUI->MouseDown();
  ASSERT_TRUE(W.Dragging);
  EXPECT_EQ(W.DragX, -50);
  MouseAt(250, 300);
  GUI->MouseMove();
  EXPECT_EQ(W.X, 200.0f);
  EXPECT_EQ(W.Y, 290.0f);
  MouseAt(-1000, -1000);
  GUI->MouseMove();
  EXPECT_EQ(W.X, 32.0f - 200.0f);
  EXPECT_EQ(W.Y, -16.0f);
  MouseAt(5000, 5000);
  GUI->MouseMove();
  EXPECT_EQ(W.X, 1024.0f - 16.0f);
  EXPECT_EQ(W.Y, 768.0f - 16.0f);
  GUI->MouseUp();
  EXPECT_FALSE(W.Dragging);
  // The close box end of the title bar starts no drag.
  W.X = 100;
  W.Y = 100;
  MouseAt(100 + 200 - 21, 110);
  GUI->MouseDown();
  EXPECT_FALSE(W.Dragging);
}

TEST_F(WindowTest, AModalDragNearTheEdgeFallsBackToTheGeneralClamps) {
  TGLWindow& M = Open("dialog", 300, 300, 200, 100);
  GUI->SetModalWindow("dialog");
  MouseAt(310, 310);
  GUI->MouseDown();
  MouseAt(20, 310);  // would put it at x 10, inside the 16-pixel margin
  GUI->MouseMove();
  EXPECT_EQ(M.X, 10.0f);
  MouseAt(110, 310);
  GUI->MouseMove();
  EXPECT_EQ(M.X, 100.0f);
}

TEST_F(WindowTest, DoubleClickCollapsesEveryTitleBarUnderTheMouse) {
  TGLWindow& A = Open("a", 100, 100, 200, 100);
  TGLWindow& B = Open("b", 150, 100, 200, 100);
  TGLWindow& C = Open("c", 150, 300, 200, 100);
  MouseAt(200, 110);
  GUI->DblClick();
  EXPECT_TRUE(A.Collapsed);
  EXPECT_TRUE(B.Collapsed);
  EXPECT_FALSE(C.Collapsed);
  GUI->DblClick();
  EXPECT_FALSE(A.Collapsed);
}

TEST_F(WindowTest, HintPanelFollowsTheTextAndTheMouse) {
  GUI->ShowHint("Farmland", "");
  TGLWindow& Base = *GUI->HintWindow;
  auto& Panel = Base.GetItem<TGLPanel>("internal_hint_panel");
  auto& Second = Base.GetItem<TGLText>("internal_hint_textb");
  EXPECT_TRUE(Panel.Visible);
  EXPECT_EQ(Panel.Width, 8 * 7 + 12);
  MouseAt(300, 200);
  GUI->UpdateHintPosition();
  EXPECT_EQ(Panel.Height, 22);
  EXPECT_EQ(Panel.Position.X, 307.0f);
  EXPECT_EQ(Base.GetItem<TGLText>("internal_hint_text").Position.Y, 210.0f);
  GUI->ShowHint("Farm", "second line is longer");
  GUI->UpdateHintPosition();
  EXPECT_EQ(Panel.Height, 34);
  EXPECT_EQ(Panel.Width, 4 * 7 + 12);  // the first line decides
  EXPECT_EQ(Second.Position.Y, 222.0f);
  GUI->HideHint();
  for (const auto& Item : Base.Items) EXPECT_EQ(Item->FadeDir, -1.0f);
}

TEST_F(WindowTest, MessageBoxNeedsItsWindowAndBecomesModal) {
  try {
    GUI->ShowMessageBoxExt("text", "caption", "warning", true);
    FAIL();
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "TGLGUI->ShowMessageBoxExt->No extended message dialog registered!");
  }
  TGLWindow& W = GUI->AddWindow("", "", "messagedlg_ext", TVector3{100, 100, 0}, 400, 200, {}, {}, {});
  W.Fixed = true;
  W.AddImage(TVector3{10, 30, 0}, 64, 64, "gui_image_dummy", "left", "top").ID = "message_image";
  W.AddMemo(TVector3{80, 30, 0}, 300, 150).ID = "memo_message_text";
  W.AddButton("OK", "", "msgdlg_ext_ok", TVector3{150, 180, 0});
  Services->Textures["known"] = 7;
  GUI->ShowMessageBoxExt("Not enough resources.", "Warning", "known", false);
  EXPECT_TRUE(Services->Loaded.empty());
  GUI->ShowMessageBoxExt("Not enough resources.", "Warning", "warning", true);
  EXPECT_EQ(Services->Loaded, (std::vector<std::string>{"data\\tex\\ondemand\\warning.png"}));
  EXPECT_TRUE(W.Visible);
  EXPECT_FALSE(W.Fixed);
  EXPECT_EQ(W.Caption, "Warning");
  EXPECT_EQ(W.GetItem<TGLImage>("message_image").Texture, "warning");
  EXPECT_EQ(W.GetItem<TGLMemo>("memo_message_text").Lines.at(0), "Not enough resources.");
  EXPECT_EQ(GUI->ModalWindow, &W);
  EXPECT_EQ(Services->Sounds, (std::vector<std::string>{"DefaultWarn"}));
  // The game hides the box on its OK button; the modal state ends with it.
  GUI->CloseWindow("messagedlg_ext");
  EXPECT_EQ(GUI->ModalWindow, nullptr);
}

TEST_F(WindowTest, HandlersRunForEveryWindowInArrayOrderVisibleOrNot) {
  std::vector<std::string> Calls;
  for (const char* Name : {"first", "second", "third"}) {
    const std::string N = Name;
    GUI->AddWindow(N, "", N, TVector3{}, 100, 100, {},
                   [&Calls, N](const std::string& Clicked) { Calls.push_back(N + ":" + Clicked); },
                   [&Calls, N] { Calls.push_back(N + " shown"); });
  }
  GUI->AddWindow("none", "", "none", TVector3{}, 100, 100, {}, {}, {});
  GUI->OpenWindow("third");
  Calls.clear();
  GUI->BroadcastEvent("button_ok");
  GUI->UpdateAllWindows();
  EXPECT_EQ(Calls, (std::vector<std::string>{"first:button_ok", "second:button_ok", "third:button_ok", "first shown",
                                             "second shown", "third shown"}));
}

TEST_F(WindowTest, KeysGoToTheFocusedEdit) {
  TGLWindow& W = Open("w", 0, 0);
  TGLEdit& E = W.AddEdit(TVector3{}, "", "e");
  GUI->KeyDown('A', 0);
  EXPECT_EQ(E.Text, "");
  gFocusedEdit = &E;
  GUI->KeyDown('A', 0);
  EXPECT_EQ(E.Text, "a");
}

TEST_F(WindowTest, HideAllWindowsHidesTheBaseWindowAndEndsTheModalState) {
  Open("dialog", 0, 0);
  GUI->SetModalWindow("dialog");
  GUI->HideAllWindows();
  for (const auto& W : GUI->Windows) EXPECT_FALSE(W->Visible);
  EXPECT_EQ(GUI->ModalWindow, nullptr);
}

TEST_F(WindowTest, MouseWheelDirectionIsTheOppositeOfTheDelta) {
  TGLWindow& W = Open("w", 100, 100, 300, 200);
  TGLListBox& L = W.AddListBox(TVector3{10, 30, 0}, 200, 100);
  for (int I = 0; I < 30; ++I) L.AddItem("row", "r", "", static_cast<std::intptr_t>(I));
  MouseAt(150, 150);
  EXPECT_TRUE(GUI->MouseWheel(-120));
  EXPECT_EQ(L.ScrollPos, 1);
  MouseAt(900, 700);
  EXPECT_FALSE(GUI->MouseWheel(120));
}

TEST_F(WindowTest, SkinTexturesReachEveryWindowAndAMissingOneIsFatal) {
  Open("w", 0, 0);
  EXPECT_THROW(GUI->LoadSkinTextures(), ETarnovaError);
  Services->Textures = {{"gui_interface", 11}, {"gui_interface_light", 12}, {"gui_button", 13}, {"gui_trackbar", 14}};
  GUI->LoadSkinTextures();
  const std::array<std::uint32_t, 5> Expected{11, 0, 12, 13, 14};
  EXPECT_EQ(GUI->SkinTextures, Expected);
  for (const auto& W : GUI->Windows) EXPECT_EQ(W->SkinTextures, Expected);
  EXPECT_EQ(GUI->GetWindow("w")->SkinTexture("gui_button"), 13u);
}

}  // namespace

namespace {
}  // namespace
