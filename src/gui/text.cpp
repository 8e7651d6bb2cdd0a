#include "gui/text.h"

#include "engine/gl_api.h"

#include "gui/gui_globals.h"
#include "gui/gui_services.h"

void TGLText::Draw() {
  auto& S = GUIServices();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (IsHeader) {
    glColor4f(1.0f, 1.0f, 1.0f, Alpha);
    S.BindTexture("gui_interface");
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(Position.X, Position.Y, Position.Z);
    DrawFrame(0, 0, static_cast<float>(GetWidth()), 27);
    S.Print(Text, TVector3{8.0f, 5.0f, 0.02f}, gDefaultTextColor, Alpha, 1.0f, true, true);
    glPopMatrix();
  } else {
    S.Print(Text, Position, Color, Alpha, 1.0f, false, true);
  }
}
