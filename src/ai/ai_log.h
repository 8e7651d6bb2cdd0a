#pragma once
// The HTML log of one computer opponent: every decision of its rounds, one coloured line each,
// with a collapsible block per round. It records only when AI logging is on ("-logai"); the game
// writes it as "AI_<nation>_log.html" at exit. The controller owns its log.
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/constants.h"

// Colours of the log lines (0x00BBGGRR).
inline constexpr std::int32_t AIColorGeneral = 0;
inline constexpr std::int32_t AIColorAlarm = 255;             // errors and alarms, red
inline constexpr std::int32_t AIColorHeading = 32768;         // step headings and army decisions
inline constexpr std::int32_t AIColorResearch = 8421376;      // research and staff
inline constexpr std::int32_t AIColorConstruction = 16711680;  // construction, blue

class TAILog {
public:
  TStringList Lines;       // the HTML document
  TStringList PlainLines;  // every logged text unchanged

  // With AI logging on, starts the document with its head and the script that folds rounds.
  TAILog();
  // Appends one line; does nothing unless AI logging is on.
  void Add(const std::string& Text, std::int32_t Color);
  // The whole document, one line each.
  std::string Text() const;
  // Writes the document safely (temporary file, then rename); false and a line in the game log
  // when that fails.
  bool SaveToFile(const std::filesystem::path& Path) const;
};
