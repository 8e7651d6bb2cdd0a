#pragma once
// The developer's windows, opened by the developer keys (Ctrl+D, Ctrl+A with "-debugkeys").
// "debug": the values the selected region's buildings produce and the player's research, and
// commands that finish production and research, fill regions with buildings, switch the
// language, hand out or take away regions, add money and change a region's owner. "debugai":
// the computer opponents with the log of the one chosen, and rounds run in a batch.
#include <string>

class TGame;
class TBuildingType;

// Fills the two memos of "debug"; called before the window opens.
void DebugWindow_Show(TGame& Game);
void DebugWindow_Click(TGame& Game, const std::string& Name);
// Lists the computer opponents in "debugai".
void DebugAIWindow_Show(TGame& Game);
void DebugAIWindow_Click(TGame& Game, const std::string& Name);

// The type "fill regions" puts into building slot [Row][Column] of a region: per slot a kind
// (energy, resources, civil or military research, housing), and of that kind the type of the
// loaded pool that gives the most of it, the dearer one on a tie. None when the pool has no type
// of that kind.
const TBuildingType* DebugFillType(int Row, int Column);

// Binds the handlers to the in-game windows "debug" and "debugai".
void RegisterDeveloperWindows(TGame& Game);
