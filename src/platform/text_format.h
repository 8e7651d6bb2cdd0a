#pragma once
// Safe formatting of localised texts: "%s" and "%d" take the next argument, "%%" is a percent
// sign. A text from a data file never reaches printf; a missing argument leaves the
// placeholder as written and surplus arguments are ignored.
#include <string>
#include <string_view>
#include <initializer_list>

std::string FormatText(std::string_view Format, std::initializer_list<std::string> Args);
