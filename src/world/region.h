#pragma once
// One region of the globe: its nine building slots, owner, the current and last values of its
// population, growth, loyalty, ressources, pollution, defense and energy, its neighbours and its
// own defensive army. A region's index in gRegions is its ID everywhere.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/vectors.h"
#include "world/unit.h"

class TBuildingType;
class TDivision;
class TNation;
class TSpy;
class TXMLNode;

// One building slot; a region owns all nine for its whole life.
struct TBuilding {
  const TBuildingType* Type = nullptr;        // the finished building, none when the slot is empty
  std::int32_t FinishTime = 0;                // rounds left of the construction
  const TBuildingType* FinishType = nullptr;  // the building under construction, or none
};

// Why a construction did not start; Started when it did.
enum class TConstructionResult {
  Started,
  NoBuildingType,
  AlreadyBuilding,  // the region builds one thing at a time
  NoSpot,           // no slot chosen, or none free
  SpotOccupied,
  NotResearched,
  NotEnoughRessources,
};

class TRegion {
public:
  // Owner codes besides the nation indexes 0..4.
  static constexpr std::uint8_t OwnerNobody = 5;
  static constexpr std::uint8_t OwnerRebels = 6;

  std::vector<std::int32_t> Neighbours;  // region indexes, in file order
  TVector3 Position3D;                   // point on the globe model
  TVector3 ScreenPosition;               // window position of Position3D (x, y from the top, depth)
  std::int32_t X2D = 0;
  std::int32_t Y2D = 0;
  std::vector<std::string> Names;  // one per language of the localisation database
  std::uint8_t Owner = 0;          // 0..4 nation, 5 nobody, 6 rebels
  std::array<std::array<TBuilding, 3>, 3> Buildings;  // [row][column]
  float Population = 0.0f, PopulationLast = 0.0f;
  float Growth = 0.0f, GrowthLast = 0.0f;
  // Set to 1.0 at creation and otherwise only copied to its last value each round.
  float Constant = 1.0f, ConstantLast = 0.0f;
  float Loyality = 0.0f, LoyalityLast = 0.0f;
  float Ressources = 0.0f, RessourcesLast = 0.0f;
  float Pollution = 0.0f, PollutionLast = 0.0f;
  float Defense = 0.0f, DefenseLast = 0.0f;
  float Energy = 0.0f, EnergyLast = 0.0f;
  std::int32_t ID = 0;
  std::string Setting;
  std::string StatusIcon;  // GUI icon shown on the region, empty for none
  TSpy* Spy = nullptr;     // the spy infiltrated here (not owned; the spy points back)
  bool HasCoast = false;
  TUnitList Units;  // the region's own defensive army; owned
  std::unique_ptr<TDivision> DefensiveDivision;
  // Written and read only by the computer opponents.
  std::int32_t Risk = 0, PreviousRisk = 0, ExpansionFactor = 0;

  TRegion();
  ~TRegion();
  TRegion(const TRegion&) = delete;
  TRegion& operator=(const TRegion&) = delete;

  // Names at the current language index.
  std::string GetName() const;
  // The summed effect of the finished buildings for a value name ("growth", "energy",
  // "researchcivil", ...); any other name gives 0.
  float GetValue(const std::string& Name) const;
  // Empties all nine slots and the status icon, then drops the defensive army.
  void ResetBuildings();
  void FreeDefensiveArmy();

  // The region's round (region_rules.cpp): constructions, growth, loyalty, ressources,
  // pollution and energy, news for the owner, death and rebellion. Regions owned by nobody or
  // the rebels have no round.
  void DoRound();
  bool IsNeighbour(std::int32_t Index) const;
  // The first division of the owner nation stationed here; none for nobody's and rebel regions.
  TDivision* GetDivision() const;
  // Stars 0..5 of GetDivision, -1 when there is none.
  std::int32_t GetDivisionStrength() const;
  // A finished building of that type ID (letter case ignored); constructions do not count.
  bool HasBuilding(const std::string& ID) const;
  // Constructions (region_rules.cpp). A slot number counts row by row, 0..8.
  bool HasConstruction() const;
  // The first slot in row order with neither a building nor a construction, -1 for none.
  std::int32_t FirstFreeSlot() const;
  // The player orders Type in slot Slot, paid from Funds (the treasury). The checks, in this
  // order: a type, a slot chosen, no construction under way, the slot empty, the type's
  // technology researched by Nation, Funds covering the cost. Only a start changes anything.
  TConstructionResult StartConstruction(const TNation& Nation, std::int32_t Slot, const TBuildingType* Type, float& Funds);
  // Raises a new defensive army in place of the old one: local infantry, or random rebel types
  // for a rebel region. Throws when the needed unit types are missing.
  void CreateDefensiveArmy();
  // Start-up check, after the unit types are loaded: throws EDataError naming the unit file when
  // the local defense's type "INF_LIGHT" is missing, instead of failing in the first battle.
  static void CheckDefensiveArmyTypes();
  // Projects Position3D to the window (axes x, z, -y) with column-major model-view and
  // projection matrices and the viewport (x, y, width, height); stores x, y counted from the top
  // and the depth in ScreenPosition and hands them back. Returns false (nothing stored) when the
  // point cannot be projected. The overload without matrices reads the current GL matrices
  // (region_draw.cpp).
  bool UpdateScreenPosition(const double ModelView[16], const double Projection[16], const std::int32_t Viewport[4],
                            double& X, double& Y, double& Z);
  bool UpdateScreenPosition(double& X, double& Y, double& Z);

  // Savegame part (region_save.cpp): appends a "region" element to Parent / reads one back.
  // A broken element throws EDataError and leaves the region as it was.
  void SaveToXML(TXMLNode Parent) const;
  void LoadFromXML(const TXMLNode& Node);
};
