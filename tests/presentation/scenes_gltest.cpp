// The scenes drawn from the game's data set: picking a nation by its symbol and the nation
// selection as a player sees it. Frames are kept under build-test/artifacts/<test>/.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <fstream>
#include <vector>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/model_registry.h"
#include "engine/shader_manager.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/png_codec.h"
#include "platform/xml_document.h"
#include "gui/drop_down.h"
#include "presentation/earth_game_view.h"
#include "presentation/frame_state.h"
#include "presentation/presentation_globals.h"
#include "presentation/scenes/battlefield_scene.h"
#include "presentation/scenes/end_game_scene.h"
#include "presentation/basic_game_view.h"
#include "presentation/view_state.h"
#include "world/battle.h"
#include "presentation/scenes/menu_scenes.h"
#include "presentation/scenes/nation_selection_scene.h"
#include "presentation/scenes/scene_support.h"
#include "support/temp_folder.h"
#include "world/high_score_list.h"
#include "platform/random.h"
#include "world/statistics.h"
#include "support/gl_environment.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1024, kHeight = 768;

struct TFrame {
  std::vector<std::uint8_t> RGBA;
  std::array<int, 3> At(int X, int YFromTop) const {
    const std::size_t i = (static_cast<std::size_t>(kHeight - 1 - YFromTop) * kWidth + X) * 4;
    return {RGBA[i], RGBA[i + 1], RGBA[i + 2]};
  }
};

TFrame ReadFrame() {
  glFinish();
  TFrame F{std::vector<std::uint8_t>(static_cast<std::size_t>(kWidth) * kHeight * 4)};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, F.RGBA.data());
  for (std::size_t i = 3; i < F.RGBA.size(); i += 4) F.RGBA[i] = 255;
  return F;
}

void SaveFrame(const TFrame& F, const std::string& Name) {
  const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path Folder =
      fs::path(TARNOVA_BINARY_DIR) / "artifacts" / (std::string(Info->test_suite_name()) + "." + Info->name());
  fs::create_directories(Folder);
  std::string Bytes, Error;
  ASSERT_TRUE(EncodePNG(F.RGBA.data(), kWidth, kHeight, Bytes, Error)) << Error;
  std::ofstream(Folder / (Name + ".png"), std::ios::binary) << Bytes;
}

// The data set behind the file system, the textures, models, fonts and texts, and a game
// object on a 1024 x 768 window.
class Scenes : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_GL_CONTEXT();
    // The scenes draw into a 1024 x 768 frame of their own (the test window is smaller).
    glGenFramebuffers(1, &Frame);
    glGenRenderbuffers(2, Buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, Buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
    glBindRenderbuffer(GL_RENDERBUFFER, Buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kWidth, kHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, Frame);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Buffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, Buffers[1]);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    Form.ClientWidth = kWidth;
    Form.ClientHeight = kHeight;
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(fs::path(TARNOVA_BINARY_DIR));
    gVirtualFileSystem->Open("tarnova.dat");
    gTextureManager = std::make_unique<TTextureManager>();
    gModelTextureManager = gTextureManager.get();
    for (const char* Ext : {".jpg", ".tga", ".png", ".dds"}) {
      gVirtualFileSystem->LoadTextures("data\\tex\\", Ext, *gTextureManager, false);
      gVirtualFileSystem->LoadTextures("data\\tex\\nocompression\\", Ext, *gTextureManager, false);
    }
    ASSERT_GT(LoadModelFolder("data\\3d\\"), 0);
    gVirtualFileSystem->LoadFont({.Texture = "data\\tex\\font_black_outline.dds", .Widths = "data\\font3.fnt"},
                                 *gTextureManager, gGUIFont, 8.0f);
    gFont = gGUIFont.get();
    TXMLDocument Texts;
    gVirtualFileSystem->LoadXML("data\\XML\\localization.xml", Texts);
    gLocalization.LoadFromDocument(Texts);
    gLocalization.LanguageIndex = 1;
    gGUIScreenWidth = kWidth;
    gGUIScreenHeight = kHeight;
    gSettings.NoShaders = true;
    gSettings.Reflections = false;
    auto View = std::make_unique<TBasicGameView>();
    GameView = View.get();
    Game = std::make_unique<TGame>(Form, std::move(View));
  }
  void TearDown() override {
    Game.reset();
    gHighScoreList.reset();
    gStatisticServer.reset();
    gBattle.reset();
    for (auto& N : gNations) N.reset();
    for (auto* GUI : {&gNationSelectGUI, &gIntroGUI, &gEndGameGUI}) *GUI = std::make_unique<TGLGUI>();
    gFont = nullptr;
    gGUIFont.reset();
    FreeModels();
    gModelTextureManager = nullptr;
    gTextureManager = std::make_unique<TTextureManager>();
    gVirtualFileSystem.reset();
    FreeLocalization();
    gSettings = TGameSettings{};
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &Frame);
    glDeleteRenderbuffers(2, Buffers);
    glViewport(0, 0, 256, 256);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor3f(1, 1, 1);
  }

  // A GUI of the 1024 x 768 screen from a layout of the data set, its items shown at once.
  static void LoadScreen(TGLGUI& GUI, const std::string& File) {
    GUI.ScreenWidth = kWidth;
    GUI.ClientSize = TIntPair{kWidth, kHeight};
    GUI.Windows[0]->Width = kWidth;
    GUI.Windows[0]->Height = kHeight;
    GUI.LoadSkinTextures();
    GUI.LoadUIFromXML(File);
    for (auto& Item : GUI.Windows[0]->Items) Item->Alpha = Item->Visible ? 1.0f : 0.0f;
  }

  TTempFolder Scores, UserData;
  TTarnovaForm Form{{"tarnova"}};
  std::unique_ptr<TGame> Game;
  // The game's view, which owns the view state its scenes and windows are handed.
  TBasicGameView* GameView = nullptr;
  TViewState& ViewState() { return GameView->ViewState; }
  GLuint Frame = 0, Buffers[2] = {0, 0};
};

// Where the centre of a symbol place lands on the screen of the pick pass.
std::array<int, 2> PlaceOnScreen(float X, float Z) {
  const double Tan = std::tan(30.0 * 3.14159265358979 / 180.0);
  const double Depth = 6.0 - Z;
  const double Nx = X / (Depth * Tan * kWidth / kHeight), Ny = 0.0;
  return {static_cast<int>((Nx + 1.0) / 2.0 * kWidth), static_cast<int>((1.0 - Ny) / 2.0 * kHeight)};
}

}  // namespace

TEST_F(Scenes, PickingAtASymbolsCentreFindsTheNationStandingThere) {
  Game->NationSymbolOrder = {3, 1, 4, 0, 2};
  RenderNationSymbolPickColors(*Game);
  const TFrame F = ReadFrame();
  SaveFrame(F, "pick_colours");
  const std::array<std::array<float, 2>, 5> Places = {{{0.0f, 2.0f}, {-1.5f, 1.5f}, {-3.0f, 1.0f}, {1.5f, 1.5f}, {3.0f, 1.0f}}};
  std::set<int> Found;
  for (int Place = 0; Place < 5; ++Place) {
    const auto [X, Y] = PlaceOnScreen(Places[Place][0], Places[Place][1]);
    const auto [R, G, B] = F.At(X, Y);
    const int Picked = NationSymbolPlaceOfColor(R, G, B);
    ASSERT_EQ(Picked, Place) << "at " << X << "," << Y << ": " << R << " " << G << " " << B;
    Found.insert(Game->NationSymbolOrder[static_cast<std::size_t>(Picked)]);
  }
  EXPECT_EQ(Found.size(), 5u);  // every nation can be picked
  // Between the symbols nothing is picked.
  const auto [R, G, B] = F.At(10, 10);
  EXPECT_EQ(NationSymbolPlaceOfColor(R, G, B), -1);
}

// The menu's and the nation selection's globes are drawn by the globe's own pass without borders
// with the "earth_noborders" program; the menu sea's program samples the noise volume the view
// made at start-up and runs on the shader clock. Stand-in programs paint what they are given:
// the globe magenta, the sea red by the clock and green by one voxel of the noise.
TEST_F(Scenes, TheMenuGlobesTakeTheirProgramAndTheSeaTheNoiseVolumeAndTheShaderClock) {
  const std::vector<std::string> Vertex = {"void main() { gl_Position = ftransform(); }"};
  gShaderManager = std::make_unique<TGLSLShaderManager>();
  gShaderManager->AddShaderFromLists("earth_noborders", Vertex, {"void main() { gl_FragColor = vec4(1.0, 0.0, 1.0, 1.0); }"});
  gShaderManager->AddShaderFromLists(
      "water", Vertex,
      {"uniform sampler3D noise;", "uniform float time;",
       "void main() { gl_FragColor = vec4(time / 100.0, texture3D(noise, vec3(10.5 / 64.0)).r, 0.0, 1.0); }"});
  ASSERT_TRUE(gShaderManager->Shaders[0]->Linked && gShaderManager->Shaders[1]->Linked);
  gSettings.NoShaders = false;
  gSettings.Reflections = true;
  gSettings.ReflectionTextureSize = 256;
  TEarthGameView View;
  View.CreateRenderTargets(*Game);
  ASSERT_NE(gNoiseVolumeTexture, 0u);
  GLint Depth = 0;
  glBindTexture(GL_TEXTURE_3D, gNoiseVolumeTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_3D, 0, GL_TEXTURE_DEPTH, &Depth);
  glBindTexture(GL_TEXTURE_3D, 0);
  EXPECT_EQ(Depth, 64);
  // The voxel (10, 10, 10) of the data set's volume, one byte each after the 128-byte header.
  const std::optional<std::string> Volume = gVirtualFileSystem->ReadFile("data\\tex\\noisevolume.dds");
  ASSERT_TRUE(Volume && Volume->size() >= 128u + 64u * 64u * 64u);
  const int Voxel = static_cast<std::uint8_t>((*Volume)[128 + (10 * 64 + 10) * 64 + 10]);

  gShaderTime = 50.0f;
  Game->FrameTime = 16.0;
  RenderMainMenu(*Game, ViewState());
  TFrame F = ReadFrame();
  SaveFrame(F, "main_menu");
  // The sea at the bottom left, away from the hand and its foam ring.
  const auto Sea = F.At(100, 740);
  EXPECT_NEAR(Sea[0], 128, 2) << "the sea's clock is not the shader clock";
  EXPECT_NEAR(Sea[1], Voxel, 2) << "the sea sees no noise volume";
  EXPECT_EQ(Sea[2], 0);
  // The upper half of the globe above the turning title glows additively in the program's colour.
  int Glowing = 0;
  for (int Y = 165; Y < 185; ++Y)
    for (int X = 627; X < 647; ++X) {
      const auto P = F.At(X, Y);
      Glowing += P[0] >= 250 && P[2] >= 250;
    }
  EXPECT_GT(Glowing, 360);

  gNationSelectGUI->ScreenWidth = kWidth;
  gNationSelectGUI->Windows[0]->Width = kWidth;
  gNationSelectGUI->Windows[0]->Height = kHeight;
  RenderNationSelection(*Game, ViewState());
  F = ReadFrame();
  SaveFrame(F, "nation_selection");
  const auto Globe = F.At(512, 200);
  EXPECT_EQ(Globe, (std::array<int, 3>{255, 0, 255}));
  const auto NationSea = F.At(100, 740);
  EXPECT_NEAR(NationSea[0], 128, 2);
  EXPECT_NEAR(NationSea[1], Voxel, 2);

  View.FreeRenderTargets();
  EXPECT_EQ(gNoiseVolumeTexture, 0u);
  gShaderManager.reset();
  gShaderTime = 0.0f;
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Scenes, TheNationSelectionShowsTheSkyAndALongNameBesideItsHistoryWithoutOverlap) {
  // The longest name of the data set, printed at its full size.
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i] = std::make_unique<TNation>();
    gNations[i]->Names = {"Republik Valdoria", "Norvance League"};
    gNations[i]->BaseFactors = {1.1f, 0.85f, 1.0f, 1.2f, 1.0f, 0.9f, 1.125f, 1.004f};
  }
  gNationSelectGUI->ScreenWidth = kWidth;
  gNationSelectGUI->ClientSize = TIntPair{kWidth, kHeight};
  gNationSelectGUI->Windows[0]->Width = kWidth;
  gNationSelectGUI->Windows[0]->Height = kHeight;
  gNationSelectGUI->LoadSkinTextures();
  gNationSelectGUI->LoadUIFromXML("data\\xml\\lang_eng\\UI_NationSelect.xml");
  for (auto& Item : gNationSelectGUI->Windows[0]->Items) Item->Alpha = Item->Visible ? 1.0f : 0.0f;
  Game->SelectedNation = 1;
  Game->DisplayedNation = 1;
  Game->TargetNation = 1;
  Game->FrameTime = 16.0;
  for (bool Reflections : {false, true}) {
    gSettings.Reflections = Reflections;
    RenderNationSelection(*Game, ViewState());
    const TFrame F = ReadFrame();
    SaveFrame(F, Reflections ? "nation_selection_reflections" : "nation_selection");
    // The night sky with its stars above, the lit sea below.
    double Sky = 0.0;
    for (int Y = 0; Y < 100; ++Y)
      for (int X = 0; X < kWidth; ++X) {
        const auto P = F.At(X, Y);
        Sky += P[0] + P[1] + P[2];
      }
    EXPECT_GT(Sky / (100.0 * kWidth), 10.0) << "the sky is black";
    const auto Sea = F.At(100, 740);
    EXPECT_GT(Sea[0] + Sea[1] + Sea[2], 150) << "the sea is dark";
    // The name in the heading colour left of the history, never reaching its heading.
    auto IsHeading = [&](int X, int Y) {
      const auto P = F.At(X, Y);
      return P[0] > 200 && P[1] > 200 && P[2] > 90 && P[2] < 200;
    };
    const int Mx = static_cast<int>(gNationSelectGUI->Windows[0]->GetGUIItemByID("memonationhistory").Position.X);
    int NamePixels = 0, Crossing = 0;
    for (int Y = 140; Y < 170; ++Y) {
      for (int X = Mx - 185; X < Mx - 3; ++X) NamePixels += IsHeading(X, Y);
      for (int X = Mx - 3; X < Mx + 4; ++X) Crossing += IsHeading(X, Y);
    }
    EXPECT_GT(NamePixels, 50);
    EXPECT_EQ(Crossing, 0);
  }
}

TEST_F(Scenes, TheNationSelectionDrawsItsSkyOnceWhileItStaysAndAfreshForAnotherNation) {
  for (std::size_t i = 0; i < gNations.size(); ++i) gNations[i] = std::make_unique<TNation>();
  LoadScreen(*gNationSelectGUI, "data\\xml\\lang_eng\\UI_NationSelect.xml");
  Game->FrameTime = 16.0;
  // The sky left of the globe and above the interface.
  const auto Sky = [] {
    const TFrame F = ReadFrame();
    std::vector<int> Sums;
    for (int Y = 0; Y < 60; Y += 3)
      for (int X = 0; X < 300; X += 5) {
        const auto P = F.At(X, Y);
        Sums.push_back(P[0] + 256 * P[1] + 65536 * P[2]);
      }
    return Sums;
  };
  const std::uint32_t Redraws = gSceneSkyImage.Redraws();
  Game->SelectedNation = Game->DisplayedNation = Game->TargetNation = 1;
  RenderNationSelection(*Game, ViewState());
  const auto First = Sky();
  for (int Frame = 0; Frame < 2; ++Frame) {
    RenderNationSelection(*Game, ViewState());
    EXPECT_EQ(Sky(), First) << "frame " << Frame + 1;
  }
  EXPECT_EQ(gSceneSkyImage.Redraws(), Redraws + 1);
  // Halfway through a cross-fade both skies show, each frame drawn as it stands.
  Game->TargetNation = 2;
  ViewState().NationFade = 0.5f;
  RenderNationSelection(*Game, ViewState());
  const auto Halfway = Sky();
  EXPECT_NE(Halfway, First);
  EXPECT_EQ(gSceneSkyImage.Redraws(), Redraws + 1);
  // Once the fade is over, the new nation's sky, not the old one kept.
  Game->DisplayedNation = 2;
  RenderNationSelection(*Game, ViewState());
  const auto Second = Sky();
  EXPECT_NE(Second, First);
  EXPECT_NE(Second, Halfway);
  EXPECT_EQ(gSceneSkyImage.Redraws(), Redraws + 2);
  FreeSceneTargets();
}

// The menu scenes mirror their sky by copying a square from the window: a reflection size from
// the settings larger than the window is cut to the window, so every texel of the mirror is drawn.
TEST_F(Scenes, TheSceneReflectionIsNoLargerThanTheWindowItIsCopiedFrom) {
  gSettings.ReflectionTextureSize = 2048;
  RenderSceneReflection(*Game, 0.0f, [] {
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  });
  int S = 0;
  const GLuint Texture = SceneReflectionTexture(*Game, S);
  EXPECT_EQ(S, kHeight);
  glBindTexture(GL_TEXTURE_2D, Texture);
  GLint Width = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &Width);
  ASSERT_EQ(Width, kHeight);
  std::vector<unsigned char> Texels(static_cast<std::size_t>(Width) * Width * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, Texels.data());
  std::size_t NotRed = 0;
  for (std::size_t i = 0; i < Texels.size(); i += 3) NotRed += !(Texels[i] == 255 && Texels[i + 1] == 0 && Texels[i + 2] == 0);
  EXPECT_EQ(NotRed, 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  FreeSceneTargets();
}

TEST_F(Scenes, TheIntroFadesItsItemsInOverTheSkyAndHandsOverToTheMenu) {
  LoadScreen(*gIntroGUI, "data\\XML\\UI_IntroScreen.xml");
  Game->State = gsIntro;
  Game->FrameTime = 100.0;  // ten frames a second, injected
  int Frames = 0;
  while (!Game->FadingOut() && Frames < 200) {
    RenderIntro(*Game, ViewState());
    if (++Frames == 30) SaveFrame(ReadFrame(), "intro_after_3s");
  }
  EXPECT_EQ(Game->PendingState, gsMainMenu);
  EXPECT_NEAR(Frames * 100.0 / 1000.0, 12.5, 1.0);  // 4 s and 8 s, frames rounding up
  const TFrame F = ReadFrame();
  SaveFrame(F, "intro_last_frame");
  // The four lines stand over the sea in the middle, the sky above.
  int Text = 0;
  for (int Y = 450; Y < 580; ++Y)
    for (int X = 440; X < 590; ++X) {
      const auto P = F.At(X, Y);
      Text += P[0] > 200 && P[1] > 200;
    }
  EXPECT_GT(Text, 80);
  const auto Sky = F.At(512, 60);
  EXPECT_GT(Sky[0] + Sky[1] + Sky[2], 30);
}

TEST_F(Scenes, AVictoryEntersTheScoreAndTheEndScreenShowsItsChartAndTheHighlightedRow) {
  // The list lives in a folder of the test's own; the user's configuration folder, where a list goes that
  // cannot be written, is one too.
  const char* Saved = std::getenv("XDG_CONFIG_HOME");
  const std::string SavedValue = Saved ? Saved : "";
  setenv("XDG_CONFIG_HOME", UserData.Path().c_str(), 1);
  gHighScoreList = std::make_unique<THighScoreList>(Scores.Path());
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i] = std::make_unique<TNation>();
    gNations[i]->ID = static_cast<std::uint8_t>(i);
    gNations[i]->MapColor = {static_cast<std::uint8_t>(i % 2 ? 230 : 40), static_cast<std::uint8_t>(i % 3 ? 200 : 30), 60};
  }
  gPlayerNation = 3;
  gNations[3]->PlayerName = "Ada";
  gNations[3]->Score = 45;
  gCurrentTurn = 30;
  gStatisticServer = std::make_unique<TStatisticServer>();
  for (std::size_t n = 0; n < gNations.size(); ++n)
    for (std::size_t k = 0; k < 100; ++k)
      gStatisticServer->Sets[0]->Values[n][k] = static_cast<float>((n + 1) * 10 + (k % 7) * (n + 1));
  LoadScreen(*gIntroGUI, "data\\XML\\UI_IntroScreen.xml");
  LoadScreen(*gEndGameGUI, "data\\xml\\lang_eng\\UI_EndGame.xml");
  auto& Stat = gEndGameGUI->Windows[0]->GetItem<TGLDropDown>("dropdown_stat");
  Stat.AddItem("Points", gStatisticKeys[0], "", 0);
  Stat.ItemIndex = 0;
  Game->GameRunning = true;
  Game->ShowVictory();
  ASSERT_EQ(Game->PendingState, gsEndGame);
  Game->FrameTime = 700.0;
  Game->AdvanceFade();
  ASSERT_EQ(Game->State, gsEndGame);
  EXPECT_EQ(gHighScoreList->LastIndex, 1);
  THighScoreList Written(Scores.Path());
  EXPECT_EQ(Written.Entries[1].PlayerName, "Ada");

  Game->FrameTime = 16.0;
  RenderGameEnd(*Game, ViewState());
  const TFrame F = ReadFrame();
  SaveFrame(F, "end_of_game");
  // The chart's lines in the nations' colours inside the graph panel.
  int Coloured = 0;
  for (int Y = 140; Y < 420; ++Y)
    for (int X = 50; X < 630; ++X) {
      const auto P = F.At(X, Y);
      Coloured += std::max({P[0], P[1], P[2]}) - std::min({P[0], P[1], P[2]}) > 80;
    }
  EXPECT_GT(Coloured, 300);
  // The second row is outlined: its frame's left edge in the heading colour.
  const int RowX = kWidth - 559 + 15 - 2, RowY = 645 + 24 + 8;
  int Outline = 0;
  for (int X = RowX - 1; X <= RowX + 1; ++X) {
    const auto P = F.At(X, RowY);
    Outline += P[0] > 200 && P[1] > 200 && P[2] < 200;
  }
  EXPECT_GT(Outline, 0);
  gHighScoreList.reset();
  if (Saved) setenv("XDG_CONFIG_HOME", SavedValue.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
}

TEST_F(Scenes, TheBattlefieldOfAFreshBattleShowsTheHexMeadowFadingIntoTheHaze) {
  // Odd rows are shifted by half a tile, below the middle row too.
  for (int Row : {-3, -1, 1}) EXPECT_FLOAT_EQ(BattleTileOrigin(2, Row).X, 8.75f) << Row;
  EXPECT_FLOAT_EQ(BattleTileOrigin(2, -2).X, 7.0f);
  EXPECT_FLOAT_EQ(BattleTileOrigin(0, -2).Z, -6.0f);

  gFieldOfView = 45.0f;
  gBattle = std::make_unique<TBattle>();  // no defender, no region: only the field
  gBattleFieldGUI->ScreenWidth = kWidth;
  RenderBattlefield(*Game);
  const TFrame F = ReadFrame();
  SaveFrame(F, "battlefield");
  // The far edge of the field lies in the haze, the sky above it is the haze colour.
  const auto Sky = F.At(5, 5);
  EXPECT_NEAR(Sky[0], 120, 3);
  EXPECT_NEAR(Sky[1], 150, 3);
  EXPECT_NEAR(Sky[2], 255, 3);
  // Near the camera the meadow and its black outlines show.
  int Dark = 0, Green = 0;
  for (int Y = 600; Y < 768; Y += 2)
    for (int X = 0; X < kWidth; X += 2) {
      const auto P = F.At(X, Y);
      Dark += P[0] + P[1] + P[2] < 60;
      Green += P[1] > P[0] + 20 && P[1] > P[2];
    }
  EXPECT_GT(Dark, 200);
  EXPECT_GT(Green, 5000);
}

TEST_F(Scenes, TheFadeVeilDarkensEverythingTheFrameDrewByItsValue) {
  LoadScreen(*gIntroGUI, "data\\XML\\UI_IntroScreen.xml");
  Game->State = gsIntro;
  Game->FrameTime = 16.0;
  RenderIntro(*Game, ViewState());
  const TFrame Lit = ReadFrame();
  Game->FadeValue = 0.25f;
  DrawFadeVeil(*Game);
  const TFrame Veiled = ReadFrame();
  SaveFrame(Veiled, "veil_at_a_quarter");
  int Bright = 0, Off = 0;
  for (std::size_t i = 0; i < Lit.RGBA.size(); i += 4)
    for (std::size_t c = 0; c < 3; ++c) {
      Bright += Lit.RGBA[i + c] > 100;
      Off += std::abs(Veiled.RGBA[i + c] - Lit.RGBA[i + c] * 0.25) > 2.0;
    }
  EXPECT_GT(Bright, 10000);  // there was something to darken
  EXPECT_EQ(Off, 0);
  // Fully visible: no veil at all.
  Game->FadeValue = 1.0f;
  DrawFadeVeil(*Game);
  EXPECT_EQ(ReadFrame().RGBA, Veiled.RGBA);

  // The view draws it over the scene, the GUI and the cursor: at black nothing shows.
  Game->FadeValue = 0.0f;
  gMouseX = 500;
  gMouseY = 400;
  TEarthGameView View;
  View.Render(*Game);
  const TFrame Black = ReadFrame();
  SaveFrame(Black, "veil_at_black");
  int Lit2 = 0;
  for (std::size_t i = 0; i < Black.RGBA.size(); i += 4) Lit2 += std::max({Black.RGBA[i], Black.RGBA[i + 1], Black.RGBA[i + 2]}) > 0;
  EXPECT_EQ(Lit2, 0);
}

TEST_F(Scenes, TheIntrosLightningStrikesTheSeaWholeAndLightsNothingButTheBolt) {
  LoadScreen(*gIntroGUI, "data\\XML\\UI_IntroScreen.xml");
  Game->State = gsIntro;
  Game->FrameTime = 0.0;  // the flash stands still while it is looked at
  SetRandomSeed(5);
  ViewState().MenuLightningTimer = 0.0f;
  RenderIntro(*Game, ViewState());
  RenderIntro(*Game, ViewState());
  ASSERT_LE(ViewState().MenuLightningTimer, 0.0f) << "a flash began by itself";
  const TFrame Sky = ReadFrame();
  // The horizon: the first row of the sea at the left edge.
  int Horizon = 0;
  while (Horizon < kHeight && !(Sky.At(20, Horizon)[2] > Sky.At(20, Horizon)[0] + 60)) ++Horizon;
  ASSERT_GT(Horizon, kHeight / 3);
  ASSERT_LT(Horizon, 2 * kHeight / 3);
  const auto Brighter = [&](const TFrame& F, int X, int Y) {
    const auto A = F.At(X, Y), B = Sky.At(X, Y);
    return (A[0] + A[1] + A[2] - B[0] - B[1] - B[2]) / 3;
  };
  // Growing (a third of the way down) and at full length: only the bolt and its glow light up,
  // no band of sky down to where it has grown; at full length it reaches down to the sea and
  // nothing of it lies beyond, neither under the water nor seen through it.
  for (float Timer : {150.0f, 40.0f}) {
    ViewState().MenuLightningTimer = Timer;
    RenderIntro(*Game, ViewState());
    const TFrame Flash = ReadFrame();
    SaveFrame(Flash, Timer > 50.0f ? "lightning_growing" : "lightning_full");
    int Lit = 0, LitBelow = 0, AtTheSea = 0;
    for (int Y = 0; Y < kHeight; ++Y)
      for (int X = 0; X < kWidth; ++X) {
        const int Gain = Brighter(Flash, X, Y);
        if (Y < Horizon) Lit += Gain > 8;
        else if (Y >= Horizon + 4) LitBelow += Gain > 8;
        if (Y >= Horizon - 6 && Y < Horizon) AtTheSea = std::max(AtTheSea, Gain);
      }
    EXPECT_GT(Lit, 500) << Timer;
    EXPECT_LT(Lit, kWidth * Horizon * 15 / 100) << Timer;
    EXPECT_EQ(LitBelow, 0) << Timer;
    if (Timer < 50.0f) {
      EXPECT_GT(AtTheSea, 120);
    }
  }
}
