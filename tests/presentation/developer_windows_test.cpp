// The developer windows on a small world: production and research finished at once, regions
// handed out, taken away or filled, never looping on a pool without buildings; on the game's
// data set: opened by their keys, regions filled with buildings the data holds, rounds in a batch.
#include <gtest/gtest.h>

#include "control/game_fixture.h"
#include "control/play_fixture.h"
#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "ai/ai_log.h"
#include "gui/fake_gui_services.h"
#include "gui/gui_services.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "platform/random.h"
#include "platform/virtual_keys.h"
#include "presentation/basic_game_view.h"
#include "presentation/windows/developer_windows.h"
#include "support/fixture_world_types.h"
#include "support/locale_swap.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/technology.h"

class DeveloperWindow : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    if (!gScriptManager) gScriptManager = std::make_unique<TScriptManager>();
    LoadFixtureWorldTypes();
    for (std::size_t i = 0; i < gNations.size(); ++i) {
      gNations[i] = std::make_unique<TNation>();
      gNations[i]->ID = static_cast<std::uint8_t>(i);
    }
    gPlayerNation = 1;
    for (std::uint8_t Owner : {1, 6, 5, 1}) {
      gRegions.push_back(std::make_unique<TRegion>());
      gRegions.back()->Owner = Owner;
    }
    MakeGame();
    Game->Earth = std::make_unique<TEarth>();
  }
  void TearDown() override {
    gRegions.clear();
    for (auto& N : gNations) N.reset();
    gUnitTypePool.reset();
    gBuildingTypePool.reset();
    GameTest::TearDown();
  }
  TNation& Player() { return *gNations[1]; }
  std::vector<int> Owners() const {
    std::vector<int> O;
    for (auto& R : gRegions) O.push_back(R->Owner);
    return O;
  }
};

TEST_F(DeveloperWindow, ProductionAndResearchFinishAtOnceAndEmptyOnesStayAsTheyAre) {
  DebugWindow_Click(*Game, "debug_finish_unit");
  DebugWindow_Click(*Game, "debug_finish_current_tech");
  EXPECT_TRUE(Player().Units.empty());
  Player().BuildQueueTypes = {0, 0, 0};
  Player().BuildQueueTurns = {3, 4, 5};
  DebugWindow_Click(*Game, "debug_finish_unit");
  EXPECT_EQ(Player().Units.size(), 1u);
  EXPECT_EQ(Player().BuildQueueTurns, (std::vector<std::int32_t>{4, 5}));
  DebugWindow_Click(*Game, "debug_finish_unit_queue");
  EXPECT_EQ(Player().Units.size(), 3u);
  EXPECT_TRUE(Player().BuildQueueTypes.empty() && Player().BuildQueueTurns.empty());

  Player().TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
  ASSERT_FALSE(Player().TechnologyTree.Technologies.empty());
  TTechnology* Tech = Player().TechnologyTree.Technologies.front().get();
  Player().TechnologyTree.Current = Tech;
  DebugWindow_Click(*Game, "debug_finish_current_tech");
  EXPECT_TRUE(Tech->Researched);
  EXPECT_EQ(Player().TechnologyTree.Current, nullptr);
}

TEST_F(DeveloperWindow, RegionsAreWonLostAndRisenAndARandomFillNeedsARealBuildingType) {
  DebugWindow_Click(*Game, "debug_loosegame");
  EXPECT_EQ(Owners(), (std::vector<int>{5, 6, 5, 5}));
  DebugWindow_Click(*Game, "debug_wingame");  // the rebels' and unowned regions too
  EXPECT_EQ(Owners(), (std::vector<int>{1, 1, 1, 1}));
  DebugWindow_Click(*Game, "debug_region_uprise");  // nothing selected on the globe
  EXPECT_EQ(Owners(), (std::vector<int>{1, 1, 1, 1}));
  Game->Earth->SelRegion = 2;
  DebugWindow_Click(*Game, "debug_region_uprise");
  Game->Earth->SelRegion = 3;
  DebugWindow_Click(*Game, "debug_region_dead");
  EXPECT_EQ(Owners(), (std::vector<int>{1, 1, 6, 5}));

  // Neither the placeholder nor the building a spy could not make out is ever drawn: with one
  // real type beside them, every slot gets that one.
  ASSERT_EQ(gBuildingTypePool->Types.back()->Number, -1);
  const TBuildingType* Real = nullptr;
  for (const auto& T : gBuildingTypePool->Types)
    if (T->ID != "building_dummy" && T->Number >= 0) Real = T.get();
  ASSERT_NE(Real, nullptr);
  std::erase_if(gBuildingTypePool->Types, [&](const auto& T) { return T.get() != Real && T->ID != "building_dummy" && T->Number >= 0; });
  ASSERT_EQ(gBuildingTypePool->Types.size(), 3u);
  SetRandomSeed(7);
  DebugWindow_Click(*Game, "debug_fill_regions_rnd");
  for (const auto& Row : gRegions[0]->Buildings)
    for (const auto& Slot : Row) EXPECT_EQ(Slot.Type, Real);
  // A pool holding only the placeholder types fills nothing and ends.
  for (auto& Row : gRegions[1]->Buildings)
    for (auto& Slot : Row) Slot.Type = nullptr;
  std::erase_if(gBuildingTypePool->Types, [&](const auto& T) { return T.get() == Real; });
  DebugWindow_Click(*Game, "debug_fill_regions_rnd");
  EXPECT_EQ(gRegions[1]->Buildings[1][1].Type, nullptr);
  EXPECT_TRUE(Logged("No building type to fill the regions with"));
}

TEST_F(DeveloperWindow, TheOpponentsListShowsTheLogOfTheRowClickedAndHandsEveryNationToTheComputer) {
  TGLWindow& W = gInGameGUI->AddWindow("", "", "debugai", {0, 0, 0}, 400, 300, {}, {}, {});
  W.AddListBox({0, 0, 0}, 100, 100).ID = "listbox_aicontroller";
  W.AddMemo({0, 0, 0}, 235, 100).ID = "memo_ailog";  // rows of 200 pixels: 28 characters of 7
  auto Previous = SetGUIServices(std::make_unique<THeadlessGUIServices>());
  gAIControllers.clear();
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i]->Names = {"Nation " + std::to_string(i), "Nation " + std::to_string(i)};
    auto C = std::make_unique<TAIController>();
    C->Nation = gNations[i].get();
    C->Log = std::make_unique<TAILog>();
    C->Log->PlainLines = {"log of " + std::to_string(i)};
    gAIControllers.push_back(std::move(C));
  }
  // The log's lines are written for its HTML page.
  for (const char* Line : {"<a href=\"javascript:show('turn3')\">Show details for turn 3</a> [NumRegions=4]",
                           "<div id=\"turn3\" style=\"display:block; margin-left:5px;\">",
                           " Budget &amp; plans &lt;5&gt;&nbsp;", "</div>", "0123456789012345678901234567890123456789", "  0123456789012345678901234567890123456789"})
    gAIControllers[3]->Log->PlainLines.push_back(Line);
  DebugAIWindow_Show(*Game);
  const auto& List = W.GetItem<TGLListBox>("listbox_aicontroller");
  ASSERT_EQ(List.Items.size(), 5u);
  EXPECT_EQ(List.Items[3].ID, "ai_controller_3");
  EXPECT_EQ(List.Items[3].Caption, "Nation 3");

  // The row clicked counts, not the list's selection of before.
  DebugAIWindow_Click(*Game, "ai_controller_3");
  auto& Memo = W.GetItem<TGLMemo>("memo_ailog");
  // As text, markup and entities gone, every row within the box: each entry wrapped as memos
  // wrap (at its last blank that leaves a head, the indentation's too), a word too long for a row
  // cut where the row ends.
  EXPECT_EQ(Memo.Lines, (std::vector<std::string>{"log of 3", "Show details for turn 3", "[NumRegions=4]",
                                                  " Budget & plans <5>", "0123456789012345678901234567",
                                                  "890123456789", " ", "0123456789012345678901234567",
                                                  "890123456789"}));
  DebugAIWindow_Click(*Game, "ai_controller_7");
  EXPECT_EQ(Memo.Lines.front(), "log of 3");

  DebugAIWindow_Click(*Game, "debug_ai_enableall");
  for (auto& N : gNations) EXPECT_TRUE(N->AIControlled);
  gAIControllers.clear();
  SetGUIServices(std::move(Previous));
}

TEST_F(DeveloperWindow, NumbersShowInGeneralFormat) {
  TGLWindow& W = gInGameGUI->AddWindow("", "", "debug", {0, 0, 0}, 400, 300, {}, {}, {});
  W.AddMemo({0, 0, 0}, 100, 100);
  W.AddMemo({0, 0, 0}, 100, 100);
  gSelectedRegion = -1;
  DebugWindow_Show(*Game);
  auto Lines = [&](int K) { return static_cast<TGLMemo&>(W.GetGLGUIItem(K, "memo")).Lines; };
  EXPECT_EQ(Lines(0), (std::vector<std::string>{"No region selected"}));
  // No fixed decimals: a whole number shows as one.
  EXPECT_EQ(Lines(1), (std::vector<std::string>{"Global info :", " research.civil = 0", " research.military = 0"}));

  // A fraction carries the separator of the user's locale.
  TScientist Civil;
  Civil.Civil = 250.0f;
  Player().AddScientist(Civil);
  Player().BaseFactors[TNation::bfResearchCivil] = 1.0f;
  {
    const TLocaleSwap C("C");
    DebugWindow_Show(*Game);
    EXPECT_EQ(Lines(1).at(1), " research.civil = 0.5");
  }
  const TLocaleSwap German(TLocaleSwap::German);
  if (!German.Available()) GTEST_SKIP() << "no German locale";
  DebugWindow_Show(*Game);
  EXPECT_EQ(Lines(1).at(1), " research.civil = 0,5");
}

// The developer windows in a game on the game's own data set, opened as the developer does.
class DeveloperWindowsInGame : public PlayTest {
protected:
  void SetUp() override {
    PlayTest::SetUp();
    Game->View = std::make_unique<TBasicGameView>();
    Game->View->RegisterWindows(*Game);
    Game->SelectedNation = 2;
    Game->StartNewGame(0);
  }
};

TEST_F(DeveloperWindowsInGame, CtrlAAndCtrlDOpenTheWindowsOnlyWithTheDeveloperKeys) {
  gSettings.DebugKeys = false;
  Game->KeyDown('D', ssCtrl);
  Game->KeyDown('A', ssCtrl);
  EXPECT_FALSE(gInGameGUI->GetWindow("debug")->Visible);
  EXPECT_FALSE(gInGameGUI->GetWindow("debugai")->Visible);

  gSettings.DebugKeys = true;
  Game->KeyDown('D', 0);  // without Ctrl nothing opens
  EXPECT_FALSE(gInGameGUI->GetWindow("debug")->Visible);
  std::int32_t Own = -1;
  for (auto& R : gRegions)
    if (R->Owner == gPlayerNation) Own = R->ID;
  ASSERT_GE(Own, 0);
  Game->SelectRegion(Own);
  Game->KeyDown('D', ssCtrl);
  TGLWindow& Debug = *gInGameGUI->GetWindow("debug");
  EXPECT_TRUE(Debug.Visible);
  const auto& Region = static_cast<TGLMemo&>(Debug.GetGLGUIItem(0, "memo")).Lines;
  ASSERT_EQ(Region.size(), 13u);
  EXPECT_EQ(Region[0], "Info for region \"" + gRegions[static_cast<std::size_t>(Own)]->GetName() + "\" :");
  EXPECT_EQ(Region[2].rfind("  growth = ", 0), 0u);
  for (const std::string& Line : Region) EXPECT_EQ(Line.find(".000"), std::string::npos) << Line;

  Game->KeyDown('A', ssCtrl);
  TGLWindow& AI = *gInGameGUI->GetWindow("debugai");
  EXPECT_TRUE(AI.Visible);
  const auto& List = AI.GetItem<TGLListBox>("listbox_aicontroller");
  ASSERT_EQ(List.Items.size(), 5u);
  EXPECT_EQ(List.Items[2].Caption, gNations[2]->GetName());
}

TEST_F(DeveloperWindowsInGame, FillRegionsPutsTheStrongestTypeOfEachKindOfTheDataIntoEverySlot) {
  ASSERT_NE(gBuildingTypePool, nullptr);
  gSettings.DebugKeys = true;
  Game->KeyDown('D', ssCtrl);
  DebugWindow_Click(*Game, "debug_fill_regions");
  const std::int32_t Kinds[3][3] = {{bcEnergy, bcRessources, bcScience},
                                    {bcEnergy, bcScience, bcScience},
                                    {bcEnergy, bcScience, bcMaxPopulation}};
  int Regions = 0;
  for (auto& R : gRegions) {
    if (R->Owner != gPlayerNation) continue;
    ++Regions;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        const TBuildingType* T = R->Buildings[i][j].Type;
        ASSERT_NE(T, nullptr) << i << "," << j;
        EXPECT_EQ(T->Category, Kinds[i][j]) << T->ID;
        EXPECT_GE(T->Number, 0);
      }
    EXPECT_GT(R->Buildings[1][1].Type->GetEffectValue("global.science.civil"), 0);
    EXPECT_GT(R->Buildings[0][2].Type->GetEffectValue("global.science.military"), 0);
  }
  EXPECT_GT(Regions, 0);
  // Of its kind, the type that gives the most.
  const TBuildingType* Energy = DebugFillType(0, 0);
  for (const auto& T : gBuildingTypePool->Types)
    if (T->Category == bcEnergy) {
      EXPECT_LE(T->GetEffectValue("region.energy"), Energy->GetEffectValue("region.energy"));
    }
  EXPECT_EQ(DebugFillType(3, 0), nullptr);
}

// "Advance 10 rounds": ten rounds in one click, the region map left alone unless its check box
// asks for it.
TEST_F(DeveloperWindowsInGame, TheAIWindowAdvancesTenRoundsWithoutRebuildingTheMap) {
  // The game's presentation, counting its region map rebuilds.
  class TMapCountingView : public TBasicGameView {
  public:
    int RegionMapUpdates = 0;
    void UpDateRegionMap(TGame&, bool) override { ++RegionMapUpdates; }
  };
  auto Counting = std::make_unique<TMapCountingView>();
  TMapCountingView* Calls = Counting.get();
  Game->View = std::move(Counting);
  // The windows draw with the view state of the view that binds them: the new view binds them anew.
  Game->View->RegisterWindows(*Game);
  DebugAIWindow_Click(*Game, "debug_ai_advance_10");
  EXPECT_EQ(gCurrentTurn, 10);
  EXPECT_EQ(Calls->RegionMapUpdates, 0);
  Game->NextRound();
  EXPECT_EQ(Calls->RegionMapUpdates, 1);
}
