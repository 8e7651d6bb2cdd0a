#include "world/transfer_market_save.h"

#include "platform/xml_document.h"
#include "world/savegame_values.h"
#include "world/transfer_market.h"
#include "world/xml_values.h"

namespace {
constexpr std::string_view Context = "TTransferMarket->LoadFromXML->";

// What every offer writes first, in this order.
template <typename T>
void SaveOffer(TXMLNode Node, const T& Offer) {
  Node.SetAttribute("name", Offer.Name);
  SetIntAttribute(Node, "cost", Offer.Cost);
  SetIntAttribute(Node, "wage", Offer.Wage);
  Node.SetAttribute("image", Offer.Image);
}

// The round an offer came onto the market, written last. Without it every offer of a game
// loaded at round 5 or later would leave the market at the next round; older savegames
// without it load their offers as offered in round 0.
template <typename T>
void SaveOfferedTurn(TXMLNode Node, const T& Offer) {
  SetIntAttribute(Node, "offeredturn", Offer.OfferedTurn);
}

template <typename T>
void ReadOfferedTurn(const TXMLNode& Node, T& Offer) {
  Offer.OfferedTurn = Node.HasAttribute("offeredturn") ? ReadIntAttribute(Context, Node, "offeredturn") : 0;
}

template <typename T>
std::unique_ptr<T> ReadOffer(const TXMLNode& Node) {
  auto Offer = std::make_unique<T>();
  Offer->Name = ReadTextAttribute(Context, Node, "name");
  Offer->Cost = ReadIntAttribute(Context, Node, "cost");
  Offer->Wage = ReadIntAttribute(Context, Node, "wage");
  Offer->Image = ReadTextAttribute(Context, Node, "image");
  return Offer;
}
}  // namespace

void TTransferMarket::SaveToXML(TXMLNode Node) const {
  TXMLNode ScientistList = Node.AppendChild("scientists");
  for (const auto& Offer : Scientists) {
    TXMLNode Element = ScientistList.AppendChild("scientist");
    SaveOffer(Element, *Offer);
    SetFloatAttribute(Element, "military", Offer->Military);
    SetFloatAttribute(Element, "civil", Offer->Civil);
    SaveOfferedTurn(Element, *Offer);
  }
  TXMLNode GeneralList = Node.AppendChild("generals");
  for (const auto& Offer : Generals) {
    TXMLNode Element = GeneralList.AppendChild("general");
    SaveOffer(Element, *Offer);
    SetFloatAttribute(Element, "defense", Offer->Defense);
    SetFloatAttribute(Element, "attack", Offer->Attack);
    SetFloatAttribute(Element, "movement", Offer->Movement);
    SaveOfferedTurn(Element, *Offer);
  }
  TXMLNode SpyList = Node.AppendChild("spies");
  for (const auto& Offer : Spies) {
    TXMLNode Element = SpyList.AppendChild("spy");
    SaveOffer(Element, *Offer);
    SetFloatAttribute(Element, "espionage", Offer->Espionage);
    SetFloatAttribute(Element, "sabotage", Offer->Sabotage);
    SetFloatAttribute(Element, "hiding", Offer->Hiding);
    SaveOfferedTurn(Element, *Offer);
  }
}

void TTransferMarket::LoadFromXML(const TXMLNode& Node) {
  ApplyTransferMarketState(*this, ReadTransferMarketState(Node));
}

TTransferMarketSaveState ReadTransferMarketState(const TXMLNode& Node) {
  TTransferMarketSaveState State;
  for (const TXMLNode& Element : RequiredChild(Context, Node, "scientists").Children()) {
    auto Offer = ReadOffer<TScientist>(Element);
    Offer->Military = ReadFloatAttribute(Context, Element, "military");
    Offer->Civil = ReadFloatAttribute(Context, Element, "civil");
    ReadOfferedTurn(Element, *Offer);
    State.Scientists.push_back(std::move(Offer));
  }
  for (const TXMLNode& Element : RequiredChild(Context, Node, "generals").Children()) {
    auto Offer = ReadOffer<TGeneral>(Element);
    Offer->Defense = ReadFloatAttribute(Context, Element, "defense");
    Offer->Attack = ReadFloatAttribute(Context, Element, "attack");
    Offer->Movement = ReadFloatAttribute(Context, Element, "movement");
    ReadOfferedTurn(Element, *Offer);
    State.Generals.push_back(std::move(Offer));
  }
  for (const TXMLNode& Element : RequiredChild(Context, Node, "spies").Children()) {
    auto Offer = ReadOffer<TSpy>(Element);
    Offer->Espionage = ReadFloatAttribute(Context, Element, "espionage");
    Offer->Sabotage = ReadFloatAttribute(Context, Element, "sabotage");
    Offer->Hiding = ReadFloatAttribute(Context, Element, "hiding");
    Offer->ResetBuildingData();
    Offer->HasAction = true;
    ReadOfferedTurn(Element, *Offer);
    State.Spies.push_back(std::move(Offer));
  }
  return State;
}

void ApplyTransferMarketState(TTransferMarket& Market, TTransferMarketSaveState&& State) noexcept {
  Market.Scientists = std::move(State.Scientists);
  Market.Generals = std::move(State.Generals);
  Market.Spies = std::move(State.Spies);
}
