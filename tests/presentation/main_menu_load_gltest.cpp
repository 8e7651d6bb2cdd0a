// The main menu's load window as the game binds it: at start-up and again after a language
// switch rebuilt the window, its "Load" button loads the chosen save. The game is started as the
// program starts it, on the data set of the build.
#include <gtest/gtest.h>

#include <string>

#include "engine/localization.h"
#include "gui/button.h"
#include "gui/list_box.h"
#include "presentation/game_window_fixture.h"
#include "world/world_globals.h"

namespace {

// Puts the GUI mouse on the button Name of Window; false when no point of the screen hits it.
bool PointAtButton(TGLGUI& GUI, const TGLWindow& Window, const std::string& Name) {
  for (int Y = 0; Y < gGUIScreenHeight; Y += 2)
    for (int X = 0; X < gGUIScreenWidth; X += 2) {
      gMouseX = X;
      gMouseY = Y;
      const TGLButton* B = GUI.GetButtonAtMouse();
      if (B && B->Name == Name && GUI.GetWindowAtMouse() == &Window) return true;
    }
  return false;
}

class MainMenuLoadGL : public TGameWindowTest {
protected:
  void SetUp() override {
    TGameWindowTest::SetUp();
    if (IsSkipped()) return;
    StartGame();
  }
  // In the main menu, the load window shown with its first row chosen and its "Load" pressed as
  // a player presses it; true when the game of that row runs on the globe afterwards.
  bool LoadFromMenu() {
    TGame& G = *gGame;
    G.State = G.PendingState = gsMainMenu;
    G.LoadGameWindow_Show("singleplayer");
    gMainMenuGUI->OpenWindow("loadgame");
    TGLWindow* Load = gMainMenuGUI->GetWindow("loadgame");
    if (!Load) return false;
    auto& List = Load->GetItem<TGLListBox>("listbox_savegames");
    if (List.Items.empty()) return false;
    List.ItemIndex = 0;
    if (!PointAtButton(*gMainMenuGUI, *Load, "button_loadgame")) return false;
    gCurrentTurn = 0;
    G.Click();
    return G.State == gsEarthView && gCurrentTurn == 3 && !Load->Visible;
  }
};

}  // namespace

TEST_F(MainMenuLoadGL, TheLoadWindowOfTheMainMenuLoadsAtStartAndAfterALanguageSwitch) {
  TGame& G = *gGame;
  G.SelectedNation = 0;
  G.StartNewGame(0);
  gCurrentTurn = 3;
  ASSERT_TRUE(G.SaveToXML(gSaveGamePath + "savegame2.xml", "Round three"));

  EXPECT_TRUE(LoadFromMenu()) << "the handler bound at start-up";
  ASSERT_GE(gLocalization.LanguageCodes.size(), 2u);
  const auto Other = static_cast<std::uint8_t>((gLocalization.LanguageIndex + 1) % gLocalization.LanguageCodes.size());
  G.SwitchLanguage(Other);
  ASSERT_EQ(gLocalization.LanguageIndex, Other);
  EXPECT_TRUE(LoadFromMenu()) << "the handler bound after the language switch";
}
