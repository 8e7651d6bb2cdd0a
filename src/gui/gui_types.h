#pragma once
// The two small value records of the drawing code: positions and colours, and screen points.
// (The texture manager shares them; until it is in place they are declared here.)
#include <cstdint>

struct TVector3 {
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;
};

struct TIntPair {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

inline TVector3 MakeVector3(float X, float Y, float Z) { return TVector3{X, Y, Z}; }
inline TIntPair MakeIntPair(std::int32_t X, std::int32_t Y) { return TIntPair{X, Y}; }
