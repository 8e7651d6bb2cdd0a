// The economic side of a computer round: budgets and payment, region checks with risk and
// expansion factor, construction and demolition.
#include "ai/ai_basic_personality.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ai/ai_controller.h"
#include "platform/checked.h"
#include "platform/random.h"
#include "platform/text_format.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

TNation& TAIBasicPersonality::Nation() const { return *Controller->Nation; }

void TAIBasicPersonality::Log(const std::string& Text, std::int32_t Color) const { Controller->Log->Add(Text, Color); }

bool TAIBasicPersonality::IsEndangered(const TRegion& Region) {
  return Region.Pollution > 0.6f || Region.Loyality < 0.3f;
}

std::int32_t TAIBasicPersonality::CategoryStrength(const TBuildingType& Type, std::int32_t Category) {
  // A missing effect reads as -1, so it counts 1 here.
  const auto Value = [&](const char* Name) { return std::abs(Type.GetEffectValue(Name)); };
  switch (Category) {
    case bcEnergy: return Value("region.energy");
    case bcRessources: return Value("region.ressources");
    case bcMaxPopulation: return Value("region.maxpopulation");
    case bcGrowth: return Value("region.growth");
    case bcScience: return Value("global.science.civil") + Value("global.science.military");
    case bcDefense: return Value("region.defense") + Value("region.military");
    case bcLoyality: return Value("region.loyality");
    case bcPollution: return Value("region.pollution");
    default: return 0;
  }
}

void TAIBasicPersonality::Update() {
  TNation& N = Nation();
  Log("TAIBasicPersonality.Update", AIColorGeneral);
  if (Controller->Difficulty == 1 || Controller->Difficulty == 2)
    N.Ressources = static_cast<float>(N.Ressources + Controller->Difficulty * static_cast<double>(N.GetValue("ressourcesincoming")));
  const double R = N.Ressources;
  ArmyBudget = static_cast<float>(R * ArmyShare / 100.0);
  ConstructionBudget = static_cast<float>(R * ConstructionShare / 100.0);
  ResearchBudget = static_cast<float>(R * 5.0 / 100.0);
  ArmyBudgetLeft = ArmyBudget;
  ConstructionBudgetLeft = ConstructionBudget;
  ResearchBudgetLeft = ResearchBudget;

  DoCheckRegions();
  DoArmyManagement();
  DoResearch();
  DoStaff();

  // Units bought this round were paid by the build queue when they were ordered; the army
  // budget only limited how many. Charging them here again would make every unit cost double.
  N.Ressources = static_cast<float>(static_cast<double>(N.Ressources) -
                                    (static_cast<double>(ConstructionBudget) - ConstructionBudgetLeft) -
                                    (static_cast<double>(ResearchBudget) - ResearchBudgetLeft));
}

void TAIBasicPersonality::DoCheckRegions() {
  TNation& N = Nation();
  Log("DoCheckRegions", AIColorHeading);

  std::vector<TRegion*> Endangered, Own;
  for (auto& Region : gRegions)
    if (Region->Owner == N.ID) {
      Own.push_back(Region.get());
      if (IsEndangered(*Region)) Endangered.push_back(Region.get());
    }
  if (Endangered.empty()) {
    Log(" I own no endangered regions to check.", AIColorGeneral);
  } else {
    Log(" I own " + std::to_string(Endangered.size()) + " endangered regions!", AIColorAlarm);
    for (TRegion* Region : Endangered) DoConstruction(*Region);
  }

  const std::int32_t Pick = Random(static_cast<std::int32_t>(Own.size()));
  if (Own.empty()) return;
  const std::int32_t Start = Own[static_cast<std::size_t>(Pick)]->ID;
  const std::int32_t Count = static_cast<std::int32_t>(gRegions.size());
  Log(" Starting with region " + At(gRegions, Start, "TAIBasicPersonality->DoCheckRegions")->GetName(), AIColorGeneral);

  for (std::int32_t Step = 0; Step < Count; ++Step) {
    TRegion& R = *gRegions[static_cast<std::size_t>((Start + Step) % Count)];
    if (R.Owner != N.ID || IsEndangered(R)) continue;
    R.PreviousRisk = R.Risk;
    R.Risk = 0;
    for (std::int32_t Index : R.Neighbours) {
      const TRegion& Neighbour = *At(gRegions, Index, "TAIBasicPersonality->DoCheckRegions");
      if (Neighbour.Owner != R.Owner && Neighbour.Owner != TRegion::OwnerNobody) ++R.Risk;
    }
    for (std::int32_t Index : R.Neighbours) {
      TRegion& Neighbour = *At(gRegions, Index, "TAIBasicPersonality->DoCheckRegions");
      if (Neighbour.Owner == R.Owner) continue;
      std::vector<std::uint8_t> Owners;
      for (std::int32_t Next : Neighbour.Neighbours) {
        const std::uint8_t Owner = At(gRegions, Next, "TAIBasicPersonality->DoCheckRegions")->Owner;
        if (Owner != R.Owner && Owner != TRegion::OwnerNobody &&
            std::find(Owners.begin(), Owners.end(), Owner) == Owners.end())
          Owners.push_back(Owner);
      }
      Neighbour.ExpansionFactor = static_cast<std::int32_t>(Owners.size());
      std::string Line = " Enemy region " + Quoted(Neighbour.GetName()) + " has expansion factor of " +
                         std::to_string(Neighbour.ExpansionFactor) + " [" + std::to_string(Neighbour.Owner) + "->";
      for (std::uint8_t Owner : Owners) Line += std::to_string(Owner) + " ";
      Log(Line + "]", AIColorGeneral);
    }
    DoConstruction(R);
  }
}

void TAIBasicPersonality::DoConstruction(TRegion& Region) {
  Log("DoConstruction for " + Region.GetName(), AIColorHeading);
  const std::string Name = Quoted(Region.GetName());
  if (!IsEndangered(Region)) {
    if (Region.Risk > 0) {
      Log(" Region " + Name + " has high risk factor", AIColorConstruction);
      for (const char* Key : {"building_airdefense", "building_bunker"})
        if (!Region.HasBuilding(Key)) {
          const TBuildingType* Type = gBuildingTypePool ? gBuildingTypePool->FindByID(Key) : nullptr;
          if (!Type) Log(std::string("  ERROR : No building type ") + Key + "!", AIColorAlarm);
          else ConstructBuilding(Region, Type);
        }
    } else {
      Log(" Region " + Name + " has low risk factor", AIColorConstruction);
    }
    if (Region.Energy <= 0.2f) BuildBest(Region, bcEnergy, "  HINT : No suited energy building found");
    if (CountBuildingsOfCategory(Region, bcRessources) < 2) BuildBest(Region, bcRessources, "  HINT : No suited ressources building found");
    if (CountBuildingsOfCategory(Region, bcScience) < 1) BuildBest(Region, bcScience, "  HINT : No suited science building found");
    if (static_cast<double>(Region.GetValue("maxpopulation")) - Region.Population < 0.1)
      BuildBest(Region, bcMaxPopulation, "  HINT : No suited max population raising building found");
    return;
  }
  Log("Region is endangered, using different construction priorities.", AIColorAlarm);
  if (Region.Energy <= 0.1f)
    BuildBestWithRoom(Region, bcEnergy, "  HINT : No suited energy building found");
  else if (Region.Loyality < 0.3f && CountBuildingsOfCategory(Region, bcLoyality) < 3)
    BuildBestWithRoom(Region, bcLoyality, "  HINT : No suited loyality building found");
  else if (Region.Pollution > 0.6f && CountBuildingsOfCategory(Region, bcPollution) < 3)
    BuildBestWithRoom(Region, bcPollution, "  HINT : No suited pollution building found");
}

void TAIBasicPersonality::BuildBest(TRegion& Region, std::uint8_t Category, const std::string& Hint) {
  if (const TBuildingType* Type = GetBestBuildingType(Category)) ConstructBuilding(Region, Type);
  else Log(Hint, AIColorConstruction);
}

void TAIBasicPersonality::BuildBestWithRoom(TRegion& Region, std::uint8_t Category, const std::string& Hint) {
  const TBuildingType* Type = GetBestBuildingType(Category);
  if (!Type) {
    Log(Hint, AIColorConstruction);
    return;
  }
  // A building is torn down only for one that can start right now.
  if (!HasFreeSlot(Region) && !Region.HasConstruction() && Type->BuildCost <= ConstructionBudgetLeft)
    DemolishBuildingForRoom(Region);
  ConstructBuilding(Region, Type);
}

void TAIBasicPersonality::ConstructBuilding(TRegion& Region, const TBuildingType* Type) {
  if (!Type) {
    Log("  ERROR : No building type to construct!", AIColorAlarm);
    return;
  }
  // A building the budget cannot pay is passed over without a word.
  if (static_cast<float>(Type->BuildCost) > ConstructionBudgetLeft) return;
  // The cost is booked before the region is looked at and stays booked when nothing starts.
  ConstructionBudgetLeft = static_cast<float>(static_cast<double>(ConstructionBudgetLeft) - Type->BuildCost);
  if (Region.HasConstruction()) return;  // one construction at a time
  for (auto& Row : Region.Buildings)
    for (TBuilding& Slot : Row)
      if (!Slot.Type) {
        Slot.FinishType = Type;
        Slot.FinishTime = Type->BuildTime;
        Log(" Constructing " + Quoted(Type->GetName()), AIColorConstruction);
        return;
      }
  Log("  ERROR : No more free slot for " + Quoted(Type->GetName()) + "!", AIColorAlarm);
}

bool TAIBasicPersonality::DemolishBuildingForRoom(TRegion& Region) {
  // The first slot unless a search finds a building with one of the effects; the later searches
  // win, so ressources go first, then science, growth, max population and defense. Whatever
  // category the building has: an energy or loyalty building raising ressources goes too.
  TBuilding* Chosen = &Region.Buildings[0][0];
  const auto Search = [&](std::initializer_list<const char*> Effects) {
    for (auto& Row : Region.Buildings)
      for (TBuilding& Slot : Row) {
        if (!Slot.Type) continue;
        const bool Match = std::any_of(Effects.begin(), Effects.end(),
                                       [&](const char* Effect) { return Slot.Type->GetEffectValue(Effect) > 0; });
        if (Match) {
          Chosen = &Slot;  // a later row replaces an earlier one
          break;
        }
      }
  };
  Search({"region.defense"});
  Search({"region.maxpopulation"});
  Search({"region.growth"});
  Search({"global.science.civil", "global.science.military"});
  Search({"region.ressources"});
  if (!Chosen->Type) return false;
  Log(" Demolished " + Quoted(Chosen->Type->GetName()) + " to make room for a more important building",
      AIColorConstruction);
  Chosen->Type = nullptr;
  return true;
}

bool TAIBasicPersonality::HasFreeSlot(const TRegion& Region) { return Region.FirstFreeSlot() >= 0; }

std::int32_t TAIBasicPersonality::CountBuildingsOfCategory(const TRegion& Region, std::uint8_t Category) {
  std::int32_t Count = 0;
  for (const auto& Row : Region.Buildings)
    for (const TBuilding& Slot : Row)
      if (Slot.Type && Slot.Type->Category == Category) ++Count;
  return Count;
}

const TBuildingType* TAIBasicPersonality::GetBestBuildingType(std::uint8_t Category) const {
  if (!gBuildingTypePool) return nullptr;
  const TBuildingType* Best = nullptr;
  std::int32_t BestStrength = -1;
  for (const auto& Type : gBuildingTypePool->Types) {
    if (Type->Category != Category || !Nation().TechnologyTree.IsResearched(Type->NeededTechID)) continue;
    const std::int32_t Strength = CategoryStrength(*Type, Category);
    if (Strength > BestStrength && Type->BuildCost <= ConstructionBudgetLeft) {
      Best = Type.get();
      BestStrength = Strength;
    }
  }
  return Best;
}
