#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "package_writer.h"
#include "platform/errors.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"
#include "support/texture_fixture.h"

namespace {
// A 256 x 256 font texture: the cell of "A" solid red, the cell of "B" solid green, all else
// transparent. Cells are 16 pixels; row 0 of the grid is the top of the image.
std::string TestFontTexture() {
  TTestPicture P{256, 256, std::vector<std::uint8_t>(256 * 256 * 4, 0)};
  auto FillCell = [&](int Code, std::uint8_t R, std::uint8_t G) {
    int Col = Code % 16, Row = Code / 16;
    for (int Y = 0; Y < 16; ++Y)
      for (int X = 0; X < 16; ++X) {
        int ImgX = Col * 16 + X, ImgYFromTop = Row * 16 + Y;
        std::uint8_t* Px = &P.Rgba[(std::size_t(255 - ImgYFromTop) * 256 + ImgX) * 4];
        Px[0] = R, Px[1] = G, Px[2] = 0, Px[3] = 255;
      }
  };
  FillCell('A', 255, 0);
  FillCell('B', 0, 255);
  return MakeBGRA8DDSFile(P);
}

std::string TestWidths() {
  std::string W(256, char(64));  // 8 pixels of a 256 texture at size 8
  return W;
}

class TexFontGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    Begin2DFrame();
    Folder.Write("data/tex/testfont.dds", TestFontTexture());
    Folder.Write("data/testfont.fnt", TestWidths());
  }
  void TearDown() override {
    Font.reset();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
  }
  TLogCapture Log;
  TTextureManagerSwap Textures;
  TTempFolder Folder;
  std::unique_ptr<TTexFont> Font;
};
}  // namespace

TEST_F(TexFontGL, PrintsGlyphsSideBySideAtTheirAdvance) {
  TVirtualFileSystem V(Folder.Path());
  V.LoadFont({.Texture = "data\\tex\\testfont.dds", .Widths = "data\\testfont.fnt"}, *gTextureManager, Font, 8.0f);
  ASSERT_TRUE(Font);
  EXPECT_EQ(Font->TextureID, std::uint32_t(gTextureManager->GetTextureInfo("testfont", tiGLID)));
  EXPECT_FLOAT_EQ(Font->TextWidth("AB"), 26.0f);  // (1.5 x 8 + 1) twice
  Font->Print("AB", MakeVector3(20, 20, 0), MakeVector3(1, 1, 1), 1.0f, 1.0f, false, true);
  // "A" covers x 18..30, the pen moves 13, "B" covers 31..43; 16 units high.
  EXPECT_EQ(Pixel(19, 28), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(29, 28), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(30, 28), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(Pixel(32, 28), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(Pixel(42, 28), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(Pixel(44, 28), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(Pixel(24, 35), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(24, 37), (std::array<int, 3>{0, 0, 0}));
  // Size 2 doubles everything from the position on.
  Font->Print("A", MakeVector3(100, 100, 0), MakeVector3(1, 1, 1), 1.0f, 2.0f, false, true);
  EXPECT_EQ(Pixel(97, 130), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(119, 130), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(121, 130), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexFontGL, CentredTextAndShadow) {
  TVirtualFileSystem V(Folder.Path());
  V.LoadFont({.Texture = "data\\tex\\testfont.dds", .Widths = "data\\testfont.fnt"}, *gTextureManager, Font, 8.0f);
  Font->PrintCentered("AB", MakeVector3(128, 20, 0), 1.0f, false);
  // Moved left by half of 26: "A" from 113, "B" from 126.
  EXPECT_EQ(Pixel(114, 28), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(112, 28), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(Pixel(127, 28), (std::array<int, 3>{0, 255, 0}));
  // The shadow lies 1.5 units right and down, in black; the glyph itself is white-modulated.
  glClearColor(0, 0, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 0, 0);
  Font->PrintPlain("A", MakeVector3(20, 20, 0), 1.0f, true, true);
  EXPECT_EQ(Pixel(24, 28), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(30, 36), (std::array<int, 3>{0, 0, 0}));  // shadow beyond the glyph's corner
  GLfloat Colour[4];
  glGetFloatv(GL_CURRENT_COLOR, Colour);
  EXPECT_EQ(Colour[0], 1.0f);
  EXPECT_EQ(Colour[1], 1.0f);
  EXPECT_EQ(Colour[2], 1.0f);
  EXPECT_EQ(Colour[3], 1.0f);
}

TEST_F(TexFontGL, ATextDrawsTheSamePixelsAsItsGlyphListsCalledOneAfterAnother) {
  // Every cell a colour of its own with a ramp across it, and glyph widths that differ, so that
  // a glyph out of place, a wrong texture coordinate or a pen that drifts shows in the picture.
  TTestPicture P{256, 256, std::vector<std::uint8_t>(256 * 256 * 4, 0)};
  for (int Y = 0; Y < 256; ++Y)
    for (int X = 0; X < 256; ++X) {
      const int Code = (15 - Y / 16) * 16 + X / 16;
      std::uint8_t* Px = &P.Rgba[(std::size_t(Y) * 256 + X) * 4];
      Px[0] = std::uint8_t(Code * 37), Px[1] = std::uint8_t(Code * 91 + (X % 16) * 12), Px[2] = std::uint8_t((Y % 16) * 15);
      Px[3] = std::uint8_t(X % 16 < 12 ? 255 : 90);
    }
  std::string Widths(256, '\0');
  for (int I = 0; I < 256; ++I) Widths[std::size_t(I)] = char(20 + (I * 7) % 90);
  Folder.Write("data/tex/rampfont.dds", MakeBGRA8DDSFile(P));
  Folder.Write("data/rampfont.fnt", Widths);
  TVirtualFileSystem V(Folder.Path());
  V.LoadFont({.Texture = "data\\tex\\rampfont.dds", .Widths = "data\\rampfont.fnt"}, *gTextureManager, Font, 8.0f);
  ASSERT_TRUE(Font);
  const std::string Text = "Wir bauen 17 Forschungslabore: \xc4rger, Qualm & \xdc" "bermut!";
  const auto Frame = [] {
    std::vector<std::uint8_t> Pixels(256 * 256 * 4);
    glReadPixels(0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
    return Pixels;
  };
  for (float Size : {1.0f, 0.7f}) {
    Begin2DFrame();
    Font->Print(Text, MakeVector3(3.5f, 40.0f, 0.0f), MakeVector3(1.0f, 0.9f, 0.8f), 1.0f, Size, false, true);
    const auto Printed = Frame();
    // The same text as the font's lists draw it, list after list.
    Begin2DFrame();
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Font->TextureID);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 0.9f, 0.8f, 1.0f);
    glPushMatrix();
    glTranslatef(3.5f, 40.0f, 0.0f);
    glScalef(Size, Size, Size);
    glListBase(Font->ListBase);
    glCallLists(GLsizei(Text.size()), GL_UNSIGNED_BYTE, Text.data());
    glPopMatrix();
    const auto Listed = Frame();
    int Lit = 0, Differing = 0;
    for (std::size_t I = 0; I < Printed.size(); I += 4) {
      Lit += Printed[I] + Printed[I + 1] + Printed[I + 2] > 0;
      for (std::size_t C = 0; C < 3; ++C) Differing += std::abs(Printed[I + C] - Listed[I + C]) > 1;
    }
    EXPECT_GT(Lit, 2000) << "size " << Size;
    EXPECT_EQ(Differing, 0) << "size " << Size;
  }
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexFontGL, AnEmptyTextStillBindsAndBlends) {
  TVirtualFileSystem V(Folder.Path());
  V.LoadFont({.Texture = "data\\tex\\testfont.dds", .Widths = "data\\testfont.fnt"}, *gTextureManager, Font, 8.0f);
  glDisable(GL_BLEND);
  glBindTexture(GL_TEXTURE_2D, 0);
  Font->Print("", MakeVector3(0, 0, 0), MakeVector3(1, 0, 0), 0.5f, 1.0f, true, true);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  GLint Bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
  EXPECT_EQ(std::uint32_t(Bound), Font->TextureID);
  // Alpha printing switches blending off again; plain printing leaves it.
  Font->PrintAlpha("A", MakeVector3(0, 0, 0), 1.0f, 0.5f, false, true);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  Font->PrintPlain("A", MakeVector3(0, 0, 0), 1.0f, false, true);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  Font->PrintAlphaCentered("AB", MakeVector3(128, 128, 0), 1.0f, 1.0f, true);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TexFontGL, LoadFontFromThePackageAndItsErrors) {
  TTempFolder Packed;
  Packed.Write("tarnova.dat", BuildPackage({MakePackageEntry("data\\tex\\fontlcd.dds", TestFontTexture()),
                                            MakePackageEntry("data\\fontlcd.fnt", TestWidths()),
                                            MakePackageEntry("data\\short.fnt", std::string(100, '\x08'))}));
  TVirtualFileSystem V(Packed.Path());
  V.Open("tarnova.dat");
  V.LoadFont({.Texture = "data\\tex\\fontlcd.dds", .Widths = "data\\fontlcd.fnt"}, *gTextureManager, Font, 8.0f);
  ASSERT_TRUE(Font);
  EXPECT_FLOAT_EQ(Font->Widths['A'], 12.0f);
  try {
    V.LoadFont({.Texture = "data\\tex\\fontlcd.dds", .Widths = "data\\font3.fnt"}, *gTextureManager, Font, 8.0f);
    ADD_FAILURE() << "no error";
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "TVirtualFileSystem->LoadFont->File for fontsize \"data\\font3.fnt\" not found in VFS");
  }
  try {
    V.LoadFont({.Texture = "data\\tex\\fontlcd.dds", .Widths = "data\\short.fnt"}, *gTextureManager, Font, 8.0f);
    ADD_FAILURE() << "no error";
  } catch (const EDataError& E) {
    EXPECT_STREQ(E.what(), "TVirtualFileSystem->LoadFont->File for fontsize \"data\\short.fnt\" holds 100 bytes, 256 needed");
  }
  try {
    V.LoadFont({.Texture = "data\\tex\\nofont.dds", .Widths = "data\\fontlcd.fnt"}, *gTextureManager, Font, 8.0f);
    ADD_FAILURE() << "no error";
  } catch (const ERangeError& E) {
    EXPECT_STREQ(E.what(), "TVirtualFileSystem->LoadFont->Font texture \"data\\tex\\nofont.dds\" could not be loaded");
  }
}
