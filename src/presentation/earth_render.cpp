#include "presentation/earth_render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/pick_colors.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/log.h"
#include "engine/model_registry.h"
#include "engine/shader_manager.h"
#include "engine/texture_manager.h"
#include "platform/latin1.h"
#include "presentation/pass_timer.h"
#include "presentation/presentation_globals.h"
#include "presentation/region_symbols.h"
#include "world/earth.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace {
constexpr float kAtmosphereScale = 0.2830188679f;  // 15/53
constexpr float kGlobeScale = 0.0288461538f;       // 1.5/52
constexpr float kCloudScale = 1.53f;
constexpr float kPickQuadScale = 0.0302941176f;  // 1.03/34
constexpr double kModelRadius = 52.0;

bool HasTexture(const char* Name) { return gTextureManager && gTextureManager->IndexOf(Name) >= 0; }

// The program of that name when the shader manager holds it linked; else logs once and gives none.
TGLSLShader* Program(const char* Name) {
  if (gShaderManager)
    for (std::size_t i = 0; i < gShaderManager->Names.size(); ++i)
      if (LowerAscii(gShaderManager->Names[i]) == LowerAscii(Name) && gShaderManager->Shaders[i]->Linked)
        return gShaderManager->Shaders[i].get();
  LogOnce(std::string("TEarth->Render->Shader \"") + Name + "\" not present, drawing without it");
  return nullptr;
}

void SetInt(const TGLSLShader& S, const char* Name, GLint V) {
  glUniform1i(glGetUniformLocation(S.ProgramHandle, Name), V);
}
void SetFloat(const TGLSLShader& S, const char* Name, GLfloat V) {
  glUniform1f(glGetUniformLocation(S.ProgramHandle, Name), V);
}

void Bind(const char* Name, GLenum Unit) {
  glActiveTexture(Unit);
  if (HasTexture(Name)) {
    gTextureManager->BindTexture(Name, Unit);
  } else {
    LogOnce(std::string("TEarth->Render->Texture \"") + Name + "\" not present, drawing without it");
    glDisable(GL_TEXTURE_2D);
  }
}

void BindOwnership(GLenum Unit) {
  glActiveTexture(Unit);
  if (gRegionTextureID != 0) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gRegionTextureID);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void DisableUnits() {
  for (GLenum Unit : {GL_TEXTURE4, GL_TEXTURE3, GL_TEXTURE2, GL_TEXTURE1, GL_TEXTURE0}) {
    glActiveTexture(Unit);
    glDisable(GL_TEXTURE_2D);
  }
}

// A sphere of the globe model's radius made from a subdivided cube: no point of it gathers many
// thin triangles, which some rasterisers take ages over when a pole faces the camera. Once drawn,
// latitude B, longitude L lies at (cos B sin L, sin B, cos B cos L) and shows the maps at
// s = (L + 180) / 360, t = (B + 90) / 180 (their bottom rows at the south pole), as the globe
// model has them. Like the model it is built with z as the polar axis and drawn turned a quarter
// about -x, so the globe programs, which light it in that frame, find the same normals on both.
void StandInTriangle(const std::array<std::array<double, 3>, 3>& P) {
  std::array<double, 3> S{}, T{};
  for (int k = 0; k < 3; ++k) {
    S[k] = (std::atan2(P[k][0], P[k][2]) * 180.0 / M_PI + 180.0) / 360.0;
    T[k] = (std::asin(std::clamp(P[k][1], -1.0, 1.0)) * 180.0 / M_PI + 90.0) / 180.0;
  }
  // A triangle across the date line takes its western points round by one turn (the maps repeat).
  if (*std::max_element(S.begin(), S.end()) - *std::min_element(S.begin(), S.end()) > 0.5)
    for (double& V : S)
      if (V < 0.5) V += 1.0;
  for (int k = 0; k < 3; ++k) {
    glTexCoord2d(S[k], T[k]);
    for (GLenum Unit : {GL_TEXTURE1, GL_TEXTURE2, GL_TEXTURE3, GL_TEXTURE4}) glMultiTexCoord2d(Unit, S[k], T[k]);
    // (x, y, z) once turned is (x, -z, y) in the model's frame.
    glNormal3d(P[k][0], -P[k][2], P[k][1]);
    glVertex3d(P[k][0] * kModelRadius, -P[k][2] * kModelRadius, P[k][1] * kModelRadius);
  }
}

void DrawStandInSphere() {
  if (gStandInSphere == 0) {
    gStandInSphere = glGenLists(1);
    glNewList(gStandInSphere, GL_COMPILE);
    using V3 = std::array<double, 3>;
    // Each face: its normal N and two axes U, V with U x V = N, so its triangles wind
    // counter-clockwise seen from outside. An odd count keeps the poles off every corner.
    const std::array<std::array<V3, 3>, 6> Faces{{{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
                                                 {{{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}},
                                                 {{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}},
                                                 {{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}},
                                                 {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}},
                                                 {{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}}}};
    constexpr int Cells = 15;
    const auto Point = [](const std::array<V3, 3>& F, int i, int j) {
      const double A = 2.0 * i / Cells - 1.0, B = 2.0 * j / Cells - 1.0;
      V3 P;
      for (int c = 0; c < 3; ++c) P[c] = F[0][c] + A * F[1][c] + B * F[2][c];
      const double L = std::sqrt(P[0] * P[0] + P[1] * P[1] + P[2] * P[2]);
      for (double& C : P) C /= L;
      return P;
    };
    glBegin(GL_TRIANGLES);
    for (const auto& F : Faces)
      for (int j = 0; j < Cells; ++j)
        for (int i = 0; i < Cells; ++i) {
          StandInTriangle({Point(F, i, j), Point(F, i + 1, j), Point(F, i + 1, j + 1)});
          StandInTriangle({Point(F, i, j), Point(F, i + 1, j + 1), Point(F, i, j + 1)});
        }
    glEnd();
    glEndList();
  }
  glPushMatrix();
  glRotatef(90.0f, -1.0f, 0.0f, 0.0f);
  glCallList(gStandInSphere);
  glPopMatrix();
}

void DrawGlobeModel(const char* Name) {
  if (FindModel(ModelKey(Name)) >= 0) {
    Draw3DModel(Name, 0, false, false);
    return;
  }
  LogOnce(std::string("TEarth->Render->Model \"") + Name + "\" not present, drawing a plain sphere");
  DrawStandInSphere();
}

void Combine(GLenum Function, GLenum Source0, GLenum Source1, GLenum Source2) {
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, static_cast<GLint>(Function));
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, static_cast<GLint>(Source0));
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, static_cast<GLint>(Source1));
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_RGB, static_cast<GLint>(Source2));
  // Every operand is named: the third defaults to the source's alpha, which would let the
  // ownership colour replace the earth instead of tinting it.
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_RGB, GL_SRC_COLOR);
  glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, 1.0f);
}

void SetUnitTranslation(GLenum Unit, float S) {
  glActiveTexture(Unit);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  if (S != 0.0f) glTranslatef(S, 0.0f, 0.0f);
  glMatrixMode(GL_MODELVIEW);
}

void DrawGlobeWithShader(const TGLSLShader& Earth, const char* Model) {
  BindOwnership(GL_TEXTURE4);
  Bind("regions", GL_TEXTURE3);
  Bind("earthclouds", GL_TEXTURE2);
  Bind("earthnight", GL_TEXTURE1);
  Bind("earthmap", GL_TEXTURE0);
  Earth.Bind();
  SetInt(Earth, "EarthDay", 0);
  SetInt(Earth, "EarthNight", 1);
  SetInt(Earth, "EarthCloudGloss", 2);
  SetInt(Earth, "EarthRegions", 3);
  SetInt(Earth, "ColorOverlay", 4);
  SetInt(Earth, "cloudCover", 1);
  SetFloat(Earth, "cos_time_0_2PI", static_cast<float>(std::cos(0.2 * gShaderTime)));
  SetFloat(Earth, "sin_time_0_2PI", static_cast<float>(std::sin(0.2 * gShaderTime)));
  DrawGlobeModel(Model);
  Earth.Unbind();
  DisableUnits();
}

void DrawGlobeFixed(const char* Model) {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glPushAttrib(GL_TEXTURE_BIT);
  // Without the day map the ownership map itself is the globe's picture.
  if (HasTexture("earthmap")) {
    Bind("earthmap", GL_TEXTURE0);
  } else {
    LogOnce("TEarth->Render->Texture \"earthmap\" not present, the globe shows the region map");
    BindOwnership(GL_TEXTURE0);
  }
  Combine(GL_MODULATE, GL_CONSTANT, GL_TEXTURE, GL_CONSTANT);
  const GLfloat White[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, White);

  BindOwnership(GL_TEXTURE1);
  Combine(GL_INTERPOLATE, GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT);
  const GLfloat Quarter[4] = {0.25f, 0.25f, 0.25f, 1.0f};
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, Quarter);

  Bind("regions", GL_TEXTURE2);
  Combine(GL_ADD, GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT);

  Bind("Earthnightdaynoshader", GL_TEXTURE3);
  SetUnitTranslation(GL_TEXTURE3, gShaderTime / 50.0f);
  Combine(GL_MODULATE, GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT);

  glActiveTexture(GL_TEXTURE0);
  DrawGlobeModel(Model);
  glPopAttrib();
  SetUnitTranslation(GL_TEXTURE3, 0.0f);
  DisableUnits();
  glDisable(GL_LIGHTING);
}

void DrawClouds(const TEarth& Earth, bool Shaders) {
  TGLSLShader* Clouds = Shaders && HasTexture("earthclouds") ? Program("earth_cloudcover") : nullptr;
  const float Scale = kCloudScale * Earth.Zoom;
  if (Clouds) {
    glPushMatrix();
    Bind("earthclouds", GL_TEXTURE0);
    glScalef(Scale, Scale, Scale);
    Clouds->Bind();
    SetInt(*Clouds, "EarthCloudGloss", 0);
    SetInt(*Clouds, "cloudCover", 1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glRotatef(gShaderTime, 0.0f, 1.0f, 0.0f);
    glCallList(Earth.SphereList);
    glDisable(GL_BLEND);
    Clouds->Unbind();
    glPopMatrix();
  } else if (HasTexture("earthcloudsnoshader")) {
    glPushMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_LIGHTING);
    Bind("earthcloudsnoshader", GL_TEXTURE0);
    glScalef(Scale, Scale, Scale);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glRotatef(gShaderTime, 0.0f, 1.0f, 0.0f);
    glCallList(Earth.SphereList);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPopMatrix();
  } else {
    // Without a cloud picture an additive or blended sphere would only veil the globe.
    LogOnce("TEarth->Render->No cloud texture present, drawing no clouds");
  }
}
}  // namespace

void RenderEarth(TGame& Game, TPassTimer* Passes, bool Reflection) {
  TEarth& Earth = *Game.Earth;
  glTranslatef(Earth.Position.X, Earth.Position.Y, gCameraDistance);
  glRotatef(Earth.RotationX, 1.0f, 0.0f, 0.0f);
  glRotatef(Earth.RotationY, 0.0f, 1.0f, 0.0f);

  if (Earth.Atmosphere > 0.0f) {
    TPassScope Pass(Passes, "atmosphere");
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glRotatef(Earth.RotationY, 0.0f, -1.0f, 0.0f);
    glRotatef(Earth.RotationX, -1.0f, 0.0f, 0.0f);
    const float S = kAtmosphereScale * Earth.Zoom;
    glScalef(S, S, S);
    glCallList(Earth.AtmosphereList);
    glPopMatrix();
    glDepthMask(GL_TRUE);
  }

  {
    TPassScope Pass(Passes, "globe");
    glPushMatrix();
    const float S = kGlobeScale * Earth.Zoom;
    glScalef(S, S, S);
    glEnable(GL_NORMALIZE);
    const char* Model = Reflection || !gSettings.HighGlobeDetail ? "earthsimple" : "earth";
    TGLSLShader* Shader = gSettings.NoShaders ? nullptr : Program("earth");
    if (Shader)
      DrawGlobeWithShader(*Shader, Model);
    else
      DrawGlobeFixed(Model);
    glPopMatrix();
  }

  if (!Reflection) {
    TPassScope Pass(Passes, "arrows");
    RenderRegionArrows(Game);
  }
  {
    TPassScope Pass(Passes, "clouds");
    DrawClouds(Earth, !gSettings.NoShaders);
    DisableUnits();
    glActiveTexture(GL_TEXTURE0);
  }
  if (!Reflection) {
    TPassScope Pass(Passes, "symbols");
    RenderRegionSymbols(Game);
  }
}

void RenderEarthWithoutBorders(TGame& Game, const TVector3& Rotation, const TVector3& Position, const TVector3& Scale) {
  glPushMatrix();
  Bind("regions", GL_TEXTURE3);
  Bind("earthclouds", GL_TEXTURE2);
  Bind("earthnight", GL_TEXTURE1);
  glActiveTexture(GL_TEXTURE0);
  TGLSLShader* Shader = gSettings.NoShaders ? nullptr : Program("earth_noborders");
  if (Shader) {
    Bind("earthmap", GL_TEXTURE0);
    Shader->Bind();
    SetInt(*Shader, "EarthDay", 0);
    SetInt(*Shader, "EarthNight", 1);
    SetInt(*Shader, "EarthCloudGloss", 2);
    SetInt(*Shader, "EarthRegions", 3);
    SetInt(*Shader, "cloudCover", 1);
    SetFloat(*Shader, "cos_time_0_2PI", static_cast<float>(std::cos(1.5 * gShaderTime)));
    SetFloat(*Shader, "sin_time_0_2PI", static_cast<float>(std::sin(1.5 * gShaderTime)));
  } else {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    Bind("Earthnightdaynoshader", GL_TEXTURE1);
    SetUnitTranslation(GL_TEXTURE1, gShaderTime / 50.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
    for (GLenum Unit : {GL_TEXTURE3, GL_TEXTURE2}) {
      glActiveTexture(Unit);
      glDisable(GL_TEXTURE_2D);
    }
    Bind("earthmap", GL_TEXTURE0);
  }
  glTranslatef(Position.X, Position.Y, Position.Z);
  glRotatef(Rotation.X, 1.0f, 0.0f, 0.0f);
  glRotatef(Rotation.Y, 0.0f, 1.0f, 0.0f);
  glRotatef(Rotation.Z, 0.0f, 0.0f, 1.0f);
  glScalef(Scale.X, Scale.Y, Scale.Z);
  DrawGlobeModel("earth");
  if (Shader) Shader->Unbind();
  SetUnitTranslation(GL_TEXTURE1, 0.0f);
  DisableUnits();
  glActiveTexture(GL_TEXTURE0);
  glDisable(GL_LIGHTING);
  glPopMatrix();
}

void RenderEarthPickColors(TGame& Game) {
  TEarth& Earth = *Game.Earth;
  glDisable(GL_CULL_FACE);
  // Only the pick colours may reach the picture: lighting, blending or fog would change them.
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_FOG);
  glTranslatef(Earth.Position.X, Earth.Position.Y, gCameraDistance);
  glRotatef(Earth.RotationX, 1.0f, 0.0f, 0.0f);
  glRotatef(Earth.RotationY, 0.0f, 1.0f, 0.0f);

  // The globe hides the quads on its far side. It writes depth only: a texel of the earth's
  // picture could otherwise equal a pick code.
  glPushMatrix();
  DisableUnits();
  glActiveTexture(GL_TEXTURE0);
  const float S = kGlobeScale * Earth.Zoom;
  glScalef(S, S, S);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  DrawGlobeModel("earthsimple");
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPopMatrix();

  glPushMatrix();
  DisableUnits();
  glActiveTexture(GL_TEXTURE0);
  const float Q = kPickQuadScale * Earth.Zoom;
  glScalef(Q, Q, Q);
  for (std::size_t i = 0; i < gRegions.size(); ++i) {
    const TRegion& R = *gRegions[i];
    glPushMatrix();
    glTranslatef(R.Position3D.X, R.Position3D.Z, -R.Position3D.Y);
    glRotatef(Earth.RotationY, 0.0f, -1.0f, 0.0f);
    glRotatef(Earth.RotationX, -1.0f, 0.0f, 0.0f);
    const TPickColor C = PickColor(static_cast<std::int32_t>(i));
    glColor3ub(C[0], C[1], C[2]);
    // The selected and the hovered region's quads are doubled, as their flags are on the globe.
    const auto Index = static_cast<std::int32_t>(i);
    if (Index == Earth.SelRegion || Index == Game.HoveredRegion) glScalef(2.0f, 2.0f, 2.0f);
    TEarth::DrawSymbolQuad();
    glPopMatrix();
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  glPopMatrix();
}

void FreeEarthRenderLists() {
  if (gStandInSphere != 0) glDeleteLists(gStandInSphere, 1);
  gStandInSphere = 0;
}
