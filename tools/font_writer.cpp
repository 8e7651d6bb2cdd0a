#include "font_writer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
void Put32(std::string& S, std::size_t At, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) S[At + I] = char((V >> (8 * I)) & 0xFF);
}

bool HasGlyph(int Code) { return (Code >= 32 && Code <= 126) || Code >= 160; }
}  // namespace

std::uint8_t FontWidthByte(std::uint32_t Pixels, std::uint32_t CellSize) {
  // At size 8 a width byte gives w = byte / 8 units of 1/256 texture (16 units per cell) and the
  // pen moves 1.5 w + 1 units: w is two thirds of the advance, so text is set at the glyphs' own
  // spacing. The texture window of a glyph is w plus 2.5 units on each side, which shows the
  // whole glyph centred in its cell.
  const double Byte = 8.0 * (16.0 * Pixels / CellSize) / 1.5;
  return static_cast<std::uint8_t>(std::clamp(std::lround(Byte), 0L, 255L));
}

bool RenderFont(const TFontOptions& Options, TFontImage& Image, std::string& Error) {
  FT_Library Lib = nullptr;
  if (FT_Init_FreeType(&Lib)) {
    Error = "FreeType does not start";
    return false;
  }
  FT_Face Face = nullptr;
  if (FT_New_Face(Lib, Options.FontFile.c_str(), 0, &Face)) {
    Error = "cannot read font \"" + Options.FontFile + "\"";
    FT_Done_FreeType(Lib);
    return false;
  }
  const int Cell = static_cast<int>(Options.CellSize);
  // The outline is one unit of the drawn glyph (16 units a cell) thick, whatever the cell size.
  const int Pad = Options.Outline ? std::max(1, Cell / 16) : 0;
  // The em is sized so that ascender and descender fill the cell less the outline.
  FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(Cell));
  const double Asc = Face->size->metrics.ascender / 64.0, Desc = -Face->size->metrics.descender / 64.0;
  const double Scale = (Cell - 2.0 * Pad) / (Asc + Desc);
  FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(std::max(1.0, std::floor(Cell * Scale))));
  const int Baseline = Pad + static_cast<int>(std::lround(Face->size->metrics.ascender / 64.0));

  const int Side = Cell * 16;
  std::vector<float> Cover(std::size_t(Side) * Side, 0.0f);  // top row first
  Image.Side = static_cast<std::uint32_t>(Side);
  Image.Widths.assign(256, '\0');
  for (int Code = 0; Code < 256; ++Code) {
    if (!HasGlyph(Code)) continue;
    const FT_UInt Index = FT_Get_Char_Index(Face, static_cast<FT_ULong>(Code));
    if (Index == 0 || FT_Load_Glyph(Face, Index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) continue;
    const FT_GlyphSlot G = Face->glyph;
    const int Advance = std::clamp(static_cast<int>(std::lround(G->advance.x / 64.0)), 1, Cell - 2 * Pad);
    Image.Widths[std::size_t(Code)] = char(FontWidthByte(static_cast<std::uint32_t>(Advance), Options.CellSize));
    const int CellX = (Code % 16) * Cell, CellY = (Code / 16) * Cell;
    const int X0 = CellX + (Cell - Advance) / 2 + G->bitmap_left;
    const int Y0 = CellY + Baseline - G->bitmap_top;
    for (unsigned R = 0; R < G->bitmap.rows; ++R)
      for (unsigned C = 0; C < G->bitmap.width; ++C) {
        const int X = X0 + int(C), Y = Y0 + int(R);
        // Clipped to the glyph's own cell.
        if (X < CellX || X >= CellX + Cell || Y < CellY || Y >= CellY + Cell) continue;
        const std::uint8_t V = G->bitmap.buffer[std::ptrdiff_t(R) * G->bitmap.pitch + C];
        Cover[std::size_t(Y) * Side + X] = std::max(Cover[std::size_t(Y) * Side + X], V / 255.0f);
      }
  }
  FT_Done_Face(Face);
  FT_Done_FreeType(Lib);

  Image.Rgba.assign(std::size_t(Side) * Side * 4, 0);
  for (int Y = 0; Y < Side; ++Y)
    for (int X = 0; X < Side; ++X) {
      const float Glyph = Cover[std::size_t(Y) * Side + X];
      float Alpha = Glyph;
      if (Options.Outline) {
        // The outline stays inside the cell, so neighbouring glyphs never bleed in.
        const int CellX = X / Cell * Cell, CellY = Y / Cell * Cell;
        for (int Dy = -Pad; Dy <= Pad; ++Dy)
          for (int Dx = -Pad; Dx <= Pad; ++Dx) {
            const int Nx = X + Dx, Ny = Y + Dy;
            if (Nx < CellX || Nx >= CellX + Cell || Ny < CellY || Ny >= CellY + Cell) continue;
            Alpha = std::max(Alpha, Cover[std::size_t(Ny) * Side + Nx]);
          }
      }
      // Colour is white where the glyph covers, black in its outline.
      const std::uint8_t Grey = Alpha > 0 ? static_cast<std::uint8_t>(std::lround(255.0f * Glyph / Alpha)) : 255;
      std::uint8_t* Px = &Image.Rgba[(std::size_t(Side - 1 - Y) * Side + X) * 4];
      Px[0] = Px[1] = Px[2] = Options.Outline ? Grey : 255;
      Px[3] = static_cast<std::uint8_t>(std::lround(255.0f * Alpha));
    }
  return true;
}

std::string FontTextureDDS(const TFontImage& Image) {
  std::string S(128, '\0');
  std::memcpy(S.data(), "DDS ", 4);
  Put32(S, 4, 124);
  Put32(S, 8, 0x1 | 0x2 | 0x4 | 0x1000);
  Put32(S, 12, Image.Side);
  Put32(S, 16, Image.Side);
  Put32(S, 20, Image.Side * 4);
  Put32(S, 76, 32);
  Put32(S, 80, 0x40 | 0x1);
  Put32(S, 88, 32);
  Put32(S, 92, 0xFF0000);
  Put32(S, 96, 0xFF00);
  Put32(S, 100, 0xFF);
  Put32(S, 104, 0xFF000000);
  Put32(S, 108, 0x1000);  // DDSCAPS_TEXTURE
  S.reserve(S.size() + Image.Rgba.size());
  for (std::size_t I = 0; I < Image.Rgba.size(); I += 4) {
    S += char(Image.Rgba[I + 2]);
    S += char(Image.Rgba[I + 1]);
    S += char(Image.Rgba[I]);
    S += char(Image.Rgba[I + 3]);
  }
  return S;
}
