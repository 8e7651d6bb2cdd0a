#include "engine/tex_font.h"

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/streams.h"
#include "engine/texture_manager.h"
#include "platform/errors.h"

TTexFont::TTexFont(std::uint32_t Texture, TStream& Stream, float Size) : TextureID(Texture) {
  ReadWidths(Stream, Size);
  ListBase = glGenLists(256);
  for (int I = 0; I < 256; ++I) {
    const float W = GlyphWidths[static_cast<std::size_t>(I)];
    const float Cx = float(I % 16) / 16.0f;
    const float Cy = float(I / 16) / 16.0f;
    const float M = ((16.0f - W) / 2.0f) / 256.0f;
    const float Left = Cx + M - 0.01f;
    const float Right = Cx + M + W / 256.0f + 0.001953125f + 0.01f;
    GlyphTexCoords[static_cast<std::size_t>(I)] = {Left, Right, 1.0f - Cy, 1.0f - Cy - 0.0625f};
    glNewList(ListBase + GLuint(I), GL_COMPILE);
    glBegin(GL_QUADS);
    glTexCoord2f(Left, 1.0f - Cy);
    glVertex2f(-2.0f, 0.0f);
    glTexCoord2f(Right, 1.0f - Cy);
    glVertex2f(W + 2.0f, 0.0f);
    glTexCoord2f(Right, 1.0f - Cy - 0.0625f);
    glVertex2f(W + 2.0f, 16.0f);
    glTexCoord2f(Left, 1.0f - Cy - 0.0625f);
    glVertex2f(-2.0f, 16.0f);
    glEnd();
    glTranslatef(1.5f * W + 1.0f, 0.0f, 0.0f);
    glEndList();
  }
}

TTexFont::TTexFont(TStream& Stream, float Size) { ReadWidths(Stream, Size); }

TTexFont::~TTexFont() {
  if (ListBase != 0) glDeleteLists(ListBase, 256);
}

void TTexFont::ReadWidths(TStream& Stream, float Size) {
  std::uint8_t Bytes[256];
  Stream.ReadExact(Bytes, sizeof Bytes);
  for (std::size_t I = 0; I < 256; ++I) {
    GlyphWidths[I] = float(Bytes[I]) / Size;
    Widths[I] = 1.5f * GlyphWidths[I];
  }
}

float TTexFont::TextWidth(const std::string& Text) const {
  float Sum = 0.0f;
  for (char C : Text) Sum += Widths[static_cast<std::uint8_t>(C)] + 1.0f;
  return Sum;
}

void TTexFont::BindFont() {
  if (gTextureManager) {
    gTextureManager->BindTextureByID(TextureID, GL_TEXTURE0);
  } else {
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, TextureID);
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// The quads the glyphs' lists hold, each moved by the pen advance of the glyphs before it, in one
// batch: a list call per glyph is a draw of its own, and a window full of text costs a software
// GL more in those draws than in the pixels they cover.
void TTexFont::CallLists(const std::string& Text) {
  glBegin(GL_QUADS);
  float Pen = 0.0f;
  for (char C : Text) {
    const auto I = static_cast<std::uint8_t>(C);
    const float W = GlyphWidths[I];
    const std::array<float, 4>& T = GlyphTexCoords[I];
    glTexCoord2f(T[0], T[2]);
    glVertex2f(Pen - 2.0f, 0.0f);
    glTexCoord2f(T[1], T[2]);
    glVertex2f(Pen + W + 2.0f, 0.0f);
    glTexCoord2f(T[1], T[3]);
    glVertex2f(Pen + W + 2.0f, 16.0f);
    glTexCoord2f(T[0], T[3]);
    glVertex2f(Pen - 2.0f, 16.0f);
    Pen += 1.5f * W + 1.0f;
  }
  glEnd();
}

namespace {
void BeginText(const TVector3& Pos, float Size) {
  glPushMatrix();
  glTranslatef(Pos.X, Pos.Y, Pos.Z);
  glScalef(Size, Size, Size);
}
}  // namespace

void TTexFont::Print(const std::string& Text, const TVector3& Pos, const TVector3& Color, float Alpha, float Size,
                     bool Shadow, bool Bind) {
  if (Bind) BindFont();
  if (Text.empty()) return;
  glColor4f(Color.X, Color.Y, Color.Z, Alpha);
  BeginText(Pos, Size);
  if (Shadow) {
    glDepthMask(GL_FALSE);
    glColor4f(0, 0, 0, 0.5f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    glTranslatef(1.5f * Size, 1.5f * Size, 0);
    CallLists(Text);
    glPopMatrix();
    glColor4f(Color.X, Color.Y, Color.Z, Alpha);
    glDepthMask(GL_TRUE);
  }
  CallLists(Text);
  glPopMatrix();
  glColor4f(1, 1, 1, 1);
  if (Alpha < 1.0f) glDisable(GL_BLEND);
}

void TTexFont::PrintPlain(const std::string& Text, const TVector3& Pos, float Size, bool Shadow, bool Bind) {
  if (Bind) BindFont();
  if (Text.empty()) return;
  BeginText(Pos, Size);
  if (Shadow) {
    glDepthMask(GL_FALSE);
    glColor4f(0, 0, 0, 1);
    glPushMatrix();
    glTranslatef(1.5f * Size, 1.5f * Size, 0);
    CallLists(Text);
    glPopMatrix();
    glColor3f(1, 1, 1);
    glDepthMask(GL_TRUE);
  }
  CallLists(Text);
  glPopMatrix();
  glColor4f(1, 1, 1, 1);
}

void TTexFont::PrintAlpha(const std::string& Text, const TVector3& Pos, float Size, float Alpha, bool Shadow, bool Bind) {
  if (Bind) BindFont();
  if (Text.empty()) return;
  glColor4f(1, 1, 1, Alpha);
  BeginText(Pos, Size);
  if (Shadow) {
    glDepthMask(GL_FALSE);
    glColor4f(0, 0, 0, Alpha);
    glPushMatrix();
    glTranslatef(1.5f * Size, 1.5f * Size, 0);
    CallLists(Text);
    glPopMatrix();
    glColor4f(1, 1, 1, Alpha);
    glDepthMask(GL_TRUE);
  }
  CallLists(Text);
  glPopMatrix();
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
}

void TTexFont::PrintCentered(const std::string& Text, const TVector3& Pos, float Size, bool Shadow) {
  glPushMatrix();
  glTranslatef(-TextWidth(Text) * Size / 2.0f, 0, 0);
  PrintPlain(Text, Pos, Size, Shadow, true);
  glPopMatrix();
}

void TTexFont::PrintAlphaCentered(const std::string& Text, const TVector3& Pos, float Size, float Alpha, bool Shadow) {
  glPushMatrix();
  glColor4f(1, 1, 1, Alpha);
  glTranslatef(-TextWidth(Text) * Size / 2.0f, 0, 0);
  PrintAlpha(Text, Pos, Size, Alpha, Shadow, true);
  glPopMatrix();
}

std::unique_ptr<TTexFont> gGUIFont;
std::unique_ptr<TTexFont> gLCDFont;
TTexFont* gFont = nullptr;
