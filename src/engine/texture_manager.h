#pragma once
// The registry of every OpenGL texture the game draws with, by short name (the file name without
// folder and extension) and by GL id; binds with the alpha-test rule and draws textured quads.
// The registry itself needs no GL context (names, ids and sizes are plain data); loading,
// binding and drawing do. The manager owns its GL textures.
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/vectors.h"

class TPNGDecodeAhead;

// What TTextureManager::GetTextureInfo reports.
enum TTextureInfoWhat : std::uint16_t { tiFormat = 1, tiWidth = 2, tiHeight = 3, tiGLID = 4 };

// The registry's short name of a texture file: the file name without folder ("\" or "/") and
// without its last extension.
std::string TextureBaseName(const std::string& FileName);

struct TTextureInfo {
  std::uint32_t Format = 0;  // GL_RGBA / GL_RGB for decoded images, the internal format for DDS
  std::uint32_t Target = 0;  // GL_TEXTURE_2D, or GL_TEXTURE_1D for an image one pixel high
  std::uint32_t ID = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
};

class TTextureManager {
public:
  // Entry i is Names[i], IDs[i] and Infos[i]; entries are only ever appended.
  std::vector<std::uint32_t> IDs;
  std::vector<TTextureInfo> Infos;
  std::vector<std::string> Names;
  // Progress callback (LogProgress): ToLog true logs Msg, false only advances the loading screen.
  std::function<void(const std::string& Msg, bool ToLog)> OnMessage;

  TTextureManager() = default;
  // Deletes every GL texture of IDs.
  ~TTextureManager();
  TTextureManager(const TTextureManager&) = delete;
  TTextureManager& operator=(const TTextureManager&) = delete;

  // Loads an image file from disk and registers it under Name; returns the entry's index, the
  // existing index when Name is registered, and 0 when the file is missing or cannot be loaded
  // (then nothing is registered; the loader has logged why).
  std::uint16_t AddTexture(const std::string& FileName, const std::string& Name, bool Compress);
  // Registers a texture a loader has just created (gLastTexture describes it).
  void AddTextureByID(const std::string& Name, std::uint32_t ID);
  // AddTexture for every file of Folder matching Mask ("*" or "*" + extension); the key is the
  // file name up to its first dot; keys beginning with Exclude (when not empty) are skipped.
  // Throws ETarnovaError when Folder is not a folder.
  void AddTexturesFromDirectory(const std::string& Folder, const std::string& Mask, bool Compress,
                                const std::string& Exclude);

  // Not registered: -1 for tiGLID, 0 otherwise; 0 for an unknown What.
  std::int32_t GetTextureInfo(const std::string& Name, std::uint16_t What) const;
  // Index of the most recent registration of Name (any letter case); -1 when none.
  std::int32_t IndexOf(const std::string& Name) const;
  // Index of the entry whose Infos ID is ID; the highest index wins; -1 when none.
  std::int32_t IndexOfID(std::uint32_t ID) const;

  // TextureUnit: GL_TEXTURE0 + n, or n itself.
  void BindTexture(const std::string& Name, std::uint32_t TextureUnit);
  void BindTextureByID(std::uint32_t ID, std::uint32_t TextureUnit);
  void DisableTexture(std::uint32_t TextureUnit);
  void SetWrapMode(std::uint32_t WrapS, std::uint32_t WrapT, std::uint32_t Target);
  void SetWrapModeByID(std::uint32_t ID, std::uint32_t WrapS, std::uint32_t WrapT, std::uint32_t Target);
  void SetFilterByID(std::uint32_t ID, std::uint32_t MinFilter, std::uint32_t MagFilter);

  // Quads in the plane Z, upright in GUI coordinates (Y grows downwards).
  void DrawTexture(const std::string& Name, float X, float Y, float Z, float Width, float Height);
  void DrawTextureOwnSize(const std::string& Name, float X, float Y, float Z);
  void DrawTextureByID(std::uint32_t ID, float X, float Y, float Z, float Width, float Height);
  // A part of the texture (S0..S1, T0..T1). Binds the texture to its target and nothing more:
  // texturing is enabled, and the unit chosen, by the caller.
  void DrawTextureRegion(const std::string& Name, float X, float Y, float Z, float Width, float Height, float S0,
                         float S1, float T0, float T1);
  void DrawQuad(float X, float Y, float Z, float Width, float Height);

  // Only 2, 4, ..., 4096 count as powers of two.
  static bool IsPowerOfTwo(std::uint32_t Size);

private:
  std::unordered_map<std::string, std::int32_t> ByUpperName;  // most recent registration
  // The PNG files of the folder AddTexturesFromDirectory is loading, decoded ahead.
  TPNGDecodeAhead* DecodeAhead = nullptr;
  void Register(const std::string& Name, std::uint32_t ID, const TTextureInfo& Info);
  void ApplyAlphaTest(std::int32_t Index);
};
