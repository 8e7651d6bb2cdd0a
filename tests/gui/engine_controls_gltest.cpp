// The controls on the engine's own texture manager, font and file system under GL.
#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "fake_gui_services.h"
#include "gui/list_box.h"
#include "gui/skinned_control.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"
#include "support/texture_fixture.h"

namespace {
TTestPicture Solid(std::uint32_t W, std::uint32_t H, std::uint8_t R, std::uint8_t G, std::uint8_t B) {
  TTestPicture P{W, H, std::vector<std::uint8_t>(std::size_t(W) * H * 4, 255)};
  for (std::size_t I = 0; I < P.Rgba.size(); I += 4) P.Rgba[I] = R, P.Rgba[I + 1] = G, P.Rgba[I + 2] = B;
  return P;
}

// A window whose skin textures are the texture manager's entries.
class TSkinWindow : public TFakeWindow {
public:
  unsigned SkinTexture(const std::string& Name) const override {
    return static_cast<unsigned>(gTextureManager->GetTextureInfo(Name, tiGLID));
  }
};

class EngineControlsGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    Folder.Write("data/tex/gui/gui_interface_light.png", MakePNGFile(Solid(4, 4, 0, 0, 255)));
    Folder.Write("data/tex/font.png", MakePNGFile(Solid(256, 256, 255, 255, 255)));
    Folder.Write("data/font.fnt", std::string(256, char(64)));
    Folder.Write("data/tex/ondemand/nocompression/plate.png", MakePNGFile(Solid(4, 4, 255, 0, 0)));
    Folder.Write("data/tex/ondemand/nocompression/stretch.png", MakePNGFile(Solid(4, 4, 0, 255, 0)));
    SavedVFS = std::move(gVirtualFileSystem);
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Folder.Path());
    gVirtualFileSystem->LoadTexture("data\\tex\\gui\\gui_interface_light.png", *gTextureManager, false);
    SavedFont = std::move(gGUIFont);
    gVirtualFileSystem->LoadFont({.Texture = "data\\tex\\font.png", .Widths = "data\\font.fnt"}, *gTextureManager, gGUIFont, 8.0f);
    Begin2DFrame(256, 1);
    Window.ClientWidth = Window.ScreenWidth = 256;
    Window.ClientHeight = Window.ScreenHeight = 256;
    gMouseX = gMouseY = -100;
  }
  void TearDown() override {
    if (!GLTestContextReady()) return;
    gGUIFont = std::move(SavedFont);
    gVirtualFileSystem = std::move(SavedVFS);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
  }
  TLogCapture Log;
  TTextureManagerSwap Textures;
  TTempFolder Folder;
  TSkinWindow Window;
  std::unique_ptr<TVirtualFileSystem> SavedVFS;
  std::unique_ptr<TTexFont> SavedFont;
};
}  // namespace

TEST_F(EngineControlsGL, ListBoxDrawsItsSkinAndClipsItsText) {
  ASSERT_TRUE(gGUIFont);
  TGLListBox Box;
  Box.Owner = &Window;
  Box.Position = TVector3{20, 20, 0};
  Box.Width = 120;
  Box.Height = 100;
  Box.Visible = true;
  Box.Alpha = 1.0f;
  Box.AddItem(std::string(40, 'W'), "wide", "", 0);  // 40 x 13 units, far past the box
  Box.ItemIndex = -1;
  Box.Render();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  const auto Fill = Pixel(60, 90);
  EXPECT_GT(Fill[2], 100);  // the blue skin fills the box
  EXPECT_EQ(Pixel(145, 30), (std::array<int, 3>{0, 0, 0}));  // the row is clipped inside the box
  EXPECT_EQ(Pixel(200, 30), (std::array<int, 3>{0, 0, 0}));
  const auto Row = Pixel(60, 36);
  EXPECT_GT(Row[0], 200);  // white glyphs in the row
}

TEST_F(EngineControlsGL, SkinnedPicturesLoadOnDemandAndAMissingHoverPictureKeepsTheStretcherRepeating) {
  const int OldWidth = gGUIScreenWidth;
  gGUIScreenWidth = 256;
  TGLSkinnedControl C(TVector3{10, 10, 0}, 100, 50, "plate", "stretch", "left", "top", 256, 256);
  ASSERT_NE(gTextureManager->GetTextureInfo("plate", tiGLID), -1);
  const std::vector<TIntPair> Square{{10, 10}, {60, 10}, {60, 60}, {10, 60}};
  C.AddPart(TVector3{25, 25, 0}, "part", 20, 20, "nohover", Square, 120);
  C.Alpha = 1.0f;
  gMouseX = gMouseY = 30;
  C.Render();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_EQ(Pixel(50, 30), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(200, 30), (std::array<int, 3>{0, 255, 0}));
  GLint WrapS = 0;
  glBindTexture(GL_TEXTURE_2D, C.StretchTexture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &WrapS);
  EXPECT_EQ(WrapS, GL_REPEAT);
  gGUIScreenWidth = OldWidth;
}
