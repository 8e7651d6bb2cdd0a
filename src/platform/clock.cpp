#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace {
const auto kStart = std::chrono::steady_clock::now();
}

double NowMilliseconds() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - kStart).count();
}

std::string TimeOfDayText() {
  std::time_t T = std::time(nullptr);
  std::tm Local{};
  localtime_r(&T, &Local);
  char Buf[16];
  std::strftime(Buf, sizeof Buf, "%H:%M:%S", &Local);
  return Buf;
}

void TPollTimer::SetEnabled(bool Value, double Now) {
  if (Value && !IsEnabled) Due = Now + Interval;
  IsEnabled = Value;
}

void TPollTimer::Poll(double Now) {
  if (!IsEnabled || Now < Due) return;
  Due = Now + Interval;
  if (OnTimer) OnTimer();
}
