#pragma once
// The game as src/main.cpp starts it, for the test programs that set one of the main window's
// test hooks first: their own argument comes first, the game's switches follow.
//   <program> <argument> [the game's switches...]
#include <clocale>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/control_globals.h"
#include "control/tarnova_form.h"
#include "platform/memory.h"
#include "presentation/earth_game_view.h"

inline int RunTestGame(int argc, char** argv, const std::function<void(TTarnovaForm& Form, const std::string& Argument)>& SetHook) {
  std::setlocale(LC_NUMERIC, "");
  SetUpProcessHeap();
  if (argc < 2) return 2;
  std::vector<std::string> Args{argv[0]};
  Args.insert(Args.end(), argv + 2, argv + argc);
  TTarnovaForm Form(Args);
  gMainForm = &Form;
  Form.MakeView = [] { return std::make_unique<TEarthGameView>(); };
  SetHook(Form, argv[1]);
  Form.FormCreate();
  const int ExitCode = Form.Run();
  gMainForm = nullptr;
  return ExitCode;
}
