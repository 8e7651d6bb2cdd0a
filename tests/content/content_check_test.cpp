// The content check: the game's own data set, as the data build wrote it, loads with the game's
// own loaders, its cross-references resolve, and every text key the code uses exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <regex>
#include <set>

#include "content_fixture.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "package_writer.h"
#include "platform/files.h"
#include "platform/latin1.h"
#include "platform/text_format.h"
#include "platform/xml_document.h"
#include "support/fixture_world_types.h"
#include "support/log_capture.h"
#include "world/building_type.h"
#include "world/earth.h"
#include "world/region.h"
#include "world/technology.h"
#include "world/type_references.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace fs = std::filesystem;

namespace {

// The data set loaded the way the game loads it, through the virtual file system over the build
// folder: loose files first, the package behind them.
class ContentFixture : public ::testing::Test {
protected:
  void SetUp() override {
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(fs::path(TARNOVA_BINARY_DIR));
    gVirtualFileSystem->Open("tarnova.dat");
    LoadLocalization(*gVirtualFileSystem);
    Tree = std::make_unique<TTechnologyTree>();
    Tree->LoadFromXML("data\\XML\\technologies.xml");
    LoadWorldTypePools();
    Earth.LoadRegions("data\\XML\\regions.xml");
  }
  void TearDown() override {
    Earth.Destroy();
    gBuildingTypePool.reset();
    gUnitTypePool.reset();
    Tree.reset();
    FreeLocalization();
    gVirtualFileSystem.reset();
  }
  static void LoadLocalization(TVirtualFileSystem& Files) {
    TXMLDocument Doc;
    Files.LoadXML("data\\XML\\localization.xml", Doc);
    gLocalization.Clear();
    gLocalization.LoadFromDocument(Doc);
  }

  TLogCapture Log;
  std::unique_ptr<TTechnologyTree> Tree;
  TEarth Earth;
};

// The sections of a multi-language text: "#GER" -> lines, "#ENG" -> lines.
std::map<std::string, std::vector<std::string>> Sections(const TStringList& Lines) {
  std::map<std::string, std::vector<std::string>> Out;
  std::string Current;
  for (const std::string& L : Lines) {
    if (!L.empty() && L[0] == '#') Current = L;
    else if (!Current.empty() && L.find_first_not_of(" \t\r") != std::string::npos) Out[Current].push_back(L);
  }
  return Out;
}

void ExpectBothLanguages(const TStringList& Text, const std::string& Where) {
  auto S = Sections(Text);
  EXPECT_FALSE(S["#GER"].empty()) << Where << " has no German text";
  EXPECT_FALSE(S["#ENG"].empty()) << Where << " has no English text";
  EXPECT_EQ(S.size(), 2u) << Where;
}

std::vector<std::string> Placeholders(const std::string& Text) {
  std::vector<std::string> Out;
  for (std::size_t i = 0; i + 1 < Text.size(); ++i)
    if (Text[i] == '%') Out.push_back(Text.substr(i, 2)), ++i;
  return Out;
}

}  // namespace

TEST_F(ContentFixture, TheTypesLoadAndEveryReferenceTheRulesNeedResolves) {
  EXPECT_NO_THROW(CheckTypeReferences(*Tree, *gUnitTypePool, *gBuildingTypePool));
  EXPECT_GE(gUnitTypePool->Types.size(), 10u);
  EXPECT_LE(gUnitTypePool->Types.size(), 15u);
  EXPECT_GE(Tree->Technologies.size(), 30u);
  EXPECT_LE(Tree->Technologies.size(), 40u);
  // The battle window shows the preview picture of air defence by its index.
  ASSERT_NE(gBuildingTypePool->FindByID("building_airdefense"), nullptr);
  EXPECT_EQ(gBuildingTypePool->FindByID("building_airdefense")->Number, 38);
  EXPECT_NE(gBuildingTypePool->FindByID("building_bunker"), nullptr);
  for (auto& T : gBuildingTypePool->Types) {
    EXPECT_NE(T->ID, "building_dummy");
    if (T->Number >= 0) { EXPECT_NE(T->NeededTechID, "never_ever") << T->Origin; }
  }
  EXPECT_EQ(Tree->FindByName("never_ever"), nullptr);
}

TEST_F(ContentFixture, TechnologiesFormTwoTreesWithoutCycles) {
  std::map<std::string, const TTechnology*> ByID;
  for (auto& T : Tree->Technologies) {
    EXPECT_TRUE(ByID.emplace(LowerAscii(T->ID), T.get()).second) << T->Origin << " repeats its ID";
    EXPECT_TRUE(T->Category == 0 || T->Category == 1) << T->Origin;
    EXPECT_GT(T->ResearchTime, 0.0f) << T->Origin;
    EXPECT_LE(T->ResearchTime, 40.0f) << T->Origin;
    ExpectBothLanguages(T->Description, T->Origin);
    for (const std::string& Line : T->RoundScript)
      if (Line.find("unit.") != std::string::npos) {
        EXPECT_EQ(Line.back(), '%') << T->Origin << ": a bonus line ends with its per cent sign";
        EXPECT_NE(Line.find(" +"), std::string::npos) << T->Origin;
      }
  }
  for (int Category = 0; Category <= 1; ++Category)
    EXPECT_TRUE(std::any_of(Tree->Technologies.begin(), Tree->Technologies.end(),
                            [&](auto& T) { return T->Category == Category && T->Prerequisites.empty(); }))
        << "category " << Category << " has no technology to start with";
  // Depth-first search for cycles; every prerequisite must exist.
  std::map<const TTechnology*, int> State;  // 1 on the stack, 2 done
  std::function<void(const TTechnology*)> Visit = [&](const TTechnology* T) {
    State[T] = 1;
    for (const std::string& P : T->Prerequisites) {
      auto It = ByID.find(LowerAscii(P));
      ASSERT_NE(It, ByID.end()) << T->Origin << ": unknown prerequisite " << P;
      ASSERT_NE(State[It->second], 1) << T->Origin << ": prerequisites run in a circle through " << P;
      if (State[It->second] == 0) Visit(It->second);
    }
    State[T] = 2;
  };
  for (auto& T : Tree->Technologies)
    if (State[T.get()] == 0) Visit(T.get());
  // Everything can be researched: resolve the tree step by step.
  for (bool Progress = true; Progress;) {
    Progress = false;
    for (auto& T : Tree->Technologies)
      if (!T->Researched && T->PrerequisitesMet()) T->Researched = Progress = true;
  }
  for (auto& T : Tree->Technologies) EXPECT_TRUE(T->Researched) << T->Origin << " can never be researched";
}

TEST_F(ContentFixture, UnitsCanFinishEveryBattle) {
  std::set<std::string> Categories;
  bool Rebels = false;
  for (auto& U : gUnitTypePool->Types) {
    EXPECT_FALSE(U->Category.empty()) << U->Origin;
    Categories.insert(U->Category);
    EXPECT_TRUE(U->Nation == 0 || (U->Nation >= 1 && U->Nation <= 4) || U->Nation == 6) << U->Origin;
    Rebels = Rebels || U->Nation == 6;
    EXPECT_GT(U->Health, 0.0f) << U->Origin;
    EXPECT_GT(U->BuildTime, 0) << U->Origin;
    EXPECT_FALSE(U->Model3D.empty()) << U->Origin;
    if (U->ID != "MOB_ENVCHANGER") {
      // A side that cannot hurt the other side's units would keep a battle going for ever.
      EXPECT_GT(U->AttGround, 0) << U->Origin;
      EXPECT_GT(U->AttAir, 0) << U->Origin;
    }
    ExpectBothLanguages(U->Description, U->Origin);
  }
  EXPECT_TRUE(Rebels);
  // Technology bonus lines name a unit category that exists.
  for (auto& T : Tree->Technologies)
    for (const std::string& Line : T->RoundScript) {
      if (Line.rfind("unit.", 0) != 0) continue;
      std::string Category = Line.substr(5, Line.find('.', 5) - 5);
      EXPECT_TRUE(Categories.count(Category)) << T->Origin << ": no unit category \"" << Category << "\"";
    }
  std::set<std::string> IDs;
  for (auto& U : gUnitTypePool->Types) EXPECT_TRUE(IDs.insert(LowerAscii(U->ID)).second) << U->Origin;
  for (auto& B : gBuildingTypePool->Types) EXPECT_TRUE(IDs.insert(LowerAscii(B->ID)).second) << B->Origin;
  // A bonus line for "unit.air" would also match a category "airborne".
  for (auto& A : Categories)
    for (auto& B : Categories)
      if (A != B) { EXPECT_NE(B.rfind(A, 0), 0u) << "category " << A << " is a prefix of " << B; }
  // The first types the computer opponents buy need no technology.
  for (const char* ID : {"INF_LIGHT", "INF_HEAVY", "AIR_FIGHTER", "MOB_ENVCHANGER"})
    EXPECT_EQ(gUnitTypePool->FindByID(ID)->NeededTechID, "") << ID;
  EXPECT_EQ(gUnitTypePool->FindByID("AIR_FIGHTER")->Category, "air");
}

TEST_F(ContentFixture, EveryBuildingCategoryHasAnEarlyTypeAndEnergyComesFirst) {
  for (int Category = 0; Category <= 7; ++Category) {
    bool Early = false;
    for (auto& T : gBuildingTypePool->Types) {
      if (T->Category != Category) continue;
      const TTechnology* Tech = T->NeededTechID.empty() ? nullptr : Tree->FindByName(T->NeededTechID);
      Early = Early || T->NeededTechID.empty() || (Tech && Tech->Prerequisites.empty());
    }
    EXPECT_TRUE(Early) << "building category " << Category << " has no early type";
  }
  for (auto& T : gBuildingTypePool->Types) {
    if (T->Number < 0) continue;
    EXPECT_GE(T->Category, 0) << T->Origin;
    EXPECT_LE(T->Category, 7) << T->Origin;
    EXPECT_FALSE(T->Effects.empty()) << T->Origin;
    EXPECT_GT(T->BuildCost, 0) << T->Origin;
    EXPECT_GT(T->BuildTime, 0) << T->Origin;
    ExpectBothLanguages(T->Description, T->Origin);
    if (T->Category == bcEnergy) { EXPECT_GT(T->GetEffectValue("region.energy"), 0) << T->Origin; }
    if (T->Category == bcPollution) { EXPECT_LT(T->GetEffectValue("region.pollution"), 0) << T->Origin; }
    // A region whose energy runs short loses almost every value, so an energy consumer must be
    // buildable no earlier than a power plant can be.
    for (auto& E : T->Effects) EXPECT_FALSE(E.TextKey.empty()) << T->Origin << ": " << E.Name;
  }
  bool EarlyPower = std::any_of(gBuildingTypePool->Types.begin(), gBuildingTypePool->Types.end(), [](auto& T) {
    return T->Number >= 0 && T->NeededTechID.empty() && T->GetEffectValue("region.energy") >= 3;
  });
  EXPECT_TRUE(EarlyPower) << "no power plant without technology that feeds three consumers";
}

TEST_F(ContentFixture, BuildingNamesAreUniqueAcrossBothLanguages) {
  // Savegames name a building by its first-language name and look it up in the current
  // language first: a name shared by two types would load the wrong one.
  std::map<std::string, const TBuildingType*> Owner;
  for (auto& T : gBuildingTypePool->Types)
    for (const std::string& Name : T->Names) {
      ASSERT_FALSE(Name.empty()) << T->Origin;
      auto [It, New] = Owner.emplace(LowerAscii(Name), T.get());
      EXPECT_TRUE(New || It->second == T.get()) << "\"" << Name << "\" names " << It->second->ID << " and " << T->ID;
    }
  for (auto& T : gBuildingTypePool->Types) {
    EXPECT_EQ(gBuildingTypePool->FindByName(T->Names.at(0)), T.get());
    gLocalization.LanguageIndex = 1;
    EXPECT_EQ(gBuildingTypePool->FindByName(T->Names.at(0)), T.get()) << T->ID;
    EXPECT_EQ(gBuildingTypePool->FindByName(T->Names.at(1)), T.get()) << T->ID;
    gLocalization.LanguageIndex = 0;
  }
}

TEST_F(ContentFixture, RegionsLieOnTheGlobeAndEveryNationHasAConnectedHome) {
  const int Count = static_cast<int>(gRegions.size());
  ASSERT_GE(Count, 100);
  ASSERT_LE(Count, 150);  // region picking tells regions apart by colour
  const std::set<std::string> Settings = {"temperate", "mountains", "steppe", "desert", "tropical", "arctic"};
  std::set<std::string> Names;
  std::vector<std::vector<int>> Home(5);
  for (auto& R : gRegions) {
    EXPECT_TRUE(Settings.count(R->Setting)) << R->Names[1] << ": " << R->Setting;
    float Radius = std::sqrt(R->Position3D.X * R->Position3D.X + R->Position3D.Y * R->Position3D.Y + R->Position3D.Z * R->Position3D.Z);
    EXPECT_NEAR(Radius, 52.0f, 0.01f) << R->Names[1];
    EXPECT_GT(R->Population, 0.0f) << R->Names[1];
    EXPECT_FALSE(R->Neighbours.empty()) << R->Names[1];
    for (int N : R->Neighbours) {
      ASSERT_TRUE(N >= 0 && N < Count) << R->Names[1];
      const auto& Back = gRegions[N]->Neighbours;
      EXPECT_NE(std::find(Back.begin(), Back.end(), R->ID), Back.end()) << R->Names[1] << " -> " << gRegions[N]->Names[1] << " is one-way";
    }
    for (auto& Name : R->Names) EXPECT_TRUE(Names.insert(Name).second || Name == R->Names[0]) << Name;
    if (R->Owner <= 4) Home[R->Owner].push_back(R->ID);
  }
  EXPECT_FLOAT_EQ(std::max_element(gRegions.begin(), gRegions.end(), [](auto& A, auto& B) { return A->Population < B->Population; })->get()->Population, 1.0f);
  // Every region can be reached from every other.
  std::vector<bool> Seen(Count, false);
  std::vector<int> Stack{0};
  Seen[0] = true;
  while (!Stack.empty()) {
    int R = Stack.back();
    Stack.pop_back();
    for (int N : gRegions[R]->Neighbours)
      if (!Seen[N]) Seen[N] = true, Stack.push_back(N);
  }
  for (int R = 0; R < Count; ++R) EXPECT_TRUE(Seen[R]) << gRegions[R]->Names[1] << " cannot be reached";
  // Each nation starts with a few neighbouring regions of its own.
  for (int Nation = 0; Nation < 5; ++Nation) {
    ASSERT_GE(Home[Nation].size(), 2u) << "nation " << Nation;
    std::set<int> Reached{Home[Nation][0]};
    for (std::size_t Pass = 0; Pass < Home[Nation].size(); ++Pass)
      for (int R : Home[Nation])
        for (int N : gRegions[R]->Neighbours)
          if (Reached.count(R) && gRegions[N]->Owner == Nation) Reached.insert(N);
    EXPECT_EQ(Reached.size(), Home[Nation].size()) << "the home of nation " << Nation << " is split";
    // ... and rebels beside it to fight from the first round on.
    bool Rebels = false;
    for (int R : Home[Nation])
      for (int N : gRegions[R]->Neighbours) Rebels = Rebels || gRegions[N]->Owner == TRegion::OwnerRebels;
    EXPECT_TRUE(Rebels) << "nation " << Nation << " has no rebel neighbours";
  }
}

TEST_F(ContentFixture, NationsHaveNamesHistoriesAndDistinctColours) {
  TXMLDocument Doc;
  gVirtualFileSystem->LoadXML("data\\xml\\nationinfo.xml", Doc);
  auto Nations = Doc.Root().Children();
  ASSERT_EQ(Nations.size(), 5u);
  std::set<std::string> Colours, NamesSeen;
  for (auto& N : Nations) {
    for (const char* Attr : {"name_ger", "name_eng"}) {
      std::string Name = N.RequiredAttribute(Attr);
      EXPECT_FALSE(Name.empty()) << N.Where();
      EXPECT_TRUE(NamesSeen.insert(Name).second) << N.Where();
    }
    ExpectBothLanguages(SplitLines(N.Child("history").Text()), N.Where());
    TXMLNode F = N.Child("basefactor");
    for (const char* Attr : {"growth", "loyality", "ressources", "pollution", "defense", "military", "researchCivil", "researchMilitary"}) {
      float V = std::stof(F.RequiredAttribute(Attr));
      EXPECT_GE(V, 0.5f) << F.Where() << " " << Attr;
      EXPECT_LE(V, 1.5f) << F.Where() << " " << Attr;
    }
    // The water lies below the earth view's eye (at height 0), clear of the near clipping
    // distance, and the upper disc over the lower: a disc at eye height is seen edge-on.
    const float Upper = std::stof(N.Child("waterplane_upper").RequiredAttribute("pos"));
    const float Lower = std::stof(N.Child("waterplane_lower").RequiredAttribute("pos"));
    EXPECT_LT(Upper, -0.5f) << N.Where();
    EXPECT_LT(Lower, Upper) << N.Where();
    for (const char* Plane : {"waterplane_upper", "waterplane_lower"})
      EXPECT_GT(std::stof(N.Child(Plane).RequiredAttribute("dim")), 0.0f) << N.Where();
    TXMLNode C = N.Child("mapcolor");
    int R = std::stoi(C.RequiredAttribute("red")), G = std::stoi(C.RequiredAttribute("green")), B = std::stoi(C.RequiredAttribute("blue"));
    for (int V : {R, G, B}) EXPECT_TRUE(V >= 0 && V <= 255) << C.Where();
    EXPECT_FALSE(R == 255 && G == 255 && B == 255) << C.Where() << ": white stops the ownership fill";
    EXPECT_TRUE(Colours.insert(C.RequiredAttribute("red") + "," + C.RequiredAttribute("green") + "," + C.RequiredAttribute("blue")).second);
    // The start view shows the nation's home: its regions face the camera.
    float X = std::stof(N.Child("globerotation").RequiredAttribute("x")), Y = std::stof(N.Child("globerotation").RequiredAttribute("y"));
    double Lat = X * std::numbers::pi / 180.0, Lon = -Y * std::numbers::pi / 180.0;
    double Front[3] = {std::cos(Lat) * std::sin(Lon), -std::cos(Lat) * std::cos(Lon), std::sin(Lat)};
    int Nation = static_cast<int>(&N - &Nations[0]);
    for (auto& Region : gRegions)
      if (Region->Owner == Nation) {
        double Dot = (Region->Position3D.X * Front[0] + Region->Position3D.Y * Front[1] + Region->Position3D.Z * Front[2]) / 52.0;
        EXPECT_GT(Dot, std::cos(25.0 * std::numbers::pi / 180.0)) << Region->Names[1] << " is not in the start view of " << N.Where();
      }
  }
}

TEST_F(ContentFixture, TheNationsStartWithComparableIncomes) {
  // Income per round as the nation rule computes it at the start: the regions' population x 4 x
  // loyalty, times 10 and the nation's ressources factor (no buildings yet).
  TXMLDocument Doc;
  gVirtualFileSystem->LoadXML("data\\xml\\nationinfo.xml", Doc);
  std::vector<double> Income(5, 0.0);
  for (auto& R : gRegions)
    if (R->Owner <= 4) Income[R->Owner] += R->Population * 4.0 * R->Loyality * 10.0;
  double Sum = 0;
  for (int Nation = 0; Nation < 5; ++Nation) {
    Income[Nation] *= std::stod(Doc.Root().ChildAt(Nation).Child("basefactor").RequiredAttribute("ressources"));
    Sum += Income[Nation];
  }
  for (int Nation = 0; Nation < 5; ++Nation) {
    EXPECT_GT(Income[Nation], 0.75 * Sum / 5) << "nation " << Nation;
    EXPECT_LT(Income[Nation], 1.25 * Sum / 5) << "nation " << Nation;
  }
}

TEST_F(ContentFixture, NameListsGiveEnoughNamesInBothLanguages) {
  TXMLDocument Doc;
  gVirtualFileSystem->LoadXML("data\\XML\\namesnew.xml", Doc);
  for (const char* List : {"firstnames", "lastnames"})
    for (const char* Language : {"ger", "eng"}) {
      TXMLNode N = Doc.Root().Child(List).Child(Language);
      ASSERT_FALSE(N.IsNull()) << List << "/" << Language;
      TStringList Names = SplitLines(N.Text());
      EXPECT_GE(Names.size(), 100u) << List << "/" << Language;
      std::set<std::string> Unique(Names.begin(), Names.end());
      EXPECT_EQ(Unique.size(), Names.size()) << List << "/" << Language;
      for (auto& Name : Names) EXPECT_TRUE(!Name.empty() && Name.find_first_of(" \t\r") == std::string::npos) << List << "/" << Language << ": \"" << Name << "\"";
    }
}

TEST_F(ContentFixture, EveryTextHasBothLanguagesWithTheSamePlaceholders) {
  ASSERT_EQ(gLocalization.Texts.size(), 2u);
  std::set<std::string> Lower;
  for (std::size_t i = 0; i < gLocalization.Keys.size(); ++i) {
    const std::string& Key = gLocalization.Keys[i];
    EXPECT_TRUE(Lower.insert(LowerAscii(Key)).second) << Key << " twice";
    const std::string &German = gLocalization.Texts[0][i], &English = gLocalization.Texts[1][i];
    EXPECT_FALSE(German.empty()) << Key;
    EXPECT_FALSE(English.empty()) << Key;
    EXPECT_EQ(Placeholders(German), Placeholders(English)) << Key;
  }
  // German keeps its umlauts in the game's 8-bit encoding.
  gLocalization.LanguageIndex = 0;
  EXPECT_EQ(Localize("szStrEffect3"), "Loyalit\xE4t");
}

TEST_F(ContentFixture, EveryTextKeyTheCodeUsesExists) {
  // A literal that is not a key itself must begin a family of keys ("szStrNewsCatName" + k).
  const std::regex Literal("\"(sz[A-Z][A-Za-z0-9_]*)\"");
  std::set<std::string> Used;
  for (auto& E : fs::recursive_directory_iterator(SourceFile("src"))) {
    if (!E.is_regular_file()) continue;
    std::string Text = ReadTestFile(E.path());
    for (std::sregex_iterator It(Text.begin(), Text.end(), Literal), End; It != End; ++It) Used.insert((*It)[1]);
  }
  for (const std::string& Key : Used) {
    bool Known = false;
    for (const std::string& K : gLocalization.Keys) Known = Known || SameTextAscii(K, Key) || LowerAscii(K).rfind(LowerAscii(Key), 0) == 0;
    EXPECT_TRUE(Known) << "the code uses the text key \"" << Key << "\", which localization.xml lacks";
  }
  // The families the game builds keys for.
  std::vector<std::string> Families;
  for (int i = 0; i <= 7; ++i) Families.push_back("szBuildingCat" + std::to_string(i));
  for (int i = 0; i <= 4; ++i) Families.push_back("szStrNewsCatName" + std::to_string(i));
  for (int i = 0; i <= 11; ++i) Families.push_back("szStrEffect" + std::to_string(i));
  for (int i = 0; i <= 7; ++i) Families.push_back("szStrStat" + gStatisticKeys[i]);
  for (const char* Mode : {"singleplayer", "hotseat"}) {
    Families.push_back(std::string("szStrLoadGameCat") + Mode);
    Families.push_back(std::string("szStrSaveGameCat") + Mode);
  }
  for (auto& Key : Families) EXPECT_EQ(Localize(Key).find("_NOT_LOCALIZED_"), std::string::npos) << Key;
  for (auto& T : gBuildingTypePool->Types)
    for (auto& E : T->Effects) EXPECT_EQ(Localize(E.TextKey).find("_NOT_LOCALIZED_"), std::string::npos) << E.TextKey;
}

TEST(DataPackage, HoldsTheWholeDataFolderAndServesItAlone) {
  // A program folder with nothing but the package: every data file must come from it.
  TTempFolder Folder;
  Folder.Write("tarnova.dat", ReadTestFile(fs::path(TARNOVA_BINARY_DIR) / "tarnova.dat"));
  TVirtualFileSystem Files(Folder.Path());
  Files.Open("tarnova.dat");
  ASSERT_TRUE(Files.HasPackage());
  std::size_t Count = 0;
  for (auto& E : fs::recursive_directory_iterator(DataFile(""))) {
    if (!E.is_regular_file() || E.path().filename().string()[0] == '.') continue;
    std::string Name = "data";
    for (auto& Part : fs::relative(E.path(), DataFile(""))) Name += "\\" + Part.string();
    auto Bytes = Files.ReadFile(Name);
    ASSERT_TRUE(Bytes.has_value()) << Name;
    EXPECT_EQ(*Bytes, ReadTestFile(E.path())) << Name;
    ++Count;
  }
  EXPECT_GE(Count, 8u);
  // The package stays small enough to hand out: under 150 MB.
  EXPECT_LT(fs::file_size(fs::path(TARNOVA_BINARY_DIR) / "tarnova.dat"), 150u * 1000u * 1000u);
  // Packing the same folder again gives the same bytes.
  EXPECT_EQ(BuildPackage(CollectFolder(TARNOVA_BINARY_DIR, "data")), ReadTestFile(fs::path(TARNOVA_BINARY_DIR) / "tarnova.dat"));
  TXMLDocument Doc;
  EXPECT_NO_THROW(Files.LoadXML("data\\XML\\regions.xml", Doc));
}
