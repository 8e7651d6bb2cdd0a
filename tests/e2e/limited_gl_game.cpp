// The game as src/main.cpp starts it, on an OpenGL implementation that offers only the
// extensions its first argument names (separated by blanks); the end-to-end test of the start-up
// checks of OpenGL runs it.
//   tarnova-limited-gl-game "<extensions>" [the game's switches...]
#include "test_game.h"

int main(int argc, char** argv) {
  return RunTestGame(argc, argv, [](TTarnovaForm& Form, const std::string& Argument) {
    Form.GLExtensions = [Argument](const std::string&) { return Argument; };
  });
}
