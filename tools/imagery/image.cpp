#include "image.h"

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

std::string EncodeDDSFile(const TImage& Image, bool Alpha, bool BottomFirst) {
  int Levels = 1;
  for (int W = Image.Width, H = Image.Height; W > 1 || H > 1; W = (W + 1) / 2, H = (H + 1) / 2) ++Levels;
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
    if (L + 1 < Levels) Level = Level.Halved();
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

