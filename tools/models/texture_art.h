#pragma once
// The model textures (data\tex\models\), painted by small recipes: value noise, stripes, grids
// and block letters. The same recipe gives the same pixels on every machine.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct TImage {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> RGBA;  // top row first

  std::array<float, 4> At(int X, int Y) const;  // wraps around; 0..1 each
  // Bilinear sample with wrap-around; V = 0 is the top row.
  std::array<float, 4> Sample(float U, float V) const;
};

// Every model texture by name.
std::map<std::string, TImage> PaintModelTextures();

// PNG bytes of an image (top row first, as painted).
std::string EncodeImagePNG(const TImage& Image);
