#pragma once
// Texture files turned into OpenGL textures. The file loaders are reached through the extension
// dispatch LoadTexture (the texture manager calls it for loose files); the stream loaders take
// files out of the data package. Decoding happens in texture_decoders.h; this is the upload.
// Every loader returns true only when it created a texture; a file that cannot be used is
// logged and creates nothing; the disk loaders of JPG, TGA and BMP files and the TGA stream
// loader also show the failure in a message box.
#include <cstdint>
#include <string>

#include "engine/png_decode_ahead.h"

class TStream;

// Description of the texture most recently created, read by the texture manager right after
// the loader returns. Format is GL_RGBA or GL_RGB for decoded images (it decides the alpha test)
// and the GL internal format for DDS files.
struct TLastTexture {
  std::uint32_t Format = 0;
  std::uint32_t ID = 0;
  std::uint32_t Target = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::uint16_t Depth = 0;
};

// A texture of Width x Height pixels at Data (GL_RGB, GL_RGBA, GL_BGR or GL_BGRA, one byte per
// component, rows tightly packed). Height 1 makes a 1D texture, height 0 uploads nothing.
std::uint32_t CreateTexture(std::uint32_t Width, std::uint32_t Height, std::uint32_t Format, const void* Data,
                            std::uint32_t MagFilter, std::uint32_t MinFilter, bool Compress);

// Dispatch on the last four characters (".PNG", ".DDS", ".TGA", ".JPG", ".BMP", any case).
// FileName is a path on disk (relative names against the program folder, any letter case).
bool LoadTexture(const std::string& FileName, std::uint32_t& ID, bool Compress, std::uint32_t MagFilter,
                 std::uint32_t MinFilter);
bool LoadDDS(const std::string& FileName, std::uint32_t& ID);
bool LoadPNG(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress);
bool LoadJPG(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress);
bool LoadTGA(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress);
bool LoadBMP(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress);

// A PNG decoded ahead (TPNGDecodeAhead) uploaded as LoadPNG (or, FromStream, LoadPNGFromStream)
// would have done it, with the same messages for the same faults.
bool LoadDecodedPNG(TPNGDecodeAhead::TResult Decoded, const std::string& FileName, bool FromStream, std::uint32_t& ID,
                    std::uint32_t MagFilter, std::uint32_t MinFilter, bool Compress);

// Stream loaders read from the stream's position to its end; messages name gLastTextureFile.
bool LoadDDSFromStream(TStream& Stream, std::uint32_t& ID);
bool LoadPNGFromStream(TStream& Stream, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
                       bool Compress);
bool LoadJPGFromStream(TStream& Stream, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
                       bool Compress);
bool LoadTGAFromStream(TStream& Stream, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
                       bool Compress);

// Reads a DDS image into the texture the caller has bound: its 2D levels into GL_TEXTURE_2D, or
// a volume into GL_TEXTURE_3D. Creates no texture object.
bool UploadDDSFromStream(TStream& Stream);
