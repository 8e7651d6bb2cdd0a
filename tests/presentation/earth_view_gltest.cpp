// The earth view of the real game (started through TGame::Create on the data set, a new game
// begun) in a window of its own: the globe with the data set's pictures, models and programs
// shows each owner's colour on its regions' land and not on the sea beside them; the whole frame
// fills a standard and a wide window, with and without shaders; the water's reflection holds the
// mirrored globe and nothing from below the water. Pictures go to build-test/artifacts/<test>/.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "control/control_globals.h"
#include "game_window_fixture.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/settings.h"
#include "engine/tex_font.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "gui/window.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/png_codec.h"
#include "platform/virtual_keys.h"
#include "presentation/earth_game_view.h"
#include "presentation/earth_render.h"
#include "presentation/earth_view_hud.h"
#include "presentation/frame_projections.h"
#include "presentation/presentation_globals.h"
#include "presentation/region_map.h"
#include "support/gl_environment.h"
#include "support/temp_folder.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace fs = std::filesystem;

namespace {

using TRGB = std::array<int, 3>;

// A picture read back: red, green, blue per pixel, the top row first.
struct TPicture {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> RGB;
  TRGB At(int X, int Y) const {
    const std::uint8_t* P = &RGB[(std::size_t(Y) * std::size_t(Width) + std::size_t(X)) * 3];
    return {P[0], P[1], P[2]};
  }
  // The average of the (2 R + 1)^2 pixels around (X, Y).
  TRGB Mean(int X, int Y, int R) const {
    TRGB Sum{};
    int N = 0;
    for (int y = std::max(0, Y - R); y <= std::min(Height - 1, Y + R); ++y)
      for (int x = std::max(0, X - R); x <= std::min(Width - 1, X + R); ++x, ++N)
        for (int c = 0; c < 3; ++c) Sum[c] += At(x, y)[c];
    for (int& C : Sum) C /= std::max(N, 1);
    return Sum;
  }
};

int Brightness(const TRGB& C) { return (C[0] + C[1] + C[2]) / 3; }

fs::path ArtifactFolder() {
  const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path Folder =
      fs::path(TARNOVA_BINARY_DIR) / "artifacts" / (std::string(Info->test_suite_name()) + "." + Info->name());
  fs::create_directories(Folder);
  return Folder;
}

void SavePicture(const TPicture& P, const std::string& Name) {
  std::vector<std::uint8_t> RGBA(std::size_t(P.Width) * std::size_t(P.Height) * 4);
  for (int Y = 0; Y < P.Height; ++Y)
    for (int X = 0; X < P.Width; ++X) {
      const TRGB C = P.At(X, Y);
      std::uint8_t* Q = &RGBA[(std::size_t(P.Height - 1 - Y) * std::size_t(P.Width) + std::size_t(X)) * 4];
      Q[0] = std::uint8_t(C[0]), Q[1] = std::uint8_t(C[1]), Q[2] = std::uint8_t(C[2]), Q[3] = 255;
    }
  std::string Bytes, Error;
  ASSERT_TRUE(EncodePNG(RGBA.data(), std::uint32_t(P.Width), std::uint32_t(P.Height), Bytes, Error)) << Error;
  ASSERT_TRUE(SafeWriteFile(ArtifactFolder() / (Name + ".png"), Bytes, &Error)) << Error;
}

// The current frame buffer's Width x Height pixels.
TPicture ReadFrame(int Width, int Height) {
  TPicture P{Width, Height, std::vector<std::uint8_t>(std::size_t(Width) * std::size_t(Height) * 3)};
  std::vector<std::uint8_t> Rows(P.RGB.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, Rows.data());
  const std::size_t Row = std::size_t(Width) * 3;
  for (int Y = 0; Y < Height; ++Y)
    std::copy_n(&Rows[std::size_t(Height - 1 - Y) * Row], Row, &P.RGB[std::size_t(Y) * Row]);
  return P;
}

// The game as the program starts it, on the data set of the build, in a window of the size given,
// with a new single-player game of nation 0 begun and its frames clocked 40 ms apart.
class EarthViewGL : public TGameWindowTest {
protected:
  void Start(int Width, int Height) {
    CreateForm();
    // The client area a full-screen mode of this size gives.
    Form->ClientWidth = Width;
    Form->ClientHeight = Height;
    gMainForm = Form.get();
    gGame = std::make_unique<TGame>(*Form, std::make_unique<TEarthGameView>());
    gGame->Create();
    ASSERT_FALSE(gGame->Quit) << "the game did not start";
    int W = 0, H = 0;
    Form->ClientSize(W, H);
    ASSERT_EQ(W, Width);
    ASSERT_EQ(H, Height);
    // The clock goes on from the platform clock the game read so far.
    Clock = NowMilliseconds();
    gGame->FrameClock = [this] { return Clock += 40.0; };
    gGame->SelectedNation = 0;
    gGame->StartNewGame(0);
    ASSERT_EQ(gGame->State, gsEarthView);
    // The fade-in and the windows' fades run their course.
    for (int i = 0; i < 25; ++i) gGame->Render();
    ASSERT_FLOAT_EQ(gGame->FadeValue, 1.0f);
  }

  // A frame of the game taken as the player takes it (F10), read back from the file written.
  TPicture Shot(float ShaderTime) {
    Form->FormKeyDown(VK_F10, 0);
    gShaderTime = ShaderTime;
    gGame->Render();
    fs::path Newest;
    for (const auto& E : fs::directory_iterator(gScreenshotPath))
      if (Newest.empty() || fs::last_write_time(E.path()) >= fs::last_write_time(Newest)) Newest = E.path();
    TPicture P;
    const auto Bytes = ReadWholeFile(Newest);
    TPNGImage Image;
    std::string Error;
    if (!Bytes || !DecodePNG(Bytes->data(), Bytes->size(), Image, Error)) {
      ADD_FAILURE() << "no screenshot: " << Error;
      return P;
    }
    fs::remove(Newest);
    P.Width = int(Image.Width);
    P.Height = int(Image.Height);
    P.RGB.resize(std::size_t(P.Width) * std::size_t(P.Height) * 3);
    for (int Y = 0; Y < P.Height; ++Y)
      for (int X = 0; X < P.Width; ++X) {
        const std::uint8_t* S = &Image.Pixels[(std::size_t(P.Height - 1 - Y) * Image.Width + std::size_t(X)) * 4];
        std::uint8_t* D = &P.RGB[(std::size_t(Y) * std::size_t(P.Width) + std::size_t(X)) * 3];
        D[0] = S[2], D[1] = S[1], D[2] = S[0];
      }
    return P;
  }

  double Clock = 0.0;
};

}  // namespace

namespace {

constexpr std::uint32_t kBaseMapSea = 0x142446;

double MapLat(int Y, int Height) { return 90.0 - (Y + 0.5) / Height * 180.0; }
double MapLon(int X, int Width) { return (X + 0.5) / Width * 360.0 - 180.0; }

// A region's land and the sea beside it on the base map: the pixel of the region's area with the
// widest square of its own area around it (up to 9 x 9, the one nearest the seed among equals),
// and the open sea nearest that pixel (a 5 x 5 square of sea, so the ownership texture's linear
// filter reaches no land there).
struct TLandAndSea {
  int LandX = -1, LandY = -1, Margin = -1, SeaX = -1, SeaY = -1;
};

TLandAndSea FindLandAndSea(const TRegion& R) {
  const TRegionBitmap& Base = gRegionBaseMap;
  const int W = Base.Width, H = Base.Height, SeedX = R.X2D / 2, SeedY = R.Y2D / 2;
  TRegionBitmap Area = Base;
  constexpr std::uint32_t Mark = 0x010203;
  EXPECT_TRUE(FloodFillRegion(Area, SeedX, SeedY, Mark));
  const auto Is = [&](const TRegionBitmap& M, int X, int Y, std::uint32_t C) {
    return Y >= 0 && Y < H && M.At(((X % W) + W) % W, Y) == C;
  };
  const auto Square = [&](const TRegionBitmap& M, int X, int Y, int K, std::uint32_t C) {
    for (int dy = -K; dy <= K; ++dy)
      for (int dx = -K; dx <= K; ++dx)
        if (!Is(M, X + dx, Y + dy, C)) return false;
    return true;
  };
  // The map wraps round in longitude.
  const auto Distance = [&](int X0, int Y0, int X1, int Y1) {
    const int DX = std::min(std::abs(X1 - X0), W - std::abs(X1 - X0)), DY = Y1 - Y0;
    return DX * DX + DY * DY;
  };
  TLandAndSea Best;
  int BestDistance = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      if (Area.At(X, Y) != Mark) continue;
      int K = 0;
      while (K < 4 && Square(Area, X, Y, K + 1, Mark)) ++K;
      const int D = Distance(X, Y, SeedX, SeedY);
      if (K > Best.Margin || (K == Best.Margin && D < BestDistance)) {
        Best.LandX = X, Best.LandY = Y, Best.Margin = K;
        BestDistance = D;
      }
    }
  int SeaDistance = 1 << 30;
  for (int Y = std::max(2, Best.LandY - 40); Y < std::min(H - 2, Best.LandY + 41); ++Y)
    for (int X = Best.LandX - 40; X <= Best.LandX + 40; ++X)
      if (const int D = Distance(X, Y, Best.LandX, Best.LandY); D < SeaDistance && Square(Base, X, Y, 2, kBaseMapSea)) {
        Best.SeaX = ((X % W) + W) % W, Best.SeaY = Y;
        SeaDistance = D;
      }
  return Best;
}

// Twelve regions of the data set spread over the globe: the northernmost (Greenland) and the
// southernmost (Patagonia), two beside the date line (New Zealand, the Russian Far East), Alaska,
// and coasts on every continent.
struct TSpreadRegion {
  std::size_t Index;
  const char* Name;
};
constexpr TSpreadRegion kSpreadRegions[] = {
    {26, "Greenland"},    {41, "Patagonia"},   {140, "New Zealand"}, {77, "Far East"},
    {0, "Alaska"},        {9, "California"},   {34, "Brazil north-east"}, {52, "France"},
    {115, "West Sahara"}, {93, "India south"}, {135, "West Australia"},   {100, "Japan"}};

// How alike two colour changes are in direction: 1 for the same direction, -1 for the opposite.
double Likeness(const std::array<double, 3>& A, const std::array<double, 3>& B) {
  double Dot = 0, NA = 0, NB = 0;
  for (int i = 0; i < 3; ++i) Dot += A[i] * B[i], NA += A[i] * A[i], NB += B[i] * B[i];
  return NA > 0 && NB > 0 ? Dot / std::sqrt(NA * NB) : 0.0;
}

// The time of the shader clock at which the sun stands over a longitude: the globe program's sun
// turns at 0.2 radians a second, the day mask of the picture without shaders once in 50 seconds.
float NoonAt(double Lon, bool Shaders) {
  if (Shaders) {
    // Sun direction (cos 0.2 T, sin 0.2 T, 0.35) in the globe model's frame, over the equator's
    // point (sin Lon, -cos Lon, 0).
    double A = std::atan2(-std::cos(Lon * M_PI / 180.0), std::sin(Lon * M_PI / 180.0));
    if (A < 0) A += 2.0 * M_PI;
    return static_cast<float>(A / 0.2);
  }
  const double U = (Lon + 180.0) / 360.0;
  return static_cast<float>(50.0 * (1.0 - U));
}

}  // namespace

TEST_F(EarthViewGL, TheGlobeShowsEachOwnersColourOnItsLandAndNotOnTheSeaBesideIt) {
  Start(1024, 768);
  ASSERT_GT(gRegionBaseMap.Width, 0);
  ASSERT_NE(gRegionTextureID, 0u);
  const auto& Cases = kSpreadRegions;
  ASSERT_GT(gRegions.size(), std::size_t(140));

  // Only the regions of the cases have an owner, each one of the five nations in turn.
  TEarth& Earth = *gGame->Earth;
  for (auto& R : gRegions) R->Owner = 5;
  UpDateRegionMap(false);
  // The ownership texture of nobody's world: the base map.
  const GLuint Owned = gRegionTextureID;
  std::vector<std::uint8_t> Texels(std::size_t(gRegionBaseMap.Width) * std::size_t(gRegionBaseMap.Height) * 4);
  glBindTexture(GL_TEXTURE_2D, Owned);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, Texels.data());
  GLuint Plain = 0;
  glGenTextures(1, &Plain);
  glBindTexture(GL_TEXTURE_2D, Plain);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, gRegionBaseMap.Width, gRegionBaseMap.Height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               Texels.data());
  for (std::size_t i = 0; i < std::size(Cases); ++i) gRegions[Cases[i].Index]->Owner = std::uint8_t(i % 5);
  UpDateRegionMap(false);
  ASSERT_EQ(gRegionTextureID, Owned);

  // The globe alone, as large as the game zooms it, in a frame of its own.
  constexpr int S = 640;
  GLuint Frame = 0, Buffers[2] = {};
  glGenFramebuffers(1, &Frame);
  glGenRenderbuffers(2, Buffers);
  glBindRenderbuffer(GL_RENDERBUFFER, Buffers[0]);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, S, S);
  glBindRenderbuffer(GL_RENDERBUFFER, Buffers[1]);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, S, S);
  glBindFramebuffer(GL_FRAMEBUFFER, Frame);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Buffers[0]);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, Buffers[1]);
  ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
  Earth.Zoom = 1.4f;
  Earth.Position = MakeVector3(0.0f, 0.0f, 0.0f);
  const double Radius = 1.5 * Earth.Zoom;
  struct TScreen {
    double X, Y;
  };
  // Draws the globe with the ownership texture given, turned so that Lat, Lon faces the camera
  // and lit from the camera, and says where two map points land (x, y from the top).
  const auto Draw = [&](GLuint Ownership, double Lat, double Lon, const std::array<std::array<double, 2>, 2>& Points) {
    gRegionTextureID = Ownership;
    glViewport(0, 0, S, S);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    SetPerspectiveProjection(S, S);
    const GLfloat Light[4] = {0.0f, 0.0f, 1.0f, 0.0f}, Ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f},
                  Diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, Light);
    glLightfv(GL_LIGHT0, GL_AMBIENT, Ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, Diffuse);
    Earth.RotationX = static_cast<float>(Lat);
    Earth.RotationY = static_cast<float>(-Lon);
    glPushMatrix();
    RenderEarth(*gGame, nullptr, true);
    GLdouble Model[16], Projection[16];
    GLint Viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, Model);
    glGetDoublev(GL_PROJECTION_MATRIX, Projection);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    glPopMatrix();
    gRegionTextureID = Owned;
    std::array<TScreen, 2> Where{};
    for (std::size_t k = 0; k < 2; ++k) {
      const double B = Points[k][0] * M_PI / 180.0, L = Points[k][1] * M_PI / 180.0;
      double X = 0, Y = 0, Z = 0;
      gluProject(Radius * std::cos(B) * std::sin(L), Radius * std::sin(B), Radius * std::cos(B) * std::cos(L), Model,
                 Projection, Viewport, &X, &Y, &Z);
      Where[k] = {X, S - Y};
    }
    return Where;
  };

  for (bool Shaders : {true, false}) {
    gSettings.NoShaders = !Shaders;
    for (std::size_t i = 0; i < std::size(Cases); ++i) {
      const TRegion& R = *gRegions[Cases[i].Index];
      const std::uint8_t Owner = R.Owner;
      const TLandAndSea P = FindLandAndSea(R);
      const std::string Case = std::string(Cases[i].Name) + (Shaders ? " with shaders" : " without shaders");
      ASSERT_GE(P.Margin, 1) << Case << ": no land two pixels wide";
      ASSERT_GE(P.SeaX, 0) << Case << ": no open sea near the region";
      const int MW = gRegionBaseMap.Width, MH = gRegionBaseMap.Height;
      const std::array<std::array<double, 2>, 2> Points{
          {{MapLat(P.LandY, MH), MapLon(P.LandX, MW)}, {MapLat(P.SeaY, MH), MapLon(P.SeaX, MW)}}};
      gShaderTime = NoonAt(Points[0][1], Shaders);
      Draw(Plain, Points[0][0], Points[0][1], Points);
      const TPicture Before = ReadFrame(S, S);
      const auto Where = Draw(Owned, Points[0][0], Points[0][1], Points);
      const TPicture After = ReadFrame(S, S);
      SavePicture(After, std::string(Shaders ? "shaders_" : "noshaders_") + std::to_string(i) + "_" + Cases[i].Name);
      ASSERT_NEAR(Where[0].X, S / 2.0, 2.0) << Case;
      ASSERT_NEAR(Where[0].Y, S / 2.0, 2.0) << Case;
      const auto Change = [&](const TScreen& At, int Spread) {
        const TRGB A = After.Mean(int(At.X), int(At.Y), Spread), B = Before.Mean(int(At.X), int(At.Y), Spread);
        return std::array<double, 3>{double(A[0] - B[0]), double(A[1] - B[1]), double(A[2] - B[2])};
      };
      // On the land the owner's colour: the change points from the plain picture towards the
      // owner's map colour rather than any other nation's.
      const std::array<double, 3> Land = Change(Where[0], 1);
      const TRGB Base = Before.Mean(int(Where[0].X), int(Where[0].Y), 1);
      const auto Towards = [&](std::size_t n) {
        const auto& C = gNations[n]->MapColor;
        // Without shaders the ownership colour is mixed in for the region map's grey.
        const std::array<int, 3> From = Shaders ? Base : TRGB{150, 150, 150};
        return std::array<double, 3>{double(C[0] - From[0]), double(C[1] - From[1]), double(C[2] - From[2])};
      };
      std::size_t Closest = 0;
      for (std::size_t n = 1; n < 5; ++n)
        if (Likeness(Land, Towards(n)) > Likeness(Land, Towards(Closest))) Closest = n;
      EXPECT_GT(std::hypot(Land[0], Land[1], Land[2]), 12.0) << Case << ": the owner's colour is missing on its land";
      EXPECT_EQ(Closest, Owner) << Case << ": the land turned towards another nation's colour";
      // Without shaders the quarter-strength mix is all that changes; the globe program mixes
      // before its lighting and under the clouds' veil, so only the nearest nation is asked there.
      if (!Shaders) {
        EXPECT_GT(Likeness(Land, Towards(Owner)), 0.8) << Case;
      }
      // On the sea beside it nothing changes.
      const std::array<double, 3> Sea = Change(Where[1], 1);
      EXPECT_LE(std::max({std::fabs(Sea[0]), std::fabs(Sea[1]), std::fabs(Sea[2])}), 4.0)
          << Case << ": the owner's colour spilled onto the sea at " << Where[1].X << "," << Where[1].Y;
      EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << Case;
    }
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &Frame);
  glDeleteRenderbuffers(2, Buffers);
  glDeleteTextures(1, &Plain);
}

namespace {

// The longest run of Count places that pass Test, with gaps of up to Gap places bridged: first
// place and length.
template <class F>
std::pair<int, int> LongestRun(int Count, int Gap, F Test) {
  std::pair<int, int> Best{0, 0};
  int Start = -1, Last = -1;
  for (int i = 0; i <= Count; ++i) {
    const bool In = i < Count && Test(i);
    if (In && Start >= 0 && i - Last > Gap + 1) Start = -1;
    if (In) {
      if (Start < 0) Start = i;
      Last = i;
      if (Last - Start + 1 > Best.second) Best = {Start, Last - Start + 1};
    }
  }
  return Best;
}

struct TGlobeExtent {
  int Left = 0, Width = 0, Top = 0, Height = 0;
};

// The globe's extent in a frame: where it differs from the same frame drawn without the globe,
// down the column through the middle and across the row through the middle of that.
TGlobeExtent MeasureGlobe(const TPicture& With, const TPicture& Without, int CentreX) {
  const auto Differs = [&](int X, int Y) {
    const TRGB A = With.At(X, Y), B = Without.At(X, Y);
    return std::abs(A[0] - B[0]) + std::abs(A[1] - B[1]) + std::abs(A[2] - B[2]) > 3;
  };
  TGlobeExtent E;
  std::tie(E.Top, E.Height) = LongestRun(With.Height, 6, [&](int Y) { return Differs(CentreX, Y); });
  const int Middle = E.Top + E.Height / 2;
  std::tie(E.Left, E.Width) = LongestRun(With.Width, 6, [&](int X) { return Differs(X, Middle); });
  return E;
}

}  // namespace

// One frame of the earth view as the player sees it in a Width x Height window (reflections on),
// kept as a picture and checked: the sky at the top, the globe round and in the middle, the
// heads-up display at the bottom, nothing black.
class EarthViewFrameGL : public EarthViewGL {
protected:
  void CheckFrame(bool Shaders) {
    int W = 0, H = 0;
    Form->ClientSize(W, H);
    const std::string Case = std::to_string(W) + "x" + std::to_string(H) + (Shaders ? "_shaders" : "_noshaders");
    TEarth& Earth = *gGame->Earth;
    gSettings.NoShaders = !Shaders;
    gSettings.Reflections = true;
    gSettings.ReflectionUpdateRate = 1;
    // Noon over the middle of the globe's face, as the nation's view shows it at the start.
    const float Noon = NoonAt(-Earth.RotationY, Shaders);
    for (int i = 0; i < 3; ++i) Shot(Noon);
    const TPicture Frame = Shot(Noon);
    ASSERT_EQ(Frame.Width, W);
    ASSERT_EQ(Frame.Height, H);
    SavePicture(Frame, Case);

    // Nothing black: no band at an edge, no hole anywhere.
    int Black = 0;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        const TRGB C = Frame.At(X, Y);
        Black += std::max({C[0], C[1], C[2]}) < 4;
      }
    EXPECT_LT(Black, W * H / 200) << Case << ": black pixels";
    for (int X : {0, W - 1}) {
      const auto Run = LongestRun(H, 0, [&](int Y) { return std::max({Frame.At(X, Y)[0], Frame.At(X, Y)[1], Frame.At(X, Y)[2]}) < 4; });
      EXPECT_LT(Run.second, 8) << Case << ": a black band down column " << X;
    }
    const auto TopRun = LongestRun(W, 0, [&](int X) { return std::max({Frame.At(X, 0)[0], Frame.At(X, 0)[1], Frame.At(X, 0)[2]}) < 4; });
    EXPECT_LT(TopRun.second, 8) << Case << ": a black band along the top";

    // The sky at the top, right of the system bar: night blue with stars.
    TRGB Sky{};
    int Stars = 0;
    for (int Y = 2; Y < H / 20; Y += 2)
      for (int X = W / 4; X < W * 3 / 4; X += 2) {
        const TRGB C = Frame.At(X, Y);
        for (int c = 0; c < 3; ++c) Sky[c] += C[c];
        Stars += Brightness(C) > 100;
      }
    const int SkySamples = ((H / 20 - 1) / 2) * ((W / 2 + 1) / 2);
    for (int& C : Sky) C /= SkySamples;
    EXPECT_GE(Sky[2], Sky[0]) << Case << ": the sky is not blue " << Sky[0] << "," << Sky[1] << "," << Sky[2];
    EXPECT_LT(Brightness(Sky), 60) << Case << ": the sky is not dark";
    EXPECT_GT(Stars, 0) << Case << ": no stars in the sky";

    // The heads-up display at the bottom: where the interface finds its "next round" button
    // under the mouse, the frame shows the button's yellow arrow.
    double SumX = 0, SumY = 0;
    int Hits = 0, Left = gGUIScreenWidth, Right = -1, Top = gGUIScreenHeight, Bottom = -1;
    for (int Y = gGUIScreenHeight / 2; Y < gGUIScreenHeight; Y += 4)
      for (int X = 0; X < gGUIScreenWidth; X += 4) {
        gMouseX = X, gMouseY = Y;
        const auto* Part = dynamic_cast<const TGLSkinnedPart*>(gInGameGUI->GetButtonAtMouse());
        if (!Part || Part->Name != "nextround") continue;
        SumX += X, SumY += Y, ++Hits;
        Left = std::min(Left, X), Right = std::max(Right, X), Top = std::min(Top, Y), Bottom = std::max(Bottom, Y);
      }
    gMouseX = gMouseY = 0;
    ASSERT_GT(Hits, 20) << Case << ": no \"next round\" button";
    // The whole round button lies on the GUI screen: as wide as it is high, clear of the edges.
    EXPECT_NEAR(Right - Left, Bottom - Top, 8) << Case << ": the \"next round\" button is cut off";
    EXPECT_LT(Right, gGUIScreenWidth - 4) << Case << ": the \"next round\" button reaches the right edge";
    EXPECT_LT(Bottom, gGUIScreenHeight - 4) << Case << ": the \"next round\" button reaches the bottom edge";
    const double ScaleX = double(W) / gGUIScreenWidth, Scale = double(H) / gGUIScreenHeight;
    EXPECT_NEAR(ScaleX, Scale, 0.01) << Case << ": the interface is stretched";
    const int BX = int(SumX / Hits * ScaleX), BY = int(SumY / Hits * Scale);
    EXPECT_GT(BY, H * 4 / 5) << Case << ": the \"next round\" button is not at the bottom";
    EXPECT_LT(BX, W) << Case;
    // Its white play sign in the middle, its yellow arrow round it on the left and on the right.
    const TRGB Sign = Frame.Mean(BX, BY, 1);
    EXPECT_GT(Brightness(Sign), 180) << Case << ": no play sign at " << BX << "," << BY;
    int YellowLeft = 0, YellowRight = 0;
    for (int k = 0; k < 16; ++k) {
      const double A = k * M_PI / 8, R = 24 * Scale;
      const int X = BX + int(R * std::cos(A));
      if (X < 0 || X >= W) continue;
      const TRGB C = Frame.At(X, BY + int(R * std::sin(A)));
      if (C[0] > 150 && C[1] > 120 && C[2] < C[1] - 60) ++(X < BX ? YellowLeft : YellowRight);
    }
    EXPECT_GE(YellowLeft + YellowRight, 6) << Case << ": no yellow arrow round " << BX << "," << BY;
    EXPECT_GE(YellowRight, 2) << Case << ": the right of the yellow arrow is missing";

    // The globe, measured where it differs from the same frame without it (reflections off, so
    // its mirror image in the water does not join it): round, in the middle of the window, and
    // as high as the 60-degree view makes a globe (its clouds) of radius 1.53 x zoom at 5 units.
    gSettings.Reflections = false;
    const TPicture With = Shot(Noon);
    const TVector3 Position = Earth.Position;
    Earth.Position = MakeVector3(100.0f, 0.0f, 0.0f);
    const TPicture Without = Shot(Noon);
    Earth.Position = Position;
    const TGlobeExtent G = MeasureGlobe(With, Without, W / 2);
    // Between the clouds' size and the atmosphere ring's (radius 1.8 x zoom, clear at its rim).
    const auto Across = [&](double Radius) { return H * std::tan(std::asin(Radius * Earth.Zoom / 5.0)) / std::tan(M_PI / 6.0); };
    std::printf("%s: the globe is %d x %d pixels (%.0f to %.0f expected), its middle at %d, %d\n", Case.c_str(), G.Width,
                G.Height, Across(1.53), Across(1.8), G.Left + G.Width / 2, G.Top + G.Height / 2);
    EXPECT_NEAR(double(G.Width) / G.Height, 1.0, 0.04) << Case << ": the globe is not round";
    for (int Size : {G.Width, G.Height}) {
      EXPECT_GT(Size, Across(1.53) * 0.98) << Case << ": the globe is too small";
      EXPECT_LT(Size, Across(1.8)) << Case << ": the globe is too large";
    }
    EXPECT_NEAR(G.Left + G.Width / 2.0, W / 2.0, W * 0.02) << Case << ": the globe is not in the middle";
    // The globe's land in the middle: brighter than the sky, lit by the noon sun.
    const TRGB Land = With.Mean(W / 2, G.Top + G.Height / 2, 4);
    EXPECT_GT(Brightness(Land), Brightness(Sky) + 25) << Case << ": the middle of the globe is dark";
    gSettings.Reflections = true;
  }
};

TEST_F(EarthViewFrameGL, TheEarthViewFillsAStandardWindow) {
  Start(1024, 768);
  CheckFrame(false);
  CheckFrame(true);
}

TEST_F(EarthViewFrameGL, TheEarthViewFillsAWideWindowWithoutStretchingTheGlobe) {
  Start(1280, 720);
  EXPECT_EQ(gGUIScreenWidth, 1365);
  CheckFrame(true);
  CheckFrame(false);
}

// The controls of a GUI's base window that leave the GUI screen, by name: every control that
// Wanted accepts (the three built-in hint items aside) and every part of its skinned pictures.
std::vector<std::string> ControlsOffTheScreen(const TGLGUI& GUI, const std::function<bool(const TGLGUIItem&)>& Wanted) {
  std::vector<std::string> Off;
  const float W = static_cast<float>(gGUIScreenWidth), H = static_cast<float>(gGUIScreenHeight);
  const TGLWindow& Base = *GUI.Windows[0];
  for (std::size_t K = 3; K < Base.Items.size(); ++K) {
    const TGLGUIItem& I = *Base.Items[K];
    if (!Wanted(I)) continue;
    const std::string Name = I.ID.empty() ? "item " + std::to_string(K) : I.ID;
    float Right = I.Position.X + static_cast<float>(I.Width);
    if (const auto* T = dynamic_cast<const TGLText*>(&I)) Right = std::max(Right, I.Position.X + gGUIFont->TextWidth(T->Text));
    if (I.Position.X < 0 || I.Position.Y < 0 || Right > W || I.Position.Y + static_cast<float>(I.GetHeight()) > H)
      Off.push_back(Name);
    if (const auto* S = dynamic_cast<const TGLSkinnedControl*>(&I))
      for (const auto& Part : S->Parts)
        for (const TIntPair& P : S->WindowPolygon(*Part))
          if (P.X < 0 || P.Y < 0 || P.X > W || P.Y > H) {
            Off.push_back(Part->Name);
            break;
          }
  }
  return Off;
}

// A 5:4 screen gets a GUI screen 768 high and 960 wide; every control of the bottom bar, the
// nation selection and the hot-seat panel lies on it, the round button whole in the bar's
// right-hand corner, and the bar's values in their rows.
TEST_F(EarthViewFrameGL, TheEarthViewShowsTheWholeInterfaceOnAScreenNarrowerThanFourToThree) {
  Start(1280, 1024);
  EXPECT_EQ(gGUIScreenWidth, 960);
  EXPECT_EQ(gGUIScreenHeight, 768);
  CheckFrame(true);
  const auto Every = [](const TGLGUIItem&) { return true; };
  EXPECT_EQ(ControlsOffTheScreen(*gInGameGUI, Every), std::vector<std::string>{});
  EXPECT_EQ(ControlsOffTheScreen(*gNationSelectGUI, Every), std::vector<std::string>{});
  // The hot-seat panel: its picture (the fifth skinned picture of the menu) and its controls.
  const TGLGUIItem& HotSeatPanel = gMainMenuGUI->Windows[0]->GetGLGUIItem(4, "skinned");
  EXPECT_EQ(ControlsOffTheScreen(*gMainMenuGUI,
                                 [&](const TGLGUIItem& I) {
                                   return &I == &HotSeatPanel || I.ID.find("hotseat_") != std::string::npos;
                                 }),
            std::vector<std::string>{});
  // The nation's name and base factors, printed left of the history, stay on the screen too.
  const TGLGUIItem& History = gNationSelectGUI->Windows[0]->GetGUIItemByID("memonationhistory");
  EXPECT_GE(History.Position.X - 190.0f, 0.0f);
  // The round button keeps to the right edge; the bar's values stand where they do on any
  // screen 768 high.
  const auto& Corner = dynamic_cast<const TGLSkinnedControl&>(gInGameGUI->HintWindow->GetGLGUIItem(3, "skinned"));
  ASSERT_EQ(Corner.Parts.size(), 1u);
  EXPECT_EQ(Corner.Parts[0]->Name, "nextround");
  double MiddleX = 0;
  for (const TIntPair& P : Corner.WindowPolygon(*Corner.Parts[0])) MiddleX += P.X;
  EXPECT_NEAR(MiddleX / 64.0, gGUIScreenWidth - 102.0, 1.0);
  const TGLGUIItem& Bar = gInGameGUI->HintWindow->GetGLGUIItem(0, "skinned");
  const std::vector<THudText> Texts = EarthViewHUDTexts(*gNations[gPlayerNation], Bar.Position.X, Bar.Position.Y, 1.0f);
  EXPECT_FLOAT_EQ(Texts[3].Y, 670.0f);
  EXPECT_FLOAT_EQ(Texts[11].Y, 715.0f);
  EXPECT_FLOAT_EQ(Bar.Position.Y, 768.0f - 210.0f);
}

TEST_F(EarthViewGL, TheReflectionShowsTheMirroredGlobeAndNothingFromBelowTheWater) {
  Start(1024, 768);
  TEarth& Earth = *gGame->Earth;
  const TNation& Player = *gNations[gPlayerNation];
  gSettings.Reflections = true;
  gSettings.ReflectionUpdateRate = 1;
  ASSERT_NE(gReflectionTexture[0], 0u);
  const int S = gReflectionSize;
  // The upper reflection texture after frames with the globe at (X, Y) (the second frame has
  // the refresh on the new rate's schedule).
  const auto Reflection = [&](float X, float Y) {
    Earth.Position = MakeVector3(X, Y, 0.0f);
    for (int i = 0; i < 2; ++i) {
      gShaderTime = 12.0f;
      gGame->Render();
    }
    TPicture P{S, S, std::vector<std::uint8_t>(std::size_t(S) * std::size_t(S) * 3)};
    std::vector<std::uint8_t> Rows(P.RGB.size());
    glBindTexture(GL_TEXTURE_2D, gReflectionTexture[0]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, Rows.data());
    for (int Row = 0; Row < S; ++Row)
      std::copy_n(&Rows[std::size_t(S - 1 - Row) * std::size_t(S) * 3], std::size_t(S) * 3, &P.RGB[std::size_t(Row) * std::size_t(S) * 3]);
    return P;
  };
  const auto Differing = [&](const TPicture& A, const TPicture& B) {
    int N = 0;
    for (std::size_t i = 0; i < A.RGB.size(); i += 3)
      N += std::abs(A.RGB[i] - B.RGB[i]) + std::abs(A.RGB[i + 1] - B.RGB[i + 1]) + std::abs(A.RGB[i + 2] - B.RGB[i + 2]) > 6;
    return N;
  };
  const TVector3 Home = Earth.Position;
  // Wholly under the upper water plane: the globe, its clouds (radius 1.53 x zoom) and its
  // atmosphere ring (1.8 x zoom).
  const float Under = Player.WaterplaneUpperPos - 2.0f * Earth.Zoom - 0.2f;
  for (bool Shaders : {true, false}) {
    gSettings.NoShaders = !Shaders;
    const std::string Path = Shaders ? "shaders" : "noshaders";
    const TPicture Nothing = Reflection(100.0f, 0.0f);
    const TPicture Standing = Reflection(Home.X, Home.Y);
    const TPicture Sunk = Reflection(Home.X, Under);
    SavePicture(Standing, Path + "_globe_in_place");
    SavePicture(Sunk, Path + "_globe_under_water");
    SavePicture(Nothing, Path + "_no_globe");
    // The globe in its place stands above the water: its mirror image fills part of the texture.
    EXPECT_GT(Differing(Standing, Nothing), S * S / 50) << Path << ": the reflection lacks the mirrored globe";
    // Under the water it is clipped away whole: the texture is the one without a globe.
    EXPECT_LE(Differing(Sunk, Nothing), 16) << Path << ": the globe under the water shows in the reflection";
  }
  Earth.Position = Home;
}

TEST_F(EarthViewGL, TheHeadsUpDisplayShowsThePlayersValuesInTheirPlaces) {
  Start(1024, 768);
  TNation& Player = *gNations[gPlayerNation];
  const TGLGUIItem& Panel = gInGameGUI->HintWindow->GetGLGUIItem(0, "skinned");
  // The frame with the player's resources and name set, everything else as it was.
  const auto Frame = [&](float Ressources, const std::string& Name) {
    Player.Ressources = Player.RessourcesLast = Ressources;
    Player.PlayerName = Name;
    return Shot(5.0f);
  };
  Frame(7.0f, "Al");
  const TPicture Short = Frame(7.0f, "Al");
  const TPicture Long = Frame(7777777.0f, "Alexandra Konstantinowa");
  SavePicture(Short, "short_values");
  SavePicture(Long, "long_values");
  ASSERT_EQ(Short.Width, 1024);
  // Where the texts of the longer values lie (GUI pixels are window pixels at this size): the
  // resources centred under their place with the tendency arrow after them, the name ending at
  // its place; the HUD is drawn 380 pixels left of the panel's own coordinates.
  const std::vector<THudText> T = EarthViewHUDTexts(Player, Panel.Position.X, Panel.Position.Y, 1.0f);
  const float Wide = gGUIFont->TextWidth(T[3].Text) * T[3].Size, Name = gGUIFont->TextWidth(T[0].Text) * T[0].Size;
  struct TBox {
    float Left, Top, Right, Bottom;
    bool Holds(int X, int Y) const { return X >= Left && X <= Right && Y >= Top && Y <= Bottom; }
  };
  const TBox Resources{T[3].X - 380.0f - Wide / 2.0f - 3.0f, T[3].Y - 4.0f, T[3].X - 380.0f + Wide / 2.0f + 24.0f, T[3].Y + 26.0f};
  const TBox Names{T[0].X - 380.0f - Name - 3.0f, T[0].Y - 4.0f, T[0].X - 380.0f + 3.0f, T[0].Y + 18.0f};
  // Every pixel that changed lies in one of the two boxes, and each text reaches across its box.
  int Outside = 0, ResourcesLeft = 1 << 20, ResourcesRight = -1, NameLeft = 1 << 20;
  for (int Y = 0; Y < Short.Height; ++Y)
    for (int X = 0; X < Short.Width; ++X) {
      const TRGB A = Short.At(X, Y), B = Long.At(X, Y);
      if (std::abs(A[0] - B[0]) + std::abs(A[1] - B[1]) + std::abs(A[2] - B[2]) <= 24) continue;
      if (Resources.Holds(X, Y)) {
        ResourcesLeft = std::min(ResourcesLeft, X), ResourcesRight = std::max(ResourcesRight, X);
      } else if (Names.Holds(X, Y)) {
        NameLeft = std::min(NameLeft, X);
      } else {
        ++Outside;
      }
    }
  EXPECT_EQ(Outside, 0) << "pixels changed outside the resources and the name";
  EXPECT_NEAR(ResourcesLeft, Resources.Left + 3.0f, 4.0f) << "the resources do not start where their text does";
  EXPECT_GT(ResourcesRight, T[3].X - 380.0f + Wide / 2.0f - 4.0f) << "the resources do not reach their text's end";
  EXPECT_NEAR(NameLeft, Names.Left + 3.0f, 4.0f) << "the player's name does not start where its text does";
}

TEST_F(EarthViewGL, PickingAtTheSymbolOfADozenRegionsSpreadOverTheGlobeFindsEach) {
  Start(1024, 768);
  TEarth& Earth = *gGame->Earth;
  ASSERT_GT(gRegions.size(), std::size_t(140));
  for (const TSpreadRegion& Case : kSpreadRegions) {
    TRegion& R = *gRegions[Case.Index];
    // The globe turned so that the region's site faces the camera, as the player turns it.
    const double Lat = std::asin(std::clamp(R.Position3D.Z / 52.0, -1.0, 1.0)) * 180.0 / M_PI;
    const double Lon = std::atan2(R.Position3D.X, -R.Position3D.Y) * 180.0 / M_PI;
    Earth.RotationX = static_cast<float>(Lat);
    Earth.RotationY = static_cast<float>(-Lon);
    gShaderTime = 5.0f;
    gGame->Render();
    // Where the region's symbol (its flag) lies on the screen: the globe's transform, then the
    // site at the symbols' scale with its axes as the globe draws them: the flag's pick quad.
    SetPerspectiveProjection(1024, 768);
    glTranslatef(Earth.Position.X, Earth.Position.Y, gCameraDistance);
    glRotatef(Earth.RotationX, 1.0f, 0.0f, 0.0f);
    glRotatef(Earth.RotationY, 0.0f, 1.0f, 0.0f);
    const float Scale = 0.0302941176f * Earth.Zoom;
    glScalef(Scale, Scale, Scale);
    GLdouble Model[16], Projection[16], X = 0, Y = 0, Z = 0;
    GLint Viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, Model);
    glGetDoublev(GL_PROJECTION_MATRIX, Projection);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    gluProject(R.Position3D.X, R.Position3D.Z, -R.Position3D.Y, Model, Projection, Viewport, &X, &Y, &Z);
    const int MX = int(std::lround(X)), MY = int(std::lround(768.0 - Y));
    EXPECT_NEAR(MX, 512, 2) << Case.Name << ": the symbol does not face the camera";
    // The mouse on the symbol, as the player's mouse gets there: the pick finds the region.
    gGame->MouseMove(0, MX, MY);
    glViewport(0, 0, 1024, 768);
    EXPECT_EQ(gGame->PickObjectAt(), std::int32_t(Case.Index) + 1) << Case.Name << " at " << MX << "," << MY;
  }
}
