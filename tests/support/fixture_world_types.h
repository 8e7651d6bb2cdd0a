#pragma once
// The world's type data from tests/fixtures/world for benchmarks and fuzz targets: two languages
// (English chosen), the file system over the fixtures, and both type pools loaded.
#include <memory>
#include <string>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "world/building_type.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

// Both type pools from the file system's "data\XML\units.xml" and "buildings.xml".
inline void LoadWorldTypePools() {
  gUnitTypePool = std::make_unique<TUnitTypePool>();
  gUnitTypePool->LoadFromXML("data\\XML\\units.xml");
  gBuildingTypePool = std::make_unique<TBuildingTypePool>();
  gBuildingTypePool->Variables = &gScriptManager->Variables;
  gBuildingTypePool->LoadFromXML("data\\XML\\buildings.xml");
}

inline void LoadFixtureWorldTypes() {
  gLocalization.Clear();
  gLocalization.LanguageCodes = {"ger", "eng"};
  gLocalization.LanguageNames = {"Deutsch", "English"};
  gLocalization.Texts.assign(2, {});
  gLocalization.LanguageIndex = 1;
  gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(std::string(TARNOVA_SOURCE_DIR) + "/tests/fixtures/world");
  LoadWorldTypePools();
}
