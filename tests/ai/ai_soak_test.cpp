// The soak run: five computer nations on the game's data set for 200 rounds and three seeds,
// with the invariants checked after every computer turn, determinism, and weak checks that the
// computer nations play sensibly.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ai_soak.h"
#include "support/log_capture.h"
#include "world/region.h"

namespace {

// The game's data set, built before this test (a build dependency); its absence is a failure.
std::filesystem::path DataSet() { return TARNOVA_BINARY_DIR; }
bool HaveDataSet() { return std::filesystem::exists(DataSet() / "data" / "XML" / "regions.xml"); }

TSoakOptions Options(std::uint32_t Seed, std::int32_t Rounds = 200, bool Crowded = false) {
  TSoakOptions O;
  O.ShareOutRegions = Crowded;
  O.DataRoot = DataSet();
  O.Seed = Seed;
  O.Rounds = Rounds;
  return O;
}

class TAISoakTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(HaveDataSet()) << "no data set in " << DataSet() << ": build tarnova_data first"; }
  TLogCapture Log;
};

TEST_F(TAISoakTest, ThreeSeedsOf200RoundsKeepTheWorldSound) {
  int NationRounds = 0, InDebt = 0;
  bool Met = false;
  for (std::uint32_t Seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(testing::Message() << "seed " << Seed);
    const TSoakResult R = RunSoak(Options(Seed));
    ASSERT_EQ(R.Error, "");
    ASSERT_EQ(R.Rounds.size(), 200u);
    for (const std::string& V : R.Violations) ADD_FAILURE() << V;

    // The data set lets the computer nations hold out and keep researching: the nations conquer
    // each other, but after 200 rounds at least two of them still hold more than one region, and
    // every nation still standing has several technologies.
    int Holding = 0;
    for (std::size_t i = 0; i < 5; ++i) {
      const TSoakNationFigures& N = R.Rounds.back().Nations[i];
      Holding += N.Regions >= 2;
      if (!N.Dead) {
        EXPECT_GE(N.Technologies, 3) << "nation " << i;
      }
    }
    EXPECT_GE(Holding, 2);
    // The rebels around the homes make a game with opposition: the nations raise armies and
    // attack (at most one, a civil one kept poor by its constructions, never does), regions change
    // hands about every ten rounds or more often, nobody is wiped out in the first 40 rounds, and
    // somewhere two nations come to share a border.
    std::array<int, 5> Attacks{};
    int Changes = 0;
    for (const auto& Round : R.Rounds) {
      Changes += Round.OwnerChanges;
      int Conquests = 0;
      for (std::size_t i = 0; i < 5; ++i) {
        const TSoakNationFigures& N = Round.Nations[i];
        // Every attack is counted once by the owner of its target, every conquest of a nation's
        // region once for the loser.
        EXPECT_EQ(N.Battles.OnNations + N.Battles.OnRebels + N.Battles.OnNobody, N.Attacks) << "round " << Round.Round;
        Conquests += N.Battles.WonOnNations;
        EXPECT_EQ(N.Battles.OnNobody, 0) << "round " << Round.Round;
        if (!N.Dead) {
          ++NationRounds;
          InDebt += N.Ressources < 0.0f;
        }
        Attacks[i] += N.Attacks;
        Met = Met || N.NationsMet > 0;
        if (Round.Round < 40) {
          EXPECT_FALSE(N.Dead) << "nation " << i << " in round " << Round.Round;
        }
      }
      EXPECT_EQ(Conquests, Round.Conquests) << "round " << Round.Round;
    }
    EXPECT_GE(std::count_if(Attacks.begin(), Attacks.end(), [](int A) { return A > 0; }), 4);
    EXPECT_GE(Changes, 20);
  }
  // ... and every nation still standing pays its way most of the time (a nation losing its
  // regions to a neighbour keeps its army on a shrinking income for a while; a dead one pays its
  // army and staff without income).
  EXPECT_LT(InDebt * 5, NationRounds);
  EXPECT_TRUE(Met);
}

// Every unowned region shared out among the nations: borders everywhere, so divisions, attacks
// and battles happen from the first rounds on.
TEST_F(TAISoakTest, ThreeSeedsOf200RoundsInACrowdedWorldKeepTheWorldSound) {
  int Attacks = 0;
  for (std::uint32_t Seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(testing::Message() << "seed " << Seed);
    const TSoakResult R = RunSoak(Options(Seed, 200, true));
    ASSERT_EQ(R.Error, "");
    ASSERT_EQ(R.Rounds.size(), 200u);
    for (const std::string& V : R.Violations) ADD_FAILURE() << V;

    // Every nation alive at round 50 has researched something by then.
    const TSoakRound& Round50 = R.Rounds[50];
    for (const auto& N : Round50.Nations) {
      if (!N.Dead) {
        EXPECT_GE(N.Technologies, 1);
      }
    }
    // They build: more finished buildings per owned region at round 50 than at the start.
    const auto PerRegion = [](const TSoakRound& Round) {
      double Buildings = 0.0, Regions = 0.0;
      for (const auto& N : Round.Nations) Buildings += N.Buildings, Regions += N.Regions;
      return Regions > 0.0 ? Buildings / Regions : 0.0;
    };
    EXPECT_GT(PerRegion(Round50), PerRegion(R.Rounds[0]));
    // Regions change hands over the game; a nation that lost its last region keeps its units
    // and pays for them (and its staff) without income, so its treasury does not end above
    // where it stood when it died.
    int Changes = 0;
    std::array<std::optional<TSoakNationFigures>, 5> AtDeath;
    for (const auto& Round : R.Rounds) {
      Changes += Round.OwnerChanges;
      for (std::size_t i = 0; i < 5; ++i) {
        const TSoakNationFigures& N = Round.Nations[i];
        Attacks += N.Attacks;
        if (!N.Dead) continue;
        if (!AtDeath[i]) AtDeath[i] = N;
        EXPECT_GE(N.Units, AtDeath[i]->Units) << "dead nation " << i << " in round " << Round.Round;
        EXPECT_EQ(N.Regions, 0) << "dead nation " << i << " in round " << Round.Round;
      }
    }
    for (std::size_t i = 0; i < 5; ++i) {
      if (AtDeath[i]) {
        EXPECT_LE(R.Rounds.back().Nations[i].Ressources, AtDeath[i]->Ressources) << "dead nation " << i;
      }
    }
    EXPECT_GT(Changes, 0);
  }
  EXPECT_GT(Attacks, 0);
}

TEST_F(TAISoakTest, TheSameSeedGivesTheSameGame) {
  const TSoakResult A = RunSoak(Options(7, 60));
  const TSoakResult B = RunSoak(Options(7, 60));
  EXPECT_EQ(A.LogHash, B.LogHash);
  std::ostringstream CsvA, CsvB;
  WriteSoakCsv(A, 7, CsvA);
  WriteSoakCsv(B, 7, CsvB);
  // The timing column differs; everything before it must not.
  const auto WithoutTimes = [](const std::string& Csv) {
    std::string Out;
    std::istringstream In(Csv);
    for (std::string Line; std::getline(In, Line);) Out += Line.substr(0, Line.rfind(',')) + "\n";
    return Out;
  };
  EXPECT_EQ(WithoutTimes(CsvA.str()), WithoutTimes(CsvB.str()));
  const TSoakResult C = RunSoak(Options(8, 60));
  EXPECT_NE(A.LogHash, C.LogHash);
}

// Over the first 50 rounds, where the personality's shares decide; later the upkeep a nation's
// income allows caps every kind's army alike.
TEST_F(TAISoakTest, MilitaryOpponentsBuyMoreUnitsAndAttackMoreThanCivilOnes) {
  int MilitaryAhead = 0, AllAttacksM = 0, AllAttacksC = 0;
  for (std::uint32_t Seed : {11u, 12u, 13u}) {
    TSoakOptions Military = Options(Seed, 50, true), Civil = Options(Seed, 50, true);
    Military.Kinds.fill(1);
    Civil.Kinds.fill(3);
    const TSoakResult M = RunSoak(Military), C = RunSoak(Civil);
    ASSERT_EQ(M.Error, "");
    ASSERT_EQ(C.Error, "");
    int UnitsM = 0, UnitsC = 0, AttacksM = 0, AttacksC = 0;
    for (const auto& Round : M.Rounds)
      for (const auto& N : Round.Nations) UnitsM += N.UnitsQueued, AttacksM += N.Attacks;
    for (const auto& Round : C.Rounds)
      for (const auto& N : Round.Nations) UnitsC += N.UnitsQueued, AttacksC += N.Attacks;
    MilitaryAhead += UnitsM > UnitsC && AttacksM >= AttacksC;
    AllAttacksM += AttacksM;
    AllAttacksC += AttacksC;
  }
  EXPECT_GE(MilitaryAhead, 2);
  EXPECT_GT(AllAttacksM, AllAttacksC);
}

// The attacks a turn's decision log tells of, counted by the owner of the region attacked.
TEST(SoakAttackCountTest, AttacksCountByTheTargetsOwnerAndConquestsForTheLoser) {
  const std::vector<std::string> Names = {"Alba", "Brea", "Cora", "Dune"};
  const auto Index = [&](const std::string& Name) {
    const auto It = std::find(Names.begin(), Names.end(), Name);
    return It == Names.end() ? -1 : static_cast<std::int32_t>(It - Names.begin());
  };
  // The round messages the defenders got: nation 2 lost Alba; nation 3 was never told of Brea,
  // which rebelled in the region rounds before the computer turns.
  std::vector<std::string> Messages = {"2 Alba won", "2 Dune won"};
  const auto Told = [&](std::uint8_t Owner, const std::string& Target, bool Won) {
    const auto It = std::find(Messages.begin(), Messages.end(),
                              std::to_string(Owner) + " " + Target + (Won ? " won" : " lost"));
    if (It == Messages.end()) return false;
    Messages.erase(It);
    return true;
  };
  std::vector<std::uint8_t> Owners = {2, 3, TRegion::OwnerRebels, TRegion::OwnerNobody};
  std::array<TSoakAttacks, 5> Counts{};
  const std::vector<std::string> Turn1 = {
      " I want to attack enemy region \"Dune\" with army \"AI-Army 0(Old)",  // before the turn
      " -> I have won the battle",
      "DoArmyManagement",
      " I want to attack enemy region \"Alba\" with army \"AI-Army 0(Home)",
      " -> I have won the battle",
      " I want to attack enemy region \"Brea\" with army \"AI-Army 1(Home)",
      " -> I have lost the battle",
      " I want to attack enemy region \"Cora\" with army \"AI-Army 2(Home)",
      " -> I have won the battle",
      " I want to attack enemy region \"Dune\" with army \"AI-Army 3(Home)",
      " -> I have lost the battle",
      " -> I have won the battle",  // an outcome without its attack counts for nothing
  };
  CountAttacks(Turn1, 2, 1, Index, Told, Owners, Counts);
  EXPECT_EQ(Counts[1].OnNations, 1);
  EXPECT_EQ(Counts[1].WonOnNations, 1);
  EXPECT_EQ(Counts[1].OnRebels, 2);
  EXPECT_EQ(Counts[1].WonOnRebels, 1);
  EXPECT_EQ(Counts[1].OnNobody, 1);
  EXPECT_EQ(Counts[1].WonOnNobody, 0);
  EXPECT_EQ(Counts[2].LostToNations, 1);
  EXPECT_EQ(Counts[3].LostToNations, 0);
  EXPECT_EQ(Owners, (std::vector<std::uint8_t>{1, 3, 1, TRegion::OwnerNobody}));

  // The next nation's turn sees the regions won before it: Alba is nation 1's now.
  Messages = {"1 Alba lost"};
  CountAttacks({" I want to attack enemy region \"Alba\" with army \"AI-Army 0(Near)", " -> I have lost the battle"}, 0,
               4, Index, Told, Owners, Counts);
  EXPECT_EQ(Counts[4].OnNations, 1);
  EXPECT_EQ(Counts[4].WonOnNations, 0);
  EXPECT_EQ(Counts[1].LostToNations, 0);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(TAISoakTest, TheCsvHasALinePerRoundAndNation) {
  const TSoakResult R = RunSoak(Options(1, 3));
  std::ostringstream Csv;
  WriteSoakCsvHeader(Csv);
  WriteSoakCsv(R, 1, Csv);
  std::istringstream In(Csv.str());
  std::string Line;
  int Lines = 0;
  while (std::getline(In, Line)) ++Lines;
  EXPECT_EQ(Lines, 1 + 15);  // the header, then three rounds of five nations
}

}  // namespace
