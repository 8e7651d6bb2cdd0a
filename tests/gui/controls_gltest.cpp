// Coarse drawing checks: every control draws without GL errors, only inside its rectangle, and
// the few looks the toolkit decides itself (hover half, clipping, focus) change the pixels.
#include "engine/gl_api.h"
#include <gtest/gtest.h>

#include <array>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "fake_gui_services.h"
#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/edit.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "support/gl_environment.h"

namespace {
constexpr int kSize = 256;

// Real GL behind the fake services: every skin is a 1 x 2 texture, red in its upper half
// (t 0.5 .. 1) and green in its lower half (t 0 .. 0.5); text is a solid bar, 7 units a character.
class TGLTestServices : public THeadlessGUIServices {
public:
  GLuint Skin = 0;
  TGLTestServices() {
    const unsigned char Pixels[8] = {0, 255, 0, 255, 255, 0, 0, 255};  // row 0 (t 0) green, row 1 red
    glGenTextures(1, &Skin);
    glBindTexture(GL_TEXTURE_2D, Skin);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, Pixels);
    Textures["plate"] = static_cast<int>(Skin);
    Textures["icon"] = static_cast<int>(Skin);
  }
  ~TGLTestServices() override { glDeleteTextures(1, &Skin); }
  void BindTexture(const std::string&) override { glBindTexture(GL_TEXTURE_2D, Skin); }
  void BindTextureByID(unsigned) override { glBindTexture(GL_TEXTURE_2D, Skin); }
  void DrawTexture(const std::string& Name, float X, float Y, float Z, float W, float H) override {
    if (Textures.count(Name)) DrawTextureByID(Skin, X, Y, Z, W, H);
  }
  void DrawTextureByID(unsigned, float X, float Y, float Z, float W, float H) override {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Skin);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1); glVertex3f(X, Y, Z);
    glTexCoord2f(0, 0.5f); glVertex3f(X, Y + H, Z);
    glTexCoord2f(1, 0.5f); glVertex3f(X + W, Y + H, Z);
    glTexCoord2f(1, 1); glVertex3f(X + W, Y, Z);
    glEnd();
  }
  void Print(const std::string& Text, TVector3 P, TVector3 C, float Alpha, float, bool, bool) override {
    Bar(Text, P, C, Alpha);
  }
  void PrintAlpha(const std::string& Text, TVector3 P, float, float Alpha, bool, bool) override {
    Bar(Text, P, TVector3{1, 1, 1}, Alpha);
  }
  void Bar(const std::string& Text, TVector3 P, TVector3 C, float Alpha) {
    Printed.push_back(Text);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glColor4f(C.X, C.Y, C.Z, Alpha);
    const float W = TextWidth(Text);
    glBegin(GL_QUADS);
    glVertex3f(P.X, P.Y + 2, P.Z);
    glVertex3f(P.X, P.Y + 14, P.Z);
    glVertex3f(P.X + W, P.Y + 14, P.Z);
    glVertex3f(P.X + W, P.Y + 2, P.Z);
    glEnd();
    glEnable(GL_TEXTURE_2D);
  }
};

struct TRect {
  int Left, Top, Right, Bottom;  // GUI pixels, right and bottom excluded
};

class ControlsGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    auto Owned = std::make_unique<TGLTestServices>();
    Services = Owned.get();
    Previous = SetGUIServices(std::move(Owned));
    Window.ClientWidth = Window.ScreenWidth = kSize;
    Window.ClientHeight = Window.ScreenHeight = kSize;
    gMouseX = gMouseY = -100;
    gFocusedEdit = nullptr;
    Begin2DFrame(kSize);
    Clear();
  }
  void TearDown() override {
    if (Services) SetGUIServices(std::move(Previous));
    gFocusedEdit = nullptr;
  }
  void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void Grab() {
    glFinish();
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
  }
  // The pixel at GUI position (X, Y), after Grab.
  const unsigned char* At(int X, int Y) const { return &Pixels[static_cast<std::size_t>(((kSize - 1 - Y) * kSize + X) * 4)]; }
  bool Lit(int X, int Y) const {
    const unsigned char* P = At(X, Y);
    return P[0] + P[1] + P[2] > 0;
  }
  int LitInside(const TRect& R) const {
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X) N += Lit(X, Y);
    return N;
  }
  int LitOutside(const TRect& R) const {
    int N = 0;
    for (int Y = 0; Y < kSize; ++Y)
      for (int X = 0; X < kSize; ++X)
        if (X < R.Left || X >= R.Right || Y < R.Top || Y >= R.Bottom) N += Lit(X, Y);
    return N;
  }
  // Renders one frame of Item, reads the pixels back and checks the GL error state.
  void Frame(TGLGUIItem& Item) {
    Clear();
    Item.Render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    Grab();
  }
  void ExpectOnlyInside(TGLGUIItem& Item, const TRect& R) {
    SCOPED_TRACE(static_cast<int>(Item.Kind()));
    Frame(Item);
    EXPECT_GT(LitInside(R), 0);
    EXPECT_EQ(LitOutside(R), 0);
  }
  template <typename T>
  void Show(T& Item, float X, float Y, int W, int H) {
    Item.Owner = &Window;
    Item.Position = TVector3{X, Y, 0};
    Item.Width = W;
    Item.Height = H;
    Item.Visible = true;
    Item.Alpha = 1.0f;
  }

  TGLTestServices* Services = nullptr;
  TFakeWindow Window;
  std::array<unsigned char, kSize * kSize * 4> Pixels{};

private:
  std::unique_ptr<TGUIServices> Previous;
};
}  // namespace

TEST_F(ControlsGL, FrameAndGaugeStayInTheirRectangles) {
  Services->BindTexture("");
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  DrawFrame(20, 30, 100, 50);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  Grab();
  EXPECT_GT(LitInside({20, 30, 120, 80}), 4000);
  EXPECT_EQ(LitOutside({20, 30, 120, 80}), 0);
  Clear();
  DrawGauge(TVector3{10, 10, 0}, TVector3{1, 1, 1}, 50, 101, 20);
  Grab();
  EXPECT_EQ(LitOutside({10, 10, 111, 30}), 0);
  EXPECT_GT(At(30, 20)[1], 200);  // the filled half shows the gauge's lower (fill) half
  EXPECT_GT(At(90, 20)[0], 200);  // the rest shows the background half
}

TEST_F(ControlsGL, ButtonHoverShowsTheOtherHalfOfTheSkin) {
  TGLButton B;
  Show(B, 20, 20, 120, 26);
  B.Caption = "Go";
  ExpectOnlyInside(B, {20, 20, 140, 46});
  EXPECT_GT(At(100, 40)[0], 200);  // normal: the red half
  gMouseX = 60;
  gMouseY = 30;
  Frame(B);
  EXPECT_GT(At(100, 40)[1], 200);  // hovered: the green half
  EXPECT_LT(At(100, 40)[0], 50);
  Window.AtMouse = false;  // covered by another window
  Frame(B);
  EXPECT_GT(At(100, 40)[0], 200);
}

TEST_F(ControlsGL, SmallControlsDrawInsideTheirRectangles) {
  TGLPanel Panel;
  Show(Panel, 10, 10, 100, 60);
  Panel.Border = true;
  ExpectOnlyInside(Panel, {10, 10, 110, 70});
  Panel.Border = false;
  Panel.FadeDir = -1;
  Panel.FadeSpeed = 100;
  Frame(Panel);
  EXPECT_EQ(LitInside({0, 0, kSize, kSize}), 0);
  EXPECT_FLOAT_EQ(Panel.Alpha, 0.925f);  // the fade still runs

  TGLCheckbox Box;
  Show(Box, 10, 10, 20, 20);
  Box.Caption = "abc";  // caption bar from x 10 + 22 to 53
  Box.Checked = true;
  ExpectOnlyInside(Box, {10, 10, 54, 30});

  TGLImage Image;
  Show(Image, 50, 60, 30, 20);
  Image.Texture = "icon";
  ExpectOnlyInside(Image, {50, 60, 80, 80});
  Image.Texture = "unknown";
  Frame(Image);
  EXPECT_EQ(LitInside({0, 0, kSize, kSize}), 0);

  TGLTrackBar Bar;
  Show(Bar, 20, 100, 200, 19);
  Bar.Max = 100;
  Bar.Progress = 50;
  Bar.UseGradient = true;
  ExpectOnlyInside(Bar, {20, 99, 220, 120});

  TGLText Header;
  Show(Header, 30, 40, 0, 15);
  Header.Text = "Header";  // 42 wide: the frame follows the text, which starts 8 in
  Header.IsHeader = true;
  ExpectOnlyInside(Header, {30, 40, 80, 67});
  EXPECT_TRUE(Lit(71, 60));  // frame up to 72
  EXPECT_EQ(At(73, 60)[0] + At(73, 60)[1], 0);
  TGLText Plain;
  Show(Plain, 30, 40, 200, 15);
  Plain.Text = "Plain";
  ExpectOnlyInside(Plain, {30, 40, 65, 55});
}

TEST_F(ControlsGL, ListBoxClipsRowsAndMarksTheSelection) {
  TGLListBox Box;
  Show(Box, 20, 20, 150, 100);
  Box.AddItem(std::string(60, 'x'), "long", "icon", 0);  // 420 wide, far past the box
  Box.AddItem("short", "short", "", 0);
  Box.ItemIndex = 1;
  // The scissor box ends 30 before the right edge and reaches 5 below the bottom edge.
  ExpectOnlyInside(Box, {20, 20, 170, 125});
  EXPECT_LT(At(145, 31)[2], 150);  // right of the clip only the frame shows (no white text)
  EXPECT_GT(At(130, 31)[2], 200);
  // The selected row is printed in the default text colour (yellowish: blue lower than red).
  const unsigned char* Selected = At(32, 45);
  EXPECT_GT(Selected[0], Selected[2] + 40);
}

TEST_F(ControlsGL, AListRowCutAtTheEdgeStaysCutUnderTheMouse) {
  TGLListBox Box;
  Show(Box, 20, 20, 150, 100);
  Box.AddItem(std::string(30, 'x'), "long", "", 0);  // 210 wide from 29, cut at 140
  Box.AddItem("short", "short", "", 0);
  Box.ItemIndex = -1;
  Window.ItemAtMouse = &Box;
  // The mouse on the long row or on the short one: nothing past the clip either way.
  gMouseX = 40;
  for (int RowY : {20 + 8 + 7, 20 + 8 + 15 + 7}) {
    gMouseY = RowY;
    Frame(Box);
    EXPECT_LT(At(200, 31)[0], 100) << RowY;
    EXPECT_LT(At(230, 31)[0], 100) << RowY;
    EXPECT_GT(At(130, 31)[0], 200) << RowY;  // the row's text up to the clip
  }
  gMouseX = gMouseY = -100;
}

TEST_F(ControlsGL, DropDownDrawsItsRowsOnlyWhenOpen) {
  gLocalization.AddKey("szStrDropDownEmpty", "- Liste leer -", "- List empty -");
  gLocalization.AddKey("szStrDropDownNoSelection", "- Keine Auswahl -", "- No selection -");
  TGLDropDown Box;
  Show(Box, 20, 20, 120, 30);
  Box.AddItem("one", "1", "icon", 0);
  Box.AddItem("two", "2", "", 0);
  ExpectOnlyInside(Box, {20, 20, 143, 50});
  Box.Open = true;
  ExpectOnlyInside(Box, {20, 20, 143, 20 + 3 * 25 + 24});
  // A refill with fewer rows draws the placeholder, not a row that is gone.
  Box.ItemIndex = 5;
  Box.Open = false;
  Box.Clear();
  Box.AddItem("one", "1", "", 0);
  Frame(Box);
  EXPECT_EQ(Services->Printed.back(), "- Keine Auswahl -");
  FreeLocalization();
}

TEST_F(ControlsGL, FocusedEditIgnoresTheFadeAndIsClipped) {
  TGLEdit Edit;
  Show(Edit, 20, 20, 100, 32);
  Edit.Border = false;
  Edit.Text = std::string(30, 'w');
  Edit.Alpha = 0.0f;
  Frame(Edit);
  EXPECT_EQ(LitInside({0, 0, kSize, kSize}), 0);  // faded out and not focused
  gFocusedEdit = &Edit;
  Edit.Caret = 2;
  Frame(Edit);
  EXPECT_TRUE(Lit(50, 30));
  EXPECT_EQ(LitOutside({20, 20, 90, 57}), 0);  // clipped 30 before the right edge
  Edit.Border = true;
  Edit.Alpha = 1.0f;
  ExpectOnlyInside(Edit, {20, 20, 120, 57});
}

TEST_F(ControlsGL, MemoRowsStayInTheBoxAndTakeTheirIndents) {
  TGLMemo Memo;
  Show(Memo, 20, 20, 150, 100);
  Services->CharWidth = 7.0f;
  for (int I = 0; I < 20; ++I) Memo.AddLine("abc");
  ExpectOnlyInside(Memo, {20, 20, 170, 120});
  Memo.Border = false;
  Memo.RowIndents = {40.0f};
  Frame(Memo);
  EXPECT_FALSE(Lit(31, 25));  // row 0 moved right by its indent
  EXPECT_TRUE(Lit(71, 25));
  EXPECT_TRUE(Lit(31, 40));   // row 1 is not indented
  EXPECT_EQ(LitOutside({20, 20, 170, 120}), 0);
}

TEST_F(ControlsGL, SkinnedControlStretchesToTheScreenEdge) {
  const int OldWidth = gGUIScreenWidth;
  gGUIScreenWidth = 200;
  Services->Textures["stretch"] = static_cast<int>(Services->Skin);
  Services->TextureWidths["stretch"] = 1;
  TGLSkinnedControl C(TVector3{10, 30, 0}, 100, 40, "plate", "stretch", "left", "top", 200, 256);
  C.Alpha = 1.0f;
  Frame(C);
  EXPECT_TRUE(Lit(50, 50));
  EXPECT_TRUE(Lit(205, 50));  // the stretcher runs on to X + screen width
  EXPECT_EQ(LitOutside({10, 30, 210, 70}), 0);
  C.StretchImage.clear();
  Frame(C);
  EXPECT_FALSE(Lit(150, 50));
  gGUIScreenWidth = OldWidth;
}
