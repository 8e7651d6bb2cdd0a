#pragma once
// The end of the game: the menu's sky and sea, the intro's items as they were left, the end-game
// GUI with the chart of the chosen statistic and its legend, and the high-score table with the
// game just ended highlighted.
#include <string>

class TGame;
struct TViewState;
struct THighScoreListEntry;

void RenderGameEnd(TGame& Game, TViewState& View);
// One row of the high-score table after its rank and flag: "name (turns Turns)" then eleven
// blanks and "score Points", with the current language's words.
std::string HighScoreRowText(const THighScoreListEntry& Entry);
