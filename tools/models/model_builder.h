#pragma once
// Builds the game's models from simple solids. Shapes are given in the game's own frame, the
// one a model is seen in after the game mirrors x on drawing: y is up, the model stands on y = 0,
// and its front faces +z. Build() turns that into the ".3df" file's frame (x mirrored, corner
// order reversed), so a triangle given counter-clockwise seen from outside stays front-facing.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/binary_model.h"

struct TVec3 {
  float X = 0, Y = 0, Z = 0;
};
inline TVec3 operator+(TVec3 A, TVec3 B) { return {A.X + B.X, A.Y + B.Y, A.Z + B.Z}; }
inline TVec3 operator-(TVec3 A, TVec3 B) { return {A.X - B.X, A.Y - B.Y, A.Z - B.Z}; }
inline TVec3 operator*(TVec3 A, float S) { return {A.X * S, A.Y * S, A.Z * S}; }
inline float Dot(TVec3 A, TVec3 B) { return A.X * B.X + A.Y * B.Y + A.Z * B.Z; }
inline TVec3 Cross(TVec3 A, TVec3 B) { return {A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X}; }
inline TVec3 Normalised(TVec3 A) {
  float L = std::sqrt(Dot(A, A));
  return L > 0 ? A * (1.0f / L) : TVec3{0, 1, 0};
}

struct TTexCoord {
  float U = 0, V = 0;  // V = 0 at the picture's top row
};

// A material: colour, opacity, a texture of data\tex\models (empty for none) and a glow.
struct TMaterial {
  float R = 1, G = 1, B = 1;
  std::string Texture;
  float Opacity = 1;
  float Glow = 0;      // emission, as a share of the colour
  float Shine = 0;  // specular grey (the game sets no shininess, so any specular lights the whole face)
};

// A corner as the builder keeps it, in the game's frame.
struct TCorner {
  TVec3 P, N;
  TTexCoord T;
};
struct TTriangle {
  TCorner C[3];
  int Material = 0;
};

class TModelBuilder {
public:
  int Material(const TMaterial& M);  // the index of M, added when new
  const std::vector<TMaterial>& Materials() const { return Mats; }
  const std::vector<TTriangle>& Triangles() const { return Tris; }

  // The placement of the shapes that follow: a 3 x 4 affine matrix, with a stack.
  void Push() { Stack.push_back(M); }
  void Pop() {
    M = Stack.back();
    Stack.pop_back();
  }
  void Translate(TVec3 T);
  void RotateY(float Degrees);
  void RotateX(float Degrees);
  void RotateZ(float Degrees);
  void Scale(TVec3 S);

  // Corners counter-clockwise seen from the front; flat normal unless given.
  void Triangle(int Mat, TVec3 A, TVec3 B, TVec3 C, TTexCoord TA = {}, TTexCoord TB = {}, TTexCoord TC = {});
  void SmoothTriangle(int Mat, const TCorner& A, const TCorner& B, const TCorner& C);
  void Quad(int Mat, TVec3 A, TVec3 B, TVec3 C, TVec3 D, TTexCoord TA = {0, 1}, TTexCoord TB = {1, 1}, TTexCoord TC = {1, 0}, TTexCoord TD = {0, 0});
  // A box from Min to Max; texture repeats every Tile units (0: once per side).
  void Box(int Mat, TVec3 Min, TVec3 Max, float Tile = 0);
  // Like Box, but the top side has its own material.
  void BoxTop(int Mat, int TopMat, TVec3 Min, TVec3 Max, float Tile = 0);
  // An upright cylinder or cone frustum around the y axis through Base.
  void Cylinder(int Mat, TVec3 Base, float R0, float R1, float Height, int Segments, bool Caps = true, float TileV = 1);
  // The same along the z axis (front to back), from Base forwards by Length.
  void CylinderZ(int Mat, TVec3 Base, float R0, float R1, float Length, int Segments, bool Caps = true);
  void CylinderX(int Mat, TVec3 Base, float R0, float R1, float Length, int Segments, bool Caps = true);
  void Sphere(int Mat, TVec3 Centre, TVec3 Radii, int Segments, int Rings, float MinLat = -90, float MaxLat = 90);
  // A ring around the y axis.
  void Torus(int Mat, TVec3 Centre, float Major, float Minor, int Segments, int Sides);
  // A gable roof over the box Min..Max whose ridge runs along x and rises Rise above Max.y.
  void GableRoof(int Mat, TVec3 Min, TVec3 Max, float Rise);
  // A flat polygon (convex or star-shaped about its first point's centroid) in the x-y plane,
  // pushed from z = Z0 to z = Z1: the front at Z1, the back at Z0.
  void ExtrudeXY(int Mat, int SideMat, const std::vector<std::array<float, 2>>& Outline, float Z0, float Z1);

  TGLBinaryModel Build() const;

  // While set, shapes face inwards (the inside of a bowl, a stand, a dome seen from within).
  bool Inverted = false;

private:
  TVec3 Apply(TVec3 P) const;
  TVec3 ApplyNormal(TVec3 N) const;
  void Add(int Mat, TCorner A, TCorner B, TCorner C);
  std::array<float, 12> M{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
  std::vector<std::array<float, 12>> Stack;
  std::vector<TMaterial> Mats;
  std::vector<TTriangle> Tris;
};

constexpr float kPi = 3.14159265358979f;
