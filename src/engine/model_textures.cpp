// Loading a model's textures into the model texture manager.
#include "engine/binary_model.h"

#include <set>

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "platform/latin1.h"

namespace {
// The missing textures logged since the models were last freed (lower case).
std::set<std::string>& ReportedMissing() {
  static std::set<std::string> Reported;
  return Reported;
}

// One line per missing texture, however many models use it.
void ReportMissing(const std::string& File) {
  if (ReportedMissing().insert(LowerAscii(File)).second && gLog)
    gLog->AddLine("TGLBinaryModel->LoadFromStream->Texture \"" + File + "\" not found");
}
}  // namespace

void ForgetMissingModelTextures() { ReportedMissing().clear(); }

void TGLBinaryModel::LoadTextures() {
  if (!gModelTextureManager) return;
  TTextureManager& Manager = *gModelTextureManager;
  for (const std::string& Key : TextureNames) {
    if (Key.empty() || Manager.IndexOf(Key) != -1 || !gVirtualFileSystem) continue;
    // A texture that cannot be read leaves its faces untextured; the model itself is fine.
    try {
      gVirtualFileSystem->LoadTexture(gModelTexturePath + Key, Manager, false);
    } catch (const std::exception& E) {
      if (gLog) gLog->AddLine(E.what());
    }
    if (Manager.IndexOf(Key) == -1) ReportMissing(gModelTexturePath + Key);
  }
  for (TGLBinaryMesh& Mesh : Meshes) {
    for (TGLBinaryMeshMaterial& Mat : Mesh.Materials) {
      if (Mat.TextureName.empty()) continue;
      Mat.Format = static_cast<std::uint32_t>(Manager.GetTextureInfo(Mat.TextureName, tiFormat));
      std::int32_t ID = Manager.GetTextureInfo(Mat.TextureName, tiGLID);
      Mat.TextureID = ID > 0 ? static_cast<std::uint32_t>(ID) : 0;
      if (ID <= 0) ReportMissing(gModelTexturePath + Mat.TextureName);
    }
  }
}
