#pragma once
// Modal message boxes. The game shows a real window; tests and headless runs install a hook
// that records the message instead of blocking (TARNOVA_HEADLESS=1 sends them to stderr).
#include <functional>
#include <string>
#include <string_view>

using TMessageBoxHook = std::function<void(const std::string& Title, const std::string& Text)>;

void ShowMessageBox(std::string_view Title, std::string_view Text);
// Replaces how messages are shown; an empty hook restores the default. Returns the old hook.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook Hook);
