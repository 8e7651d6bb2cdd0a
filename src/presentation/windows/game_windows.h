#pragma once
// The handlers of the in-game windows for regions, armies and battles. Each works on the world
// and the in-game GUI; list rows carry indexes, never objects, so a row that outlived its object
// (a dissolved division, a freed unit, a finished battle) finds nothing and does nothing.
#include <string>

class TGame;
struct TViewState;

// Region details ("regioninfo") and its diorama.
void RegionWindow_Show(TGame& Game);
void RegionWindow_Click(TGame& Game, const std::string& Name);
void RegionWindow_Render(TGame& Game);
void RegionWindow_DrawRegionScene(TGame& Game, bool Picking);

// Unit build ("military").
void MilitaryWindow_Show(TGame& Game);
void MilitaryWindow_Click(TGame& Game, const std::string& Name);
void MilitaryWindow_Render(TGame& Game, TViewState& View);

// Building construction ("region_build").
void BuildWindow_Show(TGame& Game);
void BuildWindow_Click(TGame& Game, const std::string& Name);
void BuildWindow_Render(TGame& Game, TViewState& View);

// Army management ("army_management").
void ArmyWindow_Show(TGame& Game);
void ArmyWindow_Click(TGame& Game, const std::string& Name);
void ArmyWindow_Render(TGame& Game);
void ArmyWindow_ClearDivisionInfo(TGame& Game);

// Auto-battle ("autobattle").
void AutoBattleWindow_Start(TGame& Game);
void AutoBattleWindow_Step(TGame& Game);
void AutoBattleWindow_EndBattle(TGame& Game);
void AutoBattleWindow_Render(TGame& Game);
void AutoBattleWindow_Click(TGame& Game, const std::string& Name);
void AutoBattleWindow_Show(TGame& Game);  // frees a closed battle's defensive army

// Attaches the handlers above to their windows of the in-game GUI (windows not loaded are
// skipped); the preview windows draw with View, the view state of the view that registers them.
void RegisterRegionAndArmyWindows(TGame& Game, TViewState& View);

// The building slot (0..8) whose pick colour the diorama's pick pass drew, -1 for none.
int SlotOfPickColour(unsigned char R, unsigned char G, unsigned char B);
