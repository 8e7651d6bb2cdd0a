#include "gui/edit.h"

#include "engine/gl_api.h"

#include <algorithm>

#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "platform/virtual_keys.h"

TGLEdit::~TGLEdit() {
  // The focus only observes; an edit going away must not leave it pointing here.
  if (gFocusedEdit == this) gFocusedEdit = nullptr;
}

void TGLEdit::KeyDown(std::uint16_t Key, std::uint8_t Shift) {
  const auto Length = [this] { return static_cast<std::int32_t>(Text.size()); };
  // With Ctrl held a key is a command (Ctrl+A, Ctrl+C, ...), never a typed character; the
  // editing keys (arrows, Home, End, Back, Delete) still work.
  const bool Typing = Key == VK_SPACE || (Key >= 48 && Key <= 90) || Key == VK_OEM_1 || Key == VK_OEM_3 || Key == VK_OEM_7;
  if (Typing && (Shift & ssCtrl) != 0) return;
  switch (Key) {
    case VK_BACK:
      if (Text.size() == 1) {
        Text.clear();
        Caret = 0;
      } else if (Text.empty()) {
        Caret = 0;
      } else if (Caret > 0 && Caret <= Length()) {
        Text.erase(static_cast<std::size_t>(Caret - 1), 1);
        --Caret;
      }
      break;
    case VK_SPACE:
      // Appended at the end, not at the caret.
      Text += ' ';
      ++Caret;
      break;
    case VK_END: Caret = Length(); break;
    case VK_HOME: Caret = 0; break;
    case VK_LEFT:
      if (Caret >= 1) --Caret;
      break;
    case VK_RIGHT:
      if (Caret < Length()) ++Caret;
      break;
    case VK_DELETE:
      if (Text.empty())
        Caret = 0;
      else if (Caret >= 0 && Caret < Length())
        Text.erase(static_cast<std::size_t>(Caret), 1);
      break;
    default: {
      const bool Character = (Key >= 48 && Key <= 90) || Key == VK_OEM_1 || Key == VK_OEM_3 || Key == VK_OEM_7;
      if (!Character) return;  // ignored keys change nothing, not even the caret
      if (DigitsOnly && !(Key >= 48 && Key <= 57)) return;
      int Code = Key;
      if (Key == VK_OEM_7) Code = 228;       // ä
      else if (Key == VK_OEM_3) Code = 246;  // ö
      else if (Key == VK_OEM_1) Code = 252;  // ü
      const bool Shifted = (Shift & ssShift) != 0;
      if (Code >= 228 && Shifted) Code -= 32;
      if (!Shifted && Code >= 'A' && Code <= 'Z') Code += 'a' - 'A';
      ++Caret;
      // The new character goes left of the caret.
      std::int32_t At = Caret - 1;
      if (At < 0) At = 0;
      if (At > Length()) At = Length();
      Text.insert(Text.begin() + At, static_cast<char>(static_cast<unsigned char>(Code)));
      break;
    }
  }
  if (Caret < 0) Caret = 0;
  if (Caret > Length()) Caret = Length();
}

void TGLEdit::Draw() {
  if (!Visible) return;
  auto& S = GUIServices();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  S.BindTexture("gui_edit");
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(Position.X, Position.Y, Position.Z);
  glColor4f(1.0f, 1.0f, 1.0f, Alpha * Opacity);
  if (Border) {
    DrawThreePieceSkin(static_cast<float>(Width), static_cast<float>(Height), 1.0f, 0.0f);
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  glPopMatrix();
  SetScissor(30);
  const TVector3 TextPos{Position.X + 24, Position.Y + 3, Position.Z + 0.3f};
  if (gFocusedEdit == this) {
    // Focused text and caret ignore the fade; the caret colour clamps to white.
    S.Print(Text, TextPos, gDefaultTextColor, 1.0f, 1.0f, false, true);
    const std::size_t Left = Caret < 0 ? 0 : std::min(Text.size(), static_cast<std::size_t>(Caret));
    const float CaretX = Position.X + 22 + S.TextWidth(Text.substr(0, Left));
    const TVector3 C = gDefaultTextColor;
    S.Print("|", TVector3{CaretX, Position.Y + 3, Position.Z + 0.3f},
            TVector3{2 * C.X, 2 * C.Y, 2 * C.Z + 0.1f}, 1.0f, 1.0f, false, true);
  } else {
    S.Print(Text, TextPos, TVector3{1.0f, 1.0f, 1.0f}, Alpha, 1.0f, false, true);
  }
  glDisable(GL_SCISSOR_TEST);
}
