// The region's round and its operations on divisions, buildings and the defensive army.
#include "world/region.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/localization.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/random.h"
#include "platform/rounding.h"
#include "platform/text_format.h"
#include "world/building_type.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
// Every float field takes the value of a statement as a 32-bit float; the statement itself is
// worked out in double. Thresholds compare two 32-bit floats, so a field stored as exactly 0.9
// is not above 0.9f.
float Clamp01(double Value) { return static_cast<float>(std::clamp(Value, 0.0, 1.0)); }

TNation& OwnerNation(const TRegion& Region, const char* Where) {
  TNation* Nation = At(gNations, Region.Owner, Where).get();
  if (!Nation) throw ETarnovaError(std::string(Where) + "->Nation " + std::to_string(Region.Owner) + " does not exist");
  return *Nation;
}
}  // namespace

void TRegion::DoRound() {
  // 1. Regions of nobody and of the rebels stand still.
  if (Owner > 4) return;
  TNation& N = OwnerNation(*this, "TRegion->DoRound");
  const auto News = [&](const std::string& Text) { N.Messages.Add(GetName() + " : " + Text, "regioninfo", ID, 0); };

  // 2.
  StatusIcon.clear();
  PopulationLast = Population;
  GrowthLast = Growth;
  ConstantLast = Constant;
  LoyalityLast = Loyality;
  RessourcesLast = Ressources;
  PollutionLast = Pollution;
  DefenseLast = Defense;
  EnergyLast = Energy;

  // 3. Constructions. A finishing one replaces whatever stood in the slot.
  for (auto& Row : Buildings)
    for (TBuilding& Slot : Row) {
      if (!Slot.FinishType) continue;
      // A build time may be written below 0 (finished at once); the lowest integer stays as it is.
      if (Slot.FinishTime > std::numeric_limits<std::int32_t>::min()) Slot.FinishTime -= 1;
      StatusIcon = "gui_icon_underconstruction";
      if (Slot.FinishTime < 1) {
        Slot.Type = Slot.FinishType;
        Slot.FinishType = nullptr;
        News(FormatText(Localize("szStrNewsBuildingFinished"), {Slot.Type->GetName()}));
        StatusIcon = "gui_icon_newbuilding";
      }
    }

  // 4. Growth.
  Growth = static_cast<float>(GetValue("growth") / 10.0 * N.BaseFactors[TNation::bfGrowth]);
  Population = static_cast<float>(Population + 0.1 * Growth);

  // 5. Heavy pollution kills; there is no upper limit to the population.
  if (Pollution > 0.9f) {
    Growth = 0.0f;
    Population = static_cast<float>(Population - 0.25);
  } else if (Pollution > 0.8f) {
    Growth = 0.0f;
    Population = static_cast<float>(Population - 0.15);
  }
  if (Population < 0.0f) Population = 0.0f;

  // 6. Loyalty.
  Loyality = static_cast<float>(std::min(Loyality + GetValue("loyality") / 50.0 * N.BaseFactors[TNation::bfLoyality], 1.0));
  if (Pollution > 0.8f) Loyality = static_cast<float>(Loyality - 0.15 * Pollution);
  else if (Pollution > 0.5f) Loyality = static_cast<float>(Loyality - 0.075 * Pollution);
  Loyality = Clamp01(Loyality);

  // 7. The ressources of this round (not a stock).
  Ressources = static_cast<float>(std::max(GetValue("ressources") / 10.0 + Population * 4.0 * Loyality, 0.0));

  // 8. Pollution from buildings and from crowding.
  Pollution = static_cast<float>(Pollution + GetValue("pollution") / 500.0 * N.BaseFactors[TNation::bfPollution]);
  if (Population > 0.8f) Pollution = static_cast<float>(Pollution + 0.0125 * Population);
  else if (Population > 0.65f) Pollution = static_cast<float>(Pollution + 0.0075 * Population);
  Pollution = Clamp01(Pollution);

  // 9. Warnings for the human player whose turn it is.
  if (Owner == gPlayerNation) {
    const auto Retreat = [&] {
      return GetDivision() ? std::string(" ").append(Localize("szStrNewsDivisionRetreat")) : std::string();
    };
    if (Population > 0.0f && Pollution > 0.8f) News(Localize("szStrNewsDeadlyPollution"));
    else if (Population > 0.0f && Pollution > 0.7f) News(Localize("szStrNewsHighPollution"));
    if (PopulationLast > 0.0f && Population <= 0.0f) News(Localize("szStrNewsDeadRegion") + Retreat());
    if (Loyality > 0.0f && Loyality < 0.2f) News(Localize("szStrNewsLowLoyality"));
    if (LoyalityLast > 0.0f && Loyality <= 0.0f && Population > 0.0f)
      News(Localize("szStrNewsRebellingRegion") + Retreat());
  }

  // 10., 11.
  const float EnergyValue = GetValue("energy");
  if (EnergyValue < 0.0f) News(Localize("szStrNewsLowPower"));
  Energy = static_cast<float>(EnergyValue / 10.0);

  // 12. Death, 13. rebellion: the owner loses the region and its division there leaves.
  const auto Lose = [&](std::uint8_t NewOwner) {
    N.ScoreEvent("RegionLost");
    if (TDivision* Division = GetDivision()) {
      Division->HasMoved = true;
      Division->Region = -1;
    }
    Owner = NewOwner;
  };
  if (Population <= 0.0f) Lose(OwnerNobody);
  else if (Loyality <= 0.0f) Lose(OwnerRebels);
}

bool TRegion::IsNeighbour(std::int32_t Index) const {
  return std::find(Neighbours.begin(), Neighbours.end(), Index) != Neighbours.end();
}

TDivision* TRegion::GetDivision() const {
  if (Owner >= OwnerNobody) return nullptr;
  const TNation* Nation = At(gNations, Owner, "TRegion->GetDivision").get();
  if (!Nation) return nullptr;
  for (const auto& Division : Nation->Divisions)
    if (Division->Region == ID) return Division.get();
  return nullptr;
}

std::int32_t TRegion::GetDivisionStrength() const {
  const TDivision* Division = GetDivision();
  return Division ? Division->GetStrength() : -1;
}

bool TRegion::HasBuilding(const std::string& BuildingID) const {
  for (const auto& Row : Buildings)
    for (const TBuilding& Slot : Row)
      if (Slot.Type && SameTextAscii(Slot.Type->ID, BuildingID)) return true;
  return false;
}

bool TRegion::HasConstruction() const {
  for (const auto& Row : Buildings)
    for (const TBuilding& Slot : Row)
      if (Slot.FinishType) return true;
  return false;
}

std::int32_t TRegion::FirstFreeSlot() const {
  for (std::size_t i = 0; i < 9; ++i) {
    const TBuilding& Slot = Buildings[i / 3][i % 3];
    if (!Slot.Type && !Slot.FinishType) return static_cast<std::int32_t>(i);
  }
  return -1;
}

TConstructionResult TRegion::StartConstruction(const TNation& Nation, std::int32_t Slot, const TBuildingType* Type,
                                               float& Funds) {
  using R = TConstructionResult;
  if (!Type) return R::NoBuildingType;
  if (Slot < 0 || Slot > 8) return R::NoSpot;
  if (HasConstruction()) return R::AlreadyBuilding;
  TBuilding& Target = Buildings[static_cast<std::size_t>(Slot / 3)][static_cast<std::size_t>(Slot % 3)];
  if (Target.Type || Target.FinishType) return R::SpotOccupied;
  // A chosen type outlives language switches, rounds and hot-seat turns: it may stand for a
  // technology this nation does not have.
  if (!Nation.TechnologyTree.IsResearched(Type->NeededTechID)) return R::NotResearched;
  if (static_cast<float>(Type->BuildCost) > Funds) return R::NotEnoughRessources;
  Target.FinishType = Type;
  Target.FinishTime = Type->BuildTime;
  Funds = static_cast<float>(static_cast<double>(Funds) - Type->BuildCost);
  return R::Started;
}

void TRegion::CreateDefensiveArmy() {
  // The unit types are found first, so a missing one leaves the old army as it was.
  const bool Rebels = Owner == OwnerRebels;
  std::vector<const TUnitType*> RebelTypes;
  const TUnitType* LocalType = nullptr;
  if (Rebels) {
    if (gUnitTypePool)
      for (const auto& Type : gUnitTypePool->Types)
        if (Type->Nation == 6) RebelTypes.push_back(Type.get());
    if (RebelTypes.empty())
      throw ETarnovaError("TRegion->CreateDefensiveArmy->Region \"" + GetName() +
                          "\" is occupied by rebels but there are no rebel units in unit type pool!");
  } else {
    LocalType = gUnitTypePool ? gUnitTypePool->FindByID("INF_LIGHT") : nullptr;
    if (!LocalType)
      throw ETarnovaError("TRegion->CreateDefensiveArmy->Region \"" + GetName() +
                          "\" needs the unit type \"INF_LIGHT\" for its local defense, but the unit type pool has none!");
  }

  FreeDefensiveArmy();
  Units.clear();
  DefensiveDivision = std::make_unique<TDivision>();
  DefensiveDivision->Region = ID;
  DefensiveDivision->ID = -1;
  DefensiveDivision->Name = Localize(Rebels ? "szStrRebelDefense" : "szStrLocalDefense");
  DefensiveDivision->HasMoved = true;

  // round() halves to even; worked out in double, 0.6 x 1.5 / 0.2 lies just above 4.5 and gives 5.
  std::int32_t Count = Owner < OwnerNobody
                           ? RoundToInt(Defense * static_cast<double>(OwnerNation(*this, "TRegion->CreateDefensiveArmy")
                                                                          .BaseFactors[TNation::bfDefense]) / 0.2)
                           : RoundToInt(Defense / 0.2);
  if (Count <= 0) Count = 1;
  if (Rebels) Count += 2;

  // Draws per unit, in this order: the rebel type (rebels only); then the offset's Y as
  // Random(3) - Random(3), then its X likewise, the subtracted draw second each time.
  for (std::int32_t i = 0; i < Count; ++i) {
    auto Unit = std::make_unique<TUnit>();
    Unit->UnitType = Rebels ? RebelTypes[static_cast<std::size_t>(Random(static_cast<std::int32_t>(RebelTypes.size())))]
                            : LocalType;
    Unit->Health = Unit->UnitType->Health;
    Unit->Division = DefensiveDivision.get();
    Unit->Region = ID;
    Unit->Locked = true;
    const std::int32_t OffsetY = Random(3);
    Unit->BattlefieldOffset.Y = OffsetY - Random(3);
    const std::int32_t OffsetX = Random(3);
    Unit->BattlefieldOffset.X = OffsetX - Random(3);
    Units.push_back(std::move(Unit));
  }
}

void TRegion::CheckDefensiveArmyTypes() {
  constexpr std::string_view Where = "TRegion->CheckDefensiveArmyTypes->";
  if (!gUnitTypePool) throw EDataError(std::string(Where) + "No unit types are loaded");
  if (!gUnitTypePool->FindByID("INF_LIGHT"))
    throw EDataError(std::string(Where) + "\"" + gUnitTypePool->FileName +
                     "\": no element <unit> has the ID \"INF_LIGHT\", which every region needs for its local defense");
}

bool TRegion::UpdateScreenPosition(const double ModelView[16], const double Projection[16],
                                   const std::int32_t Viewport[4], double& X, double& Y, double& Z) {
  // The globe model lies with its y axis along the file's z axis.
  const double Object[4] = {Position3D.X, Position3D.Z, -static_cast<double>(Position3D.Y), 1.0};
  double Eye[4], Clip[4];
  for (int r = 0; r < 4; ++r) {
    Eye[r] = 0.0;
    for (int c = 0; c < 4; ++c) Eye[r] += ModelView[c * 4 + r] * Object[c];
  }
  for (int r = 0; r < 4; ++r) {
    Clip[r] = 0.0;
    for (int c = 0; c < 4; ++c) Clip[r] += Projection[c * 4 + r] * Eye[c];
  }
  if (Clip[3] == 0.0) return false;
  const double NX = Clip[0] / Clip[3], NY = Clip[1] / Clip[3], NZ = Clip[2] / Clip[3];
  const double WindowX = Viewport[0] + (NX * 0.5 + 0.5) * Viewport[2];
  const double WindowY = Viewport[1] + (NY * 0.5 + 0.5) * Viewport[3];
  X = WindowX;
  Y = Viewport[3] - WindowY;
  Z = NZ * 0.5 + 0.5;
  ScreenPosition = MakeVector3(static_cast<float>(X), static_cast<float>(Y), static_cast<float>(Z));
  return true;
}
