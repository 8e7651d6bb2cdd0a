// The short soak of the whole game: five computer nations through the game's own "next round"
// with autosave and statistics, the game and the world checked after every round, the heap flat
// once the world has settled. bench/game_soak plays the long one (ten seeds of 500 rounds).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <filesystem>

#include "game_soak.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

// Plays the game on the test build's data set, saving into Saves, for the given rounds and
// seed; a failure of the run itself or of a rule check fails the test.
TGameSoakResult PlayGame(TGameSoakOptions O, const TTempFolder& Saves, int Rounds, std::uint32_t Seed) {
  O.DataRoot = TARNOVA_BINARY_DIR;
  O.SaveFolder = Saves.Path();
  O.Rounds = Rounds;
  O.Seed = Seed;
  TGameSoakResult R = RunGameSoak(O);
  EXPECT_EQ(R.Error, "");
  for (const std::string& V : R.Violations) ADD_FAILURE() << V;
  EXPECT_EQ(R.Ending, "");
  EXPECT_EQ(R.Rounds.size(), static_cast<std::size_t>(Rounds));
  return R;
}

TEST(GameSoakTest, ComputerNationsPlayTheGamesRoundsAndKeepTheGameSound) {
  TLogCapture Log;
  TTempFolder Saves;
  for (std::uint32_t Seed : {3u, 9u}) {
    SCOPED_TRACE(testing::Message() << "seed " << Seed);
    const TGameSoakResult R = PlayGame({}, Saves, 400, Seed);
    ASSERT_EQ(R.Rounds.size(), 400u);
    EXPECT_EQ(R.Rounds.back().Round, 400);
    EXPECT_EQ(R.Autosaves, 40);

    // The computer nations fight: attacks every few rounds, regions change hands.
    int Attacks = 0, Changes = 0;
    for (const TGameSoakRound& Round : R.Rounds) {
      for (int A : Round.Attacks) Attacks += A;
      Changes += Round.OwnerChanges;
      // Each attack counted once by its target's owner, each conquest once for the loser.
      int Conquests = 0;
      for (std::size_t i = 0; i < 5; ++i) {
        const TSoakAttacks& B = Round.Battles[i];
        EXPECT_EQ(B.OnNations + B.OnRebels + B.OnNobody, Round.Attacks[i]) << "round " << Round.Round;
        Conquests += B.LostToNations;
      }
      EXPECT_EQ(Conquests, Round.Conquests) << "round " << Round.Round;
    }
    EXPECT_GE(Attacks, 30);
    EXPECT_GE(Changes, 10);

    // The armies grow for a few hundred rounds; over the last hundred they stay within a fifth of
    // their size (the wars between the nations go on) and the heap stays flat: the computer
    // nations' logs are read and dropped every round, the statistics keep 100 rounds. What
    // remains is the game log's lines of the autosaves and the transfer market's offers, which
    // nothing limits (a few hundred bytes each).
    EXPECT_LE(std::abs(R.Rounds[299].Units - R.Rounds.back().Units) * 5, R.Rounds[299].Units);
    ASSERT_GT(R.Rounds[299].HeapBytes, 0);
    const double Offers = OfferTrend(R, 300, 400);
    EXPECT_LT(HeapTrend(R, 300, 400), 128.0 + 512.0 * std::max(Offers, 0.0))
        << "heap " << R.Rounds[299].HeapBytes << " bytes at round 300, " << R.Rounds.back().HeapBytes
        << " at round 400; the market grew by " << Offers << " offers a round";
  }
}

// A new single-player game on "Normal" whose human player only ends the rounds: every computer
// nation has units within the first rounds and the first attack comes within 20 rounds, while
// the human still holds the home.
TEST(GameSoakTest, OnNormalTheComputerNationsArmAtOnceAndAttackWithinTwentyRounds) {
  TLogCapture Log;
  TTempFolder Saves;
  TGameSoakOptions Idle;
  Idle.IdleNation = 0;
  for (std::uint32_t Seed : {1u, 5u, 9u}) {
    SCOPED_TRACE(testing::Message() << "seed " << Seed);
    const TGameSoakResult R = PlayGame(Idle, Saves, 20, Seed);
    ASSERT_EQ(R.Rounds.size(), 20u);
    for (std::size_t i = 1; i < 5; ++i) EXPECT_GT(R.Rounds[2].Military[i], 0) << "nation " << i << " after round 3";
    int FirstAttack = 0;
    for (const TGameSoakRound& Round : R.Rounds)
      if (!FirstAttack && std::accumulate(Round.Attacks.begin(), Round.Attacks.end(), 0) > 0) FirstAttack = Round.Round;
    EXPECT_GT(FirstAttack, 0) << "no attack in 20 rounds";
    EXPECT_EQ(R.Rounds.back().Military[0], 0);
    EXPECT_EQ(R.Rounds.back().Regions[0], R.Rounds.front().Regions[0]);
  }
}

// The computer nations do not leave a passive player alone: in most games on "Normal" the
// Kaluan Alliance or another nation takes one of the idle human's regions within 60 rounds
// (in eight of the first ten seeds).
TEST(GameSoakTest, OnNormalAPassivePlayerLosesARegionWithinSixtyRoundsInMostGames) {
  TLogCapture Log;
  TTempFolder Saves;
  TGameSoakOptions Idle;
  Idle.IdleNation = 0;
  int Lost = 0;
  for (std::uint32_t Seed = 1; Seed <= 10; ++Seed) {
    TGameSoakOptions O = Idle;
    O.DataRoot = TARNOVA_BINARY_DIR;
    O.SaveFolder = Saves.Path();
    O.Rounds = 60;
    O.Seed = Seed;
    // A game may end in the player's defeat before round 60.
    const TGameSoakResult R = RunGameSoak(O);
    ASSERT_EQ(R.Error, "") << "seed " << Seed;
    for (const std::string& V : R.Violations) ADD_FAILURE() << "seed " << Seed << ": " << V;
    ASSERT_FALSE(R.Rounds.empty()) << "seed " << Seed;
    if (R.Ending == "defeat" || R.Rounds.back().Regions[0] < R.Rounds.front().Regions[0]) ++Lost;
  }
  EXPECT_GE(Lost, 7);
}

}  // namespace
