#pragma once
// Numbers as the player reads them in window texts and the log: with the decimal separator of
// the user's locale, which the program takes at start (the C library's locale), and no thousands
// grouping. The numbers of the XML files are written apart from these, with a point everywhere.
#include <string>

#include "platform/rounding.h"  // ScientificText

// The general format: up to 15 significant digits, no trailing zeros, scientific notation only
// for very large or small values ("0.25", "3", "1E+20").
std::string GeneralText(double Value);
