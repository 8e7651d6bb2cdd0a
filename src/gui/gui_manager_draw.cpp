// Drawing of a GUI manager: every visible window back to front, the modal one over a dimming quad.
#include "gui/gui_manager.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/perf_timer.h"

// The skin's pieces are drawn at their own size or larger, the frame's border strips and corners
// at half their size. Sampled from the full-size level alone, a software rasteriser fills the
// windows (most of the interface's pixels, several layers deep) about a fifth faster; at half size
// the texels under a pixel are the ones the next level averages, so the borders look the same.
void TGLGUI::FilterSkinTextures() {
  if (FilteredSkinTextures == SkinTextures) return;
  GLint Bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
  for (std::uint32_t T : SkinTextures)
    if (T != 0 && glIsTexture(T)) {
      glBindTexture(GL_TEXTURE_2D, T);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(Bound));
  FilteredSkinTextures = SkinTextures;
}

void TGLGUI::Render() {
  if (gPerfTimer) gPerfTimer->Clear();
  if (ModalWindow && !ModalWindow->Visible) ModalWindow = nullptr;
  glActiveTexture(GL_TEXTURE0);
  FilterSkinTextures();
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  // Windows and their items are painted in order, back to front, whatever depth test the scene
  // left on: a window's own drawing printed at its panel's depth (below the panel's face) still
  // shows, and nothing of the 3D scene behind can cut into a window. The 3D views inside windows
  // switch the test on for themselves.
  const bool DepthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
  glDisable(GL_DEPTH_TEST);
  for (std::size_t I : DepthOrder(false)) {
    TGLWindow& W = *Windows[I];
    if (!W.Visible) continue;
    if (&W == ModalWindow) {
      glDisable(GL_TEXTURE_2D);
      glEnable(GL_BLEND);
      glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
      const float Z = W.Z - 0.1f;
      glBegin(GL_QUADS);
      glVertex3f(0.0f, 0.0f, Z);
      glVertex3f(0.0f, static_cast<float>(ScreenHeight), Z);
      glVertex3f(static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight), Z);
      glVertex3f(static_cast<float>(ScreenWidth), 0.0f, Z);
      glEnd();
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      glEnable(GL_TEXTURE_2D);
    }
    W.Render();
  }
  if (DepthTest) glEnable(GL_DEPTH_TEST);
}
