#include <gtest/gtest.h>

#include <map>

#include "engine/engine_globals.h"
#include "engine/texture_manager.h"
#include "support/texture_fixture.h"
#include "type_fixture.h"

namespace {
using UnitTypeTest = TypesFixture;

const char* const UnitsFile = "data\\XML\\units.xml";

// One unit element with every attribute; Change replaces attribute="value" pairs.
std::string UnitXML(const std::string& Extra = "", const std::string& ID = "INF_TEST") {
  return "<units>\n"
         "  <unit name_ger=\"Test\" name_eng=\"Test\" model3d=\"m\" ID=\"" + ID + "\" health=\"100\""
         " buildcost=\"75\" roundcost=\"1.5\" buildtime=\"2\" moveradius=\"1\" attackradius=\"1\" defair=\"5\""
         " defground=\"30\" attair=\"0\" attground=\"40\" nation=\"0\" neededtechID=\"\" category=\"infantry\"" +
         Extra + "/>\n</units>\n";
}

std::string WithAttribute(std::string XML, const std::string& Name, const std::string& Value) {
  std::string Key = " " + Name + "=\"";
  std::size_t At = XML.find(Key);
  std::size_t End = XML.find('"', At + Key.size());
  return XML.replace(At + Key.size(), End - At - Key.size(), Value);
}

std::string WithoutAttribute(std::string XML, const std::string& Name) {
  std::string Key = " " + Name + "=\"";
  std::size_t At = XML.find(Key);
  std::size_t End = XML.find('"', At + Key.size());
  return XML.erase(At, End + 1 - At);
}
}  // namespace

TEST_F(UnitTypeTest, LoadsEveryTypeInFileOrder) {
  auto& Types = gUnitTypePool->Types;
  ASSERT_EQ(Types.size(), 5u);
  const TUnitType& L = *Types[0];
  EXPECT_EQ(L.ID, "INF_LIGHT");
  EXPECT_EQ(L.Names, (TStringList{"Leichte Infanterie", "Light infantry"}));
  EXPECT_EQ(L.Model3D, "unit_inf_light");
  EXPECT_EQ(L.Category, "infantry");
  EXPECT_EQ(L.NeededTechID, "");
  EXPECT_FLOAT_EQ(L.Health, 100);
  EXPECT_FLOAT_EQ(L.BuildCost, 75);
  EXPECT_FLOAT_EQ(L.RoundCost, 1.5f);
  EXPECT_EQ(L.BuildTime, 2);
  EXPECT_EQ(L.MoveRadius, 1);
  EXPECT_EQ(L.AttackRadius, 1);
  EXPECT_EQ(L.DefAir, 5);
  EXPECT_EQ(L.DefGround, 30);
  EXPECT_EQ(L.AttAir, 0);
  EXPECT_EQ(L.AttGround, 40);
  EXPECT_EQ(L.Nation, 0);
  // The element's own text, one trimmed line per entry, so the section headers match exactly.
  EXPECT_EQ(L.Description,
            (TStringList{"#GER", "Die einfache Infanterie.", "#ENG", "The plain infantry."}));
  for (std::size_t i = 0; i < Types.size(); ++i) EXPECT_EQ(Types[i]->Index, static_cast<int>(i));
  EXPECT_EQ(Types[2]->Names[0], "J\xE4ger");  // ISO-8859-1 text arrives as its bytes
  EXPECT_EQ(Types[4]->Nation, 6);
  EXPECT_TRUE(Types[1]->Description.empty());
}

TEST_F(UnitTypeTest, NameFollowsTheLanguageAndGuardsItsIndex) {
  const TUnitType& F = *gUnitTypePool->FindByID("AIR_FIGHTER");
  EXPECT_EQ(F.GetName(), "J\xE4ger");
  gLocalization.LanguageIndex = 1;
  EXPECT_EQ(F.GetName(), "Fighter");
  gLocalization.LanguageIndex = 2;
  EXPECT_THROW(F.GetName(), ERangeError);
}

TEST_F(UnitTypeTest, FindByIDIgnoresLetterCase) {
  EXPECT_EQ(gUnitTypePool->FindByID("inf_heavy"), gUnitTypePool->Types[1].get());
  EXPECT_EQ(gUnitTypePool->FindByID("Mob_EnvChanger"), gUnitTypePool->Types[3].get());
  EXPECT_EQ(gUnitTypePool->FindByID("INF_NONE"), nullptr);
  EXPECT_EQ(gUnitTypePool->FindByID(""), nullptr);
}

TEST_F(UnitTypeTest, BaseValuesAndUnknownNames) {
  const TUnitType& L = *gUnitTypePool->Types[0];
  EXPECT_FLOAT_EQ(L.GetValue("defense.ground", *Tree), 30);
  EXPECT_FLOAT_EQ(L.GetValue("Defense.Air", *Tree), 5);
  EXPECT_FLOAT_EQ(L.GetValue("ATTACK.GROUND", *Tree), 40);
  EXPECT_FLOAT_EQ(L.GetValue("attack.air", *Tree), 0);
  EXPECT_FLOAT_EQ(L.GetValue("health", *Tree), 100);
  Research("tech_armour");
  EXPECT_FLOAT_EQ(L.GetValue("attack", *Tree), 0);
  EXPECT_FLOAT_EQ(L.GetValue("buildcost", *Tree), 0);
  EXPECT_FLOAT_EQ(L.GetValue("", *Tree), 0);
}

TEST_F(UnitTypeTest, ResearchedBonusRaisesOnlyItsValue) {
  const TUnitType& L = *gUnitTypePool->Types[0];
  EXPECT_FLOAT_EQ(L.GetValue("attack.ground", *Tree), 40);  // not researched yet
  Research("tech_armour");
  EXPECT_FLOAT_EQ(L.GetValue("attack.ground", *Tree), 50);  // +25%
  EXPECT_FLOAT_EQ(L.GetValue("defense.ground", *Tree), 30);
  EXPECT_FLOAT_EQ(L.GetValue("health", *Tree), 110);
  // Another category is untouched.
  const TUnitType& F = *gUnitTypePool->FindByID("AIR_FIGHTER");
  EXPECT_FLOAT_EQ(F.GetValue("attack.ground", *Tree), 15);
}

TEST_F(UnitTypeTest, FirstBonusInTreeOrderDecidesAndBonusesDoNotAdd) {
  const TUnitType& L = *gUnitTypePool->Types[0];
  Research("tech_optics");
  EXPECT_FLOAT_EQ(L.GetValue("attack.ground", *Tree), 60);  // +50% alone
  Research("tech_armour");                                  // earlier in the tree: +25% wins
  EXPECT_FLOAT_EQ(L.GetValue("attack.ground", *Tree), 50);
  const TUnitType& F = *gUnitTypePool->FindByID("AIR_FIGHTER");
  EXPECT_FLOAT_EQ(F.GetValue("defense.air", *Tree), 44);
}

TEST_F(UnitTypeTest, MalformedBonusLinesAreSkipped) {
  auto D = XMLFromText(
      "<technologies>\n"
      "  <t nameger=\"a\" nameeng=\"a\" image=\"\" researchtime=\"1\" category=\"0\" ID=\"a\">\n"
      "    <roundscript>\n"
      "      unit.infantry.attack.ground 25%\n"
      "      unit.infantry.attack.ground +x%\n"
      "      unit.infantry.attack.ground +%\n"
      "      unit.infantry.attack.ground +10% extra\n"
      "      unit.infantry.attack.ground +20%   \n"
      "    </roundscript>\n"
      "  </t>\n"
      "</technologies>\n",
      "data\\XML\\technologies.xml");
  TTechnologyTree T;
  T.LoadFromDocument(*D);
  T.Technologies[0]->Researched = true;
  // The last line's trailing blanks are trimmed at load, so it is the first well-formed one.
  EXPECT_FLOAT_EQ(gUnitTypePool->Types[0]->GetValue("attack.ground", T), 48);
}

TEST_F(UnitTypeTest, NegativeAndFractionalBonuses) {
  auto D = XMLFromText(
      "<technologies>\n"
      "  <t nameger=\"a\" nameeng=\"a\" image=\"\" researchtime=\"1\" category=\"0\" ID=\"a\">\n"
      "    <roundscript>unit.infantry.defense.ground +-10%\nunit.infantry.attack.ground +33%</roundscript>\n"
      "  </t>\n"
      "</technologies>\n",
      "data\\XML\\technologies.xml");
  TTechnologyTree T;
  T.LoadFromDocument(*D);
  T.Technologies[0]->Researched = true;
  const TUnitType& L = *gUnitTypePool->Types[0];
  EXPECT_FLOAT_EQ(L.GetValue("defense.ground", T), 27);
  EXPECT_FLOAT_EQ(L.GetValue("attack.ground", T), 53.2f);
}

TEST_F(UnitTypeTest, EachFaultNamesFileLineElementAndValue) {
  const std::string Base = UnitXML();
  struct Case {
    std::string XML;
    std::string Expected;
  } Cases[] = {
      {WithAttribute(Base, "buildtime", "x3"), "attribute \"buildtime\" has the value \"x3\"; expected a whole number"},
      {WithAttribute(Base, "buildtime", "2.5"), "attribute \"buildtime\" has the value \"2.5\"; expected a whole number"},
      {WithAttribute(Base, "attground", "99999999999"), "attribute \"attground\" has the value \"99999999999\"; expected a whole number"},
      {WithAttribute(Base, "health", "1,5"), "attribute \"health\" has the value \"1,5\"; expected a number such as 12.5"},
      {WithAttribute(Base, "buildcost", ""), "attribute \"buildcost\" has the value \"\"; expected a number such as 12.5"},
      {WithAttribute(Base, "roundcost", "-2e9"), "attribute \"roundcost\" has the value \"-2e9\"; expected a number from -1e+09 to 1e+09"},
      {WithAttribute(Base, "nation", "1.5"), "attribute \"nation\" has the value \"1.5\"; expected a whole number"},
      {WithoutAttribute(Base, "name_eng"), "attribute \"name_eng\" is missing"},
      {WithoutAttribute(Base, "category"), "attribute \"category\" is missing"},
  };
  for (const auto& C : Cases) {
    auto D = XMLFromText(C.XML, UnitsFile);
    std::string Message = DataErrorOf([&] { gUnitTypePool->LoadFromDocument(*D); });
    EXPECT_EQ(Message, "TUnitTypePool->LoadFromXML->\"data\\XML\\units.xml\" line 2, element <unit>: " + C.Expected)
        << C.XML;
  }
  // A failed load leaves the pool as it was.
  EXPECT_EQ(gUnitTypePool->Types.size(), 5u);
  EXPECT_EQ(gUnitTypePool->Types[0]->ID, "INF_LIGHT");
}

TEST_F(UnitTypeTest, NegativeValuesAndAnyNationLoad) {
  std::string XML = UnitXML();
  for (const auto& [Name, Value] : std::initializer_list<std::pair<const char*, const char*>>{
           {"defair", "-1"}, {"attground", "-2147483648"}, {"buildtime", "-3"}, {"moveradius", "-1"},
           {"roundcost", "-2"}, {"health", "-1e9"}, {"nation", "5"}})
    XML = WithAttribute(XML, Name, Value);
  XML = WithAttribute(XML, "ID", "");
  auto D = XMLFromText(XML, UnitsFile);
  ASSERT_EQ(DataErrorOf([&] { gUnitTypePool->LoadFromDocument(*D); }), "");
  const TUnitType& T = *gUnitTypePool->Types[0];
  EXPECT_EQ(T.DefAir, -1);
  EXPECT_EQ(T.AttGround, -2147483648);
  EXPECT_EQ(T.BuildTime, -3);
  EXPECT_EQ(T.MoveRadius, -1);
  EXPECT_FLOAT_EQ(T.RoundCost, -2.0f);
  EXPECT_FLOAT_EQ(T.Health, -1e9f);
  EXPECT_EQ(T.Nation, 5);
  EXPECT_EQ(gUnitTypePool->FindByID(""), &T);
  for (const char* Nation : {"7", "-1", "99"}) {
    auto Other = XMLFromText(WithAttribute(UnitXML(), "nation", Nation), UnitsFile);
    EXPECT_EQ(DataErrorOf([&] { gUnitTypePool->LoadFromDocument(*Other); }), "") << Nation;
  }
}

TEST_F(UnitTypeTest, DuplicateKeyIsRefusedAtItsSecondPlace) {
  std::string XML = UnitXML();
  std::string Second = UnitXML("", "inf_test");
  XML.insert(XML.find("</units>"), Second.substr(Second.find("  <unit"), Second.find("</units>") - Second.find("  <unit")));
  auto D = XMLFromText(XML, UnitsFile);
  EXPECT_EQ(DataErrorOf([&] { gUnitTypePool->LoadFromDocument(*D); }),
            "TUnitTypePool->LoadFromXML->\"data\\XML\\units.xml\" line 3, element <unit>: attribute \"ID\" has the value "
            "\"inf_test\"; an earlier unit type has this key");
}

TEST_F(UnitTypeTest, BrokenOrMissingFileThrowsAndKeepsThePool) {
  EXPECT_THROW(gUnitTypePool->LoadFromXML("data\\XML\\nothing.xml"), ETarnovaError);
  auto Broken = std::string("<units><unit ID=\"a\"></units>");
  EXPECT_THROW(XMLFromText(Broken, UnitsFile), EDataError);
  EXPECT_EQ(gUnitTypePool->Types.size(), 5u);
}

TEST_F(UnitTypeTest, PreviewTexturesFromTheTextureManagerByDefault) {
  TTextureManagerSwap Textures;
  gTextureManager->AddTextureByID("preview2d_unittype_3", 31);
  gTextureManager->AddTextureByID("preview2d_buildingtype_1", 41);
  TUnitTypePool Units;
  Units.LoadFromXML(UnitsFile);
  EXPECT_EQ(Units.Types[3]->PreviewTexture, 31u);
  EXPECT_EQ(Units.Types[0]->PreviewTexture, 0u);
  TBuildingTypePool Buildings;
  Buildings.LoadFromXML("data\\XML\\buildings.xml");
  EXPECT_EQ(Buildings.Types[1]->PreviewTexture, 41);
  EXPECT_EQ(Buildings.Types[2]->PreviewTexture, 0);
}
