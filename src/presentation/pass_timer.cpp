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
constexpr double kLogEverySeconds = 5.0;

// CPU time of the whole process in milliseconds: a software GL's drawing threads count too, and a
// busy machine's waiting does not.
double ProcessCPUMs() { return static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC; }
}  // namespace

bool TPassTimer::TimerOn() {
  if (!gPerfTimer || !gPerfTimer->Enabled) return false;
  if (!Checked) {
    Checked = true;
    Supported = ExtensionSupported("GL_ARB_timer_query") || ExtensionSupported("GL_EXT_timer_query");
    if (!Supported && gLog) gLog->AddLine("TGame->Render->No GL timer queries, the frame's passes are not timed");
  }
  return Supported;
}

std::size_t TPassTimer::PassIndex(const char* Name) {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (Names[i] == Name) return i;
  Names.emplace_back(Name);
  SumGL.push_back(0.0);
  SumMs.push_back(0.0);
  SumCPU.push_back(0.0);
  return Names.size() - 1;
}

// Starts timing the innermost open pass.
void TPassTimer::StartSegment() {
  if (FreeQueries.empty()) {
    GLuint Q = 0;
    glGenQueries(1, &Q);
    FreeQueries.push_back(Q);
  }
  Running = FreeQueries.back();
  FreeQueries.pop_back();
  // The GL finishes what came before, so this segment's clock and query hold this pass alone:
  // a software GL draws a whole batch of passes at once and would give them all the same time.
  glFinish();
  RunningSince = TClock::now();
  RunningSinceCPU = ProcessCPUMs();
  glBeginQuery(GL_TIME_ELAPSED, Running);
}

// Ends the running segment and books it to the innermost open pass.
void TPassTimer::StopSegment() {
  if (Running == 0 || Open.empty()) return;
  glEndQuery(GL_TIME_ELAPSED);
  glFinish();
  const double Ms = std::chrono::duration<double, std::milli>(TClock::now() - RunningSince).count();
  InFlight[Frame % kFramesInFlight].push_back({Open.back(), Running, Ms, ProcessCPUMs() - RunningSinceCPU});
  Running = 0;
}

void TPassTimer::LogMeans() {
  if (!gLog || SumFrames == 0) return;
  const double N = static_cast<double>(SumFrames);
  std::string Line = "TGame->Render->Pass times over " + std::to_string(SumFrames) + " frames (mean ms, wall / CPU / GL query):";
  char Text[96];
  for (std::size_t i = 0; i < Names.size(); ++i) {
    std::snprintf(Text, sizeof Text, " %s %.2f / %.2f / %.2f;", Names[i].c_str(), SumMs[i] / N, SumCPU[i] / N,
                  SumGL[i] / N);
    Line += Text;
    SumGL[i] = SumMs[i] = SumCPU[i] = 0.0;
  }
  std::snprintf(Text, sizeof Text, " whole frame %.2f", SumFrameMs / N);
  gLog->AddLine(Line + Text);
  SumFrames = 0;
  SumFrameMs = 0.0;
}

TPassScope::TPassScope(TPassTimer* PassTimer, const char* Name, bool IsWhole) : Whole(IsWhole) {
  if (!PassTimer || !PassTimer->FrameOn || PassTimer->WholeDepth > 0) return;
  Timer = PassTimer;
  Timer->StopSegment();
  Timer->Open.push_back(Timer->PassIndex(Name));
  if (Whole) ++Timer->WholeDepth;
  Timer->StartSegment();
}

TPassScope::~TPassScope() {
  if (!Timer) return;
  Timer->StopSegment();
  Timer->Open.pop_back();
  if (Whole) --Timer->WholeDepth;
  if (!Timer->Open.empty()) Timer->StartSegment();
}

void TPassTimer::BeginFrame() {
  ++Frame;
  std::vector<TSegment>& Done = InFlight[Frame % kFramesInFlight];
  if (!Done.empty()) {
    std::vector<double> GL(Names.size(), 0.0), Ms(Names.size(), 0.0), CPU(Names.size(), 0.0);
    for (const TSegment& Segment : Done) {
      GLuint64 Nanoseconds = 0;
      glGetQueryObjectui64v(Segment.Query, GL_QUERY_RESULT, &Nanoseconds);
      GL[Segment.Pass] += static_cast<double>(Nanoseconds) / 1.0e6;
      Ms[Segment.Pass] += Segment.Ms;
      CPU[Segment.Pass] += Segment.CPUMs;
      FreeQueries.push_back(Segment.Query);
    }
    Done.clear();
    Last.clear();
    for (std::size_t i = 0; i < Names.size(); ++i) {
      if (GL[i] == 0.0 && Ms[i] == 0.0) continue;
      Last.push_back({Names[i], Ms[i], CPU[i], GL[i]});
      SumGL[i] += GL[i];
      SumMs[i] += Ms[i];
      SumCPU[i] += CPU[i];
    }
  }
  FrameOn = TimerOn();
  Open.clear();
  WholeDepth = 0;
  Running = 0;
}

void TPassTimer::Report(double FrameMs) {
  if (!FrameOn) return;
  for (const TPassFigure& F : Last) {
    gPerfTimer->Samples.push_back(static_cast<float>(F.Ms));
    gPerfTimer->Names.push_back(F.Name);
  }
  ++SumFrames;
  SumFrameMs += FrameMs;
  if (std::chrono::duration<double>(TClock::now() - LastLog).count() >= kLogEverySeconds) {
    LogMeans();
    LastLog = TClock::now();
  }
}

void TPassTimer::Free() {
  for (auto& Segments : InFlight) {
    for (const TSegment& Segment : Segments) {
      const GLuint Query = Segment.Query;
      glDeleteQueries(1, &Query);
    }
    Segments.clear();
  }
  if (!FreeQueries.empty()) glDeleteQueries(static_cast<GLsizei>(FreeQueries.size()), FreeQueries.data());
  FreeQueries.clear();
  Last.clear();
  Checked = false;
  FrameOn = false;
}
