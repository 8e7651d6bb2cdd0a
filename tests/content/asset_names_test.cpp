// Every texture and sound that the code names by a literal exists in the data set.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "content_fixture.h"
#include "platform/latin1.h"

namespace fs = std::filesystem;

namespace {

// Names passed as literals to the texture manager's and the sound system's lookups.
std::set<std::pair<std::string, std::string>> NamesUsedByTheCode() {
  const std::regex Texture(R"((?:BindTexture|DrawTexture|DrawTextureOwnSize|DrawTextureRegion|GetTextureInfo)\(\s*"([^"]+)\")");
  const std::regex Sound(R"(PlaySound\(\s*"([^"]+)\")");
  std::set<std::pair<std::string, std::string>> Used;
  for (auto& E : fs::recursive_directory_iterator(SourceFile("src"))) {
    if (!E.is_regular_file()) continue;
    std::string Text = ReadTestFile(E.path());
    for (std::sregex_iterator It(Text.begin(), Text.end(), Texture), End; It != End; ++It) Used.emplace("texture", LowerAscii((*It)[1].str()));
    for (std::sregex_iterator It(Text.begin(), Text.end(), Sound), End; It != End; ++It) Used.emplace("sound", LowerAscii((*It)[1].str()));
  }
  return Used;
}

// What the data set holds: pictures anywhere under data (registered by file name without folder
// and extension), sounds in data/sounds.
std::set<std::pair<std::string, std::string>> NamesInTheData() {
  std::set<std::pair<std::string, std::string>> Have;
  const std::set<std::string> Pictures = {".dds", ".png", ".jpg", ".tga", ".bmp"};
  for (auto& E : fs::recursive_directory_iterator(DataFile(""))) {
    if (!E.is_regular_file()) continue;
    std::string Ext = LowerAscii(E.path().extension().string()), Stem = LowerAscii(E.path().stem().string());
    if (Pictures.count(Ext)) Have.emplace("texture", Stem);
    if (Ext == ".ogg" && LowerAscii(E.path().parent_path().filename().string()) == "sounds") Have.emplace("sound", Stem);
  }
  return Have;
}

std::set<std::pair<std::string, std::string>> Pending() {
  std::set<std::pair<std::string, std::string>> Out;
  std::istringstream In(ReadTestFile(SourceFile("tests/content/pending_assets.txt")));
  std::string Line;
  while (std::getline(In, Line)) {
    std::istringstream Words(Line);
    std::string Kind, Name;
    if (Words >> Kind >> Name && Kind[0] != '#') Out.emplace(Kind, LowerAscii(Name));
  }
  return Out;
}

}  // namespace

// Data files the code loads by a literal path: texture files, both sources of every shader
// program and both files of every font ("data\\..." with doubled backslashes in the source).
std::set<std::string> FilesUsedByTheCode() {
  const std::regex Texture(R"re(LoadTexture\(\s*"([^"]+\.[A-Za-z]+)")re");
  const std::regex Shader(R"re(LoadShader\(\s*"[^"]*"\s*,\s*"([^"]+)"\s*,\s*"([^"]+)")re");
  const std::regex Font(R"re(LoadFont\(\s*"([^"]+)"\s*,\s*"([^"]+)")re");
  std::set<std::string> Used;
  auto Add = [&](std::string Path) {
    std::string Out;
    for (std::size_t I = 0; I < Path.size(); ++I) {
      if (Path[I] == '\\' && I + 1 < Path.size() && Path[I + 1] == '\\') ++I;
      Out += Path[I] == '\\' ? '/' : Path[I];
    }
    Used.insert(LowerAscii(Out));
  };
  for (auto& E : fs::recursive_directory_iterator(SourceFile("src"))) {
    if (!E.is_regular_file()) continue;
    std::string Text = ReadTestFile(E.path());
    for (const std::regex* R : {&Texture, &Shader, &Font})
      for (std::sregex_iterator It(Text.begin(), Text.end(), *R), End; It != End; ++It)
        for (std::size_t G = 1; G < It->size(); ++G) Add((*It)[G].str());
  }
  return Used;
}

TEST(AssetNames, EveryShaderFontAndTextureFileTheCodeLoadsExistsInTheData) {
  std::set<std::string> Have;
  for (auto& E : fs::recursive_directory_iterator(DataFile("")))
    if (E.is_regular_file()) Have.insert(LowerAscii("data/" + fs::relative(E.path(), DataFile("")).generic_string()));
  auto Waiting = Pending();
  for (const std::string& File : FilesUsedByTheCode())
    EXPECT_TRUE(Have.count(File) || Waiting.count({"file", File}))
        << "the code loads \"" << File << "\", which the data set lacks (add it to content/ or its generator, or a "
        << "\"file " << File << "\" line to tests/content/pending_assets.txt while it is being made)";
}

TEST(AssetNames, EveryTextureAndSoundTheCodeNamesExistsInTheData) {
  auto Used = NamesUsedByTheCode(), Have = NamesInTheData(), Waiting = Pending();
  EXPECT_FALSE(Used.empty());
  for (auto& [Kind, Name] : Used)
    EXPECT_TRUE(Have.count({Kind, Name}) || Waiting.count({Kind, Name}))
        << "the code names the " << Kind << " \"" << Name << "\", which the data set lacks "
        << "(add it to content/, or to tests/content/pending_assets.txt while it is being made)";
}
