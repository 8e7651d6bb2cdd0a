#include "gui/list_box.h"

#include "engine/gl_api.h"

#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "platform/rounding.h"

void TGLListBox::AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon,
                         std::intptr_t Data) {
  Items.push_back(TListItem{Caption, ID, Icon, Data, TVector3{1.0f, 1.0f, 1.0f}});
}

void TGLListBox::AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon,
                         std::int32_t Data) {
  AddItem(Caption, ID, Icon, static_cast<std::intptr_t>(Data));
}

void TGLListBox::Clear() { Items.clear(); }

std::string TGLListBox::GetSelectedID() const {
  if (ItemIndex < 0 || ItemIndex >= ItemCount()) return std::string();
  return Items[static_cast<std::size_t>(ItemIndex)].ID;
}

std::intptr_t TGLListBox::GetSelectedData() const {
  if (ItemIndex < 0 || ItemIndex >= ItemCount()) return 0;
  return Items[static_cast<std::size_t>(ItemIndex)].Data;
}

std::int32_t TGLListBox::ClickableRows() const {
  std::int32_t N = 0;
  while (15 * N + 8 < Height - 10) ++N;
  return N;
}

std::int32_t TGLListBox::DrawnRows() const {
  std::int32_t N = 0;
  while (15 * N + 8 < Height - 15) ++N;
  return N;
}

std::int32_t TGLListBox::RowAtMouse() const {
  const TIntPair P = ScreenOrigin();
  const std::int32_t Rows = ClickableRows();
  for (std::int32_t I = 0; I < Rows && ScrollPos + I < ItemCount(); ++I) {
    if (ScrollPos + I < 0) continue;
    if (PointInRect(gMouseX, gMouseY, static_cast<float>(P.X + 9), static_cast<float>(P.Y + 8 + 15 * I),
                    static_cast<float>(P.X + Width - 25), static_cast<float>(P.Y + 22 + 15 * I)))
      return ScrollPos + I;
  }
  return -1;
}

TListItem* TGLListBox::GetItemAtMouse() {
  const std::int32_t K = RowAtMouse();
  if (K < 0) return nullptr;
  ItemIndex = K;
  return &Items[static_cast<std::size_t>(K)];
}

void TGLListBox::Click() {
  // Handled whether or not the box is visible, as the window forwards it.
  const std::int32_t K = RowAtMouse();
  if (K >= 0) ItemIndex = K;
}

void TGLListBox::MouseWheel(std::int32_t Delta) {
  if (!Owner || !Owner->IsWindowAtMouse()) return;
  const TIntPair P = ScreenOrigin();
  if (!PointInRect(gMouseX, gMouseY, static_cast<float>(P.X), static_cast<float>(P.Y),
                   static_cast<float>(P.X + Width), static_cast<float>(P.Y + Height)))
    return;
  ScrollPos += Delta;
  if (ScrollPos < 0) ScrollPos = 0;
  const std::int32_t N = ItemCount();
  if (Height + 15 * ScrollPos > 15 * (N + 1)) ScrollPos = N + 1 - RoundToInt(Height / 15.0);
  if (ScrollPos < 0) ScrollPos = 0;
}

void TGLListBox::Render() {
  Update();
  Draw();
  UpdateArrows();
}

void TGLListBox::Update() {
  UpdateFade();
  if (ItemIndex > ItemCount() - 1) ItemIndex = ItemCount() - 1;
  // After a refill with fewer rows the old scroll position would show an empty box: pull it back
  // as far as the wheel would.
  if (ScrollPos > 0 && ScrollPos >= ItemCount()) {
    ScrollPos = ItemCount() + 1 - RoundToInt(Height / 15.0);
    if (ScrollPos < 0) ScrollPos = 0;
  }
  if (ScrollPos < 0) ScrollPos = 0;
}

void TGLListBox::UpdateArrows() {
  RepeatDelay = static_cast<float>(RepeatDelay - 0.01 * FadeSpeed);
  if (RepeatDelay < 0.0f) RepeatDelay = 0.0f;
  if (!(gLeftMouseDown || gLeftMousePressed) || !Owner || !Owner->IsItemAtMouse(this)) return;
  const TIntPair P = ScreenOrigin();
  const float Left = static_cast<float>(P.X + Width - 23);
  const float Right = static_cast<float>(P.X + Width - 9);
  if (PointInRect(gMouseX, gMouseY, Left, static_cast<float>(P.Y + 9), Right, static_cast<float>(P.Y + 23)) &&
      RepeatDelay <= 0.0f && ScrollPos > 0) {
    --ScrollPos;
    RepeatDelay = 1.0f;
  }
  if (PointInRect(gMouseX, gMouseY, Left, static_cast<float>(P.Y + Height - 23), Right,
                  static_cast<float>(P.Y + Height - 9)) &&
      RepeatDelay <= 0.0f && Height + 15 * ScrollPos < 15 * (ItemCount() + 1)) {
    ++ScrollPos;
    RepeatDelay = 1.0f;
  }
}

void TGLListBox::Draw() {
  if (!Visible) return;
  auto& S = GUIServices();
  const float W = static_cast<float>(Width);
  const float H = static_cast<float>(Height);
  const float A = Opacity * Alpha;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BindSkin("gui_interface_light");
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(Position.X, Position.Y, Position.Z + 0.01f);
  glColor4f(1.0f, 1.0f, 1.0f, A);
  DrawFrame(0, 0, W, H);
  glBegin(GL_QUADS);
  glColor4f(0.5f, 0.5f, 0.5f, A);
  glTexCoord2f(0.0703125f, 0.75f); glVertex3f(W - 22, 9, 0.025f);
  glTexCoord2f(0.0703125f, 0.5f);  glVertex3f(W - 22, H - 9, 0.025f);
  glTexCoord2f(0.3046875f, 0.5f);  glVertex3f(W - 9, H - 9, 0.025f);
  glTexCoord2f(0.3046875f, 0.75f); glVertex3f(W - 9, 9, 0.025f);
  glColor4f(1.0f, 1.0f, 1.0f, A);
  DrawScrollArrows(W, H, 0.03f);
  glEnd();
  glDisable(GL_BLEND);
  glPopMatrix();

  SetScissor(30);
  const std::int32_t Rows = DrawnRows();
  const float X = Position.X, Y = Position.Y, Z = Position.Z;
  for (std::int32_t I = 0; I < Rows; ++I) {
    const std::int32_t K = ScrollPos + I;
    if (K < 0 || K >= ItemCount()) continue;
    const TListItem& Item = Items[static_cast<std::size_t>(K)];
    const float Offset = Item.Icon.empty() ? 0.0f : 14.0f;
    const float RowY = Y + 8 + 15.0f * I;
    if (K == ItemIndex) {
      glDisable(GL_TEXTURE_2D);
      glColor4f(0.2f, 0.2f, 0.2f, A);
      const float Right = X + static_cast<float>(GetWidth());
      glBegin(GL_QUADS);
      glVertex3f(X + 3, RowY, Z + 0.1f);
      glVertex3f(X + 3, RowY + 15, Z + 0.1f);
      glVertex3f(Right, RowY + 15, Z + 0.1f);
      glVertex3f(Right, RowY, Z + 0.1f);
      glEnd();
      glColor4f(0.8352941f, 0.8117647f, 0.6078431f, A);
      glBegin(GL_LINES);
      glVertex3f(X + 3, RowY, Z + 0.15f);
      glVertex3f(Right, RowY, Z + 0.15f);
      glVertex3f(X + 3, RowY + 15, Z + 0.15f);
      glVertex3f(Right, RowY + 15, Z + 0.15f);
      glEnd();
      glEnable(GL_TEXTURE_2D);
      glEnable(GL_BLEND);
      glColor4f(1.0f, 1.0f, 1.0f, A);
      S.Print(Item.Caption, TVector3{X + 9 + Offset, RowY, Z + 0.2f}, gDefaultTextColor, Alpha, 1.0f, false, I == 0);
    } else {
      glEnable(GL_TEXTURE_2D);
      glEnable(GL_BLEND);
      glColor4f(1.0f, 1.0f, 1.0f, A);
      S.Print(Item.Caption, TVector3{X + 9 + Offset, RowY, Z + 0.03f}, Item.Color, Alpha, 1.0f, false, I == 0);
    }
  }
  glColor4f(1.0f, 1.0f, 1.0f, A);
  for (std::int32_t I = 0; I < Rows; ++I) {
    const std::int32_t K = ScrollPos + I;
    if (K < 0 || K >= ItemCount()) continue;
    const TListItem& Item = Items[static_cast<std::size_t>(K)];
    if (!Item.Icon.empty()) S.DrawTexture(Item.Icon, X + 9, Y + 10 + 15.0f * I, Z + 0.4f, 12, 12);
  }
  glDisable(GL_SCISSOR_TEST);
  glColor3f(1.0f, 1.0f, 1.0f);
}
