#include <gtest/gtest.h>

#include "type_fixture.h"
#include "world/type_references.h"

namespace {
class TypeReferencesTest : public TypesFixture {
protected:
  std::string Check() { return DataErrorOf([&] { CheckTypeReferences(*Tree, *gUnitTypePool, *gBuildingTypePool); }); }
};
}  // namespace

TEST_F(TypeReferencesTest, TheFixtureDataSetIsWhole) { EXPECT_EQ(Check(), ""); }

TEST_F(TypeReferencesTest, AnUnknownNeededTechnologyOnlyKeepsTheTypeUnavailable) {
  gUnitTypePool->Types[1]->NeededTechID = "tech_lost";
  gBuildingTypePool->Types[0]->NeededTechID = "tech_lost";
  EXPECT_EQ(Check(), "");
  for (auto& T : Tree->Technologies) T->Researched = true;
  EXPECT_FALSE(Tree->IsResearched("tech_lost"));
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
