// The auto-battle window "autobattle": both sides with their units, health and losses, the
// battle advanced at the speed of the track bar, and the victory or defeat at its end.
#include <cmath>
#include <string>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "gui/button.h"
#include "gui/gui_globals.h"
#include "gui/gui_item.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/track_bar.h"
#include "gui/window.h"
#include "platform/rounding.h"
#include "presentation/windows/game_windows.h"
#include "presentation/windows/window_common.h"
#include "world/battle.h"
#include "world/division.h"
#include "world/earth.h"
#include "world/nation.h"
#include "world/region.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

namespace {

class TMemoLog : public TBattleLog {
public:
  explicit TMemoLog(TGLMemo& M) : Memo(M) {}
  void InsertLine(const std::string& Text, std::int32_t Index) override { Memo.InsertLine(Text, Index); }

private:
  TGLMemo& Memo;
};

}  // namespace

void AutoBattleWindow_Start(TGame&) {
  TGLWindow& W = InGameWindow("autobattle");
  W.GetGUIItemByID("button_autobattle_close").Visible = false;
  auto& Log = W.GetItem<TGLMemo>("memo_battle_log");
  Log.Clear();
  Log.AddLine(Localize("szStrBattleInfoTextStart"));
}

void AutoBattleWindow_Step(TGame& Game) {
  if (!gBattle || !gBattle->Running) return;
  TGLWindow& W = InGameWindow("autobattle");
  const float Speed = static_cast<float>(W.GetItem<TGLTrackBar>("trackbar_speed").Progress / 100.0);
  gBattle->StepTimer = static_cast<float>(gBattle->StepTimer + Game.FrameTime / 10.0 * Speed);
  if (gBattle->StepTimer < 1.0f) return;
  gBattle->StepTimer = 0.0f;
  TMemoLog Log(W.GetItem<TGLMemo>("memo_battle_log"));
  if (gBattle->FightStep(&Log)) AutoBattleWindow_EndBattle(Game);
}

void AutoBattleWindow_EndBattle(TGame& Game) {
  TGLWindow& W = InGameWindow("autobattle");
  W.CloseDisabled = false;
  W.GetGUIItemByID("button_autobattle_close").Visible = true;
  gBattle->Finish();
  gBattle->ArmyToRelease = gBattle->Region ? gBattle->Region->ID : -1;
  // A battle both sides leave without a winner (an attack by units that do not fight) counts as
  // lost for the attacker.
  if (gBattle->Winner && gBattle->Winner == gBattle->AttackerNation) {
    gInGameGUI->ShowMessageBoxExt(Localize("szMsgBattleWon"), Localize("szStrBattleWon"), "dialog_battlevictory", false);
    PlayWindowSound("DivisionBattleWon");
    // The conquered region becomes the selection; a slot chosen in the old region must not act on it.
    if (gBattle->Region) Game.SelectRegion(gBattle->Region->ID);
    gInGameGUI->UpdateAllWindows();
  } else {
    if (!gBattle->Winner || gBattle->Winner != gBattle->DefenderNation)
      if (gLog) gLog->AddLine("TGame->AutoBattleWindow_EndBattle->No winner; counted as lost");
    gInGameGUI->ShowMessageBoxExt(Localize("szMsgBattleLost"), Localize("szStrBattleLost"), "dialog_battledefeat", false);
    PlayWindowSound("DivisionBattleLost");
  }
  if (TGLWindow* Region = gInGameGUI->GetWindow("regioninfo")) {
    Region->X = Game.SavedWindowRect.X;
    Region->Y = Game.SavedWindowRect.Y;
    Region->Z = Game.SavedWindowRect.Z;
  }
  gInGameGUI->UpdateAllWindows();
}

void AutoBattleWindow_Click(TGame&, const std::string& Name) {
  if (Name != "autobattle_close") return;
  if (gBattle) gBattle->ReleaseFinishedArmy();
  gInGameGUI->CloseWindow("autobattle");
}

// Show handler: the window's close box closes a finished battle as well, and every round
// refreshes the windows, so a battle window found closed lets its defensive army go.
void AutoBattleWindow_Show(TGame&) {
  TGLWindow* W = gInGameGUI->GetWindow("autobattle");
  if (W && !W->Visible && gBattle && gBattle->ArmyToRelease >= 0) gBattle->ReleaseFinishedArmy();
}

// ---- drawing ---------------------------------------------------------------------------------

namespace {

void BeginPanel(const TGLWindow& W, const TGLGUIItem& P) {
  glPushMatrix();
  glTranslatef(W.X + P.Position.X, W.Y + P.Position.Y, W.Z + P.Position.Z + 0.5f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void PrintWhite(const std::string& Text, float X, float Y) {
  gFont->Print(Text, TVector3{X, Y, 0.1f}, TVector3{1, 1, 1}, 1.0f, 1.0f, false, true);
}

void DrawInfoPanel(const TGLWindow& W, const TGLGUIItem& P, bool Attacker) {
  const TBattle& B = *gBattle;
  const TDivision* D = Attacker ? B.AttackerDivision : B.DefenderDivision;
  BeginPanel(W, P);
  std::int32_t Flag = -1;
  if (Attacker && B.AttackerNation) Flag = B.AttackerNation->ID;
  if (!Attacker && B.Region && B.Region->Owner < 5) Flag = B.Region->Owner;
  if (Flag >= 0) {
    glColor4f(0.4f, 0.4f, 0.4f, 1.0f);
    gTextureManager->DrawTexture("flag_" + std::to_string(Flag) + "_halfround", 2, 4, 0, 62, 40);
  }
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_BLEND);
  PrintWhite(Localize(Attacker ? "szStrBattleAttacker" : "szStrBattleDefender") + " \"" + D->Name + "\"", 27, 10);
  if (Attacker) {
    if (D->Region >= 0 && static_cast<std::size_t>(D->Region) < gRegions.size() && B.AttackerNation)
      PrintWhite(gRegions[static_cast<std::size_t>(D->Region)]->GetName() + " (" + B.AttackerNation->GetName() + ")", 27, 22);
  } else if (B.DefenderNation && B.Region) {
    PrintWhite(B.Region->GetName() + " (" + B.DefenderNation->GetName() + ")", 27, 22);
  }
  glPopMatrix();
}

void DrawArmyPanel(const TGLWindow& W, const TGLGUIItem& P, bool Attacker) {
  const TBattle& B = *gBattle;
  const float Pw = static_cast<float>(P.GetWidth()), Ph = static_cast<float>(P.GetHeight());
  BeginPanel(W, P);
  const std::int32_t Sky = Attacker ? (B.AttackerNation ? B.AttackerNation->ID : 0) : (B.Region ? B.Region->Owner : 6);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  gTextureManager->DrawTexture("skysphere" + std::to_string(Sky), 4, 4, 0, Pw - 8, Ph - 8);
  if (!Attacker && B.Region && B.Region->HasBuilding("building_airdefense")) {
    const float Xr = static_cast<float>(RoundToInt(Pw / 64.0) * 64);
    const float Yb = static_cast<float>(RoundToInt(Ph / 64.0) * 64 - 64);
    glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
    gTextureManager->DrawTexture("preview2d_buildingtype_38", Xr, Yb, 0.1f, -64, 64);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    gTextureManager->DrawTexture("preview2d_buildingtype_38", Xr - 3, Yb - 3, 0.1f, -64, 64);
  }
  const std::vector<TUnit*>& Units = Attacker ? B.AttackerUnits : B.DefenderUnits;
  const TDivision* Side = Attacker ? B.AttackerDivision : B.DefenderDivision;
  float X = 0.0f, Y = 0.0f;
  for (std::size_t I = 0; I < Units.size(); ++I) {
    const TUnit* U = Units[I];
    if (!U || !U->UnitType) continue;
    const unsigned Tex = U->UnitType->PreviewTexture;
    glEnable(GL_BLEND);
    glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
    if (Attacker) gTextureManager->DrawTextureByID(Tex, X + 6, Y + 6, 0, 58, 58);
    else gTextureManager->DrawTextureByID(Tex, X + 70, Y + 6, 0, -58, 58);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (Attacker) gTextureManager->DrawTextureByID(Tex, X + 3, Y + 3, 0, 58, 58);
    else gTextureManager->DrawTextureByID(Tex, X + 67, Y + 3, 0, -58, 58);
    const float Percent = U->UnitType->Health > 0.0f ? U->Health / U->UnitType->Health * 100.0f : 0.0f;
    DrawGauge(TVector3{X + 6, Y + 54, 0.1f}, TVector3{1, 1, 1}, Percent, 52, 8);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (U->Health <= 0.0f) gTextureManager->DrawTexture("gui_autobattle_disabled", X, Y, 0.1f, 64, 64);
    const bool Acting = Side && B.ActingSide == Side;
    const bool Shooter = Acting && static_cast<std::int32_t>(I) == B.ShooterIndex;
    const bool Target = !Acting && static_cast<std::int32_t>(I) == B.TargetIndex;
    if (Shooter || Target) {
      if (Shooter) {
        glColor4f(0.2f, 0.8f, 0.2f, 1.0f);
      } else {
        glColor4f(0.8f, 0.2f, 0.2f, 1.0f);
        gTextureManager->DrawTexture("gui_autobattle_target", X, Y, 0.1f, 64, 64);
      }
      glDisable(GL_TEXTURE_2D);
      glLineWidth(2.0f);
      glEnable(GL_LINE_SMOOTH);
      glBegin(GL_LINE_STRIP);
      glVertex3f(X, Y, 0.12f);
      glVertex3f(X, Y + 64, 0.12f);
      glVertex3f(X + 64, Y + 64, 0.12f);
      glVertex3f(X + 64, Y, 0.12f);
      glVertex3f(X, Y, 0.12f);
      glEnd();
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      glLineWidth(1.0f);
      glDisable(GL_LINE_SMOOTH);
    }
    X += 64.0f;
    if (X >= Pw) {
      X = 0.0f;
      Y += 64.0f;
    }
  }
  glPopMatrix();
}

void DrawLosses(const TGLWindow& W, const TGLGUIItem& P, std::uint16_t Losses) {
  BeginPanel(W, P);
  const float Yb = static_cast<float>(RoundToInt(P.GetHeight() / 64.0) * 64 - 64);
  glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
  gTextureManager->DrawTexture("icon_destroyedunit", 0, Yb, 0.1f, 64, 64);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  gTextureManager->DrawTexture("icon_destroyedunit", -3, Yb - 3, 0.1f, 64, 64);
  gGUIFont->PrintPlain(std::to_string(Losses), TVector3{48, Yb + 24, 0.2f}, 2.0f, true, true);
  glPopMatrix();
}

}  // namespace

void AutoBattleWindow_Render(TGame& Game) {
  if (!gBattle) return;
  TGLWindow& W = InGameWindow("autobattle");
  if (gBattle->Running) AutoBattleWindow_Step(Game);
  W.GetGUIItemByID("button_autobattle_close").Visible = !gBattle->Running;
  // The window stays open after the battle while other windows and rounds free divisions and
  // units; the battle forgets them as they go, so what it still holds is alive.
  if (gBattle->AttackerDivision) {
    DrawInfoPanel(W, W.GetGUIItemByID("panel_attacker_info"), true);
    DrawArmyPanel(W, W.GetGUIItemByID("panel_attacker_army"), true);
  }
  if (gBattle->DefenderDivision) {
    DrawInfoPanel(W, W.GetGUIItemByID("panel_defender_info"), false);
    DrawArmyPanel(W, W.GetGUIItemByID("panel_defender_army"), false);
  }
  DrawLosses(W, W.GetGUIItemByID("panel_attacker_army"), gBattle->AttackerLosses);
  DrawLosses(W, W.GetGUIItemByID("panel_defender_army"), gBattle->DefenderLosses);
  glDisable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
