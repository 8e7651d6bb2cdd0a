#pragma once
// The region-ownership map: the region base map with the area of every owned region painted in
// its owner's map colour, uploaded as the texture gRegionTextureID that the globe and the
// information centre draw. The painting works on plain pixels and runs without a GL context.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A 2D picture as the region maps use it: one 0xRRGGBB value per pixel, row 0 at the top.
struct TRegionBitmap {
  std::int32_t Width = 0, Height = 0;
  std::vector<std::uint32_t> Pixels;

  bool Contains(std::int32_t X, std::int32_t Y) const { return X >= 0 && Y >= 0 && X < Width && Y < Height; }
  std::uint32_t At(std::int32_t X, std::int32_t Y) const { return Pixels[std::size_t(Y) * std::size_t(Width) + std::size_t(X)]; }
};

inline constexpr std::uint32_t kRegionBorderColor = 0xFFFFFF;

// What the ownership fill needs of a region.
struct TRegionMapEntry {
  std::int32_t X2D = 0, Y2D = 0;  // the region's 2D point, twice the base map's scale
  std::uint8_t Owner = 0;         // 0..4 nation, 5 nobody, 6 rebels
};
using TNationMapColors = std::array<std::array<std::uint8_t, 3>, 5>;

// Reads a 24- or 32-bit BMP. Throws ETextureError naming the file when the bytes are no usable BMP.
TRegionBitmap DecodeRegionBitmap(const std::string& Bytes, const std::string& FileName);
// The picture as a 24-bit bottom-up BMP file.
std::string EncodeRegionBitmap(const TRegionBitmap& Map);

// Paints every pixel 4-connected to (X, Y) that is not pure white in Color, whatever colour it had;
// white stops the fill. A seed on white paints nothing. Returns false, painting nothing, when the
// seed lies outside the picture.
bool FloodFillRegion(TRegionBitmap& Map, std::int32_t X, std::int32_t Y, std::uint32_t Color);

// Map := Base, then, in region order, each region owned by a nation filled from its seed
// (X2D div 2, Y2D div 2) in its owner's colour, so a later region in the same area wins. A region
// whose seed lies outside the picture is handed to Skipped (index) and left out.
void PaintRegionMap(const TRegionBitmap& Base, const std::vector<TRegionMapEntry>& Regions,
                    const TNationMapColors& Colors, TRegionBitmap& Map,
                    const std::function<void(std::size_t Index)>& Skipped);

// The texture's pixels: red, green, blue, 255 per pixel, the picture's bottom row first.
std::vector<std::uint8_t> RegionMapUploadBuffer(const TRegionBitmap& Map);

// Loads "data\regions512.bmp" (or FileName) into gRegionBaseMap through the file system. A
// missing or broken file is logged and leaves the base map empty, so the ownership texture stays 0.
bool LoadRegionBaseMap(const std::string& FileName);
// Rebuilds gRegionMap from gRegionBaseMap and the regions' owners and replaces gRegionTextureID
// (TEarth.UpDateRegionMap). With DebugDump set and a folder "_debug" in the working folder, the
// map is also saved as "_debug\worldmap_round_<round>.bmp".
void UpDateRegionMap(bool DebugDump);
// Deletes the ownership texture (shut-down, while the GL context exists).
void FreeRegionMapTexture();
