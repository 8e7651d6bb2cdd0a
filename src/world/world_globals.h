#pragma once
// The world's single instances and the state of the running game that the rules read.
#include <cstdint>
#include <array>
#include <memory>
#include <vector>

class TBuildingTypePool;
class TNation;
class TRegion;
class TUnitTypePool;

// The current round. Game control adds one per round (after the computer opponents and the
// statistics, before the transfer market) and restores it from a savegame.
extern std::int32_t gCurrentTurn;
// Index 0..4 of the nation whose human player is on; written by a new game, the hot-seat
// rotation and loading.
extern std::uint8_t gPlayerNation;
// Index of the selected region, -1 for none; written by the globe picking and TEarth.Init.
extern std::int32_t gSelectedRegion;

// The regions of the globe, index = region ID. Sized and filled by TEarth.LoadRegions (which
// reuses the region objects already there, so references to them stay valid), emptied by
// TEarth.Destroy; the rules change the regions' values, never the array.
extern std::vector<std::unique_ptr<TRegion>> gRegions;

// The type pools: created by the game object at start-up (unit types after the technology
// trees, building types after the unit types) and freed at shut-down; never changed in between.
extern std::unique_ptr<TUnitTypePool> gUnitTypePool;
extern std::unique_ptr<TBuildingTypePool> gBuildingTypePool;

// The five nations, index = nation ID = a region's owner 0..4. Created, reset and filled by the
// game object at start-up (before the unit types); the rules change the nations, never the array.
inline constexpr std::size_t NationCount = 5;
extern std::array<std::unique_ptr<TNation>, NationCount> gNations;
