// Saving and loading the world's savegame parts: 150 regions, 5 nations with 100 units each,
// staff and full build queues, 100 rounds of statistics and a full transfer market.
#include <benchmark/benchmark.h>

#include "engine/engine_globals.h"
#include "support/fixture_world_types.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "platform/xml_document.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/unit_type.h"
#include "world/world_globals.h"
#include "world/world_save.h"

namespace {
constexpr int SaveRegionCount = 150;

void BuildSaveWorld() {
  LoadFixtureWorldTypes();
  const auto& Types = gBuildingTypePool->Types;
  gRegions.clear();
  for (int r = 0; r < SaveRegionCount; ++r) {
    auto R = std::make_unique<TRegion>();
    R->ID = r;
    R->Names = {"Region", "Region"};
    R->Owner = static_cast<std::uint8_t>(r % 30 == 29 ? 5 : r / 30);
    R->Population = 0.5f + static_cast<float>(r) / 1000.0f;
    R->Loyality = 0.7f;
    R->Defense = 0.4f;
    for (int k = 0; k < 6; ++k)
      R->Buildings[static_cast<std::size_t>(k / 3)][static_cast<std::size_t>(k % 3)].Type =
          Types[static_cast<std::size_t>((r + k) % 5)].get();
    R->Neighbours = {(r + 1) % SaveRegionCount, (r + SaveRegionCount - 1) % SaveRegionCount};
    gRegions.push_back(std::move(R));
  }
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    auto N = std::make_unique<TNation>();
    N->ID = static_cast<std::uint8_t>(i);
    N->Names = {"Nation", "Nation"};
    N->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
    N->TechnologyTree.Technologies[0]->Researched = true;
    N->TechnologyTree.Current = N->TechnologyTree.Technologies[1].get();
    N->Ressources = 1000.0f;
    for (int s = 0; s < 5; ++s) {
      TScientist Scientist;
      Scientist.Name = "Curt Weiss";
      Scientist.Civil = 50.0f;
      N->AddScientist(Scientist);
      TGeneral General;
      General.Name = "Otto Lang " + std::to_string(s);
      N->AddGeneral(General);
    }
    TSpy Spy;
    Spy.ResetBuildingData();
    N->AddSpy(Spy);
    for (std::size_t q = 0; q < TNation::MaxBuildQueue; ++q) N->AddToBuildQueueByIndex(static_cast<std::int32_t>(q % 3));
    for (int d = 0; d < 10; ++d) N->AddDivision("", static_cast<std::int32_t>(i * 30 + d));
    for (int d = 0; d < 5; ++d) N->AssignGeneral(*N->Generals[static_cast<std::size_t>(d)], *N->Divisions[static_cast<std::size_t>(d)]);
    for (int u = 0; u < 100; ++u) N->AddUnit(u % 3)->Division = N->Divisions[static_cast<std::size_t>(u % 10)].get();
    gNations[i] = std::move(N);
  }
  gStatisticServer = std::make_unique<TStatisticServer>();
  for (int Round = 0; Round < 100; ++Round) {
    gNations[Round % 5]->Score += Round;
    gStatisticServer->Update();
  }
  gTransferMarket = std::make_unique<TTransferMarket>();
  for (int o = 0; o < 15; ++o) {
    gTransferMarket->Scientists.push_back(std::make_unique<TScientist>());
    gTransferMarket->Generals.push_back(std::make_unique<TGeneral>());
    gTransferMarket->Spies.push_back(std::make_unique<TSpy>());
  }
}

void FreeSaveWorld() {
  gTransferMarket.reset();
  gStatisticServer.reset();
  for (auto& N : gNations) N.reset();
  gRegions.clear();
  gBuildingTypePool.reset();
  gUnitTypePool.reset();
  gVirtualFileSystem.reset();
}

std::string SaveWorldText() {
  TXMLDocument D;
  TWorldSave::Save(D.CreateRoot("savestate"));
  return D.SaveToString();
}
}  // namespace

static void BM_SaveWorldParts(benchmark::State& State) {
  BuildSaveWorld();
  std::size_t Bytes = 0;
  for (auto _ : State) Bytes = SaveWorldText().size();
  State.counters["bytes"] = static_cast<double>(Bytes);
  FreeSaveWorld();
}
BENCHMARK(BM_SaveWorldParts)->Unit(benchmark::kMillisecond);

static void BM_LoadWorldParts(benchmark::State& State) {
  BuildSaveWorld();
  const std::string Text = SaveWorldText();
  for (auto _ : State) {
    TXMLDocument D;
    D.LoadFromMemory(Text.data(), Text.size(), "savegame.xml");
    TWorldSave::Load(D.Root());
  }
  if (SaveWorldText() != Text) State.SkipWithError("the loaded world saves differently");
  FreeSaveWorld();
}
BENCHMARK(BM_LoadWorldParts)->Unit(benchmark::kMillisecond);
