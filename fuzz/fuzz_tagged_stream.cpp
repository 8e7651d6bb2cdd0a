// Reads arbitrary bytes as a tagged value stream: every value kind in turn, until an error.
#include <cstdint>
#include <exception>

#include "engine/tagged_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TMemoryStream S(std::vector<std::uint8_t>(Data, Data + Size));
  TTaggedReader R(S);
  try {
    for (int i = 0; i < 64; ++i) {
      switch (i % 5) {
        case 0: R.ReadInteger(); break;
        case 1: R.ReadInt64(); break;
        case 2: R.ReadSingle(); break;
        case 3: R.ReadString(); break;
        default: {
          char Buf[16];
          R.Read(Buf, sizeof Buf);
        }
      }
    }
  } catch (const std::exception&) {
  }
  return 0;
}
