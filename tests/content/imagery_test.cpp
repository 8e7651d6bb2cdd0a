// The globe's and the scenes' pictures as the data build wrote them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "content_fixture.h"
#include "platform/latin1.h"
#include "platform/png_codec.h"

namespace fs = std::filesystem;

namespace {

TPNGImage LoadPNG(const fs::path& File) {
  std::string Bytes = ReadTestFile(File), Error;
  TPNGImage Image;
  EXPECT_TRUE(DecodePNG(Bytes.data(), Bytes.size(), Image, Error)) << File << ": " << Error;
  return Image;
}

// Water as the Blue Marble shows it: bluer than red and not greener than blue, darker than ice
// (bytes, with a little slack for rounding).
bool LooksLikeWater(double R, double G, double B) { return B > R + 14 && B + 11 >= G && R < 116 && R + G + B < 487; }

// What a base-map texel shows: 0 sea, 1 a region's area, 2 a white border or coast line.
int Kind(const TBaseMap& M, int X, int Y) {
  const std::uint8_t* P = &M.RGB[(static_cast<std::size_t>(Y) * M.Width + ((X + M.Width) % M.Width)) * 3];
  if (P[0] == 20 && P[1] == 36 && P[2] == 70) return 0;
  return P[0] == 255 && P[1] == 255 && P[2] == 255 ? 2 : 1;
}

bool IsPowerOfTwo(std::uint32_t V) { return V >= 2 && V <= 4096 && (V & (V - 1)) == 0; }

std::uint32_t U32(const std::string& S, std::size_t At) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(S.at(At)) | static_cast<std::uint8_t>(S.at(At + 1)) << 8 |
                                    static_cast<std::uint8_t>(S.at(At + 2)) << 16 | static_cast<std::uint8_t>(S.at(At + 3)) << 24);
}

// How much faster a picture's brightness changes east-west than north-south over the rows from
// row First to row Last, each step measured by the distance it spans on the globe (a pixel of a
// row at latitude B spans cos B of a row's height): about 1 for a picture without a direction,
// far above 1 where each column keeps its colour down the rows, which the globe shows as streaks
// running out from the pole. Nothing changing at all counts as 1.
double EastWestOverNorthSouth(const TPNGImage& P, int First, int Last) {
  const auto Brightness = [&](int X, int Y) {
    const std::size_t At = (static_cast<std::size_t>(P.Height - 1 - Y) * P.Width + (X % P.Width)) * 4;
    return (P.Pixels[At] + P.Pixels[At + 1] + P.Pixels[At + 2]) / 3.0;
  };
  double EastWest = 0, NorthSouth = 0;
  for (int Y = First; Y <= Last; ++Y) {
    const double Lat = (90.0 - (Y + 0.5) * 180.0 / P.Height) * M_PI / 180.0;
    double E = 0, N = 0;
    for (int X = 0; X < static_cast<int>(P.Width); ++X) {
      E += std::fabs(Brightness(X + 1, Y) - Brightness(X, Y));
      N += std::fabs(Brightness(X, Y + 1) - Brightness(X, Y));
    }
    EastWest += E / std::cos(Lat);
    NorthSouth += N;
  }
  return NorthSouth > 0 ? EastWest / NorthSouth : EastWest > 0 ? 1e9 : 1.0;
}

}  // namespace

TEST(GlobeImagery, DayMapLandAndSeaMatchTheRegionMapAndNightLightsStayOnLand) {
  const TBaseMap Map = LoadBaseMap();
  const TPNGImage Day = LoadPNG(DataFile("tex/nocompression/earthmap.png")), Night = LoadPNG(DataFile("tex/nocompression/earthnight.png"));
  ASSERT_EQ(Day.Width, 4u * Map.Width);
  ASSERT_EQ(Day.Height, 4u * Map.Height);
  ASSERT_EQ(Night.Width, Day.Width);
  // Every base-map texel of sea or of a region's area whose neighbours are all the same (one
  // texel of slack at the coasts and borders) must show sea or land in the day map: the 4 x 4
  // block of the day map over it, averaged as the globe's mipmaps average it.
  int Checked = 0, Wrong = 0, LitSea = 0;
  std::string Examples;
  for (int Y = 1; Y + 1 < Map.Height; ++Y)
    for (int X = 0; X < Map.Width; ++X) {
      const int K = Kind(Map, X, Y);
      bool Uniform = K != 2;
      for (int DY = -1; DY <= 1; ++DY)
        for (int DX = -1; DX <= 1; ++DX) Uniform = Uniform && Kind(Map, X + DX, Y + DY) == K;
      if (!Uniform) continue;
      const bool Sea = K == 0;
      int Sum[3] = {0, 0, 0}, Light = 0;
      for (int DY = 0; DY < 4; ++DY)
        for (int DX = 0; DX < 4; ++DX) {
          // Decoded rows are bottom first, pixels blue, green, red, alpha.
          std::size_t At = ((static_cast<std::size_t>(Day.Height - 1 - (4 * Y + DY)) * Day.Width) + 4 * X + DX) * 4;
          for (int C = 0; C < 3; ++C) Sum[C] += Day.Pixels[At + 2 - C];
          Light = std::max<int>(Light, Night.Pixels[At + 2]);
        }
      ++Checked;
      if (LooksLikeWater(Sum[0] / 16.0, Sum[1] / 16.0, Sum[2] / 16.0) != Sea && ++Wrong <= 5)
        Examples += " (" + std::to_string(X) + "," + std::to_string(Y) + (Sea ? " sea)" : " land)");
      if (Sea && Light > 8) ++LitSea;
    }
  EXPECT_GT(Checked, Map.Width * Map.Height / 2);
  EXPECT_EQ(Wrong, 0) << "day map disagrees with the region map at" << Examples;
  EXPECT_EQ(LitSea, 0) << "city lights over the sea";
}

TEST(GlobeImagery, TheNorthPoleShowsNoStreaks) {
  // The rows north of 85 degrees change no faster east-west than north-south, as the middle
  // latitudes do, in the day and the night picture.
  for (const char* File : {"tex/nocompression/earthmap.png", "tex/nocompression/earthnight.png"}) {
    const TPNGImage P = LoadPNG(DataFile(File));
    ASSERT_EQ(P.Width, 2 * P.Height);
    const int Pole = static_cast<int>(P.Height * 5 / 180);
    EXPECT_LT(EastWestOverNorthSouth(P, 0, Pole), 1.6) << File;
    EXPECT_LT(EastWestOverNorthSouth(P, P.Height / 4, P.Height / 4 + Pole), 1.6) << File << " at 45 degrees";
  }
}

TEST(GlobeImagery, PicturesHaveSizesAndChannelsTheirUseNeeds) {
  // Blended or alpha-tested pictures carry alpha; all are power-of-two sized.
  const std::set<std::string> NeedAlpha = {"earthclouds", "fog", "setting_water", "setting_water_dirty", "cursor_default",
                                           "cursor_action", "cursor_selectregion", "cursor_selectregionaction",
                                           "cursor_rotateglobe", "gui_icon_tendency_up", "gui_icon_tendency_down",
                                           "flag_0_halfround"};
  int Seen = 0;
  for (auto& E : fs::recursive_directory_iterator(DataFile("tex"))) {
    const std::string Ext = LowerAscii(E.path().extension().string()), Stem = LowerAscii(E.path().stem().string());
    if (Ext == ".png") {
      std::string B = ReadTestFile(E.path());
      ASSERT_GE(B.size(), 26u) << E.path();
      const std::uint32_t W = __builtin_bswap32(U32(B, 16)), H = __builtin_bswap32(U32(B, 20));
      const int ColourType = static_cast<std::uint8_t>(B[25]);
      EXPECT_TRUE(IsPowerOfTwo(W) && IsPowerOfTwo(H)) << E.path() << " is " << W << "x" << H;
      if (NeedAlpha.count(Stem)) {
        EXPECT_EQ(ColourType & 4, 4) << E.path() << " lacks alpha";
      }
      EXPECT_EQ(B.find("tIME"), std::string::npos) << E.path() << " carries a time stamp";
      ++Seen;
    }
  }
  EXPECT_GE(Seen, 40);

  // The loading picture is the 1024 x 768 screen that it covers; the loading indicator is
  // blended at its own size; the noise volume is 64 cubed luminance.
  std::string Loading = ReadTestFile(DataFile("loadingscreen.dds"));
  ASSERT_GE(Loading.size(), 128u);
  EXPECT_EQ(U32(Loading, 16), 1024u);
  EXPECT_EQ(U32(Loading, 12), 768u);
  std::string Indicator = ReadTestFile(DataFile("loadingscreen_indicator.dds"));
  EXPECT_EQ(Indicator.substr(0, 4), "DDS ");
  EXPECT_TRUE(U32(Indicator, 80) & 0x1) << "no alpha";
  EXPECT_GT(U32(Indicator, 28), 1u) << "no mipmaps";
  std::string Volume = ReadTestFile(DataFile("tex/noisevolume.dds"));
  ASSERT_GE(Volume.size(), 128u);
  EXPECT_TRUE(U32(Volume, 8) & 0x800000) << "no depth flag";
  EXPECT_EQ(U32(Volume, 24), 64u);
  EXPECT_EQ(Volume.size(), 128u + 64u * 64u * 64u);
}

TEST(GlobeImagery, TheImageryBuildIsDeterministic) {
  // A second run into a fresh folder gives the same bytes for every picture.
  TTempFolder Fresh;
  fs::create_directories(Fresh.Path() / "content");
  fs::create_directories(Fresh.Path() / "data" / "XML");
  for (const char* F : {"content/regions_index2048.png", "content/regions2048.png", "data/XML/nationinfo.xml"})
    fs::copy_file(fs::path(TARNOVA_BINARY_DIR) / F, Fresh.Path() / F);
  const std::string Tool = (fs::path(TARNOVA_BINARY_DIR) / "tools" / "tarnova-imagery").string();
  const std::string Command = Tool + " " TARNOVA_MARBLE_DIR " " TARNOVA_XPLANET_DIR " " TARNOVA_DEJAVU_DIR " " + Fresh.Path().string() + " >/dev/null";
  ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
  int Compared = 0;
  for (auto& E : fs::recursive_directory_iterator(Fresh.Path() / "data")) {
    const std::string Ext = LowerAscii(E.path().extension().string());
    if (Ext != ".png" && Ext != ".dds") continue;
    const fs::path Built = DataFile(fs::relative(E.path(), Fresh.Path() / "data").string());
    EXPECT_TRUE(ReadTestFile(E.path()) == ReadTestFile(Built)) << Built << " differs from a fresh run";
    ++Compared;
  }
  EXPECT_GE(Compared, 40);
}
