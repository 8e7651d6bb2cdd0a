#include "text_art.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

std::vector<char32_t> DecodeUTF8(const std::string& S) {
  std::vector<char32_t> Out;
  for (std::size_t I = 0; I < S.size();) {
    const unsigned char C = static_cast<unsigned char>(S[I]);
    const int Extra = C < 0x80 ? 0 : C < 0xE0 ? 1 : C < 0xF0 ? 2 : 3;
    char32_t Code = Extra == 0 ? C : C & (0x3F >> Extra);
    for (int K = 1; K <= Extra && I + K < S.size(); ++K) Code = (Code << 6) | (static_cast<unsigned char>(S[I + K]) & 0x3F);
    Out.push_back(Code);
    I += static_cast<std::size_t>(Extra) + 1;
  }
  return Out;
}

struct TFace {
  FT_Library Lib = nullptr;
  FT_Face Face = nullptr;
  explicit TFace(const std::string& File) {
    if (FT_Init_FreeType(&Lib)) throw std::runtime_error("FreeType does not start");
    if (FT_New_Face(Lib, File.c_str(), 0, &Face)) {
      FT_Done_FreeType(Lib);
      throw std::runtime_error("cannot read font \"" + File + "\"");
    }
  }
  ~TFace() {
    FT_Done_Face(Face);
    FT_Done_FreeType(Lib);
  }
  TFace(const TFace&) = delete;
  TFace& operator=(const TFace&) = delete;
};

}  // namespace

TTextMask RenderText(const std::string& FontFile, const std::string& Text, int PixelSize, float WidthScale) {
  TFace F(FontFile);
  FT_Set_Pixel_Sizes(F.Face, static_cast<FT_UInt>(std::lround(PixelSize * WidthScale)), static_cast<FT_UInt>(PixelSize));
  const int Ascender = static_cast<int>(std::lround(F.Face->size->metrics.ascender / 64.0));
  const int Descender = static_cast<int>(std::lround(-F.Face->size->metrics.descender / 64.0));
  // Two passes: the first measures the line, the second draws it.
  TTextMask M;
  for (int Pass = 0; Pass < 2; ++Pass) {
    long Pen = 0;  // 26.6 fixed point
    FT_UInt Previous = 0;
    int Right = 0;
    for (char32_t Code : DecodeUTF8(Text)) {
      const FT_UInt Index = FT_Get_Char_Index(F.Face, Code);
      if (Previous && Index && FT_HAS_KERNING(F.Face)) {
        FT_Vector Kern;
        FT_Get_Kerning(F.Face, Previous, Index, FT_KERNING_DEFAULT, &Kern);
        Pen += Kern.x;
      }
      if (FT_Load_Glyph(F.Face, Index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) continue;
      const FT_GlyphSlot G = F.Face->glyph;
      const int X0 = static_cast<int>(std::lround(Pen / 64.0)) + G->bitmap_left, Y0 = Ascender - G->bitmap_top;
      Right = std::max(Right, X0 + static_cast<int>(G->bitmap.width));
      if (Pass == 1)
        for (unsigned R = 0; R < G->bitmap.rows; ++R)
          for (unsigned C = 0; C < G->bitmap.width; ++C) {
            const int X = X0 + static_cast<int>(C), Y = Y0 + static_cast<int>(R);
            if (X < 0 || Y < 0 || X >= M.Width || Y >= M.Height) continue;
            float& Cell = M.Cover[static_cast<std::size_t>(Y) * M.Width + X];
            Cell = std::max(Cell, G->bitmap.buffer[static_cast<std::ptrdiff_t>(R) * G->bitmap.pitch + C] / 255.0f);
          }
      Pen += G->advance.x;
      Previous = Index;
    }
    if (Pass == 0) {
      M.Width = std::max(Right, static_cast<int>(std::lround(Pen / 64.0)));
      M.Height = Ascender + Descender;
      M.Baseline = Ascender;
      M.Cover.assign(static_cast<std::size_t>(M.Width) * M.Height, 0.0f);
    }
  }
  return M;
}

TTextMask Grown(const TTextMask& M, float Radius) {
  const int R = static_cast<int>(std::ceil(Radius));
  TTextMask G;
  G.Width = M.Width + 2 * R;
  G.Height = M.Height + 2 * R;
  G.Baseline = M.Baseline + R;
  G.Cover.assign(static_cast<std::size_t>(G.Width) * G.Height, 0.0f);
  for (int Y = 0; Y < G.Height; ++Y)
    for (int X = 0; X < G.Width; ++X) {
      float A = 0;
      for (int DY = -R; DY <= R; ++DY)
        for (int DX = -R; DX <= R; ++DX) {
          const float D = std::sqrt(static_cast<float>(DX * DX + DY * DY));
          A = std::max(A, M.At(X - R + DX, Y - R + DY) * std::clamp(Radius + 0.5f - D, 0.0f, 1.0f));
        }
      G.Cover[static_cast<std::size_t>(Y) * G.Width + X] = A;
    }
  return G;
}

void DrawMask(TCanvas& K, const TTextMask& M, int X0, int Y0, TColor C) {
  for (int Y = 0; Y < M.Height; ++Y)
    for (int X = 0; X < M.Width; ++X) {
      const int TX = X0 + X, TY = Y0 + Y;
      if (TX < 0 || TY < 0 || TX >= K.Width || TY >= K.Height) continue;
      const float SA = C.A * M.At(X, Y);
      if (SA <= 0) continue;
      TColor& D = K.At(TX, TY);
      const float OA = SA + D.A * (1 - SA);
      D.R = (C.R * SA + D.R * D.A * (1 - SA)) / OA;
      D.G = (C.G * SA + D.G * D.A * (1 - SA)) / OA;
      D.B = (C.B * SA + D.B * D.A * (1 - SA)) / OA;
      D.A = OA;
    }
}
