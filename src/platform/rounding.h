#pragma once
// Float to integer: nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// std::nearbyint under the default rounding mode does exactly this; std::round would not.
#include <cstdint>
#include <string>

// Throws ERangeError when the value does not fit a 32-bit integer (or is not a number).
std::int32_t RoundToInt(double Value);
std::int64_t RoundToInt64(double Value);
// The decimal digits of Value rounded the same way, for any finite value, also one beyond the
// integer range ("-0" is written "0").
std::string RoundedText(double Value);
// Scientific notation with Significant digits and a signed exponent of at least three digits
// ("1.23E+003" for 1234.5 at three), with the decimal separator of the C library's locale: the
// form of a number shown to the player that is too large for its fixed one.
std::string ScientificText(double Value, int Significant);
