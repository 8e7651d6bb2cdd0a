#pragma once
// A small world for the savegame tests: the fixture's types and technologies, its five regions,
// five nations with their trees, the statistics and an empty transfer market; everything is put back at the end.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/engine_globals.h"
#include "type_fixture.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

class SavegameFixture : public TypesFixture {
protected:
  TEarth Earth;

  void SetUp() override {
    TypesFixture::SetUp();
    gLocalization.LanguageIndex = 1;
    gCurrentTurn = 0;
    gPlayerNation = 0;
    Earth.Init("data\\XML\\regions.xml");
    for (std::size_t i = 0; i < gNations.size(); ++i) {
      gNations[i] = std::make_unique<TNation>();
      gNations[i]->Reset();
      gNations[i]->ID = static_cast<std::uint8_t>(i);
      gNations[i]->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
      gNations[i]->BaseFactors.fill(1.0f);
      gNations[i]->Names = {"Nation " + std::to_string(i), "Nation " + std::to_string(i)};
    }
    gStatisticServer = std::make_unique<TStatisticServer>();
    gTransferMarket = std::make_unique<TTransferMarket>();
  }
  void TearDown() override {
    gTransferMarket.reset();
    gStatisticServer.reset();
    for (auto& N : gNations) N.reset();
    Earth.Destroy();
    gCurrentTurn = 0;
    gPlayerNation = 0;
    TypesFixture::TearDown();
  }

  TNation& Nation(int i) { return *gNations[static_cast<std::size_t>(i)]; }
  TRegion& Region(int i) { return *gRegions[static_cast<std::size_t>(i)]; }
  const TBuildingType* Building(const std::string& ID) { return gBuildingTypePool->FindByID(ID); }
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
