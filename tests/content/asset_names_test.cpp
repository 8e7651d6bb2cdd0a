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

TEST(AssetNames, EveryTextureAndSoundTheCodeNamesExistsInTheData) {
  auto Used = NamesUsedByTheCode(), Have = NamesInTheData(), Waiting = Pending();
  EXPECT_FALSE(Used.empty());
  for (auto& [Kind, Name] : Used)
    EXPECT_TRUE(Have.count({Kind, Name}) || Waiting.count({Kind, Name}))
        << "the code names the " << Kind << " \"" << Name << "\", which the data set lacks "
        << "(add it to content/, or to tests/content/pending_assets.txt while it is being made)";
}
