#pragma once
// The soak run of the computer opponents: a data set loaded as the game loads it, five computer
// nations, the world round in the game's order for many rounds, invariants checked after every
// computer turn, and per-round figures for people to read. Used by the soak test and by the
// tarnova-soak tool. Sets up and tears down the world's globals itself; never run two at once.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct TSoakOptions {
  std::filesystem::path DataRoot;  // the folder holding data/ (and perhaps tarnova.dat)
  std::int32_t Rounds = 200;
  std::uint32_t Seed = 1;
  std::array<std::uint16_t, 5> Kinds{};         // personality per nation, 0 = drawn
  std::array<std::uint16_t, 5> Difficulties{};  // 0 normal, 1 hard, 2 very hard
  float StartRessources = 1000.0f;
  // Hands every region of nobody to the nation whose territory reaches it first (breadth first
  // from the start regions, nations in index order), so that borders and battles come at once.
  bool ShareOutRegions = false;
  // A nation left to a human player who does nothing (no computer turn); -1 for none.
  std::int32_t IdleNation = -1;
  bool LogAI = true;  // the decision logs (needed for the log hashes and the counts below)
  // Where to write the logs at the end ("AI_<n>_log.html"); empty writes none.
  std::filesystem::path LogFolder;
};

// A nation's attacks of one round by the owner of the region attacked at the time, how many of
// them it won, and the regions it lost to another nation's attack.
struct TSoakAttacks {
  std::int32_t OnNations = 0, OnRebels = 0, OnNobody = 0;
  std::int32_t WonOnNations = 0, WonOnRebels = 0, WonOnNobody = 0;
  std::int32_t LostToNations = 0;
  TSoakAttacks& operator+=(const TSoakAttacks& Other);
};

// Counts the attacks that one computer turn's decision log lines tell of (" I want to attack
// enemy region "X" ...", then " -> I have won the battle" or " -> I have lost the battle") into
// Counts, indexed by nation. Owners holds every region's owner before the turn and receives the
// regions the attacker wins; RegionIndex finds a region by the name the log gives (-1 for none).
// Owners may be older than the turn, from before the round's region rounds, in which a nation's
// region can rebel; so a target that Owners gives to a nation counts as that nation's only when
// Told(nation, target name, won) finds the round message the battle left that nation (and uses
// it up), and as the rebels' otherwise.
void CountAttacks(const std::vector<std::string>& Lines, std::size_t First, std::uint8_t Attacker,
                  const std::function<std::int32_t(const std::string&)>& RegionIndex,
                  const std::function<bool(std::uint8_t, const std::string&, bool)>& Told,
                  std::vector<std::uint8_t>& Owners, std::array<TSoakAttacks, 5>& Counts);
// The same for the round just played on the world's globals: every computer nation's log lines
// from LinesBefore[n] on, in nation order, against the owners before the round and the nations'
// round messages.
std::array<TSoakAttacks, 5> CountRoundAttacks(std::vector<std::uint8_t> OwnersBefore,
                                              const std::array<std::size_t, 5>& LinesBefore);

struct TSoakNationFigures {
  std::int32_t Regions = 0, Units = 0, Divisions = 0, Technologies = 0, Buildings = 0, Queue = 0;
  std::int32_t Score = 0;
  float Ressources = 0.0f;
  bool Dead = false;
  std::int32_t UnitsQueued = 0, Attacks = 0;  // this round
  std::int32_t NationsMet = 0;  // other nations owning a region beside one of this nation's
  TSoakAttacks Battles;  // this round
};

struct TSoakRound {
  std::int32_t Round = 0;
  std::array<TSoakNationFigures, 5> Nations;
  std::int32_t OwnerChanges = 0;  // regions whose owner changed this round
  std::int32_t Conquests = 0;     // regions one nation took from another this round
  double Milliseconds = 0.0;      // the whole round
};

struct TSoakResult {
  std::vector<TSoakRound> Rounds;
  std::vector<std::string> Violations;  // "round R, after nation N: ..."
  std::string Error;                    // the exception that ended the run, if any
  std::array<std::uint64_t, 5> LogHash{};  // FNV-1a over each controller's plain log lines
  std::array<std::uint16_t, 5> Kinds{};    // the kinds in force
};

class TSoakWorld;

// A soak game in progress: the world set up from the options, played one round at a time.
class TSoakGame {
public:
  explicit TSoakGame(const TSoakOptions& Options);  // throws when the data set does not load
  ~TSoakGame();
  TSoakGame(const TSoakGame&) = delete;
  TSoakGame& operator=(const TSoakGame&) = delete;

  // One world round in the game's order, the computer turns in nation order with the
  // invariants checked after each; appends the round's figures to Result.
  void PlayRound();
  // Hashes the logs and writes them when the options ask for it.
  void End();

  TSoakResult Result;

private:
  TSoakOptions Options;
  std::unique_ptr<TSoakWorld> World;
};

// The rules every nation and region keeps at any time (division numbering, units alive and in
// their own divisions, the build queue's length, a finite treasury, one construction per
// region); each failure is appended to Violations as Where + what.
void CheckWorldInvariants(const std::string& Where, std::vector<std::string>& Violations);

// Plays Options.Rounds rounds; an exception ends the run and is reported in Error.
TSoakResult RunSoak(const TSoakOptions& Options);
// One line per round and nation: seed, round, nation, kind and the figures.
void WriteSoakCsvHeader(std::ostream& Out);
void WriteSoakCsv(const TSoakResult& Result, std::uint32_t Seed, std::ostream& Out);
