#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "type_fixture.h"

namespace {
using TechnologyTest = TypesFixture;

const char* const TechFile = "data\\XML\\technologies.xml";

std::string Tech(const std::string& ID, const std::string& Prerequisites = "", const std::string& Extra = "") {
  return "  <technology nameger=\"" + ID + "\" nameeng=\"" + ID + "\" image=\"\" researchtime=\"10\" category=\"0\" ID=\"" +
         ID + "\"" + Extra + "><prerequisites>" + Prerequisites + "</prerequisites></technology>\n";
}
std::string Techs(const std::string& Body) { return "<technologies>\n" + Body + "</technologies>\n"; }
std::string Needs(const std::string& ID) { return "<prerequisite ID=\"" + ID + "\"/>"; }
}  // namespace

TEST_F(TechnologyTest, LoadsEveryTechnologyInFileOrder) {
  ASSERT_EQ(Tree->Technologies.size(), 5u);
  const TTechnology& B = *Tree->Technologies[0];
  EXPECT_EQ(B.Names, (TStringList{"Grundlagen", "Basics"}));
  EXPECT_EQ(B.ID, "tech_basics");
  EXPECT_EQ(B.Image, "technology_default");  // empty "image"
  EXPECT_FLOAT_EQ(B.ResearchTime, 100.5f);
  EXPECT_EQ(B.Category, 0);
  EXPECT_FALSE(B.Researched);
  EXPECT_TRUE(B.Prerequisites.empty());
  EXPECT_EQ(B.Description, (TStringList{"#GER", "Die Grundlagen.", "#ENG", "The basics."}));
  EXPECT_TRUE(B.RoundScript.empty());
  EXPECT_EQ(B.Tree, Tree.get());
  const TTechnology& A = *Tree->Technologies[1];
  EXPECT_EQ(A.Image, "tech_armour");
  EXPECT_EQ(A.Category, 1);
  EXPECT_EQ(A.RoundScript, (TStringList{"unit.infantry.attack.ground +25%", "unit.infantry.health +10%"}));
  EXPECT_EQ(A.FinishScript, (TStringList{"nothing"}));
  EXPECT_EQ(Tree->Technologies[4]->Prerequisites, (TStringList{"tech_energy", "tech_basics"}));
  EXPECT_EQ(Tree->Current, nullptr);
}

TEST_F(TechnologyTest, LookupsAndResearchState) {
  EXPECT_EQ(Tree->FindByName("TECH_OPTICS"), Tree->Technologies[2].get());
  EXPECT_EQ(Tree->FindByName("tech_none"), nullptr);
  EXPECT_TRUE(Tree->IsResearched(""));  // types without a needed technology are always available
  EXPECT_FALSE(Tree->IsResearched("tech_none"));
  EXPECT_FALSE(Tree->IsResearched("tech_energy"));
  Research("tech_energy");
  EXPECT_TRUE(Tree->IsResearched("Tech_Energy"));
}

TEST_F(TechnologyTest, PrerequisitesMet) {
  TTechnology& Fusion = *Tree->FindByName("tech_fusion");
  TTechnology& Optics = *Tree->FindByName("tech_optics");
  EXPECT_TRUE(Tree->FindByName("tech_basics")->PrerequisitesMet());  // none
  EXPECT_FALSE(Fusion.PrerequisitesMet());
  Research("tech_energy");
  EXPECT_FALSE(Fusion.PrerequisitesMet());
  Research("tech_basics");
  EXPECT_TRUE(Fusion.PrerequisitesMet());
  EXPECT_TRUE(Optics.PrerequisitesMet());  // its key is written "TECH_BASICS": letter case is ignored
  // A key that names no technology is not met (the loader refuses such files; this is the guard).
  Fusion.Prerequisites.push_back("tech_gone");
  EXPECT_FALSE(Fusion.PrerequisitesMet());
}

TEST_F(TechnologyTest, ResetLeavesThePointsAndStartingResearchTakesTheFullTime) {
  TTechnology& A = *Tree->FindByName("tech_armour");
  A.RemainingPoints = 120;
  Tree->Current = &A;
  Research("tech_basics");
  Tree->Reset();
  EXPECT_EQ(Tree->Current, nullptr);
  EXPECT_FALSE(Tree->IsResearched("tech_basics"));
  EXPECT_FLOAT_EQ(A.RemainingPoints, 120);
  // Started again it needs its full time: after a reset, set aside half done, or as the
  // current research.
  A.StartResearch();
  EXPECT_EQ(Tree->Current, &A);
  EXPECT_FLOAT_EQ(A.RemainingPoints, A.ResearchTime);
  A.RemainingPoints = 7;
  Tree->FindByName("tech_basics")->StartResearch();
  A.StartResearch();
  EXPECT_FLOAT_EQ(A.RemainingPoints, A.ResearchTime);
  A.RemainingPoints = 7;
  A.StartResearch();
  EXPECT_FLOAT_EQ(A.RemainingPoints, A.ResearchTime);
}

TEST_F(TechnologyTest, EachTreeHasItsOwnState) {
  TTechnologyTree Other;
  Other.LoadFromXML(TechFile);
  Research("tech_basics");
  EXPECT_FALSE(Other.IsResearched("tech_basics"));
  EXPECT_EQ(Other.Technologies[0]->Tree, &Other);
}

TEST_F(TechnologyTest, ReloadForgetsTheCurrentTechnology) {
  Tree->Current = Tree->Technologies[1].get();
  Tree->LoadFromXML(TechFile);
  EXPECT_EQ(Tree->Current, nullptr);
}

TEST_F(TechnologyTest, LeadsToTechnologiesThenBuildingsThenUnits) {
  TStringList List;
  EXPECT_TRUE(Tree->FindByName("tech_basics")->GetLeadsTo(List));
  // "TECH_BASICS" in tech_optics is not this ID exactly, so optics is not listed.
  EXPECT_EQ(List, (TStringList{"technology", "F\xFChrt zu Panzerung", "tech_armour",      //
                               "technology", "F\xFChrt zu Fusion", "tech_fusion",         //
                               "building", "Erm\xF6glicht Forschungszentrum", "preview2d_buildingtype_2"}));
  gLocalization.LanguageIndex = 1;
  EXPECT_TRUE(Tree->FindByName("tech_optics")->GetLeadsTo(List));
  EXPECT_EQ(List, (TStringList{"building", "Unlocks building Air defence", "preview2d_buildingtype_3",  //
                               "unit", "Unlocks unit Fighter", "preview2d_unittype_2"}));
}

TEST_F(TechnologyTest, LeadsToNothingLeavesTheListEmpty) {
  TStringList List = {"old"};
  EXPECT_FALSE(Tree->FindByName("tech_fusion")->GetLeadsTo(List));
  EXPECT_TRUE(List.empty());
}

TEST_F(TechnologyTest, EachFaultNamesFileLineElementAndValue) {
  struct Case {
    std::string XML;
    std::string Expected;
  } Cases[] = {
      {Techs(Tech("a", "<prerequisite/>")), "line 2, element <prerequisite>: attribute \"ID\" is missing"},
      {Techs(Tech("a") + Tech("A")), "line 3, element <technology>: attribute \"ID\" has the value \"A\"; an earlier "
                                     "technology has this key"},
  };
  for (const auto& C : Cases) {
    auto D = XMLFromText(C.XML, TechFile);
    EXPECT_EQ(DataErrorOf([&] { Tree->LoadFromDocument(*D); }),
              "TTechnologyTree->LoadFromXML->\"data\\XML\\technologies.xml\" " + C.Expected);
  }
  auto Attribute = [](const std::string& Name, const std::string& Value) {
    std::string T = Techs(Tech("a"));
    std::string Key = " " + Name + "=\"";
    std::size_t At = T.find(Key);
    std::size_t End = T.find('"', At + Key.size());
    return T.replace(At + Key.size(), End - At - Key.size(), Value);
  };
  struct AttributeCase {
    std::string Name, Value, Expected;
  } Attributes[] = {
      {"researchtime", "1,5", "expected a number such as 12.5"},
      {"researchtime", "inf", "expected a number such as 12.5"},
      {"category", "4294967296", "expected a whole number"},
      {"category", "civil", "expected a whole number"},
      {"ID", "none", "\"none\" stands for no research in savegames"},
  };
  for (const auto& C : Attributes) {
    auto D = XMLFromText(Attribute(C.Name, C.Value), TechFile);
    EXPECT_EQ(DataErrorOf([&] { Tree->LoadFromDocument(*D); }),
              "TTechnologyTree->LoadFromXML->\"data\\XML\\technologies.xml\" line 2, element <technology>: attribute \"" +
                  C.Name + "\" has the value \"" + C.Value + "\"; " + C.Expected);
  }
  EXPECT_EQ(Tree->Technologies.size(), 5u);  // the tree is as it was
  EXPECT_EQ(Tree->Technologies[0]->ID, "tech_basics");
}

TEST_F(TechnologyTest, UnknownAndCircularPrerequisitesOnlyBarResearch) {
  std::string Negative = Tech("e");
  Negative.replace(Negative.find("researchtime=\"10\""), 17, "researchtime=\"-4\"");
  auto D = XMLFromText(Techs(Tech("a", Needs("b")) + Tech("b", Needs("a")) + Tech("c", Needs("ghost")) +
                             Tech("d", Needs("d")) + Negative),
                       TechFile);
  ASSERT_EQ(DataErrorOf([&] { Tree->LoadFromDocument(*D); }), "");
  ASSERT_EQ(Tree->Technologies.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_FALSE(Tree->Technologies[i]->PrerequisitesMet()) << i;
  EXPECT_FLOAT_EQ(Tree->Technologies[4]->ResearchTime, -4.0f);
  // Researching one of the circle opens the other.
  Tree->Technologies[0]->Researched = true;
  EXPECT_TRUE(Tree->Technologies[1]->PrerequisitesMet());
}

TEST_F(TechnologyTest, LoadersLogTheirFile) {
  EXPECT_EQ(Log.Lines().at(0), "TTechnologyTree->LoadFromXML->Loading from data\\XML\\technologies.xml");
  EXPECT_EQ(Log.Lines().at(1), "TUnitTypePool->LoadFromXML->Loading from data\\XML\\units.xml");
  EXPECT_EQ(Log.Lines().at(2), "TBuildingTypePool->LoadFromXML->Loading from data\\XML\\buildings.xml");
}
