#pragma once
// The turning model on a mirror disc that the unit build and building construction windows show
// inside a panel, and the name plate and value frames drawn under it.
#include <functional>
#include <string>

class TGLWindow;
struct TViewState;
class TGLGUIItem;

// Draws the preview into Panel of Window: Model (may be empty) lit, turned by Rotation degrees
// about the upright axis, its mirror image on a stencil disc and the shared soft shadow. Rotation
// advances by 0.01 degrees per millisecond of the last frame. Normalize keeps normals rescaled
// (the building models); LitReflection draws the mirror image lit as well (else it is unlit). The
// shared shadow is kept in View.
void DrawTurningPreview(TViewState& View, const TGLWindow& Window, const TGLGUIItem& Panel, const std::string& Model,
                        float& Rotation, bool Normalize, float ModelLift, bool LitReflection);
// Pushes the matrix into Window's frame moved down by 40 and draws there the name plate under the
// preview and the two translucent value frames (the left at x 15, LeftWidth wide; the right at
// RightX, RightWidth wide) with white colour left set. The caller prints the values and pops the
// matrix.
void BeginPreviewCaption(const TGLWindow& Window, const std::string& Name, float LeftWidth, float RightX,
                         float RightWidth);
// Values right-aligned so their right edge is at X.
void PrintRightAligned(const std::string& Text, float X, float Y);
