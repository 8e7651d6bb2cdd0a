// Every clickable control of the real layouts, clicked as a player clicks it (the mouse over the
// control, TGame::Click) in the game state it belongs to, with the game's window handlers
// attached: nothing raises, each command reaches its effect, and only a control that no command
// or window takes is reported, once.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "control/play_fixture.h"
#include "gui/list_box.h"
#include "presentation/basic_game_view.h"

namespace {

const std::string kUnknown = "TGame->Click->No command for the control \"";

struct TClickable {
  std::string GUI;     // "ingame", "nationselect", "mainmenu", "endgame"
  std::string Window;  // window name; "" for the screen's base window
  std::string Name;
};

}  // namespace

class ClickDispatchTest : public PlayTest {
protected:
  void SetUp() override {
    PlayTest::SetUp();
    // The save window's buttons write savegames: into a folder of the test's own.
    gSaveGamePath = Saves.Path().string() + "/";
    // The game's own presentation, whose windows the clicks reach.
    Game->View = std::make_unique<TBasicGameView>();
    View = nullptr;
    Game->SelectedNation = 0;
    Game->StartNewGame(0);
    Attach();
  }
  void TearDown() override {
    PlayTest::TearDown();
    gSaveGamePath.clear();
  }
  // The handlers the game attaches when it builds its windows.
  void Attach() {
    Game->View->RegisterWindows(*Game);
    TGame* G = Game.get();
    if (TGLWindow* Q = gInGameGUI->GetWindow("messagedlg_quit"))
      Q->OnClick = [G](const std::string& N) { G->QuitDialog_Click(N); };
  }
  static TGLGUI& GUIOf(const std::string& Name) {
    if (Name == "nationselect") return *gNationSelectGUI;
    if (Name == "mainmenu") return *gMainMenuGUI;
    if (Name == "endgame") return *gEndGameGUI;
    return *gInGameGUI;
  }
  static std::uint16_t StateOf(const std::string& Name) {
    if (Name == "nationselect") return gsNationSelect;
    if (Name == "mainmenu") return gsMainMenu;
    if (Name == "endgame") return gsEndGame;
    return gsEarthView;
  }
  // Buttons, skinned parts and list rows the layouts hold, window by window.
  static std::vector<TClickable> Clickables() {
    std::vector<TClickable> Out;
    for (const char* G : {"ingame", "nationselect", "mainmenu", "endgame"}) {
      TGLGUI& GUI = GUIOf(G);
      for (std::size_t I = 0; I < GUI.Windows.size(); ++I) {
        const TGLWindow& W = *GUI.Windows[I];
        const std::string Window = I == 0 ? "" : W.Name;
        for (const std::string& N : ButtonNames(W))
          if (!N.empty()) Out.push_back({G, Window, N});
        for (const auto& Item : W.Items)
          if (Item->Kind() == TGUIItemKind::ListBox)
            for (const auto& Row : static_cast<const TGLListBox&>(*Item).Items)
              if (!Row.ID.empty()) Out.push_back({G, Window, Row.ID});
      }
    }
    return Out;
  }
  // The screen of the control's state with only its window open, every item shown (sub-menus
  // faded in), and the mouse over the control; false when no point reaches it.
  bool Prepare(const TClickable& C) {
    Game->State = StateOf(C.GUI);
    Game->PendingState = 0;
    Game->FadeSpeed = 1.0f;
    Game->FadeValue = 1.0f;
    Game->Quit = false;
    TGLGUI& GUI = GUIOf(C.GUI);
    GUI.ModalWindow = nullptr;
    for (std::size_t I = 1; I < GUI.Windows.size(); ++I) GUI.Windows[I]->Visible = false;
    if (!C.Window.empty()) {
      GUI.OpenWindow(C.Window);
      GUI.BringToFront(C.Window);
      if (C.Window == "messagedlg_quit" || C.Window == "messagedlg_ext") GUI.SetModalWindow(C.Window);
    }
    TGLWindow& W = C.Window.empty() ? *GUI.Windows[0] : *GUI.GetWindow(C.Window);
    for (auto& Item : W.Items) Item->Visible = true, Item->Alpha = 1.0f;
    for (const auto& Item : W.Items)
      if (Item->Kind() == TGUIItemKind::ListBox)
        for (const auto& Row : static_cast<const TGLListBox&>(*Item).Items)
          if (Row.ID == C.Name) return PointAtRow(GUI, C.Name);
    if (PointAt(GUI, C.Name)) return true;
    // Sub-menus lie over one another: only the one holding the control stays.
    for (auto& Item : W.Items)
      if (Item->Kind() == TGUIItemKind::SkinnedControl) {
        bool Holds = false;
        for (const auto& P : static_cast<const TGLSkinnedControl&>(*Item).Parts) Holds = Holds || P->Name == C.Name;
        Item->Visible = Holds || Item.get() == W.Items.front().get();
      }
    return PointAt(GUI, C.Name);
  }
  static bool PointAtRow(TGLGUI& GUI, const std::string& ID) {
    for (int Y = 0; Y < 768; Y += 2)
      for (int X = 0; X < 1024; X += 3) {
        gMouseX = X;
        gMouseY = Y;
        if (const TListItem* R = GUI.GetListItemAtMouse(); R && R->ID == ID) return true;
      }
    return false;
  }
  bool WindowShown(const std::string& GUI, const std::string& Name) {
    const TGLWindow* W = GUIOf(GUI).GetWindow(Name);
    return W && W->Visible;
  }
  int UnknownLines(const std::string& Name) const {
    int N = 0;
    for (const std::string& L : Log.Lines()) N += L.find(kUnknown + Name + "\"") != std::string::npos;
    return N;
  }

  TTempFolder Saves;
};

TEST_F(ClickDispatchTest, EveryControlOfTheLayoutsRunsInItsStateAndEachCommandReachesItsEffect) {
  // What a click must change, where that is cheap to see.
  std::map<std::string, std::function<bool()>> Effects;
  const auto Turn = gCurrentTurn;
  Effects["nextround"] = [Turn] { return gCurrentTurn == Turn + 1; };
  for (auto [Button, Window] : std::vector<std::pair<std::string, std::string>>{
           {"cc_build_units", "military"}, {"cc_manage_units", "army_management"}, {"cc_info", "infocenter"},
           {"cc_science", "science"}, {"cc_global_project", "globalproject"}, {"cc_staff", "transfermarket"},
           {"cc_espionage", "espionage"}, {"sysbar_savegame", "savegame"}, {"sysbar_loadgame", "loadgame"},
           {"button_stats", "statistics"}, {"research_showresearchedtechs", "research_history"}})
    Effects[Button] = [this, Window] { return WindowShown("ingame", Window); };
  Effects["sysbar_exitgame"] = [this] { return Game->PendingState == gsMainMenu; };
  Effects["msgdlg_ext_ok"] = [this] { return !WindowShown("ingame", "messagedlg_ext") && !WindowShown("mainmenu", "messagedlg_ext"); };
  Effects["msgdlg_yesno_yes"] = [this] { return Game->Quit && !WindowShown("ingame", "messagedlg_quit"); };
  Effects["msgdlg_yesno_no"] = [this] { return !Game->Quit && !WindowShown("ingame", "messagedlg_quit"); };
  // Nothing chosen: refused with the hint box.
  for (const char* Refused : {"research_startresearch", "espionage_infiltrate"})
    Effects[Refused] = [this] { return WindowShown("ingame", "messagedlg_ext"); };
  // No offer chosen: nobody is hired.
  auto Staff = [] {
    const TNation& P = *gNations[gPlayerNation];
    return P.Scientists.size() + P.Generals.size() + P.Spies.size();
  };
  Effects["transfer_hire"] = [Staff, Before = Staff()] { return Staff() == Before; };
  Effects["mainmenu_quit"] = [this] { return Game->Quit; };
  Effects["mainmenu_singleplayer_newgame"] = [this] { return Game->PendingState == gsNationSelect; };
  Effects["mainmenu_singleplayer_continue"] = [this] { return Game->PendingState == gsEarthView; };
  Effects["mainmenu_singleplayer_loadgame"] = [this] { return WindowShown("mainmenu", "loadgame"); };
  Effects["mainmenu_hotseat_loadgame"] = [this] { return WindowShown("mainmenu", "loadgame"); };
  Effects["mainmenu_root"] = [this] { return Game->PendingState == gsMainMenu; };
  Effects["nationselect_back"] = [this] { return Game->PendingState == gsMainMenu; };
  Effects["nationselect_startgame"] = [this] { return Game->GameRunning && Game->PendingState == gsEarthView; };
  Effects["mainmenu_multiplayer_hotseat_start"] = [this] { return Game->GameRunning && Game->HotSeat; };

  const std::vector<TClickable> All = Clickables();
  std::set<std::string> Reached, Unreached, Effected;
  for (const TClickable& C : All) {
    SCOPED_TRACE(C.GUI + " " + C.Window + " " + C.Name);
    if (!Prepare(C)) {
      Unreached.insert(C.Name);
      continue;
    }
    Reached.insert(C.Name);
    EXPECT_NO_THROW(Game->Click());
    if (auto E = Effects.find(C.Name); E != Effects.end()) {
      EXPECT_TRUE(E->second()) << C.Name << " did not reach its effect";
      Effected.insert(C.Name);
    }
    EXPECT_EQ(UnknownLines(C.Name), 0) << C.Name << " reached no command and no window";
    // A command that started another game leaves a fresh single-player game for the rest.
    if (Game->HotSeat || C.Name == "nationselect_startgame" || C.Name == "debug_loosegame" ||
        C.Name == "debug_wingame") {
      Game->SelectedNation = 0;
      Game->HotSeat = false;
      Game->StartNewGame(0);
    }
    Game->Quit = false;
  }
  RecordProperty("controls_clicked", static_cast<int>(Reached.size()));
  // Every control the layouts show can be reached with the mouse, and every effect was checked.
  std::string Missed;
  for (const std::string& N : Unreached) Missed += N + " ";
  EXPECT_TRUE(Unreached.empty()) << "no point of the screen reaches: " << Missed;
  for (const auto& [Name, Effect] : Effects) EXPECT_TRUE(Effected.count(Name)) << Name << " is in no layout";
  EXPECT_GT(Reached.size(), 80u);
}

TEST_F(ClickDispatchTest, AControlNoCommandOrWindowTakesIsReportedOnceAndIgnored) {
  // A button of the heads-up display under a name nothing knows.
  ASSERT_TRUE(PointAt(*gInGameGUI, "nextround"));
  TGLButton* Button = gInGameGUI->GetButtonAtMouse();
  ASSERT_NE(Button, nullptr);
  Button->Name = "no_such_control";
  const auto Turn = gCurrentTurn;
  ASSERT_TRUE(PointAt(*gInGameGUI, "no_such_control"));
  EXPECT_NO_THROW(Game->Click());
  EXPECT_NO_THROW(Game->Click());
  EXPECT_EQ(UnknownLines("no_such_control"), 1);
  EXPECT_EQ(gCurrentTurn, Turn);
  // A control of a window whose handler takes it is the handler's, whatever its name.
  gInGameGUI->OpenWindow("science");
  gInGameGUI->BringToFront("science");
  ASSERT_TRUE(PointAt(*gInGameGUI, "research_startresearch"));
  Game->Click();
  EXPECT_EQ(UnknownLines("research_startresearch"), 0);
}

// A press that chooses the target of a cursor mode on the globe is the whole click: the window
// the mode parked comes back under the mouse, and the release and the click press none of its
// buttons. A probe window's handler hears every name a click sends.
TEST_F(ClickDispatchTest, ChoosingATargetOnTheGlobePressesNoButtonOfTheWindowThatComesBack) {
  std::vector<std::string> Heard;
  gInGameGUI->AddWindow("", "", "probe", {0, 0, 0}, 10, 10, {}, [&](const std::string& N) { Heard.push_back(N); }, {});
  gInGameGUI->GetWindow("probe")->Visible = false;
  TNation& P = *gNations[0];
  std::vector<std::int32_t> Own;
  for (auto& R : gRegions)
    if (R->Owner == 0 && !R->GetDivision()) Own.push_back(R->ID);
  ASSERT_GE(Own.size(), 1u);
  std::int32_t Foreign = -1, Next = -1, From = -1;
  for (auto& R : gRegions)
    if (R->Owner != 0 && Foreign < 0) Foreign = R->ID;
  for (std::int32_t R : Own)
    for (std::int32_t N : gRegions[static_cast<std::size_t>(R)]->Neighbours)
      if (Next < 0 && gRegions[static_cast<std::size_t>(N)]->Owner == 0 && !gRegions[static_cast<std::size_t>(N)]->GetDivision())
        From = R, Next = N;
  ASSERT_GE(Next, 0);
  ASSERT_GE(Foreign, 0);

  // Puts the mouse on Button of Window and parks the window away, as the mode does.
  auto Park = [&](const char* Window, const char* Button, TSavedWindowRect& Rect) {
    for (std::size_t I = 1; I < gInGameGUI->Windows.size(); ++I) gInGameGUI->Windows[I]->Visible = false;
    gInGameGUI->ModalWindow = nullptr;
    gInGameGUI->OpenWindow(Window);
    TGLWindow& W = *gInGameGUI->GetWindow(Window);
    for (auto& Item : W.Items) Item->Visible = true;
    ASSERT_TRUE(PointAt(*gInGameGUI, Button)) << Button;
    Rect = {W.X, W.Y, W.Z};
    W.Y = 760.0f;
    ASSERT_FALSE(gInGameGUI->IsMouseOverWindow());
  };
  auto Press = [&](std::int32_t Region) {
    Game->PickHook = [Region] { return Region + 1; };
    Heard.clear();
    Game->MouseDown(1, 0, gMouseX, gMouseY);
    Game->MouseUp(1, 0, gMouseX, gMouseY);
    Game->Click();
    EXPECT_EQ(Game->CursorMode, 0);
    EXPECT_TRUE(Heard.empty()) << Heard.front();
  };

  // Stationing: the army window's "new division" under the mouse.
  TDivision& D = *P.AddDivision("First", -1);
  const std::size_t Divisions = P.Divisions.size();
  Park("army_management", "army_management_new_army", Game->SavedWindowRect);
  Game->CursorMode = 1;
  Game->StationDivision = &D;
  Press(Own.front() == Next ? Own.back() : Own.front());
  EXPECT_GE(D.Region, 0);
  EXPECT_EQ(P.Divisions.size(), Divisions);
  EXPECT_EQ(gInGameGUI->GetWindowAtMouse(), gInGameGUI->GetWindow("army_management"));  // back under the mouse

  // A move into an own region: the region window's "Demolish" under the mouse.
  D.Region = From;
  Game->SelectRegion(From);
  Park("regioninfo", "regiondetails_destroy_building", Game->SavedWindowRect);
  Game->CursorMode = 2;
  Game->MoveSourceRegion = gRegions[static_cast<std::size_t>(From)].get();
  for (std::size_t I = 0; I < P.Divisions.size(); ++I)
    if (P.Divisions[I].get() == &D) Game->MoveDivisionIndex = static_cast<std::int32_t>(I);
  Press(Next);
  EXPECT_EQ(D.Region, Next);

  // A spy's target: the espionage window's first button under the mouse.
  TSpy Offer;
  Offer.Name = "Agent";
  TSpy* Spy = P.AddSpy(Offer);
  gInGameGUI->OpenWindow("espionage");
  const std::string SpyButton = ButtonNames(*gInGameGUI->GetWindow("espionage")).front();
  Park("espionage", SpyButton.c_str(), Game->EspionageSavedWindowRect);
  Game->CursorMode = 4;
  Game->EspionageSelectedSpy = Spy;
  Press(Foreign);
}

// A press on a region of the player's with the region window closed opens the window; when a
// button of the window comes to lie under the mouse, neither the press, its release nor its click
// presses it. A press beside every region still reaches the screen beneath.
TEST_F(ClickDispatchTest, SelectingARegionOpensItsWindowAndPressesNoButtonThatComesUnderTheMouse) {
  std::vector<std::string> Heard;
  gInGameGUI->AddWindow("", "", "probe", {0, 0, 0}, 10, 10, {}, [&](const std::string& N) { Heard.push_back(N); }, {});
  gInGameGUI->GetWindow("probe")->Visible = false;
  std::int32_t Own = -1;
  for (auto& R : gRegions)
    if (R->Owner == 0 && Own < 0) Own = R->ID;
  ASSERT_GE(Own, 0);
  for (std::size_t I = 1; I < gInGameGUI->Windows.size(); ++I) gInGameGUI->Windows[I]->Visible = false;
  // The region window where it will open, its "build" under the mouse, then closed.
  gInGameGUI->OpenWindow("regioninfo");
  TGLWindow& Region = *gInGameGUI->GetWindow("regioninfo");
  for (auto& Item : Region.Items) Item->Visible = true;
  ASSERT_TRUE(PointAt(*gInGameGUI, "regiondetails_build_menu"));
  gInGameGUI->CloseWindow("regioninfo");
  ASSERT_FALSE(gInGameGUI->IsMouseOverWindow());
  Game->PickHook = [Own] { return Own + 1; };
  Game->MouseDown(1, 0, gMouseX, gMouseY);
  EXPECT_FALSE(gLeftMouseDown);  // the held button scrolls no list of the window
  Game->MouseUp(1, 0, gMouseX, gMouseY);
  Game->Click();
  EXPECT_EQ(gSelectedRegion, Own);
  EXPECT_TRUE(Region.Visible);
  EXPECT_EQ(gInGameGUI->GetWindowAtMouse(), &Region);
  EXPECT_FALSE(Region.Dragging);
  EXPECT_TRUE(Heard.empty()) << Heard.front();
  EXPECT_FALSE(WindowShown("ingame", "region_build"));
  // The same click on the window now presses "build".
  Game->MouseDown(1, 0, gMouseX, gMouseY);
  Game->MouseUp(1, 0, gMouseX, gMouseY);
  Game->Click();
  EXPECT_TRUE(WindowShown("ingame", "region_build"));
}

// A press that chooses a target on the globe still takes the keyboard from the edit that had it:
// the division's name in the army window does not take the keys typed afterwards.
TEST_F(ClickDispatchTest, APressOnTheGlobeTakesTheKeyboardFromTheEdit) {
  TNation& P = *gNations[0];
  std::int32_t Own = -1;
  for (auto& R : gRegions)
    if (R->Owner == 0 && !R->GetDivision() && Own < 0) Own = R->ID;
  ASSERT_GE(Own, 0);
  TDivision& D = *P.AddDivision("First", -1);
  gInGameGUI->OpenWindow("army_management");
  TGLWindow& Army = *gInGameGUI->GetWindow("army_management");
  auto& Name = Army.GetItem<TGLEdit>("division_name");
  for (const std::int32_t Mode : {1, 0}) {
    SCOPED_TRACE(Mode);
    Name.Text = "First";
    gFocusedEdit = &Name;
    Army.Y = 760.0f;  // parked, as a cursor mode parks it
    gMouseX = gMouseY = 300;
    ASSERT_FALSE(gInGameGUI->IsMouseOverWindow());
    Game->CursorMode = Mode;
    Game->StationDivision = &D;
    Game->PickHook = [Own] { return Own + 1; };
    Game->MouseDown(1, 0, gMouseX, gMouseY);
    Game->MouseUp(1, 0, gMouseX, gMouseY);
    Game->Click();
    EXPECT_EQ(Game->CursorMode, 0);
    EXPECT_EQ(gFocusedEdit, nullptr);
    Game->KeyDown('X', 0);
    EXPECT_EQ(Name.Text, "First");
  }
  EXPECT_EQ(D.Region, Own);
}

// A click that closes, opens or brings back a window under the mouse ends there: the "OK" of a
// message box chooses no row of the list beneath it, and "load game" no row of the load window
// that opens under it.
TEST_F(ClickDispatchTest, AWindowThatAClickClosesOrOpensUnderTheMouseTakesNothingOfThatClick) {
  // Moves Window until a row of its list lies under the mouse; the row it had stays chosen.
  auto RowUnderMouse = [](TGLGUI& GUI, TGLWindow& Window, TGLListBox& List) {
    const std::int32_t Kept = List.ItemIndex;
    const int MouseX = gMouseX, MouseY = gMouseY;
    for (int DY = -600; DY <= 600; DY += 3)
      for (int DX = -900; DX <= 900; DX += 30) {
        Window.X = static_cast<float>(MouseX + DX);
        Window.Y = static_cast<float>(MouseY + DY);
        if (GUI.GetWindowAt(MouseX, MouseY) != &Window) continue;
        const TListItem* Row = GUI.GetListItemAtMouse();
        if (Row && &List.Items[static_cast<std::size_t>(List.ItemIndex)] == Row && List.ItemIndex != Kept) {
          List.ItemIndex = Kept;
          return true;
        }
      }
    List.ItemIndex = Kept;
    return false;
  };

  // In game: the building list beneath a refusal's "OK".
  for (std::size_t I = 1; I < gInGameGUI->Windows.size(); ++I) gInGameGUI->Windows[I]->Visible = false;
  for (auto& R : gRegions)
    if (R->Owner == 0) Game->SelectRegion(R->ID);
  gInGameGUI->OpenWindow("region_build");
  TGLWindow& Build = *gInGameGUI->GetWindow("region_build");
  TGLListBox& Buildings = static_cast<TGLListBox&>(Build.GetGLGUIItem(0, "listbox"));
  ASSERT_GT(Buildings.Items.size(), 3u);
  Buildings.ItemIndex = 0;
  gInGameGUI->ShowMessageBoxExt("Refused", "Hint", "dialog_warning", false);
  TGLWindow& Box = *gInGameGUI->GetWindow("messagedlg_ext");
  ASSERT_TRUE(PointAt(*gInGameGUI, "msgdlg_ext_ok"));
  Box.Visible = false;
  ASSERT_TRUE(RowUnderMouse(*gInGameGUI, Build, Buildings));
  Box.Visible = true;
  gInGameGUI->SetModalWindow("messagedlg_ext");
  ASSERT_TRUE(PointAt(*gInGameGUI, "msgdlg_ext_ok"));
  Game->MouseDown(1, 0, gMouseX, gMouseY);
  Game->MouseUp(1, 0, gMouseX, gMouseY);
  Game->Click();
  EXPECT_FALSE(Box.Visible);
  EXPECT_EQ(gInGameGUI->GetWindowAtMouse(), &Build);
  EXPECT_EQ(Buildings.ItemIndex, 0);
  // A click of its own on the row chooses it.
  Game->Click();
  EXPECT_NE(Buildings.ItemIndex, 0);

  // In the main menu: the load window opening under "load game".
  Game->State = gsMainMenu;
  for (const char* Save : {"savegame2", "savegame3", "savegame4"}) {
    Saves.Write(std::string(Save) + ".name", std::string(Save) + "\nsingleplayer\nd\nt\n");
    Saves.Write(std::string(Save) + ".xml", "<savestate/>");
  }
  ASSERT_TRUE(Prepare({"mainmenu", "", "mainmenu_singleplayer_loadgame"}));
  TGLWindow& Load = *gMainMenuGUI->GetWindow("loadgame");
  TGLListBox& Saved = Load.GetItem<TGLListBox>("listbox_savegames");
  Game->LoadGameWindow_Show("singleplayer");
  ASSERT_EQ(Saved.Items.size(), 3u);
  Saved.ItemIndex = 0;
  gMainMenuGUI->OpenWindow("loadgame");
  ASSERT_TRUE(RowUnderMouse(*gMainMenuGUI, Load, Saved));
  Load.Visible = false;
  ASSERT_EQ(gMainMenuGUI->GetButtonAtMouse()->Name, "mainmenu_singleplayer_loadgame");
  Game->Click();
  EXPECT_TRUE(Load.Visible);
  EXPECT_EQ(gMainMenuGUI->GetWindowAtMouse(), &Load);
  EXPECT_EQ(Saved.ItemIndex, 0);
}

// On the nation selection the mouse's press, moves and release pick the nation symbols and go to
// no window of that screen: a window there is neither raised nor dragged by its title bar. The
// click still reaches the screen's controls.
TEST_F(ClickDispatchTest, OnTheNationSelectionPressMoveAndReleaseReachNoWindow) {
  Game->State = gsNationSelect;
  TGLWindow& Probe = gNationSelectGUI->AddWindow("Probe", "", "probe", {100, 100, 5}, 200, 100, {}, {}, {});
  Probe.Visible = true;
  Game->PickHook = [] { return -1; };
  Form.ClientWidth = 1024;
  Form.ClientHeight = 768;
  Game->MouseMove(0, 150, 110);
  Game->MouseDown(1, 0, 150, 110);  // on the title bar
  Game->MouseMove(0, 250, 210);
  Game->MouseUp(1, 0, 250, 210);
  EXPECT_FALSE(Probe.Dragging);
  EXPECT_EQ(Probe.X, 100.0f);
  EXPECT_EQ(Probe.Y, 100.0f);
  EXPECT_EQ(gNationSelectGUI->ActiveWindow, nullptr);
  Probe.Visible = false;
  ASSERT_TRUE(PointAt(*gNationSelectGUI, "nationselect_back"));
  Game->Click();
  EXPECT_EQ(Game->PendingState, gsMainMenu);
}
