#pragma once
// The presentation's single instances. Each names who creates it and who may write it.
#include <cstdint>

#include "presentation/backdrop_image.h"
#include "presentation/region_map.h"

// Seconds since the program started, the clock of every animated shader, water pass, cloud
// turn and pulse. Advanced by the frame drawing in every game state but the battlefield.
extern float gShaderTime;
// The region base map "data\regions512.bmp", loaded once at start-up by the game view; read-only
// afterwards. gRegionMap is the working copy the ownership update paints over each time.
extern TRegionBitmap gRegionBaseMap;
extern TRegionBitmap gRegionMap;
// GL id of the region-ownership texture, 0 until the first update; replaced by UpDateRegionMap
// only, bound by the globe and the information centre.
extern std::uint32_t gRegionTextureID;
// The two water-reflection textures (upper and lower plane) of ReflectionTextureSize texels and
// the frame buffer object they are drawn through; made and freed by the game view's render
// targets, refreshed by the earth view and the nation selection.
extern std::uint32_t gReflectionTexture[2];
extern std::uint32_t gReflectionFramebuffer;
extern std::uint32_t gReflectionDepthbuffer;
extern std::int32_t gReflectionSize;
// The menu scenes' mirror texture of gSceneReflectionSize texels (0 while there is none): made and
// resized by SceneReflectionTexture, filled from the back buffer by the menu and nation-selection
// water, freed with the view's render targets.
extern std::uint32_t gSceneReflectionTexture;
extern std::int32_t gSceneReflectionSize;
// The menu scenes' skies (main menu, intro, end screen and the nation selection between its
// cross-fades), upright and mirrored: drawn once into an image by ShowSceneSky and copied into
// the frames after that; freed with the scene targets.
extern TBackdropImage gSceneSkyImage;
extern TBackdropImage gSceneMirroredSkyImage;
// Display list of the globe drawn without its model (0 while there is none): compiled at its first
// draw, freed with the earth's render lists.
extern std::uint32_t gStandInSphere;
// GL id of the 3D noise texture "data\tex\noisevolume.dds", 0 while there is none; made with the
// view's render targets, read by the water passes, the region diorama and the espionage window's
// no-signal picture.
extern std::uint32_t gNoiseVolumeTexture;
