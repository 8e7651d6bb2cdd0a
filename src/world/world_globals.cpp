#include "world/world_globals.h"

std::int32_t gCurrentTurn = 0;
std::uint8_t gPlayerNation = 0;
std::int32_t gSelectedRegion = -1;
