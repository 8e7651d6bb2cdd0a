// The one GL call of a region: reading the globe's current matrices for its screen position.
#include "world/region.h"

#include "engine/gl_api.h"

bool TRegion::UpdateScreenPosition(double& X, double& Y, double& Z) {
  double ModelView[16], Projection[16];
  GLint Viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, ModelView);
  glGetDoublev(GL_PROJECTION_MATRIX, Projection);
  glGetIntegerv(GL_VIEWPORT, Viewport);
  const std::int32_t View[4] = {Viewport[0], Viewport[1], Viewport[2], Viewport[3]};
  return UpdateScreenPosition(ModelView, Projection, View, X, Y, Z);
}
