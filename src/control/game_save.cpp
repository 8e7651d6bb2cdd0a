#include "control/game_save.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/window.h"
#include "gui/window_state.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text_format.h"
#include "platform/xml_document.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/savegame_values.h"
#include "world/world_globals.h"
#include "world/world_save.h"
#include "world/xml_values.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kGameVersion = "Tarnova - Phase 1 (v1.11)";
constexpr std::string_view Context = "TGame->LoadFromXML->";
constexpr const char* kQuickChartKeys[5] = {"regioncount", "militarystrength", "population", "growth", "ressources"};

void Log(const std::string& Text) {
  if (gLog) gLog->AddLine(Text);
}

// Everything a savegame holds besides the world's parts, read and checked before anything of the
// running game changes.
struct TGameSaveState {
  std::int32_t CurrentTurn = 0;
  std::int32_t ActiveRegion = 0;
  std::string PlayerName;
  std::uint16_t Difficulty = 0;
  bool HotSeat = false;
  std::int8_t CurrentPlayer = 0;
  std::int32_t RoundTimeLeft = 0;
  std::int32_t DefaultRoundTime = 0;
  TXMLNode WindowStates;
  std::int32_t SelRegion = -1;  // checked; the selection is taken from ActiveRegion
  float Atmosphere = 0.0f, Life = 0.0f, Zoom = 0.0f;
  float RotationX = 0.0f, RotationY = 0.0f, RotationZ = 0.0f;
  std::array<std::uint16_t, NationCount> AIKind{};
  std::array<std::uint16_t, NationCount> AIDifficulty{};
  std::array<std::array<std::array<std::int32_t, 5>, 2>, 5> QuickChart{};
  TWorldSaveState World;
};

// Atmosphere and life may carry a locale's decimal separator: a comma is read as a point.
float ReadLocaleFloat(const TXMLNode& Node, std::string_view Attribute) {
  std::string Text = ReadTextAttribute(Context, Node, Attribute);
  for (char& C : Text)
    if (C == ',') C = '.';
  const std::optional<float> V = TryStrToFloatDot(Text);
  if (!V || !std::isfinite(*V)) ThrowBadValue(Context, Node, Attribute, Text, "expected a number");
  return *V;
}

TGameSaveState ReadGameState(const TXMLDocument& Document) {
  const TXMLNode Root = Document.Root();
  if (!Root || Root.Name() != "savestate")
    throw EDataError(std::string(Context) + "\"" + Document.FileName() + "\": the document is not a savegame" +
                     (Root ? " (root element <" + Root.Name() + ">)" : std::string()));

  TGameSaveState S;
  const std::int32_t Regions = static_cast<std::int32_t>(gRegions.size());
  const TXMLNode Game = RequiredChild(Context, Root, "game");
  S.CurrentTurn = ReadIntAttribute(Context, Game, "currentturn", 0);
  // -2: the last press of a station order hit no region.
  S.ActiveRegion = ReadIntAttribute(Context, Game, "activeregion", -2, Regions - 1);
  S.PlayerName = ReadTextAttribute(Context, Game, "playername");
  S.Difficulty = static_cast<std::uint16_t>(ReadIntAttribute(Context, Game, "difficulty", 0, 65535));
  const std::string Mode = ReadTextAttribute(Context, Game, "gamemode");
  if (Mode != "hotseat" && Mode != "singleplayer")
    ThrowBadValue(Context, Game, "gamemode", Mode, "expected \"hotseat\" or \"singleplayer\"");
  S.HotSeat = Mode == "hotseat";
  if (S.HotSeat) {
    const TXMLNode Info = RequiredChild(Context, Game, "hotseatinfo");
    S.CurrentPlayer = static_cast<std::int8_t>(ReadIntAttribute(Context, Info, "currentplayer", 0, NationCount - 1));
    S.RoundTimeLeft = ReadIntAttribute(Context, Info, "roundtime", 0);
    S.DefaultRoundTime = ReadIntAttribute(Context, Info, "defaultroundtime", 0);
  }
  S.WindowStates = RequiredChild(Context, Game, "windowstates");

  const TXMLNode Earth = RequiredChild(Context, Root, "earth");
  S.SelRegion = ReadIntAttribute(Context, Earth, "selregion", -1, Regions - 1);
  S.Atmosphere = ReadLocaleFloat(Earth, "atmosphere");
  S.Life = ReadLocaleFloat(Earth, "life");
  S.Zoom = ReadFloatAttribute(Context, Earth, "zoom");
  S.RotationX = ReadFloatAttribute(Context, Earth, "rotation.x");
  S.RotationY = ReadFloatAttribute(Context, Earth, "rotation.y");
  S.RotationZ = ReadFloatAttribute(Context, Earth, "rotation.z");

  S.World = TWorldSave::Read(Root);
  const std::vector<TXMLNode> Nations = RequiredChild(Context, Root, "nations").Children();
  for (std::size_t i = 0; i < NationCount; ++i) {
    S.AIKind[i] = static_cast<std::uint16_t>(ReadIntAttribute(Context, Nations[i], "aipersonality", 0, 3));
    S.AIDifficulty[i] = static_cast<std::uint16_t>(ReadIntAttribute(Context, Nations[i], "aidifficulty", 0, 2));
  }

  const TXMLNode Chart = RequiredChild(Context, Root, "quickchart");
  for (std::size_t k = 0; k < 5; ++k) {
    const TXMLNode Key = RequiredChild(Context, Chart, kQuickChartKeys[k]);
    const std::vector<TXMLNode> Stats = RequiredChildren(Context, Key, 10, "stat");
    for (std::size_t i = 0; i < 10; ++i)
      S.QuickChart[k][i / 5][i % 5] = ReadIntAttribute(Context, Stats[i], "value", 0, NationCount - 1);
  }
  return S;
}

}  // namespace

fs::path SideFileFor(const fs::path& SaveGame) {
  fs::path Side = SaveGame;
  return Side.replace_extension(".name");
}

std::string SideFileText(const TSideFile& Side) {
  return Side.SaveName + "\n" + Side.Mode + "\n" + Side.Date + "\n" + Side.Time + "\n";
}

std::optional<TSideFile> ReadSideFile(const fs::path& File) {
  const std::optional<std::string> Text = ReadWholeFile(File);
  if (!Text) return std::nullopt;
  std::vector<std::string> Lines = SplitLines(*Text);
  if (Lines.size() < 2) return std::nullopt;
  Lines.resize(std::max<std::size_t>(Lines.size(), 4));
  return TSideFile{Lines[0], Lines[1], Lines[2], Lines[3]};
}

fs::path NextFreeSaveGame(const fs::path& Folder) {
  std::error_code Ec;
  for (std::uint64_t N = 2;; ++N) {
    const fs::path File = Folder / ("savegame" + std::to_string(N) + ".xml");
    if (!fs::exists(File, Ec) && !fs::exists(SideFileFor(File), Ec)) return File;
  }
}

std::string ShortDateText() { return LocalTimeText("%x"); }
std::string LongTimeText() { return LocalTimeText("%X"); }

void TGame::WriteSaveDocument(TXMLDocument& Document, const std::string& SaveName, const std::string& Date,
                              const std::string& Time) {
  TXMLNode Root = Document.CreateRoot("savestate");
  Root.SetAttribute("xmlns", "savestate");
  Root.SetAttribute("gameversion", kGameVersion);
  Root.SetAttribute("savename", SaveName);

  TXMLNode GameNode = Root.AppendChild("game");
  SetIntAttribute(GameNode, "currentturn", gCurrentTurn);
  SetIntAttribute(GameNode, "activeregion", gSelectedRegion);
  GameNode.SetAttribute("playername", gNations[gPlayerNation]->PlayerName);
  GameNode.SetAttribute("date", Date);
  GameNode.SetAttribute("time", Time);
  SetIntAttribute(GameNode, "difficulty", Difficulty);
  GameNode.SetAttribute("gamemode", HotSeat ? "hotseat" : "singleplayer");
  if (HotSeat) {
    TXMLNode Info = GameNode.AppendChild("hotseatinfo");
    SetIntAttribute(Info, "currentplayer", CurrentPlayer);
    SetIntAttribute(Info, "roundtime", RoundTimeLeft);
    SetIntAttribute(Info, "defaultroundtime", DefaultRoundTime);
  }
  SaveWindowStates(*gInGameGUI, GameNode.AppendChild("windowstates"));

  TXMLNode EarthNode = Root.AppendChild("earth");
  SetIntAttribute(EarthNode, "selregion", Earth ? Earth->SelRegion : -1);
  // Atmosphere and life in the exact form, locale-free, so a load restores the very same values.
  SetFloatAttribute(EarthNode, "atmosphere", Earth ? Earth->Atmosphere : 0.0f);
  SetFloatAttribute(EarthNode, "life", Earth ? Earth->Life : 0.0f);
  EarthNode.SetAttribute("zoom", FloatToStrDot(Earth ? Earth->Zoom : 0.0f));
  EarthNode.SetAttribute("rotation.x", FloatToStrDot(Earth ? Earth->RotationX : 0.0f));
  EarthNode.SetAttribute("rotation.y", FloatToStrDot(Earth ? Earth->RotationY : 0.0f));
  EarthNode.SetAttribute("rotation.z", FloatToStrDot(Earth ? Earth->RotationZ : 0.0f));

  // Each nation carries its controller's kind and difficulty.
  for (std::size_t i = 0; i < NationCount && i < gAIControllers.size(); ++i) {
    gNations[i]->AIPersonality = gAIControllers[i]->Kind;
    gNations[i]->AIDifficulty = gAIControllers[i]->Difficulty;
  }
  TWorldSave::Save(Root);

  TXMLNode Chart = Root.AppendChild("quickchart");
  for (std::size_t k = 0; k < 5; ++k) {
    TXMLNode Key = Chart.AppendChild(kQuickChartKeys[k]);
    SetIntAttribute(Key, "count", static_cast<std::int64_t>(QuickChart[k][0].size()));
    for (const auto& Ranking : QuickChart[k])
      for (std::int32_t Nation : Ranking) SetIntAttribute(Key.AppendChild("stat"), "value", Nation);
  }
}

void TGame::ShowSaveGameMessage(const std::string& Text) {
  Log(Text);
  TGLGUI& GUI = State == gsMainMenu ? *gMainMenuGUI : *gInGameGUI;
  if (!GUI.GetWindow("messagedlg_ext")) return;
  GUI.ShowMessageBoxExt(Text, Localize("szStrDialogHint"), "dialog_warning", true);
}

bool TGame::SaveToXML(const std::string& FileName, const std::string& SaveName) {
  Log("TGame->SaveToXML->Saving game to \"" + FileName + "\"...");
  const TSideFile Side{SaveName, HotSeat ? "hotseat" : "singleplayer", ShortDateText(), LongTimeText()};
  TXMLDocument Document;
  WriteSaveDocument(Document, SaveName, Side.Date, Side.Time);

  // Both files are written whole to temporary files before either replaces an old one, so a
  // failure leaves the old document beside its old side file. The document is renamed first:
  // the load window never lists a save whose document was not written.
  const std::string DocumentText = Document.SaveToString();
  const std::string SideText = SideFileText(Side);
  const TFileToWrite Files[] = {{FileName, DocumentText}, {SideFileFor(FileName), SideText}};
  std::string Error;
  const bool Saved = SafeWriteFiles(Files, &Error);
  if (!Saved) {
    ShowSaveGameMessage(Localize("szStrSaveGameFailed") + "\n\n\"" + FileName + "\"\n" + Error);
    return false;
  }
  Log("TGame->SaveToXML->Game saved");
  return true;
}

bool TGame::LoadFromXML(const std::string& FileName) {
  Log("TGame->LoadFromXML->Loading game from \"" + FileName + "\"...");
  TXMLDocument Document;
  try {
    Document.LoadFromFile(FileName);
  } catch (const ETarnovaError& E) {
    ShowSaveGameMessage(Localize("szStrLoadGameFailed") + "\n\n" + E.what());
    return false;
  }
  return LoadFromDocument(Document);
}

bool TGame::LoadFromDocument(const TXMLDocument& Document) {
  TGameSaveState S;
  try {
    S = ReadGameState(Document);
  } catch (const ETarnovaError& E) {
    // Nothing of the running game has changed.
    ShowSaveGameMessage(Localize("szStrLoadGameFailed") + "\n\n" + E.what());
    return false;
  }

  if (gLog) gLog->LoadingScreen = true;
  // Selections and cursor modes point into the world that is about to be replaced.
  ForgetGameObjects();
  gSettings.AutosaveCountdown = gSettings.AutosaveInterval;
  gInGameGUI->HideAllWindows();
  // The player nation's name from the game element, unless its own element has one.
  auto& Player = S.World.Nations[S.World.PlayerNation];
  if (!Player.PlayerName) Player.PlayerName = S.PlayerName;
  TWorldSave::Apply(std::move(S.World));
  for (std::size_t i = 0; i < NationCount && i < gAIControllers.size(); ++i) {
    TAIController& C = *gAIControllers[i];
    C.Difficulty = S.AIDifficulty[i];
    C.SetPersonality(S.AIKind[i]);
    gNations[i]->AIPersonality = C.Kind;
    gNations[i]->AIDifficulty = C.Difficulty;
  }
  if (Earth) {
    Earth->Atmosphere = S.Atmosphere;
    Earth->Life = S.Life;
    Earth->Zoom = S.Zoom;
    Earth->RotationX = S.RotationX;
    Earth->RotationY = S.RotationY;
    Earth->RotationZ = S.RotationZ;
  }
  gCurrentTurn = S.CurrentTurn;
  SelectRegion(S.ActiveRegion);
  Difficulty = S.Difficulty;
  RoundTimer.SetEnabled(false);
  HotSeat = S.HotSeat;
  if (HotSeat) {
    CurrentPlayer = S.CurrentPlayer;
    RoundTimeLeft = S.RoundTimeLeft;
    DefaultRoundTime = S.DefaultRoundTime;
    OverlayAlpha = 1.0f;
    OverlayDirection = 0;
    NextPlayerSearch = CurrentPlayer;
    RoundTimer.SetEnabled(true);
  }
  LoadWindowStates(*gInGameGUI, S.WindowStates);
  for (std::size_t k = 0; k < 5; ++k)
    for (std::size_t p = 0; p < 2; ++p) QuickChart[k][p].assign(S.QuickChart[k][p].begin(), S.QuickChart[k][p].end());

  Log("TGame->LoadFromXML->Game loaded");
  for (const char* Name : {"savegame", "loadgame"})
    if (TGLWindow* W = gInGameGUI->GetWindow(Name)) W->Visible = false;
  gInGameGUI->UpdateAllWindows();
  if (View) View->GameLoaded(*this);
  if (gLog) gLog->LoadingScreen = false;
  RegionDetailsLastMouseX = gMouseX;
  RegionDetailsLastMouseY = gMouseY;
  RegionDetailsHoveredSlot = -1;
  return true;
}

void TGame::EnterLoadedGame() {
  State = gsEarthView;
  PendingState = gsEarthView;
  GameRunning = true;
}

void TGame::LoadGameWindow_Show(const std::string& Mode) {
  if (View) View->LoadGameWindow_Show(*this, Mode);
}

void TGame::SaveGameWindow_Show(const std::string& Mode) {
  if (View) View->SaveGameWindow_Show(*this, Mode);
}
