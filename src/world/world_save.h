#pragma once
// The world's parts of a savegame together: the nations, the transfer market, the regions and
// the statistics. Game
// control writes its own elements around them. Loading reads and checks every part first
// (Read) and only then changes the world (Apply), so a savegame with any bad value is refused
// as a whole and the running game stays exactly as it was.
#include <array>
#include <cstdint>
#include <vector>

#include "world/nation_save.h"
#include "world/region_save.h"
#include "world/statistics.h"
#include "world/transfer_market_save.h"
#include "world/world_globals.h"

class TXMLNode;

struct TWorldSaveState {
  std::uint8_t PlayerNation = 0;
  std::vector<TRegionSaveState> Regions;  // one per region of gRegions
  std::array<TNationSaveState, NationCount> Nations;
  TTransferMarketSaveState TransferMarket;
  TStatisticSaveState Statistics;
};

class TWorldSave {
public:
  // Appends to the savegame's root, in this order: "nations" (attribute "playernation", then
  // every nation's element), "transfermarket", "regions" (attribute "count", then every
  // region's element) and "statistics". The elements are found by name when loading.
  static void Save(TXMLNode Root);
  // Every value of the world's elements under Root, checked against the running world's types,
  // regions and technologies. Throws EDataError naming file, line, element and value.
  static TWorldSaveState Read(const TXMLNode& Root);
  // Puts a read state into gRegions, gNations, gPlayerNation, gTransferMarket and gStatisticServer.
  static void Apply(TWorldSaveState&& State) noexcept;
  // Read, then Apply.
  static void Load(const TXMLNode& Root);
};
