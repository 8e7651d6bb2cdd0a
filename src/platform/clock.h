#pragma once
// The game's clock: milliseconds from a steady clock, for frame time, timers and the log.
#include <functional>
#include <string>

// Milliseconds since the program started (steady, never goes back).
double NowMilliseconds();
// The local time of day in the user's long time format (the LC_TIME locale's "%X": hours,
// minutes and seconds in its order and separators), for log lines.
std::string TimeOfDayText();
// The local date and time through strftime's Format in the user's LC_TIME locale (LC_ALL, else
// LC_TIME, else LANG; the C locale when that one is not installed). The process locale, which
// every number the game writes depends on, stays untouched.
std::string LocalTimeText(const char* Format);

// A timer polled by the main loop: fires OnTimer once per elapsed Interval while Enabled.
class TPollTimer {
public:
  double Interval = 1000.0;  // milliseconds
  std::function<void()> OnTimer;

  void SetEnabled(bool Value, double Now = NowMilliseconds());
  bool Enabled() const { return IsEnabled; }
  // Fires at most once per call, so a stalled frame does not replay a burst of ticks.
  void Poll(double Now = NowMilliseconds());

private:
  bool IsEnabled = false;
  double Due = 0.0;
};
