#include "presentation/region_map.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <set>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/log.h"
#include "engine/texture_decoders.h"
#include "engine/textures.h"
#include "engine/virtual_file_system.h"
#include "platform/files.h"
#include "presentation/number_text.h"
#include "presentation/presentation_globals.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

namespace {
void Log(const std::string& Text) {
  if (gLog) gLog->AddLine(Text);
}

void PutU16(std::string& S, std::size_t At, std::uint32_t V) {
  S[At] = static_cast<char>(V & 0xFF);
  S[At + 1] = static_cast<char>((V >> 8) & 0xFF);
}
void PutU32(std::string& S, std::size_t At, std::uint32_t V) {
  PutU16(S, At, V & 0xFFFF);
  PutU16(S, At + 2, V >> 16);
}

// Regions already reported for a seed outside the base map, so a bad entry is logged once.
std::set<std::size_t>& ReportedSeeds() {
  static std::set<std::size_t> Reported;
  return Reported;
}
}  // namespace

TRegionBitmap DecodeRegionBitmap(const std::string& Bytes, const std::string& FileName) {
  const TDecodedImage Image = DecodeBMPImage(
      TBytes(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size()), FileName);
  const bool Alpha = Image.Format == GL_RGBA || Image.Format == GL_BGRA;
  const bool Bgr = Image.Format == GL_BGR || Image.Format == GL_BGRA;
  const std::size_t Step = Alpha ? 4 : 3;
  TRegionBitmap Map;
  Map.Width = static_cast<std::int32_t>(Image.Width);
  Map.Height = static_cast<std::int32_t>(Image.Height);
  Map.Pixels.resize(std::size_t(Image.Width) * Image.Height);
  for (std::uint32_t Y = 0; Y < Image.Height; ++Y)
    for (std::uint32_t X = 0; X < Image.Width; ++X) {
      // Decoded rows run bottom row first; the bitmap's row 0 is the top.
      const std::uint8_t* P = &Image.Pixels[(std::size_t(Image.Height - 1 - Y) * Image.Width + X) * Step];
      const std::uint32_t R = Bgr ? P[2] : P[0], G = P[1], B = Bgr ? P[0] : P[2];
      Map.Pixels[std::size_t(Y) * Image.Width + X] = (R << 16) | (G << 8) | B;
    }
  return Map;
}

std::string EncodeRegionBitmap(const TRegionBitmap& Map) {
  const std::size_t RowBytes = (std::size_t(Map.Width) * 3 + 3) & ~std::size_t(3);
  const std::size_t DataSize = RowBytes * std::size_t(Map.Height);
  std::string S(54 + DataSize, '\0');
  S[0] = 'B';
  S[1] = 'M';
  PutU32(S, 2, static_cast<std::uint32_t>(S.size()));
  PutU32(S, 10, 54);
  PutU32(S, 14, 40);
  PutU32(S, 18, static_cast<std::uint32_t>(Map.Width));
  PutU32(S, 22, static_cast<std::uint32_t>(Map.Height));
  PutU16(S, 26, 1);
  PutU16(S, 28, 24);
  PutU32(S, 34, static_cast<std::uint32_t>(DataSize));
  for (std::int32_t Y = 0; Y < Map.Height; ++Y) {
    char* Row = &S[54 + std::size_t(Map.Height - 1 - Y) * RowBytes];
    for (std::int32_t X = 0; X < Map.Width; ++X) {
      const std::uint32_t C = Map.At(X, Y);
      Row[X * 3] = static_cast<char>(C & 0xFF);
      Row[X * 3 + 1] = static_cast<char>((C >> 8) & 0xFF);
      Row[X * 3 + 2] = static_cast<char>((C >> 16) & 0xFF);
    }
  }
  return S;
}

namespace {
// The fill with a mask the caller keeps: a pixel is taken when its mask entry equals Stamp, so one
// mask serves every region of a rebuild without being cleared in between.
void Fill(TRegionBitmap& Map, std::size_t Seed, std::uint32_t Color, std::vector<std::uint32_t>& Taken,
          std::uint32_t Stamp, std::vector<std::size_t>& Open) {
  const std::size_t W = static_cast<std::size_t>(Map.Width);
  const std::size_t H = static_cast<std::size_t>(Map.Height);
  Open.clear();
  Open.push_back(Seed);
  Taken[Seed] = Stamp;
  while (!Open.empty()) {
    const std::size_t I = Open.back();
    Open.pop_back();
    Map.Pixels[I] = Color;
    const std::size_t PX = I % W, PY = I / W;
    const auto Visit = [&](std::size_t N) {
      if (Taken[N] != Stamp && Map.Pixels[N] != kRegionBorderColor) {
        Taken[N] = Stamp;
        Open.push_back(N);
      }
    };
    if (PX > 0) Visit(I - 1);
    if (PX + 1 < W) Visit(I + 1);
    if (PY > 0) Visit(I - W);
    if (PY + 1 < H) Visit(I + W);
  }
}
}  // namespace

bool FloodFillRegion(TRegionBitmap& Map, std::int32_t X, std::int32_t Y, std::uint32_t Color) {
  if (!Map.Contains(X, Y)) return false;
  if (Map.At(X, Y) == kRegionBorderColor) return true;
  // Iterative, with a mask of the pixels already taken: the brush colour may equal the area's.
  std::vector<std::uint32_t> Taken(Map.Pixels.size(), 0);
  std::vector<std::size_t> Open;
  Fill(Map, std::size_t(Y) * std::size_t(Map.Width) + std::size_t(X), Color, Taken, 1, Open);
  return true;
}

void PaintRegionMap(const TRegionBitmap& Base, const std::vector<TRegionMapEntry>& Regions,
                    const TNationMapColors& Colors, TRegionBitmap& Map,
                    const std::function<void(std::size_t Index)>& Skipped) {
  Map = Base;
  // One mask for all regions: region i's fill marks with stamp i + 1.
  std::vector<std::uint32_t> Taken(Map.Pixels.size(), 0);
  std::vector<std::size_t> Open;
  for (std::size_t i = 0; i < Regions.size(); ++i) {
    const TRegionMapEntry& R = Regions[i];
    if (R.Owner > 4) continue;
    const auto& C = Colors[R.Owner];
    const std::uint32_t Color = (std::uint32_t(C[0]) << 16) | (std::uint32_t(C[1]) << 8) | C[2];
    const std::int32_t X = R.X2D / 2, Y = R.Y2D / 2;
    if (!Map.Contains(X, Y)) {
      if (Skipped) Skipped(i);
      continue;
    }
    const std::size_t Seed = std::size_t(Y) * std::size_t(Map.Width) + std::size_t(X);
    if (Map.Pixels[Seed] != kRegionBorderColor) Fill(Map, Seed, Color, Taken, static_cast<std::uint32_t>(i + 1), Open);
  }
}

std::vector<std::uint8_t> RegionMapUploadBuffer(const TRegionBitmap& Map) {
  std::vector<std::uint8_t> Buffer(Map.Pixels.size() * 4);
  std::size_t O = 0;
  for (std::int32_t Y = 0; Y < Map.Height; ++Y)
    for (std::int32_t X = 0; X < Map.Width; ++X) {
      const std::uint32_t C = Map.At(X, Map.Height - 1 - Y);
      Buffer[O++] = static_cast<std::uint8_t>(C >> 16);
      Buffer[O++] = static_cast<std::uint8_t>(C >> 8);
      Buffer[O++] = static_cast<std::uint8_t>(C);
      Buffer[O++] = 255;
    }
  return Buffer;
}

bool LoadRegionBaseMap(const std::string& FileName) {
  gRegionBaseMap = TRegionBitmap{};
  ReportedSeeds().clear();
  std::optional<std::string> Bytes;
  if (gVirtualFileSystem) Bytes = gVirtualFileSystem->ReadFile(FileName);
  if (!Bytes) {
    Log("TGame->Create->Region base map \"" + FileName + "\" not found, the globe shows no ownership!");
    return false;
  }
  try {
    gRegionBaseMap = DecodeRegionBitmap(*Bytes, FileName);
  } catch (const EDataError& E) {
    Log(std::string("TGame->Create->") + E.what());
    return false;
  }
  return true;
}

void UpDateRegionMap(bool DebugDump) {
  const auto Start = std::chrono::steady_clock::now();
  std::vector<TRegionMapEntry> Regions;
  Regions.reserve(gRegions.size());
  for (const auto& R : gRegions) Regions.push_back({R->X2D, R->Y2D, R->Owner});
  TNationMapColors Colors{};
  for (std::size_t n = 0; n < Colors.size(); ++n)
    if (gNations[n]) Colors[n] = gNations[n]->MapColor;
  PaintRegionMap(gRegionBaseMap, Regions, Colors, gRegionMap, [](std::size_t i) {
    if (!ReportedSeeds().insert(i).second) return;
    Log("TEarth->UpDateRegionMap->Region " + std::to_string(i) + " has its 2D point (" +
        std::to_string(gRegions[i]->X2D) + ", " + std::to_string(gRegions[i]->Y2D) +
        ") outside the region base map, its owner is not shown");
  });

  if (DebugDump) {
    std::error_code Ec;
    if (std::filesystem::is_directory("_debug", Ec)) {
      const std::filesystem::path File = std::filesystem::path("_debug") /
                                         ("worldmap_round_" + std::to_string(gCurrentTurn) + ".bmp");
      std::string Error;
      // A developer's aid: a failed save is reported and the update goes on.
      if (!SafeWriteFile(File, EncodeRegionBitmap(gRegionMap), &Error))
        Log("TEarth->UpDateRegionMap->\"" + File.string() + "\" not saved: " + Error);
    }
  }

  if (gRegionMap.Width > 0 && gRegionMap.Height > 0) {
    const std::vector<std::uint8_t> Buffer = RegionMapUploadBuffer(gRegionMap);
    GLint Previous = 0, Width = 0, Height = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &Previous);
    if (gRegionTextureID != 0) {
      // The texture itself knows the size of the last rebuild.
      glBindTexture(GL_TEXTURE_2D, gRegionTextureID);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &Width);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &Height);
      glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(Previous));
    }
    if (gRegionTextureID != 0 && Width == gRegionMap.Width && Height == gRegionMap.Height) {
      // The texture of the last rebuild takes the new pixels in place: no new texture, no new
      // storage.
      glBindTexture(GL_TEXTURE_2D, gRegionTextureID);
      glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
      glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, gRegionMap.Width, gRegionMap.Height, GL_RGBA, GL_UNSIGNED_BYTE,
                      Buffer.data());
      glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
      glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(Previous));
    } else {
      FreeRegionMapTexture();
      gRegionTextureID = CreateTexture(static_cast<std::uint32_t>(gRegionMap.Width),
                                       static_cast<std::uint32_t>(gRegionMap.Height), GL_RGBA, Buffer.data(),
                                       GL_LINEAR, GL_LINEAR, false);
    }
  } else {
    FreeRegionMapTexture();
  }
  const double Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
  Log("TEarth->UpDateRegionMap->" + GeneralText(Ms) + "ms");
}

void FreeRegionMapTexture() {
  if (gRegionTextureID == 0) return;
  const GLuint Old = gRegionTextureID;
  glDeleteTextures(1, &Old);
  gRegionTextureID = 0;
}
