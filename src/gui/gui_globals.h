#pragma once
// Mouse and screen state shared by the GUI toolkit and the game's input handling.

// The mouse in GUI pixels; written by the game's mouse-move handler, read by every hit test.
extern int gMouseX;
extern int gMouseY;
// Set while the left button is down (game control writes it); the list box arrows repeat on it.
extern bool gLeftMouseDown;
// Width in GUI pixels of the virtual GUI screen (height 768); set by game control at start-up
// before any window file is loaded; the toolkit never writes it.
extern int gGUIScreenWidth;
// Horizontal stretch of wide screens; 1.0 from the main window's creation.
extern double gWidescreenFactor;
