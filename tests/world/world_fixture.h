#pragma once
// Set-up shared by the world tests: a program folder with data files, the file system over it,
// a two-language localisation (German, English) and empty world globals; everything is put back
// at the end of the test.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "support/temp_folder.h"
#include "world/earth.h"
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
