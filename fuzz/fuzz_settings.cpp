// Reads arbitrary bytes as "settings.xml": every value must end inside its range (a bad one is
// replaced and logged with the file's name), the command-line fields stay as they were, and what
// the game writes back at exit reads again as the same settings without a complaint.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "control/game_settings.h"

namespace {
const std::vector<std::string> Codes = {"ger", "eng"};

// The stored fields (those the file holds).
bool SameStored(const TGameSettings& A, const TGameSettings& B) {
  return A.ScreenWidth == B.ScreenWidth && A.ScreenHeight == B.ScreenHeight && A.Frequency == B.Frequency &&
         A.HighGlobeDetail == B.HighGlobeDetail && A.Reflections == B.Reflections &&
         A.ReflectionUpdateRate == B.ReflectionUpdateRate && A.ReflectionTextureSize == B.ReflectionTextureSize &&
         A.MusicEnabled == B.MusicEnabled && A.MusicVolume == B.MusicVolume && A.SoundEnabled == B.SoundEnabled &&
         A.SoundVolume == B.SoundVolume && A.AutosaveEnabled == B.AutosaveEnabled &&
         A.AutosaveInterval == B.AutosaveInterval;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TGameSettings S;
  S.Windowed = S.NoShaders = S.DebugKeys = S.ShowFPS = S.LogAI = true;
  S.AutosaveCountdown = 7;
  std::uint8_t Language = 9;
  std::vector<std::string> Lines;
  const auto Log = [&](const std::string& Line) { Lines.push_back(Line); };
  ReadSettings(std::string(reinterpret_cast<const char*>(Data), Size), "settings.xml", Codes, S, Language, Log);

  Check(Language < Codes.size());
  Check(S.ScreenWidth >= 640 && S.ScreenHeight >= 480 && S.Frequency <= 1000);
  Check(S.ReflectionUpdateRate >= 1 && S.ReflectionUpdateRate <= 1000);
  Check(S.ReflectionTextureSize >= 64 && S.ReflectionTextureSize <= 2048 &&
        (S.ReflectionTextureSize & (S.ReflectionTextureSize - 1)) == 0);
  Check(S.MusicVolume >= 0 && S.MusicVolume <= 100 && S.SoundVolume >= 0 && S.SoundVolume <= 100);
  Check(S.AutosaveInterval >= 0 && S.AutosaveInterval <= 1000000);
  Check(S.Windowed && S.NoShaders && S.DebugKeys && S.ShowFPS && S.LogAI && S.AutosaveCountdown == 7);
  for (const std::string& Line : Lines) Check(Line.find("settings.xml") != std::string::npos);

  TGameSettings Again;
  std::uint8_t LanguageAgain = 9;
  std::vector<std::string> Complaints;
  ReadSettings(WriteSettings(S, Codes[Language]), "settings.xml", Codes, Again, LanguageAgain,
               [&](const std::string& Line) { Complaints.push_back(Line); });
  Check(Complaints.empty() && LanguageAgain == Language && SameStored(Again, S) && !Again.ShowIntro);
  return 0;
}
