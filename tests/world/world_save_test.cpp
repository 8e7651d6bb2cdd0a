#include <gtest/gtest.h>

#include "savegame_fixture.h"
#include "world/world_save.h"

namespace {
class WorldSave : public SavegameFixture {
protected:
  std::string Saved() { return SavedText([](TXMLNode Root) { TWorldSave::Save(Root); }); }
  std::string Load(const std::string& Text) {
    auto Document = XMLFromText(Text, "savegame.xml");
    return DataErrorOf([&] { TWorldSave::Load(Document->Root()); });
  }
  void Populate() {
    gPlayerNation = 2;
    Region(1).Owner = 2;
    Region(1).Buildings[0][2].Type = Building("building_bunker");
    Region(1).Pollution = 0.6f;
    Nation(2).Score = 60;
    Nation(2).AddDivision("Guard", 1);
    Nation(2).AddUnit(gUnitTypePool->FindByID("INF_LIGHT")->Index)->Division = Nation(2).Divisions[0].get();
    TSpy Offer;
    Offer.Name = "Eva Stern";
    Offer.ResetBuildingData();
    TSpy* Spy = Nation(2).AddSpy(Offer);
    Spy->Region = &Region(0);
    Region(0).Spy = Spy;
    gStatisticServer->Update();
  }
};
}  // namespace

TEST_F(WorldSave, SavedWorldLoadsIntoAFreshWorldAndSavesTheSameBytes) {
  Populate();
  const std::string First = Saved();
  EXPECT_NE(First.find("<nations playernation=\"2\">"), std::string::npos);
  EXPECT_NE(First.find("<regions count=\"5\">"), std::string::npos);
  EXPECT_LT(First.find("<nations"), First.find("<regions"));
  EXPECT_LT(First.find("<regions"), First.find("<statistics>"));

  // A fresh world: regions, nations and statistics as a new game has them.
  TearDown();
  SetUp();
  ASSERT_NE(Saved(), First);
  ASSERT_EQ(Load(First), "");
  EXPECT_EQ(Saved(), First);
  EXPECT_EQ(gPlayerNation, 2);
  EXPECT_EQ(Region(0).Spy, Nation(2).Spies[0].get());
  EXPECT_EQ(Nation(2).Spies[0]->Region, &Region(0));
  EXPECT_TRUE(Region(1).Pollution > 0.5f);
}

TEST_F(WorldSave, ABadValueAnywhereLeavesTheWholeWorldAsItWas) {
  Populate();
  const std::string Good = Saved();
  Region(1).Owner = 0;
  Nation(2).Score = 0;
  Nation(2).Spies.clear();
  gPlayerNation = 1;
  gStatisticServer->Init();
  const std::string Before = Saved();
  struct TCase {
    std::string From, To, Message;
  };
  const TCase Cases[] = {
      {"<stat value=\"60\" />", "<stat value=\"sixty\" />", "TStatisticServer->LoadFromXML->"},
      {"<nations playernation=\"2\">", "<nations playernation=\"5\">", "attribute \"playernation\" has the value \"5\""},
      {"type=\"INF_LIGHT\"", "type=\"INF_GHOST\"", "\"INF_GHOST\"; no unit type has this ID"},
      {"<region name=\"Northmark\" owner=\"0\"", "<region name=\"Northmark\" owner=\"9\"", "TRegion->LoadFromXML->"},
      {"<statistics>", "<statistix>", "TWorldSave->Read->\"savegame.xml\" line 2, element <savestate>: element <statistics> is missing"},
  };
  for (const TCase& C : Cases) {
    std::string Text = Good;
    const std::size_t At = Text.find(C.From);
    ASSERT_NE(At, std::string::npos) << C.From;
    Text.replace(At, C.From.size(), C.To);
    if (C.From == "<statistics>") Text.replace(Text.rfind("</statistics>"), 13, "</statistix>");
    const std::string Message = Load(Text);
    EXPECT_NE(Message.find(C.Message), std::string::npos) << Message;
    EXPECT_EQ(Saved(), Before) << C.To;
  }
  // Fewer regions than the world has.
  std::string Short = Good;
  const std::size_t Last = Short.rfind("<region ");
  Short.erase(Last, Short.find("</region>", Last) + 9 - Last);
  EXPECT_NE(Load(Short).find("4 region elements, expected 5"), std::string::npos);
  EXPECT_EQ(Saved(), Before);
}
