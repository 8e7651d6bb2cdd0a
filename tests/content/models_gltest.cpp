// The data set's models drawn by the game's model registry the way the windows and scenes draw
// them: each unit, building and nation symbol shows, centred and inside its frame; the diorama
// holds nine pickable plots; the globe's texture follows the map layout. The frames are kept as
// pictures in build-test/artifacts/<test>/.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "content_fixture.h"
#include "engine/binary_model.h"
#include "engine/model_registry.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "platform/png_codec.h"
#include "control/control_globals.h"
#include "presentation/earth_view_scene.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/windows/diorama_place.h"
#include "support/gl_environment.h"
#include "texture_art.h"

namespace fs = std::filesystem;

namespace {
constexpr int kFrame = 128;
constexpr std::uint8_t kClear[3] = {25, 25, 50};

// RGBA pixels of a frame, bottom row first (as GL reads them).
struct TFrame {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> RGBA;
  static TFrame Read(int X, int Y, int W, int H) {
    glFinish();
    TFrame F{W, H, std::vector<std::uint8_t>(static_cast<std::size_t>(W) * H * 4)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(X, Y, W, H, GL_RGBA, GL_UNSIGNED_BYTE, F.RGBA.data());
    return F;
  }
  const std::uint8_t* At(int X, int Y) const { return &RGBA[(static_cast<std::size_t>(Y) * Width + X) * 4]; }
  bool IsBackground(int X, int Y) const {
    const std::uint8_t* P = At(X, Y);
    return std::abs(P[0] - kClear[0]) + std::abs(P[1] - kClear[1]) + std::abs(P[2] - kClear[2]) < 6;
  }
};

// Where a drawing lies in its frame.
struct TSilhouette {
  int Pixels = 0, MinX = 1 << 20, MaxX = -1, MinY = 1 << 20, MaxY = -1;
  explicit TSilhouette(const TFrame& F) {
    for (int Y = 0; Y < F.Height; ++Y)
      for (int X = 0; X < F.Width; ++X)
        if (!F.IsBackground(X, Y)) {
          ++Pixels;
          MinX = std::min(MinX, X);
          MaxX = std::max(MaxX, X);
          MinY = std::min(MinY, Y);
          MaxY = std::max(MaxY, Y);
        }
  }
  bool Inside(const TFrame& F) const { return MinX > 0 && MinY > 0 && MaxX < F.Width - 1 && MaxY < F.Height - 1; }
  float CentreX(const TFrame& F) const { return (MinX + MaxX + 1) / 2.0f / F.Width; }
};

// Frames side by side on one picture, saved as a PNG under build-test/artifacts/<test>/.
class TSheet {
public:
  TSheet(int Columns, int Count, int W, int H) : Cols(Columns), FW(W), FH(H) {
    Rows = (Count + Columns - 1) / Columns;
    Pixels.assign(static_cast<std::size_t>(Cols * FW) * Rows * FH * 4, 0);
  }
  void Put(int Index, const TFrame& F) {
    const int Ox = (Index % Cols) * FW, Oy = (Rows - 1 - Index / Cols) * FH;  // the first row on top
    for (int Y = 0; Y < F.Height; ++Y)
      std::copy_n(F.At(0, Y), F.Width * 4, &Pixels[((static_cast<std::size_t>(Oy + Y) * Cols * FW) + Ox) * 4]);
  }
  void Save(const std::string& Name) const {
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path Folder = fs::path(TARNOVA_BINARY_DIR) / "artifacts" / (std::string(Info->test_suite_name()) + "." + Info->name());
    fs::create_directories(Folder);
    std::string Bytes, Error;
    ASSERT_TRUE(EncodePNG(Pixels.data(), static_cast<std::uint32_t>(Cols * FW), static_cast<std::uint32_t>(Rows * FH), Bytes, Error)) << Error;
    std::ofstream(Folder / (Name + ".png"), std::ios::binary) << Bytes;
  }

private:
  int Cols, Rows = 0, FW, FH;
  std::vector<std::uint8_t> Pixels;
};

// The data set behind the game's file system and model registry, with the start models loaded.
struct TDataSetFixture : ::testing::Test {
  TTextureManager Textures;
  void SetUp() override {
    REQUIRE_GL_CONTEXT();
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(fs::path(TARNOVA_BINARY_DIR));
    gVirtualFileSystem->Open("tarnova.dat");
    gModelTextureManager = &Textures;
    BeforeLoading();
    ASSERT_GT(LoadModelFolder("data\\3d\\"), 0);
    glClearColor(kClear[0] / 255.0f, kClear[1] / 255.0f, kClear[2] / 255.0f, 1);
  }
  virtual void BeforeLoading() {}
  void TearDown() override {
    FreeModels();
    gUsePlainModels = false;
    gModelTextureManager = nullptr;
    gVirtualFileSystem.reset();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glViewport(0, 0, 256, 256);
  }
  static void StartFrame(int Size) {
    glViewport(0, 0, Size, Size);
    glScissor(0, 0, Size, Size);
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  // The scenes' camera: 60 degrees high, the model-view matrix left as identity.
  static void Perspective(double Aspect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, Aspect, 0.1, 512);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  // Light 0 at the eye-space position given, switched on.
  static void Light(std::array<float, 4> Position, float Ambient, float Diffuse) {
    const float A[4] = {Ambient, Ambient, Ambient, 1}, D[4] = {Diffuse, Diffuse, Diffuse, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, Position.data());
    glLightfv(GL_LIGHT0, GL_AMBIENT, A);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, D);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
  }
};

// The preview of the unit and building windows: orthographic, the model turned 45 degrees on a
// disc, scaled 0.0009.
void DrawPreview(const std::string& Model) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-5, 5, -8.05, 5, -32, 512);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  TDataSetFixture::Light({0, 5, 0, 1}, 0.3f, 0.7f);
  glTranslatef(0, 1, -100);
  glRotatef(90, 1, 0, 0);
  glRotatef(90, 0, 0, 1);
  glRotatef(-45, 0, 1, 0);
  glRotatef(45, 0, 0, 1);
  glScalef(0.0009f, 0.0009f, 0.0009f);
  Draw3DModel(Model, 0, false, true);
}

void CheckShown(const std::string& Model, const TFrame& F) {
  TSilhouette S(F);
  EXPECT_GT(S.Pixels, F.Width * F.Height / 40) << Model << " draws (nearly) nothing";
  EXPECT_TRUE(S.Inside(F)) << Model << " runs over the frame's edge";
  EXPECT_NEAR(S.CentreX(F), 0.5f, 0.12f) << Model << " is off centre";
}
}  // namespace

TEST_F(TDataSetFixture, EveryUnitAndBuildingShowsCentredInItsPreview) {
  std::vector<std::string> Names = DataModelNames("units.xml");
  for (const std::string& B : DataModelNames("buildings.xml")) Names.push_back(B);
  for (const char* B : {"building_unknown", "building_empty", "building_construct"}) Names.push_back(B);
  TSheet Sheet(8, static_cast<int>(Names.size()), kFrame, kFrame);
  for (std::size_t i = 0; i < Names.size(); ++i) {
    StartFrame(kFrame);
    DrawPreview(Names[i]);
    TFrame F = TFrame::Read(0, 0, kFrame, kFrame);
    CheckShown(Names[i], F);
    Sheet.Put(static_cast<int>(i), F);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  Sheet.Save("previews");
  // Every model texture was read by the game's decoders on the way.
  for (auto& E : fs::directory_iterator(DataFile("tex/models")))
    EXPECT_GE(Textures.IndexOf(E.path().stem().string()), 0) << E.path().filename() << " did not load";
}

TEST_F(TDataSetFixture, TheNationSymbolsStandCentredAtTheFrontPlace) {
  TSheet Sheet(5, 5, kFrame, kFrame);
  for (int i = 0; i < 5; ++i) {
    StartFrame(kFrame);
    Perspective(1);
    Light({0, 5, 5, 0}, 0.3f, 0.8f);
    // The nation-selection camera and the front place, a little nearer for a larger picture.
    glTranslatef(0, -0.5f, -2.2f);
    glScalef(0.7f * 0.0005f, 0.7f * 0.0005f, 0.7f * 0.0005f);
    glRotatef(90, 1, 0, 0);
    Draw3DModel("symbol" + std::to_string(i), 0, false, false);
    TFrame F = TFrame::Read(0, 0, kFrame, kFrame);
    CheckShown("symbol" + std::to_string(i), F);
    Sheet.Put(i, F);
  }
  Sheet.Save("symbols");
}

namespace {
// The diorama's camera as the region and espionage windows set it.
void DioramaCamera() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  DioramaVolume();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  DioramaTurn();
}
// The ground point (x, z) under the middle of building slot S, as the game places the slot.
std::array<float, 2> SlotPlace(int S) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  DioramaSlotPlace(S);
  GLfloat M[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, M);
  glPopMatrix();
  return {M[12], M[14]};
}
// Draws Model on building slot S; Stretch scales its height (the slot markers stand taller).
void DrawSlot(int S, const std::string& Model, float Stretch = 1.0f) {
  glPushMatrix();
  DioramaSlotPlace(S);
  glScalef(1.0f, 1.0f, Stretch);
  Draw3DModel(Model, 0, true, true);
  glPopMatrix();
}
void Ground(float X0, float Z0, float X1, float Z1, float Y, std::array<float, 3> C) {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_LIGHTING);
  glColor3f(C[0], C[1], C[2]);
  glBegin(GL_QUADS);
  glVertex3f(X0, Y, Z0);
  glVertex3f(X0, Y, Z1);
  glVertex3f(X1, Y, Z1);
  glVertex3f(X1, Y, Z0);
  glEnd();
  glColor3f(1, 1, 1);
}
}  // namespace

TEST_F(TDataSetFixture, TheDioramaShowsNinePickablePlotsWithTheTownBehind) {
  const int Size = 256;
  // Pick pass: every plot, empty or being built, fills its slot's spot in its own colour.
  gUsePlainModels = true;
  StartFrame(Size);
  glDisable(GL_LIGHTING);
  DioramaCamera();
  for (int S = 0; S < 9; ++S) {
    glColor3ub(static_cast<GLubyte>(10 + 30 * (S / 3)), static_cast<GLubyte>(10 * (S % 3)), 0);
    DrawSlot(S, S == 4 ? "building_construct" : "building_empty");
  }
  gUsePlainModels = false;
  GLdouble Model[16], Projection[16];
  GLint View[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, Model);
  glGetDoublev(GL_PROJECTION_MATRIX, Projection);
  glGetIntegerv(GL_VIEWPORT, View);
  TFrame Pick = TFrame::Read(0, 0, Size, Size);
  for (int S = 0; S < 9; ++S) {
    auto [X, Z] = SlotPlace(S);
    GLdouble Wx, Wy, Wz;
    // A spot on the plot's front half, where no plot in front of it reaches.
    gluProject(X - 0.3, 0.02, Z + 0.3, Model, Projection, View, &Wx, &Wy, &Wz);
    const std::uint8_t* P = Pick.At(static_cast<int>(Wx), static_cast<int>(Wy));
    EXPECT_EQ(P[0], 10 + 30 * (S / 3)) << "slot " << S;
    EXPECT_EQ(P[1], 10 * (S % 3)) << "slot " << S;
  }

  // The picture: town level 3, streets, ground, nine buildings and both markers.
  StartFrame(Size);
  DioramaCamera();
  Light({0, 25, 0, 1}, 0.7f, 0.7f);
  for (const char* Piece : {"setting_background_level3", "setting_street_level3"}) {
    glPushMatrix();
    DioramaTownPlace();
    Draw3DModel(Piece, 0, true, false);
    glPopMatrix();
    Light({0, 25, 0, 1}, 0.1f, 0.7f);
  }
  // The town stands behind the plots, at the top of the picture.
  TFrame Town = TFrame::Read(0, 0, Size, Size);
  int Covered = 0;
  for (int Y = Size * 3 / 4; Y < Size; ++Y)
    for (int X = 0; X < Size; ++X) Covered += !Town.IsBackground(X, Y);
  EXPECT_GT(Covered, Size * Size / 16);
  // The ground the scene draws (concrete, landscape), under what stands on it.
  Ground(-3.7f, -16, 16, 3.3f, -0.152f, {0.75f, 0.75f, 0.72f});
  Ground(-9, -3.3f, 3.5f, 9, -0.1f, {0.45f, 0.6f, 0.35f});
  const char* Buildings[9] = {"building_powerplant_coal", "building_housing", "building_farm", "building_factory", "building_construct",
                              "building_university", "building_windfarm", "building_empty", "building_towers"};
  for (int S = 0; S < 9; ++S) {
    Light({0, 25, 0, 1}, 0.1f, 0.7f);
    DrawSlot(S, Buildings[S]);
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (auto [S, Marker] : {std::pair{4, "building_selector"}, std::pair{0, "building_selector_b"}}) DrawSlot(S, Marker, 4.0f);
  glDisable(GL_BLEND);
  TFrame F = TFrame::Read(0, 0, Size, Size);
  TSilhouette Shown(F);
  EXPECT_GT(Shown.Pixels, Size * Size / 2);
  TSheet Sheet(3, 3, Size, Size);
  Sheet.Put(0, Pick);
  Sheet.Put(1, Town);
  Sheet.Put(2, F);
  Sheet.Save("diorama");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

namespace {
// A day map of four colours: north-west red, north-east green, south-west blue, south-east white.
struct TGlobeFixture : TDataSetFixture {
  void BeforeLoading() override {
    TImage Map;
    Map.Width = 64;
    Map.Height = 32;
    for (int Y = 0; Y < 32; ++Y)
      for (int X = 0; X < 64; ++X) {
        const bool North = Y < 16, East = X >= 32;
        const std::uint8_t C[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
        const std::uint8_t* P = C[(North ? 0 : 2) + (East ? 1 : 0)];
        Map.RGBA.insert(Map.RGBA.end(), {P[0], P[1], P[2], 255});
      }
    fs::path Folder = fs::path(TARNOVA_BINARY_DIR) / "artifacts" / "TGlobeFixture.TheGlobeShowsTheMapWhereTheRegionsAre";
    fs::create_directories(Folder);
    std::ofstream(Folder / "daymap.png", std::ios::binary) << EncodeImagePNG(Map);
    Textures.AddTexture((Folder / "daymap.png").string(), "earthmap", false);
    ASSERT_GE(Textures.IndexOf("earthmap"), 0);
  }
};
}  // namespace

TEST_F(TGlobeFixture, TheGlobeShowsTheMapWhereTheRegionsAre) {
  // The rotation (latitude, -longitude) brings a place to the front (content/README.md).
  struct TCase {
    float Lat, Lon;
    std::array<int, 3> Colour;
  };
  const TCase Cases[] = {{45, -90, {255, 0, 0}}, {45, 90, {0, 255, 0}}, {-45, -90, {0, 0, 255}}, {-45, 90, {255, 255, 255}},
                         {30, -170, {255, 0, 0}}, {-30, 170, {255, 255, 255}}};
  TSheet Sheet(6, 6, kFrame, kFrame);
  int Index = 0;
  for (const TCase& C : Cases) {
    StartFrame(kFrame);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(C.Lat, 1, 0, 0);
    glRotatef(-C.Lon, 0, 1, 0);
    glScalef(0.0288461538f, 0.0288461538f, 0.0288461538f);
    Draw3DModel("earth", 0, false, false);
    TFrame F = TFrame::Read(0, 0, kFrame, kFrame);
    const std::uint8_t* P = F.At(kFrame / 2, kFrame / 2);
    EXPECT_EQ((std::array<int, 3>{P[0], P[1], P[2]}), C.Colour) << C.Lat << ", " << C.Lon;
    // Radius 4 in the file, 13 at loading, 1.5 / 52 here: 1.5 of the 2 to the frame's edge.
    TSilhouette S(F);
    EXPECT_NEAR((S.MaxX - S.MinX + 1) / static_cast<float>(kFrame), 0.75f, 0.02f);
    Sheet.Put(Index++, F);
  }
  Sheet.Save("globe");
}

TEST_F(TDataSetFixture, TheLandscapesLieUnderTheGlobeAndTheHandHoldsIt) {
  const int Size = 256;
  TSheet Sheet(3, 6, Size, Size);
  // Earth view: each nation's landscape fills the lower part of the picture and rises behind
  // the globe towards the horizon.
  for (int i = 0; i < 5; ++i) {
    StartFrame(Size);
    Perspective(4.0 / 3.0);
    glPushMatrix();
    gCameraDistance = -5.0f;  // the earth view's camera
    LandscapePlace();
    Light({0, 5, -5, 0}, 0.1f, 0.8f);
    Draw3DModel("background_nation" + std::to_string(i), 0, false, false);
    glPopMatrix();
    TFrame F = TFrame::Read(0, 0, Size, Size);
    int Low = 0, NearHorizon = 0;
    for (int X = 0; X < Size; ++X) {
      for (int Y = 0; Y < Size / 4; ++Y) Low += !F.IsBackground(X, Y);
      for (int Y = Size / 2; Y < Size / 2 + Size / 16; ++Y) NearHorizon += !F.IsBackground(X, Y);
    }
    EXPECT_EQ(Low, Size * Size / 4) << "background_nation" << i << " leaves the foreground open";
    EXPECT_GT(NearHorizon, Size * Size / 16 / 4) << "background_nation" << i << " shows no hills behind the globe";
    glTranslatef(0, 0, -5);
    glScalef(0.0288461538f, 0.0288461538f, 0.0288461538f);
    Draw3DModel("earth", 0, false, false);
    Sheet.Put(i, TFrame::Read(0, 0, Size, Size));
  }
  // Main menu: the hand rises under the globe, the name band circles it.
  StartFrame(Size);
  Perspective(4.0 / 3.0);
  glTranslatef(0, 0, -6);
  MenuStagePlace();
  Light({0, 5, 5, 0}, 0.3f, 0.8f);
  glPushMatrix();
  MenuHandPlace();
  Draw3DModel("hand", 0, true, false);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(0, kMenuGlobeHeight, 0);
  glRotatef(20, 1, 0, 0);
  glScalef(kMenuGlobeScale, kMenuGlobeScale, kMenuGlobeScale);
  Draw3DModel("earth", 0, false, false);
  glPopMatrix();
  glPushMatrix();
  Light({0, 5, 5, 0}, 0.3f, 0.8f);
  MenuTitleBandPlace(0.0f);
  Draw3DModel("logobend", 0, true, false);
  glPopMatrix();
  GLdouble Model[16], Projection[16], Wx, Wy, Wz;
  GLint View[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, Model);
  glGetDoublev(GL_PROJECTION_MATRIX, Projection);
  glGetIntegerv(GL_VIEWPORT, View);
  TFrame F = TFrame::Read(0, 0, Size, Size);
  gluProject(0, 4 - 2.44 - 0.35, 0, Model, Projection, View, &Wx, &Wy, &Wz);  // the palm under the globe
  const std::uint8_t* Palm = F.At(static_cast<int>(Wx), static_cast<int>(Wy));
  EXPECT_GT(Palm[0], Palm[2] + 30) << "no bronze hand under the globe";
  gluProject(0, 3.5 + 0.55 * 15 / 16, 3.3 * 15 / 16, Model, Projection, View, &Wx, &Wy, &Wz);  // the band's front
  EXPECT_FALSE(F.IsBackground(static_cast<int>(Wx), static_cast<int>(Wy))) << "no name band in front of the globe";
  Sheet.Put(5, F);
  Sheet.Save("scenery");
}
