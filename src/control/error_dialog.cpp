#include "control/error_dialog.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "engine/constants.h"
#include "platform/message_box.h"

std::string TErrorDialog::Text() const {
  std::string T = "Tarnova has encountered an error!\nThe application will be closed after this dialog. \n\n"
                  "Error report (will be saved to the log file) :\n";
  for (const std::string& Line : MemoErrorReport) T += Line + "\n";
  if (LabelGameSavedVisible) T += "\n" + LabelGameSaved + "\n";
  return T;
}

void TErrorDialog::ShowModal() const { ShowMessageBox(Caption, Text()); }

std::string ExceptionTypeName(const std::exception& E) {
  const char* Mangled = typeid(E).name();
  int Status = 0;
  std::unique_ptr<char, void (*)(void*)> Name(abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), std::free);
  return Status == 0 && Name ? std::string(Name.get()) : std::string(Mangled);
}

std::vector<std::string> ExceptionReport(const std::string& TypeName, const std::string& Message) {
  return {"Tarnova",
          "Version Tarnova - Phase 1 (v1.11)",
          "OS is " + GetOSVersionName(),
          "",
          "Description of the occured exception :",
          " Type = " + TypeName,
          " Message = " + Message,
          ""};
}
