#include "preview_renderer.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kSuper = 3;  // samples per pixel along each axis

struct TSample {
  float R = 0, G = 0, B = 0, A = 0;
};

// The view: turned 35 degrees about the vertical, then tilted 25 degrees towards the viewer.
TVec3 View(TVec3 P) {
  const float Yaw = -35 * kPi / 180, Tilt = 25 * kPi / 180;
  TVec3 A{P.X * std::cos(Yaw) + P.Z * std::sin(Yaw), P.Y, -P.X * std::sin(Yaw) + P.Z * std::cos(Yaw)};
  return {A.X, A.Y * std::cos(Tilt) - A.Z * std::sin(Tilt), A.Y * std::sin(Tilt) + A.Z * std::cos(Tilt)};
}
}  // namespace

TImage RenderPreview(const TModelBuilder& Model, const std::map<std::string, TImage>& Textures, int Size) {
  const int S = Size * kSuper;
  std::vector<TSample> Colour(static_cast<std::size_t>(S) * S);
  std::vector<float> Depth(Colour.size(), -1e30f);

  // Fit the model's view-space bounds into 86 % of the square, centred.
  float MinX = 1e30f, MaxX = -1e30f, MinY = 1e30f, MaxY = -1e30f;
  for (const TTriangle& T : Model.Triangles())
    for (const TCorner& C : T.C) {
      TVec3 P = View(C.P);
      MinX = std::min(MinX, P.X);
      MaxX = std::max(MaxX, P.X);
      MinY = std::min(MinY, P.Y);
      MaxY = std::max(MaxY, P.Y);
    }
  const float Extent = std::max(MaxX - MinX, MaxY - MinY);
  const float Scale = Extent > 0 ? 0.86f * S / Extent : 1.0f;
  const float Cx = (MinX + MaxX) / 2, Cy = (MinY + MaxY) / 2;
  const TVec3 Light = Normalised({-0.45f, 0.75f, 0.5f});

  for (int Pass = 0; Pass < 2; ++Pass) {  // opaque, then translucent
    for (const TTriangle& T : Model.Triangles()) {
      const TMaterial& M = Model.Materials()[static_cast<std::size_t>(T.Material)];
      if ((M.Opacity < 1) != (Pass == 1)) continue;
      const TImage* Tex = nullptr;
      if (auto It = Textures.find(M.Texture); It != Textures.end()) Tex = &It->second;
      TVec3 P[3], N[3];
      for (int k = 0; k < 3; ++k) {
        TVec3 V = View(T.C[k].P);
        P[k] = {(V.X - Cx) * Scale + S / 2.0f, (Cy - V.Y) * Scale + S / 2.0f, V.Z};
        N[k] = View(T.C[k].N);
      }
      // Screen y grows downwards, so a front face has a negative signed area here.
      float Area = (P[1].X - P[0].X) * (P[2].Y - P[0].Y) - (P[2].X - P[0].X) * (P[1].Y - P[0].Y);
      if (Area >= 0) continue;
      int X0 = std::max(0, static_cast<int>(std::floor(std::min({P[0].X, P[1].X, P[2].X}))));
      int X1 = std::min(S - 1, static_cast<int>(std::ceil(std::max({P[0].X, P[1].X, P[2].X}))));
      int Y0 = std::max(0, static_cast<int>(std::floor(std::min({P[0].Y, P[1].Y, P[2].Y}))));
      int Y1 = std::min(S - 1, static_cast<int>(std::ceil(std::max({P[0].Y, P[1].Y, P[2].Y}))));
      for (int Y = Y0; Y <= Y1; ++Y)
        for (int X = X0; X <= X1; ++X) {
          float Px = X + 0.5f, Py = Y + 0.5f;
          float W0 = ((P[1].X - Px) * (P[2].Y - Py) - (P[2].X - Px) * (P[1].Y - Py)) / Area;
          float W1 = ((P[2].X - Px) * (P[0].Y - Py) - (P[0].X - Px) * (P[2].Y - Py)) / Area;
          float W2 = 1 - W0 - W1;
          if (W0 < 0 || W1 < 0 || W2 < 0) continue;
          float Z = W0 * P[0].Z + W1 * P[1].Z + W2 * P[2].Z;
          std::size_t I = static_cast<std::size_t>(Y) * S + X;
          if (Z <= Depth[I]) continue;
          TVec3 Nn = Normalised(N[0] * W0 + N[1] * W1 + N[2] * W2);
          float Lit = 0.38f + 0.72f * std::max(0.0f, Dot(Nn, Light));
          std::array<float, 4> Tx{1, 1, 1, 1};
          if (Tex) {
            float U = W0 * T.C[0].T.U + W1 * T.C[1].T.U + W2 * T.C[2].T.U;
            float V = W0 * T.C[0].T.V + W1 * T.C[1].T.V + W2 * T.C[2].T.V;
            Tx = Tex->Sample(U - std::floor(U), V - std::floor(V));
          }
          float Glow = M.Glow;
          TSample C{std::min(1.0f, M.R * Tx[0] * (Lit + Glow)), std::min(1.0f, M.G * Tx[1] * (Lit + Glow)),
                    std::min(1.0f, M.B * Tx[2] * (Lit + Glow)), 1};
          if (Pass == 0) {
            Colour[I] = C;
            Depth[I] = Z;
          } else {
            TSample& D = Colour[I];
            float A = M.Opacity;
            D = {D.R * (1 - A) + C.R * A, D.G * (1 - A) + C.G * A, D.B * (1 - A) + C.B * A, D.A * (1 - A) + A};
          }
        }
    }
  }

  // Average the samples of each pixel (premultiplied), then ring the silhouette in dark grey.
  TImage Out;
  Out.Width = Out.Height = Size;
  Out.RGBA.assign(static_cast<std::size_t>(Size) * Size * 4, 0);
  std::vector<float> Alpha(static_cast<std::size_t>(Size) * Size, 0);
  for (int Y = 0; Y < Size; ++Y)
    for (int X = 0; X < Size; ++X) {
      TSample Sum;
      for (int j = 0; j < kSuper; ++j)
        for (int i = 0; i < kSuper; ++i) {
          const TSample& C = Colour[static_cast<std::size_t>(Y * kSuper + j) * S + X * kSuper + i];
          Sum.R += C.R * C.A;
          Sum.G += C.G * C.A;
          Sum.B += C.B * C.A;
          Sum.A += C.A;
        }
      const float N = kSuper * kSuper;
      std::size_t I = static_cast<std::size_t>(Y) * Size + X;
      Alpha[I] = Sum.A / N;
      if (Sum.A > 0) {
        Out.RGBA[I * 4 + 0] = static_cast<std::uint8_t>(std::lround(255 * Sum.R / Sum.A));
        Out.RGBA[I * 4 + 1] = static_cast<std::uint8_t>(std::lround(255 * Sum.G / Sum.A));
        Out.RGBA[I * 4 + 2] = static_cast<std::uint8_t>(std::lround(255 * Sum.B / Sum.A));
      }
      Out.RGBA[I * 4 + 3] = static_cast<std::uint8_t>(std::lround(255 * Alpha[I]));
    }
  for (int Y = 0; Y < Size; ++Y)
    for (int X = 0; X < Size; ++X) {
      std::size_t I = static_cast<std::size_t>(Y) * Size + X;
      if (Alpha[I] > 0.5f) continue;
      float Near = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          int Nx = X + dx, Ny = Y + dy;
          if (Nx >= 0 && Ny >= 0 && Nx < Size && Ny < Size) Near = std::max(Near, Alpha[static_cast<std::size_t>(Ny) * Size + Nx]);
        }
      if (Near <= Alpha[I]) continue;
      // Outline under the model's own edge pixels.
      float A = Alpha[I], O = 0.7f * Near;
      float Total = A + O * (1 - A);
      for (int K = 0; K < 3; ++K)
        Out.RGBA[I * 4 + K] = static_cast<std::uint8_t>(std::lround((Out.RGBA[I * 4 + K] * A + 20 * O * (1 - A)) / Total));
      Out.RGBA[I * 4 + 3] = static_cast<std::uint8_t>(std::lround(255 * Total));
    }
  return Out;
}
