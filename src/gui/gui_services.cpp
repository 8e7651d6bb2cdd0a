#include "gui/gui_services.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/sound_system.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"

namespace {
// Forwards to the engine's single instances; each call does nothing while its instance is missing.
class TEngineGUIServices final : public TGUIServices {
public:
  float TextWidth(const std::string& Text) override { return gGUIFont ? gGUIFont->TextWidth(Text) : 0.0f; }
  void Print(const std::string& Text, TVector3 Pos, TVector3 Color, float Alpha, float Size, bool Shadow,
             bool Bind) override {
    if (gGUIFont) gGUIFont->Print(Text, Pos, Color, Alpha, Size, Shadow, Bind);
  }
  void PrintAlpha(const std::string& Text, TVector3 Pos, float Size, float Alpha, bool Shadow, bool Bind) override {
    if (gGUIFont) gGUIFont->PrintAlpha(Text, Pos, Size, Alpha, Shadow, Bind);
  }
  void BindTexture(const std::string& Name) override {
    if (gTextureManager) gTextureManager->BindTexture(Name, GL_TEXTURE0);
  }
  void BindTextureByID(unsigned ID) override {
    if (gTextureManager) gTextureManager->BindTextureByID(ID, GL_TEXTURE0);
  }
  void DrawTexture(const std::string& Name, float X, float Y, float Z, float W, float H) override {
    if (gTextureManager) gTextureManager->DrawTexture(Name, X, Y, Z, W, H);
  }
  void DrawTextureByID(unsigned ID, float X, float Y, float Z, float W, float H) override {
    if (gTextureManager) gTextureManager->DrawTextureByID(ID, X, Y, Z, W, H);
  }
  int GetTextureInfo(const std::string& Name, int What) override {
    if (!gTextureManager) return What == tiGLID ? -1 : 0;
    return gTextureManager->GetTextureInfo(Name, static_cast<std::uint16_t>(What));
  }
  void SetWrapModeByID(unsigned ID, unsigned WrapS, unsigned WrapT) override {
    if (gTextureManager) gTextureManager->SetWrapModeByID(ID, WrapS, WrapT, GL_TEXTURE_2D);
  }
  bool LoadTexture(const std::string& FileName, const std::string& Name) override {
    if (!gVirtualFileSystem || !gTextureManager) return false;
    gVirtualFileSystem->LoadTexture(FileName, *gTextureManager, false);
    return gTextureManager->GetTextureInfo(Name, tiGLID) != -1;
  }
  bool FileExists(const std::string& FileName) override {
    return gVirtualFileSystem && gVirtualFileSystem->FileExists(FileName);
  }
  std::optional<std::string> ReadFile(const std::string& FileName) override {
    if (!gVirtualFileSystem) return std::nullopt;
    return gVirtualFileSystem->ReadFile(FileName);
  }
  void PlaySound(const std::string& Name) override {
    if (gSoundSystem) gSoundSystem->PlaySound(Name, false);
  }
};

std::unique_ptr<TGUIServices>& Current() {
  static std::unique_ptr<TGUIServices> Services = std::make_unique<TEngineGUIServices>();
  return Services;
}
}  // namespace

TGUIServices& GUIServices() { return *Current(); }

std::unique_ptr<TGUIServices> SetGUIServices(std::unique_ptr<TGUIServices> Services) {
  if (!Services) Services = std::make_unique<TEngineGUIServices>();
  std::swap(Services, Current());
  return Services;
}
