#pragma once
// The world's type data from tests/fixtures/world for benchmarks and fuzz targets: two languages
// (English chosen), the file system over the fixtures, and both type pools loaded.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

// Fresh nations, each with its own number, the technology tree of "data\XML\technologies.xml" and
// neutral base factors.
inline void MakeFixtureNations() {
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i] = std::make_unique<TNation>();
    gNations[i]->Reset();
    gNations[i]->ID = static_cast<std::uint8_t>(i);
    gNations[i]->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
    gNations[i]->BaseFactors.fill(1.0f);
  }
}

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
