#include "presentation/pass_timer.h"

#include <array>
#include <chrono>
#include <ctime>
#include <cstdio>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "engine/log.h"
#include "engine/perf_timer.h"

namespace {
using TClock = std::chrono::steady_clock;

// Frames whose queries are still in flight; a frame's results are read when its slot comes round
// again, by which time the GL has long finished it.
constexpr std::size_t kFramesInFlight = 4;
constexpr double kLogEverySeconds = 5.0;

struct TSegment {
  std::size_t Pass;
  GLuint Query;
  double Ms, CPUMs;
};

// CPU time of the whole process in milliseconds: a software GL's drawing threads count too, and a
// busy machine's waiting does not.
double ProcessCPUMs() { return static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC; }

struct TPassTimerState {
  bool Checked = false;
  bool Supported = false;
  bool FrameOn = false;  // the timer was on when this frame began
  std::size_t Frame = 0;
  std::array<std::vector<TSegment>, kFramesInFlight> InFlight;
  std::vector<GLuint> FreeQueries;
  std::vector<std::string> Names;
  std::vector<TPassFigure> Last;
  // The open passes, innermost last; WholeDepth > 0 while a Whole pass swallows its inner ones.
  std::vector<std::size_t> Open;
  int WholeDepth = 0;
  GLuint Running = 0;
  TClock::time_point RunningSince;
  double RunningSinceCPU = 0.0;
  // Sums since the last log line.
  std::vector<double> SumGL, SumMs, SumCPU;
  std::size_t SumFrames = 0;
  double SumFrameMs = 0.0;
  TClock::time_point LastLog = TClock::now();
};

TPassTimerState& State() {
  static TPassTimerState S;
  return S;
}

bool TimerOn() {
  TPassTimerState& S = State();
  if (!gPerfTimer || !gPerfTimer->Enabled) return false;
  if (!S.Checked) {
    S.Checked = true;
    S.Supported = ExtensionSupported("GL_ARB_timer_query") || ExtensionSupported("GL_EXT_timer_query");
    if (!S.Supported && gLog) gLog->AddLine("TGame->Render->No GL timer queries, the frame's passes are not timed");
  }
  return S.Supported;
}

std::size_t PassIndex(const char* Name) {
  TPassTimerState& S = State();
  for (std::size_t i = 0; i < S.Names.size(); ++i)
    if (S.Names[i] == Name) return i;
  S.Names.emplace_back(Name);
  S.SumGL.push_back(0.0);
  S.SumMs.push_back(0.0);
  S.SumCPU.push_back(0.0);
  return S.Names.size() - 1;
}

// Starts timing the innermost open pass.
void StartSegment() {
  TPassTimerState& S = State();
  if (S.FreeQueries.empty()) {
    GLuint Q = 0;
    glGenQueries(1, &Q);
    S.FreeQueries.push_back(Q);
  }
  S.Running = S.FreeQueries.back();
  S.FreeQueries.pop_back();
  // The GL finishes what came before, so this segment's clock and query hold this pass alone:
  // a software GL draws a whole batch of passes at once and would give them all the same time.
  glFinish();
  S.RunningSince = TClock::now();
  S.RunningSinceCPU = ProcessCPUMs();
  glBeginQuery(GL_TIME_ELAPSED, S.Running);
}

// Ends the running segment and books it to the innermost open pass.
void StopSegment() {
  TPassTimerState& S = State();
  if (S.Running == 0 || S.Open.empty()) return;
  glEndQuery(GL_TIME_ELAPSED);
  glFinish();
  const double Ms = std::chrono::duration<double, std::milli>(TClock::now() - S.RunningSince).count();
  S.InFlight[S.Frame % kFramesInFlight].push_back({S.Open.back(), S.Running, Ms, ProcessCPUMs() - S.RunningSinceCPU});
  S.Running = 0;
}

void LogMeans() {
  TPassTimerState& S = State();
  if (!gLog || S.SumFrames == 0) return;
  const double N = static_cast<double>(S.SumFrames);
  std::string Line = "TGame->Render->Pass times over " + std::to_string(S.SumFrames) + " frames (mean ms, wall / CPU / GL query):";
  char Text[96];
  for (std::size_t i = 0; i < S.Names.size(); ++i) {
    std::snprintf(Text, sizeof Text, " %s %.2f / %.2f / %.2f;", S.Names[i].c_str(), S.SumMs[i] / N, S.SumCPU[i] / N,
                  S.SumGL[i] / N);
    Line += Text;
    S.SumGL[i] = S.SumMs[i] = S.SumCPU[i] = 0.0;
  }
  std::snprintf(Text, sizeof Text, " whole frame %.2f", S.SumFrameMs / N);
  gLog->AddLine(Line + Text);
  S.SumFrames = 0;
  S.SumFrameMs = 0.0;
}
}  // namespace

TPassScope::TPassScope(const char* Name, bool IsWhole) : Whole(IsWhole) {
  TPassTimerState& S = State();
  if (!S.FrameOn || S.WholeDepth > 0) return;
  Active = true;
  StopSegment();
  S.Open.push_back(PassIndex(Name));
  if (Whole) ++S.WholeDepth;
  StartSegment();
}

TPassScope::~TPassScope() {
  if (!Active) return;
  TPassTimerState& S = State();
  StopSegment();
  S.Open.pop_back();
  if (Whole) --S.WholeDepth;
  if (!S.Open.empty()) StartSegment();
}

void BeginPassFrame() {
  TPassTimerState& S = State();
  ++S.Frame;
  std::vector<TSegment>& Done = S.InFlight[S.Frame % kFramesInFlight];
  if (!Done.empty()) {
    std::vector<double> GL(S.Names.size(), 0.0), Ms(S.Names.size(), 0.0), CPU(S.Names.size(), 0.0);
    for (const TSegment& Segment : Done) {
      GLuint64 Nanoseconds = 0;
      glGetQueryObjectui64v(Segment.Query, GL_QUERY_RESULT, &Nanoseconds);
      GL[Segment.Pass] += static_cast<double>(Nanoseconds) / 1.0e6;
      Ms[Segment.Pass] += Segment.Ms;
      CPU[Segment.Pass] += Segment.CPUMs;
      S.FreeQueries.push_back(Segment.Query);
    }
    Done.clear();
    S.Last.clear();
    for (std::size_t i = 0; i < S.Names.size(); ++i) {
      if (GL[i] == 0.0 && Ms[i] == 0.0) continue;
      S.Last.push_back({S.Names[i], Ms[i], CPU[i], GL[i]});
      S.SumGL[i] += GL[i];
      S.SumMs[i] += Ms[i];
      S.SumCPU[i] += CPU[i];
    }
  }
  S.FrameOn = TimerOn();
  S.Open.clear();
  S.WholeDepth = 0;
  S.Running = 0;
}

void ReportPasses(double FrameMs) {
  TPassTimerState& S = State();
  if (!S.FrameOn) return;
  for (const TPassFigure& F : S.Last) {
    gPerfTimer->Samples.push_back(static_cast<float>(F.Ms));
    gPerfTimer->Names.push_back(F.Name);
  }
  ++S.SumFrames;
  S.SumFrameMs += FrameMs;
  if (std::chrono::duration<double>(TClock::now() - S.LastLog).count() >= kLogEverySeconds) {
    LogMeans();
    S.LastLog = TClock::now();
  }
}

std::vector<TPassFigure> LastPassFigures() { return State().Last; }

void FreePassTimer() {
  TPassTimerState& S = State();
  for (auto& Frame : S.InFlight) {
    for (const TSegment& Segment : Frame) glDeleteQueries(1, &Segment.Query);
    Frame.clear();
  }
  if (!S.FreeQueries.empty()) glDeleteQueries(static_cast<GLsizei>(S.FreeQueries.size()), S.FreeQueries.data());
  S.FreeQueries.clear();
  S.Last.clear();
  S.Checked = false;
  S.FrameOn = false;
}
