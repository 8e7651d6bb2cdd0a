#include "parts.h"

int Paint(TModelBuilder& B, int R, int G, int Bl, const std::string& Texture, float Opacity, float Glow) {
  TMaterial M;
  M.R = R / 255.0f;
  M.G = G / 255.0f;
  M.B = Bl / 255.0f;
  M.Texture = Texture;
  M.Opacity = Opacity;
  M.Glow = Glow;
  return B.Material(M);
}

void Figure(TModelBuilder& B, TVec3 Pos, float Turn, const TFigure& F) {
  B.Push();
  B.Translate(Pos);
  B.RotateY(Turn);
  const float W = F.Bulky ? 1.25f : 1.0f;
  B.Box(F.Uniform, {-9 * W, 0, -4}, {-1.5f, 30, 4});  // legs
  B.Box(F.Uniform, {1.5f, 0, -4}, {9 * W, 30, 4});
  B.Box(F.Gear, {-9 * W, 0, -4.5f}, {-1.5f, 6, 6});  // boots
  B.Box(F.Gear, {1.5f, 0, -4.5f}, {9 * W, 6, 6});
  B.Box(F.Uniform, {-11 * W, 29, -6 * W}, {11 * W, 56, 6 * W});  // body
  if (F.Bulky) B.Box(F.Gear, {-12 * W, 40, -7 * W}, {12 * W, 55, 7 * W});
  B.Box(F.Uniform, {-16 * W, 34, -4}, {-11 * W, 55, 4});  // arms
  B.Box(F.Uniform, {11 * W, 34, -4}, {16 * W, 55, 4});
  B.Box(F.Skin, {-4, 56, -4}, {4, 60, 4});  // neck
  B.Sphere(F.Skin, {0, 66, 0}, {7, 8, 7}, 8, 5);
  B.Sphere(F.Helmet, {0, 68, 0}, {8.5f, 7, 8.5f}, 8, 3, 0, 90);
  if (F.Rifle) B.Box(F.Gear, {10, 44, -6}, {14, 48, 26});  // rifle held forward
  if (F.Bulky) B.CylinderZ(F.Gear, {-14, 60, -18}, 5, 5, 40, 8);  // launcher on the shoulder
  B.Pop();
}

void Tree(TModelBuilder& B, TVec3 Pos, float H, bool Pine, int Trunk, int Leaves) {
  B.Cylinder(Trunk, Pos, H * 0.06f, H * 0.04f, H * 0.45f, 6, false);
  if (Pine) {
    B.Cylinder(Leaves, Pos + TVec3{0, H * 0.25f, 0}, H * 0.3f, 0, H * 0.45f, 8);
    B.Cylinder(Leaves, Pos + TVec3{0, H * 0.5f, 0}, H * 0.22f, 0, H * 0.5f, 8);
  } else {
    B.Sphere(Leaves, Pos + TVec3{0, H * 0.68f, 0}, {H * 0.3f, H * 0.32f, H * 0.3f}, 8, 5);
  }
}

void Wheel(TModelBuilder& B, TVec3 C, float R, float W, int Tyre, int Hub) {
  B.CylinderX(Tyre, C - TVec3{W / 2, 0, 0}, R, R, W, 10);
  B.CylinderX(Hub, C - TVec3{W / 2 + 0.5f, 0, 0}, R * 0.5f, R * 0.5f, W + 1, 6);
}

void Track(TModelBuilder& B, TVec3 Lo, TVec3 Hi, int Tread, int Wheels) {
  B.Box(Tread, Lo, Hi);
  const float R = (Hi.Y - Lo.Y) * 0.32f, Step = (Hi.Z - Lo.Z - 2 * R) / 4;
  const bool Left = Lo.X < 0;
  for (int i = 0; i < 5; ++i) {
    TVec3 C{Left ? Lo.X - 1 : Hi.X + 1, Lo.Y + (Hi.Y - Lo.Y) * 0.45f, Lo.Z + R + Step * i};
    B.CylinderX(Wheels, C - TVec3{1.5f, 0, 0}, R, R, 3, 8);
  }
}

void House(TModelBuilder& B, TVec3 Lo, TVec3 Hi, float Rise, int Wall, int Roof) {
  B.Box(Wall, Lo, Hi, 40);
  B.GableRoof(Roof, Lo - TVec3{4, 0, 4}, Hi + TVec3{4, 0, 4}, Rise);
}

void StorageTank(TModelBuilder& B, TVec3 Base, float R, float H, int Mat) {
  B.Cylinder(Mat, Base, R, R, H, 14, false);
  B.Sphere(Mat, Base + TVec3{0, H, 0}, {R, R * 0.3f, R}, 14, 3, 0, 90);
}

void Dish(TModelBuilder& B, TVec3 Base, float R, float Post, float Tilt, int Mat, int PostMat) {
  B.Cylinder(PostMat, Base, R * 0.12f, R * 0.1f, Post, 6);
  B.Push();
  B.Translate(Base + TVec3{0, Post, 0});
  B.RotateX(90 - Tilt);
  // A shallow cone whose flat face looks along +y of this frame (+z tilted up in the model).
  B.Cylinder(Mat, {0, 0, 0}, R * 0.15f, R, R * 0.3f, 14);
  B.Cylinder(PostMat, {0, R * 0.3f, 0}, R * 0.05f, R * 0.02f, R * 0.7f, 5);
  B.Pop();
}

void Plate(TModelBuilder& B, float X0, float Z0, float X1, float Z1, float H, int Mat, float Tile) {
  B.Box(Mat, {X0, -28, Z0}, {X1, H, Z1}, Tile);
}
