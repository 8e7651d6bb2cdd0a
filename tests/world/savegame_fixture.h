#pragma once
// A small world for the savegame tests: the fixture's types and technologies, its five regions,
// five nations with their trees, the statistics and an empty transfer market; everything is put back at the end.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world_fixture.h"

class SavegameFixture : public TNationsTest {
protected:
  void SetUp() override {
    TNationsTest::SetUp();
    gCurrentTurn = 0;
    gPlayerNation = 0;
    for (std::size_t i = 0; i < gNations.size(); ++i)
      gNations[i]->Names = {"Nation " + std::to_string(i), "Nation " + std::to_string(i)};
    gStatisticServer = std::make_unique<TStatisticServer>();
    gTransferMarket = std::make_unique<TTransferMarket>();
  }
  void TearDown() override {
    gTransferMarket.reset();
    gStatisticServer.reset();
    gCurrentTurn = 0;
    gPlayerNation = 0;
    TNationsTest::TearDown();
  }

  const TUnitType* UnitType(const std::string& ID) { return gUnitTypePool->FindByID(ID); }
};

// Saving through Save(Parent) into a fresh document; the document's text.
template <typename F>
std::string SavedText(F&& Save, const std::string& Root = "savestate") {
  TXMLDocument D;
  Save(D.CreateRoot(Root));
  return D.SaveToString();
}

// The first element child of a document made from Text.
struct TParsed {
  std::unique_ptr<TXMLDocument> Document;
  TXMLNode Node;
};
inline TParsed ParseElement(const std::string& Text) {
  TParsed P;
  P.Document = XMLFromText(Text, "savegame.xml");
  P.Node = P.Document->Root().FirstChild();
  return P;
}
