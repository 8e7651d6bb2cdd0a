// Tarnova: program entry.
#include <exception>
#include <iostream>

#include "engine/engine_globals.h"
#include "engine/virtual_file_system.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  try {
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>();
    gVirtualFileSystem->Open("tarnova.dat");
    std::cout << "Tarnova - Phase 1 (v1.11)\n"
              << "The game cannot start yet: this build holds the engine, the world model and the GUI toolkit.\n"
              << "Data folder: " << ProgramFolder().string() << " (package "
              << (gVirtualFileSystem->HasPackage() ? "open" : "not found") << ", "
              << gVirtualFileSystem->Files().size() << " packaged files)\n";
    gVirtualFileSystem.reset();
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "Tarnova: " << E.what() << '\n';
    return 1;
  }
}
