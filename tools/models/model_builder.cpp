#include "model_builder.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {
float Rad(float Degrees) { return Degrees * kPi / 180.0f; }

// Product of two 3 x 4 affine matrices (row-major, last column the translation).
std::array<float, 12> Mul(const std::array<float, 12>& A, const std::array<float, 12>& B) {
  std::array<float, 12> R{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      float S = j == 3 ? A[i * 4 + 3] : 0.0f;
      for (int k = 0; k < 3; ++k) S += A[i * 4 + k] * B[k * 4 + j];
      R[i * 4 + j] = S;
    }
  }
  return R;
}
}  // namespace

int TModelBuilder::Material(const TMaterial& Mat) {
  for (std::size_t i = 0; i < Mats.size(); ++i) {
    const TMaterial& O = Mats[i];
    if (std::tie(O.R, O.G, O.B, O.Texture, O.Opacity, O.Glow, O.Shine) ==
        std::tie(Mat.R, Mat.G, Mat.B, Mat.Texture, Mat.Opacity, Mat.Glow, Mat.Shine))
      return static_cast<int>(i);
  }
  Mats.push_back(Mat);
  return static_cast<int>(Mats.size()) - 1;
}

void TModelBuilder::Translate(TVec3 T) { M = Mul(M, {1, 0, 0, T.X, 0, 1, 0, T.Y, 0, 0, 1, T.Z}); }
void TModelBuilder::Scale(TVec3 S) { M = Mul(M, {S.X, 0, 0, 0, 0, S.Y, 0, 0, 0, 0, S.Z, 0}); }
void TModelBuilder::RotateY(float D) {
  float C = std::cos(Rad(D)), S = std::sin(Rad(D));
  M = Mul(M, {C, 0, S, 0, 0, 1, 0, 0, -S, 0, C, 0});
}
void TModelBuilder::RotateX(float D) {
  float C = std::cos(Rad(D)), S = std::sin(Rad(D));
  M = Mul(M, {1, 0, 0, 0, 0, C, -S, 0, 0, S, C, 0});
}
void TModelBuilder::RotateZ(float D) {
  float C = std::cos(Rad(D)), S = std::sin(Rad(D));
  M = Mul(M, {C, -S, 0, 0, S, C, 0, 0, 0, 0, 1, 0});
}

TVec3 TModelBuilder::Apply(TVec3 P) const {
  return {M[0] * P.X + M[1] * P.Y + M[2] * P.Z + M[3], M[4] * P.X + M[5] * P.Y + M[6] * P.Z + M[7],
          M[8] * P.X + M[9] * P.Y + M[10] * P.Z + M[11]};
}

TVec3 TModelBuilder::ApplyNormal(TVec3 N) const {
  // The cofactor matrix carries normals through any scale; only the direction matters.
  TVec3 C0 = Cross({M[4], M[5], M[6]}, {M[8], M[9], M[10]});
  TVec3 C1 = Cross({M[8], M[9], M[10]}, {M[0], M[1], M[2]});
  TVec3 C2 = Cross({M[0], M[1], M[2]}, {M[4], M[5], M[6]});
  const float Sign = Dot({M[0], M[1], M[2]}, C0) < 0 ? -1.0f : 1.0f;  // a mirror: cofactors point inwards
  return Normalised(TVec3{Dot(C0, N), Dot(C1, N), Dot(C2, N)} * Sign);
}

void TModelBuilder::Add(int Mat, TCorner A, TCorner B, TCorner C) {
  for (TCorner* K : {&A, &B, &C}) {
    K->P = Apply(K->P);
    K->N = ApplyNormal(K->N);
  }
  TVec3 R0{M[0], M[1], M[2]}, R1{M[4], M[5], M[6]}, R2{M[8], M[9], M[10]};
  if (Dot(R0, Cross(R1, R2)) < 0) std::swap(B, C);  // a mirroring placement turns the winding
  if (Inverted) {
    std::swap(B, C);
    for (TCorner* K : {&A, &B, &C}) K->N = K->N * -1.0f;
  }
  // Slivers (a pole's corners, a cone's tip) cover no pixel and have no reliable side.
  TVec3 Face = Cross(B.P - A.P, C.P - A.P);
  const float Longest = std::max({Dot(B.P - A.P, B.P - A.P), Dot(C.P - B.P, C.P - B.P), Dot(A.P - C.P, A.P - C.P)});
  if (std::sqrt(Dot(Face, Face)) <= 1e-4f * Longest) return;
  Tris.push_back({{A, B, C}, Mat});
}

void TModelBuilder::Triangle(int Mat, TVec3 A, TVec3 B, TVec3 C, TTexCoord TA, TTexCoord TB, TTexCoord TC) {
  TVec3 N = Normalised(Cross(B - A, C - A));
  Add(Mat, {A, N, TA}, {B, N, TB}, {C, N, TC});
}

void TModelBuilder::SmoothTriangle(int Mat, const TCorner& A, const TCorner& B, const TCorner& C) { Add(Mat, A, B, C); }

void TModelBuilder::Quad(int Mat, TVec3 A, TVec3 B, TVec3 C, TVec3 D, TTexCoord TA, TTexCoord TB, TTexCoord TC, TTexCoord TD) {
  Triangle(Mat, A, B, C, TA, TB, TC);
  Triangle(Mat, A, C, D, TA, TC, TD);
}

void TModelBuilder::Box(int Mat, TVec3 Lo, TVec3 Hi, float Tile) { BoxTop(Mat, Mat, Lo, Hi, Tile); }

void TModelBuilder::BoxTop(int Mat, int TopMat, TVec3 Lo, TVec3 Hi, float Tile) {
  auto T = [&](float Len) { return Tile > 0 ? Len / Tile : 1.0f; };
  float W = T(Hi.X - Lo.X), H = T(Hi.Y - Lo.Y), D = T(Hi.Z - Lo.Z);
  // front (+z), back, right (+x), left, top, bottom
  Quad(Mat, {Lo.X, Lo.Y, Hi.Z}, {Hi.X, Lo.Y, Hi.Z}, {Hi.X, Hi.Y, Hi.Z}, {Lo.X, Hi.Y, Hi.Z}, {0, H}, {W, H}, {W, 0}, {0, 0});
  Quad(Mat, {Hi.X, Lo.Y, Lo.Z}, {Lo.X, Lo.Y, Lo.Z}, {Lo.X, Hi.Y, Lo.Z}, {Hi.X, Hi.Y, Lo.Z}, {0, H}, {W, H}, {W, 0}, {0, 0});
  Quad(Mat, {Hi.X, Lo.Y, Hi.Z}, {Hi.X, Lo.Y, Lo.Z}, {Hi.X, Hi.Y, Lo.Z}, {Hi.X, Hi.Y, Hi.Z}, {0, H}, {D, H}, {D, 0}, {0, 0});
  Quad(Mat, {Lo.X, Lo.Y, Lo.Z}, {Lo.X, Lo.Y, Hi.Z}, {Lo.X, Hi.Y, Hi.Z}, {Lo.X, Hi.Y, Lo.Z}, {0, H}, {D, H}, {D, 0}, {0, 0});
  Quad(TopMat, {Lo.X, Hi.Y, Hi.Z}, {Hi.X, Hi.Y, Hi.Z}, {Hi.X, Hi.Y, Lo.Z}, {Lo.X, Hi.Y, Lo.Z}, {0, D}, {W, D}, {W, 0}, {0, 0});
  if (Lo.Y > 0.001f || Lo.Y < -0.001f)
    Quad(Mat, {Lo.X, Lo.Y, Lo.Z}, {Hi.X, Lo.Y, Lo.Z}, {Hi.X, Lo.Y, Hi.Z}, {Lo.X, Lo.Y, Hi.Z}, {0, D}, {W, D}, {W, 0}, {0, 0});
}

void TModelBuilder::Cylinder(int Mat, TVec3 Base, float R0, float R1, float Height, int Seg, bool Caps, float TileV) {
  const float Slope = (R0 - R1) / (Height != 0 ? Height : 1);
  for (int i = 0; i < Seg; ++i) {
    float A0 = 2 * kPi * i / Seg, A1 = 2 * kPi * (i + 1) / Seg;
    TVec3 D0{std::sin(A0), 0, std::cos(A0)}, D1{std::sin(A1), 0, std::cos(A1)};
    TVec3 N0 = Normalised({D0.X, Slope, D0.Z}), N1 = Normalised({D1.X, Slope, D1.Z});
    float U0 = static_cast<float>(i) / Seg, U1 = static_cast<float>(i + 1) / Seg;
    TCorner B0{Base + D0 * R0, N0, {U0, TileV}}, B1{Base + D1 * R0, N1, {U1, TileV}};
    TCorner T0{Base + D0 * R1 + TVec3{0, Height, 0}, N0, {U0, 0}}, T1{Base + D1 * R1 + TVec3{0, Height, 0}, N1, {U1, 0}};
    Add(Mat, B0, B1, T1);
    if (R1 > 0) Add(Mat, B0, T1, T0);
    if (Caps) {
      TVec3 Top = Base + TVec3{0, Height, 0};
      if (R1 > 0) Triangle(Mat, Top, T0.P, T1.P, {0.5f, 0.5f}, {0.5f + D0.X / 2, 0.5f + D0.Z / 2}, {0.5f + D1.X / 2, 0.5f + D1.Z / 2});
      if (R0 > 0) Triangle(Mat, Base, B1.P, B0.P, {0.5f, 0.5f}, {0.5f + D1.X / 2, 0.5f + D1.Z / 2}, {0.5f + D0.X / 2, 0.5f + D0.Z / 2});
    }
  }
}

void TModelBuilder::CylinderZ(int Mat, TVec3 Base, float R0, float R1, float Length, int Seg, bool Caps) {
  Push();
  Translate(Base);
  RotateX(90);
  Cylinder(Mat, {0, 0, 0}, R0, R1, Length, Seg, Caps);
  Pop();
}

void TModelBuilder::CylinderX(int Mat, TVec3 Base, float R0, float R1, float Length, int Seg, bool Caps) {
  Push();
  Translate(Base);
  RotateZ(-90);
  Cylinder(Mat, {0, 0, 0}, R0, R1, Length, Seg, Caps);
  Pop();
}

void TModelBuilder::Sphere(int Mat, TVec3 C, TVec3 R, int Seg, int Rings, float MinLat, float MaxLat) {
  auto Corner = [&](int i, int j) {
    float Lon = 2 * kPi * i / Seg;
    const float Degrees = MinLat + (MaxLat - MinLat) * j / Rings, Lat = Rad(Degrees);
    const float Across = std::abs(Degrees) >= 90 ? 0.0f : std::cos(Lat);  // the poles exactly on the axis
    TVec3 D{Across * std::sin(Lon), std::sin(Lat), Across * std::cos(Lon)};
    TVec3 N = Normalised({D.X / R.X, D.Y / R.Y, D.Z / R.Z});
    return TCorner{C + TVec3{D.X * R.X, D.Y * R.Y, D.Z * R.Z}, N,
                   {static_cast<float>(i) / Seg, 1.0f - static_cast<float>(j) / Rings}};
  };
  for (int j = 0; j < Rings; ++j)
    for (int i = 0; i < Seg; ++i) {
      TCorner A = Corner(i, j), B = Corner(i + 1, j), Cc = Corner(i + 1, j + 1), D = Corner(i, j + 1);
      Add(Mat, A, B, Cc);
      Add(Mat, A, Cc, D);
    }
}

void TModelBuilder::Torus(int Mat, TVec3 C, float Major, float Minor, int Seg, int Sides) {
  auto Corner = [&](int i, int j) {
    float A = 2 * kPi * i / Seg, B = 2 * kPi * j / Sides;
    TVec3 Out{std::sin(A), 0, std::cos(A)};
    TVec3 N = Out * std::cos(B) + TVec3{0, std::sin(B), 0};
    return TCorner{C + Out * Major + N * Minor, N, {static_cast<float>(i) / Seg, static_cast<float>(j) / Sides}};
  };
  for (int i = 0; i < Seg; ++i)
    for (int j = 0; j < Sides; ++j) {
      TCorner A = Corner(i, j), B = Corner(i + 1, j), Cc = Corner(i + 1, j + 1), D = Corner(i, j + 1);
      Add(Mat, A, B, Cc);
      Add(Mat, A, Cc, D);
    }
}

void TModelBuilder::GableRoof(int Mat, TVec3 Lo, TVec3 Hi, float Rise) {
  float Mz = (Lo.Z + Hi.Z) / 2, Top = Hi.Y + Rise;
  float W = (Hi.X - Lo.X) / 40, D = (Hi.Z - Lo.Z) / 80;
  Quad(Mat, {Lo.X, Hi.Y, Hi.Z}, {Hi.X, Hi.Y, Hi.Z}, {Hi.X, Top, Mz}, {Lo.X, Top, Mz}, {0, D}, {W, D}, {W, 0}, {0, 0});
  Quad(Mat, {Hi.X, Hi.Y, Lo.Z}, {Lo.X, Hi.Y, Lo.Z}, {Lo.X, Top, Mz}, {Hi.X, Top, Mz}, {0, D}, {W, D}, {W, 0}, {0, 0});
  Triangle(Mat, {Hi.X, Hi.Y, Hi.Z}, {Hi.X, Hi.Y, Lo.Z}, {Hi.X, Top, Mz}, {0, 1}, {1, 1}, {0.5f, 0});
  Triangle(Mat, {Lo.X, Hi.Y, Lo.Z}, {Lo.X, Hi.Y, Hi.Z}, {Lo.X, Top, Mz}, {0, 1}, {1, 1}, {0.5f, 0});
}

void TModelBuilder::ExtrudeXY(int Mat, int SideMat, const std::vector<std::array<float, 2>>& Given, float Z0, float Z1) {
  // Either winding is accepted: the outline is turned counter-clockwise first.
  std::vector<std::array<float, 2>> O = Given;
  float Twice = 0;
  for (std::size_t i = 0; i < O.size(); ++i) {
    const auto& P = O[i];
    const auto& Q = O[(i + 1) % O.size()];
    Twice += P[0] * Q[1] - Q[0] * P[1];
  }
  if (Twice < 0) std::reverse(O.begin(), O.end());
  float Cx = 0, Cy = 0, MinX = 1e9f, MaxX = -1e9f, MinY = 1e9f, MaxY = -1e9f;
  for (auto& P : O) {
    Cx += P[0] / O.size();
    Cy += P[1] / O.size();
    MinX = std::min(MinX, P[0]);
    MaxX = std::max(MaxX, P[0]);
    MinY = std::min(MinY, P[1]);
    MaxY = std::max(MaxY, P[1]);
  }
  auto Tex = [&](float X, float Y) { return TTexCoord{(X - MinX) / (MaxX - MinX), (MaxY - Y) / (MaxY - MinY)}; };
  const std::size_t N = O.size();
  for (std::size_t i = 0; i < N; ++i) {
    const auto& P = O[i];
    const auto& Q = O[(i + 1) % N];
    // Outline counter-clockwise in x-y seen from +z.
    Triangle(Mat, {Cx, Cy, Z1}, {P[0], P[1], Z1}, {Q[0], Q[1], Z1}, Tex(Cx, Cy), Tex(P[0], P[1]), Tex(Q[0], Q[1]));
    Triangle(Mat, {Cx, Cy, Z0}, {Q[0], Q[1], Z0}, {P[0], P[1], Z0}, Tex(Cx, Cy), Tex(Q[0], Q[1]), Tex(P[0], P[1]));
    Quad(SideMat, {P[0], P[1], Z1}, {P[0], P[1], Z0}, {Q[0], Q[1], Z0}, {Q[0], Q[1], Z1});
  }
}

TGLBinaryModel TModelBuilder::Build() const {
  TGLBinaryModel Model;
  std::vector<bool> Used(Mats.size(), false);
  for (const TTriangle& T : Tris) Used[static_cast<std::size_t>(T.Material)] = true;
  for (std::size_t m = 0; m < Mats.size(); ++m) {
    const std::string& Tex = Mats[m].Texture;
    if (Used[m] && !Tex.empty() && std::find(Model.TextureNames.begin(), Model.TextureNames.end(), Tex) == Model.TextureNames.end())
      Model.TextureNames.push_back(Tex);
  }
  // Opaque faces in one mesh, translucent ones in a second that the game draws after it.
  for (int Pass = 0; Pass < 2; ++Pass) {
    TGLBinaryMesh Mesh;
    std::vector<int> MatIndex(Mats.size(), -1);
    std::map<std::array<float, 5>, std::int32_t> Vertices;
    std::map<std::array<float, 3>, std::int32_t> Normals;
    for (std::size_t m = 0; m < Mats.size(); ++m) {
      if ((Mats[m].Opacity < 1.0f) != (Pass == 1)) continue;
      for (const TTriangle& T : Tris) {
        if (T.Material != static_cast<int>(m)) continue;
        if (MatIndex[m] < 0) {
          const TMaterial& Mt = Mats[m];
          TGLBinaryMeshMaterial Out;
          Out.MaterialValues = {Mt.R, Mt.G, Mt.B, 0, Mt.Opacity, Mt.Shine, Mt.Shine, Mt.Shine, Mt.Glow * Mt.R, Mt.Glow * Mt.G, Mt.Glow * Mt.B};
          Out.TextureName = Mt.Texture;
          MatIndex[m] = static_cast<int>(Mesh.Materials.size());
          Mesh.Materials.push_back(Out);
        }
        std::array<std::int32_t, 3> Face{}, FaceNormal{};
        for (int k = 0; k < 3; ++k) {
          const TCorner& C = T.C[2 - k];  // the file lists corners the other way round
          std::array<float, 5> Key{-C.P.X, C.P.Y, C.P.Z, C.T.U, C.T.V};
          auto [VI, NewV] = Vertices.emplace(Key, static_cast<std::int32_t>(Mesh.Vertices.size()));
          if (NewV) {
            Mesh.Vertices.push_back({Key[0], Key[1], Key[2]});
            Mesh.TexCoords.push_back({C.T.U, C.T.V});
          }
          std::array<float, 3> NK{C.N.X, C.N.Y, C.N.Z};
          auto [NI, NewN] = Normals.emplace(NK, static_cast<std::int32_t>(Mesh.Normals.size()));
          if (NewN) Mesh.Normals.push_back(NK);
          Face[k] = VI->second;
          FaceNormal[k] = NI->second;
        }
        Mesh.Faces.push_back(Face);
        Mesh.FaceNormals.push_back(FaceNormal);
        Mesh.FaceMaterials.push_back(MatIndex[m]);
      }
    }
    if (Mesh.Faces.empty()) continue;
    Mesh.Matrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Model.Meshes.push_back(std::move(Mesh));
  }
  return Model;
}
