#pragma once
// Renders a TrueType font with FreeType into the game's texture-font form: a square texture of
// 16 x 16 cells (code i in column i mod 16, row i div 16, row 0 at the top) and the 256-byte
// width file. Codes 32 to 126 and 160 to 255 (ISO-8859-1) get glyphs; the rest stay empty with
// width 0. Each glyph is centred in its cell, as the font's display lists expect.
#include <cstdint>
#include <string>
#include <vector>

struct TFontOptions {
  std::string FontFile;        // a .ttf file
  std::uint32_t CellSize = 16;  // pixels per cell; the texture is 16 x CellSize square
  bool Outline = false;         // a one-pixel black outline around white glyphs
};

struct TFontImage {
  std::uint32_t Side = 0;            // texture width and height in pixels
  std::vector<std::uint8_t> Rgba;    // bottom row first
  std::string Widths;                // 256 bytes, read at font size 8
};

// False with Error set when the font cannot be read.
bool RenderFont(const TFontOptions& Options, TFontImage& Image, std::string& Error);
// The width byte of a glyph whose advance is Pixels, in cells of CellSize pixels, for the font
// size 8 the game uses: the font's pen then advances by Pixels plus one unit.
std::uint8_t FontWidthByte(std::uint32_t Pixels, std::uint32_t CellSize);
// The texture as an uncompressed BGRA DDS, rows bottom first as the game uploads them.
std::string FontTextureDDS(const TFontImage& Image);
