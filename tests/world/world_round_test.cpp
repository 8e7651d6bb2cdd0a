#include <gtest/gtest.h>

#include <cstdio>

#include "platform/platform_globals.h"
#include "rules_fixture.h"
#include "world/unit_type.h"
#include "world_round.h"

namespace {
using WorldRounds = TRulesTest;

struct TSnapshot {
  float Population[2], Loyality[2], Pollution[2], Ressources[2];
  float Treasury[2];
  std::int32_t Score[2];
  float Researched[2];
  std::uint32_t Seed;
};

// Sets up a small running game on the fixture data and plays 20 rounds.
TSnapshot PlayTwentyRounds(TRulesTest& T, std::uint32_t Seed) {
  SetRandomSeed(Seed);
  gCurrentTurn = 0;
  gTransferMarket->Regenerate(15, 15, 15);
  auto Build = [](int Region, int Row, int Column, const char* ID) {
    gRegions[static_cast<std::size_t>(Region)]->Buildings[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Column)].Type =
        gBuildingTypePool->FindByID(ID);
  };
  Build(0, 0, 0, "building_powerplant");
  Build(0, 0, 1, "building_greenhouse");
  Build(0, 0, 2, "building_research");
  Build(1, 0, 0, "building_greenhouse");  // no power: Lakeland's values fail
  Build(2, 0, 0, "building_powerplant");
  Build(2, 1, 0, "building_bunker");
  TBuilding& Site = gRegions[2]->Buildings[1][1];
  Site.FinishType = gBuildingTypePool->FindByID("building_greenhouse");
  Site.FinishTime = 3;

  TNation& A = *gNations[0];
  TNation& B = *gNations[1];
  A.Ressources = 500.0f;
  B.Ressources = 300.0f;
  // Hiring as the market window does: the first offers, paid at once.
  for (int i = 0; i < 3; ++i) {
    A.AddScientist(*gTransferMarket->Scientists[0]);
    A.Ressources -= static_cast<float>(gTransferMarket->Scientists[0]->Cost);
    gTransferMarket->RemoveScientist(0);
  }
  B.AddScientist(*gTransferMarket->Scientists[0]);
  B.Ressources -= static_cast<float>(gTransferMarket->Scientists[0]->Cost);
  gTransferMarket->RemoveScientist(0);
  B.AddGeneral(*gTransferMarket->Generals[0]);
  gTransferMarket->RemoveGeneral(0);
  B.AddSpy(*gTransferMarket->Spies[0]);
  gTransferMarket->RemoveSpy(0);

  A.AddToBuildQueue(*gUnitTypePool->FindByID("INF_LIGHT"));
  A.AddToBuildQueue(*gUnitTypePool->FindByID("INF_HEAVY"));
  B.AddToBuildQueue(*gUnitTypePool->FindByID("AIR_FIGHTER"));
  A.TechnologyTree.Current = A.TechnologyTree.FindByName("tech_basics");
  A.TechnologyTree.Current->RemainingPoints = 6.0f;
  B.TechnologyTree.Current = B.TechnologyTree.FindByName("tech_armour");
  B.TechnologyTree.Current->RemainingPoints = 1.0f;

  for (int Round = 0; Round < 20; ++Round) {
    RunWorldRound();
    // Research goes on with the next technology, as a player would start it.
    for (TNation* N : {&A, &B})
      if (!N->TechnologyTree.Current)
        for (auto& Tech : N->TechnologyTree.Technologies)
          if (!Tech->Researched) {
            Tech->RemainingPoints = 3.0f;
            N->TechnologyTree.Current = Tech.get();
            break;
          }
  }
  (void)T;

  TSnapshot S{};
  const int Regions[2] = {0, 2};
  for (int i = 0; i < 2; ++i) {
    const TRegion& R = *gRegions[static_cast<std::size_t>(Regions[i])];
    S.Population[i] = R.Population;
    S.Loyality[i] = R.Loyality;
    S.Pollution[i] = R.Pollution;
    S.Ressources[i] = R.Ressources;
    const TNation& N = *gNations[static_cast<std::size_t>(i)];
    S.Treasury[i] = N.Ressources;
    S.Score[i] = N.Score;
    S.Researched[i] = N.GetValue("researchprogress");
  }
  S.Seed = gRandomSeed;
  return S;
}
}  // namespace

TEST_F(WorldRounds, TwentySeededRoundsGivePinnedValues) {
  const TSnapshot S = PlayTwentyRounds(*this, 2026);
  EXPECT_EQ(gCurrentTurn, 20);
  // Northmark (region 0) and Westfels (region 2).
  EXPECT_FLOAT_EQ(S.Population[0], 1.19999969f);
  EXPECT_FLOAT_EQ(S.Loyality[0], 0.5f);
  EXPECT_FLOAT_EQ(S.Pollution[0], 0.332499951f);
  EXPECT_FLOAT_EQ(S.Ressources[0], 2.39999938f);
  EXPECT_FLOAT_EQ(S.Population[1], 1.35999966f);
  EXPECT_FLOAT_EQ(S.Loyality[1], 0.699999988f);
  EXPECT_FLOAT_EQ(S.Pollution[1], 0.372749984f);
  EXPECT_FLOAT_EQ(S.Ressources[1], 3.8079989f);
  // Nations 0 and 1: the hired offers' prices, wages and skills come from the seeded market.
  EXPECT_FLOAT_EQ(S.Treasury[0], 9.49993134f);
  EXPECT_FLOAT_EQ(S.Treasury[1], 129.759888f);
  EXPECT_EQ(S.Score[0], 120);
  EXPECT_EQ(S.Score[1], 110);
  EXPECT_EQ(S.Researched[0], 2.0f);
  EXPECT_EQ(S.Researched[1], 1.0f);
  // Every draw of the 45 offers and of 20 market rounds, no more and no fewer.
  EXPECT_EQ(S.Seed, 3047367719u);
}
