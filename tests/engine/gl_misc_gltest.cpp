#include <gtest/gtest.h>

#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "platform/png_codec.h"
#include "support/gl_environment.h"
#include "support/temp_folder.h"

TEST(GLMisc, ExtensionSupportedReadsTheContextsList) {
  REQUIRE_GL_CONTEXT();
  EXPECT_TRUE(ExtensionSupported("gl_arb_texture_compression"));
  EXPECT_TRUE(ExtensionSupported("GL_EXT_texture_compression_s3tc"));
  EXPECT_FALSE(ExtensionSupported("GL_ARB_texture"));
  EXPECT_FALSE(ExtensionSupported("GL_TARNOVA_no_such_extension"));
}

namespace {
// Top half red, bottom half blue, alpha 0.5 everywhere, in a 64 x 32 viewport.
void DrawKnownFrame() {
  glViewport(0, 0, 64, 32);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 1, 0.5f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 16, 64, 16);
  glClearColor(1, 0, 0, 0.5f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glFinish();
}

TPNGImage ReadBack(const std::filesystem::path& P) {
  std::string Bytes = ReadTestFile(P);
  TPNGImage I;
  std::string Error;
  EXPECT_TRUE(DecodePNG(Bytes.data(), Bytes.size(), I, Error)) << Error;
  return I;
}
}  // namespace

TEST(GLMisc, AScreenshotHasTheTopRowAtTheTopAndOpaqueAlpha) {
  REQUIRE_GL_CONTEXT();
  TTempFolder T;
  DrawKnownFrame();
  std::string Error;
  ASSERT_TRUE(SaveScreenshot((T.Path() / "screenshot0.png").string(), false, &Error)) << Error;
  TPNGImage I = ReadBack(T.Path() / "screenshot0.png");
  ASSERT_EQ(I.Width, 64u);
  ASSERT_EQ(I.Height, 32u);
  // Decoded bottom row first, BGRA: the last rows are the top of the frame.
  auto Px = [&](std::uint32_t X, std::uint32_t Y) { return &I.Pixels[(std::size_t(Y) * I.Width + X) * 4]; };
  EXPECT_EQ(Px(0, 31)[2], 255);
  EXPECT_EQ(Px(0, 31)[0], 0);
  EXPECT_EQ(Px(63, 0)[0], 255);
  EXPECT_EQ(Px(63, 0)[2], 0);
  for (std::size_t A = 3; A < I.Pixels.size(); A += 4) ASSERT_EQ(I.Pixels[A], 255);

  ASSERT_TRUE(SaveScreenshot((T.Path() / "alpha.png").string(), true, &Error)) << Error;
  GLint AlphaBits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &AlphaBits);
  if (AlphaBits > 0) {
    EXPECT_NEAR(ReadBack(T.Path() / "alpha.png").Pixels[3], 128, 1);
  }
}

TEST(GLMisc, AScreenshotThatCannotBeWrittenSaysSo) {
  REQUIRE_GL_CONTEXT();
  TTempFolder T;
  T.Write("screenshot1.png", "old picture");
  DrawKnownFrame();
  std::string Error;
  EXPECT_FALSE(SaveScreenshot((T.Path() / "screenshot1.png" / "inside.png").string(), false, &Error));
  EXPECT_FALSE(Error.empty());
  EXPECT_EQ(ReadTestFile(T.Path() / "screenshot1.png"), "old picture");
}
