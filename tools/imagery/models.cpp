// Textures of the scene models (data\tex\models\): the nations' landscapes behind the globe, the
// hand rising out of the menu's sea and the bent title lettering that circles the globe.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

#include "imagery.h"
#include "noise.h"

namespace {

// Tileable ground of Side pixels from two colours and a fine speckle colour.
TImage Ground(TColor Low, TColor High, TColor Speckle, std::uint32_t Seed, float Fields) {
  const int S = 512;
  TImage Out(S, S);
  for (int Y = 0; Y < S; ++Y)
    for (int X = 0; X < S; ++X) {
      float U = X / float(S), V = Y / float(S);
      float Broad = Fractal(U * 4, V * 4, 0.5f, 6, Seed, {4, 4, 0});
      float Fine = Fractal(U * 32, V * 32, 1.5f, 3, Seed + 7, {32, 32, 0});
      // Patches of fields: a coarse grid of cells, each a little lighter or darker.
      int CX = static_cast<int>(U * 8 + 0.3f * Broad), CY = static_cast<int>(V * 8 + 0.3f * Broad);
      float Patch = (HashUnit(HashCell(CX & 7, CY & 7, 0, Seed)) - 0.5f) * Fields;
      TColor C = Mix(Low, High, Clamp01(0.5f + 0.5f * Broad + Patch));
      C = Mix(C, Speckle, SmoothStep(0.3f, 0.7f, Fine) * 0.35f);
      float Shade = 0.92f + 0.1f * Fine;
      Out.At(X, Y) = {Clamp01(C.R * Shade), Clamp01(C.G * Shade), Clamp01(C.B * Shade), 1};
    }
  return Out;
}

// Weathered bronze with green patina in the hollows.
TImage Bronze() {
  const int S = 512;
  TImage Out(S, S);
  for (int Y = 0; Y < S; ++Y)
    for (int X = 0; X < S; ++X) {
      float U = X / float(S), V = Y / float(S);
      float Cast = Fractal(U * 6, V * 6, 0.2f, 6, 401, {6, 6, 0});
      float Patina = SmoothStep(0.1f, 0.6f, Fractal(U * 3, V * 3, 4.2f, 5, 402, {3, 3, 0}));
      TColor Metal = Mix(Rgb(120, 78, 40), Rgb(214, 160, 92), Clamp01(0.5f + 0.6f * Cast));
      TColor C = Mix(Metal, Rgb(70, 140, 118), Patina * 0.55f);
      Out.At(X, Y) = C;
    }
  return Out;
}

// The game's title in gold letters with a dark rim on a transparent strip, the letters spread
// over the strip's length so that the strip can be bent into a ring around the globe.
TImage Lettering(const std::filesystem::path& FontFile) {
  const int W = 1024, H = 256;
  FT_Library Lib = nullptr;
  FT_Face Face = nullptr;
  if (FT_Init_FreeType(&Lib)) throw std::runtime_error("FreeType does not start");
  if (FT_New_Face(Lib, FontFile.c_str(), 0, &Face)) {
    FT_Done_FreeType(Lib);
    throw std::runtime_error("cannot read the font \"" + FontFile.string() + "\"");
  }
  FT_Set_Pixel_Sizes(Face, 0, 150);
  std::vector<float> Cover(static_cast<std::size_t>(W) * H, 0.0f);
  const std::string Title = "TARNOVA";
  for (std::size_t I = 0; I < Title.size(); ++I) {
    if (FT_Load_Char(Face, static_cast<FT_ULong>(Title[I]), FT_LOAD_RENDER)) continue;
    const FT_GlyphSlot G = Face->glyph;
    const int CellX = static_cast<int>((I + 0.5f) * W / Title.size());
    const int X0 = CellX - static_cast<int>(G->bitmap.width) / 2, Y0 = H / 2 + 54 - G->bitmap_top;
    for (unsigned R = 0; R < G->bitmap.rows; ++R)
      for (unsigned C = 0; C < G->bitmap.width; ++C) {
        int X = X0 + static_cast<int>(C), Y = Y0 + static_cast<int>(R);
        if (X < 0 || X >= W || Y < 0 || Y >= H) continue;
        float& At = Cover[static_cast<std::size_t>(Y) * W + X];
        At = std::max(At, G->bitmap.buffer[R * static_cast<unsigned>(G->bitmap.pitch) + C] / 255.0f);
      }
  }
  FT_Done_Face(Face);
  FT_Done_FreeType(Lib);
  TImage Out(W, H, {0, 0, 0, 0});
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      float Inner = Cover[static_cast<std::size_t>(Y) * W + X], Rim = 0;
      for (int DY = -5; DY <= 5; ++DY)
        for (int DX = -5; DX <= 5; ++DX) {
          int XX = X + DX, YY = Y + DY;
          if (XX < 0 || XX >= W || YY < 0 || YY >= H || DX * DX + DY * DY > 25) continue;
          Rim = std::max(Rim, Cover[static_cast<std::size_t>(YY) * W + XX]);
        }
      float V = (Y + 0.5f) / H;
      TColor Gold = Mix(Rgb(255, 236, 160), Rgb(176, 112, 24), SmoothStep(0.3f, 0.75f, V));
      TColor C = Mix(Rgb(30, 18, 6), Gold, Inner);
      C.A = Rim;
      Out.At(X, Y) = C;
    }
  return Out;
}

}  // namespace

void MakeModelTextures(const TImageryPaths& Paths) {
  const auto Models = Paths.Data / "tex" / "models";
  // The nations' home landscapes: central European fields, prairie, tropical forest, savanna,
  // green hills with terraces.
  const struct {
    TColor Low, High, Speckle;
    float Fields;
  } Homes[] = {
      {Rgb(58, 96, 40), Rgb(140, 150, 70), Rgb(120, 100, 60), 0.5f},
      {Rgb(120, 120, 60), Rgb(190, 170, 96), Rgb(90, 110, 50), 0.7f},
      {Rgb(20, 66, 26), Rgb(56, 112, 38), Rgb(90, 70, 36), 0.15f},
      {Rgb(150, 120, 64), Rgb(196, 170, 100), Rgb(90, 100, 44), 0.2f},
      {Rgb(44, 92, 50), Rgb(120, 150, 84), Rgb(150, 140, 100), 0.6f},
  };
  for (int N = 0; N < 5; ++N) {
    const auto& H = Homes[N];
    WriteIfChanged(Models / ("background_nation" + std::to_string(N) + ".png"),
                   EncodePNGFile(Ground(H.Low, H.High, H.Speckle, 500 + static_cast<std::uint32_t>(N), H.Fields), false));
  }
  WriteIfChanged(Models / "hand.png", EncodePNGFile(Bronze(), false));
  WriteIfChanged(Models / "logobend.png", EncodePNGFile(Lettering(Paths.Fonts / "DejaVuSerif-Bold.ttf"), true));
}
