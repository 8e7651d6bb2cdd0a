#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "engine/script_manager.h"

TEST(ScriptManagerTest, NineteenNamesInRegistryOrder) {
  ASSERT_NE(gScriptManager, nullptr);  // made when the program starts
  const TStringList& V = gScriptManager->Variables;
  ASSERT_EQ(V.size(), 19u);
  EXPECT_EQ(V.front(), "region.population");
  EXPECT_EQ(V[6], "region.energy");
  EXPECT_EQ(V[11], "global.espionage");  // the last with an effect text
  EXPECT_EQ(V[12], "unit.defense.ground");
  EXPECT_EQ(V.back(), "loop.unit.other");
}

TEST(ScriptManagerTest, RegisterVariablesAppends) {
  TStringList List = {"mine"};
  TScriptManager::RegisterVariables(List);
  ASSERT_EQ(List.size(), 20u);
  EXPECT_EQ(List[0], "mine");
  EXPECT_EQ(List[1], "region.population");
}
