#include "ai/ai_globals.h"

#include "ai/ai_controller.h"

std::vector<std::unique_ptr<TAIController>> gAIControllers;
