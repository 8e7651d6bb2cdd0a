#include <gtest/gtest.h>

#include <cmath>

#include "engine/engine_globals.h"
#include "savegame_fixture.h"
#include "world/region_save.h"

namespace {
class RegionSave : public SavegameFixture {
protected:
  std::string Saved(const TRegion& R) {
    return SavedText([&](TXMLNode N) { R.SaveToXML(N); }, "regions");
  }
  // Loads the region element of a regions document into R; the error message or "".
  std::string Load(TRegion& R, const std::string& Text) {
    auto Document = XMLFromText(Text, "savegame.xml");
    return DataErrorOf([&] { R.LoadFromXML(Document->Root().FirstChild()); });
  }
  static std::string Replace(std::string Text, const std::string& From, const std::string& To) {
    const std::size_t At = Text.find(From);
    EXPECT_NE(At, std::string::npos) << From;
    if (At != std::string::npos) Text.replace(At, From.size(), To);
    return Text;
  }
};
}  // namespace

TEST_F(RegionSave, WritesTheElementsAndAttributesInOrder) {
  TRegion& R = Region(0);
  R.Buildings[0][1].Type = Building("building_bunker");
  R.Buildings[2][2].FinishType = Building("building_powerplant");
  R.Buildings[2][2].FinishTime = 3;
  R.StatusIcon = "gui_icon_underconstruction";
  R.Owner = 6;
  R.Growth = 0.125f;
  R.EnergyLast = -1.5f;
  EXPECT_EQ(Saved(R),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
            "<regions>\n"
            "  <region name=\"Northmark\" owner=\"6\" statusicon=\"gui_icon_underconstruction\">\n"
            "    <neighbors count=\"2\">\n"
            "      <neighbor ID=\"1\" />\n"
            "      <neighbor ID=\"2\" />\n"
            "    </neighbors>\n"
            "    <position3D x=\"0.1\" y=\"0.9\" z=\"0.2\" />\n"
            "    <buildings count=\"3\">\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"Bunker\" />\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n"
            "      <building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n"
            "      <building finishtime=\"3\" finishtype=\"Kraftwerk\" type=\"none\" />\n"
            "    </buildings>\n"
            "    <statistics ID=\"0\">\n"
            "      <population current=\"0.8\" last=\"0.8\" />\n"
            "      <populationgrowth current=\"0.125\" last=\"0\" />\n"
            "      <loyality current=\"0.5\" last=\"0.5\" />\n"
            "      <ressources current=\"0\" last=\"0\" />\n"
            "      <pollution current=\"0\" last=\"0\" />\n"
            "      <defense current=\"0.6\" last=\"0.6\" />\n"
            "      <energy current=\"0\" last=\"-1.5\" />\n"
            "    </statistics>\n"
            "  </region>\n"
            "</regions>\n");
}

TEST_F(RegionSave, RoundTripRestoresOwnerIconSlotsAndValuesAndSavesTheSameBytes) {
  TRegion& R = Region(2);
  R.Owner = 3;
  R.StatusIcon = "gui_icon_newbuilding";
  R.Buildings[1][0].Type = Building("building_greenhouse");
  R.Buildings[1][0].FinishType = Building("building_research");
  R.Buildings[1][0].FinishTime = 2;
  R.Population = 0.7f;
  R.PopulationLast = 0.69f;
  R.Pollution = std::nextafter(0.8f, 1.0f);  // just above a threshold of the round rules
  R.Loyality = std::nextafter(0.2f, 0.0f);   // just below one
  R.RessourcesLast = 1234.5678f;
  const std::string First = Saved(R);

  TRegion& Target = Region(4);  // another region object with other values
  Target.Buildings[0][0].Type = Building("building_bunker");
  Target.Buildings[2][1].FinishType = Building("building_bunker");
  ASSERT_EQ(Load(Target, First), "");
  EXPECT_EQ(Target.Owner, 3);
  EXPECT_EQ(Target.StatusIcon, "gui_icon_newbuilding");
  EXPECT_EQ(Target.Buildings[1][0].Type, Building("building_greenhouse"));
  EXPECT_EQ(Target.Buildings[1][0].FinishType, Building("building_research"));
  EXPECT_EQ(Target.Buildings[1][0].FinishTime, 2);
  // A saved empty slot reads back empty even where the region had a building or construction.
  EXPECT_EQ(Target.Buildings[0][0].Type, nullptr);
  EXPECT_EQ(Target.Buildings[2][1].FinishType, nullptr);
  EXPECT_EQ(Target.Pollution, R.Pollution);
  EXPECT_TRUE(Target.Pollution > 0.8f);
  EXPECT_EQ(Target.Loyality, R.Loyality);
  EXPECT_TRUE(Target.Loyality < 0.2f);
  EXPECT_EQ(Target.RessourcesLast, 1234.5678f);
  EXPECT_EQ(Target.PopulationLast, 0.69f);
  // Identity, names and neighbours come from the region data file, not from the savegame.
  EXPECT_EQ(Target.ID, 4);
  EXPECT_EQ(Target.GetName(), "Redwood");
  Target.ID = R.ID;
  Target.Names = R.Names;
  Target.Neighbours = R.Neighbours;
  Target.Position3D = R.Position3D;
  EXPECT_EQ(Saved(Target), First);
}

TEST_F(RegionSave, BuildingsAreFoundByTheirFirstLanguageNameInAnyLanguage) {
  Region(0).Buildings[0][0].Type = Building("building_greenhouse");
  gLocalization.LanguageIndex = 0;
  const std::string German = Saved(Region(0));
  EXPECT_NE(German.find("type=\"Gew\xE4" "chshaus\""), std::string::npos);
  gLocalization.LanguageIndex = 1;
  Region(0).Buildings[0][0].Type = nullptr;
  ASSERT_EQ(Load(Region(0), German), "");
  EXPECT_EQ(Region(0).Buildings[0][0].Type, Building("building_greenhouse"));
}

TEST_F(RegionSave, ABuildingTypeGoneFromTheDataLeavesItsSlotEmptyAndTheRestLoads) {
  TRegion& R = Region(0);
  R.Buildings[1][1].Type = Building("building_bunker");
  R.Buildings[2][2].FinishType = Building("building_powerplant");
  R.Buildings[2][2].FinishTime = 3;
  R.Owner = 6;
  const std::string Text = Replace(Saved(R), "type=\"Bunker\"", "type=\"Castle\"");
  R.Owner = 1;
  const std::size_t Logged = Log.Lines().size();
  ASSERT_EQ(Load(R, Text), "");
  EXPECT_EQ(R.Buildings[1][1].Type, nullptr);
  EXPECT_EQ(R.Buildings[2][2].FinishType, Building("building_powerplant"));
  EXPECT_EQ(R.Owner, 6);
  ASSERT_EQ(Log.Lines().size(), Logged + 1);
  const std::string& Line = Log.Lines().back();
  EXPECT_EQ(Line.rfind("TRegion->LoadFromXML->\"savegame.xml\" line ", 0), 0u) << Line;
  EXPECT_NE(Line.find("element <building>: attribute \"type\" has the value \"Castle\""), std::string::npos) << Line;
}

TEST_F(RegionSave, MissingStatusIconGivesNoneAndTheSpyLinkIsDropped) {
  const std::string Text = Replace(Saved(Region(1)), " statusicon=\"\"", "");
  Region(1).StatusIcon = "gui_icon_newbuilding";
  TSpy Spy;
  Region(1).Spy = &Spy;
  ASSERT_EQ(Load(Region(1), Text), "");
  EXPECT_EQ(Region(1).StatusIcon, "");
  EXPECT_EQ(Region(1).Spy, nullptr);
}

TEST_F(RegionSave, BadValuesAreRefusedAndLeaveTheRegionAsItWas) {
  TRegion& R = Region(0);
  R.Buildings[1][1].Type = Building("building_bunker");
  const std::string Good = Saved(R);
  R.Population = 0.25f;
  R.Owner = 1;
  const std::string Before = Saved(R);
  struct TCase {
    std::string From, To, Message;
  };
  const TCase Cases[] = {
      {"owner=\"0\"", "owner=\"7\"", "attribute \"owner\" has the value \"7\"; expected a whole number from 0 to 6"},
      {"owner=\"0\"", "owner=\"-1\"", "attribute \"owner\" has the value \"-1\""},
      {"owner=\"0\"", "owner=\"nobody\"", "attribute \"owner\" has the value \"nobody\"; expected a whole number"},
      {"finishtime=\"0\" finishtype=\"none\" type=\"Bunker\"", "finishtime=\"x\" finishtype=\"none\" type=\"Bunker\"",
       "attribute \"finishtime\" has the value \"x\""},
      {"<population current=\"0.8\"", "<population current=\"0,8\"", "attribute \"current\" has the value \"0,8\""},
      {"<energy current=\"0\" last=\"0\" />", "<energy current=\"0\" />", "attribute \"last\" is missing"},
      {"<building finishtime=\"0\" finishtype=\"none\" type=\"none\" />\n    </buildings>", "</buildings>",
       "8 building elements, expected 9"},
      {"<defense current=\"0.6\" last=\"0.6\" />", "", "element <defense> is missing"},
  };
  for (const TCase& C : Cases) {
    const std::string Message = Load(R, Replace(Good, C.From, C.To));
    EXPECT_NE(Message.find(C.Message), std::string::npos) << Message;
    EXPECT_EQ(Message.rfind("TRegion->LoadFromXML->\"savegame.xml\" line ", 0), 0u) << Message;
    EXPECT_EQ(Saved(R), Before) << C.To;
  }
}

TEST_F(RegionSave, ReadingAloneChangesNothing) {
  Region(0).Owner = 6;
  const std::string Text = Saved(Region(0));
  Region(0).Owner = 2;
  auto Document = XMLFromText(Text, "savegame.xml");
  TRegionSaveState State = ReadRegionState(Document->Root().FirstChild());
  EXPECT_EQ(State.Owner, 6);
  EXPECT_EQ(Region(0).Owner, 2);
  ApplyRegionState(Region(0), std::move(State));
  EXPECT_EQ(Region(0).Owner, 6);
}
