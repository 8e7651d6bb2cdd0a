#pragma once
// The content tools write their outputs through this: the same bytes leave the file (and its time
// stamp) alone, so a rebuild only repacks what really changed.
#include <filesystem>
#include <string>

// Writes Bytes to Path (making its folders) unless the file already holds them; throws
// std::runtime_error naming the file when writing fails. The old file stays intact on failure.
void WriteIfChanged(const std::filesystem::path& Path, const std::string& Bytes);
