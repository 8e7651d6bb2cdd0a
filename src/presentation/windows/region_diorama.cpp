// The region diorama inside "panel_3dview" of the region details window: ground, landscape,
// coast, town by population, the nine building slots with markers, and the pollution haze. The
// pick pass draws the slots alone in flat colours so one read pixel names the slot.
#include <cmath>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/model_registry.h"
#include "engine/texture_manager.h"
#include "presentation/presentation_globals.h"
#include "presentation/windows/diorama_place.h"
#include "presentation/windows/game_windows.h"
#include "presentation/windows/window_common.h"
#include "world/building_type.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace {

const unsigned char kSlotPickColours[9][3] = {{10, 0, 0},   {10, 10, 0},  {10, 10, 10}, {40, 10, 10}, {40, 40, 10},
                                              {40, 40, 40}, {80, 40, 40}, {80, 80, 40}, {80, 80, 80}};

void Quad(const float (&T)[4][2], const float (&V)[4][3]) {
  glBegin(GL_QUADS);
  for (int I = 0; I < 4; ++I) {
    glTexCoord2f(T[I][0], T[I][1]);
    glVertex3f(V[I][0], V[I][1], V[I][2]);
  }
  glEnd();
}

void Light0(GLenum Name, float R, float G, float B) {
  const float V[4] = {R, G, B, 1.0f};
  glLightfv(GL_LIGHT0, Name, V);
}

}  // namespace

int SlotOfPickColour(unsigned char R, unsigned char G, unsigned char B) {
  for (int I = 0; I < 9; ++I)
    if (kSlotPickColours[I][0] == R && kSlotPickColours[I][1] == G && kSlotPickColours[I][2] == B) return I;
  return -1;
}

void RegionWindow_DrawRegionScene(TGame& Game, bool Picking) {
  if (gSelectedRegion < 0 || static_cast<std::size_t>(gSelectedRegion) >= gRegions.size()) return;
  const TRegion& R = *gRegions[static_cast<std::size_t>(gSelectedRegion)];
  const TDioramaChoices C = DioramaChoices(R);
  gUsePlainModels = Picking;
  // The 3D state (depth test, lights, face order) is the scene's own; the GUI gets its own back.
  glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  DioramaVolume();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  DioramaTurn();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_BLEND);
  if (Picking) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_TEXTURE_2D);
  } else {
    if (C.Dark) glColor4f(0.1f, 0.1f, 0.11f, 1.0f);
    else glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    gTextureManager->BindTexture("concrete", GL_TEXTURE0);
    Quad({{0, 0}, {0, 4}, {3, 4}, {3, 0}}, {{-3.7f, -0.15f, -16}, {-3.7f, -0.15f, 3.3f}, {16, -0.15f, 3.3f}, {16, -0.15f, -16}});
    gTextureManager->BindTexture("setting_" + R.Setting, GL_TEXTURE0);
    Quad({{0, 0}, {0, 1}, {1, 1}, {1, 0}}, {{-9, -0.1f, -3.3f}, {-9, -0.1f, 9}, {3.5f, -0.1f, 9}, {3.5f, -0.1f, -3.3f}});
    if (R.HasCoast) {
      gTextureManager->BindTexture(C.WaterTexture, GL_TEXTURE0);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      const float S = 0.3f * std::sin(gShaderTime);
      Quad({{0, 0}, {0, 6}, {1, 6}, {1, 0}}, {{S - 10, -0.05f, -3.3f}, {S - 10, -0.05f, 9}, {S - 5, -0.05f, 9}, {S - 5, -0.05f, -3.3f}});
      glDisable(GL_BLEND);
    }
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const float Position[4] = {0.0f, 25.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, Position);
    const float Diffuse = C.Dark ? 0.1f : 0.7f;
    Light0(GL_DIFFUSE, Diffuse, Diffuse, Diffuse);
    Light0(GL_AMBIENT, 0.7f, 0.7f, 0.7f);
    glEnable(GL_NORMALIZE);
    const int Level = C.Level - 1;
    const char* const Backgrounds[3] = {"setting_background_level1", "setting_background_level2",
                                        "setting_background_level3"};
    const char* const Streets[3] = {"setting_street_level1", "setting_street_level2", "setting_street_level3"};
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    DioramaTownPlace();
    Draw3DModel(Backgrounds[Level], 0, true, false);
    glPopMatrix();
    Light0(GL_AMBIENT, 0.1f, 0.1f, 0.1f);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    DioramaTownPlace();
    Draw3DModel(Streets[Level], 0, true, false);
    glEnable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPopMatrix();
  }

  int Slot = 0;
  for (int A = 1; A >= -1; --A) {
    for (int B = 1; B >= -1; --B, ++Slot) {
      const TBuilding& Building = R.Buildings[static_cast<std::size_t>(1 - A)][static_cast<std::size_t>(1 - B)];
      if (Picking)
        glColor4ub(kSlotPickColours[Slot][0], kSlotPickColours[Slot][1], kSlotPickColours[Slot][2], 255);
      glPushMatrix();
      if (!Picking) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
      }
      DioramaSlotPlace(Slot);
      const std::string Model = Building.Type         ? Building.Type->ID
                                : Building.FinishType ? std::string("building_construct")
                                                      : std::string("building_empty");
      Draw3DModel(Model, 0, true, true);
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      if (!Picking && (Slot == Game.RegionDetailsHoveredSlot || Slot == Game.RegionDetailsSelectedSlot)) {
        glScalef(1.0f, 1.0f, 4.0f);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        Draw3DModel(Slot == Game.RegionDetailsHoveredSlot ? "building_selector" : "building_selector_b", 0, true, true);
      }
      glPopMatrix();
    }
  }
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_LIGHTING);
  glFrontFace(GL_CCW);

  if (!Picking && C.Fog) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 1.0, 1.0, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gTextureManager->BindTexture("fog", GL_TEXTURE0);
    const float T = gShaderTime;
    const float S1 = std::sin(0.1f * T), S2 = std::sin(0.2f * T);
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, 0.25f * std::sin(T) + 0.6f * R.Pollution);
    glTexCoord2f(S1, 0); glVertex3f(0, 0, 0);
    glTexCoord2f(S1, 3); glVertex3f(0, 1, 0);
    glTexCoord2f(S1 + 2, 3); glVertex3f(1, 1, 0);
    glTexCoord2f(S1 + 2, 0); glVertex3f(1, 0, 0);
    glColor4f(1.0f, 1.0f, 1.0f, 0.25f * std::cos(T) + 0.4f * R.Pollution);
    glTexCoord2f(S2, 0); glVertex3f(0, 0, 0.1f);
    glTexCoord2f(S2, 2); glVertex3f(0, 1, 0.1f);
    glTexCoord2f(S2 + 1, 2); glVertex3f(1, 1, 0.1f);
    glTexCoord2f(S2 + 1, 0); glVertex3f(1, 0, 0.1f);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glPopAttrib();
  gUsePlainModels = false;
}
