#pragma once
// The model registry: every 3D model of the game, read once from its ".3df" file and kept as
// OpenGL display lists, drawn by name with Draw3DModel. Models of "data\3d\" are loaded at
// start-up; those of "data\3d\ondemand\" the first time they are drawn with loading allowed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/vectors.h"

class TStream;

// One registered model: its display lists, owned. Needs the GL context to be made and freed.
class T3DModel {
public:
  // Reads FileName (a game name such as "data\3d\earth.3df", looked up on disk without regard
  // to case) and names the model after its file with extension ("earth.3df"). Throws
  // ETarnovaError naming the file when it is missing or damaged; no list is left behind then.
  T3DModel(const std::string& FileName, bool WithPlainList);
  // The same from a stream at its position, named Name.
  T3DModel(TStream& Stream, const std::string& Name, bool WithPlainList);
  ~T3DModel();
  T3DModel(const T3DModel&) = delete;
  T3DModel& operator=(const T3DModel&) = delete;

  std::uint32_t DisplayList = 0;  // drawing with materials and textures
  std::uint32_t PlainList = 0;    // the same without materials and textures, 0 when not made
  TVector3 Size;                  // (0, 0, 0) for every model: extents are not measured
  std::string Name;

private:
  void Build(TStream& Stream, bool WithPlainList);
};

// Appends a model to gModels and its name to gModelNames, keeping the two in step.
void RegisterModel(std::unique_ptr<T3DModel> Model);
// The index of Key in gModelNames (letter case ignored, the first wins), or -1.
int FindModel(const std::string& Key);
// The registry key of a name given to Draw3DModel: upper-cased when it has a dot, else + ".3df".
std::string ModelKey(const std::string& Name);
// Loads every ".3df" model of Folder ("data\3d\"): from disk when the folder is there, else
// from the package. Names holding "symbol" or "building_" also get a plain list. A damaged
// model is logged and left out. Returns the number registered.
int LoadModelFolder(const std::string& Folder);
// Draws a registered model; with LoadOnDemand a missing one is first loaded from
// "data\3d\ondemand\". Reserved has no effect. A model that cannot be found draws nothing.
// A centred draw moves the model back by half its Size, which is zero: both draws leave the model
// at its own origin, so each model file puts its origin where its callers want it.
void Draw3DModel(const std::string& Name, int Reserved, bool Uncentred, bool LoadOnDemand);
// Frees every model (with the GL context still current) and empties the registry.
void FreeModels();
