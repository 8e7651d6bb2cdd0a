// Tarnova: program entry. The main window runs the game object; the presentation draws it.
#include <memory>
#include <string>
#include <vector>

#include "control/control_globals.h"
#include "control/tarnova_form.h"
#include "presentation/earth_game_view.h"

int main(int argc, char** argv) {
  TTarnovaForm Form(std::vector<std::string>(argv, argv + argc));
  gMainForm = &Form;
  Form.MakeView = [] { return std::make_unique<TEarthGameView>(); };
  Form.FormCreate();
  const int ExitCode = Form.Run();
  gMainForm = nullptr;
  return ExitCode;
}
