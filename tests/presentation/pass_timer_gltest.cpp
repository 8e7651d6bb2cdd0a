// The pass timing belongs to the view that draws the passes: its queries, names and figures are
// its own, and a second timer sees nothing of them.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/perf_timer.h"
#include "presentation/pass_timer.h"
#include "support/gl_environment.h"

TEST(PassTimerGL, EachTimerKeepsItsOwnPassesAndFreesItsOwnQueries) {
  REQUIRE_GL_CONTEXT();
  auto Saved = std::move(gPerfTimer);
  gPerfTimer = std::make_unique<TPerfTimer>();
  gPerfTimer->Enabled = true;
  TPassTimer Timer, Other;
  // More frames than are in flight, so the first frames' queries have been read back.
  for (int Frame = 0; Frame < 6; ++Frame) {
    Timer.BeginFrame();
    Other.BeginFrame();
    {
      TPassScope Outer(&Timer, "outer");
      glClear(GL_COLOR_BUFFER_BIT);
      TPassScope Inner(&Timer, "inner");
      glClear(GL_DEPTH_BUFFER_BIT);
      TPassScope Untimed(nullptr, "untimed");
    }
    Timer.Report(16.0);
    Other.Report(16.0);
  }
  ASSERT_EQ(Timer.LastFigures().size(), 2u);
  EXPECT_EQ(Timer.LastFigures()[0].Name, "outer");
  EXPECT_EQ(Timer.LastFigures()[1].Name, "inner");
  EXPECT_TRUE(Other.LastFigures().empty());
  Timer.Free();
  Other.Free();
  EXPECT_TRUE(Timer.LastFigures().empty());
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  gPerfTimer = std::move(Saved);
}
