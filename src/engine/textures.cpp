#include "engine/textures.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "engine/log.h"
#include "engine/streams.h"
#include "engine/texture_decoders.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/message_box.h"

TLastTexture gLastTexture;
bool gHardwareMipmaps = false;
bool gSoftwareRasterizer = false;
std::string gLastTextureFile;

namespace {
std::uint32_t CreateTextureLevels(std::uint32_t Width, std::uint32_t Height, std::uint32_t Format, const void* Data,
                                  const TMipmaps* Mipmaps, std::uint32_t MagFilter, std::uint32_t MinFilter,
                                  bool Compress);

void LogTextureError(const std::string& Where, const std::string& What) {
  if (gLog) gLog->AddLine("Textures->" + Where + "->" + What);
}

// A decoding failure: logged, and shown in the loader's message box when it has one.
void Report(const std::string& Where, const ETextureError& E, bool ShowBox) {
  LogTextureError(Where, E.what());
  if (ShowBox && !E.Caption.empty()) ShowMessageBox(E.Caption, E.BoxText);
}

std::uint32_t InternalFormat(std::uint32_t Format, bool Compress, bool Hardware) {
  switch (Format) {
    case GL_RGB:
      return Compress ? GL_COMPRESSED_RGB_ARB : Hardware ? GL_RGBA : GL_RGB8;
    case GL_BGR:
      return Compress ? GL_COMPRESSED_RGB_ARB : GL_RGB8;
    case GL_RGBA:
    case GL_BGRA:
      return Compress ? GL_COMPRESSED_RGBA_ARB : GL_RGBA8;
    default:
      return 0;
  }
}

std::uint16_t Dimension(std::uint32_t Value, const char* What) {
  if (Value > 0xFFFF) throw ERangeError(std::string("CreateTexture->") + What + " " + std::to_string(Value) + " out of range");
  return static_cast<std::uint16_t>(Value);
}

std::vector<std::uint8_t> ReadRest(TStream& Stream) {
  const std::int64_t Count = std::max<std::int64_t>(0, Stream.Size() - Stream.Position());
  std::vector<std::uint8_t> Bytes(static_cast<std::size_t>(Count));
  if (Count > 0) Stream.ReadExact(Bytes.data(), Bytes.size());
  return Bytes;
}

std::optional<std::vector<std::uint8_t>> ReadDiskFile(const std::string& FileName) {
  auto Path = FindOnDisk(FileName);
  if (!IsRegularFile(Path)) return std::nullopt;
  auto Text = ReadWholeFile(*Path);
  if (!Text) return std::nullopt;
  return std::vector<std::uint8_t>(Text->begin(), Text->end());
}

TBytes View(const std::vector<std::uint8_t>& Bytes) { return {Bytes.data(), Bytes.size()}; }

std::uint32_t Upload(const TDecodedImage& Image, std::uint32_t MagFilter, std::uint32_t MinFilter, bool Compress) {
  std::uint32_t ID = CreateTextureLevels(Image.Width, Image.Height, Image.Format, Image.Pixels.data(), &Image.Mipmaps,
                                         MagFilter, MinFilter, Compress);
  gLastTexture.Format = Image.RegisteredFormat;
  return ID;
}

// Uploads the stored levels of a 2D DDS image into the texture bound to GL_TEXTURE_2D, or a
// volume into GL_TEXTURE_3D. False when GL refused the data.
bool UploadDDSImage(const TDDSImage& Image) {
  while (glGetError() != GL_NO_ERROR) {
  }
  // Levels are tightly packed, whatever their row length in bytes.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  if (Image.Depth > 0) {
    glTexImage3D(GL_TEXTURE_3D, 0, GL_LUMINANCE8, GLsizei(Image.Width), GLsizei(Image.Height), GLsizei(Image.Depth), 0,
                 GL_LUMINANCE, GL_UNSIGNED_BYTE, Image.Levels[0].Data.data());
  } else {
    const TDDSLoadInfo& Info = *Image.Info;
    for (std::size_t L = 0; L < Image.Levels.size(); ++L) {
      const TDDSLevel& Level = Image.Levels[L];
      if (Info.Compressed)
        glCompressedTexImage2D(GL_TEXTURE_2D, GLint(L), Info.InternalFormat, GLsizei(Level.Width), GLsizei(Level.Height), 0,
                               GLsizei(Level.Data.size()), Level.Data.data());
      else
        glTexImage2D(GL_TEXTURE_2D, GLint(L), GLint(Info.InternalFormat), GLsizei(Level.Width), GLsizei(Level.Height), 0,
                     Info.ExternalFormat, Info.DataType, Level.Data.data());
    }
    // Only the stored levels exist: without this a single-level file is mipmap-incomplete and
    // draws as if untextured under a mipmapping filter.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(Image.Levels.size()) - 1);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  return glGetError() == GL_NO_ERROR;
}

// The whole mipmap chain, built here: level 0 is the picture, each further level its halving,
// down to 1 x 1. Sides need not be powers of two (GL 2.0 takes any size).
// Built is the chain made ahead (BuildMipmapChain), when it was.
void UploadWithMipmaps(std::uint32_t Width, std::uint32_t Height, std::uint32_t Format, std::uint32_t Internal,
                       const std::uint8_t* Data, const TMipmaps* Built) {
  const std::uint32_t Channels = Format == GL_RGB || Format == GL_BGR ? 3 : 4;
  glTexImage2D(GL_TEXTURE_2D, 0, GLint(Internal), GLsizei(Width), GLsizei(Height), 0, Format, GL_UNSIGNED_BYTE, Data);
  std::vector<std::uint8_t> Level;
  GLint L = 0;
  while (Width > 1 || Height > 1) {
    const std::uint8_t* Pixels = nullptr;
    if (Built && std::size_t(L) < Built->size()) {
      Pixels = (*Built)[std::size_t(L)].data();
    } else {
      Level = HalveImage(L == 0 ? Data : Level.data(), Width, Height, Channels);
      Pixels = Level.data();
    }
    Width = std::max<std::uint32_t>(1, Width / 2);
    Height = std::max<std::uint32_t>(1, Height / 2);
    glTexImage2D(GL_TEXTURE_2D, ++L, GLint(Internal), GLsizei(Width), GLsizei(Height), 0, Format, GL_UNSIGNED_BYTE,
                 Pixels);
  }
}

TDDSImage DecodeDDSStream(TStream& Stream) {
  auto Bytes = ReadRest(Stream);
  return DecodeDDSImage(View(Bytes), gLastTextureFile);
}
}  // namespace

std::uint32_t CreateTexture(std::uint32_t Width, std::uint32_t Height, std::uint32_t Format, const void* Data,
                            std::uint32_t MagFilter, std::uint32_t MinFilter, bool Compress) {
  return CreateTextureLevels(Width, Height, Format, Data, nullptr, MagFilter, MinFilter, Compress);
}

namespace {
std::uint32_t CreateTextureLevels(std::uint32_t Width, std::uint32_t Height, std::uint32_t Format, const void* Data,
                                  const TMipmaps* Mipmaps, std::uint32_t MagFilter, std::uint32_t MinFilter,
                                  bool Compress) {
  glDisable(GL_TEXTURE_1D);
  glDisable(GL_TEXTURE_2D);
  GLuint Tex = 0;
  glGenTextures(1, &Tex);
  if (Format == GL_RGBA || Format == GL_RGBA8 || Format == GL_BGRA) gLastTexture.Format = GL_RGBA;
  if (Format == GL_RGB || Format == GL_RGB8 || Format == GL_BGR) gLastTexture.Format = GL_RGB;
  gLastTexture.Width = Dimension(Width, "Width");
  gLastTexture.Height = Dimension(Height, "Height");
  gLastTexture.Depth = 0;
  gLastTexture.ID = Tex;

  // Rows are tightly packed: three-byte pixels need not fill a multiple of four bytes.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  if (Height > 1) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLint(MagFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(MinFilter));
    // A software rasteriser samples anisotropically at many times the cost of a trilinear read,
    // most of all on polygons seen at a grazing angle such as the water and the landscape: there
    // the textures keep trilinear filtering. The renderer is that of the context the texture is
    // made in, asked each time.
    const bool Software = SoftwareRasterizer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    if (!Software && ExtensionSupported("GL_EXT_texture_filter_anisotropic")) {
      GLfloat MaxAniso = 0.0f;
      glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &MaxAniso);
      glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, MaxAniso / 2.0f);
    }
    const std::uint32_t Internal = InternalFormat(Format, Compress, gHardwareMipmaps);
    if (Internal != 0) {
      if (gHardwareMipmaps) {
        while (glGetError() != GL_NO_ERROR) {
        }
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP_SGIS, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GLint(Internal), GLsizei(Width), GLsizei(Height), 0, Format, GL_UNSIGNED_BYTE, Data);
        if (glGetError() != GL_NO_ERROR)
          DebugOutput(gLastTextureFile + " is " + std::to_string(Width) + "x" + std::to_string(Height));
        // The driver's mipmaps are sampled trilinearly, whatever filters the caller asked for.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
      } else {
        UploadWithMipmaps(Width, Height, Format, Internal, static_cast<const std::uint8_t*>(Data), Mipmaps);
      }
    }
    gLastTexture.Target = GL_TEXTURE_2D;
  } else if (Height == 1) {
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, Tex);
    // The format of the data is no internal format (GL_BGRA is not one): name a real one.
    const bool Alpha = Format == GL_RGBA || Format == GL_BGRA || Format == GL_RGBA8;
    gluBuild1DMipmaps(GL_TEXTURE_1D, Alpha ? GL_RGBA8 : GL_RGB8, GLsizei(Width), Format, GL_UNSIGNED_BYTE, Data);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gLastTexture.Target = GL_TEXTURE_1D;
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  return Tex;
}

}  // namespace

bool LoadTexture(const std::string& FileName, std::uint32_t& ID, bool Compress, std::uint32_t MagFilter,
                 std::uint32_t MinFilter) {
  gLastTextureFile = FileName;
  const std::string Kind = TextureFileKind(FileName);
  if (Kind == ".PNG") return LoadPNG(FileName, ID, MagFilter, MinFilter, Compress);
  if (Kind == ".DDS") return LoadDDS(FileName, ID);
  if (Kind == ".TGA") return LoadTGA(FileName, ID, MagFilter, MinFilter, Compress);
  if (Kind == ".JPG") return LoadJPG(FileName, ID, MagFilter, MinFilter, Compress);
  if (Kind == ".BMP") return LoadBMP(FileName, ID, MagFilter, MinFilter, Compress);
  LogTextureError("LoadTexture", "\"" + FileName + "\" is no texture file the game reads");
  return false;
}

// ------------------------------------------------------------------------------------- DDS

bool UploadDDSFromStream(TStream& Stream) {
  try {
    if (!UploadDDSImage(DecodeDDSStream(Stream))) {
      LogTextureError("UploadDDSFromStream", "OpenGL refused the levels of \"" + gLastTextureFile + "\"");
      return false;
    }
    return true;
  } catch (const ETextureError& E) {
    Report("UploadDDSFromStream", E, false);
    return false;
  }
}

bool LoadDDSFromStream(TStream& Stream, std::uint32_t& ID) {
  if (Stream.Size() - Stream.Position() <= 0) return false;
  TDDSImage Image;
  try {
    Image = DecodeDDSStream(Stream);
  } catch (const ETextureError& E) {
    Report("LoadDDSFromStream", E, false);
    return false;
  }
  // A volume is no 2D texture and no fault either: the noise volume lies among the textures and
  // is loaded into its own 3D texture (UploadDDSFromStream), so a folder load passes it by.
  if (Image.Depth > 0) return false;
  GLuint Tex = 0;
  glGenTextures(1, &Tex);
  glBindTexture(GL_TEXTURE_2D, Tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  if (!UploadDDSImage(Image)) {
    glDeleteTextures(1, &Tex);
    LogTextureError("LoadDDSFromStream", "OpenGL refused the levels of \"" + gLastTextureFile + "\"");
    return false;
  }
  ID = Tex;
  gLastTexture.Width = static_cast<std::uint16_t>(Image.Width);
  gLastTexture.Height = static_cast<std::uint16_t>(Image.Height);
  gLastTexture.Depth = 0;
  gLastTexture.Format = Image.InternalFormat;
  gLastTexture.ID = Tex;
  gLastTexture.Target = GL_TEXTURE_2D;
  return true;
}

bool LoadDDS(const std::string& FileName, std::uint32_t& ID) {
  auto Path = FindOnDisk(FileName);
  if (!IsRegularFile(Path)) return false;
  gLastTextureFile = FileName;
  try {
    TFileStream Stream(*Path);
    return LoadDDSFromStream(Stream, ID);
  } catch (const EReadError& E) {
    LogTextureError("LoadDDS", E.what());
    return false;
  }
}

// ------------------------------------------------------------------------------------- PNG

bool LoadPNG(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress) {
  auto Bytes = ReadDiskFile(FileName);
  if (!Bytes) {
    LogTextureError("LoadPNG", "Cannot read \"" + FileName + "\"");
    return false;
  }
  try {
    ID = Upload(DecodePNGImage(View(*Bytes), FileName), MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report("LoadPNG", E, false);
    return false;
  }
}

bool LoadPNGFromStream(TStream& Stream, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
                       bool Compress) {
  try {
    auto Bytes = ReadRest(Stream);
    ID = Upload(DecodePNGImage(View(Bytes), gLastTextureFile), MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report("LoadPNGFromStream", E, false);
    return false;
  }
}

bool LoadDecodedPNG(TPNGDecodeAhead::TResult Decoded, const std::string& FileName, bool FromStream, std::uint32_t& ID,
                    std::uint32_t MagFilter, std::uint32_t MinFilter, bool Compress) {
  const char* Where = FromStream ? "LoadPNGFromStream" : "LoadPNG";
  if (!Decoded.Read && !Decoded.Error) {
    LogTextureError(Where, "Cannot read \"" + FileName + "\"");
    return false;
  }
  try {
    if (Decoded.Error) std::rethrow_exception(Decoded.Error);
    ID = Upload(*Decoded.Image, MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report(Where, E, false);
    return false;
  }
}

// ------------------------------------------------------------------------------------- JPG

bool LoadJPG(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress) {
  auto Bytes = ReadDiskFile(FileName);
  try {
    if (!Bytes) throw ETextureError("Cannot read \"" + FileName + "\"", "BMP Unit", "Couldn't load JPG - \"" + FileName + "\"");
    ID = Upload(DecodeJPGImage(View(*Bytes), FileName), MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report("LoadJPG", E, true);
    return false;
  }
}

// A damaged packaged JPEG is logged and skipped; it does not end the start-up.
bool LoadJPGFromStream(TStream& Stream, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
                       bool Compress) {
  try {
    auto Bytes = ReadRest(Stream);
    ID = Upload(DecodeJPGImage(View(Bytes), gLastTextureFile), MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report("LoadJPGFromStream", E, false);
    return false;
  }
}

// ------------------------------------------------------------------------------------- TGA

bool LoadTGA(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress) {
  auto Bytes = ReadDiskFile(FileName);
  if (!Bytes) {
    LogTextureError("LoadTGA", "File \"" + FileName + "\" not found");
    ShowMessageBox("TGA Texture", "File not found  - " + FileName);
    return false;
  }
  try {
    ID = Upload(DecodeTGAImage(View(*Bytes), FileName, false), MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report("LoadTGA", E, true);
    return false;
  }
}

bool LoadTGAFromStream(TStream& Stream, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
                       bool Compress) {
  try {
    auto Bytes = ReadRest(Stream);
    ID = Upload(DecodeTGAImage(View(Bytes), gLastTextureFile, true), MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report("LoadTGAFromStream", E, true);
    return false;
  }
}

// ------------------------------------------------------------------------------------- BMP

bool LoadBMP(const std::string& FileName, std::uint32_t& ID, std::uint32_t MagFilter, std::uint32_t MinFilter,
             bool Compress) {
  auto Bytes = ReadDiskFile(FileName);
  if (!Bytes) {
    LogTextureError("LoadBMP", "Cannot open \"" + FileName + "\"");
    ShowMessageBox("BMP Unit", "Error opening " + FileName);
    return false;
  }
  try {
    ID = Upload(DecodeBMPImage(View(*Bytes), FileName), MagFilter, MinFilter, Compress);
    return true;
  } catch (const ETextureError& E) {
    Report("LoadBMP", E, true);
    return false;
  }
}
