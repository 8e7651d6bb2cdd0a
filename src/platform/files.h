#pragma once
// Files on disk. The game names files the way its data was written: "data\XML\units.xml",
// backslashes and any letter case. On disk "\" becomes "/" and each component is matched without
// regard to letter case (an exact match first). Nothing here changes the working directory:
// relative names are resolved against the program folder.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The folder relative names are resolved against: the executable's folder unless set.
const std::filesystem::path& ProgramFolder();
// Tests and tools point the game at another folder.
void SetProgramFolder(const std::filesystem::path& Folder);

// The existing file or folder that Name denotes (relative names against Root), matched
// component by component without regard to case; none when it does not exist.
std::optional<std::filesystem::path> FindOnDisk(const std::filesystem::path& Root, std::string_view Name);
std::optional<std::filesystem::path> FindOnDisk(std::string_view Name);
// A path for writing Name: existing folders are found as FindOnDisk does, the rest is taken as written.
std::filesystem::path DiskPathFor(const std::filesystem::path& Root, std::string_view Name);
std::filesystem::path DiskPathFor(std::string_view Name);

bool IsRegularFile(const std::optional<std::filesystem::path>& Path);
bool IsFolder(const std::optional<std::filesystem::path>& Path);

// Names (with extension, without folder) of the regular files in Folder whose extension equals
// Ext without regard to case (Ext with its dot; empty takes all). Dot-files are skipped.
// Sorted by name, ASCII letters folded, so the order is the same on every machine.
std::vector<std::string> ListFolder(const std::filesystem::path& Folder, std::string_view Ext);

// Reads a whole file; none when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& Path);

// Writes a user file safely: a temporary file in the same folder, flushed and synced to disk,
// then renamed over the target. The old file stays intact when anything fails; Error says why.
bool SafeWriteFile(const std::filesystem::path& Path, std::string_view Data, std::string* Error = nullptr);
// Writes files that belong together (a savegame and its side file) the same way: every one to its
// temporary file first, and only when all are whole are they renamed into place, in order. Any
// failure leaves every old file as it was (files already replaced get their old content back).
struct TFileToWrite {
  std::filesystem::path Path;
  std::string_view Data;
};
bool SafeWriteFiles(std::span<const TFileToWrite> Files, std::string* Error = nullptr);
// The link and rename calls of the safe writes (POSIX: 0 on success, -1 with errno set). Tests put
// failing ones in place to see a file system without links, or a rename refused half-way.
struct TFileOperations {
  std::function<int(const char* From, const char* To)> Link;
  std::function<int(const char* From, const char* To)> Rename;
};
// Puts Operations in place (an empty one stands for the system call); returns the previous ones.
TFileOperations SetFileOperations(TFileOperations Operations);
// True for a temporary file the safe writes leave behind when the game is killed mid-write:
// "<target>.tmp<pid>" or "<target>.old.tmp<pid>" of a target ending in Ext (any when empty),
// written by a process that no longer runs (or by this one, which is not writing while it asks).
bool IsStaleTemporaryName(std::string_view Name, std::string_view Ext);
// Removes those files for targets of the given extensions from Folder; the number removed.
std::int32_t RemoveStaleTemporaryFiles(const std::filesystem::path& Folder, std::initializer_list<std::string_view> Exts);

// Writes a line for a developer watching the program (stderr when TARNOVA_DEBUG_OUTPUT is set).
void DebugOutput(std::string_view Text);
