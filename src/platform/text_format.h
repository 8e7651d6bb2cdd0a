#pragma once
// Safe formatting of localised texts: "%s" and "%d" take the next argument, "%%" is a percent
// sign. A text from a data file never reaches printf; a missing argument leaves the
// placeholder as written and surplus arguments are ignored.
#include <string>
#include <string_view>
#include <initializer_list>
#include <vector>

// Text as lines, split at every line break (LF, CR LF or CR). Empty lines are kept; a final
// line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view Text);

// Text in double quotes, as messages name files and things.
std::string Quoted(std::string_view Text);

std::string FormatText(std::string_view Format, std::initializer_list<std::string> Args);
