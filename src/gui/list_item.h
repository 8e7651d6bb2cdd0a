#pragma once
// One row of a list box or a drop-down.
#include <cstdint>
#include <string>

#include "engine/vectors.h"

struct TListItem {
  std::string Caption;
  std::string ID;    // returned by GetSelectedID and used as a click name
  std::string Icon;  // texture name; empty for none
  std::intptr_t Data = 0;  // the caller's payload (a number or an object the caller owns)
  TVector3 Color{1.0f, 1.0f, 1.0f};  // text colour when not selected
};
