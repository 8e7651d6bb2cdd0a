#include <gtest/gtest.h>

#include "engine/gl_api.h"
#include "engine/texture_decoders.h"
#include "support/texture_files.h"

namespace {
TBytes B(const std::string& S) { return {reinterpret_cast<const std::uint8_t*>(S.data()), S.size()}; }

// The decoded pixel at (X, Y) (Y = 0 is the bottom row) as RGBA, whatever the layout.
std::vector<int> PixelAt(const TDecodedImage& I, std::uint32_t X, std::uint32_t Y) {
  const int N = (I.Format == GL_RGB || I.Format == GL_BGR) ? 3 : 4;
  const std::uint8_t* P = &I.Pixels[(std::size_t(Y) * I.Width + X) * N];
  const bool Bgr = I.Format == GL_BGR || I.Format == GL_BGRA;
  return {Bgr ? P[2] : P[0], P[1], Bgr ? P[0] : P[2], N == 4 ? P[3] : 255};
}

void ExpectCorners(const TDecodedImage& I, bool WithAlpha, int Tolerance = 0) {
  auto Near = [&](std::vector<int> Got, std::vector<int> Want) {
    for (int C = 0; C < 4; ++C) EXPECT_NEAR(Got[C], Want[C], Tolerance) << "component " << C;
  };
  Near(PixelAt(I, 0, 0), {255, 0, 0, 255});
  Near(PixelAt(I, I.Width - 1, 0), {0, 255, 0, 255});
  Near(PixelAt(I, 0, I.Height - 1), {0, 0, 255, 255});
  Near(PixelAt(I, I.Width - 1, I.Height - 1), {255, 255, 255, WithAlpha ? 128 : 255});
}

template <class F>
std::string ErrorOf(F&& Decode) {
  try {
    Decode();
  } catch (const ETextureError& E) {
    return E.what();
  }
  return "no error";
}

template <class F>
ETextureError TextureErrorOf(F&& Decode) {
  try {
    Decode();
  } catch (const ETextureError& E) {
    return E;
  }
  return ETextureError("no error");
}
}  // namespace

TEST(TextureDecoders, ExtensionDispatchTakesTheLastFourCharactersInAnyCase) {
  EXPECT_EQ(TextureFileKind("data\\tex\\Map.PnG"), ".PNG");
  EXPECT_EQ(TextureFileKind("a.dds"), ".DDS");
  EXPECT_EQ(TextureFileKind("a.Tga"), ".TGA");
  EXPECT_EQ(TextureFileKind("a.jpg"), ".JPG");
  EXPECT_EQ(TextureFileKind("a.bmp"), ".BMP");
  EXPECT_EQ(TextureFileKind("photo.jpeg"), "");  // "jpeg" has no dot in its last four
  EXPECT_EQ(TextureFileKind("png"), "");
  EXPECT_EQ(TextureFileKind("a.gif"), "");
}

TEST(TextureDecoders, PNGIsBGRABottomRowFirst) {
  auto P = CornerPicture(5, 3);
  auto I = DecodePNGImage(B(MakePNGFile(P)), "a.png");
  EXPECT_EQ(I.Width, 5u);
  EXPECT_EQ(I.Height, 3u);
  EXPECT_EQ(I.Format, unsigned(GL_BGRA));
  EXPECT_EQ(I.RegisteredFormat, unsigned(GL_RGBA));
  ExpectCorners(I, true);
}

TEST(TextureDecoders, DamagedPNGNamesTheFile) {
  std::string Png = MakePNGFile(CornerPicture(16, 16));
  EXPECT_NE(ErrorOf([&] { DecodePNGImage(B(Png.substr(0, Png.size() / 2)), "data\\tex\\half.png"); })
                .find("PNG file \"data\\tex\\half.png\" cannot be decoded"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { DecodePNGImage(B("not a png at all"), "x.png"); }).find("\"x.png\""), std::string::npos);
  EXPECT_NE(ErrorOf([&] { DecodePNGImage(B(""), "x.png"); }), "no error");
  // A header that claims a huge picture is refused before memory is taken for it.
  std::string Huge = Png;
  PutU32(Huge, 16, 0x00010000);
  std::swap(Huge[16], Huge[19]);
  Huge[16] = 0, Huge[17] = 1, Huge[18] = 0, Huge[19] = 0;  // width 65536, big-endian
  EXPECT_NE(ErrorOf([&] { DecodePNGImage(B(Huge), "huge.png"); }), "no error");
}

TEST(TextureDecoders, JPGIsRGBAWithOpaqueAlphaRegisteredAsRGB) {
  auto P = QuadrantPicture(32, 32);
  auto I = DecodeJPGImage(B(MakeJPEGFile(P, 100)), "a.jpg");
  EXPECT_EQ(I.Format, unsigned(GL_RGBA));
  EXPECT_EQ(I.RegisteredFormat, unsigned(GL_RGB));
  ExpectCorners(I, false, 40);
  for (std::size_t A = 3; A < I.Pixels.size(); A += 4) ASSERT_EQ(I.Pixels[A], 255);
  // Grey files come out as RGB.
  auto G = DecodeJPGImage(B(MakeJPEGFile(P, 100, true)), "g.jpg");
  EXPECT_EQ(PixelAt(G, 0, 0)[0], PixelAt(G, 0, 0)[1]);
}

TEST(TextureDecoders, BrokenJPGIsAnErrorNotAnExit) {
  std::string J = MakeJPEGFile(CornerPicture(32, 32));
  auto E = TextureErrorOf([&] { DecodeJPGImage(B(J.substr(0, 40)), "data\\tex\\cut.jpg"); });
  EXPECT_NE(std::string(E.what()).find("JPG file \"data\\tex\\cut.jpg\" cannot be decoded"), std::string::npos);
  EXPECT_EQ(E.Caption, "BMP Unit");
  EXPECT_EQ(E.BoxText, "Couldn't load JPG - \"data\\tex\\cut.jpg\"");
  EXPECT_NE(ErrorOf([&] { DecodeJPGImage(B("\xFF\xD8garbage"), "g.jpg"); }), "no error");
  EXPECT_NE(ErrorOf([&] { DecodeJPGImage(B(""), "e.jpg"); }), "no error");
}

TEST(TextureDecoders, TGAUncompressedAndRunLength) {
  auto P = CornerPicture(5, 3);
  for (int Bits : {24, 32}) {
    SCOPED_TRACE(Bits);
    auto Plain = DecodeTGAImage(B(MakeTGAFile(P, Bits)), "a.tga", false);
    EXPECT_EQ(Plain.Format, unsigned(Bits == 32 ? GL_RGBA : GL_RGB));
    EXPECT_EQ(Plain.RegisteredFormat, Plain.Format);
    ExpectCorners(Plain, Bits == 32);
    auto Rle = DecodeTGAImage(B(MakeRLETGAFile(P, Bits)), "a.tga", false);
    EXPECT_EQ(Rle.Pixels, Plain.Pixels);
  }
  // The image ID is skipped and a top-left origin is turned right way up.
  auto WithId = DecodeTGAImage(B(MakeTGAFile(P, 32, true, "made by hand")), "id.tga", false);
  ExpectCorners(WithId, true);
}

TEST(TextureDecoders, TGARunPastTheImageIsClippedAndRunPastTheDataIsAnError) {
  TTestPicture P{2, 2, std::vector<std::uint8_t>(16, 0)};
  std::string S = MakeTGAFile(P, 24).substr(0, 18);
  S[2] = 10;
  S += char(0x80 | 9);  // a run of 10 pixels for an image of 4
  S += std::string("\x01\x02\x03", 3);
  auto I = DecodeTGAImage(B(S), "run.tga", true);
  ASSERT_EQ(I.Pixels.size(), 12u);
  EXPECT_EQ(I.Pixels[9], 3);
  EXPECT_EQ(I.Pixels[11], 1);

  std::string Cut = S.substr(0, 18);
  Cut += char(3);  // a raw packet of 4 pixels with only one pixel present
  Cut += std::string("\x01\x02\x03", 3);
  auto E = TextureErrorOf([&] { DecodeTGAImage(B(Cut), "data\\tex\\cut.tga", false); });
  EXPECT_NE(std::string(E.what()).find("\"data\\tex\\cut.tga\""), std::string::npos);
  EXPECT_EQ(E.BoxText, "Couldn't read file \"data\\tex\\cut.tga\".");
  EXPECT_EQ(E.Caption, "TGA File Error");
  EXPECT_NE(ErrorOf([&] { DecodeTGAImage(B(S.substr(0, 18)), "empty.tga", false); }), "no error");
  EXPECT_NE(ErrorOf([&] { DecodeTGAImage(B(MakeTGAFile(P, 24).substr(0, 20)), "short.tga", false); }), "no error");
  EXPECT_NE(ErrorOf([&] { DecodeTGAImage(B("tiny"), "tiny.tga", false); }), "no error");
}

TEST(TextureDecoders, TGARefusalsInOrderWithTheirTexts) {
  std::string Base = MakeTGAFile(CornerPicture(2, 2), 24);
  auto Box = [&](std::string S, bool FromStream) {
    return TextureErrorOf([&] { DecodeTGAImage(B(S), "data\\x.tga", FromStream); }).BoxText;
  };
  std::string ColourMapped = Base;
  ColourMapped[1] = 1;
  ColourMapped[2] = 1;  // type tested before the colour map
  EXPECT_EQ(Box(ColourMapped, false), "Couldn't load \"data\\x.tga\". Only 24 and 32bit TGA supported.");
  EXPECT_EQ(Box(ColourMapped, true), "Couldn't load TGA. Only 24 and 32bit TGA supported.");
  std::string Map = Base;
  Map[1] = 1;
  EXPECT_EQ(Box(Map, false), "Couldn't load \"data\\x.tga\". Colormapped TGA files not supported.");
  EXPECT_EQ(Box(Map, true), "Couldn't load TGA. Colormapped TGA files not supported.");
  std::string Bits16 = Base;
  Bits16[16] = 16;
  EXPECT_EQ(Box(Bits16, false), "Couldn't load \"data\\x.tga\". Only 24 and 32 bit TGA files supported.");
  EXPECT_EQ(Box(Bits16, true), "Couldn't load TGA. Only 24 and 32 bit TGA files supported.");
  std::string Zero = Base;
  PutU16(Zero, 12, 0);
  EXPECT_EQ(TextureErrorOf([&] { DecodeTGAImage(B(Zero), "z.tga", false); }).Caption, "TGA File Error");
}

TEST(TextureDecoders, BMPHonoursPaddingOrientationAndBitDepth) {
  auto P = CornerPicture(5, 3);  // 15-byte rows padded to 16
  for (int Bits : {24, 32})
    for (bool TopDown : {false, true}) {
      SCOPED_TRACE(Bits * 10 + TopDown);
      auto I = DecodeBMPImage(B(MakeBMPFile(P, Bits, TopDown)), "a.bmp");
      EXPECT_EQ(I.Format, unsigned(GL_RGB));
      EXPECT_EQ(I.Pixels.size(), 45u);
      ExpectCorners(I, false);
    }
}

TEST(TextureDecoders, BMPRefusesWhatItCannotRead) {
  auto P = CornerPicture(4, 4);
  std::string Eight = MakeBMPFile(P, 24);
  PutU16(Eight, 28, 8);
  auto E = TextureErrorOf([&] { DecodeBMPImage(B(Eight), "data\\p.bmp"); });
  EXPECT_EQ(E.Caption, "BMP Unit");
  EXPECT_EQ(E.BoxText, "Couldn't load \"data\\p.bmp\". Only uncompressed 24 and 32 bit BMP files supported.");
  std::string Rle = MakeBMPFile(P, 24);
  PutU32(Rle, 30, 1);
  EXPECT_NE(ErrorOf([&] { DecodeBMPImage(B(Rle), "r.bmp"); }), "no error");
  std::string Good = MakeBMPFile(P, 24);
  EXPECT_EQ(TextureErrorOf([&] { DecodeBMPImage(B(Good.substr(0, Good.size() - 20)), "c.bmp"); }).BoxText,
            "Error reading bitmap data");
  EXPECT_EQ(TextureErrorOf([&] { DecodeBMPImage(B(Good.substr(0, 30)), "h.bmp"); }).BoxText, "Error reading palette");
  // A palette count that points past the file, with the pixel offset left 0.
  std::string Pal = Good;
  PutU32(Pal, 10, 0);
  PutU32(Pal, 46, 0x40000000);
  EXPECT_EQ(TextureErrorOf([&] { DecodeBMPImage(B(Pal), "p.bmp"); }).BoxText, "Error reading palette");
  std::string Huge = Good;
  PutU32(Huge, 18, 0x7FFFFFFF);
  EXPECT_NE(ErrorOf([&] { DecodeBMPImage(B(Huge), "w.bmp"); }), "no error");
}

TEST(TextureDecoders, DDSLevelSizesOfACompressedChain) {
  std::string S = MakeDDSHeader(DXT1Spec(256, 256, 9));
  std::vector<std::uint64_t> Want{32768, 8192, 2048, 512, 128, 32, 8, 8, 8};
  std::uint64_t Total = 0;
  for (auto N : Want) Total += N;
  S += std::string(Total, '\x11');
  auto I = DecodeDDSImage(B(S), "a.dds");
  ASSERT_EQ(I.Levels.size(), 9u);
  for (std::size_t L = 0; L < 9; ++L) EXPECT_EQ(I.Levels[L].Data.size(), Want[L]) << L;
  EXPECT_EQ(I.InternalFormat, unsigned(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT));
  EXPECT_EQ(I.Levels[8].Width, 1u);
  // One byte short of the last level: an error naming the file and the level.
  auto Msg = ErrorOf([&] { DecodeDDSImage(B(S.substr(0, S.size() - 1)), "data\\tex\\a.dds"); });
  EXPECT_EQ(Msg, "DDS file \"data\\tex\\a.dds\" needs 8 bytes for level 8, only 7 left");
}

TEST(TextureDecoders, DDSOddSizesCountWholeBlocksAndHalveDown) {
  std::string S = MakeDDSHeader(DXT1Spec(5, 3, 3));
  S += std::string(16 + 8 + 8, '\0');  // 5x3: 2x1 blocks; 2x1: 1 block; 1x1: 1 block
  auto I = DecodeDDSImage(B(S), "odd.dds");
  ASSERT_EQ(I.Levels.size(), 3u);
  EXPECT_EQ(I.Levels[0].Data.size(), 16u);
  EXPECT_EQ(I.Levels[1].Width, 2u);
  EXPECT_EQ(I.Levels[1].Height, 1u);
  EXPECT_EQ(I.Levels[2].Width, 1u);
  // More levels than the chain has are cut at 1x1.
  std::string Long = MakeDDSHeader(DXT1Spec(4, 4, 12)) + std::string(8 * 3, '\0');
  EXPECT_EQ(DecodeDDSImage(B(Long), "l.dds").Levels.size(), 3u);
}

TEST(TextureDecoders, DDSLevelCountFlagAndZero) {
  std::string NoFlag = MakeDDSHeader(DXT1Spec(8, 8)) + std::string(32 + 8, '\0');
  EXPECT_EQ(DecodeDDSImage(B(NoFlag), "n.dds").Levels.size(), 1u);
  auto Zero = DXT1Spec(8, 8, 1);
  Zero.MipMapCount = 0;
  EXPECT_EQ(DecodeDDSImage(B(MakeDDSHeader(Zero) + std::string(32, '\0')), "z.dds").Levels.size(), 1u);
}

TEST(TextureDecoders, DDSFormatRows) {
  auto Row = [](TDDSHeaderSpec H) {
    std::string S = MakeDDSHeader(H) + std::string(H.Width * H.Height * 4 + 1024, '\0');
    return std::string(DecodeDDSImage(B(S), "f.dds").Info->Name);
  };
  auto Fourcc = [](const char* F) {
    auto H = DXT1Spec(4, 4);
    H.FourCC = std::uint32_t(F[0]) | std::uint32_t(F[1]) << 8 | std::uint32_t(F[2]) << 16 | std::uint32_t(F[3]) << 24;
    return H;
  };
  EXPECT_EQ(Row(Fourcc("DXT3")), "DXT3");
  EXPECT_EQ(Row(Fourcc("DXT5")), "DXT5");
  EXPECT_EQ(Row(BGRA8Spec(4, 4)), "BGRA8");
  auto Bgr = BGRA8Spec(4, 4);
  Bgr.PixelFlags = 0x40;
  Bgr.Bits = 24;
  EXPECT_EQ(Row(Bgr), "BGR8");
  auto A1 = Bgr;
  A1.PixelFlags = 0x41, A1.Bits = 16, A1.RMask = 0x7C00, A1.GMask = 0x3E0, A1.BMask = 0x1F, A1.AMask = 0x8000;
  EXPECT_EQ(Row(A1), "BGR5A1");
  auto R565 = Bgr;
  R565.Bits = 16, R565.RMask = 0xF800, R565.GMask = 0x7E0, R565.BMask = 0x1F;
  EXPECT_EQ(Row(R565), "BGR565");
  TDDSHeaderSpec Pal;
  Pal.PixelFlags = 0x20, Pal.Bits = 8;
  EXPECT_EQ(Row(Pal), "Index8");
  EXPECT_EQ(ErrorOf([&] { Row(Fourcc("ATI2")); }), "DDS file \"f.dds\" has an unsupported pixel format");
  auto BadMask = BGRA8Spec(4, 4);
  BadMask.RMask = 0xFF;
  EXPECT_NE(ErrorOf([&] { Row(BadMask); }), "no error");

  // 16-bit rows go to GL without a byte swap, 5-6-5 as GL_RGB.
  for (const auto& I : DDSLoadInfos()) EXPECT_FALSE(I.SwapBytes) << I.Name;
  EXPECT_EQ(DDSLoadInfos()[6].ExternalFormat, unsigned(GL_RGB));
  EXPECT_EQ(DDSLoadInfos()[6].DataType, unsigned(GL_UNSIGNED_SHORT_5_6_5));
}

TEST(TextureDecoders, DDSPaletteLevelsOfAnySizeAreUnpacked) {
  TDDSHeaderSpec H;
  H.Width = 128, H.Height = 128, H.PixelFlags = 0x20, H.Bits = 8;
  std::string Palette(1024, '\0');
  PutU32(Palette, 7 * 4, 0x80112233);
  std::string S = MakeDDSHeader(H) + Palette + std::string(128 * 128, '\x07');
  auto I = DecodeDDSImage(B(S), "p.dds");
  ASSERT_EQ(I.Levels[0].Data.size(), 128u * 128 * 4);  // more than 10,000 pixels
  EXPECT_EQ(I.Levels[0].Data[16383 * 4], 0x33);
  EXPECT_EQ(I.Levels[0].Data[16383 * 4 + 3], 0x80);
  EXPECT_NE(ErrorOf([&] { DecodeDDSImage(B(MakeDDSHeader(H) + "short palette"), "p.dds"); }), "no error");
}

TEST(TextureDecoders, DDSVolumeReadsOneBytePerVoxel) {
  TDDSHeaderSpec H;
  H.Width = 64, H.Height = 64, H.Depth = 64;
  H.Flags |= 0x800000;
  std::string S = MakeDDSHeader(H) + std::string(262144, '\x05');
  auto I = DecodeDDSImage(B(S), "data\\tex\\noisevolume.dds");
  EXPECT_EQ(I.Depth, 64u);
  EXPECT_EQ(I.InternalFormat, unsigned(GL_LUMINANCE8));
  ASSERT_EQ(I.Levels.size(), 1u);
  EXPECT_EQ(I.Levels[0].Data.size(), 262144u);
  EXPECT_NE(ErrorOf([&] { DecodeDDSImage(B(S.substr(0, 1000)), "v.dds"); }), "no error");
}

TEST(TextureDecoders, DDSBadHeaders) {
  std::string Good = MakeDDSHeader(DXT1Spec(4, 4)) + std::string(8, '\0');
  EXPECT_EQ(ErrorOf([&] { DecodeDDSImage(B(Good.substr(0, 100)), "h.dds"); }), "DDS file \"h.dds\" is cut short in its header");
  std::string Magic = Good;
  Magic[0] = 'X';
  EXPECT_EQ(ErrorOf([&] { DecodeDDSImage(B(Magic), "h.dds"); }), "DDS file \"h.dds\" has no valid DDS header");
  std::string Size = Good;
  PutU32(Size, 4, 100);
  EXPECT_NE(ErrorOf([&] { DecodeDDSImage(B(Size), "h.dds"); }), "no error");
  std::string NoCaps = Good;
  PutU32(NoCaps, 8, 0x1000);
  EXPECT_NE(ErrorOf([&] { DecodeDDSImage(B(NoCaps), "h.dds"); }), "no error");
  std::string Zero = Good;
  PutU32(Zero, 16, 0);
  EXPECT_NE(ErrorOf([&] { DecodeDDSImage(B(Zero), "h.dds"); }), "no error");
  std::string Huge = Good;
  PutU32(Huge, 16, 0xFFFFFFFF);
  PutU32(Huge, 12, 0xFFFFFFFF);
  EXPECT_NE(ErrorOf([&] { DecodeDDSImage(B(Huge), "h.dds"); }), "no error");
}

TEST(TextureDecoders, MipmapHalvingAveragesEveryTexelAndRoundsHalfUp) {
  // 4 x 2 RGBA: each 2 x 2 block becomes its mean, rounded half up (1+2+2+2 = 7 -> 1.75 -> 2).
  std::vector<std::uint8_t> P(4 * 2 * 4, 0);
  auto Set = [&](std::uint32_t X, std::uint32_t Y, std::uint8_t V) { P[(Y * 4 + X) * 4] = V; };
  Set(0, 0, 1), Set(1, 0, 2), Set(0, 1, 2), Set(1, 1, 2);
  Set(2, 0, 0), Set(3, 0, 0), Set(2, 1, 255), Set(3, 1, 255);
  auto L = HalveImage(P.data(), 4, 2, 4);
  ASSERT_EQ(L.size(), 2u * 1 * 4);
  EXPECT_EQ(L[0], 2);
  EXPECT_EQ(L[4], 128);  // 127.5 rounds up

  // Odd sides: 3 x 3 RGB halves to 1 x 1 from all nine texels, none dropped at the edge.
  std::vector<std::uint8_t> Q(3 * 3 * 3, 0);
  Q[(2 * 3 + 2) * 3 + 1] = 90;  // the far corner's green
  auto M = HalveImage(Q.data(), 3, 3, 3);
  ASSERT_EQ(M.size(), 3u);
  EXPECT_EQ(M[1], 10);

  // One pixel high: only the row's neighbours mix; a single pixel stays itself.
  std::vector<std::uint8_t> Row{10, 20, 30, 50, 7};
  auto R = HalveImage(Row.data(), 5, 1, 1);
  EXPECT_EQ(R, (std::vector<std::uint8_t>{15, 29}));  // (30 + 50 + 7) / 3 = 29
  std::vector<std::uint8_t> One{42, 43, 44};
  EXPECT_EQ(HalveImage(One.data(), 1, 1, 3), One);
}
