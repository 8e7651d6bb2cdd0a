#pragma once
// The push button: a stretchable skin, an optional 16 x 17 icon and a caption. It has no click
// logic; the GUI manager finds the button under the mouse and the game dispatches on its Name.
#include <string>

#include "gui/gui_item.h"

class TGLButton : public TGLGUIItem {
public:
  std::string Caption;
  std::string Icon;
  std::string Name;  // the command name the game compares after a click

  TGLButton() : TGLGUIItem(TGUIItemKind::Button) {}

  void Render() override;
  void Draw() override;
  // The mouse is over the button and, with an owner, the owner is the window at the mouse.
  bool IsHovered() const;

protected:
  explicit TGLButton(TGUIItemKind Kind) : TGLGUIItem(Kind) {}
};
