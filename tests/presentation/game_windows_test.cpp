// The region, army and battle windows driven through their click and show handlers against the
// game's own window files: what each refuses and with which message, what a success changes and
// which sound it plays, and that rows outliving their objects do nothing.
#include <algorithm>
#include <memory>

#include "engine/localization.h"
#include "gui/button.h"
#include "gui/edit.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "platform/virtual_keys.h"
#include "platform/xml_document.h"
#include "presentation/windows/window_common.h"
#include "support/locale_swap.h"
#include "window_fixture.h"
#include "world/building_type.h"
#include "world/earth.h"
#include "world/statistics.h"
#include "world/unit_type.h"

namespace {

using UnitBuildWindow = WindowTest;

TEST_F(UnitBuildWindow, ListsBuildableTypesAndQueuesSixteenOrdersAtMost) {
  TNation& N = Nation(0);
  N.Ressources = 75.0f * 17;  // exactly enough for all seventeen
  gInGameGUI->OpenWindow("military");
  // Nation-0 types without a technology; not the armoured one (unresearched) nor the rebels'.
  const auto Types = Captions(List("military", 1));
  EXPECT_NE(std::find(Types.begin(), Types.end(), "Light infantry"), Types.end()) << ::testing::PrintToString(Types);
  for (const auto& T : gUnitTypePool->Types) {
    if (T->Nation == 6 || !T->NeededTechID.empty()) {
      EXPECT_EQ(std::find(Types.begin(), Types.end(), T->GetName()), Types.end()) << T->ID;
    }
  }

  const auto Light = std::find(Types.begin(), Types.end(), "Light infantry") - Types.begin();
  List("military", 1).ItemIndex = static_cast<int>(Light);
  for (int I = 0; I < 16; ++I) Click("military_build_unit");
  EXPECT_EQ(N.BuildQueueTypes.size(), 16u);
  EXPECT_EQ(Count("UnitConstruct"), 16);
  EXPECT_EQ(TakeMessage(), "");
  EXPECT_FLOAT_EQ(N.Ressources, 75.0f);
  Click("military_build_unit");
  EXPECT_EQ(N.BuildQueueTypes.size(), 16u);
  EXPECT_NE(TakeMessage().find("szMsgArmyQueueFull"), std::string::npos);
  EXPECT_FLOAT_EQ(N.Ressources, 75.0f);
  EXPECT_EQ(Count("DefaultWarn"), 1);

  // Building header, four rows with their rounds, waiting header, the rest without.
  const auto Queue = List("military", 0).Items;
  ASSERT_EQ(Queue.size(), 18u);
  EXPECT_TRUE(Queue[0].ID.empty());
  EXPECT_EQ(Queue[1].ID, "unit_queue_0");
  EXPECT_NE(Queue[4].Caption.find(" ("), std::string::npos);
  EXPECT_TRUE(Queue[5].ID.empty());
  EXPECT_EQ(Queue[6].Caption, "Light infantry");

  // Cancelling refunds half the cost, halves to even: 75 gives 38; a header row does nothing.
  List("military", 0).ItemIndex = 5;
  Click("military_remove_from_queue");
  EXPECT_EQ(N.BuildQueueTypes.size(), 16u);
  List("military", 0).ItemIndex = 6;
  Click("military_remove_from_queue");
  EXPECT_EQ(N.BuildQueueTypes.size(), 15u);
  EXPECT_FLOAT_EQ(N.Ressources, 113.0f);
}

TEST_F(UnitBuildWindow, AnOrderBeyondTheRessourcesChargesNothing) {
  Nation(0).Ressources = 74.0f;
  gInGameGUI->OpenWindow("military");
  List("military", 1).ItemIndex = 0;
  Click("military_build_unit");
  EXPECT_TRUE(Nation(0).BuildQueueTypes.empty());
  EXPECT_FLOAT_EQ(Nation(0).Ressources, 74.0f);
  EXPECT_NE(TakeMessage().find("szMsgArmyNotEnoughRes"), std::string::npos);
  EXPECT_EQ(Count("UnitConstruct"), 0);
}

using BuildWindow = WindowTest;

TEST_F(BuildWindow, ChecksInOrderThenStartsTheConstruction) {
  TNation& N = Nation(0);
  const TBuildingType* Greenhouse = gBuildingTypePool->FindByID("building_greenhouse");
  ASSERT_NE(Greenhouse, nullptr);
  N.Ressources = static_cast<float>(Greenhouse->BuildCost);
  gInGameGUI->OpenWindow("region_build");
  // Eight headers even for empty categories; the greenhouse needs no technology.
  const auto& Rows = List("region_build", 0).Items;
  EXPECT_EQ(std::count_if(Rows.begin(), Rows.end(), [](const TListItem& I) { return I.ID.rfind("category_", 0) == 0; }), 8);
  const std::string Row = "buildingid_" + std::to_string(Greenhouse->Number);
  EXPECT_NE(std::find_if(Rows.begin(), Rows.end(), [&](const TListItem& I) { return I.ID == Row; }), Rows.end());
  const TBuildingType* PowerPlant = gBuildingTypePool->FindByID("building_powerplant");
  EXPECT_EQ(std::find_if(Rows.begin(), Rows.end(),
                         [&](const TListItem& I) { return I.ID == "buildingid_" + std::to_string(PowerPlant->Number); }),
            Rows.end());

  Click("region_build_construct");
  EXPECT_NE(TakeMessage().find("szMsgBuildNoBuildingType"), std::string::npos);
  Click(Row);
  Click("region_build_construct");
  EXPECT_NE(TakeMessage().find("szMsgBuildNoBuildingSpot"), std::string::npos);
  Game->RegionDetailsSelectedSlot = 4;
  Build(0, 1, 1, "building_greenhouse");
  Click("region_build_construct");
  EXPECT_NE(TakeMessage().find("szMsgBuildSpotOccupied"), std::string::npos);
  Region(0).Buildings[0][0].FinishType = Greenhouse;
  Click("region_build_construct");
  EXPECT_NE(TakeMessage().find("szMsgBuildAlreadyBuilding"), std::string::npos);
  // No spot chosen is told first, also while a construction is under way.
  Game->RegionDetailsSelectedSlot = -1;
  Click("region_build_construct");
  EXPECT_NE(TakeMessage().find("szMsgBuildNoBuildingSpot"), std::string::npos);
  Region(0).Buildings[0][0].FinishType = nullptr;
  Game->RegionDetailsSelectedSlot = 5;
  N.Ressources -= 1.0f;
  Click("region_build_construct");
  EXPECT_NE(TakeMessage().find("szMsgBuildNotEnoughRes"), std::string::npos);
  EXPECT_EQ(Count("construct"), 0);

  // A type without its technology is not started, whichever way it was chosen.
  N.Ressources += 1000.0f;
  Game->BuildSelectedType = PowerPlant;
  Click("region_build_construct");
  EXPECT_FALSE(TakeMessage().empty());
  EXPECT_EQ(Region(0).Buildings[1][2].FinishType, nullptr);

  Click(Row);
  Services->Sounds.clear();
  Click("region_build_construct");
  EXPECT_EQ(TakeMessage(), "");
  EXPECT_EQ(Region(0).Buildings[1][2].FinishType, Greenhouse);
  EXPECT_EQ(Region(0).Buildings[1][2].FinishTime, Greenhouse->BuildTime);
  EXPECT_FLOAT_EQ(N.Ressources, 999.0f);
  EXPECT_EQ(Region(0).StatusIcon, "gui_icon_underconstruction");
  EXPECT_FALSE(Window("region_build").Visible);
  EXPECT_EQ(Services->Sounds, std::vector<std::string>{"construct"});
}

TEST_F(BuildWindow, AForeignRegionIsLeftAlone) {
  Region(0).Owner = 1;
  List("region_build", 0).Items.clear();
  BuildWindow_Show(*Game);
  EXPECT_TRUE(List("region_build", 0).Items.empty());
  Game->BuildSelectedType = gBuildingTypePool->FindByID("building_greenhouse");
  Game->RegionDetailsSelectedSlot = 0;
  Nation(0).Ressources = 1000.0f;
  Click("region_build_construct");
  EXPECT_EQ(Region(0).Buildings[0][0].FinishType, nullptr);
  EXPECT_EQ(TakeMessage(), "");
}

using ArmyWindow = WindowTest;

TEST_F(ArmyWindow, DivisionsTakeFourteenUnitsAndFreedUnitsAreLocked) {
  TNation& N = Nation(0);
  gInGameGUI->OpenWindow("army_management");
  Click("army_management_new_army");
  ASSERT_EQ(N.Divisions.size(), 1u);
  EXPECT_EQ(N.Divisions[0]->Name, "Division 0");
  EXPECT_EQ(N.Divisions[0]->Region, -1);
  TDivision& D = *N.Divisions[0];
  for (int I = 0; I < 15; ++I) N.AddUnit(TypeIndex("INF_LIGHT"));
  gInGameGUI->UpdateAllWindows();
  List("army_management", 1).ItemIndex = 0;
  Click("listbox_division_0");
  EXPECT_EQ(Window("army_management").GetItem<TGLText>("division_region").Text, "szStrArmyNotStationed_NOT_LOCALIZED_");
  for (int I = 0; I < 14; ++I) {
    List("army_management", 0).ItemIndex = 0;
    Click("army_management_assign_unit");
    ASSERT_EQ(TakeMessage(), "") << I;
  }
  EXPECT_EQ(D.UnitCount(), 14);
  List("army_management", 0).ItemIndex = 0;
  Click("army_management_assign_unit");
  EXPECT_NE(TakeMessage().find("szMsgArmyMaxUnitCap"), std::string::npos);
  EXPECT_EQ(Caption(), "Notice");
  EXPECT_EQ(D.UnitCount(), 14);

  // Freeing a unit: "(*)" in the list, refused while locked.
  ArmyWindow_Render(*Game);
  auto& Assigned = Window("army_management").GetItem<TGLListBox>("listbox_assigned_unit");
  ASSERT_EQ(Assigned.Items.size(), 14u);
  EXPECT_EQ(Assigned.Items[0].Caption, "Light infantry (100%)");
  Assigned.ItemIndex = 0;
  Click("army_management_free_unit");
  EXPECT_EQ(D.UnitCount(), 13);
  const auto Free = Captions(List("army_management", 0));
  EXPECT_EQ(std::count(Free.begin(), Free.end(), "Light infantry(*)"), 1);
  const auto Locked = std::find(Free.begin(), Free.end(), "Light infantry(*)") - Free.begin();
  List("army_management", 0).ItemIndex = static_cast<int>(Locked);
  Click("army_management_assign_unit");
  EXPECT_NE(TakeMessage().find("szMsgArmyUnitLocked"), std::string::npos);
  EXPECT_EQ(D.UnitCount(), 13);

  // A division that has moved keeps its units: freeing one is refused as a locked unit.
  D.HasMoved = true;
  ArmyWindow_Render(*Game);
  Assigned.ItemIndex = 0;
  Click("army_management_free_unit");
  EXPECT_NE(TakeMessage().find("szMsgArmyUnitLocked"), std::string::npos);
  EXPECT_EQ(Caption(), "Notice");
  EXPECT_EQ(D.UnitCount(), 13);
}

TEST_F(ArmyWindow, DissolvingRenamingStationingAndGenerals) {
  TNation& N = Nation(0);
  TDivision& D = *N.AddDivision("First", -1);
  N.AddUnit(TypeIndex("INF_LIGHT"))->Division = &D;
  TGeneral Offer;
  Offer.Name = "Ada";
  TGeneral& G = *N.AddGeneral(Offer);
  gInGameGUI->OpenWindow("army_management");
  List("army_management", 1).ItemIndex = 0;

  // Generals: none chosen, then appointed (texts follow), then relieved.
  Window("army_management").GetItem<TGLListBox>("listbox_freegenerals").ItemIndex = -1;
  Click("army_management_assign_general");
  EXPECT_NE(TakeMessage().find("szMsgArmyNoGeneralSel"), std::string::npos);
  Window("army_management").GetItem<TGLListBox>("listbox_freegenerals").ItemIndex = 0;
  Click("army_management_assign_general");
  EXPECT_EQ(D.General, &G);
  EXPECT_EQ(Window("army_management").GetItem<TGLText>("division_general").Text, "Ada");
  EXPECT_TRUE(Window("army_management").GetItem<TGLListBox>("listbox_freegenerals").Items.empty());
  Click("army_management_free_general");
  EXPECT_EQ(D.General, nullptr);
  EXPECT_EQ(Window("army_management").GetItem<TGLText>("division_general").Text, "szStrArmyNoGeneral_NOT_LOCALIZED_");
  N.AssignGeneral(G, D);

  // An empty name is refused with the notice caption.
  Window("army_management").GetItem<TGLEdit>("division_name").Text.clear();
  Click("army_management_rename_division");
  EXPECT_NE(TakeMessage().find("szMsgArmyInvalidDivisionName"), std::string::npos);
  EXPECT_EQ(Caption(), "Notice");
  EXPECT_EQ(D.Name, "First");

  // Stationing parks the window and starts mode 1; a running mode keeps the division.
  const float Y = Window("army_management").Y;
  Click("army_management_assign_army");
  EXPECT_EQ(Game->CursorMode, 1);
  EXPECT_EQ(Game->StationDivision, &D);
  EXPECT_FLOAT_EQ(Window("army_management").Y, 768.0f - 25.0f);
  EXPECT_FLOAT_EQ(Game->SavedWindowRect.Y, Y);
  Click("army_management_delete_army");
  EXPECT_FALSE(TakeMessage().empty());
  ASSERT_EQ(N.Divisions.size(), 1u);
  Game->CursorMode = 0;

  // Stationing the shown division names its new region at once, without another click on it.
  Click("listbox_division_0");
  EXPECT_EQ(Window("army_management").GetItem<TGLText>("division_region").Text, "szStrArmyNotStationed_NOT_LOCALIZED_");
  std::int32_t Own = -1;
  for (auto& R : gRegions)
    if (R->Owner == 0 && !R->GetDivision() && Own < 0) Own = R->ID;
  ASSERT_GE(Own, 0);
  Click("army_management_assign_army");
  ASSERT_EQ(Game->CursorMode, 1);
  Game->State = gsEarthView;
  Game->PickHook = [Own] { return Own + 1; };
  gMouseX = 500;
  gMouseY = 300;  // on the globe, away from the parked window
  Game->MouseDown(1, 0, 500, 300);
  Game->MouseUp(1, 0, 500, 300);
  Game->PickHook = nullptr;
  EXPECT_EQ(D.Region, Own);
  EXPECT_EQ(Window("army_management").GetItem<TGLText>("division_region").Text,
            gRegions[static_cast<std::size_t>(Own)]->GetName());
  D.Region = -1;
  gInGameGUI->UpdateAllWindows();

  // A moved division stays; otherwise its units come back locked and its general free.
  D.HasMoved = true;
  Click("army_management_delete_army");
  EXPECT_NE(TakeMessage().find("szMsgArmyDivisionLocked"), std::string::npos);
  ASSERT_EQ(N.Divisions.size(), 1u);
  D.HasMoved = false;
  Click("army_management_delete_army");
  EXPECT_TRUE(N.Divisions.empty());
  EXPECT_EQ(Captions(List("army_management", 0)), std::vector<std::string>{"Light infantry(*)"});
  EXPECT_EQ(Captions(Window("army_management").GetItem<TGLListBox>("listbox_freegenerals")),
            std::vector<std::string>{"Ada"});

  // The old selection names nothing now: every division action does nothing.
  List("army_management", 1).ItemIndex = 0;
  for (const char* Name : {"army_management_rename_division", "army_management_assign_army", "army_management_delete_army",
                           "army_management_division_region", "listbox_division_0"})
    Click(Name);
  EXPECT_EQ(TakeMessage(), "");
  Click("army_management_free_general");
  EXPECT_NE(TakeMessage().find("szMsgArmyNoDivisionSel"), std::string::npos);
}

TEST_F(ArmyWindow, TheNameFieldNeverNamesAGoneDivision) {
  TNation& N = Nation(0);
  TDivision& Alpha = *N.AddDivision("Alpha", -1);
  N.AddDivision("Bravo", -1);
  gInGameGUI->OpenWindow("army_management");
  TGLWindow& W = Window("army_management");
  auto& Name = W.GetItem<TGLEdit>("division_name");
  List("army_management", 1).ItemIndex = 1;
  Click("listbox_division_1");
  ASSERT_EQ(Name.Text, "Bravo");

  // Bravo is lost in a battle; when the window shows again its texts are gone with it.
  N.RemoveDivision(1, true);
  ArmyWindow_Show(*Game);
  EXPECT_EQ(Name.Text, "");
  EXPECT_EQ(W.GetItem<TGLText>("division_region").Text, "");
  EXPECT_EQ(W.GetItem<TGLText>("division_general").Text, "");
  // The list now selects Alpha: Rename refuses the empty field instead of renaming Alpha.
  List("army_management", 1).ItemIndex = 0;
  Click("army_management_rename_division");
  EXPECT_NE(TakeMessage().find("szMsgArmyInvalidDivisionName"), std::string::npos);
  EXPECT_EQ(Alpha.Name, "Alpha");

  // Alpha shown; a new division keeps the texts of the division still selected.
  Click("listbox_division_0");
  Name.Text = "Anvil";  // typed, not yet renamed
  Click("army_management_new_army");
  ASSERT_EQ(N.Divisions.size(), 2u);
  EXPECT_EQ(N.Divisions[1]->Name, "Division 1");
  EXPECT_EQ(Name.Text, "Anvil");
  EXPECT_EQ(W.GetItem<TGLText>("division_region").Text, "szStrArmyNotStationed_NOT_LOCALIZED_");

  // A new division made in the very memory of the shown one is another division all the same.
  TDivision* Place = N.Divisions[0].get();
  std::destroy_at(Place);
  std::construct_at(Place);
  Place->Name = "Alpha";
  Place->Nation = &N;
  Place->Region = -1;
  ArmyWindow_Show(*Game);
  EXPECT_EQ(Name.Text, "");
}

TEST_F(ArmyWindow, TheDivisionsRegionButtonSelectsItForTheGlobeAndTheWindows) {
  TNation& N = Nation(0);
  Region(2).Owner = 0;
  TDivision& D = *N.AddDivision("Second", 2);
  N.AddUnit(TypeIndex("INF_LIGHT"))->Division = &D;
  gInGameGUI->OpenWindow("army_management");
  List("army_management", 1).ItemIndex = 0;
  Game->RegionDetailsSelectedSlot = 1;
  Click("army_management_division_region");
  EXPECT_EQ(gSelectedRegion, 2);
  EXPECT_EQ(Game->Earth->SelRegion, 2);
  EXPECT_EQ(Game->RegionDetailsSelectedSlot, -1);
  EXPECT_TRUE(Window("regioninfo").Visible);
}

TEST_F(ArmyWindow, UnitStrengthIconsRoundHalfToEven) {
  TUnitType& Light = *gUnitTypePool->FindByID("INF_LIGHT");
  Nation(0).AddUnit(Light.Index);
  for (auto [Attack, Icon] : {std::pair{125, "gui_icon_armylist_strength2"}, std::pair{400, "gui_icon_armylist_strength5"},
                              std::pair{175, "gui_icon_armylist_strength4"}}) {
    Light.AttGround = Attack;
    ArmyWindow_Show(*Game);
    EXPECT_EQ(List("army_management", 0).Items.at(0).Icon, Icon) << Attack;
  }
}

using RegionWindow = WindowTest;

TEST_F(RegionWindow, MoveManageAndDemolish) {
  TNation& N = Nation(0);
  TDivision& D = *N.AddDivision("Guard", 0);
  Click("regiondetails_move_army");
  EXPECT_NE(TakeMessage().find("szMsgArmyDivisionEmptyCantMove"), std::string::npos);
  D.HasMoved = true;
  Click("regiondetails_move_army");  // empty beats moved
  EXPECT_NE(TakeMessage().find("szMsgArmyDivisionEmptyCantMove"), std::string::npos);
  N.AddUnit(TypeIndex("INF_LIGHT"))->Division = &D;
  Click("regiondetails_move_army");
  EXPECT_NE(TakeMessage().find("szMsgArmyDivisionMoved"), std::string::npos);
  EXPECT_EQ(Game->CursorMode, 0);
  D.HasMoved = false;
  Click("regiondetails_move_army");
  EXPECT_EQ(TakeMessage(), "");
  EXPECT_EQ(Game->CursorMode, 2);
  EXPECT_EQ(Game->MoveDivisionIndex, D.ID);
  EXPECT_EQ(Game->MoveSourceRegion, &Region(0));
  EXPECT_FLOAT_EQ(Window("regioninfo").Y, 768.0f - 25.0f);
  Game->CursorMode = 0;

  // Manage selects the region's division and shows its name for renaming.
  N.AddDivision("Other", -1);
  std::swap(N.Divisions[0], N.Divisions[1]);
  N.Divisions[0]->ID = 0;
  N.Divisions[1]->ID = 1;
  Window("army_management").GetItem<TGLEdit>("division_name").Text = "Other";
  Click("regiondetails_manage_army");
  EXPECT_TRUE(Window("army_management").Visible);
  EXPECT_EQ(List("army_management", 1).ItemIndex, 1);
  EXPECT_EQ(Window("army_management").GetItem<TGLEdit>("division_name").Text, "Guard");

  // Demolishing a slot with a building and a construction entry removes only the building.
  Build(0, 0, 2, "building_greenhouse");
  Region(0).Buildings[0][2].FinishType = gBuildingTypePool->FindByID("building_greenhouse");
  Game->RegionDetailsSelectedSlot = 2;
  Click("regiondetails_destroy_building");
  EXPECT_EQ(Region(0).Buildings[0][2].Type, nullptr);
  EXPECT_NE(Region(0).Buildings[0][2].FinishType, nullptr);
  EXPECT_EQ(Count("demolish"), 1);
  Click("regiondetails_destroy_building");
  EXPECT_EQ(Region(0).Buildings[0][2].FinishType, nullptr);
  Click("regiondetails_destroy_building");
  EXPECT_EQ(Count("demolish"), 2);

  // Another nation's region: nothing.
  Region(0).Owner = 1;
  Click("regiondetails_move_army");
  EXPECT_EQ(TakeMessage(), "");
}

TEST(RegionValues, FormattingColoursAndDiorama) {
  EXPECT_EQ(FormatRegionValue(0.56f), "0.6");
  EXPECT_EQ(FormatRegionValue(1.25f), "1.0");
  EXPECT_EQ(FormatRegionValue(0.0f), "0.0");
  EXPECT_EQ(FormatRegionValue(-0.34f), "-0.3");
  EXPECT_EQ(FormatRegionValue(12.0f), "1E+01");
  EXPECT_EQ(FormatRegionValue(9.7f), "1E+01");
  // A German locale writes a decimal comma, whatever language the game speaks.
  {
    const TLocaleSwap German(TLocaleSwap::German);
    if (German.Available()) {
      EXPECT_EQ(FormatRegionValue(0.56f), "0,6");
      EXPECT_EQ(FormatRegionValue(1.25f), "1,0");
      EXPECT_EQ(FormatRegionValue(-0.34f), "-0,3");
      EXPECT_EQ(FormatRegionValue(0.04f), "0,0");
      EXPECT_EQ(FormatRegionValue(12.0f), "1E+01");
    }
  }

  const TVector3 Red{1, 0, 0}, Yellow{1, 1, 0}, White{1, 1, 1};
  auto Is = [](TVector3 A, TVector3 B) { return A.X == B.X && A.Y == B.Y && A.Z == B.Z; };
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Loyality, 0.29f), Red));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Loyality, 0.3f), Yellow));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Loyality, 0.4f), White));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Pollution, 0.8f), Yellow));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Pollution, 0.81f), Red));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Pollution, 0.6f), White));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Energy, 0.0f), Yellow));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Energy, -0.01f), Red));
  EXPECT_TRUE(Is(RegionValueColour(TRegionValueKind::Energy, 0.2f), White));

  TRegion R;
  R.Population = 0.8f;
  R.Pollution = 0.5f;
  EXPECT_EQ(DioramaChoices(R).Level, 2);
  EXPECT_EQ(DioramaChoices(R).WaterTexture, "setting_water_dirty");
  EXPECT_FALSE(DioramaChoices(R).Fog);
  R.Population = 0.81f;
  R.Pollution = 0.51f;
  R.Energy = -0.01f;
  EXPECT_EQ(DioramaChoices(R).Level, 3);
  EXPECT_TRUE(DioramaChoices(R).Fog);
  EXPECT_TRUE(DioramaChoices(R).Dark);
  R.Population = 0.5f;
  R.Pollution = 0.49f;
  R.Energy = 0.0f;
  EXPECT_EQ(DioramaChoices(R).Level, 1);
  EXPECT_EQ(DioramaChoices(R).WaterTexture, "setting_water");
  EXPECT_FALSE(DioramaChoices(R).Dark);
}

using BattleWindow = WindowTest;

TEST_F(BattleWindow, RunsAtTheChosenSpeedToVictoryAndFreesTheDefenceOnce) {
  // Nation 0's heavy division against region 3's defensive army.
  TNation& N = Nation(0);
  TDivision& A = *N.AddDivision("Strikers", 0);
  for (int I = 0; I < 6; ++I) N.AddUnit(TypeIndex("INF_HEAVY"))->Division = &A;
  Region(3).Owner = 1;
  Game->SavedWindowRect = TSavedWindowRect{11.0f, 22.0f, 3.0f};
  gBattle->Setup(A, Region(3), Region(3).GetDivision(), Region(3));
  AutoBattleWindow_Start(*Game);
  gInGameGUI->OpenWindow("autobattle");
  gInGameGUI->SetModalWindow("autobattle");
  TGLWindow& W = Window("autobattle");
  EXPECT_FALSE(W.GetGUIItemByID("button_autobattle_close").Visible);
  auto& Log = W.GetItem<TGLMemo>("memo_battle_log");
  ASSERT_EQ(Log.Lines.size(), 1u);

  // Speed 0 never advances.
  Game->FrameTime = 1000.0;
  W.GetItem<TGLTrackBar>("trackbar_speed").Progress = 0;
  for (int I = 0; I < 50; ++I) AutoBattleWindow_Step(*Game);
  EXPECT_EQ(Log.Lines.size(), 1u);
  EXPECT_TRUE(gBattle->Running);

  // Any speed too fast for the frame steps once per frame, the timer back at 0.
  W.GetItem<TGLTrackBar>("trackbar_speed").Progress = 400;
  AutoBattleWindow_Step(*Game);
  EXPECT_EQ(gBattle->StepTimer, 0.0f);
  int Frames = 1;
  while (gBattle->Running && Frames < 5000) {
    AutoBattleWindow_Step(*Game);
    ++Frames;
  }
  ASSERT_FALSE(gBattle->Running);
  EXPECT_EQ(gBattle->Winner, &N);
  EXPECT_NE(TakeMessage().find("szMsgBattleWon"), std::string::npos);
  EXPECT_EQ(Count("DivisionBattleWon"), 1);
  EXPECT_EQ(Count("DefaultWarn"), 0);
  EXPECT_TRUE(W.GetGUIItemByID("button_autobattle_close").Visible);
  EXPECT_FALSE(W.CloseDisabled);
  EXPECT_EQ(gSelectedRegion, 3);
  EXPECT_EQ(Game->Earth->SelRegion, 3);  // the globe highlights the conquered region too
  EXPECT_FLOAT_EQ(Window("regioninfo").Y, 22.0f);

  Region(3).CreateDefensiveArmy();  // stands in for the army the battle left
  Click("autobattle_close");
  EXPECT_FALSE(W.Visible);
  EXPECT_TRUE(Region(3).Units.empty());
  Region(3).CreateDefensiveArmy();
  Click("autobattle_close");
  gInGameGUI->UpdateAllWindows();
  EXPECT_FALSE(Region(3).Units.empty());
}

// A finished battle's window closed with Escape leaves its army to be freed at the next refresh;
// a load in between must not let that release fall on the region of the loaded game.
TEST_F(BattleWindow, ALoadAfterABattleClosedWithEscapeKeepsTheLoadedRegionsArmy) {
  gStatisticServer = std::make_unique<TStatisticServer>();
  for (auto& Pair : Game->QuickChart)
    for (auto& Ranking : Pair) Ranking = {4, 3, 2, 1, 0};
  TXMLDocument Saved;
  Game->WriteSaveDocument(Saved, "before", "", "");
  TNation& N = Nation(0);
  TDivision& A = *N.AddDivision("Strikers", 0);
  for (int I = 0; I < 6; ++I) N.AddUnit(TypeIndex("INF_HEAVY"))->Division = &A;
  Region(3).Owner = 1;
  gBattle->Setup(A, Region(3), Region(3).GetDivision(), Region(3));
  AutoBattleWindow_Start(*Game);
  gInGameGUI->OpenWindow("autobattle");
  Window("autobattle").GetItem<TGLTrackBar>("trackbar_speed").Progress = 400;
  Game->FrameTime = 1000.0;
  for (int I = 0; I < 5000 && gBattle->Running; ++I) AutoBattleWindow_Step(*Game);
  ASSERT_FALSE(gBattle->Running);
  TakeMessage();
  ASSERT_EQ(gBattle->ArmyToRelease, 3);

  Game->State = gsEarthView;
  gInGameGUI->ActiveWindow = &Window("autobattle");
  Game->KeyDown(VK_ESCAPE, 0);
  ASSERT_FALSE(Window("autobattle").Visible);

  ASSERT_TRUE(Game->LoadFromDocument(Saved)) << TakeMessage();
  EXPECT_EQ(gBattle->ArmyToRelease, -1);
  // A battle of the loaded game raises the region's army; the rounds refresh the windows.
  Region(3).CreateDefensiveArmy();
  gInGameGUI->UpdateAllWindows();
  EXPECT_TRUE(Region(3).DefensiveDivision);
  EXPECT_FALSE(Region(3).Units.empty());
  gStatisticServer.reset();
}

// The GUI managers outlive the game object: its window handlers go with it.
TEST_F(BattleWindow, TheWindowHandlersGoWithTheGameObject) {
  ASSERT_TRUE(Window("autobattle").OnClick);
  Game.reset();
  for (const char* Name : {"autobattle", "regioninfo", "army_management", "region_build", "military"}) {
    EXPECT_FALSE(Window(Name).OnClick) << Name;
    EXPECT_FALSE(Window(Name).OnShow) << Name;
    EXPECT_FALSE(Window(Name).OnRender) << Name;
  }
  gInGameGUI->UpdateAllWindows();
  Click("autobattle_close");
}

TEST_F(BattleWindow, NoWinnerCountsAsLost) {
  TNation& N = Nation(0);
  TDivision& A = *N.AddDivision("Changers", 0);
  N.AddUnit(TypeIndex("MOB_ENVCHANGER"))->Division = &A;
  Region(3).Owner = 6;
  gBattle->Setup(A, Region(3), Region(3).GetDivision(), Region(3));
  AutoBattleWindow_Start(*Game);
  Window("autobattle").GetItem<TGLTrackBar>("trackbar_speed").Progress = 400;
  Game->FrameTime = 1000.0;
  for (int I = 0; I < 100 && gBattle->Running; ++I) AutoBattleWindow_Step(*Game);
  ASSERT_FALSE(gBattle->Running);
  EXPECT_NE(TakeMessage().find("szMsgBattleLost"), std::string::npos);
  EXPECT_EQ(Count("DivisionBattleLost"), 1);
  EXPECT_EQ(gSelectedRegion, 0);
  EXPECT_EQ(Game->Earth->SelRegion, 0);
}

}  // namespace
