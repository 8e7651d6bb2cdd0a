// The load and save windows on the game's real layouts, headless: listing, saving, overwriting,
// deleting and loading, in game and from the main menu. Every button is pressed as a player
// presses it: the mouse on the button of the window on screen, then the game's click.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "control/game_save.h"
#include "control/save_fixture.h"
#include "gui/button.h"
#include "gui/edit.h"
#include "gui/list_box.h"
#include "platform/files.h"
#include "presentation/basic_game_view.h"
#include "presentation/windows/load_save_windows.h"

namespace fs = std::filesystem;

namespace {

class LoadSaveWindows : public TSaveTest {
protected:
  void SetUp() override {
    TSaveTest::SetUp();
    // The content's layouts with every picture registered, so the menu's parts can be hit.
    auto Services = std::make_unique<TDataGUIServices>(std::string(TARNOVA_SOURCE_DIR) + "/content");
    Services->EveryTextureKnown = true;
    Previous = SetGUIServices(std::move(Services));
    gLocalization.AddKey("szStrTurn", "Runde", "Round");
    gLocalization.AddKey("szStrLoadGameCatsingleplayer", "Spiel laden", "Load game");
    Nation(0).Names = {"Nordland", "Northland"};
    gCurrentTurn = 12;
    gMainMenuGUI->ScreenWidth = 1024;
    gMainMenuGUI->ScreenHeight = 768;
    gMainMenuGUI->ClientSize = TIntPair{1024, 768};
    gMainMenuGUI->Windows[0]->Width = 1024;
    gMainMenuGUI->Windows[0]->Height = 768;
    gMainMenuGUI->LoadUIFromXML("data\\xml\\lang_eng\\UI_MainMenu_Root.xml");
    auto View = std::make_unique<TBasicGameView>();
    GameView = View.get();
    Game->View = std::move(View);
    RegisterLoadSaveWindows(*Game, ViewState());
  }
  void TearDown() override {
    SetGUIServices(std::move(Previous));
    TSaveTest::TearDown();
  }
  static TGLWindow& Window(TGLGUI& GUI, const std::string& Name) { return *GUI.GetWindow(Name); }
  static TGLListBox& List(TGLWindow& W) { return W.GetItem<TGLListBox>("listbox_savegames"); }
  static std::vector<std::string> Captions(TGLWindow& W) {
    std::vector<std::string> C;
    for (const TListItem& Row : List(W).Items) C.push_back(Row.Caption);
    return C;
  }
  static void Open(TGLGUI& GUI, const std::string& Name) { GUI.OpenWindow(Name); }
  // Puts the mouse on a point of the screen where Hit holds; false when there is none.
  template <class F>
  static bool PointWhere(F&& Hit) {
    for (int Y = 0; Y < 768; Y += 2)
      for (int X = 0; X < 1024; X += 2) {
        gMouseX = X;
        gMouseY = Y;
        if (Hit()) return true;
      }
    return false;
  }
  // Clicks the button Button of the window WindowName that shows in GUI.
  void Press(TGLGUI& GUI, const std::string& WindowName, const std::string& Button, int Line = __builtin_LINE()) {
    SCOPED_TRACE(Line);
    TGLWindow* W = GUI.GetWindow(WindowName);
    ASSERT_TRUE(PointWhere([&] {
      const TGLButton* B = GUI.GetButtonAtMouse();
      return B && B->Name == Button && GUI.GetWindowAtMouse() == W;
    })) << Button << " of " << WindowName << " is nowhere on the screen";
    Game->Click();
  }
  // Clicks the row with Caption in the list of the window WindowName.
  void Select(TGLGUI& GUI, const std::string& WindowName, const std::string& Caption) {
    TGLWindow* W = GUI.GetWindow(WindowName);
    TGLListBox& L = List(*W);
    const std::int32_t Kept = L.ItemIndex;
    const bool Found = PointWhere([&] {
      if (GUI.GetWindowAtMouse() != W) return false;
      const TListItem* Row = GUI.GetListItemAtMouse();
      return Row && Row->Caption == Caption;
    });
    L.ItemIndex = Kept;  // finding the row is no click
    ASSERT_TRUE(Found) << Caption << " is not in the list of " << WindowName;
    Game->Click();
    ASSERT_TRUE(L.ItemIndex >= 0 && L.Items[static_cast<std::size_t>(L.ItemIndex)].Caption == Caption);
  }
  // Opens the in-game save window afresh and saves a new game under Name.
  void SaveAs(const std::string& Name, int Line = __builtin_LINE()) {
    Open(*gInGameGUI, "savegame");
    SaveGameWindow_Show(*Game, ViewState(), "singleplayer");
    Window(*gInGameGUI, "savegame").GetItem<TGLEdit>("edit_savegamename").Text = Name;
    Press(*gInGameGUI, "savegame", "button_savegame", Line);
  }
  void SideFile(const std::string& Stem, const std::string& Text, int MinutesAgo) {
    const fs::path File = Saves.Write(Stem + ".name", Text);
    fs::last_write_time(File, fs::file_time_type::clock::now() - std::chrono::minutes(MinutesAgo));
  }

  std::unique_ptr<TGUIServices> Previous;
  // The game's view, which owns the view state its scenes and windows are handed.
  TBasicGameView* GameView = nullptr;
  TViewState& ViewState() { return GameView->ViewState; }
};

}  // namespace

TEST_F(LoadSaveWindows, TheListShowsTheSavesOfOneModeNewestFirstAndSkipsBrokenSideFiles) {
  SideFile("savegame2", "Old\nsingleplayer\nd\nt\n", 30);
  SideFile("savegame3", "Newest\r\nsingleplayer\r\nd\r\nt\r\n", 1);
  SideFile("savegame4", "Middle\nsingleplayer\nd\nt\n", 10);
  SideFile("savegame5", "Two players\nhotseat\nd\nt\n", 5);
  SideFile("savegame6", "cut off", 2);
  Game->State = gsMainMenu;
  LoadGameWindow_Show(*Game, ViewState(), "singleplayer");
  TGLWindow& Menu = Window(*gMainMenuGUI, "loadgame");
  EXPECT_EQ(Captions(Menu), (std::vector<std::string>{"Newest", "Middle", "Old"}));
  EXPECT_EQ(List(Menu).Items[0].ID, "savegame3.xml");
  EXPECT_EQ(Menu.Caption, "Load game");
  EXPECT_TRUE(List(Window(*gInGameGUI, "loadgame")).Items.empty());
  EXPECT_NE(LogLine("savegame6.name").find("skipped"), std::string::npos);
  Game->State = gsEarthView;
  LoadGameWindow_Show(*Game, ViewState(), "hotseat");
  EXPECT_EQ(Captions(Window(*gInGameGUI, "loadgame")), (std::vector<std::string>{"Two players"}));
}

// Saves killed mid-write left temporary files; listing the folder removes them, the saves stay.
TEST_F(LoadSaveWindows, ListingTheFolderRemovesTemporaryFilesOfKilledSaves) {
  SideFile("savegame2", "Kept\nsingleplayer\nd\nt\n", 3);
  Saves.Write("savegame2.xml", "<x/>");
  Saves.Write("savegame2.xml.tmp99999999", "<half");
  Saves.Write("savegame3.name.tmp99999999", "Half");
  Game->State = gsMainMenu;
  LoadGameWindow_Show(*Game, ViewState(), "singleplayer");
  EXPECT_EQ(Captions(Window(*gMainMenuGUI, "loadgame")), (std::vector<std::string>{"Kept"}));
  EXPECT_EQ(ListFolder(Saves.Path(), ""), (std::vector<std::string>{"savegame2.name", "savegame2.xml"}));
  EXPECT_NE(LogLine("unfinished temporary").find("Removed 2"), std::string::npos);
}

TEST_F(LoadSaveWindows, SavingNumbersOverwritingAsksAndKeepsTheNameDeletingActsInTheClickedWindowOnly) {
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, ViewState(), "singleplayer");
  TGLWindow& Save = Window(*gInGameGUI, "savegame");
  const std::string Proposed = Save.GetItem<TGLEdit>("edit_savegamename").Text;
  EXPECT_NE(Proposed.find(" - Ada, Northland - Round 12"), std::string::npos) << Proposed;

  Press(*gInGameGUI, "savegame", "button_savegame");
  EXPECT_FALSE(Save.Visible);
  SaveAs("Second");
  EXPECT_EQ(ReadSideFile(SaveFile("savegame2.name"))->SaveName, Proposed);
  EXPECT_EQ(ReadSideFile(SaveFile("savegame3.name"))->SaveName, "Second");

  // Overwrite: the first press asks, the second replaces the document under the old name.
  gCurrentTurn = 13;
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, ViewState(), "singleplayer");
  Save.GetItem<TGLEdit>("edit_savegamename").Text = "Not this";
  List(Save).ItemIndex = -1;
  Press(*gInGameGUI, "savegame", "button_overwritegame");  // nothing selected
  EXPECT_FALSE(MessageBoxOpen(*gInGameGUI));
  Select(*gInGameGUI, "savegame", "Second");
  const std::string Before = ReadWholeFile(SaveFile("savegame3.xml")).value();
  Press(*gInGameGUI, "savegame", "button_overwritegame");
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  EXPECT_EQ(ReadWholeFile(SaveFile("savegame3.xml")).value(), Before);
  Press(*gInGameGUI, "messagedlg_ext", "msgdlg_ext_ok");
  Press(*gInGameGUI, "savegame", "button_overwritegame");
  EXPECT_NE(ReadWholeFile(SaveFile("savegame3.xml")).value(), Before);
  EXPECT_NE(ReadWholeFile(SaveFile("savegame3.xml")).value().find("currentturn=\"13\""), std::string::npos);
  EXPECT_EQ(ReadSideFile(SaveFile("savegame3.name"))->SaveName, "Second");
  EXPECT_FALSE(Save.Visible);

  // Both windows open, each with a row selected: a delete in the save window removes only its row.
  Open(*gInGameGUI, "loadgame");
  LoadGameWindow_Show(*Game, ViewState(), "singleplayer");
  Select(*gInGameGUI, "loadgame", Proposed);
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, ViewState(), "singleplayer");
  Select(*gInGameGUI, "savegame", "Second");
  // Deleting asks first; the second press deletes.
  Press(*gInGameGUI, "savegame", "button_deletegame");
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  EXPECT_TRUE(fs::exists(SaveFile("savegame3.xml")));
  Press(*gInGameGUI, "messagedlg_ext", "msgdlg_ext_ok");
  EXPECT_FALSE(MessageBoxOpen(*gInGameGUI));
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

// A question asked before a load belongs to the game that went: the first press after the load
// asks again instead of overwriting.
TEST_F(LoadSaveWindows, AnOverwriteAskedBeforeALoadAsksAgainAfterIt) {
  SaveAs("First");
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, ViewState(), "singleplayer");
  Select(*gInGameGUI, "savegame", "First");
  Press(*gInGameGUI, "savegame", "button_overwritegame");
  ASSERT_TRUE(MessageBoxOpen(*gInGameGUI));
  Press(*gInGameGUI, "messagedlg_ext", "msgdlg_ext_ok");

  ASSERT_TRUE(Game->LoadFromXML(SaveFile("savegame2.xml").string()));
  const std::string Before = ReadWholeFile(SaveFile("savegame2.xml")).value();
  Open(*gInGameGUI, "savegame");
  Select(*gInGameGUI, "savegame", "First");
  gCurrentTurn = 20;
  Press(*gInGameGUI, "savegame", "button_overwritegame");
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  EXPECT_EQ(ReadWholeFile(SaveFile("savegame2.xml")).value(), Before);
}

TEST_F(LoadSaveWindows, FromTheMainMenuLoadEntersTheSavedGameAndDeleteAsksThenRemovesBothFiles) {
  ASSERT_TRUE(Game->SaveToXML(SaveFile("savegame2.xml").string(), "Kept"));
  const std::string Saved = Comparable(SaveText(), true);
  ASSERT_TRUE(Game->SaveToXML(SaveFile("savegame3.xml").string(), "Spare"));
  gCurrentTurn = 40;
  Game->GameRunning = false;
  Game->State = gsMainMenu;
  gInGameGUI->HideAllWindows();
  // Single player, then its "load game".
  Press(*gMainMenuGUI, "GUIWindow", "mainmenu_singleplayer");
  for (auto& Item : gMainMenuGUI->Windows[0]->Items)
    if (Item->FadeDir > 0.0f) Item->Visible = true, Item->Alpha = 1.0f;  // the sub-menu faded in
  Press(*gMainMenuGUI, "GUIWindow", "mainmenu_singleplayer_loadgame");
  TGLWindow& Load = Window(*gMainMenuGUI, "loadgame");
  ASSERT_TRUE(Load.Visible);
  EXPECT_THAT(Captions(Load), ::testing::UnorderedElementsAre("Kept", "Spare"));

  // Delete asks, and only the second press removes the save and its side file.
  Select(*gMainMenuGUI, "loadgame", "Spare");
  Press(*gMainMenuGUI, "loadgame", "button_deletegame");
  EXPECT_TRUE(MessageBoxOpen(*gMainMenuGUI));
  EXPECT_TRUE(fs::exists(SaveFile("savegame3.xml")));
  Press(*gMainMenuGUI, "messagedlg_ext", "msgdlg_ext_ok");
  Press(*gMainMenuGUI, "loadgame", "button_deletegame");
  EXPECT_FALSE(fs::exists(SaveFile("savegame3.xml")));
  EXPECT_FALSE(fs::exists(SaveFile("savegame3.name")));
  EXPECT_EQ(Captions(Load), (std::vector<std::string>{"Kept"}));

  Select(*gMainMenuGUI, "loadgame", "Kept");
  // A listed save whose document went missing is reported, not loaded.
  fs::rename(SaveFile("savegame2.xml"), SaveFile("elsewhere.xml"));
  Press(*gMainMenuGUI, "loadgame", "button_loadgame");
  EXPECT_TRUE(MessageBoxOpen(*gMainMenuGUI));
  EXPECT_EQ(Game->State, gsMainMenu);
  Press(*gMainMenuGUI, "messagedlg_ext", "msgdlg_ext_ok");
  fs::rename(SaveFile("elsewhere.xml"), SaveFile("savegame2.xml"));
  Press(*gMainMenuGUI, "loadgame", "button_loadgame");
  EXPECT_TRUE(fs::exists(SaveFile("savegame2.xml")));
  EXPECT_EQ(Game->State, gsEarthView);  // at once, without a fade
  EXPECT_EQ(Game->PendingState, gsEarthView);
  EXPECT_TRUE(Game->GameRunning);
  EXPECT_FALSE(Load.Visible);
  EXPECT_EQ(gCurrentTurn, 12);
  EXPECT_EQ(Comparable(SaveText(), true), Saved);
  EXPECT_NE(LogLine("TGame->LoadFromXML->Loading game from").find("savegame2.xml"), std::string::npos);
}

// The in-game save window left open stands where the main menu's load window stands: in the
// menu, a click on the load window's buttons is the load window's alone, and a question waits
// for the window that asked it.
TEST_F(LoadSaveWindows, InTheMenuTheInGameSaveWindowLeftOpenTakesNoClickAndAQuestionBelongsToItsWindow) {
  gLocalization.AddKey("szStrDeleteConfirm", "-", "Press Delete again:");
  SaveAs("Older");
  SaveAs("Newer");
  TGLWindow& Save = Window(*gInGameGUI, "savegame");

  // In game, a question asked by the save window is not confirmed by the load window's button.
  Open(*gInGameGUI, "loadgame");
  LoadGameWindow_Show(*Game, ViewState(), "singleplayer");
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, ViewState(), "singleplayer");
  Select(*gInGameGUI, "savegame", "Older");
  Press(*gInGameGUI, "savegame", "button_deletegame");
  ASSERT_TRUE(MessageBoxOpen(*gInGameGUI));
  Press(*gInGameGUI, "messagedlg_ext", "msgdlg_ext_ok");
  gInGameGUI->BringToFront("loadgame");
  Select(*gInGameGUI, "loadgame", "Older");
  Press(*gInGameGUI, "loadgame", "button_deletegame");
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  EXPECT_TRUE(fs::exists(SaveFile("savegame2.xml")));
  Press(*gInGameGUI, "messagedlg_ext", "msgdlg_ext_ok");
  Window(*gInGameGUI, "loadgame").Visible = false;

  // The save window open with its first row selected, and off to the main menu.
  Open(*gInGameGUI, "savegame");
  SaveGameWindow_Show(*Game, ViewState(), "singleplayer");
  Select(*gInGameGUI, "savegame", "Newer");
  Game->State = gsMainMenu;
  ASSERT_TRUE(Save.Visible);
  Open(*gMainMenuGUI, "loadgame");
  LoadGameWindow_Show(*Game, ViewState(), "singleplayer");
  TGLWindow& Load = Window(*gMainMenuGUI, "loadgame");
  ASSERT_TRUE(Load.OnClick) << "the main menu's load window has its handler (the game's own binding: main_menu_load_gltest)";
  for (const char* First : {"Newer", "Older"}) {
    // The same row as the hidden window's, then another: one press asks and deletes nothing.
    Select(*gMainMenuGUI, "loadgame", First);
    Press(*gMainMenuGUI, "loadgame", "button_deletegame");
    EXPECT_TRUE(MessageBoxOpen(*gMainMenuGUI)) << First;
    EXPECT_FALSE(MessageBoxOpen(*gInGameGUI)) << First;
    EXPECT_EQ(ListFolder(Saves.Path(), "").size(), 4u) << First;
    Press(*gMainMenuGUI, "messagedlg_ext", "msgdlg_ext_ok");
  }
  // A second press on the row last asked about deletes it, and only it.
  Press(*gMainMenuGUI, "loadgame", "button_deletegame");
  EXPECT_FALSE(fs::exists(SaveFile("savegame2.xml")));
  EXPECT_FALSE(fs::exists(SaveFile("savegame2.name")));
  EXPECT_TRUE(fs::exists(SaveFile("savegame3.xml")));
  EXPECT_TRUE(fs::exists(SaveFile("savegame3.name")));
  EXPECT_EQ(Captions(Load), (std::vector<std::string>{"Newer"}));
  EXPECT_EQ(Captions(Save), (std::vector<std::string>{"Newer", "Older"}));  // untouched
}

// A document that cannot be removed (a folder with something in it stands under its name): the
// side file goes, the failure is logged and shown, and the list shows what is left.
TEST_F(LoadSaveWindows, ADeleteThatFailsIsLoggedAndReportedNotCalledDone) {
  gLocalization.AddKey("szStrDeleteGameFailed", "-", "The savegame could not be deleted completely:");
  SideFile("savegame2", "Gone\nsingleplayer\nd\nt\n", 3);
  fs::create_directory(SaveFile("savegame2.xml"));
  Saves.Write("savegame2.xml/inside", "x");
  Game->State = gsMainMenu;
  Open(*gMainMenuGUI, "loadgame");
  LoadGameWindow_Show(*Game, ViewState(), "singleplayer");
  Select(*gMainMenuGUI, "loadgame", "Gone");
  Press(*gMainMenuGUI, "loadgame", "button_deletegame");
  Press(*gMainMenuGUI, "messagedlg_ext", "msgdlg_ext_ok");
  Press(*gMainMenuGUI, "loadgame", "button_deletegame");
  EXPECT_FALSE(fs::exists(SaveFile("savegame2.name")));
  EXPECT_EQ(LogLine("TGame->DeleteSaveGame->Deleted"), "");
  EXPECT_NE(LogLine("TGame->DeleteSaveGame->Could not delete").find("savegame2.xml"), std::string::npos);
  ASSERT_TRUE(MessageBoxOpen(*gMainMenuGUI));
  EXPECT_NE(LogLine("could not be deleted completely").find("savegame2.xml"), std::string::npos);
  EXPECT_TRUE(Captions(Window(*gMainMenuGUI, "loadgame")).empty());
}
