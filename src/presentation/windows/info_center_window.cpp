#include "presentation/windows/info_center_window.h"

#include <algorithm>

#include "control/game.h"
#include "engine/gl_api.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/list_box.h"
#include "gui/window.h"
#include "presentation/shared_view_state.h"
#include "presentation/windows/statistics_window.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {

TGLWindow* InfoWindow() { return gInGameGUI ? gInGameGUI->GetWindow("infocenter") : nullptr; }

struct TColumn {
  const char* Icon;
  float IconX, FlagX, TendencyX;
  std::size_t List;  // index into the game's quick chart
};
// The quick chart's lists are kept as regions, military strength, population, growth, resources.
constexpr TColumn kColumns[5] = {{"_test_ui_cc_next_round", 34, 30, 52, 0},
                                 {"gui_icon_population", 74, 70, 92, 2},
                                 {"gui_icon_growth", 114, 110, 132, 3},
                                 {"gui_icon_res", 154, 150, 172, 4},
                                 {"gui_icon_army_star", 194, 190, 212, 1}};

const char* TendencyTexture(TTendency T) {
  switch (T) {
    case TTendency::Up: return "gui_icon_tendency_up";
    case TTendency::Down: return "gui_icon_tendency_down";
    case TTendency::Same: break;
  }
  return "gui_icon_tendency_same";
}

}  // namespace

TQuickChartCells QuickChartCells(const TGame& Game) {
  TQuickChartCells Cells{};
  for (std::size_t c = 0; c < 5; ++c) {
    const auto& Current = Game.QuickChart[kColumns[c].List][0];
    const auto& Previous = Game.QuickChart[kColumns[c].List][1];
    for (std::size_t p = 0; p < 5 && p < Current.size(); ++p) {
      TQuickChartCell& Cell = Cells[c][p];
      Cell.Nation = Current[p];
      // The same nation's place in the previous ranking: a higher place now is a rise.
      const auto It = std::find(Previous.begin(), Previous.end(), Cell.Nation);
      if (It == Previous.end()) continue;
      const std::size_t Before = static_cast<std::size_t>(It - Previous.begin());
      Cell.Tendency = p > Before ? TTendency::Up : p < Before ? TTendency::Down : TTendency::Same;
    }
  }
  return Cells;
}

void InfoCenterWindow_Refresh(TGame&) {
  TGLWindow* Window = InfoWindow();
  if (!Window || gPlayerNation >= gNations.size() || !gNations[gPlayerNation]) return;
  gNations[gPlayerNation]->Messages.FillWindow(static_cast<TGLListBox&>(Window->GetGLGUIItem(0, "listbox")));
  gInGameGUI->BringToFront("infocenter");
}

void InfoCenterWindow_Click(TGame& Game, const std::string& Name) {
  if (Name != "button_stats") return;
  StatisticsWindow_Show(Game);
  gInGameGUI->BringToFront("statistics");
}

void InfoCenterWindow_Render(TGame& Game) {
  TGLWindow* Window = InfoWindow();
  if (!Window) return;
  const TGLGUIItem& Map = Window->GetGUIItemByID("panel_regionmap");
  const float W = float(Map.Width), H = float(Map.Height);
  glPushMatrix();
  glTranslatef(Window->X + Map.Position.X, Window->Y + Map.Position.Y, Window->Z + Map.Position.Z + 0.5f);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  auto MapQuad = [&](float Z) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex3f(4, H - 4, Z);
    glTexCoord2f(0, 1); glVertex3f(4, 4, Z);
    glTexCoord2f(1, 1); glVertex3f(W - 4, 4, Z);
    glTexCoord2f(1, 0); glVertex3f(W - 4, H - 4, Z);
    glEnd();
  };
  GUIServices().BindTexture("earthmap");
  MapQuad(0.01f);
  if (gRegionTextureID) {
    // The owners' colours multiply the map: the unowned keep the map's own colour.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_DST_COLOR);
    GUIServices().BindTextureByID(gRegionTextureID);
    MapQuad(0.015f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
  }
  glPopMatrix();

  const TGLGUIItem& Chart = Window->GetGUIItemByID("panel_quickchart");
  glPushMatrix();
  glTranslatef(Window->X + Chart.Position.X, Window->Y + Chart.Position.Y, Window->Z + Chart.Position.Z + 0.5f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (const TColumn& C : kColumns) GUIServices().DrawTexture(C.Icon, C.IconX, 12, 0.05f, 24, 24);
  glDisable(GL_BLEND);
  const TQuickChartCells Cells = QuickChartCells(Game);
  for (std::size_t p = 0; p < 5; ++p) {
    const float r = 24.0f * float(4 - p);
    const std::string Rank = std::to_string(5 - p) + ".";
    GUIServices().Print(Rank, TVector3{16 - GUIServices().TextWidth(Rank) / 2, 40 + r, 0}, TVector3{1, 1, 1}, 1, 1, false,
                        true);
    for (std::size_t c = 0; c < 5; ++c)
      if (Cells[c][p].Nation >= 0)
        GUIServices().DrawTexture("flag" + std::to_string(Cells[c][p].Nation), kColumns[c].FlagX, 56 + r, 0.05f, 32, -16);
    glEnable(GL_BLEND);
    for (std::size_t c = 0; c < 5; ++c)
      if (Cells[c][p].Nation >= 0)
        GUIServices().DrawTexture(TendencyTexture(Cells[c][p].Tendency), kColumns[c].TendencyX, 46 + r, 0.05f, 16, 16);
    glDisable(GL_BLEND);
  }
  glPopMatrix();
}

void RegisterInfoCenterWindow(TGame& Game) {
  TGLWindow* Window = InfoWindow();
  if (!Window) return;
  Window->OnRender = [&Game] { InfoCenterWindow_Render(Game); };
  Window->OnClick = [&Game](const std::string& Name) { InfoCenterWindow_Click(Game, Name); };
}
