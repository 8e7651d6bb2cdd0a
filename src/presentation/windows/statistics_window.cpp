#include "presentation/windows/statistics_window.h"

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "gui/drop_down.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/window.h"
#include "platform/rounding.h"
#include "world/nation.h"
#include "world/statistics.h"
#include "world/world_globals.h"

namespace {
TGLWindow* StatisticsWindow() { return gInGameGUI ? gInGameGUI->GetWindow("statistics") : nullptr; }
}  // namespace

std::vector<TIncomeRow> IncomeRows(float In, float Wages, float Military, float Project) {
  auto Rounded = [](float V) { return std::to_string(RoundToInt(V)); };
  std::vector<TIncomeRow> Rows = {
      {"szStrStatsIncomeRegion", "+ " + Rounded(In), 8, 10, true},
      {"szStrStatsExpensesStaff", "- " + Rounded(Wages), 24, 24, false},
      {"szStrStatsExpensesMilitary", "- " + Rounded(Military), 38, 38, false},
      {"szStrStatsExpensesGlobalProject", "- " + Rounded(Project), 52, 52, false}};
  const float Outcome = static_cast<float>(double(In) - Wages - Military - Project);
  Rows.push_back({"szStrStatsFinalOutcome", "= " + Rounded(Outcome), 80, 80, Outcome >= 0.0f});
  return Rows;
}

void StatisticsWindow_Show(TGame&) {
  TGLWindow* Window = StatisticsWindow();
  if (!Window) return;
  auto& DropDown = Window->GetItem<TGLDropDown>("dropdown_stat");
  const std::int32_t Selected = DropDown.ItemIndex;
  DropDown.Clear();
  for (const std::string& Key : gStatisticKeys) DropDown.AddItem(Localize("szStrStat" + Key), Key, "", 0);
  DropDown.ItemIndex = Selected;
}

void StatisticsWindow_Render(TGame&) {
  TGLWindow* Window = StatisticsWindow();
  if (!Window) return;
  const auto& DropDown = Window->GetItem<TGLDropDown>("dropdown_stat");
  const TGLGUIItem& Graph = Window->GetGUIItemByID("panel_graph");
  const TGLGUIItem& Legend = Window->GetGUIItemByID("panel_legend");
  const TGLGUIItem& Money = Window->GetGUIItemByID("panel_incomeoutcome");
  if (gStatisticServer) {
    glPushMatrix();
    glTranslatef(Window->X + Graph.Position.X + 3, Window->Y + Graph.Position.Y + 3, Window->Z + Graph.Position.Z);
    gStatisticServer->DrawChart(DropDown.GetSelectedID(), float(Graph.Width - 6), float(Graph.Height - 6));
    glPopMatrix();
    glPushMatrix();
    glTranslatef(Window->X + Legend.Position.X + 20, Window->Y + Legend.Position.Y + 16, Window->Z + Legend.Position.Z);
    gStatisticServer->DrawLegend(float(Legend.Height - 24));
    glPopMatrix();
  }
  if (gPlayerNation >= gNations.size() || !gNations[gPlayerNation]) return;
  glPushMatrix();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glTranslatef(Window->X + Money.Position.X, Window->Y + Money.Position.Y, Window->Z + Money.Position.Z);
  const float W = float(Money.Width);
  const TNation& N = *gNations[gPlayerNation];
  for (const TIncomeRow& Row : IncomeRows(N.GetValue("ressourcesincoming"), N.GetValue("wagestotal"),
                                          N.GetValue("militarymaintenance"), N.GetValue("globalprojectressources"))) {
    const TVector3 Colour = Row.Income ? TVector3{0.2f, 1.0f, 0.2f} : TVector3{1.0f, 0.2f, 0.2f};
    const bool Balance = Row.LabelKey == "szStrStatsFinalOutcome";
    const std::string Value = Balance ? Localize(Row.LabelKey) + " " + Row.Value : Row.Value;
    if (!Balance) GUIServices().Print(Localize(Row.LabelKey), TVector3{10, Row.LabelY, 0.1f}, Colour, 1, 1, false, true);
    GUIServices().Print(Value, TVector3{W - 4 - GUIServices().TextWidth(Value), Row.ValueY, 0.1f}, Colour, 1, 1, false, true);
  }
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_LINES);
  glVertex3f(282, 75, 0.1f);
  glVertex3f(382, 75, 0.1f);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glPopMatrix();
}

void RegisterStatisticsWindow(TGame& Game) {
  TGLWindow* Window = StatisticsWindow();
  if (!Window) return;
  Window->OnRender = [&Game] { StatisticsWindow_Render(Game); };
  Window->OnShow = [&Game] { StatisticsWindow_Show(Game); };
}
