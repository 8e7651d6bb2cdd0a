#pragma once
// The preview pictures of unit and building types by texture name.
#include <cstdint>
#include <string>

#include "engine/constants.h"

// The GL id of the texture Name: through Lookup when one is given, else through gTextureManager;
// 0 when there is no such texture (or no texture manager).
std::uint32_t TextureIdOf(const std::string& Name, const TTextureIdLookup& Lookup);
