#include "world/battle.h"

#include <algorithm>

#include "engine/localization.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "platform/text_format.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
// Attack and defence values are capped here, so a shot always has a chance either way.
constexpr double ValueCap = 290.0;
constexpr std::int32_t ShotsPerVolley = 10;
constexpr double AirDefenseBonus = 35.0;

bool Alive(const TUnit* Unit) { return Unit && Unit->Health > 0.0f; }

bool AnyAlive(const std::vector<TUnit*>& Units) { return std::any_of(Units.begin(), Units.end(), Alive); }

// The first living unit at or after From, -1 when there is none.
std::int32_t NextAlive(const std::vector<TUnit*>& Units, std::size_t From) {
  for (std::size_t i = From; i < Units.size(); ++i)
    if (Alive(Units[i])) return static_cast<std::int32_t>(i);
  return -1;
}

bool IsAir(const TUnit& Unit) { return Unit.UnitType->Category == "air"; }

void Collect(const TNation* Nation, const TDivision* Division, std::vector<TUnit*>& Units) {
  Units.clear();
  if (!Nation) return;
  for (const auto& Unit : Nation->Units)
    if (Unit->Division == Division && Unit->UnitType && Unit->UnitType->ID != "MOB_ENVCHANGER")
      Units.push_back(Unit.get());
}

void ClearEntries(std::vector<TUnit*>& Units, const TUnit* Unit) {
  for (TUnit*& Entry : Units)
    if (Entry == Unit) Entry = nullptr;
}

struct TVolley {
  double Attack = 0.0;
  double Defence = 0.0;
};

// The values of one volley. The general terms take the attacking division's general for the
// attack and the defending division's general for the defence, whichever side fires.
TVolley VolleyValues(const TBattle& Battle, const TUnit& Shooter, const TUnit& Target, bool DefenderFires) {
  TVolley V;
  V.Attack = IsAir(Target) ? Shooter.UnitType->AttAir : Shooter.UnitType->AttGround;
  if (DefenderFires && IsAir(Target) && Battle.Region && Battle.Region->HasBuilding("building_airdefense"))
    V.Attack += AirDefenseBonus;
  if (Battle.AttackerDivision && Battle.AttackerDivision->General)
    V.Attack += V.Attack * Battle.AttackerDivision->General->Attack / 100.0 * 0.5;
  V.Attack = std::min(V.Attack, ValueCap);
  V.Defence = IsAir(Shooter) ? Target.UnitType->DefAir : Target.UnitType->DefGround;
  if (Battle.DefenderDivision && Battle.DefenderDivision->General)
    V.Defence += V.Defence * Battle.DefenderDivision->General->Defense / 100.0 * 0.5;
  V.Defence = std::min(V.Defence, ValueCap);
  return V;
}

// True when some living unit of Shooters could ever hit some living unit of Targets: a shot
// needs its first draw below the attack, and the capped defence always leaves second draws
// that pass.
bool CanHarm(const TBattle& Battle, const std::vector<TUnit*>& Shooters, const std::vector<TUnit*>& Targets,
             bool DefenderFires) {
  for (const TUnit* Shooter : Shooters) {
    if (!Alive(Shooter)) continue;
    for (const TUnit* Target : Targets)
      if (Alive(Target) && VolleyValues(Battle, *Shooter, *Target, DefenderFires).Attack > 0.0) return true;
  }
  return false;
}
}  // namespace

void TBattle::Setup(TDivision& Attacker, TRegion& TargetRegion, TDivision* Defender, TRegion& DefenseRegion) {
  if (!Attacker.Nation) throw ETarnovaError("TBattle->Setup->The attacking division \"" + Attacker.Name + "\" has no nation");
  AttackerLosses = 0;
  DefenderLosses = 0;
  DefenderDivision = nullptr;
  AttackerDivision = &Attacker;
  TNation* Owner = TargetRegion.Owner < TRegion::OwnerNobody
                       ? At(gNations, TargetRegion.Owner, "TBattle->Setup").get()
                       : nullptr;

  // A division defends only when its nation has a unit in it; otherwise the region raises its army.
  const bool DivisionDefends = Defender && Owner &&
                               std::any_of(Owner->Units.begin(), Owner->Units.end(),
                                           [Defender](const auto& U) { return U->Division == Defender; });
  if (DivisionDefends) {
    DefenderDivision = Defender;
  } else {
    DefenseRegion.CreateDefensiveArmy();
    DefenderDivision = DefenseRegion.DefensiveDivision.get();
  }

  Region = &TargetRegion;
  Winner = nullptr;
  AttackerNation = AttackerDivision->Nation;
  DefenderNation = DefenderDivision->Nation;
  Collect(AttackerNation, AttackerDivision, AttackerUnits);
  Collect(DefenderNation, DefenderDivision, DefenderUnits);

  // The defensive army's units belong to the region, not to a nation. Only the army raised
  // above is taken: an older army still standing in the region must not replace a real
  // division that defends.
  if (TargetRegion.DefensiveDivision && DefenderDivision == TargetRegion.DefensiveDivision.get()) {
    DefenderUnits.clear();
    for (const auto& Unit : TargetRegion.Units) DefenderUnits.push_back(Unit.get());
    if (Owner) DefenderNation = Owner;
  }

  StepTimer = 0.0f;
  // The first shooter is the first living one (a unit at health 0 does not open the battle).
  ShooterIndex = NextAlive(AttackerUnits, 0);
  TargetIndex = -1;
  Running = true;
  Stalemate = false;
  ActingSide = AttackerDivision;
}

bool TBattle::FightStep(TBattleLog* Log) {
  Winner = nullptr;
  const bool AttackerActs = ActingSide == AttackerDivision;
  std::vector<TUnit*>& Shooters = AttackerActs ? AttackerUnits : DefenderUnits;
  std::vector<TUnit*>& Targets = AttackerActs ? DefenderUnits : AttackerUnits;
  TNation* ActingNation = AttackerActs ? AttackerNation : DefenderNation;

  const auto End = [&](TNation* Side) {
    Running = false;
    Winner = Side;
    return true;
  };
  // A battle in which nobody can be hurt any more would never end: the attacker withdraws.
  // So does an attacker without a fighting unit. Neither draws.
  if (!InRange(Shooters, ShooterIndex) || !Alive(Shooters[static_cast<std::size_t>(ShooterIndex)])) {
    Stalemate = true;
    return End(DefenderNation);
  }
  if (AnyAlive(Targets) && !CanHarm(*this, AttackerUnits, DefenderUnits, false) &&
      !CanHarm(*this, DefenderUnits, AttackerUnits, true)) {
    Stalemate = true;
    return End(DefenderNation);
  }

  // 2. The target: Random(count), drawn again while it is destroyed. When every target is
  // destroyed the volley still goes at the first drawn one and the step ends the battle; an
  // empty list draws Random(0) and fires nothing.
  TargetIndex = Random(static_cast<std::int32_t>(Targets.size()));
  const bool TargetsLeft = AnyAlive(Targets);
  if (Targets.empty()) return End(ActingNation);
  if (TargetsLeft)
    while (!Alive(Targets[static_cast<std::size_t>(TargetIndex)]))
      TargetIndex = Random(static_cast<std::int32_t>(Targets.size()));

  TUnit& Shooter = *Shooters[static_cast<std::size_t>(ShooterIndex)];
  TUnit* TargetEntry = Targets[static_cast<std::size_t>(TargetIndex)];
  if (!TargetEntry) return End(ActingNation);  // only after Finish cleared the list
  TUnit& Target = *TargetEntry;

  // 3., 4. Ten shots: Random(300) below the attack, then (only then) Random(300) above the defence.
  const TVolley V = VolleyValues(*this, Shooter, Target, !AttackerActs);
  std::int32_t Hits = 0;
  for (std::int32_t Shot = 0; Shot < ShotsPerVolley; ++Shot)
    if (Random(300) < V.Attack && Random(300) > V.Defence) ++Hits;

  // 5. The newest lines stand at the top.
  if (Log) {
    const std::string ShooterName = Shooter.UnitType->GetName();
    const std::string TargetName = Target.UnitType->GetName();
    const std::string Text = Hits > 0 ? FormatText(Localize("szStrBattleInfoText0"), {ShooterName, TargetName, std::to_string(Hits)})
                                      : FormatText(Localize("szStrBattleInfoText3"), {ShooterName, TargetName});
    Log->InsertLine(" " + Text, 0);
    if (Target.Health > 0.0f && Target.Health - Hits <= 0.0f) {
      Log->InsertLine("  -> " + FormatText(Localize("szStrBattleInfoText1"), {TargetName}), 1);
      if (AttackerActs) ++DefenderLosses;
      else ++AttackerLosses;
    }
  }

  // 6.
  Target.Health = static_cast<float>(static_cast<double>(Target.Health) - Hits);
  if (Target.Health <= 0.0f) Target.Health = 0.0f;

  // 7. The next living shooter; after the last one the other side fires a whole pass.
  ShooterIndex = NextAlive(Shooters, static_cast<std::size_t>(ShooterIndex) + 1);
  bool NewSideEmpty = false;
  if (ShooterIndex < 0) {
    ActingSide = AttackerActs ? DefenderDivision : AttackerDivision;
    ShooterIndex = NextAlive(Targets, 0);
    NewSideEmpty = ShooterIndex < 0;
  }

  // 8.
  if (!TargetsLeft || NewSideEmpty) return End(ActingNation);
  return false;
}

void TBattle::RemoveDestroyedUnits() {
  const auto Remove = [](TNation* Nation, std::vector<TUnit*>& Entries) {
    if (!Nation) return;
    std::vector<const TUnit*> Destroyed;
    for (const auto& Unit : Nation->Units)
      if (Unit->Health <= 0.0f) Destroyed.push_back(Unit.get());
    for (const TUnit* Unit : Destroyed) {
      ClearEntries(Entries, Unit);
      Nation->RemoveUnitObject(Unit);
    }
  };
  Remove(AttackerNation, AttackerUnits);
  Remove(DefenderNation, DefenderUnits);
}

void TBattle::Finish(bool ScoreEvents) {
  Winner = nullptr;
  if (!Region) return;
  // The entries of the loser's division go before it is freed with its units, so that the
  // battle window never draws a freed unit.
  const auto ForgetDivision = [](std::vector<TUnit*>& Entries, const TDivision* Division) {
    for (TUnit*& Entry : Entries)
      if (Entry && Entry->Division == Division) Entry = nullptr;
  };

  if (Stalemate) {
    // Nobody could win: the defender keeps the region, the attacker stays where it came from.
    if (AttackerDivision) AttackerDivision->HasMoved = true;
    RemoveDestroyedUnits();
    Winner = DefenderNation;
    if (DefenderNation && ScoreEvents) DefenderNation->ScoreEvent("RegionDefended");
    return;
  }

  if (AnyAlive(AttackerUnits)) {
    Winner = AttackerNation;
    AttackerDivision->Region = Region->ID;
    AttackerDivision->HasMoved = true;
    if (Region->Owner == TRegion::OwnerRebels) {
      Region->Loyality = 0.5f;
      if (Region->Pollution > 0.6f) Region->Pollution = 0.6f;
      if (Region->Population < 0.2f) Region->Population = 0.2f;
    }
    Region->Owner = AttackerNation->ID;
    if (DefenderDivision && DefenderDivision != Region->DefensiveDivision.get() && DefenderNation) {
      ForgetDivision(DefenderUnits, DefenderDivision);
      DefenderNation->RemoveDivision(DefenderDivision->ID, true);
    }
    RemoveDestroyedUnits();
    if (ActingSide == DefenderDivision) ActingSide = nullptr;
    DefenderDivision = nullptr;
    if (ScoreEvents) AttackerNation->ScoreEvent("RegionTaken");
  } else if (AnyAlive(DefenderUnits)) {
    if (AttackerDivision && AttackerNation) {
      ForgetDivision(AttackerUnits, AttackerDivision);
      AttackerNation->RemoveDivision(AttackerDivision->ID, true);
    }
    RemoveDestroyedUnits();
    if (ActingSide == AttackerDivision) ActingSide = nullptr;
    AttackerDivision = nullptr;
    Winner = DefenderNation;
    if (DefenderNation && ScoreEvents) DefenderNation->ScoreEvent("RegionDefended");
  }
}

void TBattle::ReleaseDefensiveArmy() {
  if (!Region) return;
  for (const auto& Unit : Region->Units) {
    ClearEntries(AttackerUnits, Unit.get());
    ClearEntries(DefenderUnits, Unit.get());
  }
  if (DefenderDivision == Region->DefensiveDivision.get()) DefenderDivision = nullptr;
  if (ActingSide && ActingSide == Region->DefensiveDivision.get()) ActingSide = nullptr;
  Region->FreeDefensiveArmy();
}

void TBattle::ReleaseFinishedArmy() {
  const std::int32_t Index = ArmyToRelease;
  ArmyToRelease = -1;
  if (!InRange(gRegions, Index)) return;
  TRegion& R = *gRegions[static_cast<std::size_t>(Index)];
  if (Region == &R && !Running) ReleaseDefensiveArmy();
  else R.FreeDefensiveArmy();
}

void TBattle::Forget() {
  AttackerDivision = DefenderDivision = ActingSide = nullptr;
  AttackerNation = DefenderNation = Winner = nullptr;
  Region = nullptr;
  AttackerUnits.clear();
  DefenderUnits.clear();
  ShooterIndex = 0;
  TargetIndex = -1;
  Running = false;
  Stalemate = false;
  ArmyToRelease = -1;
}

void TBattle::ForgetUnit(const TUnit* Unit) {
  ClearEntries(AttackerUnits, Unit);
  ClearEntries(DefenderUnits, Unit);
}

void TBattle::ForgetDivision(const TDivision* Division) {
  if (AttackerDivision == Division) AttackerDivision = nullptr;
  if (DefenderDivision == Division) DefenderDivision = nullptr;
  if (ActingSide == Division) ActingSide = nullptr;
}

void TBattle::GetVolleyValues(const TUnit& Shooter, const TUnit& Target, bool DefenderFires, double& Attack,
                              double& Defence) const {
  const TVolley V = VolleyValues(*this, Shooter, Target, DefenderFires);
  Attack = V.Attack;
  Defence = V.Defence;
}
