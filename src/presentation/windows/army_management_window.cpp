// The army management window "army_management": divisions are created, renamed, dissolved and
// stationed, units are assigned, freed and disbanded, generals appointed and relieved.
#include <algorithm>
#include <string>

#include "control/game.h"
#include "engine/localization.h"
#include "gui/edit.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/text.h"
#include "gui/window.h"
#include "platform/rounding.h"
#include "presentation/windows/game_windows.h"
#include "presentation/windows/window_common.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {

constexpr std::int32_t kMaxDivisionUnits = 14;

TGLListBox& ListNo(TGLWindow& W, int Index) { return static_cast<TGLListBox&>(W.GetGLGUIItem(Index, "listbox")); }
TGLListBox& UnassignedList(TGLWindow& W) { return ListNo(W, 0); }
TGLListBox& DivisionList(TGLWindow& W) { return ListNo(W, 1); }
TGLEdit& NameEdit(TGLWindow& W) { return static_cast<TGLEdit&>(W.GetGLGUIItem(0, "edit")); }

// Rows carry the list index plus one (0 is the list box's "no selection").
std::intptr_t RowData(std::size_t Index) { return static_cast<std::intptr_t>(Index) + 1; }

template <class T>
T* ByRowData(const std::vector<std::unique_ptr<T>>& List, std::intptr_t Data) {
  if (Data <= 0 || static_cast<std::size_t>(Data) > List.size()) return nullptr;
  return List[static_cast<std::size_t>(Data - 1)].get();
}

std::string UnitStrengthIcon(const TUnit& U) {
  const std::int32_t N = RoundToInt(static_cast<double>(U.UnitType->AttGround) / 50.0);
  return "gui_icon_armylist_strength" + std::to_string(std::clamp(N, 0, 5));
}

// Division by the selected index of the divisions list (the nation's own order).
TDivision* DivisionAtIndex(TGLWindow& W, TNation& N) {
  const std::int32_t I = DivisionList(W).ItemIndex;
  if (I < 0 || static_cast<std::size_t>(I) >= N.Divisions.size()) return nullptr;
  return N.Divisions[static_cast<std::size_t>(I)].get();
}

// Division by the data of the selected divisions row: the serial of the division it was filled
// with, so that a row left from before a division went names nobody.
TDivision* DivisionAtRow(TGLWindow& W, TNation& N) {
  const std::intptr_t Data = W.GetItem<TGLListBox>("listbox_divisions").GetSelectedData();
  for (const auto& D : N.Divisions)
    if (Data != 0 && static_cast<std::uint64_t>(Data) == D->Serial) return D.get();
  return nullptr;
}

void ShowDivisionTexts(TGLWindow& W, const TDivision& D) {
  NameEdit(W).Text = D.Name;
  NameEdit(W).Caret = static_cast<std::int32_t>(D.Name.size());
  const bool Stationed = D.Region >= 0 && static_cast<std::size_t>(D.Region) < gRegions.size();
  W.GetItem<TGLText>("division_region").Text =
      Stationed ? gRegions[static_cast<std::size_t>(D.Region)]->GetName() : Localize("szStrArmyNotStationed");
  W.GetItem<TGLText>("division_general").Text = D.General ? D.General->Name : Localize("szStrArmyNoGeneral");
}

void RefuseNotice(const std::string& Key) { Refuse(Key, Localize("szStrDialogNotice")); }

void Updated() { gInGameGUI->UpdateAllWindows(); }

}  // namespace

void ArmyWindow_Show(TGame& Game) {
  TGLWindow* W = gInGameGUI->GetWindow("army_management");
  TNation* N = PlayerNation();
  if (!W || !N) return;
  TGLListBox& Units = UnassignedList(*W);
  TGLListBox& Divisions = DivisionList(*W);
  auto& Generals = W->GetItem<TGLListBox>("listbox_freegenerals");
  // The division texts belong to the division of the selected row; the row's serial tells it.
  const std::intptr_t Shown = Divisions.GetSelectedData();
  Units.Clear();
  Divisions.Clear();
  Generals.Clear();
  for (std::size_t I = 0; I < N->Units.size(); ++I) {
    const TUnit& U = *N->Units[I];
    if (U.Division || !U.UnitType) continue;
    Units.AddItem(U.UnitType->GetName() + (U.Locked ? "(*)" : ""), "unassigned_unit_" + std::to_string(I),
                  UnitStrengthIcon(U), RowData(I));
  }
  for (std::size_t I = 0; I < N->Divisions.size(); ++I) {
    const TDivision& D = *N->Divisions[I];
    Divisions.AddItem(D.Name, "listbox_division_" + std::to_string(I),
                      "gui_icon_armylist_strength" + std::to_string(D.GetStrength()), static_cast<std::intptr_t>(D.Serial));
  }
  for (std::size_t I = 0; I < N->Generals.size(); ++I) {
    const TGeneral& G = *N->Generals[I];
    if (G.Division) continue;
    Generals.AddItem(G.Name, "free_general", "gui_icon_general", RowData(I));
  }
  // A division gone (dissolved, lost in battle, a game loaded) leaves another division or none at
  // the selected row: texts naming the old one would have Rename rename the wrong division.
  if (Divisions.GetSelectedData() != Shown) {
    ArmyWindow_ClearDivisionInfo(Game);
    return;
  }
  // The shown division's region and general follow its orders (stationing, a general appointed
  // elsewhere); the name being edited stays as the player typed it.
  auto& Region = W->GetItem<TGLText>("division_region");
  if (!Region.Text.empty())
    if (const TDivision* D = DivisionAtRow(*W, *N)) {
      const bool Stationed = D->Region >= 0 && static_cast<std::size_t>(D->Region) < gRegions.size();
      Region.Text = Stationed ? gRegions[static_cast<std::size_t>(D->Region)]->GetName() : Localize("szStrArmyNotStationed");
      W->GetItem<TGLText>("division_general").Text = D->General ? D->General->Name : Localize("szStrArmyNoGeneral");
    }
}

void ArmyWindow_Render(TGame&) {
  TGLWindow* W = gInGameGUI->GetWindow("army_management");
  TNation* N = PlayerNation();
  if (!W || !N) return;
  auto& Assigned = W->GetItem<TGLListBox>("listbox_assigned_unit");
  Assigned.Clear();
  const TDivision* D = DivisionAtIndex(*W, *N);
  if (!D) return;
  for (std::size_t I = 0; I < N->Units.size(); ++I) {
    const TUnit& U = *N->Units[I];
    if (U.Division != D || !U.UnitType) continue;
    const double Percent = U.UnitType->Health > 0.0f ? U.Health / U.UnitType->Health * 100.0 : 0.0;
    Assigned.AddItem(U.UnitType->GetName() + " (" + std::to_string(RoundToInt(Percent)) + "%)",
                     "assigned_unit_" + std::to_string(I), UnitStrengthIcon(U), RowData(I));
  }
}

void ArmyWindow_ClearDivisionInfo(TGame&) {
  TGLWindow* W = gInGameGUI->GetWindow("army_management");
  if (!W) return;
  W->GetItem<TGLText>("division_general").Text.clear();
  W->GetItem<TGLText>("division_region").Text.clear();
  NameEdit(*W).Text.clear();
  NameEdit(*W).Caret = 0;
  W->GetItem<TGLListBox>("listbox_assigned_unit").Clear();
}

void ArmyWindow_Click(TGame& Game, const std::string& Name) {
  TGLWindow* W = gInGameGUI->GetWindow("army_management");
  TNation* N = PlayerNation();
  if (!W || !N) return;

  if (Name.find("listbox_division_") != std::string::npos) {
    if (TDivision* D = DivisionAtRow(*W, *N)) ShowDivisionTexts(*W, *D);
  }
  if (Name == "army_management_buildunit") {
    Updated();
    gInGameGUI->OpenWindow("military");
  }
  if (Name == "army_management_new_army") {
    N->AddDivision("", -1);
    Updated();
  }
  if (Name == "army_management_rename_division") {
    if (TDivision* D = DivisionAtIndex(*W, *N)) {
      const std::string& NewName = W->GetItem<TGLEdit>("division_name").Text;
      if (NewName.empty()) {
        RefuseNotice("szMsgArmyInvalidDivisionName");
      } else {
        D->Name = NewName;
        Updated();
      }
    }
  }
  if (Name == "army_management_division_region") {
    TDivision* D = DivisionAtIndex(*W, *N);
    if (D && D->Region >= 0 && static_cast<std::size_t>(D->Region) < gRegions.size()) {
      Updated();
      Game.SelectRegion(D->Region);
      Game.RegionDetailsSelectedSlot = -1;
      gInGameGUI->OpenWindow("regioninfo");
      gInGameGUI->BringToFront("regioninfo");
    }
  }
  if (Name == "army_management_delete_army") {
    if (TDivision* D = DivisionAtIndex(*W, *N)) {
      // A running station or move order holds a division by reference and by number; dissolving
      // any division would leave it pointing at a freed or renumbered one.
      if (D->HasMoved || Game.CursorMode == 1 || Game.CursorMode == 2) {
        RefuseNotice("szMsgArmyDivisionLocked");
      } else {
        N->RemoveDivision(D->ID, false);
        Updated();
      }
    }
  }
  if (Name == "army_management_assign_unit") {
    TUnit* U = ByRowData(N->Units, UnassignedList(*W).GetSelectedData());
    TDivision* D = DivisionAtRow(*W, *N);
    if (U && U->Division) U = nullptr;  // a stale row
    if (!U) {
      RefuseNotice("szMsgArmyNoUnitSel");
    } else if (!D) {
      RefuseNotice("szMsgArmyNoDivisionSel");
    } else if (U->Locked) {
      RefuseNotice("szMsgArmyUnitLocked");
    } else if (D->UnitCount() >= kMaxDivisionUnits) {
      RefuseNotice("szMsgArmyMaxUnitCap");
    } else {
      U->Division = D;
      Updated();
    }
  }
  if (Name == "army_management_delete_unit") {
    TUnit* U = ByRowData(N->Units, UnassignedList(*W).GetSelectedData());
    if (U && !U->Division) {
      N->RemoveUnitObject(U);
      Updated();
    }
  }
  if (Name == "army_management_free_unit") {
    TUnit* U = ByRowData(N->Units, W->GetItem<TGLListBox>("listbox_assigned_unit").GetSelectedData());
    if (U && U->Division) {
      if (U->Division->HasMoved) {
        RefuseNotice("szMsgArmyUnitLocked");
      } else {
        U->Division = nullptr;
        U->Locked = true;
        Updated();
      }
    }
  }
  if (Name == "army_management_assign_army") {
    TDivision* D = DivisionAtIndex(*W, *N);
    if (D && Game.CursorMode == 0) {
      if (D->Region < 0) {
        gInGameGUI->ShowHint(Localize("szHintStationDivision"), Localize("szHintExitWithEscape"));
        Game.CursorMode = 1;
        Game.SavedWindowRect = TSavedWindowRect{W->X, W->Y, W->Z};
        Game.StationDivision = D;
        W->Y = static_cast<float>(gInGameGUI->ScreenHeight - 25);
      } else {
        RefuseNotice("szMsgArmyAlreadyAssigned");
      }
    }
  }
  if (Name == "army_management_assign_general") {
    if (TDivision* D = DivisionAtRow(*W, *N)) {
      TGeneral* G = ByRowData(N->Generals, W->GetItem<TGLListBox>("listbox_freegenerals").GetSelectedData());
      if (G && G->Division) G = nullptr;  // a stale row
      if (!G) {
        RefuseNotice("szMsgArmyNoGeneralSel");
      } else if (D->General) {
        RefuseNotice("szMsgArmyGeneralAlreadyAssigned");
      } else {
        N->AssignGeneral(*G, *D);
        Updated();
        ArmyWindow_Click(Game, "listbox_division_");
      }
    } else {
      RefuseNotice("szMsgArmyNoDivisionSel");
    }
  }
  if (Name == "army_management_free_general") {
    if (TDivision* D = DivisionAtRow(*W, *N)) {
      if (D->General) {
        N->UnassignGeneral(*D->General);
        Updated();
        ArmyWindow_Click(Game, "listbox_division_");
      } else {
        RefuseNotice("szMsgArmyNoGeneralInDivision");
      }
    } else {
      RefuseNotice("szMsgArmyNoDivisionSel");
    }
  }
}
