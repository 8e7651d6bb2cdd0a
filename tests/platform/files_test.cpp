#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/files.h"
#include "platform/user_folders.h"
#include "support/file_operations_swap.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

TEST(Files, BackslashNamesFindFilesInAnyLetterCase) {
  TTempFolder T;
  T.Write("data/xml/UNITS.XML", "x");
  auto P = FindOnDisk(T.Path(), "data\\XML\\units.xml");
  ASSERT_TRUE(P);
  EXPECT_EQ(*P, T.Path() / "data/xml/UNITS.XML");
  EXPECT_TRUE(IsRegularFile(P));
  EXPECT_TRUE(IsFolder(FindOnDisk(T.Path(), "DATA\\Xml")));
  EXPECT_FALSE(FindOnDisk(T.Path(), "data\\XML\\missing.xml"));
}

TEST(Files, ExactMatchWinsOverOtherCase) {
  TTempFolder T;
  T.Write("data/Units.xml", "upper");
  T.Write("data/units.xml", "lower");
  EXPECT_EQ(*FindOnDisk(T.Path(), "data\\units.xml"), T.Path() / "data/units.xml");
  EXPECT_EQ(*FindOnDisk(T.Path(), "data\\Units.xml"), T.Path() / "data/Units.xml");
  // Neither spelling: the first in sorted order.
  EXPECT_EQ(*FindOnDisk(T.Path(), "data\\UNITS.xml"), T.Path() / "data/Units.xml");
}

TEST(Files, DiskPathForKeepsMissingPartsAsWritten) {
  TTempFolder T;
  fs::create_directories(T.Path() / "Saves");
  EXPECT_EQ(DiskPathFor(T.Path(), "saves\\New\\a.xml"), T.Path() / "Saves/New/a.xml");
}

TEST(Files, ListingIsSortedFiltersByExtensionAndSkipsDotFiles) {
  TTempFolder T;
  T.Write("snd/b.ogg", "");
  T.Write("snd/A.OGG", "");
  T.Write("snd/c.wav", "");
  T.Write("snd/.hidden.ogg", "");
  fs::create_directories(T.Path() / "snd/dir.ogg");
  EXPECT_EQ(ListFolder(T.Path() / "snd", ".ogg"), (std::vector<std::string>{"A.OGG", "b.ogg"}));
  EXPECT_EQ(ListFolder(T.Path() / "snd", "").size(), 3u);
  EXPECT_TRUE(ListFolder(T.Path() / "none", ".ogg").empty());
}

TEST(Files, SafeWriteReplacesTheFileAndLeavesNoTemporary) {
  TTempFolder T;
  fs::path P = T.Write("settings.xml", "old");
  std::string Error;
  ASSERT_TRUE(SafeWriteFile(P, "new", &Error)) << Error;
  EXPECT_EQ(ReadTestFile(P), "new");
  int Count = 0;
  for (auto& E : fs::directory_iterator(T.Path())) (void)E, ++Count;
  EXPECT_EQ(Count, 1);
}

TEST(Files, FailedSafeWriteKeepsTheOldFile) {
  TTempFolder T;
  fs::path P = T.Write("highscore.xml", "old");
  // A folder where the temporary file would go makes the write fail, even for root.
  fs::path Temp = P;
  Temp += ".tmp" + std::to_string(::getpid());
  fs::create_directories(Temp / "x");
  std::string Error;
  EXPECT_FALSE(SafeWriteFile(P, "new", &Error));
  EXPECT_NE(Error.find("highscore.xml"), std::string::npos);
  EXPECT_EQ(ReadTestFile(P), "old");
}

// Files that belong together are replaced together or not at all.
TEST(Files, FilesWrittenTogetherKeepEveryOldFileWhenOneFails) {
  TTempFolder T;
  const fs::path Doc = T.Write("save.xml", "old document");
  const fs::path Side = T.Write("save.name", "old side");
  const std::string Pid = std::to_string(::getpid());
  const auto Listed = [&] {
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(T.Path())) Names.push_back(E.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
  };

  // The second file cannot be written: the first is not replaced either.
  fs::create_directories(T.Path() / ("save.name.tmp" + Pid) / "x");
  const TFileToWrite Files[] = {{Doc, "new document"}, {Side, "new side"}};
  std::string Error;
  EXPECT_FALSE(SafeWriteFiles(Files, &Error));
  EXPECT_NE(Error.find("save.name"), std::string::npos) << Error;
  EXPECT_EQ(ReadTestFile(Doc), "old document");
  EXPECT_EQ(ReadTestFile(Side), "old side");
  fs::remove_all(T.Path() / ("save.name.tmp" + Pid));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"save.name", "save.xml"}));

  // The second cannot replace its target after the first was renamed: the first gets its old
  // content back, and nothing temporary is left.
  const fs::path Blocked = T.Path() / "blocked.name";
  fs::create_directories(Blocked / "x");
  const TFileToWrite Again[] = {{Doc, "new document"}, {Blocked, "new side"}};
  EXPECT_FALSE(SafeWriteFiles(Again, &Error));
  EXPECT_NE(Error.find("blocked.name"), std::string::npos) << Error;
  EXPECT_EQ(ReadTestFile(Doc), "old document");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"blocked.name", "save.name", "save.xml"}));
  // A first file that did not exist before goes again.
  const TFileToWrite Fresh[] = {{T.Path() / "fresh.xml", "new"}, {Blocked, "new side"}};
  EXPECT_FALSE(SafeWriteFiles(Fresh, &Error));
  EXPECT_FALSE(fs::exists(T.Path() / "fresh.xml"));

  ASSERT_TRUE(SafeWriteFiles(Files, &Error)) << Error;
  EXPECT_EQ(ReadTestFile(Doc), "new document");
  EXPECT_EQ(ReadTestFile(Side), "new side");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"blocked.name", "save.name", "save.xml"}));
}

// A file system without hard links (vfat, exFAT, many network mounts): the backup of a replaced
// file is a copy, so a rename refused after the first file was replaced still leaves the old
// document and its side file as they were; where not even a copy can be made nothing is replaced.
TEST(Files, FilesWrittenTogetherKeepTheOldFilesWithoutHardLinks) {
  TTempFolder T;
  const fs::path Doc = T.Write("save.xml", "old document");
  const fs::path Side = T.Write("save.name", "old side");
  int Renames = 0;
  TFileOperations NoLinks;
  NoLinks.Link = [](const char*, const char*) {
    errno = EPERM;
    return -1;
  };
  NoLinks.Rename = [&](const char* From, const char* To) {
    if (++Renames == 2) {
      errno = EIO;
      return -1;
    }
    return ::rename(From, To);
  };
  const TFileOperationsSwap Swap(NoLinks);
  const TFileToWrite Files[] = {{Doc, "new document"}, {Side, "new side"}};
  std::string Error;
  EXPECT_FALSE(SafeWriteFiles(Files, &Error));
  EXPECT_NE(Error.find("Cannot replace \"" + Side.string() + "\""), std::string::npos) << Error;
  EXPECT_EQ(ReadTestFile(Doc), "old document");
  EXPECT_EQ(ReadTestFile(Side), "old side");
  std::vector<std::string> Names;
  for (const auto& E : fs::directory_iterator(T.Path())) Names.push_back(E.path().filename().string());
  std::sort(Names.begin(), Names.end());
  EXPECT_EQ(Names, (std::vector<std::string>{"save.name", "save.xml"}));

  // Without links the write goes through all the same.
  Renames = 10;
  ASSERT_TRUE(SafeWriteFiles(Files, &Error)) << Error;
  EXPECT_EQ(ReadTestFile(Doc), "new document");
  EXPECT_EQ(ReadTestFile(Side), "new side");

  // Not even a copy can be made (a folder stands where it would go, which stops root too): the
  // backups come before the first rename, so neither file is replaced.
  fs::create_directories(T.Path() / ("save.name.old.tmp" + std::to_string(::getpid())) / "x");
  const TFileToWrite Again[] = {{Doc, "third document"}, {Side, "third side"}};
  EXPECT_FALSE(SafeWriteFiles(Again, &Error));
  EXPECT_NE(Error.find("Cannot back up \"" + Side.string() + "\""), std::string::npos) << Error;
  EXPECT_EQ(ReadTestFile(Doc), "new document");
  EXPECT_EQ(ReadTestFile(Side), "new side");
}

// A save killed mid-write leaves "<file>.tmp<pid>"; only such files of finished processes (and
// of the game's own targets) are stale.
TEST(Files, StaleTemporaryFilesOfTheGamesOwnNamingAreRemoved) {
  TTempFolder T;
  // A pid far above any the kernel hands out (pid_max is at most 4194304) runs no process.
  T.Write("savegame2.xml.tmp99999999", "half");
  T.Write("savegame2.name.tmp99999999", "half");
  T.Write("savegame2.xml.old.tmp99999999", "old");
  T.Write("savegame3.xml.tmp" + std::to_string(::getpid()), "half");
  // Another running process (our parent) may still be writing; other names are not ours.
  T.Write("savegame4.xml.tmp" + std::to_string(::getppid()), "busy");
  T.Write("notes.txt.tmp99999999", "user");
  T.Write("savegame5.xml.tmp", "user");
  T.Write("savegame6.xml.tmpx1", "user");
  // Numbers no process can have were not written by a game: 0, and numbers beyond a pid's range
  // (this one would wrap to the free pid 99999999, the next one past every integer type).
  T.Write("savegame7.xml.tmp0", "user");
  T.Write("savegame8.xml.tmp4394967295", "user");
  T.Write("savegame9.xml.tmp99999999999999999999999", "user");
  T.Write("savegame2.xml", "kept");
  EXPECT_EQ(RemoveStaleTemporaryFiles(T.Path(), {".xml", ".name"}), 4);
  std::vector<std::string> Left;
  for (const auto& E : fs::directory_iterator(T.Path())) Left.push_back(E.path().filename().string());
  std::sort(Left.begin(), Left.end());
  EXPECT_EQ(Left, (std::vector<std::string>{"notes.txt.tmp99999999", "savegame2.xml",
                                            "savegame4.xml.tmp" + std::to_string(::getppid()), "savegame5.xml.tmp",
                                            "savegame6.xml.tmpx1", "savegame7.xml.tmp0", "savegame8.xml.tmp4394967295",
                                            "savegame9.xml.tmp99999999999999999999999"}));
}

TEST(Files, DocumentsFolderFollowsXdg) {
  TTempFolder T;
  std::string OldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", T.Path().c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("XDG_DOCUMENTS_DIR", "/somewhere/Docs", 1);
  EXPECT_EQ(DocumentsFolder(), fs::path("/somewhere/Docs"));
  ::unsetenv("XDG_DOCUMENTS_DIR");
  EXPECT_EQ(DocumentsFolder(), T.Path() / "Documents");
  T.Write(".config/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  EXPECT_EQ(DocumentsFolder(), T.Path() / "Dokumente");
  ::setenv("HOME", OldHome.c_str(), 1);
}
