#include <gtest/gtest.h>

#include <array>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "support/box_font.h"
#include "support/gl_environment.h"
#include "type_fixture.h"

namespace {
TTestPicture Solid(std::uint32_t Size, std::uint8_t R, std::uint8_t G, std::uint8_t B, std::uint8_t A = 255) {
  TTestPicture P{Size, Size, std::vector<std::uint8_t>(std::size_t(Size) * Size * 4)};
  for (std::size_t i = 0; i < P.Rgba.size(); i += 4) P.Rgba[i] = R, P.Rgba[i + 1] = G, P.Rgba[i + 2] = B, P.Rgba[i + 3] = A;
  return P;
}

const std::array<int, 3> Black{0, 0, 0}, Red{255, 0, 0}, Green{0, 255, 0}, Blue{0, 0, 255}, Yellow{255, 255, 0};

// The power plant of the fixture data (energy +3, pollution +2) drawn with a font whose glyphs are
// invisible boxes 13 units apart, and plain-coloured icons.
class BuildingTypeGL : public TypesFixture {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    TypesFixture::SetUp();
    gLocalization.AddKey("szStrEffect6", "AB", "AB");
    gLocalization.AddKey("szStrEffect5", "A", "A");
    Begin2DFrame();
    Boxes.Load(0);
    const std::pair<const char*, TTestPicture> Icons[] = {{"gui_icon_energy", Solid(16, 255, 0, 0)},
                                                          {"nuclear", Solid(16, 255, 255, 0)},
                                                          {"icon_effect_plus", Solid(16, 0, 255, 0)},
                                                          {"icon_effect_minus", Solid(16, 0, 0, 255)}};
    for (const auto& [Name, Picture] : Icons)
      gTextureManager->AddTexture(Boxes.Folder.Write(std::string("data/tex/") + Name + ".dds", MakeBGRA8DDSFile(Picture)).string(),
                                  Name, false);
  }
  void TearDown() override {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    TypesFixture::TearDown();
  }
  const TBuildingType& Plant() { return *gBuildingTypePool->FindByID("building_powerplant"); }

  TBoxFont Boxes;
};
}  // namespace

TEST_F(BuildingTypeGL, EffectsBoxRowsIconsAndSigns) {
  std::int32_t W = 0, H = 0;
  Plant().DrawEffects(10, 10, 0, W, H);
  std::int32_t MW = 0, MH = 0;
  Plant().MeasureEffects([&](const std::string& T) { return Boxes.Font->TextWidth(T); }, MW, MH);
  EXPECT_EQ(W, MW);
  EXPECT_EQ(H, MH);
  EXPECT_EQ(W, 128);
  EXPECT_EQ(H, 80);
  // Energy row at y 46: icon x 20..36, three plus signs from 10 + 31 + 26 = 67, 6 apart, 7 wide.
  EXPECT_EQ(Pixel(25, 50), Red);
  EXPECT_EQ(Pixel(68, 52), Green);
  EXPECT_EQ(Pixel(84, 52), Green);
  EXPECT_EQ(Pixel(87, 52), Black);
  // Pollution row at y 61: more pollution is worse, so two minus signs from 10 + 31 + 13 = 54.
  EXPECT_EQ(Pixel(25, 66), Yellow);
  EXPECT_EQ(Pixel(55, 67), Blue);
  EXPECT_EQ(Pixel(66, 67), Blue);
  EXPECT_EQ(Pixel(68, 67), Black);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BuildingTypeGL, InfoBoxPlacesTheRowsLower) {
  glEnable(GL_LIGHTING);
  Plant().DrawInfo(10, 10, 0, false);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  // Energy row: icon at x 25, y 74; signs from 10 + 36 + 26 = 72 on row y 76.
  EXPECT_EQ(Pixel(27, 76), Red);
  EXPECT_EQ(Pixel(73, 78), Green);
  EXPECT_EQ(Pixel(89, 78), Green);
  EXPECT_EQ(Pixel(92, 78), Black);
  EXPECT_EQ(Pixel(27, 91), Yellow);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BuildingTypeGL, WideRowsWidenTheBox) {
  gLocalization.AddKey("szStrEffect1", std::string(10, 'A'), "x");  // 130 wide
  TBuildingType T;
  T.Names = {"Treibhaus", "Greenhouse"};
  T.Effects = TBuildingTypePool::ParseEffects({"region.growth ++"}, gScriptManager->Variables);
  std::int32_t W = 0, H = 0;
  T.DrawEffects(0, 0, 0, W, H);
  EXPECT_EQ(W, 130 + 35 + 28 + 15);
  EXPECT_EQ(H, 65);
}
