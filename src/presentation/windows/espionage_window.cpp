#include "presentation/windows/espionage_window.h"

#include <algorithm>
#include <cmath>

#include "control/game.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/list_box.h"
#include "gui/text.h"
#include "gui/window.h"
#include "platform/text_format.h"
#include "presentation/presentation_globals.h"
#include "presentation/windows/diorama_place.h"
#include "world/building_type.h"
#include "presentation/window_view3d.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/staff.h"
#include "world/world_globals.h"

namespace {

TNation* Player() { return gPlayerNation < gNations.size() ? gNations[gPlayerNation].get() : nullptr; }
TGLWindow* EspionageWindow() { return gInGameGUI ? gInGameGUI->GetWindow("espionage") : nullptr; }

void Refuse(const std::string& Key) {
  gInGameGUI->ShowMessageBoxExt(Localize(Key), Localize("szStrDialogHint"), "dialog_warning", true);
}

// The spy a list row holds, if it still is one of the player's.
TSpy* SelectedOf(TGLListBox& List) {
  TNation* N = Player();
  auto* Spy = reinterpret_cast<TSpy*>(List.GetSelectedData());
  if (!N || !Spy) return nullptr;
  for (const auto& S : N->Spies)
    if (S.get() == Spy) return Spy;
  return nullptr;
}

void SpyCaught(TGame& Game, TSpy* Spy) {
  gInGameGUI->ShowMessageBoxExt(Localize("szMsgEspionageSpyUncovered"), Localize("szStrDialogEspionage"),
                                "dialog_spy_captured", false);
  GUIServices().PlaySound("spycaptured");
  if (TNation* N = Player()) N->RemoveSpyObject(Spy);
  Game.EspionageSelectedSpy = nullptr;
  gInGameGUI->UpdateAllWindows();
}

std::string AgeText(std::int32_t LastObtained) {
  if (LastObtained == -1) return Localize("szStrEspionageLastUpdateNever");
  return FormatText(Localize("szStrEspionageLastUpdate"), {std::to_string(gCurrentTurn - LastObtained)});
}

void NoSignal(float Z, float TextHalfWidth) {
  const float t = gShaderTime;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  auto Noise = [&](float Repeat, float R, TVector3 C, float A, float Depth) {
    if (gNoiseVolumeTexture) {
      glDisable(GL_TEXTURE_2D);
      glEnable(GL_TEXTURE_3D);
      glBindTexture(GL_TEXTURE_3D, gNoiseVolumeTexture);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    glColor4f(C.X, C.Y, C.Z, A);
    glBegin(GL_QUADS);
    glTexCoord3f(0, 0, R); glVertex3f(-5, 5, Depth);
    glTexCoord3f(0, Repeat, R); glVertex3f(-5, -5, Depth);
    glTexCoord3f(Repeat, Repeat, R); glVertex3f(5, -5, Depth);
    glTexCoord3f(Repeat, 0, R); glVertex3f(5, 5, Depth);
    glEnd();
    glDisable(GL_TEXTURE_3D);
  };
  Noise(8, 0.25f * t, TVector3{0.4f, 0.4f, 0.4f}, 1.0f, Z + 0.1f);
  glEnable(GL_TEXTURE_2D);
  GUIServices().BindTexture("espionage_nosignal");
  const float Blink = std::max(0.0f, float(std::sin(100.0 * t * 3.14159265358979 / 180.0)));
  glColor4f(1, 1, 1, Blink);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0); glVertex3f(-TextHalfWidth, 5, Z + 0.15f);
  glTexCoord2f(0, 1); glVertex3f(-TextHalfWidth, -5, Z + 0.15f);
  glTexCoord2f(1, 1); glVertex3f(TextHalfWidth, -5, Z + 0.15f);
  glTexCoord2f(1, 0); glVertex3f(TextHalfWidth, 5, Z + 0.15f);
  glEnd();
  glDepthMask(GL_TRUE);
  Noise(4, 0.1f * t, TVector3{0.6f, 0.6f, 0.6f}, 0.5f, Z + 0.2f);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
}

void ReportView(const TGLWindow& Window, const TGLGUIItem& Item) {
  BeginWindowView3D(Window, Item, 0.0f, 4.0f);
  glMatrixMode(GL_PROJECTION);
  DioramaVolume();
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

TSpy* EspionageSelectedSpy(TGame& Game) {
  TNation* N = Player();
  if (Game.EspionageSelectedSpy && N)
    for (const auto& S : N->Spies)
      if (S.get() == Game.EspionageSelectedSpy) return Game.EspionageSelectedSpy;
  Game.EspionageSelectedSpy = nullptr;
  return nullptr;
}

std::string SpiedSlotModel(const TBuildingType* Reported) { return Reported ? Reported->ID : "building_empty"; }

void EspionageWindow_Show(TGame& Game) {
  TGLWindow* Window = EspionageWindow();
  TNation* N = Player();
  if (!Window || !N) return;
  auto& Free = Window->GetItem<TGLListBox>("free_spies");
  auto& Used = Window->GetItem<TGLListBox>("used_spies");
  Free.Clear();
  Used.Clear();
  for (const auto& S : N->Spies) {
    const std::string Icon = S->HasAction ? "button_espionage" : "button_espionage_spylocked";
    (S->Region ? Used : Free).AddItem(S->Name, S->Region ? "used_spy" : "free_spy", Icon, reinterpret_cast<std::intptr_t>(S.get()));
  }
  const TSpy* Spy = EspionageSelectedSpy(Game);
  if (!Spy) return;
  Window->GetItem<TGLText>("regiondata_last_update").Text = AgeText(Spy->BuildingDataTurn);
  Window->GetItem<TGLText>("divisiondata_last_update").Text = AgeText(Spy->DivisionDataTurn);
  auto& Report = Window->GetItem<TGLListBox>("listbox_divisiondata");
  Report.Clear();
  for (const std::string& Line : Spy->DivisionData) Report.AddItem(Line, "", "", std::intptr_t{0});
}

void EspionageWindow_Click(TGame& Game, const std::string& Name) {
  TGLWindow* Window = EspionageWindow();
  if (!Window) return;
  auto& Free = Window->GetItem<TGLListBox>("free_spies");
  auto& Used = Window->GetItem<TGLListBox>("used_spies");
  if (Name == "used_spy") Free.ItemIndex = -1;
  if (Name == "free_spy") Used.ItemIndex = -1;
  auto NoActionLeft = [] { Refuse("szMsgEspionageNoActionLeft"); };

  if (Name == "espionage_infiltrate") {
    TSpy* Spy = SelectedOf(Free);
    if (!Spy) {
      Refuse("szMsgEspionageNoFreeSpySel");
    } else if (Spy->HasAction) {
      gInGameGUI->ShowHint(Localize("szHintInfiltrateRegion"), Localize("szHintExitWithEscape"));
      Game.CursorMode = 4;
      Game.EspionageSelectedSpy = Spy;
      Game.EspionageSavedWindowRect = TSavedWindowRect{Window->X, Window->Y, Window->Z};
      Window->Y = float(gInGameGUI->ScreenHeight - 25);
    } else {
      NoActionLeft();
    }
  }
  if (Name == "espionage_exfiltrate") {
    TSpy* Spy = SelectedOf(Used);
    if (!Spy) {
      Refuse("szMsgEspionageNoSpySel");
    } else if (Spy->HasAction) {
      Spy->Withdraw();
      gInGameGUI->UpdateAllWindows();
    } else {
      NoActionLeft();
    }
  }
  if (Name == "espionage_regiondata" || Name == "espionage_divisiondata") {
    // These need an infiltrated spy.
    TSpy* Spy = SelectedOf(Used);
    if (!Spy) {
      Refuse("szMsgEspionageNoFreeSpySel");
    } else if (!Spy->HasAction) {
      NoActionLeft();
    } else if (Name == "espionage_regiondata" ? Spy->ObtainBuildingData() : Spy->ObtainDivisionData()) {
      EspionageWindow_Show(Game);
      GUIServices().PlaySound("spygetinfo");
    } else {
      SpyCaught(Game, Spy);
    }
  }
  if (Name == "used_spy") {
    Game.EspionageSelectedSpy = SelectedOf(Used);
    EspionageWindow_Show(Game);
  }
  if (Name == "free_spy") {
    Game.EspionageSelectedSpy = SelectedOf(Free);
    EspionageWindow_Show(Game);
  }
  if (Name == "espionage_dosabotage") {
    TSpy* Spy = SelectedOf(Used);
    const std::string Action = Window->GetItem<TGLListBox>("listbox_sabotage_actions").GetSelectedID();
    if (!Spy) {
      Refuse("szMsgEspionageNoFreeSpySel");
    } else if (!Spy->HasAction) {
      NoActionLeft();
    } else if (Action.empty()) {
      // Nothing chosen: no draw is made, so the spy is not risked for nothing.
      Refuse("szMsgEspionageNoSabotageSel");
    } else {
      switch (Spy->DoSabotage(Action)) {
        case TSpy::TSabotageResult::Done:
          gInGameGUI->ShowMessageBoxExt(Localize("szMsgEspionageSabotageDone"), Localize("szStrDialogSabotageDone"),
                                        "dialog_spy_sabotagedone", false);
          gInGameGUI->UpdateAllWindows();
          break;
        case TSpy::TSabotageResult::NothingToSabotage:
          Refuse("szMsgEspionageNothingToSabotage");
          break;
        case TSpy::TSabotageResult::Caught:
          SpyCaught(Game, Spy);
          break;
      }
    }
  }
}

void EspionageWindow_Render(TGame& Game) {
  TGLWindow* Window = EspionageWindow();
  if (!Window) return;
  const TSpy* Spy = EspionageSelectedSpy(Game);
  const TVector3 White{1, 1, 1};
  if (Spy) {
    const TGLGUIItem& P = Window->GetGUIItemByID("panel_info");
    glPushMatrix();
    glTranslatef(Window->X, Window->Y, Window->Z);
    glPushMatrix();
    glTranslatef(P.Position.X + 7, P.Position.Y + 5, P.Position.Z + 0.1f);
    GUIServices().Print(Spy->Name, TVector3{0, 0, 0}, gDefaultTextColor, 1.0f, 1.0f, false, true);
    if (Spy->Region) {
      glColor4f(1, 1, 1, 1);
      GUIServices().DrawTexture("flag" + std::to_string(Spy->Region->Owner), 8, 24, 0, 24, 12);
      GUIServices().Print(FormatText(Localize("szStrEspionageInfiltratedIn"), {Spy->Region->GetName()}), TVector3{36, 22, 0},
                          White, 1.0f, 1.0f, false, true);
      GUIServices().Print(FormatText(Localize("szStrEspionageInfiltratedSince"),
                                     {std::to_string(gCurrentTurn - Spy->RoundInfiltrated)}),
                          TVector3{8, 34, 0}, White, 1.0f, 1.0f, false, true);
    } else {
      GUIServices().Print(Localize("szStrEspionageWaitingForJob"), TVector3{8, 22, 0}, White, 1.0f, 1.0f, false, true);
    }
    GUIServices().Print("SP :", TVector3{250, 10, 0}, White, 1.0f, 1.0f, false, true);
    GUIServices().Print("SA :", TVector3{250, 22, 0}, White, 1.0f, 1.0f, false, true);
    GUIServices().Print("UT :", TVector3{250, 34, 0}, White, 1.0f, 1.0f, false, true);
    DrawGauge(TVector3{275, 16, 0}, White, Spy->Espionage, 56, 10);
    DrawGauge(TVector3{275, 28, 0}, White, Spy->Sabotage, 56, 10);
    DrawGauge(TVector3{275, 38, 0}, White, Spy->Hiding, 56, 10);
    glPopMatrix();
    glPopMatrix();
  }
  const float Z = Window->Z;
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT |
               GL_POLYGON_BIT);
  const bool Infiltrated = Spy && Spy->Region;
  ReportView(*Window, Window->GetGUIItemByID("listbox_divisiondata"));
  if (!(Infiltrated && Spy->DivisionDataTurn != -1)) NoSignal(Z, 5.5f);
  EndWindowView3D(*Window);
  ReportView(*Window, Window->GetGUIItemByID("panel_regiondata"));
  if (Infiltrated && Spy->BuildingDataTurn != -1) {
    glEnable(GL_DEPTH_TEST);
    EspionageWindow_DrawRegionScene(Game);
  } else {
    NoSignal(Z, 5.0f);
  }
  EndWindowView3D(*Window);
  glPopAttrib();
}

void RegisterEspionageWindow(TGame& Game) {
  TGLWindow* Window = EspionageWindow();
  if (!Window) return;
  Window->OnRender = [&Game] { EspionageWindow_Render(Game); };
  Window->OnClick = [&Game](const std::string& Name) { EspionageWindow_Click(Game, Name); };
  Window->OnShow = [&Game] { EspionageWindow_Show(Game); };
}
