#include "presentation/windows/research_window.h"

#include <algorithm>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_item.h"
#include "gui/gui_manager.h"
#include "gui/skinned_control.h"
#include "gui/gui_services.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/window.h"
#include "platform/rounding.h"
#include "presentation/view_state.h"
#include "presentation/windows/research_carousel.h"
#include "presentation/windows/research_history_window.h"
#include "world/nation.h"
#include "world/technology.h"
#include "world/world_globals.h"

namespace {

TTechnologyTree* PlayerTree() {
  if (gPlayerNation >= gNations.size() || !gNations[gPlayerNation]) return nullptr;
  return &gNations[gPlayerNation]->TechnologyTree;
}

bool InList(const TGame& Game, const TTechnology* T) {
  return T && T->Tree == PlayerTree() && std::find(Game.ResearchTechList.begin(), Game.ResearchTechList.end(), T) != Game.ResearchTechList.end();
}

// The selected card stands in front. A new list moves the cards (a researched technology leaves
// the ring, new ones join it in tree order): the ring follows the selected card to its new place,
// at once when it is at rest, else by turning there.
void KeepRingOnSelection(TGame& Game, TViewState& Ring) {
  const auto& List = Game.ResearchTechList;
  const auto Card = std::find(List.begin(), List.end(), Game.ResearchSelectedTech);
  if (Card == List.end()) return;
  const float Place = float(static_cast<double>(Card - List.begin()) * 360.0 / static_cast<double>(List.size()));
  if (Ring.ResearchCarouselTarget == Place) return;
  Ring.ResearchCarouselTarget = Place;
  if (Ring.ResearchCarouselDirection == 0.0f)
    Ring.ResearchCarouselAngle = Place;
  else
    Ring.ResearchCarouselDirection = CarouselDirection(Ring.ResearchCarouselAngle, Place);
}

void FillLeadsTo(TGLListBox& List, const TTechnology& T) {
  List.Clear();
  TStringList Triples;
  if (T.GetLeadsTo(Triples)) {
    for (std::size_t i = 0; i + 2 < Triples.size(); i += 3) List.AddItem(Triples[i + 1], "", Triples[i + 2], std::intptr_t{0});
  } else {
    List.AddItem(Localize("szStrNothing"), "", "gui_icon_stop", std::intptr_t{0});
  }
}

void Print(const std::string& Text, float X, float Y, float Z) {
  GUIServices().Print(Text, TVector3{X, Y, Z}, TVector3{1.0f, 1.0f, 1.0f}, 1.0f, 1.0f, false, true);
}

}  // namespace

std::string TechnologyPicture(const std::string& Image) {
  for (const std::string& Name : {Image, std::string("technology_default")})
    if (LoadOnDemandPicture(Name)) return Name;
  return "technology_default";
}

std::vector<TTechnology*> ResearchableTechnologies() {
  std::vector<TTechnology*> List;
  if (TTechnologyTree* Tree = PlayerTree())
    for (const auto& T : Tree->Technologies)
      if (!T->Researched && T->PrerequisitesMet()) List.push_back(T.get());
  return List;
}

void ResearchWindow_BuildTechList(TGame& Game) { Game.ResearchTechList = ResearchableTechnologies(); }

void ResearchWindow_Show(TGame& Game, TViewState& View) {
  if (gPlayerNation < gNations.size() && gNations[gPlayerNation]) {
    const TNation& N = *gNations[gPlayerNation];
    TViewState& Factors = View;
    Factors.ResearchCivilFactor = static_cast<float>(N.GetValue("researchcivil") / 4.5);
    Factors.ResearchMilitaryFactor = static_cast<float>(N.GetValue("researchmilitary") / 4.5);
  }
  ResearchWindow_BuildTechList(Game);
  // The cards' pictures are loaded here, not while the carousel draws.
  for (const TTechnology* T : Game.ResearchTechList) TechnologyPicture(T->Image);
  if (Game.ResearchSelectedTech) TechnologyPicture(Game.ResearchSelectedTech->Image);
}

float ResearchFactor(const TViewState& View, const TTechnology& Technology) {
  if (Technology.Category == 0) return View.ResearchCivilFactor;
  if (Technology.Category == 1) return View.ResearchMilitaryFactor;
  return 0.0f;
}

std::string ResearchTimeText(float Points, float Factor) {
  if (Factor == 0.0f) return Localize("szStrResearchResearchTime") + " " + Localize("szStrInfiniteResearch");
  // Data may give any research time: the rounds are written without passing through an integer.
  return Localize("szStrResearchResearchTime") + " " + RoundedText(double(Points) / Factor) + " " +
         Localize("szStrTurns");
}

void ResearchWindow_Click(TGame& Game, const std::string& Name) {
  TGLWindow* Window = gInGameGUI ? gInGameGUI->GetWindow("science") : nullptr;
  if (!Window) return;
  ResearchWindow_BuildTechList(Game);
  if (Name.find("technology_") != std::string::npos) {
    TTechnologyTree* Tree = PlayerTree();
    Game.ResearchSelectedTech = Tree && Name.size() > 11 ? Tree->FindByName(Name.substr(11)) : nullptr;
  }
  if (Name == "research_showresearchedtechs") {
    ResearchHistoryWindow_Show(Game);
    gInGameGUI->OpenWindow("research_history");
  }
  if (Name == "research_startresearch") {
    // Only a technology the current player can research now: after a hot-seat hand-over the
    // selection may still be one of the previous player's tree.
    if (InList(Game, Game.ResearchSelectedTech)) {
      Game.ResearchSelectedTech->StartResearch();
      GUIServices().PlaySound("startresearch");
    } else {
      if (Game.ResearchSelectedTech && !InList(Game, Game.ResearchSelectedTech)) Game.ResearchSelectedTech = nullptr;
      gInGameGUI->ShowMessageBoxExt(Localize("szMsgResearchNoTechSelected"), Localize("szStrDialogHint"), "dialog_warning",
                                    true);
    }
  }
  if (!Game.ResearchSelectedTech) return;
  const TTechnology& T = *Game.ResearchSelectedTech;
  Window->GetItem<TGLMemo>("memo_tech").SetTextSectionFromStrings(T.Description, CurrentLanguageCode(), true);
  FillLeadsTo(Window->GetItem<TGLListBox>("listbox_leadsto"), T);
}

void ResearchWindow_KeepSelection(TGame& Game, TViewState& View) {
  TTechnology*& Selected = Game.ResearchSelectedTech;
  // After a hot-seat hand-over the list may still be the previous player's.
  if (!Game.ResearchTechList.empty() && Game.ResearchTechList.front()->Tree != PlayerTree())
    ResearchWindow_BuildTechList(Game);
  if (Selected && (Selected->Researched || !InList(Game, Selected))) {
    ResearchWindow_BuildTechList(Game);
    Selected = Game.ResearchTechList.empty() ? nullptr : Game.ResearchTechList.front();
    View.ResearchCarouselAngle = 0.0f;
    ResearchWindow_Click(Game, "");
  }
  if (Game.ResearchTechList.empty()) {
    Selected = nullptr;
  } else if (!Selected) {
    Selected = Game.ResearchTechList.front();
    // The description and the "leads to" list are the selected technology's, not those of the
    // one selected before.
    ResearchWindow_Click(Game, "");
  }
  KeepRingOnSelection(Game, View);
}

void ResearchWindow_Render(TGame& Game, TViewState& View) {
  TGLWindow* Window = gInGameGUI ? gInGameGUI->GetWindow("science") : nullptr;
  if (!Window) return;
  glPushMatrix();
  glTranslatef(Window->X, Window->Y, Window->Z);
  ResearchWindow_KeepSelection(Game, View);
  const std::int32_t PickedCard = ResearchCarousel_Render(Game, View);

  if (const TTechnology* T = Game.ResearchSelectedTech) {
    const TGLGUIItem& P = Window->GetGUIItemByID("panel_researchtime");
    Print(ResearchTimeText(T->ResearchTime, ResearchFactor(View, *T)), P.Position.X + 7, P.Position.Y + 5, P.Position.Z + 0.02f);
  }

  const TGLGUIItem& P = Window->GetGUIItemByID("panel_currentresearch");
  const TTechnologyTree* Tree = PlayerTree();
  if (const TTechnology* T = Tree ? Tree->Current : nullptr) {
    glPushMatrix();
    const std::string Picture = TechnologyPicture(T->Image);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
    GUIServices().DrawTexture(Picture, P.Position.X + 10, P.Position.Y + 10, P.Position.Z + 0.02f, 64, 64);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    GUIServices().DrawTexture(Picture, P.Position.X + 5, P.Position.Y + 5, P.Position.Z + 0.03f, 64, 64);
    glTranslatef(68.0f, 0.0f, 0.04f);
    Print(T->GetName(), P.Position.X + 7, P.Position.Y + 5, P.Position.Z + 0.04f);
    Print(ResearchTimeText(T->RemainingPoints, ResearchFactor(View, *T)), P.Position.X + 7, P.Position.Y + 17,
          P.Position.Z + 0.02f);
    Print(Localize("szStrResearchLeadsTo"), P.Position.X + 7, P.Position.Y + 32, P.Position.Z);
    TStringList Triples;
    if (T->GetLeadsTo(Triples)) {
      constexpr float RowPitch = 14.0f;
      float Y = P.Position.Y + 48;
      for (std::size_t i = 0; i + 2 < Triples.size(); i += 3, Y += RowPitch) {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        GUIServices().DrawTexture(Triples[i + 2], P.Position.X + 12, Y + 1, P.Position.Z + 0.02f, 12, 12);
        Print(Triples[i + 1], P.Position.X + 26, Y, P.Position.Z);
      }
    }
    glPopMatrix();
  } else {
    Print(Localize("szStrResearchNoResearch"), P.Position.X + 7, P.Position.Y + 5, P.Position.Z);
  }

  const TGLGUIItem& I = Window->GetGUIItemByID("panel_researchinfo");
  const float X = I.Position.X, Y = I.Position.Y, Z = I.Position.Z;
  const TViewState& Factors = View;
  Print(Localize("szStrResearchCivilFactor") + " :", X + 12, Y + 5, Z);
  DrawGauge(TVector3{X + 20, Y + 22, Z + 0.1f}, TVector3{1, 1, 1}, Factors.ResearchCivilFactor * 100.0f, 140, 16);
  Print(std::to_string(RoundToInt(Factors.ResearchCivilFactor * 100.0)) + "%", X + 165, Y + 22, Z);
  Print(Localize("szStrResearchMilitaryFactor") + " :", X + 12, Y + 48, Z);
  DrawGauge(TVector3{X + 20, Y + 65, Z + 0.1f}, TVector3{1, 1, 1}, Factors.ResearchMilitaryFactor * 100.0f, 140, 16);
  Print(std::to_string(RoundToInt(Factors.ResearchMilitaryFactor * 100.0)) + "%", X + 165, Y + 67, Z);
  glPopMatrix();
  // The choice after the drawing: the frame shows what was chosen before it.
  ResearchCarousel_Pick(Game, View, PickedCard);
  ResearchCarousel_Animate(View);
}

void RegisterResearchWindow(TGame& Game, TViewState& View) {
  TGLWindow* Window = gInGameGUI ? gInGameGUI->GetWindow("science") : nullptr;
  if (!Window) return;
  Window->OnRender = [&Game, &View] { ResearchWindow_Render(Game, View); };
  Window->OnClick = [&Game](const std::string& Name) { ResearchWindow_Click(Game, Name); };
  Window->OnShow = [&Game, &View] { ResearchWindow_Show(Game, View); };
}
