// New games and rounds on the game's data set: single player with four computer nations over
// 100 rounds and its determinism, the hot-seat set-up, rotation, turn timer and endings, and
// the single-player endings.
#include <gtest/gtest.h>

#include <cmath>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "gui/list_box.h"
#include "play_fixture.h"
#include "world/battle.h"

namespace {

std::string PlayHundredRounds(TGame& G) {
  G.SelectedNation = 2;
  G.StartNewGame(0);
  for (int Round = 0; Round < 100 && G.State == gsEarthView; ++Round) G.NextRound();
  return "turn " + std::to_string(gCurrentTurn) + "\n" + PlayTest::WorldText();
}

}  // namespace

TEST_F(PlayTest, ASinglePlayerGamePlaysAHundredRoundsAndTheSameSeedGivesTheSameWorld) {
  const std::string First = PlayHundredRounds(*Game);
  EXPECT_EQ(gCurrentTurn, 100);
  EXPECT_FALSE(gNations[2]->AIControlled);
  for (std::size_t i : {0u, 1u, 3u, 4u}) EXPECT_TRUE(gNations[i]->AIControlled);
  // The computer nations played: somebody built, recruited or conquered.
  std::size_t Units = 0;
  for (auto& N : gNations) Units += N->Units.size();
  EXPECT_GT(Units, 0u);
  StartWorld(1);
  EXPECT_EQ(PlayHundredRounds(*Game), First);
}

TEST_F(PlayTest, HotSeatStartsWithTheFirstHumanOnTheChosenNationsGlobeAndChecksTheTurnTime) {
  const std::vector<std::string> Humans13 = {"ai_normal", "human", "ai_hard", "human", "ai_veryhard"};
  // Text that is no whole number, or a turn whose seconds the turn timer cannot count, is a
  // wrong value; a whole number below one minute, negative ones of any length included, is too
  // short.
  const std::pair<const char*, const char*> Refused[] = {
      {"abc", "szWarningHotSeatTurnWrongValue"},      {"35791395", "szWarningHotSeatTurnWrongValue"},
      {"99999999", "szWarningHotSeatTurnWrongValue"}, {"123456789012345678901234", "szWarningHotSeatTurnWrongValue"},
      {"", "szWarningHotSeatTurnWrongValue"},         {"-", "szWarningHotSeatTurnWrongValue"},
      {"1.5", "szWarningHotSeatTurnWrongValue"},      {"0", "szWarningHotSeatTurnToShort"},
      {"-1", "szWarningHotSeatTurnToShort"},          {"-3", "szWarningHotSeatTurnToShort"},
      {"-123456789012345678901234", "szWarningHotSeatTurnToShort"}};
  for (const auto& [Bad, Key] : Refused) {
    StartHotSeat(Humans13, Bad);
    EXPECT_FALSE(Game->GameRunning) << Bad;
    EXPECT_TRUE(gMainMenuGUI->GetWindow("messagedlg_ext")->Visible) << Bad;
    EXPECT_EQ(MessageText(gMainMenuGUI.get()), Localize(Key)) << Bad;
    gMainMenuGUI->GetWindow("messagedlg_ext")->Visible = false;
  }
  StartHotSeat({"ai_normal", "ai_hard", "ai_normal", "ai_hard", "ai_normal"});
  EXPECT_FALSE(Game->GameRunning);
  // Any whole number of minutes from one on: longer than a day, up to the timer's largest count.
  for (const auto& [Minutes, Seconds] : {std::pair{"2000", 120000}, std::pair{"0035791394", 2147483640}}) {
    StartHotSeat(Humans13, Minutes);
    ASSERT_TRUE(Game->GameRunning) << Minutes;
    EXPECT_EQ(Game->RoundTimeLeft, Seconds);
    EXPECT_EQ(Game->DefaultRoundTime, Seconds);
    Game->GameRunning = false;
  }

  Game->SelectedNation = 4;
  StartHotSeat(Humans13, "3");
  ASSERT_TRUE(Game->GameRunning);
  EXPECT_EQ(Game->State, gsEarthView);
  EXPECT_EQ(gPlayerNation, 1);
  EXPECT_EQ(Game->CurrentPlayer, 1);
  EXPECT_EQ(Game->RoundTimeLeft, 180);
  EXPECT_TRUE(Game->RoundTimer.Enabled());
  // The globe starts as the nation last chosen on the nation-selection screen shows it, not as
  // the first player's; the players' own views take over at the hand-overs.
  ASSERT_NE(gNations[4]->GlobeRotationY, gNations[1]->GlobeRotationY);
  EXPECT_FLOAT_EQ(Game->Earth->RotationX, gNations[4]->GlobeRotationX);
  EXPECT_FLOAT_EQ(Game->Earth->RotationY, gNations[4]->GlobeRotationY);
  EXPECT_FLOAT_EQ(gNations[1]->LastGlobeRotationY, gNations[1]->GlobeRotationY);
  EXPECT_EQ(gNations[1]->PlayerName, "P1");
  EXPECT_EQ(gAIControllers[2]->Difficulty, 1);
  EXPECT_EQ(gAIControllers[4]->Difficulty, 2);
  EXPECT_TRUE(gNations[0]->AIControlled && !gNations[1]->AIControlled && !gNations[3]->AIControlled);
}

TEST_F(PlayTest, TheMarketWindowShowsTheOffersTheMarketsRoundLeaves) {
  Game->SelectedNation = 0;
  Game->StartNewGame(0);
  for (int Round = 0; Round < 3; ++Round) {
    View->Calls.clear();
    View->MarketShown.clear();
    Game->NextRound();
    ASSERT_FALSE(View->Calls.empty());
    EXPECT_EQ(View->Calls.back(), "transfermarket");
    EXPECT_EQ(View->MarketShown, TRecordingView::MarketOffers());
    EXPECT_FALSE(View->MarketShown.empty());
  }
}

TEST_F(PlayTest, HotSeatStartResourcesFollowTheChosenRow) {
  const std::vector<std::string> Controllers = {"human", "human", "human", "human", "human"};
  const std::vector<std::string> Rows = {"res_zero", "res_50", "res_150", "res_200", "res_100"};
  for (std::size_t i = 0; i < 5; ++i) SetDropDown(*gMainMenuGUI, "hotseat_ressources_nation" + std::to_string(i), Rows[i]);
  StartHotSeat(Controllers);
  for (std::size_t i = 0; i < 5; ++i) {
    const double Income = gNations[i]->GetValue("ressourcesincoming");
    const double Factor[5] = {0.0, 0.5, 1.5, 2.0, -1.0};
    const double Expected = i == 0 ? 0.0 : i == 4 ? Income * 5.0 : std::nearbyint(Income * Factor[i]) * 5.0;
    EXPECT_FLOAT_EQ(gNations[i]->Ressources, static_cast<float>(Expected)) << Rows[i] << " income " << Income;
  }
}

TEST_F(PlayTest, HotSeatHandsOverInNationOrderAndRunsTheWorldRoundAfterTheLastHuman) {
  StartHotSeat({"ai_normal", "human", "ai_normal", "human", "ai_normal"});
  gNations[3]->Messages.Add("News for the third nation", "", -1, 0);
  Game->NextRound();
  EXPECT_EQ(Game->NextPlayerSearch, 3);
  // The news list waits with the incoming player's own news.
  bool Shown = false;
  for (auto& Item : gInGameGUI->GetWindow("infocenter")->Items)
    if (auto* List = dynamic_cast<TGLListBox*>(Item.get()))
      for (const TListItem& Row : List->Items) Shown |= Row.Caption == "News for the third nation";
  EXPECT_TRUE(Shown);
  EXPECT_EQ(gCurrentTurn, 0);
  EXPECT_EQ(Game->OverlayDirection, -1);
  // The new turn's clock runs from the hand-over, behind the veil too; it waits while a battle
  // runs.
  EXPECT_EQ(Game->RoundTimeLeft, 180);
  Game->RoundTimerTick();
  EXPECT_EQ(Game->RoundTimeLeft, 179);
  gPlayerNation = 3;  // the overlay switches the player
  Game->OverlayDirection = 1;
  Game->RoundTimeLeft = 1;
  gBattle->Running = true;
  Game->RoundTimerTick();
  EXPECT_EQ(Game->RoundTimeLeft, 1);
  gBattle->Running = false;
  Game->RoundTimerTick();  // the last second runs out: the turn ends
  EXPECT_EQ(gCurrentTurn, 1);
  EXPECT_EQ(Game->NextPlayerSearch, 1);
  EXPECT_EQ(Game->RoundTimeLeft, 180);
  // The world round's news are the next player's: they wait for the veil to hide the screen.
  EXPECT_FALSE(gInGameGUI->GetWindow("infocenter")->Visible);
  EXPECT_TRUE(Game->NewsAtHandOver);

  // Every human loses the last region in the world round: the game ends at once.
  gPlayerNation = 3;
  HandOver(1, 0);
  HandOver(3, 0);
  Game->NextRound();
  FinishFade();
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_FALSE(Game->GameRunning);
  EXPECT_FALSE(Game->RoundTimer.Enabled());
  EXPECT_EQ(Game->EndGameText, Localize("szStrHotSeatEndGameAIWin"));
  Game->RoundTimeLeft = 1;
  Game->RoundTimerTick();  // nothing runs after the end
  EXPECT_EQ(Game->RoundTimeLeft, 1);
}

TEST_F(PlayTest, AHumanAloneOnTheGlobeWinsTheHotSeatGame) {
  StartHotSeat({"human", "ai_normal", "human", "ai_normal", "ai_normal"});
  for (std::uint8_t n : {1, 2, 3, 4}) HandOver(n, 0);
  Game->NextRound();
  FinishFade();
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_NE(Game->EndGameText.find("P0"), std::string::npos) << Game->EndGameText;
}

TEST_F(PlayTest, AnEndedGameFadesToTheEndScreenAndALateNextRoundNeitherEndsItAgainNorScoresTwice) {
  TTempFolder Scores;
  gHighScoreList = std::make_unique<THighScoreList>(Scores.Path());
  Game->SelectedNation = 0;
  Game->StartNewGame(0);
  FinishFade();
  for (std::uint8_t n : {1, 2, 3, 4}) HandOver(n, 0);
  gNations[0]->PlayerName = "Ada";
  gNations[0]->Score = 5000;  // enough for the list
  auto Entries = [] {
    return std::count_if(gHighScoreList->Entries.begin(), gHighScoreList->Entries.end(),
                         [](const auto& E) { return E.PlayerName == "Ada"; });
  };
  ASSERT_TRUE(PointAt(*gInGameGUI, "nextround"));
  Game->Click();
  EXPECT_EQ(Entries(), 1);
  // The globe fades out; "next round" pressed again meanwhile does nothing.
  EXPECT_EQ(Game->State, gsEarthView);
  EXPECT_TRUE(Game->FadingOut());
  const std::int32_t Score = gNations[0]->Score;
  Frames(2);
  ASSERT_TRUE(PointAt(*gInGameGUI, "nextround"));
  Game->Click();
  FinishFade();
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(gNations[0]->Score, Score);
  // Nor does a round asked for once the game is over.
  Game->NextRound();
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_FALSE(Game->FadingOut());
  gHighScoreList.reset();
}

TEST_F(PlayTest, SinglePlayerDefeatAndVictoryEndTheRoundBeforeItsCounterMovesOn) {
  Game->SelectedNation = 0;
  Game->StartNewGame(0);
  HandOver(0, 1);
  Game->NextRound();
  FinishFade();
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_EQ(gCurrentTurn, 0);

  StartWorld(1);
  Game->SelectedNation = 0;
  Game->StartNewGame(0);
  for (std::uint8_t n : {1, 2, 3, 4}) HandOver(n, 0);
  const std::int32_t Score = gNations[0]->Score;
  Game->NextRound();
  FinishFade();
  EXPECT_EQ(Game->State, gsEndGame);
  EXPECT_GT(gNations[0]->Score, Score);  // "GameWon"
  EXPECT_EQ(gCurrentTurn, 0);
}

TEST_F(PlayTest, NationsDyingInOneRoundShareOneMessageAndTheNewsOpen) {
  Game->SelectedNation = 0;
  Game->StartNewGame(0);
  HandOver(2, 0);
  HandOver(4, 0);
  Game->NextRound();
  EXPECT_TRUE(gNations[2]->Dead && gNations[4]->Dead);
  EXPECT_FALSE(gNations[1]->Dead);
  const std::string Text = MessageText();
  EXPECT_NE(Text.find(gNations[2]->GetName() + " " + Localize("szStrAnd") + " " + gNations[4]->GetName()),
            std::string::npos)
      << Text;
  EXPECT_TRUE(gInGameGUI->GetWindow("infocenter")->Visible);
  EXPECT_EQ(std::count(View->Calls.begin(), View->Calls.end(), "regionmap"), 2);  // new game and round
  // The quick chart ranks the regions ascending; the dead share the bottom in nation order.
  EXPECT_EQ(Game->QuickChart[0][0][0], 2);
  EXPECT_EQ(Game->QuickChart[0][0][1], 4);
  EXPECT_EQ(Game->QuickChart[0][0][4], 0);
}

