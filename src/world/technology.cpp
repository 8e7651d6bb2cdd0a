#include "world/technology.h"

#include <unordered_set>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/virtual_file_system.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"
#include "world/xml_values.h"
#include "world/building_type.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {
constexpr const char* LoadWhere = "TTechnologyTree->LoadFromXML->";

std::unique_ptr<TTechnology> ReadTechnology(const TXMLNode& Node, TTechnologyTree* Tree) {
  auto T = std::make_unique<TTechnology>(Tree);
  T->Names[0] = ReadTextAttribute(LoadWhere, Node, "nameger");
  T->Names[1] = ReadTextAttribute(LoadWhere, Node, "nameeng");
  T->Image = ReadTextAttribute(LoadWhere, Node, "image");
  if (T->Image.empty()) T->Image = "technology_default";
  // A float like every other in the data files: "." whatever the user's locale.
  T->ResearchTime = ReadFloatAttribute(LoadWhere, Node, "researchtime");
  // 0 civil, 1 military; a technology of any other category loads and is never advanced.
  T->Category = ReadIntAttribute(LoadWhere, Node, "category");
  T->ID = ReadTextAttribute(LoadWhere, Node, "ID");
  // Savegames write "none" for no current research.
  if (T->ID == "none") ThrowBadValue(LoadWhere, Node, "ID", T->ID, "\"none\" stands for no research in savegames");
  T->Description = ReadChildLines(Node, "description");
  T->RoundScript = ReadChildLines(Node, "roundscript");
  T->FinishScript = ReadChildLines(Node, "finishscript");
  for (const TXMLNode& P : Node.Child("prerequisites").Children()) T->Prerequisites.push_back(ReadTextAttribute(LoadWhere, P, "ID"));
  T->Origin = Node.Where();
  return T;
}

// Savegames name technologies by key, so no two may share one. A prerequisite that names no
// technology of the file, or a technology among its own prerequisites, only keeps it from ever
// being researched: nothing walks the prerequisites further than one step.
void CheckKeysUnique(const TXMLDocument& Document, const std::vector<std::unique_ptr<TTechnology>>& Techs) {
  std::unordered_set<std::string> Keys;
  for (std::size_t i = 0; i < Techs.size(); ++i)
    if (!Keys.insert(LowerAscii(Techs[i]->ID)).second)
      ThrowBadValue(LoadWhere, Document.Root().ChildAt(i), "ID", Techs[i]->ID, "an earlier technology has this key");
}
}  // namespace

TTechnology::TTechnology(TTechnologyTree* Owner) : Names(2), Tree(Owner) {}

const std::string& TTechnology::GetName() const {
  return At(Names, gLocalization.LanguageIndex, "TTechnology->GetName");
}

bool TTechnology::PrerequisitesMet() const {
  for (const std::string& Key : Prerequisites) {
    const TTechnology* P = Tree ? Tree->FindByName(Key) : nullptr;
    if (!P || !P->Researched) return false;
  }
  return true;
}

bool TTechnology::GetLeadsTo(TStringList& List) const {
  List.clear();
  if (Tree)
    for (const auto& T : Tree->Technologies) {
      if (T.get() == this) continue;
      for (const std::string& P : T->Prerequisites)
        if (P == ID) {
          List.insert(List.end(), {"technology", Localize("szStrTechLeadsToTech") + " " + T->GetName(), T->Image});
          break;
        }
    }
  if (gBuildingTypePool)
    for (const auto& B : gBuildingTypePool->Types)
      if (SameTextAscii(B->NeededTechID, ID))
        List.insert(List.end(), {"building", Localize("szStrTechLeadsToBuilding") + " " + B->GetName(),
                                 "preview2d_buildingtype_" + std::to_string(B->Number)});
  if (gUnitTypePool)
    for (const auto& U : gUnitTypePool->Types)
      if (SameTextAscii(U->NeededTechID, ID))
        List.insert(List.end(), {"unit", Localize("szStrTechLeadsToUnit") + " " + U->GetName(),
                                 "preview2d_unittype_" + std::to_string(U->Index)});
  return !List.empty();
}

void TTechnologyTree::LoadFromXML(const std::string& FileName) {
  if (!gVirtualFileSystem) throw ETarnovaError(std::string(LoadWhere) + "No file system for \"" + FileName + "\"");
  if (gLog) gLog->AddLine(LoadWhere + std::string("Loading from ") + FileName);
  TXMLDocument Document;
  gVirtualFileSystem->LoadXML(FileName, Document);
  LoadFromDocument(Document);
}

void TTechnologyTree::LoadFromDocument(const TXMLDocument& Document) {
  std::vector<std::unique_ptr<TTechnology>> Loaded;
  for (const TXMLNode& Node : Document.Root().Children()) Loaded.push_back(ReadTechnology(Node, this));
  CheckKeysUnique(Document, Loaded);
  // The old technologies go; nothing may still point at one of them.
  Current = nullptr;
  Technologies = std::move(Loaded);
}

TTechnology* TTechnologyTree::FindByName(const std::string& Key) const {
  for (const auto& T : Technologies)
    if (SameTextAscii(T->ID, Key)) return T.get();
  return nullptr;
}

bool TTechnologyTree::IsResearched(const std::string& Key) const {
  if (Key.empty()) return true;
  const TTechnology* T = FindByName(Key);
  return T && T->Researched;
}

void TTechnology::StartResearch() {
  // Research begins at the full time whenever it is started, also for a technology set aside
  // half done: no progress is kept outside the current research, so the savegame (which keeps
  // only the current research's points) holds all there is.
  RemainingPoints = ResearchTime;
  if (Tree) Tree->Current = this;
}

void TTechnologyTree::Reset() {
  for (auto& T : Technologies) T->Researched = false;
  Current = nullptr;
}
