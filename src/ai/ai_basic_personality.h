#pragma once
// The one personality of the computer opponents. Its economic side (budgets, region checks,
// construction) lives in ai_basic_personality.cpp, its military and scientific side (armies and
// attacks, research, staff) in ai_basic_personality_army.cpp. Every random draw goes through the
// global generator in a fixed order, so a seeded round replays decision for decision.
#include <cstdint>
#include <string>

#include "ai/ai_personality.h"

class TBuildingType;
class TDivision;
class TNation;
class TUnitType;

class TAIBasicPersonality : public TAIPersonality {
public:
  using TAIPersonality::TAIPersonality;

  void DoConstruction(TRegion& Region) override;
  void DoCheckRegions() override;
  void DoArmyManagement() override;
  void DoResearch() override;
  void DoStaff() override;
  void Update() override;

  // When the construction budget covers Type, books its cost and, if the region builds nothing
  // yet, starts it in the first slot without a building. The type's technology is not asked for
  // here (the choice of a type is where it counts). A missing type is skipped with a log line.
  void ConstructBuilding(TRegion& Region, const TBuildingType* Type);
  // Empties one slot for a more important building, whatever its category: a building raising
  // ressources first, then science, growth, max population and defense, else the first slot.
  // False when that slot holds no finished building.
  bool DemolishBuildingForRoom(TRegion& Region);
  static bool HasFreeSlot(const TRegion& Region);
  static std::int32_t CountBuildingsOfCategory(const TRegion& Region, std::uint8_t Category);
  // The strongest affordable, researched type of a category (ties keep the earlier); none when
  // there is none.
  const TBuildingType* GetBestBuildingType(std::uint8_t Category) const;
  // The unit type to buy next (one or more draws); none when no type qualifies.
  const TUnitType* GetRandomUnitType();

  // A region is endangered when its pollution is above 0.6 or its loyalty below 0.3.
  static bool IsEndangered(const TRegion& Region);
  // A type's strength in a building category: the absolute values of its effects there.
  static std::int32_t CategoryStrength(const TBuildingType& Type, std::int32_t Category);

private:
  TNation& Nation() const;
  void Log(const std::string& Text, std::int32_t Color) const;
  // Builds the best type of Category, or logs Hint when there is none.
  void BuildBest(TRegion& Region, std::uint8_t Category, const std::string& Hint);
  // The endangered rules: like BuildBest, but makes room first when every slot is taken.
  void BuildBestWithRoom(TRegion& Region, std::uint8_t Category, const std::string& Hint);
  // Attacks from a five-star division, fighting the battle out at once.
  void Attack(TDivision& Division);
};
