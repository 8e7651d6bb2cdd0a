#pragma once
// The GUI toolkit's services without GL or sound, for the tests, the benchmarks, the fuzz targets
// and the soak runs (header only, no test framework): a fixed-width font (every character
// CharWidth units), textures known by name, data files from a map, nothing drawn or played.
// While Record is set it keeps what it was asked: printed texts, sounds, loaded files, wrap modes.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_services.h"

class THeadlessGUIServices : public TGUIServices {
public:
  float CharWidth = 7.0f;
  std::map<std::string, int> Textures;  // name -> GL id
  std::map<std::string, int> TextureWidths;  // 64 for a known texture not named here
  // Every name counts as a texture (GL id 1) whether Textures holds it or not.
  bool EveryTextureKnown = false;
  // LoadTexture registers the name under a new id and succeeds; else it finds nothing.
  bool TexturesLoad = true;
  std::map<std::string, std::string> Files;  // data files by name
  bool Record = true;
  std::vector<std::string> Sounds;
  std::vector<std::string> Loaded;  // file names handed to LoadTexture
  std::vector<std::string> Printed;
  std::vector<std::pair<unsigned, unsigned>> WrapModes;  // (id, wrap s)

  float TextWidth(const std::string& Text) override { return CharWidth * static_cast<float>(Text.size()); }
  void Print(const std::string& Text, TVector3, TVector3, float, float, bool, bool) override { Keep(Printed, Text); }
  void PrintAlpha(const std::string& Text, TVector3, float, float, bool, bool) override { Keep(Printed, Text); }
  void BindTexture(const std::string&) override {}
  void BindTextureByID(unsigned) override {}
  void DrawTexture(const std::string&, float, float, float, float, float) override {}
  void DrawTextureByID(unsigned, float, float, float, float, float) override {}
  int GetTextureInfo(const std::string& Name, int What) override {
    const auto It = Textures.find(Name);
    if (It == Textures.end() && !EveryTextureKnown) return What == tiGLID ? -1 : 0;
    if (What == tiGLID) return It == Textures.end() ? 1 : It->second;
    if (What == tiWidth) {
      const auto Width = TextureWidths.find(Name);
      return Width == TextureWidths.end() ? 64 : Width->second;
    }
    return 0;
  }
  void SetWrapModeByID(unsigned ID, unsigned S, unsigned) override {
    if (Record) WrapModes.emplace_back(ID, S);
  }
  bool LoadTexture(const std::string& FileName, const std::string& Name) override {
    Keep(Loaded, FileName);
    if (!TexturesLoad) return false;
    Textures[Name] = 100 + static_cast<int>(Textures.size());
    return true;
  }
  bool FileExists(const std::string& FileName) override { return Files.count(FileName) > 0; }
  std::optional<std::string> ReadFile(const std::string& FileName) override {
    const auto It = Files.find(FileName);
    if (It == Files.end()) return std::nullopt;
    return It->second;
  }
  void PlaySound(const std::string& Name) override { Keep(Sounds, Name); }

private:
  void Keep(std::vector<std::string>& List, const std::string& Text) {
    if (Record) List.push_back(Text);
  }
};

// The same with the data files of a folder (a file system of its own) or, without one, of the
// program's data set (gVirtualFileSystem; no files while there is none).
class TDataGUIServices : public THeadlessGUIServices {
public:
  TDataGUIServices() = default;
  explicit TDataGUIServices(const std::string& Folder) : Own(std::make_unique<TVirtualFileSystem>(Folder)) {}
  bool FileExists(const std::string& FileName) override {
    const TVirtualFileSystem* Data = Source();
    return Data && Data->FileExists(FileName);
  }
  std::optional<std::string> ReadFile(const std::string& FileName) override {
    TVirtualFileSystem* Data = Source();
    return Data ? Data->ReadFile(FileName) : std::nullopt;
  }

private:
  std::unique_ptr<TVirtualFileSystem> Own;
  TVirtualFileSystem* Source() const { return Own ? Own.get() : gVirtualFileSystem.get(); }
};
