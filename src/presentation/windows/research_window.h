#pragma once
// The research window "science": the technologies the current player can research, the one
// selected with its description and what it leads to, starting its research, the research in
// progress and the nation's research factors.
#include <string>
#include <vector>

class TGame;
class TTechnology;
struct TViewState;

// The technologies of the current player's tree that are not researched and whose
// prerequisites are, in tree order.
std::vector<TTechnology*> ResearchableTechnologies();
void ResearchWindow_BuildTechList(TGame& Game);
void ResearchWindow_Show(TGame& Game, TViewState& View);
void ResearchWindow_Click(TGame& Game, const std::string& Name);
// Keeps the selection on a technology the current player can research: a researched one, one of
// another tree or none gives the first of the list (and the ring back to its start). The
// description follows the selection, and the ring keeps the selected card in front.
void ResearchWindow_KeepSelection(TGame& Game, TViewState& View);
// The research time in turns as the window prints it: the time text, or the infinite text for a
// factor of 0.
std::string ResearchTimeText(float Points, float Factor);
// The research factor of a technology's category (0 for a category other than civil or military).
float ResearchFactor(const TViewState& View, const TTechnology& Technology);
// The texture to draw for a technology's picture: loaded the first time it is needed, the
// default technology picture when the data set has no such picture.
std::string TechnologyPicture(const std::string& Image);
void ResearchWindow_Render(TGame& Game, TViewState& View);
void RegisterResearchWindow(TGame& Game, TViewState& View);
