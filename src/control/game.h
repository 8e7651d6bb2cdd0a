#pragma once
// The game object: the state of the running program and its control operations (start-up and
// shut-down, settings, the OpenGL checks, asset loading, languages, screenshots). Drawing is the
// presentation's, reached through the game view; the main window owns the game object's window.
#include <array>
#include <atomic>
#include <functional>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "control/game_view.h"
#include "platform/clock.h"
#include "platform/window_host.h"

class TEarth;
class TTarnovaForm;
class TGLGUI;
class TGLWindow;
class TDivision;
class TRegion;
class TBuildingType;
class TTechnology;
class TSpy;
class TXMLDocument;
class TNation;

// The position of a window kept while a cursor mode parks it (X, Y, Z of the window).
struct TSavedWindowRect {
  float X = 0.0f, Y = 0.0f, Z = 0.0f;
};

enum TGameState : std::uint16_t {
  gsEarthView = 0, gsNationSelect = 1, gsBattleField = 2, gsMainMenu = 3, gsIntro = 4, gsEndGame = 5
};

class TGame {
public:
  TSavedWindowRect SavedWindowRect;
  TDivision* StationDivision = nullptr;
  TRegion* MoveSourceRegion = nullptr;
  std::int32_t SelectedNation = 0;
  std::uint8_t DisplayedNation = 0;
  std::uint8_t TargetNation = 0;
  float NationTurnAngle = 0.0f;
  std::array<std::int32_t, 5> NationSymbolOrder{};
  // Per quick-chart key, the current and the previous ranking of the nations.
  std::array<std::array<std::vector<std::int32_t>, 2>, 5> QuickChart;
  std::int64_t PerfFrequency = 0;  // ticks per second of the frame clock (milliseconds: 1000)
  double FrameTime = 0.0;          // duration of the last frame in milliseconds
  TTarnovaForm* Form = nullptr;
  std::uint16_t State = 0;
  bool HotSeat = false;
  std::uint16_t Difficulty = 0;
  std::int8_t CurrentPlayer = 0;
  std::int32_t RoundTimeLeft = 0;
  std::int32_t DefaultRoundTime = 0;
  TPollTimer RoundTimer;  // the hot-seat turn timer, polled by the main loop
  float OverlayAlpha = 0.0f;
  std::int8_t OverlayDirection = 0;
  std::int8_t NextPlayerSearch = 0;
  // Hot seat: the news of the world round wait behind the hand-over veil for the player they
  // belong to; the frame that hands the turn over opens the information centre.
  bool NewsAtHandOver = false;
  std::unique_ptr<TEarth> Earth;
  std::int32_t MouseX = 0, MouseY = 0;
  // Where the last left press was, in window pixels (gLeftPressMouseX/Y hold it in GUI pixels).
  std::int32_t LeftPressX = 0, LeftPressY = 0;
  std::int32_t PrevMouseX = 0, PrevMouseY = 0;
  bool RightDragging = false;
  // The last left press chose a target on the globe in a cursor mode or selected a region: its
  // release and its click act on nothing else.
  bool PressTakenByGlobe = false;
  bool Quit = false;
  std::int32_t FrameCount = 0;
  std::int32_t FPS = 0;
  std::int32_t HoveredRegion = -1;
  std::int32_t MoveDivisionIndex = 0;
  std::int32_t CursorMode = 0;
  bool GameRunning = false;
  float FadeValue = 1.0f;  // 1 fully visible, 0 black
  float FadeSpeed = 1.0f;  // +1 fading in or at rest, -1 fading out
  std::uint16_t PendingState = 0;  // the state that comes when the fade-out reaches black
  std::int32_t RegionDetailsSelectedSlot = 0;
  std::int32_t RegionDetailsHoveredSlot = 0;
  std::int32_t RegionDetailsLastMouseX = 0, RegionDetailsLastMouseY = 0;
  const TBuildingType* BuildSelectedType = nullptr;
  TTechnology* ResearchSelectedTech = nullptr;
  std::vector<TTechnology*> ResearchTechList;
  TTechnology* ResearchHistorySelectedTech = nullptr;
  TSpy* EspionageSelectedSpy = nullptr;
  TSavedWindowRect EspionageSavedWindowRect;
  std::vector<TDisplayMode> DisplayModes;
  std::int32_t IntroStep = 0;
  std::string EndGameText;

  // Set when the localisation database was loaded: only then are the settings written at exit.
  bool LocalizationLoaded = false;
  // Set once LoadSettings has read the user's settings (or found none). Until then gSettings
  // holds no choice of the user's, and writing it would replace their file: no writer, the
  // termination watch included (it reads this from its own thread), writes the file before.
  std::atomic<bool> SettingsLoaded{false};
  // F10 asks for a screenshot; the next frame takes it just before the buffers swap.
  bool ScreenshotPending = false;

  // The presentation that draws the frames; none in headless tests.
  std::unique_ptr<TGameView> View;

  TGame(TTarnovaForm& MainForm, std::unique_ptr<TGameView> GameView);
  // The shut-down (Destroy).
  ~TGame();
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  // The whole start-up. A start-up failure has shown the error dialog and set Quit; any other
  // exception goes to the caller (the main window's exception handler, whose error dialog shows
  // it), among them one for each data file the start-up needs and does not find, naming the file.
  void Create();
  // Frees what exists, in order; safe after a start-up that stopped at any step and twice.
  // A game object whose start-up never ran frees nothing.
  void Destroy();

  bool LoadLocalization(const std::string& FileName);
  void LoadSettings();
  void SaveSettings();
  // Writes "settings.xml" from gSettings without logging (SaveSettings logs around it); also
  // called from the termination watch while the game's thread is stuck. False with Error set
  // when the file cannot be written or the settings were never read (the file stays as it is).
  bool WriteSettingsFile(std::string* Error = nullptr);
  bool InitOpenGL();
  void LogSystemInfo();
  void LoadTextures();
  void Load3DModels(const std::string& Folder);
  void LoadShaders();
  // Changes the language to NewIndex and reloads every language-dependent window and text as the
  // first load does. Nothing happens for the current language; when a window file of the new
  // language is missing, the language stays and the file is logged.
  void SwitchLanguage(std::uint8_t NewIndex);

  // F10: the screenshot is taken inside the next frame.
  void SaveScreenShot() { ScreenshotPending = true; }
  // Writes the current frame into the screenshot folder under the first free
  // "screenshot<N>.png", N counting from the number of PNG files there; returns the file or "".
  std::string WriteScreenShot();

  // One frame: measures the frame time, lets the view draw (the scene, the cursor and the fade
  // veil), takes a pending screenshot, swaps; then updates sound and music and advances the fade.
  void Render();
  // The clock the frame time is measured with (milliseconds); tests drive frames with their own.
  std::function<double()> FrameClock;
  // Asks for another game state: the screen fades to black, the state changes there and the new
  // screen fades in. The state on screen asked for again does nothing.
  void SwitchState(std::uint16_t NewState);
  // The fade's step of a frame that took FrameTime: a full fade lasts about 667 ms; at black the
  // pending state becomes current and fades in.
  void AdvanceFade();
  // A fade-out towards another state runs: the screen is going away.
  bool FadingOut() const { return FadeSpeed < 0.0f; }
  // The GUI manager of the current state.
  TGLGUI& CurrentGUI() const;

  // Input from the main window, in window pixels.
  void MouseMove(std::uint8_t Shift, std::int32_t X, std::int32_t Y);
  void MouseDown(std::int32_t Button, std::uint8_t Shift, std::int32_t X, std::int32_t Y);
  void MouseUp(std::int32_t Button, std::uint8_t Shift, std::int32_t X, std::int32_t Y);
  void MouseWheel(std::uint8_t Shift, std::int32_t Delta, std::int32_t X, std::int32_t Y);
  void Click();
  void DblClick();
  void KeyDown(std::uint16_t Key, std::uint8_t Shift);

  // Savegames. The document is written first, then its ".name" side file, each through a
  // temporary file: a failure leaves the files on disk as they were, is logged and shown in a
  // message box, and gives false.
  bool SaveToXML(const std::string& FileName, const std::string& SaveName);
  // Reads and checks the whole savegame before anything of the running game changes; a refused
  // file leaves the game as it was and names the file, element and value in a message box. The
  // caller sets the state afterwards.
  bool LoadFromXML(const std::string& FileName);
  // The same for a document already parsed.
  bool LoadFromDocument(const TXMLDocument& Document);
  // After a load from the load window: the loaded game runs on the globe at once, without a fade.
  void EnterLoadedGame();
  // The savegame document of the running game, carrying this date and time.
  void WriteSaveDocument(TXMLDocument& Document, const std::string& SaveName, const std::string& Date,
                         const std::string& Time);
  // A savegame message in the message box of the current GUI, and in the log.
  void ShowSaveGameMessage(const std::string& Text);

  // Colour picking: the candidate under the mouse (MouseX, MouseY) + 1, or -1 for none and in
  // states other than the earth view and the nation selection. The view draws the candidates.
  std::int32_t PickObjectAt();
  // The hover pick a mouse move asked for in a cursor mode (HoveredRegion), run once per frame
  // before the frame is drawn; nothing when no move came since the last one.
  void UpdateHoveredRegion();
  bool HoverPickDue = false;
  // Replaces the GL read-back (headless tests); none in the game.
  std::function<std::int32_t()> PickHook;

  // Ends the round: hot-seat hand-over, or the world round with everything that follows it.
  void NextRound();
  // The hot-seat turn timer's second; it only counts in a running hot-seat game on the globe
  // (behind the hand-over veil too) while no battle runs.
  void RoundTimerTick();
  // Ranks the nations for the five quick-chart values and keeps the previous ranking.
  void UpdateQuickChart();
  // Mode 0 single player from the nation selection, 1 hot seat from the main menu's panel.
  void StartNewGame(std::uint16_t Mode);
  // The attack order of a division: takes an unowned region with an environment changer, or
  // starts the battle in the "autobattle" window.
  void StartBattle(TDivision& Division, TNation& Nation, TRegion& TargetRegion);
  // The end of a game, won or lost: the result into the high-score list, the end-of-game screen
  // with the outcome and its music, and the game no longer running.
  void ShowVictory();
  void ShowDefeat();
  // Ends any cursor mode (windows back in place, hint hidden) and forgets every object the game
  // object refers to (division, region, spy, selections): a new game or a load frees them.
  void ForgetGameObjects();
  // Selects region Index (-1 or an index out of range: none) for the globe and the windows alike,
  // through the earth; a new selection forgets the building slot chosen in the old one.
  void SelectRegion(std::int32_t Index);
  // The main menu's panels: the options follow the settings at start-up and after a language
  // switch; while the menu shows, the settings follow the options every frame (the menu's
  // per-frame handler, the presentation's). The quit dialog's handler sees every click of its GUI.
  void ApplySettingsToOptions();
  void OptionsWindow_FillResolutions();
  void MainMenu_HideSubPanels();
  void MainMenu_ToggleOptions(bool Show);
  void MainMenu_ToggleHotSeat(bool Show);
  void ApplyOptionsToSettings();
  void QuitDialog_Click(const std::string& Name);

  // The load and save windows of a mode ("singleplayer", "hotseat").
  void LoadGameWindow_Show(const std::string& Mode);
  void SaveGameWindow_Show(const std::string& Mode);

  // Logs a data file the data set does not hold, once per name: only for the few the game can
  // do without (a shader source switches the shaders off, an info text leaves its memo empty).
  void LogMissing(const std::string& FileName);
  // Throws ETarnovaError naming a data file the data set does not hold.
  void RequireFile(const std::string& FileName);

private:
  bool Created = false;
  bool Destroyed = false;
  bool DisplayModeChanged = false;
  bool FirstFrameDrawn = false;
  bool SystemCursor = false;
  std::set<std::string> MissingLogged;

  std::set<std::string> UnknownClickLogged;  // control names no command or window took

  // Runs the command of a clicked control; false when no command has that name.
  bool RunClickCommand(const std::string& Name);
  void GlobeClick(std::int32_t Picked);
  void SelectRegionClick(std::int32_t Picked);
  void StationClick(std::int32_t Picked);
  void MoveClick(std::int32_t Target);
  void SpyTargetClick(std::int32_t Picked);
  void NationSymbolClick(std::int32_t Picked);
  void RestoreWindow(const std::string& Name, const TSavedWindowRect& Rect);
  void OpenRegionWindow(std::int32_t Region);
  // The news of the player whose turn it is (or comes next in hot seat) into the information centre.
  void FillInfoCenter(bool Open);
  void AfterWorldRound(const std::vector<std::uint8_t>& Dead);

  // Shows the error dialog with these lines (logged too when Log is set), sets Quit and closes
  // the main window.
  void StartUpFailure(const std::vector<std::string>& Lines, bool Log);
  bool UserFolders();
  void LoadNationInfo();
  void LoadGUIs();
  void LoadSkins(TGLGUI& GUI);
  void LoadBaseLayout(TGLGUI& GUI, const std::string& FileName);
  void AddWindow(TGLGUI& GUI, const std::string& FileName);
  void FillLanguageDropDown();
  // Binds the quit dialog's click handler; fills the options from the settings when the main
  // menu's layout holds the options panel (true then).
  bool BindMainMenuPanels();
  void EndGame(bool Victory);
  void ShowNationHistory();
  void LoadGlobalProjectText();
  void TextureFolder(const std::string& Folder, bool Compress);
};

// The GUI screen for a client area: 768 GUI pixels high, the width in the client's proportion,
// rounded half to even (1024 x 768 -> 1024, 1280 x 800 -> 1229, 1280 x 720 -> 1365, and
// 1280 x 1024 -> 960: the layouts keep their controls within 960 for such screens).
struct TGUIScreenSize {
  int Width = 1024, Height = 768;
};
TGUIScreenSize GUIScreenSizeFor(int ClientWidth, int ClientHeight);
