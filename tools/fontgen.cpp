// tarnova-fontgen: renders a TrueType font into a game texture font.
//   tarnova-fontgen <font.ttf> <texture.dds> <widths.fnt> [--cell N] [--outline]
#include <cstdlib>
#include <iostream>
#include <string>

#include "font_writer.h"
#include "platform/files.h"

int main(int Argc, char** Argv) {
  if (Argc < 4) {
    std::cerr << "usage: tarnova-fontgen <font.ttf> <texture.dds> <widths.fnt> [--cell N] [--outline]\n";
    return 2;
  }
  TFontOptions O;
  O.FontFile = Argv[1];
  for (int I = 4; I < Argc; ++I) {
    std::string A = Argv[I];
    if (A == "--outline") {
      O.Outline = true;
    } else if (A == "--cell" && I + 1 < Argc) {
      O.CellSize = static_cast<std::uint32_t>(std::atoi(Argv[++I]));
    } else {
      std::cerr << "tarnova-fontgen: unknown argument " << A << "\n";
      return 2;
    }
  }
  if (O.CellSize < 4 || O.CellSize > 256) {
    std::cerr << "tarnova-fontgen: the cell size must lie between 4 and 256\n";
    return 2;
  }
  TFontImage Image;
  std::string Error;
  if (!RenderFont(O, Image, Error)) {
    std::cerr << "tarnova-fontgen: " << Error << "\n";
    return 1;
  }
  if (!SafeWriteFile(Argv[2], FontTextureDDS(Image), &Error) || !SafeWriteFile(Argv[3], Image.Widths, &Error)) {
    std::cerr << "tarnova-fontgen: " << Error << "\n";
    return 1;
  }
  return 0;
}
