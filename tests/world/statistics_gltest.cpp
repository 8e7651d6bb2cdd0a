#include <gtest/gtest.h>

#include <array>

#include "engine/gl_api.h"
#include "savegame_fixture.h"
#include "support/box_font.h"
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

namespace {
// The chart's labels drawn in opaque white boxes, 13 units apart.
class StatisticsLabelsGL : public StatisticsGL {
protected:
  void SetUp() override {
    StatisticsGL::SetUp();
    if (!IsSkipped()) Boxes.Load(255);
  }
  void TearDown() override {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    StatisticsGL::TearDown();
  }
  TBoxFont Boxes;
};
const std::array<int, 3> White{255, 255, 255}, Black{0, 0, 0};
}  // namespace

TEST_F(StatisticsLabelsGL, RoundNumbersUnderTheGridAndTheNewestValuesAtTheRightEdge) {
  REQUIRE_GL_CONTEXT();
  glTranslatef(20.0f, 20.0f, 0.0f);
  gStatisticServer->DrawChart("score", 200.0f, 100.0f);  // every value 0: the lines lie at the bottom
  // "50" centred under the grid line at x 20 + 100, 8 below the chart (y 128), half size: 8 high,
  // its first glyph from x 112.5 to 118.5.
  EXPECT_EQ(Pixel(115, 128), White);
  EXPECT_EQ(Pixel(115, 135), White);
  EXPECT_EQ(Pixel(115, 127), Black);
  EXPECT_EQ(Pixel(115, 136), Black);
  EXPECT_EQ(Pixel(111, 131), Black);
  EXPECT_EQ(Pixel(113, 131), White);
  // "0" at the chart's left edge, centred on x 20: from x 15.75 to 21.75.
  EXPECT_EQ(Pixel(17, 131), White);
  EXPECT_EQ(Pixel(14, 131), Black);
  // The newest value at the right edge (x 220), 6 above its point (y 120 - 6), at 0.8 of the size:
  // 12.8 high, its first glyph from x 218.4.
  EXPECT_EQ(Pixel(224, 114), White);
  EXPECT_EQ(Pixel(224, 126), White);
  EXPECT_EQ(Pixel(224, 113), Black);
  EXPECT_EQ(Pixel(224, 127), Black);
  EXPECT_EQ(Pixel(218, 116), White);
  EXPECT_EQ(Pixel(217, 116), Black);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
