#pragma once
// Serial numbers that tell apart objects living one after the other in the same memory: a window
// row that shows a staff offer or a division keeps its number, and a freed object's memory handed
// to a new one does not make the row show the new one. Only equality means anything.
#include <cstdint>

// A number no earlier call returned; never 0, so 0 can stand for none.
std::uint64_t NewObjectSerial();
