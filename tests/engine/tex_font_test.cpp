#include <gtest/gtest.h>

#include "engine/streams.h"
#include "engine/tex_font.h"
#include "platform/errors.h"

namespace {
std::string WidthFile(std::uint8_t Fill = 0) { return std::string(256, char(Fill)); }
}  // namespace

TEST(TexFont, WidthsAreOneAndAHalfTimesTheByteOverSize) {
  std::string W = WidthFile();
  W[65] = 8;
  W[255] = char(200);
  TMemoryStream S(W);
  TTexFont F(S, 8.0f);
  EXPECT_FLOAT_EQ(F.Widths[65], 1.5f);
  EXPECT_FLOAT_EQ(F.Widths[255], 37.5f);
  EXPECT_FLOAT_EQ(F.Widths[0], 0.0f);
  EXPECT_EQ(F.ListBase, 0u);
  EXPECT_FLOAT_EQ(F.TextWidth("AA"), 5.0f);  // (1.5 + 1) twice
  EXPECT_FLOAT_EQ(F.TextWidth(""), 0.0f);
  EXPECT_FLOAT_EQ(F.TextWidth(std::string("\xFF", 1)), 38.5f);  // codes above 127 are not negative
}

TEST(TexFont, AShortWidthFileIsAReadError) {
  TMemoryStream S(std::string(255, '\x08'));
  EXPECT_THROW(TTexFont(S, 8.0f), EReadError);
}
