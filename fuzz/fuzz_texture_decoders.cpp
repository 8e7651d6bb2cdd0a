// Decodes arbitrary bytes with every texture decoder: an image or an error, never a crash.
// The first byte picks the decoder, so one corpus covers all formats.
#include <cstdint>
#include <exception>

#include "engine/texture_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const TBytes Bytes(Data + 1, Size - 1);
  try {
    switch (Data[0] % 6) {
      case 0: DecodeDDSImage(Bytes, "fuzz.dds"); break;
      case 1: DecodePNGImage(Bytes, "fuzz.png"); break;
      case 2: DecodeJPGImage(Bytes, "fuzz.jpg"); break;
      case 3: DecodeTGAImage(Bytes, "fuzz.tga", false); break;
      case 4: DecodeTGAImage(Bytes, "fuzz.tga", true); break;
      case 5: DecodeBMPImage(Bytes, "fuzz.bmp"); break;
    }
  } catch (const ETextureError&) {
  }
  return 0;
}
