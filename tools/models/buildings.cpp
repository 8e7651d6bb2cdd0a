// The building models: one per building type, on a plot of about 360 x 360 file units, front
// towards +z, at most about 300 high.
#include <cmath>
#include <functional>
#include <map>

#include "catalogue.h"
#include "parts.h"

namespace {
struct TPalette {
  int Concrete, Wall, Brick, Facade, Roof, Metal, Glass, Dark, White, Grass, Leaves, Trunk, Water, Hazard, Road, Red;
};

TPalette MakePalette(TModelBuilder& B) {
  return {Paint(B, 200, 198, 192, "mdl_concrete"), Paint(B, 225, 220, 205, "mdl_concrete"),
          Paint(B, 190, 95, 70, "mdl_brick"),      Paint(B, 230, 228, 222, "mdl_facade"),
          Paint(B, 150, 70, 55, "mdl_roof"),       Paint(B, 165, 168, 175, "mdl_metal"),
          Paint(B, 130, 180, 220, "mdl_glass"),    Paint(B, 60, 62, 68, "mdl_metal"),
          Paint(B, 240, 240, 238),                 Paint(B, 110, 170, 80, "mdl_ground"),
          Paint(B, 60, 140, 60, "mdl_foliage"),    Paint(B, 110, 80, 55),
          Paint(B, 90, 150, 210, "mdl_water"),     Paint(B, 255, 255, 255, "mdl_hazard"),
          Paint(B, 255, 255, 255, "mdl_road"),     Paint(B, 200, 40, 40)};
}

void Base(TModelBuilder& B, const TPalette& P) { Plate(B, -180, -180, 180, 180, 3, P.Concrete, 60); }

// A hall with a row of saw-tooth roof lights facing +z.
void SawtoothHall(TModelBuilder& B, const TPalette& P, TVec3 Lo, TVec3 Hi, int Teeth) {
  B.Box(P.Brick, Lo, Hi, 40);
  const float Step = (Hi.Z - Lo.Z) / Teeth;
  for (int i = 0; i < Teeth; ++i) {
    float Z0 = Lo.Z + Step * i, Z1 = Z0 + Step, Top = Hi.Y + Step * 0.6f;
    B.Quad(P.Roof, {Lo.X, Hi.Y, Z0}, {Lo.X, Top, Z1}, {Hi.X, Top, Z1}, {Hi.X, Hi.Y, Z0});  // sloped back face, up
    B.Quad(P.Glass, {Lo.X, Hi.Y, Z1}, {Hi.X, Hi.Y, Z1}, {Hi.X, Top, Z1}, {Lo.X, Top, Z1});
    B.Triangle(P.Brick, {Hi.X, Hi.Y, Z0}, {Hi.X, Top, Z1}, {Hi.X, Hi.Y, Z1});
    B.Triangle(P.Brick, {Lo.X, Hi.Y, Z0}, {Lo.X, Hi.Y, Z1}, {Lo.X, Top, Z1});
  }
}

void Chimney(TModelBuilder& B, TVec3 Base, float R, float H, int Mat, int Band) {
  B.Cylinder(Mat, Base, R, R * 0.75f, H, 10, true, 3);
  B.Cylinder(Band, Base + TVec3{0, H * 0.85f, 0}, R * 0.8f, R * 0.78f, H * 0.08f, 10, false);
}

// A cooling tower: a waisted shell of stacked frustums.
void CoolingTower(TModelBuilder& B, TVec3 Base, float R, float H, int Mat) {
  B.Cylinder(Mat, Base, R, R * 0.72f, H * 0.6f, 16, false);
  B.Cylinder(Mat, Base + TVec3{0, H * 0.6f, 0}, R * 0.72f, R * 0.8f, H * 0.4f, 16, true);
}

void WindTurbine(TModelBuilder& B, TVec3 Base, float H, int Tower, int Blade, float Spin) {
  B.Cylinder(Tower, Base, 7, 4, H, 8);
  B.Box(Tower, Base + TVec3{-6, H - 6, -14}, Base + TVec3{6, H + 6, 10});
  B.Push();
  B.Translate(Base + TVec3{0, H, 12});
  B.RotateZ(Spin);
  for (int i = 0; i < 3; ++i) {
    B.RotateZ(120);
    B.Box(Blade, {-3, 4, -1.5f}, {3, H * 0.55f, 1.5f});
  }
  B.Sphere(Tower, {0, 0, 2}, {5, 5, 6}, 6, 3);
  B.Pop();
}

// An office or tower block with the window texture repeating every 40 units.
void Block(TModelBuilder& B, const TPalette& P, TVec3 Lo, TVec3 Hi, int Facade = -1) {
  B.BoxTop(Facade < 0 ? P.Facade : Facade, P.Concrete, Lo, Hi, 40);
}

void Flag(TModelBuilder& B, TVec3 Base, float H, int Pole, int Cloth) {
  B.Cylinder(Pole, Base, 2, 1.5f, H, 5);
  B.Box(Cloth, Base + TVec3{2, H - 30, -1}, Base + TVec3{46, H - 2, 1});
}

void Fence(TModelBuilder& B, float Half, int Mat) {
  for (int s = 0; s < 4; ++s) {
    B.Push();
    B.RotateY(90.0f * s);
    B.Box(Mat, {-Half, 0, Half - 3}, {Half, 14, Half});
    B.Pop();
  }
}

using TMaker = std::function<void(TModelBuilder&, const TPalette&)>;

const std::map<std::string, TMaker>& Makers() {
  static const std::map<std::string, TMaker> M = {
      {"building_powerplant_coal",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.BoxTop(P.Brick, P.Dark, {-150, 0, -40}, {60, 110, 120}, 40);
         Chimney(B, {110, 0, -90}, 26, 280, P.Concrete, P.Red);
         Chimney(B, {40, 0, -120}, 22, 230, P.Concrete, P.Red);
         B.Sphere(Paint(B, 40, 38, 36, "mdl_rock"), {-110, 0, -120}, {55, 35, 45}, 10, 4, 0, 90);  // coal heap
         B.Box(P.Metal, {-60, 110, 20}, {60, 118, 40});
       }},
      {"building_windfarm",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         WindTurbine(B, {-90, 0, 70}, 200, P.White, P.White, 10);
         WindTurbine(B, {100, 0, 90}, 180, P.White, P.White, 50);
         WindTurbine(B, {10, 0, -100}, 170, P.White, P.White, 85);
       }},
      {"building_powerplant_hydro",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         B.BoxTop(P.Grass, P.Water, {-180, 3, -180}, {180, 115, -60}, 90);    // reservoir behind the dam
         B.BoxTop(P.Concrete, P.Road, {-180, 0, -60}, {180, 140, -20}, 60);  // the dam
         B.Box(P.Water, {-40, 3, -20}, {40, 8, 180}, 60);                     // outflow
         B.BoxTop(P.Wall, P.Roof, {60, 0, 10}, {150, 60, 90}, 40);            // turbine house
         for (int i = 0; i < 3; ++i) B.Box(P.Dark, {-30 + i * 22.0f, 20, -20}, {-18 + i * 22.0f, 60, -16});
       }},
      {"building_solarpark",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         int Solar = Paint(B, 255, 255, 255, "mdl_solar");
         for (int r = 0; r < 4; ++r)
           for (int c = 0; c < 3; ++c) {
             B.Push();
             B.Translate({-110 + c * 110.0f, 20, -125 + r * 80.0f});
             B.RotateX(30);  // tilted towards the sun at the front
             B.BoxTop(P.Metal, Solar, {-48, -2, -28}, {48, 2, 28});
             B.Pop();
             B.Box(P.Metal, {-112 + c * 110.0f, 0, -127 + r * 80.0f}, {-108 + c * 110.0f, 20, -123 + r * 80.0f});
           }
       }},
      {"building_powerplant_nuclear",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         CoolingTower(B, {-90, 0, -80}, 75, 250, P.Concrete);
         CoolingTower(B, {80, 0, -100}, 65, 220, P.Concrete);
         B.Cylinder(P.White, {60, 0, 90}, 55, 55, 80, 16, false);
         B.Sphere(P.White, {60, 80, 90}, {55, 45, 55}, 16, 5, 0, 90);  // reactor dome
         B.BoxTop(P.Wall, P.Dark, {-150, 0, 40}, {-10, 70, 150}, 40);
       }},
      {"building_fusionreactor",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Cylinder(P.Metal, {0, 0, 0}, 130, 120, 40, 24);
         B.Torus(Paint(B, 180, 190, 210, "mdl_plating"), {0, 75, 0}, 95, 32, 24, 10);
         B.Sphere(Paint(B, 150, 220, 255, "", 1, 0.9f), {0, 75, 0}, {45, 45, 45}, 12, 8);  // glowing core
         for (int i = 0; i < 4; ++i) {
           B.Push();
           B.RotateY(45 + 90.0f * i);
           B.Box(P.Dark, {-10, 40, 100}, {10, 160, 120});
           B.Pop();
         }
       }},
      {"building_mine",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, Paint(B, 150, 120, 90, "mdl_ground"), 120);
         // Headframe: two legs and a wheel on top.
         B.Box(P.Red, {-40, 0, -20}, {-30, 230, -10});
         B.Box(P.Red, {30, 0, -20}, {40, 230, -10});
         B.Box(P.Red, {-40, 180, -20}, {40, 190, -10});
         B.Push();
         B.Translate({-70, 0, -15});
         B.RotateZ(-30);
         B.Box(P.Red, {-5, 0, -5}, {5, 240, 5});
         B.Pop();
         B.CylinderZ(P.Dark, {0, 235, -22}, 35, 35, 14, 16);
         B.BoxTop(P.Brick, P.Roof, {40, 0, 40}, {160, 70, 150}, 40);
         B.Sphere(Paint(B, 110, 100, 90, "mdl_rock"), {-110, 0, 100}, {65, 55, 60}, 10, 4, 0, 90);
       }},
      {"building_factory",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         SawtoothHall(B, P, {-160, 0, -120}, {110, 80, 120}, 5);
         Chimney(B, {145, 0, -110}, 20, 230, P.Brick, P.Dark);
         B.Box(P.Dark, {-60, 0, 120}, {10, 55, 124});  // gate
       }},
      {"building_tradeport",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Box(P.Water, {-180, 3, 100}, {180, 6, 180}, 80);
         B.BoxTop(P.Metal, P.Roof, {-170, 0, -170}, {0, 90, -20}, 40);  // warehouse
         const int Colours[4] = {Paint(B, 200, 60, 40, "mdl_plating"), Paint(B, 40, 90, 170, "mdl_plating"),
                                 Paint(B, 230, 170, 40, "mdl_plating"), Paint(B, 60, 140, 80, "mdl_plating")};
         for (int i = 0; i < 8; ++i) {
           float X = 20 + (i % 3) * 50.0f, Z = -150 + (i / 3) * 70.0f, Y = (i % 2) * 26.0f;
           B.Box(Colours[i % 4], {X, Y, Z}, {X + 44, Y + 26, Z + 60});
         }
         // Harbour crane.
         B.Box(P.Hazard, {100, 0, 40}, {110, 200, 50});
         B.Box(P.Hazard, {160, 0, 40}, {170, 200, 50});
         B.Box(P.Hazard, {90, 200, 0}, {180, 215, 170});
         B.Box(P.Dark, {125, 120, 130}, {145, 200, 140});
       }},
      {"building_refinery",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         StorageTank(B, {-100, 0, -100}, 55, 90, P.White);
         StorageTank(B, {20, 0, -110}, 45, 80, P.White);
         StorageTank(B, {-110, 0, 60}, 45, 70, P.Metal);
         for (int i = 0; i < 3; ++i) B.Cylinder(P.Metal, {60 + i * 35.0f, 0, 40}, 12, 12, 150 + 30.0f * i, 10);
         B.Cylinder(P.Red, {140, 0, -120}, 8, 6, 260, 8);  // flare stack
         B.Cylinder(Paint(B, 255, 160, 40, "", 1, 1.0f), {140, 260, -120}, 10, 0, 40, 8);
         B.Box(P.Metal, {-60, 40, -20}, {160, 48, 0});  // pipe bridge
       }},
      {"building_robotworks",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.BoxTop(P.Metal, P.Dark, {-160, 0, -150}, {80, 100, 60}, 40);
         B.Box(P.Glass, {-160, 60, 60}, {80, 95, 61});
         // A robot arm at the front.
         int Arm = Paint(B, 240, 150, 30, "mdl_plating");
         B.Cylinder(P.Dark, {120, 0, 110}, 30, 26, 20, 12);
         B.Push();
         B.Translate({120, 20, 110});
         B.RotateX(-25);
         B.Box(Arm, {-10, 0, -10}, {10, 110, 10});
         B.Translate({0, 110, 0});
         B.Sphere(P.Dark, {0, 0, 0}, {14, 14, 14}, 8, 4);
         B.RotateX(110);
         B.Box(Arm, {-8, 0, -8}, {8, 90, 8});
         B.Box(P.Dark, {-14, 90, -5}, {14, 104, 5});
         B.Pop();
       }},
      {"building_housing",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         House(B, {-150, 0, -150}, {-40, 70, -70}, 45, P.Wall, P.Roof);
         House(B, {30, 0, -150}, {150, 80, -70}, 45, P.Brick, P.Roof);
         House(B, {-150, 0, 40}, {-40, 80, 120}, 45, P.Brick, P.Roof);
         House(B, {30, 0, 40}, {150, 70, 120}, 45, P.Wall, Paint(B, 90, 90, 100, "mdl_roof"));
         B.Box(P.Road, {-180, 0, -30}, {180, 4, 0}, 60);
         Tree(B, {0, 0, 150}, 70, false, P.Trunk, P.Leaves);
       }},
      {"building_towers",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         Block(B, P, {-150, 0, -150}, {-40, 290, -40}, P.Glass);
         Block(B, P, {20, 0, -140}, {140, 220, -20});
         Block(B, P, {-120, 0, 30}, {0, 160, 150});
         Block(B, P, {60, 0, 40}, {150, 120, 150}, P.Glass);
       }},
      {"building_metro",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Box(P.Dark, {-180, 3, -40}, {180, 6, 40}, 60);  // track bed
         for (float X : {-25.0f, 25.0f}) B.Box(P.Metal, {-180, 6, X - 2}, {180, 9, X + 2});
         int Train = Paint(B, 220, 220, 225, "mdl_plating"), Stripe = Paint(B, 40, 110, 200);
         B.BoxTop(Train, P.Metal, {-150, 9, -30}, {90, 60, 30}, 40);
         B.Box(Stripe, {-150, 30, 30}, {90, 40, 31});
         B.Box(P.Glass, {-140, 42, 30}, {80, 56, 31});
         B.BoxTop(P.Wall, P.Glass, {-120, 0, 70}, {120, 60, 170}, 40);  // station hall
         B.Box(Paint(B, 40, 110, 200, "", 1, 0.4f), {-20, 60, 160}, {20, 100, 168});  // the sign
       }},
      {"building_arcology",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         for (int i = 0; i < 5; ++i) {
           float H = 170 - 32.0f * i, Y = 55.0f * i;
           B.BoxTop(i % 2 ? P.Glass : P.Facade, P.Grass, {-H, Y, -H}, {H, Y + 55, H}, 40);
         }
         B.Cylinder(P.Metal, {0, 275, 0}, 5, 2, 40, 6);
       }},
      {"building_farm",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, Paint(B, 200, 180, 90, "mdl_field"), 30);
         House(B, {-160, 0, -140}, {-40, 90, -40}, 60, P.Red, P.Roof);
         B.Cylinder(P.Metal, {30, 0, -120}, 35, 35, 160, 12, false);
         B.Sphere(P.Metal, {30, 160, -120}, {35, 30, 35}, 12, 3, 0, 90);
         Fence(B, 178, P.Trunk);
       }},
      {"building_waterworks",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         for (float X : {-100.0f, 0.0f}) {
           B.Box(P.Concrete, {X - 45, 0, 20}, {X + 45, 25, 150});
           B.Box(P.Water, {X - 40, 0, 25}, {X + 40, 26, 145}, 60);
         }
         B.Cylinder(P.Concrete, {100, 0, -80}, 10, 10, 150, 8);  // water tower
         B.Cylinder(Paint(B, 120, 170, 220, "mdl_plating"), {100, 150, -80}, 45, 60, 70, 16);
         B.BoxTop(P.Wall, P.Roof, {-160, 0, -160}, {-10, 60, -60}, 40);
       }},
      {"building_hospital",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         Block(B, P, {-150, 0, -130}, {150, 150, 20});
         Block(B, P, {-150, 0, 20}, {-40, 90, 130});
         int Cross = Paint(B, 220, 30, 30, "", 1, 0.3f);
         B.Box(Cross, {-15, 100, 20}, {15, 140, 23});
         B.Box(Cross, {-35, 110, 20}, {35, 130, 23});
         B.Box(P.White, {-60, 150, -100}, {60, 154, 0});  // helipad
         B.Box(P.Red, {-5, 154, -80}, {5, 155, -20});
       }},
      {"building_agrodome",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Dome = Paint(B, 180, 230, 200, "mdl_glass", 0.55f);
         B.Sphere(P.Leaves, {-60, 0, -40}, {95, 55, 95}, 12, 4, 0, 90);
         B.Sphere(Dome, {-60, 0, -40}, {110, 110, 110}, 16, 6, 0, 90);
         B.Sphere(P.Leaves, {100, 0, 90}, {55, 35, 55}, 12, 4, 0, 90);
         B.Sphere(Dome, {100, 0, 90}, {65, 65, 65}, 14, 5, 0, 90);
       }},
      {"building_geneclinic",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Cylinder(P.White, {-40, 0, -30}, 110, 100, 110, 20);
         B.Cylinder(P.Glass, {-40, 110, -30}, 80, 70, 30, 20);
         // A double helix beside the entrance.
         int A = Paint(B, 60, 200, 220, "", 1, 0.3f), C = Paint(B, 230, 80, 160, "", 1, 0.3f);
         for (int i = 0; i < 14; ++i) {
           float T = i * 0.55f, Y = 10 + i * 16.0f;
           TVec3 Ctr{120, Y, 110};
           TVec3 D{std::cos(T) * 25, 0, std::sin(T) * 25};
           B.Sphere(A, Ctr + D, {8, 8, 8}, 6, 3);
           B.Sphere(C, Ctr - D, {8, 8, 8}, 6, 3);
           if (i % 2 == 0) B.Box(P.White, Ctr - TVec3{3, 2, 3}, Ctr + TVec3{3, 2, 3});
         }
         B.Cylinder(P.Metal, {120, 0, 110}, 4, 4, 240, 6);
       }},
      {"building_school",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         House(B, {-160, 0, -140}, {120, 90, -30}, 50, P.Brick, P.Roof);
         B.Box(P.Brick, {-40, 0, -160}, {20, 170, -100});
         B.GableRoof(P.Roof, {-44, 0, -164}, {24, 170, -96}, 40);
         B.Cylinder(P.White, {-10, 135, -100}, 18, 18, 2, 12);  // clock
         B.Box(Paint(B, 200, 120, 80), {-100, 0, 60}, {100, 4, 150});  // sports ground
         B.Box(P.White, {-90, 0, 60}, {-86, 40, 64});
         B.Box(P.White, {86, 0, 60}, {90, 40, 64});
       }},
      {"building_militaryacademy",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Olive = Paint(B, 150, 150, 110, "mdl_concrete");
         B.BoxTop(Olive, P.Dark, {-160, 0, -160}, {160, 100, -40}, 40);
         B.Box(Olive, {-40, 0, -40}, {40, 70, -20});
         for (int i = 0; i < 4; ++i) B.Cylinder(P.White, {-30 + i * 20.0f, 0, -10}, 5, 5, 70, 6);
         Flag(B, {-120, 0, 80}, 200, P.Metal, P.Red);
         Flag(B, {120, 0, 80}, 200, P.Metal, Paint(B, 40, 90, 200));
         for (int r = 0; r < 3; ++r)
           for (int c = 0; c < 4; ++c) B.Box(Paint(B, 80, 95, 60), {-60 + c * 35.0f, 0, 60 + r * 30.0f}, {-48 + c * 35.0f, 40, 70 + r * 30.0f});
       }},
      {"building_university",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Stone = Paint(B, 230, 220, 190, "mdl_concrete");
         B.BoxTop(Stone, Stone, {-160, 0, -150}, {160, 120, 20}, 40);
         B.Box(Stone, {-160, 0, 20}, {160, 12, 70});  // steps
         for (int i = 0; i < 6; ++i) B.Cylinder(P.White, {-125 + i * 50.0f, 12, 55}, 9, 8, 108, 8);
         B.Quad(Stone, {-160, 120, 70}, {160, 120, 70}, {160, 160, 20}, {-160, 160, 20});  // pediment roof
         B.Triangle(Stone, {-160, 120, 70}, {-160, 160, 20}, {-160, 120, 20});
         B.Triangle(Stone, {160, 120, 70}, {160, 120, 20}, {160, 160, 20});
         B.Cylinder(Stone, {0, 120, -70}, 60, 60, 40, 16);
         B.Sphere(Paint(B, 90, 150, 130, "mdl_metal"), {0, 160, -70}, {60, 60, 60}, 16, 5, 0, 90);
       }},
      {"building_laboratory",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         Block(B, P, {-160, 0, -140}, {60, 110, 80}, P.White);
         B.Box(P.Glass, {-160, 30, 80}, {60, 100, 81});
         B.Sphere(P.White, {110, 0, -80}, {60, 60, 60}, 14, 5, 0, 90);  // observatory
         B.Box(P.Dark, {100, 30, -25}, {120, 60, -21});
         B.Cylinder(P.Metal, {-120, 110, -100}, 4, 3, 90, 6);
         B.Sphere(P.Red, {-120, 200, -100}, {6, 6, 6}, 6, 3);
       }},
      {"building_weaponslab",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Olive = Paint(B, 110, 120, 90, "mdl_concrete");
         B.BoxTop(Olive, P.Dark, {-160, 0, -160}, {40, 80, 0}, 40);
         B.Box(P.Hazard, {-160, 0, 0}, {40, 12, 10}, 40);
         B.Box(P.Dark, {80, 0, -160}, {170, 6, 170}, 60);  // test range
         for (int i = 0; i < 3; ++i) B.Box(P.White, {110.0f, 0, -120.0f + i * 100}, {140.0f, 50, -110.0f + i * 100});
         B.Push();
         B.Translate({-60, 80, -80});
         B.RotateX(-40);
         B.CylinderZ(P.Metal, {0, 0, 0}, 10, 8, 120, 8);  // a test cannon
         B.Pop();
       }},
      {"building_supercomputer",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Black = Paint(B, 35, 38, 45, "mdl_plating"), Light = Paint(B, 60, 180, 255, "", 1, 1.0f);
         B.Box(Black, {-120, 0, -120}, {120, 160, 120}, 60);
         for (int i = 0; i < 6; ++i) {
           B.Box(Light, {-110, 20 + i * 24.0f, 120}, {110, 26 + i * 24.0f, 122});
           B.Box(Light, {120, 20 + i * 24.0f, -110}, {122, 26 + i * 24.0f, 110});
         }
         for (int i = 0; i < 4; ++i) B.Cylinder(P.Metal, {-80 + i * 53.0f, 160, -60}, 16, 16, 24, 8);  // coolers
       }},
      {"building_barracks",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Olive = Paint(B, 120, 130, 95, "mdl_plating");
         for (int i = 0; i < 3; ++i) House(B, {-160, 0, -160 + i * 90.0f}, {100, 60, -100 + i * 90.0f}, 30, Olive, P.Dark);
         Flag(B, {140, 0, 120}, 190, P.Metal, P.Red);
       }},
      {"building_fortress",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         int Stone = Paint(B, 170, 165, 150, "mdl_rock");
         for (int s = 0; s < 4; ++s) {
           B.Push();
           B.RotateY(90.0f * s);
           B.Box(Stone, {-140, 0, 125}, {140, 90, 150}, 60);
           for (int k = 0; k < 7; ++k) B.Box(Stone, {-140 + k * 44.0f, 90, 125}, {-122 + k * 44.0f, 108, 150});
           B.Cylinder(Stone, {150, 0, 150}, 32, 28, 130, 10);
           B.Cylinder(P.Roof, {150, 130, 150}, 34, 0, 45, 10);
           B.Pop();
         }
         B.Box(P.Dark, {-25, 0, 150}, {25, 60, 152});
         B.Box(Stone, {-50, 0, -50}, {50, 150, 50}, 60);  // keep
         Flag(B, {0, 150, 0}, 80, P.Metal, P.Red);
       }},
      {"building_bunker",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         int Grey = Paint(B, 150, 150, 140, "mdl_concrete");
         B.Sphere(Grey, {0, 0, 0}, {150, 70, 130}, 16, 5, 0, 90);
         B.Box(P.Dark, {-50, 20, 110}, {50, 38, 122});  // firing slit
         B.Box(Grey, {120, 0, -40}, {175, 40, 40});
         B.Cylinder(P.Metal, {-60, 60, -30}, 10, 10, 30, 8);
       }},
      {"building_radar",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Box(P.Metal, {-30, 0, -30}, {30, 140, 30}, 40);
         Dish(B, {0, 140, 0}, 95, 20, 35, P.White, P.Metal);
         B.BoxTop(P.Wall, P.Dark, {60, 0, 60}, {170, 60, 170}, 40);
         B.Sphere(P.White, {-110, 0, 110}, {50, 50, 50}, 12, 5);
       }},
      {"building_shield",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Cylinder(P.Metal, {0, 0, 0}, 50, 30, 150, 12);
         B.Sphere(Paint(B, 120, 220, 255, "", 1, 0.9f), {0, 165, 0}, {28, 28, 28}, 10, 6);
         for (int i = 0; i < 3; ++i) {
           B.Push();
           B.RotateY(120.0f * i);
           B.Box(P.Dark, {-8, 0, 60}, {8, 90, 90});
           B.Pop();
         }
         B.Sphere(Paint(B, 100, 200, 255, "", 0.3f, 0.6f), {0, 0, 0}, {178, 190, 178}, 20, 8, 0, 90);
       }},
      {"building_townhall",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Stone = Paint(B, 225, 210, 180, "mdl_concrete");
         B.BoxTop(Stone, P.Roof, {-150, 0, -120}, {150, 110, 50}, 40);
         B.GableRoof(P.Roof, {-154, 0, -124}, {154, 110, 54}, 50);
         B.Box(Stone, {-35, 0, -20}, {35, 230, 50}, 40);  // clock tower
         B.Cylinder(P.Roof, {0, 230, 15}, 45, 0, 70, 4);
         B.Cylinder(P.White, {0, 180, 50}, 22, 22, 2, 14);
         B.Box(P.Dark, {-1.5f, 180, 52}, {1.5f, 198, 53});
         Flag(B, {120, 0, 120}, 160, P.Metal, Paint(B, 40, 90, 200));
       }},
      {"building_park",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         B.Cylinder(P.Water, {40, 0, 40}, 70, 70, 5, 16);
         B.Box(Paint(B, 210, 190, 150), {-180, 0, -20}, {180, 5, 10});
         const float Trees[6][3] = {{-120, -120, 120}, {-40, -140, 100}, {90, -110, 130}, {-130, 80, 110}, {-60, 140, 90}, {140, 140, 100}};
         for (auto& T : Trees) Tree(B, {T[0], 0, T[1]}, T[2], false, P.Trunk, P.Leaves);
         B.Box(P.Trunk, {100, 0, -40}, {150, 14, -30});  // bench
       }},
      {"building_stadium",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Seats = Paint(B, 200, 60, 50, "mdl_plating");
         B.Push();
         B.Scale({1, 1, 0.75f});
         B.Cylinder(P.Concrete, {0, 0, 0}, 175, 175, 70, 28, false);
         B.Inverted = true;
         B.Cylinder(Seats, {0, 0, 0}, 120, 172, 70, 28, false);  // the stands, seen from inside
         B.Inverted = false;
         B.Pop();
         B.Box(Paint(B, 70, 160, 70, "mdl_field"), {-90, 0, -60}, {90, 4, 60});
         B.Box(P.White, {-2, 4, -60}, {2, 5, 60});
         for (int i = 0; i < 4; ++i) {
           B.Push();
           B.RotateY(45 + 90.0f * i);
           B.Box(P.Metal, {-4, 0, 185}, {4, 130, 193});
           B.Box(Paint(B, 255, 255, 220, "", 1, 1.0f), {-15, 130, 185}, {15, 145, 193});
           B.Pop();
         }
       }},
      {"building_broadcaster",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Cylinder(P.Concrete, {0, 0, -40}, 30, 16, 200, 10);
         B.Cylinder(P.Glass, {0, 180, -40}, 40, 40, 30, 14);
         B.Cylinder(P.Red, {0, 210, -40}, 8, 2, 90, 6);
         B.Sphere(Paint(B, 255, 60, 40, "", 1, 1.0f), {0, 300, -40}, {7, 7, 7}, 6, 3);
         B.BoxTop(P.Wall, P.Dark, {-160, 0, 40}, {0, 70, 160}, 40);
         Dish(B, {100, 0, 100}, 45, 30, 40, P.White, P.Metal);
       }},
      {"building_intelligence",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Dark = Paint(B, 70, 75, 85, "mdl_facade");
         Block(B, P, {-150, 0, -150}, {90, 140, 60}, Dark);
         Dish(B, {-80, 140, -80}, 40, 15, 45, P.White, P.Metal);
         Dish(B, {20, 140, -40}, 30, 15, 60, P.White, P.Metal);
         B.Cylinder(P.Metal, {60, 140, -120}, 3, 2, 110, 5);
         Fence(B, 176, P.Metal);
       }},
      {"building_sewage",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Murky = Paint(B, 120, 130, 80, "mdl_water");
         for (auto C : {TVec3{-90, 0, -90}, TVec3{90, 0, -90}, TVec3{-90, 0, 90}}) {
           B.Cylinder(P.Concrete, C, 75, 75, 30, 18);
           B.Cylinder(Murky, C + TVec3{0, 30, 0}, 68, 68, 1, 18);
           B.Box(P.Metal, C + TVec3{-70, 31, -3}, C + TVec3{70, 36, 3});
         }
         B.BoxTop(P.Brick, P.Roof, {40, 0, 40}, {160, 60, 160}, 40);
       }},
      {"building_recycling",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Green = Paint(B, 60, 150, 70, "mdl_plating");
         B.BoxTop(Green, P.Metal, {-160, 0, -160}, {60, 100, 20}, 40);
         B.Cylinder(Paint(B, 240, 240, 240, "", 1, 0.2f), {-50, 100, -70}, 40, 40, 2, 16);  // recycling sign
         const int Bins[3] = {Paint(B, 40, 90, 200, "mdl_plating"), Paint(B, 230, 190, 40, "mdl_plating"), Paint(B, 200, 60, 40, "mdl_plating")};
         for (int i = 0; i < 3; ++i) B.Box(Bins[i], {-140 + i * 60.0f, 0, 60}, {-95 + i * 60.0f, 45, 130});
         B.Sphere(Paint(B, 140, 130, 110, "mdl_rock"), {110, 0, 100}, {60, 45, 60}, 10, 4, 0, 90);
         B.Push();
         B.Translate({90, 0, -60});
         B.RotateX(-30);
         B.Box(P.Dark, {-15, 0, -10}, {15, 140, 10});  // conveyor
         B.Pop();
       }},
      {"building_airdefense",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         int Olive = Paint(B, 110, 120, 85, "mdl_camo");
         B.Cylinder(Olive, {-40, 0, 20}, 70, 60, 30, 14);
         B.Push();
         B.Translate({-40, 40, 20});
         B.RotateX(-45);
         for (int r = 0; r < 2; ++r)
           for (int c = 0; c < 2; ++c) {
             B.CylinderZ(P.White, {-22 + c * 44.0f, -12 + r * 24.0f, -40}, 10, 10, 100, 8);
             B.CylinderZ(P.Red, {-22 + c * 44.0f, -12 + r * 24.0f, 60}, 10, 0, 26, 8);
           }
         B.Pop();
         B.Box(P.Metal, {80, 0, -120}, {110, 100, -90});
         Dish(B, {95, 100, -105}, 45, 10, 30, P.White, P.Metal);
         B.Box(Olive, {-150, 0, -160}, {-50, 50, -100}, 40);
       }},
      {"building_reforestation",
       [](TModelBuilder& B, const TPalette& P) {
         Plate(B, -180, -180, 180, 180, 3, P.Grass, 120);
         for (int r = 0; r < 4; ++r)
           for (int c = 0; c < 4; ++c) {
             float X = -135 + c * 90.0f + (r % 2) * 20, Z = -135 + r * 85.0f, H = 70 + 20.0f * ((r * 3 + c) % 4);
             if (r == 3 && c == 3) continue;
             Tree(B, {X, 0, Z}, H, (r + c) % 2 == 0, P.Trunk, P.Leaves);
           }
         B.BoxTop(P.Trunk, P.Glass, {100, 0, 110}, {170, 40, 170}, 40);  // nursery
       }},
      {"building_airpurifier",
       [](TModelBuilder& B, const TPalette& P) {
         Base(B, P);
         B.Cylinder(P.White, {0, 0, 0}, 90, 55, 230, 16);
         for (int i = 0; i < 5; ++i) B.Torus(Paint(B, 90, 200, 160, "", 1, 0.4f), {0, 30 + i * 42.0f, 0}, 88 - i * 7.0f, 5, 16, 4);
         B.Cylinder(P.Metal, {0, 230, 0}, 60, 70, 20, 16);
         for (int i = 0; i < 4; ++i) {
           B.Push();
           B.RotateY(90.0f * i);
           B.Box(P.Dark, {-20, 20, 95}, {20, 70, 110});  // intake fans
           B.Pop();
         }
       }},
  };
  return M;
}
}  // namespace

bool MakeBuilding(const std::string& Name, TModelBuilder& B) {
  auto It = Makers().find(Name);
  if (It == Makers().end()) return false;
  TPalette P = MakePalette(B);
  It->second(B, P);
  return true;
}
