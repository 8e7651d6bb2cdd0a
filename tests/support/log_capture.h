#pragma once
// Replaces gLog with a log in a temporary folder for the life of the object and puts a fresh
// one back afterwards, so no test writes "log.html" next to the test programs.
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "support/temp_folder.h"

class TLogCapture {
public:
  TLogCapture() {
    Saved = std::move(gLog);
    gLog = std::make_unique<TLog>(Folder.Path());
    gLog->Clock = [] { return std::string("12:34:56"); };
  }
  ~TLogCapture() {
    gLog.reset();
    gLog = std::move(Saved);
  }
  TLogCapture(const TLogCapture&) = delete;
  TLogCapture& operator=(const TLogCapture&) = delete;

  // The texts logged so far, without time and markup.
  const std::vector<std::string>& Lines() const { return gLog->Entries(); }
  const TTempFolder& Temp() const { return Folder; }

private:
  TTempFolder Folder;
  std::unique_ptr<TLog> Saved;
};
