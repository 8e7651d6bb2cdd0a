// The intro's sequence: its items fade in one after another and the main menu follows eight
// seconds after the last began, whatever the layout holds.
#include <gtest/gtest.h>

#include "control/game.h"
#include "control/tarnova_form.h"
#include "gui/gui_manager.h"
#include "gui/text.h"
#include "presentation/basic_game_view.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/view_state.h"

namespace {

// Frames of 16.7 ms until the main menu is asked for (the fade to it begins) or Limit seconds
// have passed; the seconds it took. The intro's clock starts at zero, as in a new view.
double RunIntro(TGame& Game, TGLGUI& GUI, double Limit) {
  TGLWindow& Base = *GUI.Windows[0];
  TViewState View;
  Game.FrameTime = 16.7;
  double Elapsed = 0.0;
  while (Elapsed < Limit * 1000.0) {
    for (auto& Item : Base.Items) {
      Item->FadeSpeed = static_cast<float>(Game.FrameTime);
      Item->UpdateFade();
    }
    Elapsed += Game.FrameTime;
    if (AdvanceIntro(Game, View, Base)) break;
  }
  return Elapsed / 1000.0;
}

void AddItems(TGLGUI& GUI, int Count) {
  for (int i = 0; i < Count; ++i) GUI.Windows[0]->AddText({0, 0, 0}, "item", false, "intro" + std::to_string(i));
}

}  // namespace

TEST(Intro, FourItemsFadeInInTurnAndTheMenuFollowsEightSecondsAfterTheLast) {
  TTarnovaForm Form{{"tarnova"}};
  TGame Game(Form, std::make_unique<TBasicGameView>());
  Game.State = gsIntro;
  TGLGUI GUI;
  AddItems(GUI, 5);
  const double Seconds = RunIntro(Game, GUI, 30.0);
  EXPECT_EQ(Game.PendingState, gsMainMenu);
  EXPECT_NEAR(Seconds, 4.0 + 8.0, 0.3);
  auto& Items = GUI.Windows[0]->Items;
  for (std::size_t i = 3; i < 7; ++i) EXPECT_FLOAT_EQ(Items[i]->Alpha, 1.0f) << i;
  EXPECT_FALSE(Items[7]->Visible);  // only the first four belong to the intro
}

TEST(Intro, ALayoutWithFewerItemsOrOneLeftHalfFadedStillEnds) {
  TTarnovaForm Form{{"tarnova"}};
  for (int Count : {0, 2}) {
    TGame Game(Form, std::make_unique<TBasicGameView>());
    Game.State = gsIntro;
    TGLGUI GUI;
    AddItems(GUI, Count);
    RunIntro(Game, GUI, 30.0);
    EXPECT_EQ(Game.PendingState, gsMainMenu) << Count << " items";
  }
  TGame Game(Form, std::make_unique<TBasicGameView>());
  Game.State = gsIntro;
  TGLGUI GUI;
  AddItems(GUI, 4);
  GUI.Windows[0]->Items[4]->Alpha = 0.5f;  // hidden, yet not at zero
  RunIntro(Game, GUI, 30.0);
  EXPECT_EQ(Game.PendingState, gsMainMenu);
}
