#include "presentation/earth_view_hud.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "support/locale_swap.h"
#include "world/nation.h"

TEST(EarthViewHUD, NumbersKeepThreeSignificantDigits) {
  EXPECT_EQ(FormatHudNumber(12.345), "12.3");
  EXPECT_EQ(FormatHudNumber(1.2345), "1.2");
  EXPECT_EQ(FormatHudNumber(123.45), "123.0");
  EXPECT_EQ(FormatHudNumber(0.0), "0.0");
  EXPECT_EQ(FormatHudNumber(1234.5), "1.23E+003");
}

// The separator is the user's locale's, whatever language the game speaks.
TEST(EarthViewHUD, NumbersTakeTheDecimalSeparatorOfTheUsersLocale) {
  gLocalization.Clear();
  gLocalization.AddKey("szStrTurn", "Runde", "Turn");
  gLocalization.LanguageCodes = {"ger", "eng"};
  TNation N;
  N.Names = {"Valdoria", "Valdoria"};
  N.Ressources = 1234.5f;
  const auto Expect = [&](const char* Small, const char* Large, const char* Zero) {
    for (const std::uint8_t Language : {0, 1}) {
      SCOPED_TRACE(Language);
      gLocalization.LanguageIndex = Language;
      EXPECT_EQ(FormatHudNumber(12.345), Small);
      EXPECT_EQ(FormatHudNumber(1234.5), Large);
      // Whole numbers have no separator: the resources read the same everywhere.
      const std::vector<THudText> T = EarthViewHUDTexts(N, 0.0f, 0.0f, 1.0f);
      EXPECT_EQ(T[3].Text, "1234");
      EXPECT_EQ(T[9].Text, Zero);  // the average loyalty of no region
    }
  };
  {
    const TLocaleSwap C("C");
    Expect("12.3", "1.23E+003", "0.0");
  }
  {
    const TLocaleSwap German(TLocaleSwap::German);
    if (German.Available()) {
      Expect("12,3", "1,23E+003", "0,0");
      EXPECT_EQ(FormatHudNumber(1.2345), "1,2");
      EXPECT_EQ(FormatHudNumber(123.45), "123,0");
      EXPECT_EQ(FormatHudNumber(-9999.0), "-1,00E+004");
    }
  }
  gLocalization.Clear();
}

TEST(EarthViewHUD, TextsAndTheirPlaces) {
  gLocalization.Clear();
  gLocalization.Texts.assign(1, {});
  gLocalization.LanguageIndex = 0;
  TNation N;
  N.Names = {"Valdoria"};
  N.Ressources = 2.5f;
  std::vector<THudText> T = EarthViewHUDTexts(N, 100.0f, 600.0f, 1.0f);
  ASSERT_EQ(T.size(), 12u);
  EXPECT_EQ(T[0].Text, "\"\"");  // an empty player name still shows its quotes
  // The name lines end 10 pixels further left on every 12-pixel step down.
  EXPECT_FLOAT_EQ(T[0].X, 705.0f);
  EXPECT_FLOAT_EQ(T[1].X, 695.0f);
  EXPECT_FLOAT_EQ(T[2].Y - T[1].Y, 12.0f);
  EXPECT_EQ(T[3].Text, "2");  // halves round to even
  N.Ressources = 3.5f;
  T = EarthViewHUDTexts(N, 100.0f, 600.0f, 1.25f);
  EXPECT_EQ(T[3].Text, "4");
  EXPECT_FLOAT_EQ(T[3].X, 100.0f + 430.0f * 1.25f);
  EXPECT_FLOAT_EQ(T[3].Y, 670.0f);
  EXPECT_FLOAT_EQ(T[11].Y, 715.0f);
  // The name lines follow the panel; the value rows stand at their own heights wherever it is.
  T = EarthViewHUDTexts(N, 100.0f, 651.0f, 1.0f);
  EXPECT_FLOAT_EQ(T[3].Y, 670.0f);
  EXPECT_FLOAT_EQ(T[11].Y, 715.0f);
  EXPECT_FLOAT_EQ(T[0].Y, 681.0f);
  gLocalization.Clear();
}
