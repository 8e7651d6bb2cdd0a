#pragma once
// The earth view's heads-up display: the player's name, nation, round, resources with their
// tendency, staff and division counts, regions, loyalty, population and growth, printed into the
// HUD panel of the in-game screen (the base window's first skinned control).
#include <string>
#include <vector>

class TGame;
class TNation;

// A value with one decimal at three significant digits ("12.3", "1.2", "123.0"); above three
// digits before the point in scientific notation ("1.23E+003"); the point is the decimal
// separator of the user's locale ("12,3" in a German one).
std::string FormatHudNumber(double Value);

// One text of the display: anchored at X (its right end, or its centre), Y its top.
struct THudText {
  std::string Text;
  float X = 0.0f, Y = 0.0f, Size = 1.0f;
  bool Centred = false;
  bool BindFont = false;
};
// The texts for the panel at (X0, Y0) with the widescreen factor F, in drawing order; the
// resources text comes fourth. The name lines follow the panel; the value rows stand at fixed
// heights of the 768-high GUI screen.
std::vector<THudText> EarthViewHUDTexts(const TNation& Nation, float X0, float Y0, float F);

// The base window's render handler.
void EarthViewHUD_Render(TGame& Game);
