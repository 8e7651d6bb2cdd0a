#pragma once
#include <set>
#include <string>

// Mouse and screen state shared by the GUI toolkit and the game's input handling. The GUI's two
// fonts (gGUIFont for every control's text, gLCDFont for game displays) are engine instances and
// live in engine/engine_globals.h; the toolkit reaches them through gui/gui_services.h.

// How window-definition files treat an element, attribute, row or part type the format does not
// know: false (the game) logs one warning line and the file still loads, true (tests and the
// fuzz target set it) makes it an EDataError.
extern bool gStrictWindowDefinitions;
// The on-demand pictures that could not be loaded, so they are not looked for again: written by
// LoadOnDemandPicture only; the data set does not change while the program runs.
extern std::set<std::string> gMissingPictures;

// The mouse in GUI pixels; written by the game's mouse-move handler, read by every hit test.
extern int gMouseX;
extern int gMouseY;
// Set while the left button is down (game control writes it); the list box arrows repeat on it.
extern bool gLeftMouseDown;
// A left press since the last frame and where it was (GUI pixels). Game control sets it at the
// press and clears it after each frame, so the controls that act on a held button also act on a
// press that was released before the next frame was drawn: input does not hang on the frame rate.
extern bool gLeftMousePressed;
extern int gLeftPressMouseX;
extern int gLeftPressMouseY;
// Set while the right button is down; game control writes it.
extern bool gRightButtonDown;
// Width in GUI pixels of the virtual GUI screen (height 768, the width in the client area's
// proportion); set by game control at start-up before any window file is loaded; the toolkit
// never writes it.
extern int gGUIScreenWidth;
// Height of the virtual GUI screen in GUI pixels (768); set by game control with the width.
extern int gGUIScreenHeight;
// Horizontal stretch of wide screens; 1.0 from the main window's creation.
extern double gWidescreenFactor;

#include "engine/vectors.h"

class TGLEdit;

// The edit that receives key strokes, or none. Game control empties it at the start of every
// click; the window's click handler sets it. It only observes: whoever frees an edit that is
// focused (a window being cleared or destroyed) must empty it first.
extern TGLEdit* gFocusedEdit;
// Default text colour of texts, list boxes and edits: (249, 249, 146) / 255. Never written.
extern const TVector3 gDefaultTextColor;

#include <memory>

class TGLGUI;

// The six GUI managers, one per game state. Created when the program starts (before the game
// object), in this order, and freed at program end; game control loads their layouts and windows
// at start-up and drives them from its render and input handlers. Nobody replaces them but tests.
extern std::unique_ptr<TGLGUI> gInGameGUI;        // 0, earth view (running game)
extern std::unique_ptr<TGLGUI> gNationSelectGUI;  // 1, nation selection
extern std::unique_ptr<TGLGUI> gBattleFieldGUI;   // 2, battlefield
extern std::unique_ptr<TGLGUI> gMainMenuGUI;      // 3, main menu
extern std::unique_ptr<TGLGUI> gIntroGUI;         // 4, intro
extern std::unique_ptr<TGLGUI> gEndGameGUI;       // 5, end of game
