#pragma once
// The two projections every scene and pass draws with.
// Viewport (0, 0, Width, Height) and the perspective of the 3D scenes: field of view
// gFieldOfView, aspect Width / Height, near 0.1, far 512; an identity model-view matrix current.
void SetPerspectiveProjection(int Width, int Height);
// 2D drawing in Width x Height units with y downwards, z from -32 to 512; an identity model-view
// matrix current. The viewport stays.
void SetOrthoProjection(float Width, float Height);
