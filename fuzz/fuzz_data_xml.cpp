// Reads arbitrary bytes as each of the data files read at start-up besides the types and the
// regions: the texts ("localization.xml"), the nations ("nationinfo.xml") and the names of the
// transfer market ("namesnew.xml"). A broken file must end in an error, never a crash; what is
// accepted must serve the game: every text looks up, every offer of the market gets a name.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "control/world_round.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "platform/xml_document.h"
#include "world/nation.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // The data folder the names file is written to.
  static const TFuzzFolder Temp("data-");
  static const bool DataFolder = fs::create_directories(Temp.Path / "data" / "XML");
  (void)DataFolder;
  gLog.reset();  // no log: it would hold every line of the whole run
  TXMLDocument D;
  try {
    D.LoadFromMemory(Data, Size, "data.xml");
  } catch (const ETarnovaError&) {
    return 0;
  }

  // The texts: every key of the database looks up in both languages.
  FreeLocalization();
  try {
    gLocalization.LoadFromDocument(D);
    for (std::uint8_t L = 0; L < gLocalization.LanguageCodes.size(); ++L) {
      gLocalization.LanguageIndex = L;
      for (const std::string& Key : gLocalization.Keys) Localize(Key);
      Localize("szStrNoSuchKey");
    }
  } catch (const EDataError&) {
  }
  FreeLocalization();

  // The nations: the language codes of the data ("ger", "eng" with no database loaded).
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i] = std::make_unique<TNation>();
    gNations[i]->ID = static_cast<std::uint8_t>(i);
  }
  try {
    ReadNationInfo(D.Root());
    for (const auto& N : gNations) N->GetName();
  } catch (const EDataError&) {
  }
  for (auto& N : gNations) N.reset();

  // The transfer market's names, read through the file system as the game reads them.
  {
    std::ofstream Out(Temp.Path / "data" / "XML" / "namesnew.xml", std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  gLocalization.LanguageCodes = {"ger", "eng"};
  gLocalization.Texts.assign(2, {});
  gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Temp.Path);
  TTransferMarket Market;
  try {
    Market.Create();
    SetRandomSeed(1);
    for (std::uint8_t L = 0; L < 2; ++L) {
      gLocalization.LanguageIndex = L;
      Market.Regenerate(3, 3, 3);
      for (const auto& S : Market.Scientists) Check(!S->Name.empty());
      for (const auto& G : Market.Generals) Check(!G->Name.empty());
      for (const auto& S : Market.Spies) Check(!S->Name.empty());
    }
  } catch (const EDataError&) {
  }
  gVirtualFileSystem.reset();
  FreeLocalization();
  return 0;
}
