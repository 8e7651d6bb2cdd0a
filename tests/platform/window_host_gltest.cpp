#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/window_host.h"
#include "support/gl_environment.h"

TEST(WindowHostGL, ClearsToAColourAndReadsItBack) {
  REQUIRE_GL_CONTEXT();
  glViewport(0, 0, 16, 16);
  glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  unsigned char P[4] = {0, 0, 0, 0};
  glReadPixels(4, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, P);
  EXPECT_NEAR(P[0], 51, 1);
  EXPECT_NEAR(P[1], 102, 1);
  EXPECT_NEAR(P[2], 153, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(WindowHostGL, ContextIsACompatibilityProfileWithExtensions) {
  REQUIRE_GL_CONTEXT();
  const char* Ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  ASSERT_NE(Ext, nullptr);
  // Immediate mode works: draw a quad and read its colour.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 0, 0);
  glBegin(GL_QUADS);
  glVertex2f(-1, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
  glFinish();
  unsigned char P[4];
  glReadPixels(8, 8, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, P);
  EXPECT_EQ(P[0], 255);
  EXPECT_EQ(P[1], 0);
  int W = 0, H = 0;
  GLTestWindow().ClientSize(W, H);
  EXPECT_EQ(W, 256);
}

TEST(WindowHostGL, DisplayModesAndFullScreenSwitch) {
  REQUIRE_GL_CONTEXT();
  // Xvfb offers only its screen size, stored in 4 bytes a pixel: a mode it does not offer is
  // refused without a change, never replaced by the closest one.
  auto Modes = GLTestWindow().DisplayModes();
  ASSERT_FALSE(Modes.empty());
  EXPECT_EQ(Modes[0].BitsPerPixel, 32);
  EXPECT_EQ(GLTestWindow().SetFullScreenMode(Modes[0].Width + 16, Modes[0].Height, 32, 0), -2);
  EXPECT_EQ(GLTestWindow().SetFullScreenMode(Modes[0].Width, Modes[0].Height, 32, Modes[0].Frequency), 0);
  GLTestWindow().RestoreDisplayMode();
}

TEST(WindowHostGL, PumpingWithNoEventsReturnsAtOnce) {
  REQUIRE_GL_CONTEXT();
  int Count = 0;
  GLTestWindow().PumpEvents([&](const TWindowEvent& E) {
    if (E.Kind == TWindowEvent::Close) ++Count;
  });
  EXPECT_EQ(Count, 0);
}

TEST(WindowHostGL, ASwapDoesNotWaitForTheDisplay) {
  REQUIRE_GL_CONTEXT();
  // The loading screen swaps on every log line of the start-up.
  EXPECT_EQ(GLTestWindow().SwapInterval(), 0);
  TWindowHost Closed;
  EXPECT_EQ(Closed.SwapInterval(), -1);
}
