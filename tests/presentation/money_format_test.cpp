#include <gtest/gtest.h>

#include <string>

#include "presentation/windows/money_format.h"
#include "support/environment_swap.h"
#include "support/log_capture.h"

// The market window writes money twice a frame: the user's locale is built once, and a locale
// the system does not have falls back to a decimal point with one line in the log, not an
// exception per text.
TEST(MoneyFormat, AnUninstalledLocaleFallsBackOnceAndTheLocaleIsBuiltOnce) {
  TLogCapture Log;
  const TEnvironmentSwap All("LC_ALL", nullptr), Numeric("LC_NUMERIC", nullptr), Monetary("LC_MONETARY", nullptr);
  const TEnvironmentSwap Lang("LANG", "xx_NOWHERE.UTF-8");
  TMoneyFormat Format;
  for (int i = 0; i < 200; ++i) ASSERT_EQ(Format.Text(1234.5), "1234.50");
  EXPECT_EQ(Format.LocaleBuilds(), 1);
  int Lines = 0;
  for (const std::string& L : Log.Lines()) Lines += L.rfind("TMoneyFormat->Text->The user's locale is not installed", 0) == 0;
  EXPECT_EQ(Lines, 1);
  EXPECT_EQ(Log.Lines().size(), 1u);

  // An installed locale is built once too, and logs nothing.
  const TEnvironmentSwap C("LANG", "C");
  TMoneyFormat Plain;
  for (int i = 0; i < 200; ++i) ASSERT_EQ(Plain.Text(-0.125), "-0.12");
  EXPECT_EQ(Plain.LocaleBuilds(), 1);
  EXPECT_EQ(Log.Lines().size(), 1u);
}
