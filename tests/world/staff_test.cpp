#include <gtest/gtest.h>

#include "world/region.h"
#include "world/staff.h"

TEST(Staff, ScientistAndGeneralAssignCopyAllButTheOfferRoundAndDivision) {
  TScientist S;
  S.Name = "Ada Brenner";
  S.Image = "portrait_12";
  S.Cost = 300;
  S.Wage = 15;
  S.Military = 12.5f;
  S.Civil = 80.0f;
  S.OfferedTurn = 7;
  TScientist T;
  T.OfferedTurn = 2;
  S.Assign(T);
  EXPECT_EQ(T.Name, "Ada Brenner");
  EXPECT_EQ(T.Image, "portrait_12");
  EXPECT_EQ(T.Cost, 300);
  EXPECT_EQ(T.Wage, 15);
  EXPECT_EQ(T.Military, 12.5f);
  EXPECT_EQ(T.Civil, 80.0f);
  EXPECT_EQ(T.OfferedTurn, 2);

  TDivision* SomeDivision = reinterpret_cast<TDivision*>(&T);  // only compared, never used
  TGeneral G;
  G.Name = "Olek Varga";
  G.Image = "gui_icon_general";
  G.Cost = 500;
  G.Wage = 20;
  G.Defense = 30.0f;
  G.Attack = 60.0f;
  G.Movement = 5.0f;
  G.OfferedTurn = 4;
  G.Division = SomeDivision;
  TGeneral H;
  G.Assign(H);
  EXPECT_EQ(H.Name, "Olek Varga");
  EXPECT_EQ(H.Image, "gui_icon_general");
  EXPECT_EQ(H.Cost, 500);
  EXPECT_EQ(H.Wage, 20);
  EXPECT_EQ(H.Defense, 30.0f);
  EXPECT_EQ(H.Attack, 60.0f);
  EXPECT_EQ(H.Movement, 5.0f);
  EXPECT_EQ(H.Division, nullptr);
  EXPECT_EQ(H.OfferedTurn, 0);
}

TEST(Staff, SpyAssignCopiesTheReportsAsCopies) {
  TRegion Region;
  TSpy S;
  S.Name = "Ilja Sorn";
  S.Image = "gui_icon_spy";
  S.Region = &Region;
  S.RoundInfiltrated = 3;
  S.Cost = 250;
  S.Wage = 12;
  S.HasAction = true;
  S.Espionage = 70.0f;
  S.Sabotage = 40.0f;
  S.Hiding = 55.0f;
  S.BuildingDataTurn = 5;
  S.DivisionDataTurn = 6;
  S.DivisionData = {"Division 0: 3 units"};
  S.OfferedTurn = 9;
  TSpy T;
  S.Assign(T);
  EXPECT_EQ(T.Name, "Ilja Sorn");
  EXPECT_EQ(T.Image, "gui_icon_spy");
  EXPECT_EQ(T.Region, &Region);
  EXPECT_EQ(T.RoundInfiltrated, 3);
  EXPECT_EQ(T.Cost, 250);
  EXPECT_EQ(T.Wage, 12);
  EXPECT_TRUE(T.HasAction);
  EXPECT_EQ(T.Espionage, 70.0f);
  EXPECT_EQ(T.Sabotage, 40.0f);
  EXPECT_EQ(T.Hiding, 55.0f);
  EXPECT_EQ(T.BuildingDataTurn, 5);
  EXPECT_EQ(T.DivisionDataTurn, 6);
  EXPECT_EQ(T.OfferedTurn, 0);
  S.DivisionData[0] = "changed";
  EXPECT_EQ(T.DivisionData, (std::vector<std::string>{"Division 0: 3 units"}));
  T.Region = nullptr;
}

TEST(Staff, WithdrawUnlinksSpyAndRegionAndKeepsTheReports) {
  TRegion Region;
  TSpy S;
  S.Region = &Region;
  Region.Spy = &S;
  S.RoundInfiltrated = 4;
  S.HasAction = true;
  S.DivisionDataTurn = 4;
  S.Withdraw();
  EXPECT_EQ(Region.Spy, nullptr);
  EXPECT_EQ(S.Region, nullptr);
  EXPECT_FALSE(S.HasAction);
  EXPECT_EQ(S.RoundInfiltrated, -1);
  EXPECT_EQ(S.DivisionDataTurn, 4);
  S.Withdraw();  // a free spy: nothing to unlink
  EXPECT_EQ(S.Region, nullptr);
}

TEST(Staff, FreeingEitherSideOfAnInfiltrationLeavesNoDanglingLink) {
  auto Region = std::make_unique<TRegion>();
  {
    TSpy S;
    S.Region = Region.get();
    Region->Spy = &S;
  }
  EXPECT_EQ(Region->Spy, nullptr);
  TSpy S;
  S.Region = Region.get();
  Region->Spy = &S;
  Region.reset();
  EXPECT_EQ(S.Region, nullptr);
}
