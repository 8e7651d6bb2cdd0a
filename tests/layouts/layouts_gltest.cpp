// Every window and screen of the game drawn in both languages at both GUI widths, as pictures for
// the eye in build-test/artifacts/layouts_gltest/. Pictures the data set does not hold yet (skins,
// screen pictures) are drawn as plain tinted placeholders. The screens are drawn in a window of
// their own size (edits, lists and memos clip to window pixels); it takes over the GL context, so
// this program holds this one test.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "font_writer.h"
#include "gui/drop_down.h"
#include "gui/memo.h"
#include "layout_fixture.h"
#include "platform/files.h"
#include "platform/latin1.h"
#include "platform/png_codec.h"
#include "platform/window_host.h"
#include "platform/xml_document.h"
#include "support/gl_environment.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"

namespace fs = std::filesystem;

namespace {

fs::path BuildFile(const std::string& Name) { return fs::path(TARNOVA_BINARY_DIR) / Name; }

TTestPicture Placeholder(std::uint32_t W, std::uint32_t H, std::uint8_t R, std::uint8_t G, std::uint8_t B, std::uint8_t A) {
  TTestPicture P{W, H, std::vector<std::uint8_t>(std::size_t(W) * H * 4)};
  for (std::uint32_t Y = 0; Y < H; ++Y)
    for (std::uint32_t X = 0; X < W; ++X) {
      const bool Edge = X == 0 || Y == 0 || X == W - 1 || Y == H - 1;
      std::uint8_t* Px = &P.Rgba[(std::size_t(Y) * W + X) * 4];
      Px[0] = Edge ? 200 : R, Px[1] = Edge ? 200 : G, Px[2] = Edge ? 200 : B, Px[3] = Edge ? 255 : A;
    }
  return P;
}

class LayoutsGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    std::string Error;
    ASSERT_TRUE(Screen.Create(TWindowOptions{"Tarnova layouts", 1365, 768, true, true}, &Error)) << Error;
    SavedTextures = std::move(gTextureManager);
    gTextureManager = std::make_unique<TTextureManager>();
    SavedFont = std::move(gGUIFont);
    SavedVFS = std::move(gVirtualFileSystem);
    gWidescreenFactor = 1.0;
    gMouseX = gMouseY = -100;
    LoadStandIns();
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(TARNOVA_BINARY_DIR);
    TXMLDocument Texts;
    gVirtualFileSystem->LoadXML("data\\XML\\localization.xml", Texts);
    gLocalization.LoadFromDocument(Texts);
    Artifacts = BuildFile("artifacts/layouts_gltest");
    fs::create_directories(Artifacts);
  }
  void TearDown() override {
    if (SavedTextures) {
      gLocalization.Clear();
      gGUIFont = std::move(SavedFont);
      gVirtualFileSystem = std::move(SavedVFS);
      gTextureManager = std::move(SavedTextures);
      gGUIScreenWidth = 1024;
    }
    // This fixture's window and its context go; the tests after it draw in the shared one.
    Screen.Destroy();
    RestoreGLTestContext();
  }

  // The data set's font and skin when it has them, else stand-ins from a temporary folder.
  void LoadStandIns() {
    TVirtualFileSystem Data(TARNOVA_BINARY_DIR);
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Folder.Path());
    if (Data.FileExists("data\\font3.fnt") && Data.FileExists("data\\tex\\font_black_outline.dds")) {
      Data.LoadFont({.Texture = "data\\tex\\font_black_outline.dds", .Widths = "data\\font3.fnt"}, *gTextureManager, gGUIFont, 8.0f);
    } else {
      TFontImage Image;
      std::string Error;
      ASSERT_TRUE(RenderFont({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16, true}, Image, Error)) << Error;
      Folder.Write("data/tex/font.dds", FontTextureDDS(Image));
      Folder.Write("data/font.fnt", Image.Widths);
      gVirtualFileSystem->LoadFont({.Texture = "data\\tex\\font.dds", .Widths = "data\\font.fnt"}, *gTextureManager, gGUIFont, 8.0f);
    }
    ASSERT_TRUE(gGUIFont);
    struct TSkin {
      const char* Name;
      std::uint8_t R, G, B, A;
    };
    for (const TSkin& S : {TSkin{"gui_interface", 34, 44, 66, 235}, TSkin{"gui_interface_light", 60, 74, 100, 220},
                           TSkin{"gui_button", 80, 100, 135, 255}, TSkin{"gui_trackbar", 110, 120, 140, 255},
                           TSkin{"gui_edit", 20, 24, 30, 255}, TSkin{"gui_gauge", 90, 90, 90, 255}})
      StandIn(Data, S.Name, Placeholder(64, 64, S.R, S.G, S.B, S.A));
    // Pictures the layouts name.
    for (auto& E : fs::recursive_directory_iterator(BuildFile("data/XML"))) {
      const std::string Text = ReadTestFile(E.path());
      for (const std::string Attr : {" image=\"", " icon=\"", " widescreenstretcher=\""})
        for (std::size_t At = Text.find(Attr); At != std::string::npos; At = Text.find(Attr, At + 1)) {
          const std::size_t From = At + Attr.size();
          const std::string Name = Text.substr(From, Text.find('"', From) - From);
          if (!Name.empty() && Name != "gui_image_dummy")
            StandIn(Data, Name, Placeholder(32, 32, 120, 90, 40, Name.find("hover") != std::string::npos ? 0 : 150));
        }
    }
  }
  void StandIn(TVirtualFileSystem& Data, const std::string& Name, const TTestPicture& P) {
    if (gTextureManager->GetTextureInfo(Name, tiGLID) != -1) return;
    for (const char* Where : {"data\\tex\\gui\\", "data\\tex\\nocompression\\", "data\\tex\\ondemand\\nocompression\\", "data\\tex\\"})
      if (Data.FileExists(Where + Name + ".png") || Data.FileExists(Where + Name + ".dds")) {
        Data.LoadTexture(Where + Name, *gTextureManager, false);
        if (gTextureManager->GetTextureInfo(Name, tiGLID) != -1) return;
      }
    Folder.Write("data/standin/" + Name + ".png", MakePNGFile(P));
    gVirtualFileSystem->LoadTexture("data\\standin\\" + Name + ".png", *gTextureManager, false);
  }

  // Draws the GUI over a sky-blue background and writes the picture; returns the share of
  // pixels that differ from the background.
  double Shoot(TGLGUI& GUI, const std::string& Name) {
    GUI.LoadSkinTextures();
    GUI.FadeSpeed = 0.0f;
    const int W = GUI.ScreenWidth, H = GUI.ScreenHeight;
    GUI.ClientSize = TIntPair{W, H};
    Begin2DFrame(W, H, 1.0f);
    glClearColor(0.25f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    GUI.Render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << Name;
    glFinish();
    std::vector<std::uint8_t> Picture(std::size_t(W) * H * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, Picture.data());
    std::size_t Drawn = 0;
    for (std::size_t I = 0; I < Picture.size(); I += 4) {
      Picture[I + 3] = 255;
      if (Picture[I] != 64 || Picture[I + 1] != 102 || Picture[I + 2] != 153) ++Drawn;
    }
    std::string Bytes, Error;
    EXPECT_TRUE(EncodePNG(Picture.data(), W, H, Bytes, Error)) << Error;
    EXPECT_TRUE(SafeWriteFile(Artifacts / (Name + ".png"), Bytes, &Error)) << Error;
    return static_cast<double>(Drawn) / static_cast<double>(W * H);
  }

  // The texts the game puts into the windows when it starts.
  static void FillAsTheGameDoes(TGameGUIs& G, const std::string& Lang) {
    TXMLDocument Nations;
    gVirtualFileSystem->LoadXML("data\\xml\\nationinfo.xml", Nations);
    const std::string Section = Lang == "ger" ? "GER" : "ENG";
    auto& History = G.NationSelect->Windows[0]->GetItem<TGLMemo>("memonationhistory");
    History.SetTextSection(Nations.Root().ChildAt(3).Child("history").Text(), Section, true);
    History.RowIndents = {0, 6, 12, 18, 26, 34, 45, 55, 68, 80};  // the slant the scene gives it
    static_cast<TGLMemo&>(G.InGame->GetWindow("globalproject")->GetGLGUIItem(0, "memo"))
        .LoadFromFile("data\\phase1info_" + Lang + ".txt");
    for (TGLGUI* GUI : {G.InGame.get(), G.MainMenu.get()}) {
      TGLWindow& Box = *GUI->GetWindow("messagedlg_ext");
      Box.GetItem<TGLMemo>("memo_message_text").Border = false;
      Box.GetItem<TGLMemo>("memo_message_text").SetText(Localize("szNoticeResolutionChange"), true);
    }
    auto& Languages = G.MainMenu->Windows[0]->GetItem<TGLDropDown>("options_dropdown_language");
    Languages.AddItem("Deutsch", "ger", "lang_ger", 0);
    Languages.AddItem("English", "eng", "lang_eng", 0);
  }

  static void ShowBase(TGLGUI& GUI, const std::function<bool(const TGLGUIItem&)>& Shown) {
    for (auto& W : GUI.Windows) W->Visible = false;
    GUI.Windows[0]->Visible = true;
    auto& Items = GUI.Windows[0]->Items;
    for (std::size_t I = 3; I < Items.size(); ++I) {
      Items[I]->Visible = Shown(*Items[I]);
      Items[I]->Alpha = 1.0f;
    }
  }

  TWindowHost Screen;
  TTempFolder Folder;
  fs::path Artifacts;

private:
  std::unique_ptr<TTextureManager> SavedTextures;
  std::unique_ptr<TTexFont> SavedFont;
  std::unique_ptr<TVirtualFileSystem> SavedVFS;
};

TEST_F(LayoutsGL, EveryWindowAndScreenDrawsInBothLanguages) {
  REQUIRE_GL_CONTEXT();
  for (const std::string& Lang : kLanguages)
    for (int Width : {1024, 1365}) {
      gLocalization.LanguageIndex = Lang == "ger" ? 0 : 1;
      TGameGUIs G = LoadGameGUIs(Lang, Width);
      FillAsTheGameDoes(G, Lang);
      const std::string Tag = Lang + "_" + std::to_string(Width) + "_";
      auto Always = [](const TGLGUIItem& I) { return I.Visible; };
      // The in-game windows one by one over the running game's screen.
      ShowBase(*G.InGame, [](const TGLGUIItem&) { return true; });
      if (Width == 1024)
        for (const auto& File : kInGameWindows) {
          for (auto& W : G.InGame->Windows) W->Visible = W.get() == G.InGame->Windows[0].get();
          G.InGame->OpenWindow(File.Name);
          EXPECT_GT(Shoot(*G.InGame, Tag + File.Name), 0.05) << File.Name;
        }
      for (auto& W : G.InGame->Windows) W->Visible = W.get() == G.InGame->Windows[0].get();
      EXPECT_GT(Shoot(*G.InGame, Tag + "earthview"), 0.05);
      // The main menu with each of its panels.
      for (const char* Group : {"", "singleplayer", "multiplayer", "options", "hotseat", "credits"}) {
        TGLWindow& Base = *G.MainMenu->Windows[0];
        ShowBase(*G.MainMenu, [&](const TGLGUIItem& I) {
          const std::string In = MainMenuGroup(Base, I);
          return In.empty() ? I.ID != "gamelogo" : In == Group;
        });
        EXPECT_GT(Shoot(*G.MainMenu, Tag + "mainmenu" + (*Group ? std::string("_") + Group : "")), 0.05);
      }
      ShowBase(*G.NationSelect, Always);
      EXPECT_GT(Shoot(*G.NationSelect, Tag + "nationselect"), 0.05);
      ShowBase(*G.Intro, [](const TGLGUIItem&) { return true; });
      EXPECT_GT(Shoot(*G.Intro, Tag + "intro"), 0.005);
      ShowBase(*G.EndGame, [](const TGLGUIItem& I) { return I.ID != "endgame_defeat"; });
      EXPECT_GT(Shoot(*G.EndGame, Tag + "endgame"), 0.05);
    }
}

}  // namespace
