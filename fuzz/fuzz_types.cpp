// Reads arbitrary bytes as each of the type data files (technologies, unit types, building types):
// a broken file must end in a data error and leave the pool or tree as it was.
#include <cstdint>

#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/engine_globals.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "world/building_type.h"
#include "world/technology.h"
#include "world/unit_type.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (gLocalization.LanguageCodes.empty()) {
    gLocalization.LanguageCodes = {"ger", "eng"};
    gLocalization.Texts.assign(2, {});
  }
  TXMLDocument D;
  try {
    D.LoadFromMemory(Data, Size, "types.xml");
  } catch (const ETarnovaError&) {
    return 0;
  }
  TTechnologyTree Tree;
  try {
    Tree.LoadFromDocument(D);
    TStringList Leads;
    for (const auto& T : Tree.Technologies) {
      T->PrerequisitesMet();
      T->GetLeadsTo(Leads);
      if (T->Tree != &Tree) __builtin_trap();
    }
  } catch (const EDataError&) {
    if (!Tree.Technologies.empty()) __builtin_trap();
  }
  TUnitTypePool Units;
  try {
    Units.LoadFromDocument(D);
    for (const auto& U : Units.Types)
      for (const char* Value : {"attack.ground", "defense.air", "health"}) U->GetValue(Value, Tree);
  } catch (const EDataError&) {
    if (!Units.Types.empty()) __builtin_trap();
  }
  TBuildingTypePool Buildings;
  Buildings.Variables = &gScriptManager->Variables;
  try {
    Buildings.LoadFromDocument(D);
    if (Buildings.FindByNumber(-1) != Buildings.UnknownType()) __builtin_trap();
  } catch (const EDataError&) {
    if (!Buildings.Types.empty()) __builtin_trap();
  }
  return 0;
}
