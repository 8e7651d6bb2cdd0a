#pragma once
// The platform layer's single instances. Each names who writes it.
#include <cstdint>

// The state of the one random generator (random.h). Written by SetRandomSeed, Randomize and every
// draw; tests and savegame replays read it to pin a game's course.
extern std::uint32_t gRandomSeed;
