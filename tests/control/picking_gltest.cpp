// Colour picking against the GL read-back: three candidates drawn in their codes are found under
// the mouse, the background is none, and the code runs red, green, blue and then repeats.
#include <gtest/gtest.h>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/pick_colors.h"
#include "control/tarnova_form.h"
#include "engine/gl_api.h"
#include "support/gl_environment.h"

namespace {

constexpr float kDepth = -5.0f;
// Candidates 0, 60 and 120 as quads side by side, one in each channel.
constexpr std::int32_t kCandidates[3] = {0, 60, 120};
constexpr float kLeft[3] = {-2.2f, -0.5f, 1.2f};

class TQuadView : public TGameView {
public:
  void Render(TGame&) override {}
  void RenderPickColors(TGame&) override {
    for (int i = 0; i < 3; ++i) {
      const TPickColor C = PickColor(kCandidates[i]);
      glColor3ub(C[0], C[1], C[2]);
      glBegin(GL_QUADS);
      glVertex3f(kLeft[i], -0.5f, kDepth);
      glVertex3f(kLeft[i] + 1.0f, -0.5f, kDepth);
      glVertex3f(kLeft[i] + 1.0f, 0.5f, kDepth);
      glVertex3f(kLeft[i], 0.5f, kDepth);
      glEnd();
    }
  }
};

// Window pixel (client coordinates, y downwards) of a point under the picking's perspective.
std::pair<int, int> OnScreen(float X, float Y) {
  GLint Viewport[4];
  glGetIntegerv(GL_VIEWPORT, Viewport);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(gFieldOfView, static_cast<double>(Viewport[2]) / Viewport[3], 0.1, 512.0);
  GLdouble Projection[16], Model[16];
  glGetDoublev(GL_PROJECTION_MATRIX, Projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glGetDoublev(GL_MODELVIEW_MATRIX, Model);
  GLdouble WX = 0, WY = 0, WZ = 0;
  gluProject(X, Y, kDepth, Model, Projection, Viewport, &WX, &WY, &WZ);
  return {static_cast<int>(WX), Viewport[3] - static_cast<int>(WY)};
}

}  // namespace

TEST(PickingGL, TheCandidateUnderTheMouseIsReadBackAndTheBackgroundIsNone) {
  REQUIRE_GL_CONTEXT();
  TTarnovaForm Form{{"tarnova"}};
  TGame Game(Form, std::make_unique<TQuadView>());
  Game.State = gsNationSelect;
  const float SavedFieldOfView = gFieldOfView;
  gFieldOfView = 60.0f;  // as the scenes set it
  glViewport(0, 0, 256, 192);
  glEnable(GL_BLEND);  // whatever the frame left switched on must not mix the codes
  for (int i = 0; i < 3; ++i) {
    std::tie(Game.MouseX, Game.MouseY) = OnScreen(kLeft[i] + 0.5f, 0.0f);
    EXPECT_EQ(Game.PickObjectAt(), kCandidates[i] + 1) << "candidate " << kCandidates[i];
  }
  std::tie(Game.MouseX, Game.MouseY) = OnScreen(0.0f, 2.0f);
  EXPECT_EQ(Game.PickObjectAt(), -1);
  Game.State = gsMainMenu;
  std::tie(Game.MouseX, Game.MouseY) = OnScreen(kLeft[1] + 0.5f, 0.0f);
  EXPECT_EQ(Game.PickObjectAt(), -1);
  glDisable(GL_BLEND);
  gFieldOfView = SavedFieldOfView;
}

TEST(PickingGL, TheCodeRunsThroughTheThreeChannelsAndRepeatsAfter153) {
  EXPECT_EQ(PickColor(0), (TPickColor{5, 0, 0}));
  EXPECT_EQ(PickColor(50), (TPickColor{255, 0, 0}));
  EXPECT_EQ(PickColor(51), (TPickColor{0, 5, 0}));
  EXPECT_EQ(PickColor(152), (TPickColor{0, 0, 255}));
  EXPECT_EQ(PickColor(153), PickColor(102));  // beyond the distinct codes the first match wins
  EXPECT_EQ(DecodePickColor(PickColor(153), 200), 103);
  EXPECT_EQ(DecodePickColor({255, 255, 255}, 200), -1);
  EXPECT_EQ(DecodePickColor({0, 0, 0}, 200), -1);
}
