#include <gtest/gtest.h>

#include <cmath>

#include "savegame_fixture.h"
#include "world/nation_save.h"
#include "world/unit_type.h"

namespace {
class NationSave : public SavegameFixture {
protected:
  std::string Saved(const TNation& N) {
    return SavedText([&](TXMLNode Nations) { N.SaveToXML(Nations); }, "nations");
  }
  // Loads the first nation element of a "nations" document into N; the error message or "".
  std::string Load(TNation& N, const std::string& Text) {
    auto Document = XMLFromText(Text, "savegame.xml");
    return DataErrorOf([&] { N.LoadFromXML(Document->Root().FirstChild()); });
  }
  static std::string Replace(std::string Text, const std::string& From, const std::string& To) {
    const std::size_t At = Text.find(From);
    EXPECT_NE(At, std::string::npos) << From;
    if (At != std::string::npos) Text.replace(At, From.size(), To);
    return Text;
  }

  TGeneral* HireGeneral(TNation& N, const std::string& Name, float Attack) {
    TGeneral Offer;
    Offer.Name = Name;
    Offer.Attack = Attack;
    Offer.Cost = 100;
    Offer.Wage = 5;
    Offer.Image = "staff_general_1";
    return N.AddGeneral(Offer);
  }

  // Nation 1 with something of everything: staff, an infiltrated spy with reports, three
  // divisions (two led by generals of the same name), units in and out of divisions, a build
  // queue, research under way and done, a hot-seat view.
  void Populate(TNation& N) {
    N.PlayerName = "Ada";
    N.Score = 135;
    N.AIControlled = true;
    N.AIPersonality = 2;
    N.AIDifficulty = 1;
    N.Ressources = 1234.5678f;
    N.RessourcesLast = std::nextafter(1000.0f, 0.0f);
    N.ResearchCivil = 0.3f;
    N.ResearchMilitaryLast = 2.25f;
    TScientist Scientist;
    Scientist.Name = "Curt Weiss";
    Scientist.Cost = 240;
    Scientist.Wage = 12;
    Scientist.Military = 33.5f;
    Scientist.Civil = 71.25f;
    Scientist.Image = "staff_scientist_2";
    N.AddScientist(Scientist);
    TGeneral* First = HireGeneral(N, "Anna Berg", 10.0f);
    TGeneral* Second = HireGeneral(N, "Anna Berg", 90.0f);
    HireGeneral(N, "Otto Lang", 50.0f);
    TSpy Offer;
    Offer.Name = "Eva Stern";
    Offer.Image = "staff_spy_1";
    Offer.Cost = 90;
    Offer.Wage = 4;
    Offer.Espionage = 40.0f;
    Offer.Sabotage = 12.5f;
    Offer.Hiding = 99.0f;
    Offer.ResetBuildingData();
    TSpy* Spy = N.AddSpy(Offer);
    Spy->Region = &Region(3);
    Region(3).Spy = Spy;
    Spy->RoundInfiltrated = 4;
    Spy->HasAction = false;
    Spy->BuildingDataTurn = 5;
    Spy->BuildingData[0][0] = Building("building_bunker");
    Spy->BuildingData[1][2] = nullptr;
    Spy->DivisionDataTurn = 6;
    Spy->DivisionData = {"Rebel defense", "  Militia"};
    TSpy Free;
    Free.Name = "Max Klein";
    Free.ResetBuildingData();
    N.AddSpy(Free);

    TDivision* A = N.AddDivision("North army", 0);
    TDivision* B = N.AddDivision("", 1);
    N.AddDivision("Reserve", -1);
    B->HasMoved = true;
    // The second general of the name leads the first army and the first one the second.
    N.AssignGeneral(*Second, *A);
    N.AssignGeneral(*First, *B);
    TUnit* U = N.AddUnit(UnitType("INF_HEAVY")->Index);
    U->Division = B;
    U->Region = 1;
    U->Health = 77.75f;
    U->Experience = 3.5f;
    U = N.AddUnit(UnitType("AIR_FIGHTER")->Index);
    U->Locked = true;
    U = N.AddUnit(UnitType("INF_LIGHT")->Index);
    U->Division = B;
    U->Region = 1;
    N.AddToBuildQueue(*UnitType("INF_LIGHT"));
    N.AddToBuildQueue(*UnitType("MOB_ENVCHANGER"));
    N.BuildQueueTurns[0] = 1;
    TTechnologyTree& Tree = N.TechnologyTree;
    Tree.FindByName("tech_basics")->Researched = true;
    Tree.FindByName("tech_energy")->Researched = true;
    Tree.Current = Tree.FindByName("tech_armour");
    Tree.Current->RemainingPoints = 12.5f;
    N.LastGlobeRotationX = 45.5f;
    N.LastGlobeRotationY = -10.0f;
    N.LastGlobeZoom = 0.75f;
  }
};
}  // namespace

TEST_F(NationSave, WritesTheElementsAndAttributesInOrder) {
  TNation& N = Nation(2);
  N.PlayerName = "Bo";
  N.Score = 7;
  N.Ressources = 0.1f;
  HireGeneral(N, "Otto Lang", 50.0f);
  N.AddDivision("Guard", 2);
  N.AssignGeneral(*N.Generals[0], *N.Divisions[0]);
  N.AddUnit(UnitType("INF_LIGHT")->Index)->Division = N.Divisions[0].get();
  N.AddToBuildQueue(*UnitType("INF_HEAVY"));
  EXPECT_EQ(Saved(N),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
            "<nations>\n"
            "  <nation2 name=\"Nation 2\" playername=\"Bo\" ID=\"2\" score=\"7\" aicontrolled=\"False\" "
            "aipersonality=\"0\" aidifficulty=\"0\">\n"
            "    <buildingqueue>\n"
            "      <unit index=\"1\" remainingtime=\"3\" />\n"
            "    </buildingqueue>\n"
            "    <ressources current=\"-129.9\" last=\"0\" />\n"
            "    <research_civil current=\"0\" last=\"0\" />\n"
            "    <research_military current=\"0\" last=\"0\" />\n"
            "    <staff>\n"
            "      <scientists />\n"
            "      <generals>\n"
            "        <general name=\"Otto Lang\" cost=\"100\" wage=\"5\" defense=\"0\" attack=\"50\" movement=\"0\" "
            "image=\"staff_general_1\" />\n"
            "      </generals>\n"
            "      <spies />\n"
            "    </staff>\n"
            "    <units count=\"1\">\n"
            "      <unit type=\"INF_LIGHT\" health=\"100\" experience=\"0\" region=\"-1\" locked=\"False\" owner=\"0\" />\n"
            "    </units>\n"
            "    <armies count=\"1\">\n"
            "      <army region=\"2\" ID=\"0\" name=\"Guard\" hasmoved=\"False\" general=\"Otto Lang\" assignedregion=\"-1\" />\n"
            "    </armies>\n"
            "    <technologytree currenttechnology=\"none\" />\n"
            "    <hotseat lastgloberotation.x=\"0\" lastgloberotation.y=\"0\" lastglobezoom=\"0\" />\n"
            "  </nation2>\n"
            "</nations>\n");
}

TEST_F(NationSave, SpiesWriteTheirReportsRowByRow) {
  Populate(Nation(1));
  const std::string Text = Saved(Nation(1));
  const std::string Unknown = std::to_string(gBuildingTypePool->UnknownType()->Number);
  ASSERT_EQ(Unknown, "-1");
  const std::string Bunker = std::to_string(Building("building_bunker")->Number);
  EXPECT_NE(Text.find("<spy name=\"Eva Stern\" region=\"3\" cost=\"90\" wage=\"4\" hasaction=\"False\" espionage=\"40\" "
                      "sabotage=\"12.5\" hiding=\"99\" image=\"staff_spy_1\" roundinfiltrated=\"4\">\n"
                      "          <buildingdata lastobtained=\"5\">\n"
                      "            <data ID=\"" + Bunker + "\" />\n"
                      "            <data ID=\"-1\" />\n            <data ID=\"-1\" />\n"
                      "            <data ID=\"-1\" />\n            <data ID=\"-1\" />\n"
                      "            <data ID=\"-2\" />\n"
                      "            <data ID=\"-1\" />\n            <data ID=\"-1\" />\n            <data ID=\"-1\" />\n"
                      "          </buildingdata>\n"
                      "          <divisiondata lastobtained=\"6\" length=\"2\" data0=\"Rebel defense\" data1=\"  Militia\" />\n"),
            std::string::npos)
      << Text;
  // A spy without a report writes length 0 and no lines.
  EXPECT_NE(Text.find("<divisiondata lastobtained=\"-1\" length=\"0\" />"), std::string::npos);
  EXPECT_NE(Text.find("<technologytree currenttechnology=\"tech_armour\" remainingfactor=\"12.5\">\n"
                      "      <researchedtech ID=\"tech_basics\" />\n"
                      "      <researchedtech ID=\"tech_energy\" />\n"),
            std::string::npos);
}

TEST_F(NationSave, RoundTripIntoAnotherNationRestoresEveryLinkAndSavesTheSameBytes) {
  Populate(Nation(1));
  const std::string First = Saved(Nation(1));
  const float Treasury = Nation(1).Ressources;
  TNation& Target = Nation(4);  // had nothing; gets nation 1's state
  Target.ID = 1;
  Target.Names = Nation(1).Names;
  // The game object reads the computer opponent's kind and difficulty itself.
  Target.AIPersonality = 2;
  Target.AIDifficulty = 1;
  // Nation 1 lets its spy go, so only the loaded one can be the region's spy afterwards.
  Nation(1).Reset();
  ASSERT_EQ(Load(Target, First), "");
  EXPECT_EQ(Saved(Target), First);

  EXPECT_EQ(Target.PlayerName, "Ada");
  EXPECT_EQ(Target.Score, 135);
  EXPECT_TRUE(Target.AIControlled);
  EXPECT_EQ(Target.Ressources, Treasury);
  EXPECT_EQ(Target.RessourcesLast, std::nextafter(1000.0f, 0.0f));  // still below the 1000 it was under
  ASSERT_EQ(Target.Divisions.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Target.Divisions[i]->ID, static_cast<std::int32_t>(i));
    EXPECT_EQ(Target.Divisions[i]->Nation, &Target);
  }
  EXPECT_EQ(Target.Divisions[1]->Name, "Division 1");
  EXPECT_TRUE(Target.Divisions[1]->HasMoved);
  EXPECT_EQ(Target.Divisions[2]->Region, -1);
  EXPECT_EQ(Target.Divisions[2]->General, nullptr);
  ASSERT_EQ(Target.Units.size(), 3u);
  EXPECT_EQ(Target.Units[0]->Division, Target.Divisions[1].get());
  EXPECT_EQ(Target.Units[0]->UnitType, UnitType("INF_HEAVY"));
  EXPECT_EQ(Target.Units[0]->Health, 77.75f);
  EXPECT_EQ(Target.Units[1]->Division, nullptr);
  EXPECT_TRUE(Target.Units[1]->Locked);
  EXPECT_EQ(Target.Divisions[1]->UnitCount(), 2);
  EXPECT_EQ(Target.BuildQueueTypes, (std::vector<std::int32_t>{UnitType("INF_LIGHT")->Index, UnitType("MOB_ENVCHANGER")->Index}));
  EXPECT_EQ(Target.BuildQueueTurns, (std::vector<std::int32_t>{1, 5}));
  EXPECT_EQ(Target.TechnologyTree.Current, Target.TechnologyTree.FindByName("tech_armour"));
  EXPECT_EQ(Target.TechnologyTree.Current->RemainingPoints, 12.5f);
  EXPECT_TRUE(Target.TechnologyTree.IsResearched("tech_energy"));
  EXPECT_FALSE(Target.TechnologyTree.IsResearched("tech_optics"));
  EXPECT_EQ(Target.LastGlobeZoom, 0.75f);
  // The spy and its region point to each other; the reports are back.
  ASSERT_EQ(Target.Spies.size(), 2u);
  TSpy& Spy = *Target.Spies[0];
  EXPECT_EQ(Spy.Nation, &Target);
  EXPECT_EQ(Spy.Region, &Region(3));
  EXPECT_EQ(Region(3).Spy, &Spy);
  EXPECT_FALSE(Spy.HasAction);
  EXPECT_EQ(Spy.BuildingData[0][0], Building("building_bunker"));
  EXPECT_EQ(Spy.BuildingData[1][2], nullptr);
  EXPECT_EQ(Spy.BuildingData[2][2], gBuildingTypePool->UnknownType());
  EXPECT_EQ(Spy.DivisionData, (std::vector<std::string>{"Rebel defense", "  Militia"}));
  EXPECT_EQ(Target.Spies[1]->Region, nullptr);
  EXPECT_EQ(Target.Scientists[0]->Civil, 71.25f);
}

TEST_F(NationSave, ASpyReportOfABuildingTypeGoneFromTheDataShowsNoBuilding) {
  Populate(Nation(1));
  const std::string Bunker = std::to_string(Building("building_bunker")->Number);
  const std::string Text = Replace(Saved(Nation(1)), "<data ID=\"" + Bunker + "\" />", "<data ID=\"40\" />");
  TNation& N = Nation(1);
  N.Score = 999;
  const std::size_t Logged = Log.Lines().size();
  ASSERT_EQ(Load(N, Text), "");
  EXPECT_EQ(N.Score, 135);
  EXPECT_EQ(N.Spies[0]->BuildingData[0][0], nullptr);
  EXPECT_EQ(N.Spies[0]->BuildingData[2][2], gBuildingTypePool->UnknownType());
  ASSERT_EQ(Log.Lines().size(), Logged + 1);
  const std::string& Line = Log.Lines().back();
  EXPECT_NE(Line.find("\"savegame.xml\" line "), std::string::npos) << Line;
  EXPECT_NE(Line.find("element <data>: attribute \"ID\" has the value \"40\""), std::string::npos) << Line;
}

TEST_F(NationSave, GeneralsOfTheSameNameLeadOneDivisionEach) {
  Populate(Nation(1));
  const std::string Text = Saved(Nation(1));
  TNation& N = Nation(1);
  ASSERT_EQ(Load(N, Text), "");
  ASSERT_EQ(N.Generals.size(), 3u);
  TDivision& A = *N.Divisions[0];
  TDivision& B = *N.Divisions[1];
  ASSERT_NE(A.General, nullptr);
  ASSERT_NE(B.General, nullptr);
  EXPECT_NE(A.General, B.General);
  EXPECT_EQ(A.General->Name, "Anna Berg");
  EXPECT_EQ(B.General->Name, "Anna Berg");
  EXPECT_EQ(A.General->Division, &A);
  EXPECT_EQ(B.General->Division, &B);
  EXPECT_EQ(N.Generals[2]->Division, nullptr);
  // Dissolving one army leaves no general pointing at it.
  N.RemoveDivision(0, false);
  for (const auto& G : N.Generals) EXPECT_NE(G->Division, &A);
  EXPECT_EQ(Saved(N).find("general=\"Anna Berg\""), Saved(N).rfind("general=\"Anna Berg\""));
}

TEST_F(NationSave, OptionalPartsKeepWhatTheNationHad) {
  TNation& N = Nation(0);
  std::string Text = Saved(N);
  EXPECT_NE(Text.find("<technologytree currenttechnology=\"none\" />"), std::string::npos);
  Text = Replace(Text, "playername=\"\" ", "");
  Text = Replace(Text, "<hotseat lastgloberotation.x=\"0\" lastgloberotation.y=\"0\" lastglobezoom=\"0\" />\n", "");
  N.PlayerName = "Kept";
  N.LastGlobeRotationX = 12.0f;
  N.LastGlobeZoom = 1.25f;
  N.TechnologyTree.Current = N.TechnologyTree.FindByName("tech_basics");
  ASSERT_EQ(Load(N, Text), "");
  EXPECT_EQ(N.PlayerName, "Kept");
  EXPECT_EQ(N.LastGlobeRotationX, 12.0f);
  EXPECT_EQ(N.LastGlobeZoom, 1.25f);
  EXPECT_EQ(N.TechnologyTree.Current, nullptr);
}

TEST_F(NationSave, BadValuesAreRefusedAndLeaveTheNationAsItWas) {
  Populate(Nation(1));
  const std::string Good = Saved(Nation(1));
  TNation& N = Nation(1);
  N.Score = 999;  // differs from the savegame, so a partial load would show
  const std::string Before = Saved(N);
  struct TCase {
    std::string From, To, Message;
  };
  const TCase Cases[] = {
      {"type=\"INF_HEAVY\"", "type=\"TANK_HOVER\"", "attribute \"type\" has the value \"TANK_HOVER\"; no unit type has this ID"},
      {"locked=\"False\" owner=\"1\"", "locked=\"False\" owner=\"3\"",
       "attribute \"owner\" has the value \"3\"; expected a whole number from 0 to 2"},
      {"owner=\"none\"", "owner=\"-1\"", "attribute \"owner\" has the value \"-1\""},
      {"general=\"Otto Lang\"", "general=\"Otto Lang\"", ""},
      {"name=\"Reserve\" hasmoved=\"False\" general=\"none\"", "name=\"Reserve\" hasmoved=\"False\" general=\"Karl Graf\"",
       "TNation->LoadFromXML->General \"Karl Graf\" not found in list!"},
      {"name=\"Reserve\" hasmoved=\"False\" general=\"none\"", "name=\"Reserve\" hasmoved=\"False\" general=\"Anna Berg\"",
       "attribute \"general\" has the value \"Anna Berg\"; every general of this name leads another army already"},
      {"<unit index=\"0\"", "<unit index=\"5\"", "attribute \"index\" has the value \"5\"; expected a whole number from 0 to 4"},
      {"currenttechnology=\"tech_armour\"", "currenttechnology=\"tech_warp\"",
       "attribute \"currenttechnology\" has the value \"tech_warp\"; no technology has this ID"},
      {"<researchedtech ID=\"tech_energy\"", "<researchedtech ID=\"tech_magic\"",
       "attribute \"ID\" has the value \"tech_magic\"; no technology has this ID"},
      {" remainingfactor=\"12.5\"", "", "attribute \"remainingfactor\" is missing"},
      {"<armies count=\"3\">", "<armies count=\"4\">", "attribute \"count\" has the value \"4\"; the element holds 3 army elements"},
      {"<army region=\"0\" ID=\"0\"", "<army region=\"0\" ID=\"1\"", "attribute \"ID\" has the value \"1\"; expected a whole number from 0 to 0"},
      {"<army region=\"0\"", "<army region=\"5\"", "attribute \"region\" has the value \"5\"; expected a whole number from -1 to 4"},
      {"region=\"3\" cost=\"90\"", "region=\"17\" cost=\"90\"", "attribute \"region\" has the value \"17\""},
      {"data1=\"  Militia\"", "", "attribute \"data1\" is missing"},
      {"hasaction=\"False\"", "hasaction=\"maybe\"", "attribute \"hasaction\" has the value \"maybe\""},
      {"health=\"77.75\"", "health=\"nan\"", "attribute \"health\" has the value \"nan\""},
      {"score=\"135\"", "score=\"1e3\"", "attribute \"score\" has the value \"1e3\""},
      {"<research_military current=\"0\" last=\"2.25\" />", "", "element <research_military> is missing"},
  };
  for (const TCase& C : Cases) {
    if (C.Message.empty()) continue;
    const std::string Message = Load(N, Replace(Good, C.From, C.To));
    EXPECT_NE(Message.find(C.Message), std::string::npos) << Message;
    // The missing general's message is the whole text, without a place after it.
    if (C.Message.find("not found in list!") != std::string::npos) {
      EXPECT_EQ(Message, C.Message);
    }
    EXPECT_EQ(Saved(N), Before) << C.To;
  }
  // Still linked as before the failed loads.
  EXPECT_EQ(Region(3).Spy, N.Spies[0].get());
  EXPECT_EQ(N.Divisions[0]->General->Division, N.Divisions[0].get());
}

TEST_F(NationSave, AFullQueueIsTheMostThatLoads) {
  TNation& N = Nation(0);
  for (int i = 0; i < 16; ++i) N.AddToBuildQueue(*UnitType("INF_LIGHT"));
  const std::string Full = Saved(N);
  ASSERT_EQ(Load(N, Full), "");
  EXPECT_EQ(N.BuildQueueTypes.size(), 16u);
  const std::string Message = Load(N, Replace(Full, "<unit index=\"0\"", "<unit index=\"0\" remainingtime=\"2\" />\n<unit index=\"0\""));
  EXPECT_NE(Message.find("17 queued units, at most 16 are possible"), std::string::npos) << Message;
}
