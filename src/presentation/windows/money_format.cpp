#include "presentation/windows/money_format.h"

#include <sstream>
#include <stdexcept>

#include "engine/engine_globals.h"
#include "engine/log.h"

std::string TMoneyFormat::Text(double Value) {
  if (!Locale) {
    ++Builds;
    try {
      Locale = std::locale("");
    } catch (const std::runtime_error& E) {
      Locale = std::locale::classic();
      if (gLog)
        gLog->AddLine(std::string("TMoneyFormat->Text->The user's locale is not installed (") + E.what() +
                      "), money is written with a decimal point");
    }
  }
  std::ostringstream Out;
  Out.imbue(*Locale);
  Out.setf(std::ios::fixed);
  Out.precision(2);
  Out << Value;
  return Out.str();
}

std::string MoneyText(double Value) {
  static TMoneyFormat Format;
  return Format.Text(Value);
}
