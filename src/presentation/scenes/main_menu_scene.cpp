// The main menu's scene: a dramatic sky with random lightning, the hand rising out of the sea
// beneath the glowing, turning globe, the title band circling it, a foam ring pulsing where the
// hand meets the water, and the sea mirroring it all when reflections are on.
#include <cmath>

#include "control/control_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/model_registry.h"
#include "engine/shader_manager.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/random.h"
#include "presentation/earth_render.h"
#include "presentation/presentation_globals.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/scenes/scene_support.h"
#include "presentation/view_state.h"

namespace {

constexpr float kWaterLevel = -1.25f;

void Bind(const char* Name) {
  if (gTextureManager) gTextureManager->BindTexture(Name, 0);
}

// Sky and lightning in screen space; the caller's matrices are kept.
void SkyAndLightning(TGame& Game, TViewState& View, bool Reflected, bool MainMenu) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  if (Reflected)
    glOrtho(0, 1, 0, 1, -1, 1);
  else
    glOrtho(0, 1, 1, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  if (MainMenu) glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);

  Bind("skyspheredramatic");
  glDepthMask(GL_FALSE);
  ShowSceneSky("skyspheredramatic", Reflected, [] {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1); glVertex3f(0, 0, 0);
    glTexCoord2f(0, 0); glVertex3f(0, 1, 0);
    glTexCoord2f(1, 0); glVertex3f(1, 1, 0);
    glTexCoord2f(1, 1); glVertex3f(1, 0, 0);
    glEnd();
  });
  glDepthMask(GL_TRUE);

  // The lightning advances once per frame, in the pass that is seen, not again in the mirror.
  float& Lightning = View.MenuLightningTimer;
  if (!Reflected) AdvanceMenuLightning(Lightning, Game.FrameTime);
  if (Lightning > 0.0f) {
    const float F = MenuLightningReach(Lightning);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
    Bind("lightningb");
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1); glVertex3f(0, 0, 0);
    glTexCoord2f(0, 1 - F); glVertex3f(0, F, 0);
    glTexCoord2f(1, 1 - F); glVertex3f(1, F, 0);
    glTexCoord2f(1, 1); glVertex3f(1, 0, 0);
    glEnd();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
  }
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void MainMenuSky(TGame& Game, TViewState& View, bool Reflected) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SkyAndLightning(Game, View, Reflected, true);
  const float T = gShaderTime;

  // Nothing below the water surface of the entry frame.
  glEnable(GL_CLIP_PLANE0);
  glPushMatrix();
  glTranslatef(0, kWaterLevel, 0);
  const GLdouble Plane[4] = {0, 1, 0, 0};
  glClipPlane(GL_CLIP_PLANE0, Plane);
  glPopMatrix();
  if (Reflected) glTranslatef(0, -kWaterLevel, 0);
  MenuStagePlace();
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);

  glPushMatrix();
  MenuHandPlace();
  Draw3DModel("hand", 0, true, false);
  glPopMatrix();

  // The globe glows additively over the sky.
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  const float Scale = kMenuGlobeScale;
  RenderEarthWithoutBorders(Game, MakeVector3(20.0f, 16.0f * T, 0.0f), MakeVector3(0.0f, kMenuGlobeHeight, 0.0f),
                            MakeVector3(Scale, Scale, Scale));
  glDisable(GL_CLIP_PLANE0);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  glPushMatrix();
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  MenuTitleBandPlace(T);
  Draw3DModel("logobend", 0, true, false);
  glPopMatrix();
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
}

// The mirror: the scene drawn upside down about the water into the reflection texture.
void Reflection(TGame& Game, TViewState& View, bool MainMenu) {
  RenderSceneReflection(Game, kWaterLevel, [&] {
    if (MainMenu)
      MainMenuSky(Game, View, true);
    else
      SkyAndLightning(Game, View, true, false);
  });
}

void SetUniform(GLuint Program, const char* Name, float V) { glUniform1f(glGetUniformLocation(Program, Name), V); }

void Water(TGame& Game, bool FoamRing) {
  const float T = gShaderTime;
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  if (gSettings.Reflections) {
    int S = 0;
    const std::uint32_t Texture = SceneReflectionTexture(Game, S);
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(0.5f, 0.5f, 1.0f);
    glTranslatef(1.0f, 1.0f, 0);
    gluPerspective(gFieldOfView, SceneAspect(Game), 0.1, 512.0);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_3D, gNoiseVolumeTexture);
    glDisable(GL_TEXTURE_3D);
    glActiveTexture(GL_TEXTURE0);
    GLuint Program = 0;
    if (!gSettings.NoShaders && gShaderManager) {
      TGLSLShader& Water = gShaderManager->GetShader("water");
      Water.Bind();
      Program = Water.ProgramHandle;
      glUniform1i(glGetUniformLocation(Program, "mirror"), 0);
      glUniform1i(glGetUniformLocation(Program, "noise"), 1);
      SetUniform(Program, "time", T);
      SetUniform(Program, "waveSpeed", 0.18f);
      SetUniform(Program, "noiseSpeed", 0.34f);
      SetUniform(Program, "alpha", 0.5f);
      SetUniform(Program, "noiseScale", 0.5f);
      glUniform4f(glGetUniformLocation(Program, "waterColor"), 0.1961f, 0.3459f, 0.6842f, 1.0f);
      SetUniform(Program, "fadeExp", 2.0f);
      SetUniform(Program, "fadeBias", 0.3f);
      glUniform4f(glGetUniformLocation(Program, "view_position"), 0, 0, -1, 1);
    }
    glMatrixMode(GL_MODELVIEW);
    glBindTexture(GL_TEXTURE_2D, Texture);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glNormal3f(0, 1, 0);
    const float Corners[4][3] = {{-40, kWaterLevel, -120}, {-400, kWaterLevel, 5}, {400, kWaterLevel, 5}, {40, kWaterLevel, -120}};
    for (const auto& C : Corners) {
      glTexCoord3f(C[0], C[1], C[2]);
      glVertex3f(C[0], C[1], C[2]);
    }
    glEnd();
    glDepthMask(GL_TRUE);
    if (Program != 0) glUseProgram(0);
    if (FoamRing && gTextureManager) {
      gTextureManager->DisableTexture(1);
      gTextureManager->DisableTexture(2);
      glActiveTexture(GL_TEXTURE0);
    }
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
  }
  if (!gSettings.Reflections || gSettings.NoShaders) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    Bind("hex_water");
    glColor4f(1, 1, 1, 0.65f);
    const float Grow = 0.05f * T;
    glBegin(GL_QUADS);
    glNormal3f(0, 1, 0);
    glTexCoord2f(0, 0); glVertex3f(-400, kWaterLevel, -120);
    glTexCoord2f(0, 24 + Grow); glVertex3f(-400, kWaterLevel, 120);
    glTexCoord2f(96 + Grow, 24 + Grow); glVertex3f(400, kWaterLevel, 120);
    glTexCoord2f(96 + Grow, 0); glVertex3f(400, kWaterLevel, -120);
    glEnd();
    glColor3f(1, 1, 1);
    glDisable(GL_BLEND);
  }
  if (!FoamRing) return;
  glPushMatrix();
  glTranslatef(3.5f, 0, gCameraDistance - 12.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_TEXTURE_2D);
  Bind("waterfoamcircleinverted");
  glColor4f(1, 1, 1, 0.65f);
  const double Pi = 3.14159265358979323846;
  const double Pulse = 1.0 + 0.05 * std::sin(150.0 * T * Pi / 180.0);
  glBegin(GL_POLYGON);
  for (int i = 0; i < 64; ++i) {
    const double A = (i + 1) * Pi / 32.0;
    glNormal3f(0, 1, 0);
    glTexCoord2d(0.5 + 0.5 * std::sin(A), 0.5 + 0.5 * std::cos(A));
    glVertex3d(4.0 * Pulse * std::sin(A), -1.24, 4.0 * Pulse * std::cos(A));
  }
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  glPopMatrix();
}

}  // namespace

void AdvanceMenuLightning(float& Timer, double FrameTime) {
  // The draw is taken every frame, whatever the timer holds, so the generator's sequence does
  // not depend on the flashes.
  if (Random(1250) < 2 && Timer <= 0.0f) Timer = 200.0f;
  if (Timer > 50.0f)
    Timer -= static_cast<float>(0.5 * FrameTime);
  else if (Timer > 0.0f)
    Timer -= static_cast<float>(0.1 * FrameTime);
}

float MenuLightningReach(float Timer) {
  if (Timer <= 0.0f) return 0.0f;
  return Timer > 50.0f ? (150.0f - (Timer - 50.0f)) / 150.0f : 1.0f;
}

void RenderSkySphere(TGame& Game, TViewState& View, bool Reflected) {
  SkyAndLightning(Game, View, Reflected, false);
  glColor3f(1, 1, 1);
}

void RenderMenuReflection(TGame& Game, TViewState& View) { Reflection(Game, View, false); }

void RenderMenuWater(TGame& Game) { Water(Game, false); }

void RenderMenuBackdrop(TGame& Game, TViewState& View) {
  gCameraDistance = -6.0f;
  gFieldOfView = 60.0f;
  if (gSettings.Reflections) RenderMenuReflection(Game, View);
  glEnable(GL_DEPTH_TEST);
  SetScenePerspective(Game);
  // The sky pass draws without clearing: clear here, or the last frame's GUI and cursor stay.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  glTranslatef(0, 0, gCameraDistance);
  glDisable(GL_LIGHTING);
  RenderSkySphere(Game, View, false);
  glPopMatrix();
  RenderMenuWater(Game);
}

void RenderMainMenu(TGame& Game, TViewState& View) {
  gCameraDistance = -6.0f;
  gFieldOfView = 60.0f;
  if (gSettings.Reflections) Reflection(Game, View, true);

  TGLWindow& Base = *gMainMenuGUI->Windows[0];
  for (auto& Item : Base.Items) {
    if (Item->ID == "continue_button") {
      Item->Visible = Game.GameRunning;
      Item->Alpha = 1.0f;
      Item->FadeDir = 1.0f;
    } else if (Item->ID == "gamelogo") {
      // The turning 3D title takes the flat logo's place.
      Item->Visible = false;
      Item->Alpha = 0.75f;
      Item->FadeDir = 1.0f;
      Item->Opacity = 0.75f;
    }
  }

  glEnable(GL_DEPTH_TEST);
  SetScenePerspective(Game);
  glPushMatrix();
  glTranslatef(0, 0, gCameraDistance);
  MainMenuSky(Game, View, false);
  glPopMatrix();
  Water(Game, true);

  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  SetSceneOrtho();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gMainMenuGUI->FadeSpeed = static_cast<float>(Game.FrameTime);
  gMainMenuGUI->Render();
  glEnable(GL_DEPTH_TEST);
  glColor3f(1, 1, 1);
  glDisable(GL_BLEND);
  gFieldOfView = 45.0f;
  gCameraDistance = -2.0f;
}

void MenuStagePlace() { glTranslatef(3.0f, 0.0f, -10.0f); }

void MenuHandPlace() {
  glTranslatef(0.5f, -43.0f, -2.0f);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(-25.0f, 0.0f, 0.0f, 1.0f);
  glScalef(3.0f / 104.0f, 3.0f / 104.0f, 3.0f / 104.0f);
  glScalef(20.0f, 17.0f, 17.0f);
}

void MenuTitleBandPlace(float Time) {
  glTranslatef(0.0f, 3.5f, 0.0f);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(-32.0f * Time, 0.0f, 0.0f, 1.0f);
  glScalef(15.0f / 208.0f, 15.0f / 208.0f, 15.0f / 208.0f);
}
