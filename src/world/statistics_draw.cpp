#include "world/statistics.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"

namespace {
// The GUI's default text colour, which the grid takes at 60 %.
const TVector3 DefaultTextColor = MakeVector3(0.976f, 0.976f, 0.573f);
const TVector3 White = MakeVector3(1.0f, 1.0f, 1.0f);
}  // namespace

void TStatisticServer::DrawChart(const std::string& Name, float Width, float Height) const {
  const TStatisticSet* Set = FindSet(Name);
  if (!Set) {
    if (gFont) gFont->Print("No stat with name \"" + Name + "\" found!", MakeVector3(5.0f, 5.0f, 0.0f), White, 1.0f, 1.0f, false, true);
    return;
  }
  const TStatisticChart Chart = ComputeStatisticChart(*Set, Width, Height, NationMapColors());

  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glColor4f(0.6f * DefaultTextColor.X, 0.6f * DefaultTextColor.Y, 0.6f * DefaultTextColor.Z, 0.5f);
  glBegin(GL_LINES);
  for (int i = 0; i <= 10; ++i) {
    const float X = static_cast<float>(Width * i / 10.0);
    glVertex3f(X, Height, 0.1f);
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
    // The round numbers centred under their grid lines, the newest values right of the lines.
    for (int i = 0; i <= 10; ++i)
      gFont->PrintCentered(std::to_string(i * 10), MakeVector3(static_cast<float>(Width * i / 10.0), Height + 8.0f, 0.1f),
                           0.5f, false);
    for (std::size_t n = 0; n < NationCount; ++n)
      gFont->Print(ChartValueText(Chart.Newest[n]), Chart.NewestLabel[n], White, 1.0f, 0.8f, false, true);
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
