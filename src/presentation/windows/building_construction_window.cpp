// The building construction window "region_build": the buildable types by category, the chosen
// type turning on a mirror disc with its effects, and the start of a construction in the slot
// chosen in the region details window.
#include <string>

#include "control/game.h"
#include "engine/localization.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_item.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/window.h"
#include "presentation/view_state.h"
#include "presentation/windows/game_windows.h"
#include "presentation/windows/turning_preview.h"
#include "presentation/windows/window_common.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace {

constexpr int kBuildingCategories = 8;

}  // namespace

void BuildWindow_Show(TGame&) {
  TGLWindow* W = gInGameGUI->GetWindow("region_build");
  TRegion* R = SelectedPlayerRegion();
  TNation* N = PlayerNation();
  if (!W || !R || !N || !gBuildingTypePool) return;
  auto& List = static_cast<TGLListBox&>(W->GetGLGUIItem(0, "listbox"));
  List.Clear();
  for (int C = 0; C < kBuildingCategories; ++C) {
    List.AddItem(Localize("szBuildingCat" + std::to_string(C)), "category_" + std::to_string(C), "", 0);
    for (const auto& T : gBuildingTypePool->Types) {
      if (T->Category != C || T->Number < 0 || !N->TechnologyTree.IsResearched(T->NeededTechID)) continue;
      List.AddItem(T->GetName(), "buildingid_" + std::to_string(T->Number),
                   "preview2d_buildingtype_" + std::to_string(T->Number), 0);
    }
  }
}

void BuildWindow_Click(TGame& Game, const std::string& Name) {
  TGLWindow* W = gInGameGUI->GetWindow("region_build");
  TRegion* R = SelectedPlayerRegion();
  TNation* N = PlayerNation();
  if (!W || !R || !N || !gBuildingTypePool) return;
  if (Name.find("buildingid_") != std::string::npos) {
    const std::int32_t Number = NumberAfterPrefix(Name.substr(Name.find("buildingid_")), "buildingid_");
    if (const TBuildingType* T = Number >= 0 ? gBuildingTypePool->FindByNumber(Number) : nullptr) Game.BuildSelectedType = T;
  }
  const TBuildingType* T = Game.BuildSelectedType;
  if (T) W->GetItem<TGLMemo>("memo_buildingdescription").SetTextSectionFromStrings(T->Description, CurrentLanguageCode(), true);
  if (Name != "region_build_construct") return;

  switch (R->StartConstruction(*N, Game.RegionDetailsSelectedSlot, T, N->Ressources)) {
    case TConstructionResult::NoBuildingType:
    case TConstructionResult::NotResearched: RefuseHint("szMsgBuildNoBuildingType"); break;
    case TConstructionResult::NoSpot: RefuseHint("szMsgBuildNoBuildingSpot"); break;
    case TConstructionResult::AlreadyBuilding: RefuseHint("szMsgBuildAlreadyBuilding"); break;
    case TConstructionResult::SpotOccupied: RefuseHint("szMsgBuildSpotOccupied"); break;
    case TConstructionResult::NotEnoughRessources:
      Refuse("szMsgBuildNotEnoughRes", Localize("szStrDialogNotEnoughResTitle"), "dialog_notenoughres");
      break;
    case TConstructionResult::Started:
      W->Visible = false;
      R->StatusIcon = "gui_icon_underconstruction";
      PlayWindowSound("construct");
      break;
  }
}

void BuildWindow_Render(TGame& Game, TViewState& View) {
  TGLWindow& W = InGameWindow("region_build");
  const TBuildingType* T = Game.BuildSelectedType;
  DrawTurningPreview(View, W, W.GetItem<TGLPanel>("panel_buildingpreview"), T ? T->ID : std::string(),
                     View.BuildPreviewRotation, true, -0.05f, true);
  BeginPreviewCaption(W, T ? T->GetName() : Localize("szStrBuildingNoSelection"), 110, 130, 180);
  if (T) {
    T->DrawInfo(120, 140, 0.2f, true);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    gGUIFont->PrintPlain(Localize("szStrBuildCost"), TVector3{24.0f, 205.0f, 0.2f}, 1.0f, false, true);
    gGUIFont->PrintPlain(Localize("szStrBuildTime"), TVector3{24.0f, 220.0f, 0.2f}, 1.0f, false, true);
    PrintRightAligned(std::to_string(T->BuildCost), 116.0f, 205.0f);
    PrintRightAligned(std::to_string(T->BuildTime), 116.0f, 220.0f);
  }
  glPopMatrix();
}
