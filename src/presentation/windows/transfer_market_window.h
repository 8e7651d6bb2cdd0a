#pragma once
// The transfer market window "transfermarket": the market's offers and the current player's
// staff in two lists grouped by kind, the selected person's portrait and attributes, and one
// button that hires from the market or fires from the staff.
#include <cstdint>
#include <string>
#include <vector>

#include "gui/list_item.h"

class TGame;
class TScientist;
class TGeneral;
class TSpy;

// The person a row ID names: the market's or the player's scientist, general or spy at the
// index after the row's prefix. Header rows, other names and indexes that are no longer in the
// list name nobody.
struct TStaffRow {
  TScientist* Scientist = nullptr;
  TGeneral* General = nullptr;
  TSpy* Spy = nullptr;
  bool FromMarket = false;
  std::int32_t Index = -1;
  bool Empty() const { return !Scientist && !General && !Spy; }
  // Whether Row still shows this person, by the serial the row was filled with. A list left from
  // before the market changed may name another person by the same index, and a new offer may
  // even take the place in memory of the one that went, under the same name.
  bool ShownIn(const TListItem& Row) const;
};
TStaffRow StaffFromRowID(const std::string& ID);

// One line of the attribute panel: label key, and a gauge value (0..100) or a money text.
struct TStaffAttribute {
  std::string LabelKey;
  float Gauge = -1.0f;  // -1: no gauge, the text is shown instead
  std::string Text;
};
std::vector<TStaffAttribute> StaffAttributes(const TStaffRow& Person);

void TransferMarketWindow_Show(TGame& Game);
// The lists again after the market's own round, which removes old offers: round processing
// calls it once the market has changed.
void TransferMarketWindow_Refresh(TGame& Game);
void TransferMarketWindow_Click(TGame& Game, const std::string& Name);
void TransferMarketWindow_Render(TGame& Game);
void RegisterTransferMarketWindow(TGame& Game);
