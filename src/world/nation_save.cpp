#include "world/nation_save.h"

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/xml_document.h"
#include "world/region.h"
#include "world/savegame_values.h"
#include "world/staff_save.h"
#include "world/unit_type.h"
#include "world/world_globals.h"
#include "world/xml_values.h"

namespace {
constexpr std::string_view Context = "TNation->LoadFromXML->";

std::int32_t LastRegionIndex() { return static_cast<std::int32_t>(gRegions.size()) - 1; }

void SavePair(TXMLNode Parent, std::string_view Name, float Current, float Last) {
  TXMLNode Pair = Parent.AppendChild(Name);
  SetFloatAttribute(Pair, "current", Current);
  SetFloatAttribute(Pair, "last", Last);
}

void ReadPair(const TXMLNode& Parent, std::string_view Name, float& Current, float& Last) {
  const TXMLNode Pair = RequiredChild(Context, Parent, Name);
  Current = ReadFloatAttribute(Context, Pair, "current");
  Last = ReadFloatAttribute(Context, Pair, "last");
}

template <typename List, typename T>
std::int32_t PositionOf(const List& L, const T* Item) {
  for (std::size_t i = 0; i < L.size(); ++i)
    if (L[i].get() == Item) return static_cast<std::int32_t>(i);
  return -1;
}

void ReadQueue(TNationSaveState& State, const TXMLNode& Node) {
  const TXMLNode Queue = RequiredChild(Context, Node, "buildingqueue");
  const std::vector<TXMLNode> Entries = Queue.Children();
  if (Entries.size() > TNation::MaxBuildQueue)
    throw EDataError(std::string(Context) + Queue.Where() + ": " + std::to_string(Entries.size()) +
                     " queued units, at most " + std::to_string(TNation::MaxBuildQueue) + " are possible");
  const std::int32_t LastType = gUnitTypePool ? static_cast<std::int32_t>(gUnitTypePool->Types.size()) - 1 : -1;
  for (const TXMLNode& Entry : Entries) {
    State.BuildQueueTypes.push_back(ReadIntAttribute(Context, Entry, "index", 0, LastType));
    State.BuildQueueTurns.push_back(ReadIntAttribute(Context, Entry, "remainingtime"));
  }
}

void ReadStaff(TNationSaveState& State, const TXMLNode& Node) {
  const TXMLNode Staff = RequiredChild(Context, Node, "staff");
  for (const TXMLNode& Element : RequiredChild(Context, Staff, "scientists").Children()) {
    State.Scientists.push_back(std::make_unique<TScientist>());
    State.Scientists.back()->LoadFromXML(Element);
  }
  for (const TXMLNode& Element : RequiredChild(Context, Staff, "generals").Children()) {
    State.Generals.push_back(std::make_unique<TGeneral>());
    State.Generals.back()->LoadFromXML(Element);
  }
  for (const TXMLNode& Element : RequiredChild(Context, Staff, "spies").Children()) {
    State.Spies.push_back(std::make_unique<TSpy>());
    State.SpyRegions.push_back(ReadSpyElement(*State.Spies.back(), Element));
  }
}

// Generals' names come from a random first and last name, so two generals may bear the same
// one. Each army takes the first general of its name who leads no army yet, so every general
// leads at most one division and every division has exactly one general.
TGeneral& FindGeneral(TNationSaveState& State, const TXMLNode& Army, const std::string& Name) {
  bool Named = false;
  for (auto& General : State.Generals) {
    if (General->Name != Name) continue;
    Named = true;
    if (!General->Division) return *General;
  }
  if (!Named) throw EDataError(std::string(Context) + "General \"" + Name + "\" not found in list!");
  ThrowBadValue(Context, Army, "general", Name, "every general of this name leads another army already");
}

void ReadArmies(TNationSaveState& State, const TXMLNode& Node) {
  const TXMLNode Armies = RequiredChild(Context, Node, "armies");
  const std::vector<TXMLNode> Elements = CountedChildren(Context, Armies, "count", "army");
  for (std::size_t i = 0; i < Elements.size(); ++i) {
    const TXMLNode& Army = Elements[i];
    auto Division = std::make_unique<TDivision>();
    Division->Region = ReadIntAttribute(Context, Army, "region", -1, LastRegionIndex());
    // Units name their division by its position, so the saved ID must be that position.
    const std::int32_t Position = static_cast<std::int32_t>(i);
    Division->ID = ReadIntAttribute(Context, Army, "ID", Position, Position);
    Division->Name = ReadTextAttribute(Context, Army, "name");
    Division->HasMoved = ReadBoolAttribute(Context, Army, "hasmoved");
    // The region a computer opponent keeps the division for; savegames without it leave none,
    // and the opponent assigns its divisions again.
    if (Army.HasAttribute("assignedregion"))
      Division->AssignedRegion = ReadIntAttribute(Context, Army, "assignedregion", -1, LastRegionIndex());
    const std::string General = ReadTextAttribute(Context, Army, "general");
    if (General != "none") {
      TGeneral& Leader = FindGeneral(State, Army, General);
      Leader.Division = Division.get();
      Division->General = &Leader;
    }
    State.Divisions.push_back(std::move(Division));
  }
}

void ReadUnits(TNationSaveState& State, const TXMLNode& Node) {
  const TXMLNode UnitList = RequiredChild(Context, Node, "units");
  for (const TXMLNode& Element : CountedChildren(Context, UnitList, "count", "unit")) {
    auto Unit = std::make_unique<TUnit>();
    const std::string TypeID = ReadTextAttribute(Context, Element, "type");
    Unit->UnitType = gUnitTypePool ? gUnitTypePool->FindByID(TypeID) : nullptr;
    if (!Unit->UnitType) ThrowBadValue(Context, Element, "type", TypeID, "no unit type has this ID");
    Unit->Health = ReadFloatAttribute(Context, Element, "health");
    Unit->Experience = ReadFloatAttribute(Context, Element, "experience");
    Unit->Region = ReadIntAttribute(Context, Element, "region", -1, LastRegionIndex());
    Unit->Locked = ReadBoolAttribute(Context, Element, "locked");
    const std::string Owner = ReadTextAttribute(Context, Element, "owner");
    if (Owner != "none") {
      const std::int32_t Position =
          ReadIntAttribute(Context, Element, "owner", 0, static_cast<std::int32_t>(State.Divisions.size()) - 1);
      Unit->Division = State.Divisions[static_cast<std::size_t>(Position)].get();
    }
    State.Units.push_back(std::move(Unit));
  }
}

std::size_t TechnologyIndex(const TNation& Nation, const TXMLNode& Node, std::string_view Attribute,
                            const std::string& Key) {
  const TTechnology* Technology = Nation.TechnologyTree.FindByName(Key);
  const std::int32_t Index = PositionOf(Nation.TechnologyTree.Technologies, Technology);
  if (Index < 0) ThrowBadValue(Context, Node, Attribute, Key, "no technology has this ID");
  return static_cast<std::size_t>(Index);
}

void ReadTechnologies(TNationSaveState& State, const TNation& Nation, const TXMLNode& Node) {
  const TXMLNode Tree = RequiredChild(Context, Node, "technologytree");
  const std::string Current = ReadTextAttribute(Context, Tree, "currenttechnology");
  if (Current != "none") {
    State.CurrentTechnology = static_cast<std::int32_t>(TechnologyIndex(Nation, Tree, "currenttechnology", Current));
    State.RemainingPoints = ReadFloatAttribute(Context, Tree, "remainingfactor");
  }
  for (const TXMLNode& Researched : Tree.Children())
    State.Researched.push_back(TechnologyIndex(Nation, Researched, "ID", ReadTextAttribute(Context, Researched, "ID")));
}
}  // namespace

void TNation::SaveToXML(TXMLNode Nations) const {
  TXMLNode Node = Nations.AppendChild("nation" + std::to_string(ID));
  Node.SetAttribute("name", InRange(Names, gLocalization.LanguageIndex) ? GetName() : std::string());
  Node.SetAttribute("playername", PlayerName);
  SetIntAttribute(Node, "ID", ID);
  SetIntAttribute(Node, "score", Score);
  SetBoolAttribute(Node, "aicontrolled", AIControlled);
  SetIntAttribute(Node, "aipersonality", AIPersonality);
  SetIntAttribute(Node, "aidifficulty", AIDifficulty);

  TXMLNode Queue = Node.AppendChild("buildingqueue");
  for (std::size_t i = 0; i < BuildQueueTypes.size() && i < BuildQueueTurns.size(); ++i) {
    TXMLNode Entry = Queue.AppendChild("unit");
    SetIntAttribute(Entry, "index", BuildQueueTypes[i]);
    SetIntAttribute(Entry, "remainingtime", BuildQueueTurns[i]);
  }
  SavePair(Node, "ressources", Ressources, RessourcesLast);
  SavePair(Node, "research_civil", ResearchCivil, ResearchCivilLast);
  SavePair(Node, "research_military", ResearchMilitary, ResearchMilitaryLast);

  TXMLNode Staff = Node.AppendChild("staff");
  TXMLNode ScientistList = Staff.AppendChild("scientists");
  for (const auto& Scientist : Scientists) Scientist->SaveToXML(ScientistList.AppendChild("scientist"));
  TXMLNode GeneralList = Staff.AppendChild("generals");
  for (const auto& General : Generals) General->SaveToXML(GeneralList.AppendChild("general"));
  TXMLNode SpyList = Staff.AppendChild("spies");
  for (const auto& Spy : Spies) Spy->SaveToXML(SpyList.AppendChild("spy"));

  TXMLNode UnitList = Node.AppendChild("units");
  SetIntAttribute(UnitList, "count", static_cast<std::int64_t>(Units.size()));
  for (const auto& Unit : Units) {
    TXMLNode Element = UnitList.AppendChild("unit");
    Element.SetAttribute("type", Unit->UnitType ? Unit->UnitType->ID : std::string());
    SetFloatAttribute(Element, "health", Unit->Health);
    SetFloatAttribute(Element, "experience", Unit->Experience);
    SetIntAttribute(Element, "region", Unit->Region);
    SetBoolAttribute(Element, "locked", Unit->Locked);
    // The division by its position in Divisions, which its ID is kept equal to.
    const std::int32_t Owner = PositionOf(Divisions, Unit->Division);
    Element.SetAttribute("owner", Owner >= 0 ? std::to_string(Owner) : std::string("none"));
  }

  TXMLNode Armies = Node.AppendChild("armies");
  SetIntAttribute(Armies, "count", static_cast<std::int64_t>(Divisions.size()));
  for (const auto& Division : Divisions) {
    TXMLNode Army = Armies.AppendChild("army");
    SetIntAttribute(Army, "region", Division->Region);
    SetIntAttribute(Army, "ID", Division->ID);
    Army.SetAttribute("name", Division->Name);
    SetBoolAttribute(Army, "hasmoved", Division->HasMoved);
    Army.SetAttribute("general", Division->General ? Division->General->Name : std::string("none"));
    SetIntAttribute(Army, "assignedregion", Division->AssignedRegion);
  }

  TXMLNode Tree = Node.AppendChild("technologytree");
  const TTechnology* Current = TechnologyTree.Current;
  Tree.SetAttribute("currenttechnology", Current ? Current->ID : std::string("none"));
  if (Current) SetFloatAttribute(Tree, "remainingfactor", Current->RemainingPoints);
  for (const auto& Technology : TechnologyTree.Technologies)
    if (Technology->Researched) Tree.AppendChild("researchedtech").SetAttribute("ID", Technology->ID);

  TXMLNode HotSeat = Node.AppendChild("hotseat");
  SetFloatAttribute(HotSeat, "lastgloberotation.x", LastGlobeRotationX);
  SetFloatAttribute(HotSeat, "lastgloberotation.y", LastGlobeRotationY);
  SetFloatAttribute(HotSeat, "lastglobezoom", LastGlobeZoom);
}

void TNation::LoadFromXML(const TXMLNode& Node) { ApplyNationState(*this, ReadNationState(*this, Node)); }

TNationSaveState ReadNationState(const TNation& Nation, const TXMLNode& Node) {
  TNationSaveState State;
  State.Score = ReadIntAttribute(Context, Node, "score");
  State.AIControlled = ReadBoolAttribute(Context, Node, "aicontrolled");
  if (auto PlayerName = Node.Attribute("playername")) State.PlayerName = std::move(*PlayerName);
  ReadQueue(State, Node);
  ReadPair(Node, "ressources", State.Ressources, State.RessourcesLast);
  ReadPair(Node, "research_civil", State.ResearchCivil, State.ResearchCivilLast);
  ReadPair(Node, "research_military", State.ResearchMilitary, State.ResearchMilitaryLast);
  ReadStaff(State, Node);
  ReadArmies(State, Node);
  ReadUnits(State, Node);
  ReadTechnologies(State, Nation, Node);
  if (const TXMLNode HotSeat = Node.Child("hotseat"))
    State.HotSeat = std::array<float, 3>{ReadFloatAttribute(Context, HotSeat, "lastgloberotation.x"),
                                         ReadFloatAttribute(Context, HotSeat, "lastgloberotation.y"),
                                         ReadFloatAttribute(Context, HotSeat, "lastglobezoom")};
  return State;
}

void ApplyNationState(TNation& Nation, TNationSaveState&& State) noexcept {
  Nation.Score = State.Score;
  Nation.AIControlled = State.AIControlled;
  if (State.PlayerName) Nation.PlayerName = std::move(*State.PlayerName);
  Nation.BuildQueueTypes = std::move(State.BuildQueueTypes);
  Nation.BuildQueueTurns = std::move(State.BuildQueueTurns);
  Nation.Ressources = State.Ressources;
  Nation.RessourcesLast = State.RessourcesLast;
  Nation.ResearchCivil = State.ResearchCivil;
  Nation.ResearchCivilLast = State.ResearchCivilLast;
  Nation.ResearchMilitary = State.ResearchMilitary;
  Nation.ResearchMilitaryLast = State.ResearchMilitaryLast;

  // The old spies let go of their regions as they are freed; the new ones take theirs.
  Nation.Scientists = std::move(State.Scientists);
  Nation.Generals = std::move(State.Generals);
  Nation.Spies = std::move(State.Spies);
  for (std::size_t i = 0; i < Nation.Spies.size(); ++i) {
    TSpy& Spy = *Nation.Spies[i];
    Spy.Nation = &Nation;
    const std::int32_t RegionIndex = i < State.SpyRegions.size() ? State.SpyRegions[i] : -1;
    if (RegionIndex >= 0 && static_cast<std::size_t>(RegionIndex) < gRegions.size()) {
      Spy.Region = gRegions[static_cast<std::size_t>(RegionIndex)].get();
      Spy.Region->Spy = &Spy;
    }
  }
  Nation.Divisions = std::move(State.Divisions);
  for (auto& Division : Nation.Divisions) Division->Nation = &Nation;
  Nation.Units = std::move(State.Units);

  TTechnologyTree& Tree = Nation.TechnologyTree;
  Tree.Reset();
  if (State.CurrentTechnology >= 0 && static_cast<std::size_t>(State.CurrentTechnology) < Tree.Technologies.size()) {
    Tree.Current = Tree.Technologies[static_cast<std::size_t>(State.CurrentTechnology)].get();
    Tree.Current->RemainingPoints = State.RemainingPoints;
  }
  for (std::size_t Index : State.Researched)
    if (Index < Tree.Technologies.size()) Tree.Technologies[Index]->Researched = true;

  if (State.HotSeat) {
    Nation.LastGlobeRotationX = (*State.HotSeat)[0];
    Nation.LastGlobeRotationY = (*State.HotSeat)[1];
    Nation.LastGlobeZoom = (*State.HotSeat)[2];
  }
}
