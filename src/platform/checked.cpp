#include "platform/checked.h"

void ThrowIndexError(const char* Where, long long Index, std::size_t Count) {
  throw ERangeError(std::string(Where) + "->Index " + std::to_string(Index) + " out of range (count " +
                    std::to_string(Count) + ")");
}
