#include <gtest/gtest.h>

#include "platform/platform_globals.h"
#include "rules_fixture.h"
#include "world/unit_type.h"

namespace {
// A spy of nation 0, infiltrated into Westfels (region 2, nation 1).
class SpyActions : public TRulesTest {
protected:
  TSpy* Spy = nullptr;
  static constexpr int Target = 2;

  void SetUp() override {
    TRulesTest::SetUp();
    TSpy Offer;
    Offer.ResetBuildingData();
    Spy = Nation(0).AddSpy(Offer);
    Spy->Region = &Region(Target);
    Region(Target).Spy = Spy;
  }
  // The outcome of a chance test replayed from Seed: Random(N) <= Skill, else Random(2) != 0.
  static bool Replay(std::uint32_t Seed, std::int32_t N, float Skill, bool SecondChance) {
    SetRandomSeed(Seed);
    if (Random(N) <= Skill) return true;
    return SecondChance && Random(2) != 0;
  }
};
}  // namespace

TEST_F(SpyActions, InfiltrationHasASecondChance) {
  Spy->Withdraw();
  Spy->HasAction = true;
  gCurrentTurn = 7;
  int Caught = 0, In = 0;
  for (std::uint32_t Seed = 1; Seed <= 40; ++Seed) {
    Spy->Hiding = 0.0f;
    const bool Expected = Replay(Seed, 100, 0.0f, true);
    const std::uint32_t After = gRandomSeed;
    SetRandomSeed(Seed);
    Region(Target).Spy = nullptr;
    Spy->Region = nullptr;
    Spy->HasAction = true;
    ASSERT_EQ(Spy->Infiltrate(Region(Target)), Expected) << Seed;
    EXPECT_EQ(gRandomSeed, After);
    if (Expected) {
      ++In;
      EXPECT_EQ(Spy->Region, &Region(Target));
      EXPECT_EQ(Region(Target).Spy, Spy);
      EXPECT_EQ(Spy->RoundInfiltrated, 7);
      EXPECT_FALSE(Spy->HasAction);
    } else {
      ++Caught;
      EXPECT_EQ(Spy->Region, nullptr);
      EXPECT_TRUE(Spy->HasAction);
    }
  }
  EXPECT_GT(Caught, 0);
  EXPECT_GT(In, 0);

  // Hiding 99 passes with the first draw.
  Spy->Hiding = 99.0f;
  const std::uint32_t Seed = gRandomSeed;
  EXPECT_TRUE(Spy->Infiltrate(Region(1)));
  EXPECT_EQ(gRandomSeed, Seed * 134775813u + 1u);
  // Moving on leaves the old region without a spy.
  EXPECT_EQ(Region(1).Spy, Spy);
  EXPECT_EQ(Region(Target).Spy, nullptr);
}

TEST_F(SpyActions, BuildingReportSlotBySlot) {
  Build(Target, 0, 0, "building_bunker");
  Build(Target, 2, 1, "building_greenhouse");
  gCurrentTurn = 3;
  Spy->Espionage = 125.0f;  // every draw passes
  const std::uint32_t Seed = gRandomSeed;
  EXPECT_TRUE(Spy->ObtainBuildingData());
  // One test draw, then nine slot draws.
  std::uint32_t Expected = Seed;
  for (int i = 0; i < 10; ++i) Expected = Expected * 134775813u + 1u;
  EXPECT_EQ(gRandomSeed, Expected);
  EXPECT_EQ(Spy->BuildingDataTurn, 3);
  EXPECT_FALSE(Spy->HasAction);
  EXPECT_EQ(Spy->BuildingData[0][0], Building("building_bunker"));
  EXPECT_EQ(Spy->BuildingData[2][1], Building("building_greenhouse"));
  EXPECT_EQ(Spy->BuildingData[1][1], nullptr);  // an empty slot, seen

  // A spy who sees nothing still gets through on its second chance and reports unknown types.
  Spy->Espionage = -1.0f;
  std::uint32_t Lucky = 1;
  while (!Replay(Lucky, 125, -1.0f, true)) ++Lucky;
  SetRandomSeed(Lucky);
  EXPECT_TRUE(Spy->ObtainBuildingData());
  for (const auto& Row : Spy->BuildingData)
    for (const TBuildingType* T : Row) EXPECT_EQ(T, gBuildingTypePool->UnknownType());

  std::uint32_t Unlucky = 1;
  while (Replay(Unlucky, 125, -1.0f, true)) ++Unlucky;
  SetRandomSeed(Unlucky);
  Spy->BuildingDataTurn = 1;
  EXPECT_FALSE(Spy->ObtainBuildingData());
  EXPECT_EQ(Spy->BuildingDataTurn, 1);
}

TEST_F(SpyActions, DivisionReport) {
  Spy->Espionage = 150.0f;
  EXPECT_TRUE(Spy->ObtainDivisionData());
  EXPECT_EQ(Spy->DivisionData, std::vector<std::string>{"no division"});

  TDivision* D = Nation(1).AddDivision("Guards", Target);
  EXPECT_TRUE(Spy->ObtainDivisionData());
  EXPECT_EQ(Spy->DivisionData, std::vector<std::string>{"Guards"});  // a division without units

  AddUnit(1, "INF_LIGHT", D);
  AddUnit(1, "INF_HEAVY", nullptr);  // not in the division
  AddUnit(1, "AIR_FIGHTER", D);
  gCurrentTurn = 4;
  EXPECT_TRUE(Spy->ObtainDivisionData());
  EXPECT_EQ(Spy->DivisionData, (std::vector<std::string>{"Guards", "  Light infantry", "  Fighter"}));
  EXPECT_EQ(Spy->DivisionDataTurn, 4);

  Spy->Espionage = -1.0f;
  std::uint32_t Lucky = 1;
  while (!Replay(Lucky, 150, -1.0f, true)) ++Lucky;
  SetRandomSeed(Lucky);
  EXPECT_TRUE(Spy->ObtainDivisionData());
  EXPECT_EQ(Spy->DivisionData, (std::vector<std::string>{"Guards", "  unknown unit", "  unknown unit"}));
}

TEST_F(SpyActions, EachSabotage) {
  Spy->Sabotage = 150.0f;
  TRegion& R = Region(Target);

  R.Loyality = 0.9f;
  std::uint32_t Seed = gRandomSeed;
  ASSERT_EQ(Spy->DoSabotage("sabotage_underminemorale"), TSpy::TSabotageResult::Done);
  EXPECT_FALSE(Spy->HasAction);
  SetRandomSeed(Seed);
  Random(150);
  EXPECT_EQ(R.Loyality, std::max(static_cast<float>(0.9f - Random(30) / 10.0), 0.1f));
  R.Loyality = 0.05f;  // below the floor: raised to it
  EXPECT_EQ(Spy->DoSabotage("sabotage_underminemorale"), TSpy::TSabotageResult::Done);
  EXPECT_EQ(R.Loyality, 0.1f);

  R.Energy = 0.7f;
  EXPECT_EQ(Spy->DoSabotage("sabotage_disablepower"), TSpy::TSabotageResult::Done);
  EXPECT_EQ(R.Energy, 0.0f);

  TDivision* D = Nation(1).AddDivision("Guards", Target);
  TUnit& Strong = AddUnit(1, "INF_HEAVY", D);
  TUnit& Weak = AddUnit(1, "INF_LIGHT", D);
  TUnit& Faint = AddUnit(1, "INF_LIGHT", D);
  TUnit& Away = AddUnit(1, "INF_LIGHT", nullptr);
  Weak.Health = 7.0f;
  Faint.Health = 3.0f;
  Seed = gRandomSeed;
  EXPECT_EQ(Spy->DoSabotage("sabotage_sabotagedivision"), TSpy::TSabotageResult::Done);
  SetRandomSeed(Seed);
  Random(150);
  EXPECT_EQ(Strong.Health, static_cast<float>(150 - Random(30)));
  EXPECT_EQ(Weak.Health, std::max(7.0f - static_cast<float>(Random(30)), 5.0f));
  Random(30);
  EXPECT_EQ(Faint.Health, 5.0f);  // lifted to the floor
  EXPECT_EQ(Away.Health, 100.0f);

  Spy->HasAction = true;
  EXPECT_EQ(Spy->DoSabotage("sabotage_disabledivision"), TSpy::TSabotageResult::Done);
  EXPECT_TRUE(D->HasMoved);
  EXPECT_FALSE(Spy->HasAction);
}

TEST_F(SpyActions, SabotageWithNothingToActOnIsNotReportedDone) {
  Spy->Sabotage = 150.0f;
  for (const char* Action : {"sabotage_sabotagedivision", "sabotage_disabledivision", "sabotage_unknown"}) {
    Spy->HasAction = true;
    EXPECT_EQ(Spy->DoSabotage(Action), TSpy::TSabotageResult::NothingToSabotage) << Action;
    EXPECT_TRUE(Spy->HasAction) << Action;
  }
}

TEST_F(SpyActions, ACaughtSaboteurHasNoSecondChance) {
  Spy->Sabotage = -1.0f;
  Region(Target).Energy = 0.5f;
  const std::uint32_t Seed = gRandomSeed;
  EXPECT_EQ(Spy->DoSabotage("sabotage_disablepower"), TSpy::TSabotageResult::Caught);
  EXPECT_EQ(gRandomSeed, Seed * 134775813u + 1u);
  EXPECT_EQ(Region(Target).Energy, 0.5f);
  EXPECT_TRUE(Spy->HasAction);
  // The caller then removes the spy, which leaves the region without one.
  Nation(0).RemoveSpyObject(Spy);
  EXPECT_EQ(Region(Target).Spy, nullptr);
}

TEST_F(SpyActions, AFreeSpyDoesNothingAndDrawsNothing) {
  Spy->Withdraw();
  const std::uint32_t Seed = gRandomSeed;
  EXPECT_TRUE(Spy->ObtainBuildingData());
  EXPECT_TRUE(Spy->ObtainDivisionData());
  EXPECT_EQ(Spy->DoSabotage("sabotage_disablepower"), TSpy::TSabotageResult::NothingToSabotage);
  EXPECT_EQ(gRandomSeed, Seed);
  EXPECT_EQ(Spy->BuildingDataTurn, -1);
}
