// Division orders on the globe: stationing (cursor mode 1), moving and attacking (mode 2), and
// the start of a battle or the taking of an unowned region.
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/sound_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "world/battle.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/unit.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {

void PlaySound(const char* Name) {
  if (gSoundSystem) gSoundSystem->PlaySound(Name, false);
}

void Hint(const std::string& Key) {
  gInGameGUI->ShowMessageBoxExt(Localize(Key), Localize("szStrDialogHint"), "dialog_warning", true);
}

TRegion* RegionAt(std::int32_t Index) {
  return Index >= 0 && static_cast<std::size_t>(Index) < gRegions.size() ? gRegions[static_cast<std::size_t>(Index)].get()
                                                                         : nullptr;
}

// The division D when the nation still holds it.
bool Holds(const TNation& N, const TDivision* D) {
  for (const auto& Own : N.Divisions)
    if (Own.get() == D) return true;
  return false;
}

}  // namespace

void TGame::StationClick(std::int32_t Picked) {
  TNation& Player = *gNations[gPlayerNation];
  // The pick becomes the selection of the globe and the windows alike; a press beside every
  // region leaves none selected.
  SelectRegion(Picked);
  TRegion* Region = RegionAt(Picked);
  if (Region && Region->Owner != gPlayerNation)
    if (TGLWindow* W = gInGameGUI->GetWindow("regioninfo")) W->Visible = false;
  if (!Region) return Hint("szMsgRegionInvalid");
  if (Region->Owner != gPlayerNation) return;
  gInGameGUI->HideHint();
  CursorMode = 0;
  HoveredRegion = -1;
  if (!Region->GetDivision() && Holds(Player, StationDivision)) {
    RestoreWindow("army_management", SavedWindowRect);
    StationDivision->Region = Picked;
    PlaySound("DivisionMove");
    gInGameGUI->UpdateAllWindows();
    return;
  }
  if (Region->GetDivision()) Hint("szMsgRegionExistingArmy");
  StationDivision = nullptr;
  gInGameGUI->UpdateAllWindows();
}

void TGame::MoveClick(std::int32_t Target) {
  if (Target == -1) return Hint("szMsgRegionNoNeighbor");
  TRegion* Region = RegionAt(Target);
  if (!Region) return;
  TNation& Player = *gNations[gPlayerNation];
  // The moving division must still be the player's and still stand where the move started.
  TDivision* Division = MoveDivisionIndex >= 0 && static_cast<std::size_t>(MoveDivisionIndex) < Player.Divisions.size()
                            ? Player.Divisions[static_cast<std::size_t>(MoveDivisionIndex)].get()
                            : nullptr;
  if (!Division || !MoveSourceRegion || Division->Region != MoveSourceRegion->ID) {
    RestoreWindow("regioninfo", SavedWindowRect);
    CursorMode = 0;
    HoveredRegion = -1;
    gInGameGUI->HideHint();
    gInGameGUI->UpdateAllWindows();
    return Hint("szMsgRegionInvalid");
  }
  if (Region->Owner == gPlayerNation) {
    const bool Occupied = Region->GetDivision() != nullptr;
    if (Occupied) Hint("szMsgRegionExistingArmy");
    RestoreWindow("regioninfo", SavedWindowRect);
    if (!Occupied) Player.MoveDivision(Division->ID, Target);
    CursorMode = 0;
    HoveredRegion = -1;
    if (!Occupied) PlaySound("DivisionMove");
    gInGameGUI->HideHint();
    gInGameGUI->UpdateAllWindows();
    return;
  }
  StartBattle(*Division, Player, *Region);
  // Every attack order sounds, also one refused for want of an environment changer.
  PlaySound("startbattle");
}

void TGame::StartBattle(TDivision& Division, TNation& Nation, TRegion& TargetRegion) {
  HoveredRegion = -1;
  if (TargetRegion.Owner == TRegion::OwnerNobody) {
    const TUnit* Changer = nullptr;
    for (const auto& U : Nation.Units)
      if (U->Division == &Division && U->UnitType && U->UnitType->ID == "MOB_ENVCHANGER") {
        Changer = U.get();
        break;
      }
    if (Changer) {
      Nation.RemoveUnitObject(Changer);
      Nation.MoveDivision(Division.ID, TargetRegion.ID);
      TargetRegion.Owner = Nation.ID;
      TargetRegion.Pollution = 0.2f;
      if (TargetRegion.Loyality < 0.4f) TargetRegion.Loyality = 0.4f;
      if (TargetRegion.Population < 0.2f) TargetRegion.Population = 0.2f;
    }
    gInGameGUI->UpdateAllWindows();
    gInGameGUI->HideHint();
    CursorMode = 0;
    RestoreWindow("regioninfo", SavedWindowRect);
    if (!Changer)
      gInGameGUI->ShowMessageBoxExt(Localize("szMsgNeedEnvChanger"), Localize("szMsgNeedEnvChangerTitle"),
                                    "dialog_nation_dead", true);
    return;
  }
  gInGameGUI->UpdateAllWindows();
  gInGameGUI->HideHint();
  CursorMode = 0;
  gBattle->Setup(Division, TargetRegion, TargetRegion.GetDivision(), TargetRegion);
  if (View) View->AutoBattleWindow_Start(*this);
  // Brought to the front, not opened: the attack's own sound is the one heard, no window sound.
  gInGameGUI->BringToFront("autobattle");
  gInGameGUI->SetModalWindow("autobattle");
  if (TGLWindow* W = gInGameGUI->GetWindow("autobattle")) W->CloseDisabled = true;
}
