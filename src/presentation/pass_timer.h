#pragma once
// Time of the frame's drawing passes (sky, landscape, reflection, globe, clouds, water, GUI, ...)
// while the performance timer is on ("-perftimer" or the T key). Each pass is fenced by glFinish,
// so its wall-clock time is the time the GL took to draw it (a software GL rasterises whole
// batches of passes at once otherwise); a GL timer query (GL_TIME_ELAPSED) beside it is read back
// a few frames later. The latest figures join the performance timer's lines on screen; every few
// seconds log.html gets the mean of each pass. Off, every call returns at once and nothing waits.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TPassFigure {
  std::string Name;
  double Ms = 0.0;     // wall-clock time of the pass, issued and finished by the GL
  double CPUMs = 0.0;  // CPU time of the process in that time (every drawing thread, no waiting)
  double GLMs = 0.0;   // the GL timer query's time of the pass
};

// The pass timing of one view: its GL timer queries in flight and free, the names of the passes
// it has seen and their sums since the last log line. The view owns it; Free gives the queries
// back while the GL context exists.
class TPassTimer {
public:
  // At the start of every frame: reads back the queries of frames that are done.
  void BeginFrame();
  // After the scene: the passes of the last frame read back join the performance timer's
  // samples, and the means go to log.html every few seconds.
  void Report(double FrameMs);
  // The last frame read back, in the order the passes were first seen.
  const std::vector<TPassFigure>& LastFigures() const { return Last; }
  // Frees the query objects (the GL context is about to go).
  void Free();

private:
  friend class TPassScope;
  using TClock = std::chrono::steady_clock;
  // Frames whose queries are still in flight; a frame's results are read when its slot comes
  // round again, by which time the GL has long finished it.
  static constexpr std::size_t kFramesInFlight = 4;
  struct TSegment {
    std::size_t Pass;
    std::uint32_t Query;
    double Ms, CPUMs;
  };

  bool TimerOn();
  std::size_t PassIndex(const char* Name);
  void StartSegment();
  void StopSegment();
  void LogMeans();

  bool Checked = false;
  bool Supported = false;
  bool FrameOn = false;  // the timer was on when this frame began
  std::size_t Frame = 0;
  std::array<std::vector<TSegment>, kFramesInFlight> InFlight;
  std::vector<std::uint32_t> FreeQueries;
  std::vector<std::string> Names;
  std::vector<TPassFigure> Last;
  // The open passes, innermost last; WholeDepth > 0 while a Whole pass swallows its inner ones.
  std::vector<std::size_t> Open;
  int WholeDepth = 0;
  std::uint32_t Running = 0;
  TClock::time_point RunningSince;
  double RunningSinceCPU = 0.0;
  // Sums since the last log line.
  std::vector<double> SumGL, SumMs, SumCPU;
  std::size_t SumFrames = 0;
  double SumFrameMs = 0.0;
  TClock::time_point LastLog = TClock::now();
};

// One pass of the frame, from construction to destruction, timed by Timer (none: untimed).
// Passes nest: an inner pass's time is its own and not its parent's, unless the parent is Whole
// (the reflection, whose own globe and sky belong to it).
class TPassScope {
public:
  TPassScope(TPassTimer* Timer, const char* Name, bool Whole = false);
  ~TPassScope();
  TPassScope(const TPassScope&) = delete;
  TPassScope& operator=(const TPassScope&) = delete;

private:
  TPassTimer* Timer = nullptr;  // set while the pass is timed
  bool Whole = false;
};
