#pragma once
// The single-line text field. It has the keyboard while it is gFocusedEdit and edits its 8-bit
// text from virtual-key codes, the umlaut keys of a German layout included.
#include <cstdint>
#include <string>

#include "gui/gui_item.h"

class TGLEdit : public TGLGUIItem {
public:
  std::string Text;        // ISO-8859-1 bytes
  std::int32_t Caret = 0;  // characters left of the caret, 0..length of Text
  bool Border = false;
  bool DigitsOnly = false;

  TGLEdit() : TGLGUIItem(TGUIItemKind::Edit) {}
  ~TGLEdit() override;

  void Draw() override;
  // Applies one key (VK code); of Shift only ssShift counts.
  void KeyDown(std::uint16_t Key, std::uint8_t Shift);
};
