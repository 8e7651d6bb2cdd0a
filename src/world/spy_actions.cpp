// What a spy does in a foreign region: infiltrate it, report its buildings or its division,
// sabotage it. Every action starts with a chance test against one of the spy's skills.
#include "world/staff.h"

#include "engine/localization.h"
#include "platform/random.h"
#include "world/building_type.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
// Random(N) at most the skill passes; with a second chance a failed draw is followed by
// Random(2), and anything but 0 still passes.
bool ChanceTest(std::int32_t N, float Skill, bool SecondChance) {
  if (Random(N) <= Skill) return true;
  return SecondChance && Random(2) != 0;
}
}  // namespace

bool TSpy::Infiltrate(TRegion& Target) {
  if (!ChanceTest(100, Hiding, true)) return false;
  // A spy moving on leaves its old region without a spy rather than with a stale link.
  if (Region && Region != &Target && Region->Spy == this) Region->Spy = nullptr;
  Region = &Target;
  Target.Spy = this;
  RoundInfiltrated = gCurrentTurn;
  HasAction = false;
  return true;
}

bool TSpy::ObtainBuildingData() {
  if (!Region) return true;
  if (!ChanceTest(125, Espionage, true)) return false;
  BuildingDataTurn = gCurrentTurn;
  // One fresh Random(125) per slot, row by row; a slot the spy makes out shows what stands there
  // (none for an empty slot).
  const TBuildingType* Unknown = gBuildingTypePool ? gBuildingTypePool->UnknownType() : nullptr;
  for (std::size_t Row = 0; Row < 3; ++Row)
    for (std::size_t Column = 0; Column < 3; ++Column)
      BuildingData[Row][Column] = Random(125) <= Espionage ? Region->Buildings[Row][Column].Type : Unknown;
  HasAction = false;
  return true;
}

bool TSpy::ObtainDivisionData() {
  if (!Region) return true;
  if (!ChanceTest(150, Espionage, true)) return false;
  HasAction = false;
  DivisionDataTurn = gCurrentTurn;
  DivisionData.assign(1, std::string());
  const TDivision* Division = Region->GetDivision();
  if (!Division) {
    DivisionData[0] = Localize("szStrListNoDivision");
    return true;
  }
  DivisionData[0] = Division->Name;
  // One fresh Random(150) per unit of the division, in the nation's unit order.
  for (const auto& Unit : Division->Nation->Units) {
    if (Unit->Division != Division) continue;
    DivisionData.push_back("  " + (Random(150) <= Espionage ? Unit->UnitType->GetName() : Localize("szStrUnknownUnit")));
  }
  return true;
}

TSpy::TSabotageResult TSpy::DoSabotage(const std::string& Action) {
  if (!Region) return TSabotageResult::NothingToSabotage;
  // No second chance for sabotage.
  if (!ChanceTest(150, Sabotage, false)) return TSabotageResult::Caught;

  // An unknown action, or a division action where no division stands, does nothing and leaves
  // the spy its action.
  if (Action == "sabotage_underminemorale") {
    // Loyality lies within 0..1 while the cut reaches 2.9: most successes leave the floor of 0.1.
    Region->Loyality = static_cast<float>(Region->Loyality - Random(30) / 10.0);
    if (Region->Loyality < 0.1f) Region->Loyality = 0.1f;
  } else if (Action == "sabotage_disablepower") {
    Region->Energy = 0.0f;
  } else if (Action == "sabotage_sabotagedivision") {
    const TDivision* Division = Region->GetDivision();
    if (!Division) return TSabotageResult::NothingToSabotage;
    std::vector<TUnit*> Units;
    Division->GetUnits(Units);
    // One Random(30) per unit; the floor of 5.0 also lifts a unit that stood below it.
    for (TUnit* Unit : Units) {
      Unit->Health = static_cast<float>(static_cast<double>(Unit->Health) - Random(30));
      if (Unit->Health < 5.0f) Unit->Health = 5.0f;
    }
  } else if (Action == "sabotage_disabledivision") {
    TDivision* Division = Region->GetDivision();
    if (!Division) return TSabotageResult::NothingToSabotage;
    Division->HasMoved = true;
  } else {
    return TSabotageResult::NothingToSabotage;
  }
  HasAction = false;
  return TSabotageResult::Done;
}
