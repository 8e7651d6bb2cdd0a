// The load and save windows on the game's real layouts, headless: listing, saving, overwriting,
// deleting and loading from the main menu.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "control/game_save.h"
#include "control/save_fixture.h"
#include "gui/edit.h"
#include "gui/list_box.h"
#include "platform/files.h"
#include "presentation/windows/load_save_windows.h"

namespace fs = std::filesystem;

namespace {

class LoadSaveWindows : public TSaveTest {
protected:
  void SetUp() override {
    TSaveTest::SetUp();
    gLocalization.AddKey("szStrTurn", "Runde", "Round");
    gLocalization.AddKey("szStrLoadGameCatsingleplayer", "Spiel laden", "Load game");
    Nation(0).Names = {"Nordland", "Northland"};
    gCurrentTurn = 12;
    RegisterLoadSaveWindows(*Game);
  }
  static TGLWindow& Window(TGLGUI& GUI, const std::string& Name) { return *GUI.GetWindow(Name); }
  static TGLListBox& List(TGLWindow& W) { return W.GetItem<TGLListBox>("listbox_savegames"); }
  static std::vector<std::string> Captions(TGLWindow& W) {
    std::vector<std::string> C;
    for (const TListItem& Row : List(W).Items) C.push_back(Row.Caption);
    return C;
  }
  // Opens the window on top and clicks one of its buttons as the game does: the click reaches
  // every window of the GUI.
  static void Open(TGLGUI& GUI, const std::string& Name) { GUI.OpenWindow(Name); }
  static void Press(TGLGUI& GUI, const std::string& WindowName, const std::string& Button) {
    TGLWindow& W = Window(GUI, WindowName);
    gMouseX = static_cast<int>(W.X) + 20;
    gMouseY = static_cast<int>(W.Y) + 60;
    GUI.BroadcastEvent(Button);
  }
  static void Select(TGLWindow& W, const std::string& Caption) {
    for (std::size_t i = 0; i < List(W).Items.size(); ++i)
      if (List(W).Items[i].Caption == Caption) List(W).ItemIndex = static_cast<std::int32_t>(i);
  }
  void SideFile(const std::string& Stem, const std::string& Text, int MinutesAgo) {
    const fs::path File = Saves.Write(Stem + ".name", Text);
    fs::last_write_time(File, fs::file_time_type::clock::now() - std::chrono::minutes(MinutesAgo));
  }
};

}  // namespace

TEST_F(LoadSaveWindows, TheListShowsTheSavesOfOneModeNewestFirstAndSkipsBrokenSideFiles) {
  SideFile("savegame2", "Old\nsingleplayer\nd\nt\n", 30);
  SideFile("savegame3", "Newest\r\nsingleplayer\r\nd\r\nt\r\n", 1);
  SideFile("savegame4", "Middle\nsingleplayer\nd\nt\n", 10);
  SideFile("savegame5", "Two players\nhotseat\nd\nt\n", 5);
  SideFile("savegame6", "cut off", 2);
  Game->State = gsMainMenu;
  LoadGameWindow_Show(*Game, "singleplayer");
  TGLWindow& Menu = Window(*gMainMenuGUI, "loadgame");
  EXPECT_EQ(Captions(Menu), (std::vector<std::string>{"Newest", "Middle", "Old"}));
  EXPECT_EQ(List(Menu).Items[0].ID, "savegame3.xml");
  EXPECT_EQ(Menu.Caption, "Load game");
  EXPECT_TRUE(List(Window(*gInGameGUI, "loadgame")).Items.empty());
  EXPECT_NE(LogLine("savegame6.name").find("skipped"), std::string::npos);
  Game->State = gsEarthView;
  LoadGameWindow_Show(*Game, "hotseat");
  EXPECT_EQ(Captions(Window(*gInGameGUI, "loadgame")), (std::vector<std::string>{"Two players"}));
}

// Saves killed mid-write left temporary files; listing the folder removes them, the saves stay.
TEST_F(LoadSaveWindows, ListingTheFolderRemovesTemporaryFilesOfKilledSaves) {
  SideFile("savegame2", "Kept\nsingleplayer\nd\nt\n", 3);
  Saves.Write("savegame2.xml", "<x/>");
  Saves.Write("savegame2.xml.tmp99999999", "<half");
  Saves.Write("savegame3.name.tmp99999999", "Half");
  Game->State = gsMainMenu;
  LoadGameWindow_Show(*Game, "singleplayer");
  EXPECT_EQ(Captions(Window(*gMainMenuGUI, "loadgame")), (std::vector<std::string>{"Kept"}));
  EXPECT_EQ(ListFolder(Saves.Path(), ""), (std::vector<std::string>{"savegame2.name", "savegame2.xml"}));
  EXPECT_NE(LogLine("unfinished temporary").find("Removed 2"), std::string::npos);
}

TEST_F(LoadSaveWindows, SavingNumbersOverwritingAsksAndKeepsTheNameDeletingActsInTheClickedWindowOnly) {
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, "singleplayer");
  TGLWindow& Save = Window(*gInGameGUI, "savegame");
  const std::string Proposed = Save.GetItem<TGLEdit>("edit_savegamename").Text;
  EXPECT_NE(Proposed.find(" - Ada, Northland - Round 12"), std::string::npos) << Proposed;

  Press(*gInGameGUI, "savegame", "button_savegame");
  EXPECT_FALSE(Save.Visible);
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, "singleplayer");
  Save.GetItem<TGLEdit>("edit_savegamename").Text = "Second";
  Press(*gInGameGUI, "savegame", "button_savegame");
  EXPECT_EQ(ReadSideFile(SaveFile("savegame2.name"))->SaveName, Proposed);
  EXPECT_EQ(ReadSideFile(SaveFile("savegame3.name"))->SaveName, "Second");

  // Overwrite: the first press asks, the second replaces the document under the old name.
  gCurrentTurn = 13;
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, "singleplayer");
  Save.GetItem<TGLEdit>("edit_savegamename").Text = "Not this";
  List(Save).ItemIndex = -1;
  Press(*gInGameGUI, "savegame", "button_overwritegame");  // nothing selected
  EXPECT_FALSE(MessageBoxOpen(*gInGameGUI));
  Select(Save, "Second");
  const std::string Before = ReadWholeFile(SaveFile("savegame3.xml")).value();
  Press(*gInGameGUI, "savegame", "button_overwritegame");
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  EXPECT_EQ(ReadWholeFile(SaveFile("savegame3.xml")).value(), Before);
  CloseMessageBox(*gInGameGUI);
  Press(*gInGameGUI, "savegame", "button_overwritegame");
  EXPECT_NE(ReadWholeFile(SaveFile("savegame3.xml")).value(), Before);
  EXPECT_NE(ReadWholeFile(SaveFile("savegame3.xml")).value().find("currentturn=\"13\""), std::string::npos);
  EXPECT_EQ(ReadSideFile(SaveFile("savegame3.name"))->SaveName, "Second");
  EXPECT_FALSE(Save.Visible);

  // Both windows open, each with a row selected: a delete in the save window removes only its row.
  Open(*gInGameGUI, "loadgame");
  LoadGameWindow_Show(*Game, "singleplayer");
  Select(Window(*gInGameGUI, "loadgame"), Proposed);
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, "singleplayer");
  Select(Save, "Second");
  Press(*gInGameGUI, "savegame", "button_deletegame");
  EXPECT_FALSE(fs::exists(SaveFile("savegame3.xml")));
  EXPECT_FALSE(fs::exists(SaveFile("savegame3.name")));
  EXPECT_TRUE(fs::exists(SaveFile("savegame2.xml")));
  EXPECT_EQ(Captions(Save), (std::vector<std::string>{Proposed}));
  // With no row selected a delete touches nothing.
  List(Save).ItemIndex = -1;
  Press(*gInGameGUI, "savegame", "button_deletegame");
  EXPECT_EQ(ListFolder(Saves.Path(), "").size(), 2u);
}

TEST_F(LoadSaveWindows, LoadingFromTheMainMenuGoesStraightIntoTheGame) {
  ASSERT_TRUE(Game->SaveToXML(SaveFile("savegame2.xml").string(), "Kept"));
  const std::string Saved = Comparable(SaveText(), true);
  gCurrentTurn = 40;
  Game->GameRunning = false;
  Game->State = gsMainMenu;
  Open(*gMainMenuGUI, "loadgame");
  LoadGameWindow_Show(*Game, "singleplayer");
  TGLWindow& Load = Window(*gMainMenuGUI, "loadgame");
  Select(Load, "Kept");
  // A listed save whose document went missing is reported, not loaded.
  fs::rename(SaveFile("savegame2.xml"), SaveFile("elsewhere.xml"));
  Press(*gMainMenuGUI, "loadgame", "button_loadgame");
  EXPECT_TRUE(MessageBoxOpen(*gMainMenuGUI));
  EXPECT_EQ(Game->State, gsMainMenu);
  CloseMessageBox(*gMainMenuGUI);
  fs::rename(SaveFile("elsewhere.xml"), SaveFile("savegame2.xml"));
  Press(*gMainMenuGUI, "loadgame", "button_loadgame");
  EXPECT_EQ(Game->State, gsEarthView);
  EXPECT_TRUE(Game->GameRunning);
  EXPECT_FALSE(Load.Visible);
  EXPECT_EQ(Comparable(SaveText(), true), Saved);
}
