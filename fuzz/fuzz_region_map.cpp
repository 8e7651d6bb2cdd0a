// Reads arbitrary bytes as the region base map (a BMP): a usable picture or an error naming the
// file, never a crash; an accepted picture takes a flood fill at any point and writes back the
// same picture.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "engine/texture_decoders.h"
#include "presentation/region_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TRegionBitmap Map;
  try {
    Map = DecodeRegionBitmap(std::string(reinterpret_cast<const char*>(Data), Size), "regionmap.bmp");
  } catch (const ETextureError& E) {
    Check(std::string(E.what()).find("regionmap.bmp") != std::string::npos);
    return 0;
  }
  Check(Map.Width > 0 && Map.Height > 0 &&
        Map.Pixels.size() == static_cast<std::size_t>(Map.Width) * static_cast<std::size_t>(Map.Height));
  const TRegionBitmap Again = DecodeRegionBitmap(EncodeRegionBitmap(Map), "again.bmp");
  Check(Again.Width == Map.Width && Again.Height == Map.Height);
  for (std::size_t i = 0; i < Map.Pixels.size(); ++i) Check((Again.Pixels[i] & 0xFFFFFF) == (Map.Pixels[i] & 0xFFFFFF));
  FloodFillRegion(Map, Map.Width / 2, Map.Height / 2, 0x123456);
  Check(!FloodFillRegion(Map, Map.Width, 0, 0x123456));
  return 0;
}
