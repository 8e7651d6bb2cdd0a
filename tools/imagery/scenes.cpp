// Pictures of the scenes, all procedural: the nations' skies, the menu's storm and lightning, the
// water maps and the 3D noise, the region landscapes, concrete, fog and the battlefield tile.
#include <cmath>

#include "imagery.h"
#include "noise.h"

namespace {

// Stars: sparse points of varied brightness, a few with a soft halo.
float StarLight(int X, int Y, std::uint32_t Seed) {
  float Sum = 0;
  for (int DY = -1; DY <= 1; ++DY)
    for (int DX = -1; DX <= 1; ++DX) {
      std::uint32_t H = HashCell(X + DX, Y + DY, 0, Seed);
      float V = HashUnit(H);
      if (V < 0.9965f) continue;
      float B = (V - 0.9965f) / 0.0035f;
      Sum += (DX == 0 && DY == 0) ? B : B * B * 0.25f;
    }
  return Sum;
}

// A backdrop behind the nation scene: night sky at the top, a glow of the nation's colour at the
// horizon, nebula veils and stars. Drawn over the whole screen; rows tile nowhere.
TImage NationSky(TColor Tint, std::uint32_t Seed) {
  const int S = 1024;
  TImage Out(S, S);
  for (int Y = 0; Y < S; ++Y) {
    float V = (Y + 0.5f) / S;  // 0 at the top
    for (int X = 0; X < S; ++X) {
      float U = (X + 0.5f) / S;
      float Neb = Fractal(U * 3, V * 3, 0.5f, 6, Seed);
      float Veil = SmoothStep(-0.1f, 0.7f, Neb) * (0.25f + 0.5f * V);
      float Horizon = std::pow(V, 3.0f);
      TColor Base = Mix(Rgb(2, 3, 10), Rgb(10, 14, 32), V);
      TColor C = {Base.R + Tint.R * (0.55f * Horizon + 0.3f * Veil), Base.G + Tint.G * (0.55f * Horizon + 0.3f * Veil),
                  Base.B + Tint.B * (0.55f * Horizon + 0.3f * Veil), 1};
      float Star = StarLight(X, Y, Seed) * (1.0f - 0.8f * Horizon);
      C = {C.R + Star * 0.9f, C.G + Star * 0.9f, C.B + Star, 1};
      Out.At(X, Y) = {Clamp01(C.R), Clamp01(C.G), Clamp01(C.B), 1};
    }
  }
  return Out;
}

// A forked lightning bolt from the top edge downwards, white-blue core with a glow on black; the
// menu adds it onto the sky over the whole screen, so the picture's rows are the screen's. The
// main channel strikes the sea at the menu scenes' horizon, half-way down, and its branches end
// above it: the whole bolt stands in the sky, and the water mirrors all of it. Nothing but the
// bolt and its glow lights up, so the flash shows no edge while it grows down the screen.
TImage Lightning() {
  const int W = 512, H = 1024;
  const float Horizon = 0.505f * H;
  TImage Out(W, H, {0, 0, 0, 1});
  struct TSeg {
    float X0, Y0, X1, Y1, Width;
  };
  std::vector<TSeg> Segs;
  std::uint32_t N = 0;
  auto Rand = [&] { return HashUnit(HashCell(static_cast<int>(N++), 7, 3, 99)) * 2 - 1; };
  // Main channel plus branches, each a jagged walk downwards down to its lowest row.
  struct TBranch {
    float X, Y, Dir, Width, Lowest;
    int Steps;
  };
  std::vector<TBranch> Todo = {{W * 0.5f, 0, 0.0f, 3.0f, Horizon, 60}};
  while (!Todo.empty()) {
    TBranch B = Todo.back();
    Todo.pop_back();
    for (int I = 0; I < B.Steps && B.Y < B.Lowest; ++I) {
      float NX = B.X + (B.Dir + Rand() * 0.8f) * 14, NY = std::min(B.Lowest, B.Y + 7 + 6 * std::fabs(Rand()));
      if (NX < 8.0f || NX > W - 8.0f) break;  // a branch that leaves the picture ends at its edge
      Segs.push_back({B.X, B.Y, NX, NY, B.Width});
      if (B.Width > 1.2f && Rand() > 0.78f && Todo.size() < 12)
        Todo.push_back({NX, NY, Rand() > 0 ? 0.9f : -0.9f, B.Width * 0.5f, Horizon - 40, B.Steps / 3});
      B.X = NX, B.Y = NY;
    }
  }
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      float Best = 1e9f, Wd = 1;
      for (const TSeg& S : Segs) {
        if (Y < std::min(S.Y0, S.Y1) - 40 || Y > std::max(S.Y0, S.Y1) + 40) continue;
        float DX = S.X1 - S.X0, DY = S.Y1 - S.Y0, L = DX * DX + DY * DY;
        float T = L > 0 ? Clamp01(((X - S.X0) * DX + (Y - S.Y0) * DY) / L) : 0;
        float PX = S.X0 + T * DX - X, PY = S.Y0 + T * DY - Y, D = std::sqrt(PX * PX + PY * PY) / S.Width;
        if (D < Best) Best = D, Wd = S.Width;
      }
      float Core = std::exp(-Best * Best * 0.8f), Glow = std::exp(-Best * 0.35f) * 0.35f * Wd / 3;
      float Fade = 1.0f - 0.35f * (Y / Horizon);
      Out.At(X, Y) = {Clamp01((Core + Glow * 0.6f) * Fade), Clamp01((Core + Glow * 0.75f) * Fade), Clamp01((Core + Glow) * Fade), 1};
    }
  return Out;
}

// Tileable height field of Side pixels with Cells noise cells across.
std::vector<float> TileHeight(int Side, int Cells, int Octaves, std::uint32_t Seed) {
  std::vector<float> H(static_cast<std::size_t>(Side) * Side);
  for (int Y = 0; Y < Side; ++Y)
    for (int X = 0; X < Side; ++X)
      H[static_cast<std::size_t>(Y) * Side + X] =
          Fractal(X * float(Cells) / Side, Y * float(Cells) / Side, 0.5f, Octaves, Seed, {Cells, Cells, 0});
  return H;
}

// Distance to the nearest edge of a hexagon grid (pointy sides left and right), in cell units;
// tiles when the picture holds whole cells in x and y (the caller picks matching scales).
float HexEdge(float X, float Y) {
  const float R3 = 1.7320508f;
  // Two offset rectangular lattices give the hexagon centres; take the nearer centre.
  float AX = std::round(X), AY = std::round(Y / R3) * R3;
  float BX = std::floor(X) + 0.5f, BY = (std::floor(Y / R3) + 0.5f) * R3;
  float DA = (X - AX) * (X - AX) + (Y - AY) * (Y - AY), DB = (X - BX) * (X - BX) + (Y - BY) * (Y - BY);
  float PX = std::fabs(DA < DB ? X - AX : X - BX), PY = std::fabs(DA < DB ? Y - AY : Y - BY);
  // Hexagon with flat top and bottom of inradius 0.5 along x directions.
  float D = std::max(PX, PX * 0.5f + PY * R3 / 2);
  return 0.5f - D;
}

TImage Landscape(TColor Low, TColor High, TColor Spots, float Rough, std::uint32_t Seed) {
  const int S = 512;
  auto H = TileHeight(S, 6, 7, Seed);
  auto D = TileHeight(S, 24, 3, Seed + 40);
  TImage Out(S, S);
  for (int Y = 0; Y < S; ++Y)
    for (int X = 0; X < S; ++X) {
      float V = H[Y * S + X] * 0.5f + 0.5f, Fine = D[Y * S + X];
      // Light from the upper left on the height field.
      float Slope = H[Y * S + (X + 1) % S] - H[((Y + 1) % S) * S + X];
      TColor C = Mix(Low, High, Clamp01(V + Fine * 0.15f));
      C = Mix(C, Spots, SmoothStep(0.35f, 0.6f, Fine) * 0.5f);
      float Shade = 1.0f + Slope * Rough * 12 + Fine * 0.06f;
      Out.At(X, Y) = {Clamp01(C.R * Shade), Clamp01(C.G * Shade), Clamp01(C.B * Shade), 1};
    }
  return Out;
}

// A strip of shore water for the region scene: drawn with wrap in t and clamped in s, blended, so
// its sides fade out.
TImage ShoreWater(TColor Deep, TColor Shallow, std::uint32_t Seed) {
  const int S = 256;
  auto H = TileHeight(S, 8, 5, Seed);
  TImage Out(S, S);
  for (int Y = 0; Y < S; ++Y)
    for (int X = 0; X < S; ++X) {
      float U = (X + 0.5f) / S, V = H[Y * S + X];
      TColor C = Mix(Shallow, Deep, U);
      float Crest = SmoothStep(0.9f, 0.98f, 1.0f - std::fabs(V)) * 0.3f;  // thin wave lines
      C = {Clamp01(C.R + Crest), Clamp01(C.G + Crest), Clamp01(C.B + Crest), 1};
      C.A = Clamp01((SmoothStep(0.0f, 0.25f, U) * (0.65f + 0.3f * U) + Crest * 0.3f) * SmoothStep(1.0f, 0.92f, U));
      Out.At(X, Y) = C;
    }
  return Out;
}

}  // namespace

namespace {
// A picture compressed here once (DXT1, bottom row first as the decoded pictures are uploaded),
// so that start-up uploads it as it is instead of the GL compressing it. The PNG an older data
// build left beside it goes, or the game would load that first.
std::filesystem::path CompressedTexture(const TImageryPaths& Paths, const std::string& Name) {
  std::error_code Ec;
  std::filesystem::remove(Paths.Data / "tex" / (Name + ".png"), Ec);
  return Paths.Data / "tex" / (Name + ".dds");
}
}  // namespace

void MakeScenes(const TImageryPaths& Paths) {
  const auto Tex = Paths.Data / "tex";
  // Skies: the five nations, the army panel's "nobody" and "rebels", the stormy menu sky.
  std::vector<TColor> Tints = Paths.NationColors;
  Tints.push_back(Rgb(120, 125, 135));
  Tints.push_back(Rgb(140, 40, 20));
  // The skies are the game's largest pictures.
  for (std::size_t N = 0; N < Tints.size(); ++N)
    WriteIfChanged(CompressedTexture(Paths, "skysphere" + std::to_string(N)),
                   EncodeDXT1DDSFile(NationSky(Tints[N], 300 + static_cast<std::uint32_t>(N)), true));

  {
    const int W = 1024, H = 1024;
    TImage Storm(W, H);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        float U = (X + 0.5f) / W, V = (Y + 0.5f) / H;
        float Billow = Fractal(U * 4, V * 7, 0.3f, 7, 61, {}, 0.55f);
        float Dark = Fractal(U * 2, V * 3, 2.5f, 4, 62);
        float T = Clamp01(Billow * 0.5f + 0.5f);
        TColor C = Mix(Rgb(18, 20, 30), Rgb(92, 98, 118), T * T);
        float Gleam = SmoothStep(0.35f, 0.75f, T) * (1 - V) * 0.25f;
        float Shade = 0.75f + 0.25f * Dark + 0.3f * V;
        Storm.At(X, Y) = {Clamp01(C.R * Shade + Gleam), Clamp01(C.G * Shade + Gleam), Clamp01(C.B * Shade + Gleam * 1.2f), 1};
      }
    WriteIfChanged(CompressedTexture(Paths, "skyspheredramatic"), EncodeDXT1DDSFile(Storm, true));
  }
  WriteIfChanged(CompressedTexture(Paths, "lightningb"), EncodeDXT1DDSFile(Lightning(), true));

  // Water maps, tiling: normals (x, y, z in 0..1), du/dv offsets around 0.5, the hex pattern and
  // the foam rings.
  {
    const int S = 256;
    auto H = TileHeight(S, 8, 5, 71);
    TImage Normal(S, S), DuDv(S, S);
    auto At = [&](int X, int Y) { return H[((Y + S) % S) * S + (X + S) % S]; };
    for (int Y = 0; Y < S; ++Y)
      for (int X = 0; X < S; ++X) {
        float DX = (At(X + 1, Y) - At(X - 1, Y)) * 3, DY = (At(X, Y + 1) - At(X, Y - 1)) * 3;
        float L = std::sqrt(DX * DX + DY * DY + 1);
        Normal.At(X, Y) = {0.5f - 0.5f * DX / L, 0.5f - 0.5f * DY / L, 0.5f + 0.5f / L, 1};
        DuDv.At(X, Y) = {Clamp01(0.5f + DX * 0.8f), Clamp01(0.5f + DY * 0.8f), 0.5f, 1};
      }
    WriteIfChanged(FrameTexture(Paths, "water_normal.png"), EncodePNGFile(Normal, false));
    WriteIfChanged(FrameTexture(Paths, "water_dudv.png"), EncodePNGFile(DuDv, false));
  }
  {
    // Four hexagons across and two lattice periods (sqrt 3 each) down, so the picture tiles; the
    // hexagons are stretched by 15 % in height for that.
    const int W = 256, H = 256;
    auto Ripple = TileHeight(W, 4, 4, 81);
    TImage Hex(W, H);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        float HX = X * 4.0f / W, HY = Y * (2 * 1.7320508f) / H;
        float E = HexEdge(HX, HY);
        float Line = std::exp(-E * E / 0.0012f);
        float R = Ripple[Y * W + X] * 0.08f;
        Hex.At(X, Y) = {Clamp01(0.16f + R + Line * 0.5f), Clamp01(0.36f + R + Line * 0.55f), Clamp01(0.62f + R + Line * 0.38f), 1};
      }
    WriteIfChanged(FrameTexture(Paths, "hex_water.png"), EncodePNGFile(Hex, false));
    auto Grass = TileHeight(W, 8, 5, 82);
    TImage Gras(W, H);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        float HX = X * 4.0f / W, HY = Y * (2 * 1.7320508f) / H;
        float E = HexEdge(HX, HY);
        float Line = std::exp(-E * E / 0.0008f) * 0.35f;
        float G = Grass[Y * W + X] * 0.12f;
        Gras.At(X, Y) = {Clamp01(0.22f + G - Line * 0.1f), Clamp01(0.42f + G * 1.4f - Line * 0.15f), Clamp01(0.14f + G * 0.5f - Line * 0.05f), 1};
      }
    WriteIfChanged(FrameTexture(Paths, "hex_gras.png"), EncodePNGFile(Gras, false));
  }
  {
    const int S = 256;
    auto Bubbles = TileHeight(S, 16, 3, 91);
    TImage Ring(S, S), Inverted(S, S);
    for (int Y = 0; Y < S; ++Y)
      for (int X = 0; X < S; ++X) {
        float DX = (X + 0.5f) / S - 0.5f, DY = (Y + 0.5f) / S - 0.5f, R = std::sqrt(DX * DX + DY * DY) * 2;
        float Foam = 0.75f + 0.25f * Bubbles[Y * S + X];
        // Foam at the rim of the disc (the water's edge), fading inwards; inverted: foam in the
        // middle of the disc (where the hand meets the water), fading outwards.
        float A = std::exp(-(R - 0.94f) * (R - 0.94f) / 0.004f) + 0.25f * SmoothStep(0.6f, 0.95f, R) * (R < 1 ? 1 : 0);
        float B = SmoothStep(1.0f, 0.15f, R) * SmoothStep(0.0f, 0.25f, R) + 0.5f * std::exp(-(R - 0.3f) * (R - 0.3f) / 0.01f);
        float VA = Clamp01(A * Foam * 0.8f), VB = Clamp01(B * Foam * 0.7f);
        Ring.At(X, Y) = {VA, VA, VA, 1};
        Inverted.At(X, Y) = {VB, VB, VB, 1};
      }
    WriteIfChanged(FrameTexture(Paths, "waterfoamcircle.png"), EncodePNGFile(Ring, false));
    WriteIfChanged(FrameTexture(Paths, "waterfoamcircleinverted.png"), EncodePNGFile(Inverted, false));
  }

  // The 3D noise for the nation-selection water: 64^3 voxels that tile on every axis.
  {
    const int S = 64;
    std::vector<std::uint8_t> Vox(static_cast<std::size_t>(S) * S * S);
    for (int Z = 0; Z < S; ++Z)
      for (int Y = 0; Y < S; ++Y)
        for (int X = 0; X < S; ++X) {
          float V = Fractal(X / 8.0f, Y / 8.0f, Z / 8.0f, 4, 101, {8, 8, 8});
          Vox[(static_cast<std::size_t>(Z) * S + Y) * S + X] = static_cast<std::uint8_t>(std::lround(Clamp01(0.5f + 0.5f * V) * 255));
        }
    WriteIfChanged(Tex / "noisevolume.dds", EncodeDDSVolume(Vox, S));
  }

  // Landscapes of the region scene, one per setting, and the ground around the buildings.
  struct TKind {
    const char* Name;
    TColor Low, High, Spots;
    float Rough;
  };
  const TKind Kinds[] = {
      {"temperate", Rgb(52, 92, 38), Rgb(104, 140, 62), Rgb(130, 118, 70), 0.6f},
      {"mountains", Rgb(88, 86, 80), Rgb(190, 188, 184), Rgb(70, 96, 52), 1.6f},
      {"steppe", Rgb(138, 128, 72), Rgb(186, 170, 104), Rgb(110, 116, 64), 0.5f},
      {"desert", Rgb(196, 160, 104), Rgb(236, 206, 150), Rgb(176, 132, 84), 0.9f},
      {"tropical", Rgb(24, 70, 28), Rgb(62, 118, 40), Rgb(96, 84, 40), 0.8f},
      {"arctic", Rgb(190, 204, 220), Rgb(246, 250, 255), Rgb(150, 170, 190), 0.7f},
  };
  std::uint32_t Seed = 200;
  // The opaque ones are compressed here; the shore waters keep their alpha in a PNG.
  for (const TKind& K : Kinds)
    WriteIfChanged(CompressedTexture(Paths, std::string("setting_") + K.Name),
                   EncodeDXT1DDSFile(Landscape(K.Low, K.High, K.Spots, K.Rough, Seed++), true));
  WriteIfChanged(Tex / "setting_water.png", EncodePNGFile(ShoreWater(Rgb(20, 70, 130), Rgb(70, 150, 170), 220), true));
  WriteIfChanged(Tex / "setting_water_dirty.png", EncodePNGFile(ShoreWater(Rgb(60, 66, 44), Rgb(110, 104, 70), 221), true));
  {
    const int S = 256;
    auto Grain = TileHeight(S, 32, 3, 230);
    TImage Concrete(S, S);
    for (int Y = 0; Y < S; ++Y)
      for (int X = 0; X < S; ++X) {
        float Joint = (X % 128 < 2 || Y % 128 < 2) ? 0.55f : 1.0f;
        float G = 0.55f + 0.08f * Grain[Y * S + X] + 0.03f * (HashUnit(HashCell(X, Y, 1, 231)) - 0.5f);
        Concrete.At(X, Y) = {G * Joint, G * Joint, G * Joint * 1.02f, 1};
      }
    WriteIfChanged(CompressedTexture(Paths, "concrete"), EncodeDXT1DDSFile(Concrete, true));
    auto Smog = TileHeight(S, 4, 6, 240);
    TImage Fog(S, S);
    for (int I = 0; I < S * S; ++I) {
      float V = SmoothStep(-0.4f, 0.6f, Smog[I]);
      Fog.Pixels[I] = {0.55f + 0.1f * V, 0.52f + 0.08f * V, 0.40f, 0.15f + 0.75f * V};
    }
    WriteIfChanged(Tex / "fog.png", EncodePNGFile(Fog, true));
  }
}
