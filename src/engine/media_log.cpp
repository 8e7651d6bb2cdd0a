#include "engine/media_log.h"

#include "platform/files.h"

namespace {
std::function<void(const std::string&)>& Hook() {
  static std::function<void(const std::string&)> H;
  return H;
}
}  // namespace

void MediaLog(const std::string& Line) {
  DebugOutput(Line);
  if (Hook()) Hook()(Line);
}

void SetMediaLogHook(std::function<void(const std::string& Line)> NewHook) { Hook() = std::move(NewHook); }
