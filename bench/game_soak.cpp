// The long soak of the whole game: five computer nations through the game's own "next round"
// (autosave and statistics included) for many seeds and rounds, the game checked after every
// round. Prints per seed the regions of each nation, the attacks and owner changes up to rounds
// 50, 100, 200 and 500, and the live heap from round 100 to the end; exit code 1 when a rule
// broke, a run failed or the heap grew.
//   bench_game_soak [--seeds K] [--first-seed S] [--rounds N] [--data FOLDER]
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game_soak.h"

namespace {
// Flat: the log's lines of the autosaves (about 40 bytes a round), and the transfer market's
// offers, which nothing limits (at most this many bytes each).
constexpr double kFlatBytesPerRound = 128.0;
constexpr double kBytesPerOffer = 512.0;
}  // namespace

int main(int argc, char** argv) {
  std::int32_t Seeds = 10, Rounds = 500;
  std::uint32_t FirstSeed = 1;
  std::filesystem::path Data = TARNOVA_BINARY_DIR;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string Arg = argv[i], Value = argv[i + 1];
    if (Arg == "--seeds") Seeds = std::atoi(Value.c_str());
    else if (Arg == "--first-seed") FirstSeed = static_cast<std::uint32_t>(std::atoi(Value.c_str()));
    else if (Arg == "--rounds") Rounds = std::atoi(Value.c_str());
    else if (Arg == "--data") Data = Value;
    else {
      std::fprintf(stderr, "usage: bench_game_soak [--seeds K] [--first-seed S] [--rounds N] [--data FOLDER]\n");
      return 2;
    }
  }
  const std::filesystem::path Saves = std::filesystem::temp_directory_path() / ("tarnova-game-soak-" + std::to_string(::getpid()));
  const std::array<std::int32_t, 4> Marks = {50, 100, 200, 500};
  int Failed = 0;
  std::printf("seed round  regions per nation   attacks  owner changes  (totals up to the round)\n");
  for (std::int32_t s = 0; s < Seeds; ++s) {
    TGameSoakOptions O;
    O.DataRoot = Data;
    O.SaveFolder = Saves;
    O.Seed = FirstSeed + static_cast<std::uint32_t>(s);
    O.Rounds = Rounds;
    const auto Start = std::chrono::steady_clock::now();
    const TGameSoakResult R = RunGameSoak(O);
    const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::int32_t Attacks = 0, Changes = 0;
    std::size_t Next = 0;
    for (const TGameSoakRound& Round : R.Rounds) {
      for (std::int32_t A : Round.Attacks) Attacks += A;
      Changes += Round.OwnerChanges;
      while (Next < Marks.size() && Round.Round > Marks[Next]) ++Next;
      if (Next < Marks.size() && (Round.Round == Marks[Next] || &Round == &R.Rounds.back())) {
        std::printf("%4u %5d  %3d %3d %3d %3d %3d  %7d  %13d\n", O.Seed, Round.Round, Round.Regions[0], Round.Regions[1],
                    Round.Regions[2], Round.Regions[3], Round.Regions[4], Attacks, Changes);
        ++Next;
      }
    }
    // The heap at every hundredth round, with the armies' size beside it: the world grows into
    // its armies for a few hundred rounds, then settles; from then on the heap must stay flat.
    std::printf("     heap KiB (units):");
    for (const TGameSoakRound& Round : R.Rounds)
      if (Round.Round % 100 == 0) std::printf(" %d: %.1f (%d)", Round.Round, Round.HeapBytes / 1024.0, Round.Units);
    const std::int32_t Last = R.Rounds.empty() ? 0 : R.Rounds.back().Round;
    const double Trend = HeapTrend(R, 100, Last), Settled = HeapTrend(R, Last - 100, Last);
    std::printf("\n     trend %+.0f bytes per round from round 100, %+.0f over the last 100; %d autosaves; %.1f s%s%s\n",
                Trend, Settled, R.Autosaves, Seconds, R.Ending.empty() ? "" : "; the game ended: ", R.Ending.c_str());
    if (!R.Error.empty()) std::printf("     error: %s\n", R.Error.c_str());
    for (const std::string& V : R.Violations) std::printf("     %s\n", V.c_str());
    const bool Grows = Settled > kFlatBytesPerRound + kBytesPerOffer * std::max(OfferTrend(R, Last - 100, Last), 0.0);
    if (Grows) std::printf("     the heap grows\n");
    Failed += !R.Error.empty() || !R.Violations.empty() || Grows;
  }
  std::error_code Ec;
  std::filesystem::remove_all(Saves, Ec);
  return Failed ? 1 : 0;
}
