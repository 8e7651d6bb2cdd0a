#pragma once
// A nation's part of a savegame, read in two steps so that a broken savegame changes nothing:
// ReadNationState checks every value of one nation element (unit-type IDs and queue indexes
// against gUnitTypePool, division positions, general names, region indexes, technology keys
// against the nation's own tree) and builds the new staff, divisions and units apart from the
// nation; ApplyNationState then hands them over and cannot fail.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "world/nation.h"

class TXMLNode;

struct TNationSaveState {
  std::int32_t Score = 0;
  bool AIControlled = false;
  std::optional<std::string> PlayerName;  // only when the element has one
  std::vector<std::int32_t> BuildQueueTypes;
  std::vector<std::int32_t> BuildQueueTurns;
  float Ressources = 0.0f, RessourcesLast = 0.0f;
  float ResearchCivil = 0.0f, ResearchCivilLast = 0.0f;
  float ResearchMilitary = 0.0f, ResearchMilitaryLast = 0.0f;
  std::vector<std::unique_ptr<TScientist>> Scientists;
  std::vector<std::unique_ptr<TGeneral>> Generals;  // linked to Divisions already
  std::vector<std::unique_ptr<TSpy>> Spies;         // not yet linked to their regions
  std::vector<std::int32_t> SpyRegions;             // per spy: region index or -1
  std::vector<std::unique_ptr<TDivision>> Divisions;
  TUnitList Units;  // pointing to Divisions
  std::int32_t CurrentTechnology = -1;  // index in the nation's tree, -1 for none
  float RemainingPoints = 0.0f;
  std::vector<std::size_t> Researched;  // indexes in the nation's tree
  std::optional<std::array<float, 3>> HotSeat;  // last globe rotation x, y and zoom
};

// Reads the element for Nation (whose technology tree the keys are checked against).
// Throws EDataError naming the file, line, element and the value at fault.
TNationSaveState ReadNationState(const TNation& Nation, const TXMLNode& Node);
// Replaces the nation's state; the old staff, divisions and units are freed, spies are linked
// to their regions both ways.
void ApplyNationState(TNation& Nation, TNationSaveState&& State) noexcept;
