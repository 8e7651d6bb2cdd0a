// Drawing of windows and managers: the frame covers the body and the bottom band, a collapsed
// window draws only its 256-pixel title plate, a fixed window no frame, and a modal window
// dims everything behind it.
#include "engine/gl_api.h"
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>
#include <memory>

#include "fake_gui_services.h"
#include "gui/drop_down.h"
#include "gui/gui_manager.h"
#include "gui/panel.h"
#include "support/gl_environment.h"

namespace {
constexpr int kSize = 256;

// A white skin texture behind the fake services; text is not drawn.
class TSkinServices : public THeadlessGUIServices {
public:
  GLuint Skin = 0;
  TSkinServices() {
    const unsigned char White[4] = {255, 255, 255, 255};
    glGenTextures(1, &Skin);
    glBindTexture(GL_TEXTURE_2D, Skin);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, White);
  }
  ~TSkinServices() override { glDeleteTextures(1, &Skin); }
  void BindTexture(const std::string&) override { glBindTexture(GL_TEXTURE_2D, Skin); }
  void BindTextureByID(unsigned ID) override { glBindTexture(GL_TEXTURE_2D, ID); }
};

class WindowGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    auto Owned = std::make_unique<TSkinServices>();
    Services = Owned.get();
    Previous = SetGUIServices(std::move(Owned));
    GUI = std::make_unique<TGLGUI>();
    GUI->ScreenWidth = GUI->ScreenHeight = kSize;
    GUI->ClientSize = TIntPair{kSize, kSize};
    GUI->SetSkinTextures(Services->Skin, 0, Services->Skin, Services->Skin, Services->Skin);
    gMouseX = gMouseY = -100;
    Begin2DFrame(kSize);
  }
  void TearDown() override {
    GUI.reset();
    if (Services) SetGUIServices(std::move(Previous));
  }
  TGLWindow& Add(const std::string& Name, float X, float Y, int W, int H) {
    TGLWindow& Win = GUI->AddWindow(Name, "", Name, TVector3{X, Y, 0}, W, H, {}, {}, {});
    GUI->OpenWindow(Name);
    return Win;
  }
  void Frame(float Background) {
    glClearColor(Background, Background, Background, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    GUI->Render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glFinish();
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
  }
  int Red(int X, int Y) const { return Pixels[static_cast<std::size_t>(((kSize - 1 - Y) * kSize + X) * 4)]; }

  TSkinServices* Services = nullptr;
  std::unique_ptr<TGLGUI> GUI;
  std::array<unsigned char, kSize * kSize * 4> Pixels{};

private:
  std::unique_ptr<TGUIServices> Previous;
};

TEST_F(WindowGL, FrameCoversTheBodyAndTheBottomBand) {
  REQUIRE_GL_CONTEXT();
  TGLWindow& W = Add("w", 40, 40, 100, 80);
  Frame(0.0f);
  EXPECT_GT(Red(90, 100), 150);  // body
  EXPECT_GT(Red(90, 40 + 80 + 20), 150);  // bottom band below the body
  EXPECT_EQ(Red(90, 40 + 80 + 27 + 3), 0);
  EXPECT_EQ(Red(40 + 100 + 5, 100), 0);
  EXPECT_EQ(Red(20, 100), 0);
  EXPECT_NE(W.DisplayList, 0u);
  // A second frame replays the list; a new size records it again.
  W.Width = 150;
  Frame(0.0f);
  EXPECT_GT(Red(40 + 130, 100), 150);
}

TEST_F(WindowGL, ACollapsedWindowDrawsOnlyItsTitlePlate) {
  REQUIRE_GL_CONTEXT();
  TGLWindow& W = Add("w", 20, 40, 100, 80);
  W.Collapsed = true;
  W.AddPanel(TVector3{10, 40, 0}, 50, 30, false).Border = true;
  Frame(0.0f);
  EXPECT_GT(Red(20 + 200, 50), 150);  // the plate is 256 wide whatever the width
  EXPECT_EQ(Red(60, 100), 0);  // no body and no items
  EXPECT_EQ(Red(60, 40 + 40), 0);
}

TEST_F(WindowGL, AFixedWindowDrawsNoFrame) {
  REQUIRE_GL_CONTEXT();
  TGLWindow& W = Add("w", 40, 40, 100, 80);
  W.Fixed = true;
  Frame(0.0f);
  EXPECT_EQ(Red(90, 100), 0);
  EXPECT_EQ(Red(90, 45), 0);
}

TEST_F(WindowGL, AModalWindowDimsWhatLiesBehindIt) {
  REQUIRE_GL_CONTEXT();
  Add("dialog", 150, 150, 60, 40);
  Frame(1.0f);
  EXPECT_EQ(Red(10, 10), 255);
  GUI->SetModalWindow("dialog");
  Frame(1.0f);
  EXPECT_NEAR(Red(10, 10), 102, 2);  // 40 % of white
  EXPECT_GT(Red(180, 175), 150);     // the dialog itself is drawn over the dimming
  GUI->CloseWindow("dialog");
  Frame(1.0f);
  EXPECT_EQ(Red(10, 10), 255);
}

// A label-like control that paints its rectangle pure red.
class TRedBlock : public TGLGUIItem {
public:
  TRedBlock() : TGLGUIItem(TGUIItemKind::Text) {}
  void Draw() override {
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(Position.X, Position.Y, Position.Z);
    glVertex3f(Position.X, Position.Y + Height, Position.Z);
    glVertex3f(Position.X + Width, Position.Y + Height, Position.Z);
    glVertex3f(Position.X + Width, Position.Y, Position.Z);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
  }
};

TEST_F(WindowGL, AnOpenDropDownIsDrawnOverTheControlsAfterIt) {
  REQUIRE_GL_CONTEXT();
  TGLWindow& W = Add("w", 20, 20, 200, 200);
  W.Fixed = true;
  auto Drop = std::make_unique<TGLDropDown>();
  TGLDropDown& D = *Drop;
  D.Owner = &W;
  D.Position = TVector3{10, 10, 0};
  D.Width = 120;
  D.Height = 30;
  D.Visible = true;
  D.Alpha = 1.0f;
  D.AddItem("one", "1", "", 0);
  D.AddItem("two", "2", "", 0);
  D.AddItem("three", "3", "", 0);
  // A label and a list below the field, later in the window's order and higher up in depth.
  auto Label = std::make_unique<TRedBlock>();
  Label->Owner = &W;
  Label->Position = TVector3{10, 45, 0.3f};
  Label->Width = 150;
  Label->Height = 60;
  Label->Visible = true;
  Label->Alpha = 1.0f;
  W.Items.push_back(std::move(Drop));
  W.Items.push_back(std::move(Label));
  Frame(0.0f);
  const int Row1X = 20 + 10 + 40, Row1Y = 20 + 10 + 2 * 25 + 12;  // inside the second row's frame
  EXPECT_EQ(Pixels[static_cast<std::size_t>(((kSize - 1 - Row1Y) * kSize + Row1X) * 4 + 1)], 0) << "folded: the label shows";
  D.Open = true;
  Frame(0.0f);
  const std::size_t At = static_cast<std::size_t>(((kSize - 1 - Row1Y) * kSize + Row1X) * 4);
  EXPECT_GT(Pixels[At + 1], 150) << "the unfolded rows (white skin) cover the label";
  EXPECT_GT(Pixels[At + 2], 150);
  // Beside the rows the label still shows.
  EXPECT_EQ(Red(20 + 10 + 148, Row1Y), 255);
}

}  // namespace

TEST_F(WindowGL, TheSkinIsSampledFromItsFullSizePictureAndTheFrameLooksAsWithItsSmallerLevels) {
  REQUIRE_GL_CONTEXT();
  // A skin of soft shading, as the interface's pictures are, with all its smaller levels.
  std::vector<unsigned char> Texels(256 * 256 * 4);
  for (int Y = 0; Y < 256; ++Y)
    for (int X = 0; X < 256; ++X) {
      unsigned char* T = &Texels[static_cast<std::size_t>((Y * 256 + X) * 4)];
      T[0] = static_cast<unsigned char>(X);
      T[1] = static_cast<unsigned char>(Y);
      T[2] = static_cast<unsigned char>(128 + 100 * std::sin(X / 40.0) * std::cos(Y / 50.0));
      T[3] = 255;
    }
  GLuint Skin = 0;
  glGenTextures(1, &Skin);
  glBindTexture(GL_TEXTURE_2D, Skin);
  glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, Texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  GUI->SetSkinTextures(Skin, 0, Skin, Skin, Skin);
  Add("w", 20, 20, 200, 150).SkinTextures = GUI->SkinTextures;
  Frame(0.0f);
  GLint Filter = 0;
  glBindTexture(GL_TEXTURE_2D, Skin);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &Filter);
  EXPECT_EQ(Filter, GL_LINEAR);
  const auto FullSizeOnly = Pixels;
  // The same frame from the smaller levels where the skin is drawn smaller: the picture barely
  // differs (the manager filters a skin once, so it keeps the filter set here).
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  Frame(0.0f);
  int Lit = 0, Off = 0;
  for (std::size_t I = 0; I < Pixels.size(); I += 4) {
    Lit += Pixels[I] + Pixels[I + 1] + Pixels[I + 2] > 0;
    for (std::size_t C = 0; C < 3; ++C) Off += std::abs(Pixels[I + C] - FullSizeOnly[I + C]) > 3;
  }
  EXPECT_GT(Lit, 200 * 150);
  EXPECT_LT(Off, Lit / 100) << "pixels changed by more than 3 of 255";
  glDeleteTextures(1, &Skin);
}
