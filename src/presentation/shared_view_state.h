#pragma once
// Presentation instances the game windows read but others make. Each names who creates it and
// who may write it.
#include <cstdint>

// GL id of the region-ownership texture, 0 until the ownership map is first built; written only
// by the ownership map's update, bound by the globe and the information centre's world map.
extern std::uint32_t gRegionTextureID;
// GL id of the 3D noise texture "data\tex\noisevolume.dds", 0 while there is none; made with
// the view's render targets, read by the espionage window's no-signal picture.
extern std::uint32_t gNoiseVolumeTexture;
// Seconds since the program started, the clock of every animated picture; advanced by the frame
// drawing.
extern float gShaderTime;
