#include "presentation/scenes/battlefield_scene.h"

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/model_registry.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "presentation/scenes/scene_support.h"
#include "world/battle.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/unit.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {

constexpr int kTileReach = 12;  // columns and rows -12 .. 12
const GLfloat kHaze[4] = {0.47f, 0.59f, 1.0f, 0.0f};

void TileAt(int Column, int Row) {
  const TVector3 O = BattleTileOrigin(Column, Row);
  glPushMatrix();
  glTranslatef(O.X - 1.75f, O.Y - 1.75f, O.Z + 0.5f);
  static const float Corners[6][5] = {{0, 0, -1, 0, -0.25f},  {1.75f, 0, 0, 0.5f, 0},    {3.5f, 0, -1, 1, -0.25f},
                                      {3.5f, 0, -3, 1, -0.75f}, {1.75f, 0, -4, 0.5f, -1}, {0, 0, -3, 0, -0.75f}};
  glBegin(GL_POLYGON);
  for (const auto& C : Corners) {
    glTexCoord2f(C[3], C[4]);
    glVertex3f(C[0], C[1], C[2]);
  }
  glEnd();
  glPopMatrix();
}

void AllTiles() {
  for (int C = -kTileReach; C <= kTileReach; ++C)
    for (int R = -kTileReach; R <= kTileReach; ++R) {
      glDisable(GL_CULL_FACE);
      TileAt(C, R);
    }
}

void UnitModel(const TUnit& Unit) {
  if (Unit.UnitType) Draw3DModel(Unit.UnitType->Model3D, 0, false, false);
}

}  // namespace

TVector3 BattleTileOrigin(int Column, int Row) {
  const float Shift = (Row & 1) != 0 ? 1.75f : 0.0f;
  return {3.5f * static_cast<float>(Column) + Shift, 0.0f, 3.0f * static_cast<float>(Row)};
}

void RenderBattlefield(TGame& Game) {
  SetScenePerspective(Game);
  glEnable(GL_DEPTH_TEST);
  glClearColor(kHaze[0], kHaze[1], kHaze[2], kHaze[3]);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);
  const TBattle* Battle = gBattle.get();
  if (Battle) {
    glTranslatef(0, 0, Battle->ViewDistance);
    glRotatef(Battle->ViewRotation.X, 1, 0, 0);
    glRotatef(Battle->ViewRotation.Y, 0, 1, 0);
    glTranslatef(Battle->ViewPanX, Battle->ViewPanY, 0);
  }
  glFogfv(GL_FOG_COLOR, kHaze);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 32.0f);
  glFogf(GL_FOG_END, 96.0f);
  glFogf(GL_FOG_DENSITY, 0.8f);
  glHint(GL_FOG_HINT, GL_NICEST);

  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glColor3f(1, 1, 1);
  if (gTextureManager) gTextureManager->BindTexture("hex_gras", 0);
  AllTiles();
  glLineWidth(3.0f);
  glColor3f(0, 0, 0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glDepthFunc(GL_LEQUAL);
  if (gTextureManager) gTextureManager->DisableTexture(0);
  AllTiles();
  glLineWidth(1.0f);
  glColor3f(1, 1, 1);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

  // A battle not yet prepared, or one against rebels, has no defending nation or division:
  // then only the field shows.
  if (Battle && Battle->DefenderNation && Battle->DefenderDivision)
    for (const auto& Unit : Battle->DefenderNation->Units) {
      if (Unit->Division != Battle->DefenderDivision || Unit->Health <= 0.0f) continue;
      const TVector3 O = BattleTileOrigin(Unit->BattlefieldOffset.X, Unit->BattlefieldOffset.Y);
      glPushMatrix();
      glTranslatef(O.X - 1.75f, O.Y - 1.75f, O.Z + 0.5f);
      UnitModel(*Unit);
      glPopMatrix();
    }
  if (Battle && Battle->Region && Battle->Region->DefensiveDivision)
    for (const auto& Unit : Battle->Region->Units) {
      if (Unit->Division != Battle->Region->DefensiveDivision.get() || Unit->Health <= 0.0f) continue;
      const TVector3 O = BattleTileOrigin(Unit->BattlefieldOffset.X, Unit->BattlefieldOffset.Y);
      glPushMatrix();
      glTranslatef(O.X, O.Y, O.Z - 1.75f);
      glRotatef(90, 1, 0, 0);
      glScalef(0.001f, 0.001f, 0.001f);
      UnitModel(*Unit);
      glPopMatrix();
    }
  glDisable(GL_FOG);
  glDisable(GL_CULL_FACE);

  glDisable(GL_DEPTH_TEST);
  SetSceneOrtho();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gBattleFieldGUI->Render();
  glEnable(GL_DEPTH_TEST);
}
