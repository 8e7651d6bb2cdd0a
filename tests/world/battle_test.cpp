#include <gtest/gtest.h>

#include <algorithm>

#include "platform/platform_globals.h"
#include "rules_fixture.h"
#include "world/unit_type.h"

namespace {
// Keeps the lines as the battle window's memo would: each inserted at its index.
class TRecordingLog : public TBattleLog {
public:
  std::vector<std::string> Lines;
  void InsertLine(const std::string& Text, std::int32_t Index) override {
    Lines.insert(Lines.begin() + std::min<std::size_t>(static_cast<std::size_t>(Index), Lines.size()), Text);
  }
};

class BattleTest : public TRulesTest {
protected:
  // Nation 0 attacks Westfels (region 2, nation 1) from Northmark.
  TDivision* Attacker = nullptr;
  TDivision* Defender = nullptr;
  static constexpr int Target = 2;

  void SetUp() override {
    TRulesTest::SetUp();
    Attacker = Nation(0).AddDivision("Attackers", 0);
    Defender = Nation(1).AddDivision("Defenders", Target);
  }
  TBattle& Battle() { return *gBattle; }
  void StartBattle() { Battle().Setup(*Attacker, Region(Target), Region(Target).GetDivision(), Region(Target)); }
  // Steps until the battle is over; the number of steps.
  int FightOut(TBattleLog* Log, int Limit = 10000) {
    for (int Steps = 1; Steps <= Limit; ++Steps)
      if (Battle().FightStep(Log)) return Steps;
    ADD_FAILURE() << "the battle did not end";
    return Limit;
  }
  // Every entry still in the lists is a unit some owner holds.
  void ExpectNoFreedEntries() {
    const auto Owned = [](const TUnit* Unit) {
      for (const auto& N : gNations)
        for (const auto& U : N->Units)
          if (U.get() == Unit) return true;
      for (const auto& R : gRegions)
        for (const auto& U : R->Units)
          if (U.get() == Unit) return true;
      return false;
    };
    for (const TUnit* Unit : Battle().AttackerUnits)
      EXPECT_TRUE(!Unit || Owned(Unit));
    for (const TUnit* Unit : Battle().DefenderUnits)
      EXPECT_TRUE(!Unit || Owned(Unit));
  }
  TUnitType& Type(const std::string& ID) { return *gUnitTypePool->FindByID(ID); }
};
}  // namespace

TEST_F(BattleTest, ThreeAgainstTwoIsPinnedDrawForDraw) {
  for (int i = 0; i < 3; ++i) AddUnit(0, "INF_HEAVY", Attacker).Health = 12.0f;
  AddUnit(0, "MOB_ENVCHANGER", Attacker);  // does not fight
  for (int i = 0; i < 2; ++i) AddUnit(1, "INF_LIGHT", Defender).Health = 8.0f;
  SetRandomSeed(20261206);
  StartBattle();
  EXPECT_EQ(Battle().AttackerUnits.size(), 3u);
  EXPECT_EQ(Battle().DefenderUnits.size(), 2u);
  EXPECT_EQ(Battle().DefenderDivision, Defender);
  EXPECT_EQ(Battle().DefenderNation, &Nation(1));
  EXPECT_EQ(Battle().ActingSide, Attacker);
  EXPECT_TRUE(Battle().Running);

  TRecordingLog Log;
  const int Steps = FightOut(&Log);
  std::reverse(Log.Lines.begin(), Log.Lines.end());  // oldest first
  // The last volley goes at a destroyed target: every defender fell earlier in the same pass.
  const std::vector<std::string> Expected = {
      " Heavy infantry hits Light infantry 4 times", " Heavy infantry misses Light infantry",
      "  -> Light infantry destroyed",               " Heavy infantry hits Light infantry 4 times",
      " Light infantry hits Heavy infantry 5 times", " Heavy infantry hits Light infantry 1 times",
      " Heavy infantry hits Light infantry 2 times", " Heavy infantry hits Light infantry 1 times",
      " Light infantry hits Heavy infantry 1 times", " Heavy infantry hits Light infantry 3 times",
      "  -> Light infantry destroyed",               " Heavy infantry hits Light infantry 1 times",
      " Heavy infantry hits Light infantry 3 times"};
  EXPECT_EQ(Log.Lines, Expected);
  EXPECT_EQ(Steps, 11);
  EXPECT_FALSE(Battle().Running);
  EXPECT_EQ(Battle().Winner, &Nation(0));
  EXPECT_EQ(Battle().DefenderLosses, 2);
  EXPECT_EQ(Battle().AttackerLosses, 0);

  Nation(0).Score = 0;
  Battle().Finish();
  EXPECT_EQ(Battle().Winner, &Nation(0));
  EXPECT_EQ(Region(Target).Owner, 0);
  EXPECT_EQ(Attacker->Region, Target);
  EXPECT_TRUE(Attacker->HasMoved);
  EXPECT_EQ(Nation(0).Score, 50);
  EXPECT_TRUE(Nation(1).Divisions.empty());
  EXPECT_TRUE(Nation(1).Units.empty());
  EXPECT_EQ(Battle().DefenderDivision, nullptr);
  ExpectNoFreedEntries();
  // Destroyed attackers went too; the engineer stays with its division.
  EXPECT_EQ(Nation(0).Units.size(), static_cast<std::size_t>(4 - 0));
}

TEST_F(BattleTest, AVolleyReplaysFromTheGenerator) {
  // Each step: Random(count) for the target, drawn again while it is destroyed; then ten shots,
  // each Random(300) against the attack and, only when that passes, Random(300) against the
  // defence. Replayed here from the bare generator.
  TUnit& Shooter = AddUnit(0, "INF_LIGHT", Attacker);
  TUnit& Fallen = AddUnit(1, "INF_HEAVY", Defender);
  TUnit& Guard = AddUnit(1, "INF_HEAVY", Defender);
  StartBattle();
  Fallen.Health = 0.0f;
  for (std::uint32_t Seed : {3u, 1234u, 987654u}) {
    Guard.Health = 100.0f;
    Battle().ActingSide = Attacker;
    Battle().ShooterIndex = 0;
    double Attack = 0, Defence = 0;
    Battle().GetVolleyValues(Shooter, Guard, false, Attack, Defence);
    SetRandomSeed(Seed);
    std::int32_t Index = Random(2);
    while (Index == 0) Index = Random(2);
    int Hits = 0;
    for (int Shot = 0; Shot < 10; ++Shot)
      if (Random(300) < Attack && Random(300) > Defence) ++Hits;
    const std::uint32_t After = gRandomSeed;

    SetRandomSeed(Seed);
    EXPECT_FALSE(Battle().FightStep(nullptr));
    EXPECT_EQ(gRandomSeed, After) << Seed;
    EXPECT_EQ(Battle().TargetIndex, 1);
    EXPECT_EQ(Guard.Health, 100.0f - static_cast<float>(Hits)) << Seed;
    // The attacker's pass is over: the defenders fire next, from their first living unit.
    EXPECT_EQ(Battle().ActingSide, Defender);
    EXPECT_EQ(Battle().ShooterIndex, 1);
  }
}

TEST_F(BattleTest, ADefeatedAttackerLosesItsDivisionAndNoEntryDangles) {
  AddUnit(0, "INF_LIGHT", Attacker);
  for (int i = 0; i < 3; ++i) AddUnit(1, "INF_HEAVY", Defender);
  StartBattle();
  FightOut(nullptr);
  EXPECT_EQ(Battle().Winner, &Nation(1));
  EXPECT_EQ(Battle().AttackerLosses, 0);  // counted only with a log
  EXPECT_EQ(Battle().DefenderLosses, 0);
  Nation(1).Score = 0;
  Battle().Finish();
  EXPECT_EQ(Battle().Winner, &Nation(1));
  EXPECT_EQ(Region(Target).Owner, 1);
  EXPECT_TRUE(Nation(0).Divisions.empty());
  EXPECT_TRUE(Nation(0).Units.empty());
  EXPECT_EQ(Battle().AttackerDivision, nullptr);
  EXPECT_EQ(Nation(1).Score, 25);
  ExpectNoFreedEntries();
  for (const TUnit* Unit : Battle().AttackerUnits) EXPECT_EQ(Unit, nullptr);
}

TEST_F(BattleTest, ARegionWithoutDefendersRaisesItsArmy) {
  AddUnit(0, "INF_HEAVY", Attacker);
  // Nation 1's division there has no unit: the region defends itself.
  StartBattle();
  ASSERT_TRUE(Region(Target).DefensiveDivision);
  EXPECT_EQ(Battle().DefenderDivision, Region(Target).DefensiveDivision.get());
  EXPECT_EQ(Battle().DefenderNation, &Nation(1));
  ASSERT_EQ(Battle().DefenderUnits.size(), Region(Target).Units.size());
  EXPECT_EQ(Battle().DefenderUnits[0], Region(Target).Units[0].get());
  FightOut(nullptr);
  Battle().Finish();
  ExpectNoFreedEntries();
  Battle().ReleaseDefensiveArmy();
  EXPECT_FALSE(Region(Target).DefensiveDivision);
  for (const TUnit* Unit : Battle().DefenderUnits) EXPECT_EQ(Unit, nullptr);
}

TEST_F(BattleTest, AnOldDefensiveArmyDoesNotReplaceARealDivision) {
  Region(Target).CreateDefensiveArmy();  // left over from an earlier battle
  for (auto& U : Region(Target).Units) U->Health = 0.0f;
  AddUnit(0, "INF_LIGHT", Attacker);
  TUnit& Guard = AddUnit(1, "INF_HEAVY", Defender);
  StartBattle();
  EXPECT_EQ(Battle().DefenderDivision, Defender);
  ASSERT_EQ(Battle().DefenderUnits.size(), 1u);
  EXPECT_EQ(Battle().DefenderUnits[0], &Guard);
}

TEST_F(BattleTest, ConqueringARebelRegionCalmsIt) {
  TRegion& Rebels = Region(4);
  Rebels.Loyality = 0.9f;
  Rebels.Pollution = 0.8f;
  Rebels.Population = 0.1f;
  for (int i = 0; i < 6; ++i) AddUnit(0, "INF_HEAVY", Attacker);
  Battle().Setup(*Attacker, Rebels, Rebels.GetDivision(), Rebels);
  EXPECT_EQ(Battle().DefenderNation, nullptr);
  EXPECT_EQ(Battle().DefenderUnits.size(), 4u);  // round(0.3 / 0.2) + 2
  FightOut(nullptr);
  ASSERT_EQ(Battle().Winner, &Nation(0));
  Battle().Finish();
  EXPECT_EQ(Rebels.Owner, 0);
  EXPECT_EQ(Rebels.Loyality, 0.5f);
  EXPECT_EQ(Rebels.Pollution, 0.6f);
  EXPECT_EQ(Rebels.Population, 0.2f);
}

TEST_F(BattleTest, ABattleNobodyCanWinEnds) {
  // Heavy infantry that cannot shoot at all, on both sides.
  Type("INF_HEAVY").AttGround = 0;
  Type("INF_HEAVY").AttAir = 0;
  TUnit& A = AddUnit(0, "INF_HEAVY", Attacker);
  AddUnit(1, "INF_HEAVY", Defender);
  StartBattle();
  const std::uint32_t Seed = gRandomSeed;
  EXPECT_TRUE(Battle().FightStep(nullptr));
  EXPECT_EQ(gRandomSeed, Seed);  // no draws
  EXPECT_TRUE(Battle().Stalemate);
  EXPECT_EQ(Battle().Winner, &Nation(1));
  Battle().Finish();
  EXPECT_EQ(Battle().Winner, &Nation(1));
  // The defender keeps the region; the attacker withdraws with its units.
  EXPECT_EQ(Region(Target).Owner, 1);
  EXPECT_EQ(Attacker->Region, 0);
  EXPECT_TRUE(Attacker->HasMoved);
  ASSERT_EQ(Nation(0).Units.size(), 1u);
  EXPECT_EQ(Nation(0).Units[0].get(), &A);
  EXPECT_EQ(Nation(1).Divisions.size(), 1u);
}

TEST_F(BattleTest, AnAttackerWithoutFightingUnitsWithdrawsAtOnce) {
  AddUnit(0, "MOB_ENVCHANGER", Attacker);
  AddUnit(1, "INF_LIGHT", Defender);
  StartBattle();
  EXPECT_TRUE(Battle().AttackerUnits.empty());
  EXPECT_EQ(Battle().ShooterIndex, -1);
  const std::uint32_t Seed = gRandomSeed;
  EXPECT_TRUE(Battle().FightStep(nullptr));
  EXPECT_EQ(gRandomSeed, Seed);
  EXPECT_EQ(Battle().Winner, &Nation(1));
  Battle().Finish();
  EXPECT_EQ(Nation(0).Units.size(), 1u);
  EXPECT_EQ(Nation(0).Divisions.size(), 1u);
  EXPECT_EQ(Region(Target).Owner, 1);
}

TEST_F(BattleTest, ADefenceOfEngineersOnlyFallsAtTheFirstStep) {
  AddUnit(0, "INF_LIGHT", Attacker);
  AddUnit(1, "MOB_ENVCHANGER", Defender);
  StartBattle();
  EXPECT_EQ(Battle().DefenderDivision, Defender);  // a unit of any type makes it defend
  EXPECT_TRUE(Battle().DefenderUnits.empty());
  const std::uint32_t Seed = gRandomSeed;
  EXPECT_TRUE(Battle().FightStep(nullptr));
  EXPECT_EQ(gRandomSeed, Seed * 134775813u + 1u);  // Random(0) is drawn all the same
  EXPECT_EQ(Battle().Winner, &Nation(0));
  Battle().Finish();
  EXPECT_EQ(Region(Target).Owner, 0);
  EXPECT_TRUE(Nation(1).Divisions.empty());
  EXPECT_TRUE(Nation(1).Units.empty());
}

TEST_F(BattleTest, AStepAtDestroyedTargetsStillFiresAndEnds) {
  TUnit& Shooter = AddUnit(0, "INF_LIGHT", Attacker);
  TUnit& Dead = AddUnit(1, "INF_LIGHT", Defender);
  StartBattle();
  Dead.Health = 0.0f;
  TRecordingLog Log;
  EXPECT_TRUE(Battle().FightStep(&Log));
  EXPECT_EQ(Battle().Winner, &Nation(0));
  EXPECT_EQ(Battle().TargetIndex, 0);
  ASSERT_EQ(Log.Lines.size(), 1u);  // the volley, but no kill line
  EXPECT_NE(Log.Lines[0].find("Light infantry"), std::string::npos);
  EXPECT_EQ(Battle().DefenderLosses, 0);
  EXPECT_EQ(Shooter.Health, 100.0f);
}

TEST_F(BattleTest, SidesAlternateByWholePassesSkippingTheDestroyed) {
  TUnit& A0 = AddUnit(0, "INF_LIGHT", Attacker);
  TUnit& A1 = AddUnit(0, "INF_LIGHT", Attacker);
  TUnit& A2 = AddUnit(0, "INF_LIGHT", Attacker);
  AddUnit(1, "INF_HEAVY", Defender);
  AddUnit(1, "INF_HEAVY", Defender);
  A0.Health = 0.0f;  // a destroyed unit does not open the battle
  StartBattle();
  EXPECT_EQ(Battle().ShooterIndex, 1);
  Battle().FightStep(nullptr);
  EXPECT_EQ(Battle().ShooterIndex, 2);
  EXPECT_EQ(Battle().ActingSide, Attacker);
  Battle().FightStep(nullptr);
  EXPECT_EQ(Battle().ActingSide, Defender);
  EXPECT_EQ(Battle().ShooterIndex, 0);
  (void)A1;
  (void)A2;
}

TEST_F(BattleTest, VolleyValues) {
  TUnit& Light = AddUnit(0, "INF_LIGHT", Attacker);   // attack ground 40, defence ground 30
  TUnit& Fighter = AddUnit(1, "AIR_FIGHTER", Defender);  // air: attack air 50, defence air 40
  TUnit& Heavy = AddUnit(1, "INF_HEAVY", Defender);
  StartBattle();
  const auto Values = [&](const TUnit& S, const TUnit& T, bool DefenderFires) {
    double Attack = 0, Defence = 0;
    Battle().GetVolleyValues(S, T, DefenderFires, Attack, Defence);
    return std::pair{Attack, Defence};
  };
  EXPECT_EQ(Values(Light, Heavy, false), (std::pair{40.0, 45.0}));
  EXPECT_EQ(Values(Light, Fighter, false), (std::pair{0.0, 10.0}));  // attack air 0; defence ground
  EXPECT_EQ(Values(Fighter, Light, true), (std::pair{15.0, 5.0}));   // shooter in the air: defence air
  // The air defence helps only the defenders, only against aircraft.
  Build(Target, 0, 0, "building_airdefense");
  EXPECT_EQ(Values(Light, Fighter, true), (std::pair{35.0, 10.0}));
  EXPECT_EQ(Values(Light, Fighter, false), (std::pair{0.0, 10.0}));
  // Generals: the attacker's raises every attack, the defender's every defence, whoever fires.
  TGeneral Offer;
  Offer.Attack = 100.0f;
  Offer.Defense = 50.0f;
  TGeneral* G = Nation(0).AddGeneral(Offer);
  Nation(0).AssignGeneral(*G, *Attacker);
  TGeneral* H = Nation(1).AddGeneral(Offer);
  Nation(1).AssignGeneral(*H, *Defender);
  EXPECT_EQ(Values(Light, Heavy, false), (std::pair{60.0, 56.25}));
  EXPECT_EQ(Values(Heavy, Light, true), (std::pair{90.0, 37.5}));
  // Both are capped at 290.
  Type("INF_HEAVY").AttGround = 250;
  Type("INF_LIGHT").DefGround = 260;
  EXPECT_EQ(Values(Heavy, Light, true), (std::pair{290.0, 290.0}));
}

// Other code frees units and divisions while the battle (or its window, after the battle) still
// refers to them: the battle forgets each one as it goes, and a new unit that the allocator puts
// at the freed address is never taken for the old one.
TEST_F(BattleTest, FreedUnitsAndDivisionsLeaveTheBattle) {
  TUnit& First = AddUnit(0, "INF_HEAVY", Attacker);
  AddUnit(0, "INF_LIGHT", Attacker);
  AddUnit(1, "INF_HEAVY", Defender);
  StartBattle();
  ASSERT_EQ(Battle().AttackerUnits.size(), 2u);
  ASSERT_EQ(Battle().AttackerUnits[0], &First);

  Nation(0).RemoveUnitObject(&First);
  EXPECT_EQ(Battle().AttackerUnits[0], nullptr);
  EXPECT_NE(Battle().AttackerUnits[1], nullptr);
  for (int i = 0; i < 8; ++i) Nation(0).AddUnit(TypeIndex("INF_LIGHT"));
  EXPECT_EQ(Battle().AttackerUnits[0], nullptr);

  // A dissolved division takes its side and its units out of the battle.
  Nation(1).RemoveDivision(Defender->ID, true);
  EXPECT_EQ(Battle().DefenderDivision, nullptr);
  for (const TUnit* Unit : Battle().DefenderUnits) EXPECT_EQ(Unit, nullptr);
  EXPECT_EQ(Battle().AttackerDivision, Attacker);

  // The region's defensive army freed by a rule, not by the battle.
  Region(Target).CreateDefensiveArmy();
  Battle().Setup(*Attacker, Region(Target), nullptr, Region(Target));
  ASSERT_EQ(Battle().DefenderDivision, Region(Target).DefensiveDivision.get());
  Region(Target).ResetBuildings();
  EXPECT_EQ(Battle().DefenderDivision, nullptr);
  for (const TUnit* Unit : Battle().DefenderUnits) EXPECT_EQ(Unit, nullptr);
  ExpectNoFreedEntries();
}

// A new game or a load: nothing of the old world, and no army waiting to be freed, stays.
TEST_F(BattleTest, ForgettingDropsEveryReferenceAndThePendingRelease) {
  AddUnit(0, "INF_HEAVY", Attacker);
  StartBattle();
  Battle().ArmyToRelease = Target;
  Battle().Forget();
  EXPECT_FALSE(Battle().Running);
  EXPECT_EQ(Battle().Region, nullptr);
  EXPECT_EQ(Battle().AttackerDivision, nullptr);
  EXPECT_TRUE(Battle().AttackerUnits.empty());
  EXPECT_EQ(Battle().ArmyToRelease, -1);
  Region(Target).CreateDefensiveArmy();
  Battle().ReleaseFinishedArmy();
  EXPECT_TRUE(Region(Target).DefensiveDivision);
}
