#include "presentation/frame_state.h"

#include <cstdio>
#include <string>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/perf_timer.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "presentation/frame_projections.h"
#include "presentation/presentation_globals.h"
#include "presentation/view_state.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/world_globals.h"

void AdvanceFrameClocks(TGame& Game, TViewState& View, double Seconds) {
  if (Game.State != gsBattleField) gShaderTime = static_cast<float>(gShaderTime + Seconds);
  if (Game.State != gsNationSelect) return;
  if (Game.DisplayedNation != Game.TargetNation) {
    float& Fade = View.NationFade;
    Fade = static_cast<float>(Fade + Seconds * 2.0);
    if (Fade >= 1.0f) {
      Fade = 0.0f;
      Game.DisplayedNation = Game.TargetNation;
    }
  }
  Game.NationTurnAngle = static_cast<float>(Game.NationTurnAngle + Seconds * 20.0);
}

void AdvanceHotSeatOverlay(TGame& Game) {
  if (!Game.HotSeat) return;
  Game.OverlayAlpha = static_cast<float>(Game.OverlayAlpha + Game.OverlayDirection * Game.FrameTime * 0.001);
  if (Game.OverlayAlpha > 1.0f) {
    Game.OverlayAlpha = 1.0f;
  } else if (Game.OverlayAlpha < -1.0f) {
    Game.OverlayAlpha = -1.0f;
    Game.OverlayDirection = 1;
    const auto Next = static_cast<std::size_t>(Game.NextPlayerSearch);
    if (Next >= gNations.size() || !gNations[Next]) return;
    if (gPlayerNation < gNations.size() && gNations[gPlayerNation] && Game.Earth) {
      TNation& Out = *gNations[gPlayerNation];
      Out.LastGlobeRotationX = Game.Earth->RotationX;
      Out.LastGlobeRotationY = Game.Earth->RotationY;
      Out.LastGlobeZoom = Game.Earth->Zoom;
    }
    gPlayerNation = static_cast<std::uint8_t>(Next);
    if (gLog)
      gLog->AddLine("TGame->Render->Hot seat: the turn goes to \"" + gNations[Next]->PlayerName + "\" (nation " +
                    std::to_string(Next) + ")");
    if (Game.Earth) {
      const TNation& In = *gNations[Next];
      Game.Earth->RotationX = In.LastGlobeRotationX;
      Game.Earth->RotationY = In.LastGlobeRotationY;
      Game.Earth->Zoom = In.LastGlobeZoom;
    }
    if (Game.NewsAtHandOver) {
      Game.NewsAtHandOver = false;
      gInGameGUI->BringToFront("infocenter");
    }
  }
}

void DrawHotSeatOverlay(const TGame& Game) {
  if (!Game.HotSeat || Game.OverlayAlpha >= 1.0f) return;
  const float A = Game.OverlayAlpha < 0.0f ? 0.0f : Game.OverlayAlpha, Opaque = 1.0f - A;
  glClear(GL_DEPTH_BUFFER_BIT);
  SetOrthoProjection(800.0f, 600.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0, 0, 0, Opaque);
  glBegin(GL_QUADS);
  glVertex3f(0, 0, 0), glVertex3f(800, 0, 0), glVertex3f(800, 600, 0), glVertex3f(0, 600, 0);
  glColor4f(0.2f, 0.2f, 0.2f, Opaque);
  glVertex3f(0, 250, 0.1f), glVertex3f(800, 250, 0.1f), glVertex3f(800, 350, 0.1f), glVertex3f(0, 350, 0.1f);
  glEnd();
  // The incoming nation's flag at both ends of the band, fading out towards the middle.
  if (gTextureManager) {
    gTextureManager->BindTexture("flag" + std::to_string(Game.NextPlayerSearch), 0);
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, Opaque), glTexCoord2f(0.5f, 0), glVertex3f(0, 250, 0.1f);
    glColor4f(1, 1, 1, 0), glTexCoord2f(1, 0), glVertex3f(100, 250, 0.1f);
    glColor4f(1, 1, 1, 0), glTexCoord2f(1, 1), glVertex3f(100, 350, 0.1f);
    glColor4f(1, 1, 1, Opaque), glTexCoord2f(0.5f, 1), glVertex3f(0, 350, 0.1f);
    glColor4f(1, 1, 1, 0), glTexCoord2f(1, 0), glVertex3f(700, 250, 0.1f);
    glColor4f(1, 1, 1, Opaque), glTexCoord2f(0.5f, 0), glVertex3f(800, 250, 0.1f);
    glColor4f(1, 1, 1, Opaque), glTexCoord2f(0.5f, 1), glVertex3f(800, 350, 0.1f);
    glColor4f(1, 1, 1, 0), glTexCoord2f(1, 1), glVertex3f(700, 350, 0.1f);
    glEnd();
    gTextureManager->DisableTexture(0);
  }
  glDisable(GL_TEXTURE_2D);
  glLineWidth(2.0f);
  glColor4f(1, 1, 1, Opaque);
  glBegin(GL_LINES);
  glVertex3f(0, 250, 0.2f), glVertex3f(800, 250, 0.2f), glVertex3f(0, 350, 0.2f), glVertex3f(800, 350, 0.2f);
  glEnd();
  glLineWidth(1.0f);
  const auto Next = static_cast<std::size_t>(Game.NextPlayerSearch);
  if (gGUIFont && Next < gNations.size() && gNations[Next]) {
    // The localised text carries one "%s" for the player's name; anything else in it prints as it is.
    std::string Text = Localize("szStrHotSeatGetReady");
    if (const std::size_t At = Text.find("%s"); At != std::string::npos)
      Text.replace(At, 2, gNations[Next]->PlayerName);
    gGUIFont->PrintAlphaCentered(Text, MakeVector3(400, 275, 0.3f), 2.0f, Opaque, true);
  }
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
}

void ChooseCursor(TGame& Game, TViewState& View) {
  // Each rule overwrites the one before; with cursor mode 3 the last frame's picture stays.
  if (Game.CursorMode == 0)
    View.CursorTexture = "cursor_default";
  else if (Game.CursorMode == 1 || Game.CursorMode == 2 || Game.CursorMode == 4)
    View.CursorTexture = Game.HoveredRegion > -1 ? "cursor_selectregionaction" : "cursor_selectregion";
  if (Game.RightDragging) View.CursorTexture = "cursor_rotateglobe";
  // The buttons of the screen that shows: the in-game GUI's would put the action cursor over the
  // main menu's empty places where a hidden heads-up display button lies.
  if (Game.CurrentGUI().GetButtonAtMouse()) View.CursorTexture = "cursor_action";
}

void DrawCursor(TGame& Game, TViewState& View) {
  ChooseCursor(Game, View);
  const std::string& Cursor = View.CursorTexture;
  if (!gTextureManager || Cursor.empty()) return;
  SetOrthoProjection(static_cast<float>(gGUIScreenWidth), static_cast<float>(gGUIScreenHeight));
  glColor4f(1, 1, 1, 1);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthFunc(GL_ALWAYS);
  gTextureManager->DrawTexture(Cursor, static_cast<float>(gMouseX), static_cast<float>(gMouseY), 1.0f,
                               32.0f, 32.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_BLEND);
}

void DrawFrameTexts(const TGame& Game) {
  if (!gFont || (!gSettings.ShowFPS && !(gPerfTimer && gPerfTimer->Enabled))) return;
  SetOrthoProjection(static_cast<float>(gGUIScreenWidth), static_cast<float>(gGUIScreenHeight));
  const TVector3 White = MakeVector3(1, 1, 1);
  if (gSettings.ShowFPS) {
    gFont->Print(std::to_string(Game.FPS) + "fps", MakeVector3(5, 65, 0), White, 1.0f, 1.0f, false, true);
    // Reading the error clears it.
    const GLenum Error = glGetError();
    const auto* Text = reinterpret_cast<const char*>(gluErrorString(Error));
    gFont->Print(Text ? Text : "unknown error", MakeVector3(5, 78, 0), White, 1.0f, 1.0f, false, true);
  }
  if (gPerfTimer && gPerfTimer->Enabled)
    for (std::size_t i = 0; i < gPerfTimer->Samples.size() && i < gPerfTimer->Names.size(); ++i) {
      char Value[32];
      std::snprintf(Value, sizeof Value, "%.2f", static_cast<double>(gPerfTimer->Samples[i]));
      gFont->Print(gPerfTimer->Names[i] + " = " + Value + "ms", MakeVector3(5, 91 + 13.0f * static_cast<float>(i), 0),
                   White, 1.0f, 1.0f, false, true);
    }
}

void DrawFadeVeil(const TGame& Game) {
  if (Game.FadeValue >= 1.0f) return;
  glClear(GL_DEPTH_BUFFER_BIT);
  SetOrthoProjection(1.0f, 1.0f);
  glPushAttrib(GL_ENABLE_BIT);
  for (GLenum Cap : {GL_LIGHTING, GL_FOG, GL_DEPTH_TEST, GL_CULL_FACE, GL_TEXTURE_2D}) glDisable(Cap);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f - Game.FadeValue);
  glBegin(GL_QUADS);
  glVertex3f(0, 0, 0), glVertex3f(1, 0, 0), glVertex3f(1, 1, 0), glVertex3f(0, 1, 0);
  glEnd();
  glPopAttrib();
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
}
