#include "gui/check_box.h"

#include "engine/gl_api.h"

#include "gui/gui_globals.h"
#include "gui/gui_services.h"

void TGLCheckbox::Click() {
  if (!Visible) return;
  const TIntPair P = ScreenOrigin();
  const double W = Width + static_cast<double>(GUIServices().TextWidth(Caption));
  // 20 pixels high whatever the box's height.
  if (PointInRect(gMouseX, gMouseY, static_cast<float>(P.X + 2), static_cast<float>(P.Y + 2),
                  static_cast<float>(P.X + W - 2), static_cast<float>(P.Y + 22)))
    Checked = !Checked;
}

void TGLCheckbox::Draw() {
  auto& S = GUIServices();
  S.BindTexture("gui_interface");
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glTranslatef(Position.X, Position.Y, Position.Z);
  glColor4f(1.0f, 1.0f, 1.0f, Opacity * Alpha);
  DrawFrame(0, 0, static_cast<float>(Width), static_cast<float>(Height));
  glColor4f(1.0f, 1.0f, 1.0f, Opacity * Alpha);
  if (Checked) {
    const float X1 = 0.8f * Width;
    const float Y1 = Height - 2.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(0.6796875f, 0.5078125f); glVertex3f(2.0f, 2.0f, 0.03f);
    glTexCoord2f(0.6796875f, 0.390625f);  glVertex3f(2.0f, Y1, 0.03f);
    glTexCoord2f(0.78125f, 0.390625f);    glVertex3f(X1, Y1, 0.03f);
    glTexCoord2f(0.78125f, 0.5078125f);   glVertex3f(X1, 2.0f, 0.03f);
    glEnd();
  }
  S.PrintAlpha(Caption, TVector3{static_cast<float>(Width + 2), 2.0f, 0.0f}, 1.0f, Alpha, false, true);
  glPopMatrix();
  glColor3f(1.0f, 1.0f, 1.0f);
}
