#include "control/game.h"

#include <cmath>
#include <exception>
#include <iostream>
#include <filesystem>

#include "ai/ai_basic_personality.h"
#include "ai/ai_controller.h"
#include "ai/ai_globals.h"
#include "control/control_globals.h"
#include "control/error_dialog.h"
#include "control/game_settings.h"
#include "control/gl_checks.h"
#include "control/tarnova_form.h"
#include "control/world_round.h"
#include "engine/constants.h"
#include "engine/engine_globals.h"
#include "engine/float_text.h"
#include "engine/gl_api.h"
#include "engine/gl_misc.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/model_registry.h"
#include "engine/music_player.h"
#include "engine/perf_timer.h"
#include "engine/script_manager.h"
#include "engine/shader_manager.h"
#include "engine/sound_system.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/textures.h"
#include "engine/virtual_file_system.h"
#include "gui/drop_down.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/memo.h"
#include "gui/window.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/latin1.h"
#include "platform/random.h"
#include "platform/rounding.h"
#include "platform/user_folders.h"
#include "platform/xml_document.h"
#include "world/battle.h"
#include "world/building_type.h"
#include "world/earth.h"
#include "world/high_score_list.h"
#include "world/nation.h"
#include "world/statistics.h"
#include "world/transfer_market.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLocalizationFile = "data\\XML\\localization.xml";

void Log(const std::string& Text) {
  if (gLog) gLog->AddLine(Text);
}

// The five GLSL programs: name, vertex source, fragment source.
struct TShaderFiles {
  const char* Name;
  const char* Vertex;
  const char* Fragment;
};
constexpr TShaderFiles kShaders[] = {
    {"water", "data\\shader\\water_vert.txt", "data\\shader\\water_frag.txt"},
    {"waterB", "data\\shader\\water_vert_b.txt", "data\\shader\\water_frag_b.txt"},
    {"earth", "data\\shader\\earth_vert.txt", "data\\shader\\earth_frag.txt"},
    {"earth_noborders", "data\\shader\\earth_vert.txt", "data\\shader\\earth_frag_noborders.txt"},
    {"earth_cloudcover", "data\\shader\\earth_vert.txt", "data\\shader\\earth_frag_cloudcover.txt"},
};

// The in-game windows in registration order (their handlers are the presentation's).
constexpr const char* kInGameWindows[] = {
    "window_army_build.xml",       "window_army_management.xml", "window_infocenter.xml",
    "window_autobattle.xml",       "window_globalproject.xml",   "window_region_details.xml",
    "window_region_build.xml",     "window_transfermarket.xml",  "window_research.xml",
    "window_research_history.xml", "window_espionage.xml",       "window_loadgame.xml",
    "window_savegame.xml",         "window_stats.xml",           "dialog_quit.xml",
    "window_debug.xml",            "window_debug_ai.xml",        "extended_message_dialog.xml",
};

std::string LanguageFolder() { return "data\\xml\\lang_" + CurrentLanguageCode() + "\\"; }

void SetMemoBorderless(TGLGUI& GUI, const std::string& WindowName) {
  if (TGLWindow* W = GUI.GetWindow(WindowName)) {
    for (auto& Item : W->Items)
      if (auto* Memo = dynamic_cast<TGLMemo*>(Item.get()); Memo && Item->ID == "memo_message_text")
        Memo->Border = false;
  }
}

TGLMemo* FirstMemo(TGLWindow* W) {
  if (!W) return nullptr;
  for (auto& Item : W->Items)
    if (auto* Memo = dynamic_cast<TGLMemo*>(Item.get())) return Memo;
  return nullptr;
}

}  // namespace

TGUIScreenSize GUIScreenSizeFor(int ClientWidth, int ClientHeight) {
  if (ClientWidth <= 0 || ClientHeight <= 0) return {};
  return {static_cast<int>(std::nearbyint(static_cast<double>(ClientWidth) / ClientHeight * 768.0)), 768};
}

TGame::TGame(TTarnovaForm& MainForm, std::unique_ptr<TGameView> GameView) : Form(&MainForm), View(std::move(GameView)) {}

TGame::~TGame() {
  Destroy();
  // The window handlers hold this game object; the GUI managers outlive it.
  for (TGLGUI* GUI : {gInGameGUI.get(), gNationSelectGUI.get(), gBattleFieldGUI.get(), gMainMenuGUI.get(),
                      gIntroGUI.get(), gEndGameGUI.get()})
    if (GUI)
      for (auto& Window : GUI->Windows) {
        Window->OnRender = nullptr;
        Window->OnClick = nullptr;
        Window->OnShow = nullptr;
      }
}

void TGame::LogMissing(const std::string& FileName) {
  if (MissingLogged.insert(LowerAscii(FileName)).second)
    Log("TGame->Create->Missing \"" + FileName + "\" in the data set, going on without it");
}

void TGame::RequireFile(const std::string& FileName) {
  if (!gVirtualFileSystem || !gVirtualFileSystem->FileExists(FileName))
    throw ETarnovaError("TGame->Create->File \"" + FileName + "\" not found");
}

void TGame::StartUpFailure(const std::vector<std::string>& Lines, bool LogLines) {
  TErrorDialog Dialog;
  Dialog.MemoErrorReport = Lines;
  if (LogLines)
    for (const std::string& Line : Lines) Log(Line);
  Quit = true;
  Dialog.LabelGameSavedVisible = false;
  Dialog.ShowModal();
  Form->ExitCode = 1;
  Form->Close();
}

void TGame::Create() {
  Created = true;
  if (gLog) gLog->AddColoredLine("Starting Tarnova - Phase 1 (v1.11)", kLogBlue, TLogStyle::Bold);

  // Every data path is resolved against the program folder, wherever the game was started from.
  gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(ProgramFolder());
  gVirtualFileSystem->Open("tarnova.dat");

  if (!LoadLocalization(kLocalizationFile)) return;
  gModelNames.clear();
  LoadSettings();
  Randomize();

  // The window with its GL context, then the display mode.
  std::string Error;
  if (!Form->CreateWindow(gSettings.Windowed, &Error)) {
    // Without a display nothing the game draws could be seen: say so and end before loading.
    if (Error.rfind(kNoDisplayError, 0) == 0) {
      const std::string Why = Error.substr(std::string(kNoDisplayError).size());
      std::cerr << "cannot open a window: no display" << Why << "\n";
      Log("TGame->Create->cannot open a window: no display" + Why);
      Quit = true;
      Form->ExitCode = 1;
      Form->Close();
      return;
    }
    StartUpFailure({"Tarnova could not open its window with an OpenGL context!", "", Error}, true);
    return;
  }
  // The game draws its own cursor; "-forcewindowscursor" keeps the system's.
  Form->Host.ShowCursor(SystemCursor);
  if (!gSettings.Windowed) {
    const int Result = Form->Host.SetFullScreenMode(gSettings.ScreenWidth, gSettings.ScreenHeight, 32,
                                                    gSettings.Frequency);
    DisplayModeChanged = true;
    // A refused mode leaves the window maximised and borderless over the desktop's own mode.
    if (Result != 0)
      Log("TGame->Create->Error : Could not change to desired display mode (" + std::to_string(Result) +
          "), running windowed!");
    else
      Form->SetClientSize(gSettings.ScreenWidth, gSettings.ScreenHeight);
  }
  if (!InitOpenGL()) return;
  LogSystemInfo();

  int ClientWidth = 0, ClientHeight = 0;
  Form->ClientSize(ClientWidth, ClientHeight);
  const TGUIScreenSize Screen = GUIScreenSizeFor(ClientWidth, ClientHeight);
  gGUIScreenWidth = Screen.Width;
  gGUIScreenHeight = Screen.Height;
  for (TGLGUI* GUI : {gInGameGUI.get(), gNationSelectGUI.get(), gBattleFieldGUI.get(), gMainMenuGUI.get(),
                      gIntroGUI.get(), gEndGameGUI.get()})
    GUI->ClientSize = TIntPair{ClientWidth, ClientHeight};
  gModelTextureManager = gTextureManager.get();

  // Loading screen and fonts: a damaged installation is named in the error dialog here rather
  // than met as a half-drawn game later.
  for (const char* File : {"data\\loadingscreen.dds", "data\\loadingscreen_indicator.dds"}) {
    RequireFile(File);
    gVirtualFileSystem->LoadTexture(File, *gTextureManager, false);
  }
  if (const std::int32_t ID = gTextureManager->GetTextureInfo("loadingscreen", tiGLID); ID >= 0)
    gTextureManager->SetFilterByID(static_cast<std::uint32_t>(ID), GL_LINEAR, GL_LINEAR);
  struct TFontSet {
    const char* Widths;
    const char* Texture;
    std::unique_ptr<TTexFont>& Font;
  };
  // Both fonts are required: every text of the game is printed with one of them.
  for (const TFontSet& F : {TFontSet{"data\\font3.fnt", "data\\tex\\font_black_outline.dds", gGUIFont},
                              TFontSet{"data\\fontlcd.fnt", "data\\tex\\fontlcd.dds", gLCDFont}}) {
    for (const char* File : {F.Widths, F.Texture}) RequireFile(File);
    gVirtualFileSystem->LoadFont({.Texture = F.Texture, .Widths = F.Widths}, *gTextureManager, F.Font, 8.0f);
  }
  gFont = gGUIFont.get();
  if (gLog) {
    const std::int32_t ID = gTextureManager->GetTextureInfo("loadingscreen", tiGLID);
    gLog->LoadingTexture = ID >= 0 ? static_cast<std::uint32_t>(ID) : 0;
    gLog->SwapBuffers = [this] { Form->SwapBuffers(); };
    gLog->LoadingScreen = true;
  }
  Log("TGame->Create->Render context created");
  glEnable(GL_TEXTURE_2D);

  LoadTextures();
  Load3DModels("data\\3d\\");
  PerfFrequency = 1000;  // the frame clock counts milliseconds
  {
    char Text[64];
    std::snprintf(Text, sizeof Text, "%.4f", 10000000.0 / static_cast<double>(PerfFrequency));
    Log(std::string("TGame->Create->PerformanceCounterFrequency = ") + Text + "\xB5s");
  }
  State = gSettings.ShowIntro ? gsIntro : gsMainMenu;
  PendingState = State;
  FadeValue = 0.0f;
  FadeSpeed = 1.0f;

  // The world.
  Earth = std::make_unique<TEarth>();
  Earth->CreateDisplayLists();
  gTransferMarket = std::make_unique<TTransferMarket>();
  gTransferMarket->Create();
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    gNations[i] = std::make_unique<TNation>();
    gNations[i]->Reset();
    gNations[i]->ID = static_cast<std::uint8_t>(i);
    gNations[i]->TechnologyTree.LoadFromXML("data\\XML\\technologies.xml");
    NationSymbolOrder[i] = static_cast<std::int32_t>(i);
  }
  const TTextureIdLookup TextureId = [](const std::string& Name) {
    const std::int32_t ID = gTextureManager->GetTextureInfo(Name, tiGLID);
    return ID >= 0 ? static_cast<std::uint32_t>(ID) : 0u;
  };
  gUnitTypePool = std::make_unique<TUnitTypePool>();
  gUnitTypePool->LoadFromXML("data\\XML\\units.xml", TextureId);
  gBuildingTypePool = std::make_unique<TBuildingTypePool>();
  gBuildingTypePool->Variables = &gScriptManager->Variables;
  gBuildingTypePool->LoadFromXML("data\\XML\\buildings.xml", TextureId);
  Earth->Init("data\\XML\\regions.xml");

  // Sound and music.
  Log("TGame->Create->Starting Soundsystem...");
  gSoundSystem = std::make_unique<TSoundSystem>(false, LogProgress);
  gMusicPlayer = std::make_unique<TMusicPlayer>(gSoundSystem->System());
  gSoundSystem->LoadSounds("data\\sounds\\", ".ogg");
  gMusicPlayer->BuildTrackList("data\\music\\");
  gMusicPlayer->BuildSpecialTrackList("data\\music\\special\\");
  if (gSettings.MusicEnabled) gMusicPlayer->PlayTrack(-1);
  gMusicPlayer->SetVolume(static_cast<float>(gSettings.MusicVolume / 100.0));

  LoadGUIs();
  HoveredRegion = -1;

  if (!gSettings.NoShaders) {
    Log("TGame->Create->Loading shaders...");
    LoadShaders();
    Log("TGame->Create->Shaders loaded");
  } else {
    Log("TGame->Create->Shaders disabled, not loading shaders!");
  }
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  if (View) View->CreateRenderTargets(*this);

  gBattle = std::make_unique<TBattle>();
  gBattle->ViewRotation = MakeVector3(45.0f, 45.0f, 0.0f);
  gBattle->ViewDistance = -45.0f;
  gAIControllers.clear();
  for (std::size_t i = 0; i < gNations.size(); ++i) {
    auto C = std::make_unique<TAIController>();
    C->Nation = gNations[i].get();
    C->Personality = std::make_unique<TAIBasicPersonality>("basicAI", 0, *C);
    gAIControllers.push_back(std::move(C));
  }
  gStatisticServer = std::make_unique<TStatisticServer>();
  for (auto& Pair : QuickChart)
    for (auto& Ranking : Pair) Ranking.assign(5, 0);

  GameRunning = false;
  if (gLog) gLog->LoadingScreen = false;
  gHighScoreList = std::make_unique<THighScoreList>(UserFileFolder());
  RoundTimer.Interval = 1000.0;
  RoundTimer.OnTimer = [this] { RoundTimerTick(); };
  RoundTimer.SetEnabled(false);

  UserFolders();
}

bool TGame::UserFolders() {
  const fs::path Documents = DocumentsFolder() / "tarnova";
  std::error_code Ec;
  fs::create_directories(Documents / "screenshots", Ec);
  gSaveGamePath = (Documents / "saves").string() + "/";
  gScreenshotPath = (Documents / "screenshots").string() + "/";
  fs::create_directories(Documents / "saves", Ec);
  if (fs::is_directory(Documents / "saves", Ec)) return true;
  StartUpFailure({"Tarnova could not create a directory for savegames!", "",
                  "Most likely you are trying to run the game on a medium that can't be written to (e.g. from CD-ROM).",
                  "Please install or copy the game to your hard drive.", "",
                  "It's also possible that your current user account does not have enough rights to install software",
                  "or let software write data to the disk."},
                 true);
  return false;
}

void TGame::Destroy() {
  if (Destroyed || !Created) return;
  Destroyed = true;
  RoundTimer.SetEnabled(false);
  gHighScoreList.reset();
  if (LocalizationLoaded) SaveSettings();
  gStatisticServer.reset();
  if (View) View->FreeRenderTargets();
  // The GL objects the game object holds go while the context still exists.
  if (Earth) Earth->FreeDisplayLists();
  FreeModels();
  for (auto& N : gNations) N.reset();
  if (!gAIControllers.empty()) SaveAIControllerLogs(UserFileFolder());
  gAIControllers.clear();
  gBattle.reset();
  gShaderManager.reset();
  gUnitTypePool.reset();
  gBuildingTypePool.reset();
  gFont = nullptr;
  gGUIFont.reset();
  gLCDFont.reset();
  Earth.reset();
  gTransferMarket.reset();
  if (gLog) {
    gLog->LoadingScreen = false;
    gLog->LoadingTexture = 0;
    gLog->SwapBuffers = nullptr;
  }
  // The window's GL objects go while the context still exists; the registry stays for later use.
  if (gTextureManager) gTextureManager = std::make_unique<TTextureManager>();
  gModelTextureManager = nullptr;
  gModelNames.clear();
  // The music player streams through the sound system, so it goes first.
  gMusicPlayer.reset();
  gSoundSystem.reset();
  FreeLocalization();
  gNationInfoXML.reset();
  // The display mode is one of the last writes the termination watch may take over.
  if (Form->Host.IsOpen() && Form->RunEndStep([&] {
        if (DisplayModeChanged) Form->Host.RestoreDisplayMode();
        Form->Host.Destroy();
      })) {
    Log("TGame->Destroy->Render context destroyed");
    Log("TGame->Destroy->Device context released");
    if (DisplayModeChanged) Log("TGame->Destroy->Displaysettings restored");
  }
  gVirtualFileSystem.reset();
  for (auto& Pair : QuickChart)
    for (auto& Ranking : Pair) Ranking.clear();
}

bool TGame::LoadLocalization(const std::string& FileName) {
  if (!gVirtualFileSystem || !gVirtualFileSystem->FileExists(FileName)) {
    StartUpFailure({"Tarnova could not load the localization database!", "",
                    "The game was not able to locate the localization database that is need to run the game.", "",
                    "This probably means the game could not find the data package or data subfolder.", "",
                    "Please try to reinstall the game."},
                   false);
    return false;
  }
  TXMLDocument Document;
  gVirtualFileSystem->LoadXML(FileName, Document);
  gLocalization.LoadFromDocument(Document);
  gLocalization.LanguageIndex = 0;
  LocalizationLoaded = true;
  return true;
}

void TGame::LoadSettings() {
  Log("TGame->LoadSettings->Loading game settings");
  const fs::path Folder = UserFileFolder();
  std::optional<std::string> Text = ReadWholeFile(Folder / "settings.xml");
  fs::path Read = Folder / "settings.xml";
  if (!Text && Folder != ProgramFolder()) {
    Read = ProgramFolder() / "settings.xml";
    Text = ReadWholeFile(Read);
  }
  std::uint8_t Language = 0;
  ReadSettings(Text, Read.string(), gLocalization.LanguageCodes, gSettings, Language, Log);
  gLocalization.LanguageIndex = Language;
  const TSwitchEffects Effects = ApplySwitches(Form->Args, gSettings);
  SystemCursor = Effects.ShowCursor;
  if (Effects.PerfTimer && gPerfTimer) gPerfTimer->Enabled = true;
  SettingsLoaded = true;
}

void TGame::SaveSettings() {
  Log("TGame->SaveSettings->Saving game settings");
  std::string Error;
  bool Written = true;
  // The termination watch may have taken the end over (the game ends on a signal): it alone
  // writes the file then, never two threads the same temporary file.
  if (!Form->RunEndStep([&] { Written = WriteSettingsFile(&Error); }))
    Log("TGame->SaveSettings->The termination watch ends the game, the settings are not written again");
  else if (!Written)
    Log("TGame->SaveSettings->" + Error);
}

bool TGame::WriteSettingsFile(std::string* Error) {
  if (!LocalizationLoaded || !SettingsLoaded) {
    if (Error) *Error = "The settings were not read, \"settings.xml\" stays as it is";
    return false;
  }
  const std::string Text = WriteSettings(gSettings, CurrentLanguageCode());
  const fs::path Folder = UserFileFolder();
  std::error_code Ec;
  fs::create_directories(Folder, Ec);
  std::string Why;
  if (SafeWriteFile(Folder / "settings.xml", Text, &Why)) return true;
  if (Error) *Error = "Could not write \"" + (Folder / "settings.xml").string() + "\": " + Why;
  return false;
}

bool TGame::InitOpenGL() {
  auto Text = [](GLenum Name) {
    const GLubyte* S = glGetString(Name);
    return S ? std::string(reinterpret_cast<const char*>(S)) : std::string();
  };
  const std::string Vendor = Text(GL_VENDOR), Renderer = Text(GL_RENDERER), Version = Text(GL_VERSION);
  std::string Extensions = Text(GL_EXTENSIONS);
  if (Form->GLExtensions) Extensions = Form->GLExtensions(Extensions);
  const std::vector<std::string> Report = OpenGLRequirementReport(Vendor, Renderer, Version, Extensions);
  if (!Report.empty()) {
    StartUpFailure(Report, true);
    return false;
  }
  Log("[OpenGL] Vendor   = " + Vendor);
  Log("[OpenGL] Renderer = " + Renderer);
  Log("[OpenGL] Version  = " + Version);
  for (const char* Name : {"GL_SGIS_generate_mipmap", "GL_ARB_texture_compression"})
    if (ExtensionInList(Extensions.c_str(), Name)) Log(std::string("[OpenGL] Extension \"") + Name + "\" supported");
  // GLSL itself decides: OpenGL 2.0 has it, older implementations through the extension.
  const std::optional<TGLVersion> V = ParseGLVersion(Version);
  const bool GLSL = (V && V->Major >= 2) || ExtensionInList(Extensions.c_str(), "GL_ARB_shading_language_100");
  if (!GLSL) {
    Log("[OpenGL] Implementation does not support OpenGL fragment shaders, shaders disabled!");
    gSettings.NoShaders = true;
  }
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  glDepthFunc(GL_LEQUAL);
  return true;
}

void TGame::LogSystemInfo() {
  Log("[SYSTEM] Operating system = " + GetOSVersionName());
  Log("[SYSTEM] Language = " + SystemLanguageName());
}

void TGame::TextureFolder(const std::string& Folder, bool Compress) {
  Log("TGame->Create->Loading textures in \"" + Folder + "\" (*.jpg, *.png, *.tga, *.dds)");
  TFileList Entries;
  gVirtualFileSystem->ListFiles(Folder, "", Entries);
  if (!gVirtualFileSystem->FolderExists(Folder) && Entries.empty())
    throw ETarnovaError("TGame->Create->Texture folder \"" + Folder + "\" not found");
  for (const char* Ext : {".jpg", ".tga", ".png", ".dds"})
    gVirtualFileSystem->LoadTextures(Folder, Ext, *gTextureManager, Compress);
}

void TGame::LoadTextures() {
  // A software rasteriser "generates" mipmaps by drawing every level through its own pipeline,
  // compiling code for each new pixel format first: halving the picture here costs a fraction.
  gSoftwareRasterizer = SoftwareRasterizer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  gHardwareMipmaps = ExtensionSupported("GL_SGIS_generate_mipmap") && !gSoftwareRasterizer;
  gTextureManager->OnMessage = LogProgress;
  // A shader source the data set lacks switches the shaders off before the textures load, so
  // the textures drawn without shaders are there.
  if (!gSettings.NoShaders) {
    for (const TShaderFiles& S : kShaders)
      for (const char* File : {S.Vertex, S.Fragment})
        if (!gVirtualFileSystem->FileExists(File)) {
          LogMissing(File);
          gSettings.NoShaders = true;
        }
    if (gSettings.NoShaders) Log("TGame->Create->Shader sources missing, shaders disabled!");
  }
  TextureFolder("data\\tex\\", true);
  TextureFolder("data\\tex\\nocompression\\", false);
  if (gSettings.NoShaders) TextureFolder("data\\tex\\noshaders\\", true);
}

void TGame::Load3DModels(const std::string& Folder) {
  Log("TGame->Create->Loading 3d models in \"data\\3d\"");
  LoadModelFolder(Folder);
}

void TGame::LoadShaders() {
  gShaderManager = std::make_unique<TGLSLShaderManager>();
  for (const TShaderFiles& S : kShaders) gVirtualFileSystem->LoadShader(S.Name, S.Vertex, S.Fragment, *gShaderManager);
  for (const std::string& Line : gShaderManager->Log) Log(Line);
  // A program that did not build would fail the first frame that asks for it: the scenes take
  // their drawing without shaders instead.
  for (const TShaderFiles& S : kShaders) {
    bool Present = false;
    for (const std::string& Name : gShaderManager->Names) Present = Present || Name == S.Name;
    if (!Present) {
      Log(std::string("TGame->LoadShaders->Shader program \"") + S.Name + "\" did not build, shaders disabled!");
      gSettings.NoShaders = true;
    }
  }
  if (gSettings.NoShaders) {
    gShaderManager.reset();
    TextureFolder("data\\tex\\noshaders\\", true);
  }
}

void TGame::LoadSkins(TGLGUI& GUI) {
  for (const char* Name : {"gui_interface", "gui_interface_light", "gui_button", "gui_trackbar"})
    if (gTextureManager->GetTextureInfo(Name, tiGLID) < 0)
      throw ETarnovaError(std::string("TGame->Create->Skin texture \"data\\tex\\") + Name + "\" not found");
  GUI.LoadSkinTextures();
}

void TGame::LoadBaseLayout(TGLGUI& GUI, const std::string& FileName) {
  GUI.ScreenWidth = gGUIScreenWidth;
  GUI.ScreenHeight = gGUIScreenHeight;
  GUI.Windows[0]->Width = gGUIScreenWidth;
  GUI.Windows[0]->Height = gGUIScreenHeight;
  RequireFile(FileName);
  GUI.LoadUIFromXML(FileName);
}

void TGame::AddWindow(TGLGUI& GUI, const std::string& FileName) {
  RequireFile(FileName);
  if (!GUI.AddWindowFromXML(FileName))
    throw EDataError("TGame->Create->\"" + FileName + "\" holds no window");
}

void TGame::LoadGUIs() {
  const std::string Lang = LanguageFolder();
  LoadSkins(*gInGameGUI);
  LoadBaseLayout(*gInGameGUI, "data\\XML\\UI_EarthView.xml");
  for (const char* File : kInGameWindows) AddWindow(*gInGameGUI, Lang + File);
  SetMemoBorderless(*gInGameGUI, "messagedlg_ext");
  LoadGlobalProjectText();

  gNationInfoXML = std::make_unique<TXMLDocument>();
  RequireFile("data\\xml\\nationinfo.xml");
  gVirtualFileSystem->LoadXML("data\\xml\\nationinfo.xml", *gNationInfoXML);

  LoadSkins(*gNationSelectGUI);
  LoadBaseLayout(*gNationSelectGUI, Lang + "UI_NationSelect.xml");
  ShowNationHistory();
  for (auto& Item : gNationSelectGUI->Windows[0]->Items) Item->FadeIn();
  LoadNationInfo();

  LoadBaseLayout(*gBattleFieldGUI, "data\\XML\\UI_BattleField.xml");

  LoadSkins(*gMainMenuGUI);
  LoadBaseLayout(*gMainMenuGUI, Lang + "UI_MainMenu_Root.xml");
  for (auto& Item : gMainMenuGUI->Windows[0]->Items)
    if (Item->Visible) Item->FadeIn();
  AddWindow(*gMainMenuGUI, Lang + "window_loadgame.xml");
  FillLanguageDropDown();
  AddWindow(*gMainMenuGUI, Lang + "extended_message_dialog.xml");
  SetMemoBorderless(*gMainMenuGUI, "messagedlg_ext");
  if (BindMainMenuPanels()) MainMenu_HideSubPanels();

  LoadSkins(*gIntroGUI);
  LoadBaseLayout(*gIntroGUI, "data\\XML\\UI_IntroScreen.xml");
  IntroStep = 0;
  LoadSkins(*gEndGameGUI);
  LoadBaseLayout(*gEndGameGUI, Lang + "UI_EndGame.xml");
  // One row per statistic; the selected row stays as it was.
  for (auto& Item : gEndGameGUI->Windows[0]->Items)
    if (auto* DropDown = dynamic_cast<TGLDropDown*>(Item.get()); DropDown && Item->ID == "dropdown_stat") {
      DropDown->Clear();
      for (const std::string& Key : gStatisticKeys) DropDown->AddItem(Localize("szStrStat" + Key), Key, "", 0);
    }
  if (View) View->RegisterWindows(*this);
}

void TGame::LoadNationInfo() { ReadNationInfo(gNationInfoXML->Root()); }

void TGame::ShowNationHistory() {
  if (!gNationInfoXML) return;
  TGLMemo* Memo = FirstMemo(gNationSelectGUI->Windows[0].get());
  const TXMLNode Nation = gNationInfoXML->Root().ChildAt(static_cast<std::size_t>(SelectedNation));
  if (Memo && Nation) Memo->SetTextSection(Nation.Child("history").Text(), CurrentLanguageCode(), true);
}

void TGame::LoadGlobalProjectText() {
  const std::string File = "data\\phase1info_" + CurrentLanguageCode() + ".txt";
  TGLMemo* Memo = FirstMemo(gInGameGUI->GetWindow("globalproject"));
  if (!Memo) return;
  if (!gVirtualFileSystem->FileExists(File)) {
    LogMissing(File);
    return;
  }
  Memo->LoadFromFile(File);
}

void TGame::FillLanguageDropDown() {
  TGLWindow& Base = *gMainMenuGUI->Windows[0];
  for (auto& Item : Base.Items)
    if (auto* DropDown = dynamic_cast<TGLDropDown*>(Item.get()); DropDown && Item->ID == "options_dropdown_language") {
      DropDown->Clear();
      for (std::size_t L = 0; L < gLocalization.LanguageCodes.size(); ++L)
        DropDown->AddItem(gLocalization.LanguageNames.at(L), gLocalization.LanguageCodes[L],
                          "lang_" + gLocalization.LanguageCodes[L], 0);
    }
}

void TGame::SwitchLanguage(std::uint8_t NewIndex) {
  if (NewIndex == gLocalization.LanguageIndex || NewIndex >= gLocalization.LanguageCodes.size()) return;
  const std::string Folder = "data\\xml\\lang_" + gLocalization.LanguageCodes[NewIndex] + "\\";
  // Every file of the new language must be there before anything is cleared.
  std::vector<std::string> Missing;
  auto Need = [&](const TGLWindow& W) {
    if (!W.DefinitionFile.empty() && !gVirtualFileSystem->FileExists(Folder + W.DefinitionFile))
      Missing.push_back(Folder + W.DefinitionFile);
  };
  for (std::size_t i = 1; i < gInGameGUI->Windows.size(); ++i) Need(*gInGameGUI->Windows[i]);
  for (TGLGUI* GUI : {gMainMenuGUI.get(), gNationSelectGUI.get()})
    for (auto& W : GUI->Windows) Need(*W);
  if (!Missing.empty()) {
    for (const std::string& File : Missing)
      Log("TGame->SwitchLanguage->\"" + File + "\" not found, the language stays");
    return;
  }
  gLocalization.LanguageIndex = NewIndex;

  std::vector<std::string> WereOpen;
  for (auto& W : gInGameGUI->Windows) {
    if (W->Visible && W.get() != gInGameGUI->Windows[0].get()) WereOpen.push_back(W->Name);
    if (W.get() != gInGameGUI->Windows[0].get()) W->Visible = false;
  }
  auto SetOptionItems = [](bool Show) {
    for (auto& Item : gMainMenuGUI->Windows[0]->Items)
      if (Item->ID.find("options_") != std::string::npos) {
        Item->Visible = Show;
        Item->Alpha = Show ? 1.0f : 0.0f;
        Item->FadeDir = Show ? 1.0f : -1.0f;
      }
  };
  SetOptionItems(false);
  if (gLog) gLog->LoadingScreen = true;
  Log("TGame->SwitchLanguage->Switching to \"" + CurrentLanguageCode() + "\"...");
  Log("TGame->SwitchLanguage->Reloading in-game GUI...");
  gInGameGUI->ReloadWindows(Folder);
  Log("TGame->SwitchLanguage->Reloading main menu GUI...");
  gMainMenuGUI->ReloadBaseWindow(Folder);
  gMainMenuGUI->ReloadWindows(Folder);
  Log("TGame->SwitchLanguage->Reloading nation selection GUI...");
  gNationSelectGUI->ReloadBaseWindow(Folder);
  gNationSelectGUI->ReloadWindows(Folder);
  SetMemoBorderless(*gInGameGUI, "messagedlg_ext");
  SetMemoBorderless(*gMainMenuGUI, "messagedlg_ext");
  FillLanguageDropDown();
  LoadGlobalProjectText();
  BindMainMenuPanels();
  if (View) View->RegisterWindows(*this);
  Log("TGame->SwitchLanguage->Language switched");
  if (gLog) gLog->LoadingScreen = false;
  auto& NationItems = gNationSelectGUI->Windows[0]->Items;
  for (std::size_t i = 1; i < NationItems.size(); ++i) {
    NationItems[i]->Visible = true;
    NationItems[i]->Alpha = 1.0f;
    NationItems[i]->FadeDir = 1.0f;
  }
  ShowNationHistory();
  for (const std::string& Name : WereOpen) gInGameGUI->OpenWindow(Name);
  SetOptionItems(true);
  for (auto& Item : gMainMenuGUI->Windows[0]->Items)
    if (Item->ID.find("options_") == std::string::npos && Item->ID.find("hotseat_") != std::string::npos) {
      Item->Visible = false;
      Item->Alpha = 0.0f;
      Item->FadeDir = 0.0f;
    }
}

std::string TGame::WriteScreenShot() {
  std::error_code Ec;
  const fs::path Folder(gScreenshotPath);
  fs::create_directories(Folder, Ec);
  if (gScreenshotPath.empty() || !fs::is_directory(Folder, Ec)) {
    Log("TGame->SaveScreenShot->Screenshot directory not found, but could also not be created (write-protected "
        "medium?). Screenshot not saved!");
    return "";
  }
  // Numbered from the count of PNG files, and on past any number already taken, so a screenshot
  // deleted from the middle of the series never makes the next one overwrite another.
  std::size_t N = ListFolder(Folder, ".png").size();
  fs::path File;
  do File = Folder / ("screenshot" + std::to_string(N++) + ".png");
  while (fs::exists(File, Ec));
  std::string Error;
  if (!SaveScreenshot(File.string(), false, &Error)) {
    Log("TGame->SaveScreenShot->" + Error);
    return "";
  }
  Log("TGame->SaveScreenShot->Screenshot saved to \"" + File.string() + "\"");
  return File.string();
}

void TGame::Render() {
  const auto Stamp = [this] { return FrameClock ? FrameClock() : NowMilliseconds(); };
  const double Start = Stamp();
  int W = 0, H = 0;
  Form->ClientSize(W, H);
  glViewport(0, 0, W, H);
  UpdateHoveredRegion();
  if (View) View->Render(*this);
  // This frame has seen the presses since the last one.
  gLeftMousePressed = false;
  if (ScreenshotPending) {
    ScreenshotPending = false;
    glViewport(0, 0, W, H);
    WriteScreenShot();
  }
  Form->SwapBuffers();
  // The frame time is the drawing and the swap alone: what the window messages between two frames
  // take (a click that runs a whole round) would otherwise jump every animation and fade ahead.
  FrameTime = Stamp() - Start;
  if (!FirstFrameDrawn) {
    FirstFrameDrawn = true;
    Log("TGame->Render->First frame drawn " + std::to_string(static_cast<long long>(NowMilliseconds())) +
        " ms after the program started");
  }
  // Sound and music after the swap: tracks end, fade and the next one starts.
  if (gSoundSystem) gSoundSystem->Update();
  if (gMusicPlayer && gSettings.MusicEnabled) gMusicPlayer->Update(static_cast<float>(FrameTime));
  AdvanceFade();
}

void TGame::AdvanceFade() {
  FadeValue = static_cast<float>(FadeValue + FadeSpeed * FrameTime * 0.0015);
  if (FadeValue > 1.0f) {
    FadeValue = 1.0f;
  } else if (FadeValue < 0.0f) {
    // Black: the new state's first frame is drawn under a full veil, then it fades in.
    FadeValue = 0.0f;
    State = PendingState;
    FadeSpeed = 1.0f;
  }
}

void TGame::SwitchState(std::uint16_t NewState) {
  // The state on screen asked for again changes nothing, not even a fade towards another state.
  // Otherwise the fade-out starts (or goes on) from the present brightness; the latest request
  // is the state that comes.
  if (NewState == State) return;
  FadeSpeed = -1.0f;
  PendingState = NewState;
}

TGLGUI& TGame::CurrentGUI() const {
  switch (State) {
    case gsEarthView: return *gInGameGUI;
    case gsNationSelect: return *gNationSelectGUI;
    case gsBattleField: return *gBattleFieldGUI;
    case gsIntro: return *gIntroGUI;
    case gsEndGame: return *gEndGameGUI;
    default: return *gMainMenuGUI;
  }
}

