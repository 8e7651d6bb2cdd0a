#pragma once
// An army of a nation: it stands in a region, may be led by a general and moves once a round.
// The nation owns its divisions; the division's units are the nation's units that point to it.
#include <cstdint>
#include <string>

#include "world/object_serial.h"
#include "world/unit.h"

class TGeneral;
class TNation;

class TDivision {
public:
  TDivision() = default;
  TDivision(const TDivision&) = default;
  TDivision& operator=(const TDivision&) = default;
  // A freed division leaves the battle's sides.
  ~TDivision();

  TGeneral* General = nullptr;  // leading general or none; his Division points back
  std::int32_t Region = 0;      // index of the region where it stands
  std::int32_t ID = 0;          // its index in the nation's Divisions
  std::string Name;
  bool HasMoved = false;
  TNation* Nation = nullptr;  // owning nation (not owned); none for a region's defensive army
  // The region a computer opponent's division was raised to protect; -1 for none (every other
  // division, and a division loaded from a savegame, which does not keep it).
  std::int32_t AssignedRegion = -1;
  std::uint64_t Serial = NewObjectSerial();  // tells it from a later division in the same memory

  // Empties Units and appends every unit of the nation in this division, in the nation's order.
  void GetUnits(std::vector<TUnit*>& Units) const;
  std::int32_t UnitCount() const;
  // Stars 0..5 from the summed attack against ground of its units.
  std::int32_t GetStrength() const;
};

// Stars 0..5 for a summed attack against ground (in whole points): Round(sum / 100) capped at 5,
// but at least 1 when the sum is above 0.
std::int32_t StarStrength(std::int64_t AttGroundSum);
