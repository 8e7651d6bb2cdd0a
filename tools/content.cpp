// tarnova-content: builds the loose data folder from the authored content.
// Usage: tarnova-content <content folder> <output root>
//   - every file under <content>/data is copied to <output>/data; XML and text files are authored
//     in UTF-8 and written in the game's 8-bit encoding (ISO-8859-1), XML declarations included;
//   - the world map generator turns <content>/world into "data\regions512.bmp" and
//     "data\XML\regions.xml", and writes the wide region index and border images into
//     <output>/content for the globe's textures.
// The same sources always give the same bytes.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/latin1.h"
#include "world_map.h"
#include "write_if_changed.h"

namespace fs = std::filesystem;

namespace {

bool IsText(const fs::path& P) {
  std::string Ext = LowerAscii(P.extension().string());
  return Ext == ".xml" || Ext == ".txt";
}

std::string ToGameText(const fs::path& P, const std::string& Utf8) {
  std::string Out = Utf8;
  if (Out.compare(0, 3, "\xEF\xBB\xBF") == 0) Out.erase(0, 3);
  Out = Utf8ToAnsi(Out);
  if (LowerAscii(P.extension().string()) == ".xml" && Out.compare(0, 5, "<?xml") == 0) {
    std::size_t End = Out.find("?>");
    std::size_t Enc = Out.find("encoding=", 0);
    if (End != std::string::npos && Enc != std::string::npos && Enc < End) {
      char Quote = Out[Enc + 9];
      std::size_t Close = Out.find(Quote, Enc + 10);
      if (Close != std::string::npos && Close < End) Out.replace(Enc, Close + 1 - Enc, "encoding=\"ISO-8859-1\"");
    }
  }
  return Out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tarnova-content <content folder> <output root>\n";
    return 2;
  }
  try {
    const fs::path Content = argv[1], Root = argv[2];
    std::vector<fs::path> Files;
    for (auto& E : fs::recursive_directory_iterator(Content / "data"))
      if (E.is_regular_file() && E.path().filename().string()[0] != '.') Files.push_back(E.path());
    std::sort(Files.begin(), Files.end());
    for (auto& F : Files) {
      auto Bytes = ReadWholeFile(F);
      if (!Bytes) throw std::runtime_error("cannot read \"" + F.string() + "\"");
      WriteIfChanged(Root / fs::relative(F, Content), IsText(F) ? ToGameText(F, *Bytes) : *Bytes);
    }

    TWorldSources World = ReadWorldSources(Content / "world");
    TWorldMap Map = BuildWorldMap(World, 512);
    for (auto& Note : Map.Notes) std::cout << "tarnova-content: " << Note << '\n';
    WriteIfChanged(Root / "data" / "regions512.bmp", BaseMapBMP(Map));
    WriteIfChanged(Root / "data" / "XML" / "regions.xml", RegionsXML(World, Map));
    WriteIfChanged(Root / "content" / "regions_index2048.png", IndexPNG(Map, 4));
    WriteIfChanged(Root / "content" / "regions2048.png", BorderPNG(Map, 4));
    std::cout << "tarnova-content: " << Files.size() << " files and " << World.Regions.size() << " regions into \""
              << (Root / "data").string() << "\"\n";
    std::ofstream(Root / "data" / ".content-stamp", std::ios::trunc) << "";  // marks the build step done
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "tarnova-content: " << E.what() << '\n';
    return 1;
  }
}
