#pragma once
// The error dialog that ends the program with a report: start-up checks that fail and any
// exception that reaches the main window. It is the platform's modal message box (tests record
// it through the message-box hook).
#include <exception>
#include <string>
#include <vector>

class TErrorDialog {
public:
  static constexpr const char* Caption = "Tarnova has encountered an error";
  std::vector<std::string> MemoErrorReport;
  // "Note : Your current game has been saved as \"...\"" when a crash save was written.
  std::string LabelGameSaved;
  bool LabelGameSavedVisible = false;

  // The whole text shown: the headline, the closing note, the report and the saved-game note.
  std::string Text() const;
  void ShowModal() const;
};

// The class name of an exception, demangled ("ETarnovaError", "std::out_of_range").
std::string ExceptionTypeName(const std::exception& E);
// The eight report lines of an exception that reached the main window.
std::vector<std::string> ExceptionReport(const std::string& TypeName, const std::string& Message);
