#include "presentation/shared_view_state.h"

std::uint32_t gRegionTextureID = 0;
std::uint32_t gNoiseVolumeTexture = 0;
float gShaderTime = 0.0f;
