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
