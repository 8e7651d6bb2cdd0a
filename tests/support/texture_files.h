#pragma once
// Small texture files built in memory for the loader tests: every format the game reads, from a
// picture given as RGBA pixels with the bottom row first.
#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/png_codec.h"

struct TTestPicture {
  std::uint32_t Width = 0, Height = 0;
  std::vector<std::uint8_t> Rgba;  // bottom row first
  const std::uint8_t* At(std::uint32_t X, std::uint32_t Y) const { return &Rgba[(std::size_t(Y) * Width + X) * 4]; }
};

// W x H with corners bottom-left red, bottom-right green, top-left blue, top-right white; the
// rest grey; alpha 255 except the top-right corner (128).
inline TTestPicture CornerPicture(std::uint32_t W, std::uint32_t H) {
  TTestPicture P{W, H, std::vector<std::uint8_t>(std::size_t(W) * H * 4, 128)};
  for (std::size_t I = 3; I < P.Rgba.size(); I += 4) P.Rgba[I] = 255;
  auto Set = [&](std::uint32_t X, std::uint32_t Y, std::uint8_t R, std::uint8_t G, std::uint8_t B, std::uint8_t A) {
    std::uint8_t* Px = &P.Rgba[(std::size_t(Y) * W + X) * 4];
    Px[0] = R, Px[1] = G, Px[2] = B, Px[3] = A;
  };
  Set(0, 0, 255, 0, 0, 255);
  Set(W - 1, 0, 0, 255, 0, 255);
  Set(0, H - 1, 0, 0, 255, 255);
  Set(W - 1, H - 1, 255, 255, 255, 128);
  return P;
}

// The same colours as CornerPicture, each filling a quarter (for lossy formats).
inline TTestPicture QuadrantPicture(std::uint32_t W, std::uint32_t H) {
  TTestPicture P = CornerPicture(W, H);
  for (std::uint32_t Y = 0; Y < H; ++Y)
    for (std::uint32_t X = 0; X < W; ++X) {
      const std::uint8_t* C = P.At(X < W / 2 ? 0 : W - 1, Y < H / 2 ? 0 : H - 1);
      std::memmove(&P.Rgba[(std::size_t(Y) * W + X) * 4], C, 4);
    }
  return P;
}

inline void PutU16(std::string& S, std::size_t At, std::uint32_t V) {
  S[At] = char(V & 0xFF);
  S[At + 1] = char((V >> 8) & 0xFF);
}
inline void PutU32(std::string& S, std::size_t At, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) S[At + I] = char((V >> (8 * I)) & 0xFF);
}

inline std::string MakePNGFile(const TTestPicture& P) {
  std::string Bytes, Error;
  EncodePNG(P.Rgba.data(), P.Width, P.Height, Bytes, Error);
  return Bytes;
}

// Uncompressed TGA (type 2), bottom row first unless TopFirst.
inline std::string MakeTGAFile(const TTestPicture& P, int Bits, bool TopFirst = false, const std::string& Id = "") {
  std::string S(18, '\0');
  S[0] = char(Id.size());
  S[2] = 2;
  PutU16(S, 12, P.Width);
  PutU16(S, 14, P.Height);
  S[16] = char(Bits);
  S[17] = char(TopFirst ? 0x20 : 0);
  S += Id;
  for (std::uint32_t R = 0; R < P.Height; ++R) {
    std::uint32_t Y = TopFirst ? P.Height - 1 - R : R;
    for (std::uint32_t X = 0; X < P.Width; ++X) {
      const std::uint8_t* Px = P.At(X, Y);
      S += char(Px[2]);
      S += char(Px[1]);
      S += char(Px[0]);
      if (Bits == 32) S += char(Px[3]);
    }
  }
  return S;
}

// Run-length TGA (type 10): each row as one raw packet, except rows of one colour as a run.
inline std::string MakeRLETGAFile(const TTestPicture& P, int Bits) {
  std::string S(18, '\0');
  S[2] = 10;
  PutU16(S, 12, P.Width);
  PutU16(S, 14, P.Height);
  S[16] = char(Bits);
  const int BPP = Bits / 8;
  auto Pixel = [&](std::uint32_t X, std::uint32_t Y) {
    const std::uint8_t* Px = P.At(X, Y);
    std::string O{char(Px[2]), char(Px[1]), char(Px[0])};
    if (BPP == 4) O += char(Px[3]);
    return O;
  };
  for (std::uint32_t Y = 0; Y < P.Height; ++Y) {
    bool Same = true;
    for (std::uint32_t X = 1; X < P.Width; ++X) Same = Same && Pixel(X, Y) == Pixel(0, Y);
    if (Same) {
      S += char(0x80 | (P.Width - 1));
      S += Pixel(0, Y);
    } else {
      S += char(P.Width - 1);
      for (std::uint32_t X = 0; X < P.Width; ++X) S += Pixel(X, Y);
    }
  }
  return S;
}

// Uncompressed BMP with padded rows; a negative height when TopDown.
inline std::string MakeBMPFile(const TTestPicture& P, int Bits, bool TopDown = false) {
  const std::uint32_t Row = (P.Width * Bits + 31) / 32 * 4;
  std::string S(54, '\0');
  S[0] = 'B';
  S[1] = 'M';
  PutU32(S, 2, 54 + Row * P.Height);
  PutU32(S, 10, 54);
  PutU32(S, 14, 40);
  PutU32(S, 18, P.Width);
  PutU32(S, 22, TopDown ? std::uint32_t(-std::int32_t(P.Height)) : P.Height);
  PutU16(S, 26, 1);
  PutU16(S, 28, Bits);
  PutU32(S, 34, Row * P.Height);
  for (std::uint32_t R = 0; R < P.Height; ++R) {
    std::uint32_t Y = TopDown ? P.Height - 1 - R : R;
    std::string Line;
    for (std::uint32_t X = 0; X < P.Width; ++X) {
      const std::uint8_t* Px = P.At(X, Y);
      Line += char(Px[2]);
      Line += char(Px[1]);
      Line += char(Px[0]);
      if (Bits == 32) Line += char(Px[3]);
    }
    Line.resize(Row, '\0');
    S += Line;
  }
  return S;
}

inline std::string MakeJPEGFile(const TTestPicture& P, int Quality = 95, bool Grey = false) {
  jpeg_compress_struct C;
  jpeg_error_mgr E;
  C.err = jpeg_std_error(&E);
  jpeg_create_compress(&C);
  unsigned char* Out = nullptr;
  unsigned long Size = 0;
  jpeg_mem_dest(&C, &Out, &Size);
  C.image_width = P.Width;
  C.image_height = P.Height;
  C.input_components = Grey ? 1 : 3;
  C.in_color_space = Grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&C);
  jpeg_set_quality(&C, Quality, TRUE);
  jpeg_start_compress(&C, TRUE);
  std::vector<std::uint8_t> Row(P.Width * 3);
  while (C.next_scanline < C.image_height) {
    std::uint32_t Y = P.Height - 1 - C.next_scanline;  // JPEG rows go top first
    for (std::uint32_t X = 0; X < P.Width; ++X) {
      if (Grey)
        Row[X] = P.At(X, Y)[0];
      else
        std::memcpy(&Row[X * 3], P.At(X, Y), 3);
    }
    JSAMPROW R = Row.data();
    jpeg_write_scanlines(&C, &R, 1);
  }
  jpeg_finish_compress(&C);
  std::string Bytes(reinterpret_cast<char*>(Out), Size);
  jpeg_destroy_compress(&C);
  std::free(Out);
  return Bytes;
}

// The 128-byte DDS header.
struct TDDSHeaderSpec {
  std::uint32_t Width = 4, Height = 4, Depth = 0, MipMapCount = 0, Flags = 0x1 | 0x1000 | 0x2 | 0x4;
  std::uint32_t PixelFlags = 0, FourCC = 0, Bits = 0, RMask = 0, GMask = 0, BMask = 0, AMask = 0;
  std::uint32_t Pitch = 0;
};

inline std::string MakeDDSHeader(const TDDSHeaderSpec& H) {
  std::string S(128, '\0');
  std::memcpy(S.data(), "DDS ", 4);
  PutU32(S, 4, 124);
  PutU32(S, 8, H.Flags);
  PutU32(S, 12, H.Height);
  PutU32(S, 16, H.Width);
  PutU32(S, 20, H.Pitch);
  PutU32(S, 24, H.Depth);
  PutU32(S, 28, H.MipMapCount);
  PutU32(S, 76, 32);
  PutU32(S, 80, H.PixelFlags);
  PutU32(S, 84, H.FourCC);
  PutU32(S, 88, H.Bits);
  PutU32(S, 92, H.RMask);
  PutU32(S, 96, H.GMask);
  PutU32(S, 100, H.BMask);
  PutU32(S, 104, H.AMask);
  return S;
}

inline TDDSHeaderSpec DXT1Spec(std::uint32_t W, std::uint32_t H, std::uint32_t Levels = 0) {
  TDDSHeaderSpec S;
  S.Width = W;
  S.Height = H;
  if (Levels) {
    S.Flags |= 0x20000;
    S.MipMapCount = Levels;
  }
  S.PixelFlags = 0x4;
  S.FourCC = '1' << 24 | 'T' << 16 | 'X' << 8 | 'D';
  return S;
}

inline TDDSHeaderSpec BGRA8Spec(std::uint32_t W, std::uint32_t H) {
  TDDSHeaderSpec S;
  S.Width = W;
  S.Height = H;
  S.PixelFlags = 0x40 | 0x1;
  S.Bits = 32;
  S.RMask = 0xFF0000;
  S.GMask = 0xFF00;
  S.BMask = 0xFF;
  S.AMask = 0xFF000000;
  return S;
}

// A BGRA8 DDS of the picture, one level, bottom row first as the game's writer stores it.
inline std::string MakeBGRA8DDSFile(const TTestPicture& P) {
  std::string S = MakeDDSHeader(BGRA8Spec(P.Width, P.Height));
  for (std::size_t I = 0; I < P.Rgba.size(); I += 4) {
    S += char(P.Rgba[I + 2]);
    S += char(P.Rgba[I + 1]);
    S += char(P.Rgba[I]);
    S += char(P.Rgba[I + 3]);
  }
  return S;
}

// A DXT1 block of one colour (RGB565 value), all 16 texels of colour 0.
inline std::string SolidDXT1Block(std::uint16_t Color565) {
  std::string B(8, '\0');
  PutU16(B, 0, Color565);
  PutU16(B, 2, Color565);
  return B;  // indices all 0
}
