#include <gtest/gtest.h>

#include "world/region.h"
#include "world/staff.h"

TEST(Staff, AssignCopiesAllButTheOfferRoundAndTheDivision) {
  TGeneral G;
  G.Name = "Olek Varga";
  G.Wage = 20;
  G.Movement = 5.0f;
  G.OfferedTurn = 4;
  G.Division = reinterpret_cast<TDivision*>(&G);  // only compared, never used
  TGeneral H;
  G.Assign(H);
  EXPECT_EQ(H.Name, "Olek Varga");
  EXPECT_EQ(H.Wage, 20);
  EXPECT_EQ(H.Movement, 5.0f);
  EXPECT_EQ(H.Division, nullptr);
  EXPECT_EQ(H.OfferedTurn, 0);

  TRegion Region;
  TSpy S;
  S.Region = &Region;
  S.Hiding = 55.0f;
  S.DivisionData = {"Division 0: 3 units"};
  S.OfferedTurn = 9;
  TSpy T;
  S.Assign(T);
  EXPECT_EQ(T.Region, &Region);
  EXPECT_EQ(T.Hiding, 55.0f);
  EXPECT_EQ(T.OfferedTurn, 0);
  S.DivisionData[0] = "changed";
  EXPECT_EQ(T.DivisionData, (std::vector<std::string>{"Division 0: 3 units"}));
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
