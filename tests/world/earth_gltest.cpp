#include <gtest/gtest.h>

#include "engine/gl_api.h"

#include "support/gl_environment.h"
#include "world/earth.h"

TEST(EarthDisplayLists, ThreeListsCompileWithoutGLErrors) {
  REQUIRE_GL_CONTEXT();
  while (glGetError() != GL_NO_ERROR) {
  }
  TEarth Earth;
  Earth.CreateDisplayLists();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(glIsList(Earth.AtmosphereList));
  EXPECT_TRUE(glIsList(Earth.SphereList));
  EXPECT_TRUE(glIsList(Earth.SymbolList));
  EXPECT_NE(Earth.AtmosphereList, Earth.SphereList);
  EXPECT_NE(Earth.SphereList, Earth.SymbolList);
  // Calling them draws without errors and leaves texturing on and blending off.
  glCallList(Earth.AtmosphereList);
  glCallList(Earth.SymbolList);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  glDeleteLists(Earth.AtmosphereList, 1);
  glDeleteLists(Earth.SphereList, 1);
  glDeleteLists(Earth.SymbolList, 1);
}
