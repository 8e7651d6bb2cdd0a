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

void DrawScreenQuad(float Z, bool Mirrored, const TScreenQuadShade* Shade) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  if (Mirrored)
    glOrtho(0.0, 1.0, 1.0, 0.0, -1.0, 1.0);
  else
    glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const auto Colour = [Shade](bool Top) {
    if (!Shade) return;
    const TVector3& C = Top ? Shade->Top : Shade->Bottom;
    glColor3f(C.X, C.Y, C.Z);
  };
  glBegin(GL_QUADS);
  Colour(false);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, Z);
  Colour(true);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(0.0f, 1.0f, Z);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(1.0f, 1.0f, Z);
  Colour(false);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(1.0f, 0.0f, Z);
  glEnd();
  if (Shade) glColor3f(1.0f, 1.0f, 1.0f);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}
