// tarnova-modelgen: writes the game's models, their textures and the unit and building preview
// pictures into the data folder:
//   data/3d/*.3df            models loaded at start (globe, symbols, landscapes, diorama set
//                            pieces, units, main menu)
//   data/3d/ondemand/*.3df   the building models and plots, loaded when first drawn
//   data/tex/models/*.png    the textures the models name
//   data/tex/nocompression/preview2d_unittype_N.png, preview2d_buildingtype_N.png
// Unit and building models follow the order of units.xml and buildings.xml. Prints the
// triangle count of every model. Files whose bytes did not change are not rewritten.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>

#include "catalogue.h"
#include "model_writer.h"
#include "preview_renderer.h"
#include "texture_art.h"
#include "write_if_changed.h"

namespace fs = std::filesystem;

namespace {
constexpr int kPreviewSize = 128;

// Textures that other parts of the data set provide (the globe's day map).
const std::set<std::string> kForeignTextures = {"earthmap"};

std::string ReadFile(const fs::path& P) {
  std::ifstream In(P, std::ios::binary);
  if (!In) throw std::runtime_error("cannot read \"" + P.string() + "\"");
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

// The model3d names of a data file, in file order.
std::vector<std::string> ModelNames(const fs::path& File) {
  const std::string Text = ReadFile(File);
  const std::string Key = "model3d=\"";
  std::vector<std::string> Names;
  for (std::size_t At = Text.find(Key); At != std::string::npos; At = Text.find(Key, At)) {
    At += Key.size();
    std::size_t End = Text.find('"', At);
    if (End == std::string::npos) break;
    Names.push_back(Text.substr(At, End - At));
  }
  if (Names.empty()) throw std::runtime_error("no model3d names in \"" + File.string() + "\"");
  return Names;
}

struct TOutput {
  fs::path Root;
  const std::map<std::string, TImage>* Textures;
  std::size_t Triangles = 0;

  TModelBuilder Make(const std::string& Name, bool (*Maker)(const std::string&, TModelBuilder&)) const {
    TModelBuilder B;
    if (!Maker(Name, B)) throw std::runtime_error("no recipe for the model \"" + Name + "\"");
    return B;
  }
  void Model(const std::string& Name, const TModelBuilder& B, bool OnDemand) {
    TGLBinaryModel M = B.Build();
    for (const std::string& T : M.TextureNames)
      if (!Textures->count(T) && !kForeignTextures.count(T))
        throw std::runtime_error("the model \"" + Name + "\" names the unknown texture \"" + T + "\"");
    WriteIfChanged(Root / "data" / "3d" / (OnDemand ? "ondemand" : "") / (Name + ".3df"), WriteBinaryModel(M));
    std::cout << "tarnova-modelgen: " << Name << ": " << B.Triangles().size() << " triangles\n";
    Triangles += B.Triangles().size();
  }
  void Preview(const std::string& Name, const TModelBuilder& B) {
    WriteIfChanged(Root / "data" / "tex" / "nocompression" / (Name + ".png"), EncodeImagePNG(RenderPreview(B, *Textures, kPreviewSize)));
  }
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tarnova-modelgen <content folder> <output root>\n";
    return 2;
  }
  try {
    const fs::path Content = argv[1];
    const std::map<std::string, TImage> Textures = PaintModelTextures();
    TOutput Out{argv[2], &Textures};
    for (const auto& [Name, Image] : Textures) WriteIfChanged(Out.Root / "data" / "tex" / "models" / (Name + ".png"), EncodeImagePNG(Image));

    const std::vector<std::string> Units = ModelNames(Content / "data" / "XML" / "units.xml");
    for (std::size_t i = 0; i < Units.size(); ++i) {
      TModelBuilder B = Out.Make(Units[i], MakeUnit);
      Out.Model(Units[i], B, false);
      Out.Preview("preview2d_unittype_" + std::to_string(i), B);
    }
    std::vector<std::string> Buildings = ModelNames(Content / "data" / "XML" / "buildings.xml");
    Buildings.push_back("building_unknown");  // the type the game appends for unidentified buildings
    for (std::size_t i = 0; i < Buildings.size(); ++i) {
      const bool Known = i + 1 < Buildings.size();
      TModelBuilder B = Out.Make(Buildings[i], Known ? MakeBuilding : MakeScenery);
      Out.Model(Buildings[i], B, true);
      Out.Preview("preview2d_buildingtype_" + std::to_string(i), B);
    }
    for (const char* Name : {"building_empty", "building_construct", "building_selector", "building_selector_b"})
      Out.Model(Name, Out.Make(Name, MakeScenery), true);
    std::vector<std::string> Scenery = {"earth", "earthsimple", "hand", "logobend"};
    for (int i = 0; i < 5; ++i) {
      Scenery.push_back("symbol" + std::to_string(i));
      Scenery.push_back("background_nation" + std::to_string(i));
    }
    for (int i = 1; i <= 3; ++i) {
      Scenery.push_back("setting_background_level" + std::to_string(i));
      Scenery.push_back("setting_street_level" + std::to_string(i));
    }
    for (const std::string& Name : Scenery) Out.Model(Name, Out.Make(Name, MakeScenery), false);

    std::cout << "tarnova-modelgen: " << Units.size() + Buildings.size() + 4 + Scenery.size() << " models, " << Out.Triangles
              << " triangles, " << Textures.size() << " textures\n";
    std::ofstream(Out.Root / "data" / ".models-stamp", std::ios::trunc) << "";
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "tarnova-modelgen: " << E.what() << '\n';
    return 1;
  }
}
