#pragma once
// A named texture stretched over the control's rectangle; the game swaps Texture at run time.
#include <string>

#include "gui/gui_item.h"

class TGLImage : public TGLGUIItem {
public:
  std::string Texture;

  TGLImage() : TGLGUIItem(TGUIItemKind::Image) {}
  void Draw() override;
};
