#pragma once
// Sets up the globals the type tests touch and tears them down again: the localisation (German
// active, the keys the types use), a file system over tests/fixtures/world, a technology tree and
// the two type pools loaded from the fixture data.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "support/fixture_world_types.h"
#include "support/log_capture.h"
#include "world/building_type.h"
#include "world/technology.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

inline std::string FixtureFolder() { return std::string(TARNOVA_SOURCE_DIR) + "/tests/fixtures/world"; }

// A document from inline text, named like the data file it stands for.
inline std::unique_ptr<TXMLDocument> XMLFromText(const std::string& Text, const std::string& FileName) {
  auto D = std::make_unique<TXMLDocument>();
  D->LoadFromMemory(Text.data(), Text.size(), FileName);
  return D;
}

class TypesFixture : public ::testing::Test {
protected:
  void SetUp() override {
    gLocalization.Clear();
    gLocalization.LanguageCodes = {"ger", "eng"};
    gLocalization.LanguageNames = {"Deutsch", "English"};
    gLocalization.AddKey("szStrTechLeadsToTech", "F\xFChrt zu", "Leads to");
    gLocalization.AddKey("szStrTechLeadsToBuilding", "Erm\xF6glicht", "Unlocks building");
    gLocalization.AddKey("szStrTechLeadsToUnit", "Erm\xF6glicht Einheit", "Unlocks unit");
    gLocalization.LanguageIndex = 0;
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(FixtureFolder());
    Tree = std::make_unique<TTechnologyTree>();
    Tree->LoadFromXML("data\\XML\\technologies.xml");
    LoadWorldTypePools();
  }
  void TearDown() override {
    gBuildingTypePool.reset();
    gUnitTypePool.reset();
    Tree.reset();
    gVirtualFileSystem.reset();
    FreeLocalization();
  }
  void Research(const std::string& ID) { Tree->FindByName(ID)->Researched = true; }

  TLogCapture Log;
  std::unique_ptr<TTechnologyTree> Tree;
};

// Runs F and returns the message of the E it throws ("" when none is thrown).
template <typename E = ETarnovaError, typename F>
std::string ErrorOf(F&& Run) {
  try {
    Run();
  } catch (const E& Error) {
    return Error.what();
  }
  return "";
}
template <typename F>
std::string DataErrorOf(F&& Load) {
  return ErrorOf<EDataError>(Load);
}
