#include "platform/random.h"

#include "platform/platform_globals.h"

#include <chrono>

std::uint32_t gRandomSeed = 0;

void SetRandomSeed(std::uint32_t Seed) { gRandomSeed = Seed; }

void Randomize() {
  auto Ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  gRandomSeed = static_cast<std::uint32_t>(Ticks);
}

static std::uint32_t Advance() {
  gRandomSeed = gRandomSeed * 134775813u + 1u;
  return gRandomSeed;
}

std::int32_t Random(std::int32_t N) {
  std::uint32_t Seed = Advance();
  if (N <= 0) return 0;
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(Seed) * static_cast<std::uint32_t>(N)) >> 32);
}

double RandomFloat() { return static_cast<double>(Advance()) * (1.0 / 4294967296.0); }
