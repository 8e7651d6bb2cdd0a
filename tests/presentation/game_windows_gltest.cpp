// The region, army and battle windows drawn with the game's data set in both languages, as
// pictures for the eye in build-test/artifacts/game_windows_gltest/, and the diorama's slot
// picking: the mouse over each of the nine slots selects that slot.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <cstdlib>
#include <map>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "ai/ai_log.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/model_registry.h"
#include "engine/streams.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/gui_services.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/track_bar.h"
#include "gui/window.h"
#include "model_writer.h"
#include "platform/window_host.h"
#include "platform/xml_document.h"
#include "presentation/basic_game_view.h"
#include "presentation/presentation_globals.h"
#include "presentation/window_view3d.h"
#include "presentation/windows/developer_windows.h"
#include "presentation/windows/game_windows.h"
#include "support/gl_environment.h"
#include "world/building_type.h"
#include "world/rules_fixture.h"
#include "world/unit_type.h"

namespace fs = std::filesystem;

namespace {

class GameWindowsGL : public TRulesTest {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    std::string Error;
    ASSERT_TRUE(Screen.Create(TWindowOptions{"Tarnova windows", 1024, 768, true, true}, &Error)) << Error;
    TRulesTest::SetUp();
    Saved = true;
    SavedTextures = std::move(gTextureManager);
    SavedFont = std::move(gGUIFont);
    SavedVFS = std::move(gVirtualFileSystem);
    gTextureManager = std::make_unique<TTextureManager>();
    gModelTextureManager = gTextureManager.get();
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(TARNOVA_BINARY_DIR);
    gVirtualFileSystem->LoadFont({.Texture = "data\\tex\\font_black_outline.dds", .Widths = "data\\font3.fnt"},
                                 *gTextureManager, gGUIFont, 8.0f);
    gFont = gGUIFont.get();
    for (const char* Folder : {"data\\tex\\", "data\\tex\\nocompression\\"})
      for (const char* Ext : {".png", ".dds"}) gVirtualFileSystem->LoadTextures(Folder, Ext, *gTextureManager, false);
    LoadModelFolder("data\\3d\\");
    TXMLDocument Texts;
    gVirtualFileSystem->LoadXML("data\\XML\\localization.xml", Texts);
    gLocalization.LoadFromDocument(Texts);
    const TTextureIdLookup TextureId = [](const std::string& Name) {
      const std::int32_t ID = gTextureManager->GetTextureInfo(Name, tiGLID);
      return ID >= 0 ? static_cast<std::uint32_t>(ID) : 0u;
    };
    gUnitTypePool->LoadFromXML("data\\XML\\units.xml", TextureId);
    gBuildingTypePool->LoadFromXML("data\\XML\\buildings.xml", TextureId);
    auto View = std::make_unique<TBasicGameView>();
    GameView = View.get();
    Game = std::make_unique<TGame>(Form, std::move(View));
    Artifacts = fs::path(TARNOVA_BINARY_DIR) / "artifacts" / "game_windows_gltest";
    fs::create_directories(Artifacts);
  }
  void TearDown() override {
    if (Saved) {
      Game.reset();
      gInGameGUI = std::make_unique<TGLGUI>();
      FreeModels();
      gFont = nullptr;
      gModelTextureManager = nullptr;
      gGUIFont = std::move(SavedFont);
      gTextureManager = std::move(SavedTextures);
      gVirtualFileSystem = std::move(SavedVFS);
      TRulesTest::TearDown();
    }
    // This fixture's window and its context go; the tests after it draw in the shared one.
    Screen.Destroy();
    RestoreGLTestContext();
  }

  void LoadWindows(const std::string& Lang) {
    gLocalization.LanguageIndex = Lang == "ger" ? 0 : 1;
    gInGameGUI = std::make_unique<TGLGUI>();
    gInGameGUI->ClientSize = TIntPair{1024, 768};
    for (const char* File : {"window_army_build.xml", "window_army_management.xml", "window_autobattle.xml",
                             "window_region_details.xml", "window_region_build.xml", "extended_message_dialog.xml"})
      ASSERT_TRUE(gInGameGUI->AddWindowFromXML("data\\XML\\lang_" + Lang + "\\" + File, {}, {}, {})) << File;
    gInGameGUI->LoadSkinTextures();
    RegisterRegionAndArmyWindows(*Game, ViewState());
  }

  // One frame of the in-game GUI over a dark blue backdrop, written as a picture. A picture is
  // the second frame: the handlers fill texts and lists after the controls are drawn.
  void Shoot(const std::string& Name) {
    if (!Name.empty()) Shoot("");
    Begin2DFrame(1024, 768, 1.0f);
    glClearColor(0.1f, 0.15f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gInGameGUI->FadeSpeed = 16.0f;
    gInGameGUI->Render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << Name;
    if (!Name.empty()) SaveFramePNG(Artifacts / (Name + ".png"), 1024, 768);
  }

  // The frame drawn last, RGB, rows from the bottom.
  static std::vector<std::uint8_t> ReadFrame() {
    std::vector<std::uint8_t> Pixels(1024u * 768u * 3u);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, Pixels.data());
    return Pixels;
  }
  // Pixels inside the item I of window W that differ clearly between two frames.
  static int Changed(const std::vector<std::uint8_t>& A, const std::vector<std::uint8_t>& B, const TGLWindow& W,
                     const TGLGUIItem& I) {
    int Count = 0;
    const int X0 = static_cast<int>(W.X + I.Position.X), Y0 = static_cast<int>(W.Y + I.Position.Y);
    for (int Y = std::max(Y0, 0); Y < std::min(Y0 + I.GetHeight(), 768); ++Y)
      for (int X = std::max(X0, 0); X < std::min(X0 + I.GetWidth(), 1024); ++X) {
        const std::size_t At = (static_cast<std::size_t>(767 - Y) * 1024 + static_cast<std::size_t>(X)) * 3;
        Count += std::abs(A[At] - B[At]) + std::abs(A[At + 1] - B[At + 1]) + std::abs(A[At + 2] - B[At + 2]) > 60;
      }
    return Count;
  }

  void ShowOnly(const std::string& Name) {
    for (auto& W : gInGameGUI->Windows) W->Visible = W.get() == gInGameGUI->Windows[0].get();
    gInGameGUI->OpenWindow(Name);
  }
  void MouseAt(int X, int Y) {
    gMouseX = Game->MouseX = X;
    gMouseY = Game->MouseY = Y;
  }

  TWindowHost Screen;
  TTarnovaForm Form{{"tarnova", "-windowed"}};
  std::unique_ptr<TGame> Game;
  // The game's view, which owns the view state its scenes and windows are handed.
  TBasicGameView* GameView = nullptr;
  TViewState& ViewState() { return GameView->ViewState; }
  fs::path Artifacts;

private:
  bool Saved = false;
  std::unique_ptr<TTextureManager> SavedTextures;
  std::unique_ptr<TTexFont> SavedFont;
  std::unique_ptr<TVirtualFileSystem> SavedVFS;
};

// What the in-game window Window shows inside its item ID in the frame drawn last. An empty
// panel or list shows about 70 colours (its shading and bevel), so drawn content asks for more.
TAreaPixels ItemPixels(const std::string& Window, const std::string& ID) {
  const TGLWindow& W = *gInGameGUI->GetWindow(Window);
  const TGLGUIItem& I = W.GetGUIItemByID(ID);
  return AreaPixels(static_cast<int>(W.X + I.Position.X), static_cast<int>(W.Y + I.Position.Y), I.GetWidth(),
                    I.GetHeight(), 1024, 768);
}

TEST_F(GameWindowsGL, DioramaPicksTheSlotUnderTheMouseAndEveryWindowDraws) {
  REQUIRE_GL_CONTEXT();
  TNation& N = Nation(0);
  TRegion& R = Region(0);
  R.Owner = 0;
  R.Population = 0.7f, R.PopulationLast = 0.6f;
  R.Loyality = 0.35f, R.Pollution = 0.55f, R.Energy = -0.1f, R.HasCoast = true;
  R.Buildings[0][0].Type = gBuildingTypePool->Types.at(0).get();
  R.Buildings[1][2].Type = gBuildingTypePool->Types.at(3).get();
  R.Buildings[2][1].FinishType = gBuildingTypePool->Types.at(1).get();
  R.Buildings[2][1].FinishTime = 3;
  TDivision& D = *N.AddDivision("Guard", 0);
  for (int I = 0; I < 3; ++I) N.AddUnit(gUnitTypePool->FindByID("INF_LIGHT")->Index)->Division = &D;
  gSelectedRegion = 0;
  // The polluted diorama's fog thickens and thins with the shader clock, which the tests before
  // this one may have left anywhere: its phase of a fresh game.
  gShaderTime = 0.0f;

  for (const std::string Lang : {"eng", "ger"}) {
    LoadWindows(Lang);
    ShowOnly("regioninfo");
    TGLWindow& W = *gInGameGUI->GetWindow("regioninfo");
    W.X = 200.0f, W.Y = 100.0f;
    if (Lang == "eng") {
      // Where the pick pass puts each slot, then the mouse there in a real frame.
      MouseAt(-100, -100);
      Shoot("");
      const TGLGUIItem& View = W.GetGUIItemByID("panel_3dview");
      BeginWindowView3D(W, View, 4.0f, 4.0f);
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
      RegionWindow_DrawRegionScene(*Game, true);
      EndWindowView3D(W);
      std::vector<std::uint8_t> Pixels(1024u * 768u * 3u);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadBuffer(GL_BACK);
      glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, Pixels.data());
      std::map<int, std::vector<std::pair<int, int>>> At;  // slot -> GL pixels
      for (int Y = 0; Y < 768; ++Y)
        for (int X = 0; X < 1024; ++X) {
          const std::uint8_t* P = &Pixels[(std::size_t(Y) * 1024 + X) * 3];
          if (const int S = SlotOfPickColour(P[0], P[1], P[2]); S >= 0) At[S].emplace_back(X, Y);
        }
      for (int Slot = 0; Slot < 9; ++Slot) {
        ASSERT_FALSE(At[Slot].empty()) << Slot;
        const auto [X, Y] = At[Slot][At[Slot].size() / 2];
        MouseAt(X, 768 - Y);
        Shoot("");
        EXPECT_EQ(Game->RegionDetailsHoveredSlot, Slot);
      }
      // Empty ground keeps the slot; leaving the diorama clears it.
      MouseAt(static_cast<int>(W.X + View.Position.X + 12), static_cast<int>(W.Y + View.Position.Y + 12));
      Shoot("");
      EXPECT_EQ(Game->RegionDetailsHoveredSlot, 8);
      MouseAt(5, 5);
      Shoot("");
      EXPECT_EQ(Game->RegionDetailsHoveredSlot, -1);
      const auto [X4, Y4] = At[4][At[4].size() / 2];
      Game->RegionDetailsSelectedSlot = 5;
      MouseAt(X4, 768 - Y4);
    }
    Game->RegionDetailsLastMouseX = -1;
    Shoot(Lang + "_regioninfo");
    // The diorama fills its panel with the region's ground and buildings.
    EXPECT_GT(ItemPixels("regioninfo", "panel_3dview").Colours, 300) << Lang;
    const TGLGUIItem& Division = W.GetGUIItemByID("panel_divisioninfo");
    MouseAt(static_cast<int>(W.X + Division.Position.X + 20), static_cast<int>(W.Y + Division.Position.Y + 20));
    Shoot("");
    Shoot(Lang + "_regioninfo_division");
    EXPECT_GT(ItemPixels("regioninfo", "panel_divisioninfo").Light, 40) << Lang;  // the division's texts

    ShowOnly("military");
    auto& Types = static_cast<TGLListBox&>(gInGameGUI->GetWindow("military")->GetGLGUIItem(1, "listbox"));
    ASSERT_FALSE(Types.Items.empty());
    Types.ItemIndex = 0;
    N.Ressources = 10000.0f;
    for (int I = 0; I < 5; ++I) gInGameGUI->BroadcastEvent("military_build_unit");
    Shoot(Lang + "_military");
    EXPECT_GT(ItemPixels("military", "panel_unitpreview").Colours, 110) << Lang;  // the turning unit
    EXPECT_GT(ItemPixels("military", "listbox_unittypes").Light, 100) << Lang;
    EXPECT_GT(ItemPixels("military", "listbox_unitqueue").Light, 100) << Lang;  // five orders
    EXPECT_GT(ItemPixels("military", "memo_unitdescription").Light, 100) << Lang;

    ShowOnly("region_build");
    Game->BuildSelectedType = gBuildingTypePool->Types.at(2).get();
    Shoot(Lang + "_region_build");
    EXPECT_GT(ItemPixels("region_build", "panel_buildingpreview").Colours, 110) << Lang;  // the turning building
    EXPECT_GT(ItemPixels("region_build", "listbox_buildings").Light, 100) << Lang;

    ShowOnly("army_management");
    static_cast<TGLListBox&>(gInGameGUI->GetWindow("army_management")->GetGLGUIItem(1, "listbox")).ItemIndex = 0;
    gInGameGUI->BroadcastEvent("listbox_division_0");
    Shoot(Lang + "_army_management");
    EXPECT_GT(ItemPixels("army_management", "listbox_divisions").Light, 30) << Lang;  // "Guard"
    EXPECT_GT(ItemPixels("army_management", "listbox_assigned_unit").Light, 60) << Lang;  // its three units
  }
}

TEST_F(GameWindowsGL, TheUnitPreviewLightsTheUnitAndShowsItsMirrorImageUnlit) {
  REQUIRE_GL_CONTEXT();
  // A dark red box standing on its origin in place of the first unit's model: lit, it shows
  // brighter than its material colour; unlit, every face shows the plain material colour.
  TGLBinaryModel Box = MakeBoxModel(60, 60, 60, {0.5f, 0, 0, 1});
  for (auto& V : Box.Meshes[0].Vertices) V[1] += 60;
  TMemoryStream Stream(WriteBinaryModel(Box));
  RegisterModel(std::make_unique<T3DModel>(Stream, "preview_box.3df", false));
  LoadWindows("eng");
  ShowOnly("military");
  TGLWindow& W = *gInGameGUI->GetWindow("military");
  auto& Types = static_cast<TGLListBox&>(W.GetGLGUIItem(1, "listbox"));
  ASSERT_FALSE(Types.Items.empty());
  Types.ItemIndex = 0;
  const auto Data = static_cast<std::size_t>(Types.GetSelectedData());
  ASSERT_GT(Data, 0u);
  gUnitTypePool->Types.at(Data - 1)->Model3D = "preview_box";
  Shoot("eng_military_box");
  const std::vector<std::uint8_t> F = ReadFrame();

  // The mirror image lies under the preview's translucent dark disc (grey 0.2 at 0.7 opacity):
  // unlit, its red 0.5 shows as 0.3 x 0.5 + 0.14, green and blue as 0.14, on every face.
  const TGLGUIItem& Panel = W.GetGUIItemByID("panel_unitpreview");
  const int X0 = static_cast<int>(W.X + Panel.Position.X), Y0 = static_cast<int>(W.Y + Panel.Position.Y);
  int Mirror = 0, MirrorOff = 0, Lit = 0;
  for (int Y = Y0; Y < Y0 + Panel.GetHeight(); ++Y)
    for (int X = X0; X < X0 + Panel.GetWidth(); ++X) {
      const std::uint8_t* P = &F[(static_cast<std::size_t>(767 - Y) * 1024 + static_cast<std::size_t>(X)) * 3];
      Lit += P[1] == 0 && P[2] == 0 && P[0] > 140;
      // Red under the grey veil: the mirror image, whatever light fell on it.
      if (P[1] < 20 || P[0] < P[1] + 15 || P[0] < P[2] + 15) continue;
      ++Mirror;
      MirrorOff += std::abs(P[0] - 74) > 3 || std::abs(P[1] - 36) > 3 || std::abs(P[2] - 36) > 3;
    }
  EXPECT_GT(Lit, 200) << "the unit itself is lit";
  EXPECT_GT(Mirror - MirrorOff, 200) << "no mirror image in the plain material colour under the unit";
  EXPECT_EQ(MirrorOff, 0) << "of " << Mirror << " pixels of the mirror image, these are shaded by the light";
}

TEST_F(GameWindowsGL, BattleDrawsBothSidesWhileItRuns) {
  REQUIRE_GL_CONTEXT();
  TNation& N = Nation(0);
  TDivision& A = *N.AddDivision("Strikers", 0);
  for (int I = 0; I < 9; ++I) N.AddUnit(gUnitTypePool->FindByID("INF_LIGHT")->Index)->Division = &A;
  Region(3).Owner = 1;
  Nation(0).Names = {"Nordbund", "Northern League"};
  Nation(1).Names = {"Inselreich", "Island Realm"};
  for (const std::string Lang : {"eng", "ger"}) {
    LoadWindows(Lang);
    gBattle->Setup(A, Region(3), Region(3).GetDivision(), Region(3));
    AutoBattleWindow_Start(*Game);
    ShowOnly("autobattle");
    gInGameGUI->SetModalWindow("autobattle");
    auto& Speed = gInGameGUI->GetWindow("autobattle")->GetItem<TGLTrackBar>("trackbar_speed");
    Speed.Progress = Speed.Max;
    Game->FrameTime = 100.0;
    for (int I = 0; I < 6; ++I) Shoot("");
    Shoot(Lang + "_autobattle");
    gBattle->Running = false;
  }
  // Both sides' units show in their army panels: they go from the picture when the attacking
  // division is freed while the window stays open, and when the region's army is freed.
  TGLWindow& W = *gInGameGUI->GetWindow("autobattle");
  Shoot("");
  const std::vector<std::uint8_t> Both = ReadFrame();
  N.RemoveDivision(A.ID, true);
  Shoot("");
  const std::vector<std::uint8_t> DefenderOnly = ReadFrame();
  EXPECT_GT(Changed(Both, DefenderOnly, W, W.GetGUIItemByID("panel_attacker_army")), 2000);
  EXPECT_LT(Changed(Both, DefenderOnly, W, W.GetGUIItemByID("panel_defender_army")), 50);
  Region(3).FreeDefensiveArmy();
  Shoot("");
  const std::vector<std::uint8_t> Neither = ReadFrame();
  EXPECT_GT(Changed(DefenderOnly, Neither, W, W.GetGUIItemByID("panel_defender_army")), 2000);
}

// The computer opponents' window shows the chosen opponent's log as text, every row inside the
// log's box: its lines are written for an HTML page and some are longer than the box is wide.
TEST_F(GameWindowsGL, TheOpponentsLogShowsAsTextWithinItsBox) {
  REQUIRE_GL_CONTEXT();
  gLocalization.LanguageIndex = 1;
  gInGameGUI = std::make_unique<TGLGUI>();
  gInGameGUI->ClientSize = TIntPair{1024, 768};
  ASSERT_TRUE(gInGameGUI->AddWindowFromXML("data\\XML\\lang_eng\\window_debug_ai.xml", {}, {}, {}));
  gInGameGUI->LoadSkinTextures();
  for (std::size_t I = 0; I < gNations.size(); ++I) {
    auto C = std::make_unique<TAIController>();
    C->Nation = gNations[I].get();
    C->Log = std::make_unique<TAILog>();
    gAIControllers.push_back(std::move(C));
  }
  Nation(0).Names = {"Nordbund", "Northern League"};
  for (int Turn = 1; Turn <= 3; ++Turn) {
    const std::string T = std::to_string(Turn);
    for (const std::string& Line :
         {"<a href=\"javascript:show('turn" + T + "')\">Show details for turn " + T + "</a> [NumRegions=12] [Ressources=405.5]",
          "<div id=\"turn" + T + "\" style=\"display:block; margin-left:5px;\">",
          std::string(" Budget &amp; plans: military 40% &lt;civil&gt;, construction in the region of the largest "
                      "population, research of the cheapest technology first"),
          std::string("  ConstructionCandidatesAndTheirScoresWithoutAnyBlankBetweenThemAtAll=17"), std::string("</div>")})
      gAIControllers[0]->Log->PlainLines.push_back(Line);
  }
  RegisterDeveloperWindows(*Game);
  ShowOnly("debugai");
  TGLWindow& W = *gInGameGUI->GetWindow("debugai");
  W.X = 100.0f, W.Y = 100.0f;
  Shoot("");
  const std::vector<std::uint8_t> Empty = ReadFrame();
  gInGameGUI->GetWindow("debugai")->GetItem<TGLListBox>("listbox_aicontroller").ItemIndex = 0;
  gInGameGUI->BroadcastEvent("ai_controller_0");
  Shoot("debugai_log");
  const std::vector<std::uint8_t> Shown = ReadFrame();

  const auto& Memo = W.GetItem<TGLMemo>("memo_ailog");
  ASSERT_GT(Memo.Lines.size(), 12u);
  for (const std::string& Line : Memo.Lines) {
    for (const char* Markup : {"<a ", "</a>", "<div", "</div>", "href", "&amp;", "&lt;", "&gt;"})
      EXPECT_EQ(Line.find(Markup), std::string::npos) << Line;
    EXPECT_LE(GUIServices().TextWidth(Line), Memo.WrapWidth()) << Line;
  }
  EXPECT_EQ(Memo.Lines[0].rfind("Show details for turn 1 [NumRegions=12]", 0), 0u) << Memo.Lines[0];
  // The text changed the picture inside the box and nowhere else.
  const TGLGUIItem& Box = W.GetGUIItemByID("memo_ailog");
  EXPECT_GT(Changed(Empty, Shown, W, Box), 500);
  int Outside = 0;
  for (int Y = 0; Y < 768; ++Y)
    for (int X = 0; X < 1024; ++X) {
      const int BX = static_cast<int>(W.X + Box.Position.X), BY = static_cast<int>(W.Y + Box.Position.Y);
      if (X >= BX && X < BX + Box.GetWidth() && Y >= BY && Y < BY + Box.GetHeight()) continue;
      const std::size_t At = (static_cast<std::size_t>(767 - Y) * 1024 + static_cast<std::size_t>(X)) * 3;
      Outside += std::abs(Empty[At] - Shown[At]) + std::abs(Empty[At + 1] - Shown[At + 1]) +
                     std::abs(Empty[At + 2] - Shown[At + 2]) > 60;
    }
  EXPECT_EQ(Outside, 0);
  gAIControllers.clear();
}

}  // namespace
