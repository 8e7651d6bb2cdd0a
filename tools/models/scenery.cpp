// The globe, the nation symbols and landscapes, the region diorama's set pieces and plots, and
// the main menu's hand and logo band.
#include <algorithm>
#include <cmath>

#include "catalogue.h"
#include "parts.h"

namespace {
float Rad(float D) { return D * kPi / 180; }

// The globe: radius 4 (52 once loaded), z the polar axis, longitude 0 towards -y, east to +x
// (the frame of the regions' 3D positions); the day texture is equirectangular.
void Globe(TModelBuilder& B, int Segments, int Rings) {
  TMaterial Day;
  Day.Texture = "earthmap";
  const int Mat = B.Material(Day);
  auto Corner = [&](int i, int j) {
    float Lon = -180 + 360.0f * i / Segments, Lat = -90 + 180.0f * j / Rings;
    TVec3 D{std::cos(Rad(Lat)) * std::sin(Rad(Lon)), -std::cos(Rad(Lat)) * std::cos(Rad(Lon)), std::sin(Rad(Lat))};
    return TCorner{D * 4.0f, D, {(Lon + 180) / 360, (90 - Lat) / 180}};
  };
  for (int j = 0; j < Rings; ++j)
    for (int i = 0; i < Segments; ++i) {
      TCorner A = Corner(i, j), Bc = Corner(i + 1, j), C = Corner(i + 1, j + 1), D = Corner(i, j + 1);
      // At a pole the quad is one triangle: its pole corner takes the middle of the segment's
      // longitudes, else each triangle shears the map sideways and the pole shows a fan.
      const float Middle = (i + 0.5f) / Segments;
      if (j == 0) A.T.U = Bc.T.U = Middle;
      if (j + 1 == Rings) C.T.U = D.T.U = Middle;
      B.SmoothTriangle(Mat, A, Bc, C);
      B.SmoothTriangle(Mat, A, C, D);
    }
}

// ---------------------------------------------------------------------------------- symbols

std::vector<std::array<float, 2>> Circle(float R, int N, float Start = 90) {
  std::vector<std::array<float, 2>> O;
  for (int i = 0; i < N; ++i) {
    float A = Rad(Start + 360.0f * i / N);
    O.push_back({R * std::cos(A), R * std::sin(A)});
  }
  return O;
}

void Symbol(TModelBuilder& B, int Nation) {
  // Emblems about 220 high, facing +z, their middle at the origin: the nation selection puts
  // that point on the symbol's place, where the emblem's foot just meets the sea.
  B.Push();
  const int Gold = Paint(B, 235, 195, 80, "mdl_metal"), White = Paint(B, 240, 240, 240, "mdl_metal");
  switch (Nation) {
    case 0: {  // Valdoria: a blue shield with a white cross
      int Blue = Paint(B, 40, 90, 220, "mdl_plating");
      B.ExtrudeXY(Blue, Gold, {{-90, 100}, {90, 100}, {90, 10}, {60, -60}, {0, -110}, {-60, -60}, {-90, 10}}, -15, 15);
      B.Box(White, {-14, -85, 15}, {14, 85, 22});
      B.Box(White, {-75, 12, 15}, {75, 40, 22});
      break;
    }
    case 1: {  // Norvance: a red star in a white ring
      int Red = Paint(B, 210, 40, 40, "mdl_plating");
      std::vector<std::array<float, 2>> Star;
      for (int i = 0; i < 10; ++i) {
        float R = i % 2 ? 38.0f : 90.0f, A = Rad(90 + 36.0f * i);
        Star.push_back({R * std::cos(A), R * std::sin(A)});
      }
      B.ExtrudeXY(Red, Red, Star, -15, 15);
      B.Push();
      B.RotateX(90);
      B.Torus(White, {0, 0, 0}, 100, 10, 32, 8);
      B.Pop();
      break;
    }
    case 2: {  // Meridia: a green leaf with a light midrib
      int Green = Paint(B, 40, 170, 60, "mdl_foliage"), Light = Paint(B, 170, 230, 140);
      std::vector<std::array<float, 2>> Leaf;
      for (int i = 0; i < 24; ++i) {
        float T = Rad(360.0f * i / 24);
        Leaf.push_back({70 * std::sin(T) * std::abs(std::sin(T)) + 0.0f, 105 * std::cos(T)});
      }
      B.ExtrudeXY(Green, Green, Leaf, -12, 12);
      B.Box(Light, {-5, -105, 12}, {5, 95, 18});
      for (int i = 0; i < 3; ++i) {
        for (float Side : {-1.0f, 1.0f}) {
          B.Push();
          B.Translate({0, -40 + 40.0f * i, 12});
          B.RotateZ(Side * 50);
          B.Box(Light, {-3, 0, 0}, {3, 50, 5});
          B.Pop();
        }
      }
      break;
    }
    case 3: {  // Kaluan Alliance: an amber sun with twelve rays
      int Amber = Paint(B, 235, 170, 20, "mdl_metal"), Deep = Paint(B, 200, 110, 20);
      B.ExtrudeXY(Amber, Amber, Circle(60, 24), -15, 15);
      B.ExtrudeXY(Deep, Deep, Circle(35, 18), 15, 22);
      for (int i = 0; i < 12; ++i) {
        B.Push();
        B.RotateZ(30.0f * i);
        B.ExtrudeXY(Amber, Amber, {{-14, 68}, {14, 68}, {0, 110}}, -8, 8);
        B.Pop();
      }
      break;
    }
    default: {  // Jade Dominion: a purple hexagon with a jade ring
      int Purple = Paint(B, 150, 60, 200, "mdl_plating"), Jade = Paint(B, 90, 200, 150, "mdl_metal");
      B.ExtrudeXY(Purple, Gold, Circle(105, 6), -15, 15);
      B.Push();
      B.Translate({0, 0, 18});
      B.RotateX(90);
      B.Torus(Jade, {0, 0, 0}, 55, 16, 24, 8);
      B.Pop();
      break;
    }
  }
  B.Pop();
}

// ------------------------------------------------------------------------ nation landscapes

// A cheap, smooth, deterministic height pattern.
float Waves(float X, float Z, float Seed) {
  return std::sin(X * 0.05f + Seed) * std::cos(Z * 0.043f + Seed * 1.7f) + 0.5f * std::sin(X * 0.11f - Z * 0.09f + Seed * 2.3f) +
         0.25f * std::cos(X * 0.23f + Z * 0.19f + Seed * 0.7f);
}

struct TLandscape {
  int Ground, Rock, Snow;
  float Hills, Mountains;  // heights of the near hills and the far ring, in file units
  float Seed;
};

void Terrain(TModelBuilder& B, const TLandscape& L) {
  const int Sectors = 48, Rings = 18;
  auto Height = [&](float R, float A) {
    float X = R * std::sin(A), Z = R * std::cos(A);
    float Near = std::clamp((R - 20) / 40, 0.0f, 1.0f), Far = std::clamp((R - 70) / 80, 0.0f, 1.0f);
    float W = Waves(X, Z, L.Seed);
    return -1.0f + Near * L.Hills * (0.6f + 0.4f * W) + Far * L.Mountains * (0.55f + 0.45f * W);
  };
  auto Corner = [&](int i, int j) {
    float R = 170.0f * std::pow(static_cast<float>(j) / Rings, 1.3f), A = 2 * kPi * i / Sectors;
    TVec3 P{R * std::sin(A), Height(R, A), R * std::cos(A)};
    // Normal from the neighbouring heights.
    float E = 1.5f;
    float Hx = Height(std::hypot(P.X + E, P.Z), std::atan2(P.X + E, P.Z)) - Height(std::hypot(P.X - E, P.Z), std::atan2(P.X - E, P.Z));
    float Hz = Height(std::hypot(P.X, P.Z + E), std::atan2(P.X, P.Z + E)) - Height(std::hypot(P.X, P.Z - E), std::atan2(P.X, P.Z - E));
    TVec3 N = R < 0.01f ? TVec3{0, 1, 0} : Normalised({-Hx / (2 * E), 1, -Hz / (2 * E)});
    return TCorner{P, N, {P.X / 12, P.Z / 12}};
  };
  for (int j = 0; j < Rings; ++j)
    for (int i = 0; i < Sectors; ++i) {
      TCorner A = Corner(i, j), Bc = Corner(i + 1, j), C = Corner(i + 1, j + 1), D = Corner(i, j + 1);
      float Top = std::max({A.P.Y, Bc.P.Y, C.P.Y, D.P.Y});
      int Mat = Top > L.Mountains * 0.85f && L.Snow >= 0 ? L.Snow : Top > L.Hills * 1.3f + 2 ? L.Rock : L.Ground;
      // Rings grow outwards, sectors turn from +z towards +x: seen from above that is clockwise.
      B.SmoothTriangle(Mat, A, C, Bc);
      B.SmoothTriangle(Mat, A, D, C);
    }
}

void NationBackground(TModelBuilder& B, int Nation) {
  const int Trunk = Paint(B, 100, 75, 50), Rock = Paint(B, 130, 125, 120, "mdl_rock"), Snow = Paint(B, 245, 248, 255, "mdl_concrete");
  const int Roof = Paint(B, 170, 70, 50, "mdl_roof"), Wall = Paint(B, 230, 225, 210, "mdl_concrete");
  // Features stand in a band in front of the far ring, left and right of the globe.
  auto Spot = [](int i, float R0, float R1) {
    float A = Rad(180 + (i % 2 ? 1 : -1) * (25 + 11.0f * (i / 2 % 9))), R = R0 + (R1 - R0) * ((i * 37) % 11) / 10.0f;
    return TVec3{R * std::sin(A), 0, R * std::cos(A)};
  };
  auto Ground = [&](TVec3 P, const TLandscape& L) {
    float Near = std::clamp((std::hypot(P.X, P.Z) - 20) / 40, 0.0f, 1.0f);
    return P + TVec3{0, -1.0f + Near * L.Hills * (0.6f + 0.4f * Waves(P.X, P.Z, L.Seed)) - 0.3f, 0};
  };
  switch (Nation) {
    case 0: {  // Valdoria: green hills, woods and a village
      TLandscape L{Paint(B, 110, 160, 80, "mdl_ground"), Rock, Snow, 4, 20, 1.0f};
      Terrain(B, L);
      int Leaves = Paint(B, 50, 120, 50, "mdl_foliage");
      for (int i = 0; i < 14; ++i) Tree(B, Ground(Spot(i, 30, 60), L), 5 + i % 3, i % 2 == 0, Trunk, Leaves);
      for (int i = 0; i < 4; ++i) {
        TVec3 P = Ground(Spot(i + 20, 32, 45), L);
        House(B, P + TVec3{-2, 0, -1.5f}, P + TVec3{2, 2.5f, 1.5f}, 1.5f, Wall, Roof);
      }
      break;
    }
    case 1: {  // Norvance: industry and towers under dark woods
      TLandscape L{Paint(B, 90, 130, 70, "mdl_ground"), Rock, -1, 3, 14, 2.0f};
      Terrain(B, L);
      int Brick = Paint(B, 170, 90, 70, "mdl_brick"), Facade = Paint(B, 210, 210, 215, "mdl_facade");
      for (int i = 0; i < 5; ++i) {
        TVec3 P = Ground(Spot(i, 38, 55), L);
        float H = 6 + 3.0f * (i % 3);
        B.BoxTop(Facade, Wall, P + TVec3{-1.5f, 0, -1.5f}, P + TVec3{1.5f, H, 1.5f}, 2);
      }
      for (int i = 0; i < 3; ++i) {
        TVec3 P = Ground(Spot(i + 7, 30, 40), L);
        B.Box(Brick, P + TVec3{-3, 0, -2}, P + TVec3{3, 2.5f, 2});
        B.Cylinder(Brick, P + TVec3{2, 0, -1}, 0.5f, 0.4f, 8, 6);
      }
      int Pines = Paint(B, 40, 90, 50, "mdl_foliage");
      for (int i = 0; i < 10; ++i) Tree(B, Ground(Spot(i + 12, 28, 62), L), 5, true, Trunk, Pines);
      break;
    }
    case 2: {  // Meridia: lush lowland forest
      TLandscape L{Paint(B, 80, 170, 70, "mdl_ground"), Paint(B, 90, 130, 80, "mdl_rock"), -1, 3, 16, 3.0f};
      Terrain(B, L);
      int Leaves = Paint(B, 40, 150, 40, "mdl_foliage"), Palm = Paint(B, 70, 170, 60, "mdl_foliage");
      for (int i = 0; i < 22; ++i) Tree(B, Ground(Spot(i, 26, 65), L), 5 + i % 4, false, Trunk, i % 3 ? Leaves : Palm);
      break;
    }
    case 3: {  // Kaluan Alliance: savanna with flat-crowned trees and a snow-capped mountain
      TLandscape L{Paint(B, 200, 170, 90, "mdl_ground"), Paint(B, 150, 120, 90, "mdl_rock"), -1, 2, 10, 4.0f};
      Terrain(B, L);
      B.Cylinder(Paint(B, 140, 110, 90, "mdl_rock"), {-40, -1, -120}, 45, 10, 30, 16, false);
      B.Cylinder(Snow, {-40, 29, -120}, 10, 0, 5, 16);
      int Acacia = Paint(B, 110, 140, 50, "mdl_foliage");
      for (int i = 0; i < 10; ++i) {
        TVec3 P = Ground(Spot(i, 28, 60), L);
        B.Cylinder(Trunk, P, 0.3f, 0.2f, 4, 5, false);
        B.Sphere(Acacia, P + TVec3{0, 4, 0}, {3, 0.8f, 3}, 8, 3);
      }
      break;
    }
    default: {  // Jade Dominion: steep karst peaks and a pagoda
      TLandscape L{Paint(B, 100, 150, 90, "mdl_ground"), Rock, -1, 3, 12, 5.0f};
      Terrain(B, L);
      int Karst = Paint(B, 110, 140, 110, "mdl_rock");
      for (int i = 0; i < 9; ++i) {
        TVec3 P = Ground(Spot(i, 45, 90), L);
        float H = 14 + 6.0f * (i % 3);
        B.Cylinder(Karst, P, 6, 2.5f, H, 10);
        B.Sphere(Karst, P + TVec3{0, H, 0}, {2.5f, 2, 2.5f}, 8, 3, 0, 90);
      }
      TVec3 P = Ground(Spot(1, 32, 32), L);
      int Red = Paint(B, 190, 50, 40), Tile = Paint(B, 60, 90, 70, "mdl_roof");
      for (int k = 0; k < 4; ++k) {
        float W = 2.5f - 0.45f * k, Y = 2.2f * k;
        B.Box(Red, P + TVec3{-W * 0.7f, Y, -W * 0.7f}, P + TVec3{W * 0.7f, Y + 1.6f, W * 0.7f});
        B.Cylinder(Tile, P + TVec3{0, Y + 1.6f, 0}, W * 1.3f, W * 0.5f, 0.7f, 4);
      }
      break;
    }
  }
}

// ----------------------------------------------------------------------- the region diorama

// Set-piece frame: the origin lies 2.0 right and 3.5 forward of the scene centre; 200 units make
// one scene unit. The slots' centres here are x in {5, -535, -1075}, z in {-5, -545, -1085}.
constexpr float kRoadX[4] = {275, -265, -805, -1345}, kRoadZ[4] = {265, -275, -815, -1355};
constexpr float kStreetY = -14, kGroundY = -26;

void Streets(TModelBuilder& B, int Level) {
  const int Mat = Level == 1 ? Paint(B, 150, 120, 85, "mdl_ground") : Paint(B, 255, 255, 255, "mdl_road");
  const float Half = Level == 1 ? 28 : Level == 2 ? 42 : 55;
  const int First = Level == 1 ? 1 : 0, Last = Level == 1 ? 2 : 3;
  const float X0 = kRoadX[3] - Half, X1 = kRoadX[0] + Half, Z0 = kRoadZ[3] - Half, Z1 = kRoadZ[0] + Half;
  for (int i = First; i <= Last; ++i) {
    // Roads along z at the x gaps (texture runs along the road), and along x at the z gaps.
    float X = kRoadX[i], Z = kRoadZ[i];
    B.Quad(Mat, {X - Half, kStreetY, Z1}, {X + Half, kStreetY, Z1}, {X + Half, kStreetY, Z0}, {X - Half, kStreetY, Z0}, {0, (Z1 - Z0) / (2 * Half)},
           {1, (Z1 - Z0) / (2 * Half)}, {1, 0}, {0, 0});
    B.Quad(Mat, {X0, kStreetY + 0.5f, Z + Half}, {X1, kStreetY + 0.5f, Z + Half}, {X1, kStreetY + 0.5f, Z - Half}, {X0, kStreetY + 0.5f, Z - Half},
           {0, 0}, {0, (X1 - X0) / (2 * Half)}, {1, (X1 - X0) / (2 * Half)}, {1, 0});
  }
  if (Level == 3) {
    // Street lamps at the crossings.
    const int Pole = Paint(B, 90, 90, 95), Lamp = Paint(B, 255, 240, 180, "", 1, 1.0f);
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) {
        TVec3 P{kRoadX[i] + Half + 8, kStreetY, kRoadZ[j] + Half + 8};
        B.Box(Pole, P + TVec3{-3, 0, -3}, P + TVec3{3, 70, 3});
        B.Box(Lamp, P + TVec3{-7, 70, -7}, P + TVec3{7, 78, 7});
      }
  }
}

// The backdrop behind the plots: the band right of and behind the grid (towards +x and -z),
// greener and lower at level 1, a town at level 2, a skyline at level 3.
void DioramaBackground(TModelBuilder& B, int Level) {
  const int Grass = Paint(B, 110, 165, 80, "mdl_ground"), Trunk = Paint(B, 100, 75, 50), Leaves = Paint(B, 60, 135, 55, "mdl_foliage");
  const int Facade = Paint(B, 225, 222, 215, "mdl_facade"), Glass = Paint(B, 140, 185, 225, "mdl_glass");
  const int Roof = Paint(B, 165, 75, 55, "mdl_roof"), Wall = Paint(B, 230, 222, 205, "mdl_concrete"), Top = Paint(B, 150, 150, 150, "mdl_concrete");
  const int Hill = Paint(B, 100, 150, 75, "mdl_ground");
  // Lots along the two far edges, each 180 wide, 230 units beyond the outer road.
  std::vector<TVec3> Lots;
  for (int k = 0; k < 8; ++k) Lots.push_back({460, kGroundY, 200 - k * 210.0f});            // right edge, front to back
  for (int k = 0; k < 7; ++k) Lots.push_back({250 - k * 220.0f, kGroundY, -1540});            // back edge, right to left
  B.Box(Grass, {360, kGroundY, -1650}, {700, kGroundY + 2, 300}, 120);
  B.Box(Grass, {-1400, kGroundY, -1700}, {700, kGroundY + 2, -1420}, 120);
  for (std::size_t i = 0; i < Lots.size(); ++i) {
    TVec3 P = Lots[i];
    const int Kind = static_cast<int>((i * 7 + 3) % 5);
    if (Level == 1) {
      if (Kind < 3) {
        Tree(B, P + TVec3{-40, 0, 30}, 120 + 20.0f * Kind, Kind == 1, Trunk, Leaves);
        Tree(B, P + TVec3{50, 0, -40}, 100, Kind != 1, Trunk, Leaves);
      } else {
        House(B, P + TVec3{-60, 0, -50}, P + TVec3{60, 70, 50}, 45, Wall, Roof);
      }
    } else if (Level == 2) {
      if (Kind < 2) {
        House(B, P + TVec3{-70, 0, -60}, P + TVec3{70, 90, 60}, 50, Wall, Roof);
      } else if (Kind < 4) {
        B.BoxTop(Facade, Top, P + TVec3{-75, 0, -75}, P + TVec3{75, 140 + 30.0f * Kind, 75}, 40);
      } else {
        Tree(B, P, 130, false, Trunk, Leaves);
      }
    } else {
      float H = 220 + 45.0f * ((i * 5) % 4);
      B.BoxTop(Kind % 2 ? Glass : Facade, Top, P + TVec3{-80, 0, -80}, P + TVec3{80, H, 80}, 40);
      if (Kind == 0) B.Cylinder(Top, P + TVec3{0, H, 0}, 4, 2, 60, 5);
    }
  }
  // Hills in the far corner close the view.
  for (int k = 0; k < 4; ++k) B.Sphere(Hill, {650 - k * 60.0f, kGroundY, -1600 + k * 60.0f}, {260, 120.0f + 40 * (k % 2), 200}, 12, 4, 0, 90);
}

// A plot's plinth: 360 x 360, reaching down to the diorama's ground.
void Plinth(TModelBuilder& B, int Top, int Side) { B.BoxTop(Side, Top, {-180, -28, -180}, {180, 3, 180}, 60); }

void EmptyPlot(TModelBuilder& B) {
  Plinth(B, Paint(B, 130, 170, 90, "mdl_ground"), Paint(B, 180, 178, 170, "mdl_concrete"));
  const int Post = Paint(B, 230, 230, 230), Sign = Paint(B, 60, 120, 200);
  for (float X : {-170.0f, 170.0f})
    for (float Z : {-170.0f, 170.0f}) B.Box(Post, {X - 4, 3, Z - 4}, {X + 4, 30, Z + 4});
  B.Box(Post, {95, 3, 140}, {100, 60, 145});
  B.Box(Sign, {70, 45, 145}, {125, 75, 148});
}

void ConstructionSite(TModelBuilder& B) {
  Plinth(B, Paint(B, 170, 150, 120, "mdl_ground"), Paint(B, 180, 178, 170, "mdl_concrete"));
  const int Wall = Paint(B, 200, 198, 192, "mdl_concrete"), Pipe = Paint(B, 200, 200, 205, "mdl_metal");
  const int Hazard = Paint(B, 255, 255, 255, "mdl_hazard"), Crane = Paint(B, 240, 190, 40, "mdl_metal");
  B.Box(Wall, {-130, 3, -130}, {110, 60, -110}, 40);  // walls half up
  B.Box(Wall, {-130, 3, -110}, {-110, 90, 90}, 40);
  // Scaffolding: poles and boards along the front.
  for (int i = 0; i < 5; ++i) B.Box(Pipe, {-130 + i * 60.0f, 3, 100}, {-126 + i * 60.0f, 130, 104});
  for (int k = 1; k <= 3; ++k) B.Box(Pipe, {-130, 3 + k * 40.0f, 96}, {114, 7 + k * 40.0f, 108});
  B.Box(Hazard, {-180, 3, 160}, {180, 20, 166});  // barrier
  // A tower crane.
  B.Box(Crane, {120, 3, -150}, {140, 260, -130}, 40);
  B.Box(Crane, {-140, 250, -150}, {200, 266, -130}, 40);
  B.Box(Pipe, {180, 220, -152}, {200, 250, -128});
  B.Box(Pipe, {-60, 200, -142}, {-56, 250, -138});
  B.Box(Paint(B, 140, 90, 50), {-80, 180, -160}, {-35, 200, -120});
}

void Selector(TModelBuilder& B, int R, int G, int Bl) {
  const int Glow = Paint(B, R, G, Bl, "", 0.6f, 0.8f);
  for (int s = 0; s < 4; ++s) {
    B.Push();
    B.RotateY(90.0f * s);
    B.Box(Glow, {-195, 0, 180}, {195, 12, 195});
    B.Pop();
  }
}

void UnknownBuilding(TModelBuilder& B) {
  Plinth(B, Paint(B, 170, 170, 170, "mdl_concrete"), Paint(B, 150, 150, 150, "mdl_concrete"));
  const int Grey = Paint(B, 140, 145, 155, "mdl_plating"), Mark = Paint(B, 240, 240, 240, "", 1, 0.4f);
  B.Box(Grey, {-120, 3, -120}, {120, 140, 120}, 60);
  // A question mark on the front.
  B.Box(Mark, {-40, 110, 120}, {40, 126, 124});
  B.Box(Mark, {24, 80, 120}, {40, 126, 124});
  B.Box(Mark, {-8, 64, 120}, {40, 80, 124});
  B.Box(Mark, {-8, 40, 120}, {8, 80, 124});
  B.Box(Mark, {-8, 14, 120}, {8, 30, 124});
}

// ------------------------------------------------------------------------ the main menu

// A bronze hand rising from the sea and holding the globe from below: the globe rests at
// (-0.17, 7.37, 0.25) with radius 0.38 in this model's frame, the water at y 6.55.
void Hand(TModelBuilder& B) {
  const int Bronze = Paint(B, 190, 140, 80, "mdl_metal");
  const TVec3 Palm{-0.17f, 6.92f, 0.25f};
  B.Cylinder(Bronze, Palm - TVec3{0, 1.6f, 0}, 0.15f, 0.12f, 1.5f, 14, false);  // forearm
  B.Sphere(Bronze, Palm, {0.23f, 0.08f, 0.2f}, 14, 6);                      // palm
  for (int i = 0; i < 5; ++i) {
    // Fingers round the globe's lower half; the fifth, shorter and lower, is the thumb.
    float A = i < 4 ? -66 + 44.0f * i : 160, Len = i < 4 ? 0.2f : 0.16f;
    B.Push();
    B.Translate(Palm + TVec3{0.17f * std::sin(Rad(A)), 0.02f, 0.15f * std::cos(Rad(A))});
    B.RotateY(A);
    B.RotateX(45);  // leaning outwards and up along the globe
    B.Cylinder(Bronze, {0, 0, 0}, 0.055f, 0.045f, Len, 8);
    B.Sphere(Bronze, {0, Len, 0}, {0.045f, 0.05f, 0.045f}, 8, 3);
    B.Pop();
  }
}

// The name band circling the globe: an arc of 150 degrees, 3.3 from the axis, text outwards.
void LogoBand(TModelBuilder& B) {
  const int Logo = Paint(B, 255, 255, 255, "mdl_logo", 1, 0.25f), Back = Paint(B, 30, 40, 90, "mdl_plating");
  const int Rim = Paint(B, 255, 210, 90, "mdl_metal", 1, 0.2f);
  const int N = 30;
  const float R = 3.3f, Y0 = 0.15f, Y1 = 0.95f;
  for (int i = 0; i < N; ++i) {
    float A0 = Rad(-75 + 150.0f * i / N), A1 = Rad(-75 + 150.0f * (i + 1) / N);
    TVec3 D0{std::sin(A0), 0, std::cos(A0)}, D1{std::sin(A1), 0, std::cos(A1)};
    float U0 = static_cast<float>(i) / N, U1 = static_cast<float>(i + 1) / N;
    TCorner Bl{D0 * R + TVec3{0, Y0, 0}, D0, {U0, 1}}, Br{D1 * R + TVec3{0, Y0, 0}, D1, {U1, 1}};
    TCorner Tr{D1 * R + TVec3{0, Y1, 0}, D1, {U1, 0}}, Tl{D0 * R + TVec3{0, Y1, 0}, D0, {U0, 0}};
    B.SmoothTriangle(Logo, Bl, Br, Tr);
    B.SmoothTriangle(Logo, Bl, Tr, Tl);
    // The inside, plain.
    const float Ri = R - 0.05f;
    B.Quad(Back, D1 * Ri + TVec3{0, Y0, 0}, D0 * Ri + TVec3{0, Y0, 0}, D0 * Ri + TVec3{0, Y1, 0}, D1 * Ri + TVec3{0, Y1, 0});
    // Rims above and below.
    B.Quad(Rim, D0 * (R + 0.04f) + TVec3{0, Y1, 0}, D1 * (R + 0.04f) + TVec3{0, Y1, 0}, D1 * Ri + TVec3{0, Y1, 0}, D0 * Ri + TVec3{0, Y1, 0});
    B.Quad(Rim, D1 * (R + 0.04f) + TVec3{0, Y0, 0}, D0 * (R + 0.04f) + TVec3{0, Y0, 0}, D0 * Ri + TVec3{0, Y0, 0}, D1 * Ri + TVec3{0, Y0, 0});
  }
}
}  // namespace

bool MakeScenery(const std::string& Name, TModelBuilder& B) {
  auto Numbered = [&](const std::string& Stem, int Count) {
    for (int i = 0; i < Count; ++i)
      if (Name == Stem + std::to_string(i)) return i;
    return -1;
  };
  if (Name == "earth") Globe(B, 80, 40);
  else if (Name == "earthsimple") Globe(B, 40, 20);
  else if (int S = Numbered("symbol", 5); S >= 0) Symbol(B, S);
  else if (int N = Numbered("background_nation", 5); N >= 0) NationBackground(B, N);
  else if (int L = Numbered("setting_background_level", 4); L >= 1) DioramaBackground(B, L);
  else if (int K = Numbered("setting_street_level", 4); K >= 1) Streets(B, K);
  else if (Name == "building_empty") EmptyPlot(B);
  else if (Name == "building_construct") ConstructionSite(B);
  else if (Name == "building_selector") Selector(B, 90, 230, 255);
  else if (Name == "building_selector_b") Selector(B, 255, 210, 60);
  else if (Name == "building_unknown") UnknownBuilding(B);
  else if (Name == "hand") Hand(B);
  else if (Name == "logobend") LogoBand(B);
  else return false;
  return true;
}
