#include "presentation/window_view3d.h"

#include "engine/gl_api.h"
#include "gui/gui_item.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "platform/rounding.h"

TDeviceRect WindowItemDeviceRect(float WindowX, float WindowY, float ItemX, float ItemY, float ItemWidth,
                                 float ItemHeight, float Inset, int ClientWidth, int ClientHeight, int ScreenWidth,
                                 int ScreenHeight) {
  const double Sx = ScreenWidth > 0 ? double(ClientWidth) / ScreenWidth : 1.0;
  const double Sy = ScreenHeight > 0 ? double(ClientHeight) / ScreenHeight : 1.0;
  TDeviceRect R;
  R.X = RoundToInt((double(WindowX) + ItemX + Inset) * Sx);
  R.Width = RoundToInt((double(ItemWidth) - 2.0 * Inset) * Sx);
  R.Height = RoundToInt((double(ItemHeight) - 2.0 * Inset) * Sy);
  R.Y = ClientHeight - RoundToInt((double(WindowY) + ItemY + Inset) * Sy) - R.Height;
  if (R.Width < 0) R.Width = 0;
  if (R.Height < 0) R.Height = 0;
  return R;
}

namespace {
void ClientAndScreen(const TGLWindow& Window, int& Cw, int& Ch, int& Sw, int& Sh) {
  Cw = Sw = Window.Owner ? Window.Owner->ScreenWidth : 1024;
  Ch = Sh = Window.Owner ? Window.Owner->ScreenHeight : 768;
  if (Window.Owner && Window.Owner->ClientSize.X > 0 && Window.Owner->ClientSize.Y > 0) {
    Cw = Window.Owner->ClientSize.X;
    Ch = Window.Owner->ClientSize.Y;
  }
}
}  // namespace

TDeviceRect WindowItemDeviceRect(const TGLWindow& Window, const TGLGUIItem& Item, float Inset) {
  int Cw, Ch, Sw, Sh;
  ClientAndScreen(Window, Cw, Ch, Sw, Sh);
  return WindowItemDeviceRect(Window.X, Window.Y, Item.Position.X, Item.Position.Y, float(Item.GetWidth()),
                              float(Item.GetHeight()), Inset, Cw, Ch, Sw, Sh);
}

void BeginWindowView3D(const TGLWindow& Window, const TGLGUIItem& Item, float ViewportInset, float ScissorInset) {
  const TDeviceRect V = WindowItemDeviceRect(Window, Item, ViewportInset);
  const TDeviceRect S = WindowItemDeviceRect(Window, Item, ScissorInset);
  glViewport(V.X, V.Y, V.Width, V.Height);
  glScissor(S.X, S.Y, S.Width, S.Height);
  glEnable(GL_SCISSOR_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glClear(GL_DEPTH_BUFFER_BIT);
}

void EndWindowView3D(const TGLWindow& Window) {
  // The area's depth belongs to the GUI again: one quad at the window's depth, colour writes off.
  glClear(GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-5.0, 5.0, -5.0, 5.0, -512.0, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glBegin(GL_QUADS);
  glVertex3f(-5.0f, -5.0f, Window.Z);
  glVertex3f(-5.0f, 5.0f, Window.Z);
  glVertex3f(5.0f, 5.0f, Window.Z);
  glVertex3f(5.0f, -5.0f, Window.Z);
  glEnd();
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_SCISSOR_TEST);
  int Cw, Ch, Sw, Sh;
  ClientAndScreen(Window, Cw, Ch, Sw, Sh);
  glViewport(0, 0, Cw, Ch);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glEnable(GL_TEXTURE_2D);
}
