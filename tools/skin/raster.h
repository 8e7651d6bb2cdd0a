#pragma once
// A small anti-aliased 2D painter for the interface art: shapes are tested per sub-sample
// (4 x 4 per pixel) and blended source-over. Pixels are kept top row first.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TColor {
  float R = 0, G = 0, B = 0, A = 1;
};

inline TColor Rgb(int R, int G, int B, float A = 1.0f) { return TColor{R / 255.0f, G / 255.0f, B / 255.0f, A}; }
TColor Mix(TColor A, TColor B, float T);

// Inside test in pixel coordinates (x right, y down; pixel (i, j) covers i..i+1, j..j+1).
using TShape = std::function<bool(float X, float Y)>;
// Colour at a point, for gradients.
using TPaint = std::function<TColor(float X, float Y)>;

TShape Circle(float CX, float CY, float R);
TShape Ellipse(float CX, float CY, float RX, float RY, float AngleDegrees = 0);
TShape Ring(float CX, float CY, float ROuter, float RInner);
TShape Rect(float X0, float Y0, float X1, float Y1);
TShape RoundRect(float X0, float Y0, float X1, float Y1, float Radius);
TShape Polygon(std::vector<std::pair<float, float>> Points);  // even-odd rule
TShape Line(float X0, float Y0, float X1, float Y1, float Width);  // round caps
TShape Star(float CX, float CY, float ROuter, float RInner, int Points, float AngleDegrees = -90);
TShape Union(TShape A, TShape B);
TShape Minus(TShape A, TShape B);

class TCanvas {
public:
  int Width, Height;
  std::vector<TColor> Pixels;  // straight alpha, top row first
  float Scale = 1.0f;          // shapes and paints are given in pixels / Scale
  float ScaleY = 0.0f;         // the vertical scale where it differs from Scale (0: Scale)

  TCanvas(int W, int H);
  TColor& At(int X, int Y) { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
  const TColor& At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }

  void Fill(const TShape& Shape, TColor C);
  void Fill(const TShape& Shape, const TPaint& Paint);
  // Replaces what is there by the colour wherever the shape covers (coverage-weighted).
  void Set(const TShape& Shape, TColor C);
  void Set(const TShape& Shape, const TPaint& Paint);
  // Clears a pixel rectangle to transparent.
  void Clear(int X0, int Y0, int X1, int Y1);
  // Draws the canvas's shapes' silhouette, grown by Radius pixels, in C beneath them.
  void Outline(float Radius, TColor C);
  // Draws another canvas over this one at (X, Y), scaled to W x H (box filter).
  void Draw(const TCanvas& Other, int X, int Y, int W, int H);

  // The PNG file; the same pixels always give the same bytes.
  std::string PNG() const;

private:
  void Paint(const TShape& Shape, const TPaint& Paint, bool Replace);
};

// A deterministic noise value in 0..1 for integer coordinates and a seed.
float Hash01(int X, int Y, int Seed);
