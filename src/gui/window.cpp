#include "gui/window.h"

#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/edit.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/rounding.h"

namespace {
constexpr std::int32_t kDragMargin = kGUIDragMargin;

bool OfType(const TGLGUIItem& Item, const std::string& TypeName) {
  const TGUIItemKind K = Item.Kind();
  if (TypeName == "button") return Item.IsButton();
  if (TypeName == "panel") return K == TGUIItemKind::Panel;
  if (TypeName == "memo") return K == TGUIItemKind::Memo;
  if (TypeName == "text") return K == TGUIItemKind::Text;
  if (TypeName == "image") return K == TGUIItemKind::Image;
  if (TypeName == "listbox") return K == TGUIItemKind::ListBox;
  if (TypeName == "edit") return K == TGUIItemKind::Edit;
  if (TypeName == "skinned") return K == TGUIItemKind::SkinnedControl;
  return false;
}
}  // namespace

TGLWindow::~TGLWindow() = default;

std::int32_t TGLWindow::GetWidth() const { return Collapsed ? 256 : Width; }

void TGLWindow::WidescreenStretch() {
  if (gWidescreenFactor == 4.0 / 3.0) return;
  const double F = gWidescreenFactor;
  X = static_cast<float>(X * F);
  Width = RoundToInt(Width * F);
  for (auto& Item : Items) {
    Item->Position.X = static_cast<float>(Item->Position.X * F);
    Item->Width = RoundToInt(Item->Width * F);
  }
}

bool TGLWindow::MouseWheel(std::int32_t Direction) {
  bool Result = false;
  if (!Fixed)
    Result = gMouseX > X && gMouseX < X + Width && gMouseY > Y && gMouseY < Y + Height;
  for (auto& Item : Items) {
    if (Item->Kind() == TGUIItemKind::ListBox)
      static_cast<TGLListBox&>(*Item).MouseWheel(Direction);
    else if (Item->Kind() == TGUIItemKind::Memo)
      static_cast<TGLMemo&>(*Item).MouseWheel(Direction);
  }
  return Result;
}

void TGLWindow::Click() {
  for (auto& Item : Items) {
    switch (Item->Kind()) {
      case TGUIItemKind::ListBox: static_cast<TGLListBox&>(*Item).Click(); break;
      case TGUIItemKind::DropDown: static_cast<TGLDropDown&>(*Item).Click(); break;
      case TGUIItemKind::Checkbox: static_cast<TGLCheckbox&>(*Item).Click(); break;
      default: break;
    }
  }
  if (!IsWindowAtMouse()) return;
  for (auto& Item : Items) {
    // A hidden edit never takes the keyboard.
    if (Item->Kind() != TGUIItemKind::Edit || !Item->Visible) continue;
    const float L = X + Item->Position.X;
    const float T = Y + Item->Position.Y;
    if (PointInRect(gMouseX, gMouseY, L, T, L + Item->Width, T + Item->Height)) {
      auto& Edit = static_cast<TGLEdit&>(*Item);
      gFocusedEdit = &Edit;
      Edit.Caret = static_cast<std::int32_t>(Edit.Text.size());
      return;
    }
  }
}

void TGLWindow::MouseDown() {
  for (auto& Item : Items)
    if (Item->Kind() == TGUIItemKind::TrackBar) static_cast<TGLTrackBar&>(*Item).MouseDown();
}

void TGLWindow::MouseUp() {
  Dragging = false;
  for (auto& Item : Items)
    if (Item->Kind() == TGUIItemKind::TrackBar) static_cast<TGLTrackBar&>(*Item).MouseUp();
}

void TGLWindow::MouseMove() {
  for (auto& Item : Items)
    if (Item->Kind() == TGUIItemKind::TrackBar) static_cast<TGLTrackBar&>(*Item).MouseMove();
}

template <class T>
T& TGLWindow::Append(TVector3 Position) {
  auto Item = std::make_unique<T>();
  T& Ref = *Item;
  Ref.Position = Position;
  Ref.Owner = this;
  Ref.Visible = true;
  Items.push_back(std::move(Item));
  return Ref;
}

TGLListBox& TGLWindow::AddListBox(TVector3 Position, std::int32_t AWidth, std::int32_t AHeight) {
  auto& L = Append<TGLListBox>(Position);
  L.Width = AWidth;
  L.Height = AHeight;
  return L;
}

TGLPanel& TGLWindow::AddPanel(TVector3 Position, std::int32_t AWidth, std::int32_t AHeight, bool InnerBevel) {
  // The inner bevel is read from the files but changes nothing in the panel's looks.
  auto& P = Append<TGLPanel>(Position);
  P.Width = AWidth;
  P.Height = AHeight;
  return P;
}

TGLCheckbox& TGLWindow::AddCheckbox(TVector3 Position, std::int32_t AWidth, std::int32_t AHeight,
                                    const std::string& ACaption, bool Checked) {
  auto& C = Append<TGLCheckbox>(Position);
  C.Width = AWidth;
  C.Height = AHeight;
  C.Caption = ACaption;
  C.Checked = Checked;
  return C;
}

TGLDropDown& TGLWindow::AddDropDown(TVector3 Position, std::int32_t AWidth, std::int32_t AHeight) {
  auto& D = Append<TGLDropDown>(Position);
  D.Width = AWidth;
  D.Height = AHeight;
  D.Open = false;
  return D;
}

TGLButton& TGLWindow::AddButton(const std::string& ACaption, const std::string& AIcon, const std::string& AName,
                                TVector3 Position) {
  auto& B = Append<TGLButton>(Position);
  B.Caption = ACaption;
  B.Icon = AIcon;
  B.Name = AName;
  B.Width = 100;
  B.Height = 26;
  return B;
}

TGLImage& TGLWindow::AddImage(TVector3 Position, std::int32_t AWidth, std::int32_t AHeight,
                              const std::string& Texture, const std::string& HAlign, const std::string& VAlign) {
  auto& I = Append<TGLImage>(TVector3{0.0f, 0.0f, Position.Z});
  I.Width = AWidth;
  I.Height = AHeight;
  I.Texture = Texture;
  const std::int32_t SW = Owner ? Owner->ScreenWidth : gGUIScreenWidth;
  const std::int32_t SH = Owner ? Owner->ScreenHeight : 768;
  if (HAlign == "left") I.Position.X = Position.X;
  else if (HAlign == "right") I.Position.X = static_cast<float>(SW - AWidth);
  else if (HAlign == "center") I.Position.X = static_cast<float>(static_cast<double>(Position.X) - AWidth / 2);
  if (VAlign == "top") I.Position.Y = Position.Y;
  else if (VAlign == "bottom") I.Position.Y = static_cast<float>(SH - AHeight);
  else if (VAlign == "center") I.Position.Y = static_cast<float>(static_cast<double>(Position.Y) - AHeight / 2);
  return I;
}

TGLTrackBar& TGLWindow::AddTrackBar(TVector3 Position, std::int32_t AWidth, std::int32_t Min, std::int32_t Max,
                                    std::int32_t Value, bool UseGradient) {
  auto& T = Append<TGLTrackBar>(Position);
  T.Width = AWidth;
  T.Min = Min;
  T.Max = Max;
  T.Progress = Value;
  T.UseGradient = UseGradient;
  return T;
}

TGLText& TGLWindow::AddText(TVector3 Position, const std::string& Text, bool AVisible, const std::string& ID) {
  auto& T = Append<TGLText>(Position);
  T.Text = Text;
  T.ID = ID;
  T.Visible = AVisible;
  T.Color = TVector3{1.0f, 1.0f, 1.0f};
  return T;
}

TGLEdit& TGLWindow::AddEdit(TVector3 Position, const std::string& Text, const std::string& ID) {
  auto& E = Append<TGLEdit>(Position);
  E.Text = Text;
  E.ID = ID;
  E.Width = 96;
  E.Height = 32;
  return E;
}

TGLMemo& TGLWindow::AddMemo(TVector3 Position, std::int32_t AWidth, std::int32_t AHeight) {
  auto& M = Append<TGLMemo>(Position);
  M.Width = AWidth;
  M.Height = AHeight;
  M.Border = true;
  return M;
}

TGLGUIItem* TGLWindow::FindGLGUIItem(std::int32_t Index, const std::string& TypeName) const {
  std::int32_t Count = 0;
  for (const auto& Item : Items) {
    if (!OfType(*Item, TypeName)) continue;
    if (Count == Index) return Item.get();
    ++Count;
  }
  return nullptr;
}

TGLGUIItem& TGLWindow::GetGLGUIItem(std::int32_t Index, const std::string& TypeName) const {
  if (TGLGUIItem* Item = FindGLGUIItem(Index, TypeName)) return *Item;
  throw ETarnovaError("GUI Error : TGLWindow.GetGLGUIItem -> No GUIItem of type \"" + TypeName + "\" found!");
}

TGLGUIItem& TGLWindow::GetGUIItemByID(const std::string& ID) const {
  const std::string Wanted = UpperAscii(ID);
  for (const auto& Item : Items)
    if (UpperAscii(Item->ID) == Wanted) return *Item;
  throw ETarnovaError("GUI Error : TGLWindow.GetGUIItemByID (\"" + Name + "\") -> No GUIItem with ID \"" + ID +
                      "\" found!");
}

void TGLWindow::WrongItemClass(const std::string& ID) const {
  throw ETarnovaError("GUI Error : TGLWindow.GetGUIItemByID (\"" + Name + "\") -> GUIItem with ID \"" + ID +
                      "\" is of another kind!");
}

TGLGUIItem* TGLWindow::GetItemAtMouse() const {
  TGLGUIItem* Result = nullptr;
  for (const auto& Ptr : Items) {
    TGLGUIItem& Item = *Ptr;
    // Hidden items are skipped: a hidden control must not shadow the visible one beneath.
    if (!Item.Visible) continue;
    const float L = X + Item.Position.X;
    const float T = Y + Item.Position.Y;
    if (gMouseX > L && gMouseX < L + Item.GetWidth() && gMouseY > T && gMouseY < T + Item.GetHeight())
      Result = &Item;
    if (Item.Kind() == TGUIItemKind::SkinnedControl) {
      if (TGLSkinnedPart* Part = static_cast<TGLSkinnedControl&>(Item).GetPartAtMouse()) return Part;
    }
    if (Item.Kind() == TGUIItemKind::DropDown) {
      const auto& D = static_cast<TGLDropDown&>(Item);
      const float Rows = static_cast<float>(static_cast<std::int32_t>(D.Items.size()) - 1);
      if (D.Open && gMouseX > L + 5 && gMouseX < L + 5 + D.GetWidth() && gMouseY > T &&
          gMouseY < T + D.GetHeight() + Rows * 19)
        return &Item;
    }
  }
  return Result;
}

void TGLWindow::Clear() {
  Items.clear();  // a focused edit lets go of the focus as it goes
  CloseDisabled = false;
}

void TGLWindow::SetSkinTextures(std::uint32_t A, std::uint32_t B, std::uint32_t C, std::uint32_t D,
                                std::uint32_t E) {
  SkinTextures = {A, B, C, D, E};
}

bool TGLWindow::IsWindowAtMouse() const { return Owner && Owner->GetWindowAtMouse() == this; }

unsigned TGLWindow::SkinTexture(const std::string& SkinName) const {
  if (SkinName == "gui_interface") return SkinTextures[0];
  if (SkinName == "gui_interface_light") return SkinTextures[2];
  if (SkinName == "gui_button") return SkinTextures[3];
  if (SkinName == "gui_trackbar") return SkinTextures[4];
  const int ID = GUIServices().GetTextureInfo(SkinName, tiGLID);
  return ID < 0 ? 0u : static_cast<unsigned>(ID);
}

bool TGLWindow::GetScreenScale(int& ClientWidth, int& ClientHeight, int& ScreenWidth, int& ScreenHeight) const {
  if (!Owner) return false;
  ClientWidth = Owner->ClientSize.X;
  ClientHeight = Owner->ClientSize.Y;
  ScreenWidth = Owner->ScreenWidth;
  ScreenHeight = Owner->ScreenHeight;
  return true;
}

void TGLWindow::ClampToScreen() {
  const std::int32_t SW = Owner ? Owner->ScreenWidth : gGUIScreenWidth;
  const std::int32_t SH = Owner ? Owner->ScreenHeight : 768;
  const std::int32_t M = kDragMargin;
  if (X < 2 * M - GetWidth()) X = static_cast<float>(2 * M - GetWidth());
  if (X > SW - M) X = static_cast<float>(SW - M);
  if (Y < M - 2 * M) Y = static_cast<float>(M - 2 * M);
  if (Y > SH - M) Y = static_cast<float>(SH - M);
}

void TGLWindow::CenterOnScreen() {
  const std::int32_t SW = Owner ? Owner->ScreenWidth : gGUIScreenWidth;
  const std::int32_t SH = Owner ? Owner->ScreenHeight : 768;
  Centered = true;
  X = static_cast<float>(RoundToInt(SW / 2.0 - Width / 2.0));
  Y = static_cast<float>(RoundToInt(SH / 2.0 - Height / 2.0));
}

void TGLWindow::ShowItemsAtOnce() {
  for (auto& Item : Items) {
    if (!Item->Visible) continue;
    Item->FadeDir = 1.0f;
    Item->Alpha = 1.0f;
  }
}
