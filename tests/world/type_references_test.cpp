#include <gtest/gtest.h>

#include "type_fixture.h"
#include "world/type_references.h"

namespace {
class TypeReferencesTest : public TypesFixture {
protected:
  std::string Check() { return DataErrorOf([&] { CheckTypeReferences(*Tree, *gUnitTypePool, *gBuildingTypePool); }); }
  std::string UnitsWhere(int Line) {
    return "CheckTypeReferences->\"" + FixtureFolder() + "/data/XML/units.xml\" line " + std::to_string(Line) +
           ", element <unit>: ";
  }
};
}  // namespace

TEST_F(TypeReferencesTest, TheFixtureDataSetIsWhole) { EXPECT_EQ(Check(), ""); }

TEST_F(TypeReferencesTest, NeededTechnologyMustExist) {
  gUnitTypePool->Types[1]->NeededTechID = "tech_lost";
  EXPECT_EQ(Check(), UnitsWhere(12) + "attribute \"neededtechID\" has the value \"tech_lost\"; expected the key of a technology");
  gUnitTypePool->Types[1]->NeededTechID = "TECH_ARMOUR";  // keys ignore letter case
  EXPECT_EQ(Check(), "");
  gBuildingTypePool->Types[0]->NeededTechID = "tech_lost";
  EXPECT_NE(Check().find("/data/XML/buildings.xml\" line 4, element <building>: attribute \"neededtechID\" has the "
                         "value \"tech_lost\"; expected the key of a technology"),
            std::string::npos);
}

TEST_F(TypeReferencesTest, TheUnknownBuildingNeedsNoRealTechnology) {
  EXPECT_EQ(gBuildingTypePool->UnknownType()->NeededTechID, "never_ever");
  EXPECT_EQ(Check(), "");
}

TEST_F(TypeReferencesTest, UnitTypesTheRulesNameMustExist) {
  for (const char* ID : {"INF_LIGHT", "INF_HEAVY", "AIR_FIGHTER", "MOB_ENVCHANGER"}) {
    TUnitType* T = gUnitTypePool->FindByID(ID);
    T->ID = "renamed";
    EXPECT_EQ(Check(), "CheckTypeReferences->\"" + FixtureFolder() + "/data/XML/units.xml\": the unit type \"" + ID +
                           "\" is missing; the game needs it");
    T->ID = ID;
  }
  gUnitTypePool->FindByID("REB_MILITIA")->Nation = 0;
  EXPECT_EQ(Check(), "CheckTypeReferences->\"" + FixtureFolder() +
                         "/data/XML/units.xml\": no unit type of nation 6; regions held by rebels need one");
}

TEST_F(TypeReferencesTest, BuildingTypesTheRulesNameMustExist) {
  for (const char* ID : {"building_airdefense", "building_bunker"}) {
    TBuildingType* T = gBuildingTypePool->FindByID(ID);
    T->ID = "renamed";
    EXPECT_EQ(Check(), "CheckTypeReferences->\"" + FixtureFolder() + "/data/XML/buildings.xml\": the building type \"" +
                           ID + "\" is missing; the game needs it");
    T->ID = ID;
  }
}
