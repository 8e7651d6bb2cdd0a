#pragma once
// The scene of the running game (game state 0): the nation's sky and landscape, the globe, the
// water discs with their reflections, the in-game GUI with its heads-up display and the hot-seat
// round timer.
#include <cstdint>
#include <string>

#include "presentation/backdrop_image.h"
#include "presentation/pass_timer.h"

class TGame;
class TGLGUIItem;

// What the earth view keeps from frame to frame; the game view owns it.
struct TEarthViewState {
  // The round-timer panel, the in-game base window's third skinned control: looked up once after
  // the layouts load (FindRoundTimerPanel); none when the layout lacks it.
  TGLGUIItem* RoundTimerPanel = nullptr;
  // Frames left until the next refresh of the water reflections.
  std::int32_t ReflectionUpdateCountdown = 0;
  // The sky of the frame and of the reflections (the reflection textures' size).
  TBackdropImage Sky;
  TBackdropImage ReflectionSky;
  // The timing of the frame's passes while the performance timer is on.
  TPassTimer Passes;
};
// The round-timer panel of the loaded in-game layout; a layout without it is logged once.
TGLGUIItem* FindRoundTimerPanel();

// Where the player's landscape lies under the globe, at the camera's distance (multiplies the
// model-view matrix).
void LandscapePlace();
// Counts a frame down to the next reflection refresh: true every Rate-th call starting with the
// first (every call for a rate below 2), the countdown then set back to Rate.
bool ReflectionRefreshDue(std::int32_t& Countdown, std::int32_t Rate);
// "mm:ss" of a hot-seat turn's seconds left; red in the last ten seconds.
std::string RoundTimerText(std::int32_t SecondsLeft);
bool RoundTimerRed(std::int32_t SecondsLeft);

void RenderEarthView(TGame& Game, TEarthViewState& View);
