#pragma once
// A small software rasteriser for the preview pictures of units and buildings: the model seen
// from the front right and above, lit from the upper left, fitted and centred in a square with a
// transparent background and a dark outline. Needs no display and no GL.
#include <map>
#include <string>

#include "model_builder.h"
#include "texture_art.h"

TImage RenderPreview(const TModelBuilder& Model, const std::map<std::string, TImage>& Textures, int Size);
