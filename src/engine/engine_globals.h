#pragma once
// The engine's single instances. Each names who creates it and who may write it.
#include <memory>

#include "engine/localization.h"
#include "engine/settings.h"

class TVirtualFileSystem;

// Created by the game object at start-up (plain constructor, then Open("tarnova.dat")) before
// anything else is read; freed at shut-down. Read-only for everyone else.
extern std::unique_ptr<TVirtualFileSystem> gVirtualFileSystem;

// Zero at program start; game control fills it from "settings.xml" and the command line and is
// the only writer besides the options panel. Read by sound, music, drawing and the computer opponents.
extern TGameSettings gSettings;
