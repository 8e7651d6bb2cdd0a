#include "world/statistics.h"

#include <algorithm>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"

namespace {
// The GUI's default text colour, which the grid takes at 60 %.
const TVector3 DefaultTextColor = MakeVector3(0.976f, 0.976f, 0.573f);
const TVector3 White = MakeVector3(1.0f, 1.0f, 1.0f);
// The labels' size: the font's 16 units at 0.8, small but legible with its outline.
constexpr float FontHeight = 16.0f;
constexpr float LabelSize = 0.8f;
}  // namespace

void TStatisticServer::DrawChart(const std::string& Name, float Width, float Height) const {
  const TStatisticSet* Set = FindSet(Name);
  if (!Set) {
    if (gFont) gFont->Print("No stat with name \"" + Name + "\" found!", MakeVector3(5.0f, 5.0f, 0.0f), White, 1.0f, 1.0f, false, true);
    return;
  }
  // The labels take their room inside the chart: the widest newest value right of the lines,
  // the round numbers in a row under them.
  TChartLabelRoom Room;
  if (gFont) {
    float Widest = 0.0f;
    for (const TSingleList& List : Set->Values)
      Widest = std::max(Widest, gFont->TextWidth(ChartValueText(List.empty() ? 0.0f : List.front())) * LabelSize);
    Room.Right = Widest + 8.0f;
    Room.Bottom = FontHeight * LabelSize + 2.0f;
    Room.LabelHeight = FontHeight * LabelSize;
  }
  const TStatisticChart Chart = ComputeStatisticChart(*Set, Width, Height, NationMapColors(), Room);
  const float PlotWidth = Chart.PlotWidth, PlotHeight = Chart.PlotHeight;

  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glColor4f(0.6f * DefaultTextColor.X, 0.6f * DefaultTextColor.Y, 0.6f * DefaultTextColor.Z, 0.5f);
  glBegin(GL_LINES);
  for (int i = 0; i <= 10; ++i) {
    const float X = static_cast<float>(PlotWidth * i / 10.0);
    glVertex3f(X, PlotHeight, 0.1f);
    glVertex3f(X, 0.0f, 0.1f);
  }
  glEnd();
  glDisable(GL_BLEND);
  glLineWidth(2.0f);
  for (std::size_t n = 0; n < NationCount; ++n) {
    glBegin(GL_LINE_STRIP);
    for (std::size_t j = 0; j < TStatisticSet::Length; ++j) {
      const TVector3& C = Chart.Colors[n][j];
      const TVector3& P = Chart.Points[n][j];
      glColor3f(C.X, C.Y, C.Z);
      glVertex3f(P.X, P.Y, P.Z);
    }
    glEnd();
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  if (gFont) {
    for (int i = 0; i <= 10; ++i) {
      // Centred under its grid line; the first one starts at the chart's left edge.
      const std::string Text = std::to_string(i * 10);
      const float X = std::max(static_cast<float>(PlotWidth * i / 10.0), gFont->TextWidth(Text) * LabelSize / 2.0f);
      gFont->PrintCentered(Text, MakeVector3(X, PlotHeight + 2.0f, 0.1f), LabelSize, false);
    }
    for (std::size_t n = 0; n < NationCount; ++n)
      gFont->Print(ChartValueText(Chart.Newest[n]), Chart.NewestLabel[n], White, 1.0f, LabelSize, false, true);
  }
  glLineWidth(1.0f);
  glDisable(GL_LINE_SMOOTH);
}

void TStatisticServer::DrawLegend(float Height) const {
  const TMapColors Colors = NationMapColors();
  for (std::size_t n = 0; n < NationCount; ++n) {
    const TLegendRow Row = ComputeLegendRow(n, Height);
    const float S = Row.Size;
    glColor3f(1.0f, 1.0f, 1.0f);
    const std::string Flag = "flag" + std::to_string(n);  // "flag0" .. "flag4"
    if (gTextureManager) gTextureManager->BindTexture(Flag, GL_TEXTURE0);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, Row.Top, 0.1f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, Row.Bottom, 0.1f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(2.0f * S, Row.Bottom, 0.1f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(2.0f * S, Row.Top, 0.1f);
    glEnd();
    if (gTextureManager) gTextureManager->DisableTexture(GL_TEXTURE0);
    else glDisable(GL_TEXTURE_2D);

    glColor3f(Colors[n][0] / 255.0f, Colors[n][1] / 255.0f, Colors[n][2] / 255.0f);
    glBegin(GL_TRIANGLES);
    glVertex3f(2.0f * S, Row.Top, 0.1f);
    glVertex3f(S, Row.Bottom, 0.1f);
    glVertex3f(2.0f * S, Row.Bottom, 0.1f);
    glEnd();
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_LINE_STRIP);
    glVertex3f(2.0f * S, Row.Top, 0.15f);
    glVertex3f(S, Row.Bottom, 0.15f);
    glVertex3f(2.0f * S, Row.Bottom, 0.15f);
    glVertex3f(2.0f * S, Row.Top, 0.15f);
    glEnd();
  }
}
