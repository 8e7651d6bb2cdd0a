#pragma once
// One of the five contending nations and everything it owns: staff, units, divisions, the unit
// build queue, the treasury, its technology tree, score, news of the round and the constants of
// its nation description. Other parts read a nation through its named values (GetValue) and
// change its score only through ScoreEvent.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world/division.h"
#include "world/round_messages.h"
#include "world/staff.h"
#include "world/technology.h"
#include "world/unit.h"

class TUnitType;
class TXMLNode;

class TNation {
public:
  // Places of the base factors in BaseFactors.
  enum TBaseFactor : std::size_t {
    bfGrowth, bfLoyality, bfRessources, bfPollution, bfDefense, bfMilitary, bfResearchCivil, bfResearchMilitary
  };
  static constexpr std::size_t MaxBuildQueue = 16;

  std::vector<std::unique_ptr<TScientist>> Scientists;
  std::vector<std::unique_ptr<TGeneral>> Generals;
  std::vector<std::unique_ptr<TSpy>> Spies;
  TUnitList Units;
  std::vector<std::unique_ptr<TDivision>> Divisions;
  std::vector<std::string> Names;  // one per language
  float WaterplaneUpperPos = 0.0f, WaterplaneUpperDim = 0.0f;
  float WaterplaneLowerPos = 0.0f, WaterplaneLowerDim = 0.0f;
  std::uint8_t ID = 0;
  bool Dead = false;
  std::vector<std::int32_t> BuildQueueTypes;  // unit-type index into gUnitTypePool
  std::vector<std::int32_t> BuildQueueTurns;  // rounds left; parallel to BuildQueueTypes
  float Ressources = 0.0f, RessourcesLast = 0.0f;
  float ResearchCivil = 0.0f, ResearchCivilLast = 0.0f;
  float ResearchMilitary = 0.0f, ResearchMilitaryLast = 0.0f;
  TTechnologyTree TechnologyTree;
  std::int32_t Score = 0;
  std::string PlayerName;
  float NumRegionsCurrent = 0.0f, NumRegionsLast = 0.0f;  // "numregions" at the end of this and the last round
  bool AIControlled = false;
  std::uint16_t AIPersonality = 0;
  std::uint16_t AIDifficulty = 0;
  TRoundMessageList Messages;
  float LastGlobeRotationX = 0.0f, LastGlobeRotationY = 0.0f, LastGlobeZoom = 0.0f;
  std::array<float, 8> BaseFactors{};  // see TBaseFactor
  std::array<std::uint8_t, 3> MapColor{};
  float GlobeRotationX = 0.0f, GlobeRotationY = 0.0f;

  TNation();  // Names sized to the number of languages
  ~TNation();
  TNation(const TNation&) = delete;
  TNation& operator=(const TNation&) = delete;

  // Start-up and new game: no staff, units, divisions or queue, spies withdrawn, research reset,
  // alive with score 0. The treasury and the research values stay.
  void Reset();
  // A nation that lost its last region: it loses the game ("GameLost") and is marked Dead. It
  // keeps what it owns (staff, divisions where they stand, units, orders) and goes on running its
  // round: it pays wages and upkeep without income, so its treasury may fall below zero.
  void SetDead();
  std::string GetName() const;
  // One of the 24 value names ("numregions", "researchcivil", ...); any other throws.
  float GetValue(const std::string& Name) const;
  // Changes Score for an event ("RegionTaken", "GameWon", ...); any other throws.
  void ScoreEvent(const std::string& Event);

  // Units.
  TUnit* AddUnit(std::int32_t UnitTypeIndex);
  void RemoveUnit(std::int32_t Index);  // an index outside the list does nothing
  void RemoveUnitObject(const TUnit* Unit);

  // Divisions.
  TDivision* AddDivision(const std::string& Name, std::int32_t Region);  // "" gives "Division " + ID
  void MoveDivision(std::int32_t Index, std::int32_t Region);  // a negative region does nothing
  // Dissolves a division: its general is unlinked, its units are unassigned and locked (and freed
  // when FreeUnits is set), the divisions after it are renumbered. An index outside does nothing.
  void RemoveDivision(std::int32_t Index, bool FreeUnits);
  void AssignGeneral(TGeneral& General, TDivision& Division);
  void UnassignGeneral(TGeneral& General);

  // Staff: hiring copies the offer, which stays with its owner.
  TScientist* AddScientist(const TScientist& Offer);
  TGeneral* AddGeneral(const TGeneral& Offer);
  TSpy* AddSpy(TSpy& Offer);  // the offer gets this nation and an action first
  void RemoveScientist(std::int32_t Index);
  void RemoveGeneral(std::int32_t Index);
  void RemoveSpy(std::int32_t Index);
  void RemoveSpyObject(const TSpy* Spy);  // a spy of another nation: nothing

  // Build queue: an order is paid at once; at most MaxBuildQueue entries (false when full).
  bool AddToBuildQueue(const TUnitType& UnitType);
  bool AddToBuildQueueByIndex(std::int32_t UnitTypeIndex);
  // Removes an entry and returns half its unit type's build cost (halves to even); an index
  // outside the queue does nothing.
  void RemoveFromBuildQueue(std::int32_t Index);

  // The nation's round (nation_rules.cpp): divisions and units ready again, units heal, the
  // build queue delivers, the treasury and research advance, spies get their action back.
  void DoRound();

  // Savegame part (nation_save.cpp): appends "nation" + ID to the "nations" element / replaces
  // the nation's state by a saved one. A broken element throws EDataError and changes nothing.
  void SaveToXML(TXMLNode Nations) const;
  void LoadFromXML(const TXMLNode& Node);
};
