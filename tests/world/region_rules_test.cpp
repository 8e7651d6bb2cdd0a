#include <gtest/gtest.h>

#include "platform/platform_globals.h"
#include "rules_fixture.h"
#include "world/unit_type.h"

namespace {
using RegionRules = TRulesTest;

// The region of nation 0 used by most cases: population 0.8, loyality 0.5, defense 0.6.
constexpr int Home = 0;
}  // namespace

TEST_F(RegionRules, ARoundWorkedOutByHand) {
  TRegion& R = Region(Home);
  Build(Home, 0, 0, "building_powerplant");  // energy +3, pollution +2
  Build(Home, 0, 1, "building_greenhouse");  // growth +2, energy -1
  R.Defense = 0.6f;
  R.Ressources = 7.0f;
  R.RessourcesLast = 0.0f;
  R.Constant = 1.0f;
  R.DoRound();

  EXPECT_FLOAT_EQ(R.PopulationLast, 0.8f);
  EXPECT_FLOAT_EQ(R.RessourcesLast, 7.0f);
  EXPECT_FLOAT_EQ(R.ConstantLast, 1.0f);
  EXPECT_FLOAT_EQ(R.Growth, 0.2f);           // 2 / 10 x 1.0
  EXPECT_FLOAT_EQ(R.Population, 0.82f);      // 0.8 + 0.1 x 0.2
  EXPECT_FLOAT_EQ(R.Loyality, 0.5f);         // no loyalty buildings, no pollution
  EXPECT_FLOAT_EQ(R.Ressources, 1.64f);      // 0 + 0.82 x 4 x 0.5, replaced, not added
  EXPECT_FLOAT_EQ(R.Pollution, 0.014250f);   // 2 / 500 + 0.0125 x 0.82 (crowded above 0.8)
  EXPECT_FLOAT_EQ(R.Energy, 0.2f);           // 2 / 10
  EXPECT_FLOAT_EQ(R.Defense, 0.6f);          // untouched
  EXPECT_EQ(R.Owner, 0);
  EXPECT_TRUE(NewsOf(0).empty());
  EXPECT_EQ(R.StatusIcon, "");
}

TEST_F(RegionRules, BaseFactorsScaleGrowthLoyaltyAndPollution) {
  TRegion& R = Region(Home);
  Build(Home, 0, 0, "building_powerplant");
  Build(Home, 0, 1, "building_greenhouse");
  Nation(0).BaseFactors[TNation::bfGrowth] = 2.0f;
  Nation(0).BaseFactors[TNation::bfPollution] = 0.5f;
  R.Population = 0.5f;
  R.DoRound();
  EXPECT_FLOAT_EQ(R.Growth, 0.4f);
  EXPECT_FLOAT_EQ(R.Population, 0.54f);
  EXPECT_FLOAT_EQ(R.Pollution, 0.002f);  // 2 / 500 x 0.5, not crowded
}

TEST_F(RegionRules, PollutionThresholdsCompareStoredFloats) {
  struct TCase {
    float Pollution;
    float Population;  // after the round, from 0.5 without growth
    float Loyality;    // from 0.5
  };
  // At exactly 0.9 a region is above 0.8 but not above 0.9; at exactly 0.8 it is above 0.5 only.
  const TCase Cases[] = {
      {0.9001f, 0.25f, static_cast<float>(0.5 - 0.15 * 0.9001f)},
      {0.9f, 0.35f, static_cast<float>(0.5 - 0.15 * 0.9f)},
      {0.8001f, 0.35f, static_cast<float>(0.5 - 0.15 * 0.8001f)},
      {0.8f, 0.5f, static_cast<float>(0.5 - 0.075 * 0.8f)},
      {0.5f, 0.5f, 0.5f},
  };
  for (const TCase& C : Cases) {
    TRegion& R = Region(Home);
    R.Owner = 0;
    R.Population = 0.5f;
    R.Loyality = 0.5f;
    R.Pollution = C.Pollution;
    R.Growth = 0.3f;
    R.DoRound();
    EXPECT_FLOAT_EQ(R.Population, C.Population) << C.Pollution;
    EXPECT_FLOAT_EQ(R.Loyality, C.Loyality) << C.Pollution;
    EXPECT_EQ(R.Growth, 0.0f) << C.Pollution;
  }
}

TEST_F(RegionRules, CrowdingPollutesAboveThresholds) {
  TRegion& R = Region(Home);
  for (const auto& [Population, Pollution] :
       {std::pair{0.81f, 0.0125 * 0.81f}, {0.8f, 0.0075 * 0.8f}, {0.66f, 0.0075 * 0.66f}, {0.65f, 0.0}}) {
    R.Owner = 0;
    R.Population = Population;
    R.Pollution = 0.0f;
    R.DoRound();
    EXPECT_FLOAT_EQ(R.Pollution, static_cast<float>(Pollution)) << Population;
  }
  // Clamped to 1.
  R.Population = 2.0f;
  R.Pollution = 0.999f;
  R.Loyality = 1.0f;
  R.DoRound();
  EXPECT_EQ(R.Pollution, 1.0f);
}

TEST_F(RegionRules, ConstructionsFinishWithNewsAndIcons) {
  TRegion& R = Region(Home);
  R.Buildings[0][0].FinishType = Building("building_bunker");
  R.Buildings[0][0].FinishTime = 1;
  R.Buildings[1][1].Type = Building("building_greenhouse");  // replaced by the construction
  R.Buildings[1][1].FinishType = Building("building_powerplant");
  R.Buildings[1][1].FinishTime = 0;
  R.Buildings[2][2].FinishType = Building("building_research");
  R.Buildings[2][2].FinishTime = 3;
  R.DoRound();
  EXPECT_EQ(R.Buildings[0][0].Type, Building("building_bunker"));
  EXPECT_EQ(R.Buildings[0][0].FinishType, nullptr);
  EXPECT_EQ(R.Buildings[1][1].Type, Building("building_powerplant"));
  EXPECT_EQ(R.Buildings[2][2].Type, nullptr);
  EXPECT_EQ(R.Buildings[2][2].FinishTime, 2);
  // The last slot in row order decides the icon: still building.
  EXPECT_EQ(R.StatusIcon, "gui_icon_underconstruction");
  // Finished buildings count in the same round: the power plant's energy.
  EXPECT_FLOAT_EQ(R.Energy, 0.3f);
  const std::vector<std::string> Expected = {"Northmark : Shelter finished", "Northmark : Power plant finished"};
  EXPECT_EQ(NewsOf(0), Expected);
  EXPECT_EQ(Nation(0).Messages.Messages[0].Category, "regioninfo");
  EXPECT_EQ(Nation(0).Messages.Messages[0].Region, 0);
  EXPECT_EQ(Nation(0).Messages.Messages[0].Kind, 0);

  R.Buildings[2][2].FinishTime = 1;
  Nation(0).Messages.Clear();
  R.DoRound();
  EXPECT_EQ(R.StatusIcon, "gui_icon_newbuilding");
  R.DoRound();
  EXPECT_EQ(R.StatusIcon, "");
}

TEST_F(RegionRules, ValuesBeyondTheUsualRangesComeBackInTheFirstRound) {
  TRegion& R = Region(Home);
  R.Loyality = 1.5f;  // loaded from a file value above 100
  R.Buildings[0][0].FinishType = Building("building_bunker");
  R.Buildings[0][0].FinishTime = -2147483647 - 1;  // a build time written below 0 finishes at once
  R.DoRound();
  EXPECT_FLOAT_EQ(R.Loyality, 1.0f);
  EXPECT_EQ(R.Buildings[0][0].Type, Building("building_bunker"));
  // A negative defense raises the smallest army, negative population loses the region.
  R.Defense = -0.3f;
  R.CreateDefensiveArmy();
  EXPECT_EQ(R.Units.size(), 1u);
  R.Population = -0.5f;
  R.DoRound();
  EXPECT_EQ(R.Owner, TRegion::OwnerNobody);
}

TEST_F(RegionRules, ConstructionNewsReachEveryOwnerWarningsOnlyThePlayer) {
  for (int i : {0, 2}) {
    TRegion& R = Region(i);
    R.Buildings[0][0].FinishType = Building("building_greenhouse");  // energy -1 once finished
    R.Buildings[0][0].FinishTime = 1;
    R.Pollution = 0.85f;
    R.Loyality = 0.3f;
  }
  Region(0).DoRound();
  Region(2).DoRound();
  const std::vector<std::string> Player = {"Northmark : Greenhouse finished", "Northmark : deadly pollution",
                                           "Northmark : low loyality", "Northmark : low power"};
  EXPECT_EQ(NewsOf(0), Player);
  // Nation 1 is not the player: its region reports the building and the power shortage only.
  const std::vector<std::string> Other = {"Westfels : Greenhouse finished", "Westfels : low power"};
  EXPECT_EQ(NewsOf(1), Other);

  Nation(0).Messages.Clear();
  TRegion& R = Region(1);
  R.Pollution = 0.75f;
  R.DoRound();
  EXPECT_EQ(NewsOf(0), std::vector<std::string>{"Lakeland : high pollution"});
}

TEST_F(RegionRules, ADyingRegionFallsToNobodyAndItsDivisionRetreats) {
  TRegion& R = Region(Home);
  TDivision* D = Nation(0).AddDivision("First", Home);
  TDivision* Elsewhere = Nation(0).AddDivision("Second", 1);
  Nation(0).Score = 30;
  R.Population = 0.1f;
  R.Pollution = 0.95f;
  R.DoRound();
  EXPECT_EQ(R.Population, 0.0f);
  EXPECT_EQ(R.Owner, TRegion::OwnerNobody);
  EXPECT_EQ(Nation(0).Score, 5);  // "RegionLost": -25
  EXPECT_EQ(D->Region, -1);
  EXPECT_TRUE(D->HasMoved);
  EXPECT_EQ(Elsewhere->Region, 1);
  EXPECT_FALSE(Elsewhere->HasMoved);
  EXPECT_EQ(NewsOf(0), std::vector<std::string>{"Northmark : dead retreat"});

  // Nobody's regions have no round: no news again, values stand still.
  Nation(0).Messages.Clear();
  R.DoRound();
  EXPECT_TRUE(NewsOf(0).empty());
  EXPECT_EQ(R.PopulationLast, 0.1f);

  // A region already at population 0 that a nation still owns dies without news of its death.
  TRegion& Lake = Region(1);
  Lake.Population = 0.0f;
  Lake.DoRound();
  EXPECT_EQ(Lake.Owner, TRegion::OwnerNobody);
  EXPECT_TRUE(NewsOf(0).empty());
}

TEST_F(RegionRules, LoyaltyAtZeroWithPeopleLeftMeansRebellion) {
  TRegion& R = Region(Home);
  TDivision* D = Nation(0).AddDivision("First", Home);
  R.Loyality = 0.01f;
  R.Pollution = 0.6f;  // -0.075 x 0.6 takes the last loyalty
  R.DoRound();
  EXPECT_EQ(R.Loyality, 0.0f);
  EXPECT_EQ(R.Owner, TRegion::OwnerRebels);
  EXPECT_EQ(D->Region, -1);
  EXPECT_TRUE(D->HasMoved);
  EXPECT_EQ(NewsOf(0), std::vector<std::string>{"Northmark : rebels retreat"});
  // The rebels defend it with their own army: round(0.6 / 0.2) + 2 units of rebel types.
  R.CreateDefensiveArmy();
  ASSERT_EQ(R.Units.size(), 5u);
  for (const auto& U : R.Units) EXPECT_EQ(U->UnitType->Nation, 6);
  EXPECT_EQ(R.DefensiveDivision->Name, "Rebel defense");

  // A region whose loyalty was already 0 rebels without the news.
  Nation(0).Messages.Clear();
  TRegion& Lake = Region(1);
  Lake.Loyality = 0.0f;
  Lake.DoRound();
  EXPECT_EQ(Lake.Owner, TRegion::OwnerRebels);
  EXPECT_TRUE(NewsOf(0).empty());
}

TEST_F(RegionRules, DivisionQueries) {
  TRegion& R = Region(Home);
  EXPECT_EQ(R.GetDivision(), nullptr);
  EXPECT_EQ(R.GetDivisionStrength(), -1);
  Nation(0).AddDivision("Away", 1);
  TDivision* First = Nation(0).AddDivision("First", Home);
  Nation(0).AddDivision("Second", Home);
  // A division of another nation standing here does not count.
  Nation(1).AddDivision("Guest", Home);
  EXPECT_EQ(R.GetDivision(), First);
  EXPECT_EQ(R.GetDivisionStrength(), 0);
  AddUnit(0, "INF_LIGHT", First);  // 40
  AddUnit(0, "INF_LIGHT", First);  // 80: 0.8 gives 1 star
  EXPECT_EQ(R.GetDivisionStrength(), 1);
  for (int i = 0; i < 3; ++i) AddUnit(0, "INF_HEAVY", First);  // 80 + 180 = 2.6 gives 3
  EXPECT_EQ(R.GetDivisionStrength(), 3);
  // Nobody's and rebel regions have no division.
  EXPECT_EQ(Region(3).GetDivision(), nullptr);
  EXPECT_EQ(Region(4).GetDivisionStrength(), -1);
}

TEST_F(RegionRules, BuildingsAndNeighbours) {
  TRegion& R = Region(Home);
  R.Buildings[1][1].FinishType = Building("building_bunker");
  EXPECT_FALSE(R.HasBuilding("building_bunker"));  // under construction
  Build(Home, 2, 0, "building_bunker");
  EXPECT_TRUE(R.HasBuilding("BUILDING_Bunker"));
  EXPECT_FALSE(R.HasBuilding("building_airdefense"));
  EXPECT_TRUE(R.IsNeighbour(1));
  EXPECT_TRUE(R.IsNeighbour(2));
  EXPECT_FALSE(R.IsNeighbour(0));
  EXPECT_FALSE(R.IsNeighbour(-1));
}

TEST_F(RegionRules, LocalDefensiveArmy) {
  TRegion& R = Region(Home);  // defense 0.6
  Nation(0).BaseFactors[TNation::bfDefense] = 1.5f;
  const std::uint32_t Seed = gRandomSeed;
  R.CreateDefensiveArmy();
  // 0.6 x 1.5 / 0.2 worked out in double lies just above 4.5: five units.
  ASSERT_EQ(R.Units.size(), 5u);
  ASSERT_TRUE(R.DefensiveDivision);
  const TDivision& D = *R.DefensiveDivision;
  EXPECT_EQ(D.ID, -1);
  EXPECT_EQ(D.Region, Home);
  EXPECT_EQ(D.Name, "Local defense");
  EXPECT_TRUE(D.HasMoved);
  EXPECT_EQ(D.Nation, nullptr);
  EXPECT_EQ(D.General, nullptr);
  for (const auto& U : R.Units) {
    EXPECT_EQ(U->UnitType->ID, "INF_LIGHT");
    EXPECT_EQ(U->Health, 100.0f);
    EXPECT_EQ(U->Division, &D);
    EXPECT_EQ(U->Region, Home);
    EXPECT_TRUE(U->Locked);
    EXPECT_GE(U->BattlefieldOffset.X, -2);
    EXPECT_LE(U->BattlefieldOffset.Y, 2);
  }
  // Four draws per unit: Y's two, then X's two, the subtracted draw second.
  SetRandomSeed(Seed);
  for (const auto& U : R.Units) {
    const std::int32_t Y = Random(3);
    EXPECT_EQ(U->BattlefieldOffset.Y, Y - Random(3));
    const std::int32_t X = Random(3);
    EXPECT_EQ(U->BattlefieldOffset.X, X - Random(3));
  }

  // A new army replaces the old one; no defense at all still gives one unit (four draws).
  SetRandomSeed(Seed);
  R.Defense = 0.0f;
  R.CreateDefensiveArmy();
  EXPECT_EQ(R.Units.size(), 1u);
  EXPECT_EQ(gRandomSeed, Seed * 134775813u * 134775813u * 134775813u * 134775813u + 134775813u * 134775813u * 134775813u +
                             134775813u * 134775813u + 134775813u + 1u);
  R.FreeDefensiveArmy();
  EXPECT_TRUE(R.Units.empty());
  EXPECT_FALSE(R.DefensiveDivision);
}

TEST_F(RegionRules, RebelDefensiveArmy) {
  TRegion& R = Region(4);  // rebels, defense 0.3
  const std::uint32_t Seed = gRandomSeed;
  R.CreateDefensiveArmy();
  // round(0.3 / 0.2) = 2, plus 2 for rebels.
  ASSERT_EQ(R.Units.size(), 4u);
  EXPECT_EQ(R.DefensiveDivision->Name, "Rebel defense");
  SetRandomSeed(Seed);
  for (const auto& U : R.Units) {
    EXPECT_EQ(Random(1), 0);  // the one rebel type
    EXPECT_EQ(U->UnitType->ID, "REB_MILITIA");
    const std::int32_t Y = Random(3);
    EXPECT_EQ(U->BattlefieldOffset.Y, Y - Random(3));
    const std::int32_t X = Random(3);
    EXPECT_EQ(U->BattlefieldOffset.X, X - Random(3));
  }
  // A nobody's region counts without a base factor.
  Region(3).Defense = 0.5f;
  Region(3).CreateDefensiveArmy();
  EXPECT_EQ(Region(3).Units.size(), 2u);  // round(2.5) = 2
}

TEST_F(RegionRules, DefensiveArmyWithoutItsUnitTypesFailsClearly) {
  // Only the engineer type is left: no rebel types, no local infantry.
  auto& Types = gUnitTypePool->Types;
  std::erase_if(Types, [](const auto& T) { return T->ID != "MOB_ENVCHANGER"; });
  EXPECT_EQ(ErrorOf([&] { Region(4).CreateDefensiveArmy(); }),
            "TRegion->CreateDefensiveArmy->Region \"Redwood\" is occupied by rebels but there are no rebel units in "
            "unit type pool!");
  EXPECT_EQ(ErrorOf([&] { Region(Home).CreateDefensiveArmy(); }),
            "TRegion->CreateDefensiveArmy->Region \"Northmark\" needs the unit type \"INF_LIGHT\" for its local "
            "defense, but the unit type pool has none!");
  EXPECT_FALSE(Region(Home).DefensiveDivision);
  try {
    TRegion::CheckDefensiveArmyTypes();
    ADD_FAILURE() << "no error";
  } catch (const EDataError& E) {
    const std::string Message = E.what();
    EXPECT_EQ(Message.rfind("TRegion->CheckDefensiveArmyTypes->\"", 0), 0u) << Message;
    EXPECT_NE(Message.find("units.xml\": no element <unit> has the ID \"INF_LIGHT\", which every region needs"),
              std::string::npos)
        << Message;
  }
}

TEST_F(RegionRules, TheFixtureHasItsDefensiveArmyTypes) { EXPECT_NO_THROW(TRegion::CheckDefensiveArmyTypes()); }

TEST_F(RegionRules, ScreenPositionProjectsWithTheGlobeAxes) {
  TRegion& R = Region(Home);
  R.Position3D = MakeVector3(0.5f, 0.25f, -0.5f);  // object (0.5, -0.5, -0.25)
  const double Identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const std::int32_t Viewport[4] = {0, 0, 800, 600};
  double X = 0, Y = 0, Z = 0;
  ASSERT_TRUE(R.UpdateScreenPosition(Identity, Identity, Viewport, X, Y, Z));
  EXPECT_DOUBLE_EQ(X, 600.0);
  EXPECT_DOUBLE_EQ(Y, 450.0);  // counted from the top
  EXPECT_DOUBLE_EQ(Z, 0.375);
  EXPECT_FLOAT_EQ(R.ScreenPosition.X, 600.0f);
  EXPECT_FLOAT_EQ(R.ScreenPosition.Y, 450.0f);

  // A translation in the model-view matrix (column-major) moves the point.
  double Moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.25, 0, 0, 1};
  ASSERT_TRUE(R.UpdateScreenPosition(Moved, Identity, Viewport, X, Y, Z));
  EXPECT_DOUBLE_EQ(X, 700.0);
  const double Flat[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
  EXPECT_FALSE(R.UpdateScreenPosition(Identity, Flat, Viewport, X, Y, Z));
}

// The player's order of a construction: each refusal changes nothing, and they are checked in a
// fixed order.
TEST_F(RegionRules, AConstructionStartsOnlyWhenEveryCheckPasses) {
  TRegion& R = Region(0);
  for (auto& Row : R.Buildings)
    for (auto& Slot : Row) Slot = TBuilding{};
  const TNation& N = Nation(0);
  const TBuildingType* Greenhouse = gBuildingTypePool->FindByID("building_greenhouse");
  ASSERT_NE(Greenhouse, nullptr);
  ASSERT_TRUE(Greenhouse->NeededTechID.empty());
  float Funds = static_cast<float>(Greenhouse->BuildCost);
  using C = TConstructionResult;

  EXPECT_EQ(R.StartConstruction(N, 4, nullptr, Funds), C::NoBuildingType);
  EXPECT_EQ(R.StartConstruction(N, -1, Greenhouse, Funds), C::NoSpot);
  EXPECT_EQ(R.StartConstruction(N, 9, Greenhouse, Funds), C::NoSpot);
  R.Buildings[1][1].Type = Greenhouse;
  EXPECT_EQ(R.StartConstruction(N, 4, Greenhouse, Funds), C::SpotOccupied);
  EXPECT_EQ(R.FirstFreeSlot(), 0);
  R.Buildings[0][0].FinishType = Greenhouse;
  EXPECT_TRUE(R.HasConstruction());
  // No slot chosen is told before the construction under way; with a slot, one construction at
  // a time comes before the slot's own state.
  EXPECT_EQ(R.StartConstruction(N, -1, Greenhouse, Funds), C::NoSpot);
  EXPECT_EQ(R.StartConstruction(N, 5, Greenhouse, Funds), C::AlreadyBuilding);
  EXPECT_EQ(R.StartConstruction(N, 4, Greenhouse, Funds), C::AlreadyBuilding);
  EXPECT_EQ(R.FirstFreeSlot(), 1);
  R.Buildings[0][0].FinishType = nullptr;

  TBuildingType Locked = *Greenhouse;
  Locked.NeededTechID = "never_ever";
  EXPECT_EQ(R.StartConstruction(N, 5, &Locked, Funds), C::NotResearched);
  Funds -= 1.0f;
  EXPECT_EQ(R.StartConstruction(N, 5, Greenhouse, Funds), C::NotEnoughRessources);
  EXPECT_FALSE(R.HasConstruction());

  Funds += 11.0f;
  EXPECT_EQ(R.StartConstruction(N, 5, Greenhouse, Funds), C::Started);
  EXPECT_EQ(R.Buildings[1][2].FinishType, Greenhouse);
  EXPECT_EQ(R.Buildings[1][2].FinishTime, Greenhouse->BuildTime);
  EXPECT_EQ(Funds, 10.0f);

  for (auto& Row : R.Buildings)
    for (auto& Slot : Row) Slot.Type = Greenhouse;
  R.Buildings[1][2].FinishType = nullptr;
  EXPECT_EQ(R.FirstFreeSlot(), -1);
}
