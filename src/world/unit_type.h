#pragma once
// Unit types: the kinds of military unit the nations build, loaded once at start-up from
// "data\XML\units.xml" into gUnitTypePool. Units point to their type; the build queue stores a
// type's index in the pool; savegames name a type by its ID.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/constants.h"

class TNation;
class TTechnologyTree;
class TXMLDocument;

class TUnitType {
public:
  TUnitType();  // Names sized to the number of languages

  TStringList Names;         // one per language, in the localisation's language order
  std::string Model3D;       // "model3d"
  std::string ID;            // "ID"; the key savegames use
  std::string NeededTechID;  // empty: no technology needed
  std::string Category;      // unit class such as "air"; selects technology bonuses
  float Health = 0;
  float BuildCost = 0;
  std::int32_t BuildTime = 0;
  std::int32_t Index = 0;  // place in the pool
  float RoundCost = 0;
  std::int32_t MoveRadius = 0;
  std::int32_t AttackRadius = 0;
  std::int32_t Nation = 0;  // 0 every nation, 1..4 that nation only, 6 rebels
  std::int32_t DefAir = 0;
  std::int32_t DefGround = 0;
  std::int32_t AttAir = 0;
  std::int32_t AttGround = 0;  // also the basis of a division's stars
  std::uint32_t PreviewTexture = 0;
  TStringList Description;  // sections "#GER", "#ENG", ...
  std::string Origin;       // where the type stands in its data file, for messages

  // The name in the current language; a language index outside Names throws ERangeError.
  const std::string& GetName() const;
  // "defense.ground", "defense.air", "attack.ground", "attack.air" or "health" (any letter case),
  // raised by the first technology bonus line for this type's category that the nation (or
  // tree) has researched; any other name gives 0.
  float GetValue(const std::string& Name, const TNation& Nation) const;
  float GetValue(const std::string& Name, const TTechnologyTree& Tree) const;
};

// Owns every unit type, in file order.
class TUnitTypePool {
public:
  std::vector<std::unique_ptr<TUnitType>> Types;
  std::string FileName;  // the file the types were read from, for messages about them

  // Reads the file through gVirtualFileSystem. On any error (EDataError naming file, line,
  // element and value) the pool keeps what it held before. Preview textures come from TextureId,
  // or from gTextureManager when none is given.
  void LoadFromXML(const std::string& FileName, const TTextureIdLookup& TextureId = {});
  void LoadFromDocument(const TXMLDocument& Document, const TTextureIdLookup& TextureId = {});
  // The first type whose ID equals Key without regard to letter case; nullptr when none.
  TUnitType* FindByID(const std::string& Key) const;
};
