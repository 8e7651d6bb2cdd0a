// Settings file and command line: a damaged file never stops the game, every bad value is named
// once, and what is written reads back the same.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "control/game_settings.h"

namespace {

const std::vector<std::string> kCodes = {"ger", "eng"};

// The file a first start writes at exit, as the player finds it.
const char* kFirstStartFile = R"XML(<?xml version="1.0" encoding="ISO-8859-1"?>
<gamesettings gameversion="Tarnova - Phase 1 (v1.11)" language="ger" showintro="False">
  <graphics highglobedetail="True" reflections="True" reflectionupdaterate="2" reflectiontexturesize="512">
    <resolution width="1024" height="768" frequency="60" />
  </graphics>
  <sound musicenabled="True" musicvolume="50" soundenabled="True" soundvolume="75" />
  <autosave enabled="False" interval="0" />
</gamesettings>
)XML";

struct TRead {
  TGameSettings Settings;
  std::uint8_t Language = 9;
  std::vector<std::string> Log;
};

TRead Read(const std::optional<std::string>& Text) {
  TRead R;
  ReadSettings(Text, "settings.xml", kCodes, R.Settings, R.Language, [&](const std::string& L) { R.Log.push_back(L); });
  return R;
}

void ExpectDefaults(const TGameSettings& S) {
  EXPECT_EQ(S.ScreenWidth, 1024);
  EXPECT_EQ(S.ScreenHeight, 768);
  EXPECT_EQ(S.Frequency, 60);
  EXPECT_TRUE(S.HighGlobeDetail && S.Reflections && S.MusicEnabled && S.SoundEnabled);
  EXPECT_EQ(S.ReflectionUpdateRate, 2);
  EXPECT_EQ(S.ReflectionTextureSize, 512);
  EXPECT_EQ(S.MusicVolume, 50);
  EXPECT_EQ(S.SoundVolume, 75);
  EXPECT_FALSE(S.ShowIntro || S.AutosaveEnabled);
  EXPECT_EQ(S.AutosaveInterval, 0);
}

}  // namespace

TEST(GameSettings, AFirstStartUsesTheDefaultsAndWritesTheDocumentedFile) {
  const TRead R = Read(std::nullopt);
  ExpectDefaults(R.Settings);
  EXPECT_EQ(R.Language, 0);
  EXPECT_EQ(R.Log, (std::vector<std::string>{"TGame->LoadSettings->No settings file found, reverting to default settings!"}));
  EXPECT_EQ(WriteSettings(R.Settings, "ger"), kFirstStartFile);
}

TEST(GameSettings, WhatIsWrittenReadsBackTheSameWithoutTheIntroAndTheSwitches) {
  TGameSettings S;
  SetDefaultSettings(S);
  S.ScreenWidth = 1280;
  S.ScreenHeight = 1024;
  S.Frequency = 75;
  S.Reflections = false;
  S.ReflectionTextureSize = 1024;
  S.MusicVolume = 0;
  S.SoundEnabled = false;
  S.AutosaveEnabled = true;
  S.AutosaveInterval = 5;
  S.ShowIntro = true;
  S.NoShaders = S.Windowed = S.LogAI = true;
  const TRead R = Read(WriteSettings(S, "eng"));
  EXPECT_TRUE(R.Log.empty());
  EXPECT_EQ(R.Language, 1);
  EXPECT_EQ(R.Settings.ScreenWidth, 1280);
  EXPECT_EQ(R.Settings.ScreenHeight, 1024);
  EXPECT_EQ(R.Settings.Frequency, 75);
  EXPECT_FALSE(R.Settings.Reflections);
  EXPECT_EQ(R.Settings.ReflectionTextureSize, 1024);
  EXPECT_EQ(R.Settings.MusicVolume, 0);
  EXPECT_FALSE(R.Settings.SoundEnabled);
  EXPECT_TRUE(R.Settings.AutosaveEnabled);
  EXPECT_EQ(R.Settings.AutosaveInterval, 5);
  EXPECT_FALSE(R.Settings.ShowIntro);  // the intro plays on the first start only
  EXPECT_FALSE(R.Settings.NoShaders || R.Settings.Windowed || R.Settings.LogAI);
}

// The language code is a key like any other: found whatever its letter case, and an unknown
// one leaves the first language.
TEST(GameSettings, TheLanguageCodeIsFoundInAnyLetterCase) {
  for (const auto& [Code, Index] : std::vector<std::pair<std::string, int>>{{"ENG", 1}, {"Ger", 0}, {"eNg", 1}, {"en", 0}}) {
    const TRead R = Read(R"(<gamesettings language=")" + Code + R"("/>)");
    EXPECT_EQ(R.Language, Index) << Code;
  }
}

TEST(GameSettings, BrokenFilesFallBackToDefaultsWithOneLinePerBadValue) {
  const std::string Full = kFirstStartFile;
  struct TCase {
    std::string Name, Text;
    std::size_t LogLines;
  };
  const std::vector<TCase> Cases = {
      {"empty", "", 1},
      {"truncated", Full.substr(0, Full.size() / 2), 1},
      {"not XML", "\x01\x02garbage", 1},
      {"another root", "<settings/>", 1},
      {"garbage values",
       R"(<gamesettings language="klingon" showintro="maybe">
  <graphics highglobedetail="yes" reflections="1" reflectionupdaterate="0" reflectiontexturesize="500">
    <resolution width="abc" height="70000" frequency="-5"/>
  </graphics>
  <sound musicenabled="True" musicvolume="250" soundenabled="False" soundvolume="-1"/>
  <autosave enabled="TRUE" interval="x"/>
</gamesettings>)",
       // showintro, highglobedetail, width, height and frequency (beyond 16 bits), interval; the
       // update rate, the texture size and the volumes convert and are kept
       6},
      {"missing parts", R"(<gamesettings language="eng" showintro="False"><sound musicvolume="20"/></gamesettings>)",
       // graphics: 4 + resolution: 3 + sound: 3 + autosave: 2
       12},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    const TRead R = Read(C.Text);
    EXPECT_EQ(R.Log.size(), C.LogLines);
    for (const std::string& Line : R.Log) EXPECT_NE(Line.find("settings.xml"), std::string::npos) << Line;
    if (C.Name == "garbage values") {
      EXPECT_EQ(R.Language, 0);
      EXPECT_EQ(R.Settings.ScreenWidth, 1024);
      EXPECT_EQ(R.Settings.ScreenHeight, 768);
      EXPECT_EQ(R.Settings.Frequency, 60);
      EXPECT_TRUE(R.Settings.Reflections);
      EXPECT_EQ(R.Settings.ReflectionUpdateRate, 0);
      EXPECT_EQ(R.Settings.ReflectionTextureSize, 500);
      EXPECT_EQ(R.Settings.MusicVolume, 250);
      EXPECT_EQ(R.Settings.SoundVolume, -1);
      EXPECT_FALSE(R.Settings.SoundEnabled);
      EXPECT_TRUE(R.Settings.AutosaveEnabled);
      EXPECT_EQ(R.Settings.AutosaveInterval, 0);
    } else if (C.Name == "missing parts") {
      EXPECT_EQ(R.Language, 1);
      EXPECT_EQ(R.Settings.MusicVolume, 20);
    } else {
      ExpectDefaults(R.Settings);
    }
    // Whatever was read, the next exit writes a file that reads back without a complaint.
    EXPECT_TRUE(Read(WriteSettings(R.Settings, "ger")).Log.empty());
  }
}

// A value the player wrote by hand is kept as long as its field can hold it, however unusual,
// and the next exit writes it back unchanged; the game copes with each (a display mode the
// screen does not offer runs in a window, a rate or interval of 0 or less refreshes every frame
// or never autosaves). One step past the field's range does not convert.
TEST(GameSettings, HandEditedValuesThatConvertAreKeptAndWrittenBack) {
  const std::string Edited = R"XML(<?xml version="1.0" encoding="ISO-8859-1"?>
<gamesettings gameversion="Tarnova - Phase 1 (v1.11)" language="eng" showintro="False">
  <graphics highglobedetail="True" reflections="False" reflectionupdaterate="-2147483648" reflectiontexturesize="300">
    <resolution width="65535" height="0" frequency="65535" />
  </graphics>
  <sound musicenabled="True" musicvolume="150" soundenabled="True" soundvolume="-20" />
  <autosave enabled="True" interval="-2147483648" />
</gamesettings>
)XML";
  const TRead R = Read(Edited);
  EXPECT_TRUE(R.Log.empty()) << R.Log.front();
  EXPECT_EQ(R.Settings.ScreenWidth, 65535);
  EXPECT_EQ(R.Settings.ScreenHeight, 0);
  EXPECT_EQ(R.Settings.Frequency, 65535);
  EXPECT_EQ(R.Settings.ReflectionUpdateRate, INT32_MIN);
  EXPECT_EQ(R.Settings.ReflectionTextureSize, 300);
  EXPECT_EQ(R.Settings.MusicVolume, 150);
  EXPECT_EQ(R.Settings.SoundVolume, -20);
  EXPECT_EQ(R.Settings.AutosaveInterval, INT32_MIN);
  EXPECT_EQ(WriteSettings(R.Settings, "eng"), Edited);

  std::string Past = Edited;
  for (const auto& [From, To] : {std::pair<std::string, std::string>{"width=\"65535\"", "width=\"65536\""},
                                 {"height=\"0\"", "height=\"-1\""},
                                 {"interval=\"-2147483648\"", "interval=\"-2147483649\""},
                                 {"soundvolume=\"-20\"", "soundvolume=\"2147483648\""}})
    Past.replace(Past.find(From), From.size(), To);
  const TRead Beyond = Read(Past);
  EXPECT_EQ(Beyond.Log, (std::vector<std::string>{
                            "TGame->LoadSettings->\"settings.xml\": <graphics/resolution> width=\"65536\" is not valid, using 1024",
                            "TGame->LoadSettings->\"settings.xml\": <graphics/resolution> height=\"-1\" is not valid, using 768",
                            "TGame->LoadSettings->\"settings.xml\": <sound> soundvolume=\"2147483648\" is not valid, using 75",
                            "TGame->LoadSettings->\"settings.xml\": <autosave> interval=\"-2147483649\" is not valid, using 0"}));
  EXPECT_EQ(Beyond.Settings.ScreenWidth, 1024);
  EXPECT_EQ(Beyond.Settings.ScreenHeight, 768);
  EXPECT_EQ(Beyond.Settings.SoundVolume, 75);
  EXPECT_EQ(Beyond.Settings.AutosaveInterval, 0);
}

TEST(GameSettings, SwitchesApplyInCommandLineOrderAndOnlyExactly) {
  TGameSettings S;
  S.ShowFPS = S.NoShaders = true;  // never carried over from an earlier run
  auto Effects = ApplySwitches({"/opt/tarnova/tarnova", "-forceintro", "-nointro", "-logai", "-NOSHADERS"}, S);
  EXPECT_FALSE(S.ShowIntro);
  EXPECT_TRUE(S.LogAI);
  EXPECT_FALSE(S.NoShaders || S.ShowFPS);
  EXPECT_FALSE(Effects.ShowCursor || Effects.PerfTimer);
  Effects = ApplySwitches({"tarnova", "-nointro", "-forceintro", "-noshaders", "-forcewindowscursor", "-perftimer"}, S);
  EXPECT_TRUE(S.ShowIntro && S.NoShaders);
  EXPECT_FALSE(S.LogAI);
  EXPECT_TRUE(Effects.ShowCursor && Effects.PerfTimer);
}
