#pragma once
// What the fuzz targets share: the check that stops a run at a broken rule, and a private folder
// for the files a target writes, removed when the run ends.
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

// Stops the run where a rule the target checks does not hold, so libFuzzer keeps the input.
inline void Check(bool Condition) {
  if (!Condition) __builtin_trap();
}

// A folder of this process under the system's temporary folder, named "tarnova-fuzz-<Name><pid>".
struct TFuzzFolder {
  std::filesystem::path Path;
  explicit TFuzzFolder(const std::string& Name)
      : Path(std::filesystem::temp_directory_path() / ("tarnova-fuzz-" + Name + std::to_string(::getpid()))) {
    std::filesystem::create_directories(Path);
  }
  TFuzzFolder(const TFuzzFolder&) = delete;
  TFuzzFolder& operator=(const TFuzzFolder&) = delete;
  ~TFuzzFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(Path, Ignored);
  }
};
