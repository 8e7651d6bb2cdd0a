#pragma once
// The virtual file system: every data file of the game is read through it. A loose file under
// the program folder wins; otherwise the file comes from the data package "tarnova.dat".
// Names are written "data\XML\units.xml"; on disk and in the package letter case is ignored.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/streams.h"

class TTexFont;
class TTextureManager;
class TVirtualFileSystem;
class TXMLDocument;
class TGLSLShaderManager;

// One entry of the package directory; owned by the file system.
class TVirtualFile {
public:
  std::string Name;  // without folder and extension: "regions"
  std::string Ext;   // with its dot: ".xml"
  std::string Path;  // with a trailing backslash: "data\XML\"
  std::int64_t Offset = 0;
  std::int64_t Size = 0;
  TVirtualFileSystem* Owner = nullptr;
  // Filled by the music player to stream a packaged track from memory; lives as long as the entry.
  TMemoryStream Buffer;

  std::string FullName() const { return Path + Name + Ext; }
  // Copies the entry's bytes into Dest at Dest's position; Dest's position ends after them.
  void SaveToStream(TStream& Dest);
};

using TFileList = std::vector<TVirtualFile*>;
using TFileNameList = std::vector<std::string>;

class TVirtualFileSystem {
public:
  // Relative names are resolved against Root (the program folder by default).
  TVirtualFileSystem();
  explicit TVirtualFileSystem(std::filesystem::path Root);
  ~TVirtualFileSystem();

  // Reads the package directory. A missing package is fine: only loose files are found then.
  // A corrupt directory throws ETarnovaError naming the file; the package open before, if any,
  // stays open. Either way a refused package leaves the file system as it was.
  void Open(const std::string& FileName);

  TVirtualFile* FindFile(const std::string& FullName) const;
  bool FileExists(const std::string& FullName) const;
  // Copies a packaged file into Dest and rewinds Dest to 0; false (Dest untouched) when absent.
  bool ExtractFile(const std::string& FullName, TStream& Dest);
  // Appends the names (with extension) of the regular files on disk in Folder matching "*" + Ext.
  void ListDirectory(const std::string& Folder, const std::string& Ext, TFileNameList& Names) const;
  // Package entries whose Path equals Path and (unless Ext is empty) whose Ext equals Ext, in
  // directory order. Letter case counts here, unlike in FindFile; the slash kind does not.
  void ListFiles(const std::string& Path, const std::string& Ext, TFileList& Entries) const;
  void ListFileNames(const std::string& Path, const std::string& Ext, TFileNameList& Names) const;
  // Loads an XML document from disk or the package; throws when it is in neither.
  void LoadXML(const std::string& FileName, TXMLDocument& Document);
  // Adds a shader program to ShaderManager: from the two files on disk when both are loose,
  // else from each source read on its own (disk first, then the package). A source found
  // nowhere is logged in the manager's Log and the program is left out.
  void LoadShader(const std::string& Name, const std::string& VertexFile, const std::string& FragmentFile,
                  TGLSLShaderManager& ShaderManager);

  // Loads one texture into the manager under its name without folder and extension. A name
  // without extension tries ".png", ".dds", ".jpg", ".tga" in this order. A loose file goes
  // through the manager's AddTexture (a name registered already keeps its texture); a packaged
  // one is decoded by its extension (".dds", ".png", ".tga", ".jpg", lower case) and registered
  // by id, again when its name is registered already, so the newest one wins. A file found
  // nowhere, or one that does not load, registers nothing (the loaders log why).
  void LoadTexture(const std::string& FileName, TTextureManager& TextureManager, bool Compress);
  // Every texture file of one extension in Folder: the folder on disk when it has any such file,
  // else the package's entries of that folder. Names register as in LoadTexture.
  void LoadTextures(const std::string& Folder, const std::string& Ext, TTextureManager& TextureManager, bool Compress);
  // A texture font from its texture and its 256-byte width file; throws ETarnovaError naming the
  // file when either is missing or the width file is short. The two files are named fields, so
  // they cannot change places unnoticed.
  struct TFontFiles {
    std::string Texture;
    std::string Widths;
  };
  void LoadFont(const TFontFiles& Files, TTextureManager& TextureManager, std::unique_ptr<TTexFont>& Font,
                float Size);

  // The whole file, from disk or the package; none when it is in neither.
  std::optional<std::string> ReadFile(const std::string& FullName);
  // The loose file on disk for Name, when there is one (file or folder).
  std::optional<std::filesystem::path> DiskPath(const std::string& Name) const;
  bool FolderExists(const std::string& Folder) const;

  const std::filesystem::path& Root() const { return RootFolder; }
  const std::vector<std::unique_ptr<TVirtualFile>>& Files() const { return Entries; }
  bool HasPackage() const { return PackageStream != nullptr; }

private:
  friend class TVirtualFile;
  std::filesystem::path RootFolder;
  std::vector<std::unique_ptr<TVirtualFile>> Entries;
  std::unordered_map<std::string, TVirtualFile*> ByLowerName;  // first entry of each name
  std::unique_ptr<TFileStream> PackageStream;
};

// The folder loose data files are looked up in: the file system's root, or the program folder
// while there is no file system.
const std::filesystem::path& DiskRoot();
