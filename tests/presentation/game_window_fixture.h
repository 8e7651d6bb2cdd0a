#pragma once
// The game as the program starts it, on the data set of the build, in a window of its own and
// with a private home folder. TearDown frees the game and hands the shared test window, the
// settings and the folders back as they were, so the GL tests after it draw as before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/settings.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/files.h"
#include "presentation/earth_game_view.h"
#include "support/gl_environment.h"
#include "support/temp_folder.h"

class TGameWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_GL_CONTEXT();
    SavedFolder = ProgramFolder();
    if (const char* H = std::getenv("HOME")) SavedHome = H;
    setenv("HOME", Home.Path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    SetProgramFolder(TARNOVA_BINARY_DIR);
  }
  void TearDown() override {
    if (gGame) gGame->Destroy();
    gGame.reset();
    gMainForm = nullptr;
    Form.reset();
    gSettings = TGameSettings{};
    for (auto* GUI : {&gInGameGUI, &gNationSelectGUI, &gBattleFieldGUI, &gMainMenuGUI, &gIntroGUI, &gEndGameGUI})
      *GUI = std::make_unique<TGLGUI>();
    if (!SavedFolder.empty()) SetProgramFolder(SavedFolder);
    if (!SavedHome.empty()) setenv("HOME", SavedHome.c_str(), 1);
    RestoreGLTestContext();
  }
  // The program's main window as "tarnova -windowed" creates it.
  void CreateForm() {
    Form = std::make_unique<TTarnovaForm>(std::vector<std::string>{"tarnova", "-windowed"});
    Form->FormCreate();
  }
  // The main window and the game with its presentation, started as the program starts them.
  void StartGame() {
    CreateForm();
    gMainForm = Form.get();
    gGame = std::make_unique<TGame>(*Form, std::make_unique<TEarthGameView>());
    gGame->Create();
    ASSERT_FALSE(gGame->Quit) << "the game did not start";
  }

  TTempFolder Home;
  std::filesystem::path SavedFolder;
  std::string SavedHome;
  std::unique_ptr<TTarnovaForm> Form;
};
