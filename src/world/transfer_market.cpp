#include "world/transfer_market.h"

#include <algorithm>
#include <cstddef>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "platform/checked.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "platform/rounding.h"
#include "platform/xml_document.h"
#include "world/nation.h"
#include "world/world_globals.h"
#include "world/xml_values.h"

namespace {
constexpr const char* NamesFile = "data\\XML\\namesnew.xml";
constexpr const char* PortraitFolder = "data\\tex\\ondemand\\nocompression\\";
// Below this many offers a kind is topped up, to one more than this.
constexpr std::size_t MinimumOffers = 10;

// One name per line; blank lines are no names.
TStringList NameLines(const TXMLNode& Group, const std::string& LanguageCode) {
  TStringList Names = TrimmedLines(Group.Child(LanguageCode).Text());
  std::erase(Names, std::string());
  return Names;
}

// Q - Random(S) + Random(S), the subtracted draw first.
float SkillDraw(std::int32_t Quality, std::int32_t Spread) {
  const std::int32_t Minus = Random(Spread);
  return static_cast<float>(Quality - Minus + Random(Spread));
}

template <typename List>
void RemoveAt(List& Offers, std::int32_t Index, const char* Where) {
  if (Offers.empty()) return;
  At(Offers, Index, Where);
  Offers.erase(Offers.begin() + Index);
}

// Removes the offers of age OfferLifetime or more and brings in new ones; Generate appends one.
template <typename List, typename Generate>
void Renew(List& Offers, Generate&& GenerateOne) {
  std::int32_t Removed = 0;
  std::erase_if(Offers, [&](const auto& Offer) {
    const bool Expired = gCurrentTurn - Offer->OfferedTurn >= TTransferMarket::OfferLifetime;
    if (Expired) ++Removed;
    return Expired;
  });
  if (Removed > 0) {
    // n + Random(3) - Random(3), the added draw first; X + 1 new offers when X is not negative.
    const std::int32_t Plus = Random(3);
    const std::int32_t X = Removed + Plus - Random(3);
    if (X >= 0)
      for (std::int32_t i = 0; i <= X; ++i) GenerateOne();
  }
  if (Offers.size() < MinimumOffers)
    for (std::size_t i = Offers.size(); i < MinimumOffers + 1; ++i) GenerateOne();
}
}  // namespace

void TTransferMarket::Create() {
  TXMLDocument Document;
  gVirtualFileSystem->LoadXML(NamesFile, Document);
  const TXMLNode Root = Document.Root();
  const TXMLNode First = Root.Child("firstnames");
  const TXMLNode Last = Root.Child("lastnames");
  const TStringList& Codes = gLocalization.LanguageCodes;
  std::vector<TStringList> NewFirst(Codes.size()), NewLast(Codes.size());
  bool Usable = false;
  for (std::size_t L = 0; L < Codes.size(); ++L) {
    NewFirst[L] = NameLines(First, Codes[L]);
    NewLast[L] = NameLines(Last, Codes[L]);
    Usable = Usable || (!NewFirst[L].empty() && !NewLast[L].empty());
  }
  // Offers draw their names only from languages that have both first and last names; without
  // any the market could not name a single offer.
  if (!Usable)
    throw EDataError("TTransferMarket->Create->\"" + std::string(NamesFile) +
                     "\" gives no language both first names and last names");
  FirstNames = std::move(NewFirst);
  LastNames = std::move(NewLast);

  TFileNameList Files;
  if (gVirtualFileSystem->FolderExists(PortraitFolder)) {
    gVirtualFileSystem->ListDirectory(PortraitFolder, ".png", Files);
  } else {
    gVirtualFileSystem->ListFileNames(PortraitFolder, ".png", Files);
    for (std::string& Name : Files) Name += ".png";
  }
  ScientistPortraits.clear();
  GeneralPortraits.clear();
  SpyPortraits.clear();
  AddPortraits(Files);
}

void TTransferMarket::AddPortraits(const TStringList& FileNames) {
  for (const std::string& File : FileNames) {
    const std::string Name = File.find('.') != std::string::npos && File.size() >= 4 ? File.substr(0, File.size() - 4) : File;
    // A name with two prefixes goes into both lists.
    if (File.find("staff_scientist_") != std::string::npos) ScientistPortraits.push_back(Name);
    if (File.find("staff_general_") != std::string::npos) GeneralPortraits.push_back(Name);
    if (File.find("staff_spy_") != std::string::npos) SpyPortraits.push_back(Name);
  }
}

void TTransferMarket::GenerateOffer(const std::string& Kind) {
  const bool IsScientist = Kind == "scientist", IsGeneral = Kind == "general", IsSpy = Kind == "spy";
  if (!IsScientist && !IsGeneral && !IsSpy) return;

  // The draws of one offer, in this order: language, first name, last name, quality Q, the
  // boosted skill P; per skill in field order Random(S) subtracted, Random(S) added and, for the
  // boosted skill, RandomFloat; the cost factor RandomFloat; the portrait (not drawn when the
  // kind has no portraits).
  std::vector<std::size_t> Languages;
  for (std::size_t L = 0; L < FirstNames.size() && L < LastNames.size(); ++L)
    if (!FirstNames[L].empty() && !LastNames[L].empty()) Languages.push_back(L);
  if (Languages.empty()) throw ETarnovaError("TTransferMarket->GenerateOffer->No names to draw offers from");
  const std::size_t L = Languages[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Languages.size())))];
  const TStringList& Firsts = FirstNames[L];
  const TStringList& Lasts = LastNames[L];
  const std::string& FirstName = Firsts[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Firsts.size())))];
  const std::string Name = FirstName + " " + Lasts[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Lasts.size())))];

  const std::int32_t Quality = Random(75) + 25;
  const std::int32_t Spread = IsScientist ? Quality / 3 : Quality / 2;
  const std::int32_t Boosted = Random(IsScientist ? 2 : 3);
  const auto Skill = [&](std::int32_t Place) {
    double Value = SkillDraw(Quality, Spread);
    if (Place == Boosted) Value = static_cast<float>(Value * (RandomFloat() + 1.0));
    return static_cast<float>(std::min(Value, 100.0));
  };
  const auto Offer = [&]<typename T>(std::vector<std::unique_ptr<T>>& Offers, const TStringList& Portraits,
                                     const char* Icon) {
    auto Made = std::make_unique<T>();
    Made->Name = Name;
    double SkillSum = 0.0;
    const auto Skills = StaffSkills<T>();
    for (std::size_t i = 0; i < Skills.size(); ++i) {
      (*Made).*Skills[i].Field = Skill(static_cast<std::int32_t>(i));
      SkillSum += (*Made).*Skills[i].Field;
    }
    Made->Cost = RoundToInt((RandomFloat() / 4.0 + 1.0) * SkillSum);
    Made->Wage = RoundToInt(Made->Cost / 20.0);
    Made->OfferedTurn = gCurrentTurn;
    Made->Image = Portraits.empty()
                      ? std::string(Icon)
                      : Portraits[static_cast<std::size_t>(Random(static_cast<std::int32_t>(Portraits.size())))];
    return &Offers.emplace_back(std::move(Made));
  };

  if (IsScientist) {
    Offer(Scientists, ScientistPortraits, "gui_icon_scientist");
  } else if (IsGeneral) {
    Offer(Generals, GeneralPortraits, "gui_icon_general");
  } else {
    // A new spy is free, has its action and knows nothing yet.
    TSpy& Spy = **Offer(Spies, SpyPortraits, "gui_icon_spy");
    Spy.ResetBuildingData();
    Spy.HasAction = true;
  }
}

void TTransferMarket::Regenerate(std::int32_t NewScientists, std::int32_t NewGenerals, std::int32_t NewSpies) {
  Scientists.clear();
  Generals.clear();
  Spies.clear();
  for (std::int32_t i = 0; i < NewScientists; ++i) GenerateOffer("scientist");
  for (std::int32_t i = 0; i < NewGenerals; ++i) GenerateOffer("general");
  for (std::int32_t i = 0; i < NewSpies; ++i) GenerateOffer("spy");
}

void TTransferMarket::NextRound() {
  Renew(Scientists, [this] { GenerateOffer("scientist"); });
  Renew(Generals, [this] { GenerateOffer("general"); });
  Renew(Spies, [this] { GenerateOffer("spy"); });
}

namespace {
auto& Offers(TTransferMarket& M, const TScientist*) { return M.Scientists; }
auto& Offers(TTransferMarket& M, const TGeneral*) { return M.Generals; }
auto& Offers(TTransferMarket& M, const TSpy*) { return M.Spies; }
void Join(TNation& N, TScientist& Offer) { N.AddScientist(Offer); }
void Join(TNation& N, TGeneral& Offer) { N.AddGeneral(Offer); }
void Join(TNation& N, TSpy& Offer) { N.AddSpy(Offer); }
}  // namespace

template <typename T>
THireResult TTransferMarket::Hire(TNation& Nation, std::int32_t Index) {
  auto& List = Offers(*this, static_cast<const T*>(nullptr));
  if (!InRange(List, Index)) return THireResult::NoOffer;
  T& Offer = *List[static_cast<std::size_t>(Index)];
  if (static_cast<float>(Offer.Cost) > Nation.Ressources) return THireResult::NotEnoughRessources;
  Join(Nation, Offer);
  Nation.Ressources = static_cast<float>(static_cast<double>(Nation.Ressources) - Offer.Cost);
  RemoveAt(List, Index, "TTransferMarket->Hire");
  return THireResult::Hired;
}

template THireResult TTransferMarket::Hire<TScientist>(TNation&, std::int32_t);
template THireResult TTransferMarket::Hire<TGeneral>(TNation&, std::int32_t);
template THireResult TTransferMarket::Hire<TSpy>(TNation&, std::int32_t);

void TTransferMarket::RemoveScientist(std::int32_t Index) { RemoveAt(Scientists, Index, "TTransferMarket->RemoveScientist"); }
void TTransferMarket::RemoveGeneral(std::int32_t Index) { RemoveAt(Generals, Index, "TTransferMarket->RemoveGeneral"); }
void TTransferMarket::RemoveSpy(std::int32_t Index) { RemoveAt(Spies, Index, "TTransferMarket->RemoveSpy"); }
