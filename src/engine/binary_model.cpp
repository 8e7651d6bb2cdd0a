#include "engine/binary_model.h"

#include <cstring>

#include "engine/streams.h"
#include "engine/tagged_reader.h"
#include "engine/texture_manager.h"
#include "platform/errors.h"

TTextureManager* gModelTextureManager = nullptr;
std::string gModelTexturePath;
bool gNoMaterials = false;

namespace {
// Smallest encodings, used to refuse a count before anything is allocated for it: a tagged
// integer takes 2 bytes, a string 2, a single 5.
constexpr std::int64_t kMinString = 2;
constexpr std::int64_t kMinMaterial = 11 * 5 + kMinString;
constexpr std::int64_t kMinMesh = 7 * 2 + 64;

[[noreturn]] void Fail(const std::string& What) { throw EDataError("TGLBinaryModel->LoadFromStream->" + What); }

std::string MeshText(std::size_t Mesh) { return "Mesh " + std::to_string(Mesh) + ": "; }

// Reads a count and checks that Count elements of at least MinSize bytes each can follow.
std::int32_t ReadCount(TTaggedReader& R, const std::string& What, std::int64_t MinSize) {
  std::int32_t Count = R.ReadInteger();
  if (Count < 0 || Count > R.BytesLeft() / MinSize)
    Fail(What + " " + std::to_string(Count) + " does not fit the " + std::to_string(R.BytesLeft()) + " bytes left");
  return Count;
}

template <typename T>
void ReadArray(TTaggedReader& R, std::vector<T>& Out, const std::string& What) {
  std::int32_t Count = ReadCount(R, What, static_cast<std::int64_t>(sizeof(T)));
  Out.resize(static_cast<std::size_t>(Count));
  if (Count > 0) R.Read(Out.data(), Out.size() * sizeof(T));
}

void Check(const TGLBinaryMesh& M, std::size_t Index) {
  const std::string Where = MeshText(Index);
  const std::size_t FaceCount = M.Faces.size();
  if (FaceCount > 0 && M.Materials.empty()) Fail(Where + "faces without a material");
  if (M.FaceNormals.size() < FaceCount)
    Fail(Where + std::to_string(M.FaceNormals.size()) + " face normals for " + std::to_string(FaceCount) + " faces");
  if (M.FaceMaterials.size() < FaceCount)
    Fail(Where + std::to_string(M.FaceMaterials.size()) + " face materials for " + std::to_string(FaceCount) + " faces");
  if (!M.TexCoords.empty() && M.TexCoords.size() < M.Vertices.size())
    Fail(Where + std::to_string(M.TexCoords.size()) + " texture coordinates for " + std::to_string(M.Vertices.size()) +
         " vertices");
  const auto Vertices = static_cast<std::int64_t>(M.Vertices.size());
  const auto Normals = static_cast<std::int64_t>(M.Normals.size());
  for (std::size_t f = 0; f < FaceCount; ++f) {
    for (int k = 0; k < 3; ++k) {
      std::int32_t V = M.Faces[f][k], N = M.FaceNormals[f][k];
      if (V < 0 || V >= Vertices)
        Fail(Where + "face " + std::to_string(f) + " uses vertex " + std::to_string(V) + " of " + std::to_string(Vertices));
      if (N < 0 || N >= Normals)
        Fail(Where + "face " + std::to_string(f) + " uses normal " + std::to_string(N) + " of " + std::to_string(Normals));
    }
    // Indices above the last material are set to the last when drawn; below 0 is damage.
    if (M.FaceMaterials[f] < 0)
      Fail(Where + "face " + std::to_string(f) + " uses material " + std::to_string(M.FaceMaterials[f]));
  }
}
}  // namespace

void TGLBinaryModel::ReadFromStream(TStream& Stream) {
  std::vector<std::string> Textures;
  std::vector<TGLBinaryMesh> Read;
  {
    TTaggedReader R(Stream);
    std::int32_t TextureCount = ReadCount(R, "TextureCount", kMinString);
    for (std::int32_t i = 0; i < TextureCount; ++i) Textures.push_back(TextureBaseName(R.ReadString()));
    std::int32_t MeshCount = ReadCount(R, "MeshCount", kMinMesh);
    Read.resize(static_cast<std::size_t>(MeshCount));
    for (std::size_t m = 0; m < Read.size(); ++m) {
      TGLBinaryMesh& Mesh = Read[m];
      const std::string Where = MeshText(m);
      std::int32_t MaterialCount = ReadCount(R, Where + "MaterialCount", kMinMaterial);
      Mesh.Materials.resize(static_cast<std::size_t>(MaterialCount));
      for (TGLBinaryMeshMaterial& Mat : Mesh.Materials) {
        for (float& V : Mat.MaterialValues) V = R.ReadSingle();
        Mat.TextureName = TextureBaseName(R.ReadString());
        if (Mat.TextureName.find("_trans") != std::string::npos) Mesh.Transparent = true;
      }
      ReadArray(R, Mesh.Vertices, Where + "VertexCount");
      ReadArray(R, Mesh.Faces, Where + "FaceCount");
      ReadArray(R, Mesh.Normals, Where + "NormalCount");
      ReadArray(R, Mesh.FaceNormals, Where + "FaceNormalCount");
      ReadArray(R, Mesh.TexCoords, Where + "TexCoordCount");
      ReadArray(R, Mesh.FaceMaterials, Where + "FaceMaterialCount");
      R.Read(Mesh.Matrix.data(), sizeof Mesh.Matrix);
      Check(Mesh, m);
    }
  }
  TextureNames = std::move(Textures);
  Meshes = std::move(Read);
}

void TGLBinaryModel::LoadFromStream(TStream& Stream, float Factor) {
  ReadFromStream(Stream);
  LoadTextures();
  if (Factor != 1.0f) Scale(Factor);
}

void TGLBinaryModel::LoadFromFile(const std::filesystem::path& FileName, float Factor) {
  TFileStream Stream(FileName);
  LoadFromStream(Stream, Factor);
}

void TGLBinaryModel::Scale(float Factor) {
  ScaleFactor = Factor;
  for (TGLBinaryMesh& M : Meshes)
    for (auto& V : M.Vertices)
      for (float& C : V) C = static_cast<float>(static_cast<double>(C) * Factor);
}

bool TGLBinaryMesh::HasTransparentMaterial() const {
  std::vector<bool> Used(Materials.size(), false);
  for (std::size_t f = 0; f < Faces.size() && f < FaceMaterials.size(); ++f) {
    std::int32_t I = FaceMaterials[f];
    if (I >= 0 && static_cast<std::size_t>(I) < Materials.size()) Used[static_cast<std::size_t>(I)] = true;
  }
  for (std::size_t i = 0; i < Materials.size(); ++i)
    if (Used[i] && Materials[i].IsTranslucent()) return true;
  return false;
}

void TGLBinaryMesh::Emit(TMeshSink& Sink) {
  if (Materials.empty()) return;  // only a mesh without faces gets here: the reader refuses the rest
  const auto Last = static_cast<std::int32_t>(Materials.size()) - 1;
  std::int64_t Current = static_cast<std::int64_t>(Materials.size()) + 1;  // no material applied yet
  const bool Textured = !TexCoords.empty();
  for (std::size_t f = 0; f < Faces.size(); ++f) {
    std::int32_t& MatIndex = FaceMaterials[f];
    if (MatIndex != Current) {
      if (MatIndex > Last) MatIndex = Last;
      Sink.Material(Materials[static_cast<std::size_t>(MatIndex)]);
      Current = MatIndex;
    }
    TModelCorner C[3];
    for (int k = 0; k < 3; ++k) {
      // Corners go out as 2, 1, 0: with x mirrored this keeps the faces' front side.
      const int Src = 2 - k;
      const auto V = static_cast<std::size_t>(Faces[f][Src]);
      C[k].Normal = Normals[static_cast<std::size_t>(FaceNormals[f][Src])];
      C[k].HasTexCoord = Textured;
      C[k].TexCoord = Textured ? std::array<float, 2>{1.0f + TexCoords[V][0], 1.0f - TexCoords[V][1]}
                               : std::array<float, 2>{0.0f, 0.0f};
      C[k].Position = {-Vertices[V][0], Vertices[V][1], Vertices[V][2]};
    }
    Sink.Triangle(C);
  }
}
