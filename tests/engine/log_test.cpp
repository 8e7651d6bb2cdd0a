#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "engine/perf_timer.h"
#include "support/environment_swap.h"
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

TEST(Log, TextIsWrittenAsGivenWithoutEscaping) {
  TTempFolder T;
  auto L = MakeLog(T);
  L->AddLine("0:12(3): error: unexpected '<' & \"more\" > less");
  L->AddColoredLine("<b>", 255, TLogStyle::Italic);
  EXPECT_EQ(L->HTMLLines[3], "<code><font color=#000000>09:05:01 - 0:12(3): error: unexpected '<' & \"more\" > less<br></code>");
  EXPECT_EQ(L->HTMLLines[4], "<code><font color=#FF0000>09:05:01 - <i><b></i><br></code>");
  EXPECT_EQ(L->Entries()[1], "<b>");
  EXPECT_NE(ReadTestFile(T.Path() / "log.html").find("unexpected '<' & \"more\""), std::string::npos);
}

// The time of day in the user's long time format: the C locale's is "13:05:09"; a locale with a
// 12-hour clock adds AM or PM. That locale is compiled for the test from the system's locale
// sources (the "locales" package) into a folder of its own.
TEST(Log, TheTimeIsWrittenInTheUsersLongTimeFormat) {
  TTempFolder T;
  const TEnvironmentSwap All("LC_ALL", nullptr);
  {
    const TEnvironmentSwap CTime("LC_TIME", "C");
    TLog L(T.Path());
    L.AddLine("plain");
    const std::string& Line = L.HTMLLines[3];
    ASSERT_GE(Line.size(), 37u) << Line;
    const std::string Time = Line.substr(26, 8);
    EXPECT_TRUE(Time[2] == ':' && Time[5] == ':' && Line.substr(34, 3) == " - ") << Line;
  }
  const std::filesystem::path Source = "/usr/share/i18n/locales/en_US";
  if (!std::filesystem::exists(Source) || std::system("command -v localedef >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no locale sources to build a 12-hour locale from";
  T.Write("twelve_hours", "LC_TIME\ncopy \"en_US\"\nEND LC_TIME\n");
  std::filesystem::create_directories(T.Path() / "locales");
  const std::string Build = "localedef -c -i " + (T.Path() / "twelve_hours").string() + " -f UTF-8 " +
                            (T.Path() / "locales" / "xx_XX.UTF-8").string() + " >/dev/null 2>&1";
  std::system(Build.c_str());  // -c: the other categories are missing, which localedef reports
  if (!std::filesystem::exists(T.Path() / "locales" / "xx_XX.UTF-8" / "LC_TIME")) GTEST_SKIP() << "localedef made nothing";
  const TEnvironmentSwap Path("LOCPATH", (T.Path() / "locales").c_str());
  const TEnvironmentSwap Time("LC_TIME", "xx_XX.UTF-8");
  TLog L(T.Path());
  L.AddLine("twelve");
  const std::string& Line = L.HTMLLines[3];
  const std::size_t Dash = Line.find(" - twelve");
  ASSERT_NE(Dash, std::string::npos) << Line;
  const std::string Suffix = Line.substr(Dash - 2, 2);
  EXPECT_TRUE(Suffix == "AM" || Suffix == "PM") << Line;
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

TEST(Log, EveryCallRedrawsTheLoadingScreenOneStepOfThePulseFurther) {
  TLogCapture Capture;
  int Swaps = 0;
  gLog->SwapBuffers = [&] { ++Swaps; };
  gLog->LoadingScreen = true;
  gLog->Progress = 0.0f;
  for (int i = 0; i < 5; ++i) gLog->DrawLoadingIndicator();
  EXPECT_EQ(Swaps, 5);
  EXPECT_NEAR(gLog->Progress, 0.5f, 1e-5);
  // Lines and progress messages alike, however quickly they follow each other.
  gLog->AddLine("a line");
  LogProgress("only the pulse", false);
  LogProgress("a logged message", true);
  EXPECT_EQ(Swaps, 8);
  EXPECT_NEAR(gLog->Progress, 0.8f, 1e-5);
  // The pulse rises over ten calls and falls over ten: the twentieth step passes 2.0 by the
  // float's rounding and starts it again.
  for (int i = 0; i < 11; ++i) gLog->DrawLoadingIndicator();
  EXPECT_NEAR(gLog->Progress, 1.9f, 1e-5);
  gLog->DrawLoadingIndicator();
  EXPECT_EQ(gLog->Progress, 0.0f);
  EXPECT_EQ(Swaps, 20);
  gLog->LoadingScreen = false;
}
