// Small pictures drawn from shapes: the flags of the nations, of nobody and of the rebels, the
// battle panel's half-round flags, the tendency arrows and the mouse cursors.
#include <cmath>
#include <functional>

#include "imagery.h"

namespace {

constexpr float kPi = 3.14159265f;

using TShade = std::function<TColor(float X, float Y)>;  // X, Y in pixels from the top left

// Renders with 4 x 4 samples per pixel; colours are averaged weighted by their alpha.
TImage Render(int W, int H, const TShade& Shade) {
  TImage Out(W, H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      TColor S{0, 0, 0, 0};
      for (int SY = 0; SY < 4; ++SY)
        for (int SX = 0; SX < 4; ++SX) {
          TColor C = Shade(X + (SX + 0.5f) / 4, Y + (SY + 0.5f) / 4);
          S.R += C.R * C.A, S.G += C.G * C.A, S.B += C.B * C.A, S.A += C.A;
        }
      Out.At(X, Y) = S.A > 0 ? TColor{S.R / S.A, S.G / S.A, S.B / S.A, S.A / 16} : TColor{0, 0, 0, 0};
    }
  return Out;
}

// Distance from (X, Y) to the polygon's outline, negative inside (even-odd rule).
float PolygonDistance(const std::vector<std::pair<float, float>>& P, float X, float Y) {
  float Best = 1e9f;
  bool Inside = false;
  for (std::size_t I = 0, J = P.size() - 1; I < P.size(); J = I++) {
    auto [XI, YI] = P[I];
    auto [XJ, YJ] = P[J];
    if ((YI > Y) != (YJ > Y) && X < (XJ - XI) * (Y - YI) / (YJ - YI) + XI) Inside = !Inside;
    float DX = XJ - XI, DY = YJ - YI, L = DX * DX + DY * DY;
    float T = L > 0 ? Clamp01(((X - XI) * DX + (Y - YI) * DY) / L) : 0;
    float PX = XI + T * DX - X, PY = YI + T * DY - Y;
    Best = std::min(Best, std::sqrt(PX * PX + PY * PY));
  }
  return Inside ? -Best : Best;
}

TColor Darker(TColor C, float F) { return {C.R * F, C.G * F, C.B * F, C.A}; }

// A flag in a 2:1 field; U, V in 0..1 from the top left.
TColor FlagColor(int Kind, const std::vector<TColor>& Nations, float U, float V) {
  const TColor White = Rgb(245, 245, 240), Gold = Rgb(240, 200, 60), Black = Rgb(20, 20, 24);
  const TColor C = Kind < 5 ? Nations[static_cast<std::size_t>(Kind)] : TColor{};
  float X = U * 2, Y = V;  // field units: 2 x 1
  switch (Kind) {
    case 0: {  // a white band across, a gold ring at the hoist
      float R = std::hypot(X - 0.5f, Y - 0.5f);
      if (std::fabs(R - 0.26f) < 0.05f) return Gold;
      return std::fabs(Y - 0.5f) < 0.14f ? White : C;
    }
    case 1:  // a white saltire
      if (std::fabs(Y - X * 0.5f) < 0.09f || std::fabs(Y - (1 - X * 0.5f)) < 0.09f) return White;
      return C;
    case 2: {  // a gold sun on the field
      float R = std::hypot(X - 1, Y - 0.5f);
      if (R < 0.22f) return Gold;
      float A = std::atan2(Y - 0.5f, X - 1);
      if (R < 0.36f && std::cos(A * 12) > 0.6f) return Gold;
      return C;
    }
    case 3:  // three stripes down, a white triangle at the hoist
      if (X < 0.8f * (0.5f - std::fabs(Y - 0.5f)) * 2) return White;
      return (X > 0.8f && X < 1.3f) ? Black : C;
    case 4:  // a white chevron pointing to the fly
      if (std::fabs((X - 0.4f) - (0.5f - std::fabs(Y - 0.5f)) * 1.2f) < 0.16f) return White;
      return C;
    case 5:  // nobody: plain pale grey with a thin frame
      return (X < 0.06f || X > 1.94f || Y < 0.06f || Y > 0.94f) ? Rgb(120, 124, 130) : Rgb(200, 204, 208);
    default:  // rebels: black with a red slash
      return std::fabs(Y - (1 - X * 0.5f)) < 0.16f ? Rgb(200, 30, 30) : Black;
  }
}

// The arrow of every cursor, its tip at the top left (the texture's top left is the mouse).
const std::vector<std::pair<float, float>> kArrow = {{1.5f, 1.5f}, {1.5f, 21}, {6.5f, 16.5f}, {10.5f, 25},
                                                     {14, 23.5f}, {10, 15.5f}, {17, 15.5f}};

TColor ArrowPixel(float X, float Y, TColor Fill) {
  float D = PolygonDistance(kArrow, X, Y);
  if (D < -1.2f) return Fill;
  if (D < 0.6f) return Rgb(0, 0, 0);
  return {0, 0, 0, 0};
}

// Draws Badge over the arrow where the badge is opaque.
TShade WithBadge(TColor Fill, std::function<TColor(float, float)> Badge) {
  return [Fill, Badge](float X, float Y) {
    TColor B = Badge(X, Y);
    return B.A > 0 ? B : ArrowPixel(X, Y, Fill);
  };
}

TColor Ring(float X, float Y, float CX, float CY, float R, float Width, TColor C) {
  float D = std::fabs(std::hypot(X - CX, Y - CY) - R);
  if (D < Width * 0.5f) return C;
  if (D < Width * 0.5f + 1) return Rgb(0, 0, 0);
  return {0, 0, 0, 0};
}

}  // namespace

void MakeSymbols(const TImageryPaths& Paths) {
  const auto Icons = Paths.Data / "tex" / "nocompression";
  for (int K = 0; K < 7; ++K) {
    TImage Flag = Render(128, 64, [&](float X, float Y) {
      TColor C = FlagColor(K, Paths.NationColors, X / 128, Y / 64);
      // A little cloth shading across the fly.
      return Darker(C, 0.92f + 0.08f * std::sin(X / 128 * 3 * kPi));
    });
    WriteIfChanged(Icons / ("flag" + std::to_string(K) + ".png"), EncodePNGFile(Flag, false));
    if (K < 5) {
      // The battle panel's flag: the fly end rounded off, transparent outside.
      TImage Half = Render(128, 64, [&](float X, float Y) {
        float R = 32, CX = 128 - R;
        if (X > CX && std::hypot(X - CX, Y - 32) > R) return TColor{0, 0, 0, 0};
        return FlagColor(K, Paths.NationColors, X / 128, Y / 64);
      });
      WriteIfChanged(Icons / ("flag_" + std::to_string(K) + "_halfround.png"), EncodePNGFile(Half, true));
    }
  }

  // Tendency arrows, 16 x 16: up green, down red, unchanged a yellow bar.
  auto Tendency = [&](const char* Name, std::vector<std::pair<float, float>> Shape, TColor Fill) {
    TImage Icon = Render(16, 16, [&](float X, float Y) {
      float D = PolygonDistance(Shape, X, Y);
      if (D < -0.9f) return Mix(Fill, Rgb(255, 255, 255), SmoothStep(12, 3, Y) * 0.3f);
      if (D < 0.5f) return Rgb(10, 10, 10);
      return TColor{0, 0, 0, 0};
    });
    WriteIfChanged(Icons / (std::string("gui_icon_tendency_") + Name + ".png"), EncodePNGFile(Icon, true));
  };
  Tendency("up", {{8, 1.5f}, {14.5f, 8.5f}, {10.5f, 8.5f}, {10.5f, 14.5f}, {5.5f, 14.5f}, {5.5f, 8.5f}, {1.5f, 8.5f}}, Rgb(60, 200, 70));
  Tendency("down", {{8, 14.5f}, {1.5f, 7.5f}, {5.5f, 7.5f}, {5.5f, 1.5f}, {10.5f, 1.5f}, {10.5f, 7.5f}, {14.5f, 7.5f}}, Rgb(220, 60, 50));
  Tendency("same", {{1.5f, 5.5f}, {14.5f, 5.5f}, {14.5f, 10.5f}, {1.5f, 10.5f}}, Rgb(235, 200, 60));

  // Cursors, 32 x 32 with alpha; the game draws each with its top left at the mouse.
  const TColor White = Rgb(250, 250, 250), Gold = Rgb(250, 205, 70);
  auto Cursor = [&](const char* Name, const TShade& Shade) {
    WriteIfChanged(Icons / (std::string(Name) + ".png"), EncodePNGFile(Render(32, 32, Shade), true));
  };
  Cursor("cursor_default", [&](float X, float Y) { return ArrowPixel(X, Y, White); });
  Cursor("cursor_action", [&](float X, float Y) { return ArrowPixel(X, Y, Gold); });
  Cursor("cursor_selectregion", WithBadge(White, [&](float X, float Y) { return Ring(X, Y, 23, 23, 6, 2.2f, Rgb(120, 200, 255)); }));
  Cursor("cursor_selectregionaction", WithBadge(White, [&](float X, float Y) {
           TColor R = Ring(X, Y, 23, 23, 6, 2.2f, Rgb(255, 90, 60));
           if (R.A > 0) return R;
           if ((std::fabs(X - 23) < 1 && std::fabs(Y - 23) < 8.5f) || (std::fabs(Y - 23) < 1 && std::fabs(X - 23) < 8.5f))
             return Rgb(255, 90, 60);
           return TColor{0, 0, 0, 0};
         }));
  Cursor("cursor_rotateglobe", WithBadge(White, [&](float X, float Y) {
           // Two curved arrows going round: an open ring with arrow heads.
           float A = std::atan2(Y - 23, X - 23);
           bool Gap = std::fabs(std::sin(A)) < 0.35f;
           TColor R = Ring(X, Y, 23, 23, 6, 2.2f, Rgb(120, 230, 140));
           if (R.A > 0 && !Gap) return R;
           std::vector<std::pair<float, float>> Head1 = {{26, 19.5f}, {32, 19.5f}, {29, 24}}, Head2 = {{14, 26.5f}, {20, 26.5f}, {17, 22}};
           if (PolygonDistance(Head1, X, Y) < 0 || PolygonDistance(Head2, X, Y) < 0) return Rgb(120, 230, 140);
           return TColor{0, 0, 0, 0};
         }));
  // The information cursor of the region window, 64 x 64 (drawn at 48 x 48): an "i" in a disc.
  WriteIfChanged(Icons / "cursor_special_info.png", EncodePNGFile(Render(64, 64, [&](float X, float Y) {
                   float D = std::hypot(X - 32, Y - 32);
                   if (D > 30) return D < 31.5f ? Rgb(0, 0, 0) : TColor{0, 0, 0, 0};
                   bool Dot = std::hypot(X - 32, Y - 17) < 4.5f, Stem = std::fabs(X - 32) < 4 && Y > 25 && Y < 49;
                   return (Dot || Stem) ? White : Rgb(40, 110, 200);
                 }), true));
}
