#include <gtest/gtest.h>

#include "fake_gui_services.h"
#include "gui/skinned_control.h"
#include "platform/errors.h"

namespace {
class SkinnedTest : public GUITest {
protected:
  void SetUp() override {
    GUITest::SetUp();
    Services->Textures["plate"] = 7;
    Services->Textures["stretch"] = 8;
    Services->TextureWidths["stretch"] = 32;
    Services->Textures["hover"] = 9;
  }
  std::unique_ptr<TGLSkinnedControl> Make(TVector3 Pos, int W, int H, const std::string& HAlign,
                                          const std::string& VAlign, const std::string& Stretch = "") {
    return std::make_unique<TGLSkinnedControl>(Pos, W, H, "plate", Stretch, HAlign, VAlign, 1229, 768);
  }
};
}  // namespace

TEST_F(SkinnedTest, Alignment) {
  auto Right = Make(TVector3{55, 10, 0.5f}, 300, 100, "right", "bottom");
  EXPECT_FLOAT_EQ(Right->Position.X, 929.0f);
  EXPECT_FLOAT_EQ(Right->Position.Y, 668.0f);
  EXPECT_FLOAT_EQ(Right->Position.Z, 0.5f);
  auto Centre = Make(TVector3{512, 300, 0}, 301, 101, "center", "center");
  EXPECT_FLOAT_EQ(Centre->Position.X, 362.0f);
  EXPECT_FLOAT_EQ(Centre->Position.Y, 250.0f);
  auto Left = Make(TVector3{12, 34, 0}, 10, 10, "left", "top");
  EXPECT_FLOAT_EQ(Left->Position.X, 12.0f);
  EXPECT_FLOAT_EQ(Left->Position.Y, 34.0f);
  auto Other = Make(TVector3{12, 34, 0}, 10, 10, "Left", "middle");  // exact, case-sensitive
  EXPECT_FLOAT_EQ(Other->Position.X, 0.0f);
  EXPECT_FLOAT_EQ(Other->Position.Y, 0.0f);
  EXPECT_TRUE(Other->Visible);
  EXPECT_FLOAT_EQ(Other->Alpha, 0.0f);
  gWidescreenFactor = 1.25;
  auto Wide = Make(TVector3{0, 0, 0}, 302, 10, "right", "top");
  EXPECT_EQ(Wide->Width, 378);  // 377.5 to the even neighbour
  EXPECT_FLOAT_EQ(Wide->Position.X, 1229.0f - 378.0f);
}

TEST_F(SkinnedTest, PicturesComeOnDemandOrTheControlFails) {
  auto C = Make(TVector3{0, 0, 0}, 10, 10, "left", "top", "stretch");
  EXPECT_EQ(C->ImageTexture, 7u);
  EXPECT_EQ(C->StretchTexture, 8u);
  EXPECT_EQ(C->StretchTextureWidth, 32u);
  ASSERT_EQ(Services->WrapModes.size(), 2u);
  EXPECT_EQ(Services->WrapModes[0], (std::pair<unsigned, unsigned>{8u, 10497u}));
  EXPECT_EQ(Services->WrapModes[1], (std::pair<unsigned, unsigned>{7u, 10496u}));

  Services->Files["data\\tex\\ondemand\\nocompression\\late.dds"] = "x";
  TGLSkinnedControl Late(TVector3{0, 0, 0}, 10, 10, "late", "", "left", "top", 1024, 768);
  EXPECT_EQ(Services->Loaded, std::vector<std::string>{"data\\tex\\ondemand\\nocompression\\late.dds"});
  Services->Files["data\\tex\\ondemand\\nocompression\\late2.png"] = "x";
  Services->Files["data\\tex\\ondemand\\nocompression\\late2.dds"] = "x";
  TGLSkinnedControl Late2(TVector3{0, 0, 0}, 10, 10, "late2", "", "left", "top", 1024, 768);
  EXPECT_EQ(Services->Loaded.back(), "data\\tex\\ondemand\\nocompression\\late2.png");

  try {
    TGLSkinnedControl Missing(TVector3{0, 0, 0}, 10, 10, "nowhere", "", "left", "top", 1024, 768);
    FAIL() << "a missing picture must fail";
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "TGLSkinnedControl->Create->Picture \"nowhere\" not found");
  }
  EXPECT_THROW(Make(TVector3{0, 0, 0}, 10, 10, "left", "top", "nostretch"), ETarnovaError);
  EXPECT_THROW(Make(TVector3{0, 0, 0}, -1, 10, "left", "top"), ERangeError);
}

TEST_F(SkinnedTest, CirclePartPolygonAndHits) {
  auto C = Make(TVector3{100, 200, 0}, 300, 100, "left", "top");
  TGLSkinnedPart& P = C->AddCirclePart(TVector3{50, 40, 0.2f}, 30, 20, "cc_science", "hover", 10.0f, 120.0f);
  ASSERT_EQ(P.Polygon.size(), 64u);
  EXPECT_EQ(P.Shape, "circle");
  EXPECT_FLOAT_EQ(P.Radius, 10.0f);
  EXPECT_FLOAT_EQ(P.MaxGrow, 0.2f);
  // First point at 5.625 degrees: just right of the lowest point; the last is the lowest point.
  EXPECT_EQ(P.Polygon[0].X, 151);
  EXPECT_EQ(P.Polygon[0].Y, 250);
  EXPECT_EQ(P.Polygon[15].X, 160);  // 90 degrees: the right-most point
  EXPECT_EQ(P.Polygon[15].Y, 240);
  EXPECT_EQ(P.Polygon[63].X, 150);
  EXPECT_EQ(P.Polygon[63].Y, 250);
  EXPECT_FLOAT_EQ(P.Corner.X, 100 + 50 - 15);
  EXPECT_FLOAT_EQ(P.Corner.Y, 200 + 40 - 10);
  EXPECT_FLOAT_EQ(P.Corner.Z, 0.2f);

  C->Alpha = 1.0f;
  MouseAt(150, 240);
  EXPECT_EQ(C->GetPartAtMouse(), &P);
  MouseAt(161, 240);
  EXPECT_EQ(C->GetPartAtMouse(), nullptr);
  // Moving the control later does not move the part.
  C->Position.X = 500;
  MouseAt(150, 240);
  EXPECT_EQ(C->GetPartAtMouse(), &P);
  // Moving the window does: polygons are window-relative.
  TFakeWindow W;
  W.Pos = TVector3{1000, 0, 0};
  C->Window = &W;
  EXPECT_EQ(C->GetPartAtMouse(), nullptr);
  MouseAt(1150, 240);
  EXPECT_EQ(C->GetPartAtMouse(), &P);
}

TEST_F(SkinnedTest, HitNeedsAnOpaqueVisibleControlAndTheLastPartWins) {
  auto C = Make(TVector3{0, 0, 0}, 300, 100, "left", "top");
  const std::vector<TIntPair> Square{{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  TGLSkinnedPart& First = C->AddPart(TVector3{10, 10, 0}, "first", 20, 20, "hover", Square, 100);
  TGLSkinnedPart& Second = C->AddPart(TVector3{10, 10, 0}, "second", 20, 20, "hover", Square, 100);
  C->AddPart(TVector3{10, 10, 0}, "empty", 20, 20, "hover", {}, 100);
  EXPECT_EQ(First.Kind(), TGUIItemKind::SkinnedPart);
  MouseAt(5, 5);
  C->Alpha = 0.89f;
  EXPECT_EQ(C->GetPartAtMouse(), nullptr);
  C->Alpha = 0.9f;
  EXPECT_EQ(C->GetPartAtMouse(), &Second);
  C->Visible = false;
  EXPECT_EQ(C->GetPartAtMouse(), nullptr);
}

TEST_F(SkinnedTest, HoverFadesAndGrows) {
  auto C = Make(TVector3{0, 0, 0}, 300, 100, "left", "top");
  const std::vector<TIntPair> Square{{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  TGLSkinnedPart& P = C->AddPart(TVector3{10, 10, 0}, "p", 20, 20, "hover", Square, 120);
  TGLSkinnedPart& Shrink = C->AddPart(TVector3{10, 10, 0}, "s", 20, 20, "hover", Square, 80);
  TGLSkinnedPart& Flat = C->AddPart(TVector3{10, 10, 0}, "f", 20, 20, "hover", Square, 100);
  C->Alpha = 1.0f;
  C->FadeSpeed = 50.0f;
  MouseAt(5, 5);
  C->Update();
  EXPECT_TRUE(P.Hovered);
  EXPECT_FLOAT_EQ(P.DrawAlpha, 0.0f);  // drawn with last frame's values
  EXPECT_FLOAT_EQ(P.Alpha, 0.25f);
  EXPECT_FLOAT_EQ(P.Grow, 0.1f);
  EXPECT_FLOAT_EQ(Shrink.Grow, -0.2f);  // clamped to its negative MaxGrow at once
  EXPECT_FLOAT_EQ(Flat.Grow, 0.0f);
  for (int I = 0; I < 10; ++I) C->Update();
  EXPECT_FLOAT_EQ(P.Alpha, 1.0f);  // full after 200 ms
  EXPECT_FLOAT_EQ(P.Grow, 0.2f);
  MouseAt(50, 50);
  C->Update();
  EXPECT_FALSE(P.Hovered);
  EXPECT_FLOAT_EQ(P.Alpha, 0.875f);
  EXPECT_FLOAT_EQ(P.DrawAlpha, 0.875f);
  EXPECT_FLOAT_EQ(P.Grow, 0.15f);
  for (int I = 0; I < 10; ++I) C->Update();
  EXPECT_FLOAT_EQ(P.Alpha, 0.0f);
  EXPECT_FLOAT_EQ(P.Grow, 0.0f);
  EXPECT_FLOAT_EQ(Shrink.Grow, 0.0f);
}
