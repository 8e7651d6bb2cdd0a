#include "engine/model_registry.h"

#include "engine/gl_api.h"

#include <set>

#include "engine/binary_model.h"
#include "engine/engine_globals.h"
#include "engine/log.h"
#include "engine/streams.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/latin1.h"

std::vector<std::unique_ptr<T3DModel>> gModels;
std::vector<std::string> gModelNames;
bool gUsePlainModels = false;

namespace {
constexpr float kModelScale = 13.0f;

// Keys whose on-demand load failed: not tried again every frame.
std::set<std::string>& FailedKeys() {
  static std::set<std::string> Keys;
  return Keys;
}

std::string FileNameOf(const std::string& Name) {
  std::size_t Slash = Name.find_last_of("\\/");
  return Slash == std::string::npos ? Name : Name.substr(Slash + 1);
}

void AddLogLine(const std::string& Line) {
  if (gLog) gLog->AddLine(Line);
}

// Selects the unit and switches its texturing, alpha test and blending off.
void DisableTextureUnit(GLenum Unit) {
  glActiveTexture(Unit);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}
}  // namespace

T3DModel::T3DModel(const std::string& FileName, bool WithPlainList) : Name(FileNameOf(FileName)) {
  auto Path = FindOnDisk(DiskRoot(), FileName);
  if (!IsRegularFile(Path)) throw ETarnovaError("T3DModel->LoadFromFile->\"" + FileName + "\" does not exist!");
  TFileStream Stream(*Path);
  Build(Stream, WithPlainList);
}

T3DModel::T3DModel(TStream& Stream, const std::string& ModelName, bool WithPlainList) : Name(ModelName) {
  Build(Stream, WithPlainList);
}

void T3DModel::Build(TStream& Stream, bool WithPlainList) {
  gModelTexturePath = "data\\tex\\models\\";
  TGLBinaryModel Model;
  try {
    Model.LoadFromStream(Stream, kModelScale);
  } catch (const std::exception& E) {
    throw ETarnovaError("T3DModel->LoadFromStream->\"" + Name + "\" is damaged: " + E.what());
  }

  glPushAttrib(GL_ALL_ATTRIB_BITS);
  DisplayList = glGenLists(1);
  glNewList(DisplayList, GL_COMPILE);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  Model.Render();
  glDisable(GL_CULL_FACE);
  glEndList();
  glPopAttrib();

  if (WithPlainList) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    gNoMaterials = true;
    PlainList = glGenLists(1);
    glNewList(PlainList, GL_COMPILE);
    for (GLenum Unit : {GL_TEXTURE3, GL_TEXTURE2, GL_TEXTURE1, GL_TEXTURE0}) DisableTextureUnit(Unit);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    Model.Render();
    glDisable(GL_CULL_FACE);
    glEndList();
    gNoMaterials = false;
    glPopAttrib();
  }
  // The reader measures no extents, so a centred draw leaves every model at its own origin.
  Size = MakeVector3(0.0f, 0.0f, 0.0f);
}

T3DModel::~T3DModel() {
  if (DisplayList) glDeleteLists(DisplayList, 1);
  if (PlainList) glDeleteLists(PlainList, 1);
}

void RegisterModel(std::unique_ptr<T3DModel> Model) {
  gModelNames.push_back(Model->Name);
  gModels.push_back(std::move(Model));
}

int FindModel(const std::string& Key) {
  for (std::size_t i = 0; i < gModelNames.size(); ++i)
    if (SameTextAscii(gModelNames[i], Key)) return static_cast<int>(i);
  return -1;
}

std::string ModelKey(const std::string& Name) {
  return Name.find('.') != std::string::npos ? UpperAscii(Name) : Name + ".3df";
}

int LoadModelFolder(const std::string& Folder) {
  int Count = 0;
  auto Load = [&](auto&& Make) {
    try {
      RegisterModel(Make());
      ++Count;
    } catch (const std::exception& E) {
      // One damaged model must not stop the game from starting; it is simply not drawn.
      AddLogLine(E.what());
    }
    if (gLog) gLog->DrawLoadingIndicator();
  };
  auto WantsPlainList = [](const std::string& N) {
    return N.find("symbol") != std::string::npos || N.find("building_") != std::string::npos;
  };
  auto Path = FindOnDisk(DiskRoot(), Folder);
  if (IsFolder(Path)) {
    for (const std::string& File : ListFolder(*Path, ".3df"))
      Load([&] { return std::make_unique<T3DModel>(Folder + File, WantsPlainList(File)); });
  } else if (gVirtualFileSystem) {
    TFileList Entries;
    gVirtualFileSystem->ListFiles(Folder, ".3df", Entries);
    for (TVirtualFile* F : Entries) {
      Load([&] {
        TMemoryStream Stream;
        F->SaveToStream(Stream);
        Stream.Seek(0);
        return std::make_unique<T3DModel>(Stream, F->Name + F->Ext, WantsPlainList(F->Name));
      });
    }
  }
  return Count;
}

void Draw3DModel(const std::string& Name, int Reserved, bool Uncentred, bool LoadOnDemand) {
  if (Name.empty()) return;
  const std::string Key = ModelKey(Name);
  int i = FindModel(Key);
  if (i == -1 && LoadOnDemand && gVirtualFileSystem && !FailedKeys().count(LowerAscii(Key))) {
    const std::string Path = "data\\3d\\ondemand\\" + Key;
    if (gVirtualFileSystem->FileExists(Path)) {
      const bool WithPlainList = Key.find("building_") != std::string::npos;
      // The model is registered only once it is complete, so a damaged file cannot leave the
      // registry out of step or end the frame with an exception.
      try {
        std::unique_ptr<T3DModel> Model;
        std::string From;
        glPushMatrix();
        try {
          if (IsRegularFile(gVirtualFileSystem->DiskPath(Path))) {
            Model = std::make_unique<T3DModel>(Path, WithPlainList);
            From = "disk";
          } else {
            TMemoryStream Stream;
            if (!gVirtualFileSystem->ExtractFile(Path, Stream))
              throw ETarnovaError("T3DModel->LoadFromStream->\"" + Path + "\" not found in VFS");
            Model = std::make_unique<T3DModel>(Stream, Key, WithPlainList);
            From = "VFS";
          }
        } catch (...) {
          glPopMatrix();
          throw;
        }
        glPopMatrix();
        RegisterModel(std::move(Model));
        AddLogLine("TGame-Draw3DModel->Model \"" + Key + "\" loaded on demand from " + From);
      } catch (const std::exception& E) {
        FailedKeys().insert(LowerAscii(Key));
        AddLogLine(E.what());
      }
      i = FindModel(Key);
    }
  }
  if (i == -1) return;
  const T3DModel& M = *gModels[static_cast<std::size_t>(i)];
  glPushMatrix();
  glRotatef(90.0f, -1.0f, 0.0f, 0.0f);
  if (!Uncentred) glTranslatef(-M.Size.X / 2, -M.Size.Y / 2, -M.Size.Z / 2);
  if (gUsePlainModels && M.PlainList != 0 && glIsList(M.PlainList))
    glCallList(M.PlainList);
  else
    glCallList(M.DisplayList);
  glPopMatrix();
}

void FreeModels() {
  gModels.clear();
  gModelNames.clear();
  FailedKeys().clear();
  ForgetMissingModelTextures();
}
