#include <gtest/gtest.h>

#include "platform/platform_globals.h"
#include "platform/random.h"
#include "world/rules_fixture.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/world_save.h"
#include "world_round.h"

namespace {
// A seeded game on the fixture data, played for some rounds, saved, loaded into a fresh world and
// played on: the savegame must hold everything the rules decide by.
class SavegameRounds : public TRulesTest {
protected:
  void SetUp() override {
    TRulesTest::SetUp();
    gStatisticServer = std::make_unique<TStatisticServer>();
  }
  void TearDown() override {
    gStatisticServer.reset();
    TRulesTest::TearDown();
  }

  static std::string Saved() {
    TXMLDocument D;
    TWorldSave::Save(D.CreateRoot("savestate"));
    return D.SaveToString();
  }
  static void Load(const std::string& Text) {
    auto Document = XMLFromText(Text, "savegame.xml");
    TWorldSave::Load(Document->Root());
  }
  // The rounds as the game plays them: the statistics before the round counter moves on; a
  // nation without research starts the next technology.
  void Play(int Rounds) {
    for (int Round = 0; Round < Rounds; ++Round) {
      PlayWorldRound([] { gStatisticServer->Update(); });
      for (auto& N : gNations)
        if (!N->TechnologyTree.Current)
          for (auto& Tech : N->TechnologyTree.Technologies)
            if (!Tech->Researched) {
              Tech->RemainingPoints = Tech->ResearchTime;
              N->TechnologyTree.Current = Tech.get();
              break;
            }
    }
  }
  void StartGame() {
    SetRandomSeed(4711);
    gTransferMarket->Regenerate(15, 15, 15);
    Build(0, 0, 0, "building_powerplant");
    Build(0, 0, 1, "building_greenhouse");
    Build(0, 0, 2, "building_research");
    Build(1, 0, 0, "building_greenhouse");
    Build(2, 0, 0, "building_powerplant");
    Build(2, 1, 0, "building_bunker");
    Region(2).Buildings[1][1].FinishType = Building("building_greenhouse");
    Region(2).Buildings[1][1].FinishTime = 3;
    TNation& A = Nation(0);
    TNation& B = Nation(1);
    A.Ressources = 500.0f;
    B.Ressources = 300.0f;
    for (int i = 0; i < 3; ++i) {
      A.AddScientist(*gTransferMarket->Scientists[0]);
      gTransferMarket->RemoveScientist(0);
    }
    B.AddGeneral(*gTransferMarket->Generals[0]);
    gTransferMarket->RemoveGeneral(0);
    TSpy* Spy = B.AddSpy(*gTransferMarket->Spies[0]);
    gTransferMarket->RemoveSpy(0);
    Spy->Region = &Region(0);
    Region(0).Spy = Spy;
    TDivision* Army = B.AddDivision("", 2);
    B.AssignGeneral(*B.Generals[0], *Army);
    A.AddToBuildQueue(*gUnitTypePool->FindByID("INF_LIGHT"));
    A.AddToBuildQueue(*gUnitTypePool->FindByID("INF_HEAVY"));
    B.AddToBuildQueue(*gUnitTypePool->FindByID("AIR_FIGHTER"));
    B.AddUnit(TypeIndex("INF_LIGHT"))->Division = Army;
    A.TechnologyTree.Current = A.TechnologyTree.FindByName("tech_basics");
    A.TechnologyTree.Current->RemainingPoints = 6.0f;
    gStatisticServer->Init();
  }
};
}  // namespace

TEST_F(SavegameRounds, TenSeededRoundsSaveLoadIntoAFreshWorldAndSaveTheSameBytes) {
  StartGame();
  Play(10);
  const std::string First = Saved();
  const std::int32_t Turn = gCurrentTurn;
  const std::uint32_t Seed = gRandomSeed;
  // The world the rounds made, played on without a break.
  Play(5);
  const std::string Continued = Saved();

  TearDown();
  SetUp();
  ASSERT_NE(Saved(), First);
  Load(First);
  EXPECT_EQ(Saved(), First);

  // Played on from the savegame, the rules decide every value as in the unbroken game, the
  // transfer market included.
  gCurrentTurn = Turn;
  SetRandomSeed(Seed);
  Play(5);
  EXPECT_EQ(Saved(), Continued);
}

// Research set aside half done and taken up again starts from its full time, so the savegame
// (which keeps only the current research's points) continues as the unbroken game.
TEST_F(SavegameRounds, ResearchTakenUpAgainAfterALoadGoesOnAsInTheUnbrokenGame) {
  StartGame();
  Play(3);
  const auto Start = [this](const char* Key) { Nation(0).TechnologyTree.FindByName(Key)->StartResearch(); };
  const TTechnology& Energy = *Nation(0).TechnologyTree.FindByName("tech_energy");
  ASSERT_FALSE(Energy.Researched);
  Start("tech_energy");
  Play(3);
  ASSERT_GT(Energy.RemainingPoints, 0.0f);
  ASSERT_LT(Energy.RemainingPoints, Energy.ResearchTime);
  Start("tech_armour");
  const std::string First = Saved();
  const std::int32_t Turn = gCurrentTurn;
  const std::uint32_t Seed = gRandomSeed;
  Start("tech_energy");
  EXPECT_EQ(Energy.RemainingPoints, Energy.ResearchTime);
  Play(5);
  const std::string Continued = Saved();

  TearDown();
  SetUp();
  Load(First);
  gCurrentTurn = Turn;
  SetRandomSeed(Seed);
  Start("tech_energy");
  Play(5);
  EXPECT_EQ(Saved(), Continued);
}
