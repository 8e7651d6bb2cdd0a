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
