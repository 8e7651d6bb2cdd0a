#include "presentation/windows/options_panel.h"

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/music_player.h"
#include "engine/sound_system.h"
#include "gui/check_box.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "platform/text_format.h"

namespace {

TGLWindow& MenuBase() { return *gMainMenuGUI->Windows[0]; }

// A track bar's position as a fraction of its maximum; an empty range is silence.
float Fraction(const char* ID) {
  const TGLTrackBar& Bar = MenuBase().GetItem<TGLTrackBar>(ID);
  if (Bar.Max <= 0) return 0.0f;
  return static_cast<float>(Bar.Progress) / static_cast<float>(Bar.Max);
}

}  // namespace

void MainMenu_Render(TGame& Game) {
  if (gMusicPlayer) gMusicPlayer->SetVolume(Fraction("options_trackbar_music"));
  if (gSoundSystem) {
    gSoundSystem->Volume = Fraction("options_trackbar_soundfx");
    gSoundSystem->Enabled = MenuBase().GetItem<TGLCheckbox>("options_checkbox_soundfx").Checked;
  }
  Game.ApplyOptionsToSettings();
  MenuBase().GetItem<TGLText>("options_label_autosaveinterval").Text =
      FormatText(Localize("szStrAutoSaveInterval"), {std::to_string(gSettings.AutosaveInterval)});
}

void RegisterOptionsPanel(TGame& Game) {
  if (!gMainMenuGUI || gMainMenuGUI->Windows.empty()) return;
  TGLWindow& Base = MenuBase();
  bool HasOptions = false;
  for (auto& Item : Base.Items) HasOptions = HasOptions || Item->ID == "options_listbox_reslist";
  if (!HasOptions) return;
  TGame* G = &Game;
  Base.OnRender = [G] { MainMenu_Render(*G); };
}
