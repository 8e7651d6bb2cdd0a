// tarnova-imagery: makes the globe's and the scenes' pictures of the data set.
// Usage: tarnova-imagery <marble data folder> <xplanet folder> <font folder> <build folder>
//   reads the Blue Marble day map and the night lights from the Debian packages' folders, the
//   region images that the world map generator wrote into <build>/content and the nations' colours
//   from <build>/data/XML/nationinfo.xml, and writes into <build>/data. The same inputs always give
//   the same bytes.
#include <fstream>
#include <iostream>

#include <pugixml.hpp>

#include "imagery.h"

int main(int Argc, char** Argv) {
  if (Argc != 5) {
    std::cerr << "usage: tarnova-imagery <marble data folder> <xplanet folder> <font folder> <build folder>\n";
    return 2;
  }
  try {
    TImageryPaths P;
    P.Marble = Argv[1];
    P.Xplanet = Argv[2];
    P.Fonts = Argv[3];
    P.Build = Argv[4];
    P.Data = P.Build / "data";
    const auto NationFile = P.Data / "XML" / "nationinfo.xml";
    pugi::xml_document Doc;
    if (!Doc.load_file(NationFile.c_str())) throw std::runtime_error("cannot read \"" + NationFile.string() + "\"");
    for (auto N : Doc.child("nations").children("nation")) {
      auto C = N.child("mapcolor");
      P.NationColors.push_back(Rgb(C.attribute("red").as_int(), C.attribute("green").as_int(), C.attribute("blue").as_int()));
    }
    if (P.NationColors.size() != 5)
      throw std::runtime_error("\"" + NationFile.string() + "\" must name five nations with a mapcolor each");
    MakeGlobe(P);
    MakeScenes(P);
    MakeSymbols(P);
    std::ofstream(P.Data / ".imagery-stamp", std::ios::trunc) << "";
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "tarnova-imagery: " << E.what() << '\n';
    return 1;
  }
}
