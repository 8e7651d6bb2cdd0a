#include <gtest/gtest.h>

#include "fake_gui_services.h"
#include "gui/memo.h"

namespace {
using TLines = std::vector<std::string>;

class MemoTest : public GUITest {
protected:
  void SetUp() override {
    GUITest::SetUp();
    Services->CharWidth = 1.0f;  // one unit per character: the wrap width is Width - 35 characters
    Memo.Width = 45;             // lines up to 10 characters
    Memo.Height = 150;
    Memo.Visible = true;
  }
  TGLMemo Memo;
};
}  // namespace

TEST_F(MemoTest, RowsShown) {
  EXPECT_EQ(Memo.VisibleRows(), 9);  // row 9 would start at 143, not below 140
}

TEST_F(MemoTest, WrapMovesWordsIntoTheNextLine) {
  Memo.SetLines({"aaaa bbbb cccc"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"aaaa bbbb", "cccc"}));
  Memo.SetLines({"aaaa bbbb cccc", "dd ee"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"aaaa bbbb", "cccc dd ee"}));
  // Before an empty (or one-character) line the tail becomes a line of its own.
  Memo.SetLines({"aaaa bbbb cccc", "", "next"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"aaaa bbbb", "cccc", "", "next"}));
  Memo.SetLines({"aaaa bbbb cccc", "x"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"aaaa bbbb", "cccc", "x"}));
  // Several words move one at a time and keep their order.
  Memo.SetLines({"aa bb cc dd ee ff gg"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"aa bb cc", "dd ee ff", "gg"}));
  // One-character words that moved down stand before each other as lines of their own.
  Memo.SetLines({"a b c d e f g h"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"a b c d e", "f", "g", "h"}));
  // Without Wrap the lines stay as they are.
  Memo.SetLines({"aaaa bbbb cccc"}, false);
  EXPECT_EQ(Memo.Lines, (TLines{"aaaa bbbb cccc"}));
}

TEST_F(MemoTest, AWordTooLongForARowIsCutWhereTheRowEnds) {
  // The rest of the word goes on a line of its own; the line after it stays as it was.
  Memo.SetLines({"averyveryverylongword", "short one"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"averyveryv", "erylongwor", "d", "short one"}));
  Memo.SetLines({"abcdefghijkl ", "end"}, true);  // a blank at the end is no break point
  EXPECT_EQ(Memo.Lines, (TLines{"abcdefghij", "kl ", "end"}));
  Memo.SetLines({"aa averyveryverylongword bb"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"aa", "averyveryv", "erylongwor", "d", "bb"}));
  // A blank in the first position is a break point: the head before it is empty.
  Memo.SetLines({" averyveryverylong"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"", "averyveryv", "erylong"}));
  // Narrower than the margins, not even one character fits: words end up one per line, uncut.
  Memo.Width = 20;
  Memo.SetLines({"one two three", "four"}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"one", "two", "three", "four"}));
  Memo.Width = 0;
  Memo.SetLines({"", "a b", ""}, true);
  EXPECT_EQ(Memo.Lines, (TLines{"", "a", "b", ""}));
  // The same wrap for lines a caller adds one by one.
  Memo.Width = 45;
  EXPECT_EQ(Memo.WordWrapped({"aa bb cc dd ee ff gg"}), (TLines{"aa bb cc", "dd ee ff", "gg"}));
}

TEST_F(MemoTest, TextSplitsAtAnyLineEnd) {
  Memo.SetText("one\r\ntwo\rthree\nfour", false);
  EXPECT_EQ(Memo.Lines, (TLines{"one", "two", "three", "four"}));
  Memo.RowIndents = {1.0f, 2.0f};
  Memo.SetText("", false);
  EXPECT_TRUE(Memo.Lines.empty());
  EXPECT_EQ(Memo.RowIndents.size(), 2u);  // kept by SetText
  Memo.Clear();
  EXPECT_TRUE(Memo.RowIndents.empty());
}

TEST_F(MemoTest, LanguageSections) {
  const std::string Text = "intro\n#GER\nHallo\n\nWelt\n#ENG\nHello\n\nWorld\n#eng\nlower";
  Memo.SetTextSection(Text, "eng", false);
  EXPECT_EQ(Memo.Lines, (TLines{"Hello", "", "World"}));
  Memo.SetTextSection(Text, "ger", false);
  EXPECT_EQ(Memo.Lines, (TLines{"Hallo", "", "Welt"}));
  Memo.SetTextSection("#eng\nlower only", "eng", false);
  EXPECT_TRUE(Memo.Lines.empty());
  Memo.SetTextSectionFromStrings({"#ENG", "aa bb cc dd ee ff gg"}, "Eng", true);
  EXPECT_EQ(Memo.Lines, (TLines{"aa bb cc", "dd ee ff", "gg"}));
}

TEST_F(MemoTest, InsertLine) {
  Memo.SetLines({"a", "b", "c"}, false);
  Memo.InsertLine("new", 0);
  EXPECT_EQ(Memo.Lines, (TLines{"new", "a", "b", "c"}));
  Memo.SetLines({"a", "b", "c"}, false);
  Memo.InsertLine("new", 7);
  EXPECT_EQ(Memo.Lines, (TLines{"a", "b", "c", "new"}));
  Memo.AddLine("last");
  EXPECT_EQ(Memo.Lines.back(), "last");
}

TEST_F(MemoTest, LoadFromFile) {
  Memo.SetLines({"old"}, false);
  Memo.LoadFromFile("data\\phase1info_eng.txt");
  EXPECT_EQ(Memo.Lines, (TLines{"old"}));
  Services->Files["data\\phase1info_eng.txt"] = "aaaa bbbb cccc\r\nline two\r\n";
  Memo.LoadFromFile("data\\phase1info_eng.txt");
  EXPECT_EQ(Memo.Lines, (TLines{"aaaa bbbb", "cccc line", "two"}));
}

TEST_F(MemoTest, WheelClamping) {
  TLines Twenty;
  for (int I = 0; I < 20; ++I) Twenty.push_back("line");
  Memo.Owner = &Window;
  Memo.SetLines(Twenty, false);
  MouseAt(10, 10);
  for (int I = 0; I < 30; ++I) EXPECT_TRUE(Memo.MouseWheel(1));
  EXPECT_EQ(Memo.TopLine, 11);
  Memo.MouseWheel(-3);
  EXPECT_EQ(Memo.TopLine, 8);
  Window.AtMouse = false;  // under another window
  Memo.MouseWheel(-3);
  EXPECT_EQ(Memo.TopLine, 8);
  Window.HasManager = false;  // a window without a manager does not stop it
  Memo.MouseWheel(-1);
  EXPECT_EQ(Memo.TopLine, 7);
  Window.HasManager = true;
  Window.AtMouse = true;
  MouseAt(46, 10);
  Memo.MouseWheel(-3);
  EXPECT_EQ(Memo.TopLine, 7);
  MouseAt(45, 150);
  Memo.MouseWheel(-30);
  EXPECT_EQ(Memo.TopLine, 0);
  Memo.SetLines({"1", "2", "3", "4", "5"}, false);
  Memo.MouseWheel(1);
  EXPECT_EQ(Memo.TopLine, 0);
}

TEST_F(MemoTest, NewTextKeepsTheTopLineUntilTheNextWheelStep) {
  TLines Twenty;
  for (int I = 0; I < 20; ++I) Twenty.push_back("line");
  Memo.SetLines(Twenty, false);
  MouseAt(10, 10);
  for (int I = 0; I < 30; ++I) Memo.MouseWheel(1);
  ASSERT_EQ(Memo.TopLine, 11);
  // No operation moves it: shorter text leaves the box empty for now.
  Memo.SetLines({"1", "2", "3"}, true);
  EXPECT_EQ(Memo.TopLine, 11);
  Memo.SetText("one\ntwo", true);
  EXPECT_EQ(Memo.TopLine, 11);
  Memo.SetTextSection("#ENG\nHello", "eng", true);
  EXPECT_EQ(Memo.TopLine, 11);
  Memo.SetText("", true);
  Memo.Clear();
  EXPECT_EQ(Memo.TopLine, 11);
  Services->Files["info.txt"] = "a\r\nb\r\n";
  Memo.LoadFromFile("info.txt");
  EXPECT_EQ(Memo.TopLine, 11);
  // The next step up brings it back within the two lines.
  Memo.MouseWheel(-1);
  EXPECT_EQ(Memo.TopLine, 0);
  // Lines added one by one (the battle report) leave it alone as well.
  Memo.SetLines(Twenty, false);
  for (int I = 0; I < 30; ++I) Memo.MouseWheel(1);
  Memo.InsertLine("top", 0);
  Memo.AddLine("last");
  EXPECT_EQ(Memo.TopLine, 11);
}
