// Reads arbitrary bytes as a text file shown in a memo (the global project's text), wrapped to the
// memo's width, and as a text with language sections (the nations' histories): the wrap must end,
// keep every character but blanks in its order, and leave no line wider than the memo (every
// character fits); new text leaves the top line where it was, and the mouse wheel keeps it within
// the lines.
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

// The characters of lines other than blanks and line ends, in their order.
std::string Characters(const std::vector<std::string>& Lines) {
  std::string Result;
  for (const std::string& Line : Lines)
    for (char C : Line)
      if (C != ' ' && C != '\r' && C != '\n') Result += C;
  return Result;
}

void CheckWrapped(TFuzzServices& S, const TGLMemo& Memo) {
  for (const std::string& Line : Memo.Lines) Check(!(S.TextWidth(Line) > Memo.WrapWidth()));
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
  Check(Characters(Memo.Lines) == Characters({File}));
  gMouseX = 10;
  gMouseY = 10;
  for (std::int32_t Delta : {5, 1000, -3, -1000}) {
    Memo.MouseWheel(Delta);
    Check(Memo.TopLine >= 0 && Memo.TopLine <= static_cast<std::int32_t>(Memo.Lines.size()));
  }

  Memo.TopLine = 7;
  Memo.SetTextSection(File, "eng", true);
  CheckWrapped(*Services, Memo);
  Check(Memo.TopLine == 7);
  Memo.MouseWheel(-1);
  Check(Memo.TopLine >= 0 && Memo.TopLine <= static_cast<std::int32_t>(Memo.Lines.size()));
  return 0;
}
