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

#include "ai_soak.h"

struct TGameSoakOptions {
  std::filesystem::path DataRoot;  // the folder holding data/ (and perhaps tarnova.dat)
  std::filesystem::path SaveFolder;  // where the autosave goes (the player's savegame folder)
  std::uint32_t Seed = 1;
  std::int32_t Rounds = 500;
  std::int32_t AutosaveInterval = 10;  // rounds; 0 switches the autosave off
  // A single-player game whose human player (this nation) does nothing but end the round, with
  // the other four played by the computer on "Normal"; -1 lets the computer play all five, the
  // developer's view following the leading nation.
  std::int32_t IdleNation = -1;
  // Where to write each computer nation's decisions as plain text, "AI_<n>_log.txt"; empty
  // writes none.
  std::filesystem::path LogFolder;
};

struct TGameSoakRound {
  std::int32_t Round = 0;                   // the round counter after the round
  std::array<std::int32_t, 5> Regions{};    // per nation
  std::array<std::int32_t, 5> Attacks{};    // per nation, this round
  std::array<TSoakAttacks, 5> Battles{};   // per nation, this round, by the target's owner
  std::int32_t OwnerChanges = 0;            // regions whose owner changed this round
  std::int32_t Conquests = 0;               // regions one nation took from another this round
  std::int32_t Units = 0;                   // of all nations
  std::array<std::int32_t, 5> Military{};   // units per nation, queued ones not counted
  std::array<float, 5> Ressources{};        // the treasury per nation
  std::int32_t Watched = 0;                 // the nation the game showed (the player's nation)
  std::int32_t Offers = 0;                  // the transfer market's offers of all kinds
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
// lines, the transfer market's offers (see OfferTrend), and anything that should not grow.
double HeapTrend(const TGameSoakResult& Result, std::int32_t From, std::int32_t To);
// The market's growth in offers per round over the rounds From..To (least squares): nobody
// limits it, and nations that hire little let it grow by about one offer of a kind in five rounds.
double OfferTrend(const TGameSoakResult& Result, std::int32_t From, std::int32_t To);

// The bytes the program holds on the heap now (the sanitizer's count in a sanitizer build, the C
// library's otherwise); -1 when neither can tell.
std::int64_t LiveHeapBytes();
