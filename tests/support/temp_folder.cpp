#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TTempFolder::TTempFolder() {
  static std::atomic<int> Counter{0};
  Folder = fs::temp_directory_path() /
           ("tarnova-test-" + std::to_string(::getpid()) + "-" + std::to_string(Counter++));
  fs::remove_all(Folder);
  fs::create_directories(Folder);
}

TTempFolder::~TTempFolder() {
  std::error_code Ec;
  fs::remove_all(Folder, Ec);
}

fs::path TTempFolder::Write(const std::string& Name, std::string_view Bytes) const {
  fs::path P = Folder / Name;
  fs::create_directories(P.parent_path());
  std::ofstream Out(P, std::ios::binary);
  Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  return P;
}

std::string ReadTestFile(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  EXPECT_TRUE(In.good()) << "cannot read " << Path;
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}
