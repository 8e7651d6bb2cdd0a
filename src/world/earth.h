#pragma once
// The world container: loads the regions into gRegions and frees them, and keeps the globe's
// view values. The game object owns the one TEarth. Its three display lists are compiled by
// CreateDisplayLists (earth_draw.cpp), the only part of it that needs a GL context.
#include <cstdint>
#include <string>

#include "engine/vectors.h"

class TXMLDocument;

class TEarth {
public:
  std::uint32_t AtmosphereList = 0;  // display list of the atmosphere ring
  float Atmosphere = 0.0f;
  std::uint32_t SphereList = 0;  // display list of the unit sphere
  float Life = 0.0f;
  std::uint32_t SymbolList = 0;  // display list of the region-symbol quad
  // Degrees. The world data's layout (content/README.md): a region at latitude B, longitude L has
  // Position3D = 52 * (cos B sin L, -cos B cos L, sin B) and faces the camera at rotation (B, -L).
  float RotationX = 0.0f, RotationY = 0.0f, RotationZ = 0.0f;
  TVector3 Position = MakeVector3(0.0f, 0.6f, 0.0f);
  float Zoom = 0.0f;  // 0.4 .. 1.4 while playing
  // The selected region, -1 for none; written only by SelectRegion.
  std::int32_t SelRegion = -1;

  // The one writer of the selection: sets SelRegion and its copy gSelectedRegion, which the rules
  // and windows read, so the globe and the windows never disagree.
  void SelectRegion(std::int32_t Index);

  // Compiles the three display lists; needs a current GL context. The lists live as long as it.
  void CreateDisplayLists();
  // The region-symbol quad alone, 3 wide, without its outline: the flag of SymbolList, the quad by
  // which the globe's pick pass finds a region under the mouse, and (1.5 high each way) the plain
  // square of nobody's and the rebels' regions.
  static void DrawSymbolQuad(float HalfHeight = 0.75f);
  // Deletes the three display lists (while the GL context still exists); none are left.
  void FreeDisplayLists();
  // Start-up and new game: view defaults, no selection, the regions read from FileName
  // ("data\XML\regions.xml") and every region's building slots and defensive army emptied.
  void Init(const std::string& FileName);
  // Reads the region data file into gRegions, reusing the region objects already there. The
  // whole file is checked first: on an error nothing in gRegions has changed.
  void LoadRegions(const std::string& FileName);
  void LoadRegionsFromDocument(const TXMLDocument& Document);
  // Frees every region and empties gRegions.
  void Destroy();
};
