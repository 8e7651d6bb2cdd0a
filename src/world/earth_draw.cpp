// The globe's three display lists; the only GL code of the world container.
#include "world/earth.h"

#include "engine/gl_api.h"

#include <cmath>

void TEarth::CreateDisplayLists() {
  // The atmosphere: a ring of 64 quads, dark and clear outside, light blue and half opaque inside.
  const double K = 180.0 / M_PI;
  const auto Angle = [](int j) { return j * 360.0 / 64.0 * M_PI / 180.0; };
  AtmosphereList = glGenLists(1);
  glNewList(AtmosphereList, GL_COMPILE);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBegin(GL_QUADS);
  for (int i = 0; i < 64; ++i) {
    const double A = Angle(i), B = Angle(i + 1);
    glColor4f(0.0f, 0.0f, 0.5f, 0.0f);
    glVertex3d(std::sin(A) * K / 9.0, std::cos(A) * K / 9.0, 0.0);
    glColor4f(0.0f, 0.8f, 1.0f, 0.6f);
    glVertex3d(std::sin(A) * K / 12.0, std::cos(A) * K / 11.0, 0.0);
    glVertex3d(std::sin(B) * K / 12.0, std::cos(B) * K / 11.0, 0.0);
    glColor4f(0.0f, 0.0f, 0.5f, 0.0f);
    glVertex3d(std::sin(B) * K / 9.0, std::cos(B) * K / 9.0, 0.0);
  }
  glEnd();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glEndList();

  // The unit sphere the globe is drawn on.
  SphereList = glGenLists(1);
  glNewList(SphereList, GL_COMPILE);
  glRotatef(90.0f, -1.0f, 0.0f, 0.0f);
  GLUquadric* Quadric = gluNewQuadric();
  gluQuadricTexture(Quadric, GL_TRUE);
  gluQuadricNormals(Quadric, 1);
  gluSphere(Quadric, 1.0, 24, 24);
  glEndList();
  gluDeleteQuadric(Quadric);

  // The region symbol: a textured quad with a black outline just in front of it.
  SymbolList = glGenLists(1);
  glNewList(SymbolList, GL_COMPILE);
  DrawSymbolQuad();
  glColor3f(0.0f, 0.0f, 0.0f);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_LINE_STRIP);
  glVertex3f(-1.5f, -0.75f, 0.1f);
  glVertex3f(1.5f, -0.75f, 0.1f);
  glVertex3f(1.5f, 0.75f, 0.1f);
  glVertex3f(-1.5f, 0.75f, 0.1f);
  glVertex3f(-1.5f, -0.75f, 0.1f);
  glEnd();
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glEndList();
}

void TEarth::DrawSymbolQuad(float HalfHeight) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-1.5f, -HalfHeight, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(1.5f, -HalfHeight, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(1.5f, HalfHeight, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-1.5f, HalfHeight, 0.0f);
  glEnd();
}

void TEarth::FreeDisplayLists() {
  for (std::uint32_t* List : {&AtmosphereList, &SphereList, &SymbolList}) {
    if (*List != 0) glDeleteLists(*List, 1);
    *List = 0;
  }
}
