#include <gtest/gtest.h>

#include "engine/gl_misc.h"

TEST(ExtensionList, NamesMatchWholeAndWithoutRegardToCase) {
  const char* List = "GL_ARB_multitexture GL_ARB_texture_compression  GL_EXT_texture_compression_s3tc GL_SGIS_generate_mipmap";
  EXPECT_TRUE(ExtensionInList(List, "gl_arb_texture_compression"));
  EXPECT_TRUE(ExtensionInList(List, "GL_ARB_multitexture"));
  EXPECT_TRUE(ExtensionInList(List, "GL_SGIS_generate_mipmap"));  // last, no blank after it
  EXPECT_FALSE(ExtensionInList(List, "GL_ARB_texture"));          // a prefix is no match
  EXPECT_FALSE(ExtensionInList(List, "GL_SGIS_generate_mipmap_more"));
  EXPECT_FALSE(ExtensionInList(List, ""));
  EXPECT_FALSE(ExtensionInList(nullptr, "GL_ARB_multitexture"));
}

TEST(ExtensionList, AnyNumberOfNames) {
  std::string List;
  for (int I = 0; I < 2000; ++I) List += "GL_X_ext" + std::to_string(I) + " ";
  List += "GL_ARB_fragment_program";
  EXPECT_TRUE(ExtensionInList(List.c_str(), "GL_ARB_fragment_program"));
  EXPECT_TRUE(ExtensionInList(List.c_str(), "gl_x_ext1999"));
}

TEST(Renderer, SoftwareRasterizersAreToldFromDrivers) {
  EXPECT_TRUE(SoftwareRasterizer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(SoftwareRasterizer("softpipe"));
  EXPECT_TRUE(SoftwareRasterizer("Mesa X11 swrast"));
  EXPECT_FALSE(SoftwareRasterizer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
  EXPECT_FALSE(SoftwareRasterizer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(SoftwareRasterizer(nullptr));
}
