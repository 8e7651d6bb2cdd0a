#include "gui/drop_down.h"

#include "engine/gl_api.h"

#include "engine/localization.h"
#include "gui/gui_globals.h"
#include "gui/gui_services.h"

namespace {
bool HasSelection(const TGLDropDown& D) {
  return D.ItemIndex >= 0 && D.ItemIndex < static_cast<std::int32_t>(D.Items.size());
}
}  // namespace

void TGLDropDown::AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon,
                          std::intptr_t Data) {
  Items.push_back(TListItem{Caption, ID, Icon, Data, TVector3{1.0f, 1.0f, 1.0f}});
}

void TGLDropDown::Clear() { Items.clear(); }

std::string TGLDropDown::GetSelectedID() const {
  return HasSelection(*this) ? Items[static_cast<std::size_t>(ItemIndex)].ID : std::string();
}

void TGLDropDown::Click() {
  // Handled whether or not the field is visible, as the window forwards it.
  const TIntPair P = ScreenOrigin();
  const std::int32_t W = Width;
  if (PointInRect(gMouseX, gMouseY, static_cast<float>(P.X + W - 20), static_cast<float>(P.Y + 2),
                  static_cast<float>(P.X + W - 2), static_cast<float>(P.Y + 22))) {
    Open = !Open;
    GUIServices().PlaySound("dropdown");
  }
  // The same click is then tested against the rows; on a shared border the later row wins.
  if (!Open || Items.empty()) return;
  const auto Count = static_cast<std::int32_t>(Items.size());
  bool Chosen = false;
  std::int32_t Choice = ItemIndex;
  for (std::int32_t I = 0; I < Count; ++I) {
    if (PointInRect(gMouseX, gMouseY, static_cast<float>(P.X + 5), static_cast<float>(P.Y + RowTop(I)),
                    static_cast<float>(P.X + W), static_cast<float>(P.Y + (I + 2) * (Height - 5)))) {
      Choice = I;
      Chosen = true;
    }
  }
  if (Chosen) {
    ItemIndex = Choice;
    Open = false;
  }
}

std::string TGLDropDown::FaceText() const {
  if (Items.empty()) return Localize("szStrDropDownEmpty");
  // Any index outside the rows (a refill with fewer rows) shows the placeholder rather than
  // reading past them.
  if (!HasSelection(*this)) return Localize("szStrDropDownNoSelection");
  return Items[static_cast<std::size_t>(ItemIndex)].Caption;
}

void TGLDropDown::Draw() {
  if (!Visible) return;
  auto& S = GUIServices();
  const float W = static_cast<float>(Width);
  const float H = static_cast<float>(Height);
  const float A = Opacity * Alpha;
  const TVector3 White{1.0f, 1.0f, 1.0f};
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BindSkin("gui_interface_light");
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(Position.X, Position.Y, Position.Z);
  glColor4f(1.0f, 1.0f, 1.0f, A);
  DrawFrame(0, 0, W - 16, H);
  glColor4f(1.0f, 1.0f, 1.0f, A);
  DrawFrame(W - 22, 0, 24, H);
  glColor4f(1.0f, 1.0f, 1.0f, A);
  glBegin(GL_QUADS);
  glTexCoord2f(0.546875f, 0.625f);     glVertex3f(W - 21, H - 22, 0.03f);
  glTexCoord2f(0.546875f, 0.5078125f); glVertex3f(W - 21, H - 2, 0.03f);
  glTexCoord2f(0.671875f, 0.5078125f); glVertex3f(W - 1, H - 2, 0.03f);
  glTexCoord2f(0.671875f, 0.625f);     glVertex3f(W - 1, H - 22, 0.03f);
  glEnd();
  const auto Count = static_cast<std::int32_t>(Items.size());
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, 0.45f);
  if (Open) {
    for (std::int32_t I = 0; I < Count; ++I) {
      glColor4f(1.0f, 1.0f, 1.0f, A);
      DrawFrame(5, static_cast<float>(RowTop(I)), W - 16, 24);
    }
  }
  glPopMatrix();

  if (HasSelection(*this) && !Items[static_cast<std::size_t>(ItemIndex)].Icon.empty()) {
    const TListItem& Item = Items[static_cast<std::size_t>(ItemIndex)];
    glColor4f(1.0f, 1.0f, 1.0f, A);
    S.DrawTexture(Item.Icon, 6, 5, 0.03f, 14, 14);
    S.Print(Item.Caption, TVector3{24, 4, 0.03f}, White, Alpha, 1.0f, false, true);
  } else {
    S.Print(FaceText(), TVector3{6, 4, 0.03f}, White, Alpha, 1.0f, false, true);
  }
  if (Open) {
    for (std::int32_t I = 0; I < Count; ++I) {
      const TListItem& Item = Items[static_cast<std::size_t>(I)];
      const float RowY = static_cast<float>(RowTop(I));
      if (!Item.Icon.empty()) {
        glColor4f(1.0f, 1.0f, 1.0f, A);
        glEnable(GL_BLEND);
        S.DrawTexture(Item.Icon, 11, RowY + 6, 0.5f, 14, 14);
        S.Print(Item.Caption, TVector3{29, RowY + 4, 0.5f}, White, Alpha, 1.0f, false, true);
      } else {
        S.Print(Item.Caption, TVector3{11, RowY + 4, 0.5f}, White, Alpha, 1.0f, false, true);
      }
    }
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  glPopMatrix();
}
