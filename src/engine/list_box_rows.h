#pragma once
// The rows side of a list box, as the world fills it: the world's news list writes its rows
// through this, and the GUI toolkit's list box implements it. It keeps the world free of the
// GUI toolkit and lets tests record the rows.
#include <cstdint>
#include <string>

class TListBoxRows {
public:
  virtual ~TListBoxRows() = default;
  // Removes all rows.
  virtual void Clear() = 0;
  // Appends one row; Icon is a texture name (empty = none), Data the caller's payload.
  virtual void AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon,
                       std::int32_t Data) = 0;
};
