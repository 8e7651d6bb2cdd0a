#pragma once
// The game object on a data folder of the test's own: fresh GUI managers, a captured log, the
// error dialog recorded instead of shown, and the engine's globals put back afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

class GameTest : public ::testing::Test {
protected:
  struct TDialog {
    std::string Title, Text;
  };

  void SetUp() override {
    SavedFolder = ProgramFolder();
    SetProgramFolder(Data.Path());
    SavedSettings = gSettings;
    SavedHook = SetMessageBoxHook([this](const std::string& T, const std::string& X) { Dialogs.push_back({T, X}); });
    for (auto* GUI : Managers()) *GUI = std::make_unique<TGLGUI>();
  }
  void TearDown() override {
    Game.reset();
    for (auto* GUI : Managers()) *GUI = std::make_unique<TGLGUI>();
    gVirtualFileSystem.reset();
    FreeLocalization();
    SetMessageBoxHook(std::move(SavedHook));
    gSettings = SavedSettings;
    SetProgramFolder(SavedFolder);
  }

  static std::vector<std::unique_ptr<TGLGUI>*> Managers() {
    return {&gInGameGUI, &gNationSelectGUI, &gBattleFieldGUI, &gMainMenuGUI, &gIntroGUI, &gEndGameGUI};
  }
  TGame& MakeGame() {
    Game = std::make_unique<TGame>(Form, nullptr);
    return *Game;
  }
  // Frames of Milliseconds each, drawn as the main loop draws them, on a clock of the test's own:
  // a frame's end stamp reads the clock Milliseconds after its start stamp.
  void Frames(int Count, double Milliseconds = 50.0) {
    Game->FrameClock = [this, Milliseconds, End = false]() mutable {
      End = !End;
      return End ? FrameNow : FrameNow += Milliseconds;
    };
    for (int i = 0; i < Count; ++i) Game->Render();
  }
  // Frames until no fade runs: the state asked for is on screen and fully visible.
  void FinishFade() {
    for (int i = 0; i < 100 && (Game->FadingOut() || Game->FadeValue < 1.0f); ++i) Frames(1);
  }
  bool Logged(const std::string& Text) const {
    for (const std::string& L : Log.Lines())
      if (L.find(Text) != std::string::npos) return true;
    return false;
  }

  TLogCapture Log;
  TTempFolder Data;
  TTarnovaForm Form{{"tarnova", "-windowed"}};
  std::unique_ptr<TGame> Game;
  std::vector<TDialog> Dialogs;
  double FrameNow = 1000.0;  // the test's frame clock, milliseconds

private:
  std::filesystem::path SavedFolder;
  TGameSettings SavedSettings;
  TMessageBoxHook SavedHook;
};
