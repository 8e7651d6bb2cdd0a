#pragma once
// Time of the frame's drawing passes (sky, landscape, reflection, globe, clouds, water, GUI, ...)
// while the performance timer is on ("-perftimer" or the T key). Each pass is fenced by glFinish,
// so its wall-clock time is the time the GL took to draw it (a software GL rasterises whole
// batches of passes at once otherwise); a GL timer query (GL_TIME_ELAPSED) beside it is read back
// a few frames later. The latest figures join the performance timer's lines on screen; every few
// seconds log.html gets the mean of each pass. Off, every call returns at once and nothing waits.
#include <string>
#include <vector>

// One pass of the frame, from construction to destruction. Passes nest: an inner pass's time is
// its own and not its parent's, unless the parent is Whole (the reflection, whose own globe and
// sky belong to it).
class TPassScope {
public:
  explicit TPassScope(const char* Name, bool Whole = false);
  ~TPassScope();
  TPassScope(const TPassScope&) = delete;
  TPassScope& operator=(const TPassScope&) = delete;

private:
  bool Active = false;
  bool Whole = false;
};

struct TPassFigure {
  std::string Name;
  double Ms = 0.0;     // wall-clock time of the pass, issued and finished by the GL
  double CPUMs = 0.0;  // CPU time of the process in that time (every drawing thread, no waiting)
  double GLMs = 0.0;   // the GL timer query's time of the pass
};

// At the start of every frame: reads back the queries of frames that are done.
void BeginPassFrame();
// After the scene: the passes of the last frame read back join the performance timer's samples,
// and the means go to log.html every few seconds.
void ReportPasses(double FrameMs);
// The last frame read back, in the order the passes were first seen.
std::vector<TPassFigure> LastPassFigures();
// Frees the query objects (the GL context is about to go).
void FreePassTimer();
