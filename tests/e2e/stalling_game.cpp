// The game as src/main.cpp starts it, whose frame N never ends, as a fault that keeps the game's
// own code busy would; the end-to-end test of the termination watch runs it.
//   tarnova-stalling-game <N> [the game's switches...]
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "control/control_globals.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "presentation/earth_game_view.h"

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "");
  if (argc < 2) return 2;
  const long StallFrame = std::strtol(argv[1], nullptr, 10);
  std::vector<std::string> Args{argv[0]};
  Args.insert(Args.end(), argv + 2, argv + argc);
  TTarnovaForm Form(Args);
  gMainForm = &Form;
  Form.MakeView = [] { return std::make_unique<TEarthGameView>(); };
  Form.AfterFrame = [StallFrame](long Frame) {
    if (Frame != StallFrame) return;
    if (gLog) gLog->AddLine("TTarnovaForm->RunMainLoop->Frame " + std::to_string(Frame) + " stalls for the test");
    for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  };
  Form.FormCreate();
  const int ExitCode = Form.Run();
  gMainForm = nullptr;
  return ExitCode;
}
