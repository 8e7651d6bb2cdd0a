#include <gtest/gtest.h>

#include "savegame_fixture.h"
#include "world/transfer_market_save.h"

namespace {
class TransferMarketSave : public SavegameFixture {
protected:
  TTransferMarket& M() { return *gTransferMarket; }
  std::string Saved() { return SavedText([&](TXMLNode N) { M().SaveToXML(N); }, "transfermarket"); }
  std::string Load(const std::string& Text) {
    auto Document = XMLFromText(Text, "savegame.xml");
    return DataErrorOf([&] { M().LoadFromXML(Document->Root()); });
  }
  void Offers() {
    auto S = std::make_unique<TScientist>();
    S->Name = "Curt Weiss";
    S->Cost = 150;
    S->Wage = 8;
    S->Image = "staff_scientist_1";
    S->Military = 33.25f;
    S->Civil = 0.1f;
    S->OfferedTurn = 4;
    M().Scientists.push_back(std::move(S));
    auto G = std::make_unique<TGeneral>();
    G->Name = "Otto Lang";
    G->Attack = 100.0f;
    M().Generals.push_back(std::move(G));
    auto Spy = std::make_unique<TSpy>();
    Spy->Name = "Eva Stern";
    Spy->Hiding = 12.5f;
    Spy->Image = "gui_icon_spy";
    M().Spies.push_back(std::move(Spy));
  }
};
}  // namespace

TEST_F(TransferMarketSave, WritesEveryOfferInOrderAndReadsItBack) {
  Offers();
  const std::string Text = Saved();
  EXPECT_EQ(Text,
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
            "<transfermarket>\n"
            "  <scientists>\n"
            "    <scientist name=\"Curt Weiss\" cost=\"150\" wage=\"8\" image=\"staff_scientist_1\" military=\"33.25\" civil=\"0.1\" offeredturn=\"4\" />\n"
            "  </scientists>\n"
            "  <generals>\n"
            "    <general name=\"Otto Lang\" cost=\"0\" wage=\"0\" image=\"\" defense=\"0\" attack=\"100\" movement=\"0\" offeredturn=\"0\" />\n"
            "  </generals>\n"
            "  <spies>\n"
            "    <spy name=\"Eva Stern\" cost=\"0\" wage=\"0\" image=\"gui_icon_spy\" espionage=\"0\" sabotage=\"0\" hiding=\"12.5\" offeredturn=\"0\" />\n"
            "  </spies>\n"
            "</transfermarket>\n");
  M().Scientists.clear();
  M().Generals.clear();
  M().Spies.clear();
  ASSERT_EQ(Load(Text), "");
  EXPECT_EQ(Saved(), Text);
  EXPECT_EQ(M().Scientists[0]->OfferedTurn, 4);
  EXPECT_TRUE(M().Spies[0]->HasAction);
  EXPECT_EQ(M().Spies[0]->BuildingDataTurn, -1);
  EXPECT_EQ(M().Spies[0]->BuildingData[1][1], gBuildingTypePool->UnknownType());
}

TEST_F(TransferMarketSave, ABrokenOfferLeavesTheMarketAsItWas) {
  Offers();
  const std::string Good = Saved();
  M().Generals.clear();
  const std::string Before = Saved();
  for (const auto& [From, To, Message] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"cost=\"150\"", "cost=\"lots\"", "attribute \"cost\" has the value \"lots\""},
           {" hiding=\"12.5\"", "", "attribute \"hiding\" is missing"},
           {"<generals>", "<officers>", "element <generals> is missing"},
       }) {
    std::string Text = Good;
    Text.replace(Text.find(From), From.size(), To);
    if (From == "<generals>") Text.replace(Text.find("</generals>"), 11, "</officers>");
    const std::string Error = Load(Text);
    EXPECT_NE(Error.find("TTransferMarket->LoadFromXML->"), std::string::npos) << Error;
    EXPECT_NE(Error.find(Message), std::string::npos) << Error;
    EXPECT_EQ(Saved(), Before);
  }
}

TEST_F(TransferMarketSave, OffersKeepTheirAgeAndOlderSavegamesStillLoad) {
  Offers();
  std::string Text = Saved();
  M().Scientists.clear();
  M().Generals.clear();
  M().Spies.clear();
  // A savegame written before offers kept their round: they count as offered in round 0.
  const std::string Old = " offeredturn=\"4\"";
  std::string OldText = Text;
  OldText.erase(OldText.find(Old), Old.size());
  ASSERT_EQ(Load(OldText), "");
  EXPECT_EQ(M().Scientists[0]->OfferedTurn, 0);
  ASSERT_EQ(Load(Text), "");
  EXPECT_EQ(M().Scientists[0]->OfferedTurn, 4);
  Text.replace(Text.find("offeredturn=\"4\""), 15, "offeredturn=\"x\"");
  EXPECT_NE(Load(Text).find("attribute \"offeredturn\" has the value \"x\""), std::string::npos);
  EXPECT_EQ(M().Scientists[0]->OfferedTurn, 4);
}
