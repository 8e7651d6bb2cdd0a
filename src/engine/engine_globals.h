#pragma once
// The engine's single instances. Each names who creates it and who may write it.
#include <memory>
#include <string>
#include <vector>

#include "engine/localization.h"
#include "engine/settings.h"
#include "engine/textures.h"

class TLog;
class TPerfTimer;
class TScriptManager;
class TTexFont;
class TTextureManager;
class TVirtualFileSystem;
class TSoundSystem;
class TMusicPlayer;
class TGLSLShaderManager;
class T3DModel;

// Created by the game object at start-up (plain constructor, then Open("tarnova.dat")) before
// anything else is read; freed at shut-down. Read-only for everyone else.
extern std::unique_ptr<TVirtualFileSystem> gVirtualFileSystem;

// Zero at program start; game control fills it from "settings.xml" and the command line and is
// the only writer besides the options panel. Read by sound, music, drawing and the computer opponents.
extern TGameSettings gSettings;

// The HTML log "log.html". Created before any other code runs (static initialisation) and
// written by everyone through AddLine/AddColoredLine/LogProgress; its destructor at program end
// does the final save. Tests swap it for one in a temporary folder (support/log_capture.h).
extern std::unique_ptr<TLog> gLog;

// The developer overlay's frame timer. Created disabled before any other code runs; game
// control switches Enabled, the GUI managers call Clear/Start/Stop, the frame drawing reads it.
extern std::unique_ptr<TPerfTimer> gPerfTimer;

// Created by the game object at start-up after "TGame->Create->Starting Soundsystem..." and
// freed at shut-down before the music player. The main menu writes Volume and Enabled.
extern std::unique_ptr<TSoundSystem> gSoundSystem;

// Created by the game object right after the sound system, sharing its backend; freed after it.
// Read and driven by game control (start, stop, volume, per-frame update).
extern std::unique_ptr<TMusicPlayer> gMusicPlayer;

// The effect-variable registry: created when the program starts (before the game object) and
// freed at exit. Nobody writes it; the game object hands its Variables to the building-type pool.
extern std::unique_ptr<TScriptManager> gScriptManager;

// The texture registry. Created empty before any other code runs (no GL context needed yet);
// game control sets OnMessage and loads the texture folders, everyone registers and draws
// through it; game control frees it at shut-down while the GL context still exists.
extern std::unique_ptr<TTextureManager> gTextureManager;

// The two texture fonts, both size 8: the GUI font and the display (LCD) font. Created by the
// game object at start-up with TVirtualFileSystem::LoadFont and freed at shut-down; read-only
// for everyone else.
extern std::unique_ptr<TTexFont> gGUIFont;
extern std::unique_ptr<TTexFont> gLCDFont;
// The GUI font as the world-model drawing knows it; the game object sets it to gGUIFont.get().
// It only observes.
extern TTexFont* gFont;

// Created by the game object at start-up unless shaders are switched off (then it stays empty);
// filled with the five programs through TVirtualFileSystem::LoadShader. Read by the globe and
// water drawing through GetShader.
extern std::unique_ptr<TGLSLShaderManager> gShaderManager;

// The model registry (model_registry.h): filled by game control at start-up (LoadModelFolder)
// and by Draw3DModel on demand, through RegisterModel only, which keeps entry i of
// gModelNames naming gModels[i]. Freed by game control at shut-down (FreeModels) while the GL
// context still exists.
extern std::vector<std::unique_ptr<T3DModel>> gModels;
extern std::vector<std::string> gModelNames;
// False at start. Picking and diorama drawing set it around their drawing: models are then
// drawn with their plain list where they have one, so the current colour shows.
extern bool gUsePlainModels;

// The texture manager model loading registers textures in; game control sets it to
// gTextureManager before the first model loads. Observes, does not own.
extern TTextureManager* gModelTextureManager;
// Folder of model textures; the registry sets "data\tex\models\" before each load.
extern std::string gModelTexturePath;
// While set, model materials apply nothing (the registry's plain lists); only the registry writes it.
extern bool gNoMaterials;

// The localised texts: filled by game control at start-up; LanguageIndex is written by the
// settings and the language switch. Read by every visible text (Localize).
extern TLocalization gLocalization;

// Value names of the nations that the statistics follow, index = statistic number. Never written.
extern const std::string gStatisticKeys[8];

// Folders of the user's savegames and screenshots; filled by game control at start-up.
extern std::string gSaveGamePath;
extern std::string gScreenshotPath;

// Game control sets it at start-up when the driver generates mipmaps (GL_SGIS_generate_mipmap);
// the texture upload then uses them in place of GLU's. False otherwise.
extern bool gHardwareMipmaps;
// Game control sets it at start-up on a software rasteriser (Mesa's llvmpipe and the like), which
// keeps every state change of a frame in memory until it has rasterised the frame: passes of
// hundreds of small draws (the region symbols) then wait for it now and then. False otherwise.
extern bool gSoftwareRasterizer;
// The texture the loaders (textures.h) created last, read by the texture manager right after a
// loader returns, and the file their messages name (the stream loaders are given no name; the
// file system sets it before it hands them a packaged file). Written only by the loaders and
// the file system.
extern TLastTexture gLastTexture;
extern std::string gLastTextureFile;
