#include "gui/gui_services.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/sound_system.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"

float TEngineGUIServices::TextWidth(const std::string& Text) { return gGUIFont ? gGUIFont->TextWidth(Text) : 0.0f; }

void TEngineGUIServices::Print(const std::string& Text, TVector3 Pos, TVector3 Color, float Alpha, float Size,
                               bool Shadow, bool Bind) {
  if (gGUIFont) gGUIFont->Print(Text, Pos, Color, Alpha, Size, Shadow, Bind);
}

void TEngineGUIServices::PrintAlpha(const std::string& Text, TVector3 Pos, float Size, float Alpha, bool Shadow,
                                    bool Bind) {
  if (gGUIFont) gGUIFont->PrintAlpha(Text, Pos, Size, Alpha, Shadow, Bind);
}

void TEngineGUIServices::BindTexture(const std::string& Name) {
  if (gTextureManager) gTextureManager->BindTexture(Name, GL_TEXTURE0);
}

void TEngineGUIServices::BindTextureByID(unsigned ID) {
  if (gTextureManager) gTextureManager->BindTextureByID(ID, GL_TEXTURE0);
}

void TEngineGUIServices::DrawTexture(const std::string& Name, float X, float Y, float Z, float W, float H) {
  if (gTextureManager) gTextureManager->DrawTexture(Name, X, Y, Z, W, H);
}

void TEngineGUIServices::DrawTextureByID(unsigned ID, float X, float Y, float Z, float W, float H) {
  if (gTextureManager) gTextureManager->DrawTextureByID(ID, X, Y, Z, W, H);
}

int TEngineGUIServices::GetTextureInfo(const std::string& Name, int What) {
  if (!gTextureManager) return What == tiGLID ? -1 : 0;
  return gTextureManager->GetTextureInfo(Name, static_cast<std::uint16_t>(What));
}

void TEngineGUIServices::SetWrapModeByID(unsigned ID, unsigned WrapS, unsigned WrapT) {
  if (gTextureManager) gTextureManager->SetWrapModeByID(ID, WrapS, WrapT, GL_TEXTURE_2D);
}

bool TEngineGUIServices::LoadTexture(const std::string& FileName, const std::string& Name) {
  if (!gVirtualFileSystem || !gTextureManager) return false;
  gVirtualFileSystem->LoadTexture(FileName, *gTextureManager, false);
  return gTextureManager->GetTextureInfo(Name, tiGLID) != -1;
}

bool TEngineGUIServices::FileExists(const std::string& FileName) {
  return gVirtualFileSystem && gVirtualFileSystem->FileExists(FileName);
}

std::optional<std::string> TEngineGUIServices::ReadFile(const std::string& FileName) {
  if (!gVirtualFileSystem) return std::nullopt;
  return gVirtualFileSystem->ReadFile(FileName);
}

void TEngineGUIServices::PlaySound(const std::string& Name) {
  if (gSoundSystem) gSoundSystem->PlaySound(Name, false);
}

namespace {
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
