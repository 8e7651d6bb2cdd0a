// The world's round order as the game and the soak play it, on the fixture world with the five
// computer opponents.
#include <gtest/gtest.h>

#include "ai/ai_fixture.h"
#include "platform/random.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world_round.h"

namespace {

using WorldRound = TAITest;

// A nation that lost its last region while it had staff, an army and orders: it dies in that
// round and loses score, but keeps all it owns. Its army stays where it stood, in a region of
// another nation; the queue delivers, and it pays wages and upkeep without income, into debt,
// with no score for surviving. The others play on around its army.
TEST_F(WorldRound, ADeadNationKeepsItsArmyAndStaffAndPaysForThem) {
  TNation& N = Nation(4);
  for (auto& R : gRegions)
    if (R->Owner == 4) R->Owner = 3;
  TScientist Scientist;
  Scientist.Wage = 20;
  N.AddScientist(Scientist);
  TGeneral General;
  General.Wage = 30;
  N.AddGeneral(General);
  TSpy Spy;
  Spy.Wage = 10;
  N.AddSpy(Spy);
  TDivision* Last = N.AddDivision("Last stand", 0);
  for (int i = 0; i < 3; ++i) AddUnit(4, "INF_HEAVY", Last);
  N.AssignGeneral(*N.Generals[0], *Last);
  N.Ressources = 5000.0f;
  ASSERT_TRUE(N.AddToBuildQueueByIndex(TypeIndex("INF_LIGHT")));
  N.Ressources = 100.0f;
  N.Score = 200;

  SetRandomSeed(9);
  PlayWorldRound();
  ASSERT_TRUE(N.Dead);
  EXPECT_EQ(N.Score, 174);  // alive in its round step (+5), then "GameLost" takes 15 percent
  EXPECT_EQ(N.Scientists.size(), 1u);
  EXPECT_EQ(N.Generals.size(), 1u);
  EXPECT_EQ(N.Spies.size(), 1u);
  ASSERT_EQ(N.Divisions.size(), 1u);
  EXPECT_EQ(N.Divisions[0].get(), Last);
  EXPECT_EQ(Last->Region, 0);
  EXPECT_EQ(Last->General, N.Generals[0].get());
  EXPECT_EQ(N.Units.size(), 3u);
  EXPECT_EQ(N.BuildQueueTypes.size(), 1u);  // the light infantry comes next round
  PlayWorldRound();
  EXPECT_EQ(N.Units.size(), 4u);
  EXPECT_TRUE(N.BuildQueueTypes.empty());
  for (int Round = 0; Round < 40; ++Round) {
    const double Before = N.Ressources;
    PlayWorldRound();
    ASSERT_FLOAT_EQ(N.Ressources, static_cast<float>(Before - 60.0 - N.GetValue("militarymaintenance"))) << "round " << Round;
  }
  EXPECT_LT(N.Ressources, 0.0f);
  EXPECT_EQ(N.Score, 174);  // no "TurnSurvived" for the dead
  EXPECT_EQ(N.Units.size(), 4u);
  EXPECT_EQ(Last->Region, 0);
  for (int i = 0; i < 4; ++i) {
    if (Nation(i).GetValue("numregions") > 0.0f) {
      EXPECT_FALSE(Nation(i).Dead) << i;
    }
  }
}

}  // namespace
