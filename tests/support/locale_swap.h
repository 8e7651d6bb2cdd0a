#pragma once
// Puts the C library's locale (every category) to a named one for the life of the object, as the
// game takes the user's at start, and the old one back afterwards. Available() is false, and the
// locale unchanged, when the system does not have it: the test then skips.
#include <clocale>
#include <string>

class TLocaleSwap {
public:
  // The German locale, whose decimal separator is a comma.
  static constexpr const char* German = "de_DE.UTF-8";

  explicit TLocaleSwap(const char* Name) {
    const char* Old = std::setlocale(LC_ALL, nullptr);
    Saved = Old ? Old : "C";
    Set = std::setlocale(LC_ALL, Name) != nullptr;
  }
  ~TLocaleSwap() { std::setlocale(LC_ALL, Saved.c_str()); }
  TLocaleSwap(const TLocaleSwap&) = delete;
  TLocaleSwap& operator=(const TLocaleSwap&) = delete;

  bool Available() const { return Set; }

private:
  std::string Saved;
  bool Set = false;
};
