#include <gtest/gtest.h>

#include <cmath>

#include "world_fixture.h"
#include "world/division.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"

namespace {
using Nations = TNationsTest;
}  // namespace

// ---- region values ----

TEST_F(Nations, RegionValuesSumFinishedBuildingsAndFailWithoutPower) {
  TRegion& R = *gRegions[0];
  // Under construction only: nothing counts.
  R.Buildings[0][0].FinishType = Building("building_research");
  R.Buildings[0][0].FinishTime = 2;
  for (const char* Name : {"growth", "energy", "researchcivil", "defense"}) EXPECT_EQ(R.GetValue(Name), 0.0f) << Name;

  Build(0, 0, 1, "building_greenhouse");  // growth ++, energy -
  Build(0, 2, 2, "building_bunker");      // defense ++
  // Energy -1: every value that sorts after "energy" fails, "defense" and "energy" keep their sums.
  EXPECT_EQ(R.GetValue("energy"), -1.0f);
  EXPECT_EQ(R.GetValue("defense"), 2.0f);
  EXPECT_EQ(R.GetValue("growth"), 0.0f);
  EXPECT_EQ(R.GetValue("ressources"), 0.0f);
  EXPECT_EQ(R.GetValue("pollution"), 0.0f);

  Build(0, 1, 1, "building_powerplant");  // energy +++, pollution ++
  Build(0, 1, 2, "building_research");    // science.civil ++, energy --
  EXPECT_EQ(R.GetValue("energy"), 0.0f);
  EXPECT_EQ(R.GetValue("growth"), 2.0f);
  EXPECT_EQ(R.GetValue("Growth"), 2.0f);
  EXPECT_EQ(R.GetValue("GROWTH"), 2.0f);
  EXPECT_EQ(R.GetValue("pollution"), 2.0f);
  EXPECT_EQ(R.GetValue("researchcivil"), 2.0f);
  EXPECT_EQ(R.GetValue("researchmilitary"), 0.0f);
  EXPECT_EQ(R.GetValue("espionage"), 0.0f);
  EXPECT_EQ(R.GetValue("population"), 0.0f);  // not a region value name
  EXPECT_EQ(R.GetValue(""), 0.0f);
}

// ---- nation values ----

TEST_F(Nations, TheTwentyFourValuesWorkedOutByHand) {
  TNation& N = Nation(0);  // owns regions 0 (pop 0.8, loyalty 0.5) and 1 (pop 0.4, loyalty 1.0)
  N.BaseFactors[TNation::bfRessources] = 1.5f;
  N.BaseFactors[TNation::bfResearchCivil] = 2.0f;
  N.BaseFactors[TNation::bfResearchMilitary] = 0.5f;
  gRegions[0]->Growth = 0.3f;
  gRegions[1]->Growth = 0.1f;
  Build(0, 0, 0, "building_research");    // civil 2, energy -2
  Build(0, 0, 1, "building_powerplant");  // energy +3: region 0 has power
  Build(1, 1, 1, "building_research");    // region 1: energy -2, its research fails
  N.Ressources = 500.0f;
  N.Score = 35;

  TScientist A, B;
  A.Civil = 100;
  A.Military = 50;
  A.Wage = 10;
  B.Civil = 200;
  B.Military = 25;
  B.Wage = 20;
  N.AddScientist(A);
  N.AddScientist(B);
  TGeneral G;
  G.Wage = 25;
  N.AddGeneral(G);
  TSpy S;
  S.Wage = 12;
  N.AddSpy(S);

  TDivision* D0 = N.AddDivision("", 0);
  TDivision* D1 = N.AddDivision("Air", 1);
  N.AddUnit(TypeIndex("INF_LIGHT"))->Division = D0;  // attack 40, round cost 1.5
  N.AddUnit(TypeIndex("INF_LIGHT"))->Division = D0;
  N.AddUnit(TypeIndex("AIR_FIGHTER"))->Division = D1;  // attack 15, round cost 3
  N.TechnologyTree.FindByName("tech_basics")->Researched = true;
  N.TechnologyTree.FindByName("tech_energy")->Researched = true;

  struct TCase {
    const char* Name;
    float Value;
  };
  // B civil = 2 / 10 = 0.2; S civil = 300 / 500 = 0.6; S military = 75 / 500 = 0.15.
  // Income per region: (0 / 10 + 0.8 * 4 * 0.5) * 10 * 1.5 = 24 and (0.4 * 4 * 1.0) * 10 * 1.5 = 24.
  const TCase Cases[] = {
      {"numregions", 2},
      {"averageloyality", 0.75f},
      {"averagegrowth", 0.2f},
      {"averagepopulation", 0.6f},
      {"totalpopulation", 1.2f},
      {"totalgrowth", 0.4f},
      {"ressources", 500},
      {"ressourcesincoming", 48},
      {"researchcivil", 1.6f},
      {"researchmilitary", 0.075f},
      {"researchcivil.staff", 0.6f},
      {"researchmilitary.staff", 0.15f},
      {"researchcivil.buildings", 0.2f},
      {"researchmilitary.buildings", 0},
      {"wagesscientists", 30},
      {"wagesgenerals", 25},
      {"wagesspies", 12},
      {"wagestotal", 67},
      {"militarymaintenance", 6},
      {"globalprojectressources", 0},
      {"numdivisions", 2},
      {"militarystrength", 2},  // 0.8 and 0.15 hundreds: one star each
      {"researchprogress", 2},
      {"score", 35},
  };
  EXPECT_EQ(std::size(Cases), 24u);
  for (const TCase& C : Cases) EXPECT_NEAR(N.GetValue(C.Name), C.Value, 1e-5) << C.Name;
}

TEST_F(Nations, ResearchPartsAreCappedAtOneAndAHalf) {
  TNation& N = Nation(1);
  // Twenty scientists of civil skill 50: 1000 / 500 = 2, capped.
  TScientist S;
  S.Civil = 50;
  for (int i = 0; i < 20; ++i) N.AddScientist(S);
  EXPECT_EQ(N.GetValue("researchcivil.staff"), 1.5f);
  // Nation 1 owns region 2; give it region 3 too and fill both with powered research: 10 each.
  gRegions[3]->Owner = 1;
  for (int R : {2, 3}) {
    for (int c = 0; c < 3; ++c) Build(R, 0, c, "building_research");
    for (int c = 0; c < 2; ++c) Build(R, 1, c, "building_research");
    for (int c = 0; c < 3; ++c) Build(R, 2, c, "building_powerplant");
    Build(R, 1, 2, "building_powerplant");
    ASSERT_EQ(gRegions[static_cast<std::size_t>(R)]->GetValue("researchcivil"), 10.0f);
  }
  EXPECT_EQ(N.GetValue("researchcivil.buildings"), 1.5f);
  EXPECT_EQ(N.GetValue("researchcivil"), 3.0f);
}

TEST_F(Nations, ANationWithoutRegions) {
  TNation& N = Nation(4);
  N.BaseFactors[TNation::bfResearchCivil] = 1.25f;
  TScientist S;
  S.Civil = 100;
  N.AddScientist(S);
  for (const char* Name : {"numregions", "averageloyality", "averagegrowth", "averagepopulation", "totalpopulation",
                           "ressourcesincoming", "militarystrength", "numdivisions", "researchprogress"})
    EXPECT_EQ(N.GetValue(Name), 0.0f) << Name;
  EXPECT_EQ(N.GetValue("researchcivil"), 0.25f);  // the staff part alone: 100 / 500 * 1.25
}

TEST_F(Nations, IncomeIsNotClampedAtZero) {
  // Buildings that take ressources drive the income below 0, although the region's own
  // Ressources never goes below 0.
  TBuildingType Drain;
  Drain.Effects.push_back({"region.ressources", "", "", -5});
  gRegions[2]->Buildings[0][0].Type = &Drain;
  gRegions[2]->Population = 0.0f;
  EXPECT_FLOAT_EQ(Nation(1).GetValue("ressourcesincoming"), -5.0f);  // (-5 / 10 + 0) * 10 * 1
  gRegions[2]->Buildings[0][0].Type = nullptr;
}

TEST_F(Nations, UnknownValueNamesThrowTheMessage) {
  EXPECT_EQ(ErrorOf([&] { Nation(0).GetValue("Score"); }), "TNation->GetValue->\"Score\" is not a valid value!");
  EXPECT_EQ(ErrorOf([&] { Nation(0).GetValue("growth"); }), "TNation->GetValue->\"growth\" is not a valid value!");
  EXPECT_EQ(ErrorOf([&] { Nation(0).GetValue("score"); }), "");
}

TEST_F(Nations, ScoreEvents) {
  TNation& N = Nation(0);
  const std::pair<const char*, int> Steps[] = {
      {"RegionTaken", 50}, {"RegionDefended", 75}, {"NationAnnihilated", 325}, {"ResearchedTechnology", 335},
      {"TurnSurvived", 340}, {"SpyInfiltrated", 342}, {"GameWon", 428},  // 342 * 0.25 = 85.5 -> 86
      {"GameLost", 364},  // 428 * 0.15 = 64.2 -> 64
  };
  for (auto [Event, Score] : Steps) {
    N.ScoreEvent(Event);
    EXPECT_EQ(N.Score, Score) << Event;
  }
  N.Score = 10;
  N.ScoreEvent("RegionLost");
  EXPECT_EQ(N.Score, 0);
  N.ScoreEvent("RegionLost");
  EXPECT_EQ(N.Score, 0);
  N.Score = 100;
  N.ScoreEvent("GameLost");
  EXPECT_EQ(N.Score, 85);
  N.Score = 10;
  N.ScoreEvent("GameWon");  // 2.5 rounds to the even 2
  EXPECT_EQ(N.Score, 12);
  N.Score = 30;
  N.ScoreEvent("GameLost");  // 4.5 rounds to the even 4
  EXPECT_EQ(N.Score, 26);
  EXPECT_EQ(ErrorOf([&] { N.ScoreEvent("regiontaken"); }),
            "TNation->ScoreEvent->Event \"regiontaken\" is not a valid event identifier!");
  EXPECT_EQ(N.Score, 26);
}

TEST_F(Nations, NamesAndReset) {
  TNation& N = Nation(2);
  EXPECT_EQ(N.Names.size(), 2u);
  N.Names = {"Ostreich", "Eastrealm"};
  EXPECT_EQ(N.GetName(), "Eastrealm");

  TScientist Sc;
  N.AddScientist(Sc);
  TGeneral G;
  TGeneral* Hired = N.AddGeneral(G);
  TDivision* D = N.AddDivision("First", 2);
  N.AssignGeneral(*Hired, *D);
  TSpy S;
  TSpy* Spy = N.AddSpy(S);
  Spy->Region = gRegions[0].get();
  gRegions[0]->Spy = Spy;
  N.AddUnit(0);
  N.AddToBuildQueueByIndex(0);
  N.TechnologyTree.FindByName("tech_basics")->Researched = true;
  N.Score = 40;
  N.Dead = true;
  N.Ressources = 321.0f;
  N.ResearchCivil = 2.0f;
  N.ResearchCivilLast = 1.5f;
  N.ResearchMilitary = 3.0f;
  N.ResearchMilitaryLast = 2.5f;
  TTechnology& Started = *N.TechnologyTree.FindByName("tech_basics");
  Started.StartResearch();
  Started.RemainingPoints = 7.0f;

  N.Reset();
  EXPECT_TRUE(N.Scientists.empty());
  EXPECT_TRUE(N.Generals.empty());
  EXPECT_TRUE(N.Spies.empty());
  EXPECT_EQ(gRegions[0]->Spy, nullptr);
  EXPECT_TRUE(N.Divisions.empty());
  EXPECT_TRUE(N.Units.empty());
  EXPECT_TRUE(N.BuildQueueTypes.empty());
  EXPECT_TRUE(N.BuildQueueTurns.empty());
  EXPECT_FALSE(N.TechnologyTree.FindByName("tech_basics")->Researched);
  EXPECT_EQ(N.Score, 0);
  EXPECT_FALSE(N.Dead);
  EXPECT_EQ(N.Ressources, 321.0f);  // the treasury stays
  // So do the research values, and the points of the research that was running.
  EXPECT_EQ(N.ResearchCivil, 2.0f);
  EXPECT_EQ(N.ResearchCivilLast, 1.5f);
  EXPECT_EQ(N.ResearchMilitary, 3.0f);
  EXPECT_EQ(N.ResearchMilitaryLast, 2.5f);
  EXPECT_EQ(N.TechnologyTree.Current, nullptr);
  EXPECT_EQ(Started.RemainingPoints, 7.0f);
}

// ---- divisions, units, staff, build queue ----

TEST_F(Nations, StarStrength) {
  EXPECT_EQ(StarStrength(0), 0);
  EXPECT_EQ(StarStrength(30 + 40), 1);  // 0.7
  EXPECT_EQ(StarStrength(300), 3);
  EXPECT_EQ(StarStrength(2000), 5);
  EXPECT_EQ(StarStrength(250), 2);  // 2.5: halves to even
  EXPECT_EQ(StarStrength(350), 4);
  EXPECT_EQ(StarStrength(10 * 15), 2);  // exactly 1.5, not a sum of tenths just below it
  EXPECT_EQ(StarStrength(25 * 10), 2);
  EXPECT_EQ(StarStrength(1), 1);
  // Attack values as the data may write them: below 0, or summed far past the integer range.
  EXPECT_EQ(StarStrength(-400), 0);
  EXPECT_EQ(StarStrength(std::int64_t{1} << 40), 5);

  TNation& N = Nation(0);
  TDivision* D = N.AddDivision("", 0);
  EXPECT_EQ(D->GetStrength(), 0);
  for (int i = 0; i < 10; ++i) N.AddUnit(TypeIndex("AIR_FIGHTER"))->Division = D;  // 10 x 15
  N.AddUnit(TypeIndex("INF_HEAVY"));  // not in the division
  EXPECT_EQ(D->UnitCount(), 10);
  EXPECT_EQ(D->GetStrength(), 2);
  std::vector<TUnit*> Units{nullptr};
  D->GetUnits(Units);
  ASSERT_EQ(Units.size(), 10u);
  EXPECT_EQ(Units[0], N.Units[0].get());
  TDivision Loose;  // without a nation: no units
  EXPECT_EQ(Loose.UnitCount(), 0);
  EXPECT_EQ(Loose.GetStrength(), 0);
}

TEST_F(Nations, UnitsAreAddedFromThePoolAndRemovedByIndexOrObject) {
  TNation& N = Nation(0);
  TUnit* U = N.AddUnit(TypeIndex("INF_HEAVY"));
  EXPECT_EQ(U->UnitType, gUnitTypePool->FindByID("INF_HEAVY"));
  EXPECT_EQ(U->Health, 150.0f);
  EXPECT_EQ(U->Experience, 0.0f);
  EXPECT_EQ(U->Division, nullptr);
  EXPECT_EQ(U->Region, -1);
  EXPECT_FALSE(U->Locked);
  EXPECT_THROW(N.AddUnit(99), ERangeError);
  EXPECT_THROW(N.AddUnit(-1), ERangeError);
  N.AddUnit(0);
  N.AddUnit(1);
  N.RemoveUnit(3);
  N.RemoveUnit(-1);
  EXPECT_EQ(N.Units.size(), 3u);
  N.RemoveUnit(0);
  EXPECT_EQ(N.Units[0]->UnitType->Index, 0);
  TUnit Foreign;
  N.RemoveUnitObject(&Foreign);
  EXPECT_EQ(N.Units.size(), 2u);
  N.RemoveUnitObject(N.Units[1].get());
  ASSERT_EQ(N.Units.size(), 1u);
  EXPECT_EQ(N.Units[0]->UnitType->Index, 0);
}

TEST_F(Nations, DivisionsAreNamedMovedAndDissolved) {
  TNation& N = Nation(0);
  TDivision* A = N.AddDivision("Guard", 0);
  TDivision* B = N.AddDivision("", 1);
  TDivision* C = N.AddDivision("", 1);
  EXPECT_EQ(A->Name, "Guard");
  EXPECT_EQ(B->Name, "Division 1");
  EXPECT_EQ(C->Name, "Division 2");
  EXPECT_EQ(C->ID, 2);
  EXPECT_EQ(C->Nation, &N);
  EXPECT_EQ(C->General, nullptr);
  EXPECT_FALSE(C->HasMoved);

  N.MoveDivision(2, -1);
  EXPECT_EQ(C->Region, 1);
  EXPECT_FALSE(C->HasMoved);
  N.MoveDivision(2, 0);
  EXPECT_EQ(C->Region, 0);
  EXPECT_TRUE(C->HasMoved);
  EXPECT_THROW(N.MoveDivision(3, 0), ERangeError);

  TGeneral Offer;
  TGeneral* G = N.AddGeneral(Offer);
  N.AssignGeneral(*G, *B);
  EXPECT_EQ(G->Division, B);
  EXPECT_EQ(B->General, G);
  TUnit* InB = N.AddUnit(0);
  InB->Division = B;
  TUnit* InC = N.AddUnit(0);
  InC->Division = C;

  N.RemoveDivision(5, false);
  N.RemoveDivision(-1, true);
  EXPECT_EQ(N.Divisions.size(), 3u);
  N.RemoveDivision(1, false);
  ASSERT_EQ(N.Divisions.size(), 2u);
  EXPECT_EQ(N.Divisions[1].get(), C);
  EXPECT_EQ(C->ID, 1);
  EXPECT_EQ(G->Division, nullptr);
  ASSERT_EQ(N.Units.size(), 2u);
  EXPECT_EQ(InB->Division, nullptr);
  EXPECT_TRUE(InB->Locked);
  EXPECT_EQ(InC->Division, C);
  EXPECT_FALSE(InC->Locked);

  N.RemoveDivision(1, true);  // frees its units
  ASSERT_EQ(N.Units.size(), 1u);
  EXPECT_EQ(N.Units[0].get(), InB);
}

TEST_F(Nations, GeneralsAreAssignedWithoutUnlinkingAndUnassigned) {
  TNation& N = Nation(0);
  TDivision* A = N.AddDivision("A", 0);
  TDivision* B = N.AddDivision("B", 0);
  TGeneral Offer;
  TGeneral* G = N.AddGeneral(Offer);
  N.AssignGeneral(*G, *A);
  N.AssignGeneral(*G, *B);  // A still names him: assigning unlinks nothing
  EXPECT_EQ(A->General, G);
  EXPECT_EQ(B->General, G);
  EXPECT_EQ(G->Division, B);
  N.UnassignGeneral(*G);
  EXPECT_EQ(G->Division, nullptr);
  EXPECT_EQ(B->General, nullptr);
  N.UnassignGeneral(*G);  // a free general: nothing
  // Removing him leaves no division pointing at him.
  N.RemoveGeneral(0);
  EXPECT_EQ(A->General, nullptr);
  EXPECT_TRUE(N.Generals.empty());
  N.RemoveGeneral(0);  // an empty list: nothing
}

TEST_F(Nations, StaffIsHiredAsCopiesAndRemoved) {
  TNation& N = Nation(3);
  TScientist OfferS;
  OfferS.Name = "Ada";
  TScientist* S = N.AddScientist(OfferS);
  EXPECT_NE(S, &OfferS);
  EXPECT_EQ(S->Name, "Ada");

  TSpy OfferSpy;
  OfferSpy.Name = "Ilja";
  TSpy* Spy = N.AddSpy(OfferSpy);
  EXPECT_EQ(OfferSpy.Nation, &N);
  EXPECT_TRUE(OfferSpy.HasAction);
  EXPECT_EQ(Spy->Nation, &N);
  EXPECT_TRUE(Spy->HasAction);
  EXPECT_EQ(Spy->Name, "Ilja");

  // Another nation's spy is not removed.
  TSpy OtherOffer;
  TSpy* Other = Nation(1).AddSpy(OtherOffer);
  N.RemoveSpyObject(Other);
  EXPECT_EQ(N.Spies.size(), 1u);
  EXPECT_EQ(Nation(1).Spies.size(), 1u);

  Spy->Region = gRegions[2].get();
  gRegions[2]->Spy = Spy;
  N.RemoveSpyObject(Spy);
  EXPECT_TRUE(N.Spies.empty());
  EXPECT_EQ(gRegions[2]->Spy, nullptr);

  EXPECT_THROW(N.RemoveScientist(1), ERangeError);
  N.RemoveScientist(0);
  EXPECT_TRUE(N.Scientists.empty());
  N.RemoveScientist(0);
  N.RemoveSpy(3);
  N.RemoveGeneral(-1);
}

TEST_F(Nations, TheBuildQueueChargesAtOnceAndRefundsHalf) {
  TNation& N = Nation(0);
  N.Ressources = 1000.0f;
  const TUnitType& Light = *gUnitTypePool->FindByID("INF_LIGHT");  // cost 75, 2 rounds
  for (int i = 0; i < 16; ++i) ASSERT_TRUE(N.AddToBuildQueue(Light)) << i;
  EXPECT_EQ(N.Ressources, 1000.0f - 16 * 75.0f);  // no check of the treasury
  EXPECT_FALSE(N.AddToBuildQueue(Light));
  EXPECT_FALSE(N.AddToBuildQueueByIndex(TypeIndex("AIR_FIGHTER")));
  EXPECT_EQ(N.BuildQueueTypes.size(), 16u);
  EXPECT_EQ(N.Ressources, -200.0f);

  N.RemoveFromBuildQueue(16);
  N.RemoveFromBuildQueue(-1);
  EXPECT_EQ(N.Ressources, -200.0f);
  N.RemoveFromBuildQueue(0);  // 37.5 rounds to the even 38
  EXPECT_EQ(N.Ressources, -162.0f);
  EXPECT_EQ(N.BuildQueueTypes.size(), 15u);
  EXPECT_EQ(N.BuildQueueTurns.size(), 15u);
  EXPECT_TRUE(N.AddToBuildQueueByIndex(TypeIndex("AIR_FIGHTER")));
  EXPECT_EQ(N.BuildQueueTypes.back(), TypeIndex("AIR_FIGHTER"));
  EXPECT_EQ(N.BuildQueueTurns.back(), 4);
  EXPECT_THROW(N.AddToBuildQueueByIndex(42), ERangeError);

  // A type of cost 45 returns 22 (22.5 rounds to the even 22).
  auto Cheap = std::make_unique<TUnitType>();
  Cheap->BuildCost = 45.0f;
  Cheap->BuildTime = 1;
  Cheap->Index = static_cast<std::int32_t>(gUnitTypePool->Types.size());
  gUnitTypePool->Types.push_back(std::move(Cheap));
  TNation& M = Nation(1);
  M.Ressources = 100.0f;
  ASSERT_TRUE(M.AddToBuildQueueByIndex(gUnitTypePool->Types.back()->Index));
  M.RemoveFromBuildQueue(0);
  EXPECT_EQ(M.Ressources, 77.0f);
  EXPECT_TRUE(M.BuildQueueTypes.empty());
}

TEST_F(Nations, UnitValuesFollowTheNationsResearch) {
  const TUnitType& Light = *gUnitTypePool->FindByID("INF_LIGHT");
  TNation& N = Nation(0);
  EXPECT_EQ(Light.GetValue("attack.ground", N), 40.0f);
  N.TechnologyTree.FindByName("tech_armour")->Researched = true;  // infantry attack.ground +25%
  EXPECT_EQ(Light.GetValue("attack.ground", N), 50.0f);
  EXPECT_EQ(Light.GetValue("defense.ground", N), 30.0f);
  EXPECT_EQ(Light.GetValue("attack.ground", Nation(1)), 40.0f);  // another nation's research
}

TEST_F(Nations, SpyReportsResetToTheUnidentifiedBuilding) {
  TSpy S;
  S.BuildingData[1][1] = Building("building_bunker");
  S.BuildingDataTurn = 3;
  S.DivisionDataTurn = 4;
  S.RoundInfiltrated = 2;
  S.DivisionData = {"x"};
  S.ResetBuildingData();
  for (const auto& Row : S.BuildingData)
    for (const TBuildingType* T : Row) EXPECT_EQ(T, gBuildingTypePool->FindByNumber(-1));
  EXPECT_EQ(S.BuildingData[0][0]->ID, "building_unknown");
  EXPECT_EQ(S.BuildingDataTurn, -1);
  EXPECT_EQ(S.DivisionDataTurn, -1);
  EXPECT_EQ(S.RoundInfiltrated, -1);
  EXPECT_TRUE(S.DivisionData.empty());
}
