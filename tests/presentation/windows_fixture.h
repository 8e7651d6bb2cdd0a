#pragma once
// The in-game windows as the game has them: the real window layouts and texts of the data build
// in the in-game GUI, the small world of tests/fixtures/world (its types, regions and five
// nations with their technology trees), an empty transfer market, a game object, and a
// recording stand-in for fonts, textures and sounds. Everything is put back afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "gui/fake_gui_services.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/window.h"
#include "platform/xml_document.h"
#include "presentation/basic_game_view.h"
#include "support/fixture_world_types.h"
#include "support/log_capture.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/technology.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

class WindowsTest : public ::testing::Test {
protected:
  void SetUp() override { Load("eng"); }
  void TearDown() override {
    Game.reset();
    gInGameGUI = std::make_unique<TGLGUI>();
    SetGUIServices(std::move(PreviousServices));
    for (auto& N : gNations) N.reset();
    gTransferMarket.reset();
    Earth.Destroy();
    gBuildingTypePool.reset();
    gUnitTypePool.reset();
    gVirtualFileSystem.reset();
    FreeLocalization();
    gPlayerNation = 0;
    gCurrentTurn = 0;
  }

  // Everything for one language ("ger" or "eng").
  void Load(const std::string& Language) {
    if (!PreviousServices) {
      // Layout files and textures from the data build; any texture counts as registered.
      auto Owned = std::make_unique<TDataGUIServices>(TARNOVA_BINARY_DIR);
      Owned->EveryTextureKnown = true;
      Services = Owned.get();
      PreviousServices = SetGUIServices(std::move(Owned));
    }
    Game.reset();
    if (!gRegions.empty()) Earth.Destroy();
    if (!gScriptManager) gScriptManager = std::make_unique<TScriptManager>();
    LoadFixtureWorldTypes();
    TXMLDocument Texts;
    const std::string TextFile = std::string(TARNOVA_BINARY_DIR) + "/data/XML/localization.xml";
    Texts.LoadFromFile(TextFile);
    gLocalization.Clear();
    gLocalization.LoadFromDocument(Texts);
    gLocalization.LanguageIndex = Language == "ger" ? 0 : 1;
    Earth.Init("data\\XML\\regions.xml");
    MakeFixtureNations();
    gTransferMarket = std::make_unique<TTransferMarket>();
    gInGameGUI = std::make_unique<TGLGUI>();
    gInGameGUI->ScreenWidth = 1024;
    gInGameGUI->ClientSize = TIntPair{1024, 768};
    for (const char* File : {"window_infocenter.xml", "window_transfermarket.xml", "window_research.xml",
                             "window_research_history.xml", "window_espionage.xml", "window_stats.xml",
                             "extended_message_dialog.xml"})
      EXPECT_TRUE(gInGameGUI->AddWindowFromXML("data\\xml\\lang_" + Language + "\\" + File)) << File;
    auto View = std::make_unique<TBasicGameView>();
    GameView = View.get();
    Game = std::make_unique<TGame>(Form, std::move(View));
    GameView->RegisterWindows(*Game);
  }

  TGLWindow& Window(const std::string& Name) { return *gInGameGUI->GetWindow(Name); }
  template <class T>
  T& Item(const std::string& WindowName, const std::string& ID) { return Window(WindowName).GetItem<T>(ID); }
  std::vector<std::string> IDs(const TGLListBox& List) {
    std::vector<std::string> R;
    for (const auto& I : List.Items) R.push_back(I.ID);
    return R;
  }
  std::vector<std::string> Captions(const TGLListBox& List) {
    std::vector<std::string> R;
    for (const auto& I : List.Items) R.push_back(I.Caption);
    return R;
  }
  // A click as the game dispatches it: the name to every window's click handler.
  void Click(const std::string& Name) { gInGameGUI->BroadcastEvent(Name); }
  // Selects the row of a list box whose ID is RowID and clicks it.
  void ClickRow(const std::string& WindowName, const std::string& ListID, const std::string& RowID) {
    auto& List = Item<TGLListBox>(WindowName, ListID);
    for (std::size_t i = 0; i < List.Items.size(); ++i)
      if (List.Items[i].ID == RowID) {
        List.ItemIndex = static_cast<std::int32_t>(i);
        Click(RowID);
        return;
      }
    ADD_FAILURE() << RowID << " not in " << ListID;
  }
  // The message box's text, or "" while none is shown.
  std::string MessageBox() {
    TGLWindow& Box = Window("messagedlg_ext");
    if (!Box.Visible) return "";
    std::string Text;
    for (const std::string& L : Box.GetItem<TGLMemo>("memo_message_text").Lines) Text += (Text.empty() ? "" : " ") + L;
    return Text;
  }
  void CloseMessageBox() { gInGameGUI->CloseWindow("messagedlg_ext"); }
  bool Played(const std::string& Sound) const {
    for (const std::string& S : Services->Sounds)
      if (S == Sound) return true;
    return false;
  }
  TNation& Player() { return *gNations[gPlayerNation]; }

  TLogCapture Log;
  TDataGUIServices* Services = nullptr;
  TEarth Earth;
  TTarnovaForm Form{{"tarnova", "-windowed"}};
  std::unique_ptr<TGame> Game;
  // The game's view, which owns the view state its scenes and windows are handed.
  TBasicGameView* GameView = nullptr;
  TViewState& ViewState() { return GameView->ViewState; }

private:
  std::unique_ptr<TGUIServices> PreviousServices;
};
