#include "control/game_settings.h"

#include <charconv>
#include <cstring>
#include <exception>
#include <limits>

#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"

namespace {

std::optional<long long> ParseInteger(const std::string& Text) {
  long long Value = 0;
  const char* Begin = Text.data();
  const char* End = Text.data() + Text.size();
  while (Begin < End && *Begin == ' ') ++Begin;
  while (End > Begin && End[-1] == ' ') --End;
  if (Begin < End && *Begin == '+') ++Begin;
  const auto [Ptr, Ec] = std::from_chars(Begin, End, Value);
  if (Ec != std::errc() || Ptr != End || Begin == End) return std::nullopt;
  return Value;
}

// One element of the file and the rules for its values.
class TSettingsReader {
public:
  TSettingsReader(const std::string& FileName, const TSettingsLog& Log) : FileName(FileName), Log(Log) {}

  void Bool(const TXMLNode& Node, const char* Path, const char* Name, bool& Field) {
    const std::optional<std::string> Value = Get(Node, Path, Name);
    if (!Value) return;
    if (SameTextAscii(*Value, "True")) {
      Field = true;
    } else if (SameTextAscii(*Value, "False")) {
      Field = false;
    } else if (const auto Number = ParseInteger(*Value)) {
      Field = *Number != 0;
    } else {
      Bad(Path, Name, *Value, Field ? "True" : "False");
    }
  }

  // Any value the field can hold is kept as the player wrote it, however unusual: what the game
  // cannot use it leaves alone (a display mode the screen does not offer runs in a window). A
  // number outside the field's range does not convert, as text does not.
  template <typename T>
  void Int(const TXMLNode& Node, const char* Path, const char* Name, T& Field) {
    const std::optional<std::string> Value = Get(Node, Path, Name);
    if (!Value) return;
    const auto Number = ParseInteger(*Value);
    if (Number && *Number >= std::numeric_limits<T>::min() && *Number <= std::numeric_limits<T>::max())
      Field = static_cast<T>(*Number);
    else
      Bad(Path, Name, *Value, std::to_string(Field));
  }

  std::optional<std::string> Get(const TXMLNode& Node, const char* Path, const char* Name) {
    if (!Node) {
      Missing(Path, Name);
      return std::nullopt;
    }
    std::optional<std::string> Value = Node.Attribute(Name);
    if (!Value) Missing(Path, Name);
    return Value;
  }

  void Missing(const char* Path, const char* Name) {
    Log("TGame->LoadSettings->\"" + FileName + "\": <" + Path + "> has no \"" + Name + "\", using the default");
  }
  void Bad(const char* Path, const char* Name, const std::string& Value, const std::string& Used) {
    Log("TGame->LoadSettings->\"" + FileName + "\": <" + Path + "> " + Name + "=\"" + Value +
        "\" is not valid, using " + Used);
  }

private:
  std::string FileName;
  const TSettingsLog& Log;
};

const char* BoolText(bool Value) { return Value ? "True" : "False"; }

}  // namespace

void SetDefaultSettings(TGameSettings& S) {
  S.ScreenWidth = 1024;
  S.ScreenHeight = 768;
  S.Frequency = 60;
  S.HighGlobeDetail = true;
  S.Reflections = true;
  S.ReflectionUpdateRate = 2;
  S.ReflectionTextureSize = 512;
  S.MusicEnabled = true;
  S.MusicVolume = 50;
  S.SoundEnabled = true;
  S.SoundVolume = 75;
  S.AutosaveEnabled = false;
  S.AutosaveInterval = 0;
  S.ShowIntro = false;
}

void ReadSettings(const std::optional<std::string>& Text, const std::string& FileName,
                  const std::vector<std::string>& LanguageCodes, TGameSettings& S, std::uint8_t& LanguageIndex,
                  const TSettingsLog& Log) {
  SetDefaultSettings(S);
  LanguageIndex = 0;
  if (!Text) {
    Log("TGame->LoadSettings->No settings file found, reverting to default settings!");
    return;
  }
  TXMLDocument Document;
  try {
    Document.LoadFromMemory(Text->data(), Text->size(), FileName);
  } catch (const std::exception& E) {
    Log("TGame->LoadSettings->" + std::string(E.what()) + "; reverting to default settings!");
    return;
  }
  const TXMLNode Root = Document.Root();
  if (!Root || Root.Name() != "gamesettings") {
    Log("TGame->LoadSettings->\"" + FileName + "\" has no <gamesettings> root; reverting to default settings!");
    return;
  }
  TSettingsReader R(FileName, Log);
  if (const auto Language = R.Get(Root, "gamesettings", "language")) {
    // Its position among the codes, compared as every key is, without regard to letter case.
    for (std::size_t i = 0; i < LanguageCodes.size(); ++i)
      if (SameTextAscii(LanguageCodes[i], *Language)) {
        LanguageIndex = static_cast<std::uint8_t>(i);
        break;
      }
  }
  R.Bool(Root, "gamesettings", "showintro", S.ShowIntro);
  const TXMLNode Graphics = Root.Child("graphics");
  const TXMLNode Resolution = Graphics.Child("resolution");
  R.Int(Resolution, "graphics/resolution", "width", S.ScreenWidth);
  R.Int(Resolution, "graphics/resolution", "height", S.ScreenHeight);
  R.Int(Resolution, "graphics/resolution", "frequency", S.Frequency);
  R.Bool(Graphics, "graphics", "highglobedetail", S.HighGlobeDetail);
  R.Bool(Graphics, "graphics", "reflections", S.Reflections);
  R.Int(Graphics, "graphics", "reflectionupdaterate", S.ReflectionUpdateRate);
  R.Int(Graphics, "graphics", "reflectiontexturesize", S.ReflectionTextureSize);
  const TXMLNode Sound = Root.Child("sound");
  R.Bool(Sound, "sound", "musicenabled", S.MusicEnabled);
  R.Int(Sound, "sound", "musicvolume", S.MusicVolume);
  R.Bool(Sound, "sound", "soundenabled", S.SoundEnabled);
  R.Int(Sound, "sound", "soundvolume", S.SoundVolume);
  const TXMLNode Autosave = Root.Child("autosave");
  R.Bool(Autosave, "autosave", "enabled", S.AutosaveEnabled);
  R.Int(Autosave, "autosave", "interval", S.AutosaveInterval);
}

std::string WriteSettings(const TGameSettings& S, const std::string& LanguageCode) {
  TXMLDocument Document;
  TXMLNode Root = Document.CreateRoot("gamesettings");
  Root.SetAttribute("gameversion", "Tarnova - Phase 1 (v1.11)");
  Root.SetAttribute("language", LanguageCode);
  Root.SetAttribute("showintro", "False");
  TXMLNode Graphics = Root.AppendChild("graphics");
  Graphics.SetAttribute("highglobedetail", BoolText(S.HighGlobeDetail));
  Graphics.SetAttribute("reflections", BoolText(S.Reflections));
  Graphics.SetAttribute("reflectionupdaterate", std::to_string(S.ReflectionUpdateRate));
  Graphics.SetAttribute("reflectiontexturesize", std::to_string(S.ReflectionTextureSize));
  TXMLNode Resolution = Graphics.AppendChild("resolution");
  Resolution.SetAttribute("width", std::to_string(S.ScreenWidth));
  Resolution.SetAttribute("height", std::to_string(S.ScreenHeight));
  Resolution.SetAttribute("frequency", std::to_string(S.Frequency));
  TXMLNode Sound = Root.AppendChild("sound");
  Sound.SetAttribute("musicenabled", BoolText(S.MusicEnabled));
  Sound.SetAttribute("musicvolume", std::to_string(S.MusicVolume));
  Sound.SetAttribute("soundenabled", BoolText(S.SoundEnabled));
  Sound.SetAttribute("soundvolume", std::to_string(S.SoundVolume));
  TXMLNode Autosave = Root.AppendChild("autosave");
  Autosave.SetAttribute("enabled", BoolText(S.AutosaveEnabled));
  Autosave.SetAttribute("interval", std::to_string(S.AutosaveInterval));
  return Document.SaveToString();
}

TSwitchEffects ApplySwitches(const std::vector<std::string>& Args, TGameSettings& S) {
  TSwitchEffects Effects;
  S.DebugKeys = S.ShowFPS = S.LogAI = S.NoShaders = false;
  for (const std::string& A : Args) {
    if (A == "-forceintro") S.ShowIntro = true;
    if (A == "-nointro") S.ShowIntro = false;
    if (A == "-debugkeys") S.DebugKeys = true;
    if (A == "-forcewindowscursor") Effects.ShowCursor = true;
    if (A == "-showfps") S.ShowFPS = true;
    if (A == "-logai") S.LogAI = true;
    if (A == "-noshaders") S.NoShaders = true;
    if (A == "-perftimer") Effects.PerfTimer = true;
  }
  return Effects;
}

std::string CommandLineHelp() {
  return "Usage: tarnova [switch ...]\n"
         "Switches (exact, case-sensitive, in any order; a later one wins):\n"
         "  -windowed            run in a window with a border; the display mode is not changed\n"
         "  -widescreendebug     with -windowed, a 1280 x 800 client area with a 16:10 GUI\n"
         "  -forceintro          play the intro at start\n"
         "  -nointro             do not play the intro\n"
         "  -debugkeys           switch on the developer keys\n"
         "  -forcewindowscursor  show the system's mouse cursor instead of the game's\n"
         "  -showfps             show the frames per second\n"
         "  -logai               write a log per computer opponent (AI_<nation>_log.html)\n"
         "  -noshaders           draw without GLSL shaders\n"
         "  -perftimer           switch on the performance timer\n"
         "  --help               print this text and end\n";
}
