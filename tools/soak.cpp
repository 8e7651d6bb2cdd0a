// tarnova-soak: plays computer nations against each other on a data set for many rounds and
// seeds, checks the world after every computer turn and writes per-round figures as CSV.
//   tarnova-soak [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--csv FILE]
//                [--kinds k0,k1,k2,k3,k4] [--difficulty d] [--logs FOLDER]
//                [--share-out 1]
//   tarnova-soak --idle N [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--every R]
//                [--logs FOLDER]
//   tarnova-soak --game 1 [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--every R]
//                [--logs FOLDER]
// --share-out 1 gives every unowned region to the nearest nation first, for a crowded world.
// --idle N plays the whole game instead: a new single-player game on "Normal" whose human player
// (nation N) only ends the rounds, with figures for every R rounds; --game 1 plays the whole game
// with the computer playing all five nations.
// Every mode ends with a table of the seeds: the attacks by the owner of the region attacked, won
// and lost, the regions taken from one nation by another, the round the idle player first lost a
// region, the regions at the end and how the game ended.
// The data folder holds data/ (or tarnova.dat); by default the build's own data folder.
// Exit code 1 when an invariant failed or a run threw; --help says more.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "ai_soak.h"
#include "game_soak.h"

namespace {
const char* const UsageLine =
    "usage: tarnova-soak [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--csv FILE]\n"
    "                    [--kinds k0,k1,k2,k3,k4] [--difficulty d] [--logs FOLDER] [--share-out 1]\n"
    "       tarnova-soak --idle N [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--every R]\n"
    "                    [--logs FOLDER]\n"
    "       tarnova-soak --game 1 [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--every R]\n"
    "                    [--logs FOLDER]\n";

int Usage() {
  std::cerr << UsageLine << "tarnova-soak --help explains the options.\n";
  return 2;
}

int Help() {
  std::cout << UsageLine
            << "\n"
               "Plays five computer nations against each other on the game's data for many rounds, checks the\n"
               "world after every computer turn and reports what happened.\n"
               "\n"
               "  --data FOLDER      the folder holding data/ or tarnova.dat (default: "
            << TARNOVA_DATA_FOLDER
            << ")\n"
               "  --rounds N         rounds per game (default 200; 50 with --idle)\n"
               "  --seeds K          games to play, one per seed (default 1)\n"
               "  --first-seed S     the seed of the first game; the others follow it (default 1)\n"
               "  --csv FILE         write one line per round and nation: regions, units, divisions,\n"
               "                     technologies, buildings, queue, ressources, score, units queued,\n"
               "                     attacks, owner changes and the round's time in milliseconds\n"
               "  --kinds k0,...,k4  the personality of each nation: 0 drawn at random, 1 military,\n"
               "                     2 balanced, 3 civil (default: all drawn)\n"
               "  --difficulty d     every nation's difficulty: 0 normal, 1 hard, 2 very hard (default 0)\n"
               "  --logs FOLDER      write each nation's decision log there as AI_<n>_log.html (with\n"
               "                     --idle: as plain text, AI_<n>_log.txt, of the last seed)\n"
               "  --share-out 1      give every region of nobody to the nearest nation first, so that\n"
               "                     borders and battles come at once\n"
               "  --idle N           play the whole game instead: a new single-player game on \"Normal\"\n"
               "                     whose human player, nation N, only ends the rounds; the computer\n"
               "                     plays the other four\n"
               "  --game 1           play the whole game with the computer playing all five nations (the\n"
               "                     figures as with --idle; the game ends when one nation is left)\n"
               "  --every R          with --idle or --game: print the figures of every R rounds (default 10)\n"
               "  --help             this text\n"
               "\n"
               "For every seed it prints the rounds played, the mean and worst time per round and the\n"
               "regions each nation holds at the end, then any error that ended the game and every broken\n"
               "rule of the world found after a computer turn (\"round R, after nation N: ...\").\n"
               "With --idle it prints per seed and span of rounds the attacks and owner changes in the\n"
               "span, then at its end the regions and units of each nation and the lowest and highest\n"
               "treasury of a computer nation in the span.\n"
               "Every mode ends with one line per seed: the attacks on regions of nations, of the rebels\n"
               "and of nobody (won/lost), the regions one nation took from another, the round the idle\n"
               "player first lost a region (\"-\" for never), the regions of each nation at the end and how\n"
               "the game ended (\"one nation left\", \"defeat\" or \"victory\" of the player, \"-\" running).\n"
               "Exit code 0 when every game ran clean, 1 when one broke a rule or failed, 2 for bad usage.\n";
  return 0;
}
// One seed's line of the closing table.
struct TSeedSummary {
  std::uint32_t Seed = 0;
  std::int32_t Rounds = 0;
  TSoakAttacks Battles;
  std::int32_t Conquests = 0;
  std::int32_t HumanLost = 0;  // the round the idle player first held fewer regions; 0 never
  std::array<std::int32_t, 5> Regions{};
  std::string Ending;
};

void PrintSummary(const std::vector<TSeedSummary>& Seeds, bool Human) {
  const auto WonLost = [](std::int32_t Made, std::int32_t Won) {
    return std::to_string(Won) + "/" + std::to_string(Made - Won);
  };
  std::printf("\nattacks by the owner of the region attacked, won/lost; conquests: regions taken from a nation\n"
              " seed rounds  on nations  on rebels  on nobody  conquests  %s  regions per nation   ended\n",
              Human ? "human lost" : "          ");
  TSoakAttacks All;
  std::int32_t Conquests = 0;
  for (const TSeedSummary& S : Seeds) {
    const TSoakAttacks& B = S.Battles;
    const std::string Lost = !Human ? "" : S.HumanLost > 0 ? std::to_string(S.HumanLost) : "-";
    std::printf(" %4u %6d  %10s %10s %10s  %9d  %10s ", S.Seed, S.Rounds, WonLost(B.OnNations, B.WonOnNations).c_str(),
                WonLost(B.OnRebels, B.WonOnRebels).c_str(), WonLost(B.OnNobody, B.WonOnNobody).c_str(), S.Conquests,
                Lost.c_str());
    for (std::int32_t N : S.Regions) std::printf(" %3d", N);
    std::printf("   %s\n", S.Ending.empty() ? "-" : S.Ending.c_str());
    All += B;
    Conquests += S.Conquests;
  }
  if (Seeds.size() > 1)
    std::printf("  all         %10s %10s %10s  %9d\n", WonLost(All.OnNations, All.WonOnNations).c_str(),
                WonLost(All.OnRebels, All.WonOnRebels).c_str(), WonLost(All.OnNobody, All.WonOnNobody).c_str(), Conquests);
}

// The whole game with an idle human player: per span of Every rounds the attacks and owner
// changes, the regions and units of each nation at its end, and the lowest and highest computer
// treasury.
int PlayGames(TGameSoakOptions Options, std::int32_t Seeds, std::uint32_t FirstSeed, std::int32_t Every) {
  Options.SaveFolder = std::filesystem::temp_directory_path() / ("tarnova-soak-" + std::to_string(::getpid()));
  Every = std::max(Every, 1);
  int Failed = 0;
  std::vector<TSeedSummary> Summary;
  for (std::int32_t s = 0; s < Seeds; ++s) {
    Options.Seed = FirstSeed + static_cast<std::uint32_t>(s);
    const TGameSoakResult R = RunGameSoak(Options);
    if (Options.IdleNation >= 0)
      std::printf("seed %u, human nation %d idle\n", Options.Seed, Options.IdleNation);
    else
      std::printf("seed %u, five computer nations\n", Options.Seed);
    std::printf(" rounds   attacks changes  regions per nation  units per nation     lowest treasury  highest\n");
    TSeedSummary Sum;
    Sum.Seed = Options.Seed;
    Sum.Rounds = static_cast<std::int32_t>(R.Rounds.size());
    if (!R.Ending.empty() && !R.Rounds.empty())
      Sum.Ending = (Options.IdleNation < 0 && R.Ending == "victory" ? std::string("one nation left") : R.Ending) +
                   " in round " + std::to_string(R.Rounds.back().Round);
    if (!R.Rounds.empty()) Sum.Regions = R.Rounds.back().Regions;
    for (std::size_t r = 0; r < R.Rounds.size(); ++r) {
      const TGameSoakRound& Round = R.Rounds[r];
      for (const TSoakAttacks& B : Round.Battles) Sum.Battles += B;
      Sum.Conquests += Round.Conquests;
      if (Options.IdleNation >= 0 && !Sum.HumanLost) {
        const std::size_t H = static_cast<std::size_t>(Options.IdleNation);
        const std::int32_t Before = r > 0 ? R.Rounds[r - 1].Regions[H] : R.Rounds[0].Regions[H] + Round.Battles[H].LostToNations;
        if (Round.Regions[H] < Before) Sum.HumanLost = Round.Round;
      }
    }
    Summary.push_back(Sum);
    std::int32_t Attacks = 0, Changes = 0;
    float Lowest = 0.0f, Highest = 0.0f;
    bool Any = false;
    for (std::size_t r = 0; r < R.Rounds.size(); ++r) {
      const TGameSoakRound& Round = R.Rounds[r];
      for (std::int32_t A : Round.Attacks) Attacks += A;
      Changes += Round.OwnerChanges;
      for (std::int32_t i = 0; i < 5; ++i)
        if (i != Options.IdleNation) {
          const float Treasury = Round.Ressources[static_cast<std::size_t>(i)];
          Lowest = Any ? std::min(Lowest, Treasury) : Treasury;
          Highest = Any ? std::max(Highest, Treasury) : Treasury;
          Any = true;
        }
      if (Round.Round % Every != 0 && r + 1 != R.Rounds.size()) continue;
      std::printf(" %3d-%-3d  %7d %7d ", Round.Round - Every + 1 > 1 ? Round.Round - Every + 1 : 1, Round.Round, Attacks, Changes);
      for (std::int32_t N : Round.Regions) std::printf(" %3d", N);
      std::printf("  ");
      for (std::int32_t N : Round.Military) std::printf(" %3d", N);
      std::printf("  %10.0f  %10.0f\n", Lowest, Highest);
      Attacks = Changes = 0;
      Any = false;
    }
    if (!R.Ending.empty()) std::printf(" the game ended: %s\n", R.Ending.c_str());
    if (!R.Error.empty()) std::printf(" error: %s\n", R.Error.c_str());
    for (const std::string& V : R.Violations) std::printf(" %s\n", V.c_str());
    Failed += !R.Error.empty() || !R.Violations.empty();
  }
  std::error_code Ec;
  std::filesystem::remove_all(Options.SaveFolder, Ec);
  PrintSummary(Summary, Options.IdleNation >= 0);
  return Failed ? 1 : 0;
}
}  // namespace

int main(int argc, char** argv) {
  TSoakOptions Options;
  Options.DataRoot = TARNOVA_DATA_FOLDER;
  std::int32_t Seeds = 1;
  std::uint32_t FirstSeed = 1;
  std::string CsvFile;
  TGameSoakOptions Game;
  Game.DataRoot = TARNOVA_DATA_FOLDER;
  Game.Rounds = 50;  // with --idle; the other soak's default stays
  std::int32_t Every = 10;
  bool WholeGame = false;
  for (int i = 1; i < argc; ++i) {
    const std::string Arg = argv[i];
    if (Arg == "--help" || Arg == "-h") return Help();
    if (i + 1 >= argc) return Usage();
    const std::string Value = argv[++i];
    if (Arg == "--data") Options.DataRoot = Game.DataRoot = Value;
    else if (Arg == "--rounds") Options.Rounds = Game.Rounds = std::atoi(Value.c_str());
    else if (Arg == "--idle") Game.IdleNation = std::atoi(Value.c_str());
    else if (Arg == "--game") WholeGame = Value == "1";
    else if (Arg == "--every") Every = std::atoi(Value.c_str());
    else if (Arg == "--seeds") Seeds = std::atoi(Value.c_str());
    else if (Arg == "--first-seed") FirstSeed = static_cast<std::uint32_t>(std::strtoul(Value.c_str(), nullptr, 10));
    else if (Arg == "--csv") CsvFile = Value;
    else if (Arg == "--logs") Options.LogFolder = Game.LogFolder = Value;
    else if (Arg == "--share-out") Options.ShareOutRegions = Value == "1";
    else if (Arg == "--difficulty") Options.Difficulties.fill(static_cast<std::uint16_t>(std::atoi(Value.c_str())));
    else if (Arg == "--kinds") {
      std::stringstream List(Value);
      std::string Kind;
      for (std::size_t k = 0; k < 5 && std::getline(List, Kind, ','); ++k)
        Options.Kinds[k] = static_cast<std::uint16_t>(std::atoi(Kind.c_str()));
    } else return Usage();
  }
  if (Game.IdleNation >= 0 || WholeGame) {
    if (Game.IdleNation > 4 || (WholeGame && Game.IdleNation >= 0)) return Usage();
    return PlayGames(Game, Seeds, FirstSeed, Every);
  }
  std::ofstream Csv;
  if (!CsvFile.empty()) {
    Csv.open(CsvFile);
    if (!Csv) {
      std::cerr << "tarnova-soak: cannot write " << CsvFile << "\n";
      return 2;
    }
    WriteSoakCsvHeader(Csv);
  }
  int Failed = 0;
  std::vector<TSeedSummary> Summary;
  for (std::int32_t s = 0; s < Seeds; ++s) {
    Options.Seed = FirstSeed + static_cast<std::uint32_t>(s);
    const TSoakResult Result = RunSoak(Options);
    TSeedSummary Sum;
    Sum.Seed = Options.Seed;
    Sum.Rounds = static_cast<std::int32_t>(Result.Rounds.size());
    for (const TSoakRound& R : Result.Rounds) {
      for (const TSoakNationFigures& N : R.Nations) Sum.Battles += N.Battles;
      Sum.Conquests += R.Conquests;
      const auto Standing = std::count_if(R.Nations.begin(), R.Nations.end(), [](const auto& N) { return N.Regions > 0; });
      if (Standing == 1 && Sum.Ending.empty()) Sum.Ending = "one nation left in round " + std::to_string(R.Round + 1);
    }
    if (!Result.Rounds.empty())
      for (std::size_t i = 0; i < 5; ++i) Sum.Regions[i] = Result.Rounds.back().Nations[i].Regions;
    Summary.push_back(Sum);
    if (Csv.is_open()) WriteSoakCsv(Result, Options.Seed, Csv);
    double Total = 0.0, Worst = 0.0;
    for (const auto& R : Result.Rounds) {
      Total += R.Milliseconds;
      Worst = std::max(Worst, R.Milliseconds);
    }
    std::cout << "seed " << Options.Seed << ": " << Result.Rounds.size() << " rounds, "
              << (Result.Rounds.empty() ? 0.0 : Total / Result.Rounds.size()) << " ms per round (worst " << Worst
              << " ms), regions at the end:";
    if (!Result.Rounds.empty())
      for (const auto& N : Result.Rounds.back().Nations) std::cout << ' ' << N.Regions;
    std::cout << "\n";
    if (!Result.Error.empty()) std::cout << "  error: " << Result.Error << "\n";
    for (const auto& V : Result.Violations) std::cout << "  " << V << "\n";
    Failed += !Result.Error.empty() || !Result.Violations.empty();
  }
  PrintSummary(Summary, false);
  return Failed ? 1 : 0;
}
