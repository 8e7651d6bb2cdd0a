// Money in the windows: two decimals with the separator of the user's locale, no thousands
// grouping, and scientific notation once a sum has more than six digits before the separator.
#include <gtest/gtest.h>

#include <string>

#include "presentation/number_text.h"
#include "presentation/windows/money_format.h"
#include "support/locale_swap.h"

TEST(MoneyFormat, TwoDecimalsAndScientificAboveSixDigitsInTheCLocale) {
  const TLocaleSwap C("C");
  EXPECT_EQ(MoneyText(1234.5), "1234.50");
  EXPECT_EQ(MoneyText(-0.125), "-0.12");
  EXPECT_EQ(MoneyText(0.0), "0.00");
  EXPECT_EQ(MoneyText(999999.99), "999999.99");
  EXPECT_EQ(MoneyText(-999999.99), "-999999.99");
  // Seven digits, the cents' rounding included.
  EXPECT_EQ(MoneyText(1234567.0), "1.23457E+006");
  EXPECT_EQ(MoneyText(999999.996), "1.00000E+006");
  EXPECT_EQ(MoneyText(-25000000.0), "-2.50000E+007");
}

TEST(MoneyFormat, TheSeparatorOfAGermanLocaleWithoutGrouping) {
  const TLocaleSwap German(TLocaleSwap::German);
  if (!German.Available()) GTEST_SKIP() << "no German locale";
  EXPECT_EQ(MoneyText(1234.5), "1234,50");
  EXPECT_EQ(MoneyText(-0.125), "-0,12");
  EXPECT_EQ(MoneyText(999999.99), "999999,99");
  EXPECT_EQ(MoneyText(1234567.0), "1,23457E+006");
}

TEST(NumberText, ScientificAndGeneralFormsInTheCAndAGermanLocale) {
  {
    const TLocaleSwap C("C");
    EXPECT_EQ(ScientificText(1234.5, 3), "1.23E+003");
    EXPECT_EQ(ScientificText(-0.00012345, 3), "-1.23E-004");
    EXPECT_EQ(ScientificText(1e120, 2), "1.0E+120");
    EXPECT_EQ(ScientificText(12.0, 1), "1E+001");
    // The region-map time in the log and the developer memo's values.
    EXPECT_EQ(GeneralText(12.5), "12.5");
    EXPECT_EQ(GeneralText(3.0), "3");
    EXPECT_EQ(GeneralText(0.1f), "0.100000001490116");
    EXPECT_EQ(GeneralText(1234567.0), "1234567");
    EXPECT_EQ(GeneralText(1e20), "1E+20");
  }
  const TLocaleSwap German(TLocaleSwap::German);
  if (!German.Available()) GTEST_SKIP() << "no German locale";
  EXPECT_EQ(ScientificText(1234.5, 3), "1,23E+003");
  EXPECT_EQ(GeneralText(12.5), "12,5");
  EXPECT_EQ(GeneralText(3.0), "3");
  EXPECT_EQ(GeneralText(1234567.0), "1234567");
}
