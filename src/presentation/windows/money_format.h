#pragma once
// Money as the windows write it: fixed notation with two decimals and the decimal separator of
// the user's locale, without thousands grouping ("1234,50" in a German locale); a sum with more
// than six digits before the separator in scientific notation with six significant digits
// ("1.23457E+006").
#include <string>

std::string MoneyText(double Value);
