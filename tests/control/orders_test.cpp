// Orders and input on a started game: taking unowned regions, attacks, moves, the globe's
// mouse and keys, and clicks on the real layouts' controls running their commands.
#include <gtest/gtest.h>

#include "control/control_globals.h"
#include "engine/localization.h"
#include "engine/sound_system.h"
#include "engine/streams.h"
#include "gui/button.h"
#include "gui/memo.h"
#include "platform/virtual_keys.h"
#include "play_fixture.h"
#include "support/recording_sound_backend.h"
#include "world/battle.h"
#include "world/division.h"
#include "world/unit.h"
#include "world/unit_type.h"

namespace {

std::int32_t UnitTypeIndex(const std::string& ID) {
  for (std::size_t i = 0; i < gUnitTypePool->Types.size(); ++i)
    if (gUnitTypePool->Types[i]->ID == ID) return static_cast<std::int32_t>(i);
  return -1;
}

std::int32_t RegionOf(std::uint8_t Owner) {
  for (auto& R : gRegions)
    if (R->Owner == Owner) return R->ID;
  return -1;
}

// A region of Nation beside one of Other, made so when the map has none: {Nation's, Other's}.
std::pair<std::int32_t, std::int32_t> Border(std::uint8_t Nation, std::uint8_t Other) {
  for (auto& R : gRegions)
    if (R->Owner == Nation)
      for (std::int32_t N : R->Neighbours)
        if (gRegions[static_cast<std::size_t>(N)]->Owner == Other) return {R->ID, N};
  for (auto& R : gRegions)
    if (R->Owner == Other)
      for (std::int32_t N : R->Neighbours)
        if (TRegion& Own = *gRegions[static_cast<std::size_t>(N)]; Own.Owner != Nation && Own.Owner != Other && !Own.GetDivision()) {
          Own.Owner = Nation;
          return {N, R->ID};
        }
  return {-1, -1};
}

}  // namespace

class OrdersTest : public PlayTest {
protected:
  // The fade direction of the main menu's skinned control K (1 the single-player sub-menu).
  static float SkinnedFade(std::int32_t K) { return gMainMenuGUI->Windows[0]->GetGLGUIItem(K, "skinned").FadeDir; }
  void SetUp() override {
    PlayTest::SetUp();
    Game->SelectedNation = 0;
    Game->StartNewGame(0);
  }
  void TearDown() override {
    gSoundSystem.reset();
    PlayTest::TearDown();
  }
  // A division of the player with Changers environment changers and one other unit, standing
  // in region From.
  TDivision& Division(std::int32_t From, int Changers) {
    TNation& P = *gNations[0];
    TDivision& D = *P.AddDivision("", From);
    for (int i = 0; i < Changers; ++i) P.AddUnit(UnitTypeIndex("MOB_ENVCHANGER"))->Division = &D;
    for (std::size_t t = 0; t < gUnitTypePool->Types.size(); ++t)
      if (gUnitTypePool->Types[t]->ID != "MOB_ENVCHANGER") {
        P.AddUnit(static_cast<std::int32_t>(t))->Division = &D;
        break;
      }
    return D;
  }
  void StartMove(TDivision& D) {
    Game->CursorMode = 2;
    Game->MoveSourceRegion = gRegions[static_cast<std::size_t>(D.Region)].get();
    Game->MoveDivisionIndex = D.ID;
  }
  void ClickGlobe(std::int32_t Region) {
    Game->PickHook = [Region] { return Region + 1; };
    gMouseX = gMouseY = 500;  // away from every window
    Game->MouseDown(1, 0, 500, 500);
    Game->MouseUp(1, 0, 500, 500);
  }
};

TEST_F(OrdersTest, AnEnvironmentChangerTakesAnUnownedRegionAndWithoutOneTheDivisionStays) {
  const auto [From, Free] = Border(0, TRegion::OwnerNobody);
  ASSERT_GE(Free, 0);
  TRegion& Target = *gRegions[static_cast<std::size_t>(Free)];
  Target.Loyality = 0.1f;
  Target.Population = 0.9f;
  TDivision& D = Division(From, 2);
  const std::size_t Units = gNations[0]->Units.size();
  const TUnit* Second = gNations[0]->Units[1].get();
  StartMove(D);
  ClickGlobe(Free);
  EXPECT_EQ(Target.Owner, 0);
  EXPECT_EQ(D.Region, Free);
  EXPECT_EQ(gNations[0]->Units.size(), Units - 1);
  EXPECT_EQ(gNations[0]->Units[0].get(), Second);  // the first changer went
  EXPECT_FLOAT_EQ(Target.Pollution, 0.2f);
  EXPECT_FLOAT_EQ(Target.Loyality, 0.4f);
  EXPECT_FLOAT_EQ(Target.Population, 0.9f);
  EXPECT_EQ(Game->CursorMode, 0);

  const auto [From2, Free2] = Border(0, TRegion::OwnerNobody);
  ASSERT_GE(Free2, 0);
  TDivision& Bare = Division(From2, 0);
  StartMove(Bare);
  ClickGlobe(Free2);
  EXPECT_EQ(gRegions[static_cast<std::size_t>(Free2)]->Owner, TRegion::OwnerNobody);
  EXPECT_EQ(Bare.Region, From2);
  EXPECT_EQ(Game->CursorMode, 0);
  EXPECT_NE(MessageText().find(Localize("szMsgNeedEnvChanger")), std::string::npos);
}

TEST_F(OrdersTest, AnAttackOpensTheLockedBattleWindowThatEscapeLeavesOpen) {
  const auto Front = Border(0, 1);
  ASSERT_GE(Front.first, 0);
  TDivision& D = Division(Front.first, 0);
  StartMove(D);
  // A region that is no neighbour: refused, the mode stays.
  std::int32_t Far = -1;
  for (auto& R : gRegions)
    if (R->ID != Front.first && !gRegions[static_cast<std::size_t>(Front.first)]->IsNeighbour(R->ID)) Far = R->ID;
  ClickGlobe(Far);
  EXPECT_EQ(Game->CursorMode, 2);
  EXPECT_NE(MessageText().find(Localize("szMsgRegionNoNeighbor")), std::string::npos);
  gInGameGUI->CloseWindow("messagedlg_ext");

  ClickGlobe(Front.second);
  EXPECT_EQ(Game->CursorMode, 0);
  TGLWindow* Battle = gInGameGUI->GetWindow("autobattle");
  EXPECT_TRUE(Battle->Visible && Battle->CloseDisabled);
  EXPECT_EQ(gInGameGUI->CurrentModalWindow(), Battle);
  EXPECT_TRUE(gBattle->Running);
  EXPECT_EQ(View->Calls.back(), "autobattle");
  Game->KeyDown(VK_ESCAPE, 0);
  EXPECT_TRUE(Battle->Visible);
}

TEST_F(OrdersTest, EveryAttackOrderSoundsTheBattleStartAndABattleNoWindowSound) {
  // The game's sound system on a recording device; each sound's bytes are its name.
  auto Backend = std::make_shared<TRecordingSoundBackend>();
  gSoundSystem = std::make_unique<TSoundSystem>(false, [](const std::string&, bool) {}, Backend);
  for (const char* Name : {"startbattle", "DivisionMove"}) gSoundSystem->AddSoundFromStream(TMemoryStream(std::string(Name)), Name);
  gSoundSystem->Enabled = true;
  auto Played = [&] {
    std::vector<std::string> Names;
    for (const std::string& Call : Backend->CallsStartingWith("PlaySound "))
      Names.push_back(Backend->SoundSources[static_cast<TSoundHandle>(std::stoul(Call.substr(10)))]);
    Backend->ClearCalls();
    return Names;
  };
  const std::vector<std::string> Start{"startbattle"};

  // An unowned region taken with an environment changer, and one refused without it.
  const auto [From, Free] = Border(0, TRegion::OwnerNobody);
  ASSERT_GE(Free, 0);
  StartMove(Division(From, 1));
  ClickGlobe(Free);
  EXPECT_EQ(gRegions[static_cast<std::size_t>(Free)]->Owner, 0);
  EXPECT_EQ(Played(), Start);
  const auto [From2, Free2] = Border(0, TRegion::OwnerNobody);
  ASSERT_GE(Free2, 0);
  StartMove(Division(From2, 0));
  ClickGlobe(Free2);
  EXPECT_NE(MessageText().find(Localize("szMsgNeedEnvChanger")), std::string::npos);
  EXPECT_EQ(Played(), Start);
  gInGameGUI->CloseWindow("messagedlg_ext");

  // A battle: its window comes up without the window sound on top of the attack's.
  const auto Front = Border(0, 1);
  ASSERT_GE(Front.first, 0);
  StartMove(Division(Front.first, 0));
  Services->Sounds.clear();
  ClickGlobe(Front.second);
  ASSERT_TRUE(gBattle->Running);
  EXPECT_TRUE(gInGameGUI->GetWindow("autobattle")->Visible);
  EXPECT_EQ(Played(), Start);
  EXPECT_EQ(std::count(Services->Sounds.begin(), Services->Sounds.end(), "WindowOpen"), 0);
}

TEST_F(OrdersTest, AMoveWhoseDivisionWentWithTheLastGameIsRefused) {
  const auto [From, To] = Border(0, 0);
  ASSERT_GE(From, 0);
  StartMove(Division(From, 0));
  Game->CursorMode = 0;
  const std::int32_t Source = Game->MoveSourceRegion->ID;
  Game->StartNewGame(0);  // frees the division and ends every mode
  EXPECT_EQ(Game->MoveSourceRegion, nullptr);
  Game->CursorMode = 2;  // a mode left running by a window
  Game->MoveSourceRegion = gRegions[static_cast<std::size_t>(Source)].get();
  Game->MoveDivisionIndex = 0;
  ClickGlobe(To);
  EXPECT_EQ(Game->CursorMode, 0);
  EXPECT_TRUE(gNations[0]->Divisions.empty());
}

TEST_F(OrdersTest, ABurstOfMouseMovesInACursorModePicksOnceBeforeTheFrameAtTheLastPosition) {
  Form.SetClientSize(1024, 768);
  const std::int32_t Own = RegionOf(0), Foreign = RegionOf(1);
  int Picks = 0;
  // The region under the mouse: the player's on the left half, a foreign one on the right.
  Game->PickHook = [&] {
    ++Picks;
    return (Game->MouseX < 512 ? Own : Foreign) + 1;
  };
  Game->CursorMode = 1;
  for (int X = 100; X <= 700; X += 100) Game->MouseMove(0, X, 400);
  EXPECT_EQ(Picks, 0);  // nothing read back while the events come in
  Game->UpdateHoveredRegion();
  EXPECT_EQ(Picks, 1);
  EXPECT_EQ(Game->HoveredRegion, Foreign);
  Game->UpdateHoveredRegion();  // the next frame without a move picks nothing
  EXPECT_EQ(Picks, 1);
  // Giving a division to a region: the player's own region under the mouse is not allowed.
  Game->CursorMode = 4;
  Game->MouseMove(0, 200, 400);
  Game->UpdateHoveredRegion();
  EXPECT_EQ(Picks, 2);
  EXPECT_EQ(Game->HoveredRegion, -1);
  // Outside a cursor mode a move asks for no pick.
  Game->CursorMode = 0;
  Game->MouseMove(0, 600, 400);
  Game->UpdateHoveredRegion();
  EXPECT_EQ(Picks, 2);
}

TEST_F(OrdersTest, TheGlobeTurnsAndZoomsAndIgnoresClicksOnTheHeadsUpDisplay) {
  Form.SetClientSize(1024, 768);
  const float Y0 = Game->Earth->RotationY;
  Game->MouseMove(0, 500, 500);
  Game->MouseDown(3, 0, 500, 500);
  Game->MouseMove(0, 540, 500);
  Game->MouseUp(3, 0, 540, 500);
  EXPECT_FLOAT_EQ(Game->Earth->RotationY, Y0 + 10.0f);
  Game->Earth->Zoom = 1.0f;
  Game->MouseWheel(0, 120, 540, 500);
  EXPECT_FLOAT_EQ(Game->Earth->Zoom, 1.024f);
  for (int i = 0; i < 40; ++i) Game->MouseWheel(0, 120, 540, 500);
  EXPECT_FLOAT_EQ(Game->Earth->Zoom, 1.4f);

  const std::int32_t Foreign = RegionOf(1);
  ASSERT_TRUE(PointAt(*gInGameGUI, "nextround"));
  Game->PickHook = [&] { return Foreign + 1; };
  Game->SelectRegion(-1);
  Game->MouseDown(1, 0, gMouseX, gMouseY);
  Game->MouseUp(1, 0, gMouseX, gMouseY);
  EXPECT_EQ(gSelectedRegion, -1);  // the button shields the globe
  Game->Click();
  EXPECT_EQ(gCurrentTurn, 1);

  gInGameGUI->CloseWindow("infocenter");  // the round's news opened over the globe
  const std::int32_t Own = RegionOf(0);
  ClickGlobe(Own);
  EXPECT_EQ(gSelectedRegion, Own);
  EXPECT_TRUE(gInGameGUI->GetWindow("regioninfo")->Visible);
  Game->KeyDown(VK_ESCAPE, 0);
  gInGameGUI->ActiveWindow = gInGameGUI->GetWindow("regioninfo");
  Game->KeyDown(VK_ESCAPE, 0);
  EXPECT_FALSE(gInGameGUI->GetWindow("regioninfo")->Visible);
  Game->KeyDown(VK_F1 + 2, 0);
  EXPECT_TRUE(gInGameGUI->GetWindow("science")->Visible);
}

// The globe's highlight and the region the windows show are one selection, whichever click makes it.
TEST_F(OrdersTest, TheGlobeAndTheWindowsKeepOneSelection) {
  Form.SetClientSize(1024, 768);
  gInGameGUI->CloseWindow("infocenter");
  const std::int32_t Own = RegionOf(0);
  ClickGlobe(Own);
  EXPECT_EQ(gSelectedRegion, Own);
  EXPECT_EQ(Game->Earth->SelRegion, Own);

  // Stationing a division on a foreign region selects that region on the globe too.
  const std::int32_t Foreign = RegionOf(1);
  TDivision& D = Division(Own, 0);
  D.Region = -1;
  Game->CursorMode = 1;
  Game->StationDivision = &D;
  Game->RegionDetailsSelectedSlot = 2;
  ClickGlobe(Foreign);
  EXPECT_EQ(gSelectedRegion, Foreign);
  EXPECT_EQ(Game->Earth->SelRegion, Foreign);
  EXPECT_EQ(Game->RegionDetailsSelectedSlot, -1);  // the old region's slot is forgotten

  // A click outside every region leaves the selection; a new game clears both.
  Game->CursorMode = 0;
  Game->StationDivision = nullptr;
  ClickGlobe(static_cast<std::int32_t>(gRegions.size()) + 5);
  EXPECT_EQ(Game->Earth->SelRegion, Foreign);
  Game->StartNewGame(0);
  EXPECT_EQ(gSelectedRegion, -1);
  EXPECT_EQ(Game->Earth->SelRegion, -1);
}

TEST_F(OrdersTest, AClickOnAWindowsBottomBandNeitherSelectsTheRegionBehindNorTurnsTheGlobe) {
  Form.SetClientSize(1024, 768);
  gInGameGUI->CloseWindow("infocenter");
  gInGameGUI->OpenWindow("science");
  TGLWindow& Science = *gInGameGUI->GetWindow("science");
  Science.X = 100.0f;
  Science.Y = 100.0f;
  // The last row of pixels the window is drawn in: its title bar of 27 and its client area.
  const int X = 110, Y = 100 + 27 + Science.Height;
  const std::int32_t Foreign = RegionOf(1);
  Game->PickHook = [&] { return Foreign + 1; };
  Game->SelectRegion(-1);
  Game->MouseMove(0, X, Y);
  ASSERT_EQ(gInGameGUI->GetWindowAtMouse(), &Science);
  Game->MouseDown(1, 0, X, Y);
  Game->MouseUp(1, 0, X, Y);
  EXPECT_EQ(gSelectedRegion, -1);
  Game->MouseDown(3, 0, X, Y);
  EXPECT_FALSE(Game->RightDragging);
  Game->MouseUp(3, 0, X, Y);
  // One pixel below, the globe takes the click.
  Game->MouseMove(0, X, Y + 1);
  Game->MouseDown(1, 0, X, Y + 1);
  Game->MouseUp(1, 0, X, Y + 1);
  EXPECT_EQ(gSelectedRegion, Foreign);
}

TEST_F(OrdersTest, TheMenusLeadFromTheMainMenuThroughTheNationSelectionIntoAGame) {
  Game->State = gsMainMenu;
  ASSERT_TRUE(PointAt(*gMainMenuGUI, "mainmenu_singleplayer"));
  Game->Click();
  // The single-player sub-menu fades in; its "new game" part takes the player on.
  for (auto& Item : gMainMenuGUI->Windows[0]->Items) Item->Alpha = Item->FadeDir > 0.0f ? 1.0f : Item->Alpha;
  for (auto& Item : gMainMenuGUI->Windows[0]->Items)
    if (Item->FadeDir > 0.0f) Item->Visible = true;
  ASSERT_TRUE(PointAt(*gMainMenuGUI, "mainmenu_singleplayer_newgame"));
  Game->Click();
  // The menu fades out to black and the nation selection fades in. A click while the menu goes
  // is a click as any other: "single player" toggles its sub-menu away, and the fade still ends
  // in the nation selection.
  EXPECT_EQ(Game->State, gsMainMenu);
  EXPECT_EQ(Game->PendingState, gsNationSelect);
  ASSERT_TRUE(PointAt(*gMainMenuGUI, "mainmenu_singleplayer"));
  Game->Click();
  EXPECT_EQ(Game->PendingState, gsNationSelect);
  EXPECT_TRUE(Game->FadingOut());
  EXPECT_LT(SkinnedFade(1), 0.0f);
  FinishFade();
  EXPECT_EQ(Game->State, gsNationSelect);

  // The symbol in place 2 comes to the front and its history is shown.
  Game->NationSymbolOrder = {0, 1, 2, 3, 4};
  Game->SelectedNation = 0;
  Game->PickHook = [] { return 3; };
  Game->MouseDown(1, 0, 10, 10);
  EXPECT_EQ(Game->SelectedNation, 2);
  EXPECT_EQ(Game->NationSymbolOrder[0], 2);
  EXPECT_EQ(Game->NationSymbolOrder[2], 0);

  gNationSelectGUI->Windows[0]->GetItem<TGLEdit>("edit_playername").Text = "Ada";
  ASSERT_TRUE(PointAt(*gNationSelectGUI, "nationselect_startgame"));
  Game->Click();
  EXPECT_EQ(Game->State, gsEarthView);
  EXPECT_EQ(gPlayerNation, 2);
  EXPECT_EQ(gNations[2]->PlayerName, "Ada");
  EXPECT_TRUE(Game->GameRunning);
}

TEST_F(OrdersTest, TheNationDescriptionShowsTheCurrentLanguageOnlyAsTheHistoryDoes) {
  gNationInfoXML = std::make_unique<TXMLDocument>();
  gVirtualFileSystem->LoadXML("data\\xml\\nationinfo.xml", *gNationInfoXML);
  Game->State = gsNationSelect;
  Game->SelectedNation = 1;
  for (auto& Item : gNationSelectGUI->Windows[0]->Items) {
    Item->Visible = true;
    Item->Alpha = 1.0f;
  }
  TGLMemo* Memo = nullptr;
  for (auto& Item : gNationSelectGUI->Windows[0]->Items)
    if (!Memo) Memo = dynamic_cast<TGLMemo*>(Item.get());
  ASSERT_NE(Memo, nullptr);
  for (const char* Button : {"nationselect_info", "nationselect_history"}) {
    ASSERT_TRUE(PointAt(*gNationSelectGUI, Button));
    Game->Click();
    std::string Shown;
    for (const std::string& L : Memo->Lines) Shown += L + "\n";
    EXPECT_FALSE(Memo->Lines.empty()) << Button;
    EXPECT_EQ(Shown.find("#GER"), std::string::npos) << Button << ":\n" << Shown;
    EXPECT_EQ(Shown.find("#ENG"), std::string::npos) << Button << ":\n" << Shown;
    // The German section's umlauts stay out of the English text.
    EXPECT_EQ(Shown.find('\xF6'), std::string::npos) << Button << ":\n" << Shown;
    EXPECT_EQ(Shown.find(" und "), std::string::npos) << Button << ":\n" << Shown;
  }
  gNationInfoXML.reset();
}

// A station click beside every region selects what it hit: nothing, on the globe and in the
// windows alike. The hint says so and the mode goes on.
TEST_F(OrdersTest, AStationClickBesideEveryRegionSelectsNothingAndTheModeStays) {
  gInGameGUI->CloseWindow("infocenter");
  TDivision& D = Division(RegionOf(0), 0);
  D.Region = -1;
  Game->SelectRegion(RegionOf(0));
  Game->CursorMode = 1;
  Game->StationDivision = &D;
  ClickGlobe(-2);
  EXPECT_EQ(gSelectedRegion, -1);
  EXPECT_EQ(Game->Earth->SelRegion, -1);
  EXPECT_EQ(Game->CursorMode, 1);
  EXPECT_EQ(D.Region, -1);
  EXPECT_NE(MessageText().find(Localize("szMsgRegionInvalid")), std::string::npos);
}
