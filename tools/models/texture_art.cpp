#include "texture_art.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/png_codec.h"

namespace {
using TColour = std::array<float, 3>;
constexpr float kTwoPi = 6.28318531f;

std::uint32_t Hash(std::uint32_t X, std::uint32_t Y, std::uint32_t Seed) {
  std::uint32_t H = X * 374761393u + Y * 668265263u + Seed * 2246822519u;
  H = (H ^ (H >> 13)) * 1274126177u;
  return H ^ (H >> 16);
}
float Rand01(std::uint32_t X, std::uint32_t Y, std::uint32_t Seed) { return (Hash(X, Y, Seed) & 0xFFFFFF) / 16777215.0f; }

// Value noise that tiles with period Cells across the image.
float Noise(float X, float Y, int Cells, std::uint32_t Seed) {
  float Fx = std::floor(X), Fy = std::floor(Y);
  int X0 = static_cast<int>(Fx), Y0 = static_cast<int>(Fy);
  float Tx = X - Fx, Ty = Y - Fy;
  Tx = Tx * Tx * (3 - 2 * Tx);
  Ty = Ty * Ty * (3 - 2 * Ty);
  auto V = [&](int I, int J) {
    return Rand01(static_cast<std::uint32_t>(((I % Cells) + Cells) % Cells), static_cast<std::uint32_t>(((J % Cells) + Cells) % Cells), Seed);
  };
  float A = V(X0, Y0) + (V(X0 + 1, Y0) - V(X0, Y0)) * Tx;
  float B = V(X0, Y0 + 1) + (V(X0 + 1, Y0 + 1) - V(X0, Y0 + 1)) * Tx;
  return A + (B - A) * Ty;
}

// Fractal noise in 0..1 at U, V (0..1), tiling.
float Fractal(float U, float V, int BaseCells, int Octaves, std::uint32_t Seed) {
  float Sum = 0, Amp = 0.5f, Norm = 0;
  int Cells = BaseCells;
  for (int O = 0; O < Octaves; ++O) {
    Sum += Amp * Noise(U * Cells, V * Cells, Cells, Seed + O);
    Norm += Amp;
    Amp *= 0.5f;
    Cells *= 2;
  }
  return Sum / Norm;
}

TColour Mix(TColour A, TColour B, float T) {
  T = std::clamp(T, 0.0f, 1.0f);
  return {A[0] + (B[0] - A[0]) * T, A[1] + (B[1] - A[1]) * T, A[2] + (B[2] - A[2]) * T};
}

template <typename F>
TImage Paint(int W, int H, F Pixel) {
  TImage I;
  I.Width = W;
  I.Height = H;
  I.RGBA.resize(static_cast<std::size_t>(W) * H * 4);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      std::array<float, 4> C = Pixel((X + 0.5f) / W, (Y + 0.5f) / H, X, Y);
      for (int K = 0; K < 4; ++K)
        I.RGBA[(static_cast<std::size_t>(Y) * W + X) * 4 + K] = static_cast<std::uint8_t>(std::lround(std::clamp(C[K], 0.0f, 1.0f) * 255));
    }
  return I;
}

std::array<float, 4> Opaque(TColour C) { return {C[0], C[1], C[2], 1}; }

// Block letters of the logo, 5 x 7 cells each.
const std::map<char, std::array<const char*, 7>> kGlyphs = {
    {'T', {"11111", "00100", "00100", "00100", "00100", "00100", "00100"}},
    {'A', {"01110", "10001", "10001", "11111", "10001", "10001", "10001"}},
    {'R', {"11110", "10001", "10001", "11110", "10100", "10010", "10001"}},
    {'N', {"10001", "11001", "10101", "10011", "10001", "10001", "10001"}},
    {'O', {"01110", "10001", "10001", "10001", "10001", "10001", "01110"}},
    {'V', {"10001", "10001", "10001", "10001", "10001", "01010", "00100"}},
};

bool LetterAt(const std::string& Text, float U, float V) {
  // Letters 5 cells wide with 1 cell between; 7 cells high in the middle 7/11 of the height.
  const int Cols = static_cast<int>(Text.size()) * 6 - 1;
  float Cx = U * (Cols + 4) - 2, Cy = V * 11 - 2;
  if (Cx < 0 || Cy < 0 || Cy >= 7) return false;
  int Col = static_cast<int>(Cx), Row = static_cast<int>(Cy);
  int Letter = Col / 6, In = Col % 6;
  if (Letter >= static_cast<int>(Text.size()) || In == 5) return false;
  return kGlyphs.at(Text[static_cast<std::size_t>(Letter)])[static_cast<std::size_t>(Row)][In] == '1';
}
}  // namespace

std::array<float, 4> TImage::At(int X, int Y) const {
  X = ((X % Width) + Width) % Width;
  Y = ((Y % Height) + Height) % Height;
  const std::uint8_t* P = &RGBA[(static_cast<std::size_t>(Y) * Width + X) * 4];
  return {P[0] / 255.0f, P[1] / 255.0f, P[2] / 255.0f, P[3] / 255.0f};
}

std::array<float, 4> TImage::Sample(float U, float V) const {
  float X = U * Width - 0.5f, Y = V * Height - 0.5f;
  float Fx = std::floor(X), Fy = std::floor(Y);
  int X0 = static_cast<int>(Fx), Y0 = static_cast<int>(Fy);
  float Tx = X - Fx, Ty = Y - Fy;
  std::array<float, 4> A = At(X0, Y0), B = At(X0 + 1, Y0), C = At(X0, Y0 + 1), D = At(X0 + 1, Y0 + 1), R{};
  for (int K = 0; K < 4; ++K) R[K] = (A[K] * (1 - Tx) + B[K] * Tx) * (1 - Ty) + (C[K] * (1 - Tx) + D[K] * Tx) * Ty;
  return R;
}

std::string EncodeImagePNG(const TImage& I) {
  std::vector<std::uint8_t> BottomFirst(I.RGBA.size());
  const std::size_t Row = static_cast<std::size_t>(I.Width) * 4;
  for (int Y = 0; Y < I.Height; ++Y)
    std::copy_n(I.RGBA.begin() + static_cast<std::ptrdiff_t>(Y * Row), Row,
                BottomFirst.begin() + static_cast<std::ptrdiff_t>((I.Height - 1 - Y) * Row));
  std::string Bytes, Error;
  if (!EncodePNG(BottomFirst.data(), static_cast<std::uint32_t>(I.Width), static_cast<std::uint32_t>(I.Height), Bytes, Error))
    throw std::runtime_error("PNG encoding failed: " + Error);
  return Bytes;
}

std::map<std::string, TImage> PaintModelTextures() {
  std::map<std::string, TImage> T;
  // Neutral textures are tinted by the material colour; coloured ones are used with white.
  T["mdl_metal"] = Paint(64, 64, [](float U, float V, int, int) {
    float N = Fractal(U * 4, V, 4, 3, 11);  // brushed: stretched across
    float G = 0.72f + 0.22f * N;
    return Opaque({G, G, G});
  });
  T["mdl_plating"] = Paint(64, 64, [](float U, float V, int X, int Y) {
    float G = 0.8f + 0.1f * Fractal(U, V, 8, 2, 21);
    if (X % 32 == 0 || Y % 16 == 0) G *= 0.6f;                             // panel seams
    if ((X % 32 == 3 || X % 32 == 28) && (Y % 16 == 3 || Y % 16 == 12)) G *= 0.7f;  // rivets
    return Opaque({G, G, G});
  });
  T["mdl_camo"] = Paint(64, 64, [](float U, float V, int, int) {
    float N = Fractal(U, V, 4, 3, 31), M = Fractal(U, V, 4, 3, 37);
    float G = N > 0.55f ? 0.55f : (M > 0.55f ? 1.0f : 0.8f);
    return Opaque({G, G, G * 0.95f});
  });
  T["mdl_fabric"] = Paint(32, 32, [](float U, float V, int X, int Y) {
    float G = 0.82f + 0.1f * Fractal(U, V, 4, 2, 41) + ((X + Y) % 2 ? 0.04f : -0.04f);
    return Opaque({G, G, G});
  });
  T["mdl_concrete"] = Paint(64, 64, [](float U, float V, int, int) {
    float N = Fractal(U, V, 8, 4, 51);
    float G = 0.7f + 0.25f * N + (Rand01(static_cast<std::uint32_t>(U * 64), static_cast<std::uint32_t>(V * 64), 52) - 0.5f) * 0.06f;
    return Opaque({G, G, G * 0.98f});
  });
  T["mdl_brick"] = Paint(64, 64, [](float U, float V, int X, int Y) {
    int Row = Y / 8;
    int Xs = X + (Row % 2) * 8;
    bool Mortar = Y % 8 == 7 || Xs % 16 == 15;
    float Shade = 0.8f + 0.2f * Rand01(static_cast<std::uint32_t>(Xs / 16), static_cast<std::uint32_t>(Row), 61) + 0.05f * Fractal(U, V, 8, 2, 62);
    return Mortar ? Opaque({0.95f, 0.95f, 0.9f}) : Opaque({Shade, Shade * 0.95f, Shade * 0.9f});
  });
  T["mdl_facade"] = Paint(64, 64, [](float U, float V, int X, int Y) {
    // Four storeys of four windows; some windows lit.
    int Cx = X % 16, Cy = Y % 16;
    bool Window = Cx >= 3 && Cx <= 12 && Cy >= 4 && Cy <= 12;
    float Wall = 0.85f + 0.1f * Fractal(U, V, 4, 2, 71);
    if (!Window) return Opaque({Wall, Wall, Wall});
    bool Lit = Rand01(static_cast<std::uint32_t>(X / 16), static_cast<std::uint32_t>(Y / 16), 72) > 0.7f;
    float Sheen = 0.1f * (1.0f - (Cy - 4) / 8.0f);
    return Lit ? Opaque({1.0f, 0.9f, 0.55f}) : Opaque({0.2f + Sheen, 0.27f + Sheen, 0.38f + Sheen});
  });
  T["mdl_glass"] = Paint(32, 64, [](float U, float V, int X, int Y) {
    float G = 0.35f + 0.35f * (1 - V) + 0.1f * Fractal(U, V, 2, 2, 81);
    if (Y % 8 == 0 || X % 16 == 0) G *= 0.5f;
    return Opaque({G * 0.7f, G * 0.85f, G});
  });
  T["mdl_roof"] = Paint(64, 64, [](float U, float V, int X, int Y) {
    int Row = Y / 6;
    float Shade = 0.75f + 0.2f * Rand01(static_cast<std::uint32_t>((X + Row * 5) / 10), static_cast<std::uint32_t>(Row), 91);
    if (Y % 6 == 5) Shade *= 0.55f;
    Shade += 0.05f * Fractal(U, V, 4, 2, 92);
    return Opaque({Shade, Shade, Shade});
  });
  T["mdl_ground"] = Paint(128, 128, [](float U, float V, int, int) {
    float N = Fractal(U, V, 4, 5, 101);
    float G = 0.6f + 0.4f * N;
    return Opaque({G, G, G});
  });
  T["mdl_foliage"] = Paint(64, 64, [](float U, float V, int, int) {
    float N = Fractal(U, V, 8, 3, 111);
    float G = 0.5f + 0.6f * N;
    return Opaque({G * 0.8f, G, G * 0.7f});
  });
  T["mdl_rock"] = Paint(64, 64, [](float U, float V, int, int) {
    float N = Fractal(U, V, 4, 4, 121);
    float Crack = std::abs(Fractal(U, V, 8, 2, 122) - 0.5f) < 0.03f ? 0.6f : 1.0f;
    float G = (0.55f + 0.45f * N) * Crack;
    return Opaque({G, G * 0.97f, G * 0.92f});
  });
  T["mdl_field"] = Paint(64, 64, [](float U, float V, int X, int) {
    float Row = (X % 8) < 5 ? 1.0f : 0.65f;
    float G = Row * (0.8f + 0.2f * Fractal(U, V, 4, 2, 131));
    return Opaque({G, G, G});
  });
  T["mdl_solar"] = Paint(64, 64, [](float, float V, int X, int Y) {
    bool Frame = X % 16 == 0 || Y % 16 == 0;
    float Sheen = 0.15f * (1 - V);
    return Frame ? Opaque({0.85f, 0.85f, 0.88f}) : Opaque({0.08f + Sheen, 0.15f + Sheen, 0.45f + Sheen});
  });
  T["mdl_water"] = Paint(64, 64, [](float U, float V, int, int) {
    float N = Fractal(U, V, 4, 3, 141);
    float Wave = 0.5f + 0.5f * std::sin((V * 8 + N * 2) * kTwoPi);
    return Opaque(Mix({0.1f, 0.3f, 0.55f}, {0.45f, 0.7f, 0.9f}, Wave * 0.6f + N * 0.3f));
  });
  T["mdl_hazard"] = Paint(64, 64, [](float, float, int X, int Y) {
    bool Yellow = ((X + Y) / 16) % 2 == 0;
    return Yellow ? Opaque({0.95f, 0.78f, 0.1f}) : Opaque({0.12f, 0.12f, 0.12f});
  });
  T["mdl_road"] = Paint(64, 64, [](float U, float V, int X, int Y) {
    float G = 0.32f + 0.1f * Fractal(U, V, 8, 3, 151);
    bool Line = X >= 30 && X <= 33 && (Y / 8) % 2 == 0;
    return Line ? Opaque({0.9f, 0.88f, 0.75f}) : Opaque({G, G, G * 1.03f});
  });
  T["mdl_logo"] = Paint(256, 64, [](float U, float V, int X, int Y) {
    bool Border = X < 4 || X >= 252 || Y < 4 || Y >= 60;
    if (Border || LetterAt("TARNOVA", U, V)) return Opaque({1.0f, 0.82f, 0.3f});
    float G = 0.1f + 0.08f * Fractal(U, V, 8, 2, 161);
    return Opaque({G * 0.6f, G, G * 2.2f});
  });
  return T;
}
