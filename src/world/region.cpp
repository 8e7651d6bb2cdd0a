#include "world/region.h"

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "platform/checked.h"
#include "world/division.h"
#include "world/staff.h"

TRegion::TRegion() = default;

TRegion::~TRegion() {
  // A spy still infiltrated here must not keep pointing at a freed region.
  if (Spy && Spy->Region == this) Spy->Region = nullptr;
  FreeDefensiveArmy();
}

std::string TRegion::GetName() const {
  return At(Names, gLocalization.LanguageIndex, "TRegion->GetName->Names");
}

void TRegion::ResetBuildings() {
  for (auto& Row : Buildings)
    for (TBuilding& Slot : Row) Slot = TBuilding{};
  StatusIcon.clear();
  FreeDefensiveArmy();
}

void TRegion::FreeDefensiveArmy() {
  if (!DefensiveDivision) return;
  Units.clear();
  DefensiveDivision.reset();
}
