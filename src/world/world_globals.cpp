#include "world/world_globals.h"

#include "world/battle.h"
#include "world/building_type.h"
#include "world/high_score_list.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/transfer_market.h"
#include "world/statistics.h"
#include "world/unit_type.h"

// The battle first: it is freed last, after the units and divisions that tell it when they go.
std::unique_ptr<TBattle> gBattle;
std::int32_t gCurrentTurn = 0;
std::uint8_t gPlayerNation = 0;
std::int32_t gSelectedRegion = -1;
std::vector<std::unique_ptr<TRegion>> gRegions;
std::unique_ptr<TUnitTypePool> gUnitTypePool;
std::unique_ptr<TBuildingTypePool> gBuildingTypePool;
std::array<std::unique_ptr<TNation>, NationCount> gNations;
std::unique_ptr<TTransferMarket> gTransferMarket;
std::unique_ptr<TStatisticServer> gStatisticServer;
std::unique_ptr<THighScoreList> gHighScoreList;
