// The base factors beside a nation's history, and the nation's names, which must not run into
// the heading beside them.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/streams.h"
#include "engine/tex_font.h"
#include "platform/xml_document.h"
#include "presentation/scenes/nation_selection_scene.h"

TEST(NationSelection, BaseFactorsReadAsSignedPercentagesColouredByWhetherTheyHelp) {
  struct TCase {
    float Factor;
    bool Pollution;
    const char* Text;
    TVector3 Color;
  };
  const TVector3 Red{1, 0, 0}, Green{0, 1, 0}, White{1, 1, 1};
  for (const TCase& C : {TCase{1.1f, false, "+10%", Green}, TCase{0.85f, false, "-15%", Red},
                         TCase{0.85f, true, "-15%", Green}, TCase{1.2f, true, "+20%", Red},
                         TCase{1.125f, false, "+12%", Green}, TCase{1.004f, false, "+0%", Green},
                         TCase{1.0f, true, "\xB1" "0%", White}}) {
    const TFactorLine Line = FormatBaseFactor(C.Factor, C.Pollution);
    EXPECT_EQ(Line.Value, C.Text) << C.Factor;
    EXPECT_EQ(Line.Color.X, C.Color.X) << C.Factor;
    EXPECT_EQ(Line.Color.Y, C.Color.Y) << C.Factor;
    EXPECT_EQ(Line.Color.Z, C.Color.Z) << C.Factor;
  }
}

TEST(NationSelection, EveryNationNameOfTheDataSetEndsBeforeTheHistoryHeadingAtTheNamesFullSize) {
  // The name starts 190 pixels left of the "History" heading and is printed at one and a half
  // times the GUI font's size, however long it is: the data keep the names short enough.
  EXPECT_FLOAT_EQ(kNationNameSize, 1.5f);
  TFileStream Widths(std::filesystem::path(TARNOVA_BINARY_DIR) / "data" / "font3.fnt");
  const TTexFont Font(Widths, 8.0f);
  TXMLDocument Nations;
  Nations.LoadFromFile(std::filesystem::path(TARNOVA_BINARY_DIR) / "data" / "XML" / "nationinfo.xml");
  int Names = 0;
  for (const TXMLNode& Nation : Nations.Root().Children())
    for (const char* Attribute : {"name_ger", "name_eng"}) {
      const std::string Name = Nation.RequiredAttribute(Attribute);
      ++Names;
      // A gap of eight pixels keeps the name clear of the heading.
      EXPECT_LE(Font.TextWidth(Name) * kNationNameSize, 190.0f - 8.0f) << "\"" << Name << "\"";
    }
  EXPECT_EQ(Names, 10);
}
