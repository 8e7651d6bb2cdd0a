#include "control/gl_checks.h"

#include <charconv>

#include "engine/gl_misc.h"

std::optional<TGLVersion> ParseGLVersion(const std::string& Version) {
  TGLVersion V;
  const char* P = Version.data();
  const char* End = P + Version.size();
  auto [AfterMajor, Ec] = std::from_chars(P, End, V.Major);
  if (Ec != std::errc() || AfterMajor == End || *AfterMajor != '.') return std::nullopt;
  auto [AfterMinor, Ec2] = std::from_chars(AfterMajor + 1, End, V.Minor);
  if (Ec2 != std::errc()) return std::nullopt;
  return V;
}

std::vector<std::string> OpenGLRequirementReport(const std::string& Vendor, const std::string& Renderer,
                                                 const std::string& Version, const std::string& Extensions) {
  std::string Headline;
  const std::optional<TGLVersion> V = ParseGLVersion(Version);
  if (!V || V->Major < 1 || (V->Major == 1 && V->Minor < 3))
    Headline = "Tarnova needs at least OpenGL version 1.3 to run!";
  else if (!ExtensionInList(Extensions.c_str(), "GL_EXT_texture_compression_s3tc"))
    Headline = "Tarnova needs the \"GL_EXT_texture_compression_s3tc\" OpenGL extension to run!!";
  else
    return {};
  return {Headline,
          "",
          "Information on your OpenGL implementation :",
          " Vendor   = " + Vendor,
          " Renderer = " + Renderer,
          " Version  = " + Version,
          "",
          "List of OpenGL extensions :",
          Extensions};
}
