#include "world/region_save.h"

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "platform/checked.h"
#include "platform/xml_document.h"
#include "world/building_type.h"
#include "world/savegame_values.h"
#include "world/world_globals.h"
#include "world/xml_values.h"

namespace {
constexpr std::string_view LoadContext = "TRegion->LoadFromXML->";

// The savegame's value elements and the region fields they hold, in writing order.
struct TValueField {
  const char* Element;
  float TRegion::*Current;
  float TRegion::*Last;
};
constexpr TValueField ValueFields[] = {
    {"population", &TRegion::Population, &TRegion::PopulationLast},
    {"populationgrowth", &TRegion::Growth, &TRegion::GrowthLast},
    {"loyality", &TRegion::Loyality, &TRegion::LoyalityLast},
    {"ressources", &TRegion::Ressources, &TRegion::RessourcesLast},
    {"pollution", &TRegion::Pollution, &TRegion::PollutionLast},
    {"defense", &TRegion::Defense, &TRegion::DefenseLast},
    {"energy", &TRegion::Energy, &TRegion::EnergyLast},
};
static_assert(std::size(ValueFields) * 2 == std::tuple_size_v<decltype(TRegionSaveState::Values)>);

// A building type by its saved name; "none" is no type. A name no type bears any more (a type
// renamed or removed from the data) leaves the slot empty and is logged, so the game still loads.
const TBuildingType* ReadBuildingType(const TXMLNode& Node, std::string_view Attribute) {
  const std::string Name = ReadTextAttribute(LoadContext, Node, Attribute);
  if (Name == "none") return nullptr;
  const TBuildingType* Type = gBuildingTypePool ? gBuildingTypePool->FindByName(Name) : nullptr;
  if (!Type) LogSkippedValue(LoadContext, Node, Attribute, Name, "no building type has this name, the slot stays empty");
  return Type;
}

const std::string& FirstName(const TBuildingType* Type) {
  static const std::string None = "none";
  return Type && !Type->Names.empty() ? Type->Names.front() : None;
}
}  // namespace

void TRegion::SaveToXML(TXMLNode Parent) const {
  TXMLNode Region = Parent.AppendChild("region");
  TXMLNode NeighbourList = Region.AppendChild("neighbors");
  SetIntAttribute(NeighbourList, "count", static_cast<std::int64_t>(Neighbours.size()));
  for (std::int32_t Neighbour : Neighbours) SetIntAttribute(NeighbourList.AppendChild("neighbor"), "ID", Neighbour);
  TXMLNode Position = Region.AppendChild("position3D");
  SetFloatAttribute(Position, "x", Position3D.X);
  SetFloatAttribute(Position, "y", Position3D.Y);
  SetFloatAttribute(Position, "z", Position3D.Z);
  Region.SetAttribute("name", InRange(Names, gLocalization.LanguageIndex) ? GetName() : std::string());
  SetIntAttribute(Region, "owner", Owner);
  Region.SetAttribute("statusicon", StatusIcon);
  TXMLNode Slots = Region.AppendChild("buildings");
  SetIntAttribute(Slots, "count", 3);  // the number of slot rows; nine slots follow
  for (const auto& Row : Buildings)
    for (const TBuilding& Slot : Row) {
      TXMLNode Building = Slots.AppendChild("building");
      SetIntAttribute(Building, "finishtime", Slot.FinishTime);
      Building.SetAttribute("finishtype", FirstName(Slot.FinishType));
      Building.SetAttribute("type", FirstName(Slot.Type));
    }
  TXMLNode Values = Region.AppendChild("statistics");
  for (const TValueField& Field : ValueFields) {
    TXMLNode Value = Values.AppendChild(Field.Element);
    SetFloatAttribute(Value, "current", this->*Field.Current);
    SetFloatAttribute(Value, "last", this->*Field.Last);
  }
  SetIntAttribute(Values, "ID", ID);
}

void TRegion::LoadFromXML(const TXMLNode& Node) { ApplyRegionState(*this, ReadRegionState(Node)); }

TRegionSaveState ReadRegionState(const TXMLNode& Node) {
  TRegionSaveState State;
  State.Owner = static_cast<std::uint8_t>(ReadIntAttribute(LoadContext, Node, "owner", 0, TRegion::OwnerRebels));
  State.StatusIcon = Node.AttributeOr("statusicon", "");
  const TXMLNode SlotList = RequiredChild(LoadContext, Node, "buildings");
  const std::vector<TXMLNode> Slots = RequiredChildren(LoadContext, SlotList, 9, "building");
  for (std::size_t k = 0; k < 9; ++k) {
    TBuilding& Slot = State.Buildings[k / 3][k % 3];
    Slot.FinishTime = ReadIntAttribute(LoadContext, Slots[k], "finishtime");
    Slot.FinishType = ReadBuildingType(Slots[k], "finishtype");
    Slot.Type = ReadBuildingType(Slots[k], "type");
  }
  const TXMLNode Values = RequiredChild(LoadContext, Node, "statistics");
  for (std::size_t i = 0; i < std::size(ValueFields); ++i) {
    const TXMLNode Value = RequiredChild(LoadContext, Values, ValueFields[i].Element);
    State.Values[2 * i] = ReadFloatAttribute(LoadContext, Value, "current");
    State.Values[2 * i + 1] = ReadFloatAttribute(LoadContext, Value, "last");
  }
  return State;
}

void ApplyRegionState(TRegion& Region, TRegionSaveState&& State) noexcept {
  Region.Spy = nullptr;
  Region.Owner = State.Owner;
  Region.StatusIcon = std::move(State.StatusIcon);
  Region.Buildings = State.Buildings;
  for (std::size_t i = 0; i < std::size(ValueFields); ++i) {
    Region.*ValueFields[i].Current = State.Values[2 * i];
    Region.*ValueFields[i].Last = State.Values[2 * i + 1];
  }
}
