#pragma once
// Puts other link and rename calls under the safe writes for the life of the object and the
// previous ones back afterwards, also when the test fails half-way: a failing seam left behind
// would fail every later write of the one-process test runs.
#include <utility>

#include "platform/files.h"

class TFileOperationsSwap {
public:
  explicit TFileOperationsSwap(TFileOperations Operations) : Saved(SetFileOperations(std::move(Operations))) {}
  ~TFileOperationsSwap() { SetFileOperations(std::move(Saved)); }
  TFileOperationsSwap(const TFileOperationsSwap&) = delete;
  TFileOperationsSwap& operator=(const TFileOperationsSwap&) = delete;

private:
  TFileOperations Saved;
};
