// Every model the game draws by name exists in the data set, loads with the game's reader and
// finds its textures; the unit and building previews are there; the models are made the same
// way on every run.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "catalogue.h"
#include "content_fixture.h"
#include "engine/binary_model.h"
#include "engine/streams.h"
#include "model_writer.h"
#include "platform/latin1.h"

namespace fs = std::filesystem;

namespace {

// Names the scenes build at run time ("symbol" + nation and so on) and literal Draw3DModel names.
std::set<std::string> SceneModelNames() {
  std::set<std::string> Names = {"earth", "earthsimple", "hand", "logobend", "building_construct", "building_empty",
                                 "building_selector", "building_selector_b", "building_unknown"};
  for (int i = 0; i < 5; ++i) {
    Names.insert("symbol" + std::to_string(i));
    Names.insert("background_nation" + std::to_string(i));
  }
  for (int i = 1; i <= 3; ++i) {
    Names.insert("setting_background_level" + std::to_string(i));
    Names.insert("setting_street_level" + std::to_string(i));
  }
  const std::string Call = "Draw3DModel(\"";
  for (auto& E : fs::recursive_directory_iterator(SourceFile("src"))) {
    if (!E.is_regular_file()) continue;
    std::string Text = ReadTestFile(E.path());
    for (std::size_t At = Text.find(Call); At != std::string::npos; At = Text.find(Call, At)) {
      At += Call.size();
      const std::size_t End = Text.find('"', At);
      // A stem the code completes ("symbol" + N) stands in the list above with its completions.
      const std::size_t Next = Text.find_first_not_of(' ', End + 1);
      if (Next != std::string::npos && Text[Next] == '+') continue;
      Names.insert(LowerAscii(Text.substr(At, End - At)));
    }
  }
  return Names;
}

// Model files of the data set by lower-case name, with the folder they lie in.
std::map<std::string, fs::path> ModelFiles() {
  std::map<std::string, fs::path> Files;
  for (auto& E : fs::recursive_directory_iterator(DataFile("3d")))
    if (E.is_regular_file() && LowerAscii(E.path().extension().string()) == ".3df") Files[LowerAscii(E.path().stem().string())] = E.path();
  return Files;
}

std::set<std::string> Pictures() {
  std::set<std::string> Have;
  for (auto& E : fs::recursive_directory_iterator(DataFile("")))
    if (E.is_regular_file() && (E.path().extension() == ".png" || E.path().extension() == ".dds" || E.path().extension() == ".jpg"))
      Have.insert(LowerAscii(E.path().stem().string()));
  return Have;
}

std::set<std::string> PendingTextures() {
  std::set<std::string> Out;
  std::istringstream In(ReadTestFile(SourceFile("tests/content/pending_assets.txt")));
  std::string Kind, Name, Line;
  while (std::getline(In, Line)) {
    std::istringstream Words(Line);
    if (Words >> Kind >> Name && Kind == "texture") Out.insert(LowerAscii(Name));
  }
  return Out;
}

}  // namespace

TEST(ModelAssets, EveryModelTheGameDrawsLoadsAndFindsItsTextures) {
  const auto Files = ModelFiles();
  const auto Have = Pictures(), Waiting = PendingTextures();
  const auto Units = DataModelNames("units.xml"), Buildings = DataModelNames("buildings.xml");
  std::set<std::string> Used = SceneModelNames();
  Used.insert(Units.begin(), Units.end());
  Used.insert(Buildings.begin(), Buildings.end());
  for (const std::string& Name : Used) {
    auto It = Files.find(LowerAscii(Name));
    if (It == Files.end()) {
      ADD_FAILURE() << "the model \"" << Name << "\" is not in data/3d";
      continue;
    }
    TGLBinaryModel M;
    TFileStream S(It->second);
    ASSERT_NO_THROW(M.ReadFromStream(S)) << Name;
    std::size_t Faces = 0;
    for (const TGLBinaryMesh& Mesh : M.Meshes) Faces += Mesh.Faces.size();
    EXPECT_GT(Faces, 0u) << Name;
    for (const std::string& T : M.TextureNames)
      EXPECT_TRUE(Have.count(LowerAscii(T)) || Waiting.count(LowerAscii(T))) << Name << " names the missing texture " << T;
  }
  // The battlefield draws unit models without loading on demand: they must be loaded at start.
  for (const std::string& Name : Units)
    EXPECT_EQ(LowerAscii(Files.at(LowerAscii(Name)).parent_path().filename().string()), "3d") << Name;
  // One preview picture per unit and building type, by index.
  for (std::size_t i = 0; i < Units.size(); ++i) EXPECT_TRUE(Have.count("preview2d_unittype_" + std::to_string(i))) << i;
  for (std::size_t i = 0; i <= Buildings.size(); ++i) EXPECT_TRUE(Have.count("preview2d_buildingtype_" + std::to_string(i))) << i;
}

TEST(ModelAssets, TheModelsAreTheSameOnEveryRun) {
  for (const std::string Name : {"unit_arm_tank", "building_fortress", "earth", "background_nation3", "setting_street_level3"}) {
    TModelBuilder A, B;
    bool Made = MakeUnit(Name, A) || MakeBuilding(Name, A) || MakeScenery(Name, A);
    ASSERT_TRUE(Made) << Name;
    ASSERT_TRUE(MakeUnit(Name, B) || MakeBuilding(Name, B) || MakeScenery(Name, B));
    const std::string Bytes = WriteBinaryModel(A.Build());
    EXPECT_TRUE(Bytes == WriteBinaryModel(B.Build())) << Name << " differs between two runs";
    EXPECT_TRUE(Bytes == ReadTestFile(ModelFiles().at(Name))) << Name << " differs from the data build's file";
  }
}

TEST(ModelAssets, EveryFaceFacesTheWayItsNormalsPoint) {
  // The game culls back faces: a face wound against its normals would vanish where it is lit.
  std::vector<std::string> Names = DataModelNames("units.xml");
  for (const std::string& B : DataModelNames("buildings.xml")) Names.push_back(B);
  for (const std::string& S : SceneModelNames())
    if (S.find('.') == std::string::npos) Names.push_back(S);
  for (const std::string& Name : Names) {
    TModelBuilder B;
    ASSERT_TRUE(MakeUnit(Name, B) || MakeBuilding(Name, B) || MakeScenery(Name, B)) << Name;
    int Against = 0;
    for (const TTriangle& T : B.Triangles()) {
      TVec3 Face = Cross(T.C[1].P - T.C[0].P, T.C[2].P - T.C[0].P);
      Against += Dot(Face, T.C[0].N + T.C[1].N + T.C[2].N) <= 0;
    }
    EXPECT_EQ(Against, 0) << Name;
  }
}
