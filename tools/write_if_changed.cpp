#include "write_if_changed.h"

#include <stdexcept>

#include "platform/files.h"

void WriteIfChanged(const std::filesystem::path& Path, const std::string& Bytes) {
  std::filesystem::create_directories(Path.parent_path());
  if (auto Old = ReadWholeFile(Path); Old && *Old == Bytes) return;
  std::string Error;
  if (!SafeWriteFile(Path, Bytes, &Error)) throw std::runtime_error(Error);
}
