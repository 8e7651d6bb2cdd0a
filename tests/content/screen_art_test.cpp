// The pictures of the game screen and the main menu match their layouts: a picture drawn at
// another size than its own is stretched, and its painted buttons slide off the places the
// mouse finds them.
#include <gtest/gtest.h>

#include "content_fixture.h"
#include "platform/png_codec.h"
#include "platform/xml_document.h"

namespace {

TPNGImage Picture(const std::string& Name) {
  TPNGImage Image;
  const std::string Bytes = ReadTestFile(DataFile("tex/ondemand/nocompression/" + Name + ".png"));
  std::string Error;
  EXPECT_TRUE(DecodePNG(Bytes.data(), Bytes.size(), Image, Error)) << Name << ": " << Error;
  return Image;
}

}  // namespace

TEST(ScreenArt, PicturesWithButtonsHaveTheSizesTheirLayoutsDrawThemAt) {
  int Checked = 0;
  for (const char* File : {"XML/UI_EarthView.xml", "XML/lang_ger/UI_MainMenu_Root.xml", "XML/lang_eng/UI_MainMenu_Root.xml"}) {
    TXMLDocument Layout;
    Layout.LoadFromFile(DataFile(File));
    for (const TXMLNode& Control : Layout.Root().Children()) {
      if (Control.Name() != "skinned") continue;
      const std::string Name = Control.RequiredAttribute("image");
      const TPNGImage Image = Picture(Name);
      // The menu panel alone is stretched to the panels behind the options.
      if (Name != "ui_mainmenu_panel") {
        EXPECT_EQ(std::to_string(Image.Width) + " x " + std::to_string(Image.Height),
                  Control.RequiredAttribute("width") + " x " + Control.RequiredAttribute("height"))
            << File << ": " << Name;
        ++Checked;
      }
      for (const TXMLNode& Part : Control.Children()) {
        const TPNGImage Hover = Picture(Part.RequiredAttribute("image"));
        EXPECT_EQ(std::to_string(Hover.Width) + " x " + std::to_string(Hover.Height),
                  Part.RequiredAttribute("width") + " x " + Part.RequiredAttribute("height"))
            << File << ": " << Part.RequiredAttribute("name");
      }
    }
  }
  EXPECT_EQ(Checked, 3 + 3 + 3);
}
