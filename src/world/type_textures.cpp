#include "world/type_textures.h"

#include "engine/engine_globals.h"
#include "engine/texture_manager.h"

std::uint32_t TextureIdOf(const std::string& Name, const TTextureIdLookup& Lookup) {
  if (Lookup) return Lookup(Name);
  if (!gTextureManager) return 0;
  const std::int32_t ID = gTextureManager->GetTextureInfo(Name, tiGLID);
  return ID < 0 ? 0 : static_cast<std::uint32_t>(ID);
}
