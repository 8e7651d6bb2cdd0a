#pragma once
// A 3D view inside a window: the viewport and scissor box over a control of the window, in the
// main window's device pixels, its own projection, and the way back to the whole window with the
// view's area covered by a depth-only quad at the window's depth so the GUI drawn later in front
// of it is not hidden by what the 3D view left in the depth buffer.
#include <cstdint>

class TGLWindow;
class TGLGUIItem;

// A rectangle in device pixels, y from the bottom as GL counts it.
struct TDeviceRect {
  std::int32_t X = 0, Y = 0, Width = 0, Height = 0;
};

// The control's rectangle inset by Inset GUI pixels on each side, scaled from the GUI screen to
// the client area (halves to even). ClientHeight turns the top-down GUI rows into GL rows.
TDeviceRect WindowItemDeviceRect(float WindowX, float WindowY, float ItemX, float ItemY, float ItemWidth,
                                 float ItemHeight, float Inset, int ClientWidth, int ClientHeight, int ScreenWidth,
                                 int ScreenHeight);
TDeviceRect WindowItemDeviceRect(const TGLWindow& Window, const TGLGUIItem& Item, float Inset);

// Viewport over the control inset by ViewportInset, scissor box inset by ScissorInset; the
// projection and model-view matrices are pushed and reset, the depth of the area cleared.
void BeginWindowView3D(const TGLWindow& Window, const TGLGUIItem& Item, float ViewportInset, float ScissorInset);
// Clears the depth of the area, writes a depth-only quad at the window's depth, switches the
// scissor test off, restores the whole-window viewport and pops both matrices.
void EndWindowView3D(const TGLWindow& Window);
