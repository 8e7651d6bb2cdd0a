#pragma once
// The pictures of the running game's screen and of the main menu: the heads-up bar with its
// round command buttons, the system bar, the hot-seat round timer, the menu pictures with their
// labels in each language and the pictures that light a button under the mouse.
#include <map>
#include <string>

#include "raster.h"

// Name -> picture; FontFile is the TrueType font of the menu labels.
std::map<std::string, TCanvas> ScreenPictures(const std::string& FontFile);
