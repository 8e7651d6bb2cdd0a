#pragma once
// The nation selection: the nation's sky, a small globe and the five nation symbols mirrored in
// the sea, the selection GUI, and beside the history the nation's name and base factors.
#include <string>

#include "engine/vectors.h"

class TGame;
struct TViewState;

void RenderNationSelection(TGame& Game, const TViewState& View);
// The five symbols in the picking colours: place i in red (5 + 5 i) / 255, whichever nation
// stands there; the caller reads the pixel under the mouse.
void RenderNationSymbolPickColors(TGame& Game);
// The place whose picking colour this is, or -1.
int NationSymbolPlaceOfColor(int Red, int Green, int Blue);

// A base factor as the selection shows it: "+10%" above 1, "-15%" below, "±0%" at exactly 1,
// green where it helps the nation, red where it hurts, white when neutral (pollution counts
// the other way round).
struct TFactorLine {
  std::string Value;
  TVector3 Color;
};
TFactorLine FormatBaseFactor(float Factor, bool LessIsBetter);
// The nation's name is printed at this size, whatever its length: the names of the data set are
// short enough to end before the "History" heading, which starts 190 pixels right of the name.
constexpr float kNationNameSize = 1.5f;
