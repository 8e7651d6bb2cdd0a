// Runs a fuzz target once on every file named on the command line or found in a named folder
// (sorted by name), as libFuzzer does with -runs=0: the seed corpus in ctest, and a finding
// replayed under the test build's sanitizers without clang.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* Argc, char*** Argv);

int main(int Argc, char** Argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&Argc, &Argv);
  std::vector<std::filesystem::path> Files;
  for (int i = 1; i < Argc; ++i) {
    const std::filesystem::path Arg = Argv[i];
    if (std::filesystem::is_directory(Arg)) {
      for (const auto& Entry : std::filesystem::directory_iterator(Arg))
        if (Entry.is_regular_file()) Files.push_back(Entry.path());
    } else {
      Files.push_back(Arg);
    }
  }
  std::sort(Files.begin(), Files.end());
  if (Files.empty()) {
    std::fprintf(stderr, "%s: no inputs\n", Argv[0]);
    return 1;
  }
  for (const auto& File : Files) {
    std::ifstream In(File, std::ios::binary);
    if (!In) {
      std::fprintf(stderr, "cannot read %s\n", File.c_str());
      return 1;
    }
    const std::vector<char> Bytes{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    std::printf("%s (%zu bytes)\n", File.c_str(), Bytes.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
  }
  std::printf("%zu inputs ran\n", Files.size());
  return 0;
}
