#include "world/world_save.h"

#include "platform/errors.h"
#include "platform/xml_document.h"
#include "world/region.h"
#include "world/savegame_values.h"
#include "world/transfer_market.h"
#include "world/xml_values.h"

namespace {
constexpr std::string_view Context = "TWorldSave->Read->";

void RequireWorld(const char* Where) {
  for (const auto& Nation : gNations)
    if (!Nation) throw ETarnovaError(std::string(Where) + "The nations do not exist");
  if (!gStatisticServer) throw ETarnovaError(std::string(Where) + "The statistics do not exist");
  if (!gTransferMarket) throw ETarnovaError(std::string(Where) + "The transfer market does not exist");
}
}  // namespace

void TWorldSave::Save(TXMLNode Root) {
  RequireWorld("TWorldSave->Save->");
  TXMLNode Nations = Root.AppendChild("nations");
  SetIntAttribute(Nations, "playernation", gPlayerNation);
  for (const auto& Nation : gNations) Nation->SaveToXML(Nations);
  gTransferMarket->SaveToXML(Root.AppendChild("transfermarket"));
  TXMLNode Regions = Root.AppendChild("regions");
  SetIntAttribute(Regions, "count", static_cast<std::int64_t>(gRegions.size()));
  for (const auto& Region : gRegions) Region->SaveToXML(Regions);
  gStatisticServer->SaveToXML(Root.AppendChild("statistics"));
}

TWorldSaveState TWorldSave::Read(const TXMLNode& Root) {
  RequireWorld(Context.data());
  TWorldSaveState State;
  const TXMLNode Regions = RequiredChild(Context, Root, "regions");
  // Region i reads child i; the region data file decides how many regions there are.
  const std::vector<TXMLNode> RegionNodes = RequiredChildren(Context, Regions, gRegions.size(), "region");
  State.Regions.reserve(gRegions.size());
  for (std::size_t i = 0; i < gRegions.size(); ++i) State.Regions.push_back(ReadRegionState(RegionNodes[i]));

  const TXMLNode Nations = RequiredChild(Context, Root, "nations");
  State.PlayerNation =
      static_cast<std::uint8_t>(ReadIntAttribute(Context, Nations, "playernation", 0, NationCount - 1));
  const std::vector<TXMLNode> NationNodes = RequiredChildren(Context, Nations, NationCount, "nation");
  for (std::size_t i = 0; i < NationCount; ++i) State.Nations[i] = ReadNationState(*gNations[i], NationNodes[i]);

  State.TransferMarket = ReadTransferMarketState(RequiredChild(Context, Root, "transfermarket"));
  State.Statistics = ReadStatisticState(RequiredChild(Context, Root, "statistics"));
  return State;
}

void TWorldSave::Apply(TWorldSaveState&& State) noexcept {
  // Regions first: they drop their spy links, which the nations' spies then set again.
  for (std::size_t i = 0; i < gRegions.size() && i < State.Regions.size(); ++i)
    ApplyRegionState(*gRegions[i], std::move(State.Regions[i]));
  gPlayerNation = State.PlayerNation;
  for (std::size_t i = 0; i < NationCount; ++i) ApplyNationState(*gNations[i], std::move(State.Nations[i]));
  // A savegame does not hold who is out of the game: a nation without a region was found so at
  // the end of an earlier round, and the next round must not count its loss again.
  for (std::size_t i = 0; i < NationCount; ++i) gNations[i]->Dead = gNations[i]->GetValue("numregions") <= 0.0f;
  ApplyTransferMarketState(*gTransferMarket, std::move(State.TransferMarket));
  ApplyStatisticState(*gStatisticServer, std::move(State.Statistics));
}

void TWorldSave::Load(const TXMLNode& Root) { Apply(Read(Root)); }
