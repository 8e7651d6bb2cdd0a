#pragma once
// Named stretches of one frame, measured with the high-resolution clock, for the developer
// overlay. Off unless switched on; while off every call returns at once.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/constants.h"

class TPerfTimer {
public:
  TSingleList Samples;             // milliseconds, in the order the stretches ended
  std::vector<std::string> Names;  // same index as Samples
  std::int64_t Frequency = 0;      // counts per second
  std::int64_t StartCount = 0;
  std::int64_t StopCount = 0;
  bool Enabled = false;

  // Counter in counts of Frequency; the steady clock in nanoseconds unless a test gives another.
  explicit TPerfTimer(std::function<std::int64_t()> Counter = {}, std::int64_t CounterFrequency = 0);

  void Clear();
  // One start mark: a second Start before Stop moves it.
  void Start();
  void Stop(const std::string& Name);

private:
  std::function<std::int64_t()> Counter;
};
