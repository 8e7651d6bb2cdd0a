#include <gtest/gtest.h>

#include "world/xml_values.h"

TEST(XMLLinesTest, TrimmedLinesTrimsIndentationAndOuterEmptyLines) {
  EXPECT_EQ(TrimmedLines("\n    #GER\r\n    Zeile eins  \n\n    #ENG\r    Line one\t\n  "),
            (TStringList{"#GER", "Zeile eins", "", "#ENG", "Line one"}));
  EXPECT_EQ(TrimmedLines("one"), (TStringList{"one"}));
  EXPECT_EQ(TrimmedLines("a\n"), (TStringList{"a"}));
  EXPECT_TRUE(TrimmedLines("").empty());
  EXPECT_TRUE(TrimmedLines("\n  \n").empty());
}

TEST(XMLLinesTest, ChildLinesAndMissingChild) {
  TXMLDocument D;
  std::string Text = "<root><item><lines>  a\n  b\n</lines></item></root>";
  D.LoadFromMemory(Text.data(), Text.size(), "test.xml");
  TXMLNode Item = D.Root().ChildAt(0);
  EXPECT_EQ(ReadChildLines(Item, "lines"), (TStringList{"a", "b"}));
  EXPECT_TRUE(ReadChildLines(Item, "none").empty());
}

TEST(XMLLinesTest, SignsAreNotDoubled) {
  std::int32_t V = 5;
  EXPECT_FALSE(TryParseInt32("+-1", V));
  EXPECT_FALSE(TryParseInt32("--1", V));
  EXPECT_TRUE(TryParseInt32(" +12 ", V));
  EXPECT_EQ(V, 12);
}
