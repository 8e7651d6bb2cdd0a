#include <gtest/gtest.h>

#include "platform/latin1.h"

TEST(Latin1, UmlautsBecomeSingleBytes) {
  EXPECT_EQ(Utf8ToAnsi("Gr\xC3\xBC\xC3\x9F"), "Gr\xFC\xDF");
  EXPECT_EQ(AnsiToUtf8("Gr\xFC\xDF"), "Gr\xC3\xBC\xC3\x9F");
}

TEST(Latin1, EuroSignAndUnmappableCharacters) {
  EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), "\x80");       // euro sign -> Windows-1252 0x80
  EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD"), "?");          // a CJK character has no 8-bit form
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
}

TEST(Latin1, InvalidUtf8PassesThrough) {
  EXPECT_EQ(Utf8ToAnsi("a\xFC" "b"), "a\xFC" "b");
  EXPECT_EQ(Utf8ToAnsi("\xC3"), "\xC3");        // cut short
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "\xC0\xAF");  // overlong
}

TEST(Latin1, EveryByteSurvivesTheRoundTrip) {
  std::string All;
  for (int i = 1; i < 256; ++i) All += static_cast<char>(i);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(All)), All);
}

TEST(Latin1, Utf16WithSurrogates) {
  const char16_t Units[] = {u'A', 0x00E4, 0xD83D, 0xDE00, u'z'};
  EXPECT_EQ(Utf16ToAnsi(Units, 5), "A\xE4?z");
}

TEST(Latin1, AsciiCaseFoldingLeavesOtherBytes) {
  EXPECT_EQ(LowerAscii("Data\\XML\\\xC4.XML"), "data\\xml\\\xC4.xml");
  EXPECT_TRUE(SameTextAscii("UNITS.xml", "units.XML"));
  EXPECT_FALSE(SameTextAscii("\xC4", "\xE4"));
  EXPECT_FALSE(SameTextAscii("unit", "units"));
}
