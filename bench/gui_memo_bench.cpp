// Word wrap of a memo: the information text (a few hundred lines) is wrapped at start-up and
// after every language change; descriptions are wrapped whenever a window shows another item.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/streams.h"
#include "engine/tex_font.h"
#include "gui/memo.h"

namespace {
std::vector<std::string> Paragraphs(int Count) {
  std::vector<std::string> Lines;
  for (int P = 0; P < Count; ++P) {
    std::string Line;
    for (int W = 0; W < 60; ++W) {
      if (W > 0) Line += ' ';
      Line.append(static_cast<std::size_t>(3 + (P * 7 + W * 3) % 8), static_cast<char>('a' + W % 26));
    }
    Lines.push_back(Line);
    Lines.push_back("");
  }
  return Lines;
}

void BM_MemoWordWrap(benchmark::State& State) {
  TMemoryStream Widths(std::string(256, char(48)));  // 7 units a character at size 8 (plus 1)
  gGUIFont = std::make_unique<TTexFont>(Widths, 8.0f);
  const auto Lines = Paragraphs(static_cast<int>(State.range(0)));
  TGLMemo Memo;
  Memo.Width = 400;
  Memo.Height = 300;
  for (auto _ : State) {
    Memo.SetLines(Lines, true);
    benchmark::DoNotOptimize(Memo.Lines.data());
  }
  State.counters["lines"] = static_cast<double>(Memo.Lines.size());
  gGUIFont.reset();
}
BENCHMARK(BM_MemoWordWrap)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
}  // namespace
