#include <gtest/gtest.h>

#include "platform/errors.h"
#include "world/division.h"
#include "world/region.h"
#include "world_fixture.h"

namespace {
// A region element with sensible values; Extra replaces or adds attributes.
std::string Region(const std::string& Attributes) { return "  <region " + Attributes + "/>\n"; }

const std::string kThreeRegions =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<regions>\n" +
    Region("x_2D=\"10\" y_2D=\"20\" name_ger=\"Nordmark\" name_eng=\"Northmark\" owner=\"1\" "
           "population=\"50\" defense=\"60\" loyalty=\"50\" x_3D=\"0.5\" y_3D=\"-0.25\" z_3D=\"1\" "
           "hascoast=\"true\" setting=\"forest\" neighbors=\"2\" n0=\"1\" n1=\"2\"") +
    Region("x_2D=\"30\" y_2D=\"40\" name_ger=\"Suedland\" name_eng=\"\" owner=\"6\" population=\"200\" "
           "defense=\"10\" loyalty=\"100\" x_3D=\"1\" y_3D=\"2\" z_3D=\"3\" hascoast=\"0\" setting=\"desert\" "
           "neighbors=\"1\" n0=\"0\"") +
    Region("x_2D=\"5\" y_2D=\"6\" name_ger=\"Ostheim\" owner=\"7\" population=\"0\" defense=\"0\" "
           "loyalty=\"0\" x_3D=\"0\" y_3D=\"0\" z_3D=\"0\" hascoast=\"FALSE\" setting=\"\" neighbors=\"0\"") +
    "</regions>\n";

class Earth : public TWorldTest {
protected:
  TEarth World;
  void Write(const std::string& Text) { WriteData("data/XML/regions.xml", Text); }
  void Load() { World.Init("data\\XML\\regions.xml"); }
  // The message of the error that loading Text raises.
  std::string LoadError(const std::string& Text) {
    Write(Text);
    try {
      World.LoadRegions("data\\XML\\regions.xml");
    } catch (const EDataError& E) {
      // Loose files are named by their path on disk; drop the temporary folder from it.
      std::string Message = E.what();
      const std::string Prefix = Folder.Path().string() + "/";
      if (auto P = Message.find(Prefix); P != std::string::npos) Message.erase(P, Prefix.size());
      return Message;
    }
    ADD_FAILURE() << "no error";
    return "";
  }
  std::string OneRegion(const std::string& Attributes) {
    return "<regions>\n" + Region(Attributes) + "</regions>\n";
  }
};
const std::string kGood =
    "x_2D=\"1\" y_2D=\"2\" name_ger=\"A\" name_eng=\"A\" owner=\"1\" population=\"10\" defense=\"1\" "
    "loyalty=\"1\" x_3D=\"0\" y_3D=\"0\" z_3D=\"0\" hascoast=\"true\" setting=\"s\" neighbors=\"0\"";

std::string With(std::string Attributes, const std::string& Name, const std::string& Value) {
  const std::string Key = Name + "=\"";
  Attributes = " " + Attributes;
  auto P = Attributes.find(" " + Key);
  if (P == std::string::npos) return Attributes + " " + Key + Value + "\"";
  auto Start = P + 1 + Key.size();
  return Attributes.replace(Start, Attributes.find('"', Start) - Start, Value);
}
std::string Without(std::string Attributes, const std::string& Name) {
  Attributes = " " + Attributes;
  auto P = Attributes.find(" " + Name + "=\"");
  auto End = Attributes.find('"', Attributes.find('"', P) + 1);
  return Attributes.erase(P, End + 1 - P);
}
}  // namespace

TEST_F(Earth, InitReadsEveryRegionAndNormalises) {
  Write(kThreeRegions);
  World.Zoom = 0.7f;
  Load();
  EXPECT_EQ(World.Atmosphere, 25000.0f);
  EXPECT_EQ(World.Life, 35000.0f);
  EXPECT_EQ(World.Zoom, 1.0f);
  EXPECT_EQ(World.SelRegion, -1);
  EXPECT_EQ(gSelectedRegion, -1);
  ASSERT_EQ(gRegions.size(), 3u);

  const TRegion& A = *gRegions[0];
  EXPECT_EQ(A.ID, 0);
  EXPECT_EQ(A.X2D, 10);
  EXPECT_EQ(A.Y2D, 20);
  EXPECT_EQ(A.Names, (std::vector<std::string>{"Nordmark", "Northmark"}));
  EXPECT_EQ(A.GetName(), "Northmark");
  EXPECT_EQ(A.Owner, 0);  // file owners count from 1
  EXPECT_FLOAT_EQ(A.Population, 0.25f);
  EXPECT_EQ(A.PopulationLast, A.Population);
  EXPECT_FLOAT_EQ(A.Loyality, 0.5f);  // loyalty 50 of 100
  EXPECT_EQ(A.LoyalityLast, A.Loyality);
  EXPECT_FLOAT_EQ(A.Defense, 0.6f);
  EXPECT_EQ(A.DefenseLast, A.Defense);
  EXPECT_EQ(A.Position3D.X, 0.5f);
  EXPECT_EQ(A.Position3D.Y, -0.25f);
  EXPECT_EQ(A.Position3D.Z, 1.0f);
  EXPECT_TRUE(A.HasCoast);
  EXPECT_EQ(A.Setting, "forest");
  EXPECT_EQ(A.Neighbours, (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(A.Constant, 1.0f);
  EXPECT_EQ(A.Pollution, 0.0f);
  EXPECT_EQ(A.Energy, 0.0f);

  const TRegion& B = *gRegions[1];
  EXPECT_EQ(B.Owner, TRegion::OwnerNobody);  // 6 in the file
  EXPECT_EQ(B.Population, 1.0f);               // the largest region
  EXPECT_EQ(B.PopulationLast, 1.0f);
  EXPECT_EQ(B.Loyality, 1.0f);
  EXPECT_EQ(B.Names[1], "Suedland");  // an empty name takes language 0's
  EXPECT_FALSE(B.HasCoast);

  const TRegion& C = *gRegions[2];
  EXPECT_EQ(C.Owner, TRegion::OwnerRebels);  // 7 in the file
  EXPECT_EQ(C.Population, 0.0f);
  EXPECT_EQ(C.Names[1], "Ostheim");  // an absent name as well
  EXPECT_FALSE(C.HasCoast);
  EXPECT_TRUE(C.Neighbours.empty());
}

TEST_F(Earth, ReloadKeepsTheRegionObjectsAndStartsThemAfresh) {
  Write(kThreeRegions);
  Load();
  TRegion* First = gRegions[0].get();
  First->Pollution = First->PollutionLast = 0.4f;
  First->Energy = First->EnergyLast = -0.3f;
  First->Growth = First->GrowthLast = 0.2f;
  First->Ressources = First->RessourcesLast = 3.0f;
  First->Risk = 4;
  First->PreviousRisk = 2;
  First->ExpansionFactor = 9;
  First->Constant = 0.5f;
  First->Population = 0.9f;
  First->Owner = 3;
  First->StatusIcon = "gui_icon_newbuilding";
  First->Buildings[1][2].FinishTime = 4;
  First->Units.push_back(std::make_unique<TUnit>());
  First->DefensiveDivision = std::make_unique<TDivision>();

  Load();
  ASSERT_EQ(gRegions.size(), 3u);
  EXPECT_EQ(gRegions[0].get(), First);
  EXPECT_EQ(First->Pollution, 0.0f);
  EXPECT_EQ(First->PollutionLast, 0.0f);
  EXPECT_EQ(First->Energy, 0.0f);
  EXPECT_EQ(First->EnergyLast, 0.0f);
  EXPECT_FLOAT_EQ(First->Population, 0.25f);
  EXPECT_EQ(First->Owner, 0);
  // Nothing of the last game carries over into the new one.
  EXPECT_EQ(First->Growth, 0.0f);
  EXPECT_EQ(First->GrowthLast, 0.0f);
  EXPECT_EQ(First->Ressources, 0.0f);
  EXPECT_EQ(First->RessourcesLast, 0.0f);
  EXPECT_EQ(First->Constant, 1.0f);
  EXPECT_EQ(First->Risk, 0);
  EXPECT_EQ(First->PreviousRisk, 0);
  EXPECT_EQ(First->ExpansionFactor, 0);
  EXPECT_EQ(First->StatusIcon, "");
  EXPECT_EQ(First->Buildings[1][2].FinishTime, 0);
  EXPECT_TRUE(First->Units.empty());
  EXPECT_EQ(First->DefensiveDivision, nullptr);
}

TEST_F(Earth, AFileWithFewerRegionsShrinksTheArray) {
  Write(kThreeRegions);
  Load();
  Write(OneRegion(kGood));
  Load();
  ASSERT_EQ(gRegions.size(), 1u);
  EXPECT_EQ(gRegions[0]->Population, 1.0f);
  World.Destroy();
  EXPECT_TRUE(gRegions.empty());
}

TEST_F(Earth, OwnerCodesOutsideOneToSevenAreRejected) {
  for (const char* Bad : {"0", "8", "-1", "255", "two", ""}) {
    const std::string Message = LoadError(OneRegion(With(kGood, "owner", Bad)));
    EXPECT_NE(Message.find("\"data/XML/regions.xml\" line 2, element <region>"), std::string::npos) << Message;
    EXPECT_NE(Message.find("attribute \"owner\" has the value \"" + std::string(Bad) + "\""), std::string::npos)
        << Message;
  }
  for (const char* Good : {"1", "5", "6", "7"}) {
    Write(OneRegion(With(kGood, "owner", Good)));
    EXPECT_NO_THROW(Load()) << Good;
  }
}

TEST_F(Earth, NeighbourIndexesMustNameARegion) {
  const std::string Two = "x_2D=\"1\" y_2D=\"2\" owner=\"1\" population=\"10\" defense=\"1\" loyalty=\"1\" "
                          "x_3D=\"0\" y_3D=\"0\" z_3D=\"0\" hascoast=\"1\" neighbors=\"2\" n0=\"1\" n1=\"";
  EXPECT_EQ(LoadError("<r>\n" + Region(Two + "2\"") + Region(kGood) + "</r>"),
            "TEarth->LoadRegions->\"data/XML/regions.xml\" line 2, element <region>: attribute \"n1\" has the "
            "value \"2\"; expected a region index from 0 to 1");
  EXPECT_NE(LoadError("<r>\n" + Region(Two + "-1\"") + Region(kGood) + "</r>").find("\"n1\" has the value \"-1\""),
            std::string::npos);
  // A missing neighbour entry and a negative count.
  EXPECT_NE(LoadError(OneRegion(With(kGood, "neighbors", "1"))).find("attribute \"n0\" is missing"),
            std::string::npos);
  EXPECT_NE(LoadError(OneRegion(With(kGood, "neighbors", "-2"))).find("\"neighbors\" has the value \"-2\""),
            std::string::npos);
}

TEST_F(Earth, EveryValueIsChecked) {
  struct TCase {
    const char* Attribute;
    const char* Value;
  };
  for (TCase C : {TCase{"x_2D", "1.5"}, TCase{"y_2D", ""}, TCase{"population", "many"},
                  TCase{"defense", "1,5"}, TCase{"loyalty", "nan"}, TCase{"x_3D", "1e99"}, TCase{"z_3D", ""},
                  TCase{"hascoast", "yes"}}) {
    SCOPED_TRACE(std::string(C.Attribute) + "=" + C.Value);
    const std::string Message = LoadError(OneRegion(With(kGood, C.Attribute, C.Value)));
    EXPECT_NE(Message.find("line 2, element <region>: attribute \"" + std::string(C.Attribute) +
                           "\" has the value \"" + C.Value + "\""),
              std::string::npos)
        << Message;
  }
  for (const char* Missing : {"x_2D", "owner", "population", "loyalty", "y_3D", "hascoast", "neighbors"}) {
    const std::string Message = LoadError(OneRegion(Without(kGood, Missing)));
    EXPECT_NE(Message.find("attribute \"" + std::string(Missing) + "\" is missing"), std::string::npos) << Message;
  }
}

TEST_F(Earth, ValuesOutsideTheUsualRangesLoadAsWritten) {
  // Loyalty above 100, negative population and defense, a 2D point left of the map.
  Write("<regions>\n" + Region(With(With(kGood, "loyalty", "150"), "x_2D", "-4")) +
        Region(With(With(With(kGood, "population", "-5"), "defense", "-30"), "loyalty", "-10")) + "</regions>");
  ASSERT_NO_THROW(Load());
  EXPECT_FLOAT_EQ(gRegions[0]->Loyality, 1.5f);
  EXPECT_FLOAT_EQ(gRegions[0]->LoyalityLast, 1.5f);
  EXPECT_EQ(gRegions[0]->X2D, -4);
  EXPECT_FLOAT_EQ(gRegions[1]->Population, -0.5f);
  EXPECT_FLOAT_EQ(gRegions[1]->Defense, -0.3f);
  EXPECT_FLOAT_EQ(gRegions[1]->Loyality, -0.1f);
  // A neighbour count far beyond the entries given fails at the first missing entry.
  EXPECT_NE(LoadError(OneRegion(With(kGood, "neighbors", "2147483647"))).find("attribute \"n0\" is missing"),
            std::string::npos);
}

TEST_F(Earth, AFileWithoutPopulationIsRejected) {
  EXPECT_EQ(LoadError(OneRegion(With(kGood, "population", "0"))),
            "TEarth->LoadRegions->\"data/XML/regions.xml\": no region has a population above 0");
  EXPECT_NE(LoadError("<regions/>").find("the file has no region"), std::string::npos);
}

TEST_F(Earth, ABrokenFileLeavesTheRegionsAsTheyWere) {
  Write(kThreeRegions);
  Load();
  TRegion* First = gRegions[0].get();
  First->Pollution = 0.3f;
  // The third region is broken; the first two must not have been touched.
  const std::string Broken = "<regions>\n" + Region(With(kGood, "population", "999")) + Region(kGood) +
                             Region(With(kGood, "owner", "9")) + Region(kGood) + "</regions>";
  LoadError(Broken);
  ASSERT_EQ(gRegions.size(), 3u);
  EXPECT_EQ(gRegions[0].get(), First);
  EXPECT_EQ(First->Pollution, 0.3f);
  EXPECT_FLOAT_EQ(First->Population, 0.25f);
  EXPECT_EQ(First->Names[0], "Nordmark");
}

TEST_F(Earth, MalformedAndMissingFilesNameTheFile) {
  Write("<regions><region></regions>");
  EXPECT_THROW(World.LoadRegions("data\\XML\\regions.xml"), ETarnovaError);
  EXPECT_THROW(World.LoadRegions("data\\XML\\nothere.xml"), ETarnovaError);
  EXPECT_TRUE(gRegions.empty());
}
