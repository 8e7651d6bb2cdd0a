#include "presentation/scenes/end_game_scene.h"

#include "control/control_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "gui/drop_down.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/scenes/scene_support.h"
#include "world/high_score_list.h"
#include "world/statistics.h"
#include "world/world_globals.h"

namespace {

TGLGUIItem* FindItem(TGLWindow& W, const char* ID) {
  for (auto& Item : W.Items)
    if (Item->ID == ID) return Item.get();
  return nullptr;
}

void HighlightQuad() {
  glBegin(GL_QUADS);
  glVertex3f(-2, -4, 0.1f);
  glVertex3f(-2, 20, 0.1f);
  glVertex3f(800, 20, 0.1f);
  glVertex3f(800, -4, 0.1f);
  glEnd();
}

void HighScoreTable() {
  if (!gHighScoreList || !gFont) return;
  const auto& Entries = gHighScoreList->Entries;
  for (std::size_t i = 0; i < Entries.size(); ++i) {
    const float Step = static_cast<float>(i);
    glPushMatrix();
    glTranslatef(static_cast<float>(gGUIScreenWidth - 559) + 15.0f * Step, 645.0f + 24.0f * Step, 0.5f);
    if (static_cast<std::int32_t>(i) == gHighScoreList->LastIndex) {
      glLineWidth(2.0f);
      glDisable(GL_TEXTURE_2D);
      glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
      glColor3f(gDefaultTextColor.X, gDefaultTextColor.Y, gDefaultTextColor.Z);
      HighlightQuad();
      glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
      glColor4f(0, 0, 0, 0.7f);
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      HighlightQuad();
      glDisable(GL_BLEND);
      glLineWidth(1.0f);
      glColor3f(1, 1, 1);
    }
    gFont->Print(std::to_string(i + 1) + ".", {0, 0, 0.2f}, gDefaultTextColor, 1.0f, 1.0f, false, true);
    if (gTextureManager) {
      glEnable(GL_TEXTURE_2D);
      gTextureManager->DrawTexture("flag" + std::to_string(Entries[i].PlayerNation), 15, 16, 0.2f, 24, -16);
    }
    gFont->Print(HighScoreRowText(Entries[i]), {45, 0, 0.2f}, gDefaultTextColor, 1.0f, 1.0f, false, true);
    glPopMatrix();
  }
}

}  // namespace

std::string HighScoreRowText(const THighScoreListEntry& Entry) {
  return Entry.PlayerName + " (" + std::to_string(Entry.TotalTurns) + " " + Localize("szStrTurns") + ")           " +
         std::to_string(Entry.Score) + " " + Localize("szStrHighScorePoints");
}

void RenderGameEnd(TGame& Game, TViewState& View) {
  RenderMenuBackdrop(Game, View);

  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  SetSceneOrtho();
  gIntroGUI->FadeSpeed = static_cast<float>(Game.FrameTime);
  gIntroGUI->Render();
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  SetSceneOrtho();
  glEnable(GL_BLEND);
  gEndGameGUI->FadeSpeed = static_cast<float>(Game.FrameTime);
  gEndGameGUI->Render();

  TGLWindow& Base = *gEndGameGUI->Windows[0];
  if (TGLGUIItem* Graph = FindItem(Base, "panel_graph")) {
    glPushMatrix();
    glTranslatef(Base.X + Graph->Position.X + 3, Base.Y + Graph->Position.Y + 3, Base.Z + Graph->Position.Z);
    if (Game.HotSeat && gGUIFont) gGUIFont->PrintAlpha(Game.EndGameText, {220, -95, 0.1f}, 2.8f, 1.0f, false, true);
    std::string Statistic;
    if (auto* Choice = dynamic_cast<TGLDropDown*>(FindItem(Base, "dropdown_stat"))) Statistic = Choice->GetSelectedID();
    if (gStatisticServer)
      gStatisticServer->DrawChart(Statistic, static_cast<float>(Graph->Width - 6), static_cast<float>(Graph->Height - 6));
    glPopMatrix();
  }
  if (TGLGUIItem* Legend = FindItem(Base, "panel_legend")) {
    glPushMatrix();
    glTranslatef(Base.X + Legend->Position.X + 20, Base.Y + Legend->Position.Y + 16, Base.Z + Legend->Position.Z);
    if (gStatisticServer) gStatisticServer->DrawLegend(static_cast<float>(Legend->Height - 24));
    glPopMatrix();
  }
  HighScoreTable();
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  gFieldOfView = 45.0f;
  gCameraDistance = -2.0f;
}
