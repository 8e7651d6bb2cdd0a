#include "engine/gl_api.h"
#include <gtest/gtest.h>

#include "engine/binary_model.h"
#include "engine/model_registry.h"
#include "engine/streams.h"
#include "engine/texture_manager.h"
#include "media_fixtures.h"
#include "model_writer.h"
#include "platform/errors.h"
#include "platform/png_codec.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"

namespace {
constexpr float kScale = 13.0f;  // the registry scales every model by it

// A box of half size 0.5 on screen; its side towards the viewer (the file's -y side, after the
// mirror and the registry's quarter turn) in Front colour, the rest in Colour.
TGLBinaryModel ColouredBox(std::array<float, 4> Colour, std::array<float, 4> Front) {
  const float H = 0.5f / kScale;
  TGLBinaryModel M = MakeBoxModel(H, H, H, Colour);
  TGLBinaryMeshMaterial F = M.Meshes[0].Materials[0];
  F.MaterialValues = {Front[0], Front[1], Front[2], 0, Front[3], 0, 0, 0, 0, 0, 0};
  M.Meshes[0].Materials.push_back(F);
  M.Meshes[0].FaceMaterials[6] = M.Meshes[0].FaceMaterials[7] = 1;
  return M;
}

struct TRegistryFixture : TVFSFixture {
  TLogCapture Log;
  TRegistryFixture() {
    glViewport(0, 0, 256, 256);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  ~TRegistryFixture() {
    FreeModels();
    gUsePlainModels = false;
  }
  std::array<int, 3> Pixel(int X, int Y) {
    glFinish();
    unsigned char P[4] = {0, 0, 0, 0};
    glReadPixels(X, Y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, P);
    return {P[0], P[1], P[2]};
  }
  void Register(const std::string& Name, const TGLBinaryModel& M, bool WithPlainList = false) {
    TMemoryStream S(WriteBinaryModel(M));
    RegisterModel(std::make_unique<T3DModel>(S, Name, WithPlainList));
  }
};
using TColour = std::array<int, 3>;
}  // namespace

TEST(ModelRegistryGL, ABoxDrawsItsSilhouetteWithItsFrontSideTowardsTheViewer) {
  REQUIRE_GL_CONTEXT();
  TRegistryFixture F;
  F.Register("cube.3df", ColouredBox({1, 0, 0, 1}, {0, 1, 0, 1}));
  glColor4f(1, 1, 1, 1);
  Draw3DModel("CUBE", 0, true, false);
  EXPECT_EQ(F.Pixel(128, 128), (TColour{0, 255, 0}));
  EXPECT_EQ(F.Pixel(70, 128), (TColour{0, 255, 0}));
  EXPECT_EQ(F.Pixel(186, 186), (TColour{0, 255, 0}));
  EXPECT_EQ(F.Pixel(58, 128), (TColour{0, 0, 0}));
  EXPECT_EQ(F.Pixel(128, 198), (TColour{0, 0, 0}));
  // Models measure no extent: Size is zero, so a centred draw leaves a model at its own origin
  // and shows the same picture as an uncentred one, for a box built around its origin and for one
  // built from its corner alike.
  TGLBinaryModel Corner = ColouredBox({1, 0, 0, 1}, {0, 1, 0, 1});
  for (auto& V : Corner.Meshes[0].Vertices)
    for (float& C : V) C += 0.5f / kScale;
  F.Register("corner.3df", Corner);
  for (const auto& M : gModels) {
    EXPECT_EQ(M->Size.X, 0.0f) << M->Name;
    EXPECT_EQ(M->Size.Y, 0.0f) << M->Name;
    EXPECT_EQ(M->Size.Z, 0.0f) << M->Name;
  }
  for (const char* Name : {"cube", "corner"}) {
    std::vector<std::uint8_t> Pictures[2];
    for (bool Uncentred : {false, true}) {
      glClear(GL_COLOR_BUFFER_BIT);
      Draw3DModel(Name, 0, Uncentred, false);
      glFinish();
      Pictures[Uncentred].resize(256u * 256u * 4u);
      glReadPixels(0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, Pictures[Uncentred].data());
    }
    EXPECT_TRUE(Pictures[0] == Pictures[1]) << Name << ": a centred draw moved the model";
  }
  // The corner box stays where its file puts it: its corner at the origin (the screen's middle),
  // the box up and to the left (x is mirrored on drawing).
  EXPECT_EQ(F.Pixel(70, 186), (TColour{0, 255, 0}));
  EXPECT_EQ(F.Pixel(122, 134), (TColour{0, 255, 0}));
  EXPECT_EQ(F.Pixel(134, 134), (TColour{0, 0, 0}));
  EXPECT_EQ(F.Pixel(122, 122), (TColour{0, 0, 0}));

  // The state a drawn model leaves: lighting off, white material.
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  for (GLenum What : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION}) {
    GLfloat C[4] = {0, 0, 0, 0};
    glGetMaterialfv(GL_FRONT, What, C);
    EXPECT_EQ(C[0] + C[1] + C[2] + C[3], 4.0f) << What;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ModelRegistryGL, ATranslucentMeshIsBlendedWithSourceAlpha) {
  REQUIRE_GL_CONTEXT();
  TRegistryFixture F;
  F.Register("glass.3df", ColouredBox({1, 1, 1, 0.5f}, {1, 1, 1, 0.5f}));
  Draw3DModel("glass", 0, true, false);
  TColour P = F.Pixel(128, 128);
  EXPECT_NEAR(P[0], 128, 2);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

TEST(ModelRegistryGL, PlainListsShowTheCurrentColourWhileSwitchedOn) {
  REQUIRE_GL_CONTEXT();
  TRegistryFixture F;
  F.Register("symbol0.3df", ColouredBox({1, 0, 0, 1}, {1, 0, 0, 1}), true);
  F.Register("earth.3df", ColouredBox({1, 0, 0, 1}, {1, 0, 0, 1}), false);
  EXPECT_NE(gModels[0]->PlainList, 0u);
  EXPECT_EQ(gModels[1]->PlainList, 0u);
  gUsePlainModels = true;
  glColor4f(0, 0, 1, 1);
  Draw3DModel("symbol0", 0, true, false);
  EXPECT_EQ(F.Pixel(128, 128), (TColour{0, 0, 255}));
  glColor4f(0, 0, 1, 1);
  Draw3DModel("earth", 0, true, false);  // no plain list: drawn with its materials
  EXPECT_EQ(F.Pixel(128, 128), (TColour{255, 0, 0}));
  gUsePlainModels = false;
  glColor4f(0, 0, 1, 1);
  Draw3DModel("symbol0", 0, true, false);
  EXPECT_EQ(F.Pixel(128, 128), (TColour{255, 0, 0}));
}

TEST(ModelRegistryGL, OnDemandModelsLoadOnceFromDiskOrPackageAndAreLogged) {
  REQUIRE_GL_CONTEXT();
  TRegistryFixture F;
  std::string Box = WriteBinaryModel(ColouredBox({1, 0, 0, 1}, {0, 1, 0, 1}));
  F.Folder.Write("data/3d/ondemand/tower.3df", Box);
  F.Pack({MakePackageEntry("data\\3d\\ondemand\\building_farm.3df", Box),
          MakePackageEntry("data\\3d\\ondemand\\building_mill.3df", Box)});
  F.Open();

  Draw3DModel("tower", 0, true, false);  // loading not allowed
  EXPECT_TRUE(gModelNames.empty());
  Draw3DModel("tower", 0, true, true);
  Draw3DModel("Tower", 0, true, true);
  EXPECT_EQ(F.Pixel(128, 128), (TColour{0, 255, 0}));
  Draw3DModel("building_farm", 0, true, true);
  Draw3DModel("building_mill.3df", 0, true, true);  // upper-cased key: no "building_" in it
  EXPECT_EQ(F.Log.Lines(), (std::vector<std::string>{
                               "TGame-Draw3DModel->Model \"tower.3df\" loaded on demand from disk",
                               "TGame-Draw3DModel->Model \"building_farm.3df\" loaded on demand from VFS",
                               "TGame-Draw3DModel->Model \"BUILDING_MILL.3DF\" loaded on demand from VFS"}));
  EXPECT_EQ(gModelNames, (std::vector<std::string>{"tower.3df", "building_farm.3df", "BUILDING_MILL.3DF"}));
  ASSERT_EQ(gModels.size(), 3u);
  EXPECT_NE(gModels[1]->PlainList, 0u);
  EXPECT_EQ(gModels[2]->PlainList, 0u);
  Draw3DModel("nowhere", 0, true, true);
  Draw3DModel("", 0, true, true);
  EXPECT_EQ(gModels.size(), 3u);
  EXPECT_EQ(F.Log.Lines().size(), 3u);
}

TEST(ModelRegistryGL, ADamagedModelIsLoggedOnceAndLeavesTheRegistryInStep) {
  REQUIRE_GL_CONTEXT();
  TRegistryFixture F;
  std::string Box = WriteBinaryModel(ColouredBox({1, 0, 0, 1}, {0, 1, 0, 1}));
  F.Folder.Write("data/3d/ondemand/broken.3df", Box.substr(0, Box.size() / 2));
  F.Folder.Write("data/3d/earth.3df", Box);
  F.Folder.Write("data/3d/symbol1.3df", Box);
  F.Folder.Write("data/3d/cracked.3df", Box.substr(0, 40));
  F.Open();

  EXPECT_EQ(LoadModelFolder("data\\3d\\"), 2);
  EXPECT_EQ(gModelNames, (std::vector<std::string>{"earth.3df", "symbol1.3df"}));
  EXPECT_EQ(gModels[0]->PlainList, 0u);
  EXPECT_NE(gModels[1]->PlainList, 0u);
  ASSERT_EQ(F.Log.Lines().size(), 1u);
  EXPECT_EQ(F.Log.Lines()[0].rfind("T3DModel->LoadFromStream->\"cracked.3df\" is damaged: ", 0), 0u) << F.Log.Lines()[0];

  for (int i = 0; i < 3; ++i) Draw3DModel("broken", 0, true, true);
  EXPECT_EQ(gModels.size(), gModelNames.size());
  EXPECT_EQ(gModels.size(), 2u);
  ASSERT_EQ(F.Log.Lines().size(), 2u);
  EXPECT_NE(F.Log.Lines()[1].find("\"broken.3df\" is damaged"), std::string::npos) << F.Log.Lines()[1];
  EXPECT_EQ(F.Pixel(128, 128), (TColour{0, 0, 0}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  try {
    T3DModel Missing("data\\3d\\missing.3df", false);
    ADD_FAILURE() << "a missing file was accepted";
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "T3DModel->LoadFromFile->\"data\\3d\\missing.3df\" does not exist!");
  }
}

TEST(ModelRegistryGL, PackagedModelsAreNamedWithTheirExtension) {
  REQUIRE_GL_CONTEXT();
  TRegistryFixture F;
  std::string Box = WriteBinaryModel(ColouredBox({1, 0, 0, 1}, {0, 1, 0, 1}));
  F.Pack({MakePackageEntry("data\\3d\\earth.3df", Box), MakePackageEntry("data\\3d\\building_x.3df", Box),
          MakePackageEntry("data\\3d\\notes.txt", "n")});
  F.Open();
  EXPECT_EQ(LoadModelFolder("data\\3d\\"), 2);
  EXPECT_EQ(gModelNames, (std::vector<std::string>{"earth.3df", "building_x.3df"}));
  EXPECT_NE(gModels[1]->PlainList, 0u);
  EXPECT_EQ(FindModel("EARTH.3DF"), 0);
  EXPECT_EQ(FindModel("earth"), -1);
  EXPECT_EQ(ModelKey("earth"), "earth.3df");
  EXPECT_EQ(ModelKey("building_x.3df"), "BUILDING_X.3DF");
}

TEST(ModelRegistryGL, MaterialTexturesComeFromTheModelTextureFolder) {
  REQUIRE_GL_CONTEXT();
  TRegistryFixture F;
  std::vector<std::uint8_t> Blue(4 * 4 * 4);
  for (std::size_t i = 0; i < Blue.size(); i += 4) Blue[i + 2] = Blue[i + 3] = 255;
  std::string Png, Error;
  ASSERT_TRUE(EncodePNG(Blue.data(), 4, 4, Png, Error)) << Error;
  F.Folder.Write("data/tex/models/paint.png", Png);
  F.Open();
  TGLBinaryModel M = ColouredBox({1, 1, 1, 1}, {1, 1, 1, 1});
  M.TextureNames = {"C:\\art\\paint.psd", "lost.tga"};
  M.Meshes[0].Materials[0].TextureName = "paint.png";
  M.Meshes[0].Materials[1].TextureName = "paint";
  TTextureManager Textures;
  gModelTextureManager = &Textures;
  F.Register("painted.3df", M);
  F.Register("painted_again.3df", M);
  gModelTextureManager = nullptr;
  EXPECT_GE(Textures.IndexOf("paint"), 0);
  EXPECT_EQ(Textures.Names.size(), 1u);
  Draw3DModel("painted", 0, true, false);
  EXPECT_EQ(F.Pixel(128, 128), (TColour{0, 0, 255}));
  EXPECT_EQ(F.Log.Lines(),
            (std::vector<std::string>{"TGLBinaryModel->LoadFromStream->Texture \"data\\tex\\models\\lost\" not found"}));
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}
