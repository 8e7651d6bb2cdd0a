// Reads arbitrary bytes as a font's width file (".fnt", one width byte per character code) as
// the font loader does, without a GL context: fewer than 256 bytes must end in a read error; a
// table read from them gives every code its byte's width, and any text measures finite and at
// least one unit per character.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "engine/streams.h"
#include "engine/tex_font.h"
#include "platform/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  constexpr float FontSize = 8.0f;  // the size the game loads both fonts with
  TMemoryStream Stream(std::vector<std::uint8_t>(Data, Data + Size));
  try {
    const TTexFont Font(Stream, FontSize);
    Check(Size >= 256 && Font.ListBase == 0);
    for (std::size_t I = 0; I < 256; ++I) Check(Font.Widths[I] == 1.5f * (static_cast<float>(Data[I]) / FontSize));
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    const float Width = Font.TextWidth(Text);
    Check(std::isfinite(Width) && Width >= static_cast<float>(Size));
  } catch (const EReadError&) {
    Check(Size < 256);
  }
  return 0;
}
