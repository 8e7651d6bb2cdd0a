#include "gui/track_bar.h"

#include "engine/gl_api.h"

#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "platform/rounding.h"

float TGLTrackBar::ThumbOffset() const {
  const std::int64_t Range = static_cast<std::int64_t>(Max) - Min;
  // Equal ends would divide by zero; such a bar keeps its thumb at the left end.
  if (Range == 0) return 0.0f;
  return static_cast<float>(static_cast<double>(Progress) * Width / static_cast<double>(Range));
}

bool TGLTrackBar::MouseDown() {
  const double F = ThumbOffset();
  const int ThumbX = RoundToInt(F + ScreenX());
  const int Top = RoundToInt(ScreenY());
  if (!PointInRect(gMouseX, gMouseY, static_cast<float>(ThumbX - 4), static_cast<float>(Top),
                   static_cast<float>(ThumbX + 4), static_cast<float>(Top + 12)))
    return false;
  Dragging = true;
  TrackOrigin = gMouseX - RoundToInt(F);
  return true;
}

void TGLTrackBar::MouseMove() {
  if (!Dragging) return;
  // A bar 0 wide cannot be dragged (the step would divide by zero).
  if (Width != 0) {
    const double Step = (static_cast<double>(Max) - Min) / Width;
    const double Value = Step * (static_cast<double>(gMouseX) - TrackOrigin);
    Progress = RoundToInt(Value);
  }
  if (Progress < Min) Progress = Min;
  if (Progress > Max) Progress = Max;
}

void TGLTrackBar::MouseUp() { Dragging = false; }

void TGLTrackBar::Draw() {
  const float F = ThumbOffset();
  const float W = static_cast<float>(Width);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BindSkin("gui_trackbar");
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glColor4f(1.0f, 1.0f, 1.0f, Alpha);
  // Always at depth 0.2 in the window, whatever Z says.
  glTranslatef(Position.X, Position.Y, 0.2f);
  auto Quad = [](float X0, float Y0, float X1, float Y1, float Z, float S0, float S1, float T0, float T1) {
    glTexCoord2f(S0, T0); glVertex3f(X0, Y0, Z);
    glTexCoord2f(S0, T1); glVertex3f(X0, Y1, Z);
    glTexCoord2f(S1, T1); glVertex3f(X1, Y1, Z);
    glTexCoord2f(S1, T0); glVertex3f(X1, Y0, Z);
  };
  glBegin(GL_QUADS);
  Quad(0, 0, 13, 19, 0, 0.0f, 0.125f, 1.0f, 0.5f);
  Quad(W - 13, 0, W, 19, 0, 0.125f, 0.0f, 1.0f, 0.5f);
  Quad(13, 0, W - 13, 19, 0, 0.125f, 0.875f, 1.0f, 0.5f);
  if (UseGradient) Quad(6, 6, F, 13, 0.01f, 0.01f, 0.91f, 0.1764706f, 0.4117647f);
  Quad(F - 4, -1, F + 4, 19, 0.02f, 0.9296875f, 1.0f, 0.0f, 0.5f);
  glEnd();
  glPopMatrix();
  glColor3f(1.0f, 1.0f, 1.0f);
}
