#include "raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/png_codec.h"

namespace {
constexpr float kPi = 3.14159265358979f;
constexpr int kSub = 4;  // sub-samples per pixel and axis
}  // namespace

TColor Mix(TColor A, TColor B, float T) {
  return TColor{A.R + (B.R - A.R) * T, A.G + (B.G - A.G) * T, A.B + (B.B - A.B) * T, A.A + (B.A - A.A) * T};
}

TShape Circle(float CX, float CY, float R) {
  return [=](float X, float Y) { return (X - CX) * (X - CX) + (Y - CY) * (Y - CY) <= R * R; };
}

TShape Ellipse(float CX, float CY, float RX, float RY, float AngleDegrees) {
  const float C = std::cos(AngleDegrees * kPi / 180), S = std::sin(AngleDegrees * kPi / 180);
  return [=](float X, float Y) {
    const float DX = X - CX, DY = Y - CY;
    const float U = (DX * C + DY * S) / RX, V = (-DX * S + DY * C) / RY;
    return U * U + V * V <= 1.0f;
  };
}

TShape Ring(float CX, float CY, float ROuter, float RInner) {
  return [=](float X, float Y) {
    const float D = (X - CX) * (X - CX) + (Y - CY) * (Y - CY);
    return D <= ROuter * ROuter && D >= RInner * RInner;
  };
}

TShape Rect(float X0, float Y0, float X1, float Y1) {
  return [=](float X, float Y) { return X >= X0 && X <= X1 && Y >= Y0 && Y <= Y1; };
}

TShape RoundRect(float X0, float Y0, float X1, float Y1, float Radius) {
  return [=](float X, float Y) {
    if (X < X0 || X > X1 || Y < Y0 || Y > Y1) return false;
    const float CX = std::clamp(X, X0 + Radius, X1 - Radius), CY = std::clamp(Y, Y0 + Radius, Y1 - Radius);
    return (X - CX) * (X - CX) + (Y - CY) * (Y - CY) <= Radius * Radius;
  };
}

TShape Polygon(std::vector<std::pair<float, float>> P) {
  return [P = std::move(P)](float X, float Y) {
    bool Inside = false;
    for (std::size_t I = 0, J = P.size() - 1; I < P.size(); J = I++) {
      if ((P[I].second > Y) != (P[J].second > Y)) {
        const float CrossX = P[I].first + (P[J].first - P[I].first) * (Y - P[I].second) / (P[J].second - P[I].second);
        if (X < CrossX) Inside = !Inside;
      }
    }
    return Inside;
  };
}

TShape Line(float X0, float Y0, float X1, float Y1, float Width) {
  const float DX = X1 - X0, DY = Y1 - Y0, L2 = std::max(1e-6f, DX * DX + DY * DY), R = Width / 2;
  return [=](float X, float Y) {
    const float T = std::clamp(((X - X0) * DX + (Y - Y0) * DY) / L2, 0.0f, 1.0f);
    const float PX = X0 + T * DX - X, PY = Y0 + T * DY - Y;
    return PX * PX + PY * PY <= R * R;
  };
}

TShape Star(float CX, float CY, float ROuter, float RInner, int Points, float AngleDegrees) {
  std::vector<std::pair<float, float>> P;
  for (int I = 0; I < 2 * Points; ++I) {
    const float A = (AngleDegrees + 180.0f * I / Points) * kPi / 180, R = I % 2 ? RInner : ROuter;
    P.emplace_back(CX + R * std::cos(A), CY + R * std::sin(A));
  }
  return Polygon(std::move(P));
}

TShape Union(TShape A, TShape B) {
  return [=](float X, float Y) { return A(X, Y) || B(X, Y); };
}

TShape Minus(TShape A, TShape B) {
  return [=](float X, float Y) { return A(X, Y) && !B(X, Y); };
}

TCanvas::TCanvas(int W, int H) : Width(W), Height(H), Pixels(static_cast<std::size_t>(W) * H, TColor{0, 0, 0, 0}) {}

void TCanvas::Fill(const TShape& Shape, TColor C) {
  Paint(Shape, [C](float, float) { return C; }, false);
}

void TCanvas::Fill(const TShape& Shape, const TPaint& P) { Paint(Shape, P, false); }

void TCanvas::Set(const TShape& Shape, TColor C) {
  Paint(Shape, [C](float, float) { return C; }, true);
}

void TCanvas::Set(const TShape& Shape, const TPaint& P) { Paint(Shape, P, true); }

void TCanvas::Paint(const TShape& Shape, const TPaint& P, bool Replace) {
  const float SY = ScaleY > 0 ? ScaleY : Scale;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      int Hits = 0;
      for (int SubY = 0; SubY < kSub; ++SubY)
        for (int SX = 0; SX < kSub; ++SX)
          if (Shape((X + (SX + 0.5f) / kSub) / Scale, (Y + (SubY + 0.5f) / kSub) / SY)) ++Hits;
      if (Hits == 0) continue;
      const float Cover = static_cast<float>(Hits) / (kSub * kSub);
      const TColor Src = P((X + 0.5f) / Scale, (Y + 0.5f) / SY);
      TColor& D = At(X, Y);
      if (Replace) {
        D = Mix(D, Src, Cover);
        continue;
      }
      const float SA = Src.A * Cover, OA = SA + D.A * (1 - SA);
      if (OA <= 0) continue;
      D.R = (Src.R * SA + D.R * D.A * (1 - SA)) / OA;
      D.G = (Src.G * SA + D.G * D.A * (1 - SA)) / OA;
      D.B = (Src.B * SA + D.B * D.A * (1 - SA)) / OA;
      D.A = OA;
    }
}

void TCanvas::Clear(int X0, int Y0, int X1, int Y1) {
  for (int Y = std::max(0, Y0); Y < std::min(Height, Y1); ++Y)
    for (int X = std::max(0, X0); X < std::min(Width, X1); ++X) At(X, Y) = TColor{0, 0, 0, 0};
}

void TCanvas::Outline(float Radius, TColor C) {
  const int R = static_cast<int>(std::ceil(Radius));
  std::vector<TColor> Out(Pixels.size(), TColor{0, 0, 0, 0});
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      float A = 0;
      for (int DY = -R; DY <= R; ++DY)
        for (int DX = -R; DX <= R; ++DX) {
          const int SX = X + DX, SY = Y + DY;
          if (SX < 0 || SY < 0 || SX >= Width || SY >= Height) continue;
          const float D = std::sqrt(static_cast<float>(DX * DX + DY * DY));
          const float Weight = std::clamp(Radius + 0.5f - D, 0.0f, 1.0f);
          A = std::max(A, At(SX, SY).A * Weight);
        }
      TColor Under{C.R, C.G, C.B, C.A * A};
      const TColor& Top = At(X, Y);
      const float OA = Top.A + Under.A * (1 - Top.A);
      TColor& O = Out[static_cast<std::size_t>(Y) * Width + X];
      if (OA <= 0) continue;
      O.R = (Top.R * Top.A + Under.R * Under.A * (1 - Top.A)) / OA;
      O.G = (Top.G * Top.A + Under.G * Under.A * (1 - Top.A)) / OA;
      O.B = (Top.B * Top.A + Under.B * Under.A * (1 - Top.A)) / OA;
      O.A = OA;
    }
  Pixels = std::move(Out);
}

void TCanvas::Draw(const TCanvas& Other, int X0, int Y0, int W, int H) {
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      if (X0 + X < 0 || Y0 + Y < 0 || X0 + X >= Width || Y0 + Y >= Height) continue;
      // Average the source pixels that fall into this target pixel (premultiplied).
      const int SX0 = X * Other.Width / W, SX1 = std::max(SX0 + 1, (X + 1) * Other.Width / W);
      const int SY0 = Y * Other.Height / H, SY1 = std::max(SY0 + 1, (Y + 1) * Other.Height / H);
      TColor Sum{0, 0, 0, 0};
      int N = 0;
      for (int SY = SY0; SY < SY1; ++SY)
        for (int SX = SX0; SX < SX1; ++SX, ++N) {
          const TColor& S = Other.At(SX, SY);
          Sum.R += S.R * S.A, Sum.G += S.G * S.A, Sum.B += S.B * S.A, Sum.A += S.A;
        }
      if (Sum.A <= 0) continue;
      const TColor Src{Sum.R / Sum.A, Sum.G / Sum.A, Sum.B / Sum.A, Sum.A / N};
      TColor& D = At(X0 + X, Y0 + Y);
      const float OA = Src.A + D.A * (1 - Src.A);
      D.R = (Src.R * Src.A + D.R * D.A * (1 - Src.A)) / OA;
      D.G = (Src.G * Src.A + D.G * D.A * (1 - Src.A)) / OA;
      D.B = (Src.B * Src.A + D.B * D.A * (1 - Src.A)) / OA;
      D.A = OA;
    }
}

std::string TCanvas::PNG() const {
  // The encoder takes the bottom row first.
  std::vector<std::uint8_t> Bytes(Pixels.size() * 4);
  auto Byte = [](float V) { return static_cast<std::uint8_t>(std::lround(std::clamp(V, 0.0f, 1.0f) * 255.0f)); };
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      const TColor& C = At(X, Y);
      std::uint8_t* O = &Bytes[(static_cast<std::size_t>(Height - 1 - Y) * Width + X) * 4];
      const bool Empty = Byte(C.A) == 0;  // fully clear pixels are stored as clear black
      O[0] = Empty ? 0 : Byte(C.R);
      O[1] = Empty ? 0 : Byte(C.G);
      O[2] = Empty ? 0 : Byte(C.B);
      O[3] = Byte(C.A);
    }
  std::string Out, Error;
  if (!EncodePNG(Bytes.data(), static_cast<std::uint32_t>(Width), static_cast<std::uint32_t>(Height), Out, Error))
    throw std::runtime_error("cannot encode a picture: " + Error);
  return Out;
}

float Hash01(int X, int Y, int Seed) {
  std::uint32_t H = static_cast<std::uint32_t>(X) * 374761393u + static_cast<std::uint32_t>(Y) * 668265263u +
                    static_cast<std::uint32_t>(Seed) * 2246822519u;
  H = (H ^ (H >> 13)) * 1274126177u;
  H ^= H >> 16;
  return static_cast<float>(H & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}
