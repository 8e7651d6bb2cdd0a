#include "control/tarnova_form.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <future>
#include <memory>
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

// SIGTERM and SIGINT end the program in order, whatever the game state: the main loop ends after
// the frame it is drawing. When that frame does not end (a fault that keeps the game's own code
// busy), the termination watch writes the settings, puts the display mode back, closes the log
// and ends the process itself, within a second of the signal.
// The waits add up to less than the second: the frame's or the shut-down's grace, then the last
// writes of the watch.
constexpr auto kFrameGrace = std::chrono::milliseconds(450);       // the frame may still end by itself
constexpr auto kShutDownGrace = std::chrono::milliseconds(600);    // the orderly shut-down may still end
constexpr auto kEndLockPatience = std::chrono::milliseconds(50);   // a last write of the game's thread
constexpr auto kRestorePatience = std::chrono::milliseconds(250);  // SDL's switch back to the desktop
constexpr int kLogPatience = 100;                                  // milliseconds for the log's last line

sigset_t TerminationSignals() {
  sigset_t Set;
  sigemptyset(&Set);
  sigaddset(&Set, SIGTERM);
  sigaddset(&Set, SIGINT);
  return Set;
}

// Sent to the watch alone (never to the process) when the form no longer needs it: the watch
// sleeps in sigwaitinfo until a termination signal or this one comes.
int WatchWakeSignal() { return SIGRTMIN; }

}  // namespace

TTarnovaForm::TTarnovaForm(std::vector<std::string> Arguments) : Args(std::move(Arguments)) {
  FPSTimer.Interval = 1000.0;
  FPSTimer.OnTimer = [this] { FPSTimerTimer(); };
}

TTarnovaForm::~TTarnovaForm() {
  if (SignalsBlocked) pthread_sigmask(SIG_SETMASK, &SavedSignalMask, nullptr);
}

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
  // Every thread started from here on (the watch, sound, decoders) inherits the blocked signals,
  // so none of them is interrupted by one and the watch alone takes them.
  if (!SignalsBlocked) {
    const sigset_t Signals = TerminationSignals();
    SignalsBlocked = pthread_sigmask(SIG_BLOCK, &Signals, &SavedSignalMask) == 0;
  }
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
  Phase = TFormPhase::Running;
  StopWatch = false;
  // The watch inherits the wake signal blocked, so it stays pending for it until it is taken;
  // the game's thread gets its mask back.
  sigset_t Wake, Saved;
  sigemptyset(&Wake);
  sigaddset(&Wake, WatchWakeSignal());
  pthread_sigmask(SIG_BLOCK, &Wake, &Saved);
  std::thread Watch([this] { TerminationWatch(); });
  pthread_sigmask(SIG_SETMASK, &Saved, nullptr);
  InitTimerTimer();
  // The window closes: the game object goes, and with it the GL context and the display mode.
  {
    std::lock_guard<std::timed_mutex> Guard(EndLock);
    SetPhase(TFormPhase::ShutDown);
  }
  Guarded([] { gGame->Destroy(); });
  gGame.reset();
  StopTheWatch(Watch);
  return ExitCode;
}

void TTarnovaForm::SetPhase(TFormPhase NewPhase) {
  {
    std::lock_guard<std::mutex> Guard(WatchLock);
    Phase = NewPhase;
  }
  WatchChanged.notify_all();
}

void TTarnovaForm::StopTheWatch(std::thread& Watch) {
  {
    std::lock_guard<std::mutex> Guard(WatchLock);
    StopWatch = true;
  }
  WatchChanged.notify_all();
  // A watch still asleep waits for signals: this one wakes it (pending until it is taken, so it
  // is not lost when the watch has not gone to sleep yet).
  pthread_kill(Watch.native_handle(), WatchWakeSignal());
  Watch.join();
}

void TTarnovaForm::TerminationWatch() {
  // Blocked here too for a form that runs without FormCreate (tests).
  const sigset_t Signals = TerminationSignals();
  pthread_sigmask(SIG_BLOCK, &Signals, nullptr);
  sigset_t Awaited = Signals;
  sigaddset(&Awaited, WatchWakeSignal());
  int Signal = 0;
  // Asleep until a signal comes; no timer wakes it. A wake signal the form did not send (one sent
  // to the process from outside) is passed over.
  while (!StopWatch) {
    siginfo_t Info{};
    const int Taken = sigwaitinfo(&Awaited, &Info);
    if (Taken == SIGTERM || Taken == SIGINT) {
      Signal = Taken;
      break;
    }
  }
  if (Signal == 0) return;
  TerminationSignal = Signal;
  const auto Since = std::chrono::steady_clock::now();
  {
    std::unique_lock<std::mutex> Guard(WatchLock);
    WatchChanged.wait_until(Guard, Since + kFrameGrace,
                            [this] { return StopWatch || Phase != TFormPhase::Running; });
    WatchChanged.wait_until(Guard, Since + kShutDownGrace,
                            [this] { return StopWatch || Phase != TFormPhase::ShutDown; });
    if (StopWatch) return;
  }
  // The game's thread did not come out of its frame (or its shut-down) in time. It keeps running
  // while this ends the process.
  TakeOverTheEnd(Signal);
  std::_Exit(128 + Signal);
}

bool TTarnovaForm::RunEndStep(const std::function<void()>& Step) {
  std::lock_guard<std::timed_mutex> Guard(EndLock);
  if (EndTakenOver) return false;
  Step();
  return true;
}

void TTarnovaForm::TakeOverTheEnd(int Signal) {
  std::string Done;
  // A last write of the game's thread that is under way may end first; one that takes longer is
  // left alone.
  std::unique_lock<std::timed_mutex> Guard(EndLock, std::defer_lock);
  if (Guard.try_lock_for(kEndLockPatience) && !EndTakenOver) {
    EndTakenOver = true;
    // SDL's switch back to the desktop waits for the display (a tenth of a second without a
    // window manager) and may wait for the connection the stuck thread holds: it runs beside the
    // settings, and the process ends without it when it does not return in time.
    std::future<void> Restored;
    if (Host.DisplayModeChanged()) {
      auto Back = std::make_shared<std::promise<void>>();
      Restored = Back->get_future();
      std::thread([this, Back] {
        Host.RestoreDisplayMode();
        Back->set_value();
      }).detach();
    }
    const auto Until = std::chrono::steady_clock::now() + kRestorePatience;
    // While the game runs the settings are not written yet (the shut-down writes them first of
    // all); the game object writes none before it has read the user's.
    if (Phase == TFormPhase::Running && gGame && gGame->WriteSettingsFile()) Done += ", settings saved";
    if (Restored.valid()) {
      const bool Back = Restored.wait_until(Until) == std::future_status::ready;
      Done += Back ? ", display settings restored" : ", the display settings did not come back";
    }
  }
  if (gLog)
    gLog->CloseFromOtherThread("TTarnovaForm->TerminationWatch->Signal " + std::to_string(Signal) +
                                   " while the game was busy, the game ends now" + Done,
                               kLogPatience);
}

void TTarnovaForm::InitTimerTimer() {
  StartTime = NowMilliseconds();
  auto Game = std::make_unique<TGame>(*this, MakeView ? MakeView() : nullptr);
  {
    std::lock_guard<std::timed_mutex> Guard(EndLock);
    gGame = std::move(Game);
  }
  Guarded([] { gGame->Create(); });
  if (gLog)
    gLog->AddColoredLine("Game started in " + std::to_string(static_cast<long long>((NowMilliseconds() - StartTime) / 1000.0)) +
                             " seconds",
                         kLogBlue, TLogStyle::Bold);
  // The log of the whole start-up is on disk before the first frame.
  if (gLog) gLog->Sync();
  RunMainLoop();
}

void TTarnovaForm::RunMainLoop() {
  long Frame = 0;
  while (!gGame->Quit && !Closed) {
    Guarded([] { gGame->Render(); });
    if (gGame->FrameCount < INT32_MAX) ++gGame->FrameCount;
    ++Frame;
    if (AfterFrame) AfterFrame(Frame);
    ProcessMessages();
  }
}

void TTarnovaForm::ProcessMessages() {
  if (TerminationSignal.load() != 0) Close();
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
    if (gLog) gLog->AddColoredLine("A further exception occured :" + Report[6], kLogRed, TLogStyle::Bold);
    Close();
    return;
  }
  HandlingException = true;
  TErrorDialog Dialog;
  Dialog.MemoErrorReport = Report;
  if (gLog) {
    gLog->AddColoredLine("An access violation occured during run-time :", kLogRed, TLogStyle::Bold);
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
      if (gLog) gLog->AddColoredLine(std::string("The crash recovery save failed : ") + SaveError.what(), kLogRed,
                                     TLogStyle::Bold);
    }
  }
  Dialog.ShowModal();
  ExceptionReported = true;
  HandlingException = false;
  ExitCode = 1;
  Close();
}
