// One computer round of four computer nations on the game's data set (every unowned region
// shared out, so there are borders and battles) after 100 rounds of play, with the allocations
// it makes; and the long soak of 10 seeds x 500 rounds.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "ai_soak.h"

namespace {
std::atomic<std::uint64_t> Allocations{0};

TSoakOptions BenchOptions(std::uint32_t Seed, std::int32_t Rounds) {
  TSoakOptions O;
  O.DataRoot = TARNOVA_BINARY_DIR;
  O.Seed = Seed;
  O.Rounds = Rounds;
  O.ShareOutRegions = true;
  O.IdleNation = 0;
  O.LogAI = false;
  return O;
}

void BM_RoundWithFourComputerNations(benchmark::State& State) {
  TSoakGame Game(BenchOptions(1, 0));
  for (int i = 0; i < 100; ++i) Game.PlayRound();
  std::uint64_t Count = 0;
  for (auto _ : State) {
    const std::uint64_t Before = Allocations.load();
    Game.PlayRound();
    Count += Allocations.load() - Before;
  }
  State.counters["allocs_per_round"] = benchmark::Counter(static_cast<double>(Count) / State.iterations());
  State.counters["regions_owned"] = [&] {
    double N = 0;
    for (const auto& F : Game.Result.Rounds.back().Nations) N += F.Regions;
    return N;
  }();
}
// Rounds 100 to 199 of the same game.
BENCHMARK(BM_RoundWithFourComputerNations)->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_LongSoak(benchmark::State& State) {
  for (auto _ : State)
    for (std::uint32_t Seed = 1; Seed <= 10; ++Seed) {
      TSoakOptions O = BenchOptions(Seed, 500);
      O.IdleNation = -1;
      const TSoakResult R = RunSoak(O);
      if (!R.Error.empty() || !R.Violations.empty()) State.SkipWithError("the soak found a fault");
    }
}
BENCHMARK(BM_LongSoak)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace

// Neither is inlined, so the compiler never pairs malloc() or free() with the other operator.
[[gnu::noinline]] void* operator new(std::size_t Size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* P = std::malloc(Size ? Size : 1)) return P;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* P) noexcept { std::free(P); }
[[gnu::noinline]] void operator delete(void* P, std::size_t) noexcept { std::free(P); }
