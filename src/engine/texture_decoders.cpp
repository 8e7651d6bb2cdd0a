#include "engine/texture_decoders.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <memory>

#include "engine/gl_api.h"
#include "platform/latin1.h"
#include "platform/png_codec.h"
#include "platform/text_format.h"

namespace {
std::uint16_t U16(TBytes B, std::size_t At) { return static_cast<std::uint16_t>(B[At] | (B[At + 1] << 8)); }
std::uint32_t U32(TBytes B, std::size_t At) {
  return static_cast<std::uint32_t>(B[At]) | (static_cast<std::uint32_t>(B[At + 1]) << 8) |
         (static_cast<std::uint32_t>(B[At + 2]) << 16) | (static_cast<std::uint32_t>(B[At + 3]) << 24);
}

bool SizeAllowed(std::uint64_t W, std::uint64_t H) {
  return W > 0 && H > 0 && W <= kMaxTextureSide && H <= kMaxTextureSide && W * H <= kMaxTexturePixels;
}

std::string SizeText(std::uint64_t W, std::uint64_t H) { return std::to_string(W) + "x" + std::to_string(H); }

// Reverses the order of the rows in place.
void FlipRows(std::vector<std::uint8_t>& Pixels, std::size_t RowBytes, std::size_t Rows) {
  for (std::size_t Top = 0, Bottom = Rows - 1; Top < Bottom; ++Top, --Bottom)
    std::swap_ranges(Pixels.begin() + Top * RowBytes, Pixels.begin() + (Top + 1) * RowBytes,
                     Pixels.begin() + Bottom * RowBytes);
}
}  // namespace

std::string TextureFileKind(const std::string& FileName) {
  if (FileName.size() < 4) return "";
  const std::string Ext = UpperAscii(std::string_view(FileName).substr(FileName.size() - 4));
  if (Ext == ".PNG" || Ext == ".DDS" || Ext == ".TGA" || Ext == ".JPG" || Ext == ".BMP") return Ext;
  return "";
}

// ---------------------------------------------------------------------------------------- PNG

TDecodedImage DecodePNGImage(TBytes Bytes, const std::string& FileName) {
  TPNGImage Png;
  std::string Error;
  if (!DecodePNG(Bytes.data(), Bytes.size(), Png, Error, kMaxTexturePixels) || !SizeAllowed(Png.Width, Png.Height))
    throw ETextureError("PNG file " + Quoted(FileName) + " cannot be decoded: " +
                        (Error.empty() ? "image size " + SizeText(Png.Width, Png.Height) + " out of range" : Error));
  TDecodedImage Image;
  Image.Width = Png.Width;
  Image.Height = Png.Height;
  Image.Format = GL_BGRA;
  Image.RegisteredFormat = GL_RGBA;
  Image.Pixels = std::move(Png.Pixels);
  return Image;
}

// --------------------------------------------------------------------------------------- JPEG

namespace {
// libjpeg's own error handler ends the program; this one jumps back to the decoder instead.
struct TJPEGErrorManager {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void JPEGErrorExit(j_common_ptr Info) {
  auto* Err = reinterpret_cast<TJPEGErrorManager*>(Info->err);
  (*Info->err->format_message)(Info, Err->Message);
  std::longjmp(Err->Jump, 1);
}

void JPEGQuiet(j_common_ptr) {}

// Everything the decoder touches between setjmp and longjmp lives here, outside the jumping
// function's frame, so nothing is left indeterminate when libjpeg jumps back.
struct TJPEGDecode {
  jpeg_decompress_struct Info;
  TJPEGErrorManager Err;
  std::vector<std::uint8_t> Rgba;
  std::vector<std::uint8_t> Row;
  std::uint32_t Width = 0, Height = 0;
};

// Each step that calls into libjpeg sets its own jump point and holds no C++ objects of its own.
bool JPEGHeader(TJPEGDecode& D, const std::uint8_t* Data, std::size_t Size) {
  std::memset(&D.Info, 0, sizeof D.Info);
  D.Info.err = jpeg_std_error(&D.Err.Pub);
  D.Err.Pub.error_exit = JPEGErrorExit;
  D.Err.Pub.output_message = JPEGQuiet;
  D.Err.Message[0] = '\0';
  if (setjmp(D.Err.Jump)) {
    jpeg_destroy_decompress(&D.Info);
    return false;
  }
  jpeg_create_decompress(&D.Info);
  jpeg_mem_src(&D.Info, Data, static_cast<unsigned long>(Size));
  jpeg_read_header(&D.Info, TRUE);
  // Grey converts to RGB; a CMYK file makes libjpeg refuse the conversion.
  D.Info.out_color_space = JCS_RGB;
  jpeg_calc_output_dimensions(&D.Info);
  return true;
}

bool JPEGStart(TJPEGDecode& D) {
  if (setjmp(D.Err.Jump)) {
    jpeg_destroy_decompress(&D.Info);
    return false;
  }
  jpeg_start_decompress(&D.Info);
  return true;
}

bool JPEGScan(TJPEGDecode& D) {
  if (setjmp(D.Err.Jump)) {
    jpeg_destroy_decompress(&D.Info);
    return false;
  }
  while (D.Info.output_scanline < D.Height) {
    JSAMPROW Rows[1] = {D.Row.data()};
    const std::uint32_t Line = D.Info.output_scanline;
    jpeg_read_scanlines(&D.Info, Rows, 1);
    // The file's top row comes first; the texture's bottom row does.
    std::uint8_t* Out = D.Rgba.data() + std::size_t(D.Height - 1 - Line) * D.Width * 4;
    const std::uint8_t* In = D.Row.data();
    for (std::uint32_t X = 0; X < D.Width; ++X, In += 3, Out += 4) {
      Out[0] = In[0];
      Out[1] = In[1];
      Out[2] = In[2];
      Out[3] = 255;
    }
  }
  jpeg_finish_decompress(&D.Info);
  jpeg_destroy_decompress(&D.Info);
  return true;
}

std::string RunJPEG(TJPEGDecode& D, const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return "empty file";
  if (!JPEGHeader(D, Data, Size)) return D.Err.Message;
  if (!SizeAllowed(D.Info.output_width, D.Info.output_height) || D.Info.output_components != 3) {
    std::string Error = D.Info.output_components != 3
                            ? std::string("unsupported colour space")
                            : "image size " + SizeText(D.Info.output_width, D.Info.output_height) + " out of range";
    jpeg_destroy_decompress(&D.Info);
    return Error;
  }
  if (!JPEGStart(D)) return D.Err.Message;
  D.Width = D.Info.output_width;
  D.Height = D.Info.output_height;
  D.Rgba.resize(std::size_t(D.Width) * D.Height * 4);
  D.Row.resize(std::size_t(D.Width) * 3);
  if (!JPEGScan(D)) return D.Err.Message;
  return "";
}
}  // namespace

TDecodedImage DecodeJPGImage(TBytes Bytes, const std::string& FileName) {
  auto D = std::make_unique<TJPEGDecode>();
  std::string Error = RunJPEG(*D, Bytes.data(), Bytes.size());
  if (!Error.empty())
    throw ETextureError("JPG file " + Quoted(FileName) + " cannot be decoded: " + Error,
                        "BMP Unit", "Couldn't load JPG - " + Quoted(FileName));
  TDecodedImage Image;
  Image.Width = D->Width;
  Image.Height = D->Height;
  Image.Format = GL_RGBA;
  Image.RegisteredFormat = GL_RGB;  // no alpha test for photographs
  Image.Pixels = std::move(D->Rgba);
  return Image;
}

// ---------------------------------------------------------------------------------------- TGA

TDecodedImage DecodeTGAImage(TBytes Bytes, const std::string& FileName, bool FromStream) {
  const std::string Caption = "TGA File Error";
  const std::string Lead = FromStream ? "Couldn't load TGA" : "Couldn't load " + Quoted(FileName);
  auto Refuse = [&](const std::string& Tail) {
    return ETextureError("TGA file " + Quoted(FileName) + " refused: " + Lead + Tail, Caption, Lead + Tail);
  };
  auto Short = [&](const std::string& What) {
    return ETextureError("TGA file " + Quoted(FileName) + " is damaged: " + What, Caption,
                         FromStream ? "Couldn't read TGA." : "Couldn't read file " + Quoted(FileName) + ".");
  };
  if (Bytes.size() < 18) throw Short("the header is cut short");
  const std::uint8_t IdLength = Bytes[0], ColorMapType = Bytes[1], ImageType = Bytes[2], Bits = Bytes[16];
  if (ImageType != 2 && ImageType != 10) throw Refuse(". Only 24 and 32bit TGA supported.");
  if (ColorMapType != 0) throw Refuse(". Colormapped TGA files not supported.");
  if (Bits != 24 && Bits != 32) throw Refuse(". Only 24 and 32 bit TGA files supported.");
  const std::uint32_t W = U16(Bytes, 12), H = U16(Bytes, 14);
  if (!SizeAllowed(W, H)) throw Refuse(". Image size " + SizeText(W, H) + " not supported.");

  const std::size_t BPP = Bits / 8;
  const std::size_t Count = std::size_t(W) * H;
  // The image ID field lies between the header and the pixels.
  std::size_t Pos = 18 + std::size_t(IdLength);
  if (Pos > Bytes.size()) throw Short("the image ID runs past the end");

  TDecodedImage Image;
  Image.Width = W;
  Image.Height = H;
  Image.Format = Image.RegisteredFormat = BPP == 3 ? GL_RGB : GL_RGBA;
  if (ImageType == 2) {
    if (Bytes.size() - Pos < Count * BPP) throw Short("the pixels are cut short");
    Image.Pixels.assign(Bytes.begin() + Pos, Bytes.begin() + Pos + Count * BPP);
    for (std::size_t I = 0; I < Count * BPP; I += BPP) std::swap(Image.Pixels[I], Image.Pixels[I + 2]);
  } else {
    Image.Pixels.resize(Count * BPP);
    std::size_t Done = 0;
    while (Done < Count) {
      if (Pos >= Bytes.size()) throw Short("the run-length data ends after " + std::to_string(Done) + " pixels");
      const std::uint8_t Head = Bytes[Pos++];
      const bool Run = Head >= 128;
      // A packet that holds more pixels than remain writes only up to the end of the image.
      const std::size_t N = std::min<std::size_t>(Run ? Head - 127u : Head + 1u, Count - Done);
      const std::size_t Needed = Run ? BPP : N * BPP;
      if (Bytes.size() - Pos < Needed) throw Short("a run-length packet runs past the end");
      for (std::size_t I = 0; I < N; ++I) {
        const std::uint8_t* In = Bytes.data() + Pos + (Run ? 0 : I * BPP);
        std::uint8_t* Out = Image.Pixels.data() + (Done + I) * BPP;
        Out[0] = In[2];
        Out[1] = In[1];
        Out[2] = In[0];
        if (BPP == 4) Out[3] = In[3];
      }
      Pos += Needed;
      Done += N;
    }
  }
  // Descriptor bit 5: the rows are stored top first.
  if (Bytes[17] & 0x20) FlipRows(Image.Pixels, W * BPP, H);
  return Image;
}

// ---------------------------------------------------------------------------------------- BMP

TDecodedImage DecodeBMPImage(TBytes Bytes, const std::string& FileName) {
  const std::string Caption = "BMP Unit";
  const std::string Name = Quoted(FileName);
  if (Bytes.size() < 54) throw ETextureError("BMP file " + Name + " is cut short in its header", Caption, "Error reading palette");
  const std::uint32_t OffBits = U32(Bytes, 10), InfoSize = U32(Bytes, 14);
  const auto Width = static_cast<std::int32_t>(U32(Bytes, 18));
  const auto Height = static_cast<std::int32_t>(U32(Bytes, 22));
  const std::uint16_t BitCount = U16(Bytes, 28);
  const std::uint32_t Compression = U32(Bytes, 30), ClrUsed = U32(Bytes, 46);
  const std::string Unsupported = "Couldn't load " + Name + ". Only uncompressed 24 and 32 bit BMP files supported.";
  if (Bytes[0] != 'B' || Bytes[1] != 'M' || InfoSize < 40)
    throw ETextureError("BMP file " + Name + " is not a Windows bitmap", Caption, Unsupported);
  if (Compression != 0 || (BitCount != 24 && BitCount != 32))
    throw ETextureError("BMP file " + Name + " refused: " + std::to_string(BitCount) + " bits per pixel, compression " +
                            std::to_string(Compression),
                        Caption, Unsupported);
  // A negative height stores the rows top first.
  const bool TopDown = Height < 0;
  const std::uint64_t W = Width < 0 ? 0 : std::uint64_t(Width);
  const std::uint64_t H = TopDown ? std::uint64_t(-std::int64_t(Height)) : std::uint64_t(Height);
  if (!SizeAllowed(W, H))
    throw ETextureError("BMP file " + Name + " refused: image size " + SizeText(W, H), Caption, Unsupported);

  // The pixels start at bfOffBits; a writer that left it 0 put them after the palette.
  std::uint64_t Start = OffBits;
  if (Start < 14ull + InfoSize) {
    Start = 14ull + InfoSize + std::uint64_t(ClrUsed) * 4;
    if (Start > Bytes.size()) throw ETextureError("BMP file " + Name + ": the palette runs past the end", Caption, "Error reading palette");
  }
  const std::size_t InBPP = BitCount / 8;
  const std::uint64_t RowBytes = (W * BitCount + 31) / 32 * 4;  // rows are padded to four bytes
  if (Start > Bytes.size() || Bytes.size() - Start < RowBytes * (H - 1) + W * InBPP)
    throw ETextureError("BMP file " + Name + ": the pixels are cut short", Caption, "Error reading bitmap data");

  TDecodedImage Image;
  Image.Width = static_cast<std::uint32_t>(W);
  Image.Height = static_cast<std::uint32_t>(H);
  Image.Format = Image.RegisteredFormat = GL_RGB;
  Image.Pixels.resize(W * H * 3);
  for (std::uint64_t Y = 0; Y < H; ++Y) {
    const std::uint8_t* In = Bytes.data() + Start + RowBytes * (TopDown ? H - 1 - Y : Y);
    std::uint8_t* Out = Image.Pixels.data() + Y * W * 3;
    for (std::uint64_t X = 0; X < W; ++X, In += InBPP, Out += 3) {
      Out[0] = In[2];
      Out[1] = In[1];
      Out[2] = In[0];
    }
  }
  return Image;
}

// ---------------------------------------------------------------------------------------- DDS

namespace {
constexpr std::uint32_t DDSD_CAPS = 0x1, DDSD_PIXELFORMAT = 0x1000, DDSD_MIPMAPCOUNT = 0x20000, DDSD_DEPTH = 0x800000;
constexpr std::uint32_t DDPF_ALPHAPIXELS = 0x1, DDPF_FOURCC = 0x4, DDPF_PALETTEINDEXED8 = 0x20, DDPF_RGB = 0x40;

constexpr std::uint32_t FourCC(const char (&S)[5]) {
  return std::uint32_t(std::uint8_t(S[0])) | (std::uint32_t(std::uint8_t(S[1])) << 8) |
         (std::uint32_t(std::uint8_t(S[2])) << 16) | (std::uint32_t(std::uint8_t(S[3])) << 24);
}

// DDS stores 16-bit pixels as little-endian words, which is the host order here: no byte swap.
// 5-6-5 pixels with red in the top bits are GL_RGB with GL_UNSIGNED_SHORT_5_6_5 (GL_BGR with
// that type is not a valid combination).
const TDDSLoadInfo kDDSInfos[] = {
    {"DXT1", true, false, false, 4, 8, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 0, 0},
    {"DXT3", true, false, false, 4, 16, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 0, 0},
    {"DXT5", true, false, false, 4, 16, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0, 0},
    {"BGRA8", false, false, false, 1, 4, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE},
    {"BGR8", false, false, false, 1, 3, GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE},
    {"BGR5A1", false, false, false, 1, 2, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {"BGR565", false, false, false, 1, 2, GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5},
    {"Index8", false, false, true, 1, 1, GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE},
};

const TDDSLoadInfo* MatchDDSFormat(TBytes B) {
  const std::uint32_t Flags = U32(B, 80), Four = U32(B, 84), Bits = U32(B, 88);
  const std::uint32_t R = U32(B, 92), G = U32(B, 96), Bl = U32(B, 100), A = U32(B, 104);
  const bool Rgb = Flags & DDPF_RGB, Alpha = Flags & DDPF_ALPHAPIXELS;
  if ((Flags & DDPF_FOURCC) && Four == FourCC("DXT1")) return &kDDSInfos[0];
  if ((Flags & DDPF_FOURCC) && Four == FourCC("DXT3")) return &kDDSInfos[1];
  if ((Flags & DDPF_FOURCC) && Four == FourCC("DXT5")) return &kDDSInfos[2];
  if (Rgb && Alpha && Bits == 32 && R == 0xFF0000 && G == 0xFF00 && Bl == 0xFF && A == 0xFF000000) return &kDDSInfos[3];
  if (Rgb && !Alpha && Bits == 24 && R == 0xFF0000 && G == 0xFF00 && Bl == 0xFF) return &kDDSInfos[4];
  if (Rgb && Alpha && Bits == 16 && R == 0x7C00 && G == 0x3E0 && Bl == 0x1F && A == 0x8000) return &kDDSInfos[5];
  if (Rgb && !Alpha && Bits == 16 && R == 0xF800 && G == 0x7E0 && Bl == 0x1F) return &kDDSInfos[6];
  if ((Flags & DDPF_PALETTEINDEXED8) && Bits == 8) return &kDDSInfos[7];
  return nullptr;
}
}  // namespace

std::span<const TDDSLoadInfo> DDSLoadInfos() { return kDDSInfos; }

std::uint64_t DDSLevelSize(const TDDSLoadInfo& Info, std::uint32_t W, std::uint32_t H) {
  if (Info.Compressed) {
    // Whole blocks: a 5-pixel edge needs two blocks, a 1-pixel edge one.
    const std::uint64_t D = Info.DivSize;
    return ((W + D - 1) / D) * ((H + D - 1) / D) * Info.BlockBytes;
  }
  return std::uint64_t(W) * H * Info.BlockBytes;
}

TDDSImage DecodeDDSImage(TBytes Bytes, const std::string& FileName) {
  const std::string Name = Quoted(FileName);
  auto Fail = [&](const std::string& What) { return ETextureError("DDS file " + Name + " " + What); };
  if (Bytes.size() < 128) throw Fail("is cut short in its header");
  const std::uint32_t Flags = U32(Bytes, 8);
  if (std::memcmp(Bytes.data(), "DDS ", 4) != 0 || U32(Bytes, 4) != 124 || !(Flags & DDSD_PIXELFORMAT) ||
      !(Flags & DDSD_CAPS))
    throw Fail("has no valid DDS header");
  TDDSImage Image;
  Image.Height = U32(Bytes, 12);
  Image.Width = U32(Bytes, 16);
  Image.Depth = (Flags & DDSD_DEPTH) ? U32(Bytes, 24) : 0;
  if (Image.Width == 0 || Image.Height == 0 || Image.Width > kMaxTextureSide || Image.Height > kMaxTextureSide ||
      Image.Depth > kMaxTextureSide)
    throw Fail("has the size " + SizeText(Image.Width, Image.Height) + " out of range");
  std::size_t Pos = 128;
  const std::size_t Left = Bytes.size() - Pos;

  if (Image.Depth > 0) {
    // A volume: one byte per voxel, whatever the pixel format says.
    const std::uint64_t Size = std::uint64_t(Image.Width) * Image.Height * Image.Depth;
    if (Size > kMaxTexturePixels) throw Fail("has a volume too large to load");
    if (Size > Left) throw Fail("needs " + std::to_string(Size) + " bytes for its volume, only " + std::to_string(Left) + " left");
    Image.InternalFormat = GL_LUMINANCE8;
    Image.Levels.push_back({Image.Width, Image.Height, std::vector<std::uint8_t>(Bytes.begin() + Pos, Bytes.begin() + Pos + Size)});
    return Image;
  }

  Image.Info = MatchDDSFormat(Bytes);
  if (!Image.Info) throw Fail("has an unsupported pixel format");
  const TDDSLoadInfo& Info = *Image.Info;
  Image.InternalFormat = Info.InternalFormat;
  if (std::uint64_t(Image.Width) * Image.Height > kMaxTexturePixels) throw Fail("is too large to load");

  // A count of 0 with the flag set still means the one stored level; a count past the 1x1 level
  // is cut to the full chain.
  std::uint32_t Levels = (Flags & DDSD_MIPMAPCOUNT) ? std::max<std::uint32_t>(1, U32(Bytes, 28)) : 1;
  std::uint32_t Chain = 1;
  for (std::uint32_t S = std::max(Image.Width, Image.Height); S > 1; S >>= 1) ++Chain;
  Levels = std::min(Levels, Chain);

  const std::uint8_t* Palette = nullptr;
  if (Info.Palette) {
    if (Bytes.size() - Pos < 1024) throw Fail("is cut short in its palette");
    Palette = Bytes.data() + Pos;
    Pos += 1024;
  }
  std::uint32_t W = Image.Width, H = Image.Height;
  for (std::uint32_t L = 0; L < Levels; ++L) {
    const std::uint64_t Size = DDSLevelSize(Info, W, H);
    if (Size > Bytes.size() - Pos)
      throw Fail("needs " + std::to_string(Size) + " bytes for level " + std::to_string(L) + ", only " +
                 std::to_string(Bytes.size() - Pos) + " left");
    TDDSLevel Level{W, H, {}};
    if (Palette) {
      Level.Data.resize(Size * 4);
      for (std::uint64_t I = 0; I < Size; ++I) std::memcpy(&Level.Data[I * 4], Palette + Bytes[Pos + I] * 4, 4);
    } else {
      Level.Data.assign(Bytes.begin() + Pos, Bytes.begin() + Pos + Size);
    }
    Pos += Size;
    Image.Levels.push_back(std::move(Level));
    // Halving rounds down, as DDS writers and GL's mipmap completeness rule do.
    W = std::max<std::uint32_t>(1, W >> 1);
    H = std::max<std::uint32_t>(1, H >> 1);
  }
  return Image;
}

// ------------------------------------------------------------------------------- mipmap levels

std::vector<std::uint8_t> HalveImage(const std::uint8_t* Pixels, std::uint32_t W, std::uint32_t H,
                                     std::uint32_t Channels) {
  const std::uint32_t OW = std::max<std::uint32_t>(1, W / 2), OH = std::max<std::uint32_t>(1, H / 2);
  std::vector<std::uint8_t> Out(std::size_t(OW) * OH * Channels);
  const std::size_t Row = std::size_t(W) * Channels;
  for (std::uint32_t Y = 0; Y < OH; ++Y) {
    // The source rows this row covers: two, or three for the last row of an odd height, or the
    // one row of a picture one pixel high.
    const std::uint32_t Y0 = std::min(2 * Y, H - 1);
    const std::uint32_t YEnd = (Y == OH - 1) ? H : std::min(2 * Y + 2, H);
    std::uint8_t* Dst = &Out[std::size_t(Y) * OW * Channels];
    std::uint32_t X = 0;
    if (YEnd - Y0 == 2) {
      // The common case, every pixel of two full rows but a last odd one: a plain 2 x 2 mean.
      const std::uint8_t* A = Pixels + Y0 * Row;
      const std::uint8_t* B = A + Row;
      const std::uint32_t Full = W % 2 == 0 ? OW : OW - 1;
      for (; X < Full; ++X)
        for (std::uint32_t C = 0; C < Channels; ++C) {
          const std::size_t I = std::size_t(2 * X) * Channels + C;
          Dst[std::size_t(X) * Channels + C] =
              static_cast<std::uint8_t>((A[I] + A[I + Channels] + B[I] + B[I + Channels] + 2) / 4);
        }
    }
    for (; X < OW; ++X) {
      const std::uint32_t X0 = std::min(2 * X, W - 1);
      const std::uint32_t XEnd = (X == OW - 1) ? W : std::min(2 * X + 2, W);
      const std::uint32_t Count = (XEnd - X0) * (YEnd - Y0);
      for (std::uint32_t C = 0; C < Channels; ++C) {
        std::uint32_t Sum = 0;
        for (std::uint32_t SY = Y0; SY < YEnd; ++SY)
          for (std::uint32_t SX = X0; SX < XEnd; ++SX) Sum += Pixels[SY * Row + std::size_t(SX) * Channels + C];
        Dst[std::size_t(X) * Channels + C] = static_cast<std::uint8_t>((Sum + Count / 2) / Count);
      }
    }
  }
  return Out;
}

void BuildMipmapChain(TDecodedImage& Image) {
  const std::uint32_t Channels = Image.Format == GL_RGB || Image.Format == GL_BGR ? 3 : 4;
  Image.Mipmaps.clear();
  std::uint32_t W = Image.Width, H = Image.Height;
  while (W > 1 || H > 1) {
    const std::uint8_t* From = Image.Mipmaps.empty() ? Image.Pixels.data() : Image.Mipmaps.back().data();
    Image.Mipmaps.push_back(HalveImage(From, W, H, Channels));
    W = std::max<std::uint32_t>(1, W / 2);
    H = std::max<std::uint32_t>(1, H / 2);
  }
}
