#pragma once
// Savegame files of the game: the ".name" side file beside every savegame, the numbering of new
// savegames and the date and time texts they carry. The document itself is written and read by
// TGame::SaveToXML and TGame::LoadFromXML.
#include <filesystem>
#include <optional>
#include <string>

// The four lines of a side file: the save name, "hotseat" or "singleplayer", the short date and
// the long time of the save.
struct TSideFile {
  std::string SaveName;
  std::string Mode;
  std::string Date;
  std::string Time;
};

// The side file of a savegame: its name with ".xml" replaced by ".name".
std::filesystem::path SideFileFor(const std::filesystem::path& SaveGame);
std::string SideFileText(const TSideFile& Side);
// Reads a side file; lines may end in CR LF. None when it cannot be read or has fewer than two
// lines (a leftover of a save that was cut off); the missing date and time stay empty.
std::optional<TSideFile> ReadSideFile(const std::filesystem::path& File);

// "savegame<N>.xml" in Folder with the first N from 2 whose savegame and side file are both
// free, so a new save never replaces one on disk.
std::filesystem::path NextFreeSaveGame(const std::filesystem::path& Folder);

// The current date and time in the user's short date and long time formats.
std::string ShortDateText();
std::string LongTimeText();
