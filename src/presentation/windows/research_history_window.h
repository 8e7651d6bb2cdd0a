#pragma once
// The research history window "research_history": the technologies the current player has
// researched, civil and military, and for the one clicked its picture, research time,
// description and what it leads to.
#include <string>

class TGame;

void ResearchHistoryWindow_Show(TGame& Game);
void ResearchHistoryWindow_Click(TGame& Game, const std::string& Name);
void ResearchHistoryWindow_Render(TGame& Game);
void RegisterResearchHistoryWindow(TGame& Game);
