#pragma once
// A small world drawn into an off-screen frame buffer of 512 x 512: twelve regions spread over
// the globe (one near each pole, one on the date line, one of nobody's and one of the rebels), a
// synthetic base map with a white-ringed box of land around each region's site, five nations with
// distinct map colours, no textures, programs or models (the stand-in paths), and a game object
// with its globe. Pixels are read back and frames saved to build-test/artifacts/<test>/.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/shader_manager.h"
#include "platform/files.h"
#include "platform/png_codec.h"
#include "presentation/basic_game_view.h"
#include "presentation/earth_render.h"
#include "presentation/frame_projections.h"
#include "presentation/presentation_globals.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/texture_fixture.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

struct TTestSite {
  double Lat, Lon;
  std::uint8_t Owner;
};

inline const std::vector<TTestSite>& TestSites() {
  static const std::vector<TTestSite> Sites{
      {50, 10, 0},   {40, -100, 1}, {-15, -50, 2}, {0, 30, 3},    {35, 110, 4},   {-25, 135, 0},
      {75, -40, 1},  {-75, 60, 2},  {10, 179, 3},  {60, 90, 5},   {-40, -70, 6},  {20, -160, 4}};
  return Sites;
}

constexpr std::uint8_t kMapColors[5][3] = {{230, 40, 40}, {40, 200, 60}, {230, 220, 40}, {200, 40, 200}, {240, 140, 20}};
constexpr std::uint32_t kSea = 0x142446, kLand = 0x969696;
constexpr int kSize = 512;

class GlobeGL : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_GL_CONTEXT();
    Ready = true;
    SavedSettings = gSettings;
    SavedShaders = std::move(gShaderManager);
    gSettings.HighGlobeDetail = true;
    for (std::size_t n = 0; n < gNations.size(); ++n) {
      gNations[n] = std::make_unique<TNation>();
      gNations[n]->ID = static_cast<std::uint8_t>(n);
      gNations[n]->MapColor = {kMapColors[n][0], kMapColors[n][1], kMapColors[n][2]};
    }
    gRegionBaseMap = TRegionBitmap{512, 256, std::vector<std::uint32_t>(512 * 256, kSea)};
    gRegions.clear();
    for (const TTestSite& S : TestSites()) {
      auto R = std::make_unique<TRegion>();
      const double B = S.Lat * M_PI / 180.0, L = S.Lon * M_PI / 180.0;
      R->Position3D = MakeVector3(static_cast<float>(52.0 * std::cos(B) * std::sin(L)),
                                  static_cast<float>(-52.0 * std::cos(B) * std::cos(L)),
                                  static_cast<float>(52.0 * std::sin(B)));
      const int X = static_cast<int>((S.Lon + 180.0) / 360.0 * 512.0), Y = static_cast<int>((90.0 - S.Lat) / 180.0 * 256.0);
      R->X2D = 2 * X;
      R->Y2D = 2 * Y;
      R->Owner = S.Owner;
      R->ID = static_cast<std::int32_t>(gRegions.size());
      for (int y = Y - 8; y <= Y + 8; ++y)
        for (int x = X - 12; x <= X + 12; ++x)
          if (gRegionBaseMap.Contains(x, y))
            gRegionBaseMap.Pixels[std::size_t(y) * 512 + std::size_t(x)] =
                (std::abs(y - Y) == 8 || std::abs(x - X) == 12) ? kRegionBorderColor : kLand;
      gRegions.push_back(std::move(R));
    }
    gPlayerNation = 0;
    gSelectedRegion = -1;
    Game = std::make_unique<TGame>(Form, std::make_unique<TBasicGameView>());
    Game->Earth = std::make_unique<TEarth>();
    Game->Earth->CreateDisplayLists();
    Game->Earth->Zoom = 1.0f;
    Game->Earth->Position = MakeVector3(0.0f, 0.0f, 0.0f);
    Game->Earth->Atmosphere = 0.0f;
    Game->HoveredRegion = -1;
    gFieldOfView = 60.0f;
    gCameraDistance = -5.0f;
    gShaderTime = 0.0f;

    glGenFramebuffers(1, &Framebuffer);
    glGenRenderbuffers(2, Renderbuffers);
    glBindRenderbuffer(GL_RENDERBUFFER, Renderbuffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kSize, kSize);
    glBindRenderbuffer(GL_RENDERBUFFER, Renderbuffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kSize, kSize);
    glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Renderbuffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, Renderbuffers[1]);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, kSize, kSize);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
  }

  void TearDown() override {
    if (!Ready) return;
    FreeRegionMapTexture();
    FreeEarthRenderLists();
    Game.reset();
    gRegions.clear();
    for (auto& N : gNations) N.reset();
    gRegionBaseMap = gRegionMap = TRegionBitmap{};
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &Framebuffer);
    glDeleteRenderbuffers(2, Renderbuffers);
    gShaderManager = std::move(SavedShaders);
    gSettings = SavedSettings;
  }

  // Turns the globe so that a site faces the camera.
  void Face(double Lat, double Lon) {
    Game->Earth->RotationX = static_cast<float>(Lat);
    Game->Earth->RotationY = static_cast<float>(-Lon);
  }

  // The earth view's globe alone, on black, lit by the earth view's light.
  void DrawGlobe(bool Reflection) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetPerspectiveProjection(kSize, kSize);
    const GLfloat Light[4] = {0.0f, 5.0f, 5.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, Light);
    glPushMatrix();
    RenderEarth(*Game, nullptr, Reflection);
    glPopMatrix();
  }

  std::array<int, 3> Pixel(int X, int YFromTop) const {
    std::uint8_t P[4] = {};
    glReadPixels(X, kSize - 1 - YFromTop, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, P);
    return {P[0], P[1], P[2]};
  }

  // Where a region's point lands in the current frame, x and y from the top.
  static std::array<double, 3> Projected(TRegion& R, float Scale) {
    glPushMatrix();
    glScalef(Scale, Scale, Scale);
    double X = 0, Y = 0, Z = 0;
    R.UpdateScreenPosition(X, Y, Z);
    glPopMatrix();
    return {X, Y, Z};
  }

  void SaveFrame(const std::string& Name) const {
    std::vector<std::uint8_t> Pixels(std::size_t(kSize) * kSize * 4);
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
    for (std::size_t i = 3; i < Pixels.size(); i += 4) Pixels[i] = 255;
    std::string Bytes, Error;
    ASSERT_TRUE(EncodePNG(Pixels.data(), kSize, kSize, Bytes, Error)) << Error;
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path Folder = std::filesystem::path(TARNOVA_BINARY_DIR) / "artifacts" / "globe_gltest";
    std::filesystem::create_directories(Folder);
    ASSERT_TRUE(SafeWriteFile(Folder / (std::string(Info->name()) + "_" + Name + ".png"), Bytes));
  }

  TLogCapture Log;
  TTextureManagerSwap Textures;
  TTarnovaForm Form{{"tarnova", "-windowed"}};
  std::unique_ptr<TGame> Game;
  bool Ready = false;

  GLuint Framebuffer = 0, Renderbuffers[2] = {};

private:
  TGameSettings SavedSettings;
  std::unique_ptr<TGLSLShaderManager> SavedShaders;
};

// How alike two colours are in hue and saturation, whatever their brightness: 1 for the same
// direction in RGB.
inline double ColourLikeness(const std::array<int, 3>& A, const std::array<int, 3>& B) {
  double Dot = 0, NA = 0, NB = 0;
  for (int i = 0; i < 3; ++i) {
    Dot += double(A[i]) * B[i];
    NA += double(A[i]) * A[i];
    NB += double(B[i]) * B[i];
  }
  return NA > 0 && NB > 0 ? Dot / std::sqrt(NA * NB) : 0.0;
}
