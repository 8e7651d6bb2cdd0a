#pragma once
// The world map generator: turns the authored world sources (coastline rings in longitude and
// latitude, one site point per region, strait links) into the region index map, the region base
// map "data\regions512.bmp" and the region data file "data\XML\regions.xml".
//
// Map projection: equirectangular, x = (longitude + 180) / 360 * width from the left edge,
// y = (90 - latitude) / 180 * height from the top edge. The globe's textures use the same layout.
// Globe orientation: a point at latitude B and longitude L lies at
//   Position3D = 52 * (cos B * sin L, -cos B * cos L, sin B)
// (radius 52 = the globe model's radius after its load scale; z is the north pole axis). The globe
// drawing shows Position3D (x, y, z) at GL (x, z, -y), so longitude 0 faces the camera with the
// rotation (0, 0), and the rotation that turns a point to face the camera is x = B, y = -L.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

constexpr double kGlobeRadius = 52.0;

// One region as authored in content/world/regions.txt.
struct TRegionSource {
  std::string Key;
  std::string NameGer;  // UTF-8
  std::string NameEng;
  double Lat = 0, Lon = 0;  // the site: the region's point on the globe
  double Weight = 1;        // larger regions take land from farther away
  std::string Setting;
  int Owner = 6;  // file value: 1-5 nations, 6 nobody, 7 rebels
  double Population = 0, Defense = 0, Loyalty = 0;
  int Line = 0;
};

// One closed coastline ring. Rings of one group are combined even-odd (a ring inside another cuts
// a hole, a ring inside that hole is an island again); groups are added together.
struct TCoastRing {
  std::string Group;
  std::vector<std::pair<double, double>> Points;  // longitude, latitude; longitudes may pass 180
  int Line = 0;
};

struct TWorldSources {
  std::vector<TRegionSource> Regions;
  std::vector<TCoastRing> Rings;
  std::vector<TCoastRing> Lakes;  // water cut out of the land, whatever the group
  std::vector<std::pair<std::string, std::string>> Straits;  // region keys linked across water
};

// Reads regions.txt, coastlines.txt, straits.txt and (when present) lakes.txt from Folder. Throws std::runtime_error naming
// the file and line of a malformed entry.
TWorldSources ReadWorldSources(const std::filesystem::path& Folder);

struct TWorldMap {
  int Width = 0, Height = 0;
  std::vector<int> Index;  // region index per pixel, -1 for sea (before the borders are drawn)
  std::vector<std::uint8_t> Base;  // 0 sea, 1 white border or coast, 2 region area
  std::vector<std::pair<int, int>> Seeds;  // per region: a pixel deep inside its area on Base
  std::vector<std::vector<int>> Neighbours;  // sorted, symmetric
  std::vector<bool> HasCoast;
  std::vector<std::string> Notes;  // what the clean-up did (islands joined or dropped)
};

// Rasterises the land, gives every land pixel to a region, makes each region one 4-connected
// area (stray pieces go to the region they touch, islands are joined to the nearest region by a
// one-pixel bridge or dropped), draws the white borders and picks the seeds. Throws
// std::runtime_error when a site lies in the sea or a region ends without area.
TWorldMap BuildWorldMap(const TWorldSources& Sources, int Width);

// 24-bit bottom-up BMP of the base map: regions grey, borders and coasts white, sea dark blue.
std::string BaseMapBMP(const TWorldMap& Map);
// "data\XML\regions.xml" as ISO-8859-1 text.
std::string RegionsXML(const TWorldSources& Sources, const TWorldMap& Map);
// The index map scaled up by Factor as an 8-bit grey PNG: value = region index + 1, 0 = sea.
std::string IndexPNG(const TWorldMap& Map, int Factor);
// White region borders on black, scaled up by Factor (x wraps), as an RGB PNG.
std::string BorderPNG(const TWorldMap& Map, int Factor);
