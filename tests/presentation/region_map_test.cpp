#include "presentation/region_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/errors.h"

namespace {
constexpr std::uint32_t W = 0xFFFFFF, Sea = 0x142446, Grey = 0x969696, Dark = 0x505050;

// 7 x 4: two areas split by a white column; the left one has two shades of grey.
TRegionBitmap TwoAreas() {
  return TRegionBitmap{7, 4, {Grey, Dark, Grey, W, Grey, Grey, Sea,  //
                              Grey, Grey, Grey, W, Grey, Grey, Sea,  //
                              W,    W,    W,    W, W,    W,    W,    //
                              Sea,  Sea,  Sea,  W, Sea,  Sea,  Sea}};
}

const TNationMapColors kColors{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0x96, 0x96, 0x96}}};
}  // namespace

TEST(RegionMap, OwnersPaintTheirWhiteBoundedAreas) {
  const TRegionBitmap Base = TwoAreas();
  TRegionBitmap Map;
  std::vector<std::size_t> Skipped;
  const auto Skip = [&](std::size_t i) { Skipped.push_back(i); };

  // Nobody and rebels keep the base map.
  PaintRegionMap(Base, {{0, 0, 5}, {8, 0, 6}}, kColors, Map, Skip);
  EXPECT_EQ(Map.Pixels, Base.Pixels);

  // Seeds are X2D div 2, Y2D div 2. Region 1 seeds in the same area as region 0 and wins; the
  // fill crosses both shades but not the white; a seed on white paints nothing; a seed outside
  // the map is reported and skipped; a colour equal to the area's own (nation 4) still ends.
  PaintRegionMap(Base,
                 {{1, 1, 0}, {5, 3, 1}, {6, 1, 2}, {20, 2, 3}, {-2, 0, 3}, {9, 0, 4}, {12, 7, 2}},
                 kColors, Map, Skip);
  EXPECT_EQ(Skipped, (std::vector<std::size_t>{3, 4}));
  for (int X : {0, 1, 2}) {
    EXPECT_EQ(Map.At(X, 0), 0x00FF00u) << X;
    EXPECT_EQ(Map.At(X, 1), 0x00FF00u) << X;
  }
  EXPECT_EQ(Map.At(4, 0), Grey);  // nation 4's colour is the base grey
  EXPECT_EQ(Map.At(3, 0), W);
  EXPECT_EQ(Map.At(6, 3), 0x0000FFu);  // the sea below is one area with the right-hand sea
  EXPECT_EQ(Map.At(0, 3), Sea);        // the sea left of the white column is not
}

TEST(RegionMap, UploadBufferIsBottomRowFirstRgba) {
  const TRegionBitmap Map{2, 2, {0x010203, 0x040506, 0x0A0B0C, 0x0D0E0F}};
  EXPECT_EQ(RegionMapUploadBuffer(Map),
            (std::vector<std::uint8_t>{10, 11, 12, 255, 13, 14, 15, 255, 1, 2, 3, 255, 4, 5, 6, 255}));
}

TEST(RegionMap, BitmapFileRoundTrip) {
  // Odd width: the rows of the file are padded to four bytes.
  const TRegionBitmap Map{3, 2, {0x010203, 0xFFFFFF, 0x0A0B0C, 0x112233, 0x445566, 0x778899}};
  const TRegionBitmap Back = DecodeRegionBitmap(EncodeRegionBitmap(Map), "worldmap.bmp");
  EXPECT_EQ(Back.Width, 3);
  EXPECT_EQ(Back.Height, 2);
  EXPECT_EQ(Back.Pixels, Map.Pixels);
  EXPECT_THROW(DecodeRegionBitmap("BM", "broken.bmp"), EDataError);
}
