#include "gui/gui_globals.h"

int gMouseX = 0;
int gMouseY = 0;
bool gLeftMouseDown = false;
int gGUIScreenWidth = 1024;
double gWidescreenFactor = 1.0;
