#include "engine/gl_misc.h"

#include <cstring>
#include <vector>

#include "engine/gl_api.h"
#include "platform/files.h"
#include "platform/latin1.h"
#include "platform/png_codec.h"

bool ExtensionInList(const char* List, const std::string& Name) {
  if (!List || Name.empty()) return false;
  // Any number of names: no fixed table.
  const char* P = List;
  while (*P) {
    while (*P == ' ') ++P;
    const char* Start = P;
    while (*P && *P != ' ') ++P;
    if (static_cast<std::size_t>(P - Start) == Name.size() && SameTextAscii(std::string(Start, P), Name)) return true;
  }
  return false;
}

bool ExtensionSupported(const std::string& Name) {
  return ExtensionInList(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), Name);
}

bool SoftwareRasterizer(const char* Renderer) {
  if (!Renderer) return false;
  const std::string R = Renderer;
  for (const char* Name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
    if (R.find(Name) != std::string::npos) return true;
  return false;
}

bool SaveScreenshot(const std::string& FileName, bool KeepAlpha, std::string* Error) {
  GLint Viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, Viewport);
  const GLint Width = Viewport[2], Height = Viewport[3];
  std::string Why;
  auto Fail = [&](const std::string& What) {
    if (Error) *Error = What;
    return false;
  };
  if (Width <= 0 || Height <= 0) return Fail("no viewport to read");
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  std::vector<std::uint8_t> Pixels(std::size_t(Width) * Height * 4);
  glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
  if (!KeepAlpha)
    for (std::size_t I = 3; I < Pixels.size(); I += 4) Pixels[I] = 255;
  std::string Bytes;
  // Row 0 of the frame is its bottom row; the encoder writes the top row first.
  if (!EncodePNG(Pixels.data(), std::uint32_t(Width), std::uint32_t(Height), Bytes, Why))
    return Fail("cannot encode \"" + FileName + "\": " + Why);
  if (!SafeWriteFile(DiskPathFor(FileName), Bytes, &Why)) return Fail(Why);
  return true;
}
