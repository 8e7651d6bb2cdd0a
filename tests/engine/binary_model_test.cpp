#include <gtest/gtest.h>

#include "engine/binary_model.h"
#include "engine/streams.h"
#include "engine/texture_manager.h"
#include "model_writer.h"
#include "platform/errors.h"
#include "tagged_writer.h"

namespace {
TGLBinaryModel Read(const std::string& Bytes) {
  TMemoryStream S(Bytes);
  TGLBinaryModel M;
  M.ReadFromStream(S);
  return M;
}

// Records what a mesh draws.
struct TRecordingSink : TMeshSink {
  std::vector<const TGLBinaryMeshMaterial*> Materials;
  std::vector<TModelCorner> Corners;
  void Material(const TGLBinaryMeshMaterial& M) override { Materials.push_back(&M); }
  void Triangle(const TModelCorner (&C)[3]) override { Corners.insert(Corners.end(), C, C + 3); }
};

// A mesh of three materials and two faces over four vertices.
TGLBinaryModel ThreeMaterialMesh() {
  TGLBinaryModel Model;
  TGLBinaryMesh M;
  for (int i = 0; i < 3; ++i) {
    TGLBinaryMeshMaterial Mat;
    Mat.MaterialValues = {0.1f * i, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
    M.Materials.push_back(Mat);
  }
  M.Vertices = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  M.Faces = {{0, 1, 2}, {1, 2, 3}};
  M.Normals = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
  M.FaceNormals = {{0, 1, 2}, {2, 2, 2}};
  M.TexCoords = {{0.25f, 0.75f}, {0, 0}, {1, 1}, {0.5f, 0.5f}};
  M.FaceMaterials = {0, 0};
  Model.Meshes.push_back(M);
  return Model;
}
}  // namespace

TEST(BinaryModel, WrittenModelsReadBackWithTextureNamesWithoutFolderAndExtension) {
  TGLBinaryModel Box = MakeBoxModel(1, 2, 3, {0.5f, 0.25f, 1.0f, 1.0f}, "data\\tex\\models\\stone.v2.png");
  TGLBinaryModel M = Read(WriteBinaryModel(Box));
  EXPECT_EQ(M.TextureNames, (std::vector<std::string>{"stone.v2"}));
  ASSERT_EQ(M.Meshes.size(), 1u);
  const TGLBinaryMesh& Mesh = M.Meshes[0];
  EXPECT_EQ(Mesh.Materials[0].TextureName, "stone.v2");
  EXPECT_EQ(Mesh.Materials[0].MaterialValues[2], 1.0f);
  EXPECT_EQ(Mesh.Vertices, Box.Meshes[0].Vertices);
  EXPECT_EQ(Mesh.Faces.size(), 12u);
  EXPECT_EQ(Mesh.FaceNormals, Box.Meshes[0].FaceNormals);
  EXPECT_EQ(Mesh.TexCoords, Box.Meshes[0].TexCoords);
  EXPECT_EQ(Mesh.Matrix, Box.Meshes[0].Matrix);
  EXPECT_FALSE(Mesh.DrawnInSecondPass());
  // Once read, the names are keys, and the model writes back to the same bytes.
  M.Meshes[0].Materials[0].TextureName = M.TextureNames[0] = "stone";
  EXPECT_EQ(WriteBinaryModel(M), WriteBinaryModel(Read(WriteBinaryModel(M))));
  EXPECT_EQ(TextureBaseName("a/b\\c.d.tga"), "c.d");
  EXPECT_EQ(TextureBaseName("plain"), "plain");
}

TEST(BinaryModel, ScaleMultipliesVerticesOnly) {
  TGLBinaryModel M = ThreeMaterialMesh();
  M.Meshes[0].Vertices[0] = {1, 0, -2};
  TMemoryStream S(WriteBinaryModel(M));
  TGLBinaryModel Scaled;
  Scaled.LoadFromStream(S, 13.0f);
  EXPECT_EQ(Scaled.Meshes[0].Vertices[0], (std::array<float, 3>{13, 0, -26}));
  EXPECT_EQ(Scaled.Meshes[0].Normals, M.Meshes[0].Normals);
  EXPECT_EQ(Scaled.ScaleFactor, 13.0f);
  TMemoryStream S1(WriteBinaryModel(M));
  TGLBinaryModel Same;
  Same.LoadFromStream(S1, 1.0f);
  EXPECT_EQ(Same.Meshes[0].Vertices, M.Meshes[0].Vertices);
}

TEST(BinaryModel, TransparencyByTextureNameOrByAnUsedTranslucentMaterial) {
  TGLBinaryModel M = ThreeMaterialMesh();
  M.Meshes[0].Materials[1].TextureName = "glass_trans";
  EXPECT_TRUE(Read(WriteBinaryModel(M)).Meshes[0].Transparent);
  M.Meshes[0].Materials[1].TextureName = "glass_TRANS";  // the test is case-sensitive
  EXPECT_FALSE(Read(WriteBinaryModel(M)).Meshes[0].Transparent);

  M.Meshes[0].Materials[2].MaterialValues[4] = 0.5f;  // translucent, but no face uses it
  EXPECT_FALSE(M.Meshes[0].HasTransparentMaterial());
  M.Meshes[0].FaceMaterials[1] = 2;
  EXPECT_TRUE(M.Meshes[0].HasTransparentMaterial());
  EXPECT_TRUE(M.Meshes[0].DrawnInSecondPass());
}

TEST(BinaryModel, DrawingMirrorsXReversesCornersAndShiftsTextureCoordinates) {
  TGLBinaryModel M = ThreeMaterialMesh();
  TRecordingSink Sink;
  M.Meshes[0].Emit(Sink);
  ASSERT_EQ(Sink.Corners.size(), 6u);
  // Face (0, 1, 2) goes out as 2, 1, 0.
  EXPECT_EQ(Sink.Corners[0].Position, (std::array<float, 3>{-7, 8, 9}));
  EXPECT_EQ(Sink.Corners[1].Position, (std::array<float, 3>{-4, 5, 6}));
  EXPECT_EQ(Sink.Corners[2].Position, (std::array<float, 3>{-1, 2, 3}));
  EXPECT_EQ(Sink.Corners[2].TexCoord, (std::array<float, 2>{1.25f, 0.25f}));
  EXPECT_TRUE(Sink.Corners[2].HasTexCoord);
  EXPECT_EQ(Sink.Corners[0].Normal, (std::array<float, 3>{1, 0, 0}));
  EXPECT_EQ(Sink.Corners[2].Normal, (std::array<float, 3>{0, 0, 1}));
  // Two faces of the same material: one material change.
  EXPECT_EQ(Sink.Materials.size(), 1u);

  M.Meshes[0].TexCoords.clear();
  TRecordingSink Plain;
  M.Meshes[0].Emit(Plain);
  EXPECT_FALSE(Plain.Corners[0].HasTexCoord);
}

TEST(BinaryModel, AMaterialIndexAboveTheLastIsSetToTheLast) {
  TGLBinaryModel M = ThreeMaterialMesh();
  M.Meshes[0].FaceMaterials = {7, 1};
  TGLBinaryModel R = Read(WriteBinaryModel(M));
  TRecordingSink Sink;
  R.Meshes[0].Emit(Sink);
  EXPECT_EQ(R.Meshes[0].FaceMaterials, (std::vector<std::int32_t>{2, 1}));
  ASSERT_EQ(Sink.Materials.size(), 2u);
  EXPECT_EQ(Sink.Materials[0], &R.Meshes[0].Materials[2]);
  EXPECT_EQ(Sink.Materials[1], &R.Meshes[0].Materials[1]);
}

TEST(BinaryModel, EveryTruncationIsRefusedWithoutHarm) {
  std::string Bytes = WriteBinaryModel(MakeBoxModel(1, 1, 1, {1, 1, 1, 1}, "tex"));
  for (std::size_t n = 0; n < Bytes.size(); ++n) {
    TMemoryStream S(Bytes.substr(0, n));
    TGLBinaryModel M;
    EXPECT_THROW(M.ReadFromStream(S), ETarnovaError) << "length " << n;
    EXPECT_TRUE(M.Meshes.empty());
  }
}

TEST(BinaryModel, LyingCountsAndIndicesAreRefusedWithAMessage) {
  auto Refusal = [](const TGLBinaryModel& M) -> std::string {
    try {
      Read(WriteBinaryModel(M));
    } catch (const EDataError& E) {
      return E.what();
    }
    return "accepted";
  };
  const TGLBinaryModel Good = ThreeMaterialMesh();
  EXPECT_EQ(Refusal(Good), "accepted");

  TGLBinaryModel M = Good;
  M.Meshes[0].Faces[1][2] = 4;
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: face 1 uses vertex 4 of 4");
  M = Good;
  M.Meshes[0].Faces[0][0] = -1;
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: face 0 uses vertex -1 of 4");
  M = Good;
  M.Meshes[0].FaceNormals[1][0] = 3;
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: face 1 uses normal 3 of 3");
  M = Good;
  M.Meshes[0].FaceMaterials[0] = -1;
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: face 0 uses material -1");
  M = Good;
  M.Meshes[0].FaceMaterials.pop_back();
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: 1 face materials for 2 faces");
  M = Good;
  M.Meshes[0].FaceNormals.pop_back();
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: 1 face normals for 2 faces");
  M = Good;
  M.Meshes[0].TexCoords.pop_back();
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: 3 texture coordinates for 4 vertices");
  M = Good;
  M.Meshes[0].Materials.clear();
  EXPECT_EQ(Refusal(M), "TGLBinaryModel->LoadFromStream->Mesh 0: faces without a material");
  M = Good;
  M.Meshes[0].TexCoords.clear();  // no texture coordinates at all is fine
  EXPECT_EQ(Refusal(M), "accepted");
}

TEST(BinaryModel, NegativeOrHugeCountsAreRefusedBeforeAnythingIsAllocated) {
  auto Refused = [](const std::string& Bytes) {
    TMemoryStream S(Bytes);
    TGLBinaryModel M;
    try {
      M.ReadFromStream(S);
    } catch (const EDataError& E) {
      return std::string(E.what());
    }
    return std::string("accepted");
  };
  TTaggedWriter W;
  W.WriteInteger(-1);
  EXPECT_EQ(Refused(W.Bytes()), "TGLBinaryModel->LoadFromStream->TextureCount -1 does not fit the 0 bytes left");

  TTaggedWriter Huge;
  Huge.WriteInteger(0);
  Huge.WriteInteger(1);                   // one mesh
  Huge.WriteInteger(0);                   // no materials
  Huge.WriteInteger(0x7FFFFFFF);          // vertices
  Huge.WriteRaw(std::string(100, '\0').data(), 100);
  EXPECT_EQ(Refused(Huge.Bytes()),
            "TGLBinaryModel->LoadFromStream->Mesh 0: VertexCount 2147483647 does not fit the 100 bytes left");

  TTaggedWriter Meshes;
  Meshes.WriteInteger(0);
  Meshes.WriteInteger(1000000);
  EXPECT_NE(Refused(Meshes.Bytes()).find("MeshCount 1000000 does not fit"), std::string::npos);
}
