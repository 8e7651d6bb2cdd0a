// Reads arbitrary bytes as the world's parts of a savegame into a small world (the test fixtures'
// types, technologies and five regions): a broken savegame must end in a data error and leave
// the world as it was; an accepted one must leave every link sound. Every input meets a fresh
// world, so a finding reproduces from its input alone.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/engine_globals.h"
#include "support/fixture_world_types.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "world/building_type.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/unit_type.h"
#include "world/world_globals.h"
#include "world/world_save.h"

namespace {
// The types are read once (a savegame does not change them); regions, nations, market and
// statistics are made anew for every input.
void BuildWorld() {
  if (!gUnitTypePool) {
    LoadFixtureWorldTypes();
    gLog.reset();  // no log: it would hold every line of the whole run
  }
  for (auto& Nation : gNations) Nation.reset();
  gPlayerNation = 0;
  TEarth Earth;
  Earth.Init("data\\XML\\regions.xml");
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i] = std::make_unique<TNation>();
    gNations[i]->ID = static_cast<std::uint8_t>(i);
    gNations[i]->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
  }
  gStatisticServer = std::make_unique<TStatisticServer>();
  gTransferMarket = std::make_unique<TTransferMarket>();
}

std::string Saved() {
  TXMLDocument D;
  TWorldSave::Save(D.CreateRoot("savestate"));
  return D.SaveToString();
}

void CheckLinks() {
  for (const auto& Nation : gNations) {
    for (const auto& Spy : Nation->Spies)
      if (Spy->Nation != Nation.get()) __builtin_trap();
    for (const auto& Unit : Nation->Units)
      if (!Unit->UnitType) __builtin_trap();
    for (const auto& Division : Nation->Divisions)
      if (Division->General && Division->General->Division != Division.get()) __builtin_trap();
    for (std::int32_t Type : Nation->BuildQueueTypes)
      if (Type < 0 || static_cast<std::size_t>(Type) >= gUnitTypePool->Types.size()) __builtin_trap();
  }
  for (const auto& Region : gRegions)
    if (Region->Owner > 6) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TXMLDocument D;
  try {
    D.LoadFromMemory(Data, Size, "savegame.xml");
  } catch (const ETarnovaError&) {
    return 0;
  }
  if (!D.Root()) return 0;
  BuildWorld();
  const std::string Before = Saved();
  try {
    TWorldSave::Load(D.Root());
  } catch (const EDataError&) {
    if (Saved() != Before) __builtin_trap();  // a refused savegame changed the world
    return 0;
  }
  CheckLinks();
  return 0;
}
