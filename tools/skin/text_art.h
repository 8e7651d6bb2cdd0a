#pragma once
// Text for the interface pictures that carry their labels, rendered with FreeType.
#include <string>
#include <vector>

#include "raster.h"

// Coverage (0..1) of a line of text, top row first; Baseline is the row of the pen's baseline.
struct TTextMask {
  int Width = 0, Height = 0, Baseline = 0;
  std::vector<float> Cover;
  float At(int X, int Y) const {
    return X < 0 || Y < 0 || X >= Width || Y >= Height ? 0.0f : Cover[static_cast<std::size_t>(Y) * Width + X];
  }
};

// Renders UTF-8 text in a TrueType font at a pixel size (the em), kerned, its glyphs narrowed
// to WidthScale of their width; throws when the font cannot be read.
TTextMask RenderText(const std::string& FontFile, const std::string& Text, int PixelSize, float WidthScale = 1.0f);
// The mask grown by Radius pixels (for outlines and shadows).
TTextMask Grown(const TTextMask& M, float Radius);
// Blends the mask in C onto the canvas with the mask's top left at X, Y.
void DrawMask(TCanvas& K, const TTextMask& M, int X, int Y, TColor C);
