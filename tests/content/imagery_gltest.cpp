// The globe, a nation's sky, the water and a landscape drawn with the data set's pictures and
// shaders, read back, and kept as screenshots in artifacts/imagery/.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "content_fixture.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "engine/shader_manager.h"
#include "engine/streams.h"
#include "engine/texture_manager.h"
#include "engine/textures.h"
#include "engine/virtual_file_system.h"
#include "platform/files.h"
#include "platform/png_codec.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/texture_fixture.h"

namespace fs = std::filesystem;

namespace {

constexpr int kW = 512, kH = 384;
constexpr double kPi = 3.14159265358979;

struct TRGB {
  int R = 0, G = 0, B = 0;
};

// Draws into an off-screen frame buffer of kW x kH with the real data folder and package.
struct TImageryScene {
  TTextureManager Textures;
  TGLSLShaderManager Shaders;
  GLuint Frame = 0, Colour = 0, Depth = 0;

  TImageryScene() {
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(fs::path(TARNOVA_BINARY_DIR));
    gVirtualFileSystem->Open("tarnova.dat");
    glGenFramebuffers(1, &Frame);
    glBindFramebuffer(GL_FRAMEBUFFER, Frame);
    glGenRenderbuffers(1, &Colour);
    glBindRenderbuffer(GL_RENDERBUFFER, Colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kW, kH);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Colour);
    glGenRenderbuffers(1, &Depth);
    glBindRenderbuffer(GL_RENDERBUFFER, Depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kW, kH);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, Depth);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, kW, kH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  ~TImageryScene() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &Colour);
    glDeleteRenderbuffers(1, &Depth);
    glDeleteFramebuffers(1, &Frame);
    for (int U = 3; U >= 0; --U) Textures.DisableTexture(GL_TEXTURE0 + U);
    gVirtualFileSystem.reset();
  }

  void Load(const std::string& File, bool Compress = true) { gVirtualFileSystem->LoadTexture(File, Textures, Compress); }

  // Average colour of the 3 x 3 pixels around (X, Y), Y from the top.
  TRGB Pixel(int X, int Y) const {
    unsigned char P[9 * 4];
    glReadPixels(X - 1, kH - 2 - Y, 3, 3, GL_RGBA, GL_UNSIGNED_BYTE, P);
    TRGB C;
    for (int I = 0; I < 9; ++I) C.R += P[4 * I], C.G += P[4 * I + 1], C.B += P[4 * I + 2];
    return {C.R / 9, C.G / 9, C.B / 9};
  }
  std::vector<std::uint8_t> Frame_() const {
    std::vector<std::uint8_t> P(static_cast<std::size_t>(kW) * kH * 4);
    glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, P.data());
    return P;
  }
  // Mean brightness (0..255) and the number of distinct grey levels of the frame: a black,
  // flat or missing picture shows in both.
  std::pair<double, int> Look() const {
    auto P = Frame_();
    double Sum = 0;
    std::vector<bool> Levels(256);
    for (std::size_t I = 0; I < P.size(); I += 4) {
      int V = (P[I] + P[I + 1] + P[I + 2]) / 3;
      Sum += V;
      Levels[static_cast<std::size_t>(V)] = true;
    }
    int N = 0;
    for (bool L : Levels) N += L;
    return {Sum / (kW * kH), N};
  }
  void Save(const std::string& Name) const {
    auto P = Frame_();
    for (std::size_t I = 3; I < P.size(); I += 4) P[I] = 255;  // the picture as the screen shows it
    std::string Bytes, Error;
    ASSERT_TRUE(EncodePNG(P.data(), kW, kH, Bytes, Error)) << Error;
    fs::path Out = fs::path(TARNOVA_BINARY_DIR) / "artifacts" / "imagery" / (Name + ".png");
    fs::create_directories(Out.parent_path());
    ASSERT_TRUE(SafeWriteFile(Out, Bytes, &Error)) << Error;
  }
};

// A unit sphere with the globe's map layout: s = (longitude + 180) / 360, t = (latitude + 90) /
// 180 (the image's top row, the north, at t = 1); longitude 0 faces +z, the north pole is +y.
// Like the globe model it is made with z as the polar axis and longitude 0 towards -y, and drawn
// turned a quarter about -x.
void DrawSphere() {
  glPushMatrix();
  glRotatef(90, -1, 0, 0);
  const int Rings = 64, Segments = 128;
  for (int R = 0; R < Rings; ++R) {
    glBegin(GL_QUAD_STRIP);
    for (int S = 0; S <= Segments; ++S)
      for (int K = 1; K >= 0; --K) {
        double Lat = -90.0 + 180.0 * (R + K) / Rings, Lon = -180.0 + 360.0 * S / Segments;
        double B = Lat * kPi / 180, L = Lon * kPi / 180;
        double X = std::cos(B) * std::sin(L), Y = -std::cos(B) * std::cos(L), Z = std::sin(B);
        glNormal3d(X, Y, Z);
        glTexCoord2d((Lon + 180) / 360, (Lat + 90) / 180);
        glVertex3d(X, Y, Z);
      }
    glEnd();
  }
  glPopMatrix();
}

// Orthographic view of the globe turned so that latitude B, longitude L faces the viewer at the
// centre of the frame.
void GlobeView(double B, double L) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.2 * kW / kH, 1.2 * kW / kH, -1.2, 1.2, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(0, 0, -3);
  glRotated(B, 1, 0, 0);
  glRotated(-L, 0, 1, 0);
}

bool LooksLikeWater(const TRGB& C) { return C.B > C.R + 14 && C.B + 11 >= C.G && C.R < 116 && C.R + C.G + C.B < 487; }

void Quad(float X0, float Y0, float X1, float Y1, float Z = 0) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0), glVertex3f(X0, Y0, Z);
  glTexCoord2f(1, 0), glVertex3f(X1, Y0, Z);
  glTexCoord2f(1, 1), glVertex3f(X1, Y1, Z);
  glTexCoord2f(0, 1), glVertex3f(X0, Y1, Z);
  glEnd();
}

void Ortho01() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 1, 0, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// The water's view: a perspective camera whose texture matrix maps clip space onto the mirror
// picture (the frame drawn before); the model-view matrix is left as identity.
void MirrorView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, double(kW) / kH, 0.1, 512.0);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(0.5f, 0.5f, 1);
  glTranslatef(1, 1, 0);
  gluPerspective(45.0, double(kW) / kH, 0.1, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

}  // namespace

TEST(ImageryGL, TheGlobeShowsLandAndSeaWhereTheRegionMapHasThem) {
  REQUIRE_GL_CONTEXT();
  TImageryScene S;
  S.Load("data\\tex\\nocompression\\earthmap.png");
  S.Load("data\\tex\\nocompression\\regions.png", false);
  ASSERT_GT(S.Textures.GetTextureInfo("earthmap", tiGLID), 0);
  ASSERT_GT(S.Textures.GetTextureInfo("regions", tiGLID), 0);
  const TBaseMap Map = LoadBaseMap();
  auto MapIsSea = [&](double B, double L, bool& Uniform) {
    int X = static_cast<int>((L + 180) / 360 * Map.Width), Y = static_cast<int>((90 - B) / 180 * Map.Height);
    auto Sea = [&](int XX, int YY) {
      const std::uint8_t* P = &Map.RGB[(static_cast<std::size_t>(YY) * Map.Width + (XX + Map.Width) % Map.Width) * 3];
      return P[0] == 20 && P[1] == 36 && P[2] == 70;
    };
    Uniform = true;
    for (int DY = -1; DY <= 1; ++DY)
      for (int DX = -1; DX <= 1; ++DX) Uniform = Uniform && Sea(X + DX, Y + DY) == Sea(X, Y);
    return Sea(X, Y);
  };
  // Day map on unit 0, the border overlay added on unit 1, as the globe without shaders draws them.
  S.Textures.BindTexture("earthmap", GL_TEXTURE0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  S.Textures.BindTexture("regions", GL_TEXTURE1);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
  glActiveTexture(GL_TEXTURE0);
  glEnable(GL_DEPTH_TEST);
  glColor3f(1, 1, 1);
  const struct {
    double B, L;
    const char* Where;
  } Points[] = {{23, 10, "Sahara"},        {-5, -60, "Amazon"},           {62, 100, "Siberia"},        {-25, 134, "Australia"},
                {40, -95, "Great Plains"}, {22, 78, "India"},             {33, 105, "China"},          {-35, -65, "Pampas"},
                {30, -40, "North Atlantic"}, {-30, -15, "South Atlantic"}, {0, -140, "Pacific"},       {-20, 80, "Indian Ocean"},
                {35, 170, "North Pacific"}, {-55, -120, "Southern Ocean"}};
  for (const auto& P : Points) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GlobeView(P.B, P.L);
    // A multitexture sphere: unit 1 reuses unit 0's coordinates.
    glClientActiveTexture(GL_TEXTURE0);
    DrawSphere();
    bool Uniform = false;
    const bool Sea = MapIsSea(P.B, P.L, Uniform);
    ASSERT_TRUE(Uniform) << P.Where << " lies within a texel of a coast of the region map; pick another point";
    const TRGB C = S.Pixel(kW / 2, kH / 2);
    EXPECT_EQ(LooksLikeWater(C), Sea) << P.Where << " shows " << C.R << "," << C.G << "," << C.B << " where the region map has "
                                      << (Sea ? "sea" : "land");
  }
  S.Save("globe_plain");
  S.Textures.DisableTexture(GL_TEXTURE1);
  glActiveTexture(GL_TEXTURE0);
}

TEST(ImageryGL, ShadersCompileWithEveryUniformAndTheGlobeShowsDayNightAndClipping) {
  REQUIRE_GL_CONTEXT();
  TImageryScene S;
  const struct {
    const char *Name, *Vertex, *Fragment;
    std::vector<const char*> Uniforms;
  } Programs[] = {
      {"water", "water_vert.txt", "water_frag.txt",
       {"mirror", "noise", "time", "waveSpeed", "noiseSpeed", "alpha", "noiseScale", "waterColor", "fadeExp", "fadeBias", "view_position"}},
      {"waterB", "water_vert_b.txt", "water_frag_b.txt",
       {"viewpos", "lightpos", "waterColor", "alpha", "time", "time2", "water_reflection", "water_normalmap", "water_dudvmap"}},
      {"earth", "earth_vert.txt", "earth_frag.txt",
       {"EarthDay", "EarthNight", "EarthCloudGloss", "EarthRegions", "ColorOverlay", "cloudCover", "cos_time_0_2PI", "sin_time_0_2PI"}},
      {"earth_noborders", "earth_vert.txt", "earth_frag_noborders.txt",
       {"EarthDay", "EarthNight", "EarthCloudGloss", "cloudCover", "cos_time_0_2PI", "sin_time_0_2PI"}},
      {"earth_cloudcover", "earth_vert.txt", "earth_frag_cloudcover.txt", {"EarthCloudGloss", "cloudCover"}},
  };
  for (const auto& P : Programs) {
    gVirtualFileSystem->LoadShader(P.Name, std::string("data\\shader\\") + P.Vertex, std::string("data\\shader\\") + P.Fragment, S.Shaders);
    TGLSLShader& Program = S.Shaders.GetShader(P.Name);
    EXPECT_TRUE(Program.Linked) << P.Name;
    for (const char* U : P.Uniforms) EXPECT_NE(glGetUniformLocation(Program.ProgramHandle, U), -1) << P.Name << " lacks " << U;
  }
  for (const auto& Line : S.Shaders.Log) ADD_FAILURE() << Line;

  for (const char* T : {"data\\tex\\nocompression\\earthmap.png", "data\\tex\\nocompression\\earthnight.png",
                        "data\\tex\\nocompression\\earthclouds.png"})
    S.Load(T);
  S.Load("data\\tex\\nocompression\\regions.png", false);
  std::uint32_t Overlay = 0;
  ASSERT_TRUE(LoadBMP(DataFile("regions512.bmp").string(), Overlay, GL_LINEAR, GL_LINEAR, false));
  // The globe with the earth program, Europe and Africa in front: the sun from the viewer's
  // side for day, from behind for night.
  auto DrawGlobe = [&](double SunLongitude, double B = 25, double L = 15, std::uint32_t Owners = 0) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GlobeView(B, L);
    S.Textures.BindTextureByID(Owners ? Owners : Overlay, GL_TEXTURE4);
    S.Textures.BindTexture("regions", GL_TEXTURE3);
    S.Textures.BindTexture("earthclouds", GL_TEXTURE2);
    S.Textures.BindTexture("earthnight", GL_TEXTURE1);
    S.Textures.BindTexture("earthmap", GL_TEXTURE0);
    TGLSLShader& Earth = S.Shaders.GetShader("earth");
    Earth.Bind();
    const GLuint H = Earth.ProgramHandle;
    const char* Units[] = {"EarthDay", "EarthNight", "EarthCloudGloss", "EarthRegions", "ColorOverlay"};
    for (int U = 0; U < 5; ++U) glUniform1i(glGetUniformLocation(H, Units[U]), U);
    glUniform1i(glGetUniformLocation(H, "cloudCover"), 1);
    // The sun direction in the model's frame is (cos, sin, 0.35): sin L, -cos L puts it over L.
    glUniform1f(glGetUniformLocation(H, "cos_time_0_2PI"), static_cast<float>(std::sin(SunLongitude * kPi / 180)));
    glUniform1f(glGetUniformLocation(H, "sin_time_0_2PI"), static_cast<float>(-std::cos(SunLongitude * kPi / 180)));
    DrawSphere();
    Earth.Unbind();
  };
  glEnable(GL_DEPTH_TEST);
  DrawGlobe(-10);
  const auto Day = S.Look();
  S.Save("globe_day");
  DrawGlobe(170);
  const auto Night = S.Look();
  S.Save("globe_night");
  EXPECT_GT(Day.first, 15.0);
  EXPECT_GT(Day.first, 2 * Night.first);
  EXPECT_GT(Night.second, 30) << "the night side shows no city lights";
  EXPECT_GT(Day.second, 100);

  // Under a clip plane (the water reflection) only the half above the plane is drawn.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const GLdouble Plane[4] = {0, 1, 0, 0};
  glClipPlane(GL_CLIP_PLANE0, Plane);
  glEnable(GL_CLIP_PLANE0);
  DrawGlobe(-10);
  glDisable(GL_CLIP_PLANE0);
  const TRGB Above = S.Pixel(kW / 2, kH / 2 - 60), Below = S.Pixel(kW / 2, kH / 2 + 60);
  EXPECT_GT(Above.R + Above.G + Above.B, 30) << "the globe vanished under the clip plane";
  EXPECT_EQ(Below.R + Below.G + Below.B, 0) << "the clip plane did not cut the globe";

  // Every region owned by the red nation: its colour shows on the land, not on the sea beside it.
  const TBaseMap Map = LoadBaseMap();
  std::vector<std::uint8_t> Owned(static_cast<std::size_t>(Map.Width) * Map.Height * 4);
  for (int Y = 0; Y < Map.Height; ++Y)
    for (int X = 0; X < Map.Width; ++X) {
      const std::uint8_t* P = &Map.RGB[(static_cast<std::size_t>(Y) * Map.Width + X) * 3];
      std::uint8_t* Q = &Owned[(static_cast<std::size_t>(Map.Height - 1 - Y) * Map.Width + X) * 4];
      const bool Area = P[0] == 150 && P[1] == 150 && P[2] == 150;
      Q[0] = Area ? 210 : P[0], Q[1] = Area ? 40 : P[1], Q[2] = Area ? 40 : P[2], Q[3] = 255;
    }
  GLuint Owners = 0;
  glGenTextures(1, &Owners);
  glBindTexture(GL_TEXTURE_2D, Owners);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, Map.Width, Map.Height, 0, GL_RGBA, GL_UNSIGNED_BYTE, Owned.data());
  for (const auto& [B, L, Land] : {std::tuple{23.0, 10.0, true}, std::tuple{48.0, 2.0, true}, std::tuple{30.0, -40.0, false},
                                   std::tuple{-20.0, 80.0, false}}) {
    DrawGlobe(L + 40, B, L);
    const TRGB Plain = S.Pixel(kW / 2, kH / 2);
    DrawGlobe(L + 40, B, L, Owners);
    const TRGB Red = S.Pixel(kW / 2, kH / 2);
    if (Land) {
      EXPECT_GT(Red.R - Red.G, Plain.R - Plain.G + 25) << B << "," << L << ": the owner's colour is missing on its land";
    } else {
      EXPECT_NEAR(Red.R, Plain.R, 2) << B << "," << L << ": the owner's colour spilled onto the sea";
      EXPECT_NEAR(Red.B, Plain.B, 2) << B << "," << L;
    }
  }
  S.Save("globe_owned");
  for (int U = 4; U >= 0; --U) S.Textures.DisableTexture(GL_TEXTURE0 + U);
  glDeleteTextures(1, &Owners);
  glDeleteTextures(1, &Overlay);
}

TEST(ImageryGL, ANationSkyTheWaterAndALandscapeLookRight) {
  REQUIRE_GL_CONTEXT();
  TImageryScene S;
  for (const char* T : {"data\\tex\\skysphere0.dds", "data\\tex\\setting_temperate.dds", "data\\tex\\setting_water.png",
                        "data\\tex\\concrete.dds", "data\\tex\\nocompression\\hex_water.png", "data\\tex\\nocompression\\waterfoamcircle.png"})
    S.Load(T);
  glDisable(GL_DEPTH_TEST);
  glColor3f(1, 1, 1);

  // The sky quad of the nation scene: stars above, the nation's glow at the horizon.
  Ortho01();
  S.Textures.BindTexture("skysphere0", GL_TEXTURE0);
  Quad(0, 0, 1, 1);
  S.Save("nation_sky");
  const TRGB Top = S.Pixel(kW / 2, 20), Horizon = S.Pixel(kW / 2, kH - 10);
  EXPECT_GT(Horizon.B, Top.B + 30) << "the blue nation's glow is missing at the horizon";
  EXPECT_GT(S.Look().second, 40);

  // The nation-selection water: the sky mirrored through the noise volume by the water program.
  gVirtualFileSystem->LoadShader("water", "data\\shader\\water_vert.txt", "data\\shader\\water_frag.txt", S.Shaders);
  GLuint Noise = 0;
  glGenTextures(1, &Noise);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_3D, Noise);
  glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  TMemoryStream Volume(ReadTestFile(DataFile("tex/noisevolume.dds")));
  ASSERT_TRUE(UploadDDSFromStream(Volume));
  glActiveTexture(GL_TEXTURE0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Quad(0, 0, 1, 1);  // the sky behind
  MirrorView();
  glTranslatef(0, 0, -2);
  TGLSLShader& Water = S.Shaders.GetShader("water");
  Water.Bind();
  const GLuint H = Water.ProgramHandle;
  glUniform1i(glGetUniformLocation(H, "mirror"), 0);
  glUniform1i(glGetUniformLocation(H, "noise"), 1);
  glUniform1f(glGetUniformLocation(H, "time"), 3.0f);
  glUniform1f(glGetUniformLocation(H, "waveSpeed"), 0.18f);
  glUniform1f(glGetUniformLocation(H, "noiseSpeed"), 0.34f);
  glUniform1f(glGetUniformLocation(H, "alpha"), 0.5f);
  glUniform1f(glGetUniformLocation(H, "noiseScale"), 0.5f);
  glUniform4f(glGetUniformLocation(H, "waterColor"), 0.1961f, 0.3459f, 0.6842f, 1.0f);
  glUniform1f(glGetUniformLocation(H, "fadeExp"), 2.0f);
  glUniform1f(glGetUniformLocation(H, "fadeBias"), 0.3f);
  glUniform4f(glGetUniformLocation(H, "view_position"), 0, 0, -1, 1);
  glBegin(GL_QUADS);
  const float Corners[4][3] = {{-40, -1.25f, -120}, {-400, -1.25f, 5}, {400, -1.25f, 5}, {40, -1.25f, -120}};
  for (const auto& C : Corners) glNormal3f(0, 1, 0), glTexCoord3fv(C), glVertex3fv(C);
  glEnd();
  Water.Unbind();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  S.Save("water");
  const TRGB Sea = S.Pixel(kW / 2, kH - 30);
  EXPECT_GT(Sea.B, Sea.R + 20) << "the water is not blue";
  EXPECT_GT(Sea.B, 60);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_3D, 0);
  glActiveTexture(GL_TEXTURE0);
  glDeleteTextures(1, &Noise);

  // The earth view's water disc: the sky as its mirror picture, rippled by the normal and du/dv
  // maps in the waterB program, with the foam ring added at its rim.
  S.Load("data\\tex\\nocompression\\water_normal.png");
  S.Load("data\\tex\\nocompression\\water_dudv.png");
  gVirtualFileSystem->LoadShader("waterB", "data\\shader\\water_vert_b.txt", "data\\shader\\water_frag_b.txt", S.Shaders);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Ortho01();
  S.Textures.BindTexture("skysphere0", GL_TEXTURE0);
  Quad(0, 0, 1, 1);
  MirrorView();
  glTranslatef(0, -1.5f, -8);
  glRotatef(12, 1, 0, 0);
  S.Textures.BindTexture("water_normal", GL_TEXTURE1);
  S.Textures.BindTexture("water_dudv", GL_TEXTURE2);
  S.Textures.BindTexture("skysphere0", GL_TEXTURE0);
  TGLSLShader& WaterB = S.Shaders.GetShader("waterB");
  for (const auto& Line : S.Shaders.Log) ADD_FAILURE() << Line;
  EXPECT_TRUE(WaterB.Linked);
  WaterB.Bind();
  const GLuint HB = WaterB.ProgramHandle;
  glUniform4f(glGetUniformLocation(HB, "viewpos"), 0, 5.0f, -8.0f, 1.0f);
  glUniform4f(glGetUniformLocation(HB, "lightpos"), 0, 5.0f, 5.0f, 1.0f);
  glUniform4f(glGetUniformLocation(HB, "waterColor"), 0.5f, 0.7f, 1.0f, 0.85f);
  glUniform1f(glGetUniformLocation(HB, "alpha"), 0.85f);
  glUniform1f(glGetUniformLocation(HB, "time"), 0.3f);
  glUniform1f(glGetUniformLocation(HB, "time2"), 1.5f);
  glUniform1i(glGetUniformLocation(HB, "water_reflection"), 0);
  glUniform1i(glGetUniformLocation(HB, "water_normalmap"), 1);
  glUniform1i(glGetUniformLocation(HB, "water_dudvmap"), 2);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  auto Disc = [](float Radius, float Height, bool Ring) {
    glBegin(GL_POLYGON);
    for (int K = 0; K < 64; ++K) {
      const float A = static_cast<float>((K + 1) * kPi / 32), X = std::sin(A) * Radius, Z = std::cos(A) * Radius;
      glNormal3f(0, 1, 0);
      if (Ring) glTexCoord2f(0.5f + 0.5f * std::sin(A), 0.5f + 0.5f * std::cos(A));
      else glTexCoord2f(X, Z);
      glVertex3f(X, Height, Z);
    }
    glEnd();
  };
  Disc(4, 0, false);
  WaterB.Unbind();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  S.Textures.DisableTexture(GL_TEXTURE2);
  S.Textures.DisableTexture(GL_TEXTURE1);
  S.Textures.BindTexture("waterfoamcircle", GL_TEXTURE0);
  glEnable(GL_BLEND);  // disabling the units switched blending off
  glBlendFunc(GL_ONE, GL_ONE);
  glColor4f(1, 1, 1, 0.65f);
  Disc(4, 0.015f, true);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
  S.Save("water_disc");
  const TRGB Middle = S.Pixel(kW / 2, kH / 2 + 60);
  EXPECT_GT(Middle.B, Middle.R + 20) << "the disc's water is not blue";
  EXPECT_GT(S.Look().second, 40);

  // A coastal region's landscape: concrete ground, the temperate land and a strip of shore water,
  // seen from above at an angle.
  glClearColor(0.3f, 0.3f, 0.35f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0, 0, 0, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, double(kW) / kH, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(-3, 9, 14, -3, 0, 2, 0, 1, 0);
  auto Ground = [](float S0, float T0, float S1, float T1, float X0, float Z0, float X1, float Z1, float Y) {
    glBegin(GL_QUADS);
    glTexCoord2f(S0, T0), glVertex3f(X0, Y, Z0);
    glTexCoord2f(S0, T1), glVertex3f(X0, Y, Z1);
    glTexCoord2f(S1, T1), glVertex3f(X1, Y, Z1);
    glTexCoord2f(S1, T0), glVertex3f(X1, Y, Z0);
    glEnd();
  };
  S.Textures.BindTexture("concrete", GL_TEXTURE0);
  Ground(0, 0, 3, 4, -3.7f, -16, 16, 3.3f, -0.15f);
  S.Textures.BindTexture("setting_temperate", GL_TEXTURE0);
  Ground(0, 0, 1, 1, -9, -3.3f, 3.5f, 9, -0.1f);
  S.Textures.BindTexture("setting_water", GL_TEXTURE0);
  S.Textures.SetWrapMode(GL_CLAMP_TO_BORDER, GL_REPEAT, GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  Ground(0, 0, 1, 6, -10, -3.3f, -5, 9, -0.05f);
  glDisable(GL_BLEND);
  S.Save("landscape");
  const TRGB Grass = S.Pixel(kW / 2 + 60, kH / 2 + 40);
  EXPECT_GT(Grass.G, Grass.R) << "the temperate land is not green";
  EXPECT_GT(Grass.G, Grass.B);
  EXPECT_GT(S.Look().second, 60);
}

// The loading screen as the start-up shows it, here at half the 1024 x 768 screen it covers: the
// data set's picture upright (its file holds the top row first, and the screen quad puts texture
// row 0 at the top), and the indicator pulsing over the socket the picture keeps for it.
TEST(ImageryGL, TheLoadingPictureStandsUprightWithTheIndicatorOnItsSocket) {
  REQUIRE_GL_CONTEXT();
  TLogCapture Log;
  TTextureManagerSwap Swap;
  TImageryScene S;
  for (const char* File : {"data\\loadingscreen.dds", "data\\loadingscreen_indicator.dds"})
    gVirtualFileSystem->LoadTexture(File, *gTextureManager, false);
  const std::int32_t Picture = gTextureManager->GetTextureInfo("loadingscreen", tiGLID);
  ASSERT_GT(Picture, 0);
  gTextureManager->SetFilterByID(std::uint32_t(Picture), GL_LINEAR, GL_LINEAR);  // as the game sets it
  gLog->LoadingTexture = std::uint32_t(Picture);
  gLog->LoadingScreen = true;
  // This step ends the pulse: the indicator is drawn with alpha 0, the picture stands alone.
  gLog->Progress = 1.95f;
  gLog->DrawLoadingIndicator();
  S.Save("loading_screen_picture");
  const std::vector<std::uint8_t> Frame = S.Frame_();

  // The file's pixels (24-bit BGR, rows in the order stored), two by two averaged to the frame's
  // size, against the frame read back bottom row first: as stored, and the other way up.
  const std::string File = ReadTestFile(DataFile("loadingscreen.dds"));
  ASSERT_GE(File.size(), 128u + 1024u * 768u * 3u);
  auto Stored = [&](int X, int Row, int C) {  // the frame pixel's share of stored row pair Row
    int Sum = 0;
    for (int DY = 0; DY < 2; ++DY)
      for (int DX = 0; DX < 2; ++DX)
        Sum += static_cast<std::uint8_t>(File[128 + (std::size_t(2 * Row + DY) * 1024 + std::size_t(2 * X + DX)) * 3 + std::size_t(2 - C)]);
    return Sum / 4.0;
  };
  double Upright = 0, Flipped = 0;
  for (int Y = 0; Y < kH; ++Y)  // Y from the top of the frame
    for (int X = 0; X < kW; ++X)
      for (int C = 0; C < 3; ++C) {
        const int Drawn = Frame[(std::size_t(kH - 1 - Y) * kW + std::size_t(X)) * 4 + std::size_t(C)];
        Upright += std::abs(Drawn - Stored(X, Y, C));
        Flipped += std::abs(Drawn - Stored(X, kH - 1 - Y, C));
      }
  Upright /= kW * kH * 3.0;
  Flipped /= kW * kH * 3.0;
  EXPECT_LT(Upright, 2.0) << "the frame is not the picture as stored";
  EXPECT_GT(Flipped, Upright + 10.0) << "the picture looks the same either way up";

  // The socket at (31, 210) to (95, 274) of the screen: a faint blue ring at the top left, and
  // none where an upside-down picture would put it.
  auto RingBlue = [&](double CX, double CY) {
    double Sum = 0;
    int N = 0;
    for (int Y = 0; Y < kH; ++Y)
      for (int X = 0; X < 64; ++X) {
        const double D = std::hypot(X + 0.5 - CX, Y + 0.5 - CY);
        if (D < 8 || D > 14) continue;
        Sum += Frame[(std::size_t(kH - 1 - Y) * kW + std::size_t(X)) * 4 + 2];
        ++N;
      }
    return Sum / N;
  };
  const double Socket = RingBlue(63 / 2.0, 242 / 2.0), Below = RingBlue(63 / 2.0, kH - 242 / 2.0);
  EXPECT_GT(Socket, Below + 8) << "socket " << Socket << ", mirrored " << Below;

  // At the pulse's peak the indicator shines on the socket.
  gLog->Progress = 0.9f;
  gLog->DrawLoadingIndicator();
  S.Save("loading_screen");
  const TRGB Indicator = S.Pixel(63 / 2, 242 / 2);
  EXPECT_GT(Indicator.R + Indicator.G + Indicator.B, 500) << Indicator.R << " " << Indicator.G << " " << Indicator.B;
  gLog->LoadingScreen = false;
  glDepthMask(GL_TRUE);
}
