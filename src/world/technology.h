#pragma once
// Technologies and technology trees. Every nation owns a tree with its own copy of every
// technology of "data\XML\technologies.xml" and its own research state. Researching a technology
// unlocks the building and unit types that name it; its round-script lines can raise unit values.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/constants.h"

class TTechnologyTree;
class TXMLDocument;

class TTechnology {
public:
  explicit TTechnology(TTechnologyTree* Owner);  // Names sized to 2

  TStringList Names;  // exactly two: German ("nameger"), English ("nameeng")
  std::string ID;
  std::string Image;  // texture name; "technology_default" when the file leaves it empty
  float ResearchTime = 0;
  float RemainingPoints = 0;  // left while it is researched (counts only for the current one)
  bool Researched = false;
  std::int32_t Category = 0;  // 0 civil, 1 military; research never advances another
  TStringList Prerequisites;  // IDs of technologies to research first
  TStringList FinishScript;
  TStringList RoundScript;  // unit bonus lines
  TStringList Description;
  TTechnologyTree* Tree = nullptr;  // the owning tree (not owned)
  std::string Origin;              // where it stands in its data file, for messages

  const std::string& GetName() const;  // current language; ERangeError outside Names
  // True when every prerequisite names a researched technology of the same tree; a key that
  // names no technology counts as not met.
  bool PrerequisitesMet() const;
  // Clears List and fills it with triples (kind, text, picture) for what this technology unlocks:
  // technologies, then building types of gBuildingTypePool, then unit types of gUnitTypePool.
  // True when the list is not empty.
  bool GetLeadsTo(TStringList& List) const;
  // Makes it the tree's current research with its full time, whether it was never started, set
  // aside half done, or is the current research already.
  void StartResearch();
};

class TTechnologyTree {
public:
  TTechnologyTree() = default;
  TTechnologyTree(const TTechnologyTree&) = delete;
  TTechnologyTree& operator=(const TTechnologyTree&) = delete;

  std::vector<std::unique_ptr<TTechnology>> Technologies;  // file order; owned
  TTechnology* Current = nullptr;  // being researched, or none

  // Reads the file through gVirtualFileSystem. On any error (EDataError naming file, line,
  // element and value) the tree keeps what it held before; on success Current is none.
  void LoadFromXML(const std::string& FileName);
  void LoadFromDocument(const TXMLDocument& Document);
  // The first technology whose ID equals Key without regard to letter case; nullptr when none.
  TTechnology* FindByName(const std::string& Key) const;
  // True for an empty key, else when a technology of that ID is researched.
  bool IsResearched(const std::string& Key) const;
  // Every technology not researched and Current none; RemainingPoints stay as they are (starting
  // research sets them anew).
  void Reset();
};
