#pragma once
// A closed field showing the selected row, with an arrow box that unfolds the rows below it.
#include <cstdint>
#include <string>
#include <vector>

#include "gui/gui_item.h"
#include "gui/list_item.h"

class TGLDropDown : public TGLGUIItem {
public:
  std::vector<TListItem> Items;
  bool Open = false;
  std::int32_t ItemIndex = 0;  // selected row; negative = none

  TGLDropDown() : TGLGUIItem(TGUIItemKind::DropDown) {}

  void AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon, std::intptr_t Data);
  // Removes every row; ItemIndex and Open stay (the refilling caller sets ItemIndex again).
  void Clear();
  std::string GetSelectedID() const;
  // Arrow box toggles the list (sound "dropdown"); a click on an unfolded row selects and folds.
  void Click();
  void Draw() override;
  // The text the closed field shows: the selected caption or a placeholder.
  std::string FaceText() const;
  // Top of unfolded row I, relative to the field.
  std::int32_t RowTop(std::int32_t I) const { return (I + 1) * (Height - 5); }
};
