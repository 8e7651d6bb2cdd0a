#include "engine/shader_manager.h"

#include "engine/gl_api.h"

#include "engine/engine_globals.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/latin1.h"
#include "platform/text_format.h"

std::unique_ptr<TGLSLShaderManager> gShaderManager;

namespace {
// The lines as one text, each ended by CR LF.
std::string JoinLines(const std::vector<std::string>& Lines) {
  std::string Text;
  for (const std::string& L : Lines) Text += L + "\r\n";
  return Text;
}

// An info log; shorter than 2 characters counts as none.
std::string InfoLog(GLuint Object, bool IsProgram) {
  GLint Length = 0;
  if (IsProgram)
    glGetProgramiv(Object, GL_INFO_LOG_LENGTH, &Length);
  else
    glGetShaderiv(Object, GL_INFO_LOG_LENGTH, &Length);
  if (Length < 2) return {};
  std::string Text(static_cast<std::size_t>(Length), '\0');
  if (IsProgram)
    glGetProgramInfoLog(Object, Length, nullptr, Text.data());
  else
    glGetShaderInfoLog(Object, Length, nullptr, Text.data());
  Text.resize(Text.find('\0') == std::string::npos ? Text.size() : Text.find('\0'));
  return Text;
}
}  // namespace

void TGLSLShader::AddLog(const std::string& Line) {
  if (Log) Log->push_back(Line);
}

void TGLSLShader::LoadAndLink(const std::string& VertexFile, const std::string& FragmentFile) {
  auto Read = [](const std::string& File) {
    auto Path = FindOnDisk(DiskRoot(), File);
    auto Text = IsRegularFile(Path) ? ReadWholeFile(*Path) : std::nullopt;
    return JoinLines(SplitLines(Text.value_or("")));
  };
  Build(Read(VertexFile), Read(FragmentFile), false);
}

void TGLSLShader::LoadAndLinkFromLists(const std::vector<std::string>& VertexLines,
                                       const std::vector<std::string>& FragmentLines) {
  Build(JoinLines(VertexLines), JoinLines(FragmentLines), true);
}

void TGLSLShader::Build(const std::string& VertexText, const std::string& FragmentText, bool BindAttributes) {
  ProgramHandle = glCreateProgram();
  GLuint Vertex = glCreateShader(GL_VERTEX_SHADER);
  GLuint Fragment = glCreateShader(GL_FRAGMENT_SHADER);
  struct TStage {
    GLuint Shader;
    const std::string& Text;
    const char* Kind;
  };
  const TStage Stages[2] = {{Vertex, VertexText, "VertexShader"}, {Fragment, FragmentText, "FragmentShader"}};
  for (const TStage& S : Stages) {
    const GLchar* Source = S.Text.c_str();
    const GLint Length = static_cast<GLint>(S.Text.size());
    glShaderSource(S.Shader, 1, &Source, &Length);
    std::string Info = InfoLog(S.Shader, false);
    if (!Info.empty()) AddLog(std::string("TGLSLShader->LoadAndLink->glLoadShaderSource->") + S.Kind + " : " + Info);
  }
  bool Compiled = true;
  for (const TStage& S : Stages) {
    glCompileShader(S.Shader);
    GLint Status = GL_FALSE;
    glGetShaderiv(S.Shader, GL_COMPILE_STATUS, &Status);
    std::string Info = InfoLog(S.Shader, false);
    if (Info.empty() && Status != GL_TRUE) Info = "compilation failed";
    if (!Info.empty()) AddLog(std::string("TGLSLShader->LoadAndLink->glCompileShader->") + S.Kind + " : " + Info);
    Compiled = Compiled && Status == GL_TRUE;
  }
  glAttachShader(ProgramHandle, Vertex);
  glAttachShader(ProgramHandle, Fragment);
  glDeleteShader(Vertex);  // they live on while attached
  glDeleteShader(Fragment);
  if (BindAttributes) {
    glBindAttribLocation(ProgramHandle, 3, "tangent");
    glBindAttribLocation(ProgramHandle, 4, "binormal");
    glBindAttribLocation(ProgramHandle, 5, "normal");
  }
  glLinkProgram(ProgramHandle);
  // A program that did not link would otherwise be used silently and draw wrongly.
  GLint Status = GL_FALSE;
  glGetProgramiv(ProgramHandle, GL_LINK_STATUS, &Status);
  std::string Info = InfoLog(ProgramHandle, true);
  if (Info.empty() && Status != GL_TRUE) Info = "link failed";
  if (!Info.empty()) AddLog("TGLSLShader->LoadAndLink->glLinkProgram : " + Info);
  Linked = Compiled && Status == GL_TRUE;
}

void TGLSLShader::Bind() const { glUseProgram(Linked ? ProgramHandle : 0); }

void TGLSLShader::Unbind() const { glUseProgram(0); }

void TGLSLShaderManager::AddShader(const std::string& Name, const std::string& VertexFile,
                                   const std::string& FragmentFile) {
  for (const std::string* F : {&VertexFile, &FragmentFile})
    if (!IsRegularFile(FindOnDisk(DiskRoot(), *F)))
      throw ETarnovaError("TGLSLShaderManager->AddShader->File " + *F + " not found!");
  auto Shader = std::make_unique<TGLSLShader>();
  Shader->Log = &Log;
  Shader->LoadAndLink(VertexFile, FragmentFile);
  Shaders.push_back(std::move(Shader));
  Names.push_back(Name);
}

void TGLSLShaderManager::AddShaderFromLists(const std::string& Name, const std::vector<std::string>& VertexLines,
                                            const std::vector<std::string>& FragmentLines) {
  auto Shader = std::make_unique<TGLSLShader>();
  Shader->Log = &Log;
  Shader->LoadAndLinkFromLists(VertexLines, FragmentLines);
  Shaders.push_back(std::move(Shader));
  Names.push_back(Name);
}

TGLSLShader& TGLSLShaderManager::GetShader(const std::string& Name) {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameTextAscii(Names[i], Name)) return *Shaders[i];
  throw ETarnovaError("TGLSLShaderManager->GetShader->Shader " + Name + " not present!");
}

void TVirtualFileSystem::LoadShader(const std::string& Name, const std::string& VertexFile,
                                    const std::string& FragmentFile, TGLSLShaderManager& ShaderManager) {
  if (IsRegularFile(DiskPath(VertexFile)) && IsRegularFile(DiskPath(FragmentFile))) {
    ShaderManager.AddShader(Name, VertexFile, FragmentFile);
    return;
  }
  // Each source on its own, loose file first: a loose vertex source may go with a packaged
  // fragment source. A missing source leaves the program out; the game runs on without it.
  auto Vertex = ReadFile(VertexFile);
  if (!Vertex) {
    ShaderManager.Log.push_back("TVirtualFileSystem->LoadShader->File \"" + VertexFile + "\" not found in VFS");
    return;
  }
  auto Fragment = ReadFile(FragmentFile);
  if (!Fragment) {
    ShaderManager.Log.push_back("TVirtualFileSystem->LoadShader->File \"" + FragmentFile + "\" not found in VFS");
    return;
  }
  ShaderManager.AddShaderFromLists(Name, SplitLines(*Vertex), SplitLines(*Fragment));
}
