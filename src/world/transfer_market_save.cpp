#include "world/transfer_market_save.h"

#include "platform/xml_document.h"
#include "world/savegame_values.h"
#include "world/staff_save.h"
#include "world/transfer_market.h"
#include "world/xml_values.h"

namespace {
constexpr std::string_view Context = "TTransferMarket->LoadFromXML->";

// The round an offer came onto the market, written last. Without it every offer of a game
// loaded at round 5 or later would leave the market at the next round; older savegames
// without it load their offers as offered in round 0.
template <typename T>
void SaveOffers(TXMLNode List, const char* ElementName, const std::vector<std::unique_ptr<T>>& Offers) {
  for (const auto& Offer : Offers) {
    TXMLNode Element = List.AppendChild(ElementName);
    Element.SetAttribute("name", Offer->Name);
    SetIntAttribute(Element, "cost", Offer->Cost);
    SetIntAttribute(Element, "wage", Offer->Wage);
    Element.SetAttribute("image", Offer->Image);
    SaveStaffSkills(Element, *Offer);
    SetIntAttribute(Element, "offeredturn", Offer->OfferedTurn);
  }
}

template <typename T>
std::vector<std::unique_ptr<T>> ReadOffers(const TXMLNode& Node, std::string_view ListName) {
  std::vector<std::unique_ptr<T>> Offers;
  for (const TXMLNode& Element : RequiredChild(Context, Node, ListName).Children()) {
    auto Offer = std::make_unique<T>();
    ReadStaffAttributes(Context, Element, *Offer);
    Offer->OfferedTurn = Element.HasAttribute("offeredturn") ? ReadIntAttribute(Context, Element, "offeredturn") : 0;
    Offers.push_back(std::move(Offer));
  }
  return Offers;
}
}  // namespace

void TTransferMarket::SaveToXML(TXMLNode Node) const {
  SaveOffers(Node.AppendChild("scientists"), "scientist", Scientists);
  SaveOffers(Node.AppendChild("generals"), "general", Generals);
  SaveOffers(Node.AppendChild("spies"), "spy", Spies);
}

void TTransferMarket::LoadFromXML(const TXMLNode& Node) {
  ApplyTransferMarketState(*this, ReadTransferMarketState(Node));
}

TTransferMarketSaveState ReadTransferMarketState(const TXMLNode& Node) {
  TTransferMarketSaveState State;
  State.Scientists = ReadOffers<TScientist>(Node, "scientists");
  State.Generals = ReadOffers<TGeneral>(Node, "generals");
  State.Spies = ReadOffers<TSpy>(Node, "spies");
  // An offered spy is free, has its action and knows nothing yet.
  for (auto& Spy : State.Spies) {
    Spy->ResetBuildingData();
    Spy->HasAction = true;
  }
  return State;
}

void ApplyTransferMarketState(TTransferMarket& Market, TTransferMarketSaveState&& State) noexcept {
  Market.Scientists = std::move(State.Scientists);
  Market.Generals = std::move(State.Generals);
  Market.Spies = std::move(State.Spies);
}
