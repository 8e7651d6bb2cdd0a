// The event batch of one frame: runs of mouse moves shrink to their last position, and every
// press, release and key keeps its place, so a click between two frames is never lost.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window_host.h"
#include "support/environment_swap.h"

namespace {
TWindowEvent Event(TWindowEvent::TKind Kind, int X, int Y) {
  TWindowEvent E;
  E.Kind = Kind;
  E.X = X;
  E.Y = Y;
  E.Button = Kind == TWindowEvent::MouseDown || Kind == TWindowEvent::MouseUp ? 1 : 0;
  return E;
}
std::string Trace(const std::vector<TWindowEvent>& Events) {
  std::string T;
  for (const TWindowEvent& E : Events) {
    static const char* Names[] = {"move", "down", "up", "wheel", "key", "keyup", "text", "resize", "close"};
    T += std::string(T.empty() ? "" : " ") + Names[E.Kind] + "@" + std::to_string(E.X) + "," + std::to_string(E.Y);
  }
  return T;
}
}  // namespace

TEST(WindowEvents, MovesShrinkToTheirLastPositionAndPressesKeepTheirPlace) {
  std::vector<TWindowEvent> Pending;
  for (const TWindowEvent& E : {Event(TWindowEvent::MouseMove, 1, 1), Event(TWindowEvent::MouseMove, 2, 2),
                                Event(TWindowEvent::MouseMove, 300, 200), Event(TWindowEvent::MouseDown, 300, 200),
                                Event(TWindowEvent::MouseUp, 300, 200), Event(TWindowEvent::MouseMove, 310, 205),
                                Event(TWindowEvent::MouseMove, 320, 210), Event(TWindowEvent::KeyDown, 0, 0),
                                Event(TWindowEvent::MouseMove, 5, 5)})
    AddPendingEvent(Pending, E);
  EXPECT_EQ(Trace(Pending), "move@300,200 down@300,200 up@300,200 move@320,210 key@0,0 move@5,5");
}

// A window that cannot open says why: SDL's own reason stands beside "no display" (a display that
// refuses the connection, one that is busy, a missing driver), here for a display nobody serves.
TEST(WindowHost, NoDisplayCarriesSDLsOwnReason) {
  const TEnvironmentSwap Display("DISPLAY", ":64999"), Wayland("WAYLAND_DISPLAY", nullptr),
      Driver("SDL_VIDEODRIVER", nullptr);
  TWindowHost Host;
  std::string Error;
  ASSERT_FALSE(Host.Create(TWindowOptions{}, &Error));
  EXPECT_FALSE(Host.IsOpen());
  const std::string Start = std::string(kNoDisplayError) + " (";
  ASSERT_EQ(Error.rfind(Start, 0), 0u) << Error;
  EXPECT_GT(Error.size(), Start.size() + 1) << Error;
  EXPECT_EQ(Error.back(), ')') << Error;
}
