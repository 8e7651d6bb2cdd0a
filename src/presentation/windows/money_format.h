#pragma once
// Money as the windows write it: fixed notation with two decimals and the decimal separator of
// the user's locale. The locale is built once, at the first text: building one costs about a
// millisecond, and the windows write money every frame.
#include <cstdint>
#include <locale>
#include <optional>
#include <string>

class TMoneyFormat {
public:
  std::string Text(double Value);
  // How often the user's locale was built (once, whatever the number of texts).
  std::int32_t LocaleBuilds() const { return Builds; }

private:
  // A locale the system does not have installed leaves the classic one, said once in the log.
  std::optional<std::locale> Locale;
  std::int32_t Builds = 0;
};

// The windows' formatter.
std::string MoneyText(double Value);
