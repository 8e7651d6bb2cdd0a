#pragma once
// A battle over a region: Setup gathers the fighting units of both sides, FightStep lets one unit
// of the side whose turn it is fire a volley of ten shots, Finish applies the outcome to the
// world. One TBattle (gBattle) serves every battle. It owns neither the units nor the divisions;
// its unit lists only observe units of the nations and of the region's defensive army. A unit or
// division that is freed tells gBattle (ForgetUnit, ForgetDivision), so the battle never holds a
// freed one, nor takes a new object at the same address for it.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/vectors.h"

class TDivision;
class TNation;
class TRegion;
class TUnit;

// Where the steps of a battle write their lines (the battle window's memo).
class TBattleLog {
public:
  virtual ~TBattleLog() = default;
  // Inserts Text as line Index (0 = the top, where the newest line stands).
  virtual void InsertLine(const std::string& Text, std::int32_t Index) = 0;
};

class TBattle {
public:
  // The battlefield scene's view; no battle rule reads it.
  TVector3 ViewRotation = MakeVector3(45.0f, 45.0f, 0.0f);
  float ViewPanX = 0.0f, ViewPanY = 0.0f;
  float ViewDistance = -45.0f;
  TDivision* AttackerDivision = nullptr;  // none after a lost attack
  TDivision* DefenderDivision = nullptr;  // a real division or the region's defensive one
  TNation* AttackerNation = nullptr;
  TNation* DefenderNation = nullptr;  // none when rebels defend
  TRegion* Region = nullptr;
  // The fighting units in their nation's (or army's) order; Finish clears the entries of units it
  // frees, so an entry may be none afterwards. Destroyed units keep their place at health 0.
  std::vector<TUnit*> AttackerUnits;
  std::vector<TUnit*> DefenderUnits;
  std::int32_t ShooterIndex = 0;  // the next shooter in the acting side's list, -1 for none
  std::int32_t TargetIndex = -1;  // the last target in the other side's list
  float StepTimer = 0.0f;         // pacing of the battle window
  bool Running = false;
  TDivision* ActingSide = nullptr;  // AttackerDivision or DefenderDivision
  TNation* Winner = nullptr;
  // Destroyed units, counted only by steps that write a log.
  std::uint16_t AttackerLosses = 0;
  std::uint16_t DefenderLosses = 0;
  // Set when the battle ended because neither side could harm the other (or the attacker
  // brought no fighting unit): the defender keeps the region and the attacker withdraws intact.
  bool Stalemate = false;
  // The region whose defensive army the finished battle left standing, -1 for none. It is freed
  // once, when the battle's window closes (ReleaseFinishedArmy).
  std::int32_t ArmyToRelease = -1;

  // Defender is the region's division (none for rebels); DefenseRegion raises its defensive army
  // when that division has no unit. Units of type "MOB_ENVCHANGER" do not fight.
  void Setup(TDivision& Attacker, TRegion& TargetRegion, TDivision* Defender, TRegion& DefenseRegion);
  // One volley; true when the battle is over (Winner is then set). Log may be none.
  bool FightStep(TBattleLog* Log);
  // Frees the destroyed units of both nations and clears the entries that referred to them.
  void RemoveDestroyedUnits();
  // Applies the outcome: the attacker takes the region, or loses its division. The winner scores
  // "RegionTaken" or "RegionDefended" only when ScoreEvents is set; the computer opponents' own
  // battles score nothing.
  void Finish(bool ScoreEvents = true);
  // The attack and defence of a volley of Shooter at Target, bonuses and caps included.
  void GetVolleyValues(const TUnit& Shooter, const TUnit& Target, bool DefenderFires, double& Attack,
                       double& Defence) const;
  // Frees the defensive army of Region (the battle window's close button), clearing the entries
  // that referred to its units first.
  void ReleaseDefensiveArmy();
  // Frees the defensive army the finished battle left in region ArmyToRelease, once.
  void ReleaseFinishedArmy();
  // Drops every reference into the world (a new game or a load replaces it); the view stays.
  void Forget();
  // Clears the entries and sides that refer to Unit (Division), which is being freed.
  void ForgetUnit(const TUnit* Unit);
  void ForgetDivision(const TDivision* Division);
};
