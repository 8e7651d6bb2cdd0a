// Where the user's files go: settings, high scores and the log share one folder rule, and
// XDG_CONFIG_HOME has one reading, for the game's folder and for the documents folder alike.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/user_folders.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// A temporary HOME without XDG variables and a program folder of the test's own; the previous
// values come back at the end.
class UserFolders : public ::testing::Test {
protected:
  TTempFolder Home;
  TTempFolder Program;

  void SetUp() override {
    for (const char* Name : {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"}) {
      const char* V = std::getenv(Name);
      Saved.emplace_back(Name, V ? std::optional<std::string>(V) : std::nullopt);
      ::unsetenv(Name);
    }
    ::setenv("HOME", Home.Path().c_str(), 1);
    SavedProgram = ProgramFolder();
    SetProgramFolder(Program.Path());
  }
  void TearDown() override {
    SetProgramFolder(SavedProgram);
    for (const auto& [Name, V] : Saved)
      if (V) ::setenv(Name.c_str(), V->c_str(), 1);
      else ::unsetenv(Name.c_str());
  }

private:
  std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
  fs::path SavedProgram;
};

}  // namespace

TEST_F(UserFolders, AWritableProgramFolderTakesTheUsersFiles) {
  EXPECT_EQ(UserFileFolder(), Program.Path());
  EXPECT_FALSE(fs::exists(Home.Path() / ".config"));  // nothing made where nothing goes
}

TEST_F(UserFolders, AProgramFolderThatCannotBeWrittenSendsThemToTheConfigurationFolder) {
  // A program folder that is not there fails for every user, root included.
  SetProgramFolder(Program.Path() / "missing");
  EXPECT_EQ(UserFileFolder(), Home.Path() / ".config" / "tarnova");
  EXPECT_TRUE(fs::is_directory(Home.Path() / ".config" / "tarnova"));
  EXPECT_EQ(UserFallbackFolder(), Home.Path() / ".config" / "tarnova");

  // A read-only one, where the mode bits bind this user.
  SetProgramFolder(Program.Path());
  fs::permissions(Program.Path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (::access(Program.Path().c_str(), W_OK) != 0) {
    EXPECT_EQ(UserFileFolder(), Home.Path() / ".config" / "tarnova");
  }
  fs::permissions(Program.Path(), fs::perms::owner_write, fs::perm_options::add);

  // XDG_CONFIG_HOME moves the folder when it is an absolute path; a relative one is ignored.
  SetProgramFolder(Program.Path() / "missing");
  TTempFolder Config;
  ::setenv("XDG_CONFIG_HOME", Config.Path().c_str(), 1);
  EXPECT_EQ(UserConfigFolder(), Config.Path() / "tarnova");
  EXPECT_EQ(UserFileFolder(), Config.Path() / "tarnova");
  EXPECT_EQ(UserFallbackFolder(), Config.Path() / "tarnova");
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
  EXPECT_EQ(UserConfigFolder(), Home.Path() / ".config" / "tarnova");
  ::setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(UserConfigFolder(), Home.Path() / ".config" / "tarnova");
}

TEST_F(UserFolders, TheFallbackIsEmptyWhenTheConfigurationFolderCannotBeMade) {
  Home.Write(".config", "a file where the folder should be");
  EXPECT_EQ(UserFallbackFolder(), fs::path());
}

TEST_F(UserFolders, TheDocumentsFolderReadsTheSameConfigurationHome) {
  EXPECT_EQ(DocumentsFolder(), Home.Path() / "Documents");
  ::setenv("XDG_DOCUMENTS_DIR", "$HOME/Papers", 1);
  EXPECT_EQ(DocumentsFolder(), Home.Path() / "Papers");
  ::unsetenv("XDG_DOCUMENTS_DIR");

  // user-dirs.dirs is read from the configuration home that XDG_CONFIG_HOME names, under the same
  // rule as the game's own folder: a relative XDG_CONFIG_HOME falls back to ~/.config.
  TTempFolder Config;
  Config.Write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  Home.Write(".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/elsewhere/Docs\"\n");
  ::setenv("XDG_CONFIG_HOME", Config.Path().c_str(), 1);
  EXPECT_EQ(DocumentsFolder(), Home.Path() / "Dokumente");
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
  EXPECT_EQ(DocumentsFolder(), fs::path("/elsewhere/Docs"));
}

TEST(UserDirs, TheDocumentsLineNamesAFolderUnderHomeOrAnAbsoluteOneOnly) {
  const fs::path Home = "/home/ada";
  EXPECT_EQ(DocumentsFolderFromUserDirs("# comment\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", Home),
            Home / "Docs");
  EXPECT_EQ(DocumentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=/srv/docs", Home), fs::path("/srv/docs"));
  EXPECT_EQ(DocumentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=\"$HOME\"", Home), Home / "");
  // A relative value would put the savegames under the working folder: the next line counts.
  EXPECT_EQ(DocumentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=\"Docs\"\nXDG_DOCUMENTS_DIR=\"$HOME/Later\"", Home),
            Home / "Later");
  EXPECT_EQ(DocumentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=\"\"\nXDG_DOCUMENTS_DIR=relative", Home), fs::path());
  EXPECT_EQ(DocumentsFolderFromUserDirs("", Home), fs::path());
}
