// Reads arbitrary bytes as a text file shown in a memo (the global project's text), wrapped to the
// memo's width, and as a text with language sections (the nations' histories): the wrap must end,
// keep every word in its order, and leave a line wider than the memo only where it has no blank to
// break at; the mouse wheel keeps the top line within the lines.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "gui/memo.h"
#include "support/headless_gui_services.h"

namespace {
// The fuzz input as the only data file ("m.txt"); characters are as wide as their code says.
class TFuzzServices final : public THeadlessGUIServices {
public:
  TFuzzServices() { Record = false; }
  float TextWidth(const std::string& Text) override {
    float Sum = 0.0f;
    for (char C : Text) Sum += static_cast<float>(static_cast<std::uint8_t>(C) % 13 + 1);
    return Sum;
  }
};

// The words of lines, split at blanks and line ends.
std::vector<std::string> Words(const std::vector<std::string>& Lines) {
  std::vector<std::string> Result;
  for (const std::string& Line : Lines) {
    std::string Word;
    for (char C : Line + ' ') {
      if (C != ' ' && C != '\r' && C != '\n') {
        Word += C;
      } else if (!Word.empty()) {
        Result.push_back(Word);
        Word.clear();
      }
    }
  }
  return Result;
}

void CheckWrapped(TFuzzServices& S, const TGLMemo& Memo) {
  for (const std::string& Line : Memo.Lines) {
    if (!(S.TextWidth(Line) > Memo.WrapWidth())) continue;
    // Too wide only without a blank to break at (a blank at either end breaks nothing).
    Check(Line.size() < 3 || Line.find(' ', 1) >= Line.size() - 1);
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TFuzzServices* Services = [] {
    gLog.reset();
    auto Owned = std::make_unique<TFuzzServices>();
    TFuzzServices* Raw = Owned.get();
    SetGUIServices(std::move(Owned));
    return Raw;
  }();
  std::string& File = Services->Files["m.txt"];
  File.assign(reinterpret_cast<const char*>(Data), Size);
  TGLMemo Memo;
  Memo.Width = 235;
  Memo.Height = 120;
  Memo.LoadFromFile("m.txt");
  CheckWrapped(*Services, Memo);
  Check(Words(Memo.Lines) == Words({File}));
  gMouseX = 10;
  gMouseY = 10;
  for (std::int32_t Delta : {5, 1000, -3, -1000}) {
    Memo.MouseWheel(Delta);
    Check(Memo.TopLine >= 0 && Memo.TopLine <= static_cast<std::int32_t>(Memo.Lines.size()));
  }

  Memo.SetTextSection(File, "eng", true);
  CheckWrapped(*Services, Memo);
  Check(Memo.TopLine >= 0 && Memo.TopLine <= static_cast<std::int32_t>(Memo.Lines.size()));
  return 0;
}
