#include "coastlines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "support/temp_folder.h"
#include "world_map.h"

namespace {

// Reads the converter's output back with the world map's own reader.
std::vector<TCoastRing> Rings(const std::string& Text) {
  TTempFolder F;
  F.Write("regions.txt", "");
  F.Write("coastlines.txt", Text);
  F.Write("straits.txt", "");
  return ReadWorldSources(F.Path()).Rings;
}

}  // namespace

// Quantised, delta-encoded arcs (scale 0.5 degrees, origin -180/-90): a square continent whose
// ring runs arc 0 forwards and arc 1 backwards with a hole; an island stitched across the date
// line; a speck below the minimum area; a polygon south of 60 degrees south.
TEST(Coastlines, DecodesArcsUnwrapsTheDateLineAndLeavesOutSpecksAndTheFarSouth) {
  const std::string Json = R"({"type":"Topology","transform":{"scale":[0.5,0.5],"translate":[-180,-90]},
    "objects":{"land":{"type":"GeometryCollection","geometries":[
      {"type":"MultiPolygon","arcs":[[[0,-2],[2]],[[3]],[[4]]]},
      {"type":"Polygon","arcs":[[5]]}]}},
    "arcs":[[[360,180],[20,0],[0,20]],
            [[360,180],[0,20],[20,0]],
            [[364,184],[0,4],[4,0],[0,-4],[-4,0]],
            [[719,100],[1,0],[-719,0],[0,2],[718,0],[0,-2]],
            [[0,0],[0,1],[1,0],[-1,-1]],
            [[100,10],[10,0],[0,10],[-10,0],[0,-10]]]})";
  TCoastlineOptions Options;
  Options.Tolerance = 0.01;
  Options.MinArea = 1;
  std::string Text = ConvertTopoJSON(Json, "land", Options, "first\nsecond");
  EXPECT_EQ(Text.rfind("# first\n# second\n", 0), 0u);
  auto R = Rings(Text);
  ASSERT_EQ(R.size(), 3u);
  // The continent: (0,0) (10,0) (10,10) then back along arc 1 to (0,10).
  EXPECT_EQ(R[0].Group, R[1].Group);
  EXPECT_EQ(R[0].Points, (std::vector<std::pair<double, double>>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
  EXPECT_EQ(R[1].Points.size(), 4u);  // the hole, a 2-degree square at (2,2)
  EXPECT_EQ(R[1].Points[0], (std::pair<double, double>{2, 2}));
  // The island spans one degree across the date line, not the whole map.
  EXPECT_NE(R[2].Group, R[0].Group);
  double West = 1e9, East = -1e9;
  for (auto [Lon, Lat] : R[2].Points) {
    West = std::min(West, Lon);
    East = std::max(East, Lon);
  }
  EXPECT_NEAR(East - West, 1.0, 1e-9);
  EXPECT_NEAR(std::fabs((East + West) / 2), 180.0, 1e-9);
  EXPECT_THROW(ConvertTopoJSON(R"({"type":"Topology","arcs":[],"objects":{"land":{"type":"Polygon","arcs":[[7]]}}})", "land",
                               Options, ""),
               std::runtime_error);
  EXPECT_THROW(ConvertTopoJSON(R"({"type":"Topology","arcs":[[[0,0],)", "land", Options, ""), std::runtime_error);
}
