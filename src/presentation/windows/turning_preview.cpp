#include "presentation/windows/turning_preview.h"

#include <cmath>
#include <cstdint>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/model_registry.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "gui/gui_globals.h"
#include "gui/gui_item.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "presentation/view_state.h"
#include "presentation/window_view3d.h"

namespace {

void Light0(GLenum Name, float A, float B, float C, float D) {
  const float V[4] = {A, B, C, D};
  glLightfv(GL_LIGHT0, Name, V);
}

void DrawModel(const std::string& Model, float Rotation, bool Mirror, float Lift) {
  if (Model.empty()) return;
  glPushMatrix();
  glRotatef(45.0f + Rotation, 0.0f, 0.0f, 1.0f);
  if (Mirror) glScalef(1.0f, 1.0f, -1.0f);
  else if (Lift != 0.0f) glTranslatef(0.0f, 0.0f, Lift);
  glScalef(0.0009f, 0.0009f, 0.0009f);
  if (Mirror) glFrontFace(GL_CW);
  Draw3DModel(Model, 0, false, true);
  if (Mirror) glFrontFace(GL_CCW);
  glPopMatrix();
}

// The soft shadow under the previews: a tube fading upwards from the disc's rim, then the disc
// itself in dark grey.
std::uint32_t MakePreviewShadowList() {
  const std::uint32_t List = glGenLists(1);
  if (List == 0) return 0;
  const float Step = 3.14159265f / 16.0f;
  glNewList(List, GL_COMPILE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);
  glBegin(GL_QUADS);
  for (int K = 0; K < 32; ++K) {
    const float A0 = static_cast<float>(K) * Step, A1 = static_cast<float>(K + 1) * Step;
    glColor4f(0.0f, 0.0f, 0.0f, 0.7f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(4.0f * std::sin(A0), 4.0f * std::cos(A0), 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(4.0f * std::sin(A0), 4.0f * std::cos(A0), 8.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(4.0f * std::sin(A1), 4.0f * std::cos(A1), 8.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.7f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(4.0f * std::sin(A1), 4.0f * std::cos(A1), 0.0f);
  }
  glEnd();
  glDepthMask(GL_TRUE);
  glColor4f(0.2f, 0.2f, 0.2f, 0.7f);
  glBegin(GL_POLYGON);
  for (int K = 1; K <= 32; ++K) {
    const float A = static_cast<float>(K) * Step;
    glNormal3f(0.0f, 1.0f, 0.0f);
    glTexCoord3f(std::sin(A), std::cos(A), 0.0f);
    glVertex3f(4.0f * std::sin(A), 4.0f * std::cos(A), 0.0f);
  }
  glEnd();
  glDisable(GL_BLEND);
  glEndList();
  return List;
}

// The name plate under the preview.
void DrawNamePlate(const std::string& Text) {
  const float H = gGUIFont->TextWidth(Text) * 1.3f / 2.0f;
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  gTextureManager->BindTexture("research_technamebg", GL_TEXTURE0);
  glPushMatrix();
  glTranslatef(155.0f, 170.0f, 0.0f);
  auto Piece = [](float X0, float X1, float U0, float U1) {
    glTexCoord2f(U0, 1.0f); glVertex3f(X0, 0.0f, 0.05f);
    glTexCoord2f(U0, 0.0f); glVertex3f(X0, 20.0f, 0.05f);
    glTexCoord2f(U1, 0.0f); glVertex3f(X1, 20.0f, 0.05f);
    glTexCoord2f(U1, 1.0f); glVertex3f(X1, 0.0f, 0.05f);
  };
  glBegin(GL_QUADS);
  Piece(-H - 48.0f, -H + 24.0f, 0.0f, 0.46875f);
  Piece(H + 48.0f, H - 24.0f, 0.0f, 0.46875f);
  Piece(-H + 24.0f, H - 24.0f, 0.46875f, 0.53125f);
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gGUIFont->Print(Text, TVector3{-H, 0.0f, 0.1f}, TVector3{1.0f, 1.0f, 1.0f}, 1.0f, 1.3f, true, true);
  glPopMatrix();
}

}  // namespace

void DrawTurningPreview(TViewState& View, const TGLWindow& Window, const TGLGUIItem& Panel, const std::string& Model,
                        float& Rotation, bool Normalize, float ModelLift, bool LitReflection) {
  // The 3D state (depth test, lights, face order) is the scene's own; the GUI gets its own back.
  glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT);
  BeginWindowView3D(Window, Panel, 0.0f, 0.0f);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-5.0, 5.0, -8.05, 5.0, -32.0, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_BLEND);
  Light0(GL_AMBIENT, 0.3f, 0.3f, 0.3f, 1.0f);
  Light0(GL_DIFFUSE, 0.7f, 0.7f, 0.7f, 1.0f);
  Light0(GL_POSITION, 0.0f, 5.0f, 0.0f, 1.0f);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  if (Normalize) glEnable(GL_NORMALIZE);
  glTranslatef(0.0f, 1.0f, -100.0f);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  glRotatef(-45.0f, 0.0f, 1.0f, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawModel(Model, Rotation, false, ModelLift);

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDepthMask(GL_FALSE);
  glDisable(GL_LIGHTING);
  // The disc marks the stencil; the mirror image is drawn only inside it.
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glEnable(GL_STENCIL_TEST);
  glStencilFunc(GL_ALWAYS, 1, 1);
  glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_POLYGON);
  for (int K = 1; K <= 64; ++K) {
    const float A = static_cast<float>(K) * 3.14159265f / 32.0f;
    glNormal3f(0.0f, 1.0f, 0.0f);
    glTexCoord3f(std::sin(A), std::cos(A), 0.0f);
    glVertex3f(4.0f * std::sin(A), 4.0f * std::cos(A), 0.0f);
  }
  glEnd();
  glDepthMask(GL_TRUE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glStencilFunc(GL_EQUAL, 1, 1);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  // The unit's mirror image stays unlit, in its plain material colours; the building's is lit.
  if (LitReflection) glEnable(GL_LIGHTING);
  DrawModel(Model, Rotation, true, 0.0f);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_LIGHTING);
  // Made at the first preview, with the context current; it lives as long as the context.
  std::uint32_t& Shadow = View.PreviewShadowList;
  if (Shadow == 0) Shadow = MakePreviewShadowList();
  if (Shadow != 0) glCallList(Shadow);
  glDisable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

  Rotation += 0.01f * gInGameGUI->FadeSpeed;
  if (Rotation > 360.0f) Rotation -= 360.0f;
  glDisable(GL_LIGHT0);
  EndWindowView3D(Window);
  glPopAttrib();
}

void BeginPreviewCaption(const TGLWindow& Window, const std::string& Name, float LeftWidth, float RightX,
                         float RightWidth) {
  glPushMatrix();
  glTranslatef(Window.X, Window.Y, Window.Z + 0.1f);
  glTranslatef(0.0f, 40.0f, 0.0f);
  DrawNamePlate(Name);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  gTextureManager->BindTextureByID(Window.SkinTexture("gui_interface_light"), GL_TEXTURE0);
  glColor4f(1.0f, 1.0f, 1.0f, 0.85f);
  DrawFrame(15, 200, LeftWidth, 70);
  DrawFrame(RightX, 200, RightWidth, 70);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void PrintRightAligned(const std::string& Text, float X, float Y) {
  gGUIFont->PrintPlain(Text, TVector3{X - gGUIFont->TextWidth(Text), Y, 0.2f}, 1.0f, false, true);
}
