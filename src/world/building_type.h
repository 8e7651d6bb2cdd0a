#pragma once
// Building types and their effects, loaded once at start-up from "data\XML\buildings.xml" into
// gBuildingTypePool. Regions hold references to types in their building slots and sum the effect
// values of finished buildings; spies remember types, and an extra last type stands for a
// building a spy could not make out. Savegames name a type by its first-language name.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/constants.h"

class TXMLDocument;

// One effect of a building type: a registered effect variable and its strength.
struct TBuildingEffect {
  std::string Name;     // effect variable such as "region.growth"
  std::string Icon;     // texture of the effect's icon; empty for variables without one
  std::string TextKey;  // localisation key of the effect's text; empty likewise
  std::int32_t Value = 0;  // "+" minus "-" written after the variable
};

// What a building type mainly does; the computer opponents choose what to build by it.
enum TBuildingCategory : std::int32_t {
  bcUnidentified = -1,  // the type a spy reports for a building it has not identified
  bcEnergy = 0,
  bcRessources = 1,
  bcMaxPopulation = 2,
  bcGrowth = 3,
  bcScience = 4,
  bcDefense = 5,
  bcLoyality = 6,
  bcPollution = 7,
};

class TBuildingType {
public:
  TBuildingType();  // Names sized to the number of languages

  std::vector<TBuildingEffect> Effects;  // in round-script line order
  TStringList Names;
  std::string ID;  // key and model name ("model3d"); "building_dummy" when the file leaves it empty
  std::string NeededTechID;
  std::int32_t PreviewTexture = 0;  // 0 when the picture is missing
  std::int32_t Nation = 0;
  std::int32_t BuildTime = 0;
  std::int32_t BuildCost = 0;
  TStringList FinishScript;
  TStringList RoundScript;  // handed to the script runner each round; the source of Effects
  TStringList Description;
  std::int32_t Category = bcEnergy;  // a TBuildingCategory
  std::int32_t Number = 0;    // place in the pool; -1 for the unidentified type
  std::string Origin;         // where the type stands in its data file, for messages

  const std::string& GetName() const;  // current language; ERangeError outside Names
  // Value of the first effect named Name (letter case ignored); -1 when there is none.
  std::int32_t GetEffectValue(const std::string& Name) const;

  // The localised text of an effect's row; empty for a variable without a text.
  static std::string EffectText(const TBuildingEffect& Effect);
  // The box size DrawEffects reports, given the font's text width: 128 wide, or wider for a long
  // name or a long effect row; 15 per effect plus three rows and 5 high. Needs no GL context.
  void MeasureEffects(const std::function<float(const std::string&)>& TextWidth, std::int32_t& Width,
                      std::int32_t& Height) const;
  // The type's information box in a game window (drawing source: building_type_draw.cpp).
  void DrawEffects(float X, float Y, float Z, std::int32_t& Width, std::int32_t& Height) const;
  void DrawInfo(float X, float Y, float Z, bool EffectsOnly) const;
};

// Owns every building type: the file's types in file order, then the unidentified type.
class TBuildingTypePool {
public:
  std::vector<std::unique_ptr<TBuildingType>> Types;
  // The registered effect-variable names (gScriptManager's); set by the game before loading,
  // not owned. No list (or an empty one) gives types without effects.
  const TStringList* Variables = nullptr;

  // Reads the file through gVirtualFileSystem. On any error (EDataError naming file, line,
  // element and value) the pool keeps what it held before. Preview textures come from TextureId,
  // or from gTextureManager when none is given.
  void LoadFromXML(const std::string& FileName, const TTextureIdLookup& TextureId = {});
  void LoadFromDocument(const TXMLDocument& Document, const TTextureIdLookup& TextureId = {});

  // The type whose current-language name equals Name (letter case ignored), else the one whose
  // first-language name does; nullptr when none.
  TBuildingType* FindByName(const std::string& Name) const;
  TBuildingType* FindByID(const std::string& Key) const;
  // -1 gives the unidentified type; a number no type has gives nullptr.
  TBuildingType* FindByNumber(std::int32_t Number) const;
  // The unidentified type ("building_unknown"), always the last; nullptr before loading.
  TBuildingType* UnknownType() const;

  // The effects that round-script lines give: per line the last registered variable (in
  // registry order) found in it, with "+" minus "-" counted after its first occurrence.
  static std::vector<TBuildingEffect> ParseEffects(const TStringList& RoundScript, const TStringList& Variables);
};
