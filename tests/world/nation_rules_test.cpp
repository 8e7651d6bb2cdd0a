#include <gtest/gtest.h>

#include "platform/xml_document.h"
#include "rules_fixture.h"
#include "world/unit_type.h"

namespace {
using NationRules = TRulesTest;
}  // namespace

TEST_F(NationRules, TheQueueBuildsFourAtOnceAndRefundsHalfTheCost) {
  TNation& N = Nation(3);  // no regions of its own: no income
  N.Ressources = 1000.0f;
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(N.AddToBuildQueueByIndex(TypeIndex("INF_LIGHT")));  // 75 each
  N.AddToBuildQueueByIndex(TypeIndex("INF_HEAVY"));  // 3 rounds, seventh place
  for (auto& Turns : N.BuildQueueTurns) Turns = 1;
  N.BuildQueueTurns[6] = 3;
  EXPECT_FLOAT_EQ(N.Ressources, 1000.0f - 6 * 75 - 130);

  N.DoRound();
  ASSERT_EQ(N.Units.size(), 4u);
  EXPECT_EQ(N.BuildQueueTypes.size(), 3u);
  EXPECT_EQ(N.BuildQueueTurns, (std::vector<std::int32_t>{1, 1, 3}));  // the seventh has not counted down
  // Four refunds of round(37.5) = 38, then maintenance of the four new units (1.5 each).
  EXPECT_FLOAT_EQ(N.RessourcesLast, 420.0f + 4 * 38);
  EXPECT_FLOAT_EQ(N.Ressources, 420.0f + 4 * 38 - 4 * 1.5f);
  ASSERT_EQ(N.Messages.Messages.size(), 4u);
  EXPECT_EQ(N.Messages.Messages[0].Text, "unit Light infantry");
  EXPECT_EQ(N.Messages.Messages[0].Category, "military");
  EXPECT_EQ(N.Messages.Messages[0].Region, -1);
  EXPECT_EQ(N.Messages.Messages[0].Kind, 1);
  for (const auto& U : N.Units) {
    EXPECT_EQ(U->UnitType->ID, "INF_LIGHT");
    EXPECT_EQ(U->Region, -1);
    EXPECT_EQ(U->Division, nullptr);
  }

  N.DoRound();
  EXPECT_EQ(N.Units.size(), 6u);
  EXPECT_EQ(N.BuildQueueTurns, (std::vector<std::int32_t>{2}));
  N.DoRound();
  N.DoRound();
  EXPECT_EQ(N.Units.size(), 7u);
  EXPECT_TRUE(N.BuildQueueTypes.empty());
  EXPECT_TRUE(N.BuildQueueTurns.empty());
}

TEST_F(NationRules, BuildTimesBelowZeroDeliverAtOnce) {
  TNation& N = Nation(3);
  N.Ressources = 1000.0f;
  TUnitType& Light = *gUnitTypePool->FindByID("INF_LIGHT");
  Light.BuildTime = -2147483647 - 1;  // the lowest integer: not counted further down
  ASSERT_TRUE(N.AddToBuildQueueByIndex(Light.Index));
  Light.BuildTime = -5;
  ASSERT_TRUE(N.AddToBuildQueueByIndex(Light.Index));
  N.DoRound();
  EXPECT_EQ(N.Units.size(), 2u);
  EXPECT_TRUE(N.BuildQueueTurns.empty());
}

TEST_F(NationRules, UnitsAndDivisionsAreReadyAgainAndHeal) {
  TNation& N = Nation(3);
  TDivision* D = N.AddDivision("First", 2);
  D->HasMoved = true;
  TUnit& Wounded = AddUnit(3, "INF_LIGHT", D);
  TUnit& Scratched = AddUnit(3, "INF_LIGHT", D);
  TUnit& Healthy = AddUnit(3, "INF_HEAVY", nullptr);
  Wounded.Health = 55.0f;
  Scratched.Health = 95.0f;
  Healthy.Locked = true;
  N.DoRound();
  EXPECT_FALSE(D->HasMoved);
  EXPECT_EQ(Wounded.Health, 65.0f);
  EXPECT_EQ(Scratched.Health, 100.0f);
  EXPECT_EQ(Healthy.Health, 150.0f);
  EXPECT_FALSE(Healthy.Locked);
}

TEST_F(NationRules, TreasuryTakesIncomeWagesAndMaintenance) {
  TNation& N = Nation(0);  // regions 0 (0.8 x 4 x 0.5) and 1 (0.4 x 4 x 1.0)
  N.BaseFactors[TNation::bfRessources] = 0.5f;
  N.Ressources = 100.0f;
  TScientist Offer;
  Offer.Wage = 4;
  N.AddScientist(Offer);
  TGeneral General;
  General.Wage = 3;
  N.AddGeneral(General);
  AddUnit(0, "AIR_FIGHTER", nullptr);  // 3 a round
  // The regions' ressources are not their round's values but the values worked out afresh.
  N.DoRound();
  EXPECT_FLOAT_EQ(N.RessourcesLast, 100.0f);
  EXPECT_FLOAT_EQ(N.Ressources, 100.0f + (1.6f + 1.6f) * 10 * 0.5f - 4 - 3 - 3);
}

TEST_F(NationRules, ResearchCompletesForEveryNationNewsOnlyForThePlayer) {
  for (int i : {0, 1}) {
    TNation& N = Nation(i);
    TTechnology* T = N.TechnologyTree.Technologies[0].get();
    ASSERT_EQ(T->Category, 0);
    T->RemainingPoints = 1.0f;
    N.TechnologyTree.Current = T;
    // Twenty-five scientists of civil skill 25: 625 / 500 = 1.25 points a round.
    for (int s = 0; s < 25; ++s) {
      TScientist Offer;
      Offer.Civil = 25.0f;
      N.AddScientist(Offer);
    }
    N.ResearchCivil = 3.0f;
  }
  Nation(0).DoRound();
  Nation(1).DoRound();
  for (int i : {0, 1}) {
    TNation& N = Nation(i);
    EXPECT_TRUE(N.TechnologyTree.Technologies[0]->Researched) << i;
    EXPECT_EQ(N.TechnologyTree.Current, nullptr);
    EXPECT_FLOAT_EQ(N.TechnologyTree.Technologies[0]->RemainingPoints, -0.25f);
    EXPECT_EQ(N.Score, 15);  // researched 10 + survived 5
    EXPECT_EQ(N.ResearchCivilLast, 3.0f);
  }
  ASSERT_EQ(Nation(0).Messages.Messages.size(), 1u);
  EXPECT_EQ(Nation(0).Messages.Messages[0].Text,
            "researched " + Nation(0).TechnologyTree.Technologies[0]->GetName());
  EXPECT_EQ(Nation(0).Messages.Messages[0].Category, "science");
  EXPECT_EQ(Nation(0).Messages.Messages[0].Kind, 2);
  EXPECT_TRUE(Nation(1).Messages.Messages.empty());
}

TEST_F(NationRules, MilitaryResearchTakesMilitaryPointsAndOtherCategoriesNone) {
  TNation& N = Nation(2);
  TTechnology* Military = nullptr;
  for (auto& T : N.TechnologyTree.Technologies)
    if (T->Category == 1) Military = T.get();
  ASSERT_NE(Military, nullptr);
  Military->RemainingPoints = 5.0f;
  N.TechnologyTree.Current = Military;
  TScientist Offer;
  Offer.Military = 100.0f;  // 0.2 a round
  Offer.Civil = 500.0f;
  N.AddScientist(Offer);
  N.DoRound();
  EXPECT_FLOAT_EQ(Military->RemainingPoints, 4.8f);
  EXPECT_EQ(N.TechnologyTree.Current, Military);

  // A technology of a third category, loaded from the file, is researched by neither kind.
  const std::string File = R"(<technologies><technology nameger="Zukunft" nameeng="Future" image="" researchtime="3" )"
                           R"(category="2" ID="tech_future"><prerequisites/></technology></technologies>)";
  TXMLDocument Document;
  Document.LoadFromMemory(File.data(), File.size(), "technologies.xml");
  N.TechnologyTree.LoadFromDocument(Document);
  TTechnology& Future = *N.TechnologyTree.Technologies.at(0);
  EXPECT_EQ(Future.Category, 2);
  Future.RemainingPoints = 3.0f;
  N.TechnologyTree.Current = &Future;
  for (int Round = 0; Round < 3; ++Round) N.DoRound();
  EXPECT_FLOAT_EQ(Future.RemainingPoints, 3.0f);
  EXPECT_FALSE(Future.Researched);
  EXPECT_EQ(N.TechnologyTree.Current, &Future);
}

TEST_F(NationRules, SpiesGetTheirActionAndOnlyTheLivingScore) {
  TNation& N = Nation(3);
  TSpy Offer;
  N.AddSpy(Offer)->HasAction = false;
  N.DoRound();
  EXPECT_TRUE(N.Spies[0]->HasAction);
  EXPECT_EQ(N.Score, 5);
  N.Dead = true;
  N.DoRound();
  EXPECT_EQ(N.Score, 5);
}
