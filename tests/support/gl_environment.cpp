#include "support/gl_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

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
