#pragma once
// Sets an environment variable (none: unsets it) for the life of the object and puts the old
// value back afterwards, so a test that needs another locale or display leaves none behind.
#include <cstdlib>
#include <optional>
#include <string>

class TEnvironmentSwap {
public:
  TEnvironmentSwap(const char* Name, const char* Value) : Name(Name) {
    if (const char* Old = std::getenv(Name)) Saved = Old;
    if (Value)
      ::setenv(Name, Value, 1);
    else
      ::unsetenv(Name);
  }
  ~TEnvironmentSwap() {
    if (Saved)
      ::setenv(Name, Saved->c_str(), 1);
    else
      ::unsetenv(Name);
  }
  TEnvironmentSwap(const TEnvironmentSwap&) = delete;
  TEnvironmentSwap& operator=(const TEnvironmentSwap&) = delete;

private:
  const char* Name;
  std::optional<std::string> Saved;
};
