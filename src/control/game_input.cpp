// Mouse, wheel and keys; colour picking; the commands of clicked controls.
#include <algorithm>
#include <cmath>
#include <string>

#include "control/control_globals.h"
#include "control/game.h"
#include "control/pick_colors.h"
#include "control/tarnova_form.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/music_player.h"
#include "engine/perf_timer.h"
#include "engine/sound_system.h"
#include "gui/button.h"
#include "gui/drop_down.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/list_item.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "platform/virtual_keys.h"
#include "platform/xml_document.h"
#include "world/battle.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/world_globals.h"

namespace {

void PlaySound(const char* Name) {
  if (gSoundSystem) gSoundSystem->PlaySound(Name, false);
}

void Hint(const std::string& Key, const std::string& Image = "dialog_warning") {
  gInGameGUI->ShowMessageBoxExt(Localize(Key), Localize("szStrDialogHint"), Image, true);
}

TGLMemo* FirstMemo(TGLGUI& GUI) {
  if (GUI.Windows.empty()) return nullptr;
  for (auto& Item : GUI.Windows[0]->Items)
    if (auto* Memo = dynamic_cast<TGLMemo*>(Item.get())) return Memo;
  return nullptr;
}

// The k-th skinned control of the main menu's base window.
TGLGUIItem* SkinnedControl(std::size_t K) {
  std::size_t Seen = 0;
  for (auto& Item : gMainMenuGUI->Windows[0]->Items)
    if (dynamic_cast<TGLSkinnedControl*>(Item.get()) && Seen++ == K) return Item.get();
  return nullptr;
}

TGLGUIItem* MainMenuItem(const std::string& ID) {
  for (auto& Item : gMainMenuGUI->Windows[0]->Items)
    if (Item->ID == ID) return Item.get();
  return nullptr;
}

void HideIfShowing(TGLGUIItem* Item) {
  if (Item && Item->FadeDir > 0.0f) Item->FadeDir = -1.0f;
}

void ToggleFade(TGLGUIItem* Item) {
  if (Item) Item->ToggleFade();
}

// The window a press or click of the mouse goes to: the modal one while it shows, else the
// top-most window under the mouse.
TGLWindow* WindowUnderMouse(const TGLGUI& GUI) {
  if (TGLWindow* Modal = GUI.CurrentModalWindow()) return Modal;
  return GUI.GetWindowAtMouse();
}

bool OwnedByPlayer(std::int32_t Region) {
  return Region >= 0 && static_cast<std::size_t>(Region) < gRegions.size() &&
         gRegions[static_cast<std::size_t>(Region)]->Owner == gPlayerNation;
}

}  // namespace

std::int32_t TGame::PickObjectAt() {
  if (State != gsEarthView && State != gsNationSelect) return -1;
  if (PickHook) return PickHook();
  if (!View) return -1;
  // The frame's viewport covers the client area.
  GLint Viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, Viewport);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPickMatrix(MouseX, Viewport[3] - MouseY, 5.0, 5.0, Viewport);
  gluPerspective(gFieldOfView, Viewport[3] > 0 ? static_cast<double>(Viewport[2]) / Viewport[3] : 1.0, 0.1, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // Flat colours only: nothing may blend, shade or dither the codes.
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
  for (GLenum Cap : {GL_BLEND, GL_TEXTURE_2D, GL_LIGHTING, GL_DITHER, GL_MULTISAMPLE, GL_FOG}) glDisable(Cap);
  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  View->RenderPickColors(*this);
  glPopAttrib();
  TPickColor Pixel{};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(MouseX, Viewport[3] - MouseY, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, Pixel.data());
  const std::int32_t Count = State == gsEarthView ? static_cast<std::int32_t>(gRegions.size()) : 154;
  return DecodePickColor(Pixel, Count);
}

void TGame::UpdateHoveredRegion() {
  if (!HoverPickDue) return;
  HoverPickDue = false;
  if (CursorMode == 0 || State != gsEarthView) return;
  HoveredRegion = PickObjectAt() - 1;
  if (CursorMode == 2 && HoveredRegion >= 0 && (!MoveSourceRegion || !MoveSourceRegion->IsNeighbour(HoveredRegion)))
    HoveredRegion = -1;
  if (CursorMode == 4 && OwnedByPlayer(HoveredRegion)) HoveredRegion = -1;
}

void TGame::MouseMove(std::uint8_t Shift, std::int32_t X, std::int32_t Y) {
  MouseX = X;
  MouseY = Y;
  int W = 0, H = 0;
  Form->ClientSize(W, H);
  if (W > 0 && H > 0) {
    gMouseX = static_cast<int>(std::nearbyint(static_cast<double>(X) / W * gGUIScreenWidth));
    gMouseY = static_cast<int>(std::nearbyint(static_cast<double>(Y) / H * gGUIScreenHeight));
  }
  // The region under the mouse is picked once, before the next frame, for the last position: a
  // burst of moves between two frames costs one pick pass and one read-back, not one each.
  if (CursorMode != 0 && State == gsEarthView) HoverPickDue = true;
  if (RightDragging) {
    const float DX = static_cast<float>(MouseX - PrevMouseX) * 0.25f;
    const float DY = static_cast<float>(MouseY - PrevMouseY) * 0.25f;
    if (State == gsEarthView && Earth) {
      Earth->RotationY += DX;
      Earth->RotationX += DY;
    } else if (State == gsBattleField && gBattle) {
      gBattle->ViewRotation.X += DX;
      gBattle->ViewRotation.Y += DY;
    }
  }
  PrevMouseX = X;
  PrevMouseY = Y;
  if (State == gsEarthView) gInGameGUI->MouseMove();
  else if (State == gsMainMenu) gMainMenuGUI->MouseMove();
}

void TGame::MouseDown(std::int32_t Button, std::uint8_t Shift, std::int32_t X, std::int32_t Y) {
  MouseX = X;
  MouseY = Y;
  // Any window or control under the mouse, the fixed heads-up display's buttons included,
  // shields the globe behind it.
  const bool OverGUI = gInGameGUI->IsMouseOverWindow() || gInGameGUI->GetButtonAtMouse() != nullptr ||
                       gInGameGUI->CurrentModalWindow() != nullptr;
  if (Button == 1) {
    gLeftMouseDown = true;
    gLeftMousePressed = true;
    gLeftPressMouseX = gMouseX;
    gLeftPressMouseY = gMouseY;
    LeftPressX = X;
    LeftPressY = Y;
    PressTakenByGlobe = false;
    if (State == gsEarthView && !OverGUI) {
      // A press that chooses a target in a cursor mode, or selects a region (which opens or closes
      // the region window), is the whole click: a window now comes or goes under the mouse, and
      // neither this press nor its release may act on what the press did not find there.
      const bool TargetMode = CursorMode != 0;
      const std::int32_t Picked = PickObjectAt() - 1;
      GlobeClick(Picked);
      PressTakenByGlobe = TargetMode || (Picked >= 0 && static_cast<std::size_t>(Picked) < gRegions.size());
    } else if (State == gsNationSelect) {
      NationSymbolClick(PickObjectAt());
    }
    if (PressTakenByGlobe) {
      // The held button selects no list row and turns no ring of the window beneath.
      gLeftMouseDown = false;
      gLeftMousePressed = false;
      return;
    }
  } else if (Button == 3) {
    gRightButtonDown = true;
    if ((State == gsEarthView || State == gsBattleField) && !OverGUI) RightDragging = true;
  }
  if (State == gsEarthView) gInGameGUI->MouseDown();
  else if (State == gsMainMenu) gMainMenuGUI->MouseDown();
}

void TGame::GlobeClick(std::int32_t Picked) {
  switch (CursorMode) {
    case 0: SelectRegionClick(Picked); break;
    case 1: StationClick(Picked); break;
    case 2: {
      // The press's own pick, filtered as the hover is.
      std::int32_t Target = Picked;
      if (Target >= 0 && (!MoveSourceRegion || !MoveSourceRegion->IsNeighbour(Target))) Target = -1;
      MoveClick(Target);
      break;
    }
    case 4: SpyTargetClick(Picked); break;
    default: break;
  }
}

void TGame::OpenRegionWindow(std::int32_t Region) {
  RegionDetailsSelectedSlot = -1;
  gInGameGUI->OpenWindow("regioninfo");
  gInGameGUI->BringToFront("regioninfo");
  if (TGLWindow* W = gInGameGUI->GetWindow("regioninfo"))
    W->Caption = gRegions[static_cast<std::size_t>(Region)]->GetName();
  if (View) View->RegionWindow_Show(*this);
}

void TGame::SelectRegion(std::int32_t Index) {
  if (Index < 0 || static_cast<std::size_t>(Index) >= gRegions.size()) Index = -1;
  if (Index != gSelectedRegion) RegionDetailsSelectedSlot = -1;
  if (Earth) Earth->SelectRegion(Index);
}

void TGame::SelectRegionClick(std::int32_t Picked) {
  if (Picked < 0 || static_cast<std::size_t>(Picked) >= gRegions.size()) return;
  SelectRegion(Picked);
  if (OwnedByPlayer(Picked)) {
    OpenRegionWindow(Picked);
  } else if (TGLWindow* W = gInGameGUI->GetWindow("regioninfo")) {
    W->Visible = false;
  }
}

void TGame::SpyTargetClick(std::int32_t Picked) {
  if (Picked < 0 || static_cast<std::size_t>(Picked) >= gRegions.size()) return;
  if (OwnedByPlayer(Picked)) return Hint("szMsgEspionageInvalidRegion");
  TNation& Player = *gNations[gPlayerNation];
  gInGameGUI->HideHint();
  CursorMode = 0;
  // The chosen spy may have been fired or caught meanwhile.
  TSpy* Spy = nullptr;
  for (auto& S : Player.Spies)
    if (S.get() == EspionageSelectedSpy) Spy = S.get();
  if (Spy) {
    if (Spy->Infiltrate(*gRegions[static_cast<std::size_t>(Picked)])) {
      Hint("szMsgEspionageRegionInfiltrated", "dialog_spy_sabotagedone");
      Spy->HasAction = false;
      Player.ScoreEvent("SpyInfiltrated");
      gInGameGUI->UpdateAllWindows();
    } else {
      Hint("szMsgEspionageSpyCaputredInfiltration", "dialog_spy_captured");
      Player.RemoveSpyObject(Spy);
      EspionageSelectedSpy = nullptr;
    }
  } else {
    EspionageSelectedSpy = nullptr;
  }
  RestoreWindow("espionage", EspionageSavedWindowRect);
  gInGameGUI->UpdateAllWindows();
}

void TGame::NationSymbolClick(std::int32_t Picked) {
  if (Picked <= 0 || Picked > 5) return;
  const std::size_t K = static_cast<std::size_t>(Picked - 1);
  std::swap(NationSymbolOrder[K], NationSymbolOrder[0]);
  const std::int32_t Chosen = NationSymbolOrder[0];
  // The pulse of the symbol in front starts again for a newly chosen nation.
  if (Chosen != SelectedNation) NationTurnAngle = 0.0f;
  SelectedNation = Chosen;
  if (SelectedNation != TargetNation) DisplayedNation = TargetNation;
  TargetNation = static_cast<std::uint8_t>(SelectedNation);
  ShowNationHistory();
  if (TGLMemo* Memo = FirstMemo(*gNationSelectGUI)) Memo->TopLine = 0;
}

void TGame::RestoreWindow(const std::string& Name, const TSavedWindowRect& Rect) {
  if (TGLWindow* W = gInGameGUI->GetWindow(Name)) {
    W->X = Rect.X;
    W->Y = Rect.Y;
    W->Z = Rect.Z;
  }
}

void TGame::MouseUp(std::int32_t Button, std::uint8_t Shift, std::int32_t X, std::int32_t Y) {
  if (Button == 1) {
    gLeftMouseDown = false;
    if (PressTakenByGlobe) return;  // its click ends with the press
  } else if (Button == 3) {
    RightDragging = false;
    gRightButtonDown = false;
  }
  if (State == gsEarthView) gInGameGUI->MouseUp();
  else if (State == gsMainMenu) gMainMenuGUI->MouseUp();
}

void TGame::MouseWheel(std::uint8_t Shift, std::int32_t Delta, std::int32_t X, std::int32_t Y) {
  if (State == gsEarthView) {
    if (gInGameGUI->MouseWheel(Delta)) return;
    if (gInGameGUI->GetActiveWindowName() == "battlefield") {
      if (gBattle) gBattle->ViewDistance += static_cast<float>(Delta) * 0.002f;
    } else if (Earth) {
      Earth->Zoom = std::clamp(Earth->Zoom + static_cast<float>(Delta) * 0.0002f, 0.4f, 1.4f);
    }
  } else if (State == gsNationSelect) {
    gNationSelectGUI->MouseWheel(Delta);
  } else if (State == gsMainMenu) {
    gMainMenuGUI->MouseWheel(Delta);
  }
}

void TGame::DblClick() {
  gInGameGUI->DblClick();
  gMainMenuGUI->DblClick();
  if (State != gsEarthView) return;
  TListItem* Row = gInGameGUI->GetListItemAtMouse();
  if (!Row || Row->ID.find("roundmessage_") == std::string::npos) return;
  const std::size_t Us = Row->ID.find('_');
  std::size_t N = 0;
  try {
    N = std::stoul(Row->ID.substr(Us + 1));
  } catch (const std::exception&) {
    return;
  }
  const auto& Messages = gNations[gPlayerNation]->Messages.Messages;
  if (N >= Messages.size()) return;  // a list filled for another player
  Row->Color = MakeVector3(0.5f, 0.5f, 0.5f);
  Row->Icon = "gui_icon_checked";
  const TRoundMessage& M = Messages[N];
  if (M.Category == "regioninfo") {
    if (M.Region < 0 || static_cast<std::size_t>(M.Region) >= gRegions.size()) return;
    SelectRegion(M.Region);
    if (OwnedByPlayer(M.Region)) OpenRegionWindow(M.Region);
  } else if (M.Category == "military") {
    if (View) View->MilitaryWindow_Show(*this);
    gInGameGUI->OpenWindow("army_management");
    gInGameGUI->BringToFront("army_management");
  } else if (M.Category == "science") {
    gInGameGUI->OpenWindow("science");
    gInGameGUI->BringToFront("science");
  }
}

void TGame::KeyDown(std::uint16_t Key, std::uint8_t Shift) {
  if (State == gsEarthView) gInGameGUI->KeyDown(Key, Shift);
  else if (State == gsNationSelect) gNationSelectGUI->KeyDown(Key, Shift);
  else if (State == gsMainMenu) gMainMenuGUI->KeyDown(Key, Shift);
  if (Key == VK_ESCAPE) {
    if (CursorMode == 1) RestoreWindow("army_management", SavedWindowRect);
    if (CursorMode == 4) RestoreWindow("espionage", EspionageSavedWindowRect);
    if (CursorMode == 2) RestoreWindow("regioninfo", SavedWindowRect);
    if (CursorMode != 0) {
      CursorMode = 0;
      HoveredRegion = -1;
      gInGameGUI->UpdateAllWindows();
      gInGameGUI->HideHint();
    }
    // A window whose close box is locked (a running battle) stays open.
    if (TGLWindow* Active = gInGameGUI->ActiveWindow;
        Active && Active != gInGameGUI->Windows[0].get() && Active->Visible && !Active->CloseDisabled)
      gInGameGUI->CloseWindow(Active->Name);
  }
  if (State == gsEarthView) {
    static const std::pair<std::uint16_t, const char*> Keys[] = {
        {VK_F1, "army_management"},     {VK_F1 + 1, "military"},       {VK_F1 + 2, "science"},
        {VK_F1 + 3, "espionage"},       {VK_F1 + 4, "transfermarket"}, {VK_F1 + 5, "infocenter"}};
    for (const auto& [Code, Name] : Keys)
      if (Key == Code) gInGameGUI->OpenWindow(Name);
  }
  if (!gSettings.DebugKeys || Key < 'A' || Key > 'T') return;
  const bool Ctrl = (Shift & ssCtrl) != 0;
  if (Key == 'F' && gMusicPlayer) {
    gMusicPlayer->CurrentVolume = static_cast<float>(gSettings.MusicVolume) / 100.0f;
    gMusicPlayer->FadeDirection = -1.0f;
  } else if (Key == 'A' && Ctrl) {
    if (View) View->DebugAIWindow_Show(*this);
    gInGameGUI->OpenWindow("debugai");
  } else if (Key == 'D' && Ctrl) {
    if (View) View->DebugWindow_Show(*this);
    gInGameGUI->OpenWindow("debug");
  } else if (Key == 'N' && Ctrl) {
    gPlayerNation = static_cast<std::uint8_t>((gPlayerNation + 1) % 5);
  } else if (Key == 'T' && gPerfTimer) {
    gPerfTimer->Enabled = !gPerfTimer->Enabled;
  }
}

void TGame::Click() {
  // Any click takes the keyboard from the edit that had it; the GUI's own click below may give
  // it to the edit under the mouse again.
  gFocusedEdit = nullptr;
  // The press chose a target on the globe: the click is done.
  if (PressTakenByGlobe) {
    PressTakenByGlobe = false;
    return;
  }
  // What the click landed on: the screen and its window under the mouse. A command or a window's
  // handler that closes, opens or reveals a window there, or changes the screen, ends the click:
  // the GUI's own click below must not reach a window the player did not click (the window beneath
  // a message box's "OK", the list of a window that opened under the mouse).
  const std::uint16_t ClickState = State;
  TGLWindow* const Landed = WindowUnderMouse(CurrentGUI());
  std::string Name;
  TGLWindow* Owner = nullptr;  // the window of the clicked control
  auto ButtonName = [&Owner](TGLGUI& GUI) {
    TGLButton* B = GUI.GetButtonAtMouse();
    Owner = GUI.CurrentModalWindow() ? GUI.CurrentModalWindow() : GUI.GetWindowAtMouse();
    return B ? B->Name : std::string();
  };
  switch (State) {
    case gsEarthView:
      Name = ButtonName(*gInGameGUI);
      if (TListItem* Row = gInGameGUI->GetListItemAtMouse()) Name = Row->ID;
      break;
    case gsNationSelect:
      gNationSelectGUI->Click();
      Name = ButtonName(*gNationSelectGUI);
      break;
    case gsMainMenu: Name = ButtonName(*gMainMenuGUI); break;
    case gsEndGame:
      gEndGameGUI->Click();
      Name = ButtonName(*gEndGameGUI);
      break;
    default: return;
  }
  // The hand-over veil hides the globe from the next player: no game command passes it.
  const bool HandingOver = State == gsEarthView && HotSeat && OverlayDirection < 0;
  if (!Name.empty() && !HandingOver) {
    const bool Command = RunClickCommand(Name);
    gInGameGUI->BroadcastEvent(Name);
    // Every name reaches the in-game windows' handlers; a control of a window with a handler
    // (or of a main-menu copy of such a window) is that handler's to take.
    TGLWindow* Handled = Owner ? gInGameGUI->GetWindow(Owner->Name) : nullptr;
    const bool WindowHandler = (Owner && Owner->OnClick) || (Handled && Handled->OnClick);
    if (!Command && !WindowHandler && UnknownClickLogged.insert(Name).second && gLog)
      gLog->AddLine("TGame->Click->No command for the control \"" + Name + "\", ignored");
  }
  if (State != ClickState || WindowUnderMouse(CurrentGUI()) != Landed) {
    if (ClickState == gsMainMenu) ApplyOptionsToSettings();
    return;
  }
  if (State == gsEarthView) {
    TGLWindow* Region = gInGameGUI->GetWindow("regioninfo");
    if (Region && Region->Visible && gInGameGUI->GetWindowAtMouse() == Region) {
      for (auto& Item : Region->Items)
        if (Item->ID == "panel_3dview") {
          const long L = std::lround(Region->X + Item->Position.X + 10.0f);
          const long T = std::lround(Region->Y + Item->Position.Y + 10.0f);
          const long R = std::lround(Region->X + Item->Position.X + static_cast<float>(Item->Width) - 10.0f);
          const long B = std::lround(Region->Y + Item->Position.Y + static_cast<float>(Item->Height) - 10.0f);
          if (gMouseX >= L && gMouseX <= R && gMouseY >= T && gMouseY <= B && RegionDetailsHoveredSlot > -1)
            RegionDetailsSelectedSlot = RegionDetailsHoveredSlot;
          break;
        }
    }
    gInGameGUI->Click();
  } else if (State == gsMainMenu) {
    gMainMenuGUI->Click();
    ApplyOptionsToSettings();
  }
}

bool TGame::RunClickCommand(const std::string& Name) {
  const bool MainMenu = Name.rfind("mainmenu_", 0) == 0;
  const bool SoundFirst = Name == "mainmenu_singleplayer_newgame" || Name == "mainmenu_singleplayer_continue";
  const bool MenuSound = MainMenu && Name != "mainmenu_quit" && Name != "mainmenu_root" &&
                         Name != "mainmenu_multiplayer_hotseat_start" && Name != "mainmenu_singleplayer_loadgame" &&
                         Name != "mainmenu_hotseat_loadgame";
  if (MenuSound && SoundFirst) PlaySound("MainMenuButton");
  auto HideMessage = [](TGLGUI& GUI, const char* Window) {
    if (TGLWindow* W = GUI.GetWindow(Window); W && W->Visible) {
      W->Visible = false;
      if (GUI.ModalWindow == W) GUI.ModalWindow = nullptr;
    }
  };
  auto NationMemo = [this](const char* Child, bool Section) {
    TGLMemo* Memo = FirstMemo(*gNationSelectGUI);
    const TXMLNode Nation = gNationInfoXML ? gNationInfoXML->Root().ChildAt(static_cast<std::size_t>(SelectedNation)) : TXMLNode();
    if (!Memo || !Nation) return;
    const TXMLNode Text = Nation.Child(Child);
    const std::string Body = Text ? Text.Text() : std::string();  // a missing text shows nothing
    // A text held in every language ("#GER", "#ENG" lines) shows the current language's part only.
    const bool Sectioned = Section || Body.starts_with('#') || Body.find("\n#") != std::string::npos;
    if (Sectioned) Memo->SetTextSection(Body, CurrentLanguageCode(), true);
    else Memo->SetText(Body, true);
    Memo->TopLine = 0;
  };
  const std::string Mode = HotSeat ? "hotseat" : "singleplayer";
  bool Known = true;
  if (Name == "msgdlg_ok") HideMessage(*gInGameGUI, "messagedlg");
  else if (Name == "msgdlg_ext_ok") {
    if (State == gsEarthView) HideMessage(*gInGameGUI, "messagedlg_ext");
    else if (State == gsMainMenu) HideMessage(*gMainMenuGUI, "messagedlg_ext");
  } else if (Name == "nextround") {
    PlaySound("NextTurn");
    NextRound();
  } else if (Name == "cc_build_units") gInGameGUI->OpenWindow("military");
  else if (Name == "cc_manage_units") gInGameGUI->OpenWindow("army_management");
  else if (Name == "cc_info") gInGameGUI->OpenWindow("infocenter");
  else if (Name == "cc_science") gInGameGUI->OpenWindow("science");
  else if (Name == "cc_global_project") gInGameGUI->OpenWindow("globalproject");
  else if (Name == "cc_staff") gInGameGUI->OpenWindow("transfermarket");
  else if (Name == "cc_espionage") gInGameGUI->OpenWindow("espionage");
  else if (Name == "sysbar_exitgame") SwitchState(gsMainMenu);
  else if (Name == "sysbar_savegame") {
    SaveGameWindow_Show(Mode);
    gInGameGUI->OpenWindow("savegame");
  } else if (Name == "sysbar_loadgame") {
    LoadGameWindow_Show(Mode);
    gInGameGUI->OpenWindow("loadgame");
  } else if (Name == "options_button_applylanguage") {
    for (auto& Item : gMainMenuGUI->Windows[0]->Items)
      if (auto* D = dynamic_cast<TGLDropDown*>(Item.get()); D && Item->ID == "options_dropdown_language") {
        if (D->ItemIndex > -1 && D->ItemIndex <= 255 && D->ItemIndex != gLocalization.LanguageIndex)
          SwitchLanguage(static_cast<std::uint8_t>(D->ItemIndex));
        break;
      }
  } else if (Name == "options_button_applyres") {
    for (auto& Item : gMainMenuGUI->Windows[0]->Items)
      if (auto* L = dynamic_cast<TGLListBox*>(Item.get()); L && Item->ID == "options_listbox_reslist") {
        // Without a selected row there is no mode to take.
        if (L->ItemIndex < 0 || static_cast<std::size_t>(L->ItemIndex) >= DisplayModes.size()) break;
        const TDisplayMode& M = DisplayModes[static_cast<std::size_t>(L->ItemIndex)];
        gSettings.ScreenWidth = static_cast<std::uint16_t>(M.Width);
        gSettings.ScreenHeight = static_cast<std::uint16_t>(M.Height);
        gSettings.Frequency = static_cast<std::uint16_t>(M.Frequency);
        gMainMenuGUI->ShowMessageBoxExt(Localize("szNoticeResolutionChange"), "Notice", "dialog_warning", false);
        break;
      }
  } else if (Name == "mainmenu_quit") Quit = true;
  else if (Name == "mainmenu_options") {
    MainMenu_HideSubPanels();
    MainMenu_ToggleOptions(true);
    MainMenu_ToggleHotSeat(false);
  } else if (Name == "mainmenu_credits") {
    MainMenu_HideSubPanels();
    MainMenu_ToggleOptions(false);
    MainMenu_ToggleHotSeat(false);
    ToggleFade(MainMenuItem("mainmenu_credits"));
  } else if (Name == "mainmenu_singleplayer" || Name == "mainmenu_multiplayer") {
    const bool Single = Name == "mainmenu_singleplayer";
    MainMenu_ToggleOptions(false);
    MainMenu_ToggleHotSeat(false);
    ToggleFade(SkinnedControl(Single ? 1 : 2));
    HideIfShowing(SkinnedControl(Single ? 2 : 1));
    HideIfShowing(MainMenuItem("mainmenu_credits"));
  } else if (Name == "mainmenu_singleplayer_loadgame" || Name == "mainmenu_hotseat_loadgame") {
    LoadGameWindow_Show(Name == "mainmenu_hotseat_loadgame" ? "hotseat" : "singleplayer");
    gMainMenuGUI->OpenWindow("loadgame");
  } else if (Name == "mainmenu_singleplayer_newgame") SwitchState(gsNationSelect);
  else if (Name == "mainmenu_singleplayer_continue") SwitchState(gsEarthView);
  else if (Name == "mainmenu_multiplayer_hotseat") {
    MainMenu_ToggleOptions(false);
    ToggleFade(SkinnedControl(2));
    MainMenu_ToggleHotSeat(true);
  } else if (Name == "mainmenu_multiplayer_hotseat_start") StartNewGame(1);
  else if (Name == "mainmenu_root" || Name == "nationselect_back") SwitchState(gsMainMenu);
  else if (Name == "nationselect_startgame") StartNewGame(0);
  else if (Name == "nationselect_info") NationMemo("description", false);
  else if (Name == "nationselect_history") NationMemo("history", true);
  else Known = false;
  if (MenuSound && !SoundFirst) PlaySound("MainMenuButton");
  return Known;
}
