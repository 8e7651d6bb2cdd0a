// The nation descriptions of "data\xml\nationinfo.xml": a file describing fewer than five
// nations is refused with the file's name, never leaving a nation without a name.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "control/world_round.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace {

std::string NationElement(const std::string& Name) {
  return "<nation name_ger=\"" + Name + "\" name_eng=\"" + Name + "\">"
         "<basefactor growth=\"1\" loyality=\"1\" ressources=\"1\" pollution=\"1\" defense=\"1\" military=\"1\" "
         "researchCivil=\"1\" researchMilitary=\"1\"/><waterplane_upper pos=\"0.5\" dim=\"2\"/>"
         "<waterplane_lower pos=\"-0.5\" dim=\"2\"/><mapcolor red=\"10\" green=\"20\" blue=\"30\"/>"
         "<globerotation x=\"5\" y=\"-5\"/></nation>";
}

class NationInfoTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (std::size_t i = 0; i < gNations.size(); ++i) {
      gNations[i] = std::make_unique<TNation>();
      gNations[i]->ID = static_cast<std::uint8_t>(i);
    }
  }
  void TearDown() override {
    for (auto& N : gNations) N.reset();
  }
  static void Read(const std::string& Text) {
    TXMLDocument D;
    D.LoadFromMemory(Text.data(), Text.size(), "data\\xml\\nationinfo.xml");
    ReadNationInfo(D.Root());
  }
};

TEST_F(NationInfoTest, FiveNationsAreReadAndFewerAreRefusedWithTheFileName) {
  std::string Five = "<nations>";
  for (const char* Name : {"A", "B", "C", "D", "E"}) Five += NationElement(Name);
  Read(Five + "</nations>");
  EXPECT_EQ(gNations[4]->GetName(), "E");
  EXPECT_EQ(gNations[0]->MapColor[2], 30);

  for (const std::string& Short : {"<nations>" + NationElement("A") + NationElement("B") + "</nations>",
                                   std::string("<nations/>")}) {
    try {
      Read(Short);
      ADD_FAILURE() << "accepted " << Short;
    } catch (const EDataError& E) {
      EXPECT_NE(std::string(E.what()).find("nationinfo.xml"), std::string::npos) << E.what();
      EXPECT_NE(std::string(E.what()).find("5 needed"), std::string::npos) << E.what();
    }
  }
}

}  // namespace
