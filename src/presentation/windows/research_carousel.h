#pragma once
// The research window's ring of technology cards: picking a card by its colour under the mouse,
// turning the ring the shorter way to it, and drawing cards, mirror images and name bands into
// the window's "panel_3dview". The pure parts are separate so they can be checked without GL.
#include <array>
#include <cstdint>
#include <functional>

class TGame;
struct TViewState;

// The pick colour of card Index: (15, 0, 0), then red, green and blue raised by 15 up to 240 in
// turn; from the 48th card on every card has (240, 240, 240).
std::array<std::uint8_t, 3> CarouselPickColor(std::int32_t Index);
// The first of Count cards whose pick colour is Rgb, -1 for none.
std::int32_t CarouselDecodePick(const std::array<std::uint8_t, 3>& Rgb, std::int32_t Count);
// The way to turn from Angle to Target in whole degrees: +1 or -1, +1 when both ways are equal.
float CarouselDirection(float Angle, float Target);
// One frame of the turn: the angle moves by Direction x FadeSpeed / 10 degrees, wraps into
// 0..360 and snaps to the target (Direction 0) within two steps of it.
void CarouselAnimStep(float& Angle, float& Direction, float Target, float FadeSpeed);

// Whether the left mouse button is down. The default asks the GUI's mouse state, which game
// control keeps from the window's button events; tests install their own.
using TMouseButtonQuery = std::function<bool()>;
TMouseButtonQuery SetCarouselButtonQuery(TMouseButtonQuery Query);

// The ring's pass inside the research window's drawing (the window's translation is on the
// model-view stack); restores viewport and matrices. Draws only: the result is the card that a
// press on the ring hit in the pick pass, -1 for none.
std::int32_t ResearchCarousel_Render(TGame& Game, TViewState& Ring);
// Chooses card Card of the ring: its technology becomes the selected one and the ring turns to
// it. No card (-1) or one the list no longer has chooses nothing.
void ResearchCarousel_Pick(TGame& Game, TViewState& Ring, std::int32_t Card);
// The animation step, run last in the window's drawing.
void ResearchCarousel_Animate(TViewState& Ring);
