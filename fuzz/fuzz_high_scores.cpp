// Reads arbitrary bytes as "highscore.xml" as the game does at start-up, through the list's
// reader of bytes in memory (no file written per input): the list must come up (a broken text
// gives the default list), every nation within range, a new result must keep the number of
// entries, and the list's text must read back the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "presentation/scenes/end_game_scene.h"
#include "world/high_score_list.h"
#include "world/world_globals.h"

namespace {

bool SameEntries(const THighScoreList& A, const THighScoreList& B) {
  if (A.Entries.size() != B.Entries.size()) return false;
  for (std::size_t i = 0; i < A.Entries.size(); ++i) {
    const THighScoreListEntry &X = A.Entries[i], &Y = B.Entries[i];
    if (X.PlayerName != Y.PlayerName || X.PlayerNation != Y.PlayerNation || X.TotalTurns != Y.TotalTurns ||
        X.Score != Y.Score)
      return false;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  gLog.reset();  // no log: it would hold every line of the whole run
  if (gLocalization.LanguageCodes.empty()) {
    gLocalization.LanguageCodes = {"ger", "eng"};
    gLocalization.Texts.assign(2, {});
    gLocalization.LanguageIndex = 1;
  }
  THighScoreList List(std::string_view(reinterpret_cast<const char*>(Data), Size), THighScoreList::FileName);
  for (const THighScoreListEntry& E : List.Entries) {
    Check(E.PlayerNation >= 0 && E.PlayerNation < static_cast<std::int32_t>(NationCount));
    HighScoreRowText(E);
  }
  const std::size_t Count = List.Entries.size();
  List.AddScore({"Fuzz", 2, 77, 45});
  Check(List.Entries.size() == Count);
  Check(List.LastIndex >= -1 && List.LastIndex < static_cast<std::int32_t>(Count));
  const THighScoreList Again(List.SaveToString(), THighScoreList::FileName);
  Check(SameEntries(List, Again));
  return 0;
}
