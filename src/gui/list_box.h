#pragma once
// A scrollable list of one-line rows (15 pixels, optional 12 x 12 icon) with a selection, the
// mouse wheel and two arrow buttons that repeat while held.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/list_box_rows.h"
#include "gui/gui_item.h"
#include "gui/list_item.h"

class TGLListBox : public TGLGUIItem, public TListBoxRows {
public:
  std::vector<TListItem> Items;
  std::int32_t ScrollPos = 0;    // item shown in the first row
  float RepeatDelay = 0.0f;      // countdown of the arrow repeat; 0 = ready
  std::int32_t ItemIndex = 0;    // selected item, -1 none

  TGLListBox() : TGLGUIItem(TGUIItemKind::ListBox) {}

  void AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon, std::intptr_t Data);
  // The world's news list fills the box through this.
  void AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon,
               std::int32_t Data) override;
  // Removes every row; the selection and scroll position are corrected on the next frame.
  void Clear() override;
  std::string GetSelectedID() const;
  std::intptr_t GetSelectedData() const;
  // The row under the mouse (it becomes the selection), or none.
  TListItem* GetItemAtMouse();
  void Click();
  void MouseWheel(std::int32_t Delta);

  void Render() override;
  // Fade, then ItemIndex and ScrollPos pulled back into the rows.
  void Update() override;
  void Draw() override;
  // The arrow buttons' auto-repeat; runs after drawing each frame.
  void UpdateArrows();

  // Rows that take clicks, and rows that are drawn (one fewer near the bottom edge).
  std::int32_t ClickableRows() const;
  std::int32_t DrawnRows() const;

private:
  std::int32_t RowAtMouse() const;
  std::int32_t ItemCount() const { return static_cast<std::int32_t>(Items.size()); }
};
