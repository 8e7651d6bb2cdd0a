// Reads arbitrary bytes as "highscore.xml" as the game does at start-up: the list must come up
// (a broken file gives the default list and is kept aside), every nation within range, a new
// result must keep the number of entries, and the list saved at the end must read back the same.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "presentation/scenes/end_game_scene.h"
#include "world/high_score_list.h"
#include "world/world_globals.h"

namespace fs = std::filesystem;

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
  static const TFuzzFolder Temp("scores-");
  gLog.reset();  // no log: it would hold every line of the whole run
  if (gLocalization.LanguageCodes.empty()) {
    gLocalization.LanguageCodes = {"ger", "eng"};
    gLocalization.Texts.assign(2, {});
    gLocalization.LanguageIndex = 1;
  }
  std::error_code Ignored;
  fs::remove(Temp.Path / "highscore.xml.broken", Ignored);
  {
    std::ofstream Out(Temp.Path / THighScoreList::FileName, std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  std::size_t Count = 0;
  {
    THighScoreList List(Temp.Path);
    Check(List.Folder() == Temp.Path);
    for (const THighScoreListEntry& E : List.Entries) {
      Check(E.PlayerNation >= 0 && E.PlayerNation < static_cast<std::int32_t>(NationCount));
      HighScoreRowText(E);
    }
    Count = List.Entries.size();
    List.AddScore({"Fuzz", 2, 77, 45});
    Check(List.Entries.size() == Count);
    Check(List.LastIndex >= -1 && List.LastIndex < static_cast<std::int32_t>(Count));
    // The destructor saves the list; read it back before it goes.
    Check(List.SaveToFile(THighScoreList::FileName));
    THighScoreList Again(Temp.Path);
    Check(SameEntries(List, Again));
  }
  return 0;
}
