#pragma once
// The game's window and screen layouts as the game loads them: the six GUIs of the game states
// in one language at one GUI width, and what the game's code needs of each window (names, IDs,
// the controls it takes by position among their kind).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/skinned_control.h"
#include "gui/window.h"
#include "gui/window_loader.h"

inline const std::vector<std::string> kLanguages = {"ger", "eng"};

// The in-game windows in the order the game adds them: file and the name the code finds it by.
struct TWindowFile {
  const char* File;
  const char* Name;
};
inline const std::vector<TWindowFile> kInGameWindows = {
    {"window_army_build.xml", "military"},          {"window_army_management.xml", "army_management"},
    {"window_infocenter.xml", "infocenter"},        {"window_autobattle.xml", "autobattle"},
    {"window_globalproject.xml", "globalproject"},  {"window_region_details.xml", "regioninfo"},
    {"window_region_build.xml", "region_build"},    {"window_transfermarket.xml", "transfermarket"},
    {"window_research.xml", "science"},             {"window_research_history.xml", "research_history"},
    {"window_espionage.xml", "espionage"},          {"window_loadgame.xml", "loadgame"},
    {"window_savegame.xml", "savegame"},            {"window_stats.xml", "statistics"},
    {"dialog_quit.xml", "messagedlg_quit"},         {"window_debug.xml", "debug"},
    {"window_debug_ai.xml", "debugai"},             {"extended_message_dialog.xml", "messagedlg_ext"}};

// The GUIs of the six game states, built as the game builds them.
struct TGameGUIs {
  std::unique_ptr<TGLGUI> InGame, NationSelect, BattleField, MainMenu, Intro, EndGame;

  std::vector<std::pair<std::string, TGLGUI*>> All() const {
    return {{"ingame", InGame.get()},     {"nationselect", NationSelect.get()}, {"battlefield", BattleField.get()},
            {"mainmenu", MainMenu.get()}, {"intro", Intro.get()},               {"endgame", EndGame.get()}};
  }
};

inline std::unique_ptr<TGLGUI> NewGUI(int Width, const std::string& Screen) {
  auto G = std::make_unique<TGLGUI>();
  G->ScreenWidth = Width;
  G->ScreenHeight = 768;
  G->ClientSize = TIntPair{Width, 768};
  G->Windows[0]->Width = Width;
  G->Windows[0]->Height = 768;
  G->LoadUIFromXML(Screen);
  return G;
}

// Strict: anything the format does not know fails the load.
inline TGameGUIs LoadGameGUIs(const std::string& Lang, int Width) {
  gGUIScreenWidth = Width;
  SetStrictWindowDefinitions(true);
  const std::string Folder = "data\\xml\\lang_" + Lang + "\\";
  TGameGUIs G;
  G.InGame = NewGUI(Width, "data\\XML\\UI_EarthView.xml");
  for (const auto& W : kInGameWindows) EXPECT_TRUE(G.InGame->AddWindowFromXML(Folder + W.File, {}, {}, {})) << W.File;
  G.NationSelect = NewGUI(Width, Folder + "UI_NationSelect.xml");
  G.BattleField = NewGUI(Width, "data\\XML\\UI_BattleField.xml");
  G.MainMenu = NewGUI(Width, "data\\XML\\lang_" + Lang + "\\UI_MainMenu_Root.xml");
  EXPECT_TRUE(G.MainMenu->AddWindowFromXML(Folder + "window_loadgame.xml", {}, {}, {}));
  EXPECT_TRUE(G.MainMenu->AddWindowFromXML(Folder + "extended_message_dialog.xml", {}, {}, {}));
  G.Intro = NewGUI(Width, "data\\XML\\UI_IntroScreen.xml");
  G.EndGame = NewGUI(Width, "data\\XML\\lang_" + Lang + "\\UI_EndGame.xml");
  SetStrictWindowDefinitions(false);
  return G;
}

// Button names of a window: its buttons and the parts of its skinned controls.
inline std::vector<std::string> ButtonNames(const TGLWindow& W) {
  std::vector<std::string> Names;
  for (const auto& Item : W.Items) {
    if (Item->Kind() == TGUIItemKind::Button) Names.push_back(static_cast<const TGLButton&>(*Item).Name);
    if (Item->Kind() == TGUIItemKind::SkinnedControl)
      for (const auto& P : static_cast<const TGLSkinnedControl&>(*Item).Parts) Names.push_back(P->Name);
  }
  return Names;
}

// Main-menu items that show one at a time: the sub-menus, the options and hot-seat panels with
// their controls, and the credits. Returns the group of an item, or "" for items always shown.
inline std::string MainMenuGroup(const TGLWindow& Base, const TGLGUIItem& Item) {
  if (Item.ID.find("options_") != std::string::npos) return "options";
  if (Item.ID.find("hotseat_") != std::string::npos) return "hotseat";
  if (Item.ID == "mainmenu_credits") return "credits";
  if (Item.Kind() == TGUIItemKind::SkinnedControl) {
    int K = 0;
    for (const auto& I : Base.Items) {
      if (I.get() == &Item) break;
      if (I->Kind() == TGUIItemKind::SkinnedControl) ++K;
    }
    const char* Groups[] = {"", "singleplayer", "multiplayer", "options", "hotseat"};
    return K < 5 ? Groups[K] : "";
  }
  return "";
}
