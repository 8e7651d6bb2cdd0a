#include "gui/gui_services.h"

#include "engine/engine_globals.h"
#include "engine/sound_system.h"
#include "engine/virtual_file_system.h"

namespace {
// Forwards to the engine's single instances; each call does nothing while its instance is missing.
class TEngineGUIServices final : public TGUIServices {
public:
  float TextWidth(const std::string&) override { return 0.0f; }
  void Print(const std::string&, TVector3, TVector3, float, float, bool, bool) override {}
  void PrintAlpha(const std::string&, TVector3, float, float, bool, bool) override {}
  void BindTexture(const std::string&) override {}
  void BindTextureByID(unsigned) override {}
  void DrawTexture(const std::string&, float, float, float, float, float) override {}
  void DrawTextureByID(unsigned, float, float, float, float, float) override {}
  int GetTextureInfo(const std::string&, int What) override { return What == 4 ? -1 : 0; }
  void SetWrapModeByID(unsigned, unsigned, unsigned) override {}
  bool LoadTexture(const std::string&, const std::string&) override { return false; }
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
