#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "platform/errors.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "world/high_score_list.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {
class HighScores : public ::testing::Test {
protected:
  TTempFolder Folder;
  TTempFolder UserData;
  TLogCapture Log;

  void SetUp() override {
    // The user's configuration folder (the fallback for a read-only program folder) lies in a test folder.
    setenv("XDG_CONFIG_HOME", UserData.Path().c_str(), 1);
    gLocalization.Clear();
    gLocalization.LanguageCodes = {"ger", "eng"};
    gLocalization.AddKey("szStrHighScoreDefaultName", "Unbekannt", "Nobody");
    gLocalization.LanguageIndex = 1;
  }
  void TearDown() override {
    gLocalization.Clear();
    unsetenv("XDG_CONFIG_HOME");
  }
  std::filesystem::path File() const { return Folder.Path() / "highscore.xml"; }
  static std::vector<std::int32_t> Scores(const THighScoreList& L) {
    std::vector<std::int32_t> S;
    for (const auto& E : L.Entries) S.push_back(E.Score);
    return S;
  }
};
}  // namespace

TEST_F(HighScores, AMissingFileGivesTheDefaultListWrittenAtOnce) {
  THighScoreList List(Folder.Path());
  ASSERT_EQ(List.Entries.size(), 5u);
  EXPECT_EQ(Scores(List), (std::vector<std::int32_t>{50, 40, 30, 20, 10}));
  for (std::int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(List.Entries[i].PlayerName, "Nobody");
    EXPECT_EQ(List.Entries[i].PlayerNation, i);
    EXPECT_EQ(List.Entries[i].TotalTurns, 5);
  }
  EXPECT_EQ(List.LastIndex, -1);
  EXPECT_EQ(ReadTestFile(File()),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
            "<highscorelist>\n"
            "  <entry playername=\"Nobody\" playernation=\"0\" totalturns=\"5\" score=\"50\" />\n"
            "  <entry playername=\"Nobody\" playernation=\"1\" totalturns=\"5\" score=\"40\" />\n"
            "  <entry playername=\"Nobody\" playernation=\"2\" totalturns=\"5\" score=\"30\" />\n"
            "  <entry playername=\"Nobody\" playernation=\"3\" totalturns=\"5\" score=\"20\" />\n"
            "  <entry playername=\"Nobody\" playernation=\"4\" totalturns=\"5\" score=\"10\" />\n"
            "</highscorelist>\n");
}

TEST_F(HighScores, AScoreGoesBelowEqualOnesAndPushesTheLastOut) {
  THighScoreList List(Folder.Path());
  List.AddScore({"Ada", 3, 42, 35});
  EXPECT_EQ(List.LastIndex, 2);
  EXPECT_EQ(Scores(List), (std::vector<std::int32_t>{50, 40, 35, 30, 20}));
  EXPECT_EQ(List.Entries[2].PlayerName, "Ada");
  EXPECT_EQ(List.Entries[2].PlayerNation, 3);
  EXPECT_EQ(List.Entries[2].TotalTurns, 42);
  EXPECT_EQ(List.Entries[3].PlayerNation, 2);
  // A new entry reaches the disk at once.
  EXPECT_NE(ReadTestFile(File()).find("playername=\"Ada\" playernation=\"3\" totalturns=\"42\" score=\"35\""),
            std::string::npos);
  List.AddScore({"Bo", 1, 9, 40});  // ties stay above
  EXPECT_EQ(List.LastIndex, 2);
  EXPECT_EQ(List.Entries[1].PlayerName, "Nobody");
  EXPECT_EQ(List.Entries[2].PlayerName, "Bo");
  List.AddScore({"Cy", 1, 9, 20});  // not above any entry
  EXPECT_EQ(List.LastIndex, -1);
  EXPECT_EQ(Scores(List), (std::vector<std::int32_t>{50, 40, 40, 35, 30}));
  List.AddScore({"Di", 4, 9, 31});  // replaces the last
  EXPECT_EQ(List.LastIndex, 4);
  EXPECT_EQ(Scores(List), (std::vector<std::int32_t>{50, 40, 40, 35, 31}));
}

TEST_F(HighScores, ThePlayersResultAndAListOfSevenKeepsSeven) {
  std::string Text = "<?xml version=\"1.0\"?><list>";
  for (int i = 0; i < 7; ++i)
    Text += "<row playername=\"P" + std::to_string(i) + "\" playernation=\"1\" totalturns=\"3\" score=\"" +
            std::to_string(70 - 10 * i) + "\"/>";
  Folder.Write("highscore.xml", Text + "</list>");
  THighScoreList List(Folder.Path());
  ASSERT_EQ(List.Entries.size(), 7u);
  gNations[4] = std::make_unique<TNation>();
  gNations[4]->PlayerName = "Eve";
  gNations[4]->Score = 45;
  gPlayerNation = 4;
  gCurrentTurn = 17;
  List.AddScore();
  gNations[4].reset();
  gPlayerNation = 0;
  gCurrentTurn = 0;
  EXPECT_EQ(List.Entries.size(), 7u);
  EXPECT_EQ(List.LastIndex, 3);
  EXPECT_EQ(List.Entries[3].PlayerName, "Eve");
  EXPECT_EQ(List.Entries[3].TotalTurns, 17);
  EXPECT_EQ(List.Entries[6].PlayerName, "P5");
}

TEST_F(HighScores, ABrokenFileIsKeptAsideAndTheDefaultsAreUsed) {
  for (const std::string& Broken :
       {std::string("<highscorelist><entry playername=\"x\" playernation=\"1\""),
        std::string("<highscorelist><entry playername=\"x\" playernation=\"9\" totalturns=\"1\" score=\"1\"/></highscorelist>"),
        std::string("<highscorelist><entry playername=\"x\" playernation=\"1\" score=\"1\"/></highscorelist>")}) {
    Folder.Write("highscore.xml", Broken);
    {
      THighScoreList List(Folder.Path());
      EXPECT_EQ(Scores(List), (std::vector<std::int32_t>{50, 40, 30, 20, 10}));
    }
    EXPECT_EQ(ReadTestFile(Folder.Path() / "highscore.xml.broken"), Broken);
    ASSERT_FALSE(Log.Lines().empty());
    EXPECT_EQ(Log.Lines().back().rfind("THighScoreList->Create->", 0), 0u) << Log.Lines().back();
    EXPECT_NE(Log.Lines().back().find("the default high scores are used"), std::string::npos);
    EXPECT_NE(ReadTestFile(File()).find("score=\"50\""), std::string::npos);
  }
}

TEST_F(HighScores, DestroySavesAndAnUnwritableFolderSendsTheListToTheUsersConfigFolder) {
  {
    THighScoreList List(Folder.Path());
    List.Entries[4].Score = 12;
  }
  EXPECT_NE(ReadTestFile(File()).find("score=\"12\""), std::string::npos);
  // A program folder the list cannot be written into (here: one that does not exist, which
  // fails for every user).
  const std::filesystem::path Missing = Folder.Path() / "missing";
  {
    THighScoreList List(Missing);
    EXPECT_NE(List.Folder(), Missing);
    List.AddScore({"Ada", 0, 3, 99});
  }
  EXPECT_FALSE(std::filesystem::exists(Missing));
  bool Logged = false;
  for (const std::string& Line : Log.Lines())
    Logged = Logged || Line.rfind("THighScoreList->SaveToFile->Cannot write \"", 0) == 0;
  EXPECT_TRUE(Logged);
  // The next start finds the list where it went.
  THighScoreList Again(Missing);
  EXPECT_EQ(Again.Entries[0].PlayerName, "Ada");
}

TEST_F(HighScores, AListFromMemoryReadsAsTheFileAndNeverTouchesTheDisk) {
  const std::string Text = "<highscorelist><entry playername=\"Ada\" playernation=\"3\" totalturns=\"42\" score=\"35\"/>"
                           "<entry playername=\"Bo\" playernation=\"1\" totalturns=\"9\" score=\"20\"/></highscorelist>";
  Folder.Write("highscore.xml", Text);
  const THighScoreList FromFile(Folder.Path());
  {
    THighScoreList List(Text, "highscore.xml");
    EXPECT_EQ(Scores(List), Scores(FromFile));
    EXPECT_EQ(List.Entries[0].PlayerName, "Ada");
    EXPECT_EQ(List.SaveToString(), FromFile.SaveToString());
    List.AddScore({"Cy", 0, 5, 99});
    EXPECT_EQ(List.LastIndex, 0);
    const THighScoreList Again(List.SaveToString(), "highscore.xml");
    EXPECT_EQ(Again.Entries[0].PlayerName, "Cy");
  }
  // A broken text is logged with the file's name and gives the defaults.
  const THighScoreList Broken("<highscorelist><entry playernation=\"9\"", "highscore.xml");
  EXPECT_EQ(Scores(Broken), (std::vector<std::int32_t>{50, 40, 30, 20, 10}));
  ASSERT_FALSE(Log.Lines().empty());
  EXPECT_NE(Log.Lines().back().find("highscore.xml"), std::string::npos) << Log.Lines().back();
  // Nothing but the list read from the folder was written: no new entry, no file in the working folder.
  EXPECT_EQ(ReadTestFile(File()).find("Cy"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("highscore.xml.broken"));
}
