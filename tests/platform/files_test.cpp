#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/files.h"
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
