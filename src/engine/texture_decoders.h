#pragma once
// Texture files decoded into memory, apart from OpenGL, so that every format can be read and
// checked without a context. Every decoder checks the bytes it is given: a damaged file gives an
// ETextureError that names the file, never a read past the data.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/errors.h"

// Pictures larger than this are refused before memory is taken for them.
inline constexpr std::uint32_t kMaxTextureSide = 16384;
inline constexpr std::uint64_t kMaxTexturePixels = 8192ull * 8192ull;

// Mipmap levels 1, 2, ... of a picture, each tightly packed like the picture.
using TMipmaps = std::vector<std::vector<std::uint8_t>>;

// A decoded picture: tightly packed rows, bottom row first (t = 0 is the image's bottom row).
struct TDecodedImage {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::uint32_t Format = 0;            // layout of Pixels: GL_RGB, GL_RGBA, GL_BGR or GL_BGRA
  std::uint32_t RegisteredFormat = 0;  // what the texture registry records: GL_RGBA or GL_RGB
  std::vector<std::uint8_t> Pixels;
  TMipmaps Mipmaps;  // when built ahead (BuildMipmapChain)
};

// A texture file that cannot be used. what() names the file and the fault for the log; Caption
// and BoxText are the message box the file loaders show for it (no box when Caption is empty).
class ETextureError : public EDataError {
public:
  ETextureError(const std::string& Message, std::string BoxCaption = {}, std::string Box = {})
      : EDataError(Message), Caption(std::move(BoxCaption)), BoxText(std::move(Box)) {}
  std::string Caption;
  std::string BoxText;
};

using TBytes = std::span<const std::uint8_t>;

// PNG of any kind, as BGRA.
TDecodedImage DecodePNGImage(TBytes Bytes, const std::string& FileName);
// JPEG (grey or colour; CMYK is refused) as RGBA with alpha 255, registered as GL_RGB.
TDecodedImage DecodeJPGImage(TBytes Bytes, const std::string& FileName);
// TGA image types 2 and 10 with 24 or 32 bits, as RGB or RGBA. FromStream picks the message
// texts of the packaged-file loader, which do not name the file.
TDecodedImage DecodeTGAImage(TBytes Bytes, const std::string& FileName, bool FromStream);
// Uncompressed BMP with 24 or 32 bits per pixel, as RGB.
TDecodedImage DecodeBMPImage(TBytes Bytes, const std::string& FileName);

// The next mipmap level of a picture of W x H pixels of Channels bytes each (tightly packed rows):
// max(1, W / 2) x max(1, H / 2) pixels, each the mean of the 2 x 2 pixels it covers, rounded
// half up. At an odd side the last pixel also takes the one beyond it, so no texel is dropped
// from the picture's average at the edge.
std::vector<std::uint8_t> HalveImage(const std::uint8_t* Pixels, std::uint32_t W, std::uint32_t H, std::uint32_t Channels);

// Fills Image.Mipmaps with every level below the picture down to 1 x 1.
void BuildMipmapChain(TDecodedImage& Image);

// One row of the table of accepted DDS pixel formats.
struct TDDSLoadInfo {
  const char* Name;
  bool Compressed;
  bool SwapBytes;
  bool Palette;
  std::uint32_t DivSize;
  std::uint32_t BlockBytes;
  std::uint32_t InternalFormat;
  std::uint32_t ExternalFormat;
  std::uint32_t DataType;
};

struct TDDSLevel {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::vector<std::uint8_t> Data;  // as stored; palette levels unpacked to BGRA
};

// A DDS file: its mipmap levels as stored, or one luminance volume.
struct TDDSImage {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::uint32_t Depth = 0;                // > 0: a volume of one byte per voxel in Levels[0]
  const TDDSLoadInfo* Info = nullptr;     // none for a volume
  std::uint32_t InternalFormat = 0;       // Info's, or GL_LUMINANCE8 for a volume
  std::vector<TDDSLevel> Levels;
};

TDDSImage DecodeDDSImage(TBytes Bytes, const std::string& FileName);
// Bytes of one stored level of W x H pixels in the given format.
std::uint64_t DDSLevelSize(const TDDSLoadInfo& Info, std::uint32_t W, std::uint32_t H);
// The table, in the order rows are tested.
std::span<const TDDSLoadInfo> DDSLoadInfos();

// The loader a file name's ending asks for: ".PNG", ".DDS", ".TGA", ".JPG", ".BMP" (the last four
// characters, any letter case), or empty for none.
std::string TextureFileKind(const std::string& FileName);
