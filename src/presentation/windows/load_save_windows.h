#pragma once
// The load and save windows: "loadgame" (in-game and main menu) and "savegame" (in-game) list
// the savegames of one game mode, newest first, and load, save, overwrite or delete them.
#include <filesystem>
#include <string>
#include <vector>

#include "gui/list_item.h"

class TGame;
class TGLWindow;
struct TViewState;

// The savegames of Mode ("singleplayer" or "hotseat") in Folder, newest first: caption = the save
// name, ID = the document's file name. Side files that cannot be read are logged and skipped.
std::vector<TListItem> ListSaveGames(const std::filesystem::path& Folder, const std::string& Mode);

// Fill the windows for Mode just before they open. View keeps the mode and the question that
// waits for its confirmation.
void LoadGameWindow_Show(TGame& Game, TViewState& View, const std::string& Mode);
void SaveGameWindow_Show(TGame& Game, TViewState& View, const std::string& Mode);
// The windows' click handlers; they act only on clicks inside their window while its GUI is the
// one on screen. The load window's works on the "loadgame" window of the current state (in game
// or in the main menu). Deleting and overwriting a savegame ask first: the second press of the
// button on the same row of the same window acts.
void LoadGameWindow_Click(TGame& Game, TViewState& View, const std::string& Name);
void SaveGameWindow_Click(TGame& Game, TViewState& View, TGLWindow& Window, const std::string& Name);

// Binds the handlers to both "loadgame" windows and the "savegame" window.
void RegisterLoadSaveWindows(TGame& Game, TViewState& View);
