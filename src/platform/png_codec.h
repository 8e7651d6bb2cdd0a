#pragma once
// PNG images in memory, decoded and encoded with libpng. The game keeps images bottom row first
// (as OpenGL does), so both directions flip rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TPNGImage {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::vector<std::uint8_t> Pixels;  // blue, green, red, alpha per pixel; bottom row first
};

// Decodes any PNG (palette, grey, 16-bit and interlaced included) to 8-bit BGRA. Images of more
// than MaxPixels pixels are refused before anything is allocated. False with Error set when the
// bytes are not a readable PNG.
bool DecodePNG(const void* Data, std::size_t Size, TPNGImage& Image, std::string& Error,
               std::uint64_t MaxPixels = 8192ull * 8192ull);

// Encodes Width x Height pixels of red, green, blue, alpha, given bottom row first, as a PNG
// whose first row is the top row. False with Error set on failure.
bool EncodePNG(const std::uint8_t* Pixels, std::uint32_t Width, std::uint32_t Height, std::string& Bytes,
               std::string& Error);
