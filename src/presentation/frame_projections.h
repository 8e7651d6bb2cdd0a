#pragma once
// The two projections every scene and pass draws with, and the quad that fills the viewport.
#include "engine/vectors.h"

// Viewport (0, 0, Width, Height) and the perspective of the 3D scenes: field of view
// gFieldOfView, aspect Width / Height, near 0.1, far 512; an identity model-view matrix current.
void SetPerspectiveProjection(int Width, int Height);
// 2D drawing in Width x Height units with y downwards, z from -32 to 512; an identity model-view
// matrix current. The viewport stays.
void SetOrthoProjection(float Width, float Height);

// The colours of a screen quad at its lower and upper edge.
struct TScreenQuadShade {
  TVector3 Bottom, Top;
};
// A quad over the whole viewport at depth Z under a unit projection of its own, the texture's
// 0..1 across it (skies and backdrops); the projection and model-view matrices stay as they were.
// Mirrored turns the picture upside down. With a Shade the quad runs from its bottom colour to
// its top colour and leaves the colour white; without one it takes the current colour.
void DrawScreenQuad(float Z = 0.0f, bool Mirrored = false, const TScreenQuadShade* Shade = nullptr);
