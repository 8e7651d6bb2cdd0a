#pragma once
// GL tests share one hidden window with a compatibility-profile context, made once per test
// program. Without a display the GL tests fail, unless TARNOVA_SKIP_GL_TESTS=1 switches them off
// on purpose (then they are skipped).
class TWindowHost;

// The window of the GL tests; valid inside a test of a gl test program.
TWindowHost& GLTestWindow();
bool GLTestContextReady();

// Use at the start of every GL test.
#define REQUIRE_GL_CONTEXT()                                         \
  do {                                                               \
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off"; \
  } while (0)
