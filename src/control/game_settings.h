#pragma once
// Reading and writing "settings.xml" and applying the command-line switches. A damaged or
// hand-edited file never stops the game: each missing value, and each that does not convert to
// its field, is logged with file, element and value and replaced by its default; a value that
// converts is kept as the player wrote it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/settings.h"

using TSettingsLog = std::function<void(const std::string& Line)>;

// The values of a first start without "settings.xml".
void SetDefaultSettings(TGameSettings& Settings);

// Reads the file's text (none: there is no file) into Settings and LanguageIndex. Settings are
// set to the defaults first; the switch fields (Windowed, NoShaders, DebugKeys, ShowFPS, LogAI,
// AutosaveCountdown) are left as they are. A language code not in LanguageCodes gives 0.
void ReadSettings(const std::optional<std::string>& Text, const std::string& FileName,
                  const std::vector<std::string>& LanguageCodes, TGameSettings& Settings,
                  std::uint8_t& LanguageIndex, const TSettingsLog& Log);

// The whole file as ISO-8859-1 text; "showintro" is always written "False".
std::string WriteSettings(const TGameSettings& Settings, const std::string& LanguageCode);

// What the switches ask of others than the settings record.
struct TSwitchEffects {
  bool ShowCursor = false;  // "-forcewindowscursor"
  bool PerfTimer = false;   // "-perftimer"
};
// Clears DebugKeys, ShowFPS, LogAI and NoShaders, then applies the switches of Args (index 0,
// the program, included), parameter by parameter, compared exactly; a later one wins.
TSwitchEffects ApplySwitches(const std::vector<std::string>& Args, TGameSettings& Settings);

// The text "--help" prints: the usage line and every switch with its effect.
std::string CommandLineHelp();
