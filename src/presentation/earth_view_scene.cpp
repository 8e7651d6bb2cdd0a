#include "presentation/earth_view_scene.h"

#include "control/control_globals.h"
#include "control/game.h"
#include "engine/constants.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/log.h"
#include "engine/model_registry.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "presentation/earth_render.h"
#include "presentation/earth_water.h"
#include "presentation/frame_projections.h"
#include "presentation/pass_timer.h"
#include "world/nation.h"
#include "world/world_globals.h"

TGLGUIItem* FindRoundTimerPanel() {
  if (!gInGameGUI || !gInGameGUI->HintWindow) return nullptr;
  std::int32_t Skinned = 0;
  for (const auto& Item : gInGameGUI->HintWindow->Items)
    if (Item->Kind() == TGUIItemKind::SkinnedControl && Skinned++ == 2) return Item.get();
  LogOnce("TGame->RenderEarthView->\"data\\XML\\UI_EarthView.xml\" has no round-timer panel (third skinned "
          "control), the round timer is not shown");
  return nullptr;
}

namespace {

// Without its picture the sky runs from a night blue at the bottom to a lighter blue at the top.
const TScreenQuadShade kPlainSky{{0.02f, 0.04f, 0.12f}, {0.10f, 0.18f, 0.36f}};

// The sky stays the same from frame to frame, so it is drawn once into Image and copied into
// the frame after that.
void DrawSky(std::uint8_t Nation, TBackdropImage& Image, int Width, int Height) {
  glColor3f(1.0f, 1.0f, 1.0f);
  glDisable(GL_LIGHTING);
  const std::string Sky = "skysphere" + std::to_string(Nation);
  const bool Textured = gTextureManager && gTextureManager->IndexOf(Sky) >= 0;
  std::uint32_t Source = 0;
  if (Textured) {
    glEnable(GL_TEXTURE_2D);
    gTextureManager->BindTexture(Sky, GL_TEXTURE0);
    Source = static_cast<std::uint32_t>(gTextureManager->GetTextureInfo(Sky, tiGLID));
  } else {
    LogOnce("TGame->RenderEarthView->Texture \"" + Sky + "\" not present, drawing a plain sky");
    glDisable(GL_TEXTURE_2D);
  }
  const auto Quad = [Textured] { DrawScreenQuad(0.0f, false, Textured ? nullptr : &kPlainSky); };
  if (!Image.Show(Source, Width, Height, Quad)) Quad();
}

void DrawLandscape(std::uint8_t Nation) {
  glPushMatrix();
  LandscapePlace();
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  const GLfloat Position[4] = {0.0f, 5.0f, -5.0f, 0.0f};
  const GLfloat Ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
  const GLfloat Diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, Position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, Ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, Diffuse);
  const std::string Model = "background_nation" + std::to_string(Nation);
  if (FindModel(ModelKey(Model)) >= 0)
    Draw3DModel(Model, 0, false, false);
  else
    LogOnce("TGame->RenderEarthView->Model \"" + Model + "\" not present, drawing no landscape");
  glDisable(GL_LIGHTING);
  glColor3f(1.0f, 1.0f, 1.0f);
  glPopMatrix();
}
}  // namespace

void LandscapePlace() {
  glTranslatef(0.0f, -1.15f, gCameraDistance);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glScalef(0.0288461538f, 0.0288461538f, 0.0288461538f);
}

bool ReflectionRefreshDue(std::int32_t& Countdown, std::int32_t Rate) {
  // Counts down to 0 or below; tested before the step, so the lowest rate a player may write in
  // the settings file does not count past the integer's end.
  if (Countdown > 1) {
    --Countdown;
    return false;
  }
  Countdown = Rate;
  return true;
}

std::string RoundTimerText(std::int32_t SecondsLeft) {
  return IntToStr2(SecondsLeft / 60) + ":" + IntToStr2(SecondsLeft % 60);
}

bool RoundTimerRed(std::int32_t SecondsLeft) { return SecondsLeft / 60 == 0 && SecondsLeft % 60 <= 10; }

void RenderEarthView(TGame& Game, TEarthViewState& View) {
  // The frame's viewport is the window's client area (the game sets it before every frame).
  GLint Viewport[4];
  glGetIntegerv(GL_VIEWPORT, Viewport);
  const int Width = Viewport[2], Height = Viewport[3];
  TGLGUIItem* Panel = View.RoundTimerPanel;
  if (Panel) {
    Panel->Visible = Game.HotSeat;
    Panel->Position.X = static_cast<float>(gGUIScreenWidth - Panel->Width);
  }
  gCameraDistance = -5.0f;
  gFieldOfView = 60.0f;
  const std::uint8_t Nation = gPlayerNation < gNations.size() ? gPlayerNation : 0;
  const TNation* Player = gNations[Nation].get();
  if (ReflectionRefreshDue(View.ReflectionUpdateCountdown, gSettings.ReflectionUpdateRate) && Player) {
    TPassScope Pass(&View.Passes, "reflection", true);
    RenderEarthReflection(Game, 0, Player->WaterplaneUpperPos * 2.0f, Width, Height, View.ReflectionSky);
    RenderEarthReflection(Game, 1, Player->WaterplaneLowerPos * 2.0f, Width, Height, View.ReflectionSky);
  }

  {
    TPassScope Pass(&View.Passes, "clear");
    SetPerspectiveProjection(Width, Height);
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    for (GLenum Unit : {GL_TEXTURE3, GL_TEXTURE2, GL_TEXTURE1, GL_TEXTURE0}) {
      glActiveTexture(Unit);
      glDisable(GL_TEXTURE_2D);
    }
  }
  {
    TPassScope Pass(&View.Passes, "sky");
    DrawSky(Nation, View.Sky, Width, Height);
    glClear(GL_DEPTH_BUFFER_BIT);
  }
  {
    TPassScope Pass(&View.Passes, "landscape");
    DrawLandscape(Nation);
  }

  glPushMatrix();
  RenderEarth(Game, &View.Passes, false);
  glPopMatrix();

  {
    TPassScope Pass(&View.Passes, "water");
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glTranslatef(0.0f, 0.0f, gCameraDistance);
    RenderEarthWater(Game, Width, Height);
    glPopMatrix();
  }

  TPassScope GUIPass(&View.Passes, "windows");
  SetOrthoProjection(static_cast<float>(gGUIScreenWidth), static_cast<float>(gGUIScreenHeight));
  glDisable(GL_TEXTURE_2D);
  if (gInGameGUI) {
    gInGameGUI->FadeSpeed = static_cast<float>(Game.FrameTime);
    gInGameGUI->Render();
    gInGameGUI->UpdateHintPosition();
  }

  if (Game.HotSeat && Panel && gLCDFont && gInGameGUI->HintWindow) {
    const std::int32_t Left = Game.RoundTimeLeft;
    if (RoundTimerRed(Left))
      glColor3f(1.0f, 0.0f, 0.0f);
    else
      glColor3f(1.0f, 1.0f, 1.0f);
    gLCDFont->PrintCentered(RoundTimerText(Left), MakeVector3(Panel->Position.X + 105.0f, 5.0f, gInGameGUI->HintWindow->Z + 0.5f),
                            2.5f, false);
    glColor3f(1.0f, 1.0f, 1.0f);
  }
}
