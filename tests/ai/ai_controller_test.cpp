// The controller: personality kinds and difficulty, the round header and the HTML log.
#include <filesystem>

#include "ai_fixture.h"
#include "platform/files.h"
#include "platform/platform_globals.h"
#include "platform/random.h"
#include "support/temp_folder.h"

namespace {

TEST_F(TAITest, RandomKindTakesOneDrawMappedMilitaryCivilBalanced) {
  const std::uint16_t Expected[3] = {1, 3, 2};
  int Seen[3] = {};
  for (std::uint32_t Seed = 1; Seed < 40; ++Seed) {
    SetRandomSeed(Seed);
    const std::int32_t Draw = Random(3);
    const std::uint32_t After = gRandomSeed;
    SetRandomSeed(Seed);
    Controller(1).SetPersonality(0);
    EXPECT_EQ(Controller(1).Kind, Expected[Draw]) << "seed " << Seed;
    EXPECT_EQ(gRandomSeed, After) << "exactly one draw";
    ++Seen[Draw];
  }
  EXPECT_GT(Seen[0] * Seen[1] * Seen[2], 0);
}

TEST_F(TAITest, WithoutPersonalityNothingIsAppliedAndTheRoundLogsAnError) {
  TAIController C;
  C.Nation = &Nation(0);
  C.SetPersonality(1);
  EXPECT_EQ(C.Kind, 0);
  C.Update();
  EXPECT_EQ(C.Log->PlainLines.back(), "TAIController.Update->ERROR : I have no personality assigned!");
  EXPECT_EQ(C.Log->Lines.back(),
            "<font color=#FF0000 class=\"line\">TAIController.Update->ERROR : I have no personality assigned!</font><br>");
}

TEST_F(TAITest, SavedKindOrDifficultyOutOfRangeIsCorrectedAndLogged) {
  TAIController& C = Controller(2);
  C.Difficulty = 9;
  SetRandomSeed(7);
  C.SetPersonality(42);
  EXPECT_EQ(C.Difficulty, 0);
  EXPECT_GE(C.Kind, 1);
  EXPECT_LE(C.Kind, 3);
  // Loading the same damaged values again gives no growing bonus.
  const float Aggressiveness = AI(2).Aggressiveness;
  C.Difficulty = 9;
  C.SetPersonality(C.Kind);
  EXPECT_EQ(AI(2).Aggressiveness, Aggressiveness);
  const auto Has = [&](const std::string& Part) {
    return std::any_of(Log.Lines().begin(), Log.Lines().end(),
                       [&](const std::string& L) { return L.find(Part) != std::string::npos; });
  };
  EXPECT_TRUE(Has("TAIController->SetPersonality->Nation 2: difficulty 9 is not valid, using 0"));
  EXPECT_TRUE(Has("TAIController->SetPersonality->Nation 2: personality 42 is not valid, choosing one at random"));
}

TEST_F(TAITest, LogLinesCarryColourAndKeepALeadingBlank) {
  TAILog& L = *Controller(0).Log;
  ASSERT_EQ(L.Lines.size(), 11u);  // the head and "TAIController created"
  EXPECT_EQ(L.Lines[0], "<head><style type=\"text/css\">");
  EXPECT_EQ(L.Lines[9], "</head><body><html>");
  EXPECT_EQ(L.Lines[10], "<font color=#000000 class=\"line\">TAIController created</font><br>");
  L.Add(" indented", AIColorHeading);
  L.Add("research", AIColorResearch);
  L.Add("built", AIColorConstruction);
  L.Add("other", 12345);
  L.Add("", AIColorGeneral);
  EXPECT_EQ(L.Lines[11], "<font color=#00792B class=\"line\">&nbsp; indented</font><br>");
  EXPECT_EQ(L.Lines[12], "<font color=#42A0FF class=\"line\">research</font><br>");
  EXPECT_EQ(L.Lines[13], "<font color=#0000FF class=\"line\">built</font><br>");
  EXPECT_EQ(L.Lines[14], "<font color= class=\"line\">other</font><br>");
  EXPECT_EQ(L.Lines[15], "<font color=#000000 class=\"line\"></font><br>");
  EXPECT_EQ(L.PlainLines.back(), "");
  EXPECT_EQ(L.PlainLines[1], " indented");
}

TEST_F(TAITest, WithoutLogAINothingIsRecordedOrWritten) {
  gSettings.LogAI = false;
  TTempFolder Out;
  TAIController C;
  C.Nation = &Nation(0);
  C.Personality = std::make_unique<TAIBasicPersonality>("basicAI", 0, C);
  C.SetPersonality(1);
  C.Update();
  EXPECT_TRUE(C.Log->Lines.empty());
  EXPECT_TRUE(C.Log->PlainLines.empty());
  SaveAIControllerLogs(Out.Path());
  EXPECT_FALSE(std::filesystem::exists(Out.Path() / "AI_0_log.html"));
}

TEST_F(TAITest, LogsAreWrittenPerNationWithLogAI) {
  TTempFolder Out;
  SaveAIControllerLogs(Out.Path());
  for (int i = 0; i < 5; ++i) {
    auto Text = ReadWholeFile(Out.Path() / ("AI_" + std::to_string(i) + "_log.html"));
    ASSERT_TRUE(Text) << i;
    EXPECT_EQ(Text->rfind("<head><style type=\"text/css\">\n", 0), 0u);
    EXPECT_NE(Text->find("TAIController created</font><br>\n"), std::string::npos);
  }
  EXPECT_EQ(Controller(3).LogFileName(), "AI_3_log.html");
}

TEST_F(TAITest, OneRoundOfATinyWorldGivesTheSameLog) {
  // Nation 1 owns one region between nation 0 and the rebels, with nothing built.
  for (int r = 0; r < 5; ++r) EmptySlots(r);
  Region(2).Owner = 1;
  Region(2).Population = 0.5f;
  Region(2).Loyality = 0.8f;
  Region(2).Pollution = 0.1f;
  Region(2).Energy = 0.5f;
  Nation(1).Ressources = 1000.0f;
  Controller(1).SetPersonality(3);
  gCurrentTurn = 3;
  SetRandomSeed(99);
  const std::size_t From = Plain(1).size();
  Controller(1).Update();
  const std::vector<std::string> Round(Plain(1).begin() + static_cast<long>(From), Plain(1).end());
  const std::vector<std::string> Expected = {
      "<a href=\"javascript:show('turn3')\">Show details for turn 3</a> [NumRegions=1 NumDivisions=0 Ressources=1000]",
      "<div id=\"turn3\" style=\"display:block; margin-left:5px;\">",
      "TAIBasicPersonality.Update",
      "DoCheckRegions",
      " I own no endangered regions to check.",
      " Starting with region Westfels",
      " Enemy region \"Northmark\" has expansion factor of 1 [0->0 ]",
      " Enemy region \"Redwood\" has expansion factor of 0 [6->]",
      "DoConstruction for Westfels",
      " Region \"Westfels\" has high risk factor",
      // Air defence starts without its technology; the shelter after it is paid for and waits.
      " Constructing \"Air defence\"",
      "  HINT : No suited ressources building found",
      "  HINT : No suited science building found",
      "  HINT : No suited max population raising building found",
      "DoArmyManagement",
      " Created empty division for region \"Westfels\"",
      " Added unit \"Fighter\" to queue",
      " Risk factors sorted by army : 2 ",
      "DoResearch",
      " Starting research on Basics",
      "</div>",
  };
  EXPECT_EQ(Round, Expected);
}

}  // namespace
