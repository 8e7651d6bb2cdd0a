#include "presentation/windows/research_history_window.h"

#include "control/game.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/window.h"
#include "presentation/windows/research_window.h"
#include "world/nation.h"
#include "world/technology.h"
#include "world/world_globals.h"

namespace {

TTechnologyTree* PlayerTree() {
  if (gPlayerNation >= gNations.size() || !gNations[gPlayerNation]) return nullptr;
  return &gNations[gPlayerNation]->TechnologyTree;
}

TGLWindow* HistoryWindow() { return gInGameGUI ? gInGameGUI->GetWindow("research_history") : nullptr; }

// The shown technology, as long as it is one of the current player's tree.
TTechnology* Shown(TGame& Game) {
  if (Game.ResearchHistorySelectedTech && Game.ResearchHistorySelectedTech->Tree != PlayerTree())
    Game.ResearchHistorySelectedTech = nullptr;
  return Game.ResearchHistorySelectedTech;
}

}  // namespace

void ResearchHistoryWindow_Show(TGame& Game) {
  TGLWindow* Window = HistoryWindow();
  if (!Window) return;
  TGLListBox& List = Window->GetItem<TGLListBox>("listbox_techlist");
  List.Clear();
  const TTechnologyTree* Tree = PlayerTree();
  if (!Tree) return;
  static const char* const Headers[2][2] = {{"szResearchCat0", "science_category_civil"},
                                            {"szResearchCat1", "science_category_military"}};
  for (int Category = 0; Category < 2; ++Category) {
    bool Header = false;
    for (const auto& T : Tree->Technologies) {
      if (!T->Researched || T->Category != Category) continue;
      if (!Header) List.AddItem(Localize(Headers[Category][0]), Headers[Category][1], "", std::intptr_t{0});
      Header = true;
      List.AddItem(T->GetName(), "technology_researched_" + T->ID, "button_research_window", std::intptr_t{0});
    }
  }
  Shown(Game);
}

void ResearchHistoryWindow_Click(TGame& Game, const std::string& Name) {
  TGLWindow* Window = HistoryWindow();
  if (!Window) return;
  if (Name.find("technology_researched_") != std::string::npos) {
    TTechnologyTree* Tree = PlayerTree();
    Game.ResearchHistorySelectedTech = Tree && Name.size() > 22 ? Tree->FindByName(Name.substr(22)) : nullptr;
  }
  const TTechnology* T = Shown(Game);
  if (!T) return;
  Window->GetItem<TGLMemo>("memo_tech").SetTextSectionFromStrings(T->Description, CurrentLanguageCode(), true);
  TGLListBox& Leads = Window->GetItem<TGLListBox>("listbox_leadsto");
  Leads.Clear();
  TStringList Triples;
  if (!T->GetLeadsTo(Triples)) {
    Leads.AddItem(Localize("szStrNothing"), "", "gui_icon_stop", std::intptr_t{0});
    return;
  }
  for (std::size_t i = 0; i + 2 < Triples.size(); i += 3) {
    if (Triples[i] == "building") Leads.AddItem(Triples[i + 1], "", "gui_icon_building", std::intptr_t{0});
    if (Triples[i] == "technology") Leads.AddItem(Triples[i + 1], "", "button_research_window", std::intptr_t{0});
    // Units it unlocks are listed as the research window lists them, with their picture.
    if (Triples[i] == "unit") Leads.AddItem(Triples[i + 1], "", Triples[i + 2], std::intptr_t{0});
  }
}

void ResearchHistoryWindow_Render(TGame& Game) {
  TGLWindow* Window = HistoryWindow();
  if (!Window) return;
  const TTechnology* T = Shown(Game);
  if (!T) return;
  glPushMatrix();
  glTranslatef(Window->X, Window->Y, Window->Z);
  // The time it took, counted as the research window counts it.
  const TGLGUIItem& P = Window->GetGUIItemByID("panel_researchtime");
  float Factor = 0.0f;
  if (T->Category == 0 || T->Category == 1)
    Factor = static_cast<float>(gNations[gPlayerNation]->GetValue(T->Category == 0 ? "researchcivil" : "researchmilitary") / 4.5);
  GUIServices().Print(ResearchTimeText(T->ResearchTime, Factor),
                      TVector3{P.Position.X + 7, P.Position.Y + 5, P.Position.Z + 0.02f}, TVector3{1, 1, 1}, 1.0f, 1.0f,
                      false, true);
  const TGLGUIItem& I = Window->GetGUIItemByID("image_tech");
  GUIServices().BindTexture(TechnologyPicture(T->Image));
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const float X = I.Position.X, Y = I.Position.Y, Z = I.Position.Z + 0.05f;
  const float W = float(I.GetWidth()), H = float(I.GetHeight());
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0); glVertex3f(X, Y + H, Z);
  glTexCoord2f(0, 1); glVertex3f(X, Y, Z);
  glTexCoord2f(1, 1); glVertex3f(X + W, Y, Z);
  glTexCoord2f(1, 0); glVertex3f(X + W, Y + H, Z);
  glEnd();
  glPopMatrix();
}

void RegisterResearchHistoryWindow(TGame& Game) {
  TGLWindow* Window = HistoryWindow();
  if (!Window) return;
  Window->OnRender = [&Game] { ResearchHistoryWindow_Render(Game); };
  Window->OnClick = [&Game](const std::string& Name) { ResearchHistoryWindow_Click(Game, Name); };
  Window->OnShow = [&Game] { ResearchHistoryWindow_Show(Game); };
}
