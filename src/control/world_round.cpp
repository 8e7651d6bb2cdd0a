#include "control/world_round.h"

#include <cmath>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"
#include "world/building_type.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/world_globals.h"

void RunRegionAndNationRounds() {
  for (auto& Nation : gNations)
    if (Nation) Nation->Messages.Clear();
  for (auto& Region : gRegions) {
    Region->DoRound();
    for (const auto& Row : Region->Buildings)
      for (const TBuilding& Slot : Row)
        if (Slot.Type && gScriptManager) gScriptManager->ExecuteScript(Slot.Type->RoundScript);
  }
  for (auto& Nation : gNations)
    if (Nation) Nation->DoRound();
}

void RunComputerTurns(const std::function<void(std::size_t)>& AfterComputerTurn) {
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    if (!gNations[i] || !gNations[i]->AIControlled || i >= gAIControllers.size()) continue;
    gAIControllers[i]->Update();
    if (AfterComputerTurn) AfterComputerTurn(i);
  }
}

std::vector<std::uint8_t> MarkDeadNations() {
  std::vector<std::uint8_t> Dead;
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    TNation* N = gNations[i].get();
    if (!N || N->Dead || N->GetValue("numregions") > 0.0f) continue;
    N->SetDead();
    Dead.push_back(static_cast<std::uint8_t>(i));
  }
  return Dead;
}

std::vector<std::uint8_t> RunWorldRound(const std::function<void(std::size_t)>& AfterComputerTurn) {
  RunRegionAndNationRounds();
  RunComputerTurns(AfterComputerTurn);
  return MarkDeadNations();
}

void ReadNationInfo(const TXMLNode& Root) {
  static const char* const Factors[8] = {"growth",  "loyality", "ressources",    "pollution",
                                         "defense", "military", "researchCivil", "researchMilitary"};
  const std::vector<TXMLNode> Elements = Root ? Root.Children() : std::vector<TXMLNode>{};
  // Every nation needs its description: a nation left without names would fail whenever the
  // game shows its name, and the nation selection reads the description of each.
  if (Elements.size() < gNations.size())
    throw EDataError("TGame->LoadNationInfo->" + (Root ? Root.Where() : std::string("\"data\\xml\\nationinfo.xml\"")) +
                     ": " + std::to_string(Elements.size()) + " nations described, " +
                     std::to_string(gNations.size()) + " needed");
  const std::vector<std::string>& Codes = DataLanguageCodes();
  for (std::size_t i = 0; i < gNations.size() && i < Elements.size(); ++i) {
    TNation& N = *gNations[i];
    const TXMLNode& E = Elements[i];
    N.Names.assign(Codes.size(), "");
    for (std::size_t L = 0; L < Codes.size(); ++L) N.Names[L] = E.RequiredAttribute("name_" + LowerAscii(Codes[L]));
    auto Float = [&](const char* Child, const char* Attribute) {
      const TXMLNode C = E.Child(Child);
      if (!C) throw EDataError("TGame->LoadNationInfo->" + E.Where() + ": no <" + Child + ">");
      const float V = StrToFloatDot(C.RequiredAttribute(Attribute));
      // Positions and sizes of the scenery reach the drawing as vertices: only finite numbers.
      if (!std::isfinite(V))
        throw EDataError("TGame->LoadNationInfo->" + C.Where() + ": " + Attribute + " is not a finite number");
      return V;
    };
    for (std::size_t f = 0; f < 8; ++f) N.BaseFactors[f] = Float("basefactor", Factors[f]);
    N.WaterplaneUpperPos = Float("waterplane_upper", "pos");
    N.WaterplaneUpperDim = Float("waterplane_upper", "dim");
    N.WaterplaneLowerPos = Float("waterplane_lower", "pos");
    N.WaterplaneLowerDim = Float("waterplane_lower", "dim");
    const TXMLNode Color = E.Child("mapcolor");
    auto Byte = [&](const char* Attribute) {
      const float V = Float("mapcolor", Attribute);
      if (!(V >= 0.0f && V <= 255.0f))
        throw EDataError("TGame->LoadNationInfo->" + Color.Where() + ": " + Attribute + " is not 0..255");
      return static_cast<std::uint8_t>(V);
    };
    N.MapColor = {Byte("red"), Byte("green"), Byte("blue")};
    N.GlobeRotationX = Float("globerotation", "x");
    N.GlobeRotationY = Float("globerotation", "y");
  }
}
