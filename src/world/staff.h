#pragma once
// The three kinds of staff a nation employs. The same classes serve as offers of the transfer
// market and as hired staff; whichever list holds one owns it. Hiring copies an offer with Assign.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "world/object_serial.h"

class TBuildingType;
class TDivision;
class TNation;
class TRegion;
class TXMLNode;

class TScientist {
public:
  std::string Name;
  std::string Image;  // portrait texture name
  std::int32_t Cost = 0;
  std::int32_t Wage = 0;
  float Military = 0.0f;  // military research skill
  float Civil = 0.0f;     // civil research skill
  std::int32_t OfferedTurn = 0;
  std::uint64_t Serial = NewObjectSerial();  // tells it from a later object in the same memory

  // Copies everything but OfferedTurn and Serial into Target.
  void Assign(TScientist& Target) const;
  // Savegame element (staff_save.cpp): attributes on Node. A broken element throws EDataError
  // and leaves the object as it was.
  void SaveToXML(TXMLNode Node) const;
  void LoadFromXML(const TXMLNode& Node);
};

class TGeneral {
public:
  std::string Name;
  std::string Image;
  std::int32_t Cost = 0;
  std::int32_t Wage = 0;
  TDivision* Division = nullptr;  // the division he leads; it points back
  float Defense = 0.0f;
  float Attack = 0.0f;
  float Movement = 0.0f;
  std::int32_t OfferedTurn = 0;
  std::uint64_t Serial = NewObjectSerial();  // tells him from a later object in the same memory

  // Copies everything but Division, OfferedTurn and Serial into Target.
  void Assign(TGeneral& Target) const;
  // Savegame element; his division link is saved by the division.
  void SaveToXML(TXMLNode Node) const;
  void LoadFromXML(const TXMLNode& Node);
};

class TSpy {
public:
  std::string Name;
  std::string Image;
  TRegion* Region = nullptr;  // the region it is infiltrated in; the region's Spy points back
  std::int32_t RoundInfiltrated = -1;
  std::int32_t Cost = 0;
  std::int32_t Wage = 0;
  bool HasAction = false;
  TNation* Nation = nullptr;  // employer; none for a market offer
  float Espionage = 0.0f;
  float Sabotage = 0.0f;
  float Hiding = 0.0f;
  std::int32_t BuildingDataTurn = -1;
  // Building types reported for the region's slots [row][column]; the unidentified type where the
  // spy saw nothing.
  std::array<std::array<const TBuildingType*, 3>, 3> BuildingData{};
  std::int32_t DivisionDataTurn = -1;
  std::vector<std::string> DivisionData;  // the last division report, one line per entry
  std::int32_t OfferedTurn = 0;
  std::uint64_t Serial = NewObjectSerial();  // tells it from a later object in the same memory

  TSpy() = default;
  TSpy(const TSpy&) = delete;
  TSpy& operator=(const TSpy&) = delete;
  // A spy freed while infiltrated leaves its region without a spy.
  ~TSpy();

  // Copies everything but OfferedTurn and Serial into Target, the reports included.
  void Assign(TSpy& Target) const;
  // Forgets the reports (every slot the unidentified building type) and the infiltration round.
  void ResetBuildingData();
  // Ends an infiltration: unlinks the spy and its region; the spy has no action left this round.
  void Withdraw();

  // The spy's actions (spy_actions.cpp); a success uses up the spy's action for the round.
  // False means the spy was caught: the caller removes it from its nation. A spy that is not
  // infiltrated does nothing and reports success.
  bool Infiltrate(TRegion& Target);
  bool ObtainBuildingData();
  bool ObtainDivisionData();
  // The sabotage action ("sabotage_underminemorale", "sabotage_disablepower",
  // "sabotage_sabotagedivision", "sabotage_disabledivision"); named apart from the skill field.
  enum class TSabotageResult { Caught, Done, NothingToSabotage };
  TSabotageResult DoSabotage(const std::string& Action);

  // Savegame element with its reports; loading links the spy and its region both ways and
  // keeps Nation.
  void SaveToXML(TXMLNode Node) const;
  void LoadFromXML(const TXMLNode& Node);
};

// A skill of a kind of staff: its savegame attribute, its field, the localisation key of its
// label and its row among the skills of the market window's attribute panel. Each kind's list, in
// the order the skills are drawn, priced and saved, drives the copying, the savegame, the market
// offers and the attribute panel (there in row order: a general's attack stands above his
// defence, as in the region window).
template <typename T>
struct TStaffSkill {
  const char* Attribute;
  float T::*Field;
  const char* LabelKey;
  std::int32_t PanelRow;
};
template <typename T>
std::span<const TStaffSkill<T>> StaffSkills();
template <>
std::span<const TStaffSkill<TScientist>> StaffSkills<TScientist>();
template <>
std::span<const TStaffSkill<TGeneral>> StaffSkills<TGeneral>();
template <>
std::span<const TStaffSkill<TSpy>> StaffSkills<TSpy>();

// Copies what every kind has (name, portrait, cost, wage, skills) from From into To.
template <typename T>
void CopyStaff(const T& From, T& To) {
  To.Name = From.Name;
  To.Image = From.Image;
  To.Cost = From.Cost;
  To.Wage = From.Wage;
  for (const TStaffSkill<T>& Skill : StaffSkills<T>()) To.*Skill.Field = From.*Skill.Field;
}
