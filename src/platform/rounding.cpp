#include "platform/rounding.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/errors.h"

std::int32_t RoundToInt(double Value) {
  double R = std::nearbyint(Value);
  if (!(R >= -2147483648.0 && R <= 2147483647.0))
    throw ERangeError("RoundToInt->Value " + std::to_string(Value) + " out of the integer range");
  return static_cast<std::int32_t>(R);
}

std::int64_t RoundToInt64(double Value) {
  double R = std::nearbyint(Value);
  if (!(R >= -9223372036854775808.0 && R < 9223372036854775808.0))
    throw ERangeError("RoundToInt64->Value " + std::to_string(Value) + " out of the integer range");
  return static_cast<std::int64_t>(R);
}

std::string RoundedText(double Value) {
  const double R = std::nearbyint(Value);
  char Buffer[400];
  std::snprintf(Buffer, sizeof Buffer, "%.0f", R == 0.0 ? 0.0 : R);
  return Buffer;
}

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
