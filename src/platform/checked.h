#pragma once
// Checked indexing: every index into an array or a string is tested, and a violation throws
// an ERangeError naming the place, instead of reading memory that is not there.
#include <cstddef>
#include <string>
#include "platform/errors.h"

[[noreturn]] void ThrowIndexError(const char* Where, long long Index, std::size_t Count);

template <typename Container>
inline auto& At(Container& C, long long Index, const char* Where = "index") {
  if (Index < 0 || static_cast<unsigned long long>(Index) >= C.size())
    ThrowIndexError(Where, Index, C.size());
  return C[static_cast<std::size_t>(Index)];
}

template <typename Container>
inline bool InRange(const Container& C, long long Index) {
  return Index >= 0 && static_cast<unsigned long long>(Index) < C.size();
}
