#include "presentation/region_symbols.h"

#include <gtest/gtest.h>

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
