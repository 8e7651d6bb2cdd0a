#pragma once
// Every folder the game writes the user's files into, decided here and nowhere else, and the
// system facts the log reports.
#include <filesystem>
#include <string>
#include <string_view>

// True when a file can be created in Folder (it exists and is writable for this user).
bool FolderWritable(const std::filesystem::path& Folder);
// The user's configuration folder for the game: $XDG_CONFIG_HOME/tarnova when XDG_CONFIG_HOME is
// an absolute path, else ~/.config/tarnova. Not created here.
std::filesystem::path UserConfigFolder();
// The folder of the user's files (settings, high scores, the log, the computer opponents' logs):
// the program folder while it is writable, else UserConfigFolder(), created when missing.
std::filesystem::path UserFileFolder();
// Where a user file goes when writing it into its folder failed: UserConfigFolder(), created when
// missing; empty when it cannot be created.
std::filesystem::path UserFallbackFolder();
// The user's documents folder (the savegames and screenshots go below it): XDG_DOCUMENTS_DIR from
// the environment, else from user-dirs.dirs in the configuration home, else ~/Documents.
std::filesystem::path DocumentsFolder();
// The documents folder that the text of a user-dirs.dirs file names in its first
// XDG_DOCUMENTS_DIR line with "$HOME/..." or an absolute path (in double quotes or not), "$HOME"
// read as Home; empty when no line names one.
std::filesystem::path DocumentsFolderFromUserDirs(std::string_view Text, const std::filesystem::path& Home);
// The name of the user's language from LC_ALL, LC_MESSAGES or LANG ("English (United States)"
// style where known, else the locale name; "unknown" when none is set).
std::string SystemLanguageName();
