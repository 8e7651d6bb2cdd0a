#include "presentation/noise_volume.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/streams.h"
#include "engine/textures.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "presentation/presentation_globals.h"

namespace {
constexpr const char* kNoiseVolumeFile = "data\\tex\\noisevolume.dds";
}  // namespace

void CreateNoiseVolume() {
  FreeNoiseVolume();
  const std::optional<std::string> Bytes = gVirtualFileSystem ? gVirtualFileSystem->ReadFile(kNoiseVolumeFile) : std::nullopt;
  if (!Bytes) throw ETarnovaError(std::string("TGame->Create->File \"") + kNoiseVolumeFile + "\" not found");
  glActiveTexture(GL_TEXTURE1);
  glEnable(GL_TEXTURE_3D);
  GLuint Texture = 0;
  glGenTextures(1, &Texture);
  glBindTexture(GL_TEXTURE_3D, Texture);
  glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  TMemoryStream Stream(*Bytes);
  gLastTextureFile = kNoiseVolumeFile;
  const bool Loaded = UploadDDSFromStream(Stream);
  GLint Depth = 0;
  if (Loaded) glGetTexLevelParameteriv(GL_TEXTURE_3D, 0, GL_TEXTURE_DEPTH, &Depth);
  glDisable(GL_TEXTURE_3D);
  glActiveTexture(GL_TEXTURE0);
  // A flat picture in the volume's place would leave the 3D texture empty: the water and the
  // no-signal picture need the volume itself.
  if (!Loaded || Depth <= 0) {
    glDeleteTextures(1, &Texture);
    throw ETarnovaError(std::string("TGame->Create->\"") + kNoiseVolumeFile + "\" is no 3D noise volume");
  }
  gNoiseVolumeTexture = Texture;
}

void FreeNoiseVolume() {
  if (gNoiseVolumeTexture != 0) {
    const GLuint Texture = gNoiseVolumeTexture;
    glDeleteTextures(1, &Texture);
  }
  gNoiseVolumeTexture = 0;
}
