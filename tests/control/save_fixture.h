#pragma once
// A running game for the savegame tests: the small fixture world with its five computer
// opponents, statistics and transfer market, a game object with its globe, the in-game and
// main-menu GUIs with the game's real load, save and message windows, and an empty savegame
// folder of the test's own. Everything is put back at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ai/ai_fixture.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/virtual_file_system.h"
#include "gui/fake_gui_services.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/memo.h"
#include "gui/window.h"
#include "platform/xml_document.h"
#include "support/temp_folder.h"
#include "world/earth.h"
#include "world/statistics.h"

class TSaveTest : public TAITest {
protected:
  void SetUp() override {
    TAITest::SetUp();
    gLocalization.AddKey("szStrLoadGameFailed", "-", "The savegame cannot be loaded.");
    gLocalization.AddKey("szStrSaveGameFailed", "-", "The game could not be saved.");
    // The toolkit reads the window layouts from the game's content folder.
    PreviousServices = SetGUIServices(std::make_unique<TDataGUIServices>(std::string(TARNOVA_SOURCE_DIR) + "/content"));
    gInGameGUI = std::make_unique<TGLGUI>();
    gMainMenuGUI = std::make_unique<TGLGUI>();
    for (const char* File : {"window_research.xml", "window_loadgame.xml", "window_savegame.xml", "window_stats.xml",
                             "extended_message_dialog.xml"})
      ASSERT_TRUE(gInGameGUI->AddWindowFromXML(std::string("data\\xml\\lang_eng\\") + File));
    for (const char* File : {"window_loadgame.xml", "extended_message_dialog.xml"})
      ASSERT_TRUE(gMainMenuGUI->AddWindowFromXML(std::string("data\\xml\\lang_eng\\") + File));
    gStatisticServer = std::make_unique<TStatisticServer>();
    gSaveGamePath = Saves.Path().string() + "/";
    Game = std::make_unique<TGame>(Form, nullptr);
    Game->Earth = std::make_unique<TEarth>();
    Game->Earth->Zoom = 0.8f;
    Game->Earth->RotationY = 123.456f;
    Game->Earth->Atmosphere = 0.3f;
    Game->Earth->Life = 0.7f;
    Game->SelectRegion(2);
    for (auto& Pair : Game->QuickChart)
      for (auto& Ranking : Pair) Ranking = {4, 3, 2, 1, 0};
    for (int i = 0; i < 5; ++i) {
      Controller(i).Difficulty = static_cast<std::uint16_t>(i % 3);
      Controller(i).SetPersonality(static_cast<std::uint16_t>(1 + i % 3));
    }
    Nation(0).AIControlled = false;
    Nation(0).PlayerName = "Ada";
    Game->GameRunning = true;
  }
  void TearDown() override {
    Game.reset();
    gStatisticServer.reset();
    gInGameGUI = std::make_unique<TGLGUI>();
    gMainMenuGUI = std::make_unique<TGLGUI>();
    SetGUIServices(std::move(PreviousServices));
    gSaveGamePath.clear();
    TAITest::TearDown();
  }

  // The savegame of the running game with a fixed date and time.
  std::string SaveText() {
    TXMLDocument D;
    Game->WriteSaveDocument(D, "Test", "07.12.26", "01:00:00");
    return D.SaveToString();
  }
  // A savegame text without what is cosmetic: the message boxes' window states, which are never
  // restored, or with Windows set every window state.
  static std::string Comparable(std::string Text, bool Windows = false) {
    std::string Out;
    std::size_t From = 0;
    while (From < Text.size()) {
      std::size_t To = Text.find('\n', From);
      if (To == std::string::npos) To = Text.size();
      const std::string Line = Text.substr(From, To - From);
      const bool Skip = Line.find("<windowstate ") != std::string::npos &&
                        (Windows || Line.find("name=\"messagedlg") != std::string::npos);
      if (!Skip) Out += Line + "\n";
      From = To + 1;
    }
    return Out;
  }
  static bool MessageBoxOpen(TGLGUI& GUI) {
    TGLWindow* W = GUI.GetWindow("messagedlg_ext");
    return W && GUI.CurrentModalWindow() == W;
  }
  // The last line of the game log holding Part, or "".
  std::string LogLine(const std::string& Part) const {
    std::string Found;
    for (const std::string& L : Log.Lines())
      if (L.find(Part) != std::string::npos) Found = L;
    return Found;
  }
  static void CloseMessageBox(TGLGUI& GUI) {
    GUI.GetWindow("messagedlg_ext")->Visible = false;
    GUI.ModalWindow = nullptr;
  }
  std::filesystem::path SaveFile(const std::string& Name) const { return Saves.Path() / Name; }

  TTempFolder Saves;
  TTarnovaForm Form{{"tarnova", "-windowed"}};
  std::unique_ptr<TGame> Game;

private:
  std::unique_ptr<TGUIServices> PreviousServices;
};
