#pragma once
// The one random generator of the game: a 32-bit linear congruential generator.
// Every draw advances the seed first (seed := seed * 134775813 + 1 mod 2^32) and then takes its
// value from the new seed. All game rules draw through it, so a seeded game replays exactly.
#include <cstdint>

void SetRandomSeed(std::uint32_t Seed);
// Seeds from the high-resolution clock (start of the program, new game).
void Randomize();
// An integer in [0, N): the upper 32 bits of seed * N. N <= 0 gives 0 (the seed still advances).
std::int32_t Random(std::int32_t N);
// A float in [0, 1): seed * 2^-32.
double RandomFloat();
