#pragma once
// A texture font for GL tests whose glyphs are white boxes, opaque or see-through: each glyph is
// 8 units wide and 16 high at size 1, drawn from 2 units left of the pen to 2 right of the glyph,
// and the pen moves 13 units a glyph. It lives in a texture manager and folder of its own; Load
// makes it gFont, and gFont is none again when the font goes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/tex_font.h"
#include "engine/virtual_file_system.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"
#include "support/texture_fixture.h"

struct TBoxFont {
  TTextureManagerSwap Textures;
  TTempFolder Folder;
  std::unique_ptr<TTexFont> Font;

  // Needs a GL context.
  void Load(std::uint8_t Alpha) {
    TTestPicture Picture{256, 256, std::vector<std::uint8_t>(256u * 256u * 4u, 255)};
    for (std::size_t i = 3; i < Picture.Rgba.size(); i += 4) Picture.Rgba[i] = Alpha;
    Folder.Write("data/tex/font.dds", MakeBGRA8DDSFile(Picture));
    Folder.Write("data/font.fnt", std::string(256, char(64)));  // width 64 at size 8: 8 units
    TVirtualFileSystem V(Folder.Path());
    V.LoadFont({.Texture = "data\\tex\\font.dds", .Widths = "data\\font.fnt"}, *gTextureManager, Font, 8.0f);
    gFont = Font.get();
  }
  ~TBoxFont() {
    if (gFont == Font.get()) gFont = nullptr;
  }
};
