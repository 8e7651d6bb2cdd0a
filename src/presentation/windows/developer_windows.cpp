#include "presentation/windows/developer_windows.h"

#include <string>
#include <utility>
#include <vector>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "ai/ai_log.h"
#include "control/control_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "platform/random.h"
#include "presentation/number_text.h"
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

// What a slot of a filled region holds: the kind of building by category and the effect that
// ranks the types of that category. Three power stations down the first column, a factory, two
// civil and two military research centres, and housing.
struct TFillKind {
  std::int32_t Category;
  const char* Effect;
};
constexpr TFillKind kEnergy{bcEnergy, "region.energy"}, kRessources{bcRessources, "region.ressources"},
    kCivil{bcScience, "global.science.civil"}, kMilitary{bcScience, "global.science.military"},
    kHousing{bcMaxPopulation, "region.maxpopulation"};
constexpr TFillKind kFillLayout[3][3] = {{kEnergy, kRessources, kMilitary},
                                         {kEnergy, kCivil, kMilitary},
                                         {kEnergy, kCivil, kHousing}};

// A type a player can have built: not the placeholder, not the spy's unidentified building.
bool RealType(const TBuildingType& T) { return T.ID != "building_dummy" && T.Number >= 0; }

// A line of a computer opponent's log as the window shows it: the log's lines are written for
// its HTML page, so the markup goes (tags and all) and entities become their characters. A line
// of markup alone gives nothing.
std::string LogLineAsText(const std::string& Line) {
  static const std::pair<const char*, const char*> Entities[] = {
      {"&nbsp;", " "}, {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}};
  std::string Text;
  for (std::size_t i = 0; i < Line.size();) {
    if (Line[i] == '<') {
      const std::size_t End = Line.find('>', i);
      if (End == std::string::npos) break;  // a tag cut off at the end
      i = End + 1;
      continue;
    }
    bool Entity = false;
    if (Line[i] == '&')
      for (const auto& [Name, Character] : Entities)
        if (Line.compare(i, std::char_traits<char>::length(Name), Name) == 0) {
          Text += Character;
          i += std::char_traits<char>::length(Name);
          Entity = true;
          break;
        }
    if (!Entity) Text += Line[i++];
  }
  const std::size_t Last = Text.find_last_not_of(' ');
  return Last == std::string::npos ? std::string() : Text.substr(0, Last + 1);
}

}  // namespace

const TBuildingType* DebugFillType(int Row, int Column) {
  if (!gBuildingTypePool || Row < 0 || Row > 2 || Column < 0 || Column > 2) return nullptr;
  const TFillKind& Kind = kFillLayout[Row][Column];
  const TBuildingType* Best = nullptr;
  std::int32_t BestValue = 0;
  for (const auto& T : gBuildingTypePool->Types) {
    if (!RealType(*T) || T->Category != Kind.Category) continue;
    const std::int32_t Value = T->GetEffectValue(Kind.Effect);
    if (!Best || Value > BestValue || (Value == BestValue && T->BuildCost > Best->BuildCost)) {
      Best = T.get();
      BestValue = Value;
    }
  }
  return Best;
}

void DebugWindow_Show(TGame& Game) {
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
    for (const auto& V : Values) Region->AddLine(std::string(V[1]) + GeneralText(R.GetValue(V[0])));
  } else {
    Region->AddLine("No region selected");
  }
  Global->Clear();
  Global->AddLine("Global info :");
  if (const TNation* P = Player()) {
    Global->AddLine(" research.civil = " + GeneralText(P->GetValue("researchcivil")));
    Global->AddLine(" research.military = " + GeneralText(P->GetValue("researchmilitary")));
  }
}

void DebugWindow_Click(TGame& Game, const std::string& Name) {
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
    // A kind the pool lacks leaves that slot as it is.
    ForPlayerRegions(*P, [](TRegion& R) {
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
          if (const TBuildingType* Type = DebugFillType(i, j)) R.Buildings[i][j].Type = Type;
    });
    Refresh();
  } else if (Name == "debug_fill_regions_rnd") {
    // Draws over the whole pool; the placeholder and the unidentified building are drawn again.
    const std::size_t Count = gBuildingTypePool ? gBuildingTypePool->Types.size() : 0;
    bool AnyReal = false;
    for (std::size_t t = 0; t < Count; ++t) AnyReal = AnyReal || RealType(*gBuildingTypePool->Types[t]);
    if (!AnyReal) {
      if (gLog) gLog->AddLine("TGame->DebugWindow_Click->No building type to fill the regions with");
      return;
    }
    ForPlayerRegions(*P, [&](TRegion& R) {
      for (auto& Row : R.Buildings)
        for (auto& Slot : Row) {
          const TBuildingType* Type = nullptr;
          do Type = gBuildingTypePool->Types[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Count)))].get();
          while (!RealType(*Type));
          Slot.Type = Type;
        }
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
    if (!Game.Earth || Game.Earth->SelRegion < 0 || static_cast<std::size_t>(Game.Earth->SelRegion) >= gRegions.size())
      return;
    gRegions[static_cast<std::size_t>(Game.Earth->SelRegion)]->Owner =
        Name == "debug_region_uprise" ? TRegion::OwnerRebels : TRegion::OwnerNobody;
  }
}

void DebugAIWindow_Show(TGame& Game) {
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

void DebugAIWindow_Click(TGame& Game, const std::string& Name) {
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
      for (const std::string& Line : Log->PlainLines)
        // Each entry wrapped on its own, so entries do not run into each other.
        if (const std::string Text = LogLineAsText(Line); !Text.empty())
          for (const std::string& Row : Memo.WordWrapped({Text})) Memo.AddLine(Row);
  } else if (Name == "debug_ai_enableall") {
    for (auto& N : gNations)
      if (N) N->AIControlled = true;
  } else if (Name == "debug_ai_advance_10" || Name == "debug_ai_advance_100") {
    const int Rounds = Name == "debug_ai_advance_10" ? 10 : 100;
    if (Rounds == 100 && gCurrentTurn == 0 && Game.View) Game.View->UpDateRegionMap(Game, false);
    gDebugBatchRounds = 1;
    // The batch stops when a round ends the game: the rounds after it would play a finished game.
    for (int R = 0; R < Rounds && Game.GameRunning && Game.State == gsEarthView; ++R) Game.NextRound();
    gDebugBatchRounds = 0;
  }
}

void RegisterDeveloperWindows(TGame& Game) {
  TGame* G = &Game;
  if (TGLWindow* Debug = gInGameGUI->GetWindow("debug"))
    Debug->OnClick = [G](const std::string& Name) { DebugWindow_Click(*G, Name); };
  if (TGLWindow* DebugAI = gInGameGUI->GetWindow("debugai")) {
    DebugAI->OnClick = [G](const std::string& Name) { DebugAIWindow_Click(*G, Name); };
    DebugAI->OnShow = [G] { DebugAIWindow_Show(*G); };
  }
}
