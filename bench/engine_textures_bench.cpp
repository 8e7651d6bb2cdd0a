// Texture decoding per format (bytes of file per second) and uploading of decoded pictures.
// The pictures are 1024 x 1024 with smooth gradients and some noise, like painted textures.
#include <benchmark/benchmark.h>

#include <jpeglib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/streams.h"
#include "engine/texture_decoders.h"
#include "engine/textures.h"
#include "platform/png_codec.h"
#include "platform/random.h"
#include "platform/window_host.h"

namespace {
const std::uint32_t kSide = 1024;

std::vector<std::uint8_t> Picture() {
  SetRandomSeed(7);
  std::vector<std::uint8_t> P(std::size_t(kSide) * kSide * 4);
  for (std::uint32_t Y = 0; Y < kSide; ++Y)
    for (std::uint32_t X = 0; X < kSide; ++X) {
      std::uint8_t* Px = &P[(std::size_t(Y) * kSide + X) * 4];
      Px[0] = std::uint8_t(X / 4 + Random(8));
      Px[1] = std::uint8_t(Y / 4 + Random(8));
      Px[2] = std::uint8_t((X + Y) / 8);
      Px[3] = 255;
    }
  return P;
}

const std::vector<std::uint8_t>& ThePicture() {
  static const auto P = Picture();
  return P;
}

std::string PNGFile() {
  std::string Bytes, Error;
  EncodePNG(ThePicture().data(), kSide, kSide, Bytes, Error);
  return Bytes;
}

std::string JPGFile() {
  jpeg_compress_struct C;
  jpeg_error_mgr E;
  C.err = jpeg_std_error(&E);
  jpeg_create_compress(&C);
  unsigned char* Out = nullptr;
  unsigned long Size = 0;
  jpeg_mem_dest(&C, &Out, &Size);
  C.image_width = kSide;
  C.image_height = kSide;
  C.input_components = 3;
  C.in_color_space = JCS_RGB;
  jpeg_set_defaults(&C);
  jpeg_set_quality(&C, 90, TRUE);
  jpeg_start_compress(&C, TRUE);
  std::vector<std::uint8_t> Row(kSide * 3);
  while (C.next_scanline < kSide) {
    for (std::uint32_t X = 0; X < kSide; ++X)
      std::memcpy(&Row[X * 3], &ThePicture()[(std::size_t(C.next_scanline) * kSide + X) * 4], 3);
    JSAMPROW R = Row.data();
    jpeg_write_scanlines(&C, &R, 1);
  }
  jpeg_finish_compress(&C);
  std::string Bytes(reinterpret_cast<char*>(Out), Size);
  jpeg_destroy_compress(&C);
  std::free(Out);
  return Bytes;
}

void Put32(std::string& S, std::size_t At, std::uint32_t V) {
  for (int I = 0; I < 4; ++I) S[At + I] = char((V >> (8 * I)) & 0xFF);
}

std::string TGAFile(bool Rle) {
  std::string S(18, '\0');
  S[2] = Rle ? 10 : 2;
  S[12] = char(kSide & 0xFF), S[13] = char(kSide >> 8), S[14] = char(kSide & 0xFF), S[15] = char(kSide >> 8);
  S[16] = 32;
  const auto& P = ThePicture();
  for (std::size_t I = 0; I < P.size(); I += 4) {
    if (Rle && (I / 4) % 128 == 0) S += char(127);  // raw packets of 128 pixels
    S += char(P[I + 2]);
    S += char(P[I + 1]);
    S += char(P[I]);
    S += char(P[I + 3]);
  }
  return S;
}

std::string BMPFile() {
  std::string S(54, '\0');
  S[0] = 'B', S[1] = 'M';
  Put32(S, 10, 54);
  Put32(S, 14, 40);
  Put32(S, 18, kSide);
  Put32(S, 22, kSide);
  S[26] = 1;
  S[28] = 24;
  const auto& P = ThePicture();
  for (std::size_t I = 0; I < P.size(); I += 4) {
    S += char(P[I + 2]);
    S += char(P[I + 1]);
    S += char(P[I]);
  }
  return S;
}

std::string DDSFile(bool Compressed) {
  std::string S(128, '\0');
  std::memcpy(S.data(), "DDS ", 4);
  Put32(S, 4, 124);
  Put32(S, 8, 0x1 | 0x1000 | 0x20000);
  Put32(S, 12, kSide);
  Put32(S, 16, kSide);
  Put32(S, 28, 11);
  if (Compressed) {
    Put32(S, 80, 0x4);
    std::memcpy(&S[84], "DXT5", 4);
  } else {
    Put32(S, 80, 0x41);
    Put32(S, 88, 32);
    Put32(S, 92, 0xFF0000);
    Put32(S, 96, 0xFF00);
    Put32(S, 100, 0xFF);
    Put32(S, 104, 0xFF000000);
  }
  std::size_t Total = 0;
  for (std::uint32_t W = kSide; W >= 1; W /= 2) Total += Compressed ? std::size_t((W + 3) / 4) * ((W + 3) / 4) * 16 : std::size_t(W) * W * 4;
  SetRandomSeed(3);
  std::string Data(Total, '\0');
  for (char& C : Data) C = char(Random(256));
  return S + Data;
}

// With TARNOVA_BENCH_DUMP=<folder> the PNG and JPG files are also written there, to time the
// libpng and libjpeg command-line tools on the same bytes (pngtopam, djpeg).
void Dump(const char* Name, const std::string& File) {
  if (const char* Folder = std::getenv("TARNOVA_BENCH_DUMP"))
    std::ofstream(std::string(Folder) + "/" + Name, std::ios::binary) << File;
}

template <class F>
void DecodeLoop(benchmark::State& State, const std::string& File, F&& Decode) {
  const TBytes Bytes(reinterpret_cast<const std::uint8_t*>(File.data()), File.size());
  for (auto _ : State) benchmark::DoNotOptimize(Decode(Bytes));
  State.SetBytesProcessed(std::int64_t(State.iterations()) * std::int64_t(File.size()));
  State.counters["file_kB"] = double(File.size()) / 1024.0;
}

void BM_DecodePNG(benchmark::State& S) {
  static const auto F = PNGFile();
  Dump("bench.png", F);
  DecodeLoop(S, F, [](TBytes B) { return DecodePNGImage(B, "b.png").Pixels.size(); });
}
void BM_DecodeJPG(benchmark::State& S) {
  static const auto F = JPGFile();
  Dump("bench.jpg", F);
  DecodeLoop(S, F, [](TBytes B) { return DecodeJPGImage(B, "b.jpg").Pixels.size(); });
}
void BM_DecodeTGA(benchmark::State& S) {
  static const auto F = TGAFile(false);
  DecodeLoop(S, F, [](TBytes B) { return DecodeTGAImage(B, "b.tga", false).Pixels.size(); });
}
void BM_DecodeTGARLE(benchmark::State& S) {
  static const auto F = TGAFile(true);
  DecodeLoop(S, F, [](TBytes B) { return DecodeTGAImage(B, "b.tga", false).Pixels.size(); });
}
void BM_DecodeBMP(benchmark::State& S) {
  static const auto F = BMPFile();
  DecodeLoop(S, F, [](TBytes B) { return DecodeBMPImage(B, "b.bmp").Pixels.size(); });
}
void BM_DecodeDDSDXT5(benchmark::State& S) {
  static const auto F = DDSFile(true);
  DecodeLoop(S, F, [](TBytes B) { return DecodeDDSImage(B, "b.dds").Levels.size(); });
}
void BM_DecodeDDSBGRA8(benchmark::State& S) {
  static const auto F = DDSFile(false);
  DecodeLoop(S, F, [](TBytes B) { return DecodeDDSImage(B, "b.dds").Levels.size(); });
}

// Uploads need a context: a hidden window made once (skipped without a display).
TWindowHost* Window() {
  static TWindowHost* W = [] {
    auto* H = new TWindowHost;
    TWindowOptions O;
    O.Hidden = true;
    O.Width = O.Height = 64;
    if (!H->Create(O)) {
      delete H;
      return static_cast<TWindowHost*>(nullptr);
    }
    return H;
  }();
  return W;
}

void BM_UploadRGBA(benchmark::State& S) {
  if (!Window()) return S.SkipWithError("no GL context");
  gHardwareMipmaps = S.range(0) != 0;
  const bool Compress = S.range(1) != 0;
  for (auto _ : S) {
    GLuint Id = CreateTexture(kSide, kSide, GL_BGRA, ThePicture().data(), GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, Compress);
    glFinish();
    glDeleteTextures(1, &Id);
  }
  S.SetBytesProcessed(std::int64_t(S.iterations()) * std::int64_t(ThePicture().size()));
}

void BM_UploadDDS(benchmark::State& S) {
  if (!Window()) return S.SkipWithError("no GL context");
  // One file per argument: the compressed and the uncompressed upload.
  static const auto Compressed = DDSFile(true);
  static const auto Uncompressed = DDSFile(false);
  const auto& F = S.range(0) != 0 ? Compressed : Uncompressed;
  for (auto _ : S) {
    TMemoryStream Stream(F);
    std::uint32_t Id = 0;
    LoadDDSFromStream(Stream, Id);
    glFinish();
    GLuint N = Id;
    glDeleteTextures(1, &N);
  }
  S.SetBytesProcessed(std::int64_t(S.iterations()) * std::int64_t(F.size()));
}
}  // namespace

BENCHMARK(BM_DecodePNG)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeJPG)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTGA)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTGARLE)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeBMP)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeDDSDXT5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeDDSBGRA8)->Unit(benchmark::kMillisecond);
// Arguments: hardware mipmaps, compression.
BENCHMARK(BM_UploadRGBA)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UploadDDS)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
