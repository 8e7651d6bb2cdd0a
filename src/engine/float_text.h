#pragma once
// Floats as text with "." as the decimal separator, whatever the user's locale. Every float in
// the game's XML files goes through these.
#include <optional>
#include <string>
#include <string_view>

#include "platform/errors.h"

class EConvertError : public ETarnovaError {
public:
  using ETarnovaError::ETarnovaError;
};

// Five significant digits, fixed with three decimals ("12.500", "123.460", "-1.500"); six or more
// digits before the point give the general form without trailing zeros ("1.2346E005").
std::string FloatToStrDot(float Value);
// The shortest text that reads back as exactly the same float ("0.2996", "123456.7"). Savegames
// write world values this way so that save and load lose nothing.
std::string FloatToStrExact(float Value);
// Blanks, an optional sign, digits with at most one ".", an optional exponent (E or e, optional sign).
// Anything else, the empty text included, throws EConvertError.
float StrToFloatDot(std::string_view Text);
// The same syntax without throwing: none for malformed text or a value outside the float range.
std::optional<float> TryStrToFloatDot(std::string_view Text);
