// Opens arbitrary bytes as a data package and extracts every entry it accepts.
#include <unistd.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>

#include "engine/virtual_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const std::filesystem::path Folder = [] {
    auto P = std::filesystem::temp_directory_path() / ("tarnova-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(P);
    return P;
  }();
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
