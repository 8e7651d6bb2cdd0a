#pragma once
// A texture font: 256 glyphs in a 16 x 16 grid of one texture, a width per glyph from a
// 256-byte width file, and 256 display lists that each draw one glyph and advance the pen.
// The texture belongs to the texture manager; the font owns its display lists.
#include <array>
#include <cstdint>
#include <string>

#include "engine/vectors.h"

class TStream;

class TTexFont {
public:
  std::array<float, 256> Widths{};  // 1.5 x (width byte / Size): the pen advance minus 1
  std::uint32_t ListBase = 0;       // list ListBase + i draws code i
  std::uint32_t TextureID = 0;

  // Reads the width file from Stream and builds the display lists (needs a GL context).
  // Throws EReadError when the stream holds fewer than 256 bytes.
  TTexFont(std::uint32_t TextureID, TStream& Stream, float Size);
  // Widths only, no display lists: for measuring text without a GL context.
  TTexFont(TStream& Stream, float Size);
  ~TTexFont();
  TTexFont(const TTexFont&) = delete;
  TTexFont& operator=(const TTexFont&) = delete;

  // Sum of (Widths + 1) over the text's 8-bit codes, in unscaled font units.
  float TextWidth(const std::string& Text) const;

  // Pos in the current model-view coordinates (GUI: pixels, y downwards); Size 1 is 16 units high.
  void Print(const std::string& Text, const TVector3& Pos, const TVector3& Color, float Alpha, float Size, bool Shadow,
             bool Bind);
  void PrintPlain(const std::string& Text, const TVector3& Pos, float Size, bool Shadow, bool Bind);
  void PrintAlpha(const std::string& Text, const TVector3& Pos, float Size, float Alpha, bool Shadow, bool Bind);
  // Centred horizontally on Pos x.
  void PrintCentered(const std::string& Text, const TVector3& Pos, float Size, bool Shadow);
  void PrintAlphaCentered(const std::string& Text, const TVector3& Pos, float Size, float Alpha, bool Shadow);

private:
  std::array<float, 256> GlyphWidths{};  // width byte / Size
  // Each glyph's texture coordinates as its list has them: left and right s, upper and lower t.
  std::array<std::array<float, 4>, 256> GlyphTexCoords{};
  void ReadWidths(TStream& Stream, float Size);
  void BindFont();
  // Draws the text's glyphs as its lists would, side by side from the current origin.
  void CallLists(const std::string& Text);
};
