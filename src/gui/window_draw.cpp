// Drawing of a window: frame (a display list), title plate, close box, icon, caption, items.
#include "gui/window.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/perf_timer.h"
#include "gui/drop_down.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"

namespace {
// Upper edge at T0, lower edge at T1.
void Quad(float X0, float X1, float Y0, float Y1, float Z, float S0, float S1, float T0, float T1) {
  glTexCoord2f(S0, T0); glVertex3f(X0, Y0, Z);
  glTexCoord2f(S0, T1); glVertex3f(X0, Y1, Z);
  glTexCoord2f(S1, T1); glVertex3f(X1, Y1, Z);
  glTexCoord2f(S1, T0); glVertex3f(X1, Y0, Z);
}

void TitlePlate(float W, float Z) {
  Quad(-1, 102, -2, 28, Z, 0.0f, 0.5625f, 1.0f, 0.8203125f);
  Quad(102, W - 38, -2, 28, Z, 0.5625f, 0.75f, 1.0f, 0.8203125f);
  Quad(W - 38, W + 1, -2, 28, Z, 0.75f, 1.0f, 1.0f, 0.8203125f);
}

void Band(float W, float Y0, float Y1, float T0, float T1) {
  Quad(0, 63, Y0, Y1, 0, 0.0f, 0.5f, T0, T1);
  Quad(63, W - 32, Y0, Y1, 0, 0.5f, 0.75f, T0, T1);
  Quad(W - 32, W, Y0, Y1, 0, 0.75f, 1.0f, T0, T1);
}
}  // namespace

void TGLWindow::DrawFrame() {
  // The frame is recorded once and replayed; it is recorded again when the window's size
  // changed (a definition reloaded for another language) or the list went missing.
  if (DisplayList == 0 || !glIsList(DisplayList) || FrameWidth != Width || FrameHeight != Height) {
    if (DisplayList == 0 || !glIsList(DisplayList)) DisplayList = glGenLists(1);
    FrameWidth = Width;
    FrameHeight = Height;
    const float W = static_cast<float>(Width);
    const float H = static_cast<float>(Height);
    glNewList(DisplayList, GL_COMPILE);
    glActiveTexture(GL_TEXTURE0);
    GUIServices().BindTextureByID(SkinTextures[0]);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 0.8f);
    glBegin(GL_QUADS);
    Band(W, 0, 27, 0.0f, 0.2109375f);
    Quad(0, 6, 27, H, 0, 0.0f, 0.046875f, 0.7890625f, 0.2109375f);
    Quad(6, W - 7, 26, H, 0, 0.0703125f, 0.3046875f, 0.75f, 0.5f);
    Quad(W - 7, W, 27, H, 0, 0.9453125f, 1.0f, 0.7890625f, 0.2109375f);
    Band(W, H, H + 27, 0.2109375f, 0.0f);
    TitlePlate(W, 0.02f);
    glEnd();
    glEndList();
  }
  glCallList(DisplayList);
}

void TGLWindow::Render() {
  if (gPerfTimer) gPerfTimer->Start();
  auto& S = GUIServices();
  const float W = static_cast<float>(GetWidth());
  glPushMatrix();
  glTranslatef(X, Y, Z);
  if (!Fixed) {
    if (!Collapsed) {
      DrawFrame();
    } else {
      S.BindTextureByID(SkinTextures[0]);
      glEnable(GL_BLEND);
      glEnable(GL_TEXTURE_2D);
      glEnable(GL_ALPHA_TEST);
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      glBegin(GL_QUADS);
      TitlePlate(256.0f, 0.0f);
      glEnd();
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (Owner && Owner->ActiveWindow == this) {
      S.BindTextureByID(SkinTextures[0]);
      glEnable(GL_BLEND);
      glBlendFunc(GL_ONE, GL_ONE);
      glColor4f(1.0f, 1.0f, 1.0f, 0.3f);
      glBegin(GL_QUADS);
      TitlePlate(W, 0.02f);
      glEnd();
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 0.65f);
    glEnable(GL_BLEND);
    S.BindTextureByID(SkinTextures[0]);
    glBegin(GL_QUADS);
    Quad(W - 27, W - 2, 3, 28, 0.03f, 0.8125f, 0.921875f, 0.75f, 0.625f);
    glEnd();
    if (PointInRect(gMouseX, gMouseY, X + W - 27, Y + 3, X + W - 2, Y + 28) && IsWindowAtMouse()) {
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      glBegin(GL_QUADS);
      Quad(W - 27, W - 2, 3, 28, 0.035f, 0.8125f, 0.921875f, 0.75f, 0.625f);
      glEnd();
    }
    if (!Icon.empty()) {
      const int IconID = S.GetTextureInfo(Icon, tiGLID);
      if (IconID >= 0) {
        S.BindTextureByID(static_cast<unsigned>(IconID));
        glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
        glBegin(GL_QUADS);
        Quad(5, 29, 2, 26, 0.025f, 0.0f, 1.0f, 1.0f, 0.0f);
        glEnd();
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_QUADS);
        Quad(3, 27, 0, 24, 0.05f, 0.0f, 1.0f, 1.0f, 0.0f);
        glEnd();
      }
    }
    S.Print(Caption, TVector3{40.0f, 3.0f, 0.25f}, TVector3{1.0f, 1.0f, 1.0f}, 1.0f, 1.2f, false, true);
  }
  if (!Collapsed) {
    const float Fade = Owner ? Owner->FadeSpeed : 0.0f;
    // By index: an item's drawing never adds items, but game code in a handler might.
    // An unfolded drop-down comes last and over everything, so its rows cover the controls
    // below the field whatever their order and depth.
    auto Unfolded = [](const TGLGUIItem& Item) {
      const auto* D = dynamic_cast<const TGLDropDown*>(&Item);
      return D && D->Open && !D->Items.empty();
    };
    for (int Pass = 0; Pass < 2; ++Pass) {
      for (std::size_t I = 0; I < Items.size(); ++I) {
        TGLGUIItem& Item = *Items[I];
        if (!Item.Visible || Unfolded(Item) != (Pass == 1)) continue;
        if (Pass == 1) {
          glPushAttrib(GL_ENABLE_BIT);
          glDisable(GL_DEPTH_TEST);
        }
        Item.Render();
        if (Pass == 1) glPopAttrib();
        Item.FadeSpeed = Fade;
      }
    }
  }
  glPopMatrix();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_BLEND);
  if (OnRender && !Collapsed) OnRender();
  if (gPerfTimer) gPerfTimer->Stop("t" + Name);
}
