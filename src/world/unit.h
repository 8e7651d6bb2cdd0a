#pragma once
// A military unit of one unit type. A nation's Units (or a region's defensive army) owns its
// units; a division does not hold units, the units point to their division.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/vectors.h"

class TUnitType;
class TDivision;

class TUnit {
public:
  TUnit() = default;
  TUnit(const TUnit&) = default;
  TUnit& operator=(const TUnit&) = default;
  // A freed unit leaves the battle's lists.
  ~TUnit();

  const TUnitType* UnitType = nullptr;  // not owned
  float Health = 0.0f;
  float Experience = 0.0f;
  TDivision* Division = nullptr;  // none while unassigned
  std::int32_t Region = -1;
  bool Locked = false;  // set when its division is dissolved; cleared by the nation's next round
  // Placement of a defensive-army unit on the battlefield view; 0 for every other unit.
  TIntPair BattlefieldOffset;
};

using TUnitList = std::vector<std::unique_ptr<TUnit>>;
