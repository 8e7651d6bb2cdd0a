#pragma once
// The soak of the whole game: five computer nations played through the game object's own
// "next round" (the world round, the quick chart, the statistics, the news, the transfer market
// and the autosave) on a data set, headless with a recording view, the game and the world
// checked after every round and the heap measured. Used by the game soak test and by
// bench/game_soak. Sets up and tears down the game's globals itself; never run two at once.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct TGameSoakOptions {
  std::filesystem::path DataRoot;  // the folder holding data/ (and perhaps tarnova.dat)
  std::filesystem::path SaveFolder;  // where the autosave goes (the player's savegame folder)
  std::uint32_t Seed = 1;
  std::int32_t Rounds = 500;
  std::int32_t AutosaveInterval = 10;  // rounds; 0 switches the autosave off
};

struct TGameSoakRound {
  std::int32_t Round = 0;                   // the round counter after the round
  std::array<std::int32_t, 5> Regions{};    // per nation
  std::array<std::int32_t, 5> Attacks{};    // per nation, this round
  std::int32_t OwnerChanges = 0;            // regions whose owner changed this round
  std::int32_t Units = 0;                   // of all nations
  std::int32_t Watched = 0;                 // the nation the game showed (the player's nation)
  std::int64_t HeapBytes = 0;               // live heap after the round; -1 when unknown
};

struct TGameSoakResult {
  std::vector<TGameSoakRound> Rounds;
  std::vector<std::string> Violations;  // "round R: ..."
  std::string Error;                    // the exception that ended the run, if any
  std::string Ending;                   // "" while the game runs; "victory" or "defeat" when it ended
  std::int32_t Autosaves = 0;           // autosaves found written and whole
};

// Plays Options.Rounds rounds, or until the game ends.
TGameSoakResult RunGameSoak(const TGameSoakOptions& Options);

// The heap's growth in bytes per round over the rounds From..To (least squares). Once the world
// has settled (no more conquests, armies at their size) it is the game's own growth: the log's
// lines, and anything that should not grow.
double HeapTrend(const TGameSoakResult& Result, std::int32_t From, std::int32_t To);

// The bytes the program holds on the heap now (the sanitizer's count in a sanitizer build, the C
// library's otherwise); -1 when neither can tell.
std::int64_t LiveHeapBytes();
