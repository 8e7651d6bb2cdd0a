// Opens arbitrary bytes as a data package and extracts every entry it accepts.
#include <unistd.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>

#include "fuzz_support.h"
#include "engine/virtual_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const TFuzzFolder Temp("");
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
