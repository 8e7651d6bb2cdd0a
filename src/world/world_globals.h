#pragma once
// The world's single instances and the state of the running game that the rules read.
#include <cstdint>
#include <array>
#include <memory>
#include <vector>

class TBuildingTypePool;
class THighScoreList;
class TNation;
class TRegion;
class TStatisticServer;
class TUnitTypePool;

// The current round. Game control adds one per round (after the computer opponents and the
// statistics, before the transfer market) and restores it from a savegame.
extern std::int32_t gCurrentTurn;
// Index 0..4 of the nation whose human player is on; written by a new game, the hot-seat
// rotation and loading.
extern std::uint8_t gPlayerNation;
// Index of the selected region, -1 for none; a copy of TEarth.SelRegion written only by
// TEarth.SelectRegion (the game selects through TGame.SelectRegion).
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

class TBattle;
class TTransferMarket;

// The one battle object, created by the game object at start-up (every field zero, the view
// rotation (45, 45, 0) and distance -45) and freed at shut-down; Setup, FightStep and Finish of
// the battle window and of the computer opponents write it.
extern std::unique_ptr<TBattle> gBattle;
// The staff market all nations hire from: created by the game object at start-up (names and
// portraits read), refilled by a new game, renewed by the round processing, read and written by
// the market window, the computer opponents and the savegame.
extern std::unique_ptr<TTransferMarket> gTransferMarket;

// The statistics of the running game: created by the game object at start-up after the nations,
// refilled by a new game (Init), advanced by the round processing (Update) and replaced by
// loading a savegame; freed at shut-down.
extern std::unique_ptr<TStatisticServer> gStatisticServer;
// The high-score list: created by the game object at start-up (it reads "highscore.xml"), entered
// into by the end of a game (AddScore) and freed, which saves it, at shut-down.
extern std::unique_ptr<THighScoreList> gHighScoreList;
