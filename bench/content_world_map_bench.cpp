// The world map generator on the game's own sources: the part of the data build that computes.
#include <benchmark/benchmark.h>

#include "world_map.h"

namespace {

const TWorldSources& Sources() {
  static const TWorldSources S = ReadWorldSources(std::filesystem::path(TARNOVA_SOURCE_DIR) / "content" / "world");
  return S;
}

void BM_BuildWorldMap(benchmark::State& State) {
  for (auto _ : State) benchmark::DoNotOptimize(BuildWorldMap(Sources(), 512));
}
BENCHMARK(BM_BuildWorldMap)->Unit(benchmark::kMillisecond);

void BM_WideRegionImages(benchmark::State& State) {
  TWorldMap Map = BuildWorldMap(Sources(), 512);
  for (auto _ : State) {
    benchmark::DoNotOptimize(IndexPNG(Map, 4));
    benchmark::DoNotOptimize(BorderPNG(Map, 4));
  }
}
BENCHMARK(BM_WideRegionImages)->Unit(benchmark::kMillisecond);

}  // namespace
