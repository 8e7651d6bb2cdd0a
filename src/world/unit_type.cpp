#include "world/unit_type.h"

#include <optional>
#include <unordered_set>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/virtual_file_system.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "world/nation.h"
#include "platform/xml_document.h"
#include "world/technology.h"
#include "world/type_textures.h"
#include "world/xml_values.h"

namespace {
constexpr const char* LoadWhere = "TUnitTypePool->LoadFromXML->";
constexpr double MaxAmount = 1e9;

std::unique_ptr<TUnitType> ReadType(const TXMLNode& Node, std::int32_t Index) {
  auto T = std::make_unique<TUnitType>();
  const auto& Codes = DataLanguageCodes();
  for (std::size_t L = 0; L < Codes.size(); ++L) T->Names[L] = ReadTextAttribute(LoadWhere, Node, "name_" + Codes[L]);
  T->Model3D = ReadTextAttribute(LoadWhere, Node, "model3d");
  T->ID = ReadTextAttribute(LoadWhere, Node, "ID");
  // Amounts are shown and refunded as whole numbers: beyond a billion they would not fit one.
  T->Health = ReadFloatAttribute(LoadWhere, Node, "health", -MaxAmount, MaxAmount);
  T->BuildCost = ReadFloatAttribute(LoadWhere, Node, "buildcost", -MaxAmount, MaxAmount);
  T->RoundCost = ReadFloatAttribute(LoadWhere, Node, "roundcost", -MaxAmount, MaxAmount);
  T->BuildTime = ReadIntAttribute(LoadWhere, Node, "buildtime");
  T->MoveRadius = ReadIntAttribute(LoadWhere, Node, "moveradius");
  T->AttackRadius = ReadIntAttribute(LoadWhere, Node, "attackradius");
  T->DefAir = ReadIntAttribute(LoadWhere, Node, "defair");
  T->DefGround = ReadIntAttribute(LoadWhere, Node, "defground");
  T->AttAir = ReadIntAttribute(LoadWhere, Node, "attair");
  T->AttGround = ReadIntAttribute(LoadWhere, Node, "attground");
  // A nation builds the types of its own index and of 0; 6 marks the rebels' types. A type of any
  // other number loads and nobody builds it.
  T->Nation = ReadIntAttribute(LoadWhere, Node, "nation");
  T->NeededTechID = ReadTextAttribute(LoadWhere, Node, "neededtechID");
  T->Category = ReadTextAttribute(LoadWhere, Node, "category");
  T->Description = TrimmedLines(Node.Text());
  T->Index = Index;
  T->Origin = Node.Where();
  return T;
}

// N of a bonus line "unit.<category>.<value> +N%": the text after the first "+" up to the last
// character. None when the line has no "+" before its last character or the text is no integer.
std::optional<std::int32_t> BonusPercent(const std::string& Line) {
  std::size_t Plus = Line.find('+');
  if (Plus == std::string::npos || Line.empty() || Plus + 1 > Line.size() - 1) return std::nullopt;
  std::int32_t N = 0;
  if (!TryParseInt32(std::string_view(Line).substr(Plus + 1, Line.size() - 1 - (Plus + 1)), N)) return std::nullopt;
  return N;
}
}  // namespace

TUnitType::TUnitType() : Names(DataLanguageCodes().size()) {}

const std::string& TUnitType::GetName() const { return At(Names, gLocalization.LanguageIndex, "TUnitType->GetName"); }

float TUnitType::GetValue(const std::string& Name, const TNation& Nation) const {
  return GetValue(Name, Nation.TechnologyTree);
}

float TUnitType::GetValue(const std::string& Name, const TTechnologyTree& Tree) const {
  const std::string Key = LowerAscii(Name);
  double Base;
  if (Key == "defense.ground")
    Base = DefGround;
  else if (Key == "defense.air")
    Base = DefAir;
  else if (Key == "attack.ground")
    Base = AttGround;
  else if (Key == "attack.air")
    Base = AttAir;
  else if (Key == "health")
    Base = Health;
  else
    return 0;

  const std::string Marker = "unit." + LowerAscii(Category);
  for (const auto& Tech : Tree.Technologies) {
    if (!Tech->Researched) continue;
    for (const std::string& Line : Tech->RoundScript) {
      if (Line.find(Marker) == std::string::npos || Line.find('%') == std::string::npos) continue;
      if (Line.find(Key) == std::string::npos) continue;
      // A bonus line must end in "+N%"; one that does not is skipped rather than trusted, so a
      // slip in the data cannot break the unit window.
      if (Line.back() != '%') continue;
      auto N = BonusPercent(Line);
      if (!N) continue;
      return static_cast<float>(Base + Base * *N / 100.0);  // bonuses do not add up: the first decides
    }
  }
  return static_cast<float>(Base);
}

void TUnitTypePool::LoadFromXML(const std::string& FileName, const TTextureIdLookup& TextureId) {
  if (!gVirtualFileSystem) throw ETarnovaError(std::string(LoadWhere) + "No file system for \"" + FileName + "\"");
  if (gLog) gLog->AddLine(LoadWhere + std::string("Loading from ") + FileName);
  TXMLDocument Document;
  gVirtualFileSystem->LoadXML(FileName, Document);
  LoadFromDocument(Document, TextureId);
}

void TUnitTypePool::LoadFromDocument(const TXMLDocument& Document, const TTextureIdLookup& TextureId) {
  std::vector<std::unique_ptr<TUnitType>> Loaded;
  std::unordered_set<std::string> Keys;
  for (const TXMLNode& Node : Document.Root().Children()) {
    auto T = ReadType(Node, static_cast<std::int32_t>(Loaded.size()));
    if (!Keys.insert(LowerAscii(T->ID)).second)
      ThrowBadValue(LoadWhere, Node, "ID", T->ID, "an earlier unit type has this key");
    Loaded.push_back(std::move(T));
  }
  for (auto& T : Loaded)
    T->PreviewTexture = TextureIdOf("preview2d_unittype_" + std::to_string(T->Index), TextureId);
  Types = std::move(Loaded);
  FileName = Document.FileName();
}

TUnitType* TUnitTypePool::FindByID(const std::string& Key) const {
  for (const auto& T : Types)
    if (SameTextAscii(T->ID, Key)) return T.get();
  return nullptr;
}
