#include "control/tarnova_form.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include "control/control_globals.h"
#include "control/error_dialog.h"
#include "control/game.h"
#include "control/game_save.h"
#include "engine/constants.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/random.h"
#include "platform/virtual_keys.h"

namespace {

constexpr std::int32_t kBlue = 0xFF0000;
constexpr std::int32_t kRed = 0x0000FF;

// SIGTERM and SIGINT end the program in order, whatever the game state: the main loop ends after
// the frame it is drawing. When that frame does not end (a fault that keeps the game's own code
// busy), the termination watch saves the settings, closes the log and ends the process itself.
std::atomic<int> gTerminationSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler writes it");
extern "C" void OnTerminationSignal(int Signal) { gTerminationSignal.store(Signal); }

constexpr auto kFrameGrace = std::chrono::milliseconds(450);     // the frame may still end by itself
constexpr auto kShutDownGrace = std::chrono::milliseconds(850);  // the orderly shut-down may still end

}  // namespace

TTarnovaForm::TTarnovaForm(std::vector<std::string> Arguments) : Args(std::move(Arguments)) {
  FPSTimer.Interval = 1000.0;
  FPSTimer.OnTimer = [this] { FPSTimerTimer(); };
}

TTarnovaForm::~TTarnovaForm() = default;

void TTarnovaForm::FormCreate() {
  Caption = "Tarnova - Phase 1 (v1.11)";
  ClientWidth = 1024;
  ClientHeight = 768;
  for (const std::string& A : Args) {
    if (A == "-windowed") gSettings.Windowed = true;
    if (A == "-widescreendebug") {
      ClientWidth = 1280;
      ClientHeight = 800;
      gGUIScreenHeight = 768;
      gGUIScreenWidth = static_cast<int>(std::nearbyint(static_cast<double>(ClientWidth) / ClientHeight * 768.0));
    }
  }
  gFieldOfView = 45.0f;
  gCameraDistance = -2.0f;
  gWidescreenFactor = 1.0;
  Randomize();
  std::signal(SIGTERM, OnTerminationSignal);
  std::signal(SIGINT, OnTerminationSignal);
  FPSTimer.SetEnabled(true);
}

bool TTarnovaForm::CreateWindow(bool Windowed, std::string* Error) {
  TWindowOptions Options;
  Options.Caption = Caption;
  Options.Width = ClientWidth;
  Options.Height = ClientHeight;
  Options.Windowed = Windowed;
  return Host.Create(Options, Error);
}

void TTarnovaForm::SetClientSize(int Width, int Height) {
  ClientWidth = Width;
  ClientHeight = Height;
  Host.SetClientSize(Width, Height);
  FormResize(Width, Height);
}

void TTarnovaForm::SetCaption(const std::string& Text) {
  Caption = Text;
  Host.SetCaption(Text);
}

void TTarnovaForm::ClientSize(int& Width, int& Height) const {
  if (Host.IsOpen()) {
    Host.ClientSize(Width, Height);
  } else {
    Width = ClientWidth;
    Height = ClientHeight;
  }
}

int TTarnovaForm::Run() {
  Phase = 0;
  StopWatch = false;
  std::thread Watch([this] { TerminationWatch(); });
  InitTimerTimer();
  // The window closes: the game object goes, and with it the GL context and the display mode.
  Phase = 1;
  Guarded([] { gGame->Destroy(); });
  gGame.reset();
  StopWatch = true;
  Watch.join();
  return ExitCode;
}

void TTarnovaForm::TerminationWatch() {
  using Clock = std::chrono::steady_clock;
  while (!StopWatch) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const int Signal = gTerminationSignal.load();
    if (Signal == 0) continue;
    const Clock::time_point Since = Clock::now();
    while (!StopWatch && Phase == 0 && Clock::now() - Since < kFrameGrace)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    while (!StopWatch && Phase == 1 && Clock::now() - Since < kShutDownGrace)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (StopWatch) return;
    // The game's thread did not come out of its frame (or its shut-down) in time. It keeps
    // running while this ends the process, so only what may be done beside it is done: the
    // settings file is written from the record (the shut-down writes it first of all, so after
    // the frame there is nothing left to save) and the log gets its last line and is closed.
    if (Phase == 0 && gGame) gGame->WriteSettingsFile();
    if (gLog)
      gLog->CloseFromOtherThread("TTarnovaForm->TerminationWatch->Signal " + std::to_string(Signal) +
                                     " while the game was busy, the game ends now",
                                 100);
    std::_Exit(128 + Signal);
  }
}

void TTarnovaForm::InitTimerTimer() {
  StartTime = NowMilliseconds();
  gGame = std::make_unique<TGame>(*this, MakeView ? MakeView() : nullptr);
  Guarded([] { gGame->Create(); });
  if (gLog)
    gLog->AddColoredLine("Game started in " + std::to_string(static_cast<long long>((NowMilliseconds() - StartTime) / 1000.0)) +
                             " seconds",
                         kBlue, TLogStyle::Bold);
  // The log of the whole start-up is on disk before the first frame.
  if (gLog) gLog->Sync();
  RunMainLoop();
}

void TTarnovaForm::RunMainLoop() {
  // The end-to-end test of the termination watch makes frame N never end, as a fault in the
  // game's own code would (TARNOVA_TEST_STALL_FRAME=N).
  const char* Stall = std::getenv("TARNOVA_TEST_STALL_FRAME");
  const long StallFrame = Stall ? std::strtol(Stall, nullptr, 10) : 0;
  long Frame = 0;
  while (!gGame->Quit && !Closed) {
    Guarded([] { gGame->Render(); });
    if (gGame->FrameCount < INT32_MAX) ++gGame->FrameCount;
    if (++Frame == StallFrame) {
      if (gLog) gLog->AddLine("TTarnovaForm->RunMainLoop->Frame " + std::to_string(Frame) + " stalls for the test");
      for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ProcessMessages();
  }
}

void TTarnovaForm::ProcessMessages() {
  if (gTerminationSignal.load() != 0) Close();
  if (Host.IsOpen()) Host.PumpEvents([this](const TWindowEvent& E) { Guarded([&] { HandleEvent(E); }); });
  const double Now = NowMilliseconds();
  Guarded([&] { FPSTimer.Poll(Now); });
  if (gGame) Guarded([&] { gGame->RoundTimer.Poll(Now); });
}

void TTarnovaForm::Guarded(const std::function<void()>& Step) {
  try {
    Step();
  } catch (const std::exception& E) {
    ApplicationEventsException(&E);
  } catch (...) {
    ApplicationEventsException(nullptr);
  }
}

void TTarnovaForm::HandleEvent(const TWindowEvent& E) {
  if (!gGame) return;
  switch (E.Kind) {
    case TWindowEvent::MouseMove:
      gGame->MouseMove(E.Shift, E.X, E.Y);
      break;
    case TWindowEvent::MouseDown:
      if (E.Button == 1 && E.Clicks >= 2) {
        // The second press of a double click: no click follows it, so a command does not run twice.
        gGame->DblClick();
        SecondPressOfDoubleClick = true;
      } else if (E.Button == 1) {
        SecondPressOfDoubleClick = false;
      }
      gGame->MouseDown(E.Button, E.Shift, E.X, E.Y);
      break;
    case TWindowEvent::MouseUp:
      gGame->MouseUp(E.Button, E.Shift, E.X, E.Y);
      if (E.Button == 1 && !SecondPressOfDoubleClick) gGame->Click();
      if (E.Button == 1) SecondPressOfDoubleClick = false;
      break;
    case TWindowEvent::MouseWheel:
      gGame->MouseWheel(E.Shift, E.WheelDelta, E.X, E.Y);
      break;
    case TWindowEvent::KeyDown:
      FormKeyDown(E.Key, E.Shift);
      break;
    case TWindowEvent::Resize:
      FormResize(E.X, E.Y);
      break;
    case TWindowEvent::Close:
      FormClose();
      break;
    default:
      break;
  }
}

void TTarnovaForm::FormKeyDown(std::uint16_t Key, std::uint8_t Shift) {
  if (!gGame) return;
  // Escape ends the intro; in every other state only the game's key handling sees it.
  if (Key == VK_ESCAPE && gGame->State == gsIntro) gGame->SwitchState(gsMainMenu);
  if (Key == VK_F10) gGame->SaveScreenShot();
  gGame->KeyDown(Key, Shift);
}

void TTarnovaForm::FormClose() {
  if (!gGame) return;
  if (gGame->State == gsEarthView && gInGameGUI->GetWindow("messagedlg_quit")) {
    gInGameGUI->BringToFront("messagedlg_quit");
    gInGameGUI->SetModalWindow("messagedlg_quit");
    return;
  }
  gGame->Quit = true;
}

void TTarnovaForm::Close() {
  Closed = true;
  if (gGame) gGame->Quit = true;
}

void TTarnovaForm::FormResize(int Width, int Height) {
  for (TGLGUI* GUI : {gInGameGUI.get(), gMainMenuGUI.get(), gNationSelectGUI.get()})
    GUI->ClientSize = TIntPair{Width, Height};
}

void TTarnovaForm::FPSTimerTimer() {
  if (!gGame) return;
  gGame->FPS = gGame->FrameCount;
  gGame->FrameCount = 0;
}

void TTarnovaForm::ApplicationEventsException(const std::exception* E) {
  const std::vector<std::string> Report =
      ExceptionReport(E ? ExceptionTypeName(*E) : "unknown", E ? E->what() : "unknown exception");
  if (HandlingException || ExceptionReported) {
    // Reported once: a fault that repeats every frame does not open a dialog per frame.
    if (gLog) gLog->AddColoredLine("A further exception occured :" + Report[6], kRed, TLogStyle::Bold);
    Close();
    return;
  }
  HandlingException = true;
  TErrorDialog Dialog;
  Dialog.MemoErrorReport = Report;
  if (gLog) {
    gLog->AddColoredLine("An access violation occured during run-time :", kRed, TLogStyle::Bold);
    for (const std::string& Line : Report) gLog->AddLine(Line);
    gLog->Sync();
  }
  FPSTimer.SetEnabled(false);
  Dialog.LabelGameSavedVisible = false;
  if (gGame && gGame->GameRunning) {
    // Under the first free number: a crash save never replaces a savegame on disk. The handler
    // runs once per program run, so there is at most one.
    const std::string SaveName = "Crash recovery " + ShortDateText() + " - " + LongTimeText();
    try {
      if (gGame->SaveToXML(NextFreeSaveGame(gSaveGamePath).string(), SaveName)) {
        Dialog.LabelGameSaved = "Note : Your current game has been saved as \"" + SaveName + "\"";
        Dialog.LabelGameSavedVisible = true;
      }
    } catch (const std::exception& SaveError) {
      if (gLog) gLog->AddColoredLine(std::string("The crash recovery save failed : ") + SaveError.what(), kRed,
                                     TLogStyle::Bold);
    }
  }
  Dialog.ShowModal();
  ExceptionReported = true;
  HandlingException = false;
  ExitCode = 1;
  Close();
}
