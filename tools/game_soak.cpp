#include "game_soak.h"

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <utility>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "ai/ai_log.h"
#include "ai_soak.h"
#include "control/game.h"
#include "control/game_view.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "platform/errors.h"
#include "platform/virtual_keys.h"
#include "platform/xml_document.h"
#include "support/headless_gui_services.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

#if defined(__SANITIZE_ADDRESS__)
#define TARNOVA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARNOVA_ASAN 1
#endif
#endif
#ifdef TARNOVA_ASAN
// The sanitizer runtime's count of live heap bytes (gcc ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {
// The least-squares slope of a figure of the rounds From..To; rounds where it is negative (not
// known) are left out.
template <typename Figure>
double Trend(const TGameSoakResult& Result, std::int32_t From, std::int32_t To, Figure&& Of) {
  double N = 0, SX = 0, SY = 0, SXX = 0, SXY = 0;
  for (const TGameSoakRound& Round : Result.Rounds) {
    if (Round.Round < From || Round.Round > To || Of(Round) < 0) continue;
    const double X = Round.Round, Y = static_cast<double>(Of(Round));
    N += 1, SX += X, SY += Y, SXX += X * X, SXY += X * Y;
  }
  if (N < 2) return 0.0;
  return (N * SXY - SX * SY) / (N * SXX - SX * SX);
}
}  // namespace

double HeapTrend(const TGameSoakResult& Result, std::int32_t From, std::int32_t To) {
  return Trend(Result, From, To, [](const TGameSoakRound& Round) { return Round.HeapBytes; });
}

double OfferTrend(const TGameSoakResult& Result, std::int32_t From, std::int32_t To) {
  return Trend(Result, From, To, [](const TGameSoakRound& Round) { return std::int64_t{Round.Offers}; });
}

std::int64_t LiveHeapBytes() {
#ifdef TARNOVA_ASAN
  return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  return static_cast<std::int64_t>(mallinfo2().uordblks);
#endif
}

namespace {

// The presentation as far as game control asks for it: it only counts the region map rebuilds.
class TCountingView : public TGameView {
public:
  std::int32_t RegionMapUpdates = 0;
  void Render(TGame&) override {}
  void UpDateRegionMap(TGame&, bool) override { ++RegionMapUpdates; }
};

// The game's windows the round touches: the news and the message box.
void LoadRoundWindows() {
  for (auto* GUI : {&gInGameGUI, &gNationSelectGUI, &gMainMenuGUI, &gEndGameGUI, &gBattleFieldGUI})
    *GUI = std::make_unique<TGLGUI>();
  for (const char* Name : {"window_infocenter", "extended_message_dialog"})
    gInGameGUI->AddWindowFromXML(std::string("data\\xml\\lang_eng\\") + Name + ".xml");
}

std::int32_t RegionsOf(std::size_t Nation) {
  std::int32_t N = 0;
  for (const auto& R : gRegions) N += R->Owner == Nation;
  return N;
}

// The game's state after a round; each failure is one line.
void CheckGame(TGame& Game, std::int32_t Played, const TCountingView& View, std::vector<std::string>& Violations) {
  const std::string Where = "round " + std::to_string(gCurrentTurn) + ": ";
  const auto Fail = [&](const std::string& Text) {
    if (Violations.size() < 200) Violations.push_back(Where + Text);
  };
  CheckWorldInvariants(Where, Violations);
  if (gCurrentTurn != Played) Fail("the round counter is " + std::to_string(gCurrentTurn) + " after " + std::to_string(Played) + " rounds");
  if (View.RegionMapUpdates != Played) Fail("the region map was rebuilt " + std::to_string(View.RegionMapUpdates) + " times");
  for (const auto& R : gRegions)
    if (R->Owner > TRegion::OwnerRebels) Fail("region " + std::to_string(R->ID) + " has owner " + std::to_string(R->Owner));
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    const TNation& N = *gNations[i];
    const std::int32_t Regions = RegionsOf(i);
    if (N.Dead && Regions > 0) Fail("nation " + std::to_string(i) + " is dead but holds " + std::to_string(Regions) + " regions");
    if (!N.Dead && Regions == 0) Fail("nation " + std::to_string(i) + " holds no region but is not dead");
    if (N.NumRegionsCurrent != static_cast<float>(Regions)) Fail("nation " + std::to_string(i) + " counts its regions wrong");
  }
  // The quick chart ranks the five nations: each pair holds a permutation of 0..4.
  for (const auto& Pair : Game.QuickChart) {
    std::vector<std::int32_t> Order = Pair[0];
    std::sort(Order.begin(), Order.end());
    if (Order != std::vector<std::int32_t>{0, 1, 2, 3, 4}) Fail("the quick chart is not a ranking of the nations");
  }
  // The statistics: a full history per nation whose newest entry is the nation's value now.
  if (!gStatisticServer || gStatisticServer->Sets.size() != 8) {
    Fail("the statistics are missing");
  } else {
    for (std::size_t k = 0; k < 8; ++k)
      for (std::size_t i = 0; i < gNations.size(); ++i) {
        const auto& Values = gStatisticServer->Sets[k]->Values[i];
        if (Values.size() != TStatisticSet::Length) {
          Fail("statistic " + gStatisticKeys[k] + " keeps " + std::to_string(Values.size()) + " entries");
        } else {
          const float Now = gNations[i]->GetValue(gStatisticKeys[k]);
          if (!(std::fabs(Values[0] - Now) <= 1e-3f * std::max(1.0f, std::fabs(Now))))
            Fail("statistic " + gStatisticKeys[k] + " of nation " + std::to_string(i) + " is not the nation's value");
        }
      }
  }
}

// The autosave of the round just played: the document whole and of this round, written straight
// after the world round, before the round's counter moved on.
bool CheckAutosave(const std::filesystem::path& File, std::vector<std::string>& Violations) {
  const std::string Where = "round " + std::to_string(gCurrentTurn) + ": ";
  try {
    TXMLDocument D;
    D.LoadFromFile(File);
    const std::string Turn = D.Root().Child("game").AttributeOr("currentturn", "");
    if (Turn == std::to_string(gCurrentTurn - 1)) return true;
    Violations.push_back(Where + "the autosave holds round " + Turn);
  } catch (const ETarnovaError& E) {
    Violations.push_back(Where + "the autosave cannot be read: " + E.what());
  }
  return false;
}

// The nation with the most regions (the lowest index among equals).
std::size_t Leader() {
  std::size_t Best = 0;
  for (std::size_t i = 1; i < gNations.size(); ++i)
    if (RegionsOf(i) > RegionsOf(Best)) Best = i;
  return Best;
}

}  // namespace

TGameSoakResult RunGameSoak(const TGameSoakOptions& Options) {
  TGameSoakResult Result;
  const TGameSettings SavedSettings = gSettings;
  const std::string SavedSavePath = gSaveGamePath;
  // The GUI toolkit without GL: the data files come from the data set, every picture counts as
  // loaded, nothing is drawn, played or kept.
  auto Services = std::make_unique<TDataGUIServices>();
  Services->EveryTextureKnown = true;
  Services->Record = false;
  std::unique_ptr<TGUIServices> SavedServices = SetGUIServices(std::move(Services));
  try {
    TSoakOptions World;
    World.DataRoot = Options.DataRoot;
    World.Seed = Options.Seed;
    // The decision logs tell the attacks; the soak reads and drops them every round.
    World.LogAI = true;
    TSoakGame Soak(World);
    gStatisticServer = std::make_unique<TStatisticServer>();
    LoadRoundWindows();
    TTarnovaForm Form{{"tarnova", "-windowed", "-debugkeys"}};
    auto OwnedView = std::make_unique<TCountingView>();
    TCountingView& View = *OwnedView;
    auto Game = std::make_unique<TGame>(Form, std::move(OwnedView));
    Game->Earth = std::make_unique<TEarth>();
    std::filesystem::create_directories(Options.SaveFolder);
    gSaveGamePath = Options.SaveFolder.string() + "/";
    gSettings.DebugKeys = true;
    gSettings.AutosaveEnabled = Options.AutosaveInterval > 0;
    gSettings.AutosaveInterval = gSettings.AutosaveCountdown = Options.AutosaveInterval;
    const bool Idle = Options.IdleNation >= 0 && Options.IdleNation < static_cast<std::int32_t>(gNations.size());
    Game->SelectedNation = Idle ? Options.IdleNation : 0;
    Game->StartNewGame(0);
    View.RegionMapUpdates = 0;
    // Every nation played by the computer, as the developer's AI window does it; or all but the
    // idle player.
    if (!Idle)
      for (auto& N : gNations) N->AIControlled = true;

    const std::filesystem::path Autosave = Options.SaveFolder / "autosave.xml";
    // Room for every round's figures at once, so that the soak's own record does not count as
    // the game's heap growing.
    Result.Rounds.reserve(static_cast<std::size_t>(std::max(Options.Rounds, 0)));
    for (std::int32_t Played = 1; Played <= Options.Rounds; ++Played) {
      // The game ends when the player's nation falls: the developer follows the leading nation
      // (Ctrl+N moves to the next one), so the game goes on while two nations stand.
      if (!Idle) {
        const std::size_t Lead = Leader();
        for (int Press = 0; Press < 5 && gPlayerNation != Lead; ++Press) Game->KeyDown('N', ssCtrl);
        if (gPlayerNation != Lead) throw ETarnovaError("Ctrl+N did not move the player to nation " + std::to_string(Lead));
      }

      TGameSoakRound Round;
      Round.Watched = gPlayerNation;
      std::vector<std::uint8_t> OwnersBefore;
      for (const auto& R : gRegions) OwnersBefore.push_back(R->Owner);
      std::error_code Ec;
      std::filesystem::remove(Autosave, Ec);

      Game->NextRound();

      Round.Battles = CountRoundAttacks(OwnersBefore, {});
      for (const TSoakAttacks& B : Round.Battles) Round.Conquests += B.LostToNations;
      for (std::size_t i = 0; i < gAIControllers.size(); ++i) {
        TAILog& Log = *gAIControllers[i]->Log;
        if (!Options.LogFolder.empty() && !Log.PlainLines.empty()) {
          std::ofstream Out(Options.LogFolder / ("AI_" + std::to_string(i) + "_log.txt"), Played == 1 ? std::ios::trunc : std::ios::app);
          for (const std::string& Line : Log.PlainLines) Out << Line << '\n';
        }
        for (const std::string& Line : Log.PlainLines) Round.Attacks[i] += Line.rfind(" I want to attack ", 0) == 0;
        Log.PlainLines.clear();
        Log.Lines.clear();
      }
      for (std::size_t r = 0; r < gRegions.size(); ++r) Round.OwnerChanges += gRegions[r]->Owner != OwnersBefore[r];
      for (std::size_t i = 0; i < gNations.size(); ++i) {
        Round.Regions[i] = RegionsOf(i);
        Round.Military[i] = static_cast<std::int32_t>(gNations[i]->Units.size());
        Round.Ressources[i] = gNations[i]->Ressources;
        Round.Units += Round.Military[i];
      }
      Round.Round = gCurrentTurn;
      Round.Offers = static_cast<std::int32_t>(gTransferMarket->Scientists.size() + gTransferMarket->Generals.size() +
                                               gTransferMarket->Spies.size());
      if (Game->State != gsEarthView || !Game->GameRunning) {
        // The end of the game asks for the end-of-game screen, which comes after the fade.
        const bool Ended = Game->State == gsEndGame || Game->PendingState == gsEndGame;
        Result.Ending = Ended ? (RegionsOf(gPlayerNation) > 0 ? "victory" : "defeat") : "stopped";
        Result.Rounds.push_back(Round);
        break;
      }
      CheckGame(*Game, Played, View, Result.Violations);
      const bool Due = Options.AutosaveInterval > 0 && Played % Options.AutosaveInterval == 0;
      if (Due != std::filesystem::exists(Autosave, Ec))
        Result.Violations.push_back("round " + std::to_string(gCurrentTurn) + (Due ? ": no autosave" : ": an autosave out of turn"));
      else if (Due && CheckAutosave(Autosave, Result.Violations))
        ++Result.Autosaves;
      Round.HeapBytes = LiveHeapBytes();
      Result.Rounds.push_back(Round);
    }
    Game.reset();
    for (auto* GUI : {&gInGameGUI, &gNationSelectGUI, &gMainMenuGUI, &gEndGameGUI, &gBattleFieldGUI})
      *GUI = std::make_unique<TGLGUI>();
    gStatisticServer.reset();
  } catch (const std::exception& E) {
    Result.Error = E.what();
  }
  SetGUIServices(std::move(SavedServices));
  gSaveGamePath = SavedSavePath;
  gSettings = SavedSettings;
  return Result;
}
