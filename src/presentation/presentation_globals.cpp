#include "presentation/presentation_globals.h"

float gShaderTime = 0.0f;
TRegionBitmap gRegionBaseMap;
TRegionBitmap gRegionMap;
std::uint32_t gRegionTextureID = 0;
std::uint32_t gNoiseVolumeTexture = 0;
std::uint32_t gReflectionTexture[2] = {0, 0};
std::uint32_t gReflectionFramebuffer = 0;
std::uint32_t gReflectionDepthbuffer = 0;
std::int32_t gReflectionSize = 0;
std::uint32_t gSceneReflectionTexture = 0;
std::int32_t gSceneReflectionSize = 0;
std::uint32_t gStandInSphere = 0;
TBackdropImage gSceneSkyImage;
TBackdropImage gSceneMirroredSkyImage;
