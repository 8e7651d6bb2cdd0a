#pragma once
// The fixture world (nation 0 plays) with the in-game GUI loaded from the game's English window
// files, the toolkit's sound and texture services recorded, and a game object without a view.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/virtual_file_system.h"
#include "gui/fake_gui_services.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/window.h"
#include "presentation/basic_game_view.h"
#include "presentation/windows/game_windows.h"
#include "world/earth.h"
#include "world/rules_fixture.h"

class WindowTest : public TRulesTest {
protected:
  void SetUp() override {
    TRulesTest::SetUp();
    gLocalization.AddKey("szStrDialogNotice", "Mitteilung", "Notice");
    // Window files from the game's content folder; everything else as the toolkit's fakes do it.
    auto Owned = std::make_unique<TDataGUIServices>(std::string(TARNOVA_SOURCE_DIR) + "/content");
    Services = Owned.get();
    PreviousServices = SetGUIServices(std::move(Owned));
    SavedGUI = std::move(gInGameGUI);
    gInGameGUI = std::make_unique<TGLGUI>();
    gInGameGUI->ScreenWidth = 1024;
    gInGameGUI->ScreenHeight = 768;
    gInGameGUI->ClientSize = TIntPair{1024, 768};
    for (const char* File : {"window_army_build.xml", "window_army_management.xml", "window_autobattle.xml",
                             "window_region_details.xml", "window_region_build.xml", "extended_message_dialog.xml"})
      ASSERT_TRUE(gInGameGUI->AddWindowFromXML(std::string("data\\XML\\lang_eng\\") + File, {}, {}, {})) << File;
    auto View = std::make_unique<TBasicGameView>();
    GameView = View.get();
    Game = std::make_unique<TGame>(Form, std::move(View));
    Game->Earth = std::make_unique<TEarth>();  // holds the selection, as in the game
    RegisterRegionAndArmyWindows(*Game, ViewState());
    Game->RegionDetailsSelectedSlot = -1;
    Region(0).Owner = 0;
    Game->SelectRegion(0);
  }
  void TearDown() override {
    Game.reset();
    gInGameGUI = std::move(SavedGUI);
    SetGUIServices(std::move(PreviousServices));
    gSelectedRegion = 0;
    TRulesTest::TearDown();
  }

  TGLWindow& Window(const std::string& Name) { return *gInGameGUI->GetWindow(Name); }
  TGLListBox& List(const std::string& Window, int Index) {
    return static_cast<TGLListBox&>(this->Window(Window).GetGLGUIItem(Index, "listbox"));
  }
  // Runs a click through every window as the game's dispatch does.
  void Click(const std::string& Name) { gInGameGUI->BroadcastEvent(Name); }
  // The text of the message box, "" when none shows; dismisses it.
  std::string TakeMessage() {
    TGLWindow& Box = Window("messagedlg_ext");
    if (!Box.Visible) return "";
    std::string Text;
    for (const auto& L : Box.GetItem<TGLMemo>("memo_message_text").Lines) Text += L;
    Box.Visible = false;
    gInGameGUI->ModalWindow = nullptr;
    return Text;
  }
  std::string Caption() { return Window("messagedlg_ext").Caption; }
  int Count(const std::string& Sound) {
    return static_cast<int>(std::count(Services->Sounds.begin(), Services->Sounds.end(), Sound));
  }
  std::vector<std::string> Captions(const TGLListBox& L) {
    std::vector<std::string> C;
    for (const auto& I : L.Items) C.push_back(I.Caption);
    return C;
  }

  TDataGUIServices* Services = nullptr;
  TTarnovaForm Form{{"tarnova", "-windowed"}};
  std::unique_ptr<TGame> Game;
  // The game's view, which owns the view state its scenes and windows are handed.
  TBasicGameView* GameView = nullptr;
  TViewState& ViewState() { return GameView->ViewState; }

private:
  std::unique_ptr<TGUIServices> PreviousServices;
  std::unique_ptr<TGLGUI> SavedGUI;
};
