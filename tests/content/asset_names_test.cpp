// Every texture, skin, icon, sound and music file that the code names by a literal exists in the
// data set; every sound and track decodes the way the game plays it.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "content_fixture.h"
#include "platform/latin1.h"

namespace fs = std::filesystem;

namespace {

// Names passed as literals to the texture manager's, the skin lookup's and the sound system's
// calls, icon names ("gui_icon_...", "icon_..."), and music files ("....ogg"). A literal followed by "+" is
// the fixed start of a name composed at run time ("flag" + number): kind "texture start".
std::set<std::pair<std::string, std::string>> NamesUsedByTheCode() {
  const std::string Calls = "(?:BindTexture|DrawTexture|DrawTextureOwnSize|DrawTextureRegion|GetTextureInfo|BindSkin|Lookup)";
  const std::regex Texture(Calls + R"re(\(\s*"([^"]+)"(?!\s*\+))re");
  const std::regex TextureStart(Calls + R"re(\(\s*"([^"]+)"\s*\+)re");
  const std::regex Icon(R"re("((?:gui_)?icon_[A-Za-z0-9_]+)"(?!\s*\+))re");
  const std::regex IconStart(R"re("((?:gui_)?icon_[A-Za-z0-9_]+)"\s*\+)re");
  // Pictures held in fields ("StatusIcon = ...", "Image = ...") and the building effects' icons.
  const std::regex Field(R"re((?:Icon|Image)\s*=\s*"([^"]+)")re");
  const std::regex EffectIcon(R"re("szStrEffect\d+",\s*"([^"]+)")re");
  const std::regex Sound(R"(PlaySound\(\s*"([^"]+)\")");
  const std::regex Music(R"("([A-Za-z0-9_]+)\.ogg")");
  std::set<std::pair<std::string, std::string>> Used;
  auto Collect = [&Used](const std::string& Text, const std::regex& R, const char* Kind) {
    for (std::sregex_iterator It(Text.begin(), Text.end(), R), End; It != End; ++It) Used.emplace(Kind, LowerAscii((*It)[1].str()));
  };
  for (auto& E : fs::recursive_directory_iterator(SourceFile("src"))) {
    if (!E.is_regular_file()) continue;
    std::string Text = ReadTestFile(E.path());
    Collect(Text, Texture, "texture");
    Collect(Text, TextureStart, "texture start");
    Collect(Text, Icon, "texture");
    Collect(Text, IconStart, "texture start");
    Collect(Text, Field, "texture");
    Collect(Text, EffectIcon, "texture");
    Collect(Text, Sound, "sound");
    Collect(Text, Music, "music");
  }
  return Used;
}

// What the data set holds: pictures anywhere under data (registered by file name without folder
// and extension), sounds in data/sounds, music anywhere under data/music.
std::set<std::pair<std::string, std::string>> NamesInTheData() {
  std::set<std::pair<std::string, std::string>> Have;
  const std::set<std::string> Pictures = {".dds", ".png", ".jpg", ".tga", ".bmp"};
  for (auto& E : fs::recursive_directory_iterator(DataFile(""))) {
    if (!E.is_regular_file()) continue;
    std::string Ext = LowerAscii(E.path().extension().string()), Stem = LowerAscii(E.path().stem().string());
    if (Pictures.count(Ext)) Have.emplace("texture", Stem);
    if (Ext == ".ogg" && LowerAscii(E.path().parent_path().filename().string()) == "sounds") Have.emplace("sound", Stem);
    if (Ext == ".ogg" && LowerAscii(E.path().string()).find("/music/") != std::string::npos) Have.emplace("music", Stem);
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

// A sound file decoded by SDL_mixer into the mixer's format (16-bit stereo at 44.1 kHz).
struct TDecodedSound {
  double Seconds = 0;
  double Peak = 0;            // of full scale
  double LoopJump = 0;        // the step from the last frame to the first, of full scale
};

class TMixer {
public:
  TMixer() {
    if (!std::getenv("SDL_AUDIODRIVER")) SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    Open = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0;
  }
  ~TMixer() {
    if (Open) Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  std::optional<TDecodedSound> Decode(const fs::path& File) const {
    Mix_Chunk* Chunk = Mix_LoadWAV(File.string().c_str());
    if (!Chunk) return std::nullopt;
    const auto* S = reinterpret_cast<const std::int16_t*>(Chunk->abuf);
    const std::size_t N = Chunk->alen / 2;
    TDecodedSound D;
    D.Seconds = static_cast<double>(N) / 2 / 44100;
    int Peak = 0;
    for (std::size_t I = 0; I < N; ++I) Peak = std::max(Peak, std::abs(static_cast<int>(S[I])));
    D.Peak = Peak / 32768.0;
    if (N >= 4) D.LoopJump = std::max(std::abs(S[N - 2] - S[0]), std::abs(S[N - 1] - S[1])) / 32768.0;
    Mix_FreeChunk(Chunk);
    return D;
  }
  bool Open = false;
};

std::vector<fs::path> OggFiles(const fs::path& Folder) {
  std::vector<fs::path> Out;
  if (fs::is_directory(Folder))
    for (auto& E : fs::directory_iterator(Folder))
      if (E.is_regular_file() && LowerAscii(E.path().extension().string()) == ".ogg") Out.push_back(E.path());
  std::sort(Out.begin(), Out.end());
  return Out;
}

}  // namespace

// Data files the code names by a literal path ("data\\..." with an extension, doubled
// backslashes in the source): texture files, shader sources, fonts, data and layout files.
std::set<std::string> FilesUsedByTheCode() {
  const std::regex File(R"re("(data\\\\[^"]+\.[A-Za-z0-9]{2,4})")re");
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
    for (std::sregex_iterator It(Text.begin(), Text.end(), File), End; It != End; ++It) Add((*It)[1].str());
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
  // A composed name needs at least one picture (or pending line) that starts like it.
  auto SomeTextureStartsWith = [](const std::set<std::pair<std::string, std::string>>& Names, const std::string& Start) {
    auto It = Names.lower_bound({"texture", Start});
    return It != Names.end() && It->first == "texture" && It->second.compare(0, Start.size(), Start) == 0;
  };
  for (auto& [Kind, Name] : Used) {
    if (Kind == "texture start") {
      EXPECT_TRUE(SomeTextureStartsWith(Have, Name) || SomeTextureStartsWith(Waiting, Name))
          << "the code composes texture names starting with \"" << Name << "\", and the data set has none";
      continue;
    }
    EXPECT_TRUE(Have.count({Kind, Name}) || Waiting.count({Kind, Name}))
        << "the code names the " << Kind << " \"" << Name << "\", which the data set lacks "
        << "(add it to content/, or to tests/content/pending_assets.txt while it is being made)";
  }
}

TEST(GameSounds, EverySoundDecodesShortAndNormalisedBelowFullScale) {
  TMixer Mixer;
  ASSERT_TRUE(Mixer.Open) << Mix_GetError();
  const auto Files = OggFiles(DataFile("sounds"));
  EXPECT_GE(Files.size(), 20u);
  for (const auto& F : Files) {
    auto D = Mixer.Decode(F);
    ASSERT_TRUE(D) << F << ": " << Mix_GetError();
    EXPECT_GT(D->Seconds, 0.03) << F;
    EXPECT_LT(D->Seconds, 3.0) << F;
    EXPECT_GT(D->Peak, 0.4) << F;  // normalised, not a whisper
    EXPECT_LT(D->Peak, 0.99) << F;
  }
}

TEST(GameMusic, TracksRunOneToFourMinutesBelowFullScaleAndLoopWithoutAJump) {
  TMixer Mixer;
  ASSERT_TRUE(Mixer.Open) << Mix_GetError();
  auto Tracks = OggFiles(DataFile("music"));
  EXPECT_GE(Tracks.size(), 3u);
  for (const char* Special : {"game_won.ogg", "game_lost.ogg"}) {
    EXPECT_TRUE(fs::exists(DataFile("music/special") / Special)) << Special;
    Tracks.push_back(DataFile("music/special") / Special);
  }
  for (const auto& F : Tracks) {
    auto D = Mixer.Decode(F);
    ASSERT_TRUE(D) << F << ": " << Mix_GetError();
    EXPECT_GE(D->Seconds, 60.0) << F;
    EXPECT_LE(D->Seconds, 240.0) << F;
    EXPECT_GT(D->Peak, 0.4) << F;
    EXPECT_LT(D->Peak, 0.99) << F;
    EXPECT_LT(D->LoopJump, 0.1) << F << ": the end does not join the start";
  }
}

TEST(GeneratedArt, AFreshRunPaintsTheSameBytesAsTheDataBuild) {
  TTempFolder Out;
  const std::string Command = (fs::path(TARNOVA_BINARY_DIR) / "tools" / "tarnova-skinart").string() + " \"" +
                              Out.Path().string() + "\" \"" TARNOVA_LABEL_FONT "\" > /dev/null";
  ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
  int Files = 0;
  for (auto& E : fs::recursive_directory_iterator(Out.Path() / "data")) {
    if (!E.is_regular_file()) continue;
    ++Files;
    const fs::path Relative = fs::relative(E.path(), Out.Path() / "data");
    EXPECT_EQ(ReadTestFile(E.path()), ReadTestFile(DataFile(Relative.string()))) << Relative;
  }
  EXPECT_GE(Files, 90);
}
