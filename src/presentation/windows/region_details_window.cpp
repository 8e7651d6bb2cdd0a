// The region details window "regioninfo": the selected region's values with warning colours
// and tendencies, its buildings in the diorama with slot picking, its division, and the move,
// manage, build and demolish buttons.
#include <string>

#include <cstdint>
#include <vector>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/tex_font.h"
#include "engine/texture_manager.h"
#include "engine/virtual_file_system.h"
#include "gui/gui_globals.h"
#include "gui/gui_item.h"
#include "gui/gui_manager.h"
#include "gui/list_box.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "gui/window.h"
#include "platform/rounding.h"
#include "presentation/window_view3d.h"
#include "presentation/windows/game_windows.h"
#include "presentation/windows/window_common.h"
#include "world/division.h"
#include "world/nation.h"
#include "world/building_type.h"
#include "world/region.h"
#include "world/unit_type.h"
#include "world/world_globals.h"

void RegionWindow_Show(TGame&) {
  TGLWindow* W = gInGameGUI->GetWindow("regioninfo");
  if (!W) return;
  // The floating box is drawn by the render handler only, at the mouse.
  W->GetItem<TGLPanel>("panel_hover").Visible = false;
  if (TRegion* R = SelectedPlayerRegion()) {
    W->Caption = R->GetName();
    // The hover box's portrait of the division's general, loaded here rather than while it draws.
    if (const TDivision* D = R->GetDivision(); D && D->General) LoadOnDemandPicture(D->General->Image);
  }
}

void RegionWindow_Click(TGame& Game, const std::string& Name) {
  TRegion* R = SelectedPlayerRegion();
  TGLWindow* W = gInGameGUI->GetWindow("regioninfo");
  if (!R || !W) return;
  TDivision* D = R->GetDivision();
  if (Name == "regiondetails_move_army") {
    if (!D) {
      RefuseHint("szMsgArmyNoDivisionInRegion");
    } else if (D->UnitCount() == 0) {
      RefuseHint("szMsgArmyDivisionEmptyCantMove");
    } else if (D->HasMoved) {
      RefuseHint("szMsgArmyDivisionMoved");
    } else if (Game.CursorMode == 0) {
      // Another running mode keeps its own parked window and division; it ends first.
      gInGameGUI->ShowHint(Localize("szHintMoveDivision"), Localize("szHintExitWithEscape"));
      Game.CursorMode = 2;
      Game.MoveDivisionIndex = D->ID;
      Game.SavedWindowRect = TSavedWindowRect{W->X, W->Y, W->Z};
      Game.StationDivision = D;
      Game.MoveSourceRegion = R;
      W->Y = static_cast<float>(gInGameGUI->ScreenHeight - 25);
    }
  }
  if (Name == "regiondetails_manage_army") {
    if (!D) {
      RefuseHint("szMsgArmyNoDivisionInRegion");
    } else if (TGLWindow* Army = gInGameGUI->GetWindow("army_management")) {
      ArmyWindow_Show(Game);
      static_cast<TGLListBox&>(Army->GetGLGUIItem(1, "listbox")).ItemIndex = D->ID;
      ArmyWindow_Show(Game);
      // The division texts follow the selection, so a rename acts on the division shown.
      ArmyWindow_Click(Game, "listbox_division_");
      gInGameGUI->OpenWindow("army_management");
    }
  }
  if (Name == "regiondetails_build_menu") {
    BuildWindow_Show(Game);
    gInGameGUI->OpenWindow("region_build");
  }
  if (Name == "regiondetails_destroy_building") {
    const std::int32_t Slot = Game.RegionDetailsSelectedSlot;
    if (Slot < 0 || Slot > 8) return;
    TBuilding& B = R->Buildings[static_cast<std::size_t>(Slot / 3)][static_cast<std::size_t>(Slot % 3)];
    if (B.Type) {
      B.Type = nullptr;
      PlayWindowSound("demolish");
    } else if (B.FinishType) {
      B.FinishType = nullptr;
      R->StatusIcon.clear();
      PlayWindowSound("demolish");
    }
  }
}

// ---- drawing ---------------------------------------------------------------------------------

namespace {

const char* const kValueIDs[7] = {"population", "populationgrowth", "loyality", "ressources",
                                  "pollution",  "defense",          "energy"};

void ValuePair(const TRegion& R, int I, float& Current, float& Last) {
  switch (I) {
    case 0: Current = R.Population, Last = R.PopulationLast; break;
    case 1: Current = R.Growth, Last = R.GrowthLast; break;
    case 2: Current = R.Loyality, Last = R.LoyalityLast; break;
    case 3: Current = R.Ressources, Last = R.RessourcesLast; break;
    case 4: Current = R.Pollution, Last = R.PollutionLast; break;
    case 5: Current = R.Defense, Last = R.DefenseLast; break;
    default: Current = R.Energy, Last = R.EnergyLast; break;
  }
}

// The 16 x 16 arrow for a value against its previous one.
void TendencyIcon(float Current, float Previous, float X, float Y, float Z) {
  const char* Name = Current > Previous   ? "gui_icon_tendency_up"
                     : Current < Previous ? "gui_icon_tendency_down"
                                          : "gui_icon_tendency_same";
  gTextureManager->DrawTexture(Name, X, Y, Z, 16.0f, 16.0f);
}

void Print(const std::string& Text, float X, float Y, float Z, TVector3 Colour = {1.0f, 1.0f, 1.0f}) {
  gGUIFont->Print(Text, TVector3{X, Y, Z}, Colour, 1.0f, 1.0f, false, true);
}

// A localised text with one "%s" filled in.
std::string FillText(const std::string& Format, const std::string& Value) {
  std::string S = Format;
  if (auto P = S.find("%s"); P != std::string::npos) S.replace(P, 2, Value);
  return S;
}

void DrawSlotBox(TGame& Game, TGLWindow& W, TRegion& R) {
  auto& Hover = W.GetItem<TGLPanel>("panel_hover");
  const std::int32_t Slot = Game.RegionDetailsHoveredSlot;
  if (Slot < 0 || Slot > 8) {
    Hover.Position = TVector3{-512.0f, -512.0f, 0.0f};
    return;
  }
  const TBuilding& B = R.Buildings[static_cast<std::size_t>(Slot / 3)][static_cast<std::size_t>(Slot % 3)];
  Hover.Position = TVector3{static_cast<float>(gMouseX + 15), static_cast<float>(gMouseY + 10), W.Z + 0.1f};
  Hover.Visible = true;
  Hover.Alpha = 1.0f;
  Hover.Render();
  Hover.Visible = false;
  const TVector3 P = Hover.Position;
  if (B.Type) {
    std::int32_t Width = Hover.Width, Height = Hover.Height;
    B.Type->DrawEffects(P.X + 7, P.Y + 7, P.Z + 0.5f, Width, Height);
    Hover.Width = Width;
    Hover.Height = Height;
  } else if (B.FinishType) {
    const std::string First = FillText(Localize("szStrUnderConstruction"), B.FinishType->GetName());
    Print(First, P.X + 7, P.Y + 7, P.Z + 0.5f);
    Print(Localize("szStrConstructRemainingTurns") + std::to_string(B.FinishTime), P.X + 25, P.Y + 20, P.Z + 0.5f);
    Hover.Height = 48;
    Hover.Width = RoundToInt(gGUIFont->TextWidth(First)) + 15;
  } else {
    const std::string Text = Localize("szStrFreeBuildingSpot");
    Print(Text, P.X + 7, P.Y + 7, P.Z + 0.5f);
    Hover.Height = 32;
    Hover.Width = RoundToInt(gGUIFont->TextWidth(Text)) + 15;
  }
}

void DrawDivisionPanel(TGLWindow& W, TRegion& R) {
  auto& Panel = W.GetItem<TGLPanel>("panel_divisioninfo");
  glPushMatrix();
  glTranslatef(W.X + Panel.Position.X + 10, W.Y + Panel.Position.Y + 5, W.Z + Panel.Position.Z + 0.1f);
  if (const TDivision* D = R.GetDivision()) {
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const std::int32_t Strength = R.GetDivisionStrength();
    if (Strength <= 0) {
      gTextureManager->DrawTexture("gui_icon_army_star_empty", 20, -24, 0.2f, 32, 32);
    } else {
      for (std::int32_t I = 0; I < Strength; ++I)
        gTextureManager->DrawTexture("gui_icon_army_star", 20, -24.0f - 13.0f * static_cast<float>(I), 0.2f, 32, 32);
    }
    glPopMatrix();
    Print(D->Name, 0, 0, 0, gDefaultTextColor);
    gTextureManager->DrawTexture("cursor_special_info", 96, 20, 0, 48, 48);
    Print(Localize("szStrHoverForInfo"), 0, 56, 0);
    if (D->HasMoved) gTextureManager->DrawTexture("gui_icon_lock", 0, 20, 0.3f, 42, 42);
  } else {
    Print(Localize("szStrListNoDivision"), 0, 0, 0, gDefaultTextColor);
  }
  glPopMatrix();
}

void DrawDivisionBox(TGLWindow& W, TRegion& R) {
  const TGLGUIItem* AtMouse = W.GetItemAtMouse();
  if (!AtMouse || AtMouse->ID != "panel_divisioninfo") return;
  auto& Hover = W.GetItem<TGLPanel>("panel_hover");
  const TDivision* D = R.GetDivision();
  if (!D) {
    Hover.Position = TVector3{-512.0f, -512.0f, 0.0f};
    return;
  }
  Hover.Position = TVector3{static_cast<float>(gMouseX + 15), static_cast<float>(gMouseY - Hover.Height - 10), W.Z + 0.75f};
  Hover.Visible = true;
  Hover.Alpha = 1.0f;
  Hover.Render();
  Hover.Visible = false;
  glPushMatrix();
  glTranslatef(Hover.Position.X + 10, Hover.Position.Y + 5, Hover.Position.Z + 0.1f);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
  gTextureManager->DrawQuad(0, 5, 0, 48, 48);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor4f(0.929412f, 0.913725f, 0.549020f, 1.0f);
  gTextureManager->DrawQuad(0, 5, 0.05f, 48, 48);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (const TGeneral* G = D->General) {
    gTextureManager->DrawTexture(G->Image, 0, 5, 0.1f, 48, 48);
    Print(G->Name, 52, 0, 0);
    Print(Localize("szStrStaffGeneralAttAttack") + " :", 52, 13, 0.1f);
    Print(Localize("szStrStaffGeneralAttDefense") + " :", 52, 28, 0.1f);
    Print(Localize("szStrStaffGeneralAttMovement") + " :", 52, 43, 0.1f);
    // Each gauge beside its own label.
    DrawGauge(TVector3{125, 14, 0.1f}, TVector3{1, 1, 1}, G->Attack, 48, 13);
    DrawGauge(TVector3{125, 29, 0.1f}, TVector3{1, 1, 1}, G->Defense, 48, 13);
    DrawGauge(TVector3{125, 44, 0.1f}, TVector3{1, 1, 1}, G->Movement, 48, 13);
  } else {
    gTextureManager->DrawTexture("staff_unknown_general", 0, 5, 0.1f, 48, 48);
    Print(Localize("szStrArmyNoGeneral"), 52, 0, 0);
  }
  std::vector<TUnit*> Units;
  D->GetUnits(Units);
  Hover.Height = 25 * static_cast<std::int32_t>(Units.size()) + 96;
  Hover.Width = 192;
  for (std::size_t I = 0; I < Units.size(); ++I) {
    const TUnit& U = *Units[I];
    if (!U.UnitType) continue;
    const float Y = 25.0f * static_cast<float>(I) + 65.0f;
    glEnable(GL_BLEND);
    glColor4f(0.0f, 0.0f, 0.0f, 0.8f);
    gTextureManager->DrawTextureByID(U.UnitType->PreviewTexture, 2, Y + 2, 0, 25, 25);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    gTextureManager->DrawTextureByID(U.UnitType->PreviewTexture, 0, Y, 0.1f, 25, 25);
    Print(U.UnitType->GetName(), 28, Y, 0);
    const float Percent = U.UnitType->Health > 0.0f ? U.Health / U.UnitType->Health * 100.0f : 0.0f;
    DrawGauge(TVector3{38, Y + 14, 0}, TVector3{1, 1, 1}, Percent, 64, 12);
  }
  glPopMatrix();
}

}  // namespace

void RegionWindow_Render(TGame& Game) {
  if (gSelectedRegion < 0 || static_cast<std::size_t>(gSelectedRegion) >= gRegions.size()) return;
  TRegion& R = *gRegions[static_cast<std::size_t>(gSelectedRegion)];
  TGLWindow& W = InGameWindow("regioninfo");
  W.Caption = R.GetName();

  // Slot picking: only when the mouse moved inside the diorama over this window.
  auto& View = W.GetItem<TGLPanel>("panel_3dview");
  const float Left = static_cast<float>(RoundToInt(W.X + View.Position.X + 10));
  const float Top = static_cast<float>(RoundToInt(W.Y + View.Position.Y + 10));
  const float Right = static_cast<float>(RoundToInt(W.X + View.Position.X + View.GetWidth() - 10));
  const float Bottom = static_cast<float>(RoundToInt(W.Y + View.Position.Y + View.GetHeight() - 10));
  const bool Inside = PointInRect(gMouseX, gMouseY, Left, Top, Right, Bottom);
  if (!Inside) Game.RegionDetailsHoveredSlot = -1;
  if (Inside && gInGameGUI->GetWindowAtMouse() == &W &&
      (gMouseX != Game.RegionDetailsLastMouseX || gMouseY != Game.RegionDetailsLastMouseY)) {
    Game.RegionDetailsLastMouseX = gMouseX;
    Game.RegionDetailsLastMouseY = gMouseY;
    BeginWindowView3D(W, View, 4.0f, 4.0f);
    RegionWindow_DrawRegionScene(Game, true);
    EndWindowView3D(W);
    GLint Viewport[4];
    glGetIntegerv(GL_VIEWPORT, Viewport);
    glReadBuffer(GL_BACK);
    std::uint8_t Pixel[3] = {0, 0, 0};
    glReadPixels(Game.MouseX, Viewport[3] - Game.MouseY, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, Pixel);
    const std::int32_t Slot = SlotOfPickColour(Pixel[0], Pixel[1], Pixel[2]);
    if (Slot >= 0) Game.RegionDetailsHoveredSlot = Slot;
  }

  for (int I = 0; I < 7; ++I) {
    float Current, Last;
    ValuePair(R, I, Current, Last);
    W.GetItem<TGLText>(kValueIDs[I]).Text = FormatRegionValue(Current);
  }
  const std::pair<const char*, const char*> Warned[3] = {
      {"cap_energy", "energy"}, {"cap_pollution", "pollution"}, {"cap_loyality", "loyality"}};
  const TVector3 Colours[3] = {RegionValueColour(TRegionValueKind::Energy, R.Energy),
                               RegionValueColour(TRegionValueKind::Pollution, R.Pollution),
                               RegionValueColour(TRegionValueKind::Loyality, R.Loyality)};
  for (int I = 0; I < 3; ++I) {
    W.GetItem<TGLText>(Warned[I].first).Color = Colours[I];
    W.GetItem<TGLText>(Warned[I].second).Color = Colours[I];
  }

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.1f);
  for (int I = 0; I < 7; ++I) {
    float Current, Last;
    ValuePair(R, I, Current, Last);
    TendencyIcon(Current, Last, W.X + 169, W.Y + W.GetItem<TGLText>(kValueIDs[I]).Position.Y, W.Z + 0.1f);
  }
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);

  BeginWindowView3D(W, View, 4.0f, 4.0f);
  RegionWindow_DrawRegionScene(Game, false);
  EndWindowView3D(W);

  DrawSlotBox(Game, W, R);
  DrawDivisionPanel(W, R);
  DrawDivisionBox(W, R);
}
