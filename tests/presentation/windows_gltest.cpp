// The game windows drawn with the data build's pictures and font in a 1024 x 768 window: the
// research ring picks the card under the mouse, and every window is drawn in both languages as
// pictures for the eye in build-test/artifacts/windows_gltest/. The window takes over the GL
// context, so this program holds this one test.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

#include "control/world_round.h"
#include "engine/gl_api.h"
#include "gui/drop_down.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "platform/window_host.h"
#include "platform/xml_document.h"
#include "presentation/view_state.h"
#include "presentation/window_view3d.h"
#include "presentation/windows/espionage_window.h"
#include "presentation/windows/research_carousel.h"
#include "presentation/windows/research_window.h"
#include "presentation/windows/transfer_market_window.h"
#include "support/gl_environment.h"
#include "windows_fixture.h"
#include "presentation/presentation_globals.h"
#include "world/region.h"
#include "world/statistics.h"
#include "world/staff.h"

namespace fs = std::filesystem;

namespace {

// The engine's own services, with the sounds recorded and the data build as the file system.
class TRecordingServices : public TEngineGUIServices {
public:
  std::vector<std::string> Sounds;
  TVirtualFileSystem Data{TARNOVA_BINARY_DIR};
  bool FileExists(const std::string& F) override { return Data.FileExists(F); }
  std::optional<std::string> ReadFile(const std::string& F) override { return Data.ReadFile(F); }
  void PlaySound(const std::string& N) override { Sounds.push_back(N); }
};

class WindowsGL : public WindowsTest {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    std::string Error;
    ASSERT_TRUE(Screen.Create(TWindowOptions{"Tarnova windows", 1024, 768, true, true}, &Error)) << Error;
    SavedTextures = std::move(gTextureManager);
    SavedFont = std::move(gGUIFont);
    gTextureManager = std::make_unique<TTextureManager>();
    WindowsTest::SetUp();
    auto Owned = std::make_unique<TRecordingServices>();
    Recording = Owned.get();
    SetGUIServices(std::move(Owned));
    Services = nullptr;
    UseDataBuild();
    gSettings.NoShaders = true;
    Game->LoadTextures();
    gVirtualFileSystem->LoadFont({.Texture = "data\\tex\\font_black_outline.dds", .Widths = "data\\font3.fnt"},
                                 *gTextureManager, gGUIFont, 8.0f);
    gFont = gGUIFont.get();
    Artifacts = fs::path(TARNOVA_BINARY_DIR) / "artifacts" / "windows_gltest";
    fs::create_directories(Artifacts);
  }
  void TearDown() override {
    if (SavedTextures) {
      gStatisticServer.reset();
      gShaderTime = 0.0f;
      WindowsTest::TearDown();
      gFont = nullptr;
      gGUIFont = std::move(SavedFont);
      gTextureManager = std::move(SavedTextures);
    }
    // This fixture's window and its context go; the tests after it draw in the shared one.
    Screen.Destroy();
    RestoreGLTestContext();
  }
  // The world loads from the fixtures; pictures, models and layouts come from the data build.
  void UseDataBuild() { gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(TARNOVA_BINARY_DIR); }
  void LoadLanguage(const std::string& Language) {
    Load(Language);
    UseDataBuild();
  }

  void Frame() {
    gInGameGUI->LoadSkinTextures();
    gInGameGUI->ClientSize = TIntPair{1024, 768};
    Begin2DFrame(1024, 768, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0.12f, 0.16f, 0.24f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gInGameGUI->Render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  void Shoot(const std::string& Name) { SaveFramePNG(Artifacts / (Name + ".png"), 1024, 768); }
  void CheckStatisticsWindow(const std::string& Language);
  // Only this window open, at full opacity.
  void ShowOnly(const std::string& Name) {
    for (std::size_t i = 1; i < gInGameGUI->Windows.size(); ++i) gInGameGUI->Windows[i]->Visible = false;
    gInGameGUI->OpenWindow(Name);
    Window(Name).ShowItemsAtOnce();
  }

  // Where card Index of Count stands on the screen while the ring is at angle 0.
  TIntPair CardOnScreen(int Index, int Count) {
    const TGLWindow& W = Window("science");
    const TGLGUIItem& Panel = W.GetGUIItemByID("panel_3dview");
    const TDeviceRect V = WindowItemDeviceRect(W, Panel, 4.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(90.0, double(Panel.Width) / Panel.Height, 1.0, 512.0);
    GLdouble Projection[16], ModelView[16];
    glGetDoublev(GL_PROJECTION_MATRIX, Projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 15.0f, -80.0f);
    glRotatef(40.0f, 1.0f, 0.0f, 0.0f);
    glGetDoublev(GL_MODELVIEW_MATRIX, ModelView);
    glPopMatrix();
    const double A = Index * 2.0 * 3.14159265358979 / Count;
    const GLint Viewport[4] = {V.X, V.Y, V.Width, V.Height};
    GLdouble X, Y, Z;
    gluProject(48.0 * std::sin(A), 15.0, 48.0 * std::cos(A), ModelView, Projection, Viewport, &X, &Y, &Z);
    return TIntPair{int(X), 768 - int(Y)};
  }

  TWindowHost Screen;
  TRecordingServices* Recording = nullptr;
  fs::path Artifacts;

private:
  std::unique_ptr<TTextureManager> SavedTextures;
  std::unique_ptr<TTexFont> SavedFont;
};

// What the in-game window Window shows inside its item ID in the frame drawn last. An empty
// panel or list shows about 70 colours (its shading and bevel), so drawn content asks for more.
TAreaPixels ItemPixels(const std::string& Window, const std::string& ID) {
  const TGLWindow& W = *gInGameGUI->GetWindow(Window);
  const TGLGUIItem& I = W.GetGUIItemByID(ID);
  return AreaPixels(static_cast<int>(W.X + I.Position.X), static_cast<int>(W.Y + I.Position.Y), I.GetWidth(),
                    I.GetHeight(), 1024, 768);
}

TEST_F(WindowsGL, CarouselPicksTheCardUnderTheMouseAndEveryWindowDraws) {
  REQUIRE_GL_CONTEXT();
  bool ButtonDown = false;
  TMouseButtonQuery Previous = SetCarouselButtonQuery([&] { return ButtonDown; });

  // Three cards: armour, optics, energy.
  Player().TechnologyTree.FindByName("tech_basics")->Researched = true;
  ShowOnly("science");
  Window("science").X = 100;
  Window("science").Y = 60;
  ASSERT_EQ(Game->ResearchTechList.size(), 3u);
  gInGameGUI->FadeSpeed = 0.0f;
  for (int Card : {0, 1}) {
    const TIntPair At = CardOnScreen(Card, 3);
    Game->MouseX = gMouseX = At.X;
    Game->MouseY = gMouseY = At.Y;
    Recording->Sounds.clear();
    ButtonDown = true;
    Frame();
    ButtonDown = false;
    EXPECT_EQ(Game->ResearchSelectedTech, Game->ResearchTechList[std::size_t(Card)]) << Card;
    const std::size_t Turns = static_cast<std::size_t>(std::count(Recording->Sounds.begin(), Recording->Sounds.end(), "ResearchRotate"));
    EXPECT_EQ(Turns, Card == 0 ? 0u : 1u) << Card;
    EXPECT_EQ(ViewState().ResearchCarouselTarget, Card * 120.0f);
    if (Card == 1) {
      EXPECT_EQ(ViewState().ResearchCarouselDirection, 1.0f);
    }
  }
  // Pressed outside the ring and dragged over a card, nothing is picked.
  Frame();
  Game->MouseX = gMouseX = 5;
  Game->MouseY = gMouseY = 5;
  ButtonDown = true;
  Frame();
  const TIntPair Card0 = CardOnScreen(0, 3);
  Game->MouseX = gMouseX = Card0.X;
  Game->MouseY = gMouseY = Card0.Y;
  Frame();
  ButtonDown = false;
  EXPECT_EQ(Game->ResearchSelectedTech, Game->ResearchTechList[1]);
  SetCarouselButtonQuery(std::move(Previous));

  // A click whose press and release both come before the next frame (a slow frame) still takes
  // the card that was under the press, even when the mouse has moved on since.
  Frame();
  gLeftMousePressed = false;
  Game->MouseX = gMouseX = Card0.X;
  Game->MouseY = gMouseY = Card0.Y;
  Game->MouseDown(1, 0, Card0.X, Card0.Y);
  Game->MouseUp(1, 0, Card0.X, Card0.Y);
  Game->MouseX = gMouseX = 5;
  Game->MouseY = gMouseY = 5;
  Frame();
  gLeftMousePressed = false;  // the game's frame ends so
  EXPECT_EQ(Game->ResearchSelectedTech, Game->ResearchTechList[0]);
  // The next frame without a press picks nothing, wherever the mouse is.
  Game->MouseX = gMouseX = CardOnScreen(1, 3).X;
  Game->MouseY = gMouseY = CardOnScreen(1, 3).Y;
  Frame();
  EXPECT_EQ(Game->ResearchSelectedTech, Game->ResearchTechList[0]);

  // The research rates and "nothing is researched" are printed at their panels' own depth; with
  // the depth test on, as the earth view leaves it, they show all the same.
  {
    gMouseX = gMouseY = -100;
    Player().TechnologyTree.Current = nullptr;
    ShowOnly("science");
    gInGameGUI->FadeSpeed = 0.0f;
    Frame();  // the window's items settle
    ViewState().ResearchCivilFactor = 0.5f;
    ViewState().ResearchMilitaryFactor = 0.25f;
    gInGameGUI->LoadSkinTextures();
    Begin2DFrame(1024, 768, 1.0f);
    glClearColor(0.12f, 0.16f, 0.24f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    gInGameGUI->Render();
    glDisable(GL_DEPTH_TEST);
    Shoot("science_depth_test_on");
    std::vector<unsigned char> Pixels(1024 * 768 * 4);
    glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
    // Near-white pixels (the font's white letters) in the rectangle a text of that width covers.
    auto Letters = [&](const std::string& Text, float X, float Y) {
      const int Width = int(gGUIFont->TextWidth(Text));
      int N = 0;
      for (int Py = int(Y); Py < int(Y) + 14; ++Py)
        for (int Px = int(X); Px < int(X) + Width; ++Px) {
          const unsigned char* P = &Pixels[std::size_t(((767 - Py) * 1024 + Px) * 4)];
          N += P[0] > 220 && P[1] > 220 && P[2] > 220;
        }
      return N;
    };
    const TGLWindow& W = Window("science");
    const TGLGUIItem& Info = W.GetGUIItemByID("panel_researchinfo");
    const float IX = W.X + Info.Position.X, IY = W.Y + Info.Position.Y;
    EXPECT_GT(Letters("Civil research rate :", IX + 12, IY + 5), 40);
    EXPECT_GT(Letters("50%", IX + 165, IY + 22), 10);
    EXPECT_GT(Letters("Military research rate :", IX + 12, IY + 48), 40);
    EXPECT_GT(Letters("25%", IX + 165, IY + 67), 10);
    const TGLGUIItem& Current = W.GetGUIItemByID("panel_currentresearch");
    EXPECT_GT(Letters("Nothing is being researched.", W.X + Current.Position.X + 7, W.Y + Current.Position.Y + 5), 40);
  }

  for (const std::string Language : {"eng", "ger"}) {
    if (Language == "ger") LoadLanguage("ger");
    gMouseX = gMouseY = -100;
    TNation& N = Player();
    N.Ressources = 1234.5f;
    N.TechnologyTree.FindByName("tech_basics")->Researched = true;
    N.TechnologyTree.FindByName("tech_armour")->Researched = true;
    N.TechnologyTree.Current = N.TechnologyTree.FindByName("tech_energy");
    N.TechnologyTree.Current->RemainingPoints = 60;
    TScientist Scientist;
    Scientist.Civil = 70;
    Scientist.Military = 40;
    N.AddScientist(Scientist);

    ShowOnly("science");
    Click("technology_tech_optics");
    Frame();
    Shoot("science_" + Language);
    EXPECT_GT(ItemPixels("science", "panel_3dview").Colours, 300) << Language;  // the ring of cards
    EXPECT_GT(ItemPixels("science", "listbox_leadsto").Light, 50) << Language;
    EXPECT_GT(ItemPixels("science", "panel_currentresearch").Light, 30) << Language;

    ShowOnly("research_history");
    Click("technology_researched_tech_armour");
    Frame();
    Shoot("research_history_" + Language);
    EXPECT_GT(ItemPixels("research_history", "listbox_techlist").Light, 50) << Language;
    EXPECT_GT(ItemPixels("research_history", "image_tech").Colours, 60) << Language;  // the card's picture
    EXPECT_GT(ItemPixels("research_history", "memo_tech").Light, 100) << Language;

    auto Offer = std::make_unique<TGeneral>();
    Offer->Name = "General Arden Keel";
    Offer->Image = "staff_general_1";
    Offer->Cost = 250;
    Offer->Wage = 12;
    Offer->Attack = 70;
    Offer->Defense = 40;
    Offer->Movement = 55;
    gTransferMarket->Generals.push_back(std::move(Offer));
    ShowOnly("transfermarket");
    ClickRow("transfermarket", "listbox_free", "free_general_0");
    Frame();
    Shoot("transfermarket_" + Language);
    EXPECT_GT(ItemPixels("transfermarket", "listbox_free").Light, 50) << Language;
    EXPECT_GT(ItemPixels("transfermarket", "image_portrait").Colours, 120) << Language;  // the general's portrait
    EXPECT_GT(ItemPixels("transfermarket", "panel_attributes").Light, 50) << Language;

    TSpy Spy;
    Spy.Name = "Mira Holt";
    Spy.Espionage = 80;
    Spy.Sabotage = 40;
    Spy.Hiding = 60;
    N.AddSpy(Spy);
    TSpy* Agent = N.Spies.back().get();
    Agent->Region = gRegions.at(3).get();
    gRegions.at(3)->Spy = Agent;
    ShowOnly("espionage");
    gShaderTime = 0.9f;  // the no-signal text at its brightest
    ClickRow("espionage", "used_spies", "used_spy");
    Frame();
    Shoot("espionage_nosignal_" + Language);
    EXPECT_GT(ItemPixels("espionage", "used_spies").Light, 30) << Language;
    EXPECT_GT(ItemPixels("espionage", "panel_regiondata").Colours, 150) << Language;  // the noise and its text
    Agent->BuildingDataTurn = 0;
    Agent->DivisionDataTurn = 0;
    Agent->DivisionData = {"Division North", "2 x Infantry"};
    EspionageWindow_Show(*Game);
    Frame();
    Shoot("espionage_reports_" + Language);
    EXPECT_GT(ItemPixels("espionage", "listbox_divisiondata").Light, 30) << Language;

    ShowOnly("infocenter");
    for (auto& Pair : Game->QuickChart) Pair[0] = Pair[1] = {0, 1, 2, 3, 4};
    Game->QuickChart[0][0] = {0, 2, 3, 1, 4};
    Frame();
    Shoot("infocenter_" + Language);
    EXPECT_GT(ItemPixels("infocenter", "panel_regionmap").Colours, 800) << Language;
    EXPECT_GT(ItemPixels("infocenter", "panel_quickchart").Colours, 400) << Language;  // the coloured lines

    // The resources' chart: every nation starts at a height of its own, so that each line runs
    // across the whole chart, and the last six rounds move it.
    TXMLDocument NationInfo;
    NationInfo.LoadFromFile(fs::path(TARNOVA_BINARY_DIR) / "data" / "XML" / "nationinfo.xml");
    ReadNationInfo(NationInfo.Root());  // the nations' map colours
    for (std::size_t i = 0; i < gNations.size(); ++i) gNations[i]->Ressources = float(1000 - 150 * i);
    gStatisticServer = std::make_unique<TStatisticServer>();
    gStatisticServer->Init();
    for (int Round = 0; Round < 6; ++Round) {
      for (std::size_t i = 0; i < gNations.size(); ++i) gNations[i]->Ressources = float(100 * (i + 1) + 40 * Round * int(i % 2));
      gStatisticServer->Update();
    }
    ShowOnly("statistics");
    Item<TGLDropDown>("statistics", "dropdown_stat").ItemIndex = 1;
    Frame();
    Shoot("statistics_" + Language);
    CheckStatisticsWindow(Language);
  }
}

// What the statistics window shows in the frame drawn last: the resources' chart, its labels and
// the legend.
void WindowsGL::CheckStatisticsWindow(const std::string& Language) {
  const TGLWindow& W = Window("statistics");
  const TGLGUIItem& Graph = W.GetGUIItemByID("panel_graph");
  const TGLGUIItem& Legend = W.GetGUIItemByID("panel_legend");
  const TGLGUIItem& Money = W.GetGUIItemByID("panel_incomeoutcome");
  const int GX = int(W.X + Graph.Position.X), GY = int(W.Y + Graph.Position.Y);
  const int LX = int(W.X + Legend.Position.X), LY = int(W.Y + Legend.Position.Y);
  std::vector<unsigned char> Frame(1024 * 768 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, Frame.data());
  auto At = [&](int X, int Y) {
    const unsigned char* P = &Frame[std::size_t(((767 - Y) * 1024 + X) * 3)];
    return std::array<int, 3>{P[0], P[1], P[2]};
  };
  auto Near = [](const std::array<int, 3>& P, const std::array<double, 3>& C, int Tolerance) {
    for (int k = 0; k < 3; ++k)
      if (std::abs(P[std::size_t(k)] - int(std::lround(C[std::size_t(k)]))) > Tolerance) return false;
    return true;
  };

  // Each nation's line in its own colour inside the chart, at a third and at two thirds of its
  // width, far from the newest rounds at the right (the colour runs from half the map colour at
  // the left to nearly all of it at the right).
  for (const double Across : {0.35, 0.65}) {
    const int X = GX + 3 + int(Across * (Graph.Width - 6));
    for (std::size_t n = 0; n < gNations.size(); ++n) {
      const auto& C = gNations[n]->MapColor;
      const double Share = (1.0 + Across * 0.9) / 2.0;
      bool Found = false;
      for (int Y = GY + 3; Y < GY + Graph.Height - 3 && !Found; ++Y)
        Found = Near(At(X, Y), {C[0] * Share, C[1] * Share, C[2] * Share}, 30);
      EXPECT_TRUE(Found) << Language << ": nation " << n << " at " << Across << " of the chart";
    }
  }
  // The labels lie outside the chart's panel but inside the window, clear of the other panels:
  // the newest values between the chart and the legend, the round numbers between the chart and
  // the income panel.
  const int GapX = GX + Graph.GetWidth(), GapWidth = LX - GapX;
  const int Below = GY + Graph.GetHeight(), BelowHeight = int(W.Y + Money.Position.Y) - Below;
  EXPECT_GT(AreaPixels(GapX, GY, GapWidth, Graph.GetHeight(), 1024, 768).Light, 100) << Language;
  EXPECT_GT(AreaPixels(GX, Below, Graph.GetWidth(), BelowHeight, 1024, 768).Light, 20) << Language;
  EXPECT_EQ(AreaPixels(LX + 2, GY, 16, Graph.GetHeight(), 1024, 768).Light, 0) << Language;
  EXPECT_EQ(AreaPixels(GX, Below + BelowHeight, Money.GetWidth(), 6, 1024, 768).Light, 0) << Language;

  // The income panel's labels in their row's colour: the income green, the expenses red, none
  // of them white.
  const int MX = int(W.X + Money.Position.X), MY = int(W.Y + Money.Position.Y);
  auto Tinted = [&](int Y, const std::array<double, 3>& Colour) {
    int Count = 0;
    for (int y = MY + Y; y < MY + Y + 14; ++y)
      for (int x = MX + 10; x < MX + 70; ++x) Count += Near(At(x, y), Colour, 40);
    return Count;
  };
  EXPECT_GT(Tinted(8, {51, 255, 51}), 10) << Language;
  for (const int Y : {24, 38, 52}) EXPECT_GT(Tinted(Y, {255, 51, 51}), 10) << Language << " row " << Y;
  EXPECT_EQ(AreaPixels(MX + 10, MY + 8, 60, 58, 1024, 768).Light, 0) << Language;

  // The legend: per nation its whole flag with a triangle of the nation's colour in its lower
  // right corner; above the triangle the flag's own colours show, not black.
  const float S = (float(Legend.Height - 24) - 20.0f) / 5.0f;
  for (std::size_t n = 0; n < gNations.size(); ++n) {
    const auto& C = gNations[n]->MapColor;
    const float Top = float(LY + 16) + (S + 4.0f) * float(n);
    const int Left = LX + 20;
    EXPECT_TRUE(Near(At(Left + int(5.0f * S / 3.0f), int(Top + 2.0f * S / 3.0f)), {double(C[0]), double(C[1]), double(C[2])}, 4))
        << Language << ": nation " << n;
    EXPECT_GT(AreaPixels(Left + int(1.1f * S), int(Top + 0.05f * S), int(0.8f * S), int(0.25f * S), 1024, 768).Colours, 3)
        << Language << ": nation " << n;
    EXPECT_GT(AreaPixels(Left + 2, int(Top + 2.0f), int(S) - 4, int(S) - 4, 1024, 768).Colours, 3)
        << Language << ": nation " << n;
  }
}

}  // namespace
