#include "gui/panel.h"

#include "engine/gl_api.h"

void TGLPanel::Draw() {
  if (!Visible || !Border) return;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BindSkin("gui_interface_light");
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(Position.X, Position.Y, Position.Z);
  glColor4f(1.0f, 1.0f, 1.0f, Opacity * Alpha);
  DrawFrame(0, 0, static_cast<float>(Width), static_cast<float>(Height));
  glPopMatrix();
  glColor3f(1.0f, 1.0f, 1.0f);
}
