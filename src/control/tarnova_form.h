#pragma once
// The main window: creates the game object, runs the main loop, routes the window's input to the
// game object, counts frames per second and catches every exception that reaches it.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
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

  explicit TTarnovaForm(std::vector<std::string> Arguments);
  ~TTarnovaForm();
  TTarnovaForm(const TTarnovaForm&) = delete;
  TTarnovaForm& operator=(const TTarnovaForm&) = delete;

  // Caption, client size, the "-windowed" and "-widescreendebug" switches and the globals the
  // window sets; seeds the random generator.
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

  // Reports an exception that reached the window: the error dialog and the log, once; then the
  // program shuts down in order. A second exception while one is reported is only logged.
  void ApplicationEventsException(const std::exception* E);

private:
  double StartTime = 0.0;
  bool Closed = false;
  bool HandlingException = false;
  bool ExceptionReported = false;
  bool SecondPressOfDoubleClick = false;
  // 0 main loop, 1 shut-down; read by the termination watch, which runs beside the main loop.
  std::atomic<int> Phase{0};
  std::atomic<bool> StopWatch{false};
  // Ends the process when a termination signal is not answered by the main loop in time.
  void TerminationWatch();
  // Runs Step; an exception goes to the exception handler.
  void Guarded(const std::function<void()>& Step);
};
