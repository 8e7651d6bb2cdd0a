#include "engine/perf_timer.h"

#include <chrono>

#include "engine/engine_globals.h"

std::unique_ptr<TPerfTimer> gPerfTimer = std::make_unique<TPerfTimer>();

TPerfTimer::TPerfTimer(std::function<std::int64_t()> CounterSource, std::int64_t CounterFrequency)
    : Counter(std::move(CounterSource)) {
  if (!Counter) {
    Counter = [] {
      return static_cast<std::int64_t>(
          std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
              .count());
    };
    CounterFrequency = 1000000000;
  }
  Frequency = CounterFrequency > 0 ? CounterFrequency : 1;
}

void TPerfTimer::Clear() {
  if (!Enabled) return;
  Samples.clear();
  Names.clear();
}

void TPerfTimer::Start() {
  if (Enabled) StartCount = Counter();
}

void TPerfTimer::Stop(const std::string& Name) {
  if (!Enabled) return;
  StopCount = Counter();
  // In double: a nanosecond counter times 1000 would overflow 64 bits after a few months of uptime.
  Samples.push_back(static_cast<float>(static_cast<double>(StopCount - StartCount) * 1000.0 /
                                       static_cast<double>(Frequency)));
  Names.push_back(Name);
}
