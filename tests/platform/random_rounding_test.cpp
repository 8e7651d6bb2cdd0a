#include <gtest/gtest.h>

#include <cmath>

#include "platform/errors.h"
#include "platform/platform_globals.h"
#include "platform/random.h"
#include "platform/rounding.h"
#include "platform/text_format.h"

TEST(Random, SeededSequenceIsPinned) {
  SetRandomSeed(12345);
  std::vector<int> Draws;
  for (int i = 0; i < 5; ++i) Draws.push_back(Random(1000));
  EXPECT_EQ(Draws, (std::vector<int>{385, 289, 79, 553, 633}));
  EXPECT_EQ(gRandomSeed, 2721613530u);
}

TEST(Random, FloatDrawUsesTheNewSeed) {
  SetRandomSeed(12345);
  EXPECT_DOUBLE_EQ(RandomFloat(), 1655067934.0 / 4294967296.0);
}

TEST(Random, DrawBelowZeroOrOneGivesZeroAndStillAdvances) {
  SetRandomSeed(7);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(gRandomSeed, 7u * 134775813u + 1u);
  EXPECT_EQ(Random(-5), 0);
  EXPECT_EQ(Random(1), 0);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt(0.5), 0);
  EXPECT_EQ(RoundToInt(1.5), 2);
  EXPECT_EQ(RoundToInt(2.5), 2);
  EXPECT_EQ(RoundToInt(-2.5), -2);
  EXPECT_EQ(RoundToInt(2.5000001), 3);
  EXPECT_EQ(RoundToInt(-0.4), 0);
  EXPECT_EQ(RoundToInt64(4.5), 4);
}

TEST(Rounding, OutOfRangeThrows) {
  EXPECT_THROW(RoundToInt(3e9), ERangeError);
  EXPECT_THROW(RoundToInt(std::nan("")), ERangeError);
  EXPECT_EQ(RoundToInt(2147483647.0), 2147483647);
}

TEST(Rounding, TextOfAnyFiniteValue) {
  EXPECT_EQ(RoundedText(2.5), "2");
  EXPECT_EQ(RoundedText(-0.4), "0");
  EXPECT_EQ(RoundedText(-3.5), "-4");
  EXPECT_EQ(RoundedText(3e9), "3000000000");
  EXPECT_EQ(RoundedText(-1e12 - 0.5), "-1000000000000");
}

TEST(TextFormat, SplitLinesAtEveryKindOfLineBreak) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(TextFormat, PlaceholdersTakeArgumentsInOrder) {
  EXPECT_EQ(FormatText("Region %s has %d units", {"Avalon", "12"}), "Region Avalon has 12 units");
  EXPECT_EQ(FormatText("100%%", {}), "100%");
  // A data file cannot make the formatter read arguments that are not there.
  EXPECT_EQ(FormatText("%s %s %n %x", {"a"}), "a %s %n %x");
  EXPECT_EQ(FormatText("trailing %", {"a"}), "trailing %");
}
