#pragma once
// The imagery generator's parts. Each writes its pictures into the data folder.
#include <filesystem>
#include <string>
#include <vector>

#include "image.h"

struct TImageryPaths {
  std::filesystem::path Marble;   // the Marble data folder (Blue Marble day map)
  std::filesystem::path Xplanet;  // the xplanet folder (night lights)
  std::filesystem::path Build;    // the build folder: content/regions_*2048.png from the world map
  std::filesystem::path Fonts;    // the DejaVu font folder
  std::filesystem::path Data;     // the data folder to write into
  std::vector<TColor> NationColors;  // map colours of the five nations, in nation order
};

// Where a picture that a frame samples over much of the screen goes: "data\tex\nocompression\",
// which the game uploads as it is. Compressed at load, a software GL pays for every texel it reads
// (and the start-up for the compression); these few pictures are worth their memory. A copy left in
// "data\tex\" by an older data build is removed, since the game would take that one first.
std::filesystem::path FrameTexture(const TImageryPaths& Paths, const std::string& FileName);

// earthmap, earthnight, earthclouds, regions, the pictures without shaders, the loading screen.
void MakeGlobe(const TImageryPaths& Paths);
void MakeLoadingScreen(const TImageryPaths& Paths, const TImage& Day, const TImage& Night);
// Skies, lightning, water, the noise volume, landscapes, ground and fog.
void MakeScenes(const TImageryPaths& Paths);
// Flags, tendency icons and cursors.
void MakeSymbols(const TImageryPaths& Paths);
// Textures of the scene models: the nations' landscapes, the hand, the title lettering.
