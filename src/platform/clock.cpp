#include "platform/clock.h"

#include <locale.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <mutex>

namespace {
const auto kStart = std::chrono::steady_clock::now();
}

double NowMilliseconds() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - kStart).count();
}

namespace {
// The locale name the environment gives the time formats: LC_ALL, else LC_TIME, else LANG.
std::string TimeLocaleName() {
  for (const char* Variable : {"LC_ALL", "LC_TIME", "LANG"})
    if (const char* Value = std::getenv(Variable); Value && *Value) return Value;
  return "C";
}
}  // namespace

std::string LocalTimeText(const char* Format) {
  // A locale object of our own, kept while the environment names the same locale. The log's
  // last line may come from the termination watch's thread, so the object is shared under a lock.
  static std::mutex Lock;
  static std::string TimeLocaleFor;
  static locale_t TimeLocale = static_cast<locale_t>(0);
  const std::time_t Now = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Now, &Local);
  char Text[128];
  std::lock_guard<std::mutex> Guard(Lock);
  if (const std::string Name = TimeLocaleName(); !TimeLocale || Name != TimeLocaleFor) {
    if (TimeLocale) freelocale(TimeLocale);
    TimeLocale = newlocale(LC_TIME_MASK, Name.c_str(), static_cast<locale_t>(0));
    if (!TimeLocale) TimeLocale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
    TimeLocaleFor = Name;
  }
  const std::size_t Length = TimeLocale ? strftime_l(Text, sizeof Text, Format, &Local, TimeLocale)
                                        : std::strftime(Text, sizeof Text, Format, &Local);
  return std::string(Text, Length);
}

std::string TimeOfDayText() { return LocalTimeText("%X"); }

void TPollTimer::SetEnabled(bool Value, double Now) {
  if (Value && !IsEnabled) Due = Now + Interval;
  IsEnabled = Value;
}

void TPollTimer::Poll(double Now) {
  if (!IsEnabled || Now < Due) return;
  Due = Now + Interval;
  if (OnTimer) OnTimer();
}
