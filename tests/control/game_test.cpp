// The game object's start-up failures, the exception handler and the language switch, headless.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "control/control_globals.h"
#include "control/error_dialog.h"
#include "control/game_settings.h"
#include "game_fixture.h"
#include "gui/text.h"
#include "gui/window.h"
#include "platform/errors.h"
#include "platform/virtual_keys.h"
#include "support/file_operations_swap.h"

namespace {

const char* kLocalization = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<texts><szStrStart GER="Spiel starten" ENG="Start game"/></texts>)";

std::string Layout(const std::string& Caption) {
  return R"(<layout><text x="10" y="10" z="0.1" caption=")" + Caption +
         R"(" visible="1" width="200" ID="text_title"/></layout>)";
}
std::string Window(const std::string& Name, const std::string& Caption) {
  return R"(<window caption=")" + Caption + R"(" icon="" name=")" + Name +
         R"(" x="10" y="10" width="300" height="200"><text x="10" y="40" z="0.1" caption=")" + Caption +
         R"(" visible="1" width="200" ID="text_body"/></window>)";
}

std::string TitleOf(TGLWindow& W) { return W.GetItem<TGLText>("text_title").Text; }

}  // namespace

TEST_F(GameTest, WithoutTheLocalisationDatabaseTheDialogEndsTheStartAndNothingIsWritten) {
  TGame& G = MakeGame();
  G.Create();
  ASSERT_EQ(Dialogs.size(), 1u);
  EXPECT_EQ(Dialogs[0].Title, "Tarnova has encountered an error");
  EXPECT_NE(Dialogs[0].Text.find("Tarnova could not load the localization database!\n\nThe game was not able to "
                                  "locate the localization database that is need to run the game.\n"),
            std::string::npos);
  EXPECT_TRUE(G.Quit);
  EXPECT_EQ(Form.ExitCode, 1);
  EXPECT_TRUE(Logged("Starting Tarnova - Phase 1 (v1.11)"));
  EXPECT_FALSE(Logged("localization database"));  // the dialog's lines are not logged
  G.Destroy();
  G.Destroy();
  EXPECT_FALSE(std::filesystem::exists(Data.Path() / "settings.xml"));
  EXPECT_EQ(gVirtualFileSystem, nullptr);
}

TEST_F(GameTest, ADamagedPackageReachesTheDialogNamingTheFileAndTheProgramEndsNonZero) {
  for (const std::string& Package : {std::string("TVFS"), std::string("\x05\x00\x00\x00garbage", 11)}) {
    Dialogs.clear();
    Data.Write("tarnova.dat", Package);
    Data.Write("data/XML/localization.xml", kLocalization);
    TTarnovaForm Run{{"tarnova", "-windowed"}};
    EXPECT_EQ(Run.Run(), 1);
    ASSERT_EQ(Dialogs.size(), 1u);
    EXPECT_NE(Dialogs[0].Text.find("tarnova.dat"), std::string::npos) << Dialogs[0].Text;
    EXPECT_TRUE(Logged("An access violation occured during run-time :"));
    EXPECT_FALSE(std::filesystem::exists(Data.Path() / "settings.xml"));
    EXPECT_EQ(gGame, nullptr);
  }
}

TEST_F(GameTest, AnExceptionIsReportedOnceWithItsEightLinesAndEndsTheProgram) {
  const ERangeError Fault("TNation->GetValue->Unknown value \"x\"");
  for (int Frame = 0; Frame < 3; ++Frame) Form.ApplicationEventsException(&Fault);
  ASSERT_EQ(Dialogs.size(), 1u);
  EXPECT_NE(Dialogs[0].Text.find(" Type = ERangeError\n Message = TNation->GetValue->Unknown value \"x\"\n"),
            std::string::npos);
  EXPECT_EQ(Form.ExitCode, 1);
  EXPECT_TRUE(Form.IsClosed());
  const auto& Lines = Log.Lines();
  const auto Headline = std::find(Lines.begin(), Lines.end(), "An access violation occured during run-time :");
  ASSERT_NE(Headline, Lines.end());
  ASSERT_GE(Lines.end() - Headline, 9);
  const std::vector<std::string> Report(Headline + 1, Headline + 9);
  EXPECT_EQ(Report, ExceptionReport("ERangeError", Fault.what()));
}

TEST_F(GameTest, TheMainWindowSwitchesAndTheGUIWidthFollowTheClientArea) {
  const auto Size = [](int W, int H) {
    const TGUIScreenSize S = GUIScreenSizeFor(W, H);
    return std::pair{S.Width, S.Height};
  };
  EXPECT_EQ(Size(1024, 768), std::pair(1024, 768));
  EXPECT_EQ(Size(1280, 960), std::pair(1024, 768));
  EXPECT_EQ(Size(1280, 800), std::pair(1229, 768));
  EXPECT_EQ(Size(1280, 720), std::pair(1365, 768));
  // Narrower than 4:3 the screen keeps its height of 768 and becomes narrower.
  EXPECT_EQ(Size(1280, 1024), std::pair(960, 768));
  EXPECT_EQ(Size(1024, 1024), std::pair(768, 768));
  gSettings.Windowed = false;
  TTarnovaForm Wide{{"tarnova", "-WIDESCREENDEBUG", "-windowed"}};
  Wide.FormCreate();
  EXPECT_EQ(Wide.ClientWidth, 1024);
  EXPECT_TRUE(gSettings.Windowed);
  TTarnovaForm Debug{{"tarnova", "-widescreendebug"}};
  Debug.FormCreate();
  EXPECT_EQ(Debug.ClientWidth, 1280);
  EXPECT_EQ(Debug.ClientHeight, 800);
  EXPECT_EQ(gGUIScreenWidth, 1229);
  gGUIScreenWidth = 1024;
}

// The game's last writes have one writer. While the game's thread writes the settings file, the
// termination watch does not write the same temporary file beside it; once the watch has taken
// the end over (the settings written from the main loop's game object), the game's own
// shut-down writes the file no more.
TEST_F(GameTest, TheSettingsFileHasOneWriterWhenTheGameEndsOnASignal) {
  Data.Write("data/XML/localization.xml", kLocalization);
  gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Data.Path());
  ASSERT_TRUE(MakeGame().LoadLocalization("data\\XML\\localization.xml"));
  Game->LoadSettings();
  // The game's rename of the settings file lasts until the watch has given up on it; each rename
  // counts the writers at that moment.
  std::mutex Lock;
  std::condition_variable Changed;
  bool Renaming = false, WatchDone = false;
  std::atomic<int> Writers{0}, MostWriters{0}, Renames{0};
  TFileOperations Slow;
  Slow.Rename = [&](const char* From, const char* To) {
    if (std::filesystem::path(To).filename() != "settings.xml") return ::rename(From, To);
    const int Now = ++Writers;
    if (Now > MostWriters) MostWriters = Now;
    ++Renames;
    {
      std::unique_lock<std::mutex> Guard(Lock);
      Renaming = true;
      Changed.notify_all();
      Changed.wait(Guard, [&] { return WatchDone; });
    }
    --Writers;
    return ::rename(From, To);
  };
  const TFileOperationsSwap Swap(Slow);
  gGame = std::move(Game);
  const std::filesystem::path Settings = Data.Path() / "settings.xml";

  gSettings.ReflectionTextureSize = 256;
  std::thread GameThread([] { gGame->SaveSettings(); });
  {
    std::unique_lock<std::mutex> Guard(Lock);
    Changed.wait(Guard, [&] { return Renaming; });
  }
  gSettings.ReflectionTextureSize = 1024;
  Form.TakeOverTheEnd(15);
  {
    std::lock_guard<std::mutex> Guard(Lock);
    WatchDone = true;
  }
  Changed.notify_all();
  GameThread.join();
  EXPECT_EQ(MostWriters.load(), 1);
  EXPECT_NE(ReadTestFile(Settings).find("reflectiontexturesize=\"256\""), std::string::npos);
  EXPECT_TRUE(Logged("TTarnovaForm->TerminationWatch->Signal 15 while the game was busy, the game ends now"));
  EXPECT_FALSE(Logged("Signal 15 while the game was busy, the game ends now, settings saved"));

  // The watch comes while the game's thread writes nothing: it writes them, and only it.
  gSettings.ReflectionTextureSize = 512;
  Form.TakeOverTheEnd(2);
  EXPECT_TRUE(Logged("Signal 2 while the game was busy, the game ends now, settings saved"));
  gSettings.ReflectionTextureSize = 2048;
  Renames = 0;
  gGame->SaveSettings();
  EXPECT_TRUE(Logged("TGame->SaveSettings->The termination watch ends the game, the settings are not written again"));
  EXPECT_FALSE(Form.RunEndStep([] { ADD_FAILURE() << "a last write after the watch took the end over"; }));
  EXPECT_EQ(Renames.load(), 0);
  EXPECT_NE(ReadTestFile(Settings).find("reflectiontexturesize=\"512\""), std::string::npos);
  Game = std::move(gGame);
}

// A termination signal during start-up, after the localisation database and before the user's
// settings were read, leaves their file as it is: the game object holds no choice of theirs yet.
// Once the settings are read, the watch writes them, the user's choices included.
TEST_F(GameTest, ASignalBeforeTheSettingsAreReadKeepsTheUsersFile) {
  Data.Write("data/XML/localization.xml", kLocalization);
  TGameSettings Chosen;
  SetDefaultSettings(Chosen);
  Chosen.HighGlobeDetail = Chosen.SoundEnabled = false;
  Chosen.ReflectionUpdateRate = 3;
  Chosen.ReflectionTextureSize = 1024;
  Chosen.ScreenWidth = 1280;
  Chosen.ScreenHeight = 1024;
  Chosen.Frequency = 75;
  Chosen.MusicVolume = 7;
  Chosen.SoundVolume = 30;
  Chosen.AutosaveEnabled = true;
  Chosen.AutosaveInterval = 4;
  const std::string Users = WriteSettings(Chosen, "eng");
  Data.Write("settings.xml", Users);
  const std::filesystem::path Settings = Data.Path() / "settings.xml";
  gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Data.Path());
  ASSERT_TRUE(MakeGame().LoadLocalization("data\\XML\\localization.xml"));
  SetDefaultSettings(gSettings);
  gGame = std::move(Game);
  Form.TakeOverTheEnd(15);
  EXPECT_EQ(ReadTestFile(Settings), Users);
  EXPECT_TRUE(Logged("Signal 15 while the game was busy, the game ends now"));
  EXPECT_FALSE(Logged("settings saved"));
  // The game object's own shut-down, were it to come, writes nothing either.
  TTarnovaForm Shutting{{"tarnova", "-windowed"}};
  TGame Early(Shutting, nullptr);
  Early.LocalizationLoaded = true;
  Early.SaveSettings();
  EXPECT_TRUE(Logged("TGame->SaveSettings->The settings were not read, \"settings.xml\" stays as it is"));
  EXPECT_EQ(ReadTestFile(Settings), Users);
  Game = std::move(gGame);

  TTarnovaForm Later{{"tarnova", "-windowed"}};
  auto Read = std::make_unique<TGame>(Later, nullptr);
  ASSERT_TRUE(Read->LoadLocalization("data\\XML\\localization.xml"));
  Read->LoadSettings();
  gSettings.MusicVolume = 8;  // changed in the options panel
  gGame = std::move(Read);
  Later.TakeOverTheEnd(15);
  EXPECT_TRUE(Logged("Signal 15 while the game was busy, the game ends now, settings saved"));
  const std::string Written = ReadTestFile(Settings);
  for (const char* Kept : {"language=\"eng\"", "highglobedetail=\"False\"", "reflectiontexturesize=\"1024\"",
                           "width=\"1280\"", "frequency=\"75\"", "musicvolume=\"8\"", "interval=\"4\""})
    EXPECT_NE(Written.find(Kept), std::string::npos) << Kept;
  gGame.reset();
}

class LanguageSwitchTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Data.Write("data/XML/localization.xml", kLocalization);
    for (const char* Code : {"ger", "eng"}) {
      const std::string Folder = std::string("data/xml/lang_") + Code + "/";
      const std::string Word = Code == std::string("ger") ? "Deutsch" : "English";
      Data.Write(Folder + "UI_MainMenu_Root.xml", Layout("Menu " + Word));
      Data.Write(Folder + "UI_NationSelect.xml", Layout("Nations " + Word));
      Data.Write(Folder + "window_loadgame.xml", Window("loadgame", "Load " + Word));
      Data.Write(Folder + "window_stats.xml", Window("statistics", "Stats " + Word));
      Data.Write(Folder + "window_research.xml", Window("science", "Science " + Word));
    }
    gVirtualFileSystem = std::make_unique<TVirtualFileSystem>(Data.Path());
    TGame& G = MakeGame();
    ASSERT_TRUE(G.LoadLocalization("data\\XML\\localization.xml"));
    gMainMenuGUI->LoadUIFromXML("data\\xml\\lang_ger\\UI_MainMenu_Root.xml");
    gMainMenuGUI->AddWindowFromXML("data\\xml\\lang_ger\\window_loadgame.xml");
    gNationSelectGUI->LoadUIFromXML("data\\xml\\lang_ger\\UI_NationSelect.xml");
    gInGameGUI->AddWindowFromXML("data\\xml\\lang_ger\\window_stats.xml");
    gInGameGUI->AddWindowFromXML("data\\xml\\lang_ger\\window_research.xml");
    gInGameGUI->OpenWindow("statistics");
  }
};

TEST_F(LanguageSwitchTest, EveryWindowBaseWindowsIncludedIsAsAFirstLoadInTheNewLanguage) {
  Game->SwitchLanguage(1);
  EXPECT_EQ(CurrentLanguageCode(), "eng");
  EXPECT_EQ(TitleOf(*gMainMenuGUI->Windows[0]), "Menu English");
  EXPECT_EQ(TitleOf(*gNationSelectGUI->Windows[0]), "Nations English");
  EXPECT_EQ(gMainMenuGUI->GetWindow("loadgame")->Caption, "Load English");
  EXPECT_EQ(gInGameGUI->GetWindow("science")->Caption, "Science English");
  // Open windows open again, closed ones stay closed.
  EXPECT_TRUE(gInGameGUI->GetWindow("statistics")->Visible);
  EXPECT_FALSE(gInGameGUI->GetWindow("science")->Visible);
  // The base windows keep their hint items: hints still work after the switch.
  EXPECT_NO_THROW(gMainMenuGUI->ShowHint("a", "b"));
  EXPECT_NO_THROW(gNationSelectGUI->ShowHint("a", "b"));
  EXPECT_TRUE(Logged("Language switched"));
}

TEST_F(LanguageSwitchTest, EveryWindowStaysWhereItStandsACentredOneThePlayerMovedIncluded) {
  for (const char* Code : {"ger", "eng"})
    Data.Write(std::string("data/xml/lang_") + Code + "/window_infocenter.xml",
               R"(<window caption="Info" icon="" name="infocenter" x="0" y="0" width="400" height="300" )"
               R"(position="centered"/>)");
  gInGameGUI->ScreenWidth = 1024;
  gInGameGUI->ScreenHeight = 768;
  gInGameGUI->AddWindowFromXML("data\\xml\\lang_ger\\window_infocenter.xml");
  TGLWindow& Info = *gInGameGUI->GetWindow("infocenter");
  ASSERT_EQ(Info.X, 312.0f);  // centred by the first load
  gInGameGUI->OpenWindow("infocenter");
  Info.X = 40.0f;
  Info.Y = 500.0f;
  TGLWindow& Statistics = *gInGameGUI->GetWindow("statistics");
  Statistics.X = 600.0f;
  TGLWindow& Load = *gMainMenuGUI->GetWindow("loadgame");
  Load.Y = 321.0f;
  Game->SwitchLanguage(1);
  EXPECT_EQ(Info.X, 40.0f);
  EXPECT_EQ(Info.Y, 500.0f);
  EXPECT_TRUE(Info.Visible);
  EXPECT_EQ(Statistics.X, 600.0f);
  EXPECT_EQ(Load.Y, 321.0f);
}

TEST_F(LanguageSwitchTest, TheSameLanguageOrAMissingFileChangesNothing) {
  Game->SwitchLanguage(0);
  EXPECT_FALSE(Logged("Switching to"));
  std::filesystem::remove(Data.Path() / "data/xml/lang_eng/window_stats.xml");
  Game->SwitchLanguage(1);
  EXPECT_EQ(CurrentLanguageCode(), "ger");
  EXPECT_TRUE(Logged("window_stats.xml\" not found, the language stays"));
  EXPECT_EQ(TitleOf(*gMainMenuGUI->Windows[0]), "Menu Deutsch");
  EXPECT_EQ(gInGameGUI->GetWindow("statistics")->Caption, "Stats Deutsch");
}

TEST_F(GameTest, KeysAndClosingDependOnTheGameState) {
  gGame = std::make_unique<TGame>(Form, nullptr);
  TGame& G = *gGame;
  G.State = gsIntro;
  Form.FormKeyDown(VK_ESCAPE, 0);  // the intro ends: it fades out to the menu
  EXPECT_EQ(G.PendingState, gsMainMenu);
  EXPECT_TRUE(G.FadingOut());
  G.FrameTime = 700.0;
  G.AdvanceFade();
  EXPECT_EQ(G.State, gsMainMenu);
  Form.FormKeyDown(VK_ESCAPE, 0);  // outside the intro Escape switches nothing
  EXPECT_FALSE(G.FadingOut());
  EXPECT_EQ(G.PendingState, gsMainMenu);
  Form.FormKeyDown(VK_F10, 0);
  EXPECT_TRUE(G.ScreenshotPending);  // taken inside the next frame, before the swap

  // In a running game closing the window asks first; elsewhere it ends the program.
  gInGameGUI->AddWindow("Quit?", "", "messagedlg_quit", TVector3{0, 0, 0}, 300, 100, {}, {}, {});
  G.State = gsEarthView;
  Form.FormClose();
  EXPECT_FALSE(G.Quit);
  EXPECT_TRUE(gInGameGUI->GetWindow("messagedlg_quit")->Visible);
  EXPECT_EQ(gInGameGUI->CurrentModalWindow(), gInGameGUI->GetWindow("messagedlg_quit"));
  G.State = gsMainMenu;
  Form.FormClose();
  EXPECT_TRUE(G.Quit);
  gGame.reset();
}
