// The developer window's commands on a small world: production and research finished at once,
// regions handed out, taken away or filled, never looping on a pool without buildings.
#include <gtest/gtest.h>

#include "control/game_fixture.h"
#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "ai/ai_log.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "support/fixture_world_types.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
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
  Game->DebugWindow_Click("debug_finish_unit");
  Game->DebugWindow_Click("debug_finish_current_tech");
  EXPECT_TRUE(Player().Units.empty());
  Player().BuildQueueTypes = {0, 0, 0};
  Player().BuildQueueTurns = {3, 4, 5};
  Game->DebugWindow_Click("debug_finish_unit");
  EXPECT_EQ(Player().Units.size(), 1u);
  EXPECT_EQ(Player().BuildQueueTurns, (std::vector<std::int32_t>{4, 5}));
  Game->DebugWindow_Click("debug_finish_unit_queue");
  EXPECT_EQ(Player().Units.size(), 3u);
  EXPECT_TRUE(Player().BuildQueueTypes.empty() && Player().BuildQueueTurns.empty());

  Player().TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
  ASSERT_FALSE(Player().TechnologyTree.Technologies.empty());
  TTechnology* Tech = Player().TechnologyTree.Technologies.front().get();
  Player().TechnologyTree.Current = Tech;
  Game->DebugWindow_Click("debug_finish_current_tech");
  EXPECT_TRUE(Tech->Researched);
  EXPECT_EQ(Player().TechnologyTree.Current, nullptr);
}

TEST_F(DeveloperWindow, RegionsAreWonLostAndRisenAndARandomFillNeedsARealBuildingType) {
  Game->DebugWindow_Click("debug_loosegame");
  EXPECT_EQ(Owners(), (std::vector<int>{5, 6, 5, 5}));
  Game->DebugWindow_Click("debug_wingame");  // the rebels' and unowned regions too
  EXPECT_EQ(Owners(), (std::vector<int>{1, 1, 1, 1}));
  Game->DebugWindow_Click("debug_region_uprise");  // nothing selected on the globe
  EXPECT_EQ(Owners(), (std::vector<int>{1, 1, 1, 1}));
  Game->Earth->SelRegion = 2;
  Game->DebugWindow_Click("debug_region_uprise");
  Game->Earth->SelRegion = 3;
  Game->DebugWindow_Click("debug_region_dead");
  EXPECT_EQ(Owners(), (std::vector<int>{1, 1, 6, 5}));

  Game->DebugWindow_Click("debug_fill_regions_rnd");
  for (const auto& Row : gRegions[0]->Buildings)
    for (const auto& Slot : Row) EXPECT_TRUE(Slot.Type && Slot.Type->ID != "building_dummy");
  // A pool holding only the placeholder type fills nothing and ends.
  for (auto& Row : gRegions[1]->Buildings)
    for (auto& Slot : Row) Slot.Type = nullptr;
  std::erase_if(gBuildingTypePool->Types, [](const auto& T) { return T->ID != "building_dummy"; });
  Game->DebugWindow_Click("debug_fill_regions_rnd");
  EXPECT_EQ(gRegions[1]->Buildings[1][1].Type, nullptr);
  EXPECT_TRUE(Logged("No building type to fill the regions with"));
}

TEST_F(DeveloperWindow, TheOpponentsListShowsTheLogOfTheRowClickedAndHandsEveryNationToTheComputer) {
  TGLWindow& W = gInGameGUI->AddWindow("", "", "debugai", {0, 0, 0}, 400, 300, {}, {}, {});
  W.AddListBox({0, 0, 0}, 100, 100).ID = "listbox_aicontroller";
  W.AddMemo({0, 0, 0}, 100, 100).ID = "memo_ailog";
  gAIControllers.clear();
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i]->Names = {"Nation " + std::to_string(i), "Nation " + std::to_string(i)};
    auto C = std::make_unique<TAIController>();
    C->Nation = gNations[i].get();
    C->Log = std::make_unique<TAILog>();
    C->Log->PlainLines = {"log of " + std::to_string(i)};
    gAIControllers.push_back(std::move(C));
  }
  Game->DebugAIWindow_Show();
  const auto& List = W.GetItem<TGLListBox>("listbox_aicontroller");
  ASSERT_EQ(List.Items.size(), 5u);
  EXPECT_EQ(List.Items[3].ID, "ai_controller_3");
  EXPECT_EQ(List.Items[3].Caption, "Nation 3");

  // The row clicked counts, not the list's selection of before.
  Game->DebugAIWindow_Click("ai_controller_3");
  auto& Memo = W.GetItem<TGLMemo>("memo_ailog");
  ASSERT_FALSE(Memo.Lines.empty());
  EXPECT_EQ(Memo.Lines.front(), "log of 3");
  Game->DebugAIWindow_Click("ai_controller_7");
  EXPECT_EQ(Memo.Lines.front(), "log of 3");

  Game->DebugAIWindow_Click("debug_ai_enableall");
  for (auto& N : gNations) EXPECT_TRUE(N->AIControlled);
  gAIControllers.clear();
}
