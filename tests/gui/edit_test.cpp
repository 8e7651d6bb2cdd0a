#include <gtest/gtest.h>

#include "fake_gui_services.h"
#include "gui/edit.h"
#include "platform/virtual_keys.h"

namespace {
struct TKeyCase {
  const char* Text;
  int Caret;
  std::uint16_t Key;
  std::uint8_t Shift;
  bool DigitsOnly;
  const char* ExpectedText;
  int ExpectedCaret;
};

const TKeyCase KeyCases[] = {
    {"", 0, 'A', 0, false, "a", 1},
    {"", 0, 'A', ssShift, false, "A", 1},
    {"", 0, '1', ssShift, false, "1", 1},
    {"ac", 1, 'B', 0, false, "abc", 2},
    {"abc", 1, VK_SPACE, 0, false, "abc ", 2},  // appended at the end, caret + 1
    {"x", 0, VK_BACK, 0, false, "", 0},
    {"ab", 0, VK_BACK, 0, false, "ab", 0},
    {"abc", 3, VK_BACK, 0, false, "ab", 2},
    {"abc", 2, VK_BACK, 0, false, "ac", 1},
    {"", 0, VK_BACK, 0, false, "", 0},
    {"abc", 1, VK_DELETE, 0, false, "ac", 1},
    {"abc", 3, VK_DELETE, 0, false, "abc", 3},
    {"abc", 1, VK_END, 0, false, "abc", 3},
    {"abc", 2, VK_HOME, 0, false, "abc", 0},
    {"abc", 0, VK_LEFT, 0, false, "abc", 0},
    {"abc", 2, VK_LEFT, 0, false, "abc", 1},
    {"abc", 3, VK_RIGHT, 0, false, "abc", 3},
    {"abc", 1, VK_RIGHT, 0, false, "abc", 2},
    {"", 0, VK_OEM_7, 0, false, "\xE4", 1},
    {"", 0, VK_OEM_3, 0, false, "\xF6", 1},
    {"", 0, VK_OEM_1, 0, false, "\xFC", 1},
    {"", 0, VK_OEM_7, ssShift, false, "\xC4", 1},
    {"", 0, VK_OEM_3, ssShift, false, "\xD6", 1},
    {"", 0, VK_OEM_1, ssShift, false, "\xDC", 1},
    {"", 0, ':', 0, false, ":", 1},  // codes 58 to 64 are their own characters
    {"12", 2, 'A', 0, true, "12", 2},
    {"12", 2, VK_OEM_7, 0, true, "12", 2},
    {"12", 2, '3', 0, true, "123", 3},
    {"12", 2, VK_SPACE, 0, true, "12 ", 3},
    {"12", 2, VK_BACK, 0, true, "1", 1},
    {"abc", 1, VK_F1, 0, false, "abc", 1},  // not a key of the edit
    {"abc", 1, VK_RETURN, 0, false, "abc", 1},
    {"abc", 1, 91, 0, false, "abc", 1},
    // With Ctrl a key is a command, never a character; the editing keys keep working.
    {"abc", 1, 'A', ssCtrl, false, "abc", 1},
    {"abc", 1, 'C', ssCtrl | ssShift, false, "abc", 1},
    {"12", 2, '3', ssCtrl, true, "12", 2},
    {"abc", 1, VK_SPACE, ssCtrl, false, "abc", 1},
    {"abc", 1, VK_OEM_7, ssCtrl, false, "abc", 1},
    {"abc", 1, 'A', ssAlt, false, "aabc", 2},
    {"abc", 3, VK_BACK, ssCtrl, false, "ab", 2},
    {"abc", 1, VK_RIGHT, ssCtrl, false, "abc", 2},
    {"abc", 1, VK_END, ssCtrl, false, "abc", 3},
};
}  // namespace

TEST_F(GUITest, EditKeyTable) {
  for (const TKeyCase& C : KeyCases) {
    TGLEdit E;
    E.Text = C.Text;
    E.Caret = C.Caret;
    E.DigitsOnly = C.DigitsOnly;
    E.KeyDown(C.Key, C.Shift);
    EXPECT_EQ(E.Text, C.ExpectedText) << "key " << C.Key << " on \"" << C.Text << "\" caret " << C.Caret;
    EXPECT_EQ(E.Caret, C.ExpectedCaret) << "key " << C.Key << " on \"" << C.Text << "\" caret " << C.Caret;
  }
}

TEST_F(GUITest, EditCaretStaysInsideTheTextForAnyKey) {
  TGLEdit E;
  E.Text = "ab";
  E.Caret = 7;  // written from outside past the end
  E.KeyDown(VK_LEFT, 0);
  EXPECT_EQ(E.Caret, 2);
  for (int Key = 0; Key < 65536; Key += 1) {
    E.KeyDown(static_cast<std::uint16_t>(Key), static_cast<std::uint8_t>(Key & ssShift));
    ASSERT_GE(E.Caret, 0);
    ASSERT_LE(E.Caret, static_cast<int>(E.Text.size()));
  }
}

TEST_F(GUITest, DestroyedFocusedEditLeavesNoFocus) {
  auto E = std::make_unique<TGLEdit>();
  gFocusedEdit = E.get();
  E.reset();
  EXPECT_EQ(gFocusedEdit, nullptr);
}
