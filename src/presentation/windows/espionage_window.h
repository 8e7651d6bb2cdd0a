#pragma once
// The espionage window "espionage": the current player's free and infiltrated spies, sending a
// free spy into a region chosen on the globe, withdrawing one, its building and division
// reports, sabotage, and what the selected spy has found, each report area covered by an
// animated no-signal picture while there is nothing to show.
#include <string>

class TGame;
class TSpy;
class TBuildingType;

// The selected spy while it is one of the current player's spies; otherwise the selection is
// cleared (a spy that was caught, fired, freed by a new game or a load, or another player's).
TSpy* EspionageSelectedSpy(TGame& Game);
// The model a slot of the spy's building report shows: the reported type's, "building_empty"
// for a slot seen empty.
std::string SpiedSlotModel(const TBuildingType* Reported);

void EspionageWindow_Show(TGame& Game);
void EspionageWindow_Click(TGame& Game, const std::string& Name);
void EspionageWindow_Render(TGame& Game);
// The spied region with the buildings as reported, in the report area's 3D view.
void EspionageWindow_DrawRegionScene(TGame& Game);
void RegisterEspionageWindow(TGame& Game);
