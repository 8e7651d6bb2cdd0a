#include "presentation/number_text.h"

#include <cstdio>

std::string GeneralText(double Value) {
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.15G", Value);
  return Buffer;
}
