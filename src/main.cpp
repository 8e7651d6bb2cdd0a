// Tarnova: program entry. The main window runs the game object; the presentation draws it.
#include <clocale>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "control/control_globals.h"
#include "control/game_settings.h"
#include "control/tarnova_form.h"
#include "platform/memory.h"
#include "presentation/earth_game_view.h"

int main(int argc, char** argv) {
  // The user's locale for numbers: window texts and the log carry its decimal separator. What
  // other programs read (XML files, savegames, settings) is written without it. The other
  // categories stay as they are: the game's strings are 8-bit, and its window title stays a
  // plain string for the window system's tools.
  std::setlocale(LC_NUMERIC, "");
  SetUpProcessHeap();
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--help") {
      std::cout << CommandLineHelp();
      return 0;
    }
  TTarnovaForm Form(std::vector<std::string>(argv, argv + argc));
  gMainForm = &Form;
  Form.MakeView = [] { return std::make_unique<TEarthGameView>(); };
  Form.FormCreate();
  const int ExitCode = Form.Run();
  gMainForm = nullptr;
  return ExitCode;
}
