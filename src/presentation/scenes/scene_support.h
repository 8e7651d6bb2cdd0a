#pragma once
// What the menu scenes share: the reflection texture they mirror the sky into, their
// perspective and the mirrored pass.
#include <cstdint>
#include <functional>
#include <string>

class TGame;

// The square texture the mirrored scene is copied into (made on first use; size from the
// settings, 512 when unset, but no larger than the window it is copied from); Size receives its
// edge length.
std::uint32_t SceneReflectionTexture(TGame& Game, int& Size);
// Frees the reflection texture and the sky images while the GL context still exists.
void FreeSceneTargets();
// A sky over the whole viewport with the picture Texture (already bound), upright or Mirrored:
// DrawQuad draws it under the caller's projection. The sky is copied in from its image when the
// viewport starts at the window's corner and lighting is off (as the sky passes draw it), else
// drawn as it stands; a picture the texture manager does not hold is always drawn as it stands.
void ShowSceneSky(const std::string& Texture, bool Mirrored, const std::function<void()>& DrawQuad);

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
