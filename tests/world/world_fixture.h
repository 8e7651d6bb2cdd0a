#pragma once
// Set-up shared by the world tests; everything is put back at the end of the test.
// TWorldTest: an empty program folder to write data files into, the file system over it, a
// two-language localisation (German, English active) and no regions.
// TNationsTest: a small world from tests/fixtures/world: its types, its five regions, and the five
// nations with their technology trees and every base factor 1.0.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "support/fixture_world_types.h"
#include "support/temp_folder.h"
#include "type_fixture.h"
#include "world/building_type.h"
#include "world/division.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/unit_type.h"
#include "world/region.h"
#include "world/world_globals.h"

class TWorldTest : public ::testing::Test {
protected:
  TTempFolder Folder;

  void SetUp() override {
    gLocalization.Clear();
    gLocalization.LanguageCodes = {"ger", "eng"};
    gLocalization.LanguageNames = {"Deutsch", "English"};
    gLocalization.Texts.assign(2, {});
    gLocalization.LanguageIndex = 1;
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Folder.Path());
    gRegions.clear();
    gSelectedRegion = 0;
  }
  void TearDown() override {
    gRegions.clear();
    gVirtualFileSystem.reset();
    gLocalization.Clear();
  }
  // Writes a data file under the program folder: WriteData("data/XML/regions.xml", ...).
  void WriteData(const std::string& Name, const std::string& Text) { Folder.Write(Name, Text); }
};

class TNationsTest : public TypesFixture {
protected:
  TEarth Earth;

  void SetUp() override {
    TypesFixture::SetUp();
    gLocalization.LanguageIndex = 1;
    Earth.Init("data\\XML\\regions.xml");
    MakeFixtureNations();
  }
  void TearDown() override {
    for (auto& N : gNations) N.reset();
    Earth.Destroy();
    TypesFixture::TearDown();
  }
  TNation& Nation(int i) { return *gNations[static_cast<std::size_t>(i)]; }
  TRegion& Region(int i) { return *gRegions[static_cast<std::size_t>(i)]; }
  const TBuildingType* Building(const std::string& ID) { return gBuildingTypePool->FindByID(ID); }
  void Build(int Region, int Row, int Column, const std::string& ID) {
    gRegions[static_cast<std::size_t>(Region)]->Buildings[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Column)].Type =
        Building(ID);
  }
  std::int32_t TypeIndex(const std::string& ID) { return gUnitTypePool->FindByID(ID)->Index; }
};
