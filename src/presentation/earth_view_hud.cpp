#include "presentation/earth_view_hud.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/tex_font.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "presentation/region_links.h"
#include "presentation/number_text.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {
std::string Whole(double Value) { return std::to_string(static_cast<long long>(std::nearbyint(Value))); }
}  // namespace

std::string FormatHudNumber(double Value) {
  if (std::fabs(std::nearbyint(Value)) >= 1000.0) return ScientificText(Value, 3);
  char Text[64];
  // Digits before the point leave the rest of the three for the decimals.
  const double Magnitude = std::fabs(Value);
  const int Before = Magnitude < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(Magnitude))) + 1;
  const int Decimals = std::max(0, std::min(1, 3 - Before));
  const double Scale = std::pow(10.0, Decimals);
  // The C library writes the separator of the user's locale, which the program takes at start.
  std::snprintf(Text, sizeof Text, "%.1f", std::nearbyint(Value * Scale) / Scale);
  return Text;
}

std::vector<THudText> EarthViewHUDTexts(const TNation& N, float X0, float Y0, float F) {
  return {
      {"\"" + N.PlayerName + "\"", X0 + 605.0f * F, Y0 + 30.0f, 1.0f, false, true},
      {N.GetName(), X0 + 595.0f * F, Y0 + 42.0f, 1.0f, false, false},
      {Localize("szStrTurn") + " " + std::to_string(gCurrentTurn), X0 + 585.0f * F, Y0 + 54.0f, 1.0f, false, false},
      {Whole(N.Ressources), X0 + 430.0f * F, 670.0f, 1.2f, true, true},
      {std::to_string(N.Scientists.size()), X0 + 545.0f * F, 640.0f, 1.0f, true, false},
      {std::to_string(N.Generals.size()), X0 + 564.0f * F, 640.0f, 1.0f, true, false},
      {std::to_string(N.Spies.size()), X0 + 581.0f * F, 640.0f, 1.0f, true, false},
      {std::to_string(N.Divisions.size()), X0 + 564.0f * F, 675.0f, 1.0f, true, false},
      {Whole(N.GetValue("numregions")), X0 + 564.0f * F, 715.0f, 1.0f, true, false},
      {FormatHudNumber(N.GetValue("averageloyality")), X0 + 494.0f * F, 640.0f, 1.0f, true, false},
      {FormatHudNumber(N.GetValue("totalpopulation")), X0 + 494.0f * F, 675.0f, 1.0f, true, false},
      {FormatHudNumber(N.GetValue("totalgrowth")), X0 + 494.0f * F, 715.0f, 1.0f, true, false},
  };
}

void EarthViewHUD_Render(TGame& Game) {
  if (!gInGameGUI || !gInGameGUI->HintWindow || !gGUIFont || gPlayerNation >= gNations.size() ||
      !gNations[gPlayerNation])
    return;
  // A layout without the HUD panel shows no values (the layout check reports it).
  const TGLGUIItem* Panel = gInGameGUI->HintWindow->FindGLGUIItem(0, "skinned");
  if (!Panel) return;
  const TNation& N = *gNations[gPlayerNation];
  const float F = static_cast<float>(gWidescreenFactor);
  glPushMatrix();
  glTranslatef(-380.0f, 0.0f, Panel->Position.Z + 0.1f);
  glColor3f(1.0f, 1.0f, 1.0f);
  const std::vector<THudText> Texts = EarthViewHUDTexts(N, Panel->Position.X, Panel->Position.Y, F);
  for (std::size_t i = 0; i < Texts.size(); ++i) {
    const THudText& T = Texts[i];
    const float Width = gGUIFont->TextWidth(T.Text) * T.Size;
    if (i == 3)
      DrawTendencyIcon(N.Ressources, N.RessourcesLast, T.X + Width / 2.0f, 672.0f, 1.0f);
    const float Left = T.Centred ? T.X - Width / 2.0f : T.X - Width;
    gGUIFont->Print(T.Text, MakeVector3(Left, T.Y, 1.0f), MakeVector3(1.0f, 1.0f, 1.0f), 1.0f, T.Size, true, T.BindFont);
  }
  glPopMatrix();
}
