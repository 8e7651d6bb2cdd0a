#include "world/round_messages.h"

#include <array>

#include "engine/list_box_rows.h"
#include "engine/localization.h"

void TRoundMessageList::Add(const std::string& Text, const std::string& Category, std::int32_t Region,
                            std::int32_t Kind) {
  Messages.push_back(TRoundMessage{Text, Category, Region, Kind});
}

void TRoundMessageList::Clear() { Messages.clear(); }

void TRoundMessageList::FillWindow(TListBoxRows& ListBox) const {
  ListBox.Clear();
  if (Messages.empty()) return;
  // A kind outside the shown range is a producer's mistake; such a message is left out rather
  // than counted past the end of the table.
  std::array<int, KindCount> Count{};
  for (const TRoundMessage& M : Messages)
    if (M.Kind >= 0 && M.Kind < KindCount) ++Count[static_cast<std::size_t>(M.Kind)];
  for (std::int32_t K = 0; K < KindCount; ++K) {
    if (Count[static_cast<std::size_t>(K)] == 0) continue;
    const std::string Number = std::to_string(K);
    ListBox.AddItem(Localize("szStrNewsCatName" + Number), "news_cat_" + Number, "", 0);
    for (std::size_t i = 0; i < Messages.size(); ++i)
      if (Messages[i].Kind == K)
        ListBox.AddItem(Messages[i].Text, "roundmessage_" + std::to_string(i), "gui_icon_message",
                        static_cast<std::int32_t>(i));
  }
}
