// The nation selection: the sky of the nation on display cross-fading into the next one picked,
// a small turning globe and the five nation symbols, the front one breathing, all over the sea
// that mirrors them; the selection GUI over it and the nation's name and base factors beside
// its history.
#include "presentation/scenes/nation_selection_scene.h"

#include <array>
#include <cmath>

#include "control/control_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/model_registry.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/memo.h"
#include "presentation/earth_render.h"
#include "presentation/frame_projections.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/scenes/scene_support.h"
#include "presentation/view_state.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {

constexpr float kWaterLevel = -1.25f;

struct TSymbolPlace {
  float X, Z, Scale, Turn;
};
constexpr std::array<TSymbolPlace, 5> kPlaces = {{{0.0f, 2.0f, 0.7f, 0.0f},
                                                  {-1.5f, 1.5f, 0.6f, 10.0f},
                                                  {-3.0f, 1.0f, 0.55f, 20.0f},
                                                  {1.5f, 1.5f, 0.6f, -10.0f},
                                                  {3.0f, 1.0f, 0.55f, -20.0f}}};

struct TFactorRow {
  const char* Key;
  float Indent;
};
constexpr std::array<TFactorRow, 8> kFactorRows = {{{"szStrEffect1", 0},
                                                    {"szStrEffect3", 6},
                                                    {"szStrEffect4", 12},
                                                    {"szStrEffect5", 18},
                                                    {"szStrEffect7", 26},
                                                    {"szStrEffect8", 34},
                                                    {"szStrEffect9", 45},
                                                    {"szStrEffect10", 55}}};
constexpr int kPollutionRow = 3;
// The history's rows follow the same slanted edge as the factor lines beside them.
const std::vector<float> kMemoIndents = {0, 6, 12, 18, 26, 34, 45, 55, 68, 80};

void Symbol(std::size_t Place, float ExtraScale, const std::string& Model) {
  const TSymbolPlace& P = kPlaces[Place];
  glPushMatrix();
  glTranslatef(P.X, 0, P.Z);
  const float S = P.Scale * 0.0005f * ExtraScale;
  glScalef(S, S, S);
  glRotatef(P.Turn, 0, 1, 0);
  glRotatef(90, 1, 0, 0);
  Draw3DModel(Model, 0, false, false);
  glPopMatrix();
}

// The sky, the globe and the symbols, upright or mirrored for the reflection.
void NationScene(TGame& Game, const TViewState& View, bool Mirrored) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glDepthMask(GL_FALSE);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  const bool Fading = Game.DisplayedNation != Game.TargetNation;
  const float Fade = View.NationFade;
  if (Fading) glColor3f(1 - Fade, 1 - Fade, 1 - Fade);
  const std::string Sky = "skysphere" + std::to_string(Game.DisplayedNation);
  if (gTextureManager) gTextureManager->BindTexture(Sky, 0);
  // Between cross-fades the sky stays the same from frame to frame.
  if (Fading)
    DrawScreenQuad(0.0f, Mirrored);
  else
    ShowSceneSky(Sky, Mirrored, [Mirrored] { DrawScreenQuad(0.0f, Mirrored); });
  if (Fading) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, Fade);
    if (gTextureManager) gTextureManager->BindTexture("skysphere" + std::to_string(Game.TargetNation), 0);
    DrawScreenQuad(0.1f, Mirrored);
    glDisable(GL_BLEND);
  }
  glColor3f(1, 1, 1);
  glDepthMask(GL_TRUE);
  if (!Mirrored) {
    SetScenePerspective(Game);
    glTranslatef(0, 0, gCameraDistance);
  }
  RenderEarthWithoutBorders(Game, MakeVector3(20.0f, Game.Earth ? Game.Earth->RotationY : 0.0f, 0.0f),
                            MakeVector3(0.0f, 1.0f, 0.0f), MakeVector3(0.03f, 0.03f, 0.03f));
  glColor3f(1, 1, 1);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(1, -1, 1);  // the symbol textures are stored upside down
  glMatrixMode(GL_MODELVIEW);
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    const float Breath = i == 0 ? 1.0f + 0.1f * std::sin(2.0f * Game.NationTurnAngle * 3.14159265f / 180.0f) : 1.0f;
    Symbol(i, Breath, "symbol" + std::to_string(Game.NationSymbolOrder[i]));
  }
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

void NationReflection(TGame& Game, const TViewState& View) {
  RenderSceneReflection(Game, kWaterLevel, [&] { NationScene(Game, View, true); });
}

void Overlay(TGame& Game) {
  TGLGUIItem* Memo = nullptr;
  for (auto& Item : gNationSelectGUI->Windows[0]->Items)
    if (Item->ID == "memonationhistory") Memo = Item.get();
  if (!Memo) return;
  glPushMatrix();
  glTranslatef(Memo->Position.X - 190.0f, Memo->Position.Y, Memo->Position.Z + 0.1f);
  const auto Nation = static_cast<std::size_t>(Game.SelectedNation);
  if (gGUIFont) {
    if (Nation < gNations.size() && gNations[Nation] && !gNations[Nation]->Names.empty()) {
      const std::string Name = gNations[Nation]->GetName();
      gGUIFont->Print(Name, {5, -25, 0}, gDefaultTextColor, 1.0f, kNationNameSize, false, true);
    }
    gGUIFont->Print(Localize("szStrBaseFactors"), {10, 0, 0}, gDefaultTextColor, 1.0f, 1.0f, false, true);
    gGUIFont->Print(Localize("szStrHistory"), {195, -25, 0}, gDefaultTextColor, 1.0f, 1.0f, false, true);
  }
  if (gFont && Nation < gNations.size() && gNations[Nation]) {
    for (std::size_t i = 0; i < kFactorRows.size(); ++i) {
      const TFactorLine Line = FormatBaseFactor(gNations[Nation]->BaseFactors[i], i == kPollutionRow);
      const float Y = 20.0f + 15.0f * static_cast<float>(i);
      gFont->Print(Localize(kFactorRows[i].Key), {20 + kFactorRows[i].Indent, Y, 0}, Line.Color, 1.0f, 1.0f, false, true);
      gFont->Print(Line.Value, {140 + kFactorRows[i].Indent, Y, 0}, Line.Color, 1.0f, 1.0f, false, true);
    }
  }
  glPopMatrix();
  if (auto* History = dynamic_cast<TGLMemo*>(Memo)) History->RowIndents = kMemoIndents;
}

}  // namespace

TFactorLine FormatBaseFactor(float Factor, bool LessIsBetter) {
  const TVector3 Red{1, 0, 0}, Green{0, 1, 0}, White{1, 1, 1};
  if (Factor == 1.0f) return {"\xB1" "0%", White};
  const bool Above = Factor > 1.0f;
  const double Percent = std::nearbyint((Above ? Factor - 1.0 : 1.0 - Factor) * 100.0);
  const bool Good = Above != LessIsBetter;
  std::string Text = Above ? "+" : "-";
  Text.append(std::to_string(static_cast<long long>(Percent))).append("%");
  return {Text, Good ? Green : Red};
}

int NationSymbolPlaceOfColor(int Red, int Green, int Blue) {
  if (Green != 0 || Blue != 0) return -1;
  for (int i = 0; i < 5; ++i)
    if (std::abs(Red - (5 + 5 * i)) <= 1) return i;
  return -1;
}

void RenderNationSymbolPickColors(TGame& Game) {
  gUsePlainModels = true;
  gCameraDistance = -6.0f;
  gFieldOfView = 60.0f;
  SetScenePerspective(Game);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glTranslatef(0, 0, gCameraDistance);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    glColor4f(static_cast<float>(5 + 5 * i) / 255.0f, 0, 0, 1);
    if (gTextureManager)
      for (std::uint32_t Unit : {3u, 2u, 1u, 0u}) gTextureManager->DisableTexture(Unit);
    Symbol(i, 1.0f, "symbol0");
  }
  glColor3f(1, 1, 1);
  gFieldOfView = 45.0f;
  gCameraDistance = -2.0f;
  gUsePlainModels = false;
}

void RenderNationSelection(TGame& Game, const TViewState& View) {
  gNationSelectGUI->HideHint();
  gCameraDistance = -6.0f;
  gFieldOfView = 60.0f;
  if (gSettings.Reflections) NationReflection(Game, View);
  glEnable(GL_DEPTH_TEST);
  SetScenePerspective(Game);
  glPushMatrix();
  glTranslatef(0, 0, gCameraDistance);
  glDisable(GL_LIGHTING);
  NationScene(Game, View, false);
  glPopMatrix();
  glDisable(GL_LIGHTING);
  RenderMenuWater(Game);

  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glColor3f(1, 1, 1);
  SetSceneOrtho();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gNationSelectGUI->FadeSpeed = static_cast<float>(Game.FrameTime);
  gNationSelectGUI->Render();
  Overlay(Game);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  gFieldOfView = 45.0f;
  gCameraDistance = -2.0f;
}
