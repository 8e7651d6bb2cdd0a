#include <gtest/gtest.h>

#include <array>

#include "engine/gl_api.h"
#include "savegame_fixture.h"
#include "support/gl_environment.h"

namespace {
class StatisticsGL : public SavegameFixture {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    SavegameFixture::SetUp();
    Begin2DFrame();
  }
};
}  // namespace

TEST_F(StatisticsGL, AFlatStatisticIsDrawnAlongTheBottomInTheNationsColour) {
  REQUIRE_GL_CONTEXT();
  Nation(4).MapColor = {0, 0, 255};  // drawn last, so its line lies on top of the others
  gStatisticServer->DrawChart("score", 200.0f, 100.0f);
  const auto Line = Pixel(150, 99);
  EXPECT_GT(Line[2], 100) << Line[0] << " " << Line[1] << " " << Line[2];
  EXPECT_LT(Line[0], 60);
  EXPECT_EQ(Pixel(150, 50), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(StatisticsGL, TheLegendShowsAFlagAndAColouredTrianglePerNation) {
  REQUIRE_GL_CONTEXT();
  Nation(0).MapColor = {0, 255, 0};
  Nation(1).MapColor = {255, 0, 0};
  gStatisticServer->DrawLegend(120.0f);  // cells of 20, rows 24 apart
  EXPECT_EQ(Pixel(36, 15), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(Pixel(36, 24 + 15), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(5, 10), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(Pixel(100, 10), (std::array<int, 3>{0, 0, 0}));
}
