#include "gui/gui_item.h"

#include "engine/gl_api.h"

#include "gui/gui_services.h"
#include "gui/text.h"
#include "platform/errors.h"
#include "platform/rounding.h"

void TGLGUIItem::Render() {
  Update();
  Draw();
}

void TGLGUIItem::Update() { UpdateFade(); }

std::int32_t TGLGUIItem::GetHeight() const {
  if (Height < 0) throw ERangeError("TGLGUIItem->GetHeight->negative height");
  switch (ItemKind) {
    case TGUIItemKind::Button:
    case TGUIItemKind::SkinnedPart: return 26;
    case TGUIItemKind::TrackBar: return 19;
    case TGUIItemKind::Text: return 15;
    default: return Height;
  }
}

std::int32_t TGLGUIItem::GetWidth() const {
  if (Width < 0) throw ERangeError("TGLGUIItem->GetWidth->negative width");
  if (ItemKind == TGUIItemKind::Text) {
    const auto& T = static_cast<const TGLText&>(*this);
    if (!T.IsHeader || Width == 0) return RoundToInt(GUIServices().TextWidth(T.Text));
  }
  return Width;
}

void TGLGUIItem::UpdateFade() {
  if (Visible) Alpha = static_cast<float>(Alpha + 0.00075 * FadeSpeed * FadeDir);
  if (FadeDir > 0.0f && Alpha > 1.0f) Alpha = 1.0f;
  if (FadeDir < 0.0f && Alpha < 0.0f) {
    Visible = false;
    Alpha = 0.0f;
  }
}

void TGLGUIItem::FadeIn() {
  Visible = true;
  FadeDir = 1.0f;
}

void TGLGUIItem::FadeOut() { FadeDir = -1.0f; }

void TGLGUIItem::ToggleFade() {
  FadeDir = FadeDir * -1.0f;
  if (!(FadeDir < 0.0f)) FadeIn();
}

float TGLGUIItem::ScreenX() const {
  return Owner ? static_cast<float>(static_cast<double>(Owner->WindowPosition().X) + Position.X) : Position.X;
}

float TGLGUIItem::ScreenY() const {
  return Owner ? static_cast<float>(static_cast<double>(Owner->WindowPosition().Y) + Position.Y) : Position.Y;
}

TIntPair TGLGUIItem::ScreenOrigin() const { return TIntPair{RoundToInt(ScreenX()), RoundToInt(ScreenY())}; }

void TGLGUIItem::BindSkin(const std::string& Name) const {
  if (Owner)
    GUIServices().BindTextureByID(Owner->SkinTexture(Name));
  else
    GUIServices().BindTexture(Name);
}

bool TGLGUIItem::SetScissor(int RightCut) const {
  int Cw = 0, Ch = 0, Sw = 0, Sh = 0;
  if (!Owner || !Owner->GetScreenScale(Cw, Ch, Sw, Sh) || Sw <= 0 || Sh <= 0) return false;
  const double Sx = static_cast<double>(Cw) / Sw;
  const double Sy = static_cast<double>(Ch) / Sh;
  const TVector3 W = Owner->WindowPosition();
  const int Left = RoundToInt((static_cast<double>(W.X) + Position.X) * Sx);
  const int Bottom = Ch - RoundToInt((static_cast<double>(W.Y) + Position.Y) * Sy) - RoundToInt(Height * Sy) - 5;
  const int ClipWidth = RoundToInt((Width - RightCut) * Sx);
  const int ClipHeight = RoundToInt(Height * Sy);
  // A control narrower than the cut clips everything rather than handing GL a negative size.
  glScissor(Left, Bottom, ClipWidth < 0 ? 0 : ClipWidth, ClipHeight < 0 ? 0 : ClipHeight);
  glEnable(GL_SCISSOR_TEST);
  return true;
}

bool PointInRect(std::int32_t X, std::int32_t Y, float Left, float Top, float Right, float Bottom) {
  const float FX = static_cast<float>(X);
  const float FY = static_cast<float>(Y);
  return Left <= FX && FX <= Right && Top <= FY && FY <= Bottom;
}

bool PointInPolygon(const std::vector<TIntPair>& Points, std::int32_t X, std::int32_t Y) {
  bool Inside = false;
  if (Points.empty()) return false;
  std::size_t J = Points.size() - 1;
  for (std::size_t I = 0; I < Points.size(); ++I) {
    const TIntPair& A = Points[I];
    const TIntPair& B = Points[J];
    if ((A.Y > Y) != (B.Y > Y)) {
      // The product is an integer; 64 bits keep it exact for any coordinates.
      const std::int64_t Product = static_cast<std::int64_t>(B.X - A.X) * (Y - A.Y);
      const double CrossX = A.X + static_cast<double>(Product) / (B.Y - A.Y);
      if (X < CrossX) Inside = !Inside;
    }
    J = I;
  }
  return Inside;
}
