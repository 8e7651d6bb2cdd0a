#include "presentation/windows/money_format.h"

#include <cstdio>

#include "presentation/number_text.h"

std::string MoneyText(double Value) {
  // The C library writes the separator of the user's locale, which the program takes at start,
  // and groups no thousands.
  char Text[64];
  std::snprintf(Text, sizeof Text, "%.2f", Value);
  // The digits are counted after the rounding to cents: 999999.995 has seven.
  const char* C = Text;
  if (*C == '-') ++C;
  int Digits = 0;
  for (; *C >= '0' && *C <= '9'; ++C) ++Digits;
  return Digits <= 6 ? std::string(Text) : ScientificText(Value, 6);
}
