// The game as src/main.cpp starts it, with the one random generator held to a seed, so that a
// scripted play repeats: after every frame in the menus and on the globe the generator starts
// again from the seed and the round, so that neither the number of frames a script waits nor the
// music's draw of its next track changes what the next click or the next round draws. A battle
// on the battlefield draws frame by frame and runs on undisturbed. bench/play_long.sh runs it.
//   tarnova-seeded-game <seed> [the game's switches...]
#include <cstdint>
#include <cstdlib>

#include "control/game.h"
#include "platform/random.h"
#include "test_game.h"
#include "world/world_globals.h"

int main(int argc, char** argv) {
  return RunTestGame(argc, argv, [](TTarnovaForm& Form, const std::string& Argument) {
    const auto Seed = static_cast<std::uint32_t>(std::strtoul(Argument.c_str(), nullptr, 10));
    Form.AfterFrame = [Seed](long) {
      if (!gGame || gGame->State == gsBattleField) return;
      SetRandomSeed(Seed + 7919u * static_cast<std::uint32_t>(gCurrentTurn));
    };
  });
}
