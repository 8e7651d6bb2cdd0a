#include "platform/window_host.h"

#include <SDL.h>

#include "platform/latin1.h"
#include "platform/virtual_keys.h"

TWindowHost::~TWindowHost() { Destroy(); }

namespace {
// The video drivers that show nothing; SDL picks them by itself when no display answers.
bool InvisibleDriverByDefault() {
  const char* Driver = SDL_GetCurrentVideoDriver();
  if (!Driver || SDL_GetNumVideoDisplays() < 1) return true;
  const char* Asked = SDL_getenv("SDL_VIDEODRIVER");
  if (Asked && *Asked) return false;
  return SDL_strcmp(Driver, "offscreen") == 0 || SDL_strcmp(Driver, "dummy") == 0;
}
}  // namespace


bool TWindowHost::Create(const TWindowOptions& Options, std::string* Error) {
  auto Fail = [&](const char* What) {
    if (Error) *Error = std::string(What) + ": " + SDL_GetError();
    Destroy();
    return false;
  };
  // SDL's own reason goes beside ours: "no display" alone hides a refused connection, a display
  // that is busy or a missing driver.
  auto NoDisplay = [&](const std::string& Why) {
    if (Error) *Error = std::string(kNoDisplayError) + " (" + Why + ")";
    Destroy();
    return false;
  };
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return NoDisplay(SDL_GetError());
  VideoStarted = true;
  if (InvisibleDriverByDefault()) {
    const char* Driver = SDL_GetCurrentVideoDriver();
    return NoDisplay(std::string("SDL found no display and took the video driver \"") + (Driver ? Driver : "none") +
                     "\", which shows nothing");
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  Uint32 Flags = SDL_WINDOW_OPENGL;
  Flags |= Options.Hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
  int X = SDL_WINDOWPOS_CENTERED, Y = SDL_WINDOWPOS_CENTERED, Width = Options.Width, Height = Options.Height;
  if (!Options.Windowed && !Options.Hidden) {
    // Maximised and borderless: without a window manager maximising does nothing, so the window
    // takes the desktop's size itself.
    Flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_MAXIMIZED;
    SDL_DisplayMode Desktop{};
    if (SDL_GetDesktopDisplayMode(0, &Desktop) == 0) {
      X = Y = 0;
      Width = Desktop.w;
      Height = Desktop.h;
    }
  }
  Window = SDL_CreateWindow(AnsiToUtf8(Options.Caption).c_str(), X, Y, Width, Height, Flags);
  if (!Window) return Fail("TWindowHost->Create->No window");
  Context = SDL_GL_CreateContext(Window);
  if (!Context) return Fail("TWindowHost->Create->No OpenGL context");
  SDL_GL_MakeCurrent(Window, Context);
  // Vertical sync off for the whole run, the loading screen first: a swap that waited for the
  // display on each of the start-up's hundreds of log lines would stretch the start by seconds.
  SDL_GL_SetSwapInterval(0);
  // Edits take their characters from key presses; no text events and no input-method window.
  SDL_StopTextInput();
  return true;
}

void TWindowHost::Destroy() {
  // The window goes with the display's mode of the full screen; SDL puts the desktop's back.
  FullScreen = false;
  if (Context) SDL_GL_DeleteContext(Context);
  Context = nullptr;
  if (Window) SDL_DestroyWindow(Window);
  Window = nullptr;
  if (VideoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  VideoStarted = false;
}

void TWindowHost::MakeCurrent() {
  if (Window && Context) SDL_GL_MakeCurrent(Window, Context);
}

void TWindowHost::SwapBuffers() {
  if (Window) SDL_GL_SwapWindow(Window);
}

int TWindowHost::SwapInterval() const { return Window && Context ? SDL_GL_GetSwapInterval() : -1; }

void TWindowHost::ClientSize(int& Width, int& Height) const {
  Width = Height = 0;
  if (Window) SDL_GL_GetDrawableSize(Window, &Width, &Height);
}

void TWindowHost::SetCaption(const std::string& Caption) {
  if (Window) SDL_SetWindowTitle(Window, AnsiToUtf8(Caption).c_str());
}

void TWindowHost::ShowCursor(bool Show) { SDL_ShowCursor(Show ? SDL_ENABLE : SDL_DISABLE); }

static std::uint8_t ShiftFromMods(Uint16 Mod, Uint32 Buttons) {
  std::uint8_t S = 0;
  if (Mod & KMOD_SHIFT) S |= ssShift;
  if (Mod & KMOD_ALT) S |= ssAlt;
  if (Mod & KMOD_CTRL) S |= ssCtrl;
  if (Buttons & SDL_BUTTON_LMASK) S |= ssLeft;
  if (Buttons & SDL_BUTTON_RMASK) S |= ssRight;
  if (Buttons & SDL_BUTTON_MMASK) S |= ssMiddle;
  return S;
}

void TWindowHost::PumpEvents(const std::function<void(const TWindowEvent&)>& Handler) {
  // Everything pending is taken at once; of a run of mouse moves only the last is handed on:
  // each move may cost a picking pass, and on a slow frame dozens pile up behind one frame.
  std::vector<TWindowEvent> Pending;
  SDL_Event E;
  while (SDL_PollEvent(&E)) {
    TWindowEvent W;
    int MX = 0, MY = 0;
    Uint32 Buttons = SDL_GetMouseState(&MX, &MY);
    W.Shift = ShiftFromMods(SDL_GetModState(), Buttons);
    switch (E.type) {
      case SDL_QUIT:
        W.Kind = TWindowEvent::Close;
        break;
      case SDL_WINDOWEVENT:
        if (E.window.event == SDL_WINDOWEVENT_CLOSE) {
          W.Kind = TWindowEvent::Close;
        } else if (E.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          W.Kind = TWindowEvent::Resize;
          ClientSize(W.X, W.Y);
        } else {
          continue;
        }
        break;
      case SDL_MOUSEMOTION:
        W.Kind = TWindowEvent::MouseMove;
        W.X = E.motion.x;
        W.Y = E.motion.y;
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        W.Kind = E.type == SDL_MOUSEBUTTONDOWN ? TWindowEvent::MouseDown : TWindowEvent::MouseUp;
        W.X = E.button.x;
        W.Y = E.button.y;
        W.Button = E.button.button == SDL_BUTTON_LEFT ? 1 : E.button.button == SDL_BUTTON_MIDDLE ? 2 : 3;
        W.Clicks = E.button.clicks;
        break;
      case SDL_MOUSEWHEEL:
        W.Kind = TWindowEvent::MouseWheel;
        W.X = MX;
        W.Y = MY;
        W.WheelDelta = 120 * (E.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -E.wheel.y : E.wheel.y);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        W.Kind = E.type == SDL_KEYDOWN ? TWindowEvent::KeyDown : TWindowEvent::KeyUp;
        W.Key = VirtualKeyFromSDL(E.key.keysym.sym);
        W.Shift = ShiftFromMods(E.key.keysym.mod, Buttons);
        if (W.Key == 0) continue;
        break;
      default:
        continue;
    }
    AddPendingEvent(Pending, W);
  }
  for (const TWindowEvent& Event : Pending) Handler(Event);
}

void AddPendingEvent(std::vector<TWindowEvent>& Pending, const TWindowEvent& Event) {
  if (Event.Kind == TWindowEvent::MouseMove && !Pending.empty() && Pending.back().Kind == TWindowEvent::MouseMove)
    Pending.back() = Event;
  else
    Pending.push_back(Event);
}

void TWindowHost::SetClientSize(int Width, int Height) {
  if (Window) SDL_SetWindowSize(Window, Width, Height);
}

int TWindowHost::SetFullScreenMode(int Width, int Height, int BitsPerPixel, int Frequency) {
  if (!Window) return -1;
  int Display = SDL_GetWindowDisplayIndex(Window);
  if (Display < 0) Display = 0;
  // Only the exact mode counts: the closest mode SDL would pick may be another size entirely.
  const int N = SDL_GetNumDisplayModes(Display);
  for (int i = 0; i < N; ++i) {
    SDL_DisplayMode M{};
    if (SDL_GetDisplayMode(Display, i, &M) != 0) continue;
    if (M.w != Width || M.h != Height || static_cast<int>(SDL_BYTESPERPIXEL(M.format)) * 8 != BitsPerPixel) continue;
    if (Frequency != 0 && M.refresh_rate != 0 && M.refresh_rate != Frequency) continue;
    if (SDL_SetWindowDisplayMode(Window, &M) != 0 || SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN) != 0)
      return -1;
    FullScreen = true;
    return 0;
  }
  return -2;
}

void TWindowHost::RestoreDisplayMode() {
  if (Window) SDL_SetWindowFullscreen(Window, 0);
  FullScreen = false;
}

std::vector<TDisplayMode> TWindowHost::DisplayModes() const {
  std::vector<TDisplayMode> Modes;
  int Display = Window ? SDL_GetWindowDisplayIndex(Window) : 0;
  if (Display < 0) Display = 0;
  int N = SDL_GetNumDisplayModes(Display);
  for (int i = 0; i < N; ++i) {
    SDL_DisplayMode M;
    if (SDL_GetDisplayMode(Display, i, &M) == 0)
      Modes.push_back({M.w, M.h, static_cast<int>(SDL_BYTESPERPIXEL(M.format)) * 8, M.refresh_rate});
  }
  return Modes;
}
