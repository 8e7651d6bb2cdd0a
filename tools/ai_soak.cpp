#include "ai_soak.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <deque>
#include <cmath>
#include <memory>

#include "ai/ai_basic_personality.h"
#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "control/world_round.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/script_manager.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "engine/float_text.h"
#include "platform/random.h"
#include "platform/text_format.h"
#include "platform/xml_document.h"
#include "world/battle.h"
#include "world/building_type.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/transfer_market.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

// Loads the data set into the world's globals and frees it again at the end.
class TSoakWorld {
public:
  explicit TSoakWorld(const TSoakOptions& Options) {
    SavedSettings = gSettings;
    gSettings.LogAI = Options.LogAI;
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Options.DataRoot);
    gVirtualFileSystem->Open("tarnova.dat");
    gLocalization.Clear();
    if (gVirtualFileSystem->FileExists("data\\XML\\localization.xml")) {
      TXMLDocument Doc;
      gVirtualFileSystem->LoadXML("data\\XML\\localization.xml", Doc);
      gLocalization.LoadFromDocument(Doc);
    } else {
      gLocalization.LanguageCodes = {"ger", "eng"};
      gLocalization.LanguageNames = {"Deutsch", "English"};
      gLocalization.Texts.assign(2, {});
    }
    gLocalization.LanguageIndex = 1;
    const TTextureIdLookup NoTextures = [](const std::string&) { return 0u; };
    for (std::size_t i = 0; i < gNations.size(); ++i) {
      gNations[i] = std::make_unique<TNation>();
      gNations[i]->Reset();
      gNations[i]->ID = static_cast<std::uint8_t>(i);
      gNations[i]->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
      gNations[i]->BaseFactors.fill(1.0f);
      gNations[i]->Ressources = Options.StartRessources;
      gNations[i]->AIControlled = static_cast<std::int32_t>(i) != Options.IdleNation;
    }
    gUnitTypePool = std::make_unique<TUnitTypePool>();
    gUnitTypePool->LoadFromXML("data\\XML\\units.xml", NoTextures);
    gBuildingTypePool = std::make_unique<TBuildingTypePool>();
    gBuildingTypePool->Variables = &gScriptManager->Variables;
    gBuildingTypePool->LoadFromXML("data\\XML\\buildings.xml", NoTextures);
    Earth.Init("data\\XML\\regions.xml");
    if (Options.ShareOutRegions) ShareOutRegions();
    LoadNationInfo();
    gBattle = std::make_unique<TBattle>();
    gTransferMarket = std::make_unique<TTransferMarket>();
    gTransferMarket->Create();
    gCurrentTurn = 0;
    gPlayerNation = static_cast<std::uint8_t>(Options.IdleNation >= 0 ? Options.IdleNation : 0);
    SetRandomSeed(Options.Seed);
    gTransferMarket->Regenerate(15, 15, 15);
    for (std::size_t i = 0; i < gNations.size(); ++i) {
      auto C = std::make_unique<TAIController>();
      C->Nation = gNations[i].get();
      C->Personality = std::make_unique<TAIBasicPersonality>("basicAI", 0, *C);
      C->Difficulty = Options.Difficulties[i];
      gAIControllers.push_back(std::move(C));
    }
    for (std::size_t i = 0; i < gAIControllers.size(); ++i) gAIControllers[i]->SetPersonality(Options.Kinds[i]);
  }
  ~TSoakWorld() {
    gAIControllers.clear();
    gTransferMarket.reset();
    gBattle.reset();
    Earth.Destroy();
    gBuildingTypePool.reset();
    gUnitTypePool.reset();
    for (auto& N : gNations) N.reset();
    FreeLocalization();
    gVirtualFileSystem.reset();
    gCurrentTurn = 0;
    gPlayerNation = 0;
    gSettings = SavedSettings;
  }
  TSoakWorld(const TSoakWorld&) = delete;
  TSoakWorld& operator=(const TSoakWorld&) = delete;

private:
  static void ShareOutRegions() {
    std::deque<std::int32_t> Open;
    for (const auto& R : gRegions)
      if (R->Owner < TRegion::OwnerNobody) Open.push_back(R->ID);
    std::stable_sort(Open.begin(), Open.end(),
                     [](std::int32_t A, std::int32_t B) { return gRegions[A]->Owner < gRegions[B]->Owner; });
    while (!Open.empty()) {
      const TRegion& From = *gRegions[static_cast<std::size_t>(Open.front())];
      Open.pop_front();
      for (std::int32_t Index : From.Neighbours) {
        TRegion& To = *gRegions.at(static_cast<std::size_t>(Index));
        if (To.Owner != TRegion::OwnerNobody) continue;
        To.Owner = From.Owner;
        Open.push_back(Index);
      }
    }
  }

  // The nations' descriptions, read as the game reads them, when the data set has them.
  static void LoadNationInfo() {
    if (!gVirtualFileSystem->FileExists("data\\xml\\nationinfo.xml")) return;
    TXMLDocument Doc;
    gVirtualFileSystem->LoadXML("data\\xml\\nationinfo.xml", Doc);
    ReadNationInfo(Doc.Root());
  }

  TGameSettings SavedSettings;
  TEarth Earth;
};

namespace {

std::uint64_t Fnv1a(const TStringList& Lines) {
  std::uint64_t Hash = 1469598103934665603ull;
  for (const std::string& Line : Lines) {
    for (unsigned char C : Line) Hash = (Hash ^ C) * 1099511628211ull;
    Hash = (Hash ^ '\n') * 1099511628211ull;
  }
  return Hash;
}

}  // namespace

TSoakAttacks& TSoakAttacks::operator+=(const TSoakAttacks& Other) {
  OnNations += Other.OnNations, OnRebels += Other.OnRebels, OnNobody += Other.OnNobody;
  WonOnNations += Other.WonOnNations, WonOnRebels += Other.WonOnRebels, WonOnNobody += Other.WonOnNobody;
  LostToNations += Other.LostToNations;
  return *this;
}

void CountAttacks(const std::vector<std::string>& Lines, std::size_t First, std::uint8_t Attacker,
                  const std::function<std::int32_t(const std::string&)>& RegionIndex,
                  const std::function<bool(std::uint8_t, const std::string&, bool)>& Told,
                  std::vector<std::uint8_t>& Owners, std::array<TSoakAttacks, 5>& Counts) {
  static const std::string Attack = " I want to attack enemy region \"";
  std::string Target;  // the region of the attack whose outcome comes next; empty for none
  for (std::size_t l = First; l < Lines.size(); ++l) {
    const std::string& Line = Lines[l];
    if (Line.rfind(Attack, 0) == 0) {
      const std::size_t End = Line.find("\" with army ", Attack.size());
      Target = End == std::string::npos ? std::string() : Line.substr(Attack.size(), End - Attack.size());
      continue;
    }
    const bool Won = Line == " -> I have won the battle";
    if ((!Won && Line != " -> I have lost the battle") || Target.empty() || Attacker >= Counts.size()) continue;
    const std::int32_t Index = RegionIndex(Target);
    std::uint8_t Owner = Index >= 0 && static_cast<std::size_t>(Index) < Owners.size()
                             ? Owners[static_cast<std::size_t>(Index)]
                             : TRegion::OwnerRebels;
    if (Owner < Counts.size() && !Told(Owner, Target, Won)) Owner = TRegion::OwnerRebels;
    TSoakAttacks& C = Counts[Attacker];
    if (Owner < Counts.size()) {
      ++C.OnNations;
      C.WonOnNations += Won;
      Counts[Owner].LostToNations += Won;
    } else if (Owner == TRegion::OwnerNobody) {
      ++C.OnNobody;
      C.WonOnNobody += Won;
    } else {
      ++C.OnRebels;
      C.WonOnRebels += Won;
    }
    if (Won && Index >= 0 && static_cast<std::size_t>(Index) < Owners.size()) Owners[static_cast<std::size_t>(Index)] = Attacker;
    Target.clear();
  }
}

std::array<TSoakAttacks, 5> CountRoundAttacks(std::vector<std::uint8_t> OwnersBefore,
                                              const std::array<std::size_t, 5>& LinesBefore) {
  std::array<TSoakAttacks, 5> Counts{};
  const auto RegionIndex = [](const std::string& Name) {
    for (const auto& R : gRegions)
      if (R->GetName() == Name) return R->ID;
    return std::int32_t{-1};
  };
  // The round messages each nation got, and which of them an attack has explained already.
  std::array<std::vector<bool>, 5> Used;
  for (std::size_t i = 0; i < Used.size() && i < gNations.size(); ++i)
    if (gNations[i]) Used[i].assign(gNations[i]->Messages.Messages.size(), false);
  for (std::size_t i = 0; i < gNations.size() && i < gAIControllers.size() && i < Counts.size(); ++i) {
    if (!gNations[i] || !gAIControllers[i]->Log) continue;
    const TNation& Attacker = *gNations[i];
    const auto Told = [&](std::uint8_t Owner, const std::string& Target, bool Won) {
      const std::string Text =
          FormatText(Localize(Won ? "szStrNewsRegionLost" : "szStrNewsRegionDefend"), {Target, Attacker.GetName()});
      const auto& Messages = gNations[Owner]->Messages.Messages;
      for (std::size_t m = 0; m < Messages.size() && m < Used[Owner].size(); ++m)
        if (!Used[Owner][m] && Messages[m].Text == Text) {
          Used[Owner][m] = true;
          return true;
        }
      return false;
    };
    CountAttacks(gAIControllers[i]->Log->PlainLines, LinesBefore[i], static_cast<std::uint8_t>(i), RegionIndex, Told,
                 OwnersBefore, Counts);
  }
  return Counts;
}

void CheckWorldInvariants(const std::string& Where, std::vector<std::string>& Violations) {
  const auto Fail = [&](const std::string& Text) {
    if (Violations.size() < 200) Violations.push_back(Where + Text);
  };
  for (const auto& N : gNations) {
    const std::string Who = "nation " + std::to_string(N->ID) + " ";
    for (std::size_t i = 0; i < N->Divisions.size(); ++i)
      if (N->Divisions[i]->ID != static_cast<std::int32_t>(i))
        Fail(Who + "division " + std::to_string(i) + " has ID " + std::to_string(N->Divisions[i]->ID));
    for (const auto& U : N->Units) {
      if (U->Health <= 0.0f) Fail(Who + "keeps a destroyed unit");
      if (U->Division && std::none_of(N->Divisions.begin(), N->Divisions.end(),
                                      [&](const auto& D) { return D.get() == U->Division; }))
        Fail(Who + "has a unit in a division it does not own");
    }
    if (N->BuildQueueTypes.size() > TNation::MaxBuildQueue) Fail(Who + "has an overlong build queue");
    if (!std::isfinite(N->Ressources)) Fail(Who + "has a treasury that is not finite");
  }
  for (const auto& R : gRegions) {
    int Constructions = 0;
    for (const auto& Row : R->Buildings)
      for (const TBuilding& Slot : Row) Constructions += Slot.FinishType != nullptr;
    if (Constructions > 1) Fail("region " + std::to_string(R->ID) + " builds " + std::to_string(Constructions) + " things");
  }
}

namespace {

// The invariants after the computer turn of nation Acting; each failure is one line.
void CheckInvariants(std::int32_t Round, std::size_t Acting, std::size_t ScientistsBefore,
                     std::vector<std::string>& Violations) {
  const std::string Where = "round " + std::to_string(Round) + ", after nation " + std::to_string(Acting) + ": ";
  const auto Fail = [&](const std::string& Text) {
    if (Violations.size() < 200) Violations.push_back(Where + Text);
  };
  CheckWorldInvariants(Where, Violations);
  const TNation& N = *gNations[Acting];
  // A nation without regions does not play its turn: its divisions stay where they stood.
  const bool Played = N.GetValue("numregions") > 0.0f;
  for (const auto& D : N.Divisions)
    if (D->Region >= static_cast<std::int32_t>(gRegions.size()) ||
        (Played && D->Region >= 0 && gRegions[static_cast<std::size_t>(D->Region)]->Owner != N.ID))
      Fail("division \"" + D->Name + "\" stands in region " + std::to_string(D->Region) + ", which is not its nation's");
  const auto& P = *gAIControllers[Acting]->Personality;
  if (N.Scientists.size() > ScientistsBefore + 1) Fail("hired more than one scientist");
  if (N.Scientists.size() > ScientistsBefore && static_cast<std::int64_t>(N.Scientists.size()) > P.MaxScientists)
    Fail("hired beyond its scientist limit");
}

TSoakNationFigures Figures(const TNation& N) {
  TSoakNationFigures F;
  std::uint32_t Met = 0;  // a bit per nation
  for (const auto& R : gRegions)
    if (R->Owner == N.ID) {
      ++F.Regions;
      for (std::int32_t Index : R->Neighbours) {
        const std::uint8_t Other = gRegions.at(static_cast<std::size_t>(Index))->Owner;
        if (Other < TRegion::OwnerNobody && Other != N.ID) Met |= 1u << Other;
      }
      for (const auto& Row : R->Buildings)
        for (const TBuilding& Slot : Row) F.Buildings += Slot.Type != nullptr;
    }
  F.NationsMet = std::popcount(Met);
  F.Units = static_cast<std::int32_t>(N.Units.size());
  F.Divisions = static_cast<std::int32_t>(N.Divisions.size());
  for (const auto& T : N.TechnologyTree.Technologies) F.Technologies += T->Researched;
  F.Queue = static_cast<std::int32_t>(N.BuildQueueTypes.size());
  F.Score = N.Score;
  F.Ressources = N.Ressources;
  F.Dead = N.Dead;
  return F;
}

}  // namespace

TSoakGame::TSoakGame(const TSoakOptions& Options) : Options(Options), World(std::make_unique<TSoakWorld>(Options)) {
  for (std::size_t i = 0; i < gAIControllers.size(); ++i) Result.Kinds[i] = gAIControllers[i]->Kind;
}

TSoakGame::~TSoakGame() = default;

void TSoakGame::PlayRound() {
  const auto Start = std::chrono::steady_clock::now();
  TSoakRound Round;
  Round.Round = gCurrentTurn;
  std::vector<std::uint8_t> OwnersBefore;
  for (const auto& R : gRegions) OwnersBefore.push_back(R->Owner);

  // The game's own world round; the invariants after every computer turn.
  std::array<std::size_t, 5> LinesBefore{}, ScientistsBefore{};
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    LinesBefore[i] = gAIControllers[i]->Log->PlainLines.size();
    ScientistsBefore[i] = gNations[i]->Scientists.size();
  }
  RunWorldRound([&](std::size_t i) {
    CheckInvariants(gCurrentTurn, i, ScientistsBefore[i], Result.Violations);
    const auto& Lines = gAIControllers[i]->Log->PlainLines;
    for (std::size_t l = LinesBefore[i]; l < Lines.size(); ++l) {
      if (Lines[l].rfind(" Added unit ", 0) == 0) ++Round.Nations[i].UnitsQueued;
      if (Lines[l].rfind(" I want to attack ", 0) == 0) ++Round.Nations[i].Attacks;
    }
  });
  ++gCurrentTurn;
  gTransferMarket->NextRound();

  for (std::size_t i = 0; i < gNations.size(); ++i) {
    const std::int32_t Queued = Round.Nations[i].UnitsQueued, Attacks = Round.Nations[i].Attacks;
    Round.Nations[i] = Figures(*gNations[i]);
    Round.Nations[i].UnitsQueued = Queued;
    Round.Nations[i].Attacks = Attacks;
  }
  for (std::size_t r = 0; r < gRegions.size(); ++r) Round.OwnerChanges += gRegions[r]->Owner != OwnersBefore[r];
  const std::array<TSoakAttacks, 5> Battles = CountRoundAttacks(OwnersBefore, LinesBefore);
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    Round.Nations[i].Battles = Battles[i];
    Round.Conquests += Battles[i].LostToNations;
  }
  Round.Milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
  Result.Rounds.push_back(Round);
}

void TSoakGame::End() {
  for (std::size_t i = 0; i < gAIControllers.size(); ++i) Result.LogHash[i] = Fnv1a(gAIControllers[i]->Log->PlainLines);
  if (!Options.LogFolder.empty()) SaveAIControllerLogs(Options.LogFolder);
}

TSoakResult RunSoak(const TSoakOptions& Options) {
  TSoakResult Result;
  try {
    TSoakGame Game(Options);
    try {
      for (std::int32_t Round = 0; Round < Options.Rounds; ++Round) Game.PlayRound();
      Game.End();
    } catch (const std::exception& E) {
      Game.Result.Error = E.what();
    }
    Result = Game.Result;
  } catch (const std::exception& E) {
    Result.Error = E.what();
  }
  return Result;
}

void WriteSoakCsvHeader(std::ostream& Out) {
  Out << "seed,round,nation,kind,regions,units,divisions,technologies,buildings,queue,ressources,score,dead,"
         "unitsqueued,attacks,ownerchanges,attacksonnations,attacksonrebels,attacksonnobody,wononnations,wononrebels,"
         "wononnobody,losttonations,conquests,milliseconds\n";
}

void WriteSoakCsv(const TSoakResult& Result, std::uint32_t Seed, std::ostream& Out) {
  for (const TSoakRound& R : Result.Rounds)
    for (std::size_t i = 0; i < R.Nations.size(); ++i) {
      const TSoakNationFigures& F = R.Nations[i];
      Out << Seed << ',' << R.Round << ',' << i << ',' << Result.Kinds[i] << ',' << F.Regions << ',' << F.Units << ','
          << F.Divisions << ',' << F.Technologies << ',' << F.Buildings << ',' << F.Queue << ',' << F.Ressources << ','
          << F.Score << ',' << (F.Dead ? 1 : 0) << ',' << F.UnitsQueued << ',' << F.Attacks << ',' << R.OwnerChanges
          << ',' << F.Battles.OnNations << ',' << F.Battles.OnRebels << ',' << F.Battles.OnNobody << ','
          << F.Battles.WonOnNations << ',' << F.Battles.WonOnRebels << ',' << F.Battles.WonOnNobody << ','
          << F.Battles.LostToNations << ',' << R.Conquests << ',' << R.Milliseconds << '\n';
    }
}
