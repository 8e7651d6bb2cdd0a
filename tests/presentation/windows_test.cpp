// The research, research history, transfer market, espionage, statistics and information centre
// windows on their real layouts: what their lists show and what their buttons do to the world,
// with the refusals, sounds and message boxes the player gets.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gui/button.h"
#include "gui/drop_down.h"
#include "gui/text.h"
#include "platform/random.h"
#include "platform/text_format.h"
#include "presentation/view_state.h"
#include "presentation/windows/espionage_window.h"
#include "presentation/windows/info_center_window.h"
#include "presentation/windows/research_carousel.h"
#include "presentation/windows/research_history_window.h"
#include "presentation/windows/research_window.h"
#include "presentation/windows/statistics_window.h"
#include "presentation/windows/transfer_market_window.h"
#include "windows_fixture.h"
#include "world/division.h"
#include "world/region.h"
#include "world/staff.h"

namespace {

bool Contains(const std::vector<std::string>& List, const std::string& S) {
  return std::find(List.begin(), List.end(), S) != List.end();
}

TEST_F(WindowsTest, ResearchListsStartsAndRefuses) {
  TTechnologyTree& Tree = Player().TechnologyTree;
  gInGameGUI->OpenWindow("science");
  // Only what can be researched now: basics and energy; the rest waits for prerequisites.
  std::vector<std::string> Listed;
  for (const TTechnology* T : Game->ResearchTechList) Listed.push_back(T->ID);
  EXPECT_EQ(Listed, (std::vector<std::string>{"tech_basics", "tech_energy"}));

  // Start with nothing selected: the hint, nothing changes.
  Click("research_startresearch");
  EXPECT_EQ(MessageBox(), Localize("szMsgResearchNoTechSelected"));
  EXPECT_TRUE(Played("DefaultWarn"));
  EXPECT_EQ(Tree.Current, nullptr);
  CloseMessageBox();

  // A selected technology never started becomes the research with its full time.
  Click("technology_tech_basics");
  EXPECT_EQ(Item<TGLMemo>("science", "memo_tech").Lines, std::vector<std::string>{"The basics."});
  Click("technology_tech_energy");
  TTechnology* Energy = Tree.FindByName("tech_energy");
  ASSERT_EQ(Game->ResearchSelectedTech, Energy);
  Click("research_startresearch");
  EXPECT_EQ(Tree.Current, Energy);
  EXPECT_EQ(Energy->RemainingPoints, Energy->ResearchTime);
  EXPECT_TRUE(Played("startresearch"));

  // Half done and started again, it begins anew: as the current research, and when it was set
  // aside for another (which keeps its points meanwhile) and taken up again later.
  Energy->RemainingPoints = 7;
  Click("research_startresearch");
  EXPECT_EQ(Energy->RemainingPoints, Energy->ResearchTime);
  EXPECT_EQ(Tree.Current, Energy);
  Energy->RemainingPoints = 7;
  Click("technology_tech_basics");
  Click("research_startresearch");
  TTechnology* Basics = Tree.FindByName("tech_basics");
  EXPECT_EQ(Tree.Current, Basics);
  EXPECT_EQ(Basics->RemainingPoints, Basics->ResearchTime);
  EXPECT_EQ(Energy->RemainingPoints, 7);
  Click("technology_tech_energy");
  Click("research_startresearch");
  EXPECT_EQ(Tree.Current, Energy);
  EXPECT_EQ(Energy->RemainingPoints, Energy->ResearchTime);

  // A row of the history names no technology here: the selection goes and the next frame takes
  // the first researchable one.
  Click("technology_researched_tech_basics");
  EXPECT_EQ(Game->ResearchSelectedTech, nullptr);
  ResearchWindow_KeepSelection(*Game, ViewState());
  EXPECT_EQ(Game->ResearchSelectedTech, Tree.FindByName("tech_basics"));

  // Fusion leads nowhere: one "nothing" row with the stop icon.
  Tree.FindByName("tech_energy")->Researched = true;
  Tree.FindByName("tech_basics")->Researched = true;
  Click("technology_tech_fusion");
  const auto& Leads = Item<TGLListBox>("science", "listbox_leadsto");
  ASSERT_EQ(Leads.Items.size(), 1u);
  EXPECT_EQ(Leads.Items[0].Caption, Localize("szStrNothing"));
  EXPECT_EQ(Leads.Items[0].Icon, "gui_icon_stop");
}

TEST_F(WindowsTest, ResearchShowsTheCardInFrontWithItsOwnDescription) {
  TTechnologyTree& Tree = Player().TechnologyTree;
  TViewState& Ring = ViewState();
  gInGameGUI->OpenWindow("science");
  const auto& Memo = Item<TGLMemo>("science", "memo_tech");
  // Energy, the second of two cards, picked and turned to the front.
  ResearchCarousel_Pick(*Game, ViewState(), 1);
  ASSERT_EQ(Game->ResearchSelectedTech, Tree.FindByName("tech_energy"));
  Ring.ResearchCarouselAngle = Ring.ResearchCarouselTarget;
  Ring.ResearchCarouselDirection = 0.0f;
  EXPECT_EQ(Ring.ResearchCarouselAngle, 180.0f);

  // Basics researched in a round: armour and optics join the ring before energy, which stays
  // selected and stays in front at its new place, the third of three.
  Tree.FindByName("tech_basics")->Researched = true;
  gInGameGUI->UpdateAllWindows();
  ResearchWindow_KeepSelection(*Game, ViewState());
  EXPECT_EQ(Game->ResearchSelectedTech, Tree.FindByName("tech_energy"));
  EXPECT_EQ(Ring.ResearchCarouselAngle, 240.0f);
  EXPECT_EQ(Ring.ResearchCarouselTarget, 240.0f);
  // While the ring turns, it turns to the new place instead.
  Ring.ResearchCarouselAngle = 100.0f;
  Ring.ResearchCarouselDirection = 1.0f;
  Tree.FindByName("tech_basics")->Researched = false;
  gInGameGUI->UpdateAllWindows();
  ResearchWindow_KeepSelection(*Game, ViewState());
  EXPECT_EQ(Ring.ResearchCarouselTarget, 180.0f);
  EXPECT_EQ(Ring.ResearchCarouselAngle, 100.0f);
  EXPECT_EQ(Ring.ResearchCarouselDirection, 1.0f);
  Ring.ResearchCarouselAngle = 180.0f;
  Ring.ResearchCarouselDirection = 0.0f;

  // A history row names no technology here: the first card comes to the front, and with it its
  // own description, not energy's.
  EXPECT_TRUE(Memo.Lines.empty());
  Click("technology_researched_tech_basics");
  ResearchWindow_KeepSelection(*Game, ViewState());
  EXPECT_EQ(Game->ResearchSelectedTech, Tree.FindByName("tech_basics"));
  EXPECT_EQ(Ring.ResearchCarouselAngle, 0.0f);
  EXPECT_EQ(Memo.Lines, std::vector<std::string>{"The basics."});
}

TEST_F(WindowsTest, ResearchStartsOnlyInTheCurrentPlayersTree) {
  gInGameGUI->OpenWindow("science");
  Click("technology_tech_energy");
  TTechnology* Previous = Game->ResearchSelectedTech;
  ASSERT_NE(Previous, nullptr);
  // Hot seat: the next player takes over with the previous player's selection still set.
  gPlayerNation = 1;
  Click("research_startresearch");
  EXPECT_EQ(gNations[1]->TechnologyTree.Current, nullptr);
  EXPECT_EQ(gNations[0]->TechnologyTree.Current, nullptr);
  EXPECT_EQ(MessageBox(), Localize("szMsgResearchNoTechSelected"));
  CloseMessageBox();
  // The next frame selects from the new player's own list.
  ResearchWindow_KeepSelection(*Game, ViewState());
  ASSERT_NE(Game->ResearchSelectedTech, nullptr);
  EXPECT_EQ(Game->ResearchSelectedTech->Tree, &gNations[1]->TechnologyTree);
  Click("research_startresearch");
  EXPECT_EQ(gNations[1]->TechnologyTree.Current, Game->ResearchSelectedTech);
}

TEST_F(WindowsTest, ResearchTimesAndFactors) {
  // A nation value of 4.5 is a factor of 1: the turns equal the research time.
  EXPECT_EQ(ResearchTimeText(120, 1.0f), Localize("szStrResearchResearchTime") + " 120 " + Localize("szStrTurns"));
  // Halves go to the even neighbour.
  EXPECT_EQ(ResearchTimeText(100.5f, 1.0f), Localize("szStrResearchResearchTime") + " 100 " + Localize("szStrTurns"));
  EXPECT_EQ(ResearchTimeText(120, 0.0f),
            Localize("szStrResearchResearchTime") + " " + Localize("szStrInfiniteResearch"));
  // Research times of any size and sign, as the data may give them.
  EXPECT_EQ(ResearchTimeText(3e9f, 0.5f), Localize("szStrResearchResearchTime") + " 6000000000 " + Localize("szStrTurns"));
  EXPECT_EQ(ResearchTimeText(-40, 2.0f), Localize("szStrResearchResearchTime") + " -20 " + Localize("szStrTurns"));
  TTechnology Other(nullptr);
  Other.Category = 2;
  ViewState().ResearchCivilFactor = ViewState().ResearchMilitaryFactor = 1.0f;
  EXPECT_EQ(ResearchFactor(ViewState(), Other), 0.0f);
}

// The research window's handlers keep the factors in the view state of the view that bound
// them: the window opens and shows them whatever view the game holds at that moment.
TEST_F(WindowsTest, TheResearchWindowKeepsItsFactorsInTheViewThatBoundIt) {
  struct TBareView : TGameView {
    void Render(TGame&) override {}
  };
  TBasicGameView Binder;
  Binder.ViewState.ResearchCivilFactor = -1.0f;  // the opening sets it
  Binder.RegisterWindows(*Game);
  Game->View = std::make_unique<TBareView>();
  GameView = nullptr;
  ASSERT_NO_THROW(gInGameGUI->OpenWindow("science"));
  EXPECT_FALSE(Game->ResearchTechList.empty());
  EXPECT_FLOAT_EQ(Binder.ViewState.ResearchCivilFactor, static_cast<float>(Player().GetValue("researchcivil") / 4.5));
}

TEST_F(WindowsTest, ResearchHistoryGroupsWhatIsResearched) {
  TTechnologyTree& Tree = Player().TechnologyTree;
  auto& List = Item<TGLListBox>("research_history", "listbox_techlist");
  Click("research_showresearchedtechs");
  EXPECT_TRUE(Window("research_history").Visible);
  EXPECT_TRUE(List.Items.empty());

  Tree.FindByName("tech_armour")->Researched = true;
  Tree.FindByName("tech_optics")->Researched = true;
  ResearchHistoryWindow_Show(*Game);
  EXPECT_EQ(IDs(List), (std::vector<std::string>{"science_category_military", "technology_researched_tech_armour",
                                                 "technology_researched_tech_optics"}));
  Tree.FindByName("tech_basics")->Researched = true;
  ResearchHistoryWindow_Show(*Game);
  EXPECT_EQ(IDs(List).front(), "science_category_civil");
  EXPECT_EQ(List.Items.front().Caption, Localize("szResearchCat0"));

  // A click shows the technology; what it leads to carries the kind's icon; the research window
  // loses its own selection on the same click.
  Click("technology_tech_energy");
  ASSERT_NE(Game->ResearchSelectedTech, nullptr);
  Click("technology_researched_tech_basics");
  EXPECT_EQ(Game->ResearchHistorySelectedTech, Tree.FindByName("tech_basics"));
  EXPECT_EQ(Game->ResearchSelectedTech, nullptr);
  const auto& Leads = Item<TGLListBox>("research_history", "listbox_leadsto");
  ASSERT_FALSE(Leads.Items.empty());
  for (const auto& Row : Leads.Items)
    EXPECT_TRUE(Row.Icon == "button_research_window" || Row.Icon == "gui_icon_building" ||
                Row.Icon.rfind("preview2d_unittype_", 0) == 0)
        << Row.Icon;
  Click("technology_researched_tech_fusion");
  Click("technology_researched_nothing_like_this");
  EXPECT_EQ(Game->ResearchHistorySelectedTech, nullptr);
}

// A card that a press hit on the ring is chosen after the drawing: its technology becomes the
// selected one, the ring turns the shorter way to it, and a new choice sounds.
TEST_F(WindowsTest, ChoosingACardOfTheRingSelectsItsTechnologyAndTurnsTheRing) {
  gInGameGUI->OpenWindow("science");
  ASSERT_EQ(Game->ResearchTechList.size(), 2u);
  Game->ResearchSelectedTech = Game->ResearchTechList[1];
  ViewState().ResearchCarouselAngle = 0.0f;
  ResearchCarousel_Pick(*Game, ViewState(), 0);
  EXPECT_EQ(Item<TGLMemo>("science", "memo_tech").Lines, std::vector<std::string>{"The basics."});
  ResearchCarousel_Pick(*Game, ViewState(), 1);
  EXPECT_EQ(Game->ResearchSelectedTech, Game->ResearchTechList[1]);
  EXPECT_FLOAT_EQ(ViewState().ResearchCarouselTarget, 180.0f);
  EXPECT_EQ(ViewState().ResearchCarouselDirection, 1.0f);
  EXPECT_TRUE(Played("ResearchRotate"));
  EXPECT_NE(Item<TGLMemo>("science", "memo_tech").Lines, std::vector<std::string>{"The basics."});
  Services->Sounds.clear();
  ResearchCarousel_Pick(*Game, ViewState(), 1);  // the same card again: no sound
  EXPECT_FALSE(Played("ResearchRotate"));
  for (std::int32_t None : {-1, 2}) {
    ResearchCarousel_Pick(*Game, ViewState(), None);
    EXPECT_EQ(Game->ResearchSelectedTech, Game->ResearchTechList[1]) << None;
  }
}

class TransferMarketTest : public WindowsTest {
protected:
  void SetUp() override {
    WindowsTest::SetUp();
    gTransferMarket->Create();
    for (int i = 0; i < 3; ++i) {
      auto S = std::make_unique<TScientist>();
      S->Name = "Scientist " + std::to_string(i);
      S->Cost = 100 + i;
      gTransferMarket->Scientists.push_back(std::move(S));
    }
    auto G = std::make_unique<TGeneral>();
    G->Name = "General Keel";
    G->Cost = 50;
    G->Attack = 80;
    G->Defense = 20;
    gTransferMarket->Generals.push_back(std::move(G));
    gInGameGUI->OpenWindow("transfermarket");
  }
  TGLListBox& Free() { return Item<TGLListBox>("transfermarket", "listbox_free"); }
  TGLListBox& Staff() { return Item<TGLListBox>("transfermarket", "listbox_player"); }
  TGLButton& Button() { return static_cast<TGLButton&>(Window("transfermarket").GetGLGUIItem(0, "button")); }
};

TEST_F(TransferMarketTest, ListsAndHires) {
  EXPECT_EQ(IDs(Free()), (std::vector<std::string>{"free_cat_scientists", "free_scientist_0", "free_scientist_1",
                                                   "free_scientist_2", "free_cat_generals", "free_general_0",
                                                   "free_cat_spies", ""}));
  EXPECT_EQ(Free().Items.back().Caption, Localize("szStrStaffNoStaffOffers"));
  EXPECT_EQ(Free().Items.back().Icon, "gui_icon_spy");
  EXPECT_TRUE(Staff().Items.empty());

  // Too few ressources: the box names the offer, nothing changes.
  Player().Ressources = 100.5f;
  ClickRow("transfermarket", "listbox_free", "free_scientist_2");
  EXPECT_EQ(Button().Name, "transfer_hire");
  Click("transfer_hire");
  EXPECT_NE(MessageBox().find("Scientist 2"), std::string::npos);
  EXPECT_EQ(Window("messagedlg_ext").Caption, Localize("szStrDialogNotEnoughResTitle"));
  EXPECT_EQ(gTransferMarket->Scientists.size(), 3u);
  EXPECT_EQ(Player().Ressources, 100.5f);
  CloseMessageBox();

  // Exactly enough: hired, nothing left, the offer gone and later rows moved up.
  Player().Ressources = 101.0f;
  ClickRow("transfermarket", "listbox_free", "free_scientist_1");
  Click("transfer_hire");
  EXPECT_TRUE(Played("StaffHire"));
  EXPECT_EQ(Player().Ressources, 0.0f);
  ASSERT_EQ(Player().Scientists.size(), 1u);
  EXPECT_EQ(Player().Scientists[0]->Name, "Scientist 1");
  EXPECT_EQ(Captions(Free())[2], "Scientist 2");
  EXPECT_EQ(IDs(Free())[2], "free_scientist_1");
  EXPECT_TRUE(Contains(IDs(Staff()), "player_scientist_0"));
  // The market's own round does not bring the hired offer back.
  gTransferMarket->NextRound();
  TBasicGameView().TransferMarketWindow_Refresh(*Game);
  EXPECT_FALSE(Contains(Captions(Free()), "Scientist 1"));

  // A header row and the button: nothing happens.
  ClickRow("transfermarket", "listbox_free", "free_cat_generals");
  Player().Ressources = 1000;
  Click("transfer_hire");
  EXPECT_EQ(Player().Generals.size(), 0u);
  EXPECT_EQ(Player().Ressources, 1000.0f);
}

TEST_F(TransferMarketTest, StaleRowsSelectAndHireNobody) {
  Player().Ressources = 1000;
  ClickRow("transfermarket", "listbox_free", "free_scientist_2");
  // The market's round removes offers before the window is refilled.
  gTransferMarket->RemoveScientist(2);
  gTransferMarket->RemoveScientist(1);
  EXPECT_TRUE(StaffFromRowID(Free().GetSelectedID()).Empty());
  Click("transfer_hire");
  EXPECT_TRUE(Player().Scientists.empty());
  EXPECT_EQ(Player().Ressources, 1000.0f);
  for (const char* Bad : {"free_scientist_", "free_scientist_-1", "free_scientist_1x", "free_scientist_99999999999"})
    EXPECT_TRUE(StaffFromRowID(Bad).Empty()) << Bad;

  // An offer before the shown one went: the row's index now names another person, who is not
  // hired; the lists show the market as it is, the row on the person now standing there.
  gInGameGUI->UpdateAllWindows();
  ClickRow("transfermarket", "listbox_free", "free_scientist_0");
  auto Late = std::make_unique<TScientist>();
  Late->Name = "Scientist Late";
  gTransferMarket->Scientists.push_back(std::move(Late));
  gTransferMarket->RemoveScientist(0);
  Click("transfer_hire");
  EXPECT_TRUE(Player().Scientists.empty());
  EXPECT_EQ(Player().Ressources, 1000.0f);
  EXPECT_EQ(Free().Items[static_cast<std::size_t>(Free().ItemIndex)].Caption, "Scientist Late");
  Click("transfer_hire");
  ASSERT_EQ(Player().Scientists.size(), 1u);
  EXPECT_EQ(Player().Scientists[0]->Name, "Scientist Late");

  // A new offer of the same name made in the very place in memory of the one shown (as a freed
  // offer's memory is handed to the next): still another person, not hired.
  gTransferMarket->Scientists.push_back(std::make_unique<TScientist>());
  gTransferMarket->Scientists[0]->Name = "Scientist 0";
  gInGameGUI->UpdateAllWindows();
  ClickRow("transfermarket", "listbox_free", "free_scientist_0");
  ASSERT_EQ(Free().Items[static_cast<std::size_t>(Free().ItemIndex)].Caption, "Scientist 0");
  TScientist* Place = gTransferMarket->Scientists[0].get();
  std::destroy_at(Place);
  std::construct_at(Place);
  Place->Name = "Scientist 0";
  Place->Cost = 10;
  Click("transfer_hire");
  EXPECT_EQ(Player().Scientists.size(), 1u);
  EXPECT_EQ(Player().Ressources, 1000.0f);
  // The lists show the market as it is; the new offer is hired from its own row.
  ASSERT_EQ(Free().Items[static_cast<std::size_t>(Free().ItemIndex)].Caption, "Scientist 0");
  Click("transfer_hire");
  EXPECT_EQ(Player().Scientists.size(), 2u);
  EXPECT_EQ(Player().Ressources, 990.0f);
}

TEST_F(TransferMarketTest, FiringLeavesNoDanglingLinks) {
  Player().Ressources = 1000;
  ClickRow("transfermarket", "listbox_free", "free_general_0");
  Click("transfer_hire");
  TGeneral* General = Player().Generals.at(0).get();
  TDivision* Division = Player().AddDivision("First", 0);
  Division->General = General;
  General->Division = Division;
  ClickRow("transfermarket", "listbox_player", "player_general_0");
  EXPECT_EQ(Button().Name, "transfer_fire");
  EXPECT_EQ(Free().ItemIndex, -1);
  Click("transfer_fire");
  EXPECT_TRUE(Played("StaffFire"));
  EXPECT_TRUE(Player().Generals.empty());
  EXPECT_EQ(Division->General, nullptr);

  // The spy the espionage window shows, while it waits for its target region.
  auto Offer = std::make_unique<TSpy>();
  Offer->Name = "Spy Vale";
  Player().AddSpy(*Offer);
  gInGameGUI->OpenWindow("espionage");
  ClickRow("espionage", "free_spies", "free_spy");
  Click("espionage_infiltrate");
  ASSERT_EQ(Game->CursorMode, 4);
  // A click on the espionage window's own row name leaves this window's button alone.
  Click("free_spy");
  EXPECT_EQ(Button().Name, "transfer_fire");
  gInGameGUI->UpdateAllWindows();
  ClickRow("transfermarket", "listbox_player", "player_spy_0");
  Click("transfer_fire");
  EXPECT_TRUE(Player().Spies.empty());
  EXPECT_EQ(Game->EspionageSelectedSpy, nullptr);
  EXPECT_EQ(Game->CursorMode, 0);
  EXPECT_EQ(Window("espionage").Y, Game->EspionageSavedWindowRect.Y);
}

TEST_F(TransferMarketTest, AttributePanelShowsEachValueUnderItsOwnLabel) {
  const auto Rows = StaffAttributes(StaffFromRowID("free_general_0"));
  ASSERT_GE(Rows.size(), 2u);
  // Attack above defence, as the region window lists a division's general.
  EXPECT_EQ(Rows[0].LabelKey, "szStrStaffGeneralAttAttack");
  EXPECT_EQ(Rows[0].Gauge, 80.0f);
  EXPECT_EQ(Rows[1].LabelKey, "szStrStaffGeneralAttDefense");
  EXPECT_EQ(Rows[1].Gauge, 20.0f);
  EXPECT_EQ(Rows[2].LabelKey, "szStrStaffGeneralAttMovement");
  EXPECT_EQ(Rows.back().LabelKey, "szStrStaffHireCost");
  EXPECT_NE(Rows.back().Text.find("50"), std::string::npos);
}

class EspionageTest : public WindowsTest {
protected:
  void SetUp() override {
    WindowsTest::SetUp();
    gCurrentTurn = 15;
    for (const char* Name : {"Ada", "Bo"}) {
      TSpy Offer;
      Offer.Name = Name;
      Offer.Espionage = Offer.Sabotage = Offer.Hiding = 50;
      Player().AddSpy(Offer);
    }
    Agent = Player().Spies[1].get();
    Agent->Region = gRegions.at(3).get();
    gRegions.at(3)->Spy = Agent;
    Agent->RoundInfiltrated = 12;
    gInGameGUI->OpenWindow("espionage");
  }
  TSpy* Agent = nullptr;
};

TEST_F(EspionageTest, ButtonsRefuseWithoutASpy) {
  Item<TGLListBox>("espionage", "free_spies").ItemIndex = -1;
  Item<TGLListBox>("espionage", "used_spies").ItemIndex = -1;
  EXPECT_EQ(IDs(Item<TGLListBox>("espionage", "free_spies")), (std::vector<std::string>{"free_spy"}));
  EXPECT_EQ(IDs(Item<TGLListBox>("espionage", "used_spies")), (std::vector<std::string>{"used_spy"}));
  const std::pair<const char*, const char*> Refusals[] = {{"espionage_infiltrate", "szMsgEspionageNoFreeSpySel"},
                                                          {"espionage_exfiltrate", "szMsgEspionageNoSpySel"},
                                                          {"espionage_regiondata", "szMsgEspionageNoFreeSpySel"},
                                                          {"espionage_divisiondata", "szMsgEspionageNoFreeSpySel"},
                                                          {"espionage_dosabotage", "szMsgEspionageNoFreeSpySel"}};
  for (const auto& [Button, Key] : Refusals) {
    Click(Button);
    EXPECT_EQ(MessageBox(), Localize(Key)) << Button;
    EXPECT_EQ(Window("messagedlg_ext").Caption, Localize("szStrDialogHint"));
    CloseMessageBox();
  }
  // A spy that has acted this round.
  ClickRow("espionage", "used_spies", "used_spy");
  Agent->HasAction = false;
  Click("espionage_regiondata");
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageNoActionLeft"));
}

TEST_F(EspionageTest, InfiltrateParksTheWindow) {
  const float Y = Window("espionage").Y;
  ClickRow("espionage", "free_spies", "free_spy");
  Click("espionage_infiltrate");
  EXPECT_EQ(Game->CursorMode, 4);
  EXPECT_EQ(Game->EspionageSelectedSpy, Player().Spies[0].get());
  EXPECT_EQ(Game->EspionageSavedWindowRect.Y, Y);
  EXPECT_EQ(Window("espionage").Y, 768 - 25);
}

TEST_F(EspionageTest, ReportsAndCapture) {
  ClickRow("espionage", "used_spies", "used_spy");
  EXPECT_EQ(Game->EspionageSelectedSpy, Agent);
  EXPECT_EQ(Item<TGLText>("espionage", "regiondata_last_update").Text, Localize("szStrEspionageLastUpdateNever"));
  // A spy who always makes it out.
  Agent->Espionage = 125;
  Click("espionage_regiondata");
  EXPECT_TRUE(Played("spygetinfo"));
  EXPECT_EQ(Item<TGLText>("espionage", "regiondata_last_update").Text, FormatText(Localize("szStrEspionageLastUpdate"), {"0"}));
  EXPECT_EQ(MessageBox(), "");
  // One who never does, but for the second chance: caught within a few tries.
  Agent->Espionage = -1;
  for (std::uint32_t Seed = 1; Seed < 50 && Player().Spies.size() == 2; ++Seed) {
    Agent->HasAction = true;
    SetRandomSeed(Seed);
    Click("espionage_divisiondata");
  }
  ASSERT_EQ(Player().Spies.size(), 1u);
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageSpyUncovered"));
  EXPECT_EQ(Window("messagedlg_ext").Caption, Localize("szStrDialogEspionage"));
  EXPECT_TRUE(Played("spycaptured"));
  EXPECT_EQ(Game->EspionageSelectedSpy, nullptr);
  EXPECT_EQ(gRegions.at(3)->Spy, nullptr);
  EXPECT_TRUE(Item<TGLListBox>("espionage", "used_spies").Items.empty());
}

TEST_F(EspionageTest, SabotageWithNothingChosenIsRefusedWithoutRisk) {
  ClickRow("espionage", "used_spies", "used_spy");
  auto& Actions = Item<TGLListBox>("espionage", "listbox_sabotage_actions");
  Actions.ItemIndex = -1;
  SetRandomSeed(77);
  Click("espionage_dosabotage");
  const std::int32_t Next = Random(1000000);
  SetRandomSeed(77);
  EXPECT_EQ(Next, Random(1000000)) << "a draw was made";
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageNoSabotageSel"));
  EXPECT_TRUE(Agent->HasAction);
  EXPECT_EQ(Player().Spies.size(), 2u);
}

TEST_F(EspionageTest, SabotageDoneIsReportedWithoutTheWarningSound) {
  ClickRow("espionage", "used_spies", "used_spy");
  Agent->Sabotage = 150.0f;  // never caught
  gRegions.at(3)->Energy = 0.7f;
  ClickRow("espionage", "listbox_sabotage_actions", "sabotage_disablepower");
  Services->Sounds.clear();
  Click("espionage_dosabotage");
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageSabotageDone"));
  EXPECT_EQ(Window("messagedlg_ext").Caption, Localize("szStrDialogSabotageDone"));
  EXPECT_FALSE(Played("DefaultWarn"));
  EXPECT_EQ(gRegions.at(3)->Energy, 0.0f);
  EXPECT_FALSE(Agent->HasAction);
  EXPECT_EQ(Player().Spies.size(), 2u);
  CloseMessageBox();
  // Its action is spent for this round.
  Click("espionage_dosabotage");
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageNoActionLeft"));
}

TEST_F(EspionageTest, AnInfiltrationEndsOnTheRegionClickedOnTheGlobe) {
  // The player's region and two foreign ones without a spy.
  gRegions.at(0)->Owner = 0;
  std::vector<std::int32_t> Foreign;
  for (const auto& R : gRegions)
    if (R->ID != 3 && R->ID != 0 && Foreign.size() < 2) {
      R->Owner = 1;
      Foreign.push_back(R->ID);
    }
  ASSERT_EQ(Foreign.size(), 2u);
  Game->State = gsEarthView;
  // A click on the globe at a point no window covers, the region under it picked.
  auto ClickGlobe = [&](std::int32_t Region) {
    Game->PickHook = [Region] { return Region + 1; };
    gMouseX = 500;
    gMouseY = 300;
    Game->MouseDown(1, 0, 500, 300);
    Game->MouseUp(1, 0, 500, 300);
    Game->PickHook = nullptr;
  };
  TSpy* Ada = Player().Spies[0].get();
  Ada->Hiding = 100.0f;  // always slips in
  const float Y = Window("espionage").Y;
  ClickRow("espionage", "free_spies", "free_spy");
  Click("espionage_infiltrate");
  ASSERT_EQ(Game->CursorMode, 4);

  // The player's own region is no target: the hint, and the choice goes on.
  ClickGlobe(0);
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageInvalidRegion"));
  EXPECT_EQ(Game->CursorMode, 4);
  CloseMessageBox();

  // A foreign one: the spy is in, with its message and the box's sound, and the window is back.
  Services->Sounds.clear();
  ClickGlobe(Foreign[0]);
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageRegionInfiltrated"));
  EXPECT_TRUE(Played("DefaultWarn"));
  EXPECT_EQ(Ada->Region, gRegions.at(static_cast<std::size_t>(Foreign[0])).get());
  EXPECT_EQ(gRegions.at(static_cast<std::size_t>(Foreign[0]))->Spy, Ada);
  EXPECT_FALSE(Ada->HasAction);
  EXPECT_EQ(Game->CursorMode, 0);
  EXPECT_EQ(Window("espionage").Y, Y);
  EXPECT_EQ(Item<TGLListBox>("espionage", "used_spies").Items.size(), 2u);
  CloseMessageBox();

  // A spy who never slips in but for the second chance is caught at the border within a few
  // tries: its message, and it is gone.
  Agent->Withdraw();
  Agent->Hiding = -1.0f;
  bool Caught = false;
  for (std::uint32_t Seed = 1; Seed < 50 && !Caught; ++Seed) {
    Agent->HasAction = true;
    gInGameGUI->UpdateAllWindows();
    ClickRow("espionage", "free_spies", "free_spy");
    ASSERT_EQ(Game->EspionageSelectedSpy, Agent);
    Click("espionage_infiltrate");
    SetRandomSeed(Seed);
    ClickGlobe(Foreign[1]);
    Caught = Player().Spies.size() == 1;
    if (!Caught) {
      Agent->Withdraw();  // slipped in after all: out again for the next try
      CloseMessageBox();
    }
  }
  ASSERT_TRUE(Caught);
  EXPECT_EQ(MessageBox(), Localize("szMsgEspionageSpyCaputredInfiltration"));
  EXPECT_EQ(Game->EspionageSelectedSpy, nullptr);
  EXPECT_EQ(gRegions.at(static_cast<std::size_t>(Foreign[1]))->Spy, nullptr);
}

TEST_F(EspionageTest, SelectedSpyFollowsThePlayersSpies) {
  ClickRow("espionage", "used_spies", "used_spy");
  EXPECT_EQ(FormatText(Localize("szStrEspionageInfiltratedSince"), {std::to_string(gCurrentTurn - Agent->RoundInfiltrated)}),
            FormatText(Localize("szStrEspionageInfiltratedSince"), {"3"}));
  // A new game frees every spy; the window's refresh and drawing must not reach the freed one.
  Player().Reset();
  EXPECT_EQ(EspionageSelectedSpy(*Game), nullptr);
  gInGameGUI->UpdateAllWindows();
  EXPECT_TRUE(Item<TGLListBox>("espionage", "used_spies").Items.empty());
  // The market's spy rows are not this window's rows.
  Click("free_spy_0");
  EXPECT_EQ(Game->EspionageSelectedSpy, nullptr);
}

TEST_F(WindowsTest, StatisticsAndInformationCentre) {
  for (const std::string Language : {"ger", "eng"}) {
    if (Language == "ger") Load("ger");
    // The information centre's button fills the drop-down with every statistic.
    Click("button_stats");
    EXPECT_TRUE(Window("statistics").Visible);
    auto& DropDown = Item<TGLDropDown>("statistics", "dropdown_stat");
    ASSERT_EQ(DropDown.Items.size(), 8u) << Language;
    for (std::size_t i = 0; i < 8; ++i) {
      const auto& Row = DropDown.Items[i];
      EXPECT_EQ(Row.ID, gStatisticKeys[i]) << Language;
      EXPECT_EQ(Row.Caption, Localize("szStrStat" + gStatisticKeys[i])) << Language;
      EXPECT_EQ(Row.Caption.find("NOT_LOCALIZED"), std::string::npos) << Row.ID;
    }
    DropDown.ItemIndex = 5;
    StatisticsWindow_Show(*Game);
    gInGameGUI->UpdateAllWindows();
    EXPECT_EQ(DropDown.GetSelectedID(), "militarystrength");
  }

  auto Balance = [](float In, float A, float B, float C) { return IncomeRows(In, A, B, C).back(); };
  EXPECT_EQ(Balance(10, 4, 3, 3).Value, "= 0");
  EXPECT_TRUE(Balance(10, 4, 3, 3).Income);
  EXPECT_EQ(Balance(0, 5, 0, 0).Value, "= -5");
  EXPECT_FALSE(Balance(0, 5, 0, 0).Income);
  EXPECT_EQ(IncomeRows(12.5f, 0, 0, 0).front().Value, "+ 12");
  EXPECT_EQ(IncomeRows(0, 2.5f, 0, 0)[1].Value, "- 2");

  // News of the human player only.
  gNations[0]->Messages.Add("Ours", "regioninfo", 0, 0);
  gNations[1]->Messages.Add("Theirs", "regioninfo", 1, 0);
  TBasicGameView().InfoCenterWindow_Refresh(*Game);
  EXPECT_TRUE(Window("infocenter").Visible);
  const auto Rows = Captions(static_cast<TGLListBox&>(Window("infocenter").GetGLGUIItem(0, "listbox")));
  EXPECT_TRUE(Contains(Rows, "Ours"));
  EXPECT_FALSE(Contains(Rows, "Theirs"));
}

TEST_F(WindowsTest, QuickChartTendencyFollowsEachNation) {
  for (auto& Pair : Game->QuickChart) Pair[0] = Pair[1] = {0, 1, 2, 3, 4};
  for (const auto& Column : QuickChartCells(*Game))
    for (const auto& Cell : Column) EXPECT_EQ(Cell.Tendency, TTendency::Same);
  // Regions: nation 1 climbs from place 1 to place 3 past nations 2 and 3.
  Game->QuickChart[0][0] = {0, 2, 3, 1, 4};
  const auto Cells = QuickChartCells(*Game);
  EXPECT_EQ(Cells[0][3].Nation, 1);
  EXPECT_EQ(Cells[0][3].Tendency, TTendency::Up);
  EXPECT_EQ(Cells[0][1].Tendency, TTendency::Down);
  EXPECT_EQ(Cells[0][2].Tendency, TTendency::Down);
  EXPECT_EQ(Cells[0][4].Tendency, TTendency::Same);
}

}  // namespace
