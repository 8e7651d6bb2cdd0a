#include <gtest/gtest.h>

#include <array>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "engine/log.h"
#include "engine/streams.h"
#include "engine/texture_manager.h"
#include "engine/textures.h"
#include "engine/virtual_file_system.h"
#include "package_writer.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"
#include "support/texture_fixture.h"

namespace {
using TRGBA = std::array<int, 4>;

// The back buffer's pixel at GUI position (x, y).
TRGBA PixelAt(int X, int Y) {
  glFinish();
  unsigned char P[4] = {0, 0, 0, 0};
  glReadPixels(X, 255 - Y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, P);
  return {P[0], P[1], P[2], P[3]};
}

void ExpectColour(TRGBA Got, TRGBA Want, int Tolerance, const std::string& What) {
  for (int C = 0; C < 3; ++C) EXPECT_NEAR(Got[C], Want[C], Tolerance) << What << " component " << C;
}

// Draws the named texture over 64 x 64 at (X, Y) and checks the four quadrants of a
// QuadrantPicture: upright means blue top left, white top right, red bottom left, green bottom right.
void ExpectUprightQuadrants(const std::string& Name, int X, int Y, int Tolerance = 8) {
  gTextureManager->DrawTexture(Name, float(X), float(Y), 0, 64, 64);
  ExpectColour(PixelAt(X + 16, Y + 16), {0, 0, 255, 0}, Tolerance, Name + " top left");
  ExpectColour(PixelAt(X + 48, Y + 16), {255, 255, 255, 0}, Tolerance, Name + " top right");
  ExpectColour(PixelAt(X + 16, Y + 48), {255, 0, 0, 0}, Tolerance, Name + " bottom left");
  ExpectColour(PixelAt(X + 48, Y + 48), {0, 255, 0, 0}, Tolerance, Name + " bottom right");
}

// A DXT1 picture of 8 x 8 in four solid blocks, stored bottom row of blocks first.
std::string QuadrantDXT1() {
  return MakeDDSHeader(DXT1Spec(8, 8)) + SolidDXT1Block(0xF800) + SolidDXT1Block(0x07E0) + SolidDXT1Block(0x001F) +
         SolidDXT1Block(0xFFFF);
}

class TexturesGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    Begin2DFrame();
  }
  TLogCapture Log;
  TTextureManagerSwap Textures;
  TTempFolder Folder;
};
}  // namespace

TEST_F(TexturesGL, EveryFormatLoadsFromAFolderAndDrawsUpright) {
  auto P = QuadrantPicture(16, 16);
  Folder.Write("data/tex/photo.jpg", MakeJPEGFile(P, 100));
  Folder.Write("data/tex/runs.tga", MakeRLETGAFile(P, 32));
  Folder.Write("data/tex/icon.png", MakePNGFile(P));
  Folder.Write("data/tex/plain.bmp", MakeBMPFile(P, 24));
  Folder.Write("data/tex/blocks.dds", QuadrantDXT1());
  Folder.Write("data/tex/bgra.dds", MakeBGRA8DDSFile(P));
  TVirtualFileSystem V(Folder.Path());
  // BMP is read from loose folders only (the package loaders take the four other kinds).
  for (const char* Ext : {".jpg", ".tga", ".png", ".dds", ".bmp"}) V.LoadTextures("data\\tex\\", Ext, *gTextureManager, false);

  auto& M = *gTextureManager;
  ASSERT_EQ(M.Names, (std::vector<std::string>{"photo", "runs", "icon", "bgra", "blocks", "plain"}));
  EXPECT_EQ(M.GetTextureInfo("photo", tiFormat), GL_RGB);
  EXPECT_EQ(M.GetTextureInfo("runs", tiFormat), GL_RGBA);
  EXPECT_EQ(M.GetTextureInfo("icon", tiFormat), GL_RGBA);
  EXPECT_EQ(M.GetTextureInfo("bgra", tiFormat), GL_RGBA8);
  EXPECT_EQ(M.GetTextureInfo("blocks", tiFormat), GL_COMPRESSED_RGBA_S3TC_DXT1_EXT);
  EXPECT_EQ(M.GetTextureInfo("plain", tiFormat), GL_RGB);
  EXPECT_EQ(M.GetTextureInfo("blocks", tiWidth), 8);
  for (const auto& N : M.Names) {
    EXPECT_GT(M.GetTextureInfo(N, tiGLID), 0) << N;
    if (N != "blocks") {
      EXPECT_EQ(M.GetTextureInfo(N, tiWidth), 16) << N;
    }
    EXPECT_EQ(M.Infos[M.IndexOf(N)].Target, unsigned(GL_TEXTURE_2D));
    EXPECT_EQ(M.IDs[M.IndexOf(N)], M.Infos[M.IndexOf(N)].ID);
  }
  // The one-level DDS files draw textured under the mipmapping filter too.
  ExpectUprightQuadrants("photo", 0, 0, 40);
  ExpectUprightQuadrants("runs", 64, 0);
  ExpectUprightQuadrants("icon", 128, 0);
  ExpectUprightQuadrants("bgra", 192, 0);
  ExpectUprightQuadrants("blocks", 0, 64);
  ExpectUprightQuadrants("plain", 64, 64);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_TRUE(Log.Lines().empty());
  EXPECT_TRUE(Textures.Boxes.empty());
}

TEST_F(TexturesGL, PackagedTexturesLoadFromMemory) {
  auto P = QuadrantPicture(16, 16);
  Folder.Write("tarnova.dat", BuildPackage({MakePackageEntry("data\\tex\\photo.jpg", MakeJPEGFile(P, 100)),
                                            MakePackageEntry("data\\tex\\runs.tga", MakeRLETGAFile(P, 24)),
                                            MakePackageEntry("data\\tex\\icon.png", MakePNGFile(P)),
                                            MakePackageEntry("data\\tex\\blocks.dds", QuadrantDXT1()),
                                            MakePackageEntry("data\\tex\\readme.txt", "not a texture")}));
  TVirtualFileSystem V(Folder.Path());
  V.Open("tarnova.dat");
  for (const char* Ext : {".jpg", ".tga", ".png", ".dds", ".txt"}) V.LoadTextures("data\\tex\\", Ext, *gTextureManager, true);
  auto& M = *gTextureManager;
  ASSERT_EQ(M.Names, (std::vector<std::string>{"photo", "runs", "icon", "blocks"}));
  EXPECT_EQ(M.GetTextureInfo("runs", tiFormat), GL_RGB);
  ExpectUprightQuadrants("photo", 0, 0, 40);
  ExpectUprightQuadrants("runs", 64, 0);
  ExpectUprightQuadrants("icon", 128, 0);
  ExpectUprightQuadrants("blocks", 192, 0);
  // A packaged texture whose name is registered already is registered again, and lookups by
  // name find the newest one; the older entry stays.
  const std::int32_t First = M.GetTextureInfo("icon", tiGLID);
  V.LoadTextures("data\\tex\\", ".png", *gTextureManager, true);
  V.LoadTexture("data\\tex\\icon.png", *gTextureManager, true);
  ASSERT_EQ(M.Names, (std::vector<std::string>{"photo", "runs", "icon", "blocks", "icon", "icon"}));
  EXPECT_EQ(M.IndexOf("ICON"), 5);
  EXPECT_EQ(M.GetTextureInfo("icon", tiGLID), std::int32_t(M.IDs[5]));
  EXPECT_NE(M.GetTextureInfo("icon", tiGLID), First);
  EXPECT_EQ(M.IDs[2], std::uint32_t(First));
  ExpectUprightQuadrants("icon", 0, 64);
}

TEST_F(TexturesGL, AFolderOfManyPicturesLoadsInOrderFromDiskAndPackageWithTheirMipmaps) {
  // More PNG files than decoding threads, with a damaged one among them: every good one is
  // registered in listing order, uploaded upright with its whole mipmap chain, and the damaged
  // one is named in the log by the loader that met it.
  auto P = QuadrantPicture(16, 16);
  const std::string Png = MakePNGFile(P);
  std::vector<TPackageEntry> Packed;
  std::vector<std::string> Want;
  for (int i = 0; i < 14; ++i) {
    const std::string Name = "pic" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    const std::string Bytes = i == 6 ? Png.substr(0, Png.size() / 3) : Png;
    Folder.Write("data/tex/" + Name + ".png", Bytes);
    Packed.push_back(MakePackageEntry("data\\pack\\" + Name + ".png", Bytes));
    if (i != 6) Want.push_back(Name);
  }
  Folder.Write("tarnova.dat", BuildPackage(Packed));
  TVirtualFileSystem V(Folder.Path());
  V.Open("tarnova.dat");
  auto& M = *gTextureManager;
  V.LoadTextures("data\\tex\\", ".png", M, false);
  EXPECT_EQ(M.Names, Want);
  ExpectUprightQuadrants("pic13", 0, 0);
  glBindTexture(GL_TEXTURE_2D, GLuint(M.GetTextureInfo("pic00", tiGLID)));
  GLint W = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH, &W);
  EXPECT_EQ(W, 1);

  // The package's copies, under new names.
  TTextureManagerSwap Fresh;
  V.LoadTextures("data\\pack\\", ".png", *gTextureManager, false);
  EXPECT_EQ(gTextureManager->Names, Want);
  ExpectUprightQuadrants("pic00", 64, 0);
  ExpectUprightQuadrants("pic07", 128, 0);

  auto Count = [&](const std::string& Part) {
    int N = 0;
    for (const auto& L : Log.Lines()) N += L.find(Part) != std::string::npos;
    return N;
  };
  EXPECT_EQ(Count("Textures->LoadPNG->PNG file"), 1);
  EXPECT_EQ(Count("pic06.png\" cannot be decoded"), 2);
  EXPECT_EQ(Count("Textures->LoadPNGFromStream->PNG file \"data\\pack\\pic06.png\""), 1);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexturesGL, ANameWithoutExtensionPrefersDDSOverJPG) {
  auto P = QuadrantPicture(16, 16);
  Folder.Write("data/loadingscreen.jpg", MakeJPEGFile(P));
  Folder.Write("data/loadingscreen.dds", MakeBGRA8DDSFile(P));
  TVirtualFileSystem V(Folder.Path());
  V.LoadTexture("data\\loadingscreen", *gTextureManager, true);
  EXPECT_EQ(gTextureManager->Names, std::vector<std::string>{"loadingscreen"});
  EXPECT_EQ(gTextureManager->GetTextureInfo("loadingscreen", tiFormat), GL_RGBA8);
  V.LoadTexture("data\\nothing", *gTextureManager, true);
  EXPECT_EQ(gTextureManager->Names.size(), 1u);
}

TEST_F(TexturesGL, DamagedFilesRegisterNothingAndNameTheFile) {
  auto P = QuadrantPicture(16, 16);
  std::string Png = MakePNGFile(P);
  Folder.Write("data/tex/good.png", Png);
  Folder.Write("data/tex/half.png", Png.substr(0, Png.size() / 2));
  Folder.Write("data/tex/cut.dds", QuadrantDXT1().substr(0, 140));
  std::string Tga = MakeTGAFile(P, 24);
  Tga[16] = 16;
  Folder.Write("data/tex/sixteen.tga", Tga);
  Folder.Write("data/tex/broken.jpg", "\xFF\xD8\xFF\xE0 broken");
  TVirtualFileSystem V(Folder.Path());
  for (const char* Ext : {".jpg", ".tga", ".png", ".dds"}) V.LoadTextures("data\\tex\\", Ext, *gTextureManager, true);
  auto& M = *gTextureManager;
  EXPECT_EQ(M.Names, std::vector<std::string>{"good"});
  EXPECT_EQ(M.GetTextureInfo("half", tiGLID), -1);
  EXPECT_EQ(M.GetTextureInfo("cut", tiGLID), -1);
  // The good texture still binds by its id.
  M.BindTextureByID(std::uint32_t(M.GetTextureInfo("good", tiGLID)), GL_TEXTURE0);
  GLint Bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
  EXPECT_EQ(Bound, M.GetTextureInfo("good", tiGLID));

  auto Logged = [&](const std::string& Part) {
    for (const auto& L : Log.Lines())
      if (L.find(Part) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(Logged("half.png\" cannot be decoded"));
  EXPECT_TRUE(Logged("cut.dds\" needs"));
  EXPECT_TRUE(Logged("sixteen.tga"));
  EXPECT_TRUE(Logged("broken.jpg\" cannot be decoded"));
  EXPECT_NE(std::find(Textures.Boxes.begin(), Textures.Boxes.end(),
                      "TGA File Error: Couldn't load \"" + (Folder.Path() / "data/tex/sixteen.tga").string() +
                          "\". Only 24 and 32 bit TGA files supported."),
            Textures.Boxes.end());
  EXPECT_NE(std::find(Textures.Boxes.begin(), Textures.Boxes.end(),
                      "BMP Unit: Couldn't load JPG - \"" + (Folder.Path() / "data/tex/broken.jpg").string() + "\""),
            Textures.Boxes.end());
}

TEST_F(TexturesGL, ProgressMessagesNPOTWarningAndCompression) {
  Folder.Write("a.png", MakePNGFile(QuadrantPicture(16, 16)));
  Folder.Write("wide.png", MakePNGFile(QuadrantPicture(20, 16)));
  auto& M = *gTextureManager;
  const bool Compression = ExtensionSupported("GL_ARB_texture_compression");
  EXPECT_EQ(M.AddTexture((Folder.Path() / "a.png").string(), "a", true), 0);
  EXPECT_EQ(M.AddTexture((Folder.Path() / "wide.png").string(), "wide", false), 1);
  EXPECT_EQ(M.AddTexture((Folder.Path() / "wide.png").string(), "WIDE", false), 1);  // already there
  std::vector<std::pair<std::string, bool>> Want{
      {std::string("TextureManager->AddTexture->a") + (Compression ? " [compressed]" : ""), false},
      {"TextureManager->AddTexture->WARNING : Texture \"" + (Folder.Path() / "wide.png").string() + "\" is NPOT!", true},
      {"TextureManager->AddTexture->wide", false}};
  EXPECT_EQ(Textures.Messages, Want);
}

TEST_F(TexturesGL, BindingAppliesTheAlphaTestRule) {
  auto P = QuadrantPicture(16, 16);
  Folder.Write("rgba.png", MakePNGFile(P));
  Folder.Write("rgb.jpg", MakeJPEGFile(P));
  Folder.Write("dds.dds", MakeBGRA8DDSFile(P));
  auto& M = *gTextureManager;
  for (const char* N : {"rgba", "rgb", "dds"})
    M.AddTexture((Folder.Path() / (std::string(N) + (N == std::string("rgba") ? ".png" : N == std::string("rgb") ? ".jpg" : ".dds"))).string(), N, false);
  M.BindTexture("rgba", GL_TEXTURE0);
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  GLint Func = 0;
  GLfloat Ref = 0;
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &Func);
  glGetFloatv(GL_ALPHA_TEST_REF, &Ref);
  EXPECT_EQ(Func, GL_GREATER);
  EXPECT_NEAR(Ref, 0.1f, 1e-6);
  M.BindTexture("rgb", GL_TEXTURE0);
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  M.BindTexture("rgba.png", GL_TEXTURE0);  // falls back to the part before the first dot
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  M.BindTexture("dds", GL_TEXTURE0);
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  M.BindTexture("rgba.x.y", GL_TEXTURE0);
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  M.BindTextureByID(9999, GL_TEXTURE0);  // unknown: bound as it is, alpha test unchanged
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  GLint Bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
  EXPECT_EQ(Bound, 9999);
  M.BindTexture("nothing", GL_TEXTURE0);  // no state change
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
  EXPECT_EQ(Bound, 9999);
  // A unit given by its number is the same unit, with no GL error.
  while (glGetError() != GL_NO_ERROR) {
  }
  M.BindTexture("rgb", 1);
  GLint Active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &Active);
  EXPECT_EQ(Active, GL_TEXTURE1);
  M.DisableTexture(0);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &Active);
  EXPECT_EQ(Active, GL_TEXTURE0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  M.DisableTexture(GL_TEXTURE0);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  while (glGetError() != GL_NO_ERROR) {
  }
}

TEST_F(TexturesGL, QuadsRegionAndPlainQuad) {
  Folder.Write("q.png", MakePNGFile(QuadrantPicture(16, 16)));
  auto& M = *gTextureManager;
  M.AddTexture((Folder.Path() / "q.png").string(), "q", false);
  M.SetFilterByID(M.IDs[0], GL_NEAREST, GL_NEAREST);
  // The region only binds: the caller has enabled texturing on the unit it chose.
  glActiveTexture(GL_TEXTURE0);
  glEnable(GL_TEXTURE_2D);
  M.DrawTextureRegion("q", 0, 0, 0, 64, 64, 0, 1, 0, 1);
  ExpectColour(PixelAt(16, 16), {0, 0, 255, 0}, 8, "region top left");
  ExpectColour(PixelAt(48, 48), {0, 255, 0, 0}, 8, "region bottom right");
  // The lower-left quarter of the texture only.
  M.DrawTextureRegion("q", 64, 0, 0, 64, 64, 0, 0.5f, 0, 0.5f);
  ExpectColour(PixelAt(96, 32), {255, 0, 0, 0}, 8, "quarter");
  // Texturing off (on both units): the quad comes in the current colour, and nothing is
  // enabled or selected.
  glDisable(GL_TEXTURE_2D);
  glActiveTexture(GL_TEXTURE1);
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 0, 1);
  M.DrawTextureRegion("q", 0, 128, 0, 32, 32, 0, 1, 0, 1);
  ExpectColour(PixelAt(16, 144), {255, 0, 255, 0}, 0, "region with texturing off");
  GLint Active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &Active);
  EXPECT_EQ(Active, GL_TEXTURE1);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  // A name that is not registered draws nothing and changes no state either.
  M.DrawTextureRegion("nothing", 64, 128, 0, 32, 32, 0, 1, 0, 1);
  ExpectColour(PixelAt(80, 144), {0, 0, 0, 0}, 0, "unknown name");
  glGetIntegerv(GL_ACTIVE_TEXTURE, &Active);
  EXPECT_EQ(Active, GL_TEXTURE1);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  glActiveTexture(GL_TEXTURE0);
  glColor3f(1, 1, 1);
  M.DrawTextureByID(M.IDs[0], 128, 0, 0, 64, 64);
  ExpectColour(PixelAt(128 + 48, 16), {255, 255, 255, 0}, 8, "by id");
  M.DrawTextureOwnSize("q", 0, 100, 0);
  ExpectColour(PixelAt(4, 104), {0, 0, 255, 0}, 8, "own size");
  ExpectColour(PixelAt(20, 104), {0, 0, 0, 0}, 0, "own size ends at 16");
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 1, 0);
  M.DrawQuad(100, 100, 0, 10, 10);
  ExpectColour(PixelAt(105, 105), {255, 255, 0, 0}, 0, "plain quad");
  ExpectColour(PixelAt(111, 105), {0, 0, 0, 0}, 0, "plain quad edge");
  glColor3f(1, 1, 1);
}

TEST_F(TexturesGL, OddRowsAndSixteenBitDDSRows) {
  // Three-byte rows of 15 bytes: tightly packed, no shear.
  Folder.Write("odd.tga", MakeTGAFile(QuadrantPicture(10, 6), 24));
  Folder.Write("odd.bmp", MakeBMPFile(QuadrantPicture(10, 6), 24));
  auto& M = *gTextureManager;
  M.AddTexture((Folder.Path() / "odd.tga").string(), "oddtga", false);
  M.AddTexture((Folder.Path() / "odd.bmp").string(), "oddbmp", false);
  for (auto N : {"oddtga", "oddbmp"}) M.SetFilterByID(M.IDs[M.IndexOf(N)], GL_NEAREST, GL_NEAREST);
  ExpectUprightQuadrants("oddtga", 0, 0, 0);
  ExpectUprightQuadrants("oddbmp", 64, 0, 0);

  // 16-bit DDS: pure red in 5-6-5 and in 1-5-5-5 with alpha.
  auto R565 = BGRA8Spec(4, 4);
  R565.PixelFlags = 0x40, R565.Bits = 16, R565.RMask = 0xF800, R565.GMask = 0x7E0, R565.BMask = 0x1F, R565.AMask = 0;
  std::string Red565 = MakeDDSHeader(R565);
  for (int I = 0; I < 16; ++I) Red565 += std::string("\x00\xF8", 2);
  auto A1 = R565;
  A1.PixelFlags = 0x41, A1.RMask = 0x7C00, A1.GMask = 0x3E0, A1.BMask = 0x1F, A1.AMask = 0x8000;
  std::string Red5551 = MakeDDSHeader(A1);
  for (int I = 0; I < 16; ++I) Red5551 += std::string("\x00\xFC", 2);
  Folder.Write("r565.dds", Red565);
  Folder.Write("r5551.dds", Red5551);
  M.AddTexture((Folder.Path() / "r565.dds").string(), "r565", false);
  M.AddTexture((Folder.Path() / "r5551.dds").string(), "r5551", false);
  EXPECT_EQ(M.Names.size(), 4u);
  M.DrawTexture("r565", 0, 128, 0, 32, 32);
  M.DrawTexture("r5551", 64, 128, 0, 32, 32);
  ExpectColour(PixelAt(16, 144), {255, 0, 0, 0}, 4, "565");
  ExpectColour(PixelAt(80, 144), {255, 0, 0, 0}, 4, "5551");
  // A DDS upload leaves no row length behind for the next image.
  GLint RowLength = -1, Swap = -1;
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &RowLength);
  glGetIntegerv(GL_UNPACK_SWAP_BYTES, &Swap);
  EXPECT_EQ(RowLength, 0);
  EXPECT_EQ(Swap, 0);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexturesGL, OnePixelHighImagesAre1DAndHeightZeroUploadsNothing) {
  Folder.Write("line.png", MakePNGFile(QuadrantPicture(8, 1)));
  auto& M = *gTextureManager;
  M.AddTexture((Folder.Path() / "line.png").string(), "line", false);
  ASSERT_EQ(M.Names.size(), 1u);
  EXPECT_EQ(M.Infos[0].Target, unsigned(GL_TEXTURE_1D));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  GLint Width = 0;
  glBindTexture(GL_TEXTURE_1D, M.IDs[0]);
  glGetTexLevelParameteriv(GL_TEXTURE_1D, 0, GL_TEXTURE_WIDTH, &Width);
  EXPECT_EQ(Width, 8);
  GLint Filter = 0;
  glGetTexParameteriv(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, &Filter);
  EXPECT_EQ(Filter, GL_NEAREST);
  glDisable(GL_TEXTURE_1D);

  std::uint8_t None = 0;
  std::uint32_t Id = CreateTexture(4, 0, GL_RGBA, &None, GL_LINEAR, GL_LINEAR, false);
  EXPECT_GT(Id, 0u);
  EXPECT_EQ(gLastTexture.Height, 0);
  GLuint Name = Id;
  glDeleteTextures(1, &Name);
}

TEST_F(TexturesGL, HardwareMipmapsAndLoaderMipmapsBothMakeAFullChain) {
  auto P = QuadrantPicture(16, 16);
  for (bool Hardware : {false, true}) {
    gHardwareMipmaps = Hardware;
    std::uint32_t Id = CreateTexture(16, 16, GL_RGBA, P.Rgba.data(), GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, false);
    GLint W = 0;
    glBindTexture(GL_TEXTURE_2D, Id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH, &W);
    EXPECT_EQ(W, 1) << Hardware;
    GLuint Name = Id;
    glDeleteTextures(1, &Name);
  }
  // The loader's chain keeps a side that is no power of two: 20 x 12 -> 10 x 6 -> 5 x 3 -> 2 x 1
  // -> 1 x 1, and the smallest level mixes all four quadrants (the odd sides weigh the right
  // half a little more, so only roughly the mean).
  gHardwareMipmaps = false;
  auto Q = QuadrantPicture(20, 12);
  std::uint32_t Id = CreateTexture(20, 12, GL_RGBA, Q.Rgba.data(), GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, false);
  glBindTexture(GL_TEXTURE_2D, Id);
  const int Want[5][2] = {{20, 12}, {10, 6}, {5, 3}, {2, 1}, {1, 1}};
  for (int L = 0; L < 5; ++L) {
    GLint W = 0, H = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, L, GL_TEXTURE_WIDTH, &W);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, L, GL_TEXTURE_HEIGHT, &H);
    EXPECT_EQ(W, Want[L][0]) << "level " << L;
    EXPECT_EQ(H, Want[L][1]) << "level " << L;
  }
  unsigned char Mean[4] = {0, 0, 0, 0};
  glGetTexImage(GL_TEXTURE_2D, 4, GL_RGBA, GL_UNSIGNED_BYTE, Mean);
  // Quadrants blue, white, red and green: every component is lit in two of the four.
  for (int C = 0; C < 3; ++C) EXPECT_NEAR(Mean[C], 128, 24) << "component " << C;
  GLuint Name = Id;
  glDeleteTextures(1, &Name);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Mipmaps the driver makes are always sampled trilinearly, whatever the caller asked for; the
// mipmaps the loader makes keep the caller's filters. Either way the whole chain is there.
TEST_F(TexturesGL, DriverMipmapsAreTrilinearAndLoaderMipmapsKeepTheFiltersAskedFor) {
  auto P = QuadrantPicture(16, 16);
  struct TCase {
    GLint Mag, Min;
  };
  for (bool Hardware : {false, true}) {
    gHardwareMipmaps = Hardware;
    for (const TCase& C : {TCase{GL_NEAREST, GL_NEAREST}, TCase{GL_LINEAR, GL_LINEAR},
                           TCase{GL_NEAREST, GL_NEAREST_MIPMAP_NEAREST}, TCase{GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR}}) {
      std::uint32_t Id = CreateTexture(16, 16, GL_RGBA, P.Rgba.data(), GLuint(C.Mag), GLuint(C.Min), false);
      glBindTexture(GL_TEXTURE_2D, Id);
      GLint Mag = 0, Min = 0, Level1 = -1;
      glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &Mag);
      glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &Min);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &Level1);
      EXPECT_EQ(Mag, Hardware ? GL_LINEAR : C.Mag) << "hardware mipmaps " << Hardware << ", min filter " << C.Min;
      EXPECT_EQ(Min, Hardware ? GL_LINEAR_MIPMAP_LINEAR : C.Min) << "hardware mipmaps " << Hardware << ", min filter " << C.Min;
      EXPECT_EQ(Level1, 8) << "hardware mipmaps " << Hardware << ", min filter " << C.Min;
      GLuint Name = Id;
      glDeleteTextures(1, &Name);
    }
  }
  gHardwareMipmaps = false;
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexturesGL, TexturesOfASoftwareRasterizerKeepTrilinearFiltering) {
  auto P = QuadrantPicture(16, 16);
  std::uint32_t Id = CreateTexture(16, 16, GL_RGBA, P.Rgba.data(), GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, false);
  glBindTexture(GL_TEXTURE_2D, Id);
  GLfloat Anisotropy = 0.0f;
  glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &Anisotropy);
  // The tests run on Mesa's software rasteriser: no anisotropic sampling there.
  if (SoftwareRasterizer(reinterpret_cast<const char*>(glGetString(GL_RENDERER))))
    EXPECT_EQ(Anisotropy, 1.0f);
  else
    EXPECT_GE(Anisotropy, 1.0f);
  GLuint Name = Id;
  glDeleteTextures(1, &Name);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexturesGL, NoiseVolumeUploadsIntoTheBound3DTexture) {
  TDDSHeaderSpec H;
  H.Width = 64, H.Height = 64, H.Depth = 64;
  H.Flags |= 0x800000;
  TMemoryStream Stream(MakeDDSHeader(H) + std::string(262144, '\x40'));
  GLuint Tex = 0;
  glGenTextures(1, &Tex);
  glBindTexture(GL_TEXTURE_3D, Tex);
  glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  gLastTextureFile = "data\\tex\\noisevolume.dds";
  EXPECT_TRUE(UploadDDSFromStream(Stream));
  GLint Depth = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_3D, 0, GL_TEXTURE_DEPTH, &Depth);
  EXPECT_EQ(Depth, 64);
  TMemoryStream Short(MakeDDSHeader(H) + std::string(1000, '\x40'));
  EXPECT_FALSE(UploadDDSFromStream(Short));
  ASSERT_EQ(Log.Lines().size(), 1u);
  EXPECT_NE(Log.Lines()[0].find("\"data\\tex\\noisevolume.dds\""), std::string::npos);
  glDeleteTextures(1, &Tex);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexturesGL, UnknownEndingsLoadNothing) {
  Folder.Write("photo.jpeg", MakeJPEGFile(QuadrantPicture(16, 16)));
  std::uint32_t Id = 0;
  EXPECT_FALSE(LoadTexture((Folder.Path() / "photo.jpeg").string(), Id, false, GL_LINEAR, GL_LINEAR));
  EXPECT_EQ(gTextureManager->AddTexture((Folder.Path() / "photo.jpeg").string(), "photo", false), 0);
  EXPECT_TRUE(gTextureManager->Names.empty());
  Folder.Write("upper.PNG", MakePNGFile(QuadrantPicture(4, 4)));
  EXPECT_TRUE(LoadTexture((Folder.Path() / "upper.PNG").string(), Id, false, GL_LINEAR, GL_LINEAR));
  GLuint Name = Id;
  glDeleteTextures(1, &Name);
}

TEST_F(TexturesGL, TheLoadingPictureCoversTheWholeScreenWithTheIndicatorAtItsPlace) {
  // A 4:3 picture, red on the left and green on the right, under a white indicator.
  TTestPicture Picture{64, 48, std::vector<std::uint8_t>(64 * 48 * 4, 255)};
  for (std::size_t I = 0; I < Picture.Rgba.size(); I += 4) {
    const bool Left = (I / 4) % 64 < 32;
    Picture.Rgba[I] = Left ? 255 : 0;
    Picture.Rgba[I + 1] = Left ? 0 : 255;
    Picture.Rgba[I + 2] = 0;
  }
  Folder.Write("data/loadingscreen.dds", MakeBGRA8DDSFile(Picture));
  Folder.Write("data/loadingscreen_indicator.dds", MakeBGRA8DDSFile({8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 255)}));
  TVirtualFileSystem V(Folder.Path());
  V.LoadTexture("data\\loadingscreen.dds", *gTextureManager, true);
  V.LoadTexture("data\\loadingscreen_indicator.dds", *gTextureManager, true);
  gLog->SwapBuffers = nullptr;
  gLog->LoadingTexture = std::uint32_t(gTextureManager->GetTextureInfo("loadingscreen", tiGLID));
  gLog->LoadingScreen = true;
  gLog->Progress = 0.9f;  // this step brings the pulse to its peak
  // On a square window of 256 x 256 pixels the picture still reaches every edge: it is drawn
  // over the 1024 x 768 screen, not fitted into the window.
  LogProgress("", false);
  glFinish();
  for (int Y : {5, 128, 250}) {
    ExpectColour(PixelAt(5, Y), {255, 0, 0, 0}, 2, "the picture's left edge");
    ExpectColour(PixelAt(250, Y), {0, 255, 0, 0}, 2, "the picture's right edge");
  }
  // The indicator at (31, 210) of the screen, 8 x 8 there: (7.75, 70) to (9.75, 72.7) here.
  ExpectColour(PixelAt(8, 71), {255, 255, 255, 0}, 2, "the indicator");
  ExpectColour(PixelAt(12, 71), {255, 0, 0, 0}, 2, "the picture beside the indicator");
  gLog->LoadingScreen = false;
  glDepthMask(GL_TRUE);
}

TEST_F(TexturesGL, TheLoadingPictureShowsTheRowItsFileStoresFirstAtTheTop) {
  // The loading picture is the one texture drawn with texture row 0 at the top of the screen,
  // so its file holds the top row first: here a blue sky stored first over a yellow ground.
  TTestPicture Picture{16, 16, std::vector<std::uint8_t>(16 * 16 * 4, 255)};
  for (std::uint32_t Row = 0; Row < 16; ++Row)
    for (std::uint32_t X = 0; X < 16; ++X) {
      std::uint8_t* P = &Picture.Rgba[(Row * 16 + X) * 4];
      const bool Sky = Row < 8;
      P[0] = Sky ? 0 : 255, P[1] = Sky ? 0 : 255, P[2] = Sky ? 255 : 0;
    }
  Folder.Write("data/loadingscreen.dds", MakeBGRA8DDSFile(Picture));
  TVirtualFileSystem V(Folder.Path());
  V.LoadTexture("data\\loadingscreen.dds", *gTextureManager, false);
  gLog->SwapBuffers = nullptr;
  gLog->LoadingTexture = std::uint32_t(gTextureManager->GetTextureInfo("loadingscreen", tiGLID));
  gLog->LoadingScreen = true;
  LogProgress("", false);
  for (int X : {5, 128, 250}) {
    ExpectColour(PixelAt(X, 40), {0, 0, 255, 0}, 2, "the sky at the top");
    ExpectColour(PixelAt(X, 100), {0, 0, 255, 0}, 2, "the sky above the middle");
    ExpectColour(PixelAt(X, 156), {255, 255, 0, 0}, 2, "the ground below the middle");
    ExpectColour(PixelAt(X, 216), {255, 255, 0, 0}, 2, "the ground at the bottom");
  }
  gLog->LoadingScreen = false;
  glDepthMask(GL_TRUE);
}

TEST_F(TexturesGL, TheLoadingScreenDrawsItsIndicatorAndSwaps) {
  TTestPicture Black{4, 4, std::vector<std::uint8_t>(4 * 4 * 4, 0)};
  for (std::size_t A = 3; A < Black.Rgba.size(); A += 4) Black.Rgba[A] = 255;
  Folder.Write("data/loadingscreen.dds", MakeBGRA8DDSFile(Black));
  TTestPicture Indicator{8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 255)};
  Folder.Write("data/loadingscreen_indicator.dds", MakeBGRA8DDSFile(Indicator));
  TVirtualFileSystem V(Folder.Path());
  V.LoadTexture("data\\loadingscreen.dds", *gTextureManager, true);
  V.LoadTexture("data\\loadingscreen_indicator.dds", *gTextureManager, true);
  int Swaps = 0;
  gLog->SwapBuffers = [&] { ++Swaps; };
  gLog->LoadingTexture = std::uint32_t(gTextureManager->GetTextureInfo("loadingscreen", tiGLID));
  gLog->LoadingScreen = true;
  for (int I = 0; I < 5; ++I) gLog->AddLine("step");
  EXPECT_EQ(Swaps, 5);
  EXPECT_NEAR(gLog->Progress, 0.5f, 1e-5);
  GLboolean DepthWrites = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &DepthWrites);
  EXPECT_EQ(DepthWrites, GL_FALSE);
  // The indicator sits at (31, 210) of a 1024 x 768 screen, 8 x 8 there; on 256 x 256 pixels
  // that is about (7.75, 70) to (9.75, 72.7). At the pulse's peak it is white over the black picture.
  ExpectColour(PixelAt(8, 71), {128, 128, 128, 0}, 2, "indicator at half strength");
  ExpectColour(PixelAt(20, 71), {0, 0, 0, 0}, 0, "picture beside it");
  for (int I = 0; I < 5; ++I) LogProgress("only the pulse", false);
  EXPECT_EQ(Swaps, 10);
  ExpectColour(PixelAt(8, 71), {255, 255, 255, 0}, 2, "indicator at full strength");
  for (int I = 0; I < 11; ++I) LogProgress("", false);
  EXPECT_LE(gLog->Progress, 2.0f);
  gLog->LoadingScreen = false;
  glDepthMask(GL_TRUE);
}
