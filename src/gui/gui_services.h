#pragma once
// What the controls need from the engine's drawing and sound services: the GUI font, the
// texture manager and the sound system. The default forwards to those single instances; tests
// install a recording stand-in (SetGUIServices) so the toolkit's logic runs without GL.
#include <memory>
#include <optional>
#include <string>

#include "engine/texture_manager.h"
#include "engine/vectors.h"

class TGUIServices {
public:
  virtual ~TGUIServices() = default;

  // gGUIFont: width of Text in font units (size 1.0), and the two print calls the toolkit uses.
  virtual float TextWidth(const std::string& Text) = 0;
  virtual void Print(const std::string& Text, TVector3 Pos, TVector3 Color, float Alpha, float Size,
                     bool Shadow, bool Bind) = 0;
  virtual void PrintAlpha(const std::string& Text, TVector3 Pos, float Size, float Alpha, bool Shadow,
                          bool Bind) = 0;

  // The texture manager, on texture unit 0.
  virtual void BindTexture(const std::string& Name) = 0;
  virtual void BindTextureByID(unsigned ID) = 0;
  virtual void DrawTexture(const std::string& Name, float X, float Y, float Z, float Width, float Height) = 0;
  virtual void DrawTextureByID(unsigned ID, float X, float Y, float Z, float Width, float Height) = 0;
  // What: a TTextureInfoWhat (-1 for tiGLID of an unknown name).
  virtual int GetTextureInfo(const std::string& Name, int What) = 0;
  virtual void SetWrapModeByID(unsigned ID, unsigned WrapS, unsigned WrapT) = 0;
  // Loads FileName (disk or package) without compression and registers it as Name; false when
  // the file is not there.
  virtual bool LoadTexture(const std::string& FileName, const std::string& Name) = 0;
  // The virtual file system: a data file on disk or in the package.
  virtual bool FileExists(const std::string& FileName) = 0;
  virtual std::optional<std::string> ReadFile(const std::string& FileName) = 0;

  // The sound system (nothing when there is none), never looped.
  virtual void PlaySound(const std::string& Name) = 0;
};

// The services of the running game: forwards to the engine's single instances; each call does
// nothing while its instance is missing.
class TEngineGUIServices : public TGUIServices {
public:
  float TextWidth(const std::string& Text) override;
  void Print(const std::string& Text, TVector3 Pos, TVector3 Color, float Alpha, float Size, bool Shadow,
             bool Bind) override;
  void PrintAlpha(const std::string& Text, TVector3 Pos, float Size, float Alpha, bool Shadow, bool Bind) override;
  void BindTexture(const std::string& Name) override;
  void BindTextureByID(unsigned ID) override;
  void DrawTexture(const std::string& Name, float X, float Y, float Z, float Width, float Height) override;
  void DrawTextureByID(unsigned ID, float X, float Y, float Z, float Width, float Height) override;
  int GetTextureInfo(const std::string& Name, int What) override;
  void SetWrapModeByID(unsigned ID, unsigned WrapS, unsigned WrapT) override;
  bool LoadTexture(const std::string& FileName, const std::string& Name) override;
  bool FileExists(const std::string& FileName) override;
  std::optional<std::string> ReadFile(const std::string& FileName) override;
  void PlaySound(const std::string& Name) override;
};

TGUIServices& GUIServices();
// Replaces the services; an empty pointer restores the default. Returns the previous ones.
std::unique_ptr<TGUIServices> SetGUIServices(std::unique_ptr<TGUIServices> Services);
