// The unit build window "military": the unit types the nation may build, its build queue, and
// the selected type turning on a mirror disc with its costs and combat values.
#include <cmath>
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
#include "platform/rounding.h"
#include "presentation/view_state.h"
#include "presentation/windows/game_windows.h"
#include "presentation/windows/turning_preview.h"
#include "presentation/windows/window_common.h"
#include "world/nation.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {

TGLListBox& TypeList(TGLWindow& W) { return static_cast<TGLListBox&>(W.GetGLGUIItem(1, "listbox")); }

}  // namespace

// The unit type selected in the window's type list; none without a selection.
const TUnitType* MilitarySelectedType() {
  TGLWindow* W = gInGameGUI ? gInGameGUI->GetWindow("military") : nullptr;
  if (!W || !gUnitTypePool) return nullptr;
  const std::intptr_t Data = TypeList(*W).GetSelectedData();
  if (Data <= 0 || static_cast<std::size_t>(Data) > gUnitTypePool->Types.size()) return nullptr;
  return gUnitTypePool->Types[static_cast<std::size_t>(Data - 1)].get();
}

void MilitaryWindow_Show(TGame&) {
  TGLWindow* W = gInGameGUI->GetWindow("military");
  TNation* N = PlayerNation();
  if (!W || !N || !gUnitTypePool) return;
  TGLListBox& Types = TypeList(*W);
  Types.Clear();
  for (const auto& T : gUnitTypePool->Types) {
    if (T->Nation != gPlayerNation && T->Nation != 0) continue;
    if (!N->TechnologyTree.IsResearched(T->NeededTechID)) continue;
    Types.AddItem(T->GetName(), T->GetName(), "preview2d_unittype_" + std::to_string(T->Index),
                  static_cast<std::intptr_t>(T->Index) + 1);
  }
  auto& Queue = W->GetItem<TGLListBox>("listbox_unitqueue");
  Queue.Clear();
  for (std::size_t K = 0; K < N->BuildQueueTypes.size(); ++K) {
    const std::int32_t TypeIndex = N->BuildQueueTypes[K];
    if (TypeIndex < 0 || static_cast<std::size_t>(TypeIndex) >= gUnitTypePool->Types.size()) continue;
    const TUnitType& T = *gUnitTypePool->Types[static_cast<std::size_t>(TypeIndex)];
    if (K == 0) Queue.AddItem(Localize("szStrUnitQueueBuilding"), "", "", 0);
    if (K == 4) Queue.AddItem(Localize("szStrUnitQueueWaiting"), "", "", 0);
    std::string Caption = T.GetName();
    if (K < 4 && K < N->BuildQueueTurns.size()) Caption += " (" + std::to_string(N->BuildQueueTurns[K]) + ")";
    Queue.AddItem(Caption, "unit_queue_" + std::to_string(K), "preview2d_unittype_" + std::to_string(T.Index), 0);
  }
}

void MilitaryWindow_Click(TGame&, const std::string& Name) {
  TGLWindow* W = gInGameGUI->GetWindow("military");
  TNation* N = PlayerNation();
  if (!W || !N) return;
  const TUnitType* T = MilitarySelectedType();
  if (T) W->GetItem<TGLMemo>("memo_unitdescription").SetTextSectionFromStrings(T->Description, CurrentLanguageCode(), true);
  if (Name == "military_build_unit" && T) {
    if (T->BuildCost > N->Ressources) {
      Refuse("szMsgArmyNotEnoughRes", Localize("szStrDialogNotEnoughResTitle"), "dialog_notenoughres");
    } else if (N->AddToBuildQueue(*T)) {
      PlayWindowSound("UnitConstruct");
      gInGameGUI->UpdateAllWindows();
    } else {
      RefuseHint("szMsgArmyQueueFull");
    }
  }
  if (Name == "military_remove_from_queue") {
    const std::int32_t K = NumberAfterPrefix(W->GetItem<TGLListBox>("listbox_unitqueue").GetSelectedID(), "unit_queue_");
    if (K >= 0 && static_cast<std::size_t>(K) < N->BuildQueueTypes.size()) {
      N->RemoveFromBuildQueue(K);
      gInGameGUI->UpdateAllWindows();
    }
  }
}

void MilitaryWindow_Render(TGame& Game, TViewState& View) {
  TGLWindow& W = InGameWindow("military");
  const TUnitType* S = MilitarySelectedType();
  const TNation* N = PlayerNation();
  DrawTurningPreview(View, W, W.GetItem<TGLPanel>("panel_unitpreview"), S ? S->Model3D : std::string(),
                     View.MilitaryPreviewRotation, false, 0.0f, false);
  BeginPreviewCaption(W, S ? S->GetName() : Localize("szStrUnitNoSelection"), 140, 170, 140);
  if (S && N) {
    const char* Left[4] = {"szStrBuildCost", "szStrBuildTime", "szStrMaintenanceConst", "szStrUnitHealth"};
    const std::int32_t LeftValues[4] = {RoundToInt(S->BuildCost), S->BuildTime, RoundToInt(S->RoundCost),
                                        RoundToInt(S->Health)};
    const char* Right[4] = {"szStrUnitAttackGround", "szStrUnitDefenseGround", "szStrUnitAttackAir", "szStrUnitDefenseAir"};
    const char* ValueNames[4] = {"attack.ground", "defense.ground", "attack.air", "defense.air"};
    const std::int32_t Base[4] = {S->AttGround, S->DefGround, S->AttAir, S->DefAir};
    for (int K = 0; K < 4; ++K) {
      const float Y = 205.0f + 15.0f * static_cast<float>(K);
      gGUIFont->PrintPlain(Localize(Left[K]), TVector3{24.0f, Y, 0.2f}, 1.0f, false, true);
      PrintRightAligned(std::to_string(LeftValues[K]), 146.0f, Y);
      gGUIFont->PrintPlain(Localize(Right[K]), TVector3{179.0f, Y, 0.2f}, 1.0f, false, true);
      // A bonus may take a value written near the integer limits beyond them: rounded in double.
      const double V = std::nearbyint(static_cast<double>(S->GetValue(ValueNames[K], *N)));
      const std::string Text = RoundedText(V);
      const TVector3 Pos{301.0f - gGUIFont->TextWidth(Text), Y, 0.2f};
      if (V == Base[K]) gGUIFont->PrintPlain(Text, Pos, 1.0f, false, true);
      else gGUIFont->Print(Text, Pos, V > Base[K] ? TVector3{0, 1, 0} : TVector3{1, 0, 0}, 1.0f, 1.0f, false, true);
    }
  }
  glPopMatrix();
}
