// Drawing of ".3df" models in immediate mode; the model registry records it into display lists.
#include "engine/binary_model.h"

#include "engine/gl_api.h"

namespace {
class TGLMeshSink : public TMeshSink {
public:
  void Material(const TGLBinaryMeshMaterial& M) override {
    if (M.IsTranslucent()) glDisable(GL_LIGHTING);
    M.Apply();
  }
  void Triangle(const TModelCorner (&Corners)[3]) override {
    glBegin(GL_TRIANGLES);
    for (const TModelCorner& C : Corners) {
      glNormal3fv(C.Normal.data());
      if (C.HasTexCoord)
        for (GLenum Unit = GL_TEXTURE0; Unit <= GL_TEXTURE3; ++Unit) glMultiTexCoord2f(Unit, C.TexCoord[0], C.TexCoord[1]);
      glVertex3fv(C.Position.data());
    }
    glEnd();
  }
};
}  // namespace

void TGLBinaryMeshMaterial::Apply() const {
  if (gNoMaterials) return;
  const auto& F = MaterialValues;
  // While a display list is compiled this is the lighting state of that moment.
  GLboolean Lit = GL_FALSE;
  glGetBooleanv(GL_LIGHTING, &Lit);
  const GLfloat Colour[4] = {F[0], F[1], F[2], F[4]};
  const GLfloat Specular[4] = {F[5], F[6], F[7], F[8]};
  const GLfloat Emission[4] = {F[8], F[9], F[10], 1.0f};
  glColor4fv(Colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, Colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, Colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, Specular);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, Emission);
  if (IsTranslucent()) {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4fv(Colour);
  }
  if (Lit) glEnable(GL_LIGHTING);
  if (TextureID > 0) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, TextureID);
    if (Format == GL_RGBA || Format == GL_COMPRESSED_RGBA_S3TC_DXT1_EXT ||
        Format == GL_COMPRESSED_RGBA_S3TC_DXT3_EXT || Format == GL_COMPRESSED_RGBA_S3TC_DXT5_EXT) {
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_GREATER, 0.1f);
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
      glDisable(GL_ALPHA_TEST);
    }
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void TGLBinaryMesh::Render() {
  TGLMeshSink Sink;
  Emit(Sink);
}

void TGLBinaryModel::Render() {
  for (TGLBinaryMesh& M : Meshes)
    if (!M.DrawnInSecondPass()) M.Render();
  for (TGLBinaryMesh& M : Meshes)
    if (M.DrawnInSecondPass()) M.Render();
  const GLfloat White[4] = {1, 1, 1, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, White);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, White);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, White);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, White);
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);
}
