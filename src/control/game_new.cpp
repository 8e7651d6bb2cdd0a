// A new game: single player from the nation selection, hot seat from the main menu's panel.
#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <string>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "control/game.h"
#include "control/pick_colors.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/sound_system.h"
#include "gui/drop_down.h"
#include "gui/edit.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "platform/rounding.h"
#include "world/battle.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

namespace {

// The longest hot-seat turn in minutes whose seconds the turn timer's 32-bit count still holds.
constexpr std::int64_t kMaxTurnMinutes = std::numeric_limits<std::int32_t>::max() / 60;

template <class T>
T* FindItem(TGLGUI& GUI, const std::string& ID) {
  if (GUI.Windows.empty()) return nullptr;
  for (auto& Item : GUI.Windows[0]->Items)
    if (auto* Typed = dynamic_cast<T*>(Item.get()); Typed && Item->ID == ID) return Typed;
  return nullptr;
}

template <class T>
T* FirstItem(TGLGUI& GUI) {
  if (GUI.Windows.empty()) return nullptr;
  for (auto& Item : GUI.Windows[0]->Items)
    if (auto* Typed = dynamic_cast<T*>(Item.get())) return Typed;
  return nullptr;
}

std::string SelectedID(TGLGUI& GUI, const std::string& ID) {
  const TGLDropDown* D = FindItem<TGLDropDown>(GUI, ID);
  return D && D->ItemIndex >= 0 ? D->GetSelectedID() : std::string();
}

// The turn time's minutes: a whole number, a minus sign allowed in front (any negative number,
// however long, is too short alike). None when the text is no whole number or its seconds would
// not fit the turn timer.
std::optional<std::int64_t> TurnMinutes(const std::string& Text) {
  const std::size_t Digits = !Text.empty() && Text[0] == '-' ? 1 : 0;
  if (Text.size() == Digits) return std::nullopt;
  for (std::size_t i = Digits; i < Text.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(Text[i]))) return std::nullopt;
  if (Digits == 1) return std::int64_t{-1};
  // Leading zeros do not make a number long.
  const std::size_t First = std::min(Text.find_first_not_of('0'), Text.size());
  if (Text.size() - First > 18) return std::nullopt;
  const std::int64_t Minutes = First == Text.size() ? 0 : std::stoll(Text.substr(First));
  if (Minutes > kMaxTurnMinutes) return std::nullopt;
  return Minutes;
}

}  // namespace

void TGame::StartNewGame(std::uint16_t Mode) {
  std::int64_t Minutes = 0;
  if (Mode == 1) {
    auto Warn = [](const std::string& Key) {
      gMainMenuGUI->ShowMessageBoxExt(Localize(Key), Localize("szStrDialogWarning"), "dialog_warning", true);
    };
    bool Human = false;
    for (int i = 0; i < 5; ++i) Human |= SelectedID(*gMainMenuGUI, "hotseat_controller_nation" + std::to_string(i)) == "human";
    if (!Human) return Warn("szWarningHotSeatNoHumanPlayer");
    const TGLEdit* Time = FindItem<TGLEdit>(*gMainMenuGUI, "hotseat_turntime");
    const std::optional<std::int64_t> Turn = TurnMinutes(Time ? Time->Text : std::string());
    if (!Turn) return Warn("szWarningHotSeatTurnWrongValue");
    if (*Turn < 1) return Warn("szWarningHotSeatTurnToShort");
    Minutes = *Turn;
  }
  if (gSoundSystem) gSoundSystem->PlaySound("GameStart", false);
  ForgetGameObjects();
  gSettings.AutosaveCountdown = gSettings.AutosaveInterval;
  if (gLog) {
    gLog->LoadingScreen = true;
    gLog->DrawLoadingIndicator();
  }
  const TGLDropDown* DifficultyBox = FindItem<TGLDropDown>(*gNationSelectGUI, "difficulty_dropdown");
  Difficulty = static_cast<std::uint16_t>(DifficultyBox && DifficultyBox->ItemIndex > 0 ? DifficultyBox->ItemIndex : 0);
  gTransferMarket->Regenerate(15, 15, 15);
  Earth->Init("data\\XML\\regions.xml");
  if (gRegions.size() > static_cast<std::size_t>(kDistinctPickColors) && gLog)
    gLog->AddLine("TGame->StartNewGame->" + std::to_string(gRegions.size()) + " regions, but only the first " +
                  std::to_string(kDistinctPickColors) + " can be picked on the globe");
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    TNation& N = *gNations[i];
    N.Reset();
    N.AIControlled = true;
    const float Income = N.GetValue("ressourcesincoming");
    N.Ressources = Income * 5.0f;
    gAIControllers[i]->Difficulty = Difficulty;
    gAIControllers[i]->SetPersonality(0);
    if (Mode == 1) {
      const std::string Row = SelectedID(*gMainMenuGUI, "hotseat_ressources_nation" + std::to_string(i));
      if (Row == "res_zero") N.Ressources = 0.0f;
      else if (Row == "res_50") N.Ressources = static_cast<float>(RoundToInt64(Income / 2.0) * 5);
      else if (Row == "res_150") N.Ressources = static_cast<float>(RoundToInt64(Income * 1.5) * 5);
      else if (Row == "res_200") N.Ressources = static_cast<float>(RoundToInt64(Income * 2.0) * 5);
    }
    N.NumRegionsCurrent = N.NumRegionsLast = N.GetValue("numregions");
  }
  gStatisticServer->Init();
  if (SelectedNation < 0 || SelectedNation > 4) SelectedNation = 0;
  gPlayerNation = static_cast<std::uint8_t>(SelectedNation);
  State = PendingState = gsEarthView;
  gCurrentTurn = 0;
  if (Mode == 0) {
    HotSeat = false;
    TNation& Player = *gNations[gPlayerNation];
    const TGLEdit* Name = FirstItem<TGLEdit>(*gNationSelectGUI);
    Player.PlayerName = Name ? Name->Text : std::string();
    Player.AIControlled = false;
  } else {
    HotSeat = true;
    for (std::size_t i = 0; i < gNations.size(); ++i) {
      TNation& N = *gNations[i];
      const std::string Nr = std::to_string(i);
      const TGLEdit* Name = FindItem<TGLEdit>(*gMainMenuGUI, "hotseat_name_nation" + Nr);
      N.PlayerName = Name ? Name->Text : std::string();
      const std::string Row = SelectedID(*gMainMenuGUI, "hotseat_controller_nation" + Nr);
      if (Row == "ai_normal") gAIControllers[i]->Difficulty = 0;
      else if (Row == "ai_hard") gAIControllers[i]->Difficulty = 1;
      else if (Row == "ai_veryhard") gAIControllers[i]->Difficulty = 2;
      N.AIControlled = Row != "human";
      gAIControllers[i]->SetPersonality(0);
      N.LastGlobeRotationX = N.GlobeRotationX;
      N.LastGlobeRotationY = N.GlobeRotationY;
      N.LastGlobeZoom = Earth->Zoom;
    }
    CurrentPlayer = -1;
    for (std::size_t i = 0; i < gNations.size() && CurrentPlayer < 0; ++i)
      if (!gNations[i]->AIControlled) CurrentPlayer = static_cast<std::int8_t>(i);
    gPlayerNation = static_cast<std::uint8_t>(CurrentPlayer);
    NextPlayerSearch = CurrentPlayer;
    OverlayAlpha = 0.0f;
    OverlayDirection = 1;
    DefaultRoundTime = RoundTimeLeft = static_cast<std::int32_t>(Minutes * 60);
  }
  // The globe faces the nation last chosen on the nation-selection screen, in hot seat too; each
  // player's own view takes over at the first hand-over.
  Earth->RotationX = gNations[static_cast<std::size_t>(SelectedNation)]->GlobeRotationX;
  Earth->RotationY = gNations[static_cast<std::size_t>(SelectedNation)]->GlobeRotationY;
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i]->AIPersonality = gAIControllers[i]->Kind;
    gNations[i]->AIDifficulty = gAIControllers[i]->Difficulty;
  }
  UpdateQuickChart();
  UpdateQuickChart();
  if (View) View->UpDateRegionMap(*this, false);
  GameRunning = true;
  if (gLog) gLog->LoadingScreen = false;
  RegionDetailsLastMouseX = gMouseX;
  RegionDetailsLastMouseY = gMouseY;
  RegionDetailsHoveredSlot = -1;
  RoundTimer.SetEnabled(HotSeat);
  for (std::size_t i = 1; i < gInGameGUI->Windows.size(); ++i) gInGameGUI->Windows[i]->Visible = false;
  gInGameGUI->ModalWindow = nullptr;
}

void TGame::ForgetGameObjects() {
  if (CursorMode == 1) RestoreWindow("army_management", SavedWindowRect);
  if (CursorMode == 2) RestoreWindow("regioninfo", SavedWindowRect);
  if (CursorMode == 4) RestoreWindow("espionage", EspionageSavedWindowRect);
  if (CursorMode != 0) gInGameGUI->HideHint();
  CursorMode = 0;
  HoveredRegion = -1;
  StationDivision = nullptr;
  MoveSourceRegion = nullptr;
  MoveDivisionIndex = -1;
  EspionageSelectedSpy = nullptr;
  ResearchSelectedTech = nullptr;
  ResearchHistorySelectedTech = nullptr;
  ResearchTechList.clear();
  if (View) View->GameObjectsForgotten(*this);
  BuildSelectedType = nullptr;
  NewsAtHandOver = false;
  SelectRegion(-1);
  RegionDetailsSelectedSlot = -1;
  // The battle's references and its pending release belong to the world that goes.
  if (gBattle) gBattle->Forget();
}
