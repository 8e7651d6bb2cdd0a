// The unit models: one per unit type, about 570 file units across, front towards +z.
#include "catalogue.h"
#include "parts.h"

namespace {
constexpr float kUnitScale = 2.2f;

// Three figures in a wedge, the leader in front.
// Three figures in a wedge, the leader in front; half as large again as a driver or rider.
void Squad(TModelBuilder& B, const TFigure& F, const TFigure& Leader) {
  B.Push();
  B.Scale({1.5f, 1.5f, 1.5f});
  Figure(B, {0, 0, 30}, 0, Leader);
  Figure(B, {-40, 0, -15}, 10, F);
  Figure(B, {40, 0, -15}, -10, F);
  B.Pop();
}

// A wheeled truck chassis with a cab at the front; the bed is left to the caller (top at y 36).
void Truck(TModelBuilder& B, int Body, int Cab, int Glass, int Tyre, int Hub, float Length = 180) {
  const float Back = -Length / 2, Front = Length / 2;
  B.Box(Body, {-34, 14, Back}, {34, 28, Front - 10});  // chassis
  B.Box(Cab, {-34, 28, Front - 50}, {34, 70, Front - 6});
  B.Box(Glass, {-30, 48, Front - 6}, {30, 66, Front - 5});  // windscreen
  B.Box(Cab, {-34, 20, Front - 10}, {34, 40, Front});       // bonnet
  for (float Z : {Front - 30, Back + 60, Back + 25}) {
    Wheel(B, {-38, 16, Z}, 16, 10, Tyre, Hub);
    Wheel(B, {38, 16, Z}, 16, 10, Tyre, Hub);
  }
}

void Tank(TModelBuilder& B, int Hull, int Dark, int Metal) {
  B.Box(Hull, {-45, 14, -70}, {45, 38, 62}, 60);
  B.Quad(Hull, {-45, 14, 86}, {45, 14, 86}, {45, 38, 62}, {-45, 38, 62});  // sloped glacis
  B.Triangle(Hull, {45, 14, 62}, {45, 38, 62}, {45, 14, 86});
  B.Triangle(Hull, {-45, 14, 62}, {-45, 14, 86}, {-45, 38, 62});
  Track(B, {-64, 0, -78}, {-45, 34, 84}, Dark, Metal);
  Track(B, {45, 0, -78}, {64, 34, 84}, Dark, Metal);
  B.Box(Hull, {-32, 38, -40}, {32, 60, 22}, 60);  // turret
  B.Quad(Hull, {-32, 38, 22}, {32, 38, 22}, {24, 60, 34}, {-24, 60, 34});
  B.Triangle(Hull, {32, 38, 22}, {32, 60, 22}, {24, 60, 34});
  B.Triangle(Hull, {-32, 38, 22}, {-24, 60, 34}, {-32, 60, 22});
  B.Box(Hull, {-24, 60, 22}, {24, 60.5f, 34});
  B.Box(Hull, {-32, 60, 22}, {32, 60.5f, 22.5f});
  B.CylinderZ(Metal, {0, 48, 30}, 5, 4, 90, 8);  // gun
  B.CylinderZ(Metal, {0, 48, 112}, 6.5f, 6.5f, 10, 8);
  B.Cylinder(Hull, {-14, 60, -22}, 9, 8, 6, 8);  // hatch
}

void Jet(TModelBuilder& B, int Body, int Dark, int Glass, float Scale, int Engines) {
  B.Push();
  B.Translate({0, 70, 0});
  B.Scale({Scale, Scale, Scale});
  B.CylinderZ(Body, {0, 0, -80}, 12, 14, 110, 10);   // fuselage
  B.CylinderZ(Body, {0, 0, 30}, 14, 0, 50, 10);      // nose
  B.Sphere(Glass, {0, 10, 30}, {8, 7, 20}, 8, 4, 0, 90);  // canopy
  // Swept wings and tailplanes, thin plates.
  B.Push();
  B.RotateX(90);  // outline in x-z: extrude along y
  B.ExtrudeXY(Body, Dark, {{0, 20}, {100, -30}, {100, -45}, {0, -40}, {-100, -45}, {-100, -30}}, -2, 2);
  B.ExtrudeXY(Body, Dark, {{0, -60}, {40, -82}, {40, -90}, {0, -85}, {-40, -90}, {-40, -82}}, -2, 2);
  B.Pop();
  B.Push();
  B.RotateY(90);  // the fin: outline in z-y
  B.ExtrudeXY(Dark, Dark, {{80, 0}, {45, 0}, {82, 45}, {95, 45}}, -2, 2);
  B.Pop();
  for (int i = 0; i < Engines; ++i) {
    float X = Engines == 1 ? 0 : (i < Engines / 2 ? -1.0f : 1.0f) * (35 + 30 * (i % (Engines / 2)));
    if (Engines == 1) B.CylinderZ(Dark, {0, 0, -92}, 10, 12, 14, 10);
    else B.CylinderZ(Dark, {X, -8, -10}, 8, 8, 40, 8);
  }
  B.Pop();
}
}  // namespace

namespace {
bool MakeUnitInto(const std::string& Name, TModelBuilder& B) {
  // The shapes below are drawn at a soldier's height of 70; the windows show units at the
  // buildings' scale, so they are made larger.
  B.Scale({kUnitScale, kUnitScale, kUnitScale});
  const int Skin = Paint(B, 224, 180, 140), Black = Paint(B, 30, 30, 32), Metal = Paint(B, 150, 152, 158, "mdl_metal");
  const int Tyre = Paint(B, 35, 35, 35), Glass = Paint(B, 120, 170, 210, "mdl_glass");
  if (Name == "unit_inf_light") {
    int Olive = Paint(B, 110, 125, 70, "mdl_camo"), Helmet = Paint(B, 85, 100, 55);
    Squad(B, {Olive, Helmet, Skin, Black}, {Olive, Helmet, Skin, Black});
  } else if (Name == "unit_inf_heavy") {
    int Grey = Paint(B, 95, 105, 90, "mdl_camo"), Helmet = Paint(B, 60, 66, 60);
    TFigure F{Grey, Helmet, Skin, Black, true, true};
    Squad(B, F, F);
  } else if (Name == "unit_air_fighter") {
    Jet(B, Paint(B, 150, 160, 175, "mdl_plating"), Paint(B, 90, 95, 105, "mdl_plating"), Glass, 1.1f, 1);
  } else if (Name == "unit_air_bomber") {
    Jet(B, Paint(B, 80, 86, 95, "mdl_plating"), Paint(B, 50, 54, 60, "mdl_plating"), Glass, 1.25f, 4);
  } else if (Name == "unit_mob_envchanger") {
    int Body = Paint(B, 230, 230, 225, "mdl_plating"), Green = Paint(B, 60, 160, 80);
    Truck(B, Body, Green, Glass, Tyre, Metal);
    B.Push();
    B.Translate({0, 28, -30});
    B.RotateX(90);
    B.Cylinder(Green, {0, -50, -32}, 30, 30, 110, 14);  // tank along z
    B.Pop();
    B.Cylinder(Metal, {0, 60, -60}, 4, 4, 50, 6);  // sprayer mast with a turning dish
    B.Cylinder(Green, {0, 110, -60}, 8, 40, 14, 16);
    B.Torus(Paint(B, 120, 220, 255, "", 1, 0.5f), {0, 118, -60}, 38, 3, 16, 6);
  } else if (Name == "unit_arm_tank") {
    Tank(B, Paint(B, 100, 120, 70, "mdl_camo"), Paint(B, 45, 45, 42), Metal);
  } else if (Name == "unit_mar_marines") {
    int Hull = Paint(B, 90, 110, 130, "mdl_plating"), Deck = Paint(B, 60, 70, 80);
    B.Push();
    B.RotateY(90);  // outline in z-y seen from the side, extruded across
    B.ExtrudeXY(Hull, Hull, {{100, 8}, {-70, 8}, {-110, 45}, {100, 45}}, -55, 55);
    B.Pop();
    B.Box(Deck, {-50, 45, -95}, {50, 47, 60});
    B.Box(Hull, {-55, 45, 60}, {55, 70, 66});  // bow ramp
    int Blue = Paint(B, 70, 90, 110, "mdl_camo"), Helmet = Paint(B, 55, 70, 85);
    Figure(B, {-25, 47, 20}, 0, {Blue, Helmet, Skin, Black});
    Figure(B, {25, 47, 0}, 0, {Blue, Helmet, Skin, Black});
    Figure(B, {0, 47, -50}, 0, {Blue, Helmet, Skin, Black});
  } else if (Name == "unit_art_rocket") {
    int Body = Paint(B, 120, 115, 80, "mdl_camo"), Dark = Paint(B, 70, 70, 55);
    Truck(B, Body, Body, Glass, Tyre, Metal);
    B.Push();
    B.Translate({0, 40, -70});
    B.RotateX(-30);  // launcher raised towards the front
    B.Box(Dark, {-32, 0, 0}, {32, 36, 110});
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 4; ++c) B.CylinderZ(Paint(B, 220, 60, 40), {-24 + c * 16.0f, 9 + r * 18.0f, 110}, 6, 0, 16, 6);
    B.Pop();
  } else if (Name == "unit_aa_mobile") {
    int Hull = Paint(B, 115, 120, 95, "mdl_camo"), Dark = Paint(B, 45, 45, 42);
    B.Box(Hull, {-45, 14, -70}, {45, 40, 80}, 60);
    Track(B, {-64, 0, -74}, {-45, 34, 84}, Dark, Metal);
    Track(B, {45, 0, -74}, {64, 34, 84}, Dark, Metal);
    B.Cylinder(Hull, {0, 40, 0}, 32, 28, 24, 10);
    for (float X : {-22.0f, 22.0f}) {
      B.Push();
      B.Translate({X, 56, 10});
      B.RotateX(-50);
      B.CylinderZ(Metal, {0, 0, 0}, 4, 3, 90, 6);
      B.Pop();
    }
    Dish(B, {0, 64, -30}, 26, 14, 40, Paint(B, 200, 200, 195), Metal);
  } else if (Name == "unit_reb_militia") {
    int Brown = Paint(B, 120, 90, 60, "mdl_fabric"), Grey = Paint(B, 110, 110, 105, "mdl_fabric");
    int Cap = Paint(B, 150, 40, 35);
    Squad(B, {Grey, Skin, Skin, Black}, {Brown, Cap, Skin, Black});
    B.Cylinder(Metal, {-75, 0, 20}, 2, 2, 130, 5);  // banner
    B.Box(Cap, {-74, 95, 19}, {-30, 128, 21});
  } else if (Name == "unit_reb_guerrilla") {
    int Body = Paint(B, 170, 150, 110, "mdl_plating"), Rust = Paint(B, 140, 80, 50);
    Truck(B, Body, Rust, Glass, Tyre, Metal, 170);
    B.Box(Body, {-34, 28, -85}, {-30, 44, 35});
    B.Box(Body, {30, 28, -85}, {34, 44, 35});
    B.Cylinder(Metal, {0, 28, -40}, 5, 5, 30, 6);  // gun mount
    B.CylinderZ(Black, {0, 62, -50}, 4, 4, 70, 6);
    Figure(B, {0, 28, -70}, 0, {Paint(B, 90, 110, 70, "mdl_camo"), Paint(B, 60, 60, 50), Skin, Black, false});
  } else if (Name == "unit_nat_rangers") {
    int White = Paint(B, 230, 235, 240, "mdl_camo"), Hood = Paint(B, 200, 205, 215);
    Squad(B, {White, Hood, Skin, Black}, {White, Hood, Skin, Black});
    Tree(B, {-95, 0, 50}, 100, true, Paint(B, 90, 70, 50), Paint(B, 40, 90, 60, "mdl_foliage"));
  } else if (Name == "unit_nat_jaguar") {
    int Jungle = Paint(B, 70, 110, 50, "mdl_camo"), Band = Paint(B, 200, 150, 40, "mdl_camo");
    Squad(B, {Jungle, Band, Skin, Black}, {Jungle, Band, Skin, Black});
    int Leaves = Paint(B, 50, 130, 50, "mdl_foliage");
    B.Sphere(Leaves, {-100, 15, 50}, {30, 25, 30}, 8, 4);
    B.Sphere(Leaves, {100, 15, 50}, {28, 22, 28}, 8, 4);
  } else if (Name == "unit_nat_savanna") {
    int Hide = Paint(B, 150, 105, 60, "mdl_fabric"), Tan = Paint(B, 200, 170, 110, "mdl_camo"), Wrap = Paint(B, 230, 140, 40);
    B.Scale({0.85f, 0.85f, 0.85f});
    for (float X : {-48.0f, 48.0f}) {
      float Z = X < 0 ? 20.0f : -20.0f;
      B.Box(Hide, {X - 14, 45, Z - 50}, {X + 14, 75, Z + 40});  // body
      for (float Lx : {-9.0f, 9.0f})
        for (float Lz : {-42.0f, 32.0f}) B.Box(Hide, {X + Lx - 4, 0, Z + Lz - 4}, {X + Lx + 4, 48, Z + Lz + 4});
      B.Push();
      B.Translate({X, 70, Z + 38});
      B.RotateX(35);
      B.Box(Hide, {-7, 0, -8}, {7, 40, 8});  // neck
      B.Pop();
      B.Box(Hide, {X - 8, 95, Z + 55}, {X + 8, 108, Z + 85});  // head
      TFigure Rider{Tan, Wrap, Skin, Black};
      B.Push();
      B.Translate({X, 48, Z - 5});
      B.Scale({0.9f, 0.9f, 0.9f});
      Figure(B, {0, 0, 0}, 0, Rider);
      B.Pop();
    }
  } else if (Name == "unit_nat_dragon") {
    int Red = Paint(B, 180, 40, 35, "mdl_plating"), Gold = Paint(B, 230, 180, 60, "mdl_metal");
    B.Push();
    B.Translate({0, 65, 0});
    B.Sphere(Red, {0, 0, 10}, {30, 28, 60}, 12, 6);
    B.Sphere(Glass, {0, 8, 50}, {18, 16, 24}, 10, 5);
    B.CylinderZ(Red, {0, 6, -120}, 5, 14, 80, 8);  // tail boom
    B.Box(Gold, {-3, 6, -125}, {3, 40, -108});      // tail fin
    B.Box(Gold, {-60, -8, -5}, {60, -3, 15});       // stub wings with rocket pods
    B.CylinderZ(Gold, {-58, -14, -15}, 8, 8, 40, 8);
    B.CylinderZ(Gold, {58, -14, -15}, 8, 8, 40, 8);
    B.Cylinder(Black, {0, 26, 5}, 5, 5, 12, 6);  // rotor mast and blades
    B.Box(Black, {-125, 38, 0}, {125, 40, 10});
    B.Box(Black, {-5, 38, -120}, {5, 40, 130});
    B.Box(Black, {-20, -40, -20}, {-16, -26, 40});  // skids
    B.Box(Black, {16, -40, -20}, {20, -26, 40});
    B.Pop();
  } else {
    return false;
  }
  return true;
}
}  // namespace

bool MakeUnit(const std::string& Name, TModelBuilder& B) {
  TModelBuilder Unit;
  if (!MakeUnitInto(Name, Unit)) return false;  // leaves B as it was
  B = std::move(Unit);
  return true;
}
