#pragma once
// The one pool of staff offers all nations hire from (gTransferMarket): scientists, generals and
// spies with random names, portraits, skills, prices and wages. Filled anew for every game, aged
// and renewed at the end of every round. The market owns its offers and its name and portrait
// lists; hiring copies an offer into a nation and removes it here.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/constants.h"
#include "world/staff.h"

class TNation;
class TXMLNode;

// Why a hire did not happen; Hired when it did.
enum class THireResult { Hired, NoOffer, NotEnoughRessources };

class TTransferMarket {
public:
  // An offer leaves the market in the round processing at which it has reached this age.
  static constexpr std::int32_t OfferLifetime = 5;

  std::vector<std::unique_ptr<TScientist>> Scientists;
  std::vector<std::unique_ptr<TGeneral>> Generals;
  std::vector<std::unique_ptr<TSpy>> Spies;
  std::vector<TStringList> FirstNames;  // per language index of the localisation
  std::vector<TStringList> LastNames;
  TStringList ScientistPortraits;  // portrait texture names
  TStringList GeneralPortraits;
  TStringList SpyPortraits;

  // An empty market, without names or portraits.
  TTransferMarket() = default;
  // Reads the names from "data\XML\namesnew.xml" and lists the portraits of
  // "data\tex\ondemand\nocompression\" through gVirtualFileSystem; no offers yet. Throws when the
  // file names no language with both first and last names.
  void Create();

  // Appends one random offer of the kind "scientist", "general" or "spy"; another kind does
  // nothing.
  void GenerateOffer(const std::string& Kind);
  // Replaces every offer with the given numbers of new ones (scientists, generals, spies).
  void Regenerate(std::int32_t NewScientists, std::int32_t NewGenerals, std::int32_t NewSpies);
  // The end of a round, after the round counter moved on: offers of age 5 go, new ones come.
  void NextRound();
  // Frees the offer and closes the gap; an empty list does nothing, an index outside throws.
  void RemoveScientist(std::int32_t Index);
  void RemoveGeneral(std::int32_t Index);
  void RemoveSpy(std::int32_t Index);

  // Nation hires offer Index of the market's scientists (TGeneral: generals, TSpy: spies): it
  // pays the offer's Cost from its treasury at once, a copy joins its staff and the offer leaves
  // the market. Refused without a change when there is no such offer or the treasury is short.
  // The same for the player's market window and the computer opponents.
  template <typename T>
  THireResult Hire(TNation& Nation, std::int32_t Index);

  // Sorts portrait file names (with ".png") into the three lists by their prefixes.
  void AddPortraits(const TStringList& FileNames);

  // Savegame part (transfer_market_save.cpp): the offers under "scientists", "generals" and
  // "spies". A broken element throws EDataError and leaves the offers as they were.
  void SaveToXML(TXMLNode Node) const;
  void LoadFromXML(const TXMLNode& Node);
};
