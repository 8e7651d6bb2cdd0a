#include "presentation/region_links.h"

#include <cmath>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/texture_manager.h"

double DegToRad(double X) { return X * 2.0 * M_PI / 360.0; }
double RadToDeg(double X) { return X * 360.0 / (2.0 * M_PI); }

double RegionLinkDirection(const TVector3& From, const TVector3& To) {
  const double Dx = static_cast<double>(To.X) - From.X, Dy = static_cast<double>(To.Y) - From.Y;
  if (Dx == 0.0) return Dy < 0.0 ? 90.0 : Dy > 0.0 ? 270.0 : 0.0;
  const double A = RadToDeg(std::atan(Dy / Dx));
  if (Dx > 0.0) return Dy == 0.0 ? 0.0 : Dy < 0.0 ? -A : 360.0 - A;
  return Dy == 0.0 ? 180.0 : 180.0 - A;
}

TRegionLinkShape RegionLinkShape(const TVector3& From, const TVector3& To, float Length, float Angle, float Zoom) {
  const double L = static_cast<double>(Length) * Zoom * 0.5, Open = static_cast<double>(Angle) * Zoom * 0.5;
  const double Theta = RegionLinkDirection(From, To);
  const double A1 = DegToRad(Theta - Open / 2.0), A2 = DegToRad(Theta + Open / 2.0);
  const float Z = From.Z - 1.0f;
  const auto Back = [Z](const TVector3& P, double A, double D) {
    return MakeVector3(static_cast<float>(std::nearbyint(P.X - std::cos(A) * D)),
                       static_cast<float>(std::nearbyint(P.Y + std::sin(A) * D)), Z);
  };
  TRegionLinkShape S;
  S.Head = {MakeVector3(To.X, To.Y, Z), Back(To, A1, L), Back(To, A2, L)};
  S.Shaft = {Back(From, A1, L / 4.0), Back(From, A2, L / 4.0), Back(To, A2, L / 4.0), Back(To, A1, L / 4.0)};
  return S;
}

void DrawRegionLink(const TVector3& From, const TVector3& To, float Length, float Angle, float Zoom) {
  const TRegionLinkShape S = RegionLinkShape(From, To, Length, Angle, Zoom);
  glBegin(GL_POLYGON);
  for (const TVector3& P : S.Head) glVertex3f(P.X, P.Y, P.Z);
  glEnd();
  glBegin(GL_QUADS);
  for (const TVector3& P : S.Shaft) glVertex3f(P.X, P.Y, P.Z);
  glEnd();
}

const char* TendencyIconName(float Current, float Previous) {
  if (Current > Previous) return "gui_icon_tendency_up";
  if (Current < Previous) return "gui_icon_tendency_down";
  return "gui_icon_tendency_same";
}

void DrawTendencyIcon(float Current, float Previous, float X, float Y, float Z) {
  if (gTextureManager) gTextureManager->DrawTexture(TendencyIconName(Current, Previous), X, Y, Z, 16.0f, 16.0f);
}
