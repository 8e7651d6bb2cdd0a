#pragma once
// The transfer market's part of a savegame, read in two steps like the other world parts:
// ReadTransferMarketState checks every offer of a "transfermarket" element and builds the new
// offers apart from the market; ApplyTransferMarketState hands them over and cannot fail.
#include <memory>
#include <vector>

#include "world/staff.h"

class TTransferMarket;
class TXMLNode;

struct TTransferMarketSaveState {
  std::vector<std::unique_ptr<TScientist>> Scientists;
  std::vector<std::unique_ptr<TGeneral>> Generals;
  std::vector<std::unique_ptr<TSpy>> Spies;
};

// Throws EDataError naming the file, line, element and the value at fault.
TTransferMarketSaveState ReadTransferMarketState(const TXMLNode& Node);
// Replaces every offer; loaded offers count as offered in round 0.
void ApplyTransferMarketState(TTransferMarket& Market, TTransferMarketSaveState&& State) noexcept;
