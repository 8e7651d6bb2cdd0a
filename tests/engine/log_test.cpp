#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "engine/perf_timer.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {
const std::string kHead =
    "<head><style type=\"text/css\">\n"
    ".line {border-color:#000000; border-width:1px; border-style:solid; margin-top:2px; "
    "font-family:Fixedsys,Courier,monospace;}\n"
    "</style></head><body><html>\n";

std::unique_ptr<TLog> MakeLog(const TTempFolder& T) {
  auto L = std::make_unique<TLog>(T.Path());
  L->Clock = [] { return std::string("09:05:01"); };
  return L;
}
}  // namespace

TEST(Log, NothingIsWrittenBeforeTheFirstLine) {
  TTempFolder T;
  {
    auto L = MakeLog(T);
    EXPECT_EQ(L->HTMLLines.size(), 3u);
  }
  EXPECT_FALSE(std::filesystem::exists(T.Path() / "log.html"));
}

TEST(Log, EveryLineIsOnDiskAtOnceAndACrashLeavesNoClosingLine) {
  TTempFolder T;
  auto L = MakeLog(T);
  L->AddLine("TGame->Create->one");
  L->AddLine("two");
  L->AddLine("three");
  // The program "dies" here: the file holds head and three entries, no closing line.
  EXPECT_EQ(ReadTestFile(T.Path() / "log.html"),
            kHead +
                "<code><font color=#000000>09:05:01 - TGame->Create->one<br></code>\n"
                "<code><font color=#000000>09:05:01 - two<br></code>\n"
                "<code><font color=#000000>09:05:01 - three<br></code>\n");
  L.reset();  // the orderly end
  EXPECT_EQ(ReadTestFile(T.Path() / "log.html"),
            kHead +
                "<code><font color=#000000>09:05:01 - TGame->Create->one<br></code>\n"
                "<code><font color=#000000>09:05:01 - two<br></code>\n"
                "<code><font color=#000000>09:05:01 - three<br></code>\n</body></html>\n");
}

TEST(Log, ColouredLinesTagsAndTheirOrder) {
  TTempFolder T;
  auto L = MakeLog(T);
  L->AddColoredLine("crash", 255, TLogStyle::Bold);
  L->AddColoredLine("both", 32768, TLogStyle::BoldItalic);
  L->AddColoredLine("italic", 16711680, TLogStyle::Italic);
  L->AddColoredLine("black", 0, TLogStyle::Plain);
  L->AddColoredLine("odd", 12345, TLogStyle::Plain);
  ASSERT_EQ(L->HTMLLines.size(), 8u);
  EXPECT_EQ(L->HTMLLines[3], "<code><font color=#FF0000>09:05:01 - <b>crash</b><br></code>");
  EXPECT_EQ(L->HTMLLines[4], "<code><font color=#00FF00>09:05:01 - <i><b>both</b></i><br></code>");
  EXPECT_EQ(L->HTMLLines[5], "<code><font color=#0000FF>09:05:01 - <i>italic</i><br></code>");
  EXPECT_EQ(L->HTMLLines[6], "<code><font color=#000000>09:05:01 - black<br></code>");
  EXPECT_EQ(L->HTMLLines[7], "<code><font color=>09:05:01 - odd<br></code>");
}

TEST(Log, ACrashLineReachesTheDiskWithoutAFollowingLine) {
  TTempFolder T;
  auto L = MakeLog(T);
  L->AddColoredLine("Access violation", 255, TLogStyle::Bold);
  EXPECT_NE(ReadTestFile(T.Path() / "log.html").find("<b>Access violation</b>"), std::string::npos);
}

TEST(Log, TextIsEscapedButTheMarkupAroundItIsNot) {
  TTempFolder T;
  auto L = MakeLog(T);
  L->AddLine("0:12(3): error: unexpected '<' & \"more\" > less");
  L->AddColoredLine("<b>", 255, TLogStyle::Italic);
  EXPECT_EQ(L->HTMLLines[3],
            "<code><font color=#000000>09:05:01 - 0:12(3): error: unexpected '&lt;' &amp; \"more\" > "
            "less<br></code>");
  EXPECT_EQ(L->HTMLLines[4], "<code><font color=#FF0000>09:05:01 - <i>&lt;b></i><br></code>");
  EXPECT_EQ(L->Entries()[1], "<b>");
}

TEST(Log, AnUnwritableFolderMovesTheLogToTheUsersConfigFolder) {
  TTempFolder T;
  T.Write("blocker", "a file, not a folder");
  TTempFolder Home;
  const char* OldData = std::getenv("XDG_CONFIG_HOME");
  std::string Saved = OldData ? OldData : "";
  setenv("XDG_CONFIG_HOME", Home.Path().c_str(), 1);
  {
    TLog L(T.Path() / "blocker");
    L.Clock = [] { return std::string("09:05:01"); };
    EXPECT_NO_THROW(L.AddLine("first"));
    EXPECT_NO_THROW(L.AddLine("second"));
    std::filesystem::path Moved = Home.Path() / "tarnova" / "log.html";
    EXPECT_EQ(L.FileName(), Moved);
    std::string Text = ReadTestFile(Moved);
    EXPECT_NE(Text.find("09:05:01 - first<br>"), std::string::npos);
    EXPECT_NE(Text.find("09:05:01 - second<br>"), std::string::npos);
    ASSERT_EQ(L.Entries().size(), 3u);
    EXPECT_EQ(L.Entries()[1].rfind("TLog->Save->Cannot write the log to \"", 0), 0u);
  }
  if (OldData)
    setenv("XDG_CONFIG_HOME", Saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

TEST(Log, LogProgressLogsOnlyWithItsFlag) {
  TLogCapture Capture;
  LogProgress("TextureManager->AddTexture->font", false);
  LogProgress("TGame->Create->Starting Soundsystem...", true);
  ASSERT_EQ(Capture.Lines().size(), 1u);
  EXPECT_EQ(Capture.Lines()[0], "TGame->Create->Starting Soundsystem...");
}

TEST(Log, WithoutTheLoadingScreenNothingIsDrawn) {
  TLogCapture Capture;
  int Swaps = 0;
  gLog->SwapBuffers = [&] { ++Swaps; };
  gLog->AddLine("a");
  gLog->DrawLoadingIndicator();
  EXPECT_EQ(Swaps, 0);
  EXPECT_FLOAT_EQ(gLog->Progress, 0.0f);
}

TEST(PerfTimer, DisabledMeasuresNothingAndClearsNothing) {
  std::int64_t Now = 0;
  TPerfTimer P([&] { return Now; }, 1000000);
  EXPECT_FALSE(P.Enabled);
  P.Start();
  Now = 5000;
  P.Stop("tnothing");
  EXPECT_TRUE(P.Samples.empty());
  P.Enabled = true;
  P.Start();
  P.Stop("tone");
  P.Enabled = false;
  P.Clear();
  EXPECT_EQ(P.Names.size(), 1u);
  EXPECT_EQ(P.StartCount, 5000);
}

TEST(PerfTimer, StopsMeasureFromTheOneStartMarkInOrder) {
  std::int64_t Now = 0;
  TPerfTimer P([&] { return Now; }, 1000000);  // microseconds
  P.Enabled = true;
  P.Start();
  Now = 2500;
  P.Stop("tmain");
  Now = 4000;
  P.Stop("tbuild");
  Now = 10000;
  P.Start();
  P.Start();  // no nesting: the mark moves
  Now = 10750;
  P.Stop("tmessages");
  ASSERT_EQ(P.Samples.size(), 3u);
  EXPECT_FLOAT_EQ(P.Samples[0], 2.5f);
  EXPECT_FLOAT_EQ(P.Samples[1], 4.0f);
  EXPECT_FLOAT_EQ(P.Samples[2], 0.75f);
  EXPECT_EQ(P.Names, (std::vector<std::string>{"tmain", "tbuild", "tmessages"}));
  P.Clear();
  EXPECT_TRUE(P.Samples.empty());
  EXPECT_TRUE(P.Names.empty());
}

TEST(PerfTimer, ALargeCounterDoesNotOverflow) {
  // A nanosecond counter after a year of uptime, with Stop before any Start.
  std::int64_t Now = 365LL * 24 * 3600 * 1000000000LL;
  TPerfTimer P([&] { return Now; }, 1000000000);
  P.Enabled = true;
  P.Stop("tfirst");
  EXPECT_NEAR(P.Samples[0], 365.0 * 24 * 3600 * 1000, 1e7);
}

TEST(PerfTimer, TheGlobalStartsDisabledOnTheSteadyClock) {
  ASSERT_TRUE(gPerfTimer);
  EXPECT_FALSE(gPerfTimer->Enabled);
  EXPECT_EQ(gPerfTimer->Frequency, 1000000000);
}

TEST(Log, TheLoadingScreenRedrawsAtMostTwentyFiveTimesASecond) {
  TLogCapture Capture;
  int Swaps = 0;
  gLog->SwapBuffers = [&] { ++Swaps; };
  gLog->LoadingScreen = true;
  for (int i = 0; i < 50; ++i) gLog->DrawLoadingIndicator();
  gLog->LoadingScreen = false;
  EXPECT_EQ(Swaps, 1);
}
