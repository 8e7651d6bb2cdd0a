#pragma once
// Images of the imagery generator: floating-point RGBA pictures, top row first, with the readers
// and writers the data build needs (JPEG sources in, PNG and DDS out). Every writer gives the same
// bytes for the same picture: no time stamps, no text chunks.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "write_if_changed.h"

struct TColor {
  float R = 0, G = 0, B = 0, A = 1;
};

inline TColor Mix(const TColor& X, const TColor& Y, float T) {
  return {X.R + (Y.R - X.R) * T, X.G + (Y.G - X.G) * T, X.B + (Y.B - X.B) * T, X.A + (Y.A - X.A) * T};
}
inline TColor Rgb(int R, int G, int B, float A = 1) { return {R / 255.0f, G / 255.0f, B / 255.0f, A}; }
inline float Clamp01(float V) { return V < 0 ? 0 : V > 1 ? 1 : V; }
inline float SmoothStep(float E0, float E1, float X) {
  float T = Clamp01((X - E0) / (E1 - E0));
  return T * T * (3 - 2 * T);
}

struct TImage {
  int Width = 0, Height = 0;
  std::vector<TColor> Pixels;  // top row first

  TImage() = default;
  TImage(int W, int H, TColor Fill = {}) : Width(W), Height(H), Pixels(static_cast<std::size_t>(W) * H, Fill) {}
  TColor& At(int X, int Y) { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
  const TColor& At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
  // Bilinear sample at (U, V) in 0..1 from the top left; U wraps, V clamps.
  TColor Sample(float U, float V) const;
  // Bilinear resampling to W x H (area-averaged when shrinking by whole steps).
  TImage Resized(int W, int H) const;
  // The picture half as wide and half as high (2 x 2 box filter; odd sides round up).
  TImage Halved() const;
};

// Reads a JPEG file. Throws std::runtime_error naming the file on failure.
TImage ReadJPEG(const std::filesystem::path& File);
// Reads a PNG file (any colour type). Throws std::runtime_error naming the file on failure.
TImage ReadPNG(const std::filesystem::path& File);

// PNG with (Alpha) or without an alpha channel; rows in the usual order, top row first.
std::string EncodePNGFile(const TImage& Image, bool Alpha);
// Uncompressed DDS (BGRA8 with Alpha, else BGR8) with the whole mipmap chain. The game's DDS
// loader uploads rows as stored, so the first stored row becomes texture row t = 0: BottomFirst
// true stores the picture bottom row first (upright where t = 0 is drawn at the bottom), false
// stores it top row first (for quads that put t = 0 at the top of the screen).
std::string EncodeDDSFile(const TImage& Image, bool Alpha, bool BottomFirst);
// A DXT1 (four-colour, opaque) DDS with the whole mipmap chain, compressed here rather than by the
// GL at every start; rows stored as in EncodeDDSFile.
std::string EncodeDXT1DDSFile(const TImage& Image, bool BottomFirst);
// An 8-bit luminance DDS volume of Side^3 voxels (x fastest, then y, then z slices).
std::string EncodeDDSVolume(const std::vector<std::uint8_t>& Voxels, int Side);

