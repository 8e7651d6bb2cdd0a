#pragma once
// The information centre "infocenter": the world map coloured by ownership, the quick chart of
// the five nations in five categories with their tendencies, the current player's news of the
// last round and the button to the statistics.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TGame;

enum class TTendency : std::uint8_t { Same, Up, Down };
struct TQuickChartCell {
  std::int32_t Nation = -1;
  TTendency Tendency = TTendency::Same;
};
// Cells[column][position]: per category (regions, population, growth, resources, military) and
// list position (0 last, 4 leader) the nation there and how its own rank moved since the last
// round.
using TQuickChartCells = std::array<std::array<TQuickChartCell, 5>, 5>;
TQuickChartCells QuickChartCells(const TGame& Game);

// After the round: the current player's news into the first list box, the window in front.
void InfoCenterWindow_Refresh(TGame& Game);
void InfoCenterWindow_Click(TGame& Game, const std::string& Name);
void InfoCenterWindow_Render(TGame& Game);
void RegisterInfoCenterWindow(TGame& Game);
