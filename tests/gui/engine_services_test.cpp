// The toolkit on the engine's own single instances: the GUI font's widths file, the sound system
// and the texture manager, without a GL context.
#include <gtest/gtest.h>

#include "engine/engine_globals.h"
#include "engine/sound_system.h"
#include "engine/streams.h"
#include "engine/tex_font.h"
#include "gui/drop_down.h"
#include "gui/gui_globals.h"
#include "gui/memo.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "platform/errors.h"
#include "support/recording_sound_backend.h"
#include "support/texture_fixture.h"

namespace {
class EngineServicesTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Every glyph 3 units wide (1.5 x 8 / 6, plus 1 of spacing): "abcd" is 12 units.
    std::string Widths(256, char(0));
    for (int C = 32; C < 256; ++C) Widths[static_cast<std::size_t>(C)] = 8;
    TMemoryStream S(Widths);
    SavedFont = std::move(gGUIFont);
    gGUIFont = std::make_unique<TTexFont>(S, 6.0f);
    gMouseX = gMouseY = 0;
  }
  void TearDown() override { gGUIFont = std::move(SavedFont); }
  std::unique_ptr<TTexFont> SavedFont;
};
}  // namespace

TEST_F(EngineServicesTest, WidthsComeFromTheGUIFont) {
  ASSERT_FLOAT_EQ(gGUIFont->TextWidth("abcd"), 12.0f);
  TGLText T;
  T.Text = "abcde";
  EXPECT_EQ(T.GetWidth(), 15);
  TGLMemo M;
  M.Width = 35 + 12;  // four characters a line
  M.SetLines({"ab cd ef"}, true);
  EXPECT_EQ(M.Lines, (std::vector<std::string>{"ab", "cd", "ef"}));
}

TEST_F(EngineServicesTest, DropDownArrowPlaysThroughTheSoundSystem) {
  auto Backend = std::make_shared<TRecordingSoundBackend>();
  auto Saved = std::move(gSoundSystem);
  gSoundSystem = std::make_unique<TSoundSystem>(false, [](const std::string&, bool) {}, Backend);
  gSoundSystem->AddSoundFromStream(TMemoryStream(std::string("tick")), "dropdown");
  gSoundSystem->Enabled = true;
  TGLDropDown D;
  D.Width = 100;
  D.Height = 30;
  gMouseX = 90;
  gMouseY = 10;
  D.Click();
  EXPECT_TRUE(D.Open);
  EXPECT_EQ(Backend->CallsStartingWith("PlaySound").size(), 1u);
  EXPECT_NE(Backend->CallsStartingWith("PlaySound")[0].find("loop=0"), std::string::npos);
  gSoundSystem.reset();
  D.Click();  // without a sound system the list still folds
  EXPECT_FALSE(D.Open);
  gSoundSystem = std::move(Saved);
}

TEST_F(EngineServicesTest, SkinnedControlNeedsARegisteredPicture) {
  TTextureManagerSwap Swap;
  EXPECT_THROW(TGLSkinnedControl(TVector3{0, 0, 0}, 10, 10, "gui_nowhere", "", "left", "top", 1024, 768),
               ETarnovaError);
}
