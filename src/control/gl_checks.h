#pragma once
// The checks that decide whether the OpenGL implementation can run the game.
#include <optional>
#include <string>
#include <vector>

struct TGLVersion {
  int Major = 0, Minor = 0;
};
// The leading "major.minor" of a GL_VERSION string, read as numbers; none when there is none.
std::optional<TGLVersion> ParseGLVersion(const std::string& Version);

// The error-dialog report when the implementation lacks what the game needs (OpenGL 1.3 and
// S3TC texture compression); empty when it has both. Extensions is the GL_EXTENSIONS string.
std::vector<std::string> OpenGLRequirementReport(const std::string& Vendor, const std::string& Renderer,
                                                 const std::string& Version, const std::string& Extensions);
