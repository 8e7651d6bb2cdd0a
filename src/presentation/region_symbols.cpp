#include "presentation/region_symbols.h"

#include <cmath>
#include <string>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "presentation/frame_projections.h"
#include "presentation/presentation_globals.h"
#include "presentation/region_links.h"
#include "world/division.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/world_globals.h"

namespace {
constexpr float kArrowScale = 0.0294285714f;   // 1.03/35
constexpr float kSymbolScale = 0.0302941176f;  // 1.03/34
// A software rasteriser keeps every state change of a frame until it has rasterised the frame
// (llvmpipe some 25 KB each); a flag takes two, a status of the player's several more. Waiting
// for it after every few dozen regions keeps a globe full of the player's regions from costing
// tens of MB (55 MB at a victory through the developer window). A graphics card's driver needs
// no such wait, and would only lose time to it.
constexpr std::size_t kRegionsPerFinish = 32;

const TSymbolIcon kNoEnergyIcon{"gui_icon_noenergy", -0.75f, -0.75f, 0.15f, 1.5f, 1.5f};
const TSymbolIcon kSpyIcon{"gui_icon_spy_flagoutline", -0.75f, -0.8f, 0.2f, 4.0f, 4.0f};

// An icon upright in the symbol frame: the whole texture, t 0 at the lower edge.
void DrawIcon(const TSymbolIcon& I) {
  gTextureManager->DrawTextureRegion(I.Texture, I.Left, I.Lower, I.Z, I.Width, I.Height, 0.0f, 1.0f, 1.0f, 0.0f);
}

// Into a region's symbol frame: its point on the globe, turned to face the camera, doubled when
// it is the globe's selection or under the mouse.
void EnterSymbolFrame(const TEarth& Earth, const TRegion& R, float Scale) {
  glPushMatrix();
  glTranslatef(R.Position3D.X, R.Position3D.Z, -R.Position3D.Y);
  glRotatef(Earth.RotationY, 0.0f, -1.0f, 0.0f);
  glRotatef(Earth.RotationX, -1.0f, 0.0f, 0.0f);
  if (Scale != 1.0f) glScalef(Scale, Scale, Scale);
}

// A closed outline of a rectangle.
void Outline(float X0, float Y0, float X1, float Y1, float Z) {
  glBegin(GL_LINE_STRIP);
  glVertex3f(X0, Y0, Z);
  glVertex3f(X1, Y0, Z);
  glVertex3f(X1, Y1, Z);
  glVertex3f(X0, Y1, Z);
  glVertex3f(X0, Y0, Z);
  glEnd();
}

void Rect(float X0, float Y0, float X1, float Y1, float Z) {
  glVertex3f(X0, Y0, Z);
  glVertex3f(X1, Y0, Z);
  glVertex3f(X1, Y1, Z);
  glVertex3f(X0, Y1, Z);
}

// The loyalty and pollution bars, untextured: black backgrounds, fills running from their left
// colour to the colour of their value, black outlines in front.
void DrawValueBars(const TRegionSymbolPlan& P) {
  glBegin(GL_QUADS);
  glColor3f(0.0f, 0.0f, 0.0f);
  Rect(-1.5f, -1.2f, 1.5f, -0.85f, 0.0f);
  Rect(-1.5f, -1.6f, 1.5f, -1.25f, 0.0f);
  const float L = P.Loyalty, Q = P.Pollution;
  const float LRight = -1.5f + 3.0f * L, QRight = -1.5f + 3.0f * Q;
  glColor3f(1.0f, 0.0f, 0.0f);
  glVertex3f(-1.5f, -1.2f, 0.025f);
  glColor3f(1.0f - L, L, 0.0f);
  glVertex3f(LRight, -1.2f, 0.025f);
  glVertex3f(LRight, -0.85f, 0.025f);
  glColor3f(1.0f, 0.0f, 0.0f);
  glVertex3f(-1.5f, -0.85f, 0.025f);
  glColor3f(0.0f, 1.0f, 0.0f);
  glVertex3f(-1.5f, -1.6f, 0.025f);
  glColor3f(Q, 1.0f - Q, 0.0f);
  glVertex3f(QRight, -1.6f, 0.025f);
  glVertex3f(QRight, -1.25f, 0.025f);
  glColor3f(0.0f, 1.0f, 0.0f);
  glVertex3f(-1.5f, -1.25f, 0.025f);
  glEnd();
  glColor3f(0.0f, 0.0f, 0.0f);
  Outline(-1.5f, -1.2f, 1.5f, -0.85f, 0.1f);
  Outline(-1.5f, -1.6f, 1.5f, -1.25f, 0.1f);
  glColor3f(1.0f, 1.0f, 1.0f);
}

// One mark per finished building, three to a row above the flag.
void DrawBuildingMarks(int Count) {
  glBegin(GL_QUADS);
  for (int j = 0; j < Count; ++j) {
    const float X = -1.5f + static_cast<float>(j % 3), Y = 1.0f + static_cast<float>(j / 3);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(X, Y, 0.1f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(X + 1.0f, Y, 0.1f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(X + 1.0f, Y + 1.0f, 0.1f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(X, Y + 1.0f, 0.1f);
  }
  glEnd();
}

// The status of one of the player's regions in its symbol frame.
void DrawOwnRegionStatus(const TRegionSymbolPlan& P) {
  gTextureManager->DisableTexture(GL_TEXTURE0);
  DrawValueBars(P);
  if (P.Buildings > 0) {
    gTextureManager->BindTexture("regionsymbol_building", GL_TEXTURE0);
    glEnable(GL_BLEND);
    DrawBuildingMarks(P.Buildings);
  }
  if (P.NoEnergy) {
    // The flag darkens and pulses, and the warning over it swells and shrinks.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 0.6f + 0.4f * std::fabs(std::sin(-gShaderTime)));
    glBegin(GL_QUADS);
    Rect(-1.5f, -0.75f, 1.5f, 0.75f, 0.1f);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    const float S = 1.0f + 0.5f * std::fabs(std::sin(gShaderTime));
    glScalef(S, S, 1.0f);
    glEnable(GL_TEXTURE_2D);
    DrawIcon(kNoEnergyIcon);
    glPopMatrix();
    glDisable(GL_BLEND);
  }
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_ALPHA_TEST);
  glEnable(GL_BLEND);
  for (const TSymbolIcon& I : P.Icons) DrawIcon(I);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}

// The outline of a foreign region where one of the player's spies works, and the spy's name.
void DrawSpy(const TRegionSymbolPlan& P) {
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glEnable(GL_TEXTURE_2D);
  DrawIcon(kSpyIcon);
  glPushMatrix();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glScalef(0.1f, -0.1f, 1.0f);
  if (gGUIFont) gGUIFont->PrintCentered(P.SpyName, MakeVector3(0.0f, 1.55f, 0.2f), 1.0f, false);
  glPopMatrix();
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}
}  // namespace

TRegionSymbolPlan PlanRegionSymbols(const TRegion& R, std::uint8_t PlayerNation, bool Enlarged) {
  TRegionSymbolPlan P;
  P.Scale = Enlarged ? 2.0f : 1.0f;
  P.SquareFlag = R.Owner >= TRegion::OwnerNobody;
  if (R.Owner == PlayerNation) {
    P.OwnRegion = true;
    P.Loyalty = R.Loyality;
    P.Pollution = R.Pollution;
    for (const auto& Row : R.Buildings)
      for (const TBuilding& Slot : Row)
        if (Slot.Type) ++P.Buildings;
    P.NoEnergy = R.Energy < 0.0f;
    if (R.Pollution > 0.8f) P.Icons.push_back({"gui_icon_highpollution", -2.2f, -1.2f, 0.2f, 1.75f, 1.75f});
    if (!R.StatusIcon.empty()) P.Icons.push_back({R.StatusIcon, -2.2f, -2.0f, 0.2f, 1.75f, 1.75f});
    if (const TDivision* Army = R.GetDivision()) {
      const std::int32_t Strength = Army->GetStrength();
      if (Strength <= 0) P.Icons.push_back({"gui_icon_army_star_empty", 1.0f, -2.0f, 0.2f, 1.25f, 1.25f});
      for (std::int32_t i = 1; i <= Strength; ++i)
        P.Icons.push_back({"gui_icon_army_star", 1.0f, -2.0f + 0.4f * static_cast<float>(i), 0.2f, 1.25f, 1.25f});
      if (Army->HasMoved) P.Icons.push_back({"gui_icon_lock", 1.15f, -2.15f, 0.2f, 2.0f, 2.0f});
    }
  } else if (R.Spy && PlayerNation < gNations.size() && R.Spy->Nation == gNations[PlayerNation].get()) {
    P.SpyOutline = true;
    P.SpyName = R.Spy->Name;
  }
  return P;
}

std::vector<std::int32_t> RegionsWithArrows(std::int32_t SelectedRegion, std::int32_t GlobeSelection,
                                            std::uint8_t PlayerNation) {
  std::vector<std::int32_t> Result;
  for (std::size_t i = 0; i < gRegions.size(); ++i) {
    const auto Index = static_cast<std::int32_t>(i);
    const TRegion& R = *gRegions[i];
    if ((Index == SelectedRegion || Index == GlobeSelection) && !R.Neighbours.empty() && R.Owner == PlayerNation)
      Result.push_back(Index);
  }
  return Result;
}

void RenderRegionArrows(TGame& Game) {
  const TEarth& Earth = *Game.Earth;
  const std::vector<std::int32_t> Regions = RegionsWithArrows(gSelectedRegion, Earth.SelRegion, gPlayerNation);
  if (Regions.empty()) return;
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  const float S = kArrowScale * Earth.Zoom;
  glScalef(S, S, S);
  glDepthMask(GL_FALSE);
  double X, Y, Z;
  for (std::int32_t i : Regions) {
    TRegion& R = *gRegions[static_cast<std::size_t>(i)];
    for (std::int32_t n : R.Neighbours) gRegions[static_cast<std::size_t>(n)]->UpdateScreenPosition(X, Y, Z);
    R.UpdateScreenPosition(X, Y, Z);
  }
  GLint Viewport[4];
  glGetIntegerv(GL_VIEWPORT, Viewport);
  SetOrthoProjection(static_cast<float>(Viewport[2]), static_cast<float>(Viewport[3]));
  for (std::int32_t i : Regions) {
    const TRegion& R = *gRegions[static_cast<std::size_t>(i)];
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_TEXTURE_2D);
    for (std::int32_t n : R.Neighbours) {
      const TRegion& N = *gRegions[static_cast<std::size_t>(n)];
      glEnable(GL_BLEND);
      glBlendFunc(GL_ONE, GL_ONE);
      if (N.Owner != R.Owner)
        glColor4f(0.6f, 0.0f, 0.0f, 0.8f);
      else
        glColor4f(0.0f, 0.6f, 0.0f, 0.8f);
      DrawRegionLink(R.ScreenPosition, N.ScreenPosition, 50.0f, 50.0f, Earth.Zoom);
      glDisable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glDepthMask(GL_TRUE);
}

void RenderRegionSymbols(TGame& Game) {
  const TEarth& Earth = *Game.Earth;
  if (!gTextureManager) return;
  glPushMatrix();
  glColor3f(1.0f, 1.0f, 1.0f);
  const float S = kSymbolScale * Earth.Zoom;
  glScalef(S, S, S);
  const auto Enlarged = [&](std::size_t i) {
    const auto Index = static_cast<std::int32_t>(i);
    return Index == Earth.SelRegion || Index == Game.HoveredRegion;
  };

  std::size_t Drawn = 0;
  const auto Drew = [&Drawn] {
    if (gSoftwareRasterizer && ++Drawn % kRegionsPerFinish == 0) glFinish();
  };

  // The flags grouped by owner, so each flag texture is bound once a frame; nobody's and the
  // rebels' regions show a plain square without outline.
  for (std::uint8_t k = 0; k <= TRegion::OwnerRebels; ++k) {
    gTextureManager->BindTexture("flag" + std::to_string(k), GL_TEXTURE0);
    for (std::size_t i = 0; i < gRegions.size(); ++i) {
      const TRegion& R = *gRegions[i];
      if (R.Owner != k) continue;
      EnterSymbolFrame(Earth, R, Enlarged(i) ? 2.0f : 1.0f);
      if (k < TRegion::OwnerNobody) {
        glCallList(Earth.SymbolList);
      } else {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        TEarth::DrawSymbolQuad(1.5f);
        glDisable(GL_BLEND);
      }
      glPopMatrix();
      Drew();
    }
  }

  // Each region's status in index order: the player's own regions, and foreign ones where a spy
  // of the player's works.
  for (std::size_t i = 0; i < gRegions.size(); ++i) {
    const TRegion& R = *gRegions[i];
    const TRegionSymbolPlan P = PlanRegionSymbols(R, gPlayerNation, Enlarged(i));
    if (!P.OwnRegion && !P.SpyOutline) continue;
    EnterSymbolFrame(Earth, R, P.Scale);
    if (P.OwnRegion)
      DrawOwnRegionStatus(P);
    else
      DrawSpy(P);
    glPopMatrix();
    Drew();
  }
  glPopMatrix();
}
