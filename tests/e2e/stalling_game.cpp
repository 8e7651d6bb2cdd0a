// The game as src/main.cpp starts it, whose frame N never ends, as a fault that keeps the game's
// own code busy would; the end-to-end test of the termination watch runs it.
//   tarnova-stalling-game <N> [the game's switches...]
#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "test_game.h"

int main(int argc, char** argv) {
  return RunTestGame(argc, argv, [](TTarnovaForm& Form, const std::string& Argument) {
    const long StallFrame = std::strtol(Argument.c_str(), nullptr, 10);
    Form.AfterFrame = [StallFrame](long Frame) {
      if (Frame != StallFrame) return;
      if (gLog) gLog->AddLine("TTarnovaForm->RunMainLoop->Frame " + std::to_string(Frame) + " stalls for the test");
      for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
  });
}
