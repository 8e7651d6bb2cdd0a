#pragma once
// What the menu scenes share: the reflection texture they mirror the sky into, their
// perspective and the mirrored pass.
#include <cstdint>
#include <functional>

class TGame;

// The square texture the mirrored scene is copied into (made on first use; size from the
// settings, 512 when unset, but no larger than the window it is copied from); Size receives its
// edge length.
std::uint32_t SceneReflectionTexture(TGame& Game, int& Size);
// Frees the reflection texture while the GL context still exists.
void FreeSceneTargets();

// The perspective of the scenes: viewport over the client area, the field of view of the view
// constants, depth 0.1 to 512, model-view identity.
void SetScenePerspective(TGame& Game);
// The GUI's projection: GUI pixels with y down.
void SetSceneOrtho();
// The client area's width over its height.
double SceneAspect(TGame& Game);
// The mirror of a scene with water: DrawMirrored draws the scene upside down about the water at
// WaterLevel, viewed from the scene's camera, and the picture is copied into the reflection
// texture.
void RenderSceneReflection(TGame& Game, float WaterLevel, const std::function<void()>& DrawMirrored);
