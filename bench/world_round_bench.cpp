// One world round (every region's round, the script hook, every nation's round) on a world of
// 150 regions and 5 nations with full build queues, staff and 100 units each.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/engine_globals.h"
#include "support/fixture_world_types.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "platform/random.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

// Counts the allocations of the whole program; the benchmark reads the count around its rounds.
static std::atomic<long long> gAllocations{0};

// Neither is inlined, so the compiler never pairs malloc() or free() with the other operator.
[[gnu::noinline]] void* operator new(std::size_t Size) {
  ++gAllocations;
  if (void* P = std::malloc(Size ? Size : 1)) return P;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* P) noexcept { std::free(P); }
[[gnu::noinline]] void operator delete(void* P, std::size_t) noexcept { std::free(P); }

namespace {
constexpr int RegionCount = 150;
constexpr int UnitsPerNation = 100;

void BuildWorld() {
  LoadFixtureWorldTypes();

  for (std::size_t i = 0; i < gNations.size(); ++i) {
    auto N = std::make_unique<TNation>();
    N->ID = static_cast<std::uint8_t>(i);
    N->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
    N->TechnologyTree.Current = N->TechnologyTree.Technologies[0].get();
    N->TechnologyTree.Current->RemainingPoints = 1e9f;
    N->BaseFactors.fill(1.0f);
    N->Ressources = 1000.0f;
    for (int s = 0; s < 5; ++s) {
      TScientist Scientist;
      Scientist.Civil = 50.0f;
      Scientist.Wage = 5;
      N->AddScientist(Scientist);
    }
    TSpy Spy;
    N->AddSpy(Spy);
    // Full queues that never finish, so every round does the same work.
    for (std::size_t q = 0; q < TNation::MaxBuildQueue; ++q) N->AddToBuildQueueByIndex(static_cast<std::int32_t>(q % 3));
    for (auto& Turns : N->BuildQueueTurns) Turns = 1000000000;
    for (int d = 0; d < 10; ++d) N->AddDivision("", static_cast<std::int32_t>(i * 30 + d));
    for (int u = 0; u < UnitsPerNation; ++u) N->AddUnit(u % 3)->Division = N->Divisions[static_cast<std::size_t>(u % 10)].get();
    gNations[i] = std::move(N);
  }

  const auto& Types = gBuildingTypePool->Types;
  gRegions.clear();
  for (int r = 0; r < RegionCount; ++r) {
    auto R = std::make_unique<TRegion>();
    R->ID = r;
    R->Names = {"Region", "Region"};
    R->Owner = static_cast<std::uint8_t>(r % 30 == 29 ? 5 : r / 30);
    R->Population = 0.5f;
    R->Loyality = 0.7f;
    R->Defense = 0.4f;
    for (int k = 0; k < 6; ++k)
      R->Buildings[static_cast<std::size_t>(k / 3)][static_cast<std::size_t>(k % 3)].Type =
          Types[static_cast<std::size_t>((r + k) % 5)].get();
    R->Neighbours = {(r + 1) % RegionCount, (r + RegionCount - 1) % RegionCount};
    gRegions.push_back(std::move(R));
  }
}

// Puts the regions back to their starting values, so every measured round does the same work
// (left alone, pollution would slowly kill the regions and their rounds would stop).
void ResetRegions() {
  for (auto& R : gRegions) {
    R->Owner = static_cast<std::uint8_t>(R->ID % 30 == 29 ? 5 : R->ID / 30);
    R->Population = 0.5f;
    R->Loyality = 0.7f;
    R->Pollution = 0.0f;
  }
}

void WorldRound() {
  ResetRegions();
  for (auto& N : gNations) N->Messages.Clear();
  for (auto& R : gRegions) R->DoRound();
  for (auto& R : gRegions)
    for (const auto& Row : R->Buildings)
      for (const TBuilding& Slot : Row)
        if (Slot.Type) gScriptManager->ExecuteScript(Slot.Type->RoundScript);
  for (auto& N : gNations) N->DoRound();
}
}  // namespace

static void BM_WorldRound150Regions(benchmark::State& State) {
  BuildWorld();
  SetRandomSeed(1);
  long long Rounds = 0;
  const long long Before = gAllocations.load();
  for (auto _ : State) {
    WorldRound();
    ++Rounds;
  }
  State.counters["allocs/round"] = static_cast<double>(gAllocations.load() - Before) / static_cast<double>(Rounds);
  for (auto& N : gNations) N.reset();
  gRegions.clear();
  gBuildingTypePool.reset();
  gUnitTypePool.reset();
  gVirtualFileSystem.reset();
}
BENCHMARK(BM_WorldRound150Regions)->Unit(benchmark::kMicrosecond);
