#include "world/staff.h"

#include "world/building_type.h"
#include "world/region.h"
#include "world/world_globals.h"

template <>
std::span<const TStaffSkill<TScientist>> StaffSkills<TScientist>() {
  static constexpr TStaffSkill<TScientist> Skills[] = {
      {"military", &TScientist::Military, "szStrStaffScientistAttMilitary", 0},
      {"civil", &TScientist::Civil, "szStrStaffScientistAttCivil", 1}};
  return Skills;
}

template <>
std::span<const TStaffSkill<TGeneral>> StaffSkills<TGeneral>() {
  static constexpr TStaffSkill<TGeneral> Skills[] = {
      {"defense", &TGeneral::Defense, "szStrStaffGeneralAttDefense", 1},
      {"attack", &TGeneral::Attack, "szStrStaffGeneralAttAttack", 0},
      {"movement", &TGeneral::Movement, "szStrStaffGeneralAttMovement", 2}};
  return Skills;
}

template <>
std::span<const TStaffSkill<TSpy>> StaffSkills<TSpy>() {
  static constexpr TStaffSkill<TSpy> Skills[] = {
      {"espionage", &TSpy::Espionage, "szStrStaffSpyAttEspionage", 0},
      {"sabotage", &TSpy::Sabotage, "szStrStaffSpyAttSabotage", 1},
      {"hiding", &TSpy::Hiding, "szStrStaffSpyAttHiding", 2}};
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
