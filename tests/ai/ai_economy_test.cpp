// Budgets, region checks with risk and expansion factor, construction and demolition.
#include "ai_fixture.h"
#include "platform/random.h"

namespace {

class TAIEconomyTest : public TAITest {
protected:
  void SetUp() override {
    TAITest::SetUp();
    for (int r = 0; r < 5; ++r) {
      EmptySlots(r);
      Region(r).Pollution = 0.1f;
      Region(r).Loyality = 0.8f;
      Region(r).Energy = 0.5f;
      Region(r).Population = 0.5f;
    }
  }
  TAIBasicPersonality& P() { return AI(0); }
  void Budget(float Construction) { P().ConstructionBudgetLeft = P().ConstructionBudget = Construction; }
  int Constructions(int R) {
    int N = 0;
    for (auto& Row : Region(R).Buildings)
      for (auto& Slot : Row) N += Slot.FinishType != nullptr;
    return N;
  }
};

TEST_F(TAIEconomyTest, BudgetsSplitTheTreasuryAndOnlySpentMoneyIsPaid) {
  Controller(0).SetPersonality(3);
  Nation(0).Ressources = 1000.0f;
  for (auto& T : gBuildingTypePool->Types) T->BuildCost = 100000;  // nothing affordable
  for (auto& T : gUnitTypePool->Types) T->BuildCost = 100000;
  Nation(0).TechnologyTree.Current = Nation(0).TechnologyTree.Technologies[0].get();
  gTransferMarket->Scientists.clear();
  P().Update();
  EXPECT_EQ(P().ConstructionBudget, 800.0f);
  EXPECT_EQ(P().ArmyBudget, 150.0f);
  EXPECT_EQ(P().ResearchBudget, 50.0f);
  EXPECT_EQ(Nation(0).Ressources, 1000.0f);
}

TEST_F(TAIEconomyTest, HardAndVeryHardAddTheIncomeBeforeTheBudgets) {
  Controller(0).Difficulty = 2;
  Controller(0).SetPersonality(1);
  Nation(0).Ressources = 100.0f;
  const float Income = Nation(0).GetValue("ressourcesincoming");
  for (auto& T : gBuildingTypePool->Types) T->BuildCost = 100000;
  gTransferMarket->Scientists.clear();
  P().Update();
  EXPECT_FLOAT_EQ(P().ArmyBudget, static_cast<float>((100.0 + 2.0 * Income) * 0.5));
}

TEST_F(TAIEconomyTest, ThresholdsOfAnEndangeredRegionAreStrict) {
  TRegion& R = Region(0);
  R.Pollution = 0.6f;
  R.Loyality = 0.3f;
  EXPECT_FALSE(TAIBasicPersonality::IsEndangered(R));
  R.Pollution = 0.61f;
  EXPECT_TRUE(TAIBasicPersonality::IsEndangered(R));
  R.Pollution = 0.6f;
  R.Loyality = 0.29f;
  EXPECT_TRUE(TAIBasicPersonality::IsEndangered(R));
}

TEST_F(TAIEconomyTest, AnAffordableConstructionIsPaidAndStartsWhenTheRegionBuildsNothing) {
  const TBuildingType* Bunker = gBuildingTypePool->FindByID("building_bunker");  // 180
  Budget(180.0f);
  P().ConstructBuilding(Region(0), Bunker);
  EXPECT_EQ(P().ConstructionBudgetLeft, 0.0f);
  EXPECT_EQ(Region(0).Buildings[0][0].FinishType, Bunker);
  EXPECT_EQ(Region(0).Buildings[0][0].FinishTime, 2);
  // A second one in the same region is paid for but waits for the first.
  Budget(500.0f);
  P().ConstructBuilding(Region(0), Bunker);
  EXPECT_EQ(P().ConstructionBudgetLeft, 320.0f);
  EXPECT_EQ(Constructions(0), 1);
  // Too expensive: nothing, not even a line.
  Budget(179.0f);
  const std::size_t Lines = Plain(0).size();
  P().ConstructBuilding(Region(1), Bunker);
  EXPECT_EQ(Constructions(1), 0);
  EXPECT_EQ(P().ConstructionBudgetLeft, 179.0f);
  EXPECT_EQ(Plain(0).size(), Lines);
  // A missing type is skipped with a line.
  P().ConstructBuilding(Region(1), nullptr);
  EXPECT_TRUE(Logged(0, "  ERROR : No building type to construct!"));
}

TEST_F(TAIEconomyTest, AFullRegionReportsNoFreeSlotAndKeepsTheMoneyBooked) {
  for (auto& Row : Region(0).Buildings)
    for (auto& Slot : Row) Slot.Type = Building("building_bunker");
  Budget(1000.0f);
  P().ConstructBuilding(Region(0), Building("building_bunker"));
  EXPECT_EQ(P().ConstructionBudgetLeft, 820.0f);
  EXPECT_TRUE(Logged(0, "  ERROR : No more free slot for \"Shelter\"!"));
}

TEST_F(TAIEconomyTest, AFullRegionWithAShortBudgetLogsNothing) {
  for (auto& Row : Region(0).Buildings)
    for (auto& Slot : Row) Slot.Type = Building("building_bunker");
  Budget(100.0f);  // short of the shelter's 180
  const std::size_t Lines = Plain(0).size();
  P().ConstructBuilding(Region(0), Building("building_bunker"));
  EXPECT_EQ(Plain(0).size(), Lines);
  EXPECT_EQ(P().ConstructionBudgetLeft, 100.0f);
  EXPECT_EQ(Constructions(0), 0);
}

TEST_F(TAIEconomyTest, BestBuildingTypeIsStrongestResearchedAffordableFirstOnTies) {
  TBuildingType* Weak = AddBuildingType("res_weak", 1, 100, {{"region.ressources", "", "", 1}});
  TBuildingType* Strong = AddBuildingType("res_strong", 1, 300, {{"region.ressources", "", "", 3}});
  AddBuildingType("res_strong_too", 1, 300, {{"region.ressources", "", "", -3}});
  AddBuildingType("res_locked", 1, 100, {{"region.ressources", "", "", 9}}, "tech_fusion");
  Budget(1000.0f);
  EXPECT_EQ(P().GetBestBuildingType(1), Strong);
  Budget(299.0f);
  EXPECT_EQ(P().GetBestBuildingType(1), Weak);
  Budget(50.0f);
  EXPECT_EQ(P().GetBestBuildingType(1), nullptr);
  Nation(0).TechnologyTree.FindByName("tech_fusion")->Researched = true;
  Budget(1000.0f);
  EXPECT_EQ(P().GetBestBuildingType(1)->ID, "res_locked");
  // A missing effect counts as strength 1.
  TBuildingType Plain;
  EXPECT_EQ(TAIBasicPersonality::CategoryStrength(Plain, 4), 2);
  EXPECT_EQ(TAIBasicPersonality::CategoryStrength(Plain, 8), 0);
}

TEST_F(TAIEconomyTest, NormalPrioritiesBuildDefenceFirstInARiskyRegion) {
  Nation(0).TechnologyTree.FindByName("tech_energy")->Researched = true;
  Region(0).Risk = 1;
  Region(0).Energy = 0.15f;
  // Air defence starts although its technology is not researched (only the choice of the best
  // type of a category asks for one); the shelter after it is paid for and waits.
  ASSERT_FALSE(Nation(0).TechnologyTree.IsResearched(Building("building_airdefense")->NeededTechID));
  Budget(380.0f);
  P().DoConstruction(Region(0));
  EXPECT_EQ(Region(0).Buildings[0][0].FinishType, Building("building_airdefense"));
  EXPECT_EQ(Constructions(0), 1);
  EXPECT_EQ(P().ConstructionBudgetLeft, 0.0f);
  EXPECT_TRUE(Logged(0, " Region \"Northmark\" has high risk factor"));
  EXPECT_TRUE(Logged(0, " Constructing \"Air defence\""));
  EXPECT_FALSE(Logged(0, "  ERROR : No more free slot for \"Shelter\"!"));
  // A budget short of the air defence passes it over without a word and takes the shelter.
  Region(2).Risk = 1;
  Budget(190.0f);
  const std::size_t Lines = Plain(0).size();
  P().DoConstruction(Region(2));
  EXPECT_EQ(Region(2).Buildings[0][0].FinishType, Building("building_bunker"));
  const std::vector<std::string> Said(Plain(0).begin() + static_cast<long>(Lines), Plain(0).begin() + static_cast<long>(Lines) + 3);
  EXPECT_EQ(Said[2], " Constructing \"Shelter\"");
  Budget(10000.0f);
  // A region without risk and low energy gets the best energy building.
  Region(1).Risk = 0;
  Region(1).Energy = 0.15f;
  P().DoConstruction(Region(1));
  EXPECT_EQ(Region(1).Buildings[0][0].FinishType, Building("building_greenhouse"));
}

TEST_F(TAIEconomyTest, EndangeredRegionsTakeTheFirstRuleThatApplies) {
  TBuildingType* Loyal = AddBuildingType("loyal", 6, 100, {{"region.loyality", "", "", 2}});
  TBuildingType* Clean = AddBuildingType("clean", 7, 100, {{"region.pollution", "", "", -2}});
  Budget(10000.0f);
  // Energy 0.15 is not low enough for the endangered energy rule.
  Region(0).Energy = 0.15f;
  Region(0).Loyality = 0.2f;
  P().DoConstruction(Region(0));
  EXPECT_EQ(Region(0).Buildings[0][0].FinishType, Loyal);
  // Three loyality buildings already: the pollution rule.
  for (int c = 0; c < 3; ++c) Region(1).Buildings[0][c].Type = Loyal;
  Region(1).Loyality = 0.2f;
  Region(1).Pollution = 0.7f;
  P().DoConstruction(Region(1));
  EXPECT_EQ(Region(1).Buildings[1][0].FinishType, Clean);
  EXPECT_TRUE(Logged(0, "Region is endangered, using different construction priorities."));
}

TEST_F(TAIEconomyTest, DemolitionTakesRessourcesFirstWhateverTheCategory) {
  TBuildingType* Mine = AddBuildingType("mine", 1, 100, {{"region.ressources", "", "", 2}});
  TBuildingType* Farm = AddBuildingType("farm", 3, 100, {{"region.growth", "", "", 2}});
  TBuildingType* Loyal = AddBuildingType("loyal", 6, 100, {{"region.loyality", "", "", 2}, {"region.growth", "", "", 1}});
  TBuildingType* Plant = AddBuildingType("plant", 0, 100, {{"region.energy", "", "", 2}});
  for (auto& Row : Region(0).Buildings)
    for (auto& Slot : Row) Slot.Type = Plant;
  Region(0).Buildings[2][1].Type = Farm;
  Region(0).Buildings[0][2].Type = Mine;
  Region(0).Buildings[1][1].Type = Loyal;
  EXPECT_TRUE(P().DemolishBuildingForRoom(Region(0)));
  EXPECT_EQ(Region(0).Buildings[0][2].Type, nullptr);
  EXPECT_TRUE(Logged(0, " Demolished \"mine\" to make room for a more important building"));
  // Growth: the later row wins, the farm before the loyality building that also raises growth.
  EXPECT_TRUE(P().DemolishBuildingForRoom(Region(0)));
  EXPECT_EQ(Region(0).Buildings[2][1].Type, nullptr);
  EXPECT_TRUE(P().DemolishBuildingForRoom(Region(0)));
  EXPECT_EQ(Region(0).Buildings[1][1].Type, nullptr);
  EXPECT_TRUE(Logged(0, " Demolished \"loyal\" to make room for a more important building"));
  // Only energy buildings are left, which no search takes: the first slot goes.
  EXPECT_TRUE(P().DemolishBuildingForRoom(Region(0)));
  EXPECT_EQ(Region(0).Buildings[0][0].Type, nullptr);
  EXPECT_EQ(Region(0).Buildings[0][1].Type, Plant);
  // An empty first slot and nothing found: nothing is torn down, nothing logged.
  const std::size_t Lines = Plain(0).size();
  EXPECT_FALSE(P().DemolishBuildingForRoom(Region(0)));
  EXPECT_EQ(Plain(0).size(), Lines);
}

TEST_F(TAIEconomyTest, AnEndangeredFullRegionDemolishesOnlyForABuildingThatStarts) {
  TBuildingType* Mine = AddBuildingType("mine", 1, 100, {{"region.ressources", "", "", 2}});
  AddBuildingType("clean", 7, 300, {{"region.pollution", "", "", -2}});
  gBuildingTypePool->FindByID("building_dummy")->Category = 99;
  for (auto& Row : Region(0).Buildings)
    for (auto& Slot : Row) Slot.Type = Mine;
  Region(0).Pollution = 0.7f;
  Budget(200.0f);  // "clean" is not affordable
  P().DoConstruction(Region(0));
  EXPECT_EQ(TAIBasicPersonality::CountBuildingsOfCategory(Region(0), 1), 9);
  Budget(300.0f);
  P().DoConstruction(Region(0));
  EXPECT_EQ(TAIBasicPersonality::CountBuildingsOfCategory(Region(0), 1), 8);
  EXPECT_EQ(Region(0).Buildings[2][0].FinishType->ID, "clean");
  EXPECT_EQ(P().ConstructionBudgetLeft, 0.0f);
}

TEST_F(TAIEconomyTest, RiskCountsForeignAndRebelNeighboursExpansionFactorDistinctOwners) {
  // 0-{1,2}, 1-{0,3}, 2-{0,4}, 3-{1}, 4-{2}: nation 0 owns 0 and 1.
  Region(2).Owner = 1;
  Region(3).Owner = TRegion::OwnerRebels;
  Region(4).Owner = 2;
  Region(0).Risk = 7;
  SetRandomSeed(5);
  P().DoCheckRegions();
  EXPECT_EQ(Region(0).Risk, 1);
  EXPECT_EQ(Region(0).PreviousRisk, 7);
  EXPECT_EQ(Region(1).Risk, 1);  // the rebels count
  EXPECT_EQ(Region(2).ExpansionFactor, 1);  // around it: nation 0 (the judge itself) and 2
  EXPECT_EQ(Region(3).ExpansionFactor, 0);
  EXPECT_TRUE(Logged(0, " Enemy region \"Westfels\" has expansion factor of 1 [1->2 ]"));
  // Only nobody around: no risk.
  Region(2).Owner = TRegion::OwnerNobody;
  Region(3).Owner = TRegion::OwnerNobody;
  P().DoCheckRegions();
  EXPECT_EQ(Region(0).Risk, 0);
  EXPECT_EQ(Region(1).Risk, 0);
}

TEST_F(TAIEconomyTest, EveryOwnRegionGetsOneConstructionCheckStartingAtADrawnRegion) {
  Region(1).Pollution = 0.9f;  // endangered: checked first, no risk update
  Region(1).Risk = 4;
  SetRandomSeed(11);
  P().DoCheckRegions();
  int Checks = 0;
  for (const auto& L : Plain(0)) Checks += L.rfind("DoConstruction for ", 0) == 0;
  EXPECT_EQ(Checks, 2);
  EXPECT_EQ(Region(1).Risk, 4);
  EXPECT_TRUE(Logged(0, " I own 1 endangered regions!"));
  EXPECT_TRUE(Logged(0, " Starting with region Northmark"));
}

}  // namespace
