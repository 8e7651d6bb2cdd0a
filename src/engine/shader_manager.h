#pragma once
// The GLSL programs of the globe, its clouds and the water: each compiled and linked from a
// vertex and a fragment source and kept under a name (letter case ignored). Compiler and linker
// messages are collected in the manager's Log, which the game copies into the HTML log.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One linked program. Needs the GL context.
class TGLSLShader {
public:
  std::uint32_t ProgramHandle = 0;
  bool Linked = false;                    // compiled and linked without error
  std::vector<std::string>* Log = nullptr;  // the manager's log, not owned

  // Builds the program from two source files on disk (no attribute locations bound).
  void LoadAndLink(const std::string& VertexFile, const std::string& FragmentFile);
  // Builds it from two texts given as lines and binds "tangent", "binormal" and "normal" to
  // the attribute locations 3, 4 and 5.
  void LoadAndLinkFromLists(const std::vector<std::string>& VertexLines, const std::vector<std::string>& FragmentLines);
  // Makes the program current; a program that failed to link leaves fixed-function drawing.
  void Bind() const;
  void Unbind() const;

private:
  void Build(const std::string& VertexText, const std::string& FragmentText, bool BindAttributes);
  void AddLog(const std::string& Line);
};

class TGLSLShaderManager {
public:
  std::vector<std::string> Names;  // entry i names Shaders[i]
  std::vector<std::unique_ptr<TGLSLShader>> Shaders;
  std::vector<std::string> Log;

  // From two files on disk (game names, letter case ignored); throws ETarnovaError when one is
  // missing. A program that fails to compile or link is still registered, with its messages logged.
  void AddShader(const std::string& Name, const std::string& VertexFile, const std::string& FragmentFile);
  void AddShaderFromLists(const std::string& Name, const std::vector<std::string>& VertexLines,
                          const std::vector<std::string>& FragmentLines);
  // The program of that name; throws ETarnovaError when there is none.
  TGLSLShader& GetShader(const std::string& Name);
};
