// The shared drawing routines of the toolkit: the nine-slice frame and the gauge.
#include "engine/gl_api.h"

#include "gui/gui_item.h"
#include "gui/gui_services.h"

namespace {
// One textured quad; the first texture row goes with the top edge (Y0).
void Quad(float X0, float Y0, float X1, float Y1, float Z, float S0, float S1, float TTop, float TBottom) {
  glTexCoord2f(S0, TTop);
  glVertex3f(X0, Y0, Z);
  glTexCoord2f(S0, TBottom);
  glVertex3f(X0, Y1, Z);
  glTexCoord2f(S1, TBottom);
  glVertex3f(X1, Y1, Z);
  glTexCoord2f(S1, TTop);
  glVertex3f(X1, Y0, Z);
}
}  // namespace

void DrawThreePieceSkin(float W, float H, float TTop, float TBottom) {
  glBegin(GL_QUADS);
  Quad(0.0f, 0.0f, 48.0f, H, 0.0f, 0.0f, 0.5f, TTop, TBottom);
  Quad(W - 24.0f, 0.0f, W, H, 0.0f, 0.75f, 1.0f, TTop, TBottom);
  Quad(48.0f, 0.0f, W - 24.0f, H, 0.0f, 0.515625f, 0.75f, TTop, TBottom);
  glEnd();
}

void DrawScrollArrows(float W, float H, float Z) {
  glTexCoord2f(0.546875f, 0.5078125f); glVertex3f(W - 23, 9, Z);
  glTexCoord2f(0.546875f, 0.390625f);  glVertex3f(W - 23, 23, Z);
  glTexCoord2f(0.671875f, 0.390625f);  glVertex3f(W - 9, 23, Z);
  glTexCoord2f(0.671875f, 0.5078125f); glVertex3f(W - 9, 9, Z);
  // The down arrow is the same image upside down.
  glTexCoord2f(0.546875f, 0.390625f);  glVertex3f(W - 23, H - 23, Z);
  glTexCoord2f(0.546875f, 0.5078125f); glVertex3f(W - 23, H - 9, Z);
  glTexCoord2f(0.671875f, 0.5078125f); glVertex3f(W - 9, H - 9, Z);
  glTexCoord2f(0.671875f, 0.390625f);  glVertex3f(W - 9, H - 23, Z);
}

void DrawFrame(float X, float Y, float W, float H) {
  const float C = 0.109375f;  // corner size in the skin
  glBegin(GL_QUADS);
  Quad(X + 3, Y + 4, X + W - 5, Y + H - 4, 0.0125f, 0.0703125f, 0.3046875f, 0.75f, 0.5f);
  Quad(X, Y, X + 14, Y + 14, 0.0f, 0.0f, C, 0.0f, C);
  Quad(X + 14, Y, X + W - 14, Y + 14, 0.0f, 0.5f, 0.75f, 0.0f, C);
  Quad(X + W - 14, Y, X + W, Y + 14, 0.0f, 0.890625f, 1.0f, 0.0f, C);
  Quad(X, Y + 14, X + 6, Y + H - 14, 0.0f, 0.0f, 0.046875f, 0.5f, C);
  Quad(X + W - 7, Y + 14, X + W, Y + H - 14, 0.0f, 0.9453125f, 1.0f, 0.5f, C);
  // The bottom row shows the top row's texels mirrored.
  Quad(X, Y + H - 14, X + 14, Y + H, 0.01f, 0.0f, C, C, 0.0f);
  Quad(X + 14, Y + H - 14, X + W - 14, Y + H, 0.01f, 0.5f, 0.75f, C, 0.0f);
  Quad(X + W - 14, Y + H - 14, X + W, Y + H, 0.01f, 0.890625f, 1.0f, C, 0.0f);
  glEnd();

  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
  glVertex3f(X + 2, Y + 2, 0.015f);
  glColor4f(0.0f, 0.0f, 0.0f, 0.1f);
  glVertex3f(X + 2, Y + H - 2, 0.015f);
  glVertex3f(X + W - 2, Y + H - 2, 0.015f);
  glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
  glVertex3f(X + W - 2, Y + 2, 0.015f);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void DrawGauge(TVector3 P, TVector3 Color, float Percent, float Width, float Height) {
  GUIServices().BindTexture("gui_gauge");
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  Quad(P.X, P.Y, P.X + Width, P.Y + Height, P.Z, 0.0f, 1.0f, 1.0f, 0.5f);
  glEnd();
  glColor3f(Color.X, Color.Y, Color.Z);
  const float Right = static_cast<float>(P.X + Percent / 100.0 * (Width - 1.0));
  glBegin(GL_QUADS);
  Quad(P.X + 1, P.Y + 1, Right, P.Y + Height - 1, P.Z + 0.01f, 0.0f, 1.0f, 0.5f, 0.0f);
  glEnd();
  glColor3f(1.0f, 1.0f, 1.0f);
}
