#pragma once
// The game's one window with its OpenGL context (compatibility profile: the drawing code uses
// immediate mode and display lists), the display modes, and the event pump of the main loop.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SDL_Window;

struct TDisplayMode {
  int Width = 0, Height = 0, BitsPerPixel = 0, Frequency = 0;
};

// One input or window event, in window pixels.
struct TWindowEvent {
  enum TKind { MouseMove, MouseDown, MouseUp, MouseWheel, KeyDown, KeyUp, Resize, Close } Kind = Close;
  int X = 0, Y = 0;            // mouse position, or the new client size for Resize
  int Button = 0;              // 1 left, 2 middle, 3 right
  int Clicks = 0;              // 2 for a double click
  int WheelDelta = 0;          // 120 per notch, positive away from the user
  std::uint16_t Key = 0;       // virtual-key code
  std::uint8_t Shift = 0;      // TShiftFlag bits
};

// Queues Event behind Pending; a mouse move right behind another replaces it, so a batch hands
// on the last position of each run of moves and every press, release and key in order.
void AddPendingEvent(std::vector<TWindowEvent>& Pending, const TWindowEvent& Event);

// The start of the error of TWindowHost::Create when no display can show the window; SDL's
// reason follows in brackets.
inline constexpr const char* kNoDisplayError = "TWindowHost->Create->No display";

struct TWindowOptions {
  std::string Caption = "Tarnova";
  int Width = 1024, Height = 768;
  bool Windowed = true;   // false: borderless and maximised, or full screen after SetFullScreenMode
  bool Hidden = false;    // tests draw into a hidden window
};

class TWindowHost {
public:
  TWindowHost() = default;
  ~TWindowHost();
  TWindowHost(const TWindowHost&) = delete;
  TWindowHost& operator=(const TWindowHost&) = delete;

  // Opens the window and makes its GL context current. False with Error set when there is no
  // display or no suitable context.
  // SDL falls back to drawing off screen when there is no display; the game would then run
  // unseen, so that fallback fails with kNoDisplayError unless it was asked for by name
  // (SDL_VIDEODRIVER).
  bool Create(const TWindowOptions& Options, std::string* Error = nullptr);
  void Destroy();
  bool IsOpen() const { return Window != nullptr; }
  // Makes this window's GL context the current one again (after another window took it).
  void MakeCurrent();

  // Shows the drawn frame at once: the swap does not wait for the display's vertical blank
  // (the loading screen swaps on every log line, and the main loop has no frame cap).
  void SwapBuffers();
  // Vertical blanks a swap waits for: 0 from Create on; -1 without a window.
  int SwapInterval() const;
  void ClientSize(int& Width, int& Height) const;
  void SetCaption(const std::string& Caption);
  void ShowCursor(bool Show);

  // Hands every pending event to Handler; returns at once when none is pending.
  void PumpEvents(const std::function<void(const TWindowEvent&)>& Handler);

  // Sets the client area (the window's size; the drawable may differ on high-density screens).
  void SetClientSize(int Width, int Height);

  // Switches to the display's mode of exactly Width x Height, 32 bits per pixel and Frequency
  // (0 takes any rate); 0 on success. A mode the display does not offer gives -2 and changes
  // nothing; a refused switch gives -1. The desktop mode comes back through RestoreDisplayMode
  // or when the window closes.
  int SetFullScreenMode(int Width, int Height, int BitsPerPixel, int Frequency);
  void RestoreDisplayMode();
  // A switch of SetFullScreenMode is in force (read from another thread too).
  bool DisplayModeChanged() const { return FullScreen.load(); }
  // Bits per pixel as the display stores them: a 24-bit colour format kept in 4 bytes counts 32.
  std::vector<TDisplayMode> DisplayModes() const;

private:
  SDL_Window* Window = nullptr;
  void* Context = nullptr;
  bool VideoStarted = false;
  std::atomic<bool> FullScreen{false};
};
