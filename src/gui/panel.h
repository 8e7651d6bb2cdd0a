#pragma once
// A framed background; without Border it draws nothing (its fade still runs).
#include "gui/gui_item.h"

class TGLPanel : public TGLGUIItem {
public:
  bool Border = false;

  TGLPanel() : TGLGUIItem(TGUIItemKind::Panel) {}
  void Draw() override;
};
