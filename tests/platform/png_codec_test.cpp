#include <gtest/gtest.h>

#include "platform/png_codec.h"

namespace {
// 3 x 2 pixels, bottom row first: red, green, blue / white, black, half-transparent grey.
const std::vector<std::uint8_t> kRgba{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,
                                      255, 255, 255, 255, 0, 0, 0, 255, 128, 128, 128, 64};
}  // namespace

TEST(PNGCodec, EncodeThenDecodeGivesTheSamePixelsAsBGRA) {
  std::string Bytes, Error;
  ASSERT_TRUE(EncodePNG(kRgba.data(), 3, 2, Bytes, Error)) << Error;
  ASSERT_EQ(Bytes.substr(1, 3), "PNG");
  TPNGImage I;
  ASSERT_TRUE(DecodePNG(Bytes.data(), Bytes.size(), I, Error)) << Error;
  ASSERT_EQ(I.Width, 3u);
  ASSERT_EQ(I.Height, 2u);
  for (std::size_t P = 0; P < 6; ++P) {
    EXPECT_EQ(I.Pixels[P * 4 + 0], kRgba[P * 4 + 2]) << P;
    EXPECT_EQ(I.Pixels[P * 4 + 1], kRgba[P * 4 + 1]) << P;
    EXPECT_EQ(I.Pixels[P * 4 + 2], kRgba[P * 4 + 0]) << P;
    EXPECT_EQ(I.Pixels[P * 4 + 3], kRgba[P * 4 + 3]) << P;
  }
}

TEST(PNGCodec, BadBytesAndOversizedPicturesAreRefused) {
  std::string Bytes, Error;
  ASSERT_TRUE(EncodePNG(kRgba.data(), 3, 2, Bytes, Error));
  TPNGImage I;
  EXPECT_FALSE(DecodePNG(Bytes.data(), Bytes.size(), I, Error, 5));  // 6 pixels, 5 allowed
  EXPECT_NE(Error.find("3x2"), std::string::npos);
  EXPECT_FALSE(DecodePNG(Bytes.data(), Bytes.size() - 20, I, Error));
  EXPECT_FALSE(Error.empty());
  EXPECT_FALSE(DecodePNG("GIF89a", 6, I, Error));
  EXPECT_FALSE(DecodePNG(nullptr, 0, I, Error));
  EXPECT_TRUE(I.Pixels.empty());
  EXPECT_FALSE(EncodePNG(kRgba.data(), 0, 2, Bytes, Error));
}
