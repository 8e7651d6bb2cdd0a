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
#include "presentation/windows/game_windows.h"
#include "presentation/windows/turning_preview.h"
#include "presentation/windows/window_common.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace {

constexpr int kBuildingCategories = 8;

TBuilding* SlotOf(TRegion& R, std::int32_t Slot) {
  if (Slot < 0 || Slot > 8) return nullptr;
  return &R.Buildings[static_cast<std::size_t>(Slot / 3)][static_cast<std::size_t>(Slot % 3)];
}

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

  bool Building = false;
  for (const auto& Row : R->Buildings)
    for (const TBuilding& B : Row) Building = Building || B.FinishType;
  TBuilding* Slot = SlotOf(*R, Game.RegionDetailsSelectedSlot);
  if (!T) {
    RefuseHint("szMsgBuildNoBuildingType");
  } else if (!Slot) {
    RefuseHint("szMsgBuildNoBuildingSpot");
  } else if (Building) {
    RefuseHint("szMsgBuildAlreadyBuilding");
  } else if (Slot->Type || Slot->FinishType) {
    RefuseHint("szMsgBuildSpotOccupied");
  } else if (!N->TechnologyTree.IsResearched(T->NeededTechID)) {
    // The chosen type outlives language switches, rounds and hot-seat turns: it may stand for
    // a technology this nation does not have.
    RefuseHint("szMsgBuildNoBuildingType");
  } else if (static_cast<float>(T->BuildCost) > N->Ressources) {
    Refuse("szMsgBuildNotEnoughRes", Localize("szStrDialogNotEnoughResTitle"), "dialog_notenoughres");
  } else {
    Slot->FinishType = T;
    Slot->FinishTime = T->BuildTime;
    N->Ressources = static_cast<float>(static_cast<double>(N->Ressources) - T->BuildCost);
    W->Visible = false;
    R->StatusIcon = "gui_icon_underconstruction";
    PlayWindowSound("construct");
  }
}

void BuildWindow_Render(TGame& Game) {
  TGLWindow& W = InGameWindow("region_build");
  const TBuildingType* T = Game.BuildSelectedType;
  DrawTurningPreview(Game, W, W.GetItem<TGLPanel>("panel_buildingpreview"), T ? T->ID : std::string(),
                     Game.BuildPreviewRotation, true, -0.05f);
  glPushMatrix();
  glTranslatef(W.X, W.Y, W.Z + 0.1f);
  glTranslatef(0.0f, 40.0f, 0.0f);
  DrawNamePlate(T ? T->GetName() : Localize("szStrBuildingNoSelection"));
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  gTextureManager->BindTextureByID(W.SkinTexture("gui_interface_light"), GL_TEXTURE0);
  glColor4f(1.0f, 1.0f, 1.0f, 0.85f);
  DrawFrame(15, 200, 110, 70);
  DrawFrame(130, 200, 180, 70);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
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
