#include "world/nation.h"

#include <algorithm>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/rounding.h"
#include "world/region.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
// Research from buildings and from staff each count for at most 1.5.
constexpr double ResearchPartCap = 1.5;

const TUnitType& UnitTypeAt(std::int32_t Index, const char* Where) {
  if (!gUnitTypePool) throw ETarnovaError(std::string(Where) + "->No unit types loaded");
  return *At(gUnitTypePool->Types, Index, Where);
}

template <typename List, typename T>
std::int32_t IndexOf(const List& L, const T* Item) {
  for (std::size_t i = 0; i < L.size(); ++i)
    if (L[i].get() == Item) return static_cast<std::int32_t>(i);
  return -1;
}
}  // namespace

TNation::TNation() { Names.resize(gLocalization.LanguageCodes.size()); }

// Freed spies unlink themselves from their regions.
TNation::~TNation() = default;

namespace {
void Disband(TNation& N) {
  N.Scientists.clear();
  for (auto& General : N.Generals) N.UnassignGeneral(*General);
  N.Generals.clear();
  for (auto& Spy : N.Spies) Spy->Withdraw();
  N.Spies.clear();
  N.Units.clear();
  N.Divisions.clear();
  N.BuildQueueTypes.clear();
  N.BuildQueueTurns.clear();
}
}  // namespace

void TNation::Reset() {
  Disband(*this);
  TechnologyTree.Reset();
  Dead = false;
  Score = 0;
}

void TNation::SetDead() {
  ScoreEvent("GameLost");
  Dead = true;
}

std::string TNation::GetName() const { return At(Names, gLocalization.LanguageIndex, "TNation->GetName->Names"); }

float TNation::GetValue(const std::string& Name) const {
  // The owned regions' sums, taken only when a name needs them.
  const auto ForRegions = [this](auto&& Add) {
    for (const auto& Region : gRegions)
      if (Region->Owner == ID) Add(*Region);
  };
  const auto NumRegions = [&] {
    std::int32_t N = 0;
    ForRegions([&](const TRegion&) { ++N; });
    return N;
  };
  const auto Average = [&](float TRegion::*Field) {
    double Sum = 0.0;
    std::int32_t N = 0;
    ForRegions([&](const TRegion& R) {
      Sum += R.*Field;
      ++N;
    });
    return N == 0 ? 0.0f : static_cast<float>(Sum / N);
  };
  const auto Total = [&](float TRegion::*Field) {
    double Sum = 0.0;
    ForRegions([&](const TRegion& R) { Sum += R.*Field; });
    return static_cast<float>(Sum);
  };
  const auto BuildingPart = [&](const char* RegionValue) {
    double Sum = 0.0;
    ForRegions([&](const TRegion& R) { Sum += static_cast<double>(R.GetValue(RegionValue)) / 10.0; });
    return std::min(Sum, ResearchPartCap);
  };
  const auto StaffPart = [&](float TScientist::*Skill) {
    double Sum = 0.0;
    for (const auto& S : Scientists) Sum += (*S).*Skill;
    return std::min(Sum / 500.0, ResearchPartCap);
  };
  const auto Wages = [](const auto& Staff) {
    double Sum = 0.0;
    for (const auto& S : Staff) Sum += S->Wage;
    return Sum;
  };

  if (Name == "numregions") return static_cast<float>(NumRegions());
  if (Name == "averageloyality") return Average(&TRegion::Loyality);
  if (Name == "averagegrowth") return Average(&TRegion::Growth);
  if (Name == "averagepopulation") return Average(&TRegion::Population);
  if (Name == "totalpopulation") return Total(&TRegion::Population);
  if (Name == "totalgrowth") return Total(&TRegion::Growth);
  if (Name == "ressources") return Ressources;
  if (Name == "ressourcesincoming") {
    // Each region's income is a 32-bit float as the region itself would store it; unlike the
    // region's Ressources it is not clamped at 0.
    double Sum = 0.0;
    ForRegions([&](const TRegion& R) {
      const float Income = static_cast<float>(static_cast<double>(R.GetValue("ressources")) / 10.0 +
                                              static_cast<double>(R.Population) * 4.0 * R.Loyality);
      Sum += static_cast<double>(Income) * 10.0 * BaseFactors[bfRessources];
    });
    return static_cast<float>(Sum);
  }
  if (Name == "researchcivil")
    return static_cast<float>((BuildingPart("researchcivil") + StaffPart(&TScientist::Civil)) *
                              BaseFactors[bfResearchCivil]);
  if (Name == "researchmilitary")
    return static_cast<float>((BuildingPart("researchmilitary") + StaffPart(&TScientist::Military)) *
                              BaseFactors[bfResearchMilitary]);
  if (Name == "researchcivil.staff") return static_cast<float>(StaffPart(&TScientist::Civil));
  if (Name == "researchmilitary.staff") return static_cast<float>(StaffPart(&TScientist::Military));
  if (Name == "researchcivil.buildings") return static_cast<float>(BuildingPart("researchcivil"));
  if (Name == "researchmilitary.buildings") return static_cast<float>(BuildingPart("researchmilitary"));
  if (Name == "wagesscientists") return static_cast<float>(Wages(Scientists));
  if (Name == "wagesgenerals") return static_cast<float>(Wages(Generals));
  if (Name == "wagesspies") return static_cast<float>(Wages(Spies));
  if (Name == "wagestotal") return static_cast<float>(Wages(Scientists) + Wages(Generals) + Wages(Spies));
  if (Name == "militarymaintenance") {
    double Sum = 0.0;
    for (const auto& U : Units)
      if (U->UnitType) Sum += U->UnitType->RoundCost;
    return static_cast<float>(Sum);
  }
  if (Name == "globalprojectressources") return 0.0f;
  if (Name == "numdivisions") return static_cast<float>(Divisions.size());
  if (Name == "militarystrength") {
    std::int32_t Stars = 0;
    for (const auto& D : Divisions) Stars += D->GetStrength();
    return static_cast<float>(Stars);
  }
  if (Name == "researchprogress") {
    std::int32_t N = 0;
    for (const auto& T : TechnologyTree.Technologies)
      if (T->Researched) ++N;
    return static_cast<float>(N);
  }
  if (Name == "score") return static_cast<float>(Score);
  throw ETarnovaError("TNation->GetValue->\"" + Name + "\" is not a valid value!");
}

void TNation::ScoreEvent(const std::string& Event) {
  if (Event == "RegionTaken") Score += 50;
  else if (Event == "RegionDefended") Score += 25;
  else if (Event == "RegionLost") Score = std::max(Score - 25, 0);
  else if (Event == "NationAnnihilated") Score += 250;
  else if (Event == "ResearchedTechnology") Score += 10;
  else if (Event == "TurnSurvived") Score += 5;
  else if (Event == "SpyInfiltrated") Score += 2;
  else if (Event == "GameWon") Score += RoundToInt(Score * 0.25);
  else if (Event == "GameLost") Score = std::max(Score - RoundToInt(Score * 0.15), 0);
  else throw ETarnovaError("TNation->ScoreEvent->Event \"" + Event + "\" is not a valid event identifier!");
}

TUnit* TNation::AddUnit(std::int32_t UnitTypeIndex) {
  const TUnitType& Type = UnitTypeAt(UnitTypeIndex, "TNation->AddUnit");
  auto Unit = std::make_unique<TUnit>();
  Unit->UnitType = &Type;
  Unit->Health = Type.Health;
  Units.push_back(std::move(Unit));
  return Units.back().get();
}

void TNation::RemoveUnit(std::int32_t Index) {
  if (!InRange(Units, Index)) return;
  Units.erase(Units.begin() + Index);
}

void TNation::RemoveUnitObject(const TUnit* Unit) { RemoveUnit(IndexOf(Units, Unit)); }

TDivision* TNation::AddDivision(const std::string& Name, std::int32_t Region) {
  auto Division = std::make_unique<TDivision>();
  Division->ID = static_cast<std::int32_t>(Divisions.size());
  Division->Name = Name.empty() ? "Division " + std::to_string(Division->ID) : Name;
  Division->Region = Region;
  Division->Nation = this;
  Divisions.push_back(std::move(Division));
  return Divisions.back().get();
}

void TNation::MoveDivision(std::int32_t Index, std::int32_t Region) {
  TDivision& Division = *At(Divisions, Index, "TNation->MoveDivision");
  if (Region < 0) return;
  Division.Region = Region;
  Division.HasMoved = true;
}

void TNation::RemoveDivision(std::int32_t Index, bool FreeUnits) {
  if (!InRange(Divisions, Index)) return;
  TDivision* Division = Divisions[static_cast<std::size_t>(Index)].get();
  if (Division->General) {
    if (Division->General->Division == Division) Division->General->Division = nullptr;
    Division->General = nullptr;
  }
  // Any other general still pointing here (assigning does not unlink) must let go as well.
  for (auto& General : Generals)
    if (General->Division == Division) General->Division = nullptr;
  for (auto& Unit : Units)
    if (Unit->Division == Division) {
      Unit->Division = nullptr;
      Unit->Locked = true;
      if (FreeUnits) Unit.reset();
    }
  if (FreeUnits) std::erase(Units, nullptr);
  Divisions.erase(Divisions.begin() + Index);
  for (std::size_t i = 0; i < Divisions.size(); ++i) Divisions[i]->ID = static_cast<std::int32_t>(i);
}

void TNation::AssignGeneral(TGeneral& General, TDivision& Division) {
  General.Division = &Division;
  Division.General = &General;
}

void TNation::UnassignGeneral(TGeneral& General) {
  if (!General.Division) return;
  if (General.Division->General == &General) General.Division->General = nullptr;
  General.Division = nullptr;
}

TScientist* TNation::AddScientist(const TScientist& Offer) {
  Scientists.push_back(std::make_unique<TScientist>());
  Offer.Assign(*Scientists.back());
  return Scientists.back().get();
}

TGeneral* TNation::AddGeneral(const TGeneral& Offer) {
  Generals.push_back(std::make_unique<TGeneral>());
  Offer.Assign(*Generals.back());
  return Generals.back().get();
}

TSpy* TNation::AddSpy(TSpy& Offer) {
  Offer.Nation = this;
  Offer.HasAction = true;
  Spies.push_back(std::make_unique<TSpy>());
  Offer.Assign(*Spies.back());
  return Spies.back().get();
}

void TNation::RemoveScientist(std::int32_t Index) {
  if (Scientists.empty()) return;
  At(Scientists, Index, "TNation->RemoveScientist");
  Scientists.erase(Scientists.begin() + Index);
}

void TNation::RemoveGeneral(std::int32_t Index) {
  if (Generals.empty()) return;
  TGeneral* General = At(Generals, Index, "TNation->RemoveGeneral").get();
  for (auto& Division : Divisions)
    if (Division->General == General) Division->General = nullptr;
  Generals.erase(Generals.begin() + Index);
}

void TNation::RemoveSpy(std::int32_t Index) {
  if (Spies.empty()) return;
  TSpy& Spy = *At(Spies, Index, "TNation->RemoveSpy");
  if (Spy.Region && Spy.Region->Spy == &Spy) Spy.Region->Spy = nullptr;
  Spies.erase(Spies.begin() + Index);
}

void TNation::RemoveSpyObject(const TSpy* Spy) {
  const std::int32_t Index = IndexOf(Spies, Spy);
  if (Index >= 0) RemoveSpy(Index);
}

bool TNation::AddToBuildQueue(const TUnitType& UnitType) {
  if (BuildQueueTypes.size() >= MaxBuildQueue) return false;
  BuildQueueTypes.push_back(UnitType.Index);
  BuildQueueTurns.push_back(UnitType.BuildTime);
  Ressources = static_cast<float>(static_cast<double>(Ressources) - UnitType.BuildCost);
  return true;
}

bool TNation::AddToBuildQueueByIndex(std::int32_t UnitTypeIndex) {
  return AddToBuildQueue(UnitTypeAt(UnitTypeIndex, "TNation->AddToBuildQueueByIndex"));
}

void TNation::RemoveFromBuildQueue(std::int32_t Index) {
  if (!InRange(BuildQueueTypes, Index)) return;
  const TUnitType& Type = UnitTypeAt(BuildQueueTypes[static_cast<std::size_t>(Index)], "TNation->RemoveFromBuildQueue");
  // Half the cost comes back, rounded half to even: 75 returns 38, 45 returns 22.
  Ressources = static_cast<float>(static_cast<double>(Ressources) + RoundToInt(Type.BuildCost / 2.0));
  BuildQueueTypes.erase(BuildQueueTypes.begin() + Index);
  if (InRange(BuildQueueTurns, Index)) BuildQueueTurns.erase(BuildQueueTurns.begin() + Index);
}
