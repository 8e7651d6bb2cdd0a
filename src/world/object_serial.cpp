#include "world/object_serial.h"

std::uint64_t NewObjectSerial() {
  // One thread makes every object; the count lasts as long as the program.
  static std::uint64_t Last = 0;
  return ++Last;
}
