#include "presentation/windows/load_save_windows.h"

#include <algorithm>
#include <system_error>

#include "control/game.h"
#include "control/game_save.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "gui/edit.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/window.h"
#include "platform/files.h"
#include "presentation/view_state.h"
#include "world/nation.h"
#include "world/world_globals.h"

namespace fs = std::filesystem;

namespace {

// What cannot be undone asks first: the view state remembers the window, the button pressed
// and the row it was pressed on. A second press of the same button on the same row of the same
// window carries it out; any other press starts over.
void ForgetPending(TViewState& Question) {
  Question.SaveLoadPendingWindow = nullptr;
  Question.SaveLoadPendingButton.clear();
  Question.SaveLoadPendingRow.clear();
}

// True when this press confirms an earlier one; else asks in a message box and remembers it.
bool Confirmed(TViewState& Question, TGLWindow& Window, const std::string& Button, const TListItem& Row,
               const std::string& QuestionKey) {
  if (Question.SaveLoadPendingWindow == &Window && Question.SaveLoadPendingButton == Button &&
      Question.SaveLoadPendingRow == Row.ID) {
    ForgetPending(Question);
    return true;
  }
  Question.SaveLoadPendingWindow = &Window;
  Question.SaveLoadPendingButton = Button;
  Question.SaveLoadPendingRow = Row.ID;
  Window.Owner->ShowMessageBoxExt(Localize(QuestionKey) + "\n\n" + Row.Caption, Localize("szStrDialogHint"),
                                  "dialog_warning", false);
  return false;
}

void Log(const std::string& Text) {
  if (gLog) gLog->AddLine(Text);
}

// The GUI on screen in the current state: the in-game one while playing, the main menu's in the
// menu; none in the other states, which show neither window.
TGLGUI* GUIOfState(const TGame& Game) {
  if (Game.State == gsEarthView) return gInGameGUI.get();
  if (Game.State == gsMainMenu) return gMainMenuGUI.get();
  return nullptr;
}

// The load window of the current state: in-game while playing, the main menu's in the menu.
TGLWindow* LoadWindowOf(const TGame& Game) {
  TGLGUI* GUI = GUIOfState(Game);
  return GUI ? GUI->GetWindow("loadgame") : nullptr;
}

// A click belongs to a window only when it landed on that window and the window's GUI is the
// one on screen: every in-game window hears every click, in every state, and a window left open
// in the running game stands where the main menu's load window stands.
bool ClickedIn(const TGame& Game, const TGLWindow& Window) {
  return Window.Visible && Window.Owner && Window.Owner == GUIOfState(Game) &&
         Window.Owner->GetWindowAtMouse() == &Window;
}

void FillList(TGLWindow& Window, const std::string& Mode) {
  auto& List = Window.GetItem<TGLListBox>("listbox_savegames");
  List.Clear();
  for (TListItem& Row : ListSaveGames(gSaveGamePath, Mode)) List.AddItem(Row.Caption, Row.ID, "", std::intptr_t{0});
}

const TListItem* SelectedRow(const TGLWindow& Window) {
  const auto& List = Window.GetItem<TGLListBox>("listbox_savegames");
  if (List.ItemIndex < 0 || static_cast<std::size_t>(List.ItemIndex) >= List.Items.size()) return nullptr;
  return &List.Items[static_cast<std::size_t>(List.ItemIndex)];
}

enum class TDeleted { NotYet, Done, Failed };

// Deletes the document of the selected row and its side file, once the player has confirmed.
// A file that cannot be removed is logged and reported to the player; what did go is gone, so
// the list is shown anew either way.
TDeleted DeleteSelected(TGame& Game, TViewState& View, TGLWindow& Window) {
  const TListItem* Row = SelectedRow(Window);
  if (!Row || Row->ID.empty()) return TDeleted::NotYet;
  if (!Confirmed(View, Window, "button_deletegame", *Row, "szStrDeleteConfirm")) return TDeleted::NotYet;
  const fs::path File = fs::path(gSaveGamePath) / Row->ID;
  // Each file on its own: a side file left behind would list a save that is gone. A file that
  // was not there any more is gone as asked.
  std::string Failed;
  for (const fs::path& Target : {File, SideFileFor(File)}) {
    std::error_code Ec;
    if (fs::remove(Target, Ec) || !Ec) continue;
    Log("TGame->DeleteSaveGame->Could not delete \"" + Target.string() + "\": " + Ec.message());
    if (Failed.empty()) Failed = Target.string();
  }
  if (Failed.empty()) {
    Log("TGame->DeleteSaveGame->Deleted \"" + File.string() + "\"");
    return TDeleted::Done;
  }
  Game.ShowSaveGameMessage(Localize("szStrDeleteGameFailed") + "\n\n\"" + Failed + "\"");
  return TDeleted::Failed;
}

}  // namespace

std::vector<TListItem> ListSaveGames(const fs::path& Folder, const std::string& Mode) {
  struct TFound {
    TListItem Row;
    fs::file_time_type Time;
  };
  std::vector<TFound> Found;
  // Saves killed mid-write leave their temporary files; nothing else ever removes them.
  if (const std::int32_t Stale = RemoveStaleTemporaryFiles(Folder, {".xml", ".name"}); Stale > 0)
    Log("TGame->ListSaveGames->Removed " + std::to_string(Stale) + " unfinished temporary savegame file(s)");
  for (const std::string& Name : ListFolder(Folder, ".name")) {
    const fs::path Side = Folder / Name;
    const std::optional<TSideFile> S = ReadSideFile(Side);
    if (!S) {
      Log("TGame->ListSaveGames->\"" + Side.string() + "\" is not a savegame's name file, skipped");
      continue;
    }
    if (S->Mode != Mode) continue;
    std::error_code Ec;
    TFound F{{}, fs::last_write_time(Side, Ec)};
    F.Row.Caption = S->SaveName;
    F.Row.ID = fs::path(Name).replace_extension(".xml").string();
    Found.push_back(std::move(F));
  }
  // Newest first; saves of the same moment in name order.
  std::stable_sort(Found.begin(), Found.end(), [](const TFound& A, const TFound& B) { return A.Time > B.Time; });
  std::vector<TListItem> Rows;
  for (TFound& F : Found) Rows.push_back(std::move(F.Row));
  return Rows;
}

void LoadGameWindow_Show(TGame& Game, TViewState& View, const std::string& Mode) {
  View.SaveLoadMode = Mode;
  ForgetPending(View);
  TGLWindow* W = LoadWindowOf(Game);
  if (!W) return;
  W->Caption = Localize("szStrLoadGameCat" + Mode);
  FillList(*W, Mode);
}

void SaveGameWindow_Show(TGame& Game, TViewState& View, const std::string& Mode) {
  View.SaveLoadMode = Mode;
  ForgetPending(View);
  TGLWindow* W = gInGameGUI->GetWindow("savegame");
  if (!W) return;
  W->Caption = Localize("szStrSaveGameCat" + Mode);
  const TNation& Player = *gNations[gPlayerNation];
  W->GetItem<TGLEdit>("edit_savegamename").Text = ShortDateText() + " " + LongTimeText() + " - " +
                                                  Player.PlayerName + ", " + Player.GetName() + " - " +
                                                  Localize("szStrTurn") + " " + std::to_string(gCurrentTurn);
  FillList(*W, Mode);
}

void LoadGameWindow_Click(TGame& Game, TViewState& View, const std::string& Name) {
  TGLWindow* Target = LoadWindowOf(Game);
  if (!Target || !ClickedIn(Game, *Target)) return;
  TGLWindow& Window = *Target;
  if (Name == "button_loadgame") {
    ForgetPending(View);
    const TListItem* Row = SelectedRow(Window);
    if (!Row || Row->ID.empty()) return;
    const fs::path File = fs::path(gSaveGamePath) / Row->ID;
    std::error_code Ec;
    if (!fs::is_regular_file(File, Ec)) {
      Game.ShowSaveGameMessage(Localize("szStrSaveGameMissing") + "\n\n\"" + File.string() + "\"");
      return;
    }
    if (!Game.LoadFromXML(File.string())) return;
    Window.Visible = false;
    Game.EnterLoadedGame();
  } else if (Name == "button_deletegame") {
    if (DeleteSelected(Game, View, Window) != TDeleted::NotYet) LoadGameWindow_Show(Game, View, View.SaveLoadMode);
  }
}

void SaveGameWindow_Click(TGame& Game, TViewState& View, TGLWindow& Window, const std::string& Name) {
  if (!ClickedIn(Game, Window)) return;
  if (Name == "button_savegame") {
    ForgetPending(View);
    const std::string SaveName = Window.GetItem<TGLEdit>("edit_savegamename").Text;
    if (Game.SaveToXML(NextFreeSaveGame(gSaveGamePath).string(), SaveName)) Window.Owner->CloseWindow(Window.Name);
  } else if (Name == "button_overwritegame") {
    const TListItem* Row = SelectedRow(Window);
    if (!Row || Row->ID.empty()) return;
    if (!Confirmed(View, Window, "button_overwritegame", *Row, "szStrOverwriteConfirm")) return;
    // The save keeps its old name.
    const std::string SaveName = Row->Caption;
    if (Game.SaveToXML((fs::path(gSaveGamePath) / Row->ID).string(), SaveName))
      Window.Owner->CloseWindow(Window.Name);
  } else if (Name == "button_deletegame") {
    if (DeleteSelected(Game, View, Window) != TDeleted::NotYet) SaveGameWindow_Show(Game, View, View.SaveLoadMode);
  }
}

void RegisterLoadSaveWindows(TGame& Game, TViewState& View) {
  // Both load windows carry the handler. Only the in-game windows hear the clicks, so a click
  // reaches it once, and it serves the load window of the current state, the main menu's too.
  for (TGLGUI* GUI : {gInGameGUI.get(), gMainMenuGUI.get()})
    if (TGLWindow* W = GUI ? GUI->GetWindow("loadgame") : nullptr)
      W->OnClick = [&Game, &View](const std::string& Name) { LoadGameWindow_Click(Game, View, Name); };
  if (TGLWindow* W = gInGameGUI->GetWindow("savegame"))
    W->OnClick = [&Game, &View, W](const std::string& Name) { SaveGameWindow_Click(Game, View, *W, Name); };
}
