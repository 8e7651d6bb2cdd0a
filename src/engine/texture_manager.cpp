#include "engine/texture_manager.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "engine/streams.h"
#include "engine/textures.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/latin1.h"

std::unique_ptr<TTextureManager> gTextureManager = std::make_unique<TTextureManager>();

std::string TextureBaseName(const std::string& FileName) {
  const std::size_t Slash = FileName.find_last_of("\\/");
  const std::string Name = Slash == std::string::npos ? FileName : FileName.substr(Slash + 1);
  const std::size_t Dot = Name.rfind('.');
  return Dot == std::string::npos ? Name : Name.substr(0, Dot);
}

TTextureManager::~TTextureManager() {
  for (std::uint32_t ID : IDs) {
    GLuint Name = ID;
    if (Name != 0) glDeleteTextures(1, &Name);
  }
}

bool TTextureManager::IsPowerOfTwo(std::uint32_t Size) {
  return Size >= 2 && Size <= 4096 && (Size & (Size - 1)) == 0;
}

void TTextureManager::Register(const std::string& Name, std::uint32_t ID, const TTextureInfo& Info) {
  // The index is a 16-bit value.
  if (IDs.size() >= 65536) throw ERangeError("TTextureManager->Register->More than 65536 textures");
  IDs.push_back(ID);
  Infos.push_back(Info);
  Names.push_back(Name);
  ByUpperName[UpperAscii(Name)] = static_cast<std::int32_t>(IDs.size() - 1);
}

std::int32_t TTextureManager::IndexOf(const std::string& Name) const {
  auto It = ByUpperName.find(UpperAscii(Name));
  return It == ByUpperName.end() ? -1 : It->second;
}

std::int32_t TTextureManager::IndexOfID(std::uint32_t ID) const {
  for (std::size_t I = Infos.size(); I-- > 0;)
    if (Infos[I].ID == ID) return static_cast<std::int32_t>(I);
  return -1;
}

std::uint16_t TTextureManager::AddTexture(const std::string& FileName, const std::string& Name, bool Compress) {
  if (!IsRegularFile(FindOnDisk(FileName))) return 0;
  if (!ExtensionSupported("GL_ARB_texture_compression")) Compress = false;
  if (std::int32_t Existing = IndexOf(Name); Existing >= 0) return static_cast<std::uint16_t>(Existing);

  std::uint32_t ID = 0;
  // A file that does not load registers nothing: a stale description of the previous texture
  // under this name would draw the wrong picture and hide a good entry from BindTextureByID.
  if (DecodeAhead && DecodeAhead->Has(FileName)) {
    gLastTextureFile = FileName;
    if (!LoadDecodedPNG(DecodeAhead->Take(FileName), FileName, false, ID, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, Compress))
      return 0;
  } else if (!LoadTexture(FileName, ID, Compress, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR)) {
    return 0;
  }
  const TLastTexture& L = gLastTexture;
  Register(Name, ID, TTextureInfo{L.Format, L.Target, ID, L.Width, L.Height});

  if ((!IsPowerOfTwo(L.Width) || !IsPowerOfTwo(L.Height)) && OnMessage)
    OnMessage("TextureManager->AddTexture->WARNING : Texture \"" + FileName + "\" is NPOT!", true);
  if (OnMessage) OnMessage("TextureManager->AddTexture->" + Name + (Compress ? " [compressed]" : ""), false);
  return static_cast<std::uint16_t>(IDs.size() - 1);
}

void TTextureManager::AddTextureByID(const std::string& Name, std::uint32_t ID) {
  const TLastTexture& L = gLastTexture;
  Register(Name, ID, TTextureInfo{L.Format, L.Target, ID, L.Width, L.Height});
}

void TTextureManager::AddTexturesFromDirectory(const std::string& Folder, const std::string& Mask, bool Compress,
                                               const std::string& Exclude) {
  auto Path = FindOnDisk(Folder);
  if (!IsFolder(Path))
    throw ETarnovaError("TTextureManager->AddTexturesFromDirectory->Cannot enter folder \"" + Folder + "\"");
  // "*" + extension; full paths, so the working directory never changes.
  std::string Ext = Mask.size() > 1 && Mask[0] == '*' ? Mask.substr(1) : "";
  struct TFile {
    std::string FileName, Key;
  };
  std::vector<TFile> Files;
  for (const std::string& Entry : ListFolder(*Path, Ext)) {
    std::string Key = Entry.substr(0, Entry.find('.'));
    if (!Exclude.empty() && Key.rfind(Exclude, 0) == 0) continue;
    Files.push_back({(*Path / Entry).string(), std::move(Key)});
  }
  // The PNG files are decoded on worker threads while the ones before them upload here.
  TPNGDecodeAhead Ahead(!gHardwareMipmaps);
  for (const TFile& F : Files)
    if (TextureFileKind(F.FileName) == ".PNG" && IndexOf(F.Key) < 0)
      Ahead.Add(F.FileName, [Name = F.FileName]() -> std::optional<std::vector<std::uint8_t>> {
        try {
          TFileStream File(Name);
          std::vector<std::uint8_t> Bytes(static_cast<std::size_t>(File.Size()));
          File.ReadExact(Bytes.data(), Bytes.size());
          return Bytes;
        } catch (const EReadError&) {
          return std::nullopt;
        }
      });
  Ahead.Start();
  DecodeAhead = &Ahead;
  struct TReset {
    TPNGDecodeAhead*& Pointer;
    ~TReset() { Pointer = nullptr; }
  } Reset{DecodeAhead};
  for (const TFile& F : Files) AddTexture(F.FileName, F.Key, Compress);
}

std::int32_t TTextureManager::GetTextureInfo(const std::string& Name, std::uint16_t What) const {
  std::int32_t I = IndexOf(Name);
  if (I < 0) return What == tiGLID ? -1 : 0;
  const TTextureInfo& Info = Infos[static_cast<std::size_t>(I)];
  switch (What) {
    case tiFormat: return static_cast<std::int32_t>(Info.Format);
    case tiWidth: return Info.Width;
    case tiHeight: return Info.Height;
    case tiGLID: return static_cast<std::int32_t>(Info.ID);
    default: return 0;
  }
}

void TTextureManager::ApplyAlphaTest(std::int32_t Index) {
  if (Infos[static_cast<std::size_t>(Index)].Format == GL_RGBA) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
  } else {
    glDisable(GL_ALPHA_TEST);
  }
}

namespace {
// Texture units are given as GL_TEXTURE0 + n; a plain n below that means the same unit.
GLenum UnitEnum(std::uint32_t TextureUnit) {
  return TextureUnit < GL_TEXTURE0 ? GL_TEXTURE0 + TextureUnit : static_cast<GLenum>(TextureUnit);
}
}  // namespace

void TTextureManager::BindTexture(const std::string& Name, std::uint32_t TextureUnit) {
  std::int32_t I = IndexOf(Name);
  if (I < 0) {
    auto Dot = Name.find('.');
    if (Dot != std::string::npos) I = IndexOf(Name.substr(0, Dot));
  }
  if (I < 0) return;
  glActiveTexture(UnitEnum(TextureUnit));
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, IDs[static_cast<std::size_t>(I)]);
  ApplyAlphaTest(I);
}

void TTextureManager::BindTextureByID(std::uint32_t ID, std::uint32_t TextureUnit) {
  std::int32_t I = IndexOfID(ID);
  glActiveTexture(UnitEnum(TextureUnit));
  glEnable(GL_TEXTURE_2D);
  if (I >= 0) {
    glBindTexture(GL_TEXTURE_2D, IDs[static_cast<std::size_t>(I)]);
    ApplyAlphaTest(I);
  } else {
    // Ids made outside the manager (render targets) bind as they are.
    glBindTexture(GL_TEXTURE_2D, ID);
  }
}

void TTextureManager::DisableTexture(std::uint32_t TextureUnit) {
  glActiveTexture(UnitEnum(TextureUnit));
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}

void TTextureManager::SetWrapMode(std::uint32_t WrapS, std::uint32_t WrapT, std::uint32_t Target) {
  glTexParameteri(Target, GL_TEXTURE_WRAP_S, GLint(WrapS));
  glTexParameteri(Target, GL_TEXTURE_WRAP_T, GLint(WrapT));
}

void TTextureManager::SetWrapModeByID(std::uint32_t ID, std::uint32_t WrapS, std::uint32_t WrapT, std::uint32_t Target) {
  glBindTexture(GL_TEXTURE_2D, ID);
  SetWrapMode(WrapS, WrapT, Target);
}

void TTextureManager::SetFilterByID(std::uint32_t ID, std::uint32_t MinFilter, std::uint32_t MagFilter) {
  glBindTexture(GL_TEXTURE_2D, ID);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLint(MagFilter));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(MinFilter));
}

namespace {
void TexturedQuad(float X, float Y, float Z, float W, float H) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(X, Y + H, Z);
  glTexCoord2f(0, 1);
  glVertex3f(X, Y, Z);
  glTexCoord2f(1, 1);
  glVertex3f(X + W, Y, Z);
  glTexCoord2f(1, 0);
  glVertex3f(X + W, Y + H, Z);
  glEnd();
}
}  // namespace

void TTextureManager::DrawTexture(const std::string& Name, float X, float Y, float Z, float Width, float Height) {
  glActiveTexture(GL_TEXTURE0);
  std::int32_t I = IndexOf(Name);
  if (I < 0) return;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Infos[static_cast<std::size_t>(I)].ID);
  TexturedQuad(X, Y, Z, Width, Height);
}

void TTextureManager::DrawTextureOwnSize(const std::string& Name, float X, float Y, float Z) {
  glActiveTexture(GL_TEXTURE0);
  std::int32_t I = IndexOf(Name);
  if (I < 0) return;
  const TTextureInfo& Info = Infos[static_cast<std::size_t>(I)];
  glEnable(Info.Target);
  // Bound to the entry's own target, so a 1D entry draws from its 1D texture.
  glBindTexture(Info.Target, Info.ID);
  TexturedQuad(X, Y, Z, Info.Width, Info.Height);
}

void TTextureManager::DrawTextureByID(std::uint32_t ID, float X, float Y, float Z, float Width, float Height) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, ID);
  TexturedQuad(X, Y, Z, Width, Height);
}

void TTextureManager::DrawTextureRegion(const std::string& Name, float X, float Y, float Z, float Width, float Height,
                                        float S0, float S1, float T0, float T1) {
  // Only binds: the caller has chosen the texture unit and enabled texturing on it.
  std::int32_t I = IndexOf(Name);
  if (I < 0) return;
  const TTextureInfo& Info = Infos[static_cast<std::size_t>(I)];
  glBindTexture(Info.Target, Info.ID);
  glBegin(GL_QUADS);
  glTexCoord2f(S1, T0);
  glVertex3f(X + Width, Y + Height, Z);
  glTexCoord2f(S1, T1);
  glVertex3f(X + Width, Y, Z);
  glTexCoord2f(S0, T1);
  glVertex3f(X, Y, Z);
  glTexCoord2f(S0, T0);
  glVertex3f(X, Y + Height, Z);
  glEnd();
}

void TTextureManager::DrawQuad(float X, float Y, float Z, float Width, float Height) {
  glBegin(GL_QUADS);
  glVertex3f(X, Y, Z);
  glVertex3f(X, Y + Height, Z);
  glVertex3f(X + Width, Y + Height, Z);
  glVertex3f(X + Width, Y, Z);
  glEnd();
}
