#include "platform/message_box.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

#include "platform/latin1.h"

namespace {
TMessageBoxHook& Hook() {
  static TMessageBoxHook H;
  return H;
}
}  // namespace

void ShowMessageBox(std::string_view Title, std::string_view Text) {
  std::string T(Title), M(Text);
  if (Hook()) {
    Hook()(T, M);
    return;
  }
  const char* Headless = std::getenv("TARNOVA_HEADLESS");
  if ((Headless && *Headless && *Headless != '0') ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, AnsiToUtf8(T).c_str(), AnsiToUtf8(M).c_str(), nullptr) != 0)
    std::cerr << T << ": " << M << '\n';
}

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook NewHook) {
  TMessageBoxHook Old = std::move(Hook());
  Hook() = std::move(NewHook);
  return Old;
}
