// The military and scientific side of a computer round: divisions for threatened regions, unit
// purchases, distribution of free units, stationing, attacks fought out at once, research and
// staff.
#include <algorithm>
#include <vector>

#include "ai/ai_basic_personality.h"
#include "ai/ai_controller.h"
#include "engine/localization.h"
#include "platform/checked.h"
#include "platform/random.h"
#include "platform/text_format.h"
#include "world/battle.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/technology.h"
#include "world/transfer_market.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
// A battle that is not over after this many steps ends as a win of the defender.
constexpr std::int32_t MaxBattleSteps = 64000;
// A division takes no more units by need than this.
constexpr std::int32_t MaxUnitsByNeed = 14;
// Units are bought only up to this queue length.
constexpr std::size_t PurchaseQueueLength = 8;

TRegion* RegionAt(std::int32_t Index) {
  return InRange(gRegions, Index) ? gRegions[static_cast<std::size_t>(Index)].get() : nullptr;
}

// The risk of the region a division protects; 0 when it protects none.
std::int32_t AssignedRisk(const TDivision& Division) {
  const TRegion* Region = RegionAt(Division.AssignedRegion);
  return Region ? Region->Risk : 0;
}

// The division's place in its nation's list, -1 when it is gone.
std::int32_t IndexOf(const TNation& Nation, const TDivision* Division) {
  for (std::size_t i = 0; i < Nation.Divisions.size(); ++i)
    if (Nation.Divisions[i].get() == Division) return static_cast<std::int32_t>(i);
  return -1;
}

std::string UnitTypeName(const TUnit& Unit) { return Unit.UnitType ? Unit.UnitType->GetName() : std::string(); }
}  // namespace

void TAIBasicPersonality::DoArmyManagement() {
  TNation& N = Nation();
  Log("DoArmyManagement", AIColorHeading);

  // 1. Divisions whose region was lost go, with their units.
  const std::vector<TDivision*> Snapshot = [&] {
    std::vector<TDivision*> List;
    for (auto& D : N.Divisions) List.push_back(D.get());
    return List;
  }();
  for (TDivision* D : Snapshot) {
    const TRegion* Region = RegionAt(D->Region);
    if (!Region || Region->Owner == N.ID) continue;
    Log(" Division stationed in region " + Quoted(Region->GetName()) + ", but region is lost. Disbanding division!",
        AIColorHeading);
    // Removed by identity: its place in the list is what counts, not a number it carries.
    N.RemoveDivision(IndexOf(N, D), true);
  }

  // 2. One division for every threatened own region.
  for (auto& Region : gRegions) {
    if (Region->Owner != N.ID || Region->Risk < 1) continue;
    const bool Covered = std::any_of(N.Divisions.begin(), N.Divisions.end(),
                                     [&](const auto& D) { return D->AssignedRegion == Region->ID; });
    if (Covered) continue;
    TDivision* D = N.AddDivision("", -1);
    D->Name = "AI-Army " + std::to_string(D->ID);
    D->AssignedRegion = Region->ID;
    Log(" Created empty division for region " + Quoted(Region->GetName()), AIColorHeading);
  }

  // 3. Unit purchases.
  if (static_cast<double>(N.GetValue("ressourcesincoming")) / 4.0 > N.GetValue("militarymaintenance") &&
      N.BuildQueueTypes.size() < PurchaseQueueLength) {
    const std::size_t Draws = PurchaseQueueLength - N.BuildQueueTypes.size();
    for (std::size_t i = 0; i < Draws; ++i) {
      const TUnitType* Type = GetRandomUnitType();
      if (!Type || Type->BuildCost > ArmyBudgetLeft) continue;
      if (!N.AddToBuildQueueByIndex(Type->Index)) continue;
      Log(" Added unit " + Quoted(Type->GetName()) + " to queue", AIColorHeading);
      ArmyBudgetLeft = static_cast<float>(static_cast<double>(ArmyBudgetLeft) - Type->BuildCost);
    }
  }

  if (N.Divisions.empty()) return;

  // 4. C keeps the order from before the sort.
  std::vector<TDivision*> C;
  for (auto& D : N.Divisions) C.push_back(D.get());
  for (bool Exchanged = true; Exchanged;) {
    Exchanged = false;
    for (std::size_t i = 0; i + 1 < N.Divisions.size(); ++i)
      if (AssignedRisk(*N.Divisions[i]) < AssignedRisk(*N.Divisions[i + 1])) {
        std::swap(N.Divisions[i], N.Divisions[i + 1]);
        Exchanged = true;
      }
  }
  // A division's ID is its place in the list; the sort moved them.
  std::string Risks;
  for (std::size_t i = 0; i < N.Divisions.size(); ++i) {
    N.Divisions[i]->ID = static_cast<std::int32_t>(i);
    Risks += std::to_string(AssignedRisk(*N.Divisions[i])) + " ";
  }
  Log(" Risk factors sorted by army : " + Risks, AIColorHeading);

  // 5. Free units go where they are needed most.
  for (auto& Unit : N.Units) {
    if (Unit->Division) continue;
    for (TDivision* D : C)
      if (D->GetStrength() < AssignedRisk(*D) && D->UnitCount() < MaxUnitsByNeed) {
        Unit->Division = D;
        Log(" Free unit " + Quoted(UnitTypeName(*Unit)) + " assigned to army " + Quoted(D->Name), AIColorHeading);
        break;
      }
  }

  // 6. The rest go anywhere.
  for (auto& Unit : N.Units) {
    if (Unit->Division) continue;
    TDivision* D = C[static_cast<std::size_t>(Random(static_cast<std::int32_t>(C.size())))];
    Unit->Division = D;
    Log(" Free unit " + Quoted(UnitTypeName(*Unit)) + " randomly assigned to army " + Quoted(D->Name), AIColorHeading);
  }

  // 7. Divisions with units take up their post. The region they were raised for may be lost by
  // now (or unknown after loading a game); such a division must not walk into a foreign region
  // without a battle, so it dissolves and its units are handed out again next round.
  for (TDivision*& D : C) {
    if (D->GetStrength() < 1 || D->Region >= 0) continue;
    const TRegion* Post = RegionAt(D->AssignedRegion);
    if (!Post || Post->Owner != N.ID) {
      Log(" Army " + Quoted(D->Name) + " has units but no region of mine to protect, dissolving it", AIColorHeading);
      N.RemoveDivision(IndexOf(N, D), false);
      D = nullptr;
      continue;
    }
    Log(" Army " + Quoted(D->Name) + " has units and is not assigned, assigning to " + Quoted(Post->GetName()),
        AIColorHeading);
    D->Region = Post->ID;
  }

  // 8. Divisions in safe regions move on to a threatened neighbour, or dissolve.
  for (TDivision*& D : C) {
    const TRegion* Region = D ? RegionAt(D->Region) : nullptr;
    if (!Region || Region->Risk != 0) continue;
    const TRegion* Target = nullptr;
    for (std::int32_t Index : Region->Neighbours) {
      const TRegion* Neighbour = RegionAt(Index);
      if (Neighbour && Neighbour->Owner == N.ID && !Neighbour->GetDivision() && Neighbour->Risk > 0) {
        Target = Neighbour;
        break;
      }
    }
    if (Target) {
      Log(" Army " + Quoted(D->Name) + " is assigned to a region with zero risk, moving it to neighbor region " +
              Quoted(Target->GetName()),
          AIColorHeading);
      D->Region = Target->ID;
    } else {
      Log(" Army " + Quoted(D->Name) +
              " is assigned to a region with zero risk and there are no neighbors with higher risks and no armies. "
              "Deleting this army.",
          AIColorHeading);
      N.RemoveDivision(IndexOf(N, D), false);
      D = nullptr;
    }
  }

  // 9. Attacks from full-strength divisions; a battle may remove divisions from the list.
  std::vector<TDivision*> Attackers;
  for (auto& D : N.Divisions) Attackers.push_back(D.get());
  for (TDivision* D : Attackers)
    if (IndexOf(N, D) >= 0 && D->GetStrength() == 5 && RegionAt(D->Region)) Attack(*D);
}

void TAIBasicPersonality::Attack(TDivision& Division) {
  TNation& N = Nation();
  TRegion& From = *gRegions[static_cast<std::size_t>(Division.Region)];
  std::vector<TRegion*> Candidates;
  for (std::int32_t Index : From.Neighbours) {
    TRegion* Neighbour = RegionAt(Index);
    if (Neighbour && Neighbour->Owner != From.Owner && Neighbour->Owner != TRegion::OwnerNobody &&
        Neighbour->ExpansionFactor > 0)
      Candidates.push_back(Neighbour);
  }
  if (Candidates.empty()) return;

  // The chance to attack is (Aggressiveness / 100) ^ (ExpansionFactor + 1): all draws are made.
  TRegion& Target = *Candidates[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Candidates.size())))];
  bool Attacking = true;
  for (std::int32_t i = 0; i <= Target.ExpansionFactor; ++i)
    if (Aggressiveness / 100.0 < RandomFloat()) Attacking = false;
  if (!Attacking || !gBattle) return;

  Log(" I want to attack enemy region " + Quoted(Target.GetName()) + " with army \"" + Division.Name + "(" +
          From.GetName() + ")",
      AIColorHeading);
  const std::uint8_t Defender = Target.Owner;
  TBattle& Battle = *gBattle;
  Battle.Setup(Division, Target, Target.GetDivision(), Target);
  bool Over = false;
  for (std::int32_t Step = 1; !Over; ++Step) {
    if (Step > MaxBattleSteps) {
      std::string Line = "  -> Battle could not be finished : <br> ATT :<br>";
      for (const TUnit* Unit : Battle.AttackerUnits)
        if (Unit) Line += UnitTypeName(*Unit) + "<br>";
      Line += "<br><br>DEF :<br>";
      for (const TUnit* Unit : Battle.DefenderUnits)
        if (Unit) Line += UnitTypeName(*Unit) + "<br>";
      Log(Line, AIColorAlarm);
      // Nobody wins a battle without end: the defender keeps the region.
      Battle.Stalemate = true;
      Battle.Winner = Battle.DefenderNation;
      break;
    }
    Over = Battle.FightStep(nullptr);
  }
  // The outcome as after any battle: the loser's division and every destroyed unit go, the
  // winner moves in; then the region's defensive army is dismissed. A computer opponent's battle
  // changes no score.
  Battle.Finish(false);
  Battle.ReleaseDefensiveArmy();
  const bool Won = Target.Owner == N.ID;

  if (Defender < TRegion::OwnerNobody) {
    TNation& Loser = *gNations[Defender];
    Loser.Messages.Add(
        FormatText(Localize(Won ? "szStrNewsRegionLost" : "szStrNewsRegionDefend"), {Target.GetName(), N.GetName()}), "",
        -1, 1);
  }
  Log(Won ? " -> I have won the battle" : " -> I have lost the battle", AIColorHeading);
}

const TUnitType* TAIBasicPersonality::GetRandomUnitType() {
  if (!gUnitTypePool) return nullptr;
  const auto& Types = gUnitTypePool->Types;
  if (gCurrentTurn < 10) {
    std::string Key;
    if (gCurrentTurn < 5) Key = Random(3) == 0 ? "AIR_FIGHTER" : "INF_LIGHT";
    else if (Random(3) == 0) Key = "AIR_FIGHTER";
    else Key = Random(2) == 0 ? "INF_LIGHT" : "INF_HEAVY";
    for (const auto& Type : Types)
      if (Type->ID == Key) return Type.get();
  }
  // A type of every nation or of this nation's own, researched; never the environment changer.
  const TNation& N = Nation();
  const auto Draw = [&]() -> const TUnitType* {
    const std::int32_t i = Random(static_cast<std::int32_t>(Types.size()));
    if (!InRange(Types, i)) return nullptr;
    const TUnitType& Type = *Types[static_cast<std::size_t>(i)];
    const bool Qualifies = (Type.Nation == N.ID || Type.Nation == 0) && Type.ID != "MOB_ENVCHANGER" &&
                           N.TechnologyTree.IsResearched(Type.NeededTechID);
    return Qualifies ? &Type : nullptr;
  };
  for (std::int32_t Attempt = 0; Attempt < 2048; ++Attempt)
    if (const TUnitType* Type = Draw()) return Type;
  const TUnitType* Last = Draw();
  Log("  ERROR : Could not find random unit type!", AIColorAlarm);
  return Last;
}

void TAIBasicPersonality::DoResearch() {
  TTechnologyTree& Tree = Nation().TechnologyTree;
  Log("DoResearch", AIColorResearch);
  if (Tree.Current) {
    Log(" Still researching on " + Tree.Current->GetName(), AIColorResearch);
    return;
  }
  std::vector<TTechnology*> Candidates;
  for (auto& T : Tree.Technologies)
    if (!T->Researched && T->PrerequisitesMet()) Candidates.push_back(T.get());
  if (Candidates.empty()) {
    Log("  HINT : Technology tree does not contain any more technologies to research", AIColorResearch);
    return;
  }
  TTechnology* T = Candidates[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Candidates.size())))];
  T->StartResearch();
  Log(" Starting research on " + T->GetName(), AIColorResearch);
}

void TAIBasicPersonality::DoStaff() {
  TNation& N = Nation();
  if (static_cast<std::int64_t>(N.Scientists.size()) >= MaxScientists) return;
  if (!(RandomFloat() < 0.5)) return;
  if (!gTransferMarket || gTransferMarket->Scientists.empty()) return;
  const std::int32_t i = Random(static_cast<std::int32_t>(gTransferMarket->Scientists.size()));
  const std::string Name = gTransferMarket->Scientists[static_cast<std::size_t>(i)]->Name;
  if (gTransferMarket->Hire<TScientist>(N, i) == THireResult::Hired)
    Log(" Added scientist " + Quoted(Name) + " to my staff", AIColorResearch);
}
