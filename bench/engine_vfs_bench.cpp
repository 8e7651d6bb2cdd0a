// Opening a large package and looking names up in it; localised-text lookups.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "package_writer.h"

namespace fs = std::filesystem;

namespace {
const int kEntries = 10000;

std::string EntryName(int i) { return "data\\tex\\folder" + std::to_string(i % 50) + "\\file" + std::to_string(i) + ".dds"; }

// A package of kEntries small files in a folder of its own, removed when the run ends.
struct TPackageFolder {
  fs::path Path = fs::temp_directory_path() / ("tarnova-bench-" + std::to_string(::getpid()));
  TPackageFolder() {
    fs::create_directories(Path);
    std::vector<TPackageEntry> E;
    for (int i = 0; i < kEntries; ++i) E.push_back(MakePackageEntry(EntryName(i), std::string(16, 'x')));
    std::ofstream(Path / "tarnova.dat", std::ios::binary) << BuildPackage(E);
  }
  ~TPackageFolder() {
    std::error_code Ignored;
    fs::remove_all(Path, Ignored);
  }
};

const fs::path& PackageFolder() {
  static const TPackageFolder Folder;
  return Folder.Path;
}
}  // namespace

static void BM_OpenPackage10000(benchmark::State& State) {
  for (auto _ : State) {
    TVirtualFileSystem V(PackageFolder());
    V.Open("tarnova.dat");
    benchmark::DoNotOptimize(V.Files().size());
  }
}
BENCHMARK(BM_OpenPackage10000)->Unit(benchmark::kMillisecond);

static void BM_Find10000Names(benchmark::State& State) {
  TVirtualFileSystem V(PackageFolder());
  V.Open("tarnova.dat");
  std::vector<std::string> Names;
  for (int i = 0; i < kEntries; ++i) Names.push_back(EntryName((i * 7919) % kEntries));
  for (auto _ : State) {
    int Found = 0;
    for (auto& N : Names) Found += V.FindFile(N) != nullptr;
    benchmark::DoNotOptimize(Found);
  }
  State.SetItemsProcessed(State.iterations() * kEntries);
}
BENCHMARK(BM_Find10000Names)->Unit(benchmark::kMillisecond);

static void BM_LocalizeExistingKey(benchmark::State& State) {
  gLocalization.Clear();
  for (int i = 0; i < 3000; ++i) gLocalization.AddKey("szStrKey" + std::to_string(i), "de", "en");
  gLocalization.LanguageCodes = {"ger", "eng"};
  for (auto _ : State) benchmark::DoNotOptimize(Localize("SZSTRKEY2999"));
  gLocalization.Clear();
}
BENCHMARK(BM_LocalizeExistingKey);
