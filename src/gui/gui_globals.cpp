#include "gui/gui_globals.h"

bool gStrictWindowDefinitions = false;
std::set<std::string> gMissingPictures;
int gMouseX = 0;
int gMouseY = 0;
bool gLeftMouseDown = false;
bool gLeftMousePressed = false;
int gLeftPressMouseX = 0;
int gLeftPressMouseY = 0;
bool gRightButtonDown = false;
int gGUIScreenWidth = 1024;
int gGUIScreenHeight = 768;
double gWidescreenFactor = 1.0;

TGLEdit* gFocusedEdit = nullptr;
const TVector3 gDefaultTextColor{249.0f / 255.0f, 249.0f / 255.0f, 146.0f / 255.0f};
