// The short soak of the whole game: five computer nations through the game's own "next round"
// with autosave and statistics, the game and the world checked after every round, the heap flat
// once the world has settled. bench/game_soak plays the long one (ten seeds of 500 rounds).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "game_soak.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

TEST(GameSoakTest, ComputerNationsPlayTheGamesRoundsAndKeepTheGameSound) {
  TLogCapture Log;
  TTempFolder Saves;
  TGameSoakOptions O;
  O.DataRoot = TARNOVA_BINARY_DIR;
  O.SaveFolder = Saves.Path();
  O.Rounds = 400;
  for (std::uint32_t Seed : {3u, 9u}) {
    SCOPED_TRACE(testing::Message() << "seed " << Seed);
    O.Seed = Seed;
    const TGameSoakResult R = RunGameSoak(O);
    ASSERT_EQ(R.Error, "");
    for (const std::string& V : R.Violations) ADD_FAILURE() << V;
    ASSERT_EQ(R.Ending, "");
    ASSERT_EQ(R.Rounds.size(), 400u);
    EXPECT_EQ(R.Rounds.back().Round, 400);
    EXPECT_EQ(R.Autosaves, 40);

    // The computer nations fight: attacks every few rounds, regions change hands.
    int Attacks = 0, Changes = 0;
    for (const TGameSoakRound& Round : R.Rounds) {
      for (int A : Round.Attacks) Attacks += A;
      Changes += Round.OwnerChanges;
    }
    EXPECT_GE(Attacks, 30);
    EXPECT_GE(Changes, 10);

    // The armies grow for a few hundred rounds; over the last hundred the world has settled and
    // the heap stays flat: the computer nations' logs are read and dropped every round, the
    // statistics keep 100 rounds, the market keeps at most 30 offers of a kind. What remains is
    // the game log's lines of the autosaves.
    EXPECT_LE(std::abs(R.Rounds[299].Units - R.Rounds.back().Units), 10);
    ASSERT_GT(R.Rounds[299].HeapBytes, 0);
    EXPECT_LT(HeapTrend(R, 300, 400), 128.0) << "heap " << R.Rounds[299].HeapBytes << " bytes at round 300, "
                                            << R.Rounds.back().HeapBytes << " at round 400";
  }
}

}  // namespace
