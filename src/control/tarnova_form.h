#pragma once
// The main window: creates the game object, runs the main loop, routes the window's input to the
// game object, counts frames per second and catches every exception that reaches it.
#include <signal.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/window_host.h"

class TGameView;
struct TWindowEvent;

class TTarnovaForm {
public:
  TWindowHost Host;
  std::vector<std::string> Args;  // the command line, the program first
  std::string Caption;
  int ClientWidth = 800, ClientHeight = 605;
  TPollTimer FPSTimer;
  // Makes the presentation for the game object; none runs without drawing (tests).
  std::function<std::unique_ptr<TGameView>()> MakeView;
  // The process exit code: not 0 after a start-up failure or an exception.
  int ExitCode = 0;
  // Test programs only: runs after each frame of the main loop with the frame's number (from 1).
  std::function<void(long Frame)> AfterFrame;
  // Test programs only: the extension string the game takes in place of the OpenGL
  // implementation's own (given), to meet an implementation that lacks one.
  std::function<std::string(const std::string& Extensions)> GLExtensions;

  explicit TTarnovaForm(std::vector<std::string> Arguments);
  ~TTarnovaForm();
  TTarnovaForm(const TTarnovaForm&) = delete;
  TTarnovaForm& operator=(const TTarnovaForm&) = delete;

  // Caption, client size, the "-windowed" and "-widescreendebug" switches and the globals the
  // window sets; seeds the random generator. Blocks SIGTERM and SIGINT (for the life of the form)
  // before any thread starts: the termination watch alone takes them.
  void FormCreate();
  // Creates the game object, runs the main loop, frees the game object; returns ExitCode.
  int Run();
  void InitTimerTimer();
  void RunMainLoop();
  // Delivers pending window events and due timers.
  void ProcessMessages();

  void FormKeyDown(std::uint16_t Key, std::uint8_t Shift);
  void FormClose();
  void FormResize(int Width, int Height);
  void FPSTimerTimer();
  void HandleEvent(const TWindowEvent& Event);

  // Opens the window with its GL context at the client size (bordered when windowed).
  bool CreateWindow(bool Windowed, std::string* Error);
  void SetClientSize(int Width, int Height);
  // The drawable size of the window (the client size before it exists).
  void ClientSize(int& Width, int& Height) const;
  void SwapBuffers() { Host.SwapBuffers(); }
  // The window's title bar text (kept for a window opened later).
  void SetCaption(const std::string& Text);
  // Ends the program after the current frame without asking (start-up failures, crashes).
  void Close();
  bool IsClosed() const { return Closed; }

  // The game's last writes (the settings file, the display mode) have one writer: the game's
  // shut-down or, when the game's thread does not answer a termination signal in time, the
  // termination watch. The game's thread runs each of them through RunEndStep, which waits while
  // the watch writes and runs nothing (false) once the watch has taken the end over.
  bool RunEndStep(const std::function<void()>& Step);
  // What the termination watch does before it ends the process: takes the end over, writes the
  // settings file while the game object is in its main loop, puts the desktop's display mode
  // back and closes the log with a line that names Signal.
  void TakeOverTheEnd(int Signal);

  // Reports an exception that reached the window: the error dialog and the log, once; then the
  // program shuts down in order. A second exception while one is reported is only logged.
  void ApplicationEventsException(const std::exception* E);

  // Where the game object is in its life, as the termination watch sees it.
  enum class TFormPhase : std::uint8_t {
    Running,   // start-up and main loop: the watch may write the settings the game object holds
    ShutDown,  // the game object shuts down and writes the settings itself
  };

private:
  double StartTime = 0.0;
  bool Closed = false;
  bool HandlingException = false;
  bool ExceptionReported = false;
  bool SecondPressOfDoubleClick = false;
  // Read by the termination watch, which runs beside the main loop. Changed under EndLock, as
  // gGame is made and freed: under the lock the watch may use the game object while Running.
  std::atomic<TFormPhase> Phase{TFormPhase::Running};
  std::atomic<bool> StopWatch{false};
  // The watch sleeps until a signal comes; after one it waits on WatchChanged (under WatchLock)
  // for the phase to change or for the form to stop it.
  std::mutex WatchLock;
  std::condition_variable WatchChanged;
  std::timed_mutex EndLock;
  bool EndTakenOver = false;  // under EndLock
  // The signal the watch took; the main loop ends after its frame.
  std::atomic<int> TerminationSignal{0};
  sigset_t SavedSignalMask{};
  bool SignalsBlocked = false;
  // Ends the process when a termination signal is not answered by the main loop in time.
  void TerminationWatch();
  // Phase or StopWatch changes, and the watch is told.
  void SetPhase(TFormPhase NewPhase);
  void StopTheWatch(std::thread& Watch);
  // Runs Step; an exception goes to the exception handler.
  void Guarded(const std::function<void()>& Step);
};
