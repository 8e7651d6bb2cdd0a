#pragma once
// Stand-ins for the toolkit's tests: a fixed-width font (every character 7 units wide, 6 + 1),
// a texture registry that records what it is asked, a recording sound sink, and a window.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_globals.h"
#include "gui/gui_item.h"
#include "gui/gui_services.h"

class TFakeGUIServices : public TGUIServices {
public:
  float CharWidth = 7.0f;
  std::map<std::string, int> Textures;  // name -> GL id
  std::map<std::string, int> TextureWidths;
  std::map<std::string, std::string> Files;  // data files by name
  std::vector<std::string> Sounds;
  std::vector<std::string> Loaded;  // file names handed to LoadTexture
  std::vector<std::string> Printed;
  std::vector<std::pair<unsigned, unsigned>> WrapModes;  // (id, wrap s)

  float TextWidth(const std::string& Text) override { return CharWidth * static_cast<float>(Text.size()); }
  void Print(const std::string& Text, TVector3, TVector3, float, float, bool, bool) override { Printed.push_back(Text); }
  void PrintAlpha(const std::string& Text, TVector3, float, float, bool, bool) override { Printed.push_back(Text); }
  void BindTexture(const std::string&) override {}
  void BindTextureByID(unsigned) override {}
  void DrawTexture(const std::string&, float, float, float, float, float) override {}
  void DrawTextureByID(unsigned, float, float, float, float, float) override {}
  int GetTextureInfo(const std::string& Name, int What) override {
    auto It = Textures.find(Name);
    if (It == Textures.end()) return What == tiGLID ? -1 : 0;
    if (What == tiGLID) return It->second;
    if (What == 2) return TextureWidths.count(Name) ? TextureWidths[Name] : 64;
    return 0;
  }
  void SetWrapModeByID(unsigned ID, unsigned S, unsigned) override { WrapModes.emplace_back(ID, S); }
  bool LoadTexture(const std::string& FileName, const std::string& Name) override {
    Loaded.push_back(FileName);
    Textures[Name] = 100 + static_cast<int>(Textures.size());
    return true;
  }
  bool FileExists(const std::string& FileName) override { return Files.count(FileName) > 0; }
  std::optional<std::string> ReadFile(const std::string& FileName) override {
    auto It = Files.find(FileName);
    if (It == Files.end()) return std::nullopt;
    return It->second;
  }
  void PlaySound(const std::string& Name) override { Sounds.push_back(Name); }
};

class TFakeWindow : public TGUIItemOwner {
public:
  TVector3 Pos;
  bool AtMouse = true;
  bool HasManager = true;
  const TGLGUIItem* ItemAtMouse = nullptr;
  int ClientWidth = 1024, ClientHeight = 768, ScreenWidth = 1024, ScreenHeight = 768;

  TVector3 WindowPosition() const override { return Pos; }
  bool HasGUIManager() const override { return HasManager; }
  bool IsWindowAtMouse() const override { return HasManager && AtMouse; }
  bool IsItemAtMouse(const TGLGUIItem* Item) const override { return Item == ItemAtMouse; }
  unsigned SkinTexture(const std::string&) const override { return 0; }
  bool GetScreenScale(int& Cw, int& Ch, int& Sw, int& Sh) const override {
    Cw = ClientWidth; Ch = ClientHeight; Sw = ScreenWidth; Sh = ScreenHeight;
    return true;
  }
};

// Installs the fake services and resets the mouse globals around each test.
class GUITest : public ::testing::Test {
protected:
  void SetUp() override {
    auto Owned = std::make_unique<TFakeGUIServices>();
    Services = Owned.get();
    Previous = SetGUIServices(std::move(Owned));
    gMouseX = 0;
    gMouseY = 0;
    gLeftMouseDown = false;
    gWidescreenFactor = 1.0;
    gGUIScreenWidth = 1024;
    gFocusedEdit = nullptr;
  }
  void TearDown() override {
    SetGUIServices(std::move(Previous));
    gFocusedEdit = nullptr;
  }
  void MouseAt(int X, int Y) {
    gMouseX = X;
    gMouseY = Y;
  }
  TFakeGUIServices* Services = nullptr;
  TFakeWindow Window;

private:
  std::unique_ptr<TGUIServices> Previous;
};
