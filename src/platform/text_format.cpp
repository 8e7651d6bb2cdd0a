#include "platform/text_format.h"

std::string FormatText(std::string_view Format, std::initializer_list<std::string> Args) {
  std::string Out;
  Out.reserve(Format.size() + 16);
  auto Next = Args.begin();
  for (std::size_t i = 0; i < Format.size(); ++i) {
    char C = Format[i];
    if (C == '%' && i + 1 < Format.size()) {
      char F = Format[i + 1];
      if (F == '%') {
        Out += '%';
        ++i;
        continue;
      }
      if ((F == 's' || F == 'd') && Next != Args.end()) {
        Out += *Next++;
        ++i;
        continue;
      }
    }
    Out += C;
  }
  return Out;
}

std::string Quoted(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size() + 2);
  return Out.append(1, '"').append(Text).append(1, '"');
}

std::vector<std::string> SplitLines(std::string_view Text) {
  std::vector<std::string> Lines;
  std::string Line;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char C = Text[i];
    if (C == '\r' || C == '\n') {
      Lines.push_back(Line);
      Line.clear();
      if (C == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
    } else {
      Line += C;
    }
  }
  if (!Line.empty()) Lines.push_back(Line);
  return Lines;
}
