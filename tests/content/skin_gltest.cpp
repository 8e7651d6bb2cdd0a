// The toolkit's controls drawn with the game's own skin textures and icons from the data build:
// each piece of the skin lands where the controls read it. The frame is kept as a screenshot.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "content_fixture.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/edit.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/list_box.h"
#include "gui/panel.h"
#include "gui/track_bar.h"
#include "platform/files.h"
#include "platform/png_codec.h"
#include "support/gl_environment.h"
#include "support/texture_fixture.h"

namespace {
constexpr int kSize = 256;
constexpr float WX = 8, WY = 8;  // the window's corner

struct TRgb {
  int R, G, B;
  int Sum() const { return R + G + B; }
};

class SkinGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    SavedVFS = std::move(gVirtualFileSystem);
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(TARNOVA_BINARY_DIR);
    gVirtualFileSystem->LoadTextures("data\\tex\\nocompression\\", ".png", *gTextureManager, false);
    Begin2DFrame(kSize);
  }
  void TearDown() override {
    if (!GLTestContextReady()) return;
    gVirtualFileSystem = std::move(SavedVFS);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
  }
  TRgb Pixel(int X, int Y) const {
    const unsigned char* P = &Pixels[static_cast<std::size_t>(((kSize - 1 - Y) * kSize + X) * 4)];
    return {P[0], P[1], P[2]};
  }
  void Screenshot(const std::string& Name) {
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path Folder =
        std::filesystem::path(TARNOVA_BINARY_DIR) / "artifacts" / (std::string(Info->test_suite_name()) + "." + Info->name());
    std::filesystem::create_directories(Folder);
    std::string Bytes, Error;
    ASSERT_TRUE(EncodePNG(Pixels.data(), kSize, kSize, Bytes, Error)) << Error;
    ASSERT_TRUE(SafeWriteFile(Folder / Name, Bytes, &Error)) << Error;
  }

  TTextureManagerSwap Textures;
  std::unique_ptr<TVirtualFileSystem> SavedVFS;
  std::vector<unsigned char> Pixels = std::vector<unsigned char>(kSize * kSize * 4);
};

TEST_F(SkinGL, ControlsDrawnWithTheGameSkinShowEachPieceInItsPlace) {
  TGLGUI GUI;
  GUI.ScreenWidth = GUI.ScreenHeight = kSize;
  GUI.ClientSize = TIntPair{kSize, kSize};
  ASSERT_NO_THROW(GUI.LoadSkinTextures());
  TGLWindow& W = GUI.AddWindow("skin", "", "skin", TVector3{WX, WY, 0}, 240, 208, {}, {}, {});
  W.Icon = "gui_icon_building";
  W.SkinTextures = GUI.SkinTextures;
  std::vector<TGLGUIItem*> Items;
  Items.push_back(&W.AddButton("", "gui_icon_checked", "normal", TVector3{10, 34, 0}));
  Items.push_back(&W.AddButton("", "gui_icon_stop", "hovered", TVector3{122, 34, 0}));
  TGLEdit& Edit = W.AddEdit(TVector3{10, 66, 0}, "", "edit");
  Edit.Width = 140;
  Edit.Border = true;
  Items.push_back(&Edit);
  Items.push_back(&W.AddCheckbox(TVector3{170, 70, 0}, 22, 22, "", true));
  Items.push_back(&W.AddTrackBar(TVector3{14, 104, 0}, 200, 0, 100, 60, true));
  TGLListBox& List = W.AddListBox(TVector3{10, 132, 0}, 140, 74);
  for (const char* Icon : {"gui_icon_population", "gui_icon_energy", "gui_icon_army_star"}) List.AddItem("", Icon, Icon, 0);
  Items.push_back(&List);
  Items.push_back(&W.AddPanel(TVector3{160, 132, 0}, 70, 74, false));
  for (TGLGUIItem* Item : Items) Item->Alpha = 1.0f, Item->Visible = true;
  W.OnRender = [] {
    glDisable(GL_TEXTURE_2D);
    DrawGauge(TVector3{WX + 168, WY + 150, 0.5f}, TVector3{1.0f, 0.2f, 0.1f}, 70, 56, 14);
    for (int I = 0; I < 3; ++I) {
      const char* Icons[] = {"gui_icon_loyalty", "gui_icon_defense", "gui_icon_res"};
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      GUIServices().DrawTexture(Icons[I], WX + 168 + I * 20.0f, WY + 174, 0.5f, 18, 18);
    }
  };
  GUI.OpenWindow("skin");
  gMouseX = static_cast<int>(WX + 122 + 60);
  gMouseY = static_cast<int>(WY + 34 + 13);
  glClearColor(0.35f, 0.45f, 0.3f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  GUI.Render();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glFinish();
  glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
  Screenshot("controls.png");
  gMouseX = gMouseY = -100;

  const auto At = [&](float X, float Y) { return Pixel(static_cast<int>(WX + X), static_cast<int>(WY + Y)); };
  const TRgb Body = At(220, 120), Plate = At(120, 8), Close = At(240 - 21, 15), Tick = At(182, 81);
  EXPECT_LT(Body.Sum(), 300) << "the window body is dark";
  EXPECT_GE(Body.B, Body.R);
  EXPECT_GT(Plate.Sum(), Body.Sum() + 60) << "the title plate stands out";
  EXPECT_GT(Close.R, Close.G + 40) << "the close box is red";
  EXPECT_GT(Tick.G, Tick.R + 40) << "the check mark is green";
  EXPECT_GT(At(122 + 60, 44).Sum(), At(10 + 60, 44).Sum() + 30) << "a hovered button is lighter";
  EXPECT_LT(At(10 + 80, 66 + 16).Sum() + 40, Body.Sum()) << "the edit field is a dark inset";
  const TRgb Gauge = At(168 + 20, 157);
  EXPECT_GT(Gauge.R, 150);
  EXPECT_LT(Gauge.G, 100);
}

}  // namespace
