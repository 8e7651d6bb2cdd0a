#include "presentation/backdrop_image.h"

#include "engine/gl_api.h"
#include "engine/log.h"

bool TBackdropImage::Make(int Width, int Height) {
  Free();
  // The caller has bound the backdrop's picture already; it stays bound.
  GLint Previous = 0, Bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &Previous);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
  glGenTextures(1, &Texture);
  glBindTexture(GL_TEXTURE_2D, Texture);
  // Only ever copied pixel for pixel: one level, no filtering.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, Width, Height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(Bound));
  glGenFramebuffers(1, &Framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, Texture, 0);
  const bool Complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(Previous));
  if (!Complete) {
    Free();
    return false;
  }
  ImageWidth = Width;
  ImageHeight = Height;
  return true;
}

bool TBackdropImage::Show(std::uint32_t Source, int Width, int Height, const std::function<void()>& Draw) {
  if (Unavailable || Width <= 0 || Height <= 0) return false;
  if (Framebuffer == 0 || ImageWidth != Width || ImageHeight != Height) {
    if (!Make(Width, Height)) {
      Unavailable = true;
      LogOnce("TBackdropImage->Show->No frame buffer for the backdrop, drawing it every frame");
      return false;
    }
  }
  GLint DrawTarget = 0, ReadTarget = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &DrawTarget);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &ReadTarget);
  if (!Valid || Shown != Source) {
    // Drawn over transparent black, as the frame's own clear leaves it, with only the state the
    // backdrop sets for itself: nothing the frame before left on may blend, test or cull it.
    glPushAttrib(GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
    glViewport(0, 0, Width, Height);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_CLIP_PLANE0);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    for (GLenum Unit : {GL_TEXTURE4, GL_TEXTURE3, GL_TEXTURE2, GL_TEXTURE1}) {
      glActiveTexture(Unit);
      glDisable(GL_TEXTURE_2D);
    }
    glActiveTexture(GL_TEXTURE0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    Draw();
    glPopAttrib();
    Shown = Source;
    Valid = true;
    ++RedrawCount;
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, Framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(DrawTarget));
  glBlitFramebuffer(0, 0, Width, Height, 0, 0, Width, Height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(ReadTarget));
  return true;
}

void TBackdropImage::Free() {
  if (Framebuffer != 0) glDeleteFramebuffers(1, &Framebuffer);
  if (Texture != 0) glDeleteTextures(1, &Texture);
  Framebuffer = Texture = 0;
  ImageWidth = ImageHeight = 0;
  Valid = false;
}
