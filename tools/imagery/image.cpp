#include "image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <csetjmp>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>


namespace {

std::uint8_t ToByte(float V) { return static_cast<std::uint8_t>(std::lround(Clamp01(V) * 255.0f)); }

struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void OnJpegError(j_common_ptr Info) { std::longjmp(reinterpret_cast<TJpegError*>(Info->err)->Jump, 1); }

void Put32(std::string& S, std::size_t At, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) S[At + I] = static_cast<char>((V >> (8 * I)) & 0xFF);
}

std::string ReadAll(const std::filesystem::path& File) {
  std::ifstream In(File, std::ios::binary);
  if (!In) throw std::runtime_error("cannot read \"" + File.string() + "\"");
  return std::string(std::istreambuf_iterator<char>(In), {});
}

}  // namespace

TColor TImage::Sample(float U, float V) const {
  float X = U * Width - 0.5f, Y = V * Height - 0.5f;
  int X0 = static_cast<int>(std::floor(X)), Y0 = static_cast<int>(std::floor(Y));
  float FX = X - X0, FY = Y - Y0;
  auto Wrap = [&](int I) { return ((I % Width) + Width) % Width; };
  auto ClampY = [&](int I) { return I < 0 ? 0 : I >= Height ? Height - 1 : I; };
  const TColor &A = At(Wrap(X0), ClampY(Y0)), &B = At(Wrap(X0 + 1), ClampY(Y0)), &C = At(Wrap(X0), ClampY(Y0 + 1)),
               &D = At(Wrap(X0 + 1), ClampY(Y0 + 1));
  return Mix(Mix(A, B, FX), Mix(C, D, FX), FY);
}

TImage TImage::Halved() const {
  TImage Out((Width + 1) / 2, (Height + 1) / 2);
  for (int Y = 0; Y < Out.Height; ++Y)
    for (int X = 0; X < Out.Width; ++X) {
      TColor S{0, 0, 0, 0};
      for (int DY = 0; DY < 2; ++DY)
        for (int DX = 0; DX < 2; ++DX) {
          const TColor& P = At(std::min(2 * X + DX, Width - 1), std::min(2 * Y + DY, Height - 1));
          S.R += P.R, S.G += P.G, S.B += P.B, S.A += P.A;
        }
      Out.At(X, Y) = {S.R / 4, S.G / 4, S.B / 4, S.A / 4};
    }
  return Out;
}

TImage TImage::Resized(int W, int H) const {
  const TImage* Src = this;
  TImage Step;
  while (Src->Width >= 2 * W && Src->Height >= 2 * H) {
    Step = Src->Halved();
    Src = &Step;
  }
  TImage Out(W, H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Out.At(X, Y) = Src->Sample((X + 0.5f) / W, (Y + 0.5f) / H);
  return Out;
}

TImage ReadJPEG(const std::filesystem::path& File) {
  std::string Bytes = ReadAll(File);
  jpeg_decompress_struct Info;
  TJpegError Err;
  Info.err = jpeg_std_error(&Err.Manager);
  Err.Manager.error_exit = OnJpegError;
  if (setjmp(Err.Jump)) {
    jpeg_destroy_decompress(&Info);
    throw std::runtime_error("\"" + File.string() + "\" is not a readable JPEG");
  }
  jpeg_create_decompress(&Info);
  jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(Bytes.data()), static_cast<unsigned long>(Bytes.size()));
  jpeg_read_header(&Info, TRUE);
  Info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&Info);
  TImage Out(static_cast<int>(Info.output_width), static_cast<int>(Info.output_height));
  std::vector<unsigned char> Row(static_cast<std::size_t>(Info.output_width) * 3);
  while (Info.output_scanline < Info.output_height) {
    int Y = static_cast<int>(Info.output_scanline);
    unsigned char* P = Row.data();
    jpeg_read_scanlines(&Info, &P, 1);
    for (int X = 0; X < Out.Width; ++X) Out.At(X, Y) = Rgb(Row[3 * X], Row[3 * X + 1], Row[3 * X + 2]);
  }
  jpeg_finish_decompress(&Info);
  jpeg_destroy_decompress(&Info);
  return Out;
}

TImage ReadPNG(const std::filesystem::path& File) {
  std::string Bytes = ReadAll(File);
  png_image Img;
  std::memset(&Img, 0, sizeof Img);
  Img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&Img, Bytes.data(), Bytes.size()))
    throw std::runtime_error("\"" + File.string() + "\" is not a readable PNG");
  Img.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> Px(PNG_IMAGE_SIZE(Img));
  if (!png_image_finish_read(&Img, nullptr, Px.data(), 0, nullptr)) {
    png_image_free(&Img);
    throw std::runtime_error("\"" + File.string() + "\" is not a readable PNG");
  }
  TImage Out(static_cast<int>(Img.width), static_cast<int>(Img.height));
  for (std::size_t I = 0; I < Out.Pixels.size(); ++I)
    Out.Pixels[I] = {Px[4 * I] / 255.0f, Px[4 * I + 1] / 255.0f, Px[4 * I + 2] / 255.0f, Px[4 * I + 3] / 255.0f};
  return Out;
}

std::string EncodePNGFile(const TImage& Image, bool Alpha) {
  png_image Img;
  std::memset(&Img, 0, sizeof Img);
  Img.version = PNG_IMAGE_VERSION;
  Img.width = static_cast<png_uint_32>(Image.Width);
  Img.height = static_cast<png_uint_32>(Image.Height);
  Img.format = Alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  const int C = Alpha ? 4 : 3;
  std::vector<std::uint8_t> Px(Image.Pixels.size() * C);
  for (std::size_t I = 0; I < Image.Pixels.size(); ++I) {
    const TColor& P = Image.Pixels[I];
    Px[C * I] = ToByte(P.R), Px[C * I + 1] = ToByte(P.G), Px[C * I + 2] = ToByte(P.B);
    if (Alpha) Px[C * I + 3] = ToByte(P.A);
  }
  png_alloc_size_t Needed = 0;
  if (!png_image_write_to_memory(&Img, nullptr, &Needed, 0, Px.data(), 0, nullptr))
    throw std::runtime_error("cannot encode a PNG");
  std::string Bytes(Needed, '\0');
  if (!png_image_write_to_memory(&Img, Bytes.data(), &Needed, 0, Px.data(), 0, nullptr))
    throw std::runtime_error("cannot encode a PNG");
  Bytes.resize(Needed);
  return Bytes;
}

namespace {
// A DDS file's levels each halve the one before, rounded down, as its readers expect (768 rows:
// 384, ..., 3, 1), down to 1 x 1.
int DDSLevelCount(const TImage& Image) {
  int Levels = 1;
  for (int W = Image.Width, H = Image.Height; W > 1 || H > 1; W = std::max(1, W / 2), H = std::max(1, H / 2)) ++Levels;
  return Levels;
}
TImage NextDDSLevel(const TImage& Level) {
  TImage Next = Level.Halved();
  const int W = std::max(1, Level.Width / 2), H = std::max(1, Level.Height / 2);
  if (Next.Width == W && Next.Height == H) return Next;
  TImage Cut(W, H);  // an odd side drops its last halved pixel
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Cut.At(X, Y) = Next.At(X, Y);
  return Cut;
}
}  // namespace

std::string EncodeDDSFile(const TImage& Image, bool Alpha, bool BottomFirst) {
  const int Levels = DDSLevelCount(Image);
  const int C = Alpha ? 4 : 3;
  std::string S(128, '\0');
  std::memcpy(S.data(), "DDS ", 4);
  Put32(S, 4, 124);
  Put32(S, 8, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000 | 0x20000);  // caps, height, width, pitch, pixel format, mipmaps
  Put32(S, 12, static_cast<std::uint32_t>(Image.Height));
  Put32(S, 16, static_cast<std::uint32_t>(Image.Width));
  Put32(S, 20, static_cast<std::uint32_t>(Image.Width * C));
  Put32(S, 28, static_cast<std::uint32_t>(Levels));
  Put32(S, 76, 32);
  Put32(S, 80, Alpha ? 0x40 | 0x1 : 0x40);
  Put32(S, 88, static_cast<std::uint32_t>(8 * C));
  Put32(S, 92, 0xFF0000);
  Put32(S, 96, 0xFF00);
  Put32(S, 100, 0xFF);
  Put32(S, 104, Alpha ? 0xFF000000u : 0u);
  Put32(S, 108, 0x1000 | 0x8 | 0x400000);  // texture, complex, mipmap
  TImage Level = Image;
  for (int L = 0; L < Levels; ++L) {
    for (int R = 0; R < Level.Height; ++R) {
      int Y = BottomFirst ? Level.Height - 1 - R : R;
      for (int X = 0; X < Level.Width; ++X) {
        const TColor& P = Level.At(X, Y);
        S += static_cast<char>(ToByte(P.B));
        S += static_cast<char>(ToByte(P.G));
        S += static_cast<char>(ToByte(P.R));
        if (Alpha) S += static_cast<char>(ToByte(P.A));
      }
    }
    if (L + 1 < Levels) Level = NextDDSLevel(Level);
  }
  return S;
}

namespace {
std::uint16_t To565(int R, int G, int B) {
  return static_cast<std::uint16_t>(((R * 31 + 127) / 255) << 11 | ((G * 63 + 127) / 255) << 5 | ((B * 31 + 127) / 255));
}
std::array<int, 3> From565(std::uint16_t C) {
  const int R = C >> 11, G = (C >> 5) & 63, B = C & 31;
  return {(R << 3) | (R >> 2), (G << 2) | (G >> 4), (B << 3) | (B >> 2)};
}

// One 4 x 4 block (texels clamped at the picture's edge) as a four-colour DXT1 block: the two
// end colours span the block's colours along their widest channel range, every texel takes the
// nearest of the four palette colours.
void EncodeDXT1Block(const TImage& Level, int BX, int BY, bool BottomFirst, std::string& Out) {
  std::array<std::array<int, 3>, 16> Texels;
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X) {
      const int R = std::min(BY + Y, Level.Height - 1), Row = BottomFirst ? Level.Height - 1 - R : R;
      const TColor& P = Level.At(std::min(BX + X, Level.Width - 1), Row);
      Texels[static_cast<std::size_t>(Y * 4 + X)] = {ToByte(P.R), ToByte(P.G), ToByte(P.B)};
    }
  // The principal direction, approximated by the box's diagonal with the covariance's signs.
  std::array<int, 3> Lo{255, 255, 255}, Hi{0, 0, 0};
  std::array<double, 3> Mean{0, 0, 0};
  for (const auto& T : Texels)
    for (int c = 0; c < 3; ++c) {
      Lo[c] = std::min(Lo[c], T[c]), Hi[c] = std::max(Hi[c], T[c]);
      Mean[c] += T[c] / 16.0;
    }
  std::array<double, 3> Axis{double(Hi[0] - Lo[0]), double(Hi[1] - Lo[1]), double(Hi[2] - Lo[2])};
  const int Main = Axis[1] >= Axis[0] && Axis[1] >= Axis[2] ? 1 : (Axis[0] >= Axis[2] ? 0 : 2);
  for (int c = 0; c < 3; ++c) {
    if (c == Main) continue;
    double Cov = 0;
    for (const auto& T : Texels) Cov += (T[Main] - Mean[Main]) * (T[c] - Mean[c]);
    if (Cov < 0) Axis[c] = -Axis[c];
  }
  double Min = 1e9, Max = -1e9;
  for (const auto& T : Texels) {
    const double D = (T[0] - Mean[0]) * Axis[0] + (T[1] - Mean[1]) * Axis[1] + (T[2] - Mean[2]) * Axis[2];
    Min = std::min(Min, D), Max = std::max(Max, D);
  }
  const double Len2 = Axis[0] * Axis[0] + Axis[1] * Axis[1] + Axis[2] * Axis[2];
  std::array<int, 3> A{}, B{};
  for (int c = 0; c < 3; ++c) {
    const double Step = Len2 > 0 ? Axis[c] / Len2 : 0.0;
    A[c] = std::clamp(static_cast<int>(std::lround(Mean[c] + Max * Step)), 0, 255);
    B[c] = std::clamp(static_cast<int>(std::lround(Mean[c] + Min * Step)), 0, 255);
  }
  std::uint16_t C0 = To565(A[0], A[1], A[2]), C1 = To565(B[0], B[1], B[2]);
  if (C0 < C1) std::swap(C0, C1);
  std::uint32_t Indices = 0;
  if (C0 != C1) {
    const auto E0 = From565(C0), E1 = From565(C1);
    std::array<std::array<int, 3>, 4> Palette{E0, E1, {}, {}};
    for (int c = 0; c < 3; ++c) {
      Palette[2][c] = (2 * E0[c] + E1[c]) / 3;
      Palette[3][c] = (E0[c] + 2 * E1[c]) / 3;
    }
    for (std::size_t i = 0; i < 16; ++i) {
      int Best = 0, BestD = 1 << 30;
      for (int k = 0; k < 4; ++k) {
        int D = 0;
        for (int c = 0; c < 3; ++c) D += (Texels[i][c] - Palette[k][c]) * (Texels[i][c] - Palette[k][c]);
        if (D < BestD) BestD = D, Best = k;
      }
      Indices |= std::uint32_t(Best) << (2 * i);
    }
  }
  for (std::uint32_t V : {std::uint32_t(C0), std::uint32_t(C1)}) {
    Out += static_cast<char>(V & 0xFF);
    Out += static_cast<char>(V >> 8);
  }
  for (int k = 0; k < 4; ++k) Out += static_cast<char>((Indices >> (8 * k)) & 0xFF);
}
}  // namespace

std::string EncodeDXT1DDSFile(const TImage& Image, bool BottomFirst) {
  const int Levels = DDSLevelCount(Image);
  std::string S(128, '\0');
  std::memcpy(S.data(), "DDS ", 4);
  Put32(S, 4, 124);
  Put32(S, 8, 0x1 | 0x2 | 0x4 | 0x1000 | 0x20000 | 0x80000);  // caps, height, width, pixel format, mipmaps, linear size
  Put32(S, 12, static_cast<std::uint32_t>(Image.Height));
  Put32(S, 16, static_cast<std::uint32_t>(Image.Width));
  Put32(S, 20, static_cast<std::uint32_t>(((Image.Width + 3) / 4) * ((Image.Height + 3) / 4) * 8));
  Put32(S, 28, static_cast<std::uint32_t>(Levels));
  Put32(S, 76, 32);
  Put32(S, 80, 0x4);  // four-character code
  std::memcpy(&S[84], "DXT1", 4);
  Put32(S, 108, 0x1000 | 0x8 | 0x400000);  // texture, complex, mipmap
  TImage Level = Image;
  for (int L = 0; L < Levels; ++L) {
    for (int BY = 0; BY < Level.Height; BY += 4)
      for (int BX = 0; BX < Level.Width; BX += 4) EncodeDXT1Block(Level, BX, BY, BottomFirst, S);
    if (L + 1 < Levels) Level = NextDDSLevel(Level);
  }
  return S;
}

std::string EncodeDDSVolume(const std::vector<std::uint8_t>& Voxels, int Side) {
  std::string S(128, '\0');
  std::memcpy(S.data(), "DDS ", 4);
  Put32(S, 4, 124);
  Put32(S, 8, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000 | 0x800000);  // caps, height, width, pitch, pixel format, depth
  Put32(S, 12, static_cast<std::uint32_t>(Side));
  Put32(S, 16, static_cast<std::uint32_t>(Side));
  Put32(S, 20, static_cast<std::uint32_t>(Side));
  Put32(S, 24, static_cast<std::uint32_t>(Side));
  Put32(S, 76, 32);
  Put32(S, 80, 0x20000);  // luminance
  Put32(S, 88, 8);
  Put32(S, 92, 0xFF);
  Put32(S, 108, 0x1000 | 0x8);  // texture, complex
  Put32(S, 112, 0x200000);      // volume
  S.append(reinterpret_cast<const char*>(Voxels.data()), Voxels.size());
  return S;
}

