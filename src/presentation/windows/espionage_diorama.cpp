// The espionage window's diorama: the spied region drawn as the region details window draws it,
// but with the buildings of the spy's report, in full light and without markers or fog.
#include <cmath>

#include "control/game.h"
#include "engine/gl_api.h"
#include "engine/model_registry.h"
#include "gui/gui_services.h"
#include "presentation/presentation_globals.h"
#include "presentation/windows/diorama_place.h"
#include "presentation/windows/espionage_window.h"
#include "world/region.h"
#include "world/staff.h"

namespace {

void TexturedQuad(const std::string& Texture, const float (&T)[4][2], const float (&V)[4][3]) {
  GUIServices().BindTexture(Texture);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(T[i][0], T[i][1]);
    glVertex3f(V[i][0], V[i][1], V[i][2]);
  }
  glEnd();
}

const char* Level(float Population, const char* Three, const char* Two, const char* One) {
  if (Population > 0.8f) return Three;
  if (Population > 0.6f) return Two;
  return One;
}

}  // namespace

void EspionageWindow_DrawRegionScene(TGame& Game) {
  const TSpy* Spy = EspionageSelectedSpy(Game);
  if (!Spy || !Spy->Region) return;
  const TRegion& Region = *Spy->Region;
  glPushAttrib(GL_LIGHTING_BIT);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  DioramaTurn();
  glEnable(GL_TEXTURE_2D);
  TexturedQuad("concrete", {{0, 0}, {0, 4}, {3, 4}, {3, 0}},
               {{-3.7f, -0.15f, -16}, {-3.7f, -0.15f, 3.3f}, {16, -0.15f, 3.3f}, {16, -0.15f, -16}});
  TexturedQuad("setting_" + Region.Setting, {{0, 0}, {0, 1}, {1, 1}, {1, 0}},
               {{-9, -0.1f, -3.3f}, {-9, -0.1f, 9}, {3.5f, -0.1f, 9}, {3.5f, -0.1f, -3.3f}});
  if (Region.HasCoast) {
    const float w = 0.3f * float(std::sin(gShaderTime));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    TexturedQuad(Region.Pollution < 0.5f ? "setting_water" : "setting_water_dirty", {{0, 0}, {0, 6}, {1, 6}, {1, 0}},
                 {{w - 10, -0.05f, -3.3f}, {w - 10, -0.05f, 9}, {w - 5, -0.05f, 9}, {w - 5, -0.05f, -3.3f}});
    glDisable(GL_BLEND);
  }
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  const float Position[4] = {0, 25, 0, 1}, Diffuse[4] = {0.7f, 0.7f, 0.7f, 1}, Ambient[4] = {0.7f, 0.7f, 0.7f, 1},
              Dim[4] = {0.1f, 0.1f, 0.1f, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, Position);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, Diffuse);
  glLightfv(GL_LIGHT0, GL_AMBIENT, Ambient);
  auto Setting = [&](const char* Model) {
    glPushMatrix();
    DioramaTownPlace();
    Draw3DModel(Model, 0, true, false);
    glPopMatrix();
  };
  Setting(Level(Region.Population, "setting_background_level3", "setting_background_level2", "setting_background_level1"));
  glLightfv(GL_LIGHT0, GL_AMBIENT, Dim);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  Setting(Level(Region.Population, "setting_street_level3", "setting_street_level2", "setting_street_level1"));
  glEnable(GL_LIGHTING);
  for (int a = 1; a >= -1; --a)
    for (int b = 1; b >= -1; --b) {
      const int Row = 1 - a, Column = 1 - b;
      glPushMatrix();
      glEnable(GL_LIGHTING);
      glEnable(GL_LIGHT0);
      DioramaSlotPlace(Row * 3 + Column);
      Draw3DModel(SpiedSlotModel(Spy->BuildingData[std::size_t(Row)][std::size_t(Column)]), 0, true, true);
      glPopMatrix();
    }
  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  glFrontFace(GL_CCW);
  glPopAttrib();
}
