#include "presentation/windows/research_carousel.h"

#include <cmath>
#include <utility>

#include "control/game.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/window.h"
#include "platform/rounding.h"
#include "presentation/view_state.h"
#include "presentation/window_view3d.h"
#include "presentation/windows/research_window.h"
#include "world/technology.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kRadius = 48.0f;

TMouseButtonQuery& ButtonQuery() {
  static TMouseButtonQuery Query = [] { return gLeftMouseDown; };
  return Query;
}

// The card transform: around the ring, then turned back and tilted so the card faces the viewer.
void CardTransform(float Angle, float SinA, float CosA) {
  glRotatef(Angle, 0.0f, -1.0f, 0.0f);
  glTranslatef(kRadius * SinA, 15.0f, kRadius * CosA);
  glRotatef(Angle, 0.0f, 1.0f, 0.0f);
  glRotatef(40.0f, -1.0f, 0.0f, 0.0f);
}

const TVector3 kTop{0.1245f, 0.1245f, 0.073f};
const TVector3 kBottom{0.0498f, 0.0498f, 0.0292f};
const TVector3 kOutline{249.0f / 255, 249.0f / 255, 146.0f / 255};

void DrawTechnology(float Angle, const std::string& Image, bool Reflection, float SinA, float CosA, float Scale) {
  const float h = 12.0f * Scale;
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPushMatrix();
  CardTransform(Angle, SinA, CosA);
  glDisable(GL_TEXTURE_2D);
  if (!Reflection) {
    glBegin(GL_QUADS);
    glColor4f(kTop.X, kTop.Y, kTop.Z, 1); glVertex3f(-h, h, 0);
    glColor4f(kBottom.X, kBottom.Y, kBottom.Z, 1); glVertex3f(-h, -h, 0); glVertex3f(h, -h, 0);
    glColor4f(kTop.X, kTop.Y, kTop.Z, 1); glVertex3f(h, h, 0);
    glEnd();
    glColor4f(kOutline.X, kOutline.Y, kOutline.Z, 1);
    glBegin(GL_LINE_STRIP);
    glVertex3f(-h, h, 0.01f); glVertex3f(-h, -h, 0.01f); glVertex3f(h, -h, 0.01f); glVertex3f(h, h, 0.01f);
    glVertex3f(-h, h, 0.01f);
    glEnd();
  } else {
    glBegin(GL_QUADS);
    glColor4f(0, 0, 0, 0.3f); glVertex3f(-h, -h, 0);
    glColor4f(0, 0, 0, 0.1f); glVertex3f(-h, -3 * h, 0); glVertex3f(h, -3 * h, 0);
    glColor4f(0, 0, 0, 0.3f); glVertex3f(h, -h, 0);
    glEnd();
    glBegin(GL_LINE_STRIP);
    glColor4f(kOutline.X, kOutline.Y, kOutline.Z, 0.3f); glVertex3f(-h, -h, 0.01f);
    glColor4f(kOutline.X, kOutline.Y, kOutline.Z, 0.1f); glVertex3f(-h, -3 * h, 0.01f); glVertex3f(h, -3 * h, 0.01f);
    glColor4f(kOutline.X, kOutline.Y, kOutline.Z, 0.3f); glVertex3f(h, -h, 0.01f); glVertex3f(-h, -h, 0.01f);
    glEnd();
  }
  glEnable(GL_TEXTURE_2D);
  GUIServices().BindTexture(Image);
  glBegin(GL_QUADS);
  if (!Reflection) {
    const float s = 0.9f * h;
    glColor4f(0, 0, 0, 0.7f);
    glTexCoord2f(0, 1); glVertex3f(1 - s, s - 1, 0.01f);
    glTexCoord2f(0, 0); glVertex3f(1 - s, -s - 1, 0.01f);
    glTexCoord2f(1, 0); glVertex3f(s + 1, -s - 1, 0.01f);
    glTexCoord2f(1, 1); glVertex3f(s + 1, s - 1, 0.01f);
    glColor4f(1, 1, 1, 1);
    glTexCoord2f(0, 1); glVertex3f(-s, s, 0.02f);
    glTexCoord2f(0, 0); glVertex3f(-s, -s, 0.02f);
    glTexCoord2f(1, 0); glVertex3f(s, -s, 0.02f);
    glTexCoord2f(1, 1); glVertex3f(s, s, 0.02f);
  } else {
    glColor4f(0, 0, 0, 0.3f); glTexCoord2f(0, 0); glVertex3f(1 - h, -h - 1, 0.01f);
    glColor4f(0, 0, 0, 0.1f); glTexCoord2f(0, 1); glVertex3f(1 - h, -2 * h - 2, 0.01f);
    glTexCoord2f(1, 1); glVertex3f(h + 1, -2 * h - 2, 0.01f);
    glColor4f(0, 0, 0, 0.3f); glTexCoord2f(1, 0); glVertex3f(h + 1, -h - 1, 0.01f);
    glColor4f(1, 1, 1, 0.3f); glTexCoord2f(0, 0); glVertex3f(-h, -h, 0.02f);
    glColor4f(1, 1, 1, 0.1f); glTexCoord2f(0, 1); glVertex3f(-h, -3 * h, 0.02f);
    glTexCoord2f(1, 1); glVertex3f(h, -3 * h, 0.02f);
    glColor4f(1, 1, 1, 0.3f); glTexCoord2f(1, 0); glVertex3f(h, -h, 0.02f);
  }
  glEnd();
  glPopMatrix();
}

// The band behind a text: two caps of "research_technamebg" and a stretched middle.
void DrawBand(float hw, float y1, float y2) {
  GUIServices().BindTexture("research_technamebg");
  glBegin(GL_QUADS);
  auto Quad = [&](float xa, float sa, float xb, float sb) {
    glTexCoord2f(sa, 0); glVertex3f(xa, y1, 0.05f);
    glTexCoord2f(sa, 1); glVertex3f(xa, y2, 0.05f);
    glTexCoord2f(sb, 1); glVertex3f(xb, y2, 0.05f);
    glTexCoord2f(sb, 0); glVertex3f(xb, y1, 0.05f);
  };
  Quad(-hw - 48, 0.0f, -hw + 24, 0.46875f);
  Quad(hw + 48, 0.0f, hw - 24, 0.46875f);
  Quad(-hw + 24, 0.46875f, hw - 24, 0.53125f);
  glEnd();
}

void BandedText(const std::string& Text, float Y, float BandTop, float BandBottom, bool Shadow, TVector3 Color) {
  const float hw = GUIServices().TextWidth(Text) * 1.3f / 2.0f;
  if (BandTop != BandBottom) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    DrawBand(hw, BandTop, BandBottom);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  GUIServices().Print(Text, TVector3{-hw, Y, 0.1f}, Color, 1.0f, 1.3f, Shadow, true);
}

// Steps of whole degrees from From to To going one way round, wrapping at 0 / 360.
int StepsTo(int From, int To, int Step) {
  int Count = 0;
  int A = From;
  do {
    A += Step;
    if (A > 360) A = 0;
    if (A < 0) A = 360;
    ++Count;
  } while (A != To && Count < 1000);
  return Count;
}

}  // namespace

std::array<std::uint8_t, 3> CarouselPickColor(std::int32_t Index) {
  std::array<std::uint8_t, 3> C{15, 0, 0};
  for (std::int32_t i = 0; i < Index; ++i) {
    if (C[0] < 240) C[0] = std::uint8_t(C[0] + 15);
    else if (C[1] < 240) C[1] = std::uint8_t(C[1] + 15);
    else if (C[2] < 240) C[2] = std::uint8_t(C[2] + 15);
    else break;
  }
  return C;
}

std::int32_t CarouselDecodePick(const std::array<std::uint8_t, 3>& Rgb, std::int32_t Count) {
  for (std::int32_t i = 0; i < Count; ++i)
    if (CarouselPickColor(i) == Rgb) return i;
  return -1;
}

float CarouselDirection(float Angle, float Target) {
  const int From = RoundToInt(Angle), To = RoundToInt(Target);
  int Up, Down;
  if (From == To) {
    Up = Down = 361;
  } else {
    Up = StepsTo(From, To, 1);
    Down = StepsTo(From, To, -1);
  }
  return Up > Down ? -1.0f : 1.0f;
}

void CarouselAnimStep(float& Angle, float& Direction, float Target, float FadeSpeed) {
  const float s = FadeSpeed / 10.0f;
  Angle += Direction * s;
  if (Angle > 360.0f) Angle -= 360.0f;
  if (Angle < 0.0f) Angle += 360.0f;
  if (Target - 2 * s < Angle && Angle < Target + 2 * s) {
    Angle = Target;
    Direction = 0.0f;
  }
}

TMouseButtonQuery SetCarouselButtonQuery(TMouseButtonQuery Query) {
  TMouseButtonQuery Previous = std::move(ButtonQuery());
  ButtonQuery() = Query ? std::move(Query) : TMouseButtonQuery([] { return gLeftMouseDown; });
  return Previous;
}

void ResearchCarousel_Pick(TGame& Game, TViewState& Ring, std::int32_t Card) {
  const auto& List = Game.ResearchTechList;
  if (Card < 0 || static_cast<std::size_t>(Card) >= List.size()) return;
  Ring.ResearchCarouselTarget = float(Card * 360.0 / static_cast<double>(List.size()));
  Ring.ResearchCarouselDirection = CarouselDirection(Ring.ResearchCarouselAngle, Ring.ResearchCarouselTarget);
  TTechnology* Picked = List[static_cast<std::size_t>(Card)];
  if (Picked != Game.ResearchSelectedTech) GUIServices().PlaySound("ResearchRotate");
  Game.ResearchSelectedTech = Picked;
  ResearchWindow_Click(Game, "");
}

std::int32_t ResearchCarousel_Render(TGame& Game, TViewState& Ring) {
  TGLWindow* Window = gInGameGUI->GetWindow("science");
  if (!Window) return -1;
  std::int32_t Hit = -1;
  const TGLGUIItem& Panel = Window->GetGUIItemByID("panel_3dview");
  const float PanelW = float(Panel.Width > 0 ? Panel.Width : 1), PanelH = float(Panel.Height > 0 ? Panel.Height : 1);
  const int ClientHeight = gInGameGUI->ClientSize.Y > 0 ? gInGameGUI->ClientSize.Y : gInGameGUI->ScreenHeight;

  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
  BeginWindowView3D(*Window, Panel, 4.0f, 4.0f);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glMatrixMode(GL_PROJECTION);
  gluPerspective(90.0, PanelW / PanelH, 1.0, 512.0);
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glTranslatef(0.0f, 15.0f, -80.0f);
  glRotatef(40.0f, 1.0f, 0.0f, 0.0f);

  const auto& List = Game.ResearchTechList;
  const std::int32_t n = static_cast<std::int32_t>(List.size());
  const float Angle = Ring.ResearchCarouselAngle;
  auto SinCos = [n](std::int32_t i, float& S, float& C) {
    const double A = i * (2.0 * kPi / n);
    S = float(std::sin(A));
    C = float(std::cos(A));
  };
  if (n > 0) {
    // Pick pass: each card flat in its own colour, one pixel read back under the mouse.
    for (std::int32_t i = 0; i < n; ++i) {
      float S, C;
      SinCos(i, S, C);
      const auto Rgb = CarouselPickColor(i);
      glPushMatrix();
      CardTransform(Angle, S, C);
      glColor3ub(Rgb[0], Rgb[1], Rgb[2]);
      glBegin(GL_QUADS);
      glVertex3f(-12, 12, 0); glVertex3f(-12, -12, 0); glVertex3f(12, -12, 0); glVertex3f(12, 12, 0);
      glEnd();
      glPopMatrix();
    }
    glColor3f(1, 1, 1);
    // Only inside the panel: elsewhere a GUI pixel could match a pick colour.
    const float Left = Window->X + Panel.Position.X + 4, Top = Window->Y + Panel.Position.Y + 4;
    auto OverRingAt = [&](int X, int Y) {
      return PointInRect(X, Y, Left, Top, Left + PanelW - 8, Top + PanelH - 8) && gInGameGUI->GetWindowAt(X, Y) == Window;
    };
    const bool Down = ButtonQuery()();
    // A press since the last frame counts even when it was released before this frame: it picks
    // the card that was under the press.
    const bool QuickPress = gLeftMousePressed && !Down;
    int PickX = Game.MouseX, PickY = Game.MouseY;
    bool Pick = false;
    if (QuickPress) {
      PickX = Game.LeftPressX;
      PickY = Game.LeftPressY;
      Pick = OverRingAt(gLeftPressMouseX, gLeftPressMouseY);
      Ring.ResearchRingPressBegan = false;
    } else {
      const bool OverRing = OverRingAt(gMouseX, gMouseY);
      if (Down && (!Ring.ResearchRingButtonWasDown || gLeftMousePressed))
        Ring.ResearchRingPressBegan = OverRingAt(gLeftMousePressed ? gLeftPressMouseX : gMouseX, gLeftMousePressed ? gLeftPressMouseY : gMouseY);
      if (!Down) Ring.ResearchRingPressBegan = false;
      Pick = Down && Ring.ResearchRingPressBegan && OverRing;
    }
    Ring.ResearchRingButtonWasDown = Down;
    if (Pick) {
      std::array<std::uint8_t, 3> Pixel{};
      glReadBuffer(GL_BACK);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(PickX, ClientHeight - PickY, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, Pixel.data());
      Hit = CarouselDecodePick(Pixel, n);
    }
    glClear(GL_DEPTH_BUFFER_BIT);
    for (std::int32_t i = 0; i < n; ++i) {
      float S, C;
      SinCos(i, S, C);
      DrawTechnology(Angle, TechnologyPicture(List[static_cast<std::size_t>(i)]->Image), false, S, C, 1.0f);
    }
    // The dark floor the cards stand on.
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glColor4f(0, 0, 0, 0.7f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    glRotatef(40.0f, -1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(-59, -22, 32); glVertex3f(-59, -64, 32); glVertex3f(59, -64, 32); glVertex3f(59, -22, 32);
    glEnd();
    glPopMatrix();
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    glBegin(GL_POLYGON);
    for (int k = -14; k <= 78; ++k)
      glVertex3f(float(64 * std::sin(k * kPi / 64)), 5.75f, float(72 * std::cos(k * kPi / 64)));
    glEnd();
    glDepthMask(GL_TRUE);
    glPopMatrix();
    for (std::int32_t i = 0; i < n; ++i) {
      float S, C;
      SinCos(i, S, C);
      DrawTechnology(Angle, TechnologyPicture(List[static_cast<std::size_t>(i)]->Image), true, S, C, 1.0f);
    }
  } else {
    Ring.ResearchCarouselAngle = 0.0f;
    Ring.ResearchCarouselTarget = 0.0f;
    glClear(GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < 16; ++i) {
      const double A = i * 22.5 * kPi / 180.0;
      DrawTechnology(0.0f, "cc_icon_science", false, float(std::sin(A)), float(std::cos(A)), 1.0f);
    }
  }

  // Texts over the ring, in a flat projection 400 wide with y downwards.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-200.0, 200.0, 200.0 * PanelH / PanelW, -200.0 * PanelH / PanelW, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (n > 0) {
    if (Game.ResearchSelectedTech) BandedText(Game.ResearchSelectedTech->GetName(), 70, 90, 70, true, TVector3{1, 1, 1});
  } else {
    BandedText(Localize("szResearchNoMoreTechs"), 60, 0, 0, false, gDefaultTextColor);
  }
  glPushMatrix();
  glTranslatef(0.0f, -110.0f, 0.0f);
  BandedText(Localize("szStrResearchSelectTech"), 0, 20, 0, true, TVector3{1, 1, 1});
  glPopMatrix();
  EndWindowView3D(*Window);
  glPopAttrib();
  return Hit;
}

void ResearchCarousel_Animate(TViewState& Ring) {
  CarouselAnimStep(Ring.ResearchCarouselAngle, Ring.ResearchCarouselDirection, Ring.ResearchCarouselTarget,
                   gInGameGUI->FadeSpeed);
}
