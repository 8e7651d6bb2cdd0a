#include "presentation/region_symbols.h"

#include <algorithm>
#include <cmath>
#include <functional>

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

bool HasTexture(const std::string& Name) { return gTextureManager && gTextureManager->IndexOf(Name) >= 0; }

// A region's symbol frame: its point on the globe in the camera-facing frame the symbols are drawn
// in, and its enlargement. The symbols of all regions go into one batch of vertices per part and
// texture: a draw per region and part cost a software rasteriser about 25 KB each within a frame,
// over 40 MB with every region the player's.
struct TSymbolFrame {
  float X = 0.0f, Y = 0.0f, Z = 0.0f, Scale = 1.0f;
  // A point of the symbol (x to the right, y upwards, z towards the camera).
  void Vertex(float PX, float PY, float PZ) const { glVertex3f(X + Scale * PX, Y + Scale * PY, Z + Scale * PZ); }
};

// Turns the model-view matrix to face the camera, as every symbol does, and gives each region's
// frame in it: its point turned back by the same rotation.
std::vector<TSymbolFrame> EnterSymbolFrames(const TEarth& Earth, const std::function<float(std::size_t)>& Scale) {
  GLfloat Back[16];
  glPushMatrix();
  glLoadIdentity();
  glRotatef(Earth.RotationX, 1.0f, 0.0f, 0.0f);
  glRotatef(Earth.RotationY, 0.0f, 1.0f, 0.0f);
  glGetFloatv(GL_MODELVIEW_MATRIX, Back);
  glPopMatrix();
  glRotatef(Earth.RotationY, 0.0f, -1.0f, 0.0f);
  glRotatef(Earth.RotationX, -1.0f, 0.0f, 0.0f);
  std::vector<TSymbolFrame> Frames(gRegions.size());
  for (std::size_t i = 0; i < gRegions.size(); ++i) {
    const TVector3& P = gRegions[i]->Position3D;
    const float X = P.X, Y = P.Z, Z = -P.Y;
    Frames[i] = {Back[0] * X + Back[4] * Y + Back[8] * Z, Back[1] * X + Back[5] * Y + Back[9] * Z,
                 Back[2] * X + Back[6] * Y + Back[10] * Z, Scale(i)};
  }
  return Frames;
}

void Rect(const TSymbolFrame& F, float X0, float Y0, float X1, float Y1, float Z) {
  F.Vertex(X0, Y0, Z);
  F.Vertex(X1, Y0, Z);
  F.Vertex(X1, Y1, Z);
  F.Vertex(X0, Y1, Z);
}

// The four sides of a rectangle as GL_LINES.
void Outline(const TSymbolFrame& F, float X0, float Y0, float X1, float Y1, float Z) {
  const float Corners[5][2] = {{X0, Y0}, {X1, Y0}, {X1, Y1}, {X0, Y1}, {X0, Y0}};
  for (int i = 0; i < 4; ++i) {
    F.Vertex(Corners[i][0], Corners[i][1], Z);
    F.Vertex(Corners[i + 1][0], Corners[i + 1][1], Z);
  }
}

// A texture upright in the symbol frame, t 0 at the lower edge, within GL_QUADS.
void Icon(const TSymbolFrame& F, const TSymbolIcon& I, float Size = 1.0f) {
  glTexCoord2f(0.0f, 0.0f);
  F.Vertex(Size * I.Left, Size * I.Lower, I.Z);
  glTexCoord2f(1.0f, 0.0f);
  F.Vertex(Size * (I.Left + I.Width), Size * I.Lower, I.Z);
  glTexCoord2f(1.0f, 1.0f);
  F.Vertex(Size * (I.Left + I.Width), Size * (I.Lower + I.Height), I.Z);
  glTexCoord2f(0.0f, 1.0f);
  F.Vertex(Size * I.Left, Size * (I.Lower + I.Height), I.Z);
}

// A flag (or nobody's and the rebels' square) within GL_QUADS.
void FlagQuad(const TSymbolFrame& F, float Lower, float Upper) {
  glTexCoord2f(0.0f, 1.0f);
  F.Vertex(-1.5f, Lower, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  F.Vertex(1.5f, Lower, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  F.Vertex(1.5f, Upper, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  F.Vertex(-1.5f, Upper, 0.0f);
}

// The loyalty and pollution bars within GL_QUADS, untextured.
void ValueBars(const TSymbolFrame& F, const TRegionSymbolPlan& P) {
  glColor3f(0.0f, 0.0f, 0.0f);
  Rect(F, -1.5f, -1.2f, 1.5f, -0.85f, 0.0f);
  Rect(F, -1.5f, -1.6f, 1.5f, -1.25f, 0.0f);
  // Each fill runs from its left colour to the colour of its value at its right edge.
  const float L = P.Loyalty, Q = P.Pollution;
  const float LRight = -1.5f + 3.0f * L, QRight = -1.5f + 3.0f * Q;
  glColor3f(1.0f, 0.0f, 0.0f);
  F.Vertex(-1.5f, -1.2f, 0.025f);
  glColor3f(1.0f - L, L, 0.0f);
  F.Vertex(LRight, -1.2f, 0.025f);
  F.Vertex(LRight, -0.85f, 0.025f);
  glColor3f(1.0f, 0.0f, 0.0f);
  F.Vertex(-1.5f, -0.85f, 0.025f);
  glColor3f(0.0f, 1.0f, 0.0f);
  F.Vertex(-1.5f, -1.6f, 0.025f);
  glColor3f(Q, 1.0f - Q, 0.0f);
  F.Vertex(QRight, -1.6f, 0.025f);
  F.Vertex(QRight, -1.25f, 0.025f);
  glColor3f(0.0f, 1.0f, 0.0f);
  F.Vertex(-1.5f, -1.25f, 0.025f);
}

// The building marks within GL_QUADS, three to a row.
void BuildingMarks(const TSymbolFrame& F, int Count) {
  for (int j = 0; j < Count; ++j) {
    const float X = -1.5f + static_cast<float>(j % 3), Y = 1.0f + static_cast<float>(j / 3);
    glTexCoord2f(0.0f, 1.0f);
    F.Vertex(X, Y, 0.1f);
    glTexCoord2f(1.0f, 1.0f);
    F.Vertex(X + 1.0f, Y, 0.1f);
    glTexCoord2f(1.0f, 0.0f);
    F.Vertex(X + 1.0f, Y + 1.0f, 0.1f);
    glTexCoord2f(0.0f, 0.0f);
    F.Vertex(X, Y + 1.0f, 0.1f);
  }
}

const TSymbolIcon kNoEnergyIcon{"gui_icon_noenergy", -0.75f, -0.75f, 0.15f, 1.5f, 1.5f};
const TSymbolIcon kSpyIcon{"gui_icon_spy_flagoutline", -0.75f, -0.8f, 0.2f, 4.0f, 4.0f};
const std::string kBuildingMark = "regionsymbol_building", kNoTexture;
}  // namespace

std::vector<TSymbolStep> OrderSymbolSteps(const std::vector<TRegionSymbolPlan>& Plans) {
  std::vector<TSymbolStep> Steps;
  const auto Part = [&](TSymbolPart Kind, auto&& Wanted) {
    for (std::size_t i = 0; i < Plans.size(); ++i)
      if (Wanted(Plans[i])) Steps.push_back({Kind, i, 0});
  };
  Part(TSymbolPart::Bars, [](const TRegionSymbolPlan& P) { return P.OwnRegion; });
  Part(TSymbolPart::BuildingMarks, [](const TRegionSymbolPlan& P) { return P.OwnRegion && P.Buildings > 0; });
  Part(TSymbolPart::NoEnergyShade, [](const TRegionSymbolPlan& P) { return P.OwnRegion && P.NoEnergy; });
  Part(TSymbolPart::NoEnergyIcon, [](const TRegionSymbolPlan& P) { return P.OwnRegion && P.NoEnergy; });
  // The icons texture by texture, the textures in the order they first appear.
  std::vector<std::string> Textures;
  for (const TRegionSymbolPlan& P : Plans)
    if (P.OwnRegion)
      for (const TSymbolIcon& I : P.Icons)
        if (std::find(Textures.begin(), Textures.end(), I.Texture) == Textures.end()) Textures.push_back(I.Texture);
  for (const std::string& Texture : Textures)
    for (std::size_t i = 0; i < Plans.size(); ++i)
      if (Plans[i].OwnRegion)
        for (std::size_t k = 0; k < Plans[i].Icons.size(); ++k)
          if (Plans[i].Icons[k].Texture == Texture) Steps.push_back({TSymbolPart::Icon, i, k});
  Part(TSymbolPart::Spy, [](const TRegionSymbolPlan& P) { return !P.OwnRegion && P.SpyOutline; });
  return Steps;
}

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
  glPushMatrix();
  glColor3f(1.0f, 1.0f, 1.0f);
  const float S = kSymbolScale * Earth.Zoom;
  glScalef(S, S, S);
  const auto Enlarged = [&](std::size_t i) {
    const auto Index = static_cast<std::int32_t>(i);
    return Index == Earth.SelRegion || Index == Game.HoveredRegion;
  };
  const std::vector<TSymbolFrame> Frames = EnterSymbolFrames(Earth, [&](std::size_t i) { return Enlarged(i) ? 2.0f : 1.0f; });

  // Flags grouped by owner, so each flag texture is bound once: the pictures, then their black
  // outlines in front of them; nobody's and the rebels' plain squares blended.
  for (std::uint8_t k = 0; k <= TRegion::OwnerRebels; ++k) {
    std::vector<std::size_t> Owned;
    for (std::size_t i = 0; i < gRegions.size(); ++i)
      if (gRegions[i]->Owner == k) Owned.push_back(i);
    if (Owned.empty()) continue;
    const std::string Flag = "flag" + std::to_string(k);
    const bool Textured = HasTexture(Flag);
    glActiveTexture(GL_TEXTURE0);
    if (Textured) {
      gTextureManager->BindTexture(Flag, GL_TEXTURE0);
    } else {
      glDisable(GL_TEXTURE_2D);
      // Without the flag picture the flag shows its nation's map colour (the flag list ends white).
      if (k < gNations.size() && gNations[k])
        glColor3ub(gNations[k]->MapColor[0], gNations[k]->MapColor[1], gNations[k]->MapColor[2]);
      else
        glColor3f(0.6f, 0.6f, 0.6f);
    }
    const bool Square = k >= TRegion::OwnerNobody;
    if (Square) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glBegin(GL_QUADS);
    for (std::size_t i : Owned) FlagQuad(Frames[i], Square ? -1.5f : -0.75f, Square ? 1.5f : 0.75f);
    glEnd();
    if (Square) {
      glDisable(GL_BLEND);
    } else {
      glColor3f(0.0f, 0.0f, 0.0f);
      glDisable(GL_TEXTURE_2D);
      glBegin(GL_LINES);
      for (std::size_t i : Owned) Outline(Frames[i], -1.5f, -0.75f, 1.5f, 0.75f, 0.1f);
      glEnd();
      glEnable(GL_TEXTURE_2D);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
  }

  // The player's symbols and spies part by part over all regions, each part in one batch per
  // texture, in the order OrderSymbolSteps gives.
  std::vector<TRegionSymbolPlan> Plans;
  std::vector<std::size_t> Regions;
  for (std::size_t i = 0; i < gRegions.size(); ++i) {
    TRegionSymbolPlan P = PlanRegionSymbols(*gRegions[i], gPlayerNation, Enlarged(i));
    if (!P.OwnRegion && !P.SpyOutline) continue;
    Plans.push_back(std::move(P));
    Regions.push_back(i);
  }
  const std::vector<TSymbolStep> Steps = OrderSymbolSteps(Plans);
  const float Pulse = 1.0f + 0.5f * std::fabs(std::sin(gShaderTime));
  // The texture of a textured step; empty for the untextured parts.
  const auto TextureOf = [&](const TSymbolStep& Step) -> const std::string& {
    switch (Step.Part) {
      case TSymbolPart::BuildingMarks: return kBuildingMark;
      case TSymbolPart::NoEnergyIcon: return kNoEnergyIcon.Texture;
      case TSymbolPart::Icon: return Plans[Step.Plan].Icons[Step.Icon].Texture;
      case TSymbolPart::Spy: return kSpyIcon.Texture;
      default: return kNoTexture;
    }
  };
  for (std::size_t First = 0; First < Steps.size();) {
    // One batch: the steps of the same part and texture.
    const TSymbolPart Part = Steps[First].Part;
    const std::string& Texture = TextureOf(Steps[First]);
    std::size_t End = First + 1;
    while (End < Steps.size() && Steps[End].Part == Part && TextureOf(Steps[End]) == Texture) ++End;
    const auto Each = [&](auto&& Draw) {
      for (std::size_t s = First; s < End; ++s) Draw(Frames[Regions[Steps[s].Plan]], Plans[Steps[s].Plan], Steps[s]);
    };
    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (Part == TSymbolPart::Bars) {
      glDisable(GL_BLEND);
      glDisable(GL_TEXTURE_2D);
      glBegin(GL_QUADS);
      Each([](const TSymbolFrame& F, const TRegionSymbolPlan& P, const TSymbolStep&) { ValueBars(F, P); });
      glEnd();
      glColor3f(0.0f, 0.0f, 0.0f);
      glBegin(GL_LINES);
      Each([](const TSymbolFrame& F, const TRegionSymbolPlan&, const TSymbolStep&) {
        Outline(F, -1.5f, -1.2f, 1.5f, -0.85f, 0.1f);
        Outline(F, -1.5f, -1.6f, 1.5f, -1.25f, 0.1f);
      });
      glEnd();
      glColor3f(1.0f, 1.0f, 1.0f);
    } else if (Part == TSymbolPart::NoEnergyShade) {
      glEnable(GL_BLEND);
      glDisable(GL_TEXTURE_2D);
      glColor4f(0.0f, 0.0f, 0.0f, 0.6f + 0.4f * std::fabs(std::sin(-gShaderTime)));
      glBegin(GL_QUADS);
      Each([](const TSymbolFrame& F, const TRegionSymbolPlan&, const TSymbolStep&) { Rect(F, -1.5f, -0.75f, 1.5f, 0.75f, 0.1f); });
      glEnd();
      glColor3f(1.0f, 1.0f, 1.0f);
    } else if (HasTexture(Texture)) {  // a missing texture draws nothing
      gTextureManager->BindTexture(Texture, GL_TEXTURE0);
      glEnable(GL_BLEND);
      glBegin(GL_QUADS);
      Each([&](const TSymbolFrame& F, const TRegionSymbolPlan& P, const TSymbolStep& Step) {
        switch (Step.Part) {
          case TSymbolPart::BuildingMarks: BuildingMarks(F, P.Buildings); break;
          case TSymbolPart::NoEnergyIcon: Icon(F, kNoEnergyIcon, Pulse); break;
          case TSymbolPart::Icon: Icon(F, P.Icons[Step.Icon]); break;
          default: Icon(F, kSpyIcon); break;
        }
      });
      glEnd();
    }
    if (Part == TSymbolPart::Spy && gGUIFont) {
      // The spies' names under their outlines, in each region's own frame.
      for (std::size_t s = First; s < End; ++s) {
        const TSymbolFrame& F = Frames[Regions[Steps[s].Plan]];
        glPushMatrix();
        glTranslatef(F.X, F.Y, F.Z);
        glScalef(F.Scale * 0.1f, F.Scale * -0.1f, F.Scale);
        gGUIFont->PrintCentered(Plans[Steps[s].Plan].SpyName, MakeVector3(0.0f, 1.55f, 0.2f), 1.0f, false);
        glPopMatrix();
      }
    }
    First = End;
  }
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  if (!Steps.empty()) glEnable(GL_TEXTURE_2D);
  glPopMatrix();
}
