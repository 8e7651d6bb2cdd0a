// The running log: the cost of one line, with few and with many lines logged before (it must not
// grow with the length of the log), and of making the file safe on the disk.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/log.h"

namespace fs = std::filesystem;

namespace {
// A folder of its own for each log, removed with it.
struct TLogFolder {
  fs::path Path = fs::temp_directory_path() / ("tarnova-log-bench-" + std::to_string(::getpid()));
  TLogFolder() { fs::create_directories(Path); }
  ~TLogFolder() {
    std::error_code Ignored;
    fs::remove_all(Path, Ignored);
  }
};

const std::string kLine = "TTextureManager->AddTexture->Loading \"data\\tex\\gui\\window_frame.dds\" (256 x 256)";

void BM_LogLine(benchmark::State& State) {
  TLogFolder Folder;
  {
    TLog Log(Folder.Path);
    Log.Clock = [] { return std::string("12:34:56"); };
    for (std::int64_t i = 0; i < State.range(0); ++i) Log.AddLine(kLine);
    for (auto _ : State) Log.AddLine(kLine);
    State.SetItemsProcessed(State.iterations());
  }
}
// Lines logged before the measured ones.
BENCHMARK(BM_LogLine)->Arg(0)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void BM_LogSync(benchmark::State& State) {
  TLogFolder Folder;
  {
    TLog Log(Folder.Path);
    Log.Clock = [] { return std::string("12:34:56"); };
    for (int i = 0; i < 2000; ++i) Log.AddLine(kLine);
    for (auto _ : State) {
      Log.AddLine(kLine);
      Log.Sync();
    }
  }
}
BENCHMARK(BM_LogSync)->Unit(benchmark::kMicrosecond);
}  // namespace
