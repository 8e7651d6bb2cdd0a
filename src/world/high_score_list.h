#pragma once
// The best results of finished games on this machine, best first, kept in "highscore.xml". The
// game object owns the one list (gHighScoreList): created at start-up, entered into at the end of
// a game, saved at shut-down.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TXMLDocument;

struct THighScoreListEntry {
  std::string PlayerName;
  std::int32_t PlayerNation = 0;  // nation index 0..4
  std::int32_t TotalTurns = 0;    // the round number at the end of the game
  std::int32_t Score = 0;
};

class THighScoreList {
public:
  static constexpr const char* FileName = "highscore.xml";

  std::int32_t LastIndex = -1;  // the entry made by the last AddScore; -1 when it made none
  std::vector<THighScoreListEntry> Entries;  // best first

  // Reads "highscore.xml" from the user's file folder (or from the user's configuration folder,
  // where it goes when that folder cannot be written). A missing file gives the default list, written
  // at once; a broken one is logged, kept beside as "highscore.xml.broken" and replaced by the
  // default list, so a damaged file never stops the game from starting.
  THighScoreList();
  explicit THighScoreList(std::filesystem::path Folder);
  // A list read from the bytes of a "highscore.xml" held in memory, as the file would be read (a
  // broken text is logged and gives the default list). It has no folder and is never saved:
  // AddScore and the destructor leave the disk alone, SaveToString gives the file's text.
  THighScoreList(std::string_view Bytes, std::string_view FileName);
  // Saves the list (a list from memory is not saved).
  ~THighScoreList();
  THighScoreList(const THighScoreList&) = delete;
  THighScoreList& operator=(const THighScoreList&) = delete;

  // Five entries: the localised default name, nations 0..4, 5 rounds, scores 50 down to 10.
  void SetDefaults();
  // Enters the human player's result (gPlayerNation's player name and score, gCurrentTurn) and
  // saves the list at once, so the result survives a crash.
  void AddScore();
  // The same for a given result: it goes in above the first entry with a lower score (equal
  // scores stay above it), the last entry drops out; the number of entries never changes.
  void AddScore(const THighScoreListEntry& Entry);

  // Written safely into the list's folder (the user's data folder when that fails); false when
  // it could not be written anywhere, which is logged.
  bool SaveToFile(const std::string& Name);
  // The list as the text SaveToFile writes.
  std::string SaveToString() const;
  // Replaces the entries by those of the file; throws EDataError naming the file, line, element
  // and value at fault, and then the entries stay as they were.
  void LoadFromFile(const std::string& Name);
  // The same for the bytes of a file held in memory; FileName names it in the error.
  void LoadFromMemory(std::string_view Bytes, std::string_view FileName);

  const std::filesystem::path& Folder() const { return ListFolder; }

private:
  std::filesystem::path ListFolder;
  bool InMemory = false;
  void Create();
  void ReadEntries(const TXMLDocument& Document);
  void WriteEntries(TXMLDocument& Document) const;
};
