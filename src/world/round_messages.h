#pragma once
// The news of one round of one nation: regions, the nation's round, the computer opponents and
// the autosave add messages; at the end of the round the human player's list is shown in the
// information centre, grouped by kind; every list is emptied at the start of the next round.
#include <cstdint>
#include <string>
#include <vector>

class TListBoxRows;

struct TRoundMessage {
  std::string Text;      // finished, localised text
  std::string Category;  // "regioninfo", "military", "science" or ""
  std::int32_t Region = -1;  // region index the message is about, -1 for none
  // Group in the list box: 0 region news, 1 military news, 2 technology researched, 3 autosave.
  std::int32_t Kind = 0;
};

class TRoundMessageList {
public:
  // Kinds 0 .. KindCount-1 can be shown.
  static constexpr std::int32_t KindCount = 5;

  std::vector<TRoundMessage> Messages;  // in the order added

  void Add(const std::string& Text, const std::string& Category, std::int32_t Region, std::int32_t Kind);
  void Clear();
  // Clears the list box and fills it with a header row per kind that has messages, each followed
  // by its messages in list order ("roundmessage_" + list index; Data = the list index).
  void FillWindow(TListBoxRows& ListBox) const;
};
