// tarnova-soak: plays computer nations against each other on a data set for many rounds and
// seeds, checks the world after every computer turn and writes per-round figures as CSV.
//   tarnova-soak [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--csv FILE]
//                [--kinds k0,k1,k2,k3,k4] [--difficulty d] [--logs FOLDER]
//                [--share-out 1]
// --share-out 1 gives every unowned region to the nearest nation first, for a crowded world.
// The data folder holds data/ (or tarnova.dat); by default the folder of this program.
// Exit code 1 when an invariant failed or a run threw.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ai_soak.h"
#include "platform/files.h"

namespace {
int Usage() {
  std::cerr << "usage: tarnova-soak [--data FOLDER] [--rounds N] [--seeds K] [--first-seed S] [--csv FILE]\n"
               "                    [--kinds k0,k1,k2,k3,k4] [--difficulty d] [--logs FOLDER] [--share-out 1]\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  TSoakOptions Options;
  Options.DataRoot = ProgramFolder();
  std::int32_t Seeds = 1;
  std::uint32_t FirstSeed = 1;
  std::string CsvFile;
  for (int i = 1; i < argc; ++i) {
    const std::string Arg = argv[i];
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
