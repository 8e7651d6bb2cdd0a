#pragma once
// The small fixture world of TNationsTest, ready for the round rules: the news and battle texts
// as short English formats, player nation 0, round 0, a seeded generator, a battle object and a
// transfer market with the fixture's names. Everything is put back at the end.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_globals.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "world/battle.h"
#include "world/transfer_market.h"
#include "world_fixture.h"

class TRulesTest : public TNationsTest {
protected:
  void SetUp() override {
    TNationsTest::SetUp();
    for (const auto& [Key, Text] : std::vector<std::pair<std::string, std::string>>{
             {"szStrNewsBuildingFinished", "%s finished"},
             {"szStrNewsDeadlyPollution", "deadly pollution"},
             {"szStrNewsHighPollution", "high pollution"},
             {"szStrNewsDeadRegion", "dead"},
             {"szStrNewsDivisionRetreat", "retreat"},
             {"szStrNewsLowLoyality", "low loyality"},
             {"szStrNewsRebellingRegion", "rebels"},
             {"szStrNewsLowPower", "low power"},
             {"szStrRebelDefense", "Rebel defense"},
             {"szStrLocalDefense", "Local defense"},
             {"szStrNewsUnitFinished", "unit %s"},
             {"szStrNewsTechnologyResearched", "researched %s"},
             {"szStrBattleInfoText0", "%s hits %s %d times"},
             {"szStrBattleInfoText1", "%s destroyed"},
             {"szStrBattleInfoText3", "%s misses %s"},
             {"szStrListNoDivision", "no division"},
             {"szStrUnknownUnit", "unknown unit"},
         })
      gLocalization.AddKey(Key, Key, Text);
    gPlayerNation = 0;
    gCurrentTurn = 0;
    SetRandomSeed(12345);
    gBattle = std::make_unique<TBattle>();
    gTransferMarket = std::make_unique<TTransferMarket>();
    gTransferMarket->Create();
  }
  void TearDown() override {
    gTransferMarket.reset();
    gBattle.reset();
    gCurrentTurn = 0;
    gPlayerNation = 0;
    TNationsTest::TearDown();
  }
  // A unit of the type ID for nation Owner in Division.
  TUnit& AddUnit(int Owner, const std::string& TypeID, TDivision* Division) {
    TUnit* Unit = Nation(Owner).AddUnit(TypeIndex(TypeID));
    Unit->Division = Division;
    return *Unit;
  }
  std::vector<std::string> NewsOf(int Owner) {
    std::vector<std::string> Texts;
    for (const auto& M : Nation(Owner).Messages.Messages) Texts.push_back(M.Text);
    return Texts;
  }
};
