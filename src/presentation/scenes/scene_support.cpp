#include "presentation/scenes/scene_support.h"

#include <algorithm>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "presentation/presentation_globals.h"

std::uint32_t SceneReflectionTexture(TGame& Game, int& Size) {
  int Wanted = gSettings.ReflectionTextureSize > 0 ? gSettings.ReflectionTextureSize : 512;
  // The mirror is drawn into the window and copied from there: no larger than the window.
  int W = 0, H = 0;
  Game.Form->ClientSize(W, H);
  if (W > 0 && H > 0) Wanted = std::min({Wanted, W, H});
  if (gSceneReflectionTexture == 0 || Wanted != gSceneReflectionSize) {
    if (gSceneReflectionTexture == 0) glGenTextures(1, &gSceneReflectionTexture);
    gSceneReflectionSize = Wanted;
    glBindTexture(GL_TEXTURE_2D, gSceneReflectionTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, Wanted, Wanted, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }
  Size = gSceneReflectionSize;
  return gSceneReflectionTexture;
}

void FreeSceneTargets() {
  if (gSceneReflectionTexture != 0) glDeleteTextures(1, &gSceneReflectionTexture);
  gSceneReflectionTexture = 0;
  gSceneReflectionSize = 0;
  gSceneSkyImage.Free();
  gSceneMirroredSkyImage.Free();
}

void ShowSceneSky(const std::string& Texture, bool Mirrored, const std::function<void()>& DrawQuad) {
  const std::int32_t Source = gTextureManager ? gTextureManager->GetTextureInfo(Texture, tiGLID) : -1;
  GLint Viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, Viewport);
  TBackdropImage& Image = Mirrored ? gSceneMirroredSkyImage : gSceneSkyImage;
  if (Source < 0 || Viewport[0] != 0 || Viewport[1] != 0 || glIsEnabled(GL_LIGHTING) ||
      !Image.Show(static_cast<std::uint32_t>(Source), Viewport[2], Viewport[3], DrawQuad))
    DrawQuad();
}


double SceneAspect(TGame& Game) {
  int W = 0, H = 0;
  Game.Form->ClientSize(W, H);
  return H > 0 ? static_cast<double>(W) / H : 4.0 / 3.0;
}

void SetScenePerspective(TGame& Game) {
  int W = 0, H = 0;
  Game.Form->ClientSize(W, H);
  glViewport(0, 0, W, H);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(gFieldOfView, SceneAspect(Game), 0.1, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetSceneOrtho() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, gGUIScreenWidth, gGUIScreenHeight, 0.0, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void RenderSceneReflection(TGame& Game, float WaterLevel, const std::function<void()>& DrawMirrored) {
  int S = 0;
  const std::uint32_t Texture = SceneReflectionTexture(Game, S);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrontFace(GL_CW);
  glEnable(GL_TEXTURE_2D);
  glViewport(0, 0, S, S);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  gluPerspective(gFieldOfView, SceneAspect(Game), 0.1, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, gCameraDistance);
  glTranslatef(0, WaterLevel, 0);
  glScalef(1, -1, 1);
  DrawMirrored();
  glBindTexture(GL_TEXTURE_2D, Texture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, S, S);
  glFrontFace(GL_CCW);
}
