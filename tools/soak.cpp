// tarnova-soak: plays computer nations against each other on a data set for many rounds and
// seeds, checks the world after every computer turn and writes per-round figures as CSV.
//   tarnova-soak [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--csv FILE]
//                [--kinds k0,k1,k2,k3,k4] [--difficulty d] [--logs FOLDER]
//                [--share-out 1]
// --share-out 1 gives every unowned region to the nearest nation first, for a crowded world.
// The data folder holds data/ (or tarnova.dat); by default the build's own data folder.
// Exit code 1 when an invariant failed or a run threw; --help says more.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ai_soak.h"

namespace {
const char* const UsageLine =
    "usage: tarnova-soak [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--csv FILE]\n"
    "                    [--kinds k0,k1,k2,k3,k4] [--difficulty d] [--logs FOLDER] [--share-out 1]\n";

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
               "  --rounds N         rounds per game (default 200)\n"
               "  --seeds K          games to play, one per seed (default 1)\n"
               "  --first-seed S     the seed of the first game; the others follow it (default 1)\n"
               "  --csv FILE         write one line per round and nation: regions, units, divisions,\n"
               "                     technologies, buildings, queue, ressources, score, units queued,\n"
               "                     attacks, owner changes and the round's time in milliseconds\n"
               "  --kinds k0,...,k4  the personality of each nation: 0 drawn at random, 1 military,\n"
               "                     2 balanced, 3 civil (default: all drawn)\n"
               "  --difficulty d     every nation's difficulty: 0 normal, 1 hard, 2 very hard (default 0)\n"
               "  --logs FOLDER      write each nation's decision log there as AI_<n>_log.html\n"
               "  --share-out 1      give every region of nobody to the nearest nation first, so that\n"
               "                     borders and battles come at once\n"
               "  --help             this text\n"
               "\n"
               "For every seed it prints the rounds played, the mean and worst time per round and the\n"
               "regions each nation holds at the end, then any error that ended the game and every broken\n"
               "rule of the world found after a computer turn (\"round R, after nation N: ...\").\n"
               "Exit code 0 when every game ran clean, 1 when one broke a rule or failed, 2 for bad usage.\n";
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  TSoakOptions Options;
  Options.DataRoot = TARNOVA_DATA_FOLDER;
  std::int32_t Seeds = 1;
  std::uint32_t FirstSeed = 1;
  std::string CsvFile;
  for (int i = 1; i < argc; ++i) {
    const std::string Arg = argv[i];
    if (Arg == "--help" || Arg == "-h") return Help();
    if (i + 1 >= argc) return Usage();
    const std::string Value = argv[++i];
    if (Arg == "--data") Options.DataRoot = Value;
    else if (Arg == "--rounds") Options.Rounds = std::atoi(Value.c_str());
    else if (Arg == "--seeds") Seeds = std::atoi(Value.c_str());
    else if (Arg == "--first-seed") FirstSeed = static_cast<std::uint32_t>(std::strtoul(Value.c_str(), nullptr, 10));
    else if (Arg == "--csv") CsvFile = Value;
    else if (Arg == "--logs") Options.LogFolder = Value;
    else if (Arg == "--share-out") Options.ShareOutRegions = Value == "1";
    else if (Arg == "--difficulty") Options.Difficulties.fill(static_cast<std::uint16_t>(std::atoi(Value.c_str())));
    else if (Arg == "--kinds") {
      std::stringstream List(Value);
      std::string Kind;
      for (std::size_t k = 0; k < 5 && std::getline(List, Kind, ','); ++k)
        Options.Kinds[k] = static_cast<std::uint16_t>(std::atoi(Kind.c_str()));
    } else return Usage();
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
  for (std::int32_t s = 0; s < Seeds; ++s) {
    Options.Seed = FirstSeed + static_cast<std::uint32_t>(s);
    const TSoakResult Result = RunSoak(Options);
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
  return Failed ? 1 : 0;
}
