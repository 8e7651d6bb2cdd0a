// The intro: over the stormy sky and the sea of the main menu the intro layout's first four
// items fade in one after another, then the game goes on to the main menu.

#include "control/control_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/scenes/scene_support.h"
#include "presentation/view_state.h"

namespace {
constexpr std::size_t kHintItems = 3;   // the base window's own hint panel and texts
constexpr std::int32_t kLastStep = 3;   // four intro items
constexpr float kIntroHold = 800.0f;    // 8 s at 0.1 per millisecond
}  // namespace

bool AdvanceIntro(TGame& Game, TViewState& View, TGLWindow& Base) {
  const std::size_t Index = static_cast<std::size_t>(Game.IntroStep) + kHintItems;
  // A layout with fewer items counts the missing ones as shown, so the intro still ends.
  TGLGUIItem* Item = Index < Base.Items.size() ? Base.Items[Index].get() : nullptr;
  // Any item not yet fading in starts now, also one the layout left hidden at half alpha.
  if (Item && Item->Alpha < 1.0f && !(Item->Visible && Item->FadeDir > 0.0f)) Item->FadeIn();
  if ((!Item || Item->Alpha >= 1.0f) && Game.IntroStep < kLastStep) ++Game.IntroStep;
  float& Timer = View.IntroTimer;
  if (Game.IntroStep == kLastStep) Timer += static_cast<float>(0.1 * Game.FrameTime);
  if (Timer <= kIntroHold) return false;
  Game.SwitchState(gsMainMenu);
  return true;
}

void RenderIntro(TGame& Game, TViewState& View) {
  RenderMenuBackdrop(Game, View);

  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  SetSceneOrtho();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPushMatrix();
  // The layout is made for 1024 GUI pixels and stays centred on any screen: shifted right on
  // wider ones, left on the narrower 5:4 screen (960).
  glTranslatef(static_cast<float>((gGUIScreenWidth - 1024) / 2), 0, 0);
  gIntroGUI->FadeSpeed = static_cast<float>(Game.FrameTime);
  gIntroGUI->Render();
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  AdvanceIntro(Game, View, *gIntroGUI->Windows[0]);
  gFieldOfView = 45.0f;
  gCameraDistance = -2.0f;
}
