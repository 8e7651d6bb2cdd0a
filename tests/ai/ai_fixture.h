#pragma once
// The small fixture world of the rules tests with the five computer-opponent controllers of the
// game (basicAI personalities, nation i for controller i), AI logging on and the news texts the
// attacks use. Everything is put back at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "ai/ai_basic_personality.h"
#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "engine/engine_globals.h"
#include "world/rules_fixture.h"

class TAITest : public TRulesTest {
protected:
  void SetUp() override {
    TRulesTest::SetUp();
    SavedSettings = gSettings;
    gSettings.LogAI = true;
    gLocalization.AddKey("szStrNewsRegionLost", "%s verloren an %s", "%s lost to %s");
    gLocalization.AddKey("szStrNewsRegionDefend", "%s gehalten gegen %s", "%s held against %s");
    for (std::size_t i = 0; i < gNations.size(); ++i) {
      auto C = std::make_unique<TAIController>();
      C->Nation = gNations[i].get();
      C->Personality = std::make_unique<TAIBasicPersonality>("basicAI", 0, *C);
      gNations[i]->AIControlled = true;
      gAIControllers.push_back(std::move(C));
    }
  }
  void TearDown() override {
    gAIControllers.clear();
    gSettings = SavedSettings;
    TRulesTest::TearDown();
  }
  TAIController& Controller(int i) { return *gAIControllers[static_cast<std::size_t>(i)]; }
  TAIBasicPersonality& AI(int i) { return static_cast<TAIBasicPersonality&>(*Controller(i).Personality); }
  const TStringList& Plain(int i) { return Controller(i).Log->PlainLines; }
  bool Logged(int i, const std::string& Text) {
    const auto& L = Plain(i);
    return std::find(L.begin(), L.end(), Text) != L.end();
  }
  bool LoggedPart(int i, const std::string& Part) {
    const auto& L = Plain(i);
    return std::any_of(L.begin(), L.end(), [&](const std::string& Line) { return Line.find(Part) != std::string::npos; });
  }
  // A building type of our own, appended before the pool's unidentified type.
  TBuildingType* AddBuildingType(const std::string& ID, std::int32_t Category, std::int32_t Cost,
                                 std::vector<TBuildingEffect> Effects, const std::string& Tech = "") {
    auto T = std::make_unique<TBuildingType>();
    T->ID = ID;
    for (auto& Name : T->Names) Name = ID;
    T->Category = Category;
    T->BuildCost = Cost;
    T->BuildTime = 2;
    T->NeededTechID = Tech;
    T->Effects = std::move(Effects);
    auto& Types = gBuildingTypePool->Types;
    T->Number = static_cast<std::int32_t>(Types.size()) - 1;
    return Types.insert(Types.end() - 1, std::move(T))->get();
  }
  void EmptySlots(int R) {
    for (auto& Row : Region(R).Buildings)
      for (auto& Slot : Row) Slot = TBuilding{};
  }

  TGameSettings SavedSettings;
};
