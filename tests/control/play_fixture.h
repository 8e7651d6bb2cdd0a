#pragma once
// A game ready to play headless: the game's data set and layouts loaded, five computer
// controllers, statistics, and a game object without a window whose view records what game
// control asks of the presentation.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ai_soak.h"
#include "engine/virtual_file_system.h"
#include "game_fixture.h"
#include "gui/fake_gui_services.h"
#include "gui/gui_services.h"
#include "gui/button.h"
#include "gui/edit.h"
#include "gui/drop_down.h"
#include "gui/memo.h"
#include "layouts/layout_fixture.h"
#include "platform/xml_document.h"
#include "world/earth.h"
#include "world/high_score_list.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"
#include "world/world_save.h"

// Puts the GUI mouse on the control named Name; false when no point of the screen hits it.
inline bool PointAt(TGLGUI& GUI, const std::string& Name) {
  for (int Y = 0; Y < 768; Y += 3)
    for (int X = 0; X < 1024; X += 3) {
      gMouseX = X;
      gMouseY = Y;
      if (const TGLButton* B = GUI.GetButtonAtMouse(); B && B->Name == Name) return true;
    }
  return false;
}

class TRecordingView : public TGameView {
public:
  std::vector<std::string> Calls;
  void Render(TGame&) override {}
  void UpDateRegionMap(TGame&, bool) override { Calls.push_back("regionmap"); }
  void AutoBattleWindow_Start(TGame&) override { Calls.push_back("autobattle"); }
  void ArmyWindow_ClearDivisionInfo(TGame&) override { Calls.push_back("cleardivision"); }
  void RegionWindow_Show(TGame&) override { Calls.push_back("regionwindow"); }
  // The market's offers as the window would list them when it is refreshed.
  void TransferMarketWindow_Refresh(TGame&) override {
    Calls.push_back("transfermarket");
    MarketShown = MarketOffers();
  }
  static std::vector<std::string> MarketOffers() {
    std::vector<std::string> Names;
    for (auto& S : gTransferMarket->Scientists) Names.push_back(S->Name);
    for (auto& G : gTransferMarket->Generals) Names.push_back(G->Name);
    for (auto& S : gTransferMarket->Spies) Names.push_back(S->Name);
    return Names;
  }
  std::vector<std::string> MarketShown;
};

class PlayTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    // The data set behind the GUI toolkit; every picture counts as registered.
    auto Owned = std::make_unique<TDataGUIServices>();
    Owned->EveryTextureKnown = true;
    Services = Owned.get();
    PreviousServices = SetGUIServices(std::move(Owned));
    StartWorld(1);
  }
  void TearDown() override {
    Game.reset();
    World.reset();
    gStatisticServer.reset();
    SetGUIServices(std::move(PreviousServices));
    GameTest::TearDown();
  }

  // A fresh world and game object; the seed fixes every draw of the game.
  void StartWorld(std::uint32_t Seed) {
    Game.reset();
    World.reset();
    TSoakOptions O;
    O.DataRoot = TARNOVA_BINARY_DIR;
    O.Seed = Seed;
    O.LogAI = false;
    World = std::make_unique<TSoakGame>(O);
    gStatisticServer = std::make_unique<TStatisticServer>();
    TGameGUIs G = LoadGameGUIs("eng", 1024);
    gInGameGUI = std::move(G.InGame);
    gNationSelectGUI = std::move(G.NationSelect);
    gMainMenuGUI = std::move(G.MainMenu);
    gEndGameGUI = std::move(G.EndGame);
    auto Recording = std::make_unique<TRecordingView>();
    View = Recording.get();
    Game = std::make_unique<TGame>(Form, std::move(Recording));
    Game->Earth = std::make_unique<TEarth>();
  }

public:
  // The whole world as a savegame writes it.
  static std::string WorldText() {
    TXMLDocument D;
    TWorldSave::Save(D.CreateRoot("savestate"));
    return D.SaveToString();
  }

protected:

  static void SetDropDown(TGLGUI& GUI, const std::string& ID, const std::string& RowID) {
    auto& D = GUI.Windows[0]->GetItem<TGLDropDown>(ID);
    for (std::size_t i = 0; i < D.Items.size(); ++i)
      if (D.Items[i].ID == RowID) D.ItemIndex = static_cast<std::int32_t>(i);
  }
  // Hot seat with a controller row per nation and the turn time in minutes.
  void StartHotSeat(const std::vector<std::string>& Controllers, const std::string& Minutes = "3") {
    for (std::size_t i = 0; i < 5; ++i) {
      SetDropDown(*gMainMenuGUI, "hotseat_controller_nation" + std::to_string(i), Controllers[i]);
      gMainMenuGUI->Windows[0]->GetItem<TGLEdit>("hotseat_name_nation" + std::to_string(i)).Text = "P" + std::to_string(i);
    }
    gMainMenuGUI->Windows[0]->GetItem<TGLEdit>("hotseat_turntime").Text = Minutes;
    Game->StartNewGame(1);
  }
  // Gives every region of nation From to nation To.
  static void HandOver(std::uint8_t From, std::uint8_t To) {
    for (auto& R : gRegions)
      if (R->Owner == From) R->Owner = To;
  }
  // The text of the open message box of a GUI (the in-game GUI unless named).
  std::string MessageText(TGLGUI* GUI = nullptr) const {
    TGLWindow* W = (GUI ? GUI : gInGameGUI.get())->GetWindow("messagedlg_ext");
    if (!W || !W->Visible) return "";
    std::string Text;
    for (auto& Item : W->Items)
      if (auto* Memo = dynamic_cast<TGLMemo*>(Item.get()))
        for (const std::string& L : Memo->Lines) Text += (Text.empty() ? "" : " ") + L;
    return Text;
  }

  std::unique_ptr<TSoakGame> World;
  TRecordingView* View = nullptr;
  TDataGUIServices* Services = nullptr;
  std::unique_ptr<TGUIServices> PreviousServices;
};
