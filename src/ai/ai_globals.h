#pragma once
// The computer opponents' single instances.
#include <memory>
#include <vector>

class TAIController;

// One controller per nation, index = nation index. The game object creates the five at start-up
// (each with its nation and a "basicAI" personality), sets their difficulty and kind for every new
// game and load, and frees them at exit after saving their logs; only their own rounds write them
// otherwise.
extern std::vector<std::unique_ptr<TAIController>> gAIControllers;
