// Armies and attacks, research and staff.
#include <set>

#include "ai_fixture.h"
#include "platform/platform_globals.h"
#include "platform/random.h"
#include "world/battle.h"
#include "world/transfer_market.h"

namespace {

class TAIArmyTest : public TAITest {
protected:
  void SetUp() override {
    TAITest::SetUp();
    for (int r = 0; r < 5; ++r) EmptySlots(r);
  }
  TAIBasicPersonality& P() { return AI(0); }
  int Queued() { return static_cast<int>(Nation(0).BuildQueueTypes.size()); }
  // A division of nation 0 with Count light infantry (12 give five stars).
  TDivision& Army(int Count, int At, int Assigned) {
    TDivision* D = Nation(0).AddDivision("", At);
    D->AssignedRegion = Assigned;
    for (int i = 0; i < Count; ++i) AddUnit(0, "INF_LIGHT", D);
    return *D;
  }
};

TEST_F(TAIArmyTest, LostRegionsDisbandBeforeThreatenedRegionsGetDivisions) {
  TDivision& Lost = Army(2, 2, 0);  // region 2 belongs to nation 1
  Lost.Name = "old";
  Region(0).Risk = 1;
  Region(1).Risk = 0;
  P().DoArmyManagement();
  ASSERT_EQ(Nation(0).Divisions.size(), 1u);
  EXPECT_EQ(Nation(0).Divisions[0]->Name, "AI-Army 0");
  EXPECT_EQ(Nation(0).Divisions[0]->AssignedRegion, 0);
  EXPECT_EQ(Nation(0).Divisions[0]->Region, -1);
  EXPECT_TRUE(Nation(0).Units.empty());
  EXPECT_TRUE(Logged(0, " Division stationed in region \"Westfels\", but region is lost. Disbanding division!"));
  EXPECT_TRUE(Logged(0, " Created empty division for region \"Northmark\""));
}

TEST_F(TAIArmyTest, UnitsAreBoughtOnlyWithIncomeToSpareAndUpToEightInTheQueue) {
  Nation(0).Ressources = 10000.0f;
  P().ArmyBudgetLeft = 10000.0f;
  const double Income = Nation(0).GetValue("ressourcesincoming");
  ASSERT_GT(Income, 0.0);
  for (int i = 0; i < 5; ++i) Nation(0).AddToBuildQueueByIndex(TypeIndex("INF_LIGHT"));
  const float Before = Nation(0).Ressources;
  P().DoArmyManagement();
  EXPECT_EQ(Queued(), 8);
  // Paid once, by the queue; the budget only counted them.
  EXPECT_FLOAT_EQ(10000.0f - P().ArmyBudgetLeft, Before - Nation(0).Ressources);
  // The budget limits the purchases.
  Nation(0).BuildQueueTypes.clear();
  Nation(0).BuildQueueTurns.clear();
  P().ArmyBudgetLeft = 74.0f;
  P().DoArmyManagement();
  EXPECT_EQ(Queued(), 0);
}

TEST_F(TAIArmyTest, NoPurchaseWhenMaintenanceEatsAQuarterOfTheIncome) {
  P().ArmyBudgetLeft = 10000.0f;
  const double Income = Nation(0).GetValue("ressourcesincoming");
  // Units in stock until the maintenance reaches a quarter of the income.
  while (Nation(0).GetValue("militarymaintenance") < Income / 4.0) AddUnit(0, "INF_LIGHT", nullptr);
  P().DoArmyManagement();
  EXPECT_EQ(Queued(), 0);
}

TEST_F(TAIArmyTest, UnitChoiceFollowsTheRound) {
  // Before round 10 the fixed keys, researched or not (the fighter needs optics).
  for (gCurrentTurn = 0; gCurrentTurn < 10; ++gCurrentTurn)
    for (std::uint32_t Seed = 1; Seed < 30; ++Seed) {
      SetRandomSeed(Seed);
      const std::string ID = P().GetRandomUnitType()->ID;
      if (gCurrentTurn < 5) EXPECT_TRUE(ID == "AIR_FIGHTER" || ID == "INF_LIGHT") << ID;
      else EXPECT_TRUE(ID == "AIR_FIGHTER" || ID == "INF_LIGHT" || ID == "INF_HEAVY") << ID;
    }
  // From round 10 a researched type of every nation or of the buyer's own; never the
  // environment changer or the rebels' militia.
  gCurrentTurn = 10;
  gPlayerNation = 0;
  std::set<std::string> Seen;
  for (std::uint32_t Seed = 1; Seed < 200; ++Seed) {
    SetRandomSeed(Seed);
    Seen.insert(P().GetRandomUnitType()->ID);
  }
  EXPECT_EQ(Seen, std::set<std::string>{"INF_LIGHT"});
}

TEST_F(TAIArmyTest, WithoutAQualifyingTypeTheDrawGivesNoneAndThePurchaseIsSkipped) {
  gCurrentTurn = 20;
  for (auto& T : gUnitTypePool->Types) T->NeededTechID = "tech_fusion";
  SetRandomSeed(3);
  EXPECT_EQ(P().GetRandomUnitType(), nullptr);
  EXPECT_TRUE(Logged(0, "  ERROR : Could not find random unit type!"));
  P().ArmyBudgetLeft = 10000.0f;
  P().DoArmyManagement();
  EXPECT_EQ(Queued(), 0);
}

TEST_F(TAIArmyTest, FreeUnitsGoByNeedThenAtRandomAndDivisionsTakeUpTheirPosts) {
  Region(0).Risk = 2;
  Region(1).Risk = 1;
  TDivision& A = Army(0, -1, 1);
  TDivision& B = Army(0, -1, 0);
  for (int i = 0; i < 3; ++i) AddUnit(0, "INF_LIGHT", nullptr);
  P().ArmyBudgetLeft = 0.0f;
  P().DoArmyManagement();
  // Sorted by risk: B (2) before A (1), IDs renumbered.
  EXPECT_EQ(Nation(0).Divisions[0].get(), &B);
  EXPECT_EQ(B.ID, 0);
  EXPECT_EQ(A.ID, 1);
  EXPECT_TRUE(Logged(0, " Risk factors sorted by army : 2 1 "));
  // 40 attack gives one star each: A takes one unit (needs 1), B two (needs 2).
  EXPECT_EQ(A.UnitCount(), 1);
  EXPECT_EQ(B.UnitCount(), 2);
  EXPECT_EQ(A.Region, 1);
  EXPECT_EQ(B.Region, 0);
}

TEST_F(TAIArmyTest, ADivisionWhosePostIsLostDissolvesInsteadOfWalkingIntoIt) {
  Region(0).Risk = 0;
  Region(1).Risk = 0;
  TDivision& D = Army(2, -1, 2);  // region 2 is nation 1's
  D.Name = "loaded";
  Army(1, -1, -1).Name = "unknown";  // as after loading a game
  P().ArmyBudgetLeft = 0.0f;
  P().DoArmyManagement();
  EXPECT_TRUE(Nation(0).Divisions.empty());
  EXPECT_EQ(Nation(0).Units.size(), 3u);
  for (auto& U : Nation(0).Units) EXPECT_EQ(U->Division, nullptr);
  EXPECT_TRUE(Logged(0, " Army \"loaded\" has units but no region of mine to protect, dissolving it"));
}

TEST_F(TAIArmyTest, IdleDivisionsMoveToAThreatenedNeighbourOrDissolve) {
  Region(0).Risk = 0;
  Region(1).Risk = 1;
  TDivision& D = Army(1, 0, 0);
  D.Name = "idle";
  TDivision& Guard = Army(1, 1, 1);
  P().ArmyBudgetLeft = 0.0f;
  P().DoArmyManagement();
  // Region 1 holds a division already: D dissolves, its unit stays free.
  ASSERT_EQ(Nation(0).Divisions.size(), 1u);
  EXPECT_EQ(Nation(0).Divisions[0].get(), &Guard);
  EXPECT_EQ(Guard.ID, 0);
  EXPECT_EQ(Nation(0).Units.size(), 2u);
  EXPECT_TRUE(Logged(0, " Army \"idle\" is assigned to a region with zero risk and there are no neighbors with higher "
                        "risks and no armies. Deleting this army."));
  // Without the guard it moves.
  Guard.Region = -1;
  Guard.AssignedRegion = 1;
  TDivision& E = Army(1, 0, 0);
  E.Name = "mover";
  for (auto& U : Nation(0).Units) U->Division = U->Division ? U->Division : &E;
  Guard.Region = 2;  // stands elsewhere (pretend) so region 1 has no division
  Region(2).Owner = 0;
  P().DoArmyManagement();
  EXPECT_TRUE(Logged(0, " Army \"mover\" is assigned to a region with zero risk, moving it to neighbor region \"Lakeland\""));
  EXPECT_EQ(E.Region, 1);
}

// Replays the draws of an attack decision: the target, then ExpansionFactor + 1 floats.
bool AttackDecision(std::uint32_t Seed, int Candidates, int ExpansionFactor, double Aggressiveness) {
  SetRandomSeed(Seed);
  Random(Candidates);
  bool Attack = true;
  for (int i = 0; i <= ExpansionFactor; ++i)
    if (Aggressiveness / 100.0 < RandomFloat()) Attack = false;
  return Attack;
}

TEST_F(TAIArmyTest, AttackChanceIsAggressivenessToThePowerOfExpansionFactorPlusOne) {
  // Nation 0: region 1 holds a five-star division; its only foreign neighbour is region 3.
  Region(3).Owner = TRegion::OwnerRebels;
  Region(3).ExpansionFactor = 1;
  Region(0).Risk = 1;
  Region(1).Risk = 1;
  Controller(0).SetPersonality(1);  // aggressiveness 80
  int Attacks = 0, Expected = 0;
  for (std::uint32_t Seed = 1; Seed <= 12; ++Seed) {
    Nation(0).Divisions.clear();
    Nation(0).Units.clear();
    Region(3).Owner = TRegion::OwnerRebels;
    TDivision& D = Army(12, 1, 1);
    Army(1, 0, 0);
    ASSERT_EQ(D.GetStrength(), 5);
    const bool Want = AttackDecision(Seed, 1, 1, 80.0);
    Expected += Want;
    const std::size_t Before = Plain(0).size();
    SetRandomSeed(Seed);
    P().ArmyBudgetLeft = 0.0f;
    P().DoArmyManagement();
    bool Attacked = false;
    for (std::size_t i = Before; i < Plain(0).size(); ++i)
      Attacked |= Plain(0)[i].rfind(" I want to attack enemy region \"Void\" with army \"AI-Army", 0) == 0 ||
                  Plain(0)[i].rfind(" I want to attack enemy region \"Void\" with army \"Division", 0) == 0;
    EXPECT_EQ(Attacked, Want) << "seed " << Seed;
    Attacks += Attacked;
  }
  EXPECT_EQ(Attacks, Expected);
  EXPECT_GT(Attacks, 0);
  EXPECT_LT(Attacks, 12);
}

TEST_F(TAIArmyTest, AWonBattleTakesTheRegionAndAppliesItsOutcome) {
  Region(3).Owner = TRegion::OwnerRebels;
  Region(3).ExpansionFactor = 1;
  Region(3).Population = 0.1f;
  Region(3).Pollution = 0.9f;
  Region(3).Loyality = 0.0f;
  Region(1).Risk = 1;
  Controller(0).SetPersonality(1);
  P().Aggressiveness = 100.0f;
  TDivision& D = Army(14, 1, 1);
  SetRandomSeed(77);
  P().ArmyBudgetLeft = 0.0f;
  P().DoArmyManagement();
  ASSERT_TRUE(Logged(0, " -> I have won the battle"));
  EXPECT_EQ(Region(3).Owner, 0);
  EXPECT_FLOAT_EQ(Region(3).Population, 0.2f);
  EXPECT_FLOAT_EQ(Region(3).Pollution, 0.6f);
  EXPECT_FLOAT_EQ(Region(3).Loyality, 0.5f);
  EXPECT_EQ(D.Region, 3);
  EXPECT_TRUE(D.HasMoved);
  // No destroyed unit stays behind, and the rebels' army is gone.
  for (auto& U : Nation(0).Units) EXPECT_GT(U->Health, 0.0f);
  EXPECT_TRUE(Region(3).Units.empty());
}

TEST_F(TAIArmyTest, ALostOrWonBattleAgainstANationSendsItNews) {
  Region(2).Owner = 1;
  Region(2).ExpansionFactor = 1;
  Region(0).Risk = 1;
  Controller(0).SetPersonality(1);
  P().Aggressiveness = 100.0f;
  Army(12, 0, 0);
  Nation(0).Score = 100;
  Nation(1).Score = 100;
  SetRandomSeed(8);
  P().ArmyBudgetLeft = 0.0f;
  P().DoArmyManagement();
  // This seed conquers the region; the computer's own battles score nothing.
  EXPECT_EQ(Region(2).Owner, 0);
  EXPECT_EQ(Nation(0).Score, 100);
  EXPECT_EQ(Nation(1).Score, 100);
  ASSERT_EQ(Nation(1).Messages.Messages.size(), 1u);
  const TRoundMessage& M = Nation(1).Messages.Messages[0];
  EXPECT_TRUE(M.Text == "Westfels lost to " + Nation(0).GetName() || M.Text == "Westfels held against " + Nation(0).GetName())
      << M.Text;
  EXPECT_EQ(M.Category, "");
  EXPECT_EQ(M.Region, -1);
  EXPECT_EQ(M.Kind, 1);
  for (int n = 0; n < 2; ++n)
    for (std::size_t i = 0; i < Nation(n).Divisions.size(); ++i) EXPECT_EQ(Nation(n).Divisions[i]->ID, static_cast<int>(i));
  for (int n = 0; n < 2; ++n)
    for (auto& U : Nation(n).Units) EXPECT_GT(U->Health, 0.0f);
}

TEST_F(TAIArmyTest, ResearchStartsARandomAvailableTechnology) {
  TTechnologyTree& Tree = Nation(0).TechnologyTree;
  SetRandomSeed(4);
  P().DoResearch();
  ASSERT_NE(Tree.Current, nullptr);
  EXPECT_TRUE(Tree.Current->ID == "tech_basics" || Tree.Current->ID == "tech_energy");
  EXPECT_EQ(Tree.Current->RemainingPoints, Tree.Current->ResearchTime);
  const std::uint32_t Seed = gRandomSeed;
  P().DoResearch();
  EXPECT_EQ(gRandomSeed, Seed);
  EXPECT_TRUE(Logged(0, " Still researching on " + Tree.Current->GetName()));
  Tree.Current = nullptr;
  for (auto& T : Tree.Technologies) T->Researched = true;
  P().DoResearch();
  EXPECT_TRUE(Logged(0, "  HINT : Technology tree does not contain any more technologies to research"));
}

TEST_F(TAIArmyTest, StaffHiresAtMostOneScientistUpToTheCap) {
  gTransferMarket->Regenerate(5, 0, 0);
  Controller(0).SetPersonality(2);  // three scientists
  Nation(0).Ressources = 1.0e6f;
  int Hired = 0;
  for (std::uint32_t Seed = 1; Seed < 40; ++Seed) {
    SetRandomSeed(Seed);
    const std::size_t Before = Nation(0).Scientists.size();
    P().DoStaff();
    EXPECT_LE(Nation(0).Scientists.size(), Before + 1);
    Hired += static_cast<int>(Nation(0).Scientists.size() - Before);
  }
  EXPECT_EQ(Nation(0).Scientists.size(), 3u);
  EXPECT_EQ(gTransferMarket->Scientists.size(), 2u);
  EXPECT_EQ(Hired, 3);
  // At the cap no draw is made.
  const std::uint32_t Seed = gRandomSeed;
  P().DoStaff();
  EXPECT_EQ(gRandomSeed, Seed);
}

}  // namespace
