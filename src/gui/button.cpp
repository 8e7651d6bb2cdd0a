#include "gui/button.h"

#include "engine/gl_api.h"

#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "platform/rounding.h"

void TGLButton::Render() {
  // An invisible button neither draws nor fades.
  if (!Visible) return;
  Update();
  Draw();
}

bool TGLButton::IsHovered() const {
  const float PX = ScreenX();
  const float PY = ScreenY();
  const bool InRect = PointInRect(gMouseX, gMouseY, static_cast<float>(RoundToInt(PX)), static_cast<float>(RoundToInt(PY)),
                                  static_cast<float>(RoundToInt(static_cast<double>(PX) + Width)),
                                  static_cast<float>(RoundToInt(static_cast<double>(PY) + Height)));
  return InRect && (!Owner || Owner->IsWindowAtMouse());
}

void TGLButton::Draw() {
  if (!Visible) return;
  const bool Hovered = IsHovered();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BindSkin("gui_button");
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  if (Hovered) {
    // The hovered look is the other half of the skin in t.
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glTranslatef(0.0f, 0.5f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.0f, 0.0f, 0.01f);
  }
  glColor4f(1.0f, 1.0f, 1.0f, Alpha);
  glTranslatef(Position.X, Position.Y, Position.Z + 0.01f);
  DrawThreePieceSkin(static_cast<float>(Width), static_cast<float>(Height), 1.0f, 0.5f);
  if (Hovered) {
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }
  glPopMatrix();

  auto& S = GUIServices();
  float CaptionX = 8.0f;
  if (!Icon.empty()) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.75f * Alpha);
    S.DrawTexture(Icon, Position.X + 5, Position.Y + 6, Position.Z + 0.025f, 16, 17);
    glColor4f(1.0f, 1.0f, 1.0f, Alpha);
    S.DrawTexture(Icon, Position.X + 3, Position.Y + 4, Position.Z + 0.03f, 16, 17);
    CaptionX = 27.0f;
  }
  S.PrintAlpha(Caption, TVector3{Position.X + CaptionX, Position.Y + 5, Position.Z + 0.03f}, 1.0f, Alpha, false, true);
}
