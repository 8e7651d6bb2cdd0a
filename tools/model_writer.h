#pragma once
// Writes ".3df" models, the format the game's model reader takes: the content pipeline makes the
// game's models with it, and tests make their fixtures. The same model gives the same bytes.
#include <string>

#include "engine/binary_model.h"

// Texture file names are written as the model's TextureNames and each material's TextureName
// hold them (the reader keeps only the name without folder and extension).
std::string WriteBinaryModel(const TGLBinaryModel& Model);

// An axis-aligned box centred on the origin: one mesh, twelve triangles facing outwards, one
// material of Colour (r, g, b, opacity) with Texture (may be empty), texture coordinates 0..1.
TGLBinaryModel MakeBoxModel(float HalfX, float HalfY, float HalfZ, std::array<float, 4> Colour,
                            const std::string& Texture = "");
