// The texture folders load in the game's order: "data\tex\", "data\tex\nocompression\" and, with
// shaders off, "data\tex\noshaders\" last. A packaged texture registered again under a name
// taken already wins; a loose file under such a name keeps the first texture. The package's
// folder listings take folders and extensions only in the case the game asks for.
#include <gtest/gtest.h>

#include <memory>

#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "package_writer.h"
#include "platform/errors.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"

namespace {

class GameTexturesGL : public ::testing::Test {
protected:
  void SetUp() override {
    if (!GLTestContextReady()) GTEST_SKIP() << "GL tests switched off";
    SavedSettings = gSettings;
    gTextureManager = std::make_unique<TTextureManager>();
  }
  void TearDown() override {
    gVirtualFileSystem.reset();
    gTextureManager = std::make_unique<TTextureManager>();
    gSettings = SavedSettings;
  }
  // The width of the texture registered as Name.
  int LoadedWidth(bool NoShaders, const std::string& Name) {
    gSettings.NoShaders = NoShaders;
    gTextureManager = std::make_unique<TTextureManager>();
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Data.Path());
    gVirtualFileSystem->Open("tarnova.dat");
    TTarnovaForm Form{{"tarnova"}};
    TGame Game(Form, nullptr);
    Game.LoadTextures();
    return gTextureManager->GetTextureInfo(Name, 2);
  }

  TLogCapture Log;
  TTempFolder Data;
  TGameSettings SavedSettings;
};

}  // namespace

TEST_F(GameTexturesGL, NoShaderTexturesLoadLastAndAPackagedNameTakenAgainWins) {
  // Shader sources to be found (their text matters only when they compile, later).
  std::vector<TPackageEntry> Shaders;
  for (const char* Name : {"water_vert", "water_frag", "water_vert_b", "water_frag_b", "earth_vert", "earth_frag",
                           "earth_frag_noborders", "earth_frag_cloudcover"})
    Shaders.push_back(MakePackageEntry(std::string("data\\shader\\") + Name + ".txt", "void main() {}"));
  const std::string Plain = MakePNGFile(QuadrantPicture(4, 4)), Variant = MakePNGFile(QuadrantPicture(8, 8));
  Data.Write("data/tex/water.png", Plain);
  Data.Write("data/tex/noshaders/water.png", Variant);
  Data.Write("data/tex/noshaders/sea.png", Variant);
  Data.Write("data/tex/nocompression/sky.png", Plain);
  Data.Write("tarnova.dat", BuildPackage(Shaders));
  EXPECT_EQ(LoadedWidth(false, "water"), 4);
  EXPECT_EQ(gTextureManager->Names, (std::vector<std::string>{"water", "sky"}));
  // Loose files: the name registered from "data\tex\" keeps its texture.
  EXPECT_EQ(LoadedWidth(true, "water"), 4);
  EXPECT_EQ(gTextureManager->Names, (std::vector<std::string>{"water", "sky", "sea"}));

  std::filesystem::remove_all(Data.Path() / "data");
  std::vector<TPackageEntry> Package = Shaders;
  Package.push_back(MakePackageEntry("data\\tex\\noshaders\\water.png", Variant));
  Package.push_back(MakePackageEntry("data\\tex\\water.png", Plain));
  Package.push_back(MakePackageEntry("data\\tex\\nocompression\\sky.png", Plain));
  Package.push_back(MakePackageEntry("data\\TEX\\NoShaders\\land.png", Plain));
  Package.push_back(MakePackageEntry("data\\tex\\nocompression\\cloud.PNG", Plain));
  Data.Write("tarnova.dat", BuildPackage(Package));
  EXPECT_EQ(LoadedWidth(false, "water"), 4);
  // From the package the variant is registered again after the others, and wins.
  EXPECT_EQ(LoadedWidth(true, "water"), 8);
  EXPECT_EQ(gTextureManager->Names, (std::vector<std::string>{"water", "sky", "water"}));
  EXPECT_EQ(gTextureManager->GetTextureInfo("sky", 2), 4);
  EXPECT_EQ(gTextureManager->IndexOf("land"), -1);
  EXPECT_EQ(gTextureManager->IndexOf("cloud"), -1);
}

TEST_F(GameTexturesGL, TheNoiseVolumeAmongTheTexturesIsNoFaultAndAMissingFolderNamesItself) {
  TDDSHeaderSpec Volume;
  Volume.Width = Volume.Height = Volume.Depth = 4;
  Volume.Flags |= 0x800000;
  const std::string Noise = MakeDDSHeader(Volume) + std::string(64, '\x40');
  const std::string Plain = MakePNGFile(QuadrantPicture(4, 4));
  // Loose, and from the package.
  Data.Write("data/tex/noisevolume.dds", Noise);
  Data.Write("data/tex/water.png", Plain);
  Data.Write("data/tex/noshaders/sea.png", Plain);
  Data.Write("data/tex/nocompression/sky.png", Plain);
  EXPECT_EQ(LoadedWidth(true, "water"), 4);
  std::filesystem::remove_all(Data.Path() / "data");
  Data.Write("tarnova.dat", BuildPackage({MakePackageEntry("data\\tex\\noisevolume.dds", Noise),
                                          MakePackageEntry("data\\tex\\water.png", Plain),
                                          MakePackageEntry("data\\tex\\noshaders\\sea.png", Plain),
                                          MakePackageEntry("data\\tex\\nocompression\\sky.png", Plain)}));
  EXPECT_EQ(LoadedWidth(true, "water"), 4);
  EXPECT_LT(gTextureManager->IndexOf("noisevolume"), 0);  // no flat texture in the volume's place
  for (const std::string& Line : Log.Lines()) EXPECT_EQ(Line.find("noisevolume"), std::string::npos) << Line;

  // A texture folder the data set lacks ends the start-up, naming the folder.
  Data.Write("tarnova.dat", BuildPackage({MakePackageEntry("data\\tex\\water.png", Plain),
                                          MakePackageEntry("data\\tex\\noshaders\\sea.png", Plain)}));
  try {
    LoadedWidth(true, "water");
    ADD_FAILURE() << "no exception";
  } catch (const ETarnovaError& E) {
    EXPECT_NE(std::string(E.what()).find("\"data\\tex\\nocompression\\\""), std::string::npos) << E.what();
  }
}
