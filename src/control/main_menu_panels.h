#pragma once
// The main menu's resolution list: which display modes the options panel offers.
#include <vector>

#include "platform/window_host.h"

class TGLListBox;
struct TGameSettings;

// Fills List with the offered modes of 32 bits per pixel and at least 800 x 600, in the order
// offered (duplicates kept), captioned "1024x768[60 Hz]", each row's data the index of its mode
// in the returned list. The last mode equal to the configured size and rate is selected; with
// none the list has no selection.
std::vector<TDisplayMode> FillResolutionList(TGLListBox& List, const std::vector<TDisplayMode>& Offered,
                                             const TGameSettings& Settings);
