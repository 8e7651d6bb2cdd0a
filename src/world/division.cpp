#include "world/division.h"

#include <algorithm>

#include "platform/rounding.h"
#include "world/battle.h"
#include "world/nation.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

TUnit::~TUnit() {
  if (gBattle) gBattle->ForgetUnit(this);
}

TDivision::~TDivision() {
  if (gBattle) gBattle->ForgetDivision(this);
}

void TDivision::GetUnits(std::vector<TUnit*>& Units) const {
  Units.clear();
  if (!Nation) return;
  for (const auto& U : Nation->Units)
    if (U->Division == this) Units.push_back(U.get());
}

std::int32_t TDivision::UnitCount() const {
  if (!Nation) return 0;
  return static_cast<std::int32_t>(std::count_if(Nation->Units.begin(), Nation->Units.end(),
                                                 [this](const auto& U) { return U->Division == this; }));
}

std::int32_t TDivision::GetStrength() const {
  if (!Nation) return 0;
  std::int64_t Sum = 0;
  for (const auto& U : Nation->Units)
    if (U->Division == this && U->UnitType) Sum += U->UnitType->AttGround;
  return StarStrength(Sum);
}

std::int32_t StarStrength(std::int64_t AttGroundSum) {
  // The sum of whole attack points is divided once: adding up per-unit quotients in floating
  // point lands just beside the halves (ten units of 15 would give 1.4999999 and one star
  // instead of 1.5 and two), and the halves decide the star count.
  const double S = static_cast<double>(AttGroundSum) / 100.0;
  if (S > 0.0 && S < 1.0) return 1;
  // Units may be written with attack values below 0 or near the integer limit: the stars stay
  // within 0 to 5 whatever the sum.
  return RoundToInt(std::clamp(S, 0.0, 5.0));
}
