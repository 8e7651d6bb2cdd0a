// The developer's windows, opened only by the developer keys. "debug": the values the selected
// region's buildings produce and the player's research, and commands that finish production
// and research, fill regions with buildings, switch the language, hand out or take away
// regions, add money and change a region's owner. "debugai": the computer opponents with the
// log of the one chosen.
#include <vector>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "ai/ai_log.h"
#include "gui/list_box.h"

#include "control/control_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "engine/log.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/memo.h"
#include "platform/random.h"
#include "world/building_type.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/technology.h"
#include "world/world_globals.h"

namespace {

TNation* Player() { return gPlayerNation < gNations.size() ? gNations[gPlayerNation].get() : nullptr; }

template <class F>
void ForPlayerRegions(const TNation& P, F&& Change) {
  for (auto& R : gRegions)
    if (R->Owner == P.ID) Change(*R);
}

void Refresh() { gInGameGUI->UpdateAllWindows(); }

TGLMemo* MemoNumber(TGLWindow& W, int Index) {
  int Seen = 0;
  for (auto& Item : W.Items)
    if (auto* Memo = dynamic_cast<TGLMemo*>(Item.get()); Memo && Seen++ == Index) return Memo;
  return nullptr;
}

void FillRegion(TRegion& R) {
  static const char* const Layout[3][3] = {
      {"Atomkraftwerk", "Megafabrik", "Milit\xE4risches Forschungszentrum"},
      {"Atomkraftwerk", "Ziviles Forschungszentrum", "Milit\xE4risches Forschungszentrum"},
      {"Atomkraftwerk", "Ziviles Forschungszentrum", "Autarke Wohnsphere"}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) R.Buildings[i][j].Type = gBuildingTypePool->FindByName(Layout[i][j]);
}

}  // namespace

void TGame::DebugWindow_Show() {
  TGLWindow* W = gInGameGUI->GetWindow("debug");
  if (!W) return;
  TGLMemo* Region = MemoNumber(*W, 0);
  TGLMemo* Global = MemoNumber(*W, 1);
  if (!Region || !Global) return;
  Region->Clear();
  if (gSelectedRegion >= 0 && static_cast<std::size_t>(gSelectedRegion) < gRegions.size()) {
    const TRegion& R = *gRegions[static_cast<std::size_t>(gSelectedRegion)];
    Region->AddLine("Info for region \"" + R.GetName() + "\" :");
    Region->AddLine(" Building effects : ");
    static const char* const Values[11][2] = {
        {"growth", "  growth = "},       {"maxpopulation", "  maxpopulation = "},
        {"loyality", "  loyality = "},   {"ressources", "  ressources = "},
        {"pollution", "  pollution = "}, {"energy", "  energy = "},
        {"defense", "  defense = "},     {"military", "  military = "},
        {"espionage", "  espionage = "}, {"researchcivil", "  research.civil = "},
        {"researchmilitary", "  research.military = "}};
    for (const auto& V : Values) Region->AddLine(std::string(V[1]) + FloatToStrDot(R.GetValue(V[0])));
  } else {
    Region->AddLine("No region selected");
  }
  Global->Clear();
  Global->AddLine("Global info :");
  if (const TNation* P = Player()) {
    Global->AddLine(" research.civil = " + FloatToStrDot(P->GetValue("researchcivil")));
    Global->AddLine(" research.military = " + FloatToStrDot(P->GetValue("researchmilitary")));
  }
}

void TGame::DebugWindow_Click(const std::string& Name) {
  TNation* P = Player();
  if (!P) return;
  if (Name == "debug_finish_unit") {
    if (P->BuildQueueTypes.empty()) return;
    P->AddUnit(P->BuildQueueTypes.front());
    P->BuildQueueTypes.erase(P->BuildQueueTypes.begin());
    P->BuildQueueTurns.erase(P->BuildQueueTurns.begin());
    Refresh();
  } else if (Name == "debug_finish_unit_queue") {
    if (P->BuildQueueTypes.empty()) return;
    for (std::int32_t Type : P->BuildQueueTypes) P->AddUnit(Type);
    P->BuildQueueTypes.clear();
    P->BuildQueueTurns.clear();
    Refresh();
  } else if (Name == "debug_unlock_alltech") {
    for (auto& T : P->TechnologyTree.Technologies) T->Researched = true;
    Refresh();
  } else if (Name == "debug_finish_current_tech") {
    if (!P->TechnologyTree.Current) return;
    P->TechnologyTree.Current->Researched = true;
    P->TechnologyTree.Current = nullptr;
    Refresh();
  } else if (Name == "debug_fill_regions") {
    if (gBuildingTypePool) ForPlayerRegions(*P, FillRegion);
    Refresh();
  } else if (Name == "debug_fill_regions_rnd") {
    // Only real building types are drawn; a pool without any leaves the regions as they are.
    std::vector<const TBuildingType*> Eligible;
    if (gBuildingTypePool)
      for (const auto& T : gBuildingTypePool->Types)
        if (T->ID != "building_dummy") Eligible.push_back(T.get());
    if (Eligible.empty()) {
      if (gLog) gLog->AddLine("TGame->DebugWindow_Click->No building type to fill the regions with");
      return;
    }
    ForPlayerRegions(*P, [&](TRegion& R) {
      for (auto& Row : R.Buildings)
        for (auto& Slot : Row) Slot.Type = Eligible[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Eligible.size())))];
    });
    Refresh();
  } else if (Name == "debug_lang_ger" || Name == "debug_lang_eng") {
    const std::uint8_t Index = Name == "debug_lang_ger" ? 0 : 1;
    if (Index < gLocalization.LanguageCodes.size()) gLocalization.LanguageIndex = Index;
    Refresh();
  } else if (Name == "debug_loosegame") {
    ForPlayerRegions(*P, [](TRegion& R) { R.Owner = TRegion::OwnerNobody; });
    Refresh();
  } else if (Name == "debug_wingame") {
    for (auto& R : gRegions) R->Owner = P->ID;
    Refresh();
  } else if (Name == "debug_money") {
    P->Ressources = 50.0f;
  } else if (Name == "debug_region_uprise" || Name == "debug_region_dead") {
    if (!Earth || Earth->SelRegion < 0 || static_cast<std::size_t>(Earth->SelRegion) >= gRegions.size()) return;
    gRegions[static_cast<std::size_t>(Earth->SelRegion)]->Owner =
        Name == "debug_region_uprise" ? TRegion::OwnerRebels : TRegion::OwnerNobody;
  }
}

void TGame::DebugAIWindow_Show() {
  TGLWindow* W = gInGameGUI->GetWindow("debugai");
  if (!W) return;
  auto& List = W->GetItem<TGLListBox>("listbox_aicontroller");
  List.Clear();
  for (std::size_t i = 0; i < gAIControllers.size(); ++i) {
    const TNation* N = gAIControllers[i]->Nation;
    List.AddItem(N && !N->Names.empty() ? N->GetName() : "", "ai_controller_" + std::to_string(i), "",
                 reinterpret_cast<std::intptr_t>(gAIControllers[i].get()));
  }
}

void TGame::DebugAIWindow_Click(const std::string& Name) {
  TGLWindow* W = gInGameGUI->GetWindow("debugai");
  if (!W) return;
  // The clicked row names its controller: the list's own selection follows only after the
  // handlers have run.
  const std::string Row = "ai_controller_";
  if (Name.rfind(Row, 0) == 0 && Name.size() > Row.size() && Name.size() <= Row.size() + 2 &&
      Name.find_first_not_of("0123456789", Row.size()) == std::string::npos) {
    const std::size_t Index = std::stoul(Name.substr(Row.size()));
    if (Index >= gAIControllers.size() || Index >= gNations.size()) return;
    auto& Memo = W->GetItem<TGLMemo>("memo_ailog");
    Memo.Clear();
    if (const auto& Log = gAIControllers[Index]->Log)
      for (const std::string& Line : Log->PlainLines) Memo.AddLine(Line);
  } else if (Name == "debug_ai_enableall") {
    for (auto& N : gNations)
      if (N) N->AIControlled = true;
  } else if (Name == "debug_ai_advance_10" || Name == "debug_ai_advance_100") {
    const int Rounds = Name == "debug_ai_advance_10" ? 10 : 100;
    if (Rounds == 100 && gCurrentTurn == 0 && View) View->UpDateRegionMap(*this, false);
    gDebugBatchRounds = 1;
    // The batch stops when a round ends the game: the rounds after it would play a finished game.
    for (int R = 0; R < Rounds && GameRunning && State == gsEarthView; ++R) NextRound();
    gDebugBatchRounds = 0;
  }
}
