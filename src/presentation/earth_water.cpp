#include "presentation/earth_water.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "control/control_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/log.h"
#include "engine/model_registry.h"
#include "engine/shader_manager.h"
#include "engine/texture_manager.h"
#include "platform/latin1.h"
#include "presentation/backdrop_image.h"
#include "presentation/earth_render.h"
#include "presentation/frame_projections.h"
#include "presentation/presentation_globals.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {
bool HasTexture(const std::string& Name) { return gTextureManager && gTextureManager->IndexOf(Name) >= 0; }

TGLSLShader* WaterProgram() {
  if (gShaderManager)
    for (std::size_t i = 0; i < gShaderManager->Names.size(); ++i)
      if (LowerAscii(gShaderManager->Names[i]) == "waterb" && gShaderManager->Shaders[i]->Linked)
        return gShaderManager->Shaders[i].get();
  LogOnce("TGame->RenderEarthWater->Shader \"waterB\" not present, drawing the water without it");
  return nullptr;
}

const TNation* PlayerNation() {
  return gPlayerNation < gNations.size() ? gNations[gPlayerNation].get() : nullptr;
}

void LightZero() {
  const GLfloat Position[4] = {0.0f, 5.0f, -5.0f, 0.0f};
  const GLfloat Ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
  const GLfloat Diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, Position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, Ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, Diffuse);
}

void Uniform4(const TGLSLShader& S, const char* Name, float A, float B, float C, float D) {
  glUniform4f(glGetUniformLocation(S.ProgramHandle, Name), A, B, C, D);
}

// The eye's height in the frame of the current model-view matrix (a rotation and a translation,
// as the earth view sets it): the y of the inverse transform applied to the eye at the origin.
float EyeHeight() {
  GLfloat M[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, M);
  return -(M[4] * M[12] + M[5] * M[13] + M[6] * M[14]);
}

// One 64-vertex disc at height H of radius R; Coord gives each vertex's texture coordinate.
// A disc whose plane passes within the near clipping distance of the eye is seen edge-on: it
// would cover nothing but a line of the picture, write depths in front of the whole interface
// along that line, and its near-eye triangles can stall the software rasteriser for good, so it
// is left out.
template <class F>
void Disc(float H, float R, F Coord) {
  if (!WaterDiscVisible(EyeHeight(), H)) {
    LogOnce("TGame->RenderEarthWater->Water disc at height " + std::to_string(H) +
            " lies at the eye's height and is not drawn");
    return;
  }
  glBegin(GL_POLYGON);
  for (int k = 0; k < 64; ++k) {
    const auto D = WaterDiscDirection(k);
    const float X = static_cast<float>(D[0]) * R, Z = static_cast<float>(D[1]) * R;
    glNormal3f(0.0f, 1.0f, 0.0f);
    Coord(D, X, Z);
    glVertex3f(X, H, Z);
  }
  glEnd();
}
}  // namespace

void CreateReflectionTargets(std::int32_t Size, int ClientWidth, int ClientHeight) {
  FreeReflectionTargets();
  GLint MaxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &MaxSize);
  std::int32_t S = std::clamp<std::int32_t>(Size, 16, std::max<GLint>(MaxSize, 16));
  GLint Previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &Previous);
  glGenFramebuffers(1, &gReflectionFramebuffer);
  glGenRenderbuffers(1, &gReflectionDepthbuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, gReflectionDepthbuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, S, S);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glGenTextures(2, gReflectionTexture);
  for (GLuint Texture : gReflectionTexture) {
    glBindTexture(GL_TEXTURE_2D, Texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, S, S, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, gReflectionFramebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gReflectionTexture[0], 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, gReflectionDepthbuffer);
  const bool Complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(Previous));
  if (!Complete) {
    glDeleteFramebuffers(1, &gReflectionFramebuffer);
    glDeleteRenderbuffers(1, &gReflectionDepthbuffer);
    gReflectionFramebuffer = gReflectionDepthbuffer = 0;
    const std::int32_t Fit = std::min({S, ClientWidth, ClientHeight});
    if (Fit < S && Fit > 0) {
      S = Fit;
      for (GLuint Texture : gReflectionTexture) {
        glBindTexture(GL_TEXTURE_2D, Texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, S, S, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
      }
    }
    if (gLog)
      gLog->AddLine("TGame->Create->No frame buffer object for the reflections, copying " + std::to_string(S) + "x" +
                    std::to_string(S) + " pixels from the window");
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  gReflectionSize = S;
}

void FreeReflectionTargets() {
  if (gReflectionTexture[0] != 0) glDeleteTextures(2, gReflectionTexture);
  if (gReflectionFramebuffer != 0) glDeleteFramebuffers(1, &gReflectionFramebuffer);
  if (gReflectionDepthbuffer != 0) glDeleteRenderbuffers(1, &gReflectionDepthbuffer);
  gReflectionTexture[0] = gReflectionTexture[1] = 0;
  gReflectionFramebuffer = gReflectionDepthbuffer = 0;
  gReflectionSize = 0;
}

bool WaterDiscVisible(float EyeHeight, float DiscHeight) {
  return std::isfinite(EyeHeight) && std::isfinite(DiscHeight) && std::fabs(EyeHeight - DiscHeight) >= kWaterDiscEyeClearance;
}

std::array<double, 2> WaterDiscDirection(int k) {
  const double A = (k + 1) * M_PI / 32.0;
  return {std::sin(A), std::cos(A)};
}

void RenderEarthReflection(TGame& Game, int Index, float Height, int ClientWidth, int ClientHeight,
                           TBackdropImage& SkyImage) {
  if (gReflectionTexture[Index] == 0 || ClientHeight <= 0) return;
  const std::int32_t S = gReflectionSize;
  // The frame goes back to whatever frame buffer it was being drawn into.
  GLint Target = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &Target);
  if (gReflectionFramebuffer != 0) {
    glBindFramebuffer(GL_FRAMEBUFFER, gReflectionFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gReflectionTexture[Index], 0);
  }
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrontFace(GL_CW);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glViewport(0, 0, S, S);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gluPerspective(gFieldOfView, static_cast<double>(ClientWidth) / ClientHeight, 1.0, 1024.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glTranslatef(0.0f, Height, 0.0f);
  glScalef(1.0f, -1.0f, 1.0f);
  glPushMatrix();
  glTranslatef(0.0f, Height / 2.0f, 0.0f);
  const GLdouble Plane[4] = {0.0, 1.0, 0.0, 0.0};
  glClipPlane(GL_CLIP_PLANE0, Plane);
  glPopMatrix();

  const std::string Nation = std::to_string(gPlayerNation);
  glDepthMask(GL_FALSE);
  glDisable(GL_CULL_FACE);
  const std::string Sky = "skysphere" + Nation;
  std::uint32_t SkySource = 0;
  if (HasTexture(Sky)) {
    glEnable(GL_TEXTURE_2D);
    gTextureManager->BindTexture(Sky, GL_TEXTURE0);
    SkySource = static_cast<std::uint32_t>(gTextureManager->GetTextureInfo(Sky, tiGLID));
  } else {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.06f, 0.11f, 0.24f);
  }
  // The same sky every time: drawn once at the reflection's size and copied in after that.
  if (!SkyImage.Show(SkySource, S, S, [] { DrawScreenQuad(); })) DrawScreenQuad();
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_CULL_FACE);
  glDepthMask(GL_TRUE);
  glEnable(GL_CLIP_PLANE0);

  glPushMatrix();
  glTranslatef(0.0f, -1.15f, gCameraDistance);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glScalef(0.0288461538f, 0.0288461538f, 0.0288461538f);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  LightZero();
  if (FindModel(ModelKey("background_nation" + Nation)) >= 0)
    Draw3DModel("background_nation" + Nation, 0, false, false);
  glDisable(GL_LIGHTING);
  glPopMatrix();

  glPushMatrix();
  RenderEarth(Game, nullptr, true);  // timed as a part of the reflection
  glPopMatrix();
  glDisable(GL_CLIP_PLANE0);
  glDisable(GL_LIGHTING);
  // The mirrored scene's culling is not the upright scene's.
  glDisable(GL_CULL_FACE);

  if (gReflectionFramebuffer != 0) {
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(Target));
  } else {
    glBindTexture(GL_TEXTURE_2D, gReflectionTexture[Index]);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, S, S);
  }
  glFrontFace(GL_CCW);
  glViewport(0, 0, ClientWidth, ClientHeight);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void RenderEarthWater(TGame& Game, int ClientWidth, int ClientHeight) {
  const TNation* Nation = PlayerNation();
  if (!Nation || ClientHeight <= 0) return;
  const float H[2] = {Nation->WaterplaneUpperPos, Nation->WaterplaneLowerPos};
  const float R[2] = {Nation->WaterplaneUpperDim, Nation->WaterplaneLowerDim};
  const bool Reflections = gSettings.Reflections && gReflectionTexture[0] != 0;
  TGLSLShader* Water = nullptr;
  if (Reflections) {
    if (!gSettings.NoShaders) Water = WaterProgram();
    const bool Projected = Water == nullptr;
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(0.5f, 0.5f, 1.0f);
    glTranslatef(1.0f, 1.0f, 0.0f);
    gluPerspective(gFieldOfView, static_cast<double>(ClientWidth) / ClientHeight, 0.1, 512.0);
    if (Projected) glTranslatef(0.0f, 0.0f, gCameraDistance);
    glDisable(GL_LIGHTING);
    if (Water) {
      if (HasTexture("water_normal")) gTextureManager->BindTexture("water_normal", GL_TEXTURE1);
      if (HasTexture("water_dudv")) gTextureManager->BindTexture("water_dudv", GL_TEXTURE2);
      Water->Bind();
      Uniform4(*Water, "viewpos", 0.0f, 5.0f, gCameraDistance, 1.0f);
      Uniform4(*Water, "lightpos", 0.0f, 5.0f, 5.0f, 1.0f);
      Uniform4(*Water, "waterColor", 0.5f, 0.7f, 1.0f, 0.85f);
      glUniform1f(glGetUniformLocation(Water->ProgramHandle, "alpha"), 0.85f);
      glUniform1f(glGetUniformLocation(Water->ProgramHandle, "time"), 0.1f * gShaderTime);
      glUniform1f(glGetUniformLocation(Water->ProgramHandle, "time2"), 0.5f * gShaderTime);
      glUniform1i(glGetUniformLocation(Water->ProgramHandle, "water_reflection"), 0);
      glUniform1i(glGetUniformLocation(Water->ProgramHandle, "water_normalmap"), 1);
      glUniform1i(glGetUniformLocation(Water->ProgramHandle, "water_dudvmap"), 2);
    }
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_CULL_FACE);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (int i = 0; i < 2; ++i) {
      glActiveTexture(GL_TEXTURE0);
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, gReflectionTexture[i]);
      if (Water && i == 1) Uniform4(*Water, "viewpos", 0.0f, -5.0f, gCameraDistance, 1.0f);
      if (Projected) glColor4f(1.0f, 1.0f, 1.0f, 0.8f);
      Disc(H[i], R[i], [&](const std::array<double, 2>&, float X, float Z) {
        if (Projected)
          glTexCoord3f(X, H[i], Z);
        else
          glTexCoord2f(X, Z);
      });
      glColor3f(1.0f, 1.0f, 1.0f);
    }
    if (Water) Water->Unbind();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    for (GLenum Unit : {GL_TEXTURE2, GL_TEXTURE1}) {
      glActiveTexture(Unit);
      glDisable(GL_TEXTURE_2D);
    }
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_MODELVIEW);
  }

  if (!gSettings.Reflections || Water == nullptr) {
    if (HasTexture("hex_water")) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glEnable(GL_TEXTURE_2D);
      gTextureManager->BindTexture("hex_water", GL_TEXTURE0);
      glDisable(GL_LIGHTING);
      glColor4f(1.0f, 1.0f, 1.0f, 0.65f);
      const float P = 1.05f + 0.05f * static_cast<float>(std::sin(50.0 * M_PI / 180.0 * gShaderTime));
      for (int i = 0; i < 2; ++i)
        Disc(H[i] + 0.01f, R[i], [&](const std::array<double, 2>& D, float, float) {
          glTexCoord2f(static_cast<float>(D[0]) * P, static_cast<float>(D[1]));
        });
    } else if (!Reflections) {
      // Without any water picture the discs are plain, half-clear water.
      LogOnce("TGame->RenderEarthWater->Texture \"hex_water\" not present, drawing plain water");
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glDisable(GL_TEXTURE_2D);
      glColor4f(0.12f, 0.25f, 0.45f, 0.65f);
      for (int i = 0; i < 2; ++i) Disc(H[i] + 0.01f, R[i], [](const std::array<double, 2>&, float, float) {});
    }
  }

  if (HasTexture("waterfoamcircle")) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    gTextureManager->BindTexture("waterfoamcircle", GL_TEXTURE0);
    glColor4f(1.0f, 1.0f, 1.0f, 0.65f);
    for (int i = 0; i < 2; ++i)
      Disc(H[i] + 0.015f, R[i], [](const std::array<double, 2>& D, float, float) {
        glTexCoord2f(0.5f + 0.5f * static_cast<float>(D[0]), 0.5f + 0.5f * static_cast<float>(D[1]));
      });
  }
  glColor3f(1.0f, 1.0f, 1.0f);
}
