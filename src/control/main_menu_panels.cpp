// The main menu's options and hot-seat panels and the quit dialog.
#include "control/main_menu_panels.h"

#include "control/game.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/music_player.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/track_bar.h"

namespace {

TGLWindow& MenuBase() { return *gMainMenuGUI->Windows[0]; }

bool Checked(const char* ID) { return MenuBase().GetItem<TGLCheckbox>(ID).Checked; }
std::int32_t Position(const char* ID) { return MenuBase().GetItem<TGLTrackBar>(ID).Progress; }

void FadeItems(const char* IDPart, std::int32_t SkinnedIndex, bool Show) {
  TGLWindow& Base = MenuBase();
  TGLGUIItem& Background = Base.GetGLGUIItem(SkinnedIndex, "skinned");
  Show ? Background.FadeIn() : Background.FadeOut();
  for (auto& Item : Base.Items)
    if (Item->ID.find(IDPart) != std::string::npos) Show ? Item->FadeIn() : Item->FadeOut();
}

}  // namespace

std::vector<TDisplayMode> FillResolutionList(TGLListBox& List, const std::vector<TDisplayMode>& Offered,
                                             const TGameSettings& Settings) {
  List.Clear();
  List.ItemIndex = -1;
  std::vector<TDisplayMode> Kept;
  for (const TDisplayMode& M : Offered) {
    if (M.BitsPerPixel != 32 || M.Width < 800 || M.Height < 600) continue;
    const std::size_t k = Kept.size();
    Kept.push_back(M);
    List.AddItem(std::to_string(M.Width) + "x" + std::to_string(M.Height) + "[" + std::to_string(M.Frequency) + " Hz]",
                 "", "", static_cast<std::intptr_t>(k));
    if (M.Width == Settings.ScreenWidth && M.Height == Settings.ScreenHeight && M.Frequency == Settings.Frequency)
      List.ItemIndex = static_cast<std::int32_t>(k);
  }
  return Kept;
}

void TGame::OptionsWindow_FillResolutions() {
  DisplayModes = FillResolutionList(MenuBase().GetItem<TGLListBox>("options_listbox_reslist"),
                                    Form->Host.DisplayModes(), gSettings);
}

void TGame::ApplySettingsToOptions() {
  OptionsWindow_FillResolutions();
  TGLWindow& Base = MenuBase();
  Base.GetItem<TGLCheckbox>("options_checkbox_globedetail").Checked = gSettings.HighGlobeDetail;
  Base.GetItem<TGLCheckbox>("options_checkbox_reflections").Checked = gSettings.Reflections;
  Base.GetItem<TGLCheckbox>("options_checkbox_music").Checked = gSettings.MusicEnabled;
  Base.GetItem<TGLCheckbox>("options_checkbox_soundfx").Checked = gSettings.SoundEnabled;
  Base.GetItem<TGLCheckbox>("options_checkbox_autosave").Checked = gSettings.AutosaveEnabled;
  Base.GetItem<TGLTrackBar>("options_trackbar_music").Progress = gSettings.MusicVolume;
  Base.GetItem<TGLTrackBar>("options_trackbar_soundfx").Progress = gSettings.SoundVolume;
  Base.GetItem<TGLTrackBar>("options_trackbar_autosaveinterval").Progress = gSettings.AutosaveInterval;
  TGLDropDown& Languages = Base.GetItem<TGLDropDown>("options_dropdown_language");
  Languages.Clear();
  for (std::size_t L = 0; L < gLocalization.LanguageCodes.size(); ++L)
    Languages.AddItem(L < gLocalization.LanguageNames.size() ? gLocalization.LanguageNames[L] : gLocalization.LanguageCodes[L],
                      gLocalization.LanguageCodes[L], "lang_" + gLocalization.LanguageCodes[L], 0);
  Languages.ItemIndex = gLocalization.LanguageIndex;
}

void TGame::MainMenu_HideSubPanels() {
  MainMenu_ToggleOptions(false);
  MainMenu_ToggleHotSeat(false);
  TGLWindow& Base = MenuBase();
  Base.GetGLGUIItem(1, "skinned").FadeOut();
  Base.GetGLGUIItem(2, "skinned").FadeOut();
  Base.GetGUIItemByID("mainmenu_credits").FadeOut();
}

void TGame::MainMenu_ToggleOptions(bool Show) { FadeItems("options_", 3, Show); }

void TGame::MainMenu_ToggleHotSeat(bool Show) { FadeItems("hotseat_", 4, Show); }

void TGame::ApplyOptionsToSettings() {
  gSettings.HighGlobeDetail = Checked("options_checkbox_globedetail");
  gSettings.Reflections = Checked("options_checkbox_reflections");
  const bool Music = Checked("options_checkbox_music");
  if (gMusicPlayer) {
    if (Music && !gSettings.MusicEnabled) gMusicPlayer->PlayTrack(-1);
    if (!Music) gMusicPlayer->Stop();
  }
  gSettings.MusicEnabled = Music;
  gSettings.SoundEnabled = Checked("options_checkbox_soundfx");
  gSettings.MusicVolume = Position("options_trackbar_music");
  gSettings.SoundVolume = Position("options_trackbar_soundfx");
  gSettings.AutosaveEnabled = Checked("options_checkbox_autosave");
  gSettings.AutosaveInterval = Position("options_trackbar_autosaveinterval");
}

void TGame::QuitDialog_Click(const std::string& Name) {
  TGLGUI* GUI = State == gsEarthView ? gInGameGUI.get() : State == gsMainMenu ? gMainMenuGUI.get() : nullptr;
  if (!GUI || !GUI->GetWindow("messagedlg_quit")) return;
  // Closing (not only hiding) ends the dialog's modal hold on the input.
  if (Name == "msgdlg_yesno_yes") {
    GUI->CloseWindow("messagedlg_quit");
    Quit = true;
  } else if (Name == "msgdlg_yesno_no") {
    GUI->CloseWindow("messagedlg_quit");
  }
}

bool TGame::BindMainMenuPanels() {
  if (gInGameGUI)
    if (TGLWindow* Dialog = gInGameGUI->GetWindow("messagedlg_quit"))
      Dialog->OnClick = [this](const std::string& Name) { QuitDialog_Click(Name); };
  TGLWindow& Base = MenuBase();
  bool HasOptions = false;
  for (auto& Item : Base.Items) HasOptions = HasOptions || Item->ID == "options_listbox_reslist";
  if (!HasOptions) return false;
  ApplySettingsToOptions();
  return true;
}
