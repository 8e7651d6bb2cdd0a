#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/platform_globals.h"
#include "platform/rounding.h"
#include "platform/xml_document.h"
#include "rules_fixture.h"

namespace {
using Market = TRulesTest;
using MarketFiles = TWorldTest;

TTransferMarket& M() { return *gTransferMarket; }

const char* const GermanOnly = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<names>
  <firstnames>
    <ger>
      Anna

      Bernd
    </ger>
    <eng>
    </eng>
  </firstnames>
  <lastnames>
    <ger>Bauer</ger>
    <eng>
      Smith
    </eng>
  </lastnames>
</names>)";
}  // namespace

TEST_F(Market, AnOfferDrawsInTheStatedOrder) {
  // Replay of the draws of one scientist: language, first name, last name, Q, P; per skill the
  // subtracted and the added draw, the boost for the chosen one; the cost factor. The fixture has
  // no portraits, so no portrait draw.
  for (std::uint32_t Seed : {1u, 77u, 4242u, 99999u}) {
    SetRandomSeed(Seed);
    const std::int32_t L = Random(2);
    const std::string First = M().FirstNames[L][Random(static_cast<std::int32_t>(M().FirstNames[L].size()))];
    const std::string Last = M().LastNames[L][Random(static_cast<std::int32_t>(M().LastNames[L].size()))];
    const std::int32_t Q = Random(75) + 25;
    const std::int32_t P = Random(2);
    float Skills[2];
    for (int k = 0; k < 2; ++k) {
      const std::int32_t Minus = Random(Q / 3);
      double Value = static_cast<float>(Q - Minus + Random(Q / 3));
      if (k == P) Value = static_cast<float>(Value * (RandomFloat() + 1.0));
      Skills[k] = static_cast<float>(std::min(Value, 100.0));
    }
    const std::int32_t Cost = RoundToInt((RandomFloat() / 4.0 + 1.0) * (static_cast<double>(Skills[0]) + Skills[1]));
    const std::uint32_t After = gRandomSeed;

    SetRandomSeed(Seed);
    gCurrentTurn = 9;
    M().Scientists.clear();
    M().GenerateOffer("scientist");
    ASSERT_EQ(M().Scientists.size(), 1u);
    const TScientist& S = *M().Scientists[0];
    EXPECT_EQ(S.Name, First + " " + Last);
    EXPECT_EQ(S.Military, Skills[0]);
    EXPECT_EQ(S.Civil, Skills[1]);
    EXPECT_EQ(S.Cost, Cost);
    EXPECT_EQ(S.Wage, RoundToInt(Cost / 20.0));
    EXPECT_EQ(S.OfferedTurn, 9);
    EXPECT_EQ(S.Image, "gui_icon_scientist");
    EXPECT_EQ(gRandomSeed, After) << Seed;
  }
}

TEST_F(Market, SkillsCostsAndWagesStayWithinTheirBounds) {
  M().Regenerate(70, 70, 70);
  ASSERT_EQ(M().Scientists.size(), 70u);
  for (const auto& S : M().Scientists) {
    EXPECT_LE(S->Military, 100.0f);
    EXPECT_LE(S->Civil, 100.0f);
    const double Sum = static_cast<double>(S->Military) + S->Civil;
    EXPECT_GE(S->Cost, RoundToInt(Sum));
    EXPECT_LE(S->Cost, RoundToInt(1.25 * Sum));
    EXPECT_EQ(S->Wage, RoundToInt(S->Cost / 20.0));
  }
  for (const auto& G : M().Generals) {
    for (float Skill : {G->Defense, G->Attack, G->Movement}) {
      EXPECT_LE(Skill, 100.0f);
      EXPECT_GT(Skill, 12.0f);
    }
    EXPECT_EQ(G->Image, "gui_icon_general");
    EXPECT_EQ(G->Division, nullptr);
  }
  for (const auto& S : M().Spies) {
    EXPECT_TRUE(S->HasAction);
    EXPECT_EQ(S->Region, nullptr);
    EXPECT_EQ(S->Nation, nullptr);
    EXPECT_EQ(S->BuildingData[1][1], gBuildingTypePool->UnknownType());
    EXPECT_EQ(S->Image, "gui_icon_spy");
  }
  // Halves round to even: a cost of 150 pays 8, one of 130 pays 6.
  EXPECT_EQ(RoundToInt(150 / 20.0), 8);
  EXPECT_EQ(RoundToInt(130 / 20.0), 6);
  // Another kind does nothing.
  const std::uint32_t Seed = gRandomSeed;
  M().GenerateOffer("janitor");
  EXPECT_EQ(gRandomSeed, Seed);
}

TEST_F(Market, FiveRoundsAfterANewGameEveryFirstOfferIsGone) {
  M().Regenerate(15, 15, 15);
  for (int Round = 1; Round <= 4; ++Round) {
    gCurrentTurn = Round;
    M().NextRound();
    EXPECT_EQ(M().Scientists.size(), 15u);
    EXPECT_EQ(M().Generals.size(), 15u);
    EXPECT_EQ(M().Spies.size(), 15u);
  }
  gCurrentTurn = 5;
  M().NextRound();
  const auto Check = [](const auto& Offers) {
    EXPECT_GE(Offers.size(), 14u);
    EXPECT_LE(Offers.size(), 18u);
    for (const auto& Offer : Offers) EXPECT_EQ(Offer->OfferedTurn, 5);
  };
  Check(M().Scientists);
  Check(M().Generals);
  Check(M().Spies);
}

TEST_F(Market, OffersThatHaveNotExpiredAllStayHoweverMany) {
  gCurrentTurn = 20;
  M().Regenerate(35, 35, 35);
  gCurrentTurn = 24;
  M().NextRound();
  EXPECT_EQ(M().Scientists.size(), 35u);
  EXPECT_EQ(M().Generals.size(), 35u);
  EXPECT_EQ(M().Spies.size(), 35u);
  // A renewal replaces n expired offers by n + 1 on average, and no ceiling stops the growth.
  SetRandomSeed(5);
  std::size_t Largest = 0;
  for (int Round = 25; Round <= 400; ++Round) {
    gCurrentTurn = Round;
    M().NextRound();
    Largest = std::max({Largest, M().Scientists.size(), M().Generals.size(), M().Spies.size()});
  }
  EXPECT_GT(Largest, 35u);
}

TEST_F(Market, NoCeilingLimitsTheOffers) {
  // Far more offers than a new game makes: a new game, a round and a savegame keep them all.
  gCurrentTurn = 10;
  M().Regenerate(75, 80, 90);
  EXPECT_EQ(M().Scientists.size(), 75u);
  EXPECT_EQ(M().Generals.size(), 80u);
  EXPECT_EQ(M().Spies.size(), 90u);
  gCurrentTurn = 11;
  M().NextRound();
  EXPECT_EQ(M().Scientists.size(), 75u);
  EXPECT_EQ(M().Generals.size(), 80u);
  EXPECT_EQ(M().Spies.size(), 90u);
  TXMLDocument Document;
  M().SaveToXML(Document.CreateRoot("transfermarket"));
  M().Regenerate(0, 0, 0);
  M().LoadFromXML(Document.Root());
  EXPECT_EQ(M().Scientists.size(), 75u);
  EXPECT_EQ(M().Generals.size(), 80u);
  EXPECT_EQ(M().Spies.size(), 90u);
}

TEST_F(Market, ThinListsAreToppedUpToEleven) {
  // Four offers left after a removal without replacement: n = 1, Random(3) = 0, Random(3) = 2.
  std::uint32_t Seed = 1;
  for (;; ++Seed) {
    SetRandomSeed(Seed);
    const std::int32_t Plus = Random(3);
    if (Plus == 0 && Random(3) == 2) break;
  }
  gCurrentTurn = 10;
  M().Scientists.clear();
  for (int i = 0; i < 5; ++i) M().GenerateOffer("scientist");
  M().Scientists[2]->OfferedTurn = 5;
  SetRandomSeed(Seed);
  M().NextRound();
  EXPECT_EQ(M().Scientists.size(), 11u);
  for (const auto& S : M().Scientists) EXPECT_GT(S->OfferedTurn, 5);
  // Empty kinds are filled to eleven as well.
  EXPECT_EQ(M().Generals.size(), 11u);
  EXPECT_EQ(M().Spies.size(), 11u);
}

TEST_F(Market, Removal) {
  M().Regenerate(3, 0, 0);
  const std::string Third = M().Scientists[2]->Name;
  M().RemoveScientist(1);
  ASSERT_EQ(M().Scientists.size(), 2u);
  EXPECT_EQ(M().Scientists[1]->Name, Third);
  EXPECT_THROW(M().RemoveScientist(2), ERangeError);
  EXPECT_THROW(M().RemoveScientist(-1), ERangeError);
  // Empty lists: nothing happens.
  M().RemoveGeneral(0);
  M().RemoveSpy(5);
  EXPECT_TRUE(M().Generals.empty());
}

TEST_F(MarketFiles, NamesComeOnlyFromLanguagesThatHaveBoth) {
  WriteData("data/XML/namesnew.xml", GermanOnly);
  TTransferMarket Market;
  Market.Create();
  EXPECT_EQ(Market.FirstNames[0], (TStringList{"Anna", "Bernd"}));
  EXPECT_TRUE(Market.FirstNames[1].empty());
  EXPECT_EQ(Market.LastNames[1], TStringList{"Smith"});
  std::set<std::string> Names;
  for (int i = 0; i < 40; ++i) Market.GenerateOffer("spy");
  for (const auto& S : Market.Spies) Names.insert(S->Name);
  EXPECT_EQ(Names, (std::set<std::string>{"Anna Bauer", "Bernd Bauer"}));
}

TEST_F(MarketFiles, NoUsableNamesFailAtStartUp) {
  WriteData("data/XML/namesnew.xml", "<names><firstnames><ger>Anna</ger></firstnames><lastnames/></names>");
  TTransferMarket Market;
  try {
    Market.Create();
    FAIL() << "no error";
  } catch (const EDataError& E) {
    EXPECT_NE(std::string(E.what()).find("namesnew.xml"), std::string::npos) << E.what();
  }
  EXPECT_THROW(Market.GenerateOffer("general"), ETarnovaError);
}

TEST_F(MarketFiles, PortraitsAreListedByPrefix) {
  WriteData("data/XML/namesnew.xml", GermanOnly);
  for (const char* File : {"staff_scientist_01.png", "staff_general_01.png", "staff_general_02.png", "staff_spy_01.png",
                           "staff_spy_02.jpg", "other.png", "staff_scientist_staff_spy_x.png"})
    WriteData(std::string("data/tex/ondemand/nocompression/") + File, "");
  TTransferMarket Market;
  Market.Create();
  EXPECT_EQ(Market.ScientistPortraits, (TStringList{"staff_scientist_01", "staff_scientist_staff_spy_x"}));
  EXPECT_EQ(Market.GeneralPortraits, (TStringList{"staff_general_01", "staff_general_02"}));
  EXPECT_EQ(Market.SpyPortraits, (TStringList{"staff_scientist_staff_spy_x", "staff_spy_01"}));
  Market.Regenerate(5, 5, 5);
  for (const auto& G : Market.Generals) EXPECT_EQ(G->Image.rfind("staff_general_0", 0), 0u) << G->Image;
}

// Hiring is one rule for the player's window and the computer opponents: the cost is paid from
// the treasury at once, a copy joins the staff and the offer leaves the market; a short treasury
// or a missing offer changes nothing.
TEST_F(Market, HiringPaysTheCostAndMovesTheOfferOrRefuses) {
  M().Regenerate(2, 1, 1);
  TNation& N = Nation(0);
  TScientist& Offer = *M().Scientists[1];
  Offer.Cost = 300;
  const std::string Name = Offer.Name;
  N.Ressources = 299.5f;
  EXPECT_EQ(M().Hire<TScientist>(N, 1), THireResult::NotEnoughRessources);
  EXPECT_EQ(M().Scientists.size(), 2u);
  EXPECT_TRUE(N.Scientists.empty());
  EXPECT_EQ(N.Ressources, 299.5f);

  N.Ressources = 300.0f;  // exactly the cost is enough
  EXPECT_EQ(M().Hire<TScientist>(N, 1), THireResult::Hired);
  ASSERT_EQ(N.Scientists.size(), 1u);
  EXPECT_EQ(N.Scientists[0]->Name, Name);
  EXPECT_EQ(N.Ressources, 0.0f);
  EXPECT_EQ(M().Scientists.size(), 1u);

  EXPECT_EQ(M().Hire<TScientist>(N, 1), THireResult::NoOffer);
  EXPECT_EQ(M().Hire<TGeneral>(N, -1), THireResult::NoOffer);
  N.Ressources = 1.0e6f;
  EXPECT_EQ(M().Hire<TSpy>(N, 0), THireResult::Hired);
  ASSERT_EQ(N.Spies.size(), 1u);
  EXPECT_EQ(N.Spies[0]->Nation, &N);
  EXPECT_TRUE(M().Spies.empty());
  EXPECT_EQ(M().Hire<TGeneral>(N, 0), THireResult::Hired);
  EXPECT_EQ(N.Generals.size(), 1u);
}
