#include "gui/image.h"

#include "engine/gl_api.h"

#include "gui/gui_services.h"

void TGLImage::Draw() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1.0f, 1.0f, 1.0f, Alpha);
  // A name the texture manager does not know draws nothing.
  GUIServices().DrawTexture(Texture, Position.X, Position.Y, Position.Z, static_cast<float>(Width),
                            static_cast<float>(Height));
  glColor3f(1.0f, 1.0f, 1.0f);
}
