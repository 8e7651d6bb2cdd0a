#include "engine/gl_api.h"
#include <gtest/gtest.h>

#include "engine/shader_manager.h"
#include "media_fixtures.h"
#include "platform/errors.h"
#include "support/gl_environment.h"

namespace {
const char* const kVertex =
    "#version 120\r\n"
    "attribute vec3 tangent;\nattribute vec3 binormal;\nattribute vec3 normal;\n"
    "varying vec3 v;\n"
    "void main() {\n  v = tangent + binormal + normal;\n  gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;\n}\n";
const char* const kFragment = "#version 120\nvarying vec3 v;\nvoid main() { gl_FragColor = vec4(v, 1.0); }\n";
const char* const kBroken = "#version 120\nvoid main() { gl_Position = gl_Vertex }\n";

bool StartsWith(const std::string& S, const std::string& Prefix) { return S.rfind(Prefix, 0) == 0; }

struct TShaderFixture : TVFSFixture {
  TGLSLShaderManager Manager;
  GLint Location(const std::string& Name, const char* Attribute) {
    return glGetAttribLocation(Manager.GetShader(Name).ProgramHandle, Attribute);
  }
};
}  // namespace

TEST(ShaderManagerGL, LooseAndPackagedPairsLinkAndBindByNameInAnyCase) {
  REQUIRE_GL_CONTEXT();
  TShaderFixture F;
  F.Folder.Write("data/shader/earth_vert.txt", kVertex);
  F.Folder.Write("data/shader/earth_frag.txt", kFragment);
  F.Pack({MakePackageEntry("data\\shader\\water_vert.txt", kVertex),
          MakePackageEntry("data\\shader\\water_frag.txt", kFragment)});
  F.Open();
  gVirtualFileSystem->LoadShader("earth", "data\\shader\\earth_vert.txt", "data\\shader\\earth_frag.txt", F.Manager);
  gVirtualFileSystem->LoadShader("water", "data\\shader\\water_vert.txt", "data\\shader\\water_frag.txt", F.Manager);
  EXPECT_TRUE(F.Manager.Log.empty()) << F.Manager.Log[0];
  EXPECT_EQ(F.Manager.Names, (std::vector<std::string>{"earth", "water"}));

  TGLSLShader& Earth = F.Manager.GetShader("EARTH");
  EXPECT_TRUE(Earth.Linked);
  Earth.Bind();
  GLint Current = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &Current);
  EXPECT_EQ(static_cast<GLuint>(Current), Earth.ProgramHandle);
  Earth.Unbind();
  glGetIntegerv(GL_CURRENT_PROGRAM, &Current);
  EXPECT_EQ(Current, 0);

  // Packaged sources get the fixed attribute locations; loose files leave them to the linker.
  EXPECT_EQ(F.Location("water", "tangent"), 3);
  EXPECT_EQ(F.Location("water", "binormal"), 4);
  EXPECT_EQ(F.Location("water", "normal"), 5);
  EXPECT_FALSE(F.Location("earth", "tangent") == 3 && F.Location("earth", "binormal") == 4 &&
               F.Location("earth", "normal") == 5);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderManagerGL, ASyntaxErrorIsLoggedAndTheProgramStaysRegisteredButUnused) {
  REQUIRE_GL_CONTEXT();
  TShaderFixture F;
  F.Folder.Write("data/shader/bad_vert.txt", kBroken);
  F.Folder.Write("data/shader/bad_frag.txt", kFragment);
  F.Open();
  gVirtualFileSystem->LoadShader("bad", "data\\shader\\bad_vert.txt", "data\\shader\\bad_frag.txt", F.Manager);
  ASSERT_GE(F.Manager.Log.size(), 2u);
  EXPECT_TRUE(StartsWith(F.Manager.Log[0], "TGLSLShader->LoadAndLink->glCompileShader->VertexShader : ")) << F.Manager.Log[0];
  EXPECT_TRUE(StartsWith(F.Manager.Log.back(), "TGLSLShader->LoadAndLink->glLinkProgram : ")) << F.Manager.Log.back();
  TGLSLShader& Bad = F.Manager.GetShader("bad");
  EXPECT_FALSE(Bad.Linked);
  Bad.Bind();
  GLint Current = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &Current);
  EXPECT_EQ(Current, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderManagerGL, ALooseVertexSourceGoesWithAPackagedFragmentSource) {
  REQUIRE_GL_CONTEXT();
  TShaderFixture F;
  F.Folder.Write("data/shader/earth_vert.txt", kVertex);
  F.Pack({MakePackageEntry("data\\shader\\earth_frag_cloudcover.txt", kFragment)});
  F.Open();
  gVirtualFileSystem->LoadShader("earth_cloudcover", "data\\shader\\earth_vert.txt",
                                 "data\\shader\\earth_frag_cloudcover.txt", F.Manager);
  EXPECT_TRUE(F.Manager.Log.empty());
  EXPECT_TRUE(F.Manager.GetShader("earth_cloudcover").Linked);
}

TEST(ShaderManagerGL, AMissingSourceLeavesTheProgramOutWithALogLine) {
  REQUIRE_GL_CONTEXT();
  TShaderFixture F;
  F.Folder.Write("data/shader/water_vert.txt", kVertex);
  F.Open();
  gVirtualFileSystem->LoadShader("water", "data\\shader\\water_vert.txt", "data\\shader\\water_frag.txt", F.Manager);
  gVirtualFileSystem->LoadShader("waterB", "data\\shader\\water_vert_b.txt", "data\\shader\\water_frag.txt", F.Manager);
  EXPECT_EQ(F.Manager.Log,
            (std::vector<std::string>{"TVirtualFileSystem->LoadShader->File \"data\\shader\\water_frag.txt\" not found in VFS",
                                      "TVirtualFileSystem->LoadShader->File \"data\\shader\\water_vert_b.txt\" not found in VFS"}));
  EXPECT_TRUE(F.Manager.Names.empty());
  try {
    F.Manager.GetShader("water");
    ADD_FAILURE() << "no exception";
  } catch (const ETarnovaError& E) {
    EXPECT_STREQ(E.what(), "TGLSLShaderManager->GetShader->Shader water not present!");
  }
  EXPECT_THROW(F.Manager.AddShader("water", "data\\shader\\water_vert.txt", "data\\shader\\water_frag.txt"),
               ETarnovaError);
}
