#include "presentation/region_symbols.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "world/building_type.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/unit.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
class RegionSymbols : public ::testing::Test {
protected:
  void SetUp() override {
    for (std::size_t n = 0; n < gNations.size(); ++n) {
      gNations[n] = std::make_unique<TNation>();
      gNations[n]->ID = static_cast<std::uint8_t>(n);
    }
    for (int i = 0; i < 4; ++i) {
      gRegions.push_back(std::make_unique<TRegion>());
      gRegions.back()->ID = i;
      gRegions.back()->Owner = 1;
    }
    gRegions[0]->Neighbours = {1, 2};
    gRegions[3]->Owner = 2;
    gRegions[3]->Neighbours = {0};
    Fort.AttGround = 100;
  }
  void TearDown() override {
    gRegions.clear();
    for (auto& N : gNations) N.reset();
  }
  std::vector<std::string> Textures(const TRegionSymbolPlan& P) {
    std::vector<std::string> T;
    for (const TSymbolIcon& I : P.Icons) T.push_back(I.Texture);
    return T;
  }
  TUnitType Fort;
  TBuildingType House;
};
}  // namespace

TEST_F(RegionSymbols, ArrowsOnlyFromThePlayersSelectedRegionWithNeighbours) {
  // Selected both ways: once. Region 1 has no neighbours, region 3 is foreign.
  EXPECT_EQ(RegionsWithArrows(0, 0, 1), (std::vector<std::int32_t>{0}));
  EXPECT_EQ(RegionsWithArrows(1, 0, 1), (std::vector<std::int32_t>{0}));
  EXPECT_TRUE(RegionsWithArrows(1, -1, 1).empty());
  EXPECT_TRUE(RegionsWithArrows(3, -1, 1).empty());
  EXPECT_EQ(RegionsWithArrows(3, -1, 2), (std::vector<std::int32_t>{3}));
}

TEST_F(RegionSymbols, PlanOfTheStatusIcons) {
  TRegion& R = *gRegions[0];
  R.Pollution = 0.8f;
  R.Energy = 0.0f;
  TRegionSymbolPlan P = PlanRegionSymbols(R, 1, false);
  EXPECT_TRUE(P.OwnRegion);
  EXPECT_FALSE(P.NoEnergy);  // energy 0 is no shortage
  EXPECT_TRUE(P.Icons.empty());  // pollution 0.8 is not above 0.8

  R.Pollution = 0.81f;
  R.Energy = -0.1f;
  R.StatusIcon = "gui_icon_newbuilding";
  for (auto& Row : R.Buildings)
    for (TBuilding& Slot : Row) Slot.Type = &House;
  R.Buildings[1][1].Type = nullptr;  // under construction: no mark
  R.Buildings[1][1].FinishType = &House;
  TDivision* Army = gNations[1]->AddDivision("", 0);
  Army->HasMoved = true;
  P = PlanRegionSymbols(R, 1, true);
  EXPECT_EQ(P.Scale, 2.0f);
  EXPECT_TRUE(P.NoEnergy);
  EXPECT_EQ(P.Buildings, 8);
  EXPECT_EQ(Textures(P), (std::vector<std::string>{"gui_icon_highpollution", "gui_icon_newbuilding",
                                                   "gui_icon_army_star_empty", "gui_icon_lock"}));
  // Three units of 100 attack make three stars, 0.4 apart.
  for (int i = 0; i < 3; ++i) {
    gNations[1]->Units.push_back(std::make_unique<TUnit>());
    gNations[1]->Units.back()->UnitType = &Fort;
    gNations[1]->Units.back()->Division = Army;
  }
  P = PlanRegionSymbols(R, 1, false);
  ASSERT_EQ(Textures(P), (std::vector<std::string>{"gui_icon_highpollution", "gui_icon_newbuilding", "gui_icon_army_star",
                                                   "gui_icon_army_star", "gui_icon_army_star", "gui_icon_lock"}));
  EXPECT_FLOAT_EQ(P.Icons[2].Lower, -1.6f);
  EXPECT_FLOAT_EQ(P.Icons[4].Lower, -0.8f);

  // A foreign region: the outline only for a spy of the player's nation; nobody's and rebel
  // regions get the square flag.
  TRegion& Foreign = *gRegions[3];
  TSpy Spy;
  Spy.Name = "Mara";
  Spy.Nation = gNations[2].get();
  Foreign.Spy = &Spy;
  P = PlanRegionSymbols(Foreign, 1, false);
  EXPECT_FALSE(P.SpyOutline);
  EXPECT_FALSE(P.OwnRegion);
  Spy.Nation = gNations[1].get();
  P = PlanRegionSymbols(Foreign, 1, false);
  EXPECT_TRUE(P.SpyOutline);
  EXPECT_EQ(P.SpyName, "Mara");
  Foreign.Spy = nullptr;
  for (std::uint8_t Owner : {TRegion::OwnerNobody, TRegion::OwnerRebels}) {
    Foreign.Owner = Owner;
    P = PlanRegionSymbols(Foreign, 1, false);
    EXPECT_TRUE(P.SquareFlag);
    EXPECT_FALSE(P.OwnRegion);
    EXPECT_TRUE(P.Icons.empty());
  }
}

TEST_F(RegionSymbols, TheStepsGoPartByPartSoEveryRegionOfThePlayerTakesFewBatches) {
  // 141 regions of the player with bars, buildings, stars and a lock, every third without energy,
  // and one foreign region with a spy.
  std::vector<TRegionSymbolPlan> Plans(142);
  for (std::size_t i = 0; i < 141; ++i) {
    TRegionSymbolPlan& P = Plans[i];
    P.OwnRegion = true;
    P.Buildings = static_cast<int>(i % 3);
    P.NoEnergy = i % 3 == 0;
    P.Icons = {{"gui_icon_army_star"}, {"gui_icon_army_star"}, {i % 2 ? "gui_icon_lock" : "gui_icon_highpollution"}};
  }
  Plans[141].SpyOutline = true;
  const std::vector<TSymbolStep> Steps = OrderSymbolSteps(Plans);

  // Every part of every plan once, parts in drawing order, each part in the plans' order.
  std::size_t Icons = 0, Batches = 0;
  for (std::size_t s = 0; s < Steps.size(); ++s) {
    const TSymbolStep& Step = Steps[s];
    const std::string Texture = Step.Part == TSymbolPart::Icon ? Plans[Step.Plan].Icons[Step.Icon].Texture : "";
    if (s > 0) {
      const TSymbolStep& Last = Steps[s - 1];
      const std::string LastTexture = Last.Part == TSymbolPart::Icon ? Plans[Last.Plan].Icons[Last.Icon].Texture : "";
      ASSERT_LE(Last.Part, Step.Part) << s;
      if (Last.Part == Step.Part && Texture == LastTexture)
        EXPECT_LE(Last.Plan, Step.Plan) << s;
      else
        ++Batches;
    }
    Icons += Step.Part == TSymbolPart::Icon;
  }
  EXPECT_EQ(Icons, 141u * 3u);
  EXPECT_EQ(std::count_if(Steps.begin(), Steps.end(), [](const TSymbolStep& S) { return S.Part == TSymbolPart::Bars; }), 141);
  EXPECT_EQ(std::count_if(Steps.begin(), Steps.end(), [](const TSymbolStep& S) { return S.Part == TSymbolPart::BuildingMarks; }), 94);
  EXPECT_EQ(std::count_if(Steps.begin(), Steps.end(), [](const TSymbolStep& S) { return S.Part == TSymbolPart::NoEnergyIcon; }), 47);
  ASSERT_EQ(Steps.back().Part, TSymbolPart::Spy);
  EXPECT_EQ(Steps.back().Plan, 141u);
  // Bars, marks, shade, warning, three icon textures, the spy: eight batches, not one per region.
  EXPECT_EQ(Batches + 1, 8u);
}
