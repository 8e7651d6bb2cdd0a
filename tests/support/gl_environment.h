#pragma once
// GL tests share one hidden window with a compatibility-profile context, made once per test
// program. Without a display the GL tests fail, unless TARNOVA_SKIP_GL_TESTS=1 switches them off
// on purpose (then they are skipped).
#include <array>
#include <filesystem>

class TWindowHost;

// The window of the GL tests; valid inside a test of a gl test program.
TWindowHost& GLTestWindow();
bool GLTestContextReady();
// Gives the current GL context back to the shared window: a fixture that opened a window of its
// own calls it when it closes that window, so later tests draw in a live context.
void RestoreGLTestContext();

// A Size x Size frame in GUI pixels (origin top left, y downwards, depth -100 to 100), cleared to
// black with the alpha given, with depth test, alpha test, blending, scissor, lighting and
// texturing off and the colour white: the start of every 2D drawing test.
void Begin2DFrame(int Size = 256, float ClearAlpha = 0.0f);
// The same over a Width x Height frame.
void Begin2DFrame(int Width, int Height, float ClearAlpha);

// Writes the back buffer's Width x Height pixels to File as an opaque PNG; a failure fails the test.
void SaveFramePNG(const std::filesystem::path& File, int Width, int Height);

// Red, green and blue of the back buffer's pixel at GUI position (X, Y) of such a frame.
std::array<int, 3> Pixel(int X, int Y, int Size = 256);

// What the back buffer shows in the GUI rectangle (X, Y, Width, Height) of a FrameWidth x
// FrameHeight frame, clipped to the frame: its distinct colours (each channel in 32 steps) and
// its light pixels (red, green and blue adding up to 420 or more, as text and bright drawing do).
struct TAreaPixels {
  int Colours = 0;
  int Light = 0;
};
TAreaPixels AreaPixels(int X, int Y, int Width, int Height, int FrameWidth, int FrameHeight);

// Use at the start of every GL test.
#define REQUIRE_GL_CONTEXT()                                         \
  do {                                                               \
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off"; \
  } while (0)
