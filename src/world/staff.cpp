#include "world/staff.h"

#include "world/building_type.h"
#include "world/region.h"
#include "world/world_globals.h"

void TScientist::Assign(TScientist& Target) const {
  Target.Name = Name;
  Target.Cost = Cost;
  Target.Wage = Wage;
  Target.Military = Military;
  Target.Civil = Civil;
  Target.Image = Image;
}

void TGeneral::Assign(TGeneral& Target) const {
  Target.Name = Name;
  Target.Cost = Cost;
  Target.Wage = Wage;
  Target.Defense = Defense;
  Target.Attack = Attack;
  Target.Movement = Movement;
  Target.Image = Image;
}

void TSpy::Assign(TSpy& Target) const {
  Target.Name = Name;
  Target.Image = Image;
  Target.Region = Region;
  Target.RoundInfiltrated = RoundInfiltrated;
  Target.Cost = Cost;
  Target.Wage = Wage;
  Target.HasAction = HasAction;
  Target.Nation = Nation;
  Target.Espionage = Espionage;
  Target.Sabotage = Sabotage;
  Target.Hiding = Hiding;
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
