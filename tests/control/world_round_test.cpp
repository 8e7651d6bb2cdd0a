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

// A nation that lost its last region while it still had staff, an army and orders: it dies in
// that round, what it owns is disbanded, and its treasury stands still from then on.
TEST_F(WorldRound, ANationThatLostItsLastRegionPaysNothingMore) {
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
  N.Ressources = 5000.0f;
  ASSERT_TRUE(N.AddToBuildQueueByIndex(TypeIndex("INF_LIGHT")));

  SetRandomSeed(9);
  PlayWorldRound();
  ASSERT_TRUE(N.Dead);
  EXPECT_TRUE(N.Scientists.empty() && N.Generals.empty() && N.Spies.empty());
  EXPECT_TRUE(N.Units.empty() && N.Divisions.empty() && N.BuildQueueTypes.empty());
  const float Treasury = N.Ressources;
  const std::int32_t Score = N.Score;
  for (int Round = 0; Round < 40; ++Round) {
    PlayWorldRound();
    ASSERT_EQ(N.Ressources, Treasury) << "round " << Round;
  }
  EXPECT_EQ(N.Score, Score);
  EXPECT_TRUE(N.Units.empty());
  // The others play on.
  for (int i = 0; i < 4; ++i) {
    if (Nation(i).GetValue("numregions") > 0.0f) {
      EXPECT_FALSE(Nation(i).Dead) << i;
    }
  }
}

}  // namespace
