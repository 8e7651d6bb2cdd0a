// Round processing: the hot-seat hand-over, the world round and everything that follows it, the
// hot-seat turn timer and the quick chart.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/world_round.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "gui/check_box.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "platform/text_format.h"
#include "world/battle.h"
#include "world/nation.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

namespace {

// Nations 0..4 by "numregions".
bool HoldsRegions(const TNation& N) { return N.GetValue("numregions") > 0.0f; }

bool IsLivingHuman(std::size_t i) { return gNations[i] && !gNations[i]->AIControlled && !gNations[i]->Dead; }

}  // namespace

void TGame::NextRound() {
  // A game that has ended stays ended: a late "next round" neither ends it again nor enters a
  // second score.
  if (!GameRunning) return;
  gInGameGUI->CloseWindow("autobattle");
  std::vector<std::uint8_t> Dead;
  if (HotSeat) {
    for (std::size_t i = 1; i < gInGameGUI->Windows.size(); ++i) gInGameGUI->Windows[i]->Visible = false;
    if (View) View->ArmyWindow_ClearDivisionInfo(*this);
    // The hot-seat endings: every human beaten, or a human alone on the globe.
    auto Ended = [this] {
      if (std::none_of(gNations.begin(), gNations.end(), [](const auto& N) { return !N->AIControlled && HoldsRegions(*N); })) {
        EndGameText = Localize("szStrHotSeatEndGameAIWin");
        ShowDefeat();
        return true;
      }
      std::vector<std::size_t> Left;
      for (std::size_t i = 0; i < gNations.size(); ++i)
        if (HoldsRegions(*gNations[i])) Left.push_back(i);
      if (Left.size() == 1 && !gNations[Left[0]]->AIControlled) {
        EndGameText = FormatText(Localize("szStrHotSeatEndGameHumanWin"), {gNations[Left[0]]->PlayerName});
        ShowVictory();
        return true;
      }
      return false;
    };
    if (Ended()) return;
    std::size_t Next = static_cast<std::size_t>(gPlayerNation) + 1;
    while (Next < gNations.size() && !IsLivingHuman(Next)) ++Next;
    OverlayDirection = -1;
    RoundTimeLeft = DefaultRoundTime;
    if (Next < gNations.size()) {
      // The next human takes the turn without a world round; the news list is theirs.
      NextPlayerSearch = static_cast<std::int8_t>(Next);
      FillInfoCenter(false);
      return;
    }
    Dead = RunWorldRound();
    Next = 0;
    while (Next < gNations.size() && !IsLivingHuman(Next)) ++Next;
    // No human survived the world round: the game ends now rather than handing over to nobody.
    if (Next == gNations.size()) {
      OverlayDirection = 0;
      Ended();
      return;
    }
    NextPlayerSearch = static_cast<std::int8_t>(Next);
  } else {
    Dead = RunWorldRound();
  }
  AfterWorldRound(Dead);
}

void TGame::AfterWorldRound(const std::vector<std::uint8_t>& Dead) {
  TNation& Player = *gNations.at(gPlayerNation);
  // The autosave comes straight after the world round, before the news window, the end-of-game
  // tests and the round counter: a round that ends the game is saved too. Only a save that was
  // written is reported in the news; a failed one has said so in its message box.
  if (gSettings.AutosaveEnabled) {
    // Below 0 (an interval of 0 or less) no autosave comes any more; the count stops at the
    // integer's end instead of running past it.
    if (gSettings.AutosaveCountdown > INT32_MIN) --gSettings.AutosaveCountdown;
    if (gSettings.AutosaveCountdown == 0) {
      gSettings.AutosaveCountdown = gSettings.AutosaveInterval;
      if (SaveToXML(gSaveGamePath + "autosave.xml", "Autosave"))
        gNations.at(HotSeat ? static_cast<std::size_t>(NextPlayerSearch) : gPlayerNation)
            ->Messages.Add(Localize("szStrNewsAutoSave"), "", -1, 3);
    }
  }
  // In hot seat the news are the next player's: they open once the veil hides the screen from
  // the player who ended the turn.
  FillInfoCenter(!HotSeat);
  NewsAtHandOver = HotSeat;
  for (auto& N : gNations) {
    N->NumRegionsLast = N->NumRegionsCurrent;
    N->NumRegionsCurrent = N->GetValue("numregions");
  }
  if (View) {
    if (!gDebugBatchRounds) {
      View->UpDateRegionMap(*this, false);
    } else if (TGLWindow* Debug = gInGameGUI->GetWindow("debugai")) {
      for (auto& Item : Debug->Items)
        if (auto* Box = dynamic_cast<TGLCheckbox*>(Item.get()); Box && Item->ID == "checkbox_regionmapupdate" && Box->Checked)
          View->UpDateRegionMap(*this, true);
    }
  }
  if (!HotSeat) {
    if (!HoldsRegions(Player)) {
      ShowDefeat();
      return;
    }
    if (std::none_of(gNations.begin(), gNations.end(),
                     [&](const auto& N) { return N.get() != &Player && HoldsRegions(*N); })) {
      Player.ScoreEvent("GameWon");
      ShowVictory();
      return;
    }
  }
  UpdateQuickChart();
  if (gStatisticServer) gStatisticServer->Update();
  ++gCurrentTurn;
  gInGameGUI->UpdateAllWindows();
  if (!Dead.empty()) {
    std::string Text;
    if (Dead.size() == 1) {
      Text = Localize("szMsgNationDeadSingeLine0") + "\n" +
             FormatText(Localize("szMsgNationDeadSingeLine1"), {gNations[Dead[0]]->GetName()});
    } else {
      std::string Names;
      for (std::size_t i = 0; i < Dead.size(); ++i) {
        if (i) Names.append(" ").append(Localize("szStrAnd")).append(" ");
        Names.append(gNations[Dead[i]]->GetName());
      }
      Text = FormatText(Localize("szMsgNationDeadMultiLine0"), {std::to_string(Dead.size())}) + "\n" +
             FormatText(Localize("szMsgNationDeadMultiLine1"), {Names});
    }
    gInGameGUI->ShowMessageBoxExt(Text, Localize("szMsgNationDeadTitle"), "dialog_nation_dead", false);
  }
  if (gTransferMarket) gTransferMarket->NextRound();
  // The market's round replaces offers after the windows were refreshed: an open market window
  // shows the new ones, so a hire takes the person the player sees.
  if (View) View->TransferMarketWindow_Refresh(*this);
}

void TGame::FillInfoCenter(bool Open) {
  TGLWindow* Info = gInGameGUI->GetWindow("infocenter");
  if (!Info) return;
  const std::size_t Reader = HotSeat ? static_cast<std::size_t>(NextPlayerSearch) : gPlayerNation;
  for (auto& Item : Info->Items)
    if (auto* List = dynamic_cast<TGLListBox*>(Item.get())) {
      gNations.at(Reader)->Messages.FillWindow(*List);
      break;
    }
  if (Open) gInGameGUI->BringToFront("infocenter");
}

void TGame::RoundTimerTick() {
  // The turn clock runs only in a hot-seat game on the globe, also behind the veil that hands the
  // turn over (the new turn's time is counted from the hand-over), never during a battle or while
  // the globe fades out to another screen.
  if (State != gsEarthView || !GameRunning || !HotSeat || (gBattle && gBattle->Running) || FadingOut()) return;
  if (RoundTimeLeft <= 0) return;
  if (--RoundTimeLeft == 0) NextRound();
}

void TGame::UpdateQuickChart() {
  // Per pair, the value it ranks (the pairs' order: regions, military, population, growth,
  // resources).
  static const char* const Keys[5] = {"numregions", "militarystrength", "totalpopulation", "totalgrowth", "ressources"};
  for (std::size_t k = 0; k < QuickChart.size(); ++k) {
    QuickChart[k][1] = QuickChart[k][0];
    float Values[5];
    for (std::size_t i = 0; i < 5; ++i) Values[i] = gNations[i]->GetValue(Keys[k]);
    std::vector<std::int32_t> Order = {0, 1, 2, 3, 4};
    // Stable: equal values keep the lower nation first.
    std::stable_sort(Order.begin(), Order.end(), [&](std::int32_t A, std::int32_t B) { return Values[A] < Values[B]; });
    QuickChart[k][0] = Order;
  }
}
