#pragma once
// Gradient noise for the procedural pictures. The lattice comes from an integer hash of the cell
// and a seed, so every picture is the same on every machine. A period (in lattice cells, 0 for
// none) makes the noise repeat along an axis, for pictures that tile.
#include <cmath>
#include <cstdint>

inline std::uint32_t HashCell(int X, int Y, int Z, std::uint32_t Seed) {
  std::uint32_t H = Seed * 0x9E3779B9u;
  H ^= static_cast<std::uint32_t>(X) * 0x85EBCA6Bu;
  H = (H << 13) | (H >> 19);
  H ^= static_cast<std::uint32_t>(Y) * 0xC2B2AE35u;
  H = (H << 11) | (H >> 21);
  H ^= static_cast<std::uint32_t>(Z) * 0x27D4EB2Fu;
  H ^= H >> 16;
  H *= 0x7FEB352Du;
  H ^= H >> 15;
  H *= 0x846CA68Bu;
  H ^= H >> 16;
  return H;
}

// A number in 0..1 from a hash.
inline float HashUnit(std::uint32_t H) { return static_cast<float>(H >> 8) / 16777216.0f; }

struct TNoisePeriod {
  int X = 0, Y = 0, Z = 0;
};

// Gradient noise in about -1..1.
inline float GradientNoise(float X, float Y, float Z, std::uint32_t Seed, TNoisePeriod P = {}) {
  static const float G[12][3] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1},
                                 {1, 0, -1}, {-1, 0, -1}, {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}};
  const float FX = std::floor(X), FY = std::floor(Y), FZ = std::floor(Z);
  const int IX = static_cast<int>(FX), IY = static_cast<int>(FY), IZ = static_cast<int>(FZ);
  const float DX = X - FX, DY = Y - FY, DZ = Z - FZ;
  auto Wrap = [](int I, int Period) { return Period > 0 ? ((I % Period) + Period) % Period : I; };
  auto Corner = [&](int CX, int CY, int CZ) {
    const float* V = G[HashCell(Wrap(IX + CX, P.X), Wrap(IY + CY, P.Y), Wrap(IZ + CZ, P.Z), Seed) % 12];
    return V[0] * (DX - CX) + V[1] * (DY - CY) + V[2] * (DZ - CZ);
  };
  auto Fade = [](float T) { return T * T * T * (T * (T * 6 - 15) + 10); };
  const float U = Fade(DX), V = Fade(DY), W = Fade(DZ);
  auto L = [](float A, float B, float T) { return A + (B - A) * T; };
  return L(L(L(Corner(0, 0, 0), Corner(1, 0, 0), U), L(Corner(0, 1, 0), Corner(1, 1, 0), U), V),
           L(L(Corner(0, 0, 1), Corner(1, 0, 1), U), L(Corner(0, 1, 1), Corner(1, 1, 1), U), V), W);
}

// Fractal sum of Octaves layers, each twice as fine and Gain times as strong; about -1..1.
inline float Fractal(float X, float Y, float Z, int Octaves, std::uint32_t Seed, TNoisePeriod P = {}, float Gain = 0.5f) {
  float Sum = 0, Amp = 1, Norm = 0;
  for (int O = 0; O < Octaves; ++O) {
    Sum += Amp * GradientNoise(X, Y, Z, Seed + static_cast<std::uint32_t>(O) * 101u, P);
    Norm += Amp;
    Amp *= Gain;
    X *= 2, Y *= 2, Z *= 2;
    P.X *= 2, P.Y *= 2, P.Z *= 2;
  }
  return Sum / Norm * 1.6f;
}
