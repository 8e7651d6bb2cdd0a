#pragma once
// The ".3df" model: meshes with per-face materials and textures, read from a tagged value stream
// with raw little-endian arrays in between. Every count and index is checked before anything is
// drawn, so a damaged file is refused with a message instead of read past its arrays. A model
// lives only while the model registry records it into display lists (model_registry.h).
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine_globals.h"

class TStream;
class TTextureManager;

// F0-F2 colour, F3 unused, F4 opacity, F5-F8 specular, F8-F10 emission (F8 is shared).
class TGLBinaryMeshMaterial {
public:
  std::array<float, 11> MaterialValues{};
  std::uint32_t TextureID = 0;  // GL id of its texture, 0 for none
  std::string TextureName;      // file name without folder and extension
  std::uint32_t Format = 0;     // the texture's format in the texture manager

  bool IsTranslucent() const { return MaterialValues[4] < 1.0f; }
  // Sets colour, material, blending and texture for the faces that follow (GL).
  void Apply() const;
};

// One corner as drawn: x mirrored, texture coordinates turned into (1 + u, 1 - v).
struct TModelCorner {
  std::array<float, 3> Normal;
  std::array<float, 2> TexCoord;
  bool HasTexCoord;
  std::array<float, 3> Position;
};

// Receives a mesh's drawing: a material change, then triangles with corners in drawing order.
class TMeshSink {
public:
  virtual ~TMeshSink() = default;
  virtual void Material(const TGLBinaryMeshMaterial& M) = 0;
  virtual void Triangle(const TModelCorner (&Corners)[3]) = 0;
};

class TGLBinaryMesh {
public:
  std::vector<TGLBinaryMeshMaterial> Materials;
  std::vector<std::array<float, 3>> Vertices;
  std::vector<std::array<std::int32_t, 3>> Faces;        // vertex indices
  std::vector<std::array<float, 3>> Normals;
  std::vector<std::array<std::int32_t, 3>> FaceNormals;  // normal indices, one entry per face
  std::vector<std::array<float, 2>> TexCoords;           // one per vertex, or none
  std::vector<std::int32_t> FaceMaterials;               // one per face
  std::array<float, 16> Matrix{};                        // kept, not used for drawing
  bool Transparent = false;                              // a material's texture name holds "_trans"

  // Some material with opacity below 1 is used by a face.
  bool HasTransparentMaterial() const;
  bool DrawnInSecondPass() const { return Transparent || HasTransparentMaterial(); }
  // Walks the faces in drawing order. A material index above the last is set to the last (in
  // place), so a model with a stray index still draws.
  void Emit(TMeshSink& Sink);
  void Render();  // GL immediate mode
};

class TGLBinaryModel {
public:
  std::vector<TGLBinaryMesh> Meshes;
  std::vector<std::string> TextureNames;  // the model's textures: file names without folder and extension
  float ScaleFactor = 1.0f;

  // Reads a ".3df" stream from its position, checks it, loads its textures from
  // gModelTexturePath into gModelTextureManager (when set; a texture found nowhere is logged
  // and its faces are drawn untextured) and scales it when Scale is not 1.
  // A damaged stream throws EReadError or EDataError saying what is wrong; nothing is loaded then.
  void LoadFromStream(TStream& Stream, float Scale);
  void LoadFromFile(const std::filesystem::path& FileName, float Scale);
  // Only the reading and the checks: no textures, no scaling.
  void ReadFromStream(TStream& Stream);
  void Scale(float Factor);
  // Opaque meshes, then the others; then resets the material and switches lighting off (GL).
  void Render();

private:
  void LoadTextures();
};

// Forgets which missing model textures were logged, so models loaded afresh report them again
// (FreeModels calls it).
void ForgetMissingModelTextures();
