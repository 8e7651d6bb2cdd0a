// A font rendered from DejaVu by the content tools prints as the game's fonts do.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "font_writer.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/texture_fixture.h"

namespace {
const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Columns of the 256-pixel-wide back buffer row Y that hold any glyph pixel.
std::vector<int> InkedColumns(int Y) {
  glFinish();
  std::vector<unsigned char> Row(256 * 4);
  glReadPixels(0, 255 - Y, 256, 1, GL_RGBA, GL_UNSIGNED_BYTE, Row.data());
  std::vector<int> Cols;
  for (int X = 0; X < 256; ++X)
    if (Row[X * 4] > 100) Cols.push_back(X);
  return Cols;
}
}  // namespace

TEST(FontWriter, WidthBytesFollowTheFontUnits) {
  // At size 8 the pen moves 1.5 x byte / 8 + 1 units (a unit is a pixel of a 256 texture).
  EXPECT_EQ(FontWidthByte(9, 16), 48);    // 256 texture: 1.5 x 48 / 8 = 9
  EXPECT_EQ(FontWidthByte(12, 128), 8);   // 2048 texture: 1.5 x 8 / 8 = 1.5 units = 12 pixels
  EXPECT_EQ(FontWidthByte(60, 16), 255);  // clamped
  if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << "DejaVu is not installed";
  TFontImage Image;
  std::string Error;
  ASSERT_TRUE(RenderFont({kDejaVu, 16, true}, Image, Error)) << Error;
  EXPECT_EQ(Image.Side, 256u);
  ASSERT_EQ(Image.Widths.size(), 256u);
  EXPECT_EQ(Image.Widths[10], 0);
  EXPECT_GT(std::uint8_t(Image.Widths['A']), 0);
  EXPECT_GT(std::uint8_t(Image.Widths['W']), std::uint8_t(Image.Widths['i']));
  EXPECT_GT(std::uint8_t(Image.Widths[0xE4]), 0);  // a-umlaut
  EXPECT_FALSE(RenderFont({"/nonexistent.ttf", 16, false}, Image, Error));
}

TEST(FontWriter, AGeneratedFontPrintsAB) {
  REQUIRE_GL_CONTEXT();
  if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << "DejaVu is not installed";
  TLogCapture Log;
  TTextureManagerSwap Textures;
  TTempFolder Folder;
  TFontImage Image;
  std::string Error;
  ASSERT_TRUE(RenderFont({kDejaVu, 16, false}, Image, Error)) << Error;
  Folder.Write("data/tex/dejavu.dds", FontTextureDDS(Image));
  Folder.Write("data/dejavu.fnt", Image.Widths);
  TVirtualFileSystem V(Folder.Path());
  std::unique_ptr<TTexFont> Font;
  V.LoadFont({.Texture = "data\\tex\\dejavu.dds", .Widths = "data\\dejavu.fnt"}, *gTextureManager, Font, 8.0f);
  ASSERT_TRUE(Font);
  const float WA = std::uint8_t(Image.Widths['A']) / 8.0f, WB = std::uint8_t(Image.Widths['B']) / 8.0f;
  EXPECT_FLOAT_EQ(Font->TextWidth("AB"), 1.5f * WA + 1.0f + 1.5f * WB + 1.0f);

  Begin2DFrame();
  Font->Print("AB", MakeVector3(50, 50, 0), MakeVector3(1, 1, 1), 1.0f, 2.0f, false, true);
  // Ink across the glyphs' middle row: "A" within its quad from 50 - 4 to 50 + 2 (WA + 2),
  // "B" within its quad after the pen moved 2 (1.5 WA + 1).
  if (const char* Shot = std::getenv("TARNOVA_FONT_SHOT")) SaveScreenshot(Shot, false);
  std::vector<int> Ink = InkedColumns(50 + 16);
  ASSERT_FALSE(Ink.empty());
  const float BStart = 50 + 2.0f * (1.5f * WA + 1.0f);
  int InA = 0, InB = 0, Outside = 0;
  for (int X : Ink) {
    if (X >= 50 - 4 && X < 50 + 2 * (WA + 2))
      ++InA;
    else if (X >= BStart - 4 && X < BStart + 2 * (WB + 2))
      ++InB;
    else
      ++Outside;
  }
  EXPECT_GE(InA, 2);
  EXPECT_GE(InB, 2);
  EXPECT_EQ(Outside, 0);
  EXPECT_LT(Ink.front(), BStart - 4);  // "A" is left of "B"
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}
