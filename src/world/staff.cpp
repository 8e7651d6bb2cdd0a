#include "world/staff.h"

#include "world/building_type.h"
#include "world/region.h"
#include "world/world_globals.h"

template <>
std::span<const TStaffSkill<TScientist>> StaffSkills<TScientist>() {
  static constexpr TStaffSkill<TScientist> Skills[] = {
      {"military", &TScientist::Military, "szStrStaffScientistAttMilitary"},
      {"civil", &TScientist::Civil, "szStrStaffScientistAttCivil"}};
  return Skills;
}

template <>
std::span<const TStaffSkill<TGeneral>> StaffSkills<TGeneral>() {
  static constexpr TStaffSkill<TGeneral> Skills[] = {
      {"defense", &TGeneral::Defense, "szStrStaffGeneralAttDefense"},
      {"attack", &TGeneral::Attack, "szStrStaffGeneralAttAttack"},
      {"movement", &TGeneral::Movement, "szStrStaffGeneralAttMovement"}};
  return Skills;
}

template <>
std::span<const TStaffSkill<TSpy>> StaffSkills<TSpy>() {
  static constexpr TStaffSkill<TSpy> Skills[] = {
      {"espionage", &TSpy::Espionage, "szStrStaffSpyAttEspionage"},
      {"sabotage", &TSpy::Sabotage, "szStrStaffSpyAttSabotage"},
      {"hiding", &TSpy::Hiding, "szStrStaffSpyAttHiding"}};
  return Skills;
}

void TScientist::Assign(TScientist& Target) const { CopyStaff(*this, Target); }

void TGeneral::Assign(TGeneral& Target) const { CopyStaff(*this, Target); }

void TSpy::Assign(TSpy& Target) const {
  CopyStaff(*this, Target);
  Target.Region = Region;
  Target.RoundInfiltrated = RoundInfiltrated;
  Target.HasAction = HasAction;
  Target.Nation = Nation;
  Target.BuildingDataTurn = BuildingDataTurn;
  Target.BuildingData = BuildingData;
  Target.DivisionDataTurn = DivisionDataTurn;
  Target.DivisionData = DivisionData;
}

TSpy::~TSpy() {
  if (Region && Region->Spy == this) Region->Spy = nullptr;
}

void TSpy::ResetBuildingData() {
  const TBuildingType* Unknown = gBuildingTypePool ? gBuildingTypePool->UnknownType() : nullptr;
  for (auto& Row : BuildingData) Row.fill(Unknown);
  BuildingDataTurn = -1;
  DivisionDataTurn = -1;
  RoundInfiltrated = -1;
  DivisionData.clear();
}

void TSpy::Withdraw() {
  if (Region && Region->Spy == this) Region->Spy = nullptr;
  Region = nullptr;
  HasAction = false;
  RoundInfiltrated = -1;
}
