#include <gtest/gtest.h>

#include <clocale>

#include "engine/constants.h"
#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "support/temp_folder.h"

namespace {
class LocalizationTest : public ::testing::Test {
protected:
  void SetUp() override {
    T.Write("data/XML/localization.xml",
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
            "<localization>\n"
            "  <!-- comments are not keys -->\n"
            "  <szStrTurns GER=\"Runden\" ENG=\"Turns\"/>\n"
            "  <szStrEmpty GER=\"Leer\" ENG=\"\"/>\n"
            "  <szStrGermanOnly GER=\"Nur deutsch\"/>\n"
            "  <szStrUmlaut GER=\"F\xE4hre\" ENG=\"Ferry\"/>\n"
            "  <szstrturns GER=\"zweiter\" ENG=\"second\"/>\n"
            "</localization>\n");
    TVirtualFileSystem V(T.Path());
    TXMLDocument D;
    V.LoadXML("data\\XML\\localization.xml", D);
    gLocalization.LoadFromDocument(D);
  }
  void TearDown() override { FreeLocalization(); }
  TTempFolder T;
};
}  // namespace

TEST_F(LocalizationTest, HitInEitherLanguageAndAnyCase) {
  EXPECT_EQ(Localize("szStrTurns"), "Runden");
  EXPECT_EQ(Localize("SZSTRTURNS"), "Runden");  // the first of two equal keys wins
  EXPECT_EQ(CurrentLanguageCode(), "ger");
  gLocalization.LanguageIndex = 1;
  EXPECT_EQ(Localize("szstrturns"), "Turns");
  EXPECT_EQ(CurrentLanguageCode(), "eng");
  EXPECT_EQ(gLocalization.LanguageNames[1], "English");
}

TEST_F(LocalizationTest, MissingKeyKeepsTheCallersSpelling) {
  EXPECT_EQ(Localize("szMsgNoSuchKey"), "szMsgNoSuchKey_NOT_LOCALIZED_");
}

TEST_F(LocalizationTest, EmptyOrAbsentTextIsEmptyNotMissing) {
  gLocalization.LanguageIndex = 1;
  EXPECT_EQ(Localize("szStrEmpty"), "");
  EXPECT_EQ(Localize("szStrGermanOnly"), "");
}

TEST_F(LocalizationTest, Latin1TextArrivesAsBytes) { EXPECT_EQ(Localize("szStrUmlaut"), "F\xE4hre"); }

TEST_F(LocalizationTest, BadLanguageIndexIsARangeError) {
  gLocalization.LanguageIndex = 2;
  EXPECT_THROW(Localize("szStrTurns"), ERangeError);
  EXPECT_THROW(CurrentLanguageCode(), ERangeError);
}

TEST(Constants, SortIndicesByValueIsStable) {
  EXPECT_EQ(SortIndicesByValue({0, 1, 2, 3, 4}, {3, 1, 3, 0, 2}), (TIntegerList{3, 1, 4, 0, 2}));
  EXPECT_EQ(SortIndicesByValue({}, {}), TIntegerList{});
  EXPECT_EQ(SortIndicesByValue({7}, {1, 2}), TIntegerList{7});
  EXPECT_THROW(SortIndicesByValue({0, 1}, {1}), std::invalid_argument);
}

TEST(Constants, IntToStr2) {
  EXPECT_EQ(IntToStr2(0), "00");
  EXPECT_EQ(IntToStr2(7), "07");
  EXPECT_EQ(IntToStr2(12), "12");
  EXPECT_EQ(IntToStr2(-5), "-5");
  EXPECT_EQ(IntToStr2(123), "123");
}

TEST(FloatText, WritesFiveSignificantDigitsWithThreeDecimals) {
  EXPECT_EQ(FloatToStrDot(12.5f), "12.500");
  EXPECT_EQ(FloatToStrDot(123.456f), "123.460");
  EXPECT_EQ(FloatToStrDot(0.0004f), "0.000");
  EXPECT_EQ(FloatToStrDot(-1.5f), "-1.500");
  EXPECT_EQ(FloatToStrDot(0.1f), "0.100");
  EXPECT_EQ(FloatToStrDot(99999.4f), "99999.000");
  EXPECT_EQ(FloatToStrDot(0.0f), "0.000");
  EXPECT_EQ(FloatToStrDot(-0.0f), "0.000");
}

TEST(FloatText, LargeValuesUseTheExponentForm) {
  EXPECT_EQ(FloatToStrDot(123456.7f), "1.2346E005");
  EXPECT_EQ(FloatToStrDot(100000.0f), "1E005");
  EXPECT_EQ(FloatToStrDot(-2500000.0f), "-2.5E006");
  EXPECT_EQ(FloatToStrDot(1e30f), "1E030");
}

TEST(FloatText, ReadsTheSyntaxAndNothingElse) {
  EXPECT_EQ(StrToFloatDot("2.5"), 2.5f);
  EXPECT_EQ(StrToFloatDot("  -1.25  "), -1.25f);
  EXPECT_EQ(StrToFloatDot("+3"), 3.0f);
  EXPECT_EQ(StrToFloatDot("1E005"), 100000.0f);
  EXPECT_EQ(StrToFloatDot("1.2346E005"), 123460.0f);
  EXPECT_EQ(StrToFloatDot("2.5e-3"), 0.0025f);
  EXPECT_EQ(StrToFloatDot("5."), 5.0f);
  EXPECT_EQ(StrToFloatDot(".5"), 0.5f);
  for (const char* Bad : {"", " ", "abc", "1,5", "1.2.3", "1e", "e5", "--1", "1 2", "0x10", "1e5x", "inf", "nan", "."})
    EXPECT_THROW(StrToFloatDot(Bad), EConvertError) << Bad;
  EXPECT_FALSE(TryStrToFloatDot("1e999"));
  EXPECT_EQ(TryStrToFloatDot("1e-999"), 0.0f);
}

TEST(FloatText, ExactFormRoundTrips) {
  for (float V : {0.2996f, 123456.7f, 1.0f / 3.0f, -1e-7f, 3.4e38f}) EXPECT_EQ(StrToFloatDot(FloatToStrExact(V)), V);
  EXPECT_EQ(FloatToStrExact(0.2996f), "0.2996");
  EXPECT_EQ(FloatToStrExact(2.0f), "2");
}

TEST(FloatText, CommaLocaleChangesNothing) {
  const char* Old = std::setlocale(LC_ALL, nullptr);
  std::string Saved = Old ? Old : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE")) GTEST_SKIP() << "no German locale";
  EXPECT_EQ(FloatToStrDot(12.5f), "12.500");
  EXPECT_EQ(FloatToStrDot(123456.7f), "1.2346E005");
  EXPECT_EQ(StrToFloatDot("2.5"), 2.5f);
  EXPECT_EQ(StrToFloatDot("1.5e-3"), 0.0015f);
  EXPECT_THROW(StrToFloatDot("2,5"), EConvertError);
  std::setlocale(LC_ALL, Saved.c_str());
}
