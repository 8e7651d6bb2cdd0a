#include "world/staff.h"

#include "platform/xml_document.h"
#include "world/building_type.h"
#include "world/region.h"
#include "world/savegame_values.h"
#include "world/staff_save.h"
#include "world/world_globals.h"
#include "world/xml_values.h"

namespace {
// A spy's report of a building slot that holds no type at all.
constexpr std::int32_t NoBuildingNumber = -2;

// Scientists and generals: name, cost, wage, the skills, the portrait.
template <typename T>
void SaveHiredStaff(TXMLNode Node, const T& Staff) {
  Node.SetAttribute("name", Staff.Name);
  SetIntAttribute(Node, "cost", Staff.Cost);
  SetIntAttribute(Node, "wage", Staff.Wage);
  SaveStaffSkills(Node, Staff);
  Node.SetAttribute("image", Staff.Image);
}

// Reads into a fresh object first, so a broken element leaves Staff as it was.
template <typename T>
void LoadHiredStaff(std::string_view Context, const TXMLNode& Node, T& Staff) {
  T Read;
  ReadStaffAttributes(Context, Node, Read);
  Read.Assign(Staff);
  Staff.OfferedTurn = 0;
}
}  // namespace

template <typename T>
void SaveStaffSkills(TXMLNode Node, const T& Staff) {
  for (const TStaffSkill<T>& Skill : StaffSkills<T>()) SetFloatAttribute(Node, Skill.Attribute, Staff.*Skill.Field);
}

template <typename T>
void ReadStaffAttributes(std::string_view Context, const TXMLNode& Node, T& Staff) {
  Staff.Name = ReadTextAttribute(Context, Node, "name");
  Staff.Cost = ReadIntAttribute(Context, Node, "cost");
  Staff.Wage = ReadIntAttribute(Context, Node, "wage");
  for (const TStaffSkill<T>& Skill : StaffSkills<T>())
    Staff.*Skill.Field = ReadFloatAttribute(Context, Node, Skill.Attribute);
  Staff.Image = ReadTextAttribute(Context, Node, "image");
}

template void SaveStaffSkills(TXMLNode, const TScientist&);
template void SaveStaffSkills(TXMLNode, const TGeneral&);
template void SaveStaffSkills(TXMLNode, const TSpy&);
template void ReadStaffAttributes(std::string_view, const TXMLNode&, TScientist&);
template void ReadStaffAttributes(std::string_view, const TXMLNode&, TGeneral&);
template void ReadStaffAttributes(std::string_view, const TXMLNode&, TSpy&);

void TScientist::SaveToXML(TXMLNode Node) const { SaveHiredStaff(Node, *this); }

void TScientist::LoadFromXML(const TXMLNode& Node) { LoadHiredStaff("TScientist->LoadFromXML->", Node, *this); }

void TGeneral::SaveToXML(TXMLNode Node) const { SaveHiredStaff(Node, *this); }

void TGeneral::LoadFromXML(const TXMLNode& Node) { LoadHiredStaff("TGeneral->LoadFromXML->", Node, *this); }

void TSpy::SaveToXML(TXMLNode Node) const {
  Node.SetAttribute("name", Name);
  SetIntAttribute(Node, "region", Region ? Region->ID : -1);
  SetIntAttribute(Node, "cost", Cost);
  SetIntAttribute(Node, "wage", Wage);
  SetBoolAttribute(Node, "hasaction", HasAction);
  SaveStaffSkills(Node, *this);
  Node.SetAttribute("image", Image);
  SetIntAttribute(Node, "roundinfiltrated", RoundInfiltrated);
  TXMLNode Buildings = Node.AppendChild("buildingdata");
  SetIntAttribute(Buildings, "lastobtained", BuildingDataTurn);
  for (const auto& Row : BuildingData)
    for (const TBuildingType* Type : Row)
      SetIntAttribute(Buildings.AppendChild("data"), "ID", Type ? Type->Number : NoBuildingNumber);
  TXMLNode Report = Node.AppendChild("divisiondata");
  SetIntAttribute(Report, "lastobtained", DivisionDataTurn);
  SetIntAttribute(Report, "length", static_cast<std::int64_t>(DivisionData.size()));
  for (std::size_t i = 0; i < DivisionData.size(); ++i) Report.SetAttribute("data" + std::to_string(i), DivisionData[i]);
}

std::int32_t ReadSpyElement(TSpy& Spy, const TXMLNode& Node) {
  constexpr std::string_view Context = "TSpy->LoadFromXML->";
  Spy.ResetBuildingData();
  ReadStaffAttributes(Context, Node, Spy);
  const std::int32_t RegionIndex =
      ReadIntAttribute(Context, Node, "region", -1, static_cast<std::int32_t>(gRegions.size()) - 1);
  Spy.HasAction = ReadBoolAttribute(Context, Node, "hasaction");
  Spy.RoundInfiltrated = ReadIntAttribute(Context, Node, "roundinfiltrated");

  const TXMLNode Buildings = RequiredChild(Context, Node, "buildingdata");
  Spy.BuildingDataTurn = ReadIntAttribute(Context, Buildings, "lastobtained");
  const std::vector<TXMLNode> Slots = RequiredChildren(Context, Buildings, 9, "data");
  for (std::size_t k = 0; k < 9; ++k) {
    const std::int32_t Number = ReadIntAttribute(Context, Slots[k], "ID");
    const TBuildingType* Type = nullptr;
    if (Number != NoBuildingNumber) {
      // A number no type bears any more reports no building; the game still loads.
      Type = gBuildingTypePool ? gBuildingTypePool->FindByNumber(Number) : nullptr;
      if (!Type)
        LogSkippedValue(Context, Slots[k], "ID", std::to_string(Number),
                        "no building type has this number, the report shows no building");
    }
    Spy.BuildingData[k / 3][k % 3] = Type;
  }

  const TXMLNode Report = RequiredChild(Context, Node, "divisiondata");
  Spy.DivisionDataTurn = ReadIntAttribute(Context, Report, "lastobtained");
  // The lines are read one by one, so a huge "length" fails at the first missing line instead
  // of reserving room for it.
  const std::int32_t Length = ReadIntAttribute(Context, Report, "length", 0);
  for (std::int32_t i = 0; i < Length; ++i)
    Spy.DivisionData.push_back(ReadTextAttribute(Context, Report, "data" + std::to_string(i)));
  Spy.OfferedTurn = 0;
  return RegionIndex;
}

void TSpy::LoadFromXML(const TXMLNode& Node) {
  TSpy Read;
  const std::int32_t RegionIndex = ReadSpyElement(Read, Node);
  if (Region && Region->Spy == this) Region->Spy = nullptr;
  TNation* Employer = Nation;
  Read.Assign(*this);
  Nation = Employer;
  OfferedTurn = 0;
  Region = RegionIndex >= 0 ? gRegions[static_cast<std::size_t>(RegionIndex)].get() : nullptr;
  if (Region) Region->Spy = this;
}
