// F10 screenshots: numbered from the count of PNG files, never over an existing file.
#include <gtest/gtest.h>

#include <filesystem>

#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/constants.h"
#include "support/gl_environment.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

TEST(ScreenshotGL, TheNumberFollowsTheCountAndSkipsNamesTaken) {
  REQUIRE_GL_CONTEXT();
  TLogCapture Log;
  TTempFolder Shots;
  const std::string Saved = gScreenshotPath;
  gScreenshotPath = Shots.Path().string() + "/";
  TTarnovaForm Form{{"tarnova"}};
  TGame Game(Form, nullptr);
  // Three pictures with screenshot2 deleted from the series: the count names screenshot3,
  // which exists, so the next free number is taken.
  for (const char* Name : {"screenshot0.png", "screenshot1.png", "screenshot3.png"}) Shots.Write(Name, "keep");
  Shots.Write("notes.txt", "not a picture");
  const std::string File = Game.WriteScreenShot();
  EXPECT_EQ(std::filesystem::path(File).filename(), "screenshot4.png");
  EXPECT_EQ(ReadTestFile(Shots.Path() / "screenshot3.png"), "keep");
  EXPECT_EQ(Log.Lines().back(), "TGame->SaveScreenShot->Screenshot saved to \"" + File + "\"");
  EXPECT_EQ(std::filesystem::path(Game.WriteScreenShot()).filename(), "screenshot5.png");
  gScreenshotPath = Saved;
}
