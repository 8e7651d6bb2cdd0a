#include "presentation/number_text.h"

#include <cstdio>

std::string ScientificText(double Value, int Significant) {
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.*E", Significant > 1 ? Significant - 1 : 0, Value);
  std::string Text = Buffer;
  const std::size_t E = Text.find('E');
  if (E == std::string::npos) return Text;  // "INF", "NAN"
  std::string Exponent = Text.substr(E + 2);
  while (Exponent.size() < 3) Exponent = "0" + Exponent;
  return Text.substr(0, E + 2) + Exponent;
}

std::string GeneralText(double Value) {
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.15G", Value);
  return Buffer;
}
