#pragma once
// The turning model on a mirror disc that the unit build and building construction windows show
// inside a panel, and the name plate and value frames drawn under it.
#include <functional>
#include <string>

class TGame;
class TGLWindow;
class TGLGUIItem;

// Draws the preview into Panel of Window: Model (may be empty) lit, turned by Rotation degrees
// about the upright axis, its mirror image on a stencil disc and the shared soft shadow. Rotation
// advances by 0.01 degrees per millisecond of the last frame. Normalize keeps normals rescaled
// (the building models).
void DrawTurningPreview(TGame& Game, const TGLWindow& Window, const TGLGUIItem& Panel, const std::string& Model,
                        float& Rotation, bool Normalize, float ModelLift);
// The name plate under the preview, in the window's frame moved down by 40.
void DrawNamePlate(const std::string& Text);
// Values right-aligned so their right edge is at X.
void PrintRightAligned(const std::string& Text, float X, float Y);
