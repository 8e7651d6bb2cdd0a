#pragma once
// A toggle with a caption to its right; box and caption are one click target.
#include <string>

#include "gui/gui_item.h"

class TGLCheckbox : public TGLGUIItem {
public:
  bool Checked = false;
  std::string Caption;

  TGLCheckbox() : TGLGUIItem(TGUIItemKind::Checkbox) {}
  void Draw() override;
  // Flips Checked when the mouse is on the box or its caption (visible boxes only).
  void Click();
};
