#pragma once
// The statistics window "statistics": the history chart of the statistic chosen in its
// drop-down with the legend, and the current player's income, expenses and balance.
#include <string>
#include <vector>

#include "engine/vectors.h"

class TGame;
class TNation;

// One line of the income panel: label, value text right-aligned, their rows and colour.
struct TIncomeRow {
  std::string LabelKey;
  std::string Value;
  float LabelY = 0.0f, ValueY = 0.0f;
  bool Income = true;  // green; red otherwise
};
// Income, the three expenses and, last, the balance (label key "szStrStatsFinalOutcome",
// value "= N", green when not negative); numbers rounded halves to even.
std::vector<TIncomeRow> IncomeRows(float Income, float Wages, float Military, float GlobalProject);

void StatisticsWindow_Show(TGame& Game);
void StatisticsWindow_Render(TGame& Game);
void RegisterStatisticsWindow(TGame& Game);
