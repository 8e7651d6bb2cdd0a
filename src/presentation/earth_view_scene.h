#pragma once
// The scene of the running game (game state 0): the nation's sky and landscape, the globe, the
// water discs with their reflections, the in-game GUI with its heads-up display and the hot-seat
// round timer.
#include <cstdint>
#include <string>

class TGame;

// Counts a frame down to the next reflection refresh: true every Rate-th call starting with the
// first (every call for a rate below 2), the countdown then set back to Rate.
bool ReflectionRefreshDue(std::int32_t& Countdown, std::int32_t Rate);
// "mm:ss" of a hot-seat turn's seconds left; red in the last ten seconds.
std::string RoundTimerText(std::int32_t SecondsLeft);
bool RoundTimerRed(std::int32_t SecondsLeft);

void RenderEarthView(TGame& Game);
