#pragma once
// A horizontal slider (or progress bar) from Min to Max; the window drives the drag through
// MouseDown, MouseMove and MouseUp.
#include <cstdint>

#include "gui/gui_item.h"

class TGLTrackBar : public TGLGUIItem {
public:
  std::int32_t Min = 0;
  std::int32_t Max = 0;
  std::int32_t Progress = 0;
  std::int32_t TrackOrigin = 0;  // mouse X less the thumb offset when the drag began
  bool UseGradient = false;
  bool Dragging = false;

  TGLTrackBar() : TGLGUIItem(TGUIItemKind::TrackBar) {}
  void Draw() override;

  // The thumb's x offset from the left end: Progress x Width / (Max - Min), Min not subtracted.
  // 0 when Max equals Min.
  float ThumbOffset() const;
  // Starts a drag when the mouse is on the thumb; true when it did.
  bool MouseDown();
  // While dragging, follows the mouse and keeps Progress within Min..Max.
  void MouseMove();
  void MouseUp();
};
