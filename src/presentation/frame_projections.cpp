#include "presentation/frame_projections.h"

#include "control/control_globals.h"
#include "engine/gl_api.h"

void SetPerspectiveProjection(int Width, int Height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glViewport(0, 0, Width, Height);
  gluPerspective(gFieldOfView, Height > 0 ? static_cast<double>(Width) / Height : 1.0, 0.1, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetOrthoProjection(float Width, float Height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, Width, Height, 0.0, -32.0, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
