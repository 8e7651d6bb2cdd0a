#pragma once
// The game's clock: milliseconds from a steady clock, for frame time, timers and the log.
#include <functional>
#include <string>

// Milliseconds since the program started (steady, never goes back).
double NowMilliseconds();
// The local time of day as "HH:MM:SS" for log lines.
std::string TimeOfDayText();

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
