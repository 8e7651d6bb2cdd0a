#pragma once
// A region's part of a savegame, read in two steps so that a broken savegame changes nothing:
// ReadRegionState checks every value of one "region" element and resolves the building types;
// ApplyRegionState then writes the result into the region and cannot fail.
#include <array>
#include <cstdint>
#include <string>

#include "world/region.h"

class TXMLNode;

struct TRegionSaveState {
  std::uint8_t Owner = 0;
  std::string StatusIcon;
  std::array<std::array<TBuilding, 3>, 3> Buildings{};
  // Current and last value of Population, Growth, Loyality, Ressources, Pollution, Defense, Energy.
  std::array<float, 14> Values{};
};

// Throws EDataError naming the file, line, element and the value at fault.
TRegionSaveState ReadRegionState(const TXMLNode& Node);
// The region's owner, status icon, slots and values; its spy link is dropped (the nations'
// staff links spies again).
void ApplyRegionState(TRegion& Region, TRegionSaveState&& State) noexcept;
