// Opens arbitrary bytes as a data package and extracts every entry it accepts.
#include <unistd.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>

#include "engine/virtual_file_system.h"

namespace {
// The folder the package is written to, removed when the run ends.
struct TFuzzFolder {
  std::filesystem::path Path = std::filesystem::temp_directory_path() / ("tarnova-fuzz-" + std::to_string(::getpid()));
  TFuzzFolder() { std::filesystem::create_directories(Path); }
  ~TFuzzFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(Path, Ignored);
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const TFuzzFolder Temp;
  const std::filesystem::path& Folder = Temp.Path;
  {
    std::ofstream Out(Folder / "tarnova.dat", std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  TVirtualFileSystem V(Folder);
  try {
    V.Open("tarnova.dat");
    for (auto& F : V.Files()) {
      TMemoryStream S;
      V.ExtractFile(F->FullName(), S);
    }
  } catch (const std::exception&) {
  }
  return 0;
}
