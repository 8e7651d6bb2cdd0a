// The virtual file system's texture loading: loose files through the texture manager, packaged
// files decoded from memory.
#include "engine/virtual_file_system.h"

#include <memory>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/textures.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/latin1.h"

namespace {
// The part after the last dot of the last path component, with its dot; empty when none.
std::string ExtensionOf(const std::string& FileName) {
  std::size_t Slash = FileName.find_last_of("\\/");
  std::size_t Dot = FileName.rfind('.');
  if (Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash)) return "";
  return FileName.substr(Dot);
}

// Decodes a packaged texture by its extension, compared exactly; false when nothing was made.
bool LoadPackedTexture(TMemoryStream& Stream, const std::string& Ext, std::uint32_t& ID, bool Compress) {
  if (Ext == ".dds") return LoadDDSFromStream(Stream, ID);
  if (Ext == ".png") return LoadPNGFromStream(Stream, ID, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, Compress);
  if (Ext == ".tga") return LoadTGAFromStream(Stream, ID, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, Compress);
  if (Ext == ".jpg") return LoadJPGFromStream(Stream, ID, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, Compress);
  return false;
}
}  // namespace

void TVirtualFileSystem::LoadTexture(const std::string& FileName, TTextureManager& TextureManager, bool Compress) {
  std::string Name = FileName;
  if (ExtensionOf(Name).empty()) {
    for (const char* Ext : {".png", ".dds", ".jpg", ".tga"})
      if (FileExists(FileName + Ext)) {
        Name = FileName + Ext;
        break;
      }
  }
  const std::string Key = TextureBaseName(Name);
  if (Key.empty()) return;
  if (auto Path = DiskPath(Name); IsRegularFile(Path)) {
    TextureManager.AddTexture(Path->string(), Key, Compress);
    return;
  }
  TMemoryStream Stream;
  if (!ExtractFile(Name, Stream)) return;
  gLastTextureFile = Name;
  std::uint32_t ID = 0;
  if (LoadPackedTexture(Stream, ExtensionOf(Name), ID, Compress)) TextureManager.AddTextureByID(Key, ID);
}

void TVirtualFileSystem::LoadTextures(const std::string& Folder, const std::string& Ext, TTextureManager& TextureManager,
                                      bool Compress) {
  if (auto Path = DiskPath(Folder); IsFolder(Path)) {
    TFileNameList Names;
    ListDirectory(Folder, Ext, Names);
    if (!Names.empty()) TextureManager.AddTexturesFromDirectory(Path->string(), "*" + Ext, Compress, "");
    return;
  }
  TFileList Entries;
  ListFiles(Folder, Ext, Entries);
  // The PNG entries are read here (the package stream is this thread's) and decoded on worker
  // threads while the ones before them upload.
  TPNGDecodeAhead Ahead(!gHardwareMipmaps);
  for (TVirtualFile* Entry : Entries) {
    if (LowerAscii(Entry->Ext) != ".png") continue;
    TMemoryStream Stream;
    Entry->SaveToStream(Stream);
    Ahead.Add(Entry->FullName(), [Bytes = std::move(Stream.Bytes())]() mutable -> std::optional<std::vector<std::uint8_t>> {
      return std::move(Bytes);
    });
  }
  Ahead.Start();
  for (TVirtualFile* Entry : Entries) {
    const std::string Ext = LowerAscii(Entry->Ext);
    if (Ext != ".png" && Ext != ".tga" && Ext != ".jpg" && Ext != ".dds") continue;
    gLastTextureFile = Entry->FullName();
    std::uint32_t ID = 0;
    if (Ahead.Has(Entry->FullName())) {
      if (LoadDecodedPNG(Ahead.Take(Entry->FullName()), Entry->FullName(), true, ID, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR,
                         Compress))
        TextureManager.AddTextureByID(Entry->Name, ID);
      continue;
    }
    TMemoryStream Stream;
    Entry->SaveToStream(Stream);
    Stream.Seek(0);
    if (LoadPackedTexture(Stream, Ext, ID, Compress)) TextureManager.AddTextureByID(Entry->Name, ID);
  }
}

void TVirtualFileSystem::LoadFont(const TFontFiles& Files, TTextureManager& TextureManager,
                                  std::unique_ptr<TTexFont>& Font, float Size) {
  const std::string& TextureFile = Files.Texture;
  const std::string& WidthFile = Files.Widths;
  TMemoryStream Widths;
  if (auto Path = DiskPath(WidthFile); IsRegularFile(Path)) {
    TFileStream File(*Path);
    File.CopyTo(Widths, File.Size());
    Widths.Seek(0);
  } else if (!ExtractFile(WidthFile, Widths)) {
    throw ETarnovaError("TVirtualFileSystem->LoadFont->File for fontsize \"" + WidthFile + "\" not found in VFS");
  }
  if (Widths.Size() < 256)
    throw EDataError("TVirtualFileSystem->LoadFont->File for fontsize \"" + WidthFile + "\" holds " +
                     std::to_string(Widths.Size()) + " bytes, 256 needed");
  LoadTexture(TextureFile, TextureManager, false);
  const std::int32_t ID = TextureManager.GetTextureInfo(TextureBaseName(TextureFile), tiGLID);
  if (ID < 0)
    throw ERangeError("TVirtualFileSystem->LoadFont->Font texture \"" + TextureFile + "\" could not be loaded");
  Font = std::make_unique<TTexFont>(static_cast<std::uint32_t>(ID), Widths, Size);
}
