#include "world/building_type.h"

#include <cstdlib>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/virtual_file_system.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/rounding.h"
#include "platform/xml_document.h"
#include "world/type_textures.h"
#include "world/xml_values.h"

namespace {
constexpr const char* LoadWhere = "TBuildingTypePool->LoadFromXML->";

struct TEffectLook {
  const char* Name;
  const char* TextKey;
  const char* Icon;
};
// The effect variables that have a text and an icon in the information boxes.
constexpr TEffectLook EffectLooks[] = {
    {"region.population", "szStrEffect0", "gui_icon_population"},
    {"region.growth", "szStrEffect1", "gui_icon_growth"},
    {"region.maxpopulation", "szStrEffect2", "gui_icon_population"},
    {"region.loyality", "szStrEffect3", "gui_icon_loyalty"},
    {"region.ressources", "szStrEffect4", "gui_icon_res"},
    {"region.pollution", "szStrEffect5", "nuclear"},
    {"region.energy", "szStrEffect6", "gui_icon_energy"},
    {"region.defense", "szStrEffect7", "gui_icon_defense"},
    {"region.military", "szStrEffect8", "button_regiondivision_manage"},
    {"global.science.civil", "szStrEffect9", "button_research_window"},
    {"global.science.military", "szStrEffect10", "button_research_window"},
    {"global.espionage", "szStrEffect11", "button_espionage"},
};

std::unique_ptr<TBuildingType> ReadType(const TXMLNode& Node, std::int32_t Number, const TStringList* Variables) {
  auto T = std::make_unique<TBuildingType>();
  const auto& Codes = DataLanguageCodes();
  for (std::size_t L = 0; L < Codes.size(); ++L) T->Names[L] = ReadTextAttribute(LoadWhere, Node, "name" + Codes[L]);
  T->ID = ReadTextAttribute(LoadWhere, Node, "model3d");
  if (T->ID.empty()) T->ID = "building_dummy";
  T->BuildCost = ReadIntAttribute(LoadWhere, Node, "buildcost");
  T->BuildTime = ReadIntAttribute(LoadWhere, Node, "buildtime");
  // The computer opponents choose among eight categories (bcEnergy to bcPollution); a type of any
  // other category loads and is never chosen by them.
  T->Category = ReadIntAttribute(LoadWhere, Node, "category");
  T->Nation = ReadIntAttribute(LoadWhere, Node, "nation");
  T->NeededTechID = ReadTextAttribute(LoadWhere, Node, "neededtechID");
  T->Description = ReadChildLines(Node, "description");
  T->RoundScript = ReadChildLines(Node, "roundscript");
  T->FinishScript = ReadChildLines(Node, "finishscript");
  if (Variables) T->Effects = TBuildingTypePool::ParseEffects(T->RoundScript, *Variables);
  T->Number = Number;
  T->Origin = Node.Where();
  return T;
}

std::unique_ptr<TBuildingType> MakeUnknownType() {
  auto T = std::make_unique<TBuildingType>();
  static const char* const Names[] = {"Unidentifiziertes Geb\xE4ude", "Unidentified building"};
  for (std::size_t L = 0; L < T->Names.size(); ++L) T->Names[L] = Names[L < 2 ? L : 1];
  T->ID = "building_unknown";
  T->Category = bcUnidentified;
  T->NeededTechID = "never_ever";  // no technology has this key: never buildable
  T->Nation = -1;
  T->Number = -1;
  return T;
}

// Savegames name a building type by its first-language name and find it again by the name in
// the language then active, falling back to the first language. That is only safe when no
// type's first-language name is also a name (in any language) of another type, and none is
// "none", which savegames write for an empty slot.
void CheckNamesUnique(const std::vector<std::unique_ptr<TBuildingType>>& Types) {
  for (const auto& A : Types)
    if (A->Names.at(0) == "none")
      throw EDataError(LoadWhere + A->Origin + ": the building name \"none\" stands for an empty slot in savegames");
  for (const auto& A : Types)
    for (const auto& B : Types) {
      if (A == B) continue;
      for (const std::string& Name : B->Names)
        if (SameTextAscii(A->Names.at(0), Name)) {
          // Name the later of the two in the file; the unidentified type has no place in it.
          const TBuildingType* Later = B->Number == -1 || (A->Number != -1 && A->Number > B->Number) ? A.get() : B.get();
          const TBuildingType* Other = Later == A.get() ? B.get() : A.get();
          throw EDataError(LoadWhere + Later->Origin + ": the building name \"" + Name + "\" is also a name of " +
                           (Other->Number == -1 ? std::string("the unidentified building")
                                                : "the type at " + Other->Origin) +
                           "; savegames could not tell them apart");
        }
    }
}
}  // namespace

TBuildingType::TBuildingType() : Names(DataLanguageCodes().size()) {}

const std::string& TBuildingType::GetName() const {
  return At(Names, gLocalization.LanguageIndex, "TBuildingType->GetName");
}

std::int32_t TBuildingType::GetEffectValue(const std::string& Name) const {
  for (const auto& E : Effects)
    if (SameTextAscii(E.Name, Name)) return E.Value;
  return -1;
}

std::string TBuildingType::EffectText(const TBuildingEffect& Effect) {
  // Variables without a text (the unit and loop variables) show no text rather than the
  // missing-key marker.
  return Effect.TextKey.empty() ? std::string() : Localize(Effect.TextKey);
}

void TBuildingType::MeasureEffects(const std::function<float(const std::string&)>& TextWidth, std::int32_t& Width,
                                   std::int32_t& Height) const {
  const double NameWidth = TextWidth(GetName());
  Width = NameWidth > 128 ? RoundToInt(NameWidth) + 15 : 128;
  Height = (static_cast<std::int32_t>(Effects.size()) + 3) * 15 + 5;
  for (const auto& E : Effects) {
    // Text, the 28 before it, a 7 wide first sign icon and 14 per sign.
    const double Row = static_cast<double>(TextWidth(EffectText(E))) + 28 + 7 + 14.0 * std::abs(E.Value);
    if (Width < Row) Width = RoundToInt(Row) + 15;
  }
}

std::vector<TBuildingEffect> TBuildingTypePool::ParseEffects(const TStringList& RoundScript,
                                                             const TStringList& Variables) {
  std::vector<TBuildingEffect> Effects;
  if (Variables.empty()) return Effects;
  for (const std::string& Line : RoundScript) {
    if (Line.empty()) continue;
    const std::string* Found = nullptr;
    std::int32_t Count = 0;
    for (const std::string& Variable : Variables) {
      std::size_t At = Line.find(Variable);
      if (Variable.empty() || At == std::string::npos) continue;
      Found = &Variable;  // a later variable in the registry replaces an earlier one
      Count = 0;
      for (std::size_t i = At + Variable.size(); i < Line.size(); ++i) {
        if (Line[i] == '+') ++Count;
        if (Line[i] == '-') --Count;
      }
    }
    if (!Found) continue;
    TBuildingEffect E;
    E.Name = *Found;
    E.Value = Count;
    for (const auto& Look : EffectLooks)
      if (E.Name == Look.Name) {
        E.TextKey = Look.TextKey;
        E.Icon = Look.Icon;
      }
    Effects.push_back(std::move(E));
  }
  return Effects;
}

void TBuildingTypePool::LoadFromXML(const std::string& FileName, const TTextureIdLookup& TextureId) {
  if (!gVirtualFileSystem) throw ETarnovaError(std::string(LoadWhere) + "No file system for \"" + FileName + "\"");
  if (gLog) gLog->AddLine(LoadWhere + std::string("Loading from ") + FileName);
  TXMLDocument Document;
  gVirtualFileSystem->LoadXML(FileName, Document);
  LoadFromDocument(Document, TextureId);
}

void TBuildingTypePool::LoadFromDocument(const TXMLDocument& Document, const TTextureIdLookup& TextureId) {
  std::vector<std::unique_ptr<TBuildingType>> Loaded;
  for (const TXMLNode& Node : Document.Root().Children())
    Loaded.push_back(ReadType(Node, static_cast<std::int32_t>(Loaded.size()), Variables));
  Loaded.push_back(MakeUnknownType());
  CheckNamesUnique(Loaded);
  for (std::size_t i = 0; i < Loaded.size(); ++i) {
    std::uint32_t Id = TextureIdOf("preview2d_buildingtype_" + std::to_string(i), TextureId);
    Loaded[i]->PreviewTexture = static_cast<std::int32_t>(Id);
  }
  Types = std::move(Loaded);
}

TBuildingType* TBuildingTypePool::FindByName(const std::string& Name) const {
  const std::size_t Language = gLocalization.LanguageIndex;
  for (const auto& T : Types)
    if (Language < T->Names.size() && SameTextAscii(T->Names[Language], Name)) return T.get();
  for (const auto& T : Types)
    if (!T->Names.empty() && SameTextAscii(T->Names[0], Name)) return T.get();
  return nullptr;
}

TBuildingType* TBuildingTypePool::FindByID(const std::string& Key) const {
  for (const auto& T : Types)
    if (SameTextAscii(T->ID, Key)) return T.get();
  return nullptr;
}

TBuildingType* TBuildingTypePool::FindByNumber(std::int32_t Number) const {
  for (const auto& T : Types)
    if (T->Number == Number) return T.get();
  return nullptr;
}

TBuildingType* TBuildingTypePool::UnknownType() const { return Types.empty() ? nullptr : Types.back().get(); }
