#include "support/gl_environment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/gl_api.h"
#include "platform/files.h"
#include "platform/png_codec.h"
#include "platform/window_host.h"

namespace {
std::unique_ptr<TWindowHost> gTestWindow;
bool gReady = false;

bool GLTestsSwitchedOff() {
  const char* V = std::getenv("TARNOVA_SKIP_GL_TESTS");
  return V && *V && *V != '0';
}

class TGLEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    gTestWindow = std::make_unique<TWindowHost>();
    TWindowOptions O;
    O.Caption = "Tarnova GL tests";
    O.Width = 256;
    O.Height = 256;
    O.Windowed = true;
    O.Hidden = true;
    std::string Error;
    gReady = gTestWindow->Create(O, &Error);
    if (!gReady && !GLTestsSwitchedOff())
      FAIL() << "No OpenGL context for the GL tests (" << Error
             << "); run them under Xvfb or set TARNOVA_SKIP_GL_TESTS=1";
  }
  void TearDown() override {
    gTestWindow.reset();
    gReady = false;
  }
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new TGLEnvironment);
}  // namespace

TWindowHost& GLTestWindow() { return *gTestWindow; }
bool GLTestContextReady() { return gReady; }
void RestoreGLTestContext() {
  if (gTestWindow && gReady) gTestWindow->MakeCurrent();
}

void Begin2DFrame(int Size, float ClearAlpha) { Begin2DFrame(Size, Size, ClearAlpha); }

void Begin2DFrame(int Width, int Height, float ClearAlpha) {
  glViewport(0, 0, Width, Height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, Width, Height, 0, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  for (GLenum State : {GL_DEPTH_TEST, GL_ALPHA_TEST, GL_BLEND, GL_SCISSOR_TEST, GL_LIGHTING, GL_TEXTURE_1D, GL_TEXTURE_2D})
    glDisable(State);
  glColor4f(1, 1, 1, 1);
  glClearColor(0, 0, 0, ClearAlpha);
  glClear(GL_COLOR_BUFFER_BIT);
}

void SaveFramePNG(const std::filesystem::path& File, int Width, int Height) {
  glFinish();
  std::vector<std::uint8_t> Picture(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 4u);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, Picture.data());
  for (std::size_t I = 3; I < Picture.size(); I += 4) Picture[I] = 255;
  std::string Bytes, Error;
  ASSERT_TRUE(EncodePNG(Picture.data(), Width, Height, Bytes, Error)) << Error;
  ASSERT_TRUE(SafeWriteFile(File, Bytes, &Error)) << Error;
}

TAreaPixels AreaPixels(int X, int Y, int Width, int Height, int FrameWidth, int FrameHeight) {
  glFinish();
  std::vector<std::uint8_t> Frame(static_cast<std::size_t>(FrameWidth) * FrameHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, FrameWidth, FrameHeight, GL_RGB, GL_UNSIGNED_BYTE, Frame.data());
  TAreaPixels Result;
  std::vector<bool> Seen(32 * 32 * 32, false);
  for (int Row = std::max(Y, 0); Row < std::min(Y + Height, FrameHeight); ++Row)
    for (int Col = std::max(X, 0); Col < std::min(X + Width, FrameWidth); ++Col) {
      const std::uint8_t* P = &Frame[(static_cast<std::size_t>(FrameHeight - 1 - Row) * FrameWidth + Col) * 3];
      const std::size_t Key = (std::size_t(P[0] >> 3) << 10) | (std::size_t(P[1] >> 3) << 5) | std::size_t(P[2] >> 3);
      if (!Seen[Key]) {
        Seen[Key] = true;
        ++Result.Colours;
      }
      Result.Light += P[0] + P[1] + P[2] >= 420;
    }
  return Result;
}

std::array<int, 3> Pixel(int X, int Y, int Size) {
  glFinish();
  unsigned char P[4] = {0, 0, 0, 0};
  glReadPixels(X, Size - 1 - Y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, P);
  return {P[0], P[1], P[2]};
}
