#pragma once
// Where the game may write its user files when the program folder cannot take them, and the
// system facts the log reports.
#include <filesystem>
#include <string>

// True when a file can be created in Folder (it exists and is writable for this user).
bool FolderWritable(const std::filesystem::path& Folder);
// The user's configuration folder for the game: $XDG_CONFIG_HOME/tarnova, else
// ~/.config/tarnova. Not created here.
std::filesystem::path UserConfigFolder();
// The name of the user's language from LC_ALL, LC_MESSAGES or LANG ("English (United States)"
// style where known, else the locale name; "unknown" when none is set).
std::string SystemLanguageName();
