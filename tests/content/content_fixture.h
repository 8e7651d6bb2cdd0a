#pragma once
// Access to the data set as the data build wrote it (build/data) and to the authored sources.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

inline std::filesystem::path DataFile(const std::string& Name) { return std::filesystem::path(TARNOVA_BINARY_DIR) / "data" / Name; }
inline std::filesystem::path SourceFile(const std::string& Name) { return std::filesystem::path(TARNOVA_SOURCE_DIR) / Name; }

// The model3d names of a data file ("units.xml", "buildings.xml") in file order.
inline std::vector<std::string> DataModelNames(const std::string& File) {
  const std::string Text = ReadTestFile(DataFile("XML/" + File)), Key = "model3d=\"";
  std::vector<std::string> Names;
  for (std::size_t At = Text.find(Key); At != std::string::npos; At = Text.find(Key, At)) {
    At += Key.size();
    Names.push_back(Text.substr(At, Text.find('"', At) - At));
  }
  return Names;
}

// The region base map, read back from its 24-bit BMP.
struct TBaseMap {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> RGB;  // top row first
  bool IsWhite(int X, int Y) const {
    const std::uint8_t* P = &RGB[(static_cast<std::size_t>(Y) * Width + X) * 3];
    return P[0] == 255 && P[1] == 255 && P[2] == 255;
  }
};

inline TBaseMap LoadBaseMap() {
  std::string B = ReadTestFile(DataFile("regions512.bmp"));
  auto U32 = [&](std::size_t At) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(B.at(At)) | static_cast<std::uint8_t>(B.at(At + 1)) << 8 |
                                      static_cast<std::uint8_t>(B.at(At + 2)) << 16 | static_cast<std::uint8_t>(B.at(At + 3)) << 24);
  };
  TBaseMap M;
  EXPECT_EQ(B.substr(0, 2), "BM");
  EXPECT_EQ(U32(28) & 0xFFFF, 24u);  // bits per pixel
  M.Width = static_cast<int>(U32(18));
  M.Height = static_cast<int>(U32(22));
  const std::size_t Offset = U32(10), Row = (static_cast<std::size_t>(M.Width) * 3 + 3) / 4 * 4;
  M.RGB.resize(static_cast<std::size_t>(M.Width) * M.Height * 3);
  for (int Y = 0; Y < M.Height; ++Y)
    for (int X = 0; X < M.Width; ++X) {
      std::size_t At = Offset + static_cast<std::size_t>(M.Height - 1 - Y) * Row + static_cast<std::size_t>(X) * 3;
      for (int C = 0; C < 3; ++C) M.RGB[(static_cast<std::size_t>(Y) * M.Width + X) * 3 + C] = static_cast<std::uint8_t>(B.at(At + 2 - C));
    }
  return M;
}
