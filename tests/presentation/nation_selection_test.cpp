// The base factors beside a nation's history, and the nation's name that must not run into the
// heading beside it.
#include <gtest/gtest.h>

#include "presentation/scenes/nation_selection_scene.h"

TEST(NationSelection, BaseFactorsReadAsSignedPercentagesColouredByWhetherTheyHelp) {
  struct TCase {
    float Factor;
    bool Pollution;
    const char* Text;
    TVector3 Color;
  };
  const TVector3 Red{1, 0, 0}, Green{0, 1, 0}, White{1, 1, 1};
  for (const TCase& C : {TCase{1.1f, false, "+10%", Green}, TCase{0.85f, false, "-15%", Red},
                         TCase{0.85f, true, "-15%", Green}, TCase{1.2f, true, "+20%", Red},
                         TCase{1.125f, false, "+12%", Green}, TCase{1.004f, false, "+0%", Green},
                         TCase{1.0f, true, "\xB1" "0%", White}}) {
    const TFactorLine Line = FormatBaseFactor(C.Factor, C.Pollution);
    EXPECT_EQ(Line.Value, C.Text) << C.Factor;
    EXPECT_EQ(Line.Color.X, C.Color.X) << C.Factor;
    EXPECT_EQ(Line.Color.Y, C.Color.Y) << C.Factor;
    EXPECT_EQ(Line.Color.Z, C.Color.Z) << C.Factor;
  }
}

TEST(NationSelection, ALongNameShrinksToEndBeforeTheHistoryHeading) {
  EXPECT_FLOAT_EQ(NationNameSize(100.0f), 1.5f);
  for (float Width : {150.0f, 400.0f}) EXPECT_LE(Width * NationNameSize(Width), 185.0f) << Width;
  EXPECT_GT(NationNameSize(400.0f), 0.4f);
}
