#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "type_fixture.h"

namespace {
using BuildingTypeTest = TypesFixture;

const char* const BuildingsFile = "data\\XML\\buildings.xml";

std::string BuildingXML(const std::string& Attributes, const std::string& Children = "") {
  return "<buildings>\n  <building " + Attributes + ">" + Children + "</building>\n</buildings>\n";
}
const std::string GoodAttributes =
    "nameger=\"Test\" nameeng=\"Test EN\" model3d=\"m\" buildcost=\"5\" buildtime=\"1\" category=\"0\" nation=\"0\" "
    "neededtechID=\"\"";

std::vector<TBuildingEffect> Parse(const TStringList& Lines) {
  return TBuildingTypePool::ParseEffects(Lines, gScriptManager->Variables);
}
}  // namespace

TEST_F(BuildingTypeTest, LoadsFileTypesThenTheUnidentifiedType) {
  auto& Types = gBuildingTypePool->Types;
  ASSERT_EQ(Types.size(), 7u);
  const TBuildingType& P = *Types[0];
  EXPECT_EQ(P.Names, (TStringList{"Kraftwerk", "Power plant"}));
  EXPECT_EQ(P.ID, "building_powerplant");
  EXPECT_EQ(P.BuildCost, 300);
  EXPECT_EQ(P.BuildTime, 4);
  EXPECT_EQ(P.Category, 2);
  EXPECT_EQ(P.Nation, 0);
  EXPECT_EQ(P.NeededTechID, "tech_energy");
  EXPECT_EQ(P.Description, (TStringList{"#GER", "Liefert Energie.", "#ENG", "Delivers energy."}));
  EXPECT_EQ(P.RoundScript, (TStringList{"region.energy +++", "region.pollution ++"}));
  EXPECT_TRUE(P.FinishScript.empty());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Types[i]->Number, i);
  EXPECT_EQ(Types[1]->Names[0], "Gew\xE4" "chshaus");
  EXPECT_EQ(Types[5]->ID, "building_dummy");  // empty "model3d"

  const TBuildingType& U = *Types[6];
  EXPECT_EQ(gBuildingTypePool->UnknownType(), &U);
  EXPECT_EQ(U.Names, (TStringList{"Unidentifiziertes Geb\xE4ude", "Unidentified building"}));
  EXPECT_EQ(U.ID, "building_unknown");
  EXPECT_EQ(U.Category, -1);
  EXPECT_EQ(U.NeededTechID, "never_ever");
  EXPECT_EQ(U.Nation, -1);
  EXPECT_EQ(U.Number, -1);
  EXPECT_TRUE(U.Effects.empty());
}

TEST_F(BuildingTypeTest, EffectsFromTheRoundScript) {
  const TBuildingType& P = *gBuildingTypePool->Types[0];
  ASSERT_EQ(P.Effects.size(), 2u);
  EXPECT_EQ(P.Effects[0].Name, "region.energy");
  EXPECT_EQ(P.Effects[0].Value, 3);
  EXPECT_EQ(P.Effects[0].TextKey, "szStrEffect6");
  EXPECT_EQ(P.Effects[0].Icon, "gui_icon_energy");
  EXPECT_EQ(P.Effects[1].Name, "region.pollution");
  EXPECT_EQ(P.Effects[1].Value, 2);
  EXPECT_EQ(P.Effects[1].Icon, "nuclear");
  EXPECT_EQ(P.GetEffectValue("REGION.ENERGY"), 3);
  EXPECT_EQ(P.GetEffectValue("region.growth"), -1);  // absent: -1, not 0
  EXPECT_EQ(gBuildingTypePool->Types[1]->GetEffectValue("region.energy"), -1);  // present with value -1
  EXPECT_EQ(gBuildingTypePool->Types[1]->GetEffectValue("region.growth"), 2);
}

TEST_F(BuildingTypeTest, EffectParsingRules) {
  struct Case {
    std::string Line;
    std::string Name;
    int Value;
  } Cases[] = {
      {"region.growth ++", "region.growth", 2},
      {"region.pollution -", "region.pollution", -1},
      {"region.energy + - +", "region.energy", 1},
      {"region.energy", "region.energy", 0},
      {"-- region.defense +", "region.defense", 1},  // signs before the variable do not count
      // Both named: the later variable in the registry wins, counted after its first occurrence.
      {"region.growth + region.energy ++", "region.energy", 2},
      {"region.energy + region.growth ++", "region.energy", 3},
      {"region.energy ++ region.energy -", "region.energy", 1},
      {"region.maxpopulation +", "region.maxpopulation", 1},
      {"global.science.military +++", "global.science.military", 3},
  };
  for (const auto& C : Cases) {
    auto E = Parse({C.Line});
    ASSERT_EQ(E.size(), 1u) << C.Line;
    EXPECT_EQ(E[0].Name, C.Name) << C.Line;
    EXPECT_EQ(E[0].Value, C.Value) << C.Line;
  }
  EXPECT_TRUE(Parse({"", "nothing here ++", "Region.Growth ++"}).empty());  // case-sensitive
  EXPECT_TRUE(TBuildingTypePool::ParseEffects({"region.growth ++"}, {}).empty());
}

TEST_F(BuildingTypeTest, TextKeysAndIconsOnlyForTheFirstTwelve) {
  const auto& V = gScriptManager->Variables;
  for (std::size_t i = 0; i < V.size(); ++i) {
    auto E = Parse({V[i] + " +"});
    ASSERT_EQ(E.size(), 1u);
    if (i < 12) {
      EXPECT_EQ(E[0].TextKey, "szStrEffect" + std::to_string(i));
      EXPECT_FALSE(E[0].Icon.empty()) << V[i];
    } else {
      EXPECT_EQ(E[0].TextKey, "") << V[i];
      EXPECT_EQ(E[0].Icon, "") << V[i];
    }
  }
}

TEST_F(BuildingTypeTest, NoVariablesGiveNoEffects) {
  TBuildingTypePool Pool;
  Pool.LoadFromXML(BuildingsFile);
  EXPECT_TRUE(Pool.Types[0]->Effects.empty());
  EXPECT_EQ(Pool.Types[0]->RoundScript.size(), 2u);
}

TEST_F(BuildingTypeTest, FindByNameCurrentLanguageThenFirst) {
  auto& P = *gBuildingTypePool;
  EXPECT_EQ(P.FindByName("kraftwerk"), P.Types[0].get());
  EXPECT_EQ(P.FindByName("Power plant"), nullptr);  // German active: English names are not looked at
  gLocalization.LanguageIndex = 1;
  EXPECT_EQ(P.FindByName("POWER PLANT"), P.Types[0].get());
  EXPECT_EQ(P.FindByName("Kraftwerk"), P.Types[0].get());  // a savegame's first-language name
  EXPECT_EQ(P.FindByName("Unidentifiziertes Geb\xE4ude"), P.Types[6].get());
  EXPECT_EQ(P.FindByName("Castle"), nullptr);
}

TEST_F(BuildingTypeTest, FindByIDAndNumber) {
  auto& P = *gBuildingTypePool;
  EXPECT_EQ(P.FindByID("BUILDING_BUNKER"), P.Types[4].get());
  EXPECT_EQ(P.FindByID("building_unknown"), P.Types[6].get());
  EXPECT_EQ(P.FindByID("building_castle"), nullptr);
  EXPECT_EQ(P.FindByNumber(-1), P.Types[6].get());
  EXPECT_EQ(P.FindByNumber(0), P.Types[0].get());
  EXPECT_EQ(P.FindByNumber(5), P.Types[5].get());
  EXPECT_EQ(P.FindByNumber(6), nullptr);
  EXPECT_EQ(P.FindByNumber(-2), nullptr);
}

TEST_F(BuildingTypeTest, PreviewTexturesByArrayIndexIncludingTheUnknownType) {
  TBuildingTypePool Pool;
  Pool.LoadFromXML(BuildingsFile, [](const std::string& Name) -> std::uint32_t {
    if (Name == "preview2d_buildingtype_0") return 11;
    if (Name == "preview2d_buildingtype_6") return 12;
    return 0;
  });
  EXPECT_EQ(Pool.Types[0]->PreviewTexture, 11);
  EXPECT_EQ(Pool.Types[3]->PreviewTexture, 0);
  EXPECT_EQ(Pool.Types[6]->PreviewTexture, 12);
}

TEST_F(BuildingTypeTest, EachFaultNamesFileLineElementAndValue) {
  auto With = [](const std::string& Name, const std::string& Value) {
    std::string A = GoodAttributes;
    std::string Key = Name + "=\"";
    std::size_t At = A.find(Key);
    std::size_t End = A.find('"', At + Key.size());
    return A.replace(At + Key.size(), End - At - Key.size(), Value);
  };
  struct Case {
    std::string Attributes;
    std::string Expected;
  } Cases[] = {
      {With("buildcost", "12.5"), "attribute \"buildcost\" has the value \"12.5\"; expected a whole number"},
      {With("buildtime", "1e3"), "attribute \"buildtime\" has the value \"1e3\"; expected a whole number"},
      {With("category", "seven"), "attribute \"category\" has the value \"seven\"; expected a whole number"},
      {With("nation", "one"), "attribute \"nation\" has the value \"one\"; expected a whole number"},
      {With("nameger", "none"), "the building name \"none\" stands for an empty slot in savegames"},
      {"nameger=\"a\" model3d=\"m\" buildcost=\"5\" buildtime=\"1\" category=\"0\" nation=\"0\" neededtechID=\"\"",
       "attribute \"nameeng\" is missing"},
      {With("nameger", "unidentified BUILDING"),
       "the building name \"Unidentified building\" is also a name of the unidentified building; savegames could "
       "not tell them apart"},
  };
  for (const auto& C : Cases) {
    auto D = XMLFromText(BuildingXML(C.Attributes), BuildingsFile);
    EXPECT_EQ(DataErrorOf([&] { gBuildingTypePool->LoadFromDocument(*D); }),
              "TBuildingTypePool->LoadFromXML->\"data\\XML\\buildings.xml\" line 2, element <building>: " + C.Expected);
  }
  EXPECT_EQ(gBuildingTypePool->Types.size(), 7u);  // unchanged by the failed loads
  EXPECT_EQ(gBuildingTypePool->Types[0]->Effects.size(), 2u);
}

TEST_F(BuildingTypeTest, CategoriesBeyondTheEightAndNegativeNumbersLoad) {
  auto D = XMLFromText(BuildingXML("nameger=\"Tor\" nameeng=\"\" model3d=\"m\" buildcost=\"-5\" buildtime=\"-2\""
                                   " category=\"8\" nation=\"-3\" neededtechID=\"\""),
                       BuildingsFile);
  ASSERT_EQ(DataErrorOf([&] { gBuildingTypePool->LoadFromDocument(*D); }), "");
  const TBuildingType& T = *gBuildingTypePool->Types[0];
  EXPECT_EQ(T.Category, 8);
  EXPECT_EQ(T.BuildCost, -5);
  EXPECT_EQ(T.BuildTime, -2);
  EXPECT_EQ(T.Names[1], "");
  auto Negative = XMLFromText(BuildingXML("nameger=\"Tor\" nameeng=\"Gate\" model3d=\"m\" buildcost=\"1\" buildtime=\"1\""
                                          " category=\"-7\" nation=\"0\" neededtechID=\"\""),
                              BuildingsFile);
  ASSERT_EQ(DataErrorOf([&] { gBuildingTypePool->LoadFromDocument(*Negative); }), "");
  EXPECT_EQ(gBuildingTypePool->Types[0]->Category, -7);
}

TEST_F(BuildingTypeTest, NamesThatSavegamesCouldConfuseAreRefused) {
  // The second type's English name is the first type's German name: a game saved with the first
  // type and loaded in English would find the second.
  std::string XML = "<buildings>\n"
                    "  <building nameger=\"Turm\" nameeng=\"Tower\" model3d=\"a\" buildcost=\"1\" buildtime=\"1\""
                    " category=\"0\" nation=\"0\" neededtechID=\"\"/>\n"
                    "  <building nameger=\"Wachturm\" nameeng=\"turm\" model3d=\"b\" buildcost=\"1\" buildtime=\"1\""
                    " category=\"0\" nation=\"0\" neededtechID=\"\"/>\n"
                    "</buildings>\n";
  auto D = XMLFromText(XML, BuildingsFile);
  EXPECT_EQ(DataErrorOf([&] { gBuildingTypePool->LoadFromDocument(*D); }),
            "TBuildingTypePool->LoadFromXML->\"data\\XML\\buildings.xml\" line 3, element <building>: the building "
            "name \"turm\" is also a name of the type at \"data\\XML\\buildings.xml\" line 2, element <building>; "
            "savegames could not tell them apart");
  // The same name in both languages of one type is fine.
  auto Same = XMLFromText(BuildingXML("nameger=\"Bunker\" nameeng=\"Bunker\" model3d=\"m\" buildcost=\"5\" buildtime=\"1\""
                                      " category=\"0\" nation=\"0\" neededtechID=\"\""),
                          BuildingsFile);
  gBuildingTypePool->LoadFromDocument(*Same);
  EXPECT_EQ(gBuildingTypePool->Types.size(), 2u);
}

TEST_F(BuildingTypeTest, EffectsBoxSize) {
  gLocalization.AddKey("szStrEffect6", "Energie", "Energy");
  gLocalization.AddKey("szStrEffect5", "Verschmutzung", "Pollution");
  auto SixPerLetter = [](const std::string& Text) { return 6.0f * static_cast<float>(Text.size()); };
  std::int32_t W = 0, H = 0;
  const TBuildingType& Plant = *gBuildingTypePool->Types[0];  // energy +3, pollution +2
  Plant.MeasureEffects(SixPerLetter, W, H);
  EXPECT_EQ(H, (2 + 3) * 15 + 5);
  // "Verschmutzung": 78 + 28 + 7 + 28 = 141 > 128 -> 156; "Energie" 42 + 35 + 42 = 119 first stays below.
  EXPECT_EQ(W, 156);
  // A long name widens the box: 6 x 25 = 150 -> 165.
  TBuildingType Long;
  Long.Names = {"Ein sehr langer Name xxxx", "x"};
  Long.MeasureEffects(SixPerLetter, W, H);
  EXPECT_EQ(W, 165);
  EXPECT_EQ(H, 50);
  // Width 128.5 rounds half to even: 128 + 15.
  Long.MeasureEffects([](const std::string&) { return 128.5f; }, W, H);
  EXPECT_EQ(W, 143);
  Long.MeasureEffects([](const std::string&) { return 128.0f; }, W, H);
  EXPECT_EQ(W, 128);
  // A variable without a text shows none.
  EXPECT_EQ(TBuildingType::EffectText(TBuildingEffect{"unit.attack.ground", "", "", 2}), "");
  EXPECT_EQ(TBuildingType::EffectText(Plant.Effects[0]), "Energie");
}
