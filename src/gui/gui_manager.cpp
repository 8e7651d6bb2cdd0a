#include "gui/gui_manager.h"

#include <limits>

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "gui/button.h"
#include "gui/edit.h"
#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "platform/errors.h"
#include "platform/rounding.h"

std::unique_ptr<TGLGUI> gInGameGUI;
std::unique_ptr<TGLGUI> gNationSelectGUI;
std::unique_ptr<TGLGUI> gBattleFieldGUI;
std::unique_ptr<TGLGUI> gMainMenuGUI;
std::unique_ptr<TGLGUI> gIntroGUI;
std::unique_ptr<TGLGUI> gEndGameGUI;

namespace {
// Makes the six managers when the program starts and frees them at its end, in the game's order.
struct TGUIManagerLifetime {
  TGUIManagerLifetime() {
    gInGameGUI = std::make_unique<TGLGUI>();
    gNationSelectGUI = std::make_unique<TGLGUI>();
    gBattleFieldGUI = std::make_unique<TGLGUI>();
    gMainMenuGUI = std::make_unique<TGLGUI>();
    gIntroGUI = std::make_unique<TGLGUI>();
    gEndGameGUI = std::make_unique<TGLGUI>();
  }
  ~TGUIManagerLifetime() {
    gEndGameGUI.reset();
    gInGameGUI.reset();
    gNationSelectGUI.reset();
    gBattleFieldGUI.reset();
    gMainMenuGUI.reset();
    gIntroGUI.reset();
  }
};
const TGUIManagerLifetime kManagers;

constexpr float kLowestDepth = -2147483648.0f;
constexpr float kHighestDepth = 2147483648.0f;

bool InTitleBar(const TGLWindow& W) {
  return W.X <= gMouseX && gMouseX <= W.X + W.GetWidth() - 22 && W.Y + 1 <= gMouseY && gMouseY <= W.Y + 26;
}

bool ButtonHoldsMouse(const TGLWindow& W, const TGLGUIItem& Item) {
  const float L = W.X + Item.Position.X;
  const float T = W.Y + Item.Position.Y;
  return PointInRect(gMouseX, gMouseY, L, T, L + Item.Width, T + Item.Height);
}
}  // namespace

TGLGUI::TGLGUI() {
  TGLWindow& Base = AddWindow("GUIWindow", "", "GUIWindow", TVector3{}, 50, 50, {}, {}, {});
  Base.Fixed = true;
  Base.Visible = true;
  TGLPanel& Panel = Base.AddPanel(TVector3{5.0f, 50.0f, 0.0f}, 16, 22, false);
  Panel.ID = "internal_hint_panel";
  Panel.Border = true;
  Panel.Visible = false;
  Base.AddText(TVector3{5.0f, 50.0f, 0.0f}, "", false, "internal_hint_text");
  Base.AddText(TVector3{5.0f, 50.0f, 0.0f}, "", false, "internal_hint_textb");
  HintWindow = &Base;
}

TGLGUI::~TGLGUI() = default;

TGLWindow& TGLGUI::AddWindow(const std::string& Caption, const std::string& Icon, const std::string& Name,
                             TVector3 Position, std::int32_t Width, std::int32_t Height,
                             TWindowRenderHandler OnRender, TWindowClickHandler OnClick, TWindowShowHandler OnShow) {
  auto W = std::make_unique<TGLWindow>();
  W->Caption = Caption;
  W->Icon = Icon;
  W->Name = Name;
  W->X = Position.X;
  W->Y = Position.Y;
  W->Z = Position.Z;
  W->Width = Width;
  W->Height = Height;
  W->OnRender = std::move(OnRender);
  W->OnClick = std::move(OnClick);
  W->OnShow = std::move(OnShow);
  W->Owner = this;
  W->SkinTextures = SkinTextures;
  Windows.push_back(std::move(W));
  return *Windows.back();
}

void TGLGUI::LoadSkinTextures() {
  auto Lookup = [](const char* Name) {
    const int ID = GUIServices().GetTextureInfo(Name, tiGLID);
    if (ID < 0) throw ETarnovaError(std::string("TGLGUI->LoadSkinTextures->Skin texture \"") + Name + "\" not found");
    return static_cast<std::uint32_t>(ID);
  };
  const std::uint32_t Light = Lookup("gui_interface_light");
  const std::uint32_t Button = Lookup("gui_button");
  const std::uint32_t TrackBar = Lookup("gui_trackbar");
  const std::uint32_t Frame = Lookup("gui_interface");
  SetSkinTextures(Frame, 0, Light, Button, TrackBar);
  for (auto& W : Windows) W->SkinTextures = SkinTextures;
}

void TGLGUI::SetSkinTextures(std::uint32_t A, std::uint32_t B, std::uint32_t C, std::uint32_t D, std::uint32_t E) {
  SkinTextures = {A, B, C, D, E};
}

TGLWindow* TGLGUI::GetWindow(const std::string& Name) const {
  for (const auto& W : Windows)
    if (W->Name == Name) return W.get();
  return nullptr;
}

namespace {

// The rectangle a window is drawn in: the 27-pixel title bar and the client area below it
// (none while collapsed), bounds included.
bool WindowHolds(const TGLWindow& W, std::int32_t X, std::int32_t Y) {
  const std::int32_t H = W.Collapsed ? 0 : W.Height;
  const float Left = static_cast<float>(RoundToInt(W.X));
  const float Top = static_cast<float>(RoundToInt(W.Y));
  const float Right = static_cast<float>(RoundToInt(static_cast<double>(W.X) + W.Width));
  const float Bottom = static_cast<float>(RoundToInt(static_cast<double>(W.Y) + 27 + H));
  return PointInRect(X, Y, Left, Top, Right, Bottom);
}

bool WindowHoldsMouse(const TGLWindow& W) { return WindowHolds(W, gMouseX, gMouseY); }

}  // namespace

TGLWindow* TGLGUI::GetWindowAtMouse() const { return GetWindowAt(gMouseX, gMouseY); }

TGLWindow* TGLGUI::GetWindowAt(std::int32_t X, std::int32_t Y) const {
  TGLWindow* Best = nullptr;
  float BestZ = kLowestDepth;
  for (const auto& W : Windows) {
    if (!W->Visible) continue;
    if (WindowHolds(*W, X, Y) && W->Z > BestZ) {
      Best = W.get();
      BestZ = W->Z;
    }
  }
  return Best;
}

TGLWindow* TGLGUI::CurrentModalWindow() const {
  return ModalWindow && ModalWindow->Visible ? ModalWindow : nullptr;
}

TGLButton* TGLGUI::GetButtonAtMouse() const {
  if (TGLWindow* M = CurrentModalWindow()) {
    for (auto& Item : M->Items)
      if (Item->IsButton() && Item->Visible && ButtonHoldsMouse(*M, *Item)) return static_cast<TGLButton*>(Item.get());
    return nullptr;
  }
  TGLWindow* W = GetWindowAtMouse();
  if (!W) return nullptr;
  for (auto& Item : W->Items) {
    if (Item->Kind() == TGUIItemKind::SkinnedControl) {
      if (TGLSkinnedPart* Part = static_cast<TGLSkinnedControl&>(*Item).GetPartAtMouse()) return Part;
    } else if (Item->IsButton() && Item->Visible && ButtonHoldsMouse(*W, *Item)) {
      return static_cast<TGLButton*>(Item.get());
    }
  }
  return nullptr;
}

TListItem* TGLGUI::GetListItemAtMouse() {
  TGLWindow* W = CurrentModalWindow();
  if (!W) W = GetWindowAtMouse();
  if (!W) return nullptr;
  for (auto& Item : W->Items) {
    // A hidden list box takes no clicks.
    if (Item->Kind() != TGUIItemKind::ListBox || !Item->Visible) continue;
    if (TListItem* Row = static_cast<TGLListBox&>(*Item).GetItemAtMouse()) return Row;
  }
  return nullptr;
}

bool TGLGUI::IsMouseOverWindow() const {
  for (const auto& W : Windows) {
    if (W->Visible && !W->Fixed && WindowHoldsMouse(*W)) return true;
  }
  return false;
}

void TGLGUI::GetActiveWindowName(std::string& Name) const { Name = GetActiveWindowName(); }

std::string TGLGUI::GetActiveWindowName() const { return ActiveWindow ? ActiveWindow->Name : std::string("none"); }

std::vector<std::size_t> TGLGUI::DepthOrder(bool VisibleOnly) const {
  std::vector<std::size_t> Order;
  for (std::size_t I = 0; I < Windows.size(); ++I)
    if (!VisibleOnly || Windows[I]->Visible) Order.push_back(I);
  // An exchange sort on purpose: windows of equal depth end in the order it leaves them.
  for (std::size_t I = 0; I + 1 < Order.size(); ++I)
    for (std::size_t J = I + 1; J < Order.size(); ++J)
      if (Windows[Order[I]]->Z > Windows[Order[J]]->Z) std::swap(Order[I], Order[J]);
  return Order;
}

void TGLGUI::BringToFront(const std::string& Name) {
  if (TGLWindow* W = GetWindow(Name)) BringWindowToFront(*W);
}

void TGLGUI::BringWindowToFront(TGLWindow& W) {
  W.Visible = true;
  if (W.Fixed) {
    W.Z = 0.0f;
    return;
  }
  // Items come up at full opacity; which of them are shown stays as the file and the game set
  // it, so a control the game hid cannot be clicked before its next frame.
  for (auto& Item : W.Items)
    if (Item->Visible) Item->Alpha = 1.0f;
  for (auto& V : Windows)
    if (V->Fixed) V->Z = 0.0f;
  float MinZ = kHighestDepth;
  for (auto& V : Windows)
    if (V->Visible && V->Z < MinZ) MinZ = V->Z;
  for (auto& V : Windows)
    if (V->Visible) V->Z -= MinZ;
  float MaxZ = kLowestDepth;
  for (auto& V : Windows)
    if (V->Z > MaxZ) MaxZ = V->Z;
  if (W.Z < MaxZ) W.Z = MaxZ + 1.0f;
  ActiveWindow = &W;
  bool BelowOne = false;
  for (auto& V : Windows)
    if (V->Z < 1.0f) BelowOne = true;
  if (BelowOne)
    for (auto& V : Windows) V->Z += 1.0f;
  const std::vector<std::size_t> Order = DepthOrder(true);
  for (std::size_t K = 0; K < Order.size(); ++K) Windows[Order[K]]->Z = static_cast<float>(K + 1);
}

void TGLGUI::OpenWindow(const std::string& Name) {
  TGLWindow* W = GetWindow(Name);
  if (!W) return;
  if (!W->Visible) GUIServices().PlaySound("WindowOpen");
  W->Visible = true;
  if (W->OnShow) W->OnShow();
  BringWindowToFront(*W);
  for (auto& V : Windows)
    if (V->Visible && V->Z >= W->Z) W->Z = V->Z + 1.0f;
}

void TGLGUI::CloseWindow(const std::string& Name) {
  TGLWindow* W = GetWindow(Name);
  if (!W) return;
  W->Visible = false;
  if (ModalWindow == W) ModalWindow = nullptr;
}

void TGLGUI::SetModalWindow(const std::string& Name) { ModalWindow = GetWindow(Name); }

void TGLGUI::HideAllWindows() {
  for (auto& W : Windows) W->Visible = false;
  ModalWindow = nullptr;
}

void TGLGUI::ShowMessageBoxExt(const std::string& Text, const std::string& Caption, const std::string& Image,
                               bool PlaySound) {
  TGLWindow* W = GetWindow("messagedlg_ext");
  if (!W) throw ETarnovaError("TGLGUI->ShowMessageBoxExt->No extended message dialog registered!");
  W->Fixed = false;
  auto& S = GUIServices();
  if (S.GetTextureInfo(Image, tiGLID) == -1) S.LoadTexture("data\\tex\\ondemand\\" + Image + ".png", Image);
  W->Caption = Caption;
  W->GetItem<TGLImage>("message_image").Texture = Image;
  W->GetItem<TGLMemo>("memo_message_text").SetText(Text, true);
  BringWindowToFront(*W);
  ModalWindow = W;
  if (PlaySound) S.PlaySound("DefaultWarn");
}

void TGLGUI::ShowHint(const std::string& Text, const std::string& TextB) {
  auto& Panel = HintWindow->GetItem<TGLPanel>("internal_hint_panel");
  auto& First = HintWindow->GetItem<TGLText>("internal_hint_text");
  auto& Second = HintWindow->GetItem<TGLText>("internal_hint_textb");
  Panel.Visible = true;
  Panel.Width = RoundToInt(GUIServices().TextWidth(Text)) + 12;
  First.Visible = true;
  First.Text = Text;
  First.Position.Z = Panel.Position.Z + 0.25f;
  Second.Visible = true;
  if (!TextB.empty()) {
    Second.Text = TextB;
    Second.Position.Z = Panel.Position.Z + 0.25f;
    Second.FadeIn();
  } else {
    Second.Text.clear();
  }
  Panel.FadeIn();
  First.FadeIn();
}

void TGLGUI::HideHint() {
  for (auto& Item : HintWindow->Items)
    if (Item->ID.find("internal_hint") != std::string::npos) Item->FadeOut();
}

void TGLGUI::UpdateHintPosition() {
  auto& Panel = HintWindow->GetItem<TGLPanel>("internal_hint_panel");
  auto& First = HintWindow->GetItem<TGLText>("internal_hint_text");
  auto& Second = HintWindow->GetItem<TGLText>("internal_hint_textb");
  const float MX = static_cast<float>(gMouseX);
  const float MY = static_cast<float>(gMouseY);
  Panel.Position = TVector3{MX + 7, MY + 7, 0.05f};
  First.Position = TVector3{MX + 12, MY + 10, 0.1f};
  if (!Second.Text.empty()) {
    Panel.Height = 34;
    Second.Position = TVector3{MX + 12, MY + 22, 0.1f};
  } else {
    Panel.Height = 22;
  }
}

bool TGLGUI::MouseWheel(std::int32_t Delta) {
  const std::int32_t Direction = Delta < 0 ? 1 : (Delta > 0 ? -1 : 0);
  bool Result = false;
  for (auto& W : Windows)
    if (W->Visible && W->MouseWheel(Direction)) Result = true;
  return Result;
}

void TGLGUI::TitleBarPress(TGLWindow& W) {
  if (!InTitleBar(W)) return;
  W.Dragging = true;
  W.DragX = RoundToInt(static_cast<double>(W.X) - gMouseX);
  W.DragY = RoundToInt(static_cast<double>(W.Y) - gMouseY);
}

void TGLGUI::MouseDown() {
  if (TGLWindow* M = CurrentModalWindow()) {
    BringWindowToFront(*M);
    TitleBarPress(*M);
    M->MouseDown();
    return;
  }
  TGLWindow* W = GetWindowAtMouse();
  if (!W) return;
  if (!W->Fixed) {
    BringWindowToFront(*W);
    TitleBarPress(*W);
  }
  W->MouseDown();
}

void TGLGUI::MouseMove() {
  const std::int32_t M = kGUIDragMargin;
  if (TGLWindow* Modal = CurrentModalWindow(); Modal && Modal->Dragging) {
    const std::int32_t NX = Modal->DragX + gMouseX;
    const std::int32_t NY = Modal->DragY + gMouseY;
    if (NX > M && NX + Modal->GetWidth() < ScreenWidth - M && NY > M && NY + 28 < ScreenHeight - M) {
      Modal->X = static_cast<float>(NX);
      Modal->Y = static_cast<float>(NY);
      Modal->MouseMove();
      return;
    }
  }
  for (auto& W : Windows) {
    if (!W->Dragging) continue;
    W->X = static_cast<float>(gMouseX + W->DragX);
    W->Y = static_cast<float>(gMouseY + W->DragY);
    W->ClampToScreen();
  }
  if (TGLWindow* W = GetWindowAtMouse()) W->MouseMove();
}

void TGLGUI::MouseUp() {
  for (auto& W : Windows) W->MouseUp();
}

void TGLGUI::Click() {
  // Close boxes, window by window in array order, each while it is the window at the mouse. The
  // window at the mouse is asked anew for each: once one closes, a window later in the array
  // whose close box lies at the same point is the one at the mouse and closes with the same click.
  const TGLWindow* ModalAtClick = CurrentModalWindow();
  for (std::size_t I = 0; I < Windows.size(); ++I) {
    TGLWindow* W = Windows[I].get();
    if (!W->Visible || W != GetWindowAtMouse()) continue;
    const std::int32_t Wd = W->GetWidth();
    if (W->X + Wd - 27 <= gMouseX && gMouseX <= W->X + Wd - 3 && W->Y + 2 <= gMouseY && gMouseY <= W->Y + 28 &&
        !W->CloseDisabled && (!ModalAtClick || ModalAtClick == W) && !W->Fixed) {
      W->Visible = false;
      GUIServices().PlaySound("WindowClose");
      if (ActiveWindow == W) ActiveWindow = nullptr;
      if (ModalWindow == W) ModalWindow = nullptr;
    }
  }
  const TGLWindow* Modal = CurrentModalWindow();
  TGLWindow* W = GetWindowAtMouse();
  if (W && (!Modal || W == Modal)) W->Click();
}

void TGLGUI::DblClick() {
  for (auto& W : Windows)
    if (W->Visible && !W->Fixed && InTitleBar(*W)) W->Collapsed = !W->Collapsed;
}

void TGLGUI::KeyDown(std::uint16_t Key, std::uint8_t Shift) {
  for (auto& W : Windows) W->KeyDown();
  if (gFocusedEdit) gFocusedEdit->KeyDown(Key, Shift);
}

void TGLGUI::UpdateAllWindows() {
  // By index: a handler may add windows.
  for (std::size_t I = 0; I < Windows.size(); ++I)
    if (Windows[I]->OnShow) Windows[I]->OnShow();
}

void TGLGUI::BroadcastEvent(const std::string& Name) {
  for (std::size_t I = 0; I < Windows.size(); ++I)
    if (Windows[I]->OnClick) Windows[I]->OnClick(Name);
}
