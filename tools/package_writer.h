#pragma once
// Builds data packages: a tagged directory (count, then name, extension, folder, offset and size
// of each entry) followed by the files' bytes. The same entries give the same bytes.
#include <filesystem>
#include <string>
#include <vector>

struct TPackageEntry {
  std::string Name;  // "units"
  std::string Ext;   // ".xml"
  std::string Path;  // "data\XML\"
  std::string Data;
};

// The whole package as bytes. Throws std::length_error past 32767 entries or 2 GiB.
std::string BuildPackage(const std::vector<TPackageEntry>& Entries);

// Splits "data\XML\units.xml" into folder, name and extension.
TPackageEntry MakePackageEntry(const std::string& FullName, std::string Data);

// Every regular file under Root/Folder (recursively, sorted by path), named as the game names
// them: Folder "data" gives "data\XML\units.xml". Dot-files are skipped.
std::vector<TPackageEntry> CollectFolder(const std::filesystem::path& Root, const std::string& Folder);
