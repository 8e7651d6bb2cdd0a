// Reads arbitrary bytes as the region data file: a broken file must end in a data error.
#include <cstdint>
#include <exception>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "world/earth.h"
#include "world/region.h"
#include "world/world_globals.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (gLocalization.LanguageCodes.empty()) {
    gLocalization.LanguageCodes = {"ger", "eng"};
    gLocalization.Texts.assign(2, {});
  }
  TXMLDocument D;
  try {
    D.LoadFromMemory(Data, Size, "regions.xml");
  } catch (const ETarnovaError&) {
    return 0;
  }
  TEarth Earth;
  try {
    Earth.LoadRegionsFromDocument(D);
    for (const auto& Region : gRegions)
      for (std::int32_t N : Region->Neighbours)
        if (N < 0 || static_cast<std::size_t>(N) >= gRegions.size()) __builtin_trap();
  } catch (const EDataError&) {
  }
  Earth.Destroy();
  return 0;
}
