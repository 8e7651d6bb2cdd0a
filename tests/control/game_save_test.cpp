// Savegames of the running game: the round trip, refused files, side files, numbering and the
// crash-recovery save.
#include <gtest/gtest.h>

#include <filesystem>
#include <clocale>
#include <cstdint>
#include <optional>
#include <fstream>
#include <locale.h>
#include <unistd.h>

#include "control/control_globals.h"
#include "control/game_save.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "engine/localization.h"
#include "world/round_messages.h"
#include "save_fixture.h"
#include "support/environment_swap.h"
#include "world_round.h"

namespace fs = std::filesystem;

namespace {

std::string FileText(const fs::path& File) { return ReadWholeFile(File).value_or("<missing>"); }

void Replace(std::string& Text, const std::string& From, const std::string& To) {
  const std::size_t At = Text.find(From);
  ASSERT_NE(At, std::string::npos) << From;
  Text.replace(At, From.size(), To);
}

class GameSave : public TSaveTest {
protected:
  // Rounds with every nation played by its computer opponent, as the game runs them.
  static void Play(int Rounds) {
    for (int R = 0; R < Rounds; ++R) PlayWorldRound([] { gStatisticServer->Update(); });
  }
  // How many of nation 0's news say that the game was saved.
  int AutosaveNews() {
    const std::string News = Localize("szStrNewsAutoSave");
    int N = 0;
    for (const TRoundMessage& M : Nation(0).Messages.Messages) N += M.Kind == 3 && M.Text == News && M.Region == -1;
    return N;
  }
};

}  // namespace

TEST_F(GameSave, ALoadedGameSavesTheSameBytesAndPlaysOnExactlyAsTheUnbrokenGame) {
  Nation(0).AIControlled = true;
  Game->HotSeat = true;
  Game->CurrentPlayer = 3;
  Game->RoundTimeLeft = 42;
  Game->DefaultRoundTime = 120;
  gInGameGUI->OpenWindow("science");
  gInGameGUI->GetWindow("science")->X = 77.0f;
  Play(12);
  const fs::path File = SaveFile("savegame2.xml");
  ASSERT_TRUE(Game->SaveToXML(File.string(), "Round twelve"));
  const std::string Saved = Comparable(SaveText());

  SetRandomSeed(99);
  Play(10);
  const std::string Unbroken = Comparable(SaveText());
  ASSERT_NE(Unbroken, Saved);

  // Disturb what the load must restore.
  Game->HotSeat = false;
  Game->CurrentPlayer = 0;
  Game->RoundTimer.SetEnabled(false);
  Game->Earth->Zoom = 1.3f;
  gInGameGUI->HideAllWindows();
  ASSERT_TRUE(Game->LoadFromXML(File.string()));
  EXPECT_EQ(Comparable(SaveText()), Saved);
  EXPECT_TRUE(Game->HotSeat);
  EXPECT_EQ(Game->CurrentPlayer, 3);
  EXPECT_EQ(Game->RoundTimeLeft, 42);
  EXPECT_TRUE(Game->RoundTimer.Enabled());
  EXPECT_EQ(Game->OverlayAlpha, 1.0f);
  EXPECT_TRUE(gInGameGUI->GetWindow("science")->Visible);
  EXPECT_FALSE(gInGameGUI->GetWindow("savegame")->Visible);

  SetRandomSeed(99);
  Play(10);
  EXPECT_EQ(Comparable(SaveText()), Unbroken);

  // The side file beside it, and a single-player load stops the turn timer.
  const std::optional<TSideFile> Side = ReadSideFile(SaveFile("savegame2.name"));
  ASSERT_TRUE(Side);
  EXPECT_EQ(Side->SaveName, "Round twelve");
  EXPECT_EQ(Side->Mode, "hotseat");
  EXPECT_FALSE(Side->Date.empty());
  Game->HotSeat = false;
  ASSERT_TRUE(Game->SaveToXML(SaveFile("autosave.xml").string(), "Autosave"));
  ASSERT_TRUE(Game->LoadFromXML(SaveFile("autosave.xml").string()));
  EXPECT_FALSE(Game->RoundTimer.Enabled());
  EXPECT_EQ(ReadSideFile(SaveFile("autosave.name"))->Mode, "singleplayer");
}

TEST_F(GameSave, ALoadedGameIsEnteredOnTheGlobeAtOnce) {
  const fs::path File = SaveFile("savegame1.xml");
  ASSERT_TRUE(Game->SaveToXML(File.string(), "Start"));
  Game->State = Game->PendingState = gsMainMenu;
  Game->GameRunning = false;
  ASSERT_TRUE(Game->LoadFromXML(File.string()));
  EXPECT_EQ(Game->State, gsMainMenu);  // loading alone changes no state
  Game->EnterLoadedGame();
  EXPECT_EQ(Game->State, gsEarthView);
  EXPECT_EQ(Game->PendingState, gsEarthView);
  EXPECT_TRUE(Game->GameRunning);
  EXPECT_FALSE(Game->FadingOut());
}

TEST_F(GameSave, ADamagedSavegameIsRefusedNamingFileAndValueAndTheGameStaysAsItWas) {
  Play(2);
  const fs::path File = SaveFile("savegame2.xml");
  ASSERT_TRUE(Game->SaveToXML(File.string(), "Good"));
  const std::string Good = FileText(File);
  Play(1);
  const std::string Before = Comparable(SaveText(), true);
  const std::uint8_t PlayerBefore = gPlayerNation;

  struct TDamage {
    const char* What;
    std::function<void(std::string&)> Apply;
    const char* Named;  // a part of the message naming what is wrong
  };
  std::string Deep;
  for (int i = 0; i < 100000; ++i) Deep += "<a>";
  const std::vector<TDamage> Damages = {
      {"empty", [](std::string& T) { T.clear(); }, "savegame2.xml"},
      {"truncated", [](std::string& T) { T.resize(T.size() * 2 / 3); }, "savegame2.xml"},
      {"binary", [](std::string& T) { T = std::string("\x89PNG\r\n\x1a\n\0\0\0", 11); }, "savegame2.xml"},
      {"deep nesting", [&](std::string& T) { T = "<savestate>" + Deep; }, "savegame2.xml"},
      {"player nation 7", [](std::string& T) { Replace(T, "playernation=\"0\"", "playernation=\"7\""); }, "\"7\""},
      {"current player out of range",
       [](std::string& T) { Replace(T, "gamemode=\"singleplayer\"", "gamemode=\"hotseat\"><hotseatinfo currentplayer=\"9\" roundtime=\"1\" defaultroundtime=\"1\"/"); },
       "\"9\""},
      {"fewer regions",
       [](std::string& T) {
         const std::size_t Last = T.rfind("<region name="), End = T.find("</regions>");
         T.erase(Last, End - Last);
       },
       "4 region elements, expected 5"},
      {"ai difficulty", [](std::string& T) { Replace(T, "aidifficulty=\"1\"", "aidifficulty=\"99999\""); }, "99999"},
      {"ai personality", [](std::string& T) { Replace(T, "aipersonality=\"", "aipersonality=\"-"); }, "aipersonality"},
      {"quick chart",
       [](std::string& T) {
         const std::size_t At = T.find("<quickchart>");
         ASSERT_NE(At, std::string::npos);
         std::string Chart = T.substr(At);
         Replace(Chart, "<stat value=\"4\"", "<stat value=\"5\"");
         T = T.substr(0, At) + Chart;
       },
       "\"5\""},
      {"huge count", [](std::string& T) { Replace(T, "<units count=\"", "<units count=\"2147483647"); }, "2147483647"},
      {"missing earth", [](std::string& T) { Replace(T, "<earth ", "<erde "); }, "<earth>"},
  };
  for (const TDamage& D : Damages) {
    SCOPED_TRACE(D.What);
    std::string Text = Good;
    D.Apply(Text);
    ASSERT_TRUE(SafeWriteFile(File, Text));
    CloseMessageBox(*gInGameGUI);
    EXPECT_FALSE(Game->LoadFromXML(File.string()));
    EXPECT_EQ(Comparable(SaveText(), true), Before);
    EXPECT_EQ(gPlayerNation, PlayerBefore);
    EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
    const std::string Message = LogLine("The savegame cannot be loaded");
    EXPECT_NE(Message.find("savegame2.xml"), std::string::npos) << Message;
    EXPECT_NE(Message.find(D.Named), std::string::npos) << Message;
  }
}

// The root's attributes are not read: a save that names another version of the game, or none,
// loads as any other.
TEST_F(GameSave, TheVersionASaveNamesIsNotTested) {
  Play(2);
  const fs::path File = SaveFile("savegame2.xml");
  ASSERT_TRUE(Game->SaveToXML(File.string(), "Good"));
  const std::string Good = FileText(File);
  const std::string Saved = Comparable(SaveText(), true);
  for (const std::string& Version : {std::string("gameversion=\"Tarnova - Phase 1 (v1.02)\" "), std::string()}) {
    SCOPED_TRACE(Version);
    std::string Text = Good;
    Replace(Text, "gameversion=\"Tarnova - Phase 1 (v1.11)\" ", Version);
    ASSERT_TRUE(SafeWriteFile(File, Text));
    Play(1);
    ASSERT_TRUE(Game->LoadFromXML(File.string()));
    EXPECT_FALSE(MessageBoxOpen(*gInGameGUI));
    EXPECT_EQ(Comparable(SaveText(), true), Saved);
  }
}

// A selection of nothing written as -2 (the pick's code for no region under the mouse) loads as
// no selection.
TEST_F(GameSave, ASelectionOfNothingByAStationClickSavesAndLoads) {
  const fs::path File = SaveFile("savegame2.xml");
  gSelectedRegion = -2;
  ASSERT_TRUE(Game->SaveToXML(File.string(), "Missed"));
  EXPECT_NE(FileText(File).find("activeregion=\"-2\""), std::string::npos);
  Game->SelectRegion(1);
  ASSERT_TRUE(Game->LoadFromXML(File.string()));
  EXPECT_LT(gSelectedRegion, 0);
}

TEST_F(GameSave, AFailedSaveLeavesTheOldFilesAndSaysSo) {
  const fs::path File = SaveFile("savegame2.xml");
  ASSERT_TRUE(Game->SaveToXML(File.string(), "First"));
  const std::string Document = FileText(File), Side = FileText(SaveFile("savegame2.name"));
  // The side file cannot be replaced (a folder of that name): the new save is refused and the
  // old document is kept because the document of a new save is removed again.
  fs::remove(SaveFile("savegame3.name"));
  fs::create_directory(SaveFile("savegame3.name"));
  EXPECT_FALSE(Game->SaveToXML(SaveFile("savegame3.xml").string(), "Second"));
  EXPECT_FALSE(fs::exists(SaveFile("savegame3.xml")));
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  EXPECT_NE(LogLine("The game could not be saved").find("savegame3.xml"), std::string::npos);
  // A folder that cannot be written to.
  CloseMessageBox(*gInGameGUI);
  fs::permissions(Saves.Path(), fs::perms::owner_write, fs::perm_options::remove);
  const bool Refused = !Game->SaveToXML(File.string(), "Overwritten");
  fs::permissions(Saves.Path(), fs::perms::owner_write, fs::perm_options::add);
  if (Refused) {  // root may write anyway
    EXPECT_EQ(FileText(File), Document);
    EXPECT_EQ(FileText(SaveFile("savegame2.name")), Side);
    EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  }
}

// Overwriting a save whose side file fails after the document was written whole: the old
// document stays beside its old side file, and no temporary file is left.
TEST_F(GameSave, AnOverwriteWhoseSideFileFailsKeepsTheOldPair) {
  const fs::path File = SaveFile("savegame2.xml");
  ASSERT_TRUE(Game->SaveToXML(File.string(), "First"));
  const std::string Document = FileText(File), Side = FileText(SaveFile("savegame2.name"));
  Play(1);
  const fs::path SideTemp = SaveFile("savegame2.name.tmp" + std::to_string(::getpid()));
  fs::create_directories(SideTemp / "x");
  EXPECT_FALSE(Game->SaveToXML(File.string(), "Second"));
  fs::remove_all(SideTemp);
  EXPECT_EQ(FileText(File), Document);
  EXPECT_EQ(FileText(SaveFile("savegame2.name")), Side);
  EXPECT_EQ(ListFolder(Saves.Path(), "").size(), 2u);
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
}

TEST_F(GameSave, SideFilesAndNumbersOfNewSaves) {
  Saves.Write("a.name", "Mine\r\nhotseat\r\n1.1.26\r\n10:00:00\r\n");
  Saves.Write("b.name", "Only the name\n");
  Saves.Write("c.name", "");
  Saves.Write("d.name", "No end\nsingleplayer");
  const auto A = ReadSideFile(SaveFile("a.name"));
  ASSERT_TRUE(A);
  EXPECT_EQ(A->SaveName, "Mine");
  EXPECT_EQ(A->Mode, "hotseat");
  EXPECT_EQ(A->Time, "10:00:00");
  EXPECT_FALSE(ReadSideFile(SaveFile("b.name")));
  EXPECT_FALSE(ReadSideFile(SaveFile("c.name")));
  EXPECT_FALSE(ReadSideFile(SaveFile("missing.name")));
  EXPECT_EQ(ReadSideFile(SaveFile("d.name"))->Mode, "singleplayer");

  // The first number from 2 whose savegame and side file are both free.
  EXPECT_EQ(NextFreeSaveGame(Saves.Path()), SaveFile("savegame2.xml"));
  Saves.Write("savegame2.xml", "");
  Saves.Write("savegame3.name", "");
  Saves.Write("savegame5.xml", "");
  EXPECT_EQ(NextFreeSaveGame(Saves.Path()), SaveFile("savegame4.xml"));
}

TEST_F(GameSave, ACrashDuringAGameIsSavedOnceUnderAFreeNumberWithoutTouchingOtherSaves) {
  std::vector<std::string> Dialogs;
  TMessageBoxHook Saved = SetMessageBoxHook([&](const std::string&, const std::string& T) { Dialogs.push_back(T); });
  gGame = std::move(Game);
  // A manual save and the autosave: a count of files would choose savegame3.
  ASSERT_TRUE(gGame->SaveToXML(SaveFile("savegame3.xml").string(), "Mine"));
  ASSERT_TRUE(gGame->SaveToXML(SaveFile("autosave.xml").string(), "Autosave"));
  const std::string Mine = FileText(SaveFile("savegame3.xml"));
  const std::runtime_error Fault("boom");
  Form.ApplicationEventsException(&Fault);
  Form.ApplicationEventsException(&Fault);
  Game = std::move(gGame);
  SetMessageBoxHook(std::move(Saved));

  EXPECT_EQ(FileText(SaveFile("savegame3.xml")), Mine);
  const auto Crash = ReadSideFile(SaveFile("savegame2.name"));
  ASSERT_TRUE(Crash);
  EXPECT_EQ(Crash->SaveName.rfind("Crash recovery ", 0), 0u) << Crash->SaveName;
  EXPECT_FALSE(fs::exists(SaveFile("savegame4.xml")));
  ASSERT_EQ(Dialogs.size(), 1u);
  EXPECT_NE(Dialogs[0].find("Note : Your current game has been saved as \"" + Crash->SaveName + "\""), std::string::npos);
  EXPECT_TRUE(Game->LoadFromXML(SaveFile("savegame2.xml").string()));
}

// The save's date and time follow the user's LC_TIME without changing the process locale, which
// every number the game formats depends on; whatever was saved before under another setting.
TEST(SaveTimeText, FollowsTheUsersTimeFormatWithoutTouchingTheProcessLocale) {
  const TEnvironmentSwap All("LC_ALL", nullptr);
  std::optional<TEnvironmentSwap> Time(std::in_place, "LC_TIME", "C");
  const std::string Plain = ShortDateText();  // "12/31/26"
  Time.reset();
  Time.emplace("LC_TIME", "de_DE.UTF-8");
  const std::string Before = std::setlocale(LC_TIME, nullptr);
  const std::string Date = ShortDateText();
  EXPECT_FALSE(LongTimeText().empty());
  EXPECT_EQ(std::setlocale(LC_TIME, nullptr), Before);
  if (const locale_t German = newlocale(LC_TIME_MASK, "de_DE.UTF-8", static_cast<locale_t>(0))) {
    freelocale(German);
    EXPECT_NE(Date.find('.'), std::string::npos) << Date;  // "31.12.2026", not "12/31/26"
    EXPECT_NE(Plain.find('/'), std::string::npos) << Plain;
  }
}

TEST_F(GameSave, EveryIntervalthRoundAutosavesBesideThePlayersSavesWithItsNews) {
  gPlayerNation = 0;
  ASSERT_TRUE(Game->SaveToXML(SaveFile("savegame2.xml").string(), "Mine"));
  const std::string Mine = FileText(SaveFile("savegame2.xml")), MineSide = FileText(SaveFile("savegame2.name"));
  gSettings.AutosaveEnabled = true;
  gSettings.AutosaveInterval = 3;
  gSettings.AutosaveCountdown = 3;
  const auto Start = gCurrentTurn;
  std::string First;
  for (int Round = 1; Round <= 7; ++Round) {
    SCOPED_TRACE("round " + std::to_string(Round));
    Game->NextRound();
    const bool Due = Round % 3 == 0;
    EXPECT_EQ(AutosaveNews(), Due ? 1 : 0);
    if (Round < 3) {
      EXPECT_FALSE(fs::exists(SaveFile("autosave.xml")));
    }
    if (Round == 3) {
      ASSERT_TRUE(fs::exists(SaveFile("autosave.xml")));
      First = FileText(SaveFile("autosave.xml"));
      const auto Side = ReadSideFile(SaveFile("autosave.name"));
      ASSERT_TRUE(Side);
      EXPECT_EQ(Side->SaveName, "Autosave");
      EXPECT_EQ(Side->Mode, "singleplayer");
    }
    if (Round == 4) {
      EXPECT_EQ(FileText(SaveFile("autosave.xml")), First);  // not due: left alone
    }
    if (Round == 6) {
      EXPECT_NE(FileText(SaveFile("autosave.xml")), First);  // due again: the new one in its place
    }
    // The player's own save is never touched, and no other file appears.
    EXPECT_EQ(FileText(SaveFile("savegame2.xml")), Mine);
    EXPECT_EQ(FileText(SaveFile("savegame2.name")), MineSide);
    EXPECT_EQ(std::distance(fs::directory_iterator(Saves.Path()), fs::directory_iterator()), Round < 3 ? 2 : 4);
  }
  // Written straight after the world round, before the round's counter moves on: loading the
  // save of the sixth round gives the counter as the round found it.
  const auto After = gCurrentTurn;
  EXPECT_EQ(After, Start + 7);
  ASSERT_TRUE(Game->LoadFromXML(SaveFile("autosave.xml").string()));
  EXPECT_EQ(gCurrentTurn, Start + 5);
  EXPECT_EQ(gSettings.AutosaveCountdown, 3);
}

// The round that ends the game is saved as any other; a save that fails is reported in its
// message box and leaves no news that it was saved.
TEST_F(GameSave, TheRoundThatEndsTheGameAutosavesAndAFailedAutosaveLeavesNoNews) {
  gPlayerNation = 0;
  gSettings.AutosaveEnabled = true;
  gSettings.AutosaveInterval = 1;
  gSettings.AutosaveCountdown = 1;
  // The folder cannot take the file: a folder stands under its name.
  fs::create_directory(SaveFile("autosave.xml"));
  Saves.Write("autosave.xml/inside", "x");
  Game->NextRound();
  EXPECT_EQ(AutosaveNews(), 0);
  EXPECT_EQ(gSettings.AutosaveCountdown, 1);
  EXPECT_TRUE(MessageBoxOpen(*gInGameGUI));
  EXPECT_FALSE(fs::exists(SaveFile("autosave.name")));
  fs::remove_all(SaveFile("autosave.xml"));

  // Every other nation's regions go to the player: this round wins the game, and is saved.
  for (auto& R : gRegions) R->Owner = 0;
  Game->NextRound();
  EXPECT_FALSE(Game->GameRunning);
  EXPECT_EQ(AutosaveNews(), 1);
  ASSERT_TRUE(fs::exists(SaveFile("autosave.xml")));
  EXPECT_EQ(ReadSideFile(SaveFile("autosave.name"))->SaveName, "Autosave");
}

// An interval of 0 or less, as a player may write it in the settings file, never autosaves: the
// countdown goes below 0 and stays there, the lowest interval included.
TEST_F(GameSave, AnIntervalOfZeroOrLessNeverAutosaves) {
  gPlayerNation = 0;
  gSettings.AutosaveEnabled = true;
  for (const std::int32_t Interval : {0, -2, INT32_MIN}) {
    SCOPED_TRACE(Interval);
    gSettings.AutosaveInterval = Interval;
    gSettings.AutosaveCountdown = Interval;
    for (int Round = 0; Round < 2; ++Round) Game->NextRound();
    EXPECT_FALSE(fs::exists(SaveFile("autosave.xml")));
  }
  EXPECT_EQ(gSettings.AutosaveCountdown, INT32_MIN);
}
