#pragma once
// What the game windows share: the player's nation and selected region, refusals as message
// boxes, success sounds, and the value display rules of the region windows.
#include <cstdint>
#include <string>

#include "engine/vectors.h"

class TGLWindow;
class TNation;
class TRegion;

// The window of that name in the in-game GUI; throws when it is not loaded.
TGLWindow& InGameWindow(const std::string& Name);
// The human player's nation; none before a game exists.
TNation* PlayerNation();
// The selected region when the player owns it, else none.
TRegion* SelectedPlayerRegion();

// A refused action: the modal message box with the localised text, the caption as given, the
// image from the on-demand pictures and the warning sound.
void Refuse(const std::string& TextKey, const std::string& Caption, const std::string& Image = "dialog_warning");
// Refuse with the localised hint caption.
void RefuseHint(const std::string& TextKey, const std::string& Image = "dialog_warning");
// A sound effect of a successful action (nothing without a sound system).
void PlayWindowSound(const std::string& Name);

// A region value with one significant digit and exactly one decimal ("0.6", "1.0", "-0.3");
// a value that rounds to ten or more in exponent form ("1E+01"). The point is the decimal
// separator of the user's locale ("0,6" in a German one).
std::string FormatRegionValue(float Value);

// The warning colour of a region value: red, yellow or white. The limits are compared as 32-bit
// floats, as the round rules compare them, so a value the rules took as high shows as high.
enum class TRegionValueKind { Energy, Pollution, Loyality };
TVector3 RegionValueColour(TRegionValueKind Kind, float Value);

// What the region diorama shows for a region's values.
struct TDioramaChoices {
  int Level = 1;              // background and street models 1..3 by population
  std::string WaterTexture;   // "setting_water" or "setting_water_dirty"
  bool Fog = false;           // pollution haze
  bool Dark = false;          // no power: dark ground and dim light
};
TDioramaChoices DioramaChoices(const TRegion& Region);

// The number after a fixed prefix of a row ID, -1 when there is none.
std::int32_t NumberAfterPrefix(const std::string& ID, const std::string& Prefix);
