#include "world/type_references.h"

#include "platform/errors.h"
#include "world/building_type.h"
#include "world/technology.h"
#include "world/unit_type.h"

namespace {
constexpr const char* Where = "CheckTypeReferences->";

std::string FileOf(const std::string& Origin) {
  // Origin reads "\"file\" line 3, element <unit>": the file is the quoted start.
  std::size_t End = Origin.size() > 1 ? Origin.find('"', 1) : std::string::npos;
  return End == std::string::npos ? Origin : Origin.substr(0, End + 1);
}
}  // namespace

void CheckTypeReferences(const TTechnologyTree& Technologies, const TUnitTypePool& Units,
                         const TBuildingTypePool& Buildings) {
  // A needed technology that no technology has only keeps its type from ever being built.
  (void)Technologies;
  const std::string UnitFile = Units.Types.empty() ? "the unit types" : FileOf(Units.Types.front()->Origin);
  for (const char* ID : {"INF_LIGHT", "INF_HEAVY", "AIR_FIGHTER", "MOB_ENVCHANGER"})
    if (!Units.FindByID(ID))
      throw EDataError(Where + UnitFile + ": the unit type \"" + ID + "\" is missing; the game needs it");
  bool HasRebels = false;
  for (const auto& U : Units.Types) HasRebels = HasRebels || U->Nation == 6;
  if (!HasRebels)
    throw EDataError(Where + UnitFile + ": no unit type of nation 6; regions held by rebels need one");

  std::string BuildingFile = "the building types";
  if (Buildings.Types.size() > 1) BuildingFile = FileOf(Buildings.Types.front()->Origin);
  for (const char* ID : {"building_airdefense", "building_bunker"})
    if (!Buildings.FindByID(ID))
      throw EDataError(Where + BuildingFile + ": the building type \"" + ID + "\" is missing; the game needs it");
}
