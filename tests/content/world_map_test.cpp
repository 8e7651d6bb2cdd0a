#include "world_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "content_fixture.h"
#include "engine/texture_decoders.h"
#include "platform/xml_document.h"
#include "support/temp_folder.h"

namespace {

// A world of one square continent (lon 0..40, lat 0..40) unless the test writes its own rings.
TWorldSources Sources(const std::string& Regions, const std::string& Rings = "ring land\n0 0 40 0 40 40 0 40\n",
                      const std::string& Straits = "", const std::string& Lakes = "") {
  TTempFolder F;
  F.Write("regions.txt", Regions);
  F.Write("coastlines.txt", Rings);
  F.Write("straits.txt", Straits);
  if (!Lakes.empty()) F.Write("lakes.txt", Lakes);
  return ReadWorldSources(F.Path());
}

const char* kTwoRegions =
    "west | Westen | West | 20 | 10 | 1 | steppe | 1 | 10 | 20 | 50\n"
    "east | Osten  | East | 20 | 30 | 1 | desert | 6 | 5  | 10 | 40\n";

int Pixel(const TWorldMap& M, double Lat, double Lon) {
  int X = static_cast<int>((Lon + 180.0) / 360.0 * M.Width), Y = static_cast<int>((90.0 - Lat) / 180.0 * M.Height);
  return M.Index[Y * M.Width + X];
}

}  // namespace

TEST(WorldMap, SplitsLandBetweenTheNearestSitesAndFindsNeighboursAndCoasts) {
  TWorldMap M = BuildWorldMap(Sources(kTwoRegions), 512);
  EXPECT_EQ(M.Width, 512);
  EXPECT_EQ(M.Height, 256);
  EXPECT_EQ(Pixel(M, 20, 5), 0);
  EXPECT_EQ(Pixel(M, 20, 35), 1);
  EXPECT_EQ(Pixel(M, 20, -20), -1);
  EXPECT_EQ(M.Neighbours, (std::vector<std::vector<int>>{{1}, {0}}));
  EXPECT_TRUE(M.HasCoast[0]);
  for (auto [X, Y] : M.Seeds) EXPECT_EQ(M.Base[Y * M.Width + X], 2);
}

TEST(WorldMap, AWeightMovesTheBorderTowardsTheLighterRegion) {
  TWorldMap M = BuildWorldMap(Sources("west | W | W | 20 | 10 | 2 | steppe | 1 | 1 | 1 | 1\n"
                                      "east | O | E | 20 | 30 | 1 | steppe | 1 | 1 | 1 | 1\n"),
                              512);
  EXPECT_EQ(Pixel(M, 20, 22), 0);  // nearer to the east site, but the west one weighs double
}

TEST(WorldMap, ARingInsideARingOfTheSameGroupIsASeaAndAStraitLinksAcrossIt) {
  TWorldSources S = Sources("north | N | N | 35 | 20 | 1 | arctic | 6 | 1 | 1 | 1\n"
                            "south | S | S | 5 | 20 | 1 | tropical | 6 | 1 | 1 | 1\n",
                            "ring land\n0 0 40 0 40 40 0 40\nring land\n-1 15 41 15 41 25 -1 25\n", "north south\n");
  TWorldMap M = BuildWorldMap(S, 512);
  EXPECT_EQ(Pixel(M, 20, 20), -1);
  EXPECT_EQ(M.Neighbours, (std::vector<std::vector<int>>{{1}, {0}}));
}

TEST(WorldMap, LakesCutTheLandOfEveryGroupAndAnIslandInALakeStaysLand) {
  TWorldSources S = Sources(kTwoRegions, "ring land\n0 0 40 0 40 40 0 40\nring other\n50 0 60 0 60 10 50 10\n", "",
                            "ring a\n5 5 15 5 15 15 5 15\nring a\n8 8 12 8 12 12 8 12\nring b\n52 2 58 2 58 8 52 8\n");
  TWorldMap M = BuildWorldMap(S, 512);
  EXPECT_EQ(Pixel(M, 6, 6), -1);
  EXPECT_EQ(Pixel(M, 10, 10), 0);
  EXPECT_EQ(Pixel(M, 5, 55), -1);
  EXPECT_TRUE(M.HasCoast[0]);
}

TEST(WorldMap, AnIslandWithoutASiteJoinsTheNearestRegionOrIsDropped) {
  TWorldSources S = Sources(kTwoRegions,
                            "ring land\n0 0 40 0 40 40 0 40\n"
                            "ring near\n44 18 47 18 47 22 44 22\n"   // 4 degrees off the east coast
                            "ring far\n100 18 104 18 104 22 100 22\n");  // out of reach
  TWorldMap M = BuildWorldMap(S, 512);
  EXPECT_EQ(Pixel(M, 20, 45.5), 1);
  EXPECT_EQ(Pixel(M, 20, 102), -1);
  ASSERT_EQ(M.Notes.size(), 2u);
}

TEST(WorldMap, BadSourcesAreReportedWithFileAndLine) {
  try {
    BuildWorldMap(Sources("sea | Meer | Sea | 20 | -60 | 1 | steppe | 6 | 1 | 1 | 1\n"), 512);
    FAIL() << "no error";
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "regions.txt line 1: the site of \"sea\" lies in the sea");
  }
  EXPECT_THROW(Sources("a | A | A | 20 | x | 1 | steppe | 6 | 1 | 1 | 1\n"), std::runtime_error);
  try {
    Sources(kTwoRegions, "ring land\n0 0 40 0 40 40 0 40\n", "west north\n");
    FAIL() << "no error";
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "\"straits.txt\" line 1: unknown region \"north\"");
  }
}

// The game's own map, as the data build wrote it.
TEST(RegionBaseMap, EveryRegionFillsItsOwnAreaFromItsSeedAndLeaksIntoNoOther) {
  TBaseMap Map = LoadBaseMap();
  TXMLDocument Doc;
  Doc.LoadFromFile(DataFile("XML/regions.xml"));
  auto Regions = Doc.Root().Children();
  ASSERT_GE(Regions.size(), 100u);
  ASSERT_LE(Regions.size(), 150u);
  std::vector<int> Owner(Map.Width * Map.Height, -1);
  for (std::size_t i = 0; i < Regions.size(); ++i) {
    int X = std::stoi(Regions[i].RequiredAttribute("x_2D")) / 2, Y = std::stoi(Regions[i].RequiredAttribute("y_2D")) / 2;
    ASSERT_TRUE(X >= 0 && X < Map.Width && Y >= 0 && Y < Map.Height) << Regions[i].Where();
    ASSERT_FALSE(Map.IsWhite(X, Y)) << Regions[i].Where();
    std::vector<std::pair<int, int>> Stack{{X, Y}};
    int Filled = 0;
    while (!Stack.empty()) {
      auto [PX, PY] = Stack.back();
      Stack.pop_back();
      if (PX < 0 || PY < 0 || PX >= Map.Width || PY >= Map.Height || Map.IsWhite(PX, PY)) continue;
      int& O = Owner[PY * Map.Width + PX];
      if (O == static_cast<int>(i)) continue;
      ASSERT_EQ(O, -1) << Regions[i].Where() << " runs into region " << O;
      O = static_cast<int>(i);
      ++Filled;
      Stack.insert(Stack.end(), {{PX + 1, PY}, {PX - 1, PY}, {PX, PY + 1}, {PX, PY - 1}});
    }
    EXPECT_GE(Filled, 6) << Regions[i].Where();
    // The fill must stay on land: the dark sea is sealed by white coasts.
    EXPECT_LT(Filled, 10000) << Regions[i].Where();
  }
}

TEST(RegionBaseMap, TheDataBuildIsDeterministic) {
  TWorldSources S = ReadWorldSources(SourceFile("content/world"));
  TWorldMap A = BuildWorldMap(S, 512), B = BuildWorldMap(S, 512);
  EXPECT_EQ(BaseMapBMP(A), BaseMapBMP(B));
  EXPECT_EQ(RegionsXML(S, A), RegionsXML(S, B));
  EXPECT_EQ(BaseMapBMP(A), ReadTestFile(DataFile("regions512.bmp")));
  EXPECT_EQ(RegionsXML(S, A), ReadTestFile(DataFile("XML/regions.xml")));
}

TEST(RegionImages, TheGamesDecodersReadTheBaseMapAndTheWideImagesBack) {
  TWorldSources S = Sources(kTwoRegions);
  TWorldMap M = BuildWorldMap(S, 512);
  auto Bytes = [](const std::string& S) { return TBytes(reinterpret_cast<const std::uint8_t*>(S.data()), S.size()); };
  // Rows come back bottom first, pixels as BGRA; the index is region + 1 (0 = sea).
  std::string Index = IndexPNG(M, 2);
  TDecodedImage I = DecodePNGImage(Bytes(Index), "regions_index.png");
  ASSERT_EQ(I.Width, 1024u);
  ASSERT_EQ(I.Height, 512u);
  for (int Y : {0, 100, 140, 255})
    for (int X : {0, 186, 300, 511}) {
      std::size_t At = ((static_cast<std::size_t>(511 - 2 * Y) * 1024) + 2 * X) * 4;
      EXPECT_EQ(I.Pixels[At + 2], M.Index[Y * 512 + X] + 1) << X << "," << Y;
    }
  TDecodedImage Borders = DecodePNGImage(Bytes(BorderPNG(M, 4)), "regions.png");
  EXPECT_EQ(Borders.Width, 2048u);
  EXPECT_EQ(Borders.Height, 1024u);
  TDecodedImage Base = DecodeBMPImage(Bytes(BaseMapBMP(M)), "regions512.bmp");
  ASSERT_EQ(Base.Width, 512u);
  auto [SX, SY] = M.Seeds[0];
  const std::uint8_t* P = &Base.Pixels[(static_cast<std::size_t>(255 - SY) * 512 + SX) * (Base.Format == 0x80E1 || Base.Format == 0x1908 ? 4 : 3)];
  EXPECT_EQ(P[0], 150);  // a region's area is grey
}

TEST(WorldMap, LandGoesToASiteOnItsOwnLandMassBeforeOneAcrossTheSea) {
  TWorldMap M = BuildWorldMap(Sources("west | W | W | 20 | 18 | 1 | steppe | 6 | 1 | 1 | 1\n"
                                      "east | O | E | 20 | 55 | 1 | steppe | 6 | 1 | 1 | 1\n",
                                      "ring a\n0 0 20 0 20 40 0 40\nring b\n22 0 60 0 60 40 22 40\n"),
                              512);
  EXPECT_EQ(Pixel(M, 20, 23), 1);
  EXPECT_EQ(Pixel(M, 20, 19), 0);
  EXPECT_TRUE(M.Neighbours[0].empty());
}
