#include "gui/skinned_control.h"

#include "engine/gl_api.h"

#include <algorithm>
#include <cmath>

#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "platform/errors.h"
#include "platform/rounding.h"

bool LoadOnDemandPicture(const std::string& Name) {
  auto& S = GUIServices();
  if (Name.empty() || gMissingPictures.count(Name)) return false;
  if (S.GetTextureInfo(Name, tiGLID) >= 0) return true;
  const std::string Base = "data\\tex\\ondemand\\nocompression\\" + Name;
  for (const char* Extension : {".png", ".dds"})
    if (S.FileExists(Base + Extension)) {
      if (S.LoadTexture(Base + Extension, Name) && S.GetTextureInfo(Name, tiGLID) >= 0) return true;
      break;
    }
  gMissingPictures.insert(Name);
  return false;
}

TGLSkinnedControl::TGLSkinnedControl(TVector3 Pos, std::int32_t AWidth, std::int32_t AHeight,
                                     const std::string& AImage, const std::string& AStretchImage,
                                     const std::string& AHAlign, const std::string& AVAlign,
                                     std::int32_t ScreenWidth, std::int32_t ScreenHeight)
    : TGLGUIItem(TGUIItemKind::SkinnedControl) {
  if (AWidth < 0 || AHeight < 0)
    throw ERangeError("TGLSkinnedControl->Create->Negative size for \"" + AImage + "\"");
  const std::int32_t W = RoundToInt(AWidth * gWidescreenFactor);
  Position = TVector3{0.0f, 0.0f, Pos.Z};
  if (AHAlign == "left") Position.X = Pos.X;
  else if (AHAlign == "right") Position.X = static_cast<float>(ScreenWidth - W);
  else if (AHAlign == "center") Position.X = static_cast<float>(static_cast<double>(Pos.X) - W / 2);
  if (AVAlign == "top") Position.Y = Pos.Y;
  else if (AVAlign == "bottom") Position.Y = static_cast<float>(ScreenHeight - AHeight);
  else if (AVAlign == "center") Position.Y = static_cast<float>(static_cast<double>(Pos.Y) - AHeight / 2);
  Width = W;
  Height = AHeight;
  LoadOnDemandPicture(AImage);
  LoadOnDemandPicture(AStretchImage);
  Image = AImage;
  StretchImage = AStretchImage;
  HAlign = AHAlign;
  VAlign = AVAlign;
  Visible = true;
  Alpha = 0.0f;
  auto& S = GUIServices();
  const int ImageID = S.GetTextureInfo(Image, tiGLID);
  if (ImageID < 0) throw ETarnovaError("TGLSkinnedControl->Create->Picture \"" + Image + "\" not found");
  ImageTexture = static_cast<std::uint32_t>(ImageID);
  if (!StretchImage.empty()) {
    const int StretchID = S.GetTextureInfo(StretchImage, tiGLID);
    if (StretchID < 0)
      throw ETarnovaError("TGLSkinnedControl->Create->Picture \"" + StretchImage + "\" not found");
    StretchTexture = static_cast<std::uint32_t>(StretchID);
    StretchTextureWidth = static_cast<std::uint32_t>(std::max(0, S.GetTextureInfo(StretchImage, tiWidth)));
    S.SetWrapModeByID(StretchTexture, GL_REPEAT, GL_CLAMP);
  }
  S.SetWrapModeByID(ImageTexture, GL_CLAMP, GL_CLAMP);
}

TGLSkinnedPart& TGLSkinnedControl::AddPart(TVector3 AAnchor, const std::string& Name, float AWidth, float AHeight,
                                           const std::string& AImage, const std::vector<TIntPair>& Points,
                                           float ScaleTo) {
  auto Part = std::make_unique<TGLSkinnedPart>();
  Part->PartWidth = static_cast<float>(RoundToInt(AWidth * gWidescreenFactor));
  Part->PartHeight = AHeight;
  Part->Anchor = AAnchor;
  Part->Corner = TVector3{static_cast<float>(static_cast<double>(Position.X) + AAnchor.X - Part->PartWidth / 2.0),
                          static_cast<float>(static_cast<double>(Position.Y) + AAnchor.Y - Part->PartHeight / 2.0),
                          AAnchor.Z};
  Part->Name = Name;
  LoadOnDemandPicture(AImage);
  Part->Image = AImage;
  Part->MaxGrow = static_cast<float>((ScaleTo - 100.0) / 100.0);
  Part->Grow = 0.0f;
  Part->Polygon = Points;
  Parts.push_back(std::move(Part));
  return *Parts.back();
}

TGLSkinnedPart& TGLSkinnedControl::AddCirclePart(TVector3 AAnchor, std::int32_t AWidth, std::int32_t AHeight,
                                                 const std::string& Name, const std::string& AImage, float ARadius,
                                                 float ScaleTo) {
  const double F = gWidescreenFactor;
  const double Pi = 3.14159265358979323846;
  std::vector<TIntPair> Points;
  Points.reserve(64);
  for (int K = 0; K < 64; ++K) {
    const double A = (K + 1) * 5.625 * Pi / 180.0;
    // Sine goes with x and cosine with y: the points start just right of the lowest point.
    Points.push_back(TIntPair{RoundToInt(std::sin(A) * ARadius * F) + RoundToInt(Position.X) + RoundToInt(AAnchor.X * F),
                              RoundToInt(std::cos(A) * ARadius) + RoundToInt(Position.Y) + RoundToInt(AAnchor.Y)});
  }
  AAnchor.X = static_cast<float>(AAnchor.X * F);
  TGLSkinnedPart& Part = AddPart(AAnchor, Name, static_cast<float>(AWidth), static_cast<float>(AHeight), AImage, Points, ScaleTo);
  Part.Shape = "circle";
  Part.Radius = ARadius;
  return Part;
}

std::vector<TIntPair> TGLSkinnedControl::WindowPolygon(const TGLSkinnedPart& Part) const {
  std::vector<TIntPair> Result = Part.Polygon;
  if (Window) {
    const TVector3 W = Window->WindowPosition();
    for (TIntPair& P : Result) {
      P.X = RoundToInt(P.X + static_cast<double>(W.X));
      P.Y = RoundToInt(P.Y + static_cast<double>(W.Y));
    }
  }
  return Result;
}

bool TGLSkinnedControl::PartHovered(const TGLSkinnedPart& Part) const {
  return Alpha >= 0.9f && PointInPolygon(WindowPolygon(Part), gMouseX, gMouseY);
}

TGLSkinnedPart* TGLSkinnedControl::GetPartAtMouse() const {
  if (!Visible || Parts.empty()) return nullptr;
  TGLSkinnedPart* Result = nullptr;
  for (const auto& Part : Parts)
    if (PartHovered(*Part)) Result = Part.get();
  return Result;
}

void TGLSkinnedControl::Render() {
  if (!Visible) return;
  Update();
  Draw();
}

void TGLSkinnedControl::Update() {
  UpdateFade();
  const double F = FadeSpeed;
  for (const auto& P : Parts) {
    P->Hovered = PartHovered(*P);
    if (P->Hovered) {
      // Drawn with the values of the frame before, then brightened and grown.
      P->DrawAlpha = P->Alpha;
      P->DrawGrow = P->Grow;
      P->Alpha = static_cast<float>(std::min(1.0, P->Alpha + 0.005 * F));
      P->Grow = static_cast<float>(std::min(static_cast<double>(P->MaxGrow), P->Grow + 0.002 * F));
    } else {
      P->Alpha = static_cast<float>(std::max(0.0, P->Alpha - 0.0025 * F));
      P->Grow = static_cast<float>(std::max(0.0, P->Grow - 0.001 * F));
      P->DrawAlpha = P->Alpha;
      P->DrawGrow = P->Grow;
    }
  }
}

void TGLSkinnedControl::Draw() {
  if (!Visible) return;
  auto& S = GUIServices();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1.0f, 1.0f, 1.0f, Alpha);
  const float X = Position.X, Y = Position.Y, Z = Position.Z;
  S.DrawTextureByID(ImageTexture, X, Y, Z, static_cast<float>(Width), static_cast<float>(Height));
  if (!StretchImage.empty() && gGUIScreenWidth > Width && StretchTextureWidth > 0) {
    const float U = static_cast<float>(static_cast<double>(gGUIScreenWidth - Width) / StretchTextureWidth);
    const float Left = X + Width - 0.4f;
    const float Right = X + static_cast<float>(gGUIScreenWidth);
    S.BindTextureByID(StretchTexture);
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f); glVertex3f(Left, Y, Z);
    glTexCoord2f(0.0f, 0.0f); glVertex3f(Left, Y + Height, Z);
    glTexCoord2f(U, 0.0f);    glVertex3f(Right, Y + Height, Z);
    glTexCoord2f(U, 1.0f);    glVertex3f(Right, Y, Z);
    glEnd();
  }
  for (const auto& P : Parts) {
    const float G = P->DrawGrow;
    const float RX = P->Corner.X - P->PartWidth * G / 2.0f;
    const float RY = P->Corner.Y - P->PartHeight * G / 2.0f;
    const float RW = P->PartWidth * (1.0f + G);
    const float RH = P->PartHeight * (1.0f + G);
    if (P->Hovered) {
      glColor4f(1.0f, 1.0f, 1.0f, P->DrawAlpha);
      S.DrawTexture(P->Image, RX, RY, Z + 0.1f, RW, RH);
      // Clamp the hover picture's own texture; a missing picture leaves whatever else is bound
      // (the stretcher repeats and must keep doing so).
      const int PartID = S.GetTextureInfo(P->Image, tiGLID);
      if (PartID >= 0) S.SetWrapModeByID(static_cast<unsigned>(PartID), GL_CLAMP, GL_CLAMP);
      glColor3f(1.0f, 1.0f, 1.0f);
    } else if (P->DrawAlpha > 0.0f) {
      glColor4f(1.0f, 1.0f, 1.0f, P->DrawAlpha);
      S.DrawTexture(P->Image, RX, RY, Z + 0.1f, RW, RH);
      glColor3f(1.0f, 1.0f, 1.0f);
      glDisable(GL_TEXTURE_2D);
    }
  }
  glColor3f(1.0f, 1.0f, 1.0f);
}
