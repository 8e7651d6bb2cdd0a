#pragma once
// The earth view's water: the two mirrored renderings of the scene into the reflection textures
// and the two water discs that show them, with the fixed-function and untextured fallbacks.
#include <array>
#include <cstdint>

class TBackdropImage;
class TGame;

// Makes the two reflection textures of Size x Size texels (at most the GL's largest texture) and
// the frame buffer object they are drawn through. Without frame buffer objects the reflections
// are copied from the back buffer, and the size is cut to the window's (ClientWidth x
// ClientHeight) so the copy never reaches outside it.
void CreateReflectionTargets(std::int32_t Size, int ClientWidth, int ClientHeight);
void FreeReflectionTargets();

// How far the eye must stay from a water disc's plane for the disc to be drawn: the near
// clipping distance of the earth view's projection.
constexpr float kWaterDiscEyeClearance = 0.1f;
// False for a disc whose plane passes within kWaterDiscEyeClearance of the eye (seen edge-on) or
// whose heights are not finite numbers.
bool WaterDiscVisible(float EyeHeight, float DiscHeight);

// Direction of vertex k of the 64-vertex water polygons: (sin a, cos a) with a = (k + 1) pi / 32.
std::array<double, 2> WaterDiscDirection(int k);

// Renders the earth view mirrored at the plane y = Height / 2 into reflection texture Index
// (what lies below the plane is clipped away). The sky comes from SkyImage.
void RenderEarthReflection(TGame& Game, int Index, float Height, int ClientWidth, int ClientHeight,
                           TBackdropImage& SkyImage);
// The two discs of the player nation's scenery; the model-view matrix holds the camera distance.
void RenderEarthWater(TGame& Game, int ClientWidth, int ClientHeight);
