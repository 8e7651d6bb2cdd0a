// tarnova-pack: writes the data package from the data folder.
// Usage: tarnova-pack <root folder> <output package> [folder inside root, default "data"]
#include <iostream>

#include "package_writer.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: tarnova-pack <root folder> <output package> [folder]\n";
    return 2;
  }
  try {
    auto Entries = CollectFolder(argv[1], argc > 3 ? argv[3] : "data");
    std::string Error;
    if (!SafeWriteFile(argv[2], BuildPackage(Entries), &Error)) {
      std::cerr << "tarnova-pack: " << Error << '\n';
      return 1;
    }
    std::cout << "tarnova-pack: " << Entries.size() << " files into \"" << argv[2] << "\"\n";
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "tarnova-pack: " << E.what() << '\n';
    return 1;
  }
}
