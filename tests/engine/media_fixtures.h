#pragma once
// Fixtures of the sound, music and model tests: a program folder with loose files and a data
// package behind gVirtualFileSystem, and the lines the media code writes to the log.
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/virtual_file_system.h"
#include "package_writer.h"
#include "support/temp_folder.h"

// gVirtualFileSystem over a fresh program folder; Open() after writing files and the package.
struct TVFSFixture {
  TTempFolder Folder;
  TVFSFixture() = default;
  ~TVFSFixture() { gVirtualFileSystem.reset(); }
  void Pack(const std::vector<TPackageEntry>& Entries) { Folder.Write("tarnova.dat", BuildPackage(Entries)); }
  void Open() {
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Folder.Path());
    gVirtualFileSystem->Open("tarnova.dat");
  }
};
