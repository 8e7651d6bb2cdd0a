// The region's named values: the summed effects of its finished buildings.
#include "world/region.h"

#include <string_view>

#include "platform/latin1.h"
#include "world/building_type.h"

namespace {
// Value name -> effect variable. "espionage" asks for a variable no building registers, so it
// stays 0 (the espionage effect is the nation-wide "global.espionage").
constexpr std::pair<std::string_view, std::string_view> kValueVariables[] = {
    {"growth", "region.growth"},
    {"maxpopulation", "region.maxpopulation"},
    {"loyality", "region.loyality"},
    {"ressources", "region.ressources"},
    {"pollution", "region.pollution"},
    {"energy", "region.energy"},
    {"defense", "region.defense"},
    {"military", "region.military"},
    {"espionage", "region.espionage"},
    {"researchcivil", "global.science.civil"},
    {"researchmilitary", "global.science.military"},
};

std::int32_t EffectSum(const TRegion& Region, std::string_view Variable) {
  std::int32_t Sum = 0;
  for (const auto& Row : Region.Buildings)
    for (const TBuilding& Slot : Row) {
      if (!Slot.Type) continue;  // only finished buildings count
      for (const TBuildingEffect& Effect : Slot.Type->Effects)
        if (Effect.Name == Variable) Sum += Effect.Value;
    }
  return Sum;
}
}  // namespace

float TRegion::GetValue(const std::string& Name) const {
  const std::string N = LowerAscii(Name);
  for (const auto& [ValueName, Variable] : kValueVariables) {
    if (N != ValueName) continue;
    // Without power every value that sorts after "energy" fails, so "defense" and "energy"
    // itself keep their sums during a shortage.
    if (N > "energy" && EffectSum(*this, "region.energy") < 0) return 0.0f;
    return static_cast<float>(EffectSum(*this, Variable));
  }
  return 0.0f;
}
