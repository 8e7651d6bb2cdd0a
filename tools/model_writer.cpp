#include "model_writer.h"

#include "tagged_writer.h"

namespace {
template <typename T>
void WriteArray(TTaggedWriter& W, const std::vector<T>& A) {
  W.WriteInteger(static_cast<std::int32_t>(A.size()));
  if (!A.empty()) W.WriteRaw(A.data(), A.size() * sizeof(T));
}
}  // namespace

std::string WriteBinaryModel(const TGLBinaryModel& Model) {
  TTaggedWriter W;
  W.WriteInteger(static_cast<std::int32_t>(Model.TextureNames.size()));
  for (const auto& T : Model.TextureNames) W.WriteString(T);
  W.WriteInteger(static_cast<std::int32_t>(Model.Meshes.size()));
  for (const TGLBinaryMesh& M : Model.Meshes) {
    W.WriteInteger(static_cast<std::int32_t>(M.Materials.size()));
    for (const TGLBinaryMeshMaterial& Mat : M.Materials) {
      for (float V : Mat.MaterialValues) W.WriteSingle(V);
      W.WriteString(Mat.TextureName);
    }
    WriteArray(W, M.Vertices);
    WriteArray(W, M.Faces);
    WriteArray(W, M.Normals);
    WriteArray(W, M.FaceNormals);
    WriteArray(W, M.TexCoords);
    WriteArray(W, M.FaceMaterials);
    W.WriteRaw(M.Matrix.data(), sizeof M.Matrix);
  }
  return W.Bytes();
}

TGLBinaryModel MakeBoxModel(float HX, float HY, float HZ, std::array<float, 4> Colour, const std::string& Texture) {
  TGLBinaryModel Model;
  if (!Texture.empty()) Model.TextureNames.push_back(Texture);
  TGLBinaryMesh M;
  TGLBinaryMeshMaterial Mat;
  Mat.MaterialValues = {Colour[0], Colour[1], Colour[2], 0.0f, Colour[3], 0, 0, 0, 0, 0, 0};
  Mat.TextureName = Texture;
  M.Materials.push_back(Mat);
  // Six sides, each with its outward normal and two axes spanning it.
  struct TSide {
    std::array<float, 3> N, U, V;
  };
  const TSide Sides[6] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                          {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                          {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
  const float H[3] = {HX, HY, HZ};
  for (const TSide& S : Sides) {
    auto Base = static_cast<std::int32_t>(M.Vertices.size());
    const float Corner[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& C : Corner) {
      std::array<float, 3> P;
      for (int a = 0; a < 3; ++a) P[a] = (S.N[a] + C[0] * S.U[a] + C[1] * S.V[a]) * H[a];
      M.Vertices.push_back(P);
      M.TexCoords.push_back({(C[0] + 1) / 2, (C[1] + 1) / 2});
    }
    auto N = static_cast<std::int32_t>(M.Normals.size());
    // The game mirrors x when drawing, so mirrored here, and the reversed corner order of the
    // drawing keeps these counter-clockwise seen from outside.
    M.Normals.push_back({-S.N[0], S.N[1], S.N[2]});
    M.Faces.push_back({Base, Base + 1, Base + 2});
    M.Faces.push_back({Base, Base + 2, Base + 3});
    M.FaceNormals.push_back({N, N, N});
    M.FaceNormals.push_back({N, N, N});
    M.FaceMaterials.push_back(0);
    M.FaceMaterials.push_back(0);
  }
  M.Matrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  Model.Meshes.push_back(std::move(M));
  return Model;
}
