#pragma once
// A one-line label, or with IsHeader a framed 27-pixel header with shadowed text.
#include <string>

#include "gui/gui_item.h"

class TGLText : public TGLGUIItem {
public:
  std::string Text;
  bool IsHeader = false;
  TVector3 Color{1.0f, 1.0f, 1.0f};  // text colour when not a header

  TGLText() : TGLGUIItem(TGUIItemKind::Text) {}
  void Draw() override;
};
