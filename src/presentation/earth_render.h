#pragma once
// The globe's drawing (the globe object's Render, RenderWithoutBorders and RenderPickColors):
// the earth view's globe with ownership colours, atmosphere, clouds, arrows and region symbols,
// the bare globe of the menu and nation-selection backgrounds, and the region pick pass.
// Programs, textures and models that the data set does not hold are logged once and the globe
// is drawn with what there is: the fixed-function path, a plain sphere, no clouds.
#include "engine/vectors.h"

class TGame;
class TPassTimer;

// The earth view's globe (the game's Earth) onto the current model-view matrix, which keeps the
// globe transform afterwards. Reflection: the simple model, no arrows and no symbols. Passes
// times the ring, globe, arrows, clouds and symbols (none: untimed).
void RenderEarth(TGame& Game, TPassTimer* Passes, bool Reflection);
// The bare globe at a rotation (degrees about x, y, z), position and scale; keeps the matrix.
void RenderEarthWithoutBorders(TGame& Game, const TVector3& Rotation, const TVector3& Position, const TVector3& Scale);
// The pick image: the globe as an occluder that writes depth only, then one flat quad per region
// in its pick colour, twice as large for the globe's selected and the hovered region. The caller
// has set the projection, an identity model-view matrix and cleared to white.
void RenderEarthPickColors(TGame& Game);
// Frees the stand-in sphere's display list (shut-down, with the context current).
void FreeEarthRenderLists();
