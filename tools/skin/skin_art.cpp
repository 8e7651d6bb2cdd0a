// tarnova-skinart: paints the interface art into the data folder: the toolkit's skin textures,
// the icons of the windows, the heads-up display and the globe, the message-box pictures, the
// staff portraits of the transfer market, the technology picture, and the pictures of the running
// game's screen and of the main menu (whose labels are set in the given TrueType font).
// Usage: tarnova-skinart <output root> <font file>
// Everything is drawn from shapes in this file; the same program always writes the same bytes.
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>

#include "platform/files.h"
#include "raster.h"
#include "screen_art.h"

namespace fs = std::filesystem;

namespace {

// ------------------------------------------------------------------------------------- skins
// The skins are addressed as the toolkit reads them: s across, t up from the bottom row.

struct TSkinColors {
  TColor Rim, RimDark, Body, BodyLow, PlateTop, PlateLow, PlateLine;
};

// The frame skins ("gui_interface" for windows, "gui_interface_light" for panels and lists).
// Rows (t): 0 .. 0.21 the frame band, outer edge at t = 0 (also the 14-pixel frame corners,
// 0 .. 0.109); 0.21 .. 0.79 the side edges (s 0 .. 0.047 and 0.945 .. 1, outer edge at s = 0 and
// 1); 0.5 .. 0.75 at s 0.07 .. 0.30 the body fill; 0.82 .. 1 the title plate, outer edge at
// t = 1. Glyphs in the body: close box (s 0.8125 .. 0.92, t 0.625 .. 0.75), drop-down arrow
// (s 0.547 .. 0.672, t 0.508 .. 0.625), scroll arrow pointing up (same s, t 0.39 .. 0.508) and
// check mark (s 0.68 .. 0.78, t 0.39 .. 0.508).
TCanvas FrameSkin(const TSkinColors& C) {
  const int N = 256;
  TCanvas K(N, N);
  auto Row = [&](double T) { return static_cast<float>((1.0 - T) * N); };
  auto Col = [&](double S) { return static_cast<float>(S * N); };
  // Outer rim, a dark line inside it, then the body.
  K.Fill(RoundRect(0, 0, N, N, 16), C.Rim);
  K.Set(RoundRect(3, 3, N - 3, N - 3, 13), C.RimDark);
  K.Set(RoundRect(5, 5, N - 5, N - 5, 11), C.Body);
  const float BodyTop = Row(0.79), BodyBottom = Row(0.0);
  K.Set(Rect(5, BodyTop, N - 5, BodyBottom - 5), [&](float, float Y) {
    return Mix(C.Body, C.BodyLow, std::clamp((Y - BodyTop) / (BodyBottom - BodyTop), 0.0f, 1.0f));
  });
  // The band along the outer edge at t = 0 is lighter: a lit bevel.
  K.Fill(Rect(5, Row(0.21), N - 5, N - 5), [&](float, float Y) {
    const float F = std::clamp((Y - Row(0.21)) / (N - 5 - Row(0.21)), 0.0f, 1.0f);
    TColor L = C.Rim;
    L.A = 0.25f * F * F;
    return L;
  });
  // The title plate.
  const float PB = Row(0.8203125);
  K.Clear(0, 0, N, static_cast<int>(PB) + 1);
  const TShape Plate = Minus(RoundRect(0, 0, N, PB + 16, 14), Rect(-1, PB, N + 1, N + 1));
  K.Fill(Plate, [&](float, float Y) { return Mix(C.PlateTop, C.PlateLow, std::clamp(Y / PB, 0.0f, 1.0f)); });
  K.Fill(Minus(Plate, RoundRect(2, 2, N - 2, PB + 16, 12)), C.Rim);
  K.Fill(Rect(0, PB - 3, N, PB), C.PlateLine);
  K.Fill(Rect(12, 4, N - 12, 8), TColor{1, 1, 1, 0.18f});

  // Glyph cells are transparent around their glyphs.
  auto Cell = [&](double S0, double S1, double T0, double T1) {
    K.Clear(static_cast<int>(Col(S0)), static_cast<int>(Row(T1)), static_cast<int>(std::ceil(Col(S1))),
            static_cast<int>(std::ceil(Row(T0))));
  };
  Cell(0.8125, 0.921875, 0.625, 0.75);
  const float BX0 = Col(0.8125), BX1 = Col(0.921875), BY0 = Row(0.75), BY1 = Row(0.625);
  K.Fill(RoundRect(BX0 + 2, BY0 + 2, BX1 - 2, BY1 - 2, 5), Rgb(150, 40, 36));
  K.Fill(Minus(RoundRect(BX0 + 2, BY0 + 2, BX1 - 2, BY1 - 2, 5), RoundRect(BX0 + 4, BY0 + 4, BX1 - 4, BY1 - 4, 3)),
         Rgb(230, 150, 140));
  K.Fill(Line(BX0 + 9, BY0 + 9, BX1 - 9, BY1 - 9, 4), Rgb(255, 245, 240));
  K.Fill(Line(BX1 - 9, BY0 + 9, BX0 + 9, BY1 - 9, 4), Rgb(255, 245, 240));

  Cell(0.546875, 0.671875, 0.5078125, 0.625);
  const float AX0 = Col(0.546875), AX1 = Col(0.671875), DY0 = Row(0.625), DY1 = Row(0.5078125);
  const float AXM = (AX0 + AX1) / 2;
  K.Fill(Polygon({{AX0 + 6, DY0 + 9}, {AX1 - 6, DY0 + 9}, {AXM, DY1 - 8}}), C.PlateLine);

  Cell(0.546875, 0.671875, 0.390625, 0.5078125);
  const float UY0 = Row(0.5078125), UY1 = Row(0.390625);
  K.Fill(Polygon({{AXM, UY0 + 7}, {AX1 - 5, UY1 - 8}, {AX0 + 5, UY1 - 8}}), C.PlateLine);

  Cell(0.6796875, 0.78125, 0.390625, 0.5078125);
  const float CX0 = Col(0.6796875), CX1 = Col(0.78125);
  K.Fill(Line(CX0 + 5, (UY0 + UY1) / 2 + 1, CX0 + 11, UY1 - 7, 5), Rgb(120, 230, 120));
  K.Fill(Line(CX0 + 11, UY1 - 7, CX1 - 4, UY0 + 6, 5), Rgb(120, 230, 120));
  return K;
}

// A three-piece skin with rounded ends: left piece s 0 .. 0.5, middle 0.515 .. 0.75, right end
// 0.75 .. 1. Y0 .. Y1 are the rows it fills.
void Capsule(TCanvas& K, float Y0, float Y1, float Radius, TColor Top, TColor Bottom, TColor Rim, TColor Glow) {
  const float W = static_cast<float>(K.Width);
  K.Fill(RoundRect(0, Y0, W, Y1, Radius), Rim);
  K.Set(RoundRect(2, Y0 + 2, W - 2, Y1 - 2, Radius - 2), Top);
  K.Fill(RoundRect(2, Y0 + 2, W - 2, Y1 - 2, Radius - 2), [=](float, float Y) {
    return Mix(Top, Bottom, std::clamp((Y - Y0) / (Y1 - Y0), 0.0f, 1.0f));
  });
  K.Fill(RoundRect(5, Y0 + 3, W - 5, Y0 + (Y1 - Y0) * 0.42f, Radius - 4), Glow);
}

TCanvas ButtonSkin() {
  // Upper half: the button at rest (t 1 .. 0.5); lower half: hovered (t 0.5 .. 0).
  TCanvas K(128, 64);
  Capsule(K, 1, 31, 9, Rgb(72, 92, 128), Rgb(28, 38, 60), Rgb(150, 170, 205), TColor{1, 1, 1, 0.14f});
  Capsule(K, 33, 63, 9, Rgb(96, 124, 170), Rgb(40, 56, 88), Rgb(240, 205, 120), TColor{1, 1, 1, 0.22f});
  return K;
}

TCanvas EditSkin() {
  // The whole height is one field; the text starts at half the left piece, a pen mark before it.
  TCanvas K(128, 32);
  Capsule(K, 1, 31, 7, Rgb(14, 18, 28), Rgb(34, 42, 60), Rgb(120, 140, 170), TColor{1, 1, 1, 0.03f});
  K.Fill(Line(10, 22, 22, 10, 3), Rgb(200, 210, 230));
  K.Fill(Polygon({{8, 24}, {9, 20}, {12, 23}}), Rgb(240, 210, 120));
  return K;
}

TCanvas TrackBarSkin() {
  // Upper half: the groove (ends at s 0 .. 0.125, mirrored on the right; middle 0.125 .. 0.875).
  // Lower half: the value gradient (s 0.01 .. 0.91, t 0.18 .. 0.41) and the thumb (s 0.93 .. 1).
  TCanvas K(128, 64);
  K.Fill(RoundRect(1, 10, 128 + 20, 22, 6), Rgb(150, 170, 205));
  K.Set(RoundRect(3, 12, 128 + 20, 20, 4), Rgb(12, 16, 26, 0.9f));
  K.Fill(Rect(0, 38, 117, 53), [](float X, float Y) {
    const float F = X / 117.0f, Sheen = 1.0f - std::abs(Y - 42.0f) / 14.0f;
    TColor C = Mix(Rgb(30, 70, 140), Rgb(110, 210, 255), F);
    return Mix(C, Rgb(255, 255, 255), 0.25f * std::max(0.0f, Sheen));
  });
  K.Fill(RoundRect(119.5f, 33, 127.5f, 63, 3.5f), Rgb(60, 70, 90));
  K.Fill(RoundRect(120.5f, 34, 126.5f, 62, 2.5f), [](float X, float) {
    return Mix(Rgb(250, 250, 255), Rgb(150, 165, 190), std::clamp((X - 120.5f) / 6.0f, 0.0f, 1.0f));
  });
  return K;
}

TCanvas GaugeSkin() {
  // Upper half: the background; lower half: the fill, white so that the colour tints it.
  TCanvas K(64, 32);
  K.Fill(Rect(0, 0, 64, 16), Rgb(150, 170, 205));
  K.Set(Rect(1, 1, 63, 15), Rgb(16, 20, 30, 0.85f));
  K.Fill(Rect(0, 16, 64, 32), [](float, float Y) {
    const float F = (Y - 16) / 16.0f;
    return Mix(Rgb(255, 255, 255), Rgb(150, 150, 150), F < 0.35f ? F * 0.3f : F);
  });
  return K;
}

// ------------------------------------------------------------------------------------- icons

const TColor kWhite = Rgb(245, 245, 245), kGold = Rgb(250, 200, 60), kRed = Rgb(225, 55, 45), kGreen = Rgb(90, 200, 80),
             kBlue = Rgb(90, 160, 240), kGrey = Rgb(150, 155, 165), kDark = Rgb(20, 22, 28), kYellow = Rgb(255, 225, 70);

// Icons are drawn on a 64 x 64 grid and get a dark outline that keeps them readable on any
// background.
using TIcon = std::function<void(TCanvas&)>;

TCanvas IconCanvas(const TIcon& Draw, int Size = 64, float OutlineWidth = 2.5f) {
  TCanvas K(Size, Size);
  K.Scale = Size / 64.0f;
  Draw(K);
  K.Outline(std::max(1.0f, OutlineWidth * K.Scale), Rgb(10, 12, 16, 0.9f));
  return K;
}

void Person(TCanvas& K, float CX, float CY, float S, TColor C) {
  K.Fill(Circle(CX, CY - 10 * S, 8 * S), C);
  K.Fill(RoundRect(CX - 14 * S, CY + 1 * S, CX + 14 * S, CY + 26 * S, 9 * S), C);
}

void Bolt(TCanvas& K, TColor C) {
  K.Fill(Polygon({{36, 4}, {14, 36}, {30, 36}, {24, 60}, {50, 24}, {34, 24}, {42, 4}}), C);
}

void House(TCanvas& K, TColor C) {
  K.Fill(Polygon({{32, 8}, {58, 30}, {50, 30}, {50, 56}, {14, 56}, {14, 30}, {6, 30}}), C);
  K.Set(Rect(27, 38, 37, 56), TColor{0, 0, 0, 0});
}

void StarIcon(TCanvas& K, TColor C) { K.Fill(Star(32, 34, 28, 12, 5), C); }

void Bars(TCanvas& K, int Filled) {
  for (int I = 0; I < 5; ++I) {
    const float X = 6 + I * 11.0f, Top = 50 - I * 9.0f;
    K.Fill(Rect(X, Top, X + 8, 58), I < Filled ? kGreen : Rgb(70, 74, 84));
  }
}

void Eye(TCanvas& K, TColor C) {
  K.Fill(Minus(Ellipse(32, 32, 28, 15), Ellipse(32, 32, 24, 11)), C);
  K.Fill(Circle(32, 32, 10), C);
  K.Set(Circle(32, 32, 4.5f), kDark);
}

void Slash(TCanvas& K) {
  K.Fill(Ring(32, 32, 29, 23), kRed);
  K.Fill(Line(13, 13, 51, 51, 6), kRed);
}

void Plus(TCanvas& K, float CX, float CY, TColor C) {
  K.Fill(Circle(CX, CY, 12), C);
  K.Fill(Line(CX - 7, CY, CX + 7, CY, 4), kWhite);
  K.Fill(Line(CX, CY - 7, CX, CY + 7, 4), kWhite);
}

void MinusBadge(TCanvas& K, float CX, float CY, TColor C) {
  K.Fill(Circle(CX, CY, 12), C);
  K.Fill(Line(CX - 7, CY, CX + 7, CY, 4), kWhite);
}

void Sword(TCanvas& K, float X0, float Y0, float X1, float Y1, TColor C) {
  K.Fill(Line(X0, Y0, X1, Y1, 5), C);
  const float DX = X1 - X0, DY = Y1 - Y0, L = std::sqrt(DX * DX + DY * DY), NX = -DY / L, NY = DX / L;
  const float GX = X0 + DX * 0.72f, GY = Y0 + DY * 0.72f;
  K.Fill(Line(GX - NX * 9, GY - NY * 9, GX + NX * 9, GY + NY * 9, 4), kGold);
  K.Fill(Line(GX, GY, X1, Y1, 5), Rgb(120, 80, 40));
}

std::map<std::string, std::pair<TIcon, int>> Icons() {
  std::map<std::string, std::pair<TIcon, int>> I;
  I["gui_icon_population"] = {[](TCanvas& K) {
                                Person(K, 22, 28, 0.85f, Rgb(120, 170, 230));
                                Person(K, 40, 30, 1.0f, Rgb(170, 210, 250));
                              }, 32};
  I["gui_icon_growth"] = {[](TCanvas& K) {
                            for (int B = 0; B < 3; ++B) K.Fill(Rect(8 + B * 16.0f, 46 - B * 10.0f, 20 + B * 16.0f, 58), kGreen);
                            K.Fill(Line(8, 36, 44, 12, 5), kWhite);
                            K.Fill(Polygon({{52, 6}, {48, 24}, {36, 10}}), kWhite);
                          }, 32};
  I["gui_icon_res"] = {[](TCanvas& K) {
                         K.Fill(Polygon({{32, 6}, {56, 24}, {32, 58}, {8, 24}}), Rgb(250, 180, 50));
                         K.Fill(Polygon({{32, 6}, {44, 24}, {32, 58}, {20, 24}}), Rgb(255, 220, 120));
                         K.Fill(Rect(8, 23, 56, 25), Rgb(200, 120, 30));
                       }, 32};
  I["gui_icon_army_star"] = {[](TCanvas& K) { StarIcon(K, kGold); }, 32};
  I["gui_icon_army_star_empty"] = {[](TCanvas& K) {
                                     K.Fill(Minus(Star(32, 34, 28, 12, 5), Star(32, 34, 20, 8.5f, 5)), kGrey);
                                   }, 32};
  I["gui_icon_energy"] = {[](TCanvas& K) { Bolt(K, kYellow); }, 32};
  I["gui_icon_noenergy"] = {[](TCanvas& K) {
                              Bolt(K, Rgb(160, 150, 90));
                              Slash(K);
                            }, 32};
  I["gui_icon_highpollution"] = {[](TCanvas& K) {
                                   K.Fill(Rect(8, 40, 56, 58), Rgb(120, 100, 80));
                                   K.Fill(Rect(36, 20, 46, 42), Rgb(120, 100, 80));
                                   for (int C = 0; C < 3; ++C) K.Fill(Circle(44 - C * 11.0f, 14 - C * 2.0f, 7 + C * 1.5f), Rgb(110, 110, 105));
                                 }, 32};
  I["gui_icon_lock"] = {[](TCanvas& K) {
                          K.Fill(Minus(RoundRect(18, 6, 46, 40, 12), RoundRect(24, 12, 40, 40, 7)), kGrey);
                          K.Fill(RoundRect(12, 28, 52, 58, 5), kGold);
                          K.Fill(Circle(32, 40, 4), kDark);
                          K.Fill(Rect(30, 40, 34, 50), kDark);
                        }, 32};
  I["gui_icon_spy_flagoutline"] = {[](TCanvas& K) {
                                     K.Fill(Line(14, 6, 14, 60, 4), kWhite);
                                     K.Fill(Minus(Polygon({{16, 8}, {56, 16}, {16, 34}}), Polygon({{20, 13}, {44, 17}, {20, 27}})), kWhite);
                                   }, 32};
  I["regionsymbol_building"] = {[](TCanvas& K) { House(K, kWhite); }, 32};
  I["gui_icon_building"] = {[](TCanvas& K) { House(K, Rgb(170, 190, 220)); }, 32};
  I["gui_icon_newbuilding"] = {[](TCanvas& K) {
                                 House(K, Rgb(170, 190, 220));
                                 Plus(K, 46, 44, kGreen);
                               }, 32};
  I["gui_icon_underconstruction"] = {[](TCanvas& K) {
                                       K.Fill(Line(14, 54, 44, 20, 6), Rgb(160, 110, 60));
                                       K.Fill(Polygon({{34, 8}, {58, 30}, {50, 38}, {26, 16}}), kGrey);
                                       K.Fill(Rect(6, 56, 58, 60), kYellow);
                                     }, 32};
  I["gui_icon_checked"] = {[](TCanvas& K) {
                             K.Fill(Line(10, 34, 26, 50, 8), kGreen);
                             K.Fill(Line(26, 50, 54, 14, 8), kGreen);
                           }, 32};
  I["gui_icon_stop"] = {[](TCanvas& K) {
                          std::vector<std::pair<float, float>> P;
                          for (int C = 0; C < 8; ++C) {
                            const float A = (22.5f + 45.0f * C) * 3.14159265f / 180;
                            P.emplace_back(32 + 27 * std::cos(A), 32 + 27 * std::sin(A));
                          }
                          K.Fill(Polygon(P), kRed);
                          K.Fill(Rect(16, 28, 48, 36), kWhite);
                        }, 32};
  I["button_research_window"] = {[](TCanvas& K) {
                                   K.Fill(Polygon({{26, 6}, {38, 6}, {38, 24}, {56, 56}, {8, 56}, {26, 24}}), Rgb(200, 230, 245));
                                   K.Fill(Polygon({{16, 42}, {48, 42}, {56, 56}, {8, 56}}), Rgb(80, 220, 180));
                                   K.Fill(Rect(22, 4, 42, 8), kWhite);
                                 }, 32};
  I["cc_icon_science"] = {[](TCanvas& K) {
                            for (float A : {0.0f, 60.0f, 120.0f})
                              K.Fill(Minus(Ellipse(32, 32, 28, 10, A), Ellipse(32, 32, 24.5f, 7, A)), Rgb(120, 200, 255));
                            K.Fill(Circle(32, 32, 6), kWhite);
                          }, 64};
  I["gui_icon_scientist"] = {[](TCanvas& K) {
                               Person(K, 32, 30, 1.15f, kWhite);
                               K.Fill(Rect(30, 32, 34, 60), Rgb(120, 170, 230));
                               K.Fill(Ring(27, 20, 4.5f, 3), kDark);
                               K.Fill(Ring(37, 20, 4.5f, 3), kDark);
                             }, 32};
  I["gui_icon_general"] = {[](TCanvas& K) {
                             Person(K, 32, 30, 1.15f, Rgb(110, 140, 90));
                             K.Fill(Polygon({{16, 14}, {48, 14}, {44, 6}, {20, 6}}), Rgb(70, 90, 60));
                             K.Fill(Rect(14, 13, 50, 17), kDark);
                             K.Fill(Star(32, 46, 8, 3.5f, 5), kGold);
                           }, 32};
  I["gui_icon_spy"] = {[](TCanvas& K) {
                         Person(K, 32, 30, 1.15f, Rgb(70, 74, 84));
                         K.Fill(Ellipse(32, 14, 22, 4), Rgb(40, 40, 46));
                         K.Fill(RoundRect(22, 4, 42, 14, 4), Rgb(40, 40, 46));
                         K.Fill(Rect(21, 18, 43, 23), kDark);
                       }, 32};
  for (int S = 0; S <= 5; ++S) I["gui_icon_armylist_strength" + std::to_string(S)] = {[S](TCanvas& K) { Bars(K, S); }, 32};
  I["button_staff_hire"] = {[](TCanvas& K) {
                              Person(K, 26, 28, 1.0f, Rgb(170, 210, 250));
                              Plus(K, 46, 44, kGreen);
                            }, 32};
  I["button_staff_fire"] = {[](TCanvas& K) {
                              Person(K, 26, 28, 1.0f, Rgb(170, 210, 250));
                              MinusBadge(K, 46, 44, kRed);
                            }, 32};
  I["button_espionage"] = {[](TCanvas& K) { Eye(K, kWhite); }, 32};
  I["button_espionage_spylocked"] = {[](TCanvas& K) {
                                       Eye(K, kGrey);
                                       Slash(K);
                                     }, 32};
  I["staff_unknown_general"] = {[](TCanvas& K) {
                                  K.Fill(Circle(32, 22, 13), Rgb(90, 96, 110));
                                  K.Fill(RoundRect(10, 38, 54, 68, 12), Rgb(90, 96, 110));
                                  K.Fill(Minus(Ring(32, 20, 7, 4), Rect(24, 21, 32, 30)), kWhite);
                                  K.Fill(Rect(30.5f, 25, 33.5f, 30), kWhite);
                                  K.Fill(Circle(32, 33, 2), kWhite);
                                }, 64};
  I["gui_autobattle_target"] = {[](TCanvas& K) {
                                  K.Fill(Ring(32, 32, 24, 20), kRed);
                                  K.Fill(Ring(32, 32, 12, 9), kRed);
                                  for (auto [X0, Y0, X1, Y1] : {std::array<float, 4>{32, 2, 32, 16}, {32, 48, 32, 62}, {2, 32, 16, 32}, {48, 32, 62, 32}})
                                    K.Fill(Line(X0, Y0, X1, Y1, 4), kWhite);
                                  K.Fill(Circle(32, 32, 3), kWhite);
                                }, 64};
  I["gui_autobattle_disabled"] = {[](TCanvas& K) {
                                    Sword(K, 54, 54, 12, 12, kGrey);
                                    Sword(K, 10, 54, 52, 12, kGrey);
                                    Slash(K);
                                  }, 64};
  I["icon_destroyedunit"] = {[](TCanvas& K) {
                               K.Fill(Star(32, 32, 30, 13, 11, -80), Rgb(230, 90, 30));
                               K.Fill(Star(32, 32, 19, 9, 9, -60), kYellow);
                               K.Fill(Circle(32, 32, 6), kWhite);
                             }, 64};
  I["gui_icon_message"] = {[](TCanvas& K) {
                             K.Fill(Rect(6, 14, 58, 50), kWhite);
                             K.Fill(Line(8, 16, 32, 34, 3), Rgb(120, 130, 150));
                             K.Fill(Line(56, 16, 32, 34, 3), Rgb(120, 130, 150));
                           }, 32};
  I["gui_icon_loyalty"] = {[](TCanvas& K) {
                             K.Fill(Union(Union(Circle(21, 24, 13), Circle(43, 24, 13)), Polygon({{9, 30}, {55, 30}, {32, 56}})), kRed);
                             K.Fill(Ellipse(19, 19, 5, 3, -30), TColor{1, 1, 1, 0.5f});
                           }, 32};
  I["gui_icon_defense"] = {[](TCanvas& K) {
                             auto Shield = [](float In) {
                               return Polygon({{10 + In, 8 + In}, {54 - In, 8 + In}, {54 - In, 30}, {32, 58 - In * 1.5f}, {10 + In, 30}});
                             };
                             K.Fill(Shield(0), kBlue);
                             K.Fill(Minus(Shield(0), Shield(5)), Rgb(200, 220, 250));
                             K.Fill(Rect(30, 12, 34, 50), Rgb(200, 220, 250));
                           }, 32};
  I["_test_ui_cc_next_round"] = {[](TCanvas& K) {
                                   K.Fill(Polygon({{12, 6}, {52, 6}, {34, 32}, {52, 58}, {12, 58}, {30, 32}}), Rgb(220, 200, 150));
                                   K.Fill(Polygon({{20, 52}, {44, 52}, {32, 40}}), Rgb(250, 210, 90));
                                   K.Fill(Rect(8, 3, 56, 7), Rgb(140, 100, 60));
                                   K.Fill(Rect(8, 57, 56, 61), Rgb(140, 100, 60));
                                 }, 32};
  // Effect icons of the building information.
  I["nuclear"] = {[](TCanvas& K) {
                    K.Fill(Circle(32, 32, 29), kYellow);
                    K.Fill([](float X, float Y) {
                             const float DX = X - 32, DY = Y - 32, R = std::sqrt(DX * DX + DY * DY);
                             if (R < 9 || R > 26) return false;
                             const float A = std::fmod(std::atan2(DY, DX) * 180 / 3.14159265f + 360 + 90, 120.0f);
                             return A > 30 && A < 90;
                           }, kDark);
                    K.Fill(Circle(32, 32, 5.5f), kDark);
                  }, 32};
  I["button_regiondivision_manage"] = {[](TCanvas& K) {
                                         K.Fill(Polygon({{10, 8}, {54, 8}, {54, 30}, {32, 58}, {10, 30}}), Rgb(90, 120, 70));
                                         K.Fill(Star(32, 28, 14, 6, 5), kGold);
                                       }, 32};
  // Title-bar icons for the windows.
  I["gui_icon_info"] = {[](TCanvas& K) {
                          K.Fill(Circle(32, 32, 28), kBlue);
                          K.Fill(Circle(32, 17, 5), kWhite);
                          K.Fill(RoundRect(27, 26, 37, 52, 3), kWhite);
                        }, 32};
  I["gui_icon_globe"] = {[](TCanvas& K) {
                           K.Fill(Circle(32, 32, 28), Rgb(50, 110, 200));
                           K.Fill(Ellipse(24, 26, 11, 8, 30), kGreen);
                           K.Fill(Ellipse(42, 42, 8, 11, -20), kGreen);
                           K.Fill(Minus(Ellipse(32, 32, 13, 28), Ellipse(32, 32, 10.5f, 26)), Rgb(200, 225, 255, 0.8f));
                           K.Fill(Rect(4, 31, 60, 33), Rgb(200, 225, 255, 0.8f));
                         }, 32};
  I["gui_icon_army"] = {[](TCanvas& K) {
                          K.Fill(RoundRect(4, 40, 60, 56, 8), Rgb(50, 56, 44));
                          for (int W = 0; W < 5; ++W) K.Fill(Circle(12 + W * 10.0f, 48, 3.5f), kGrey);
                          K.Fill(Polygon({{8, 40}, {14, 30}, {54, 30}, {58, 40}}), Rgb(110, 130, 80));
                          K.Fill(RoundRect(20, 18, 42, 32, 5), Rgb(120, 140, 90));
                          K.Fill(Line(40, 23, 62, 19, 4), Rgb(120, 140, 90));
                        }, 32};
  I["gui_icon_battle"] = {[](TCanvas& K) {
                           Sword(K, 54, 56, 10, 10, Rgb(220, 225, 235));
                           Sword(K, 10, 56, 54, 10, Rgb(220, 225, 235));
                         }, 32};
  I["gui_icon_save"] = {[](TCanvas& K) {
                          K.Fill(Polygon({{6, 6}, {50, 6}, {58, 14}, {58, 58}, {6, 58}}), Rgb(50, 80, 150));
                          K.Fill(Rect(16, 6, 44, 22), kGrey);
                          K.Fill(Rect(34, 9, 40, 19), Rgb(50, 80, 150));
                          K.Fill(Rect(14, 32, 50, 58), kWhite);
                          K.Fill(Rect(18, 40, 46, 42), kGrey);
                          K.Fill(Rect(18, 47, 46, 49), kGrey);
                        }, 32};
  I["gui_icon_load"] = {[](TCanvas& K) {
                          K.Fill(Polygon({{4, 12}, {24, 12}, {30, 18}, {56, 18}, {56, 54}, {4, 54}}), Rgb(200, 150, 50));
                          K.Fill(Polygon({{12, 26}, {62, 26}, {54, 54}, {4, 54}}), Rgb(250, 200, 90));
                        }, 32};
  I["gui_icon_stats"] = {[](TCanvas& K) {
                           K.Fill(Rect(6, 6, 10, 58), kWhite);
                           K.Fill(Rect(6, 54, 60, 58), kWhite);
                           const float Heights[] = {18, 30, 24, 40};
                           const TColor Colors[] = {kBlue, kGreen, kYellow, kRed};
                           for (int B = 0; B < 4; ++B) K.Fill(Rect(14 + B * 11.0f, 52 - Heights[B], 22 + B * 11.0f, 52), Colors[B]);
                         }, 32};
  I["gui_icon_quit"] = {[](TCanvas& K) {
                          K.Fill(Minus(Ring(32, 35, 24, 18), Polygon({{32, 35}, {14, 0}, {50, 0}})), kRed);
                          K.Fill(Line(32, 6, 32, 32, 7), kRed);
                        }, 32};
  I["gui_icon_staff"] = {[](TCanvas& K) {
                           Person(K, 16, 30, 0.75f, Rgb(120, 170, 230));
                           Person(K, 48, 30, 0.75f, Rgb(120, 170, 230));
                           Person(K, 32, 32, 0.95f, Rgb(190, 220, 250));
                         }, 32};
  I["gui_icon_project"] = {[](TCanvas& K) {
                             K.Fill(Polygon({{26, 50}, {20, 60}, {32, 56}, {44, 60}, {38, 50}}), Rgb(250, 140, 40));
                             K.Fill(Ellipse(32, 30, 10, 24), kWhite);
                             K.Fill(Polygon({{22, 36}, {12, 52}, {24, 48}}), kRed);
                             K.Fill(Polygon({{42, 36}, {52, 52}, {40, 48}}), kRed);
                             K.Fill(Circle(32, 24, 5), kBlue);
                           }, 32};
  I["gui_icon_settings"] = {[](TCanvas& K) {
                              std::vector<std::pair<float, float>> Gear;
                              for (int T = 0; T < 32; ++T) {
                                const float A = T * 3.14159265f * 2 / 32, R = (T / 2) % 2 ? 21.0f : 28.0f;
                                Gear.emplace_back(32 + R * std::cos(A), 32 + R * std::sin(A));
                              }
                              K.Fill(Minus(Polygon(Gear), Circle(32, 32, 9)), kGrey);
                            }, 32};
  I["lang_ger"] = {[](TCanvas& K) {
                     K.Fill(Rect(4, 14, 60, 26), Rgb(20, 20, 20));
                     K.Fill(Rect(4, 26, 60, 38), Rgb(210, 30, 30));
                     K.Fill(Rect(4, 38, 60, 50), Rgb(250, 200, 20));
                   }, 32};
  I["lang_eng"] = {[](TCanvas& K) {
                     K.Fill(Rect(4, 14, 60, 50), Rgb(30, 50, 130));
                     K.Fill(Line(4, 14, 60, 50, 6), kWhite);
                     K.Fill(Line(60, 14, 4, 50, 6), kWhite);
                     K.Fill(Rect(4, 27, 60, 37), kWhite);
                     K.Fill(Rect(27, 14, 37, 50), kWhite);
                     K.Fill(Rect(4, 29, 60, 35), Rgb(200, 30, 40));
                     K.Fill(Rect(29, 14, 35, 50), Rgb(200, 30, 40));
                   }, 32};
  return I;
}

// The small plus and minus signs after an effect (drawn 7 x 14).
TCanvas SignIcon(bool Plus) {
  TCanvas K(16, 32);
  K.Scale = 0.25f;  // drawn on a 64 x 128 grid
  const TColor C = Plus ? kGreen : kRed;
  K.Fill(Rect(8, 54, 56, 74), C);
  if (Plus) K.Fill(Rect(22, 40, 42, 88), C);
  K.Outline(1.0f, Rgb(10, 12, 16, 0.9f));
  return K;
}

// Pictures without an outline: backgrounds and plates.
// The name band of the research carousel is added onto the scene (blending one, one): its glow
// fades to black at the ends rather than to transparent.
TCanvas TechNameBackground() {
  TCanvas K(256, 32);
  K.Fill(Rect(0, 0, 256, 32), [](float X, float Y) {
    const float Edge = std::min(1.0f, std::min(X, 256 - X) / 48.0f), Middle = 1.0f - std::abs(Y - 16) / 16.0f;
    const float F = Edge * Edge * (0.35f + 0.65f * Middle);
    return TColor{0.12f * F, 0.28f * F, 0.5f * F, F};
  });
  K.Fill(Rect(24, 1, 232, 2.5f), TColor{0.35f, 0.55f, 0.8f, 1});
  K.Fill(Rect(24, 29.5f, 232, 31), TColor{0.35f, 0.55f, 0.8f, 1});
  return K;
}

TCanvas NoSignal() {
  TCanvas K(128, 128);
  for (int Y = 0; Y < 128; ++Y)
    for (int X = 0; X < 128; ++X) {
      const float V = 0.15f + 0.5f * Hash01(X / 2, Y, 7) * (0.7f + 0.3f * Hash01(0, Y / 3, 8));
      K.At(X, Y) = TColor{V, V, V * 1.05f, 1};
    }
  K.Fill(Rect(0, 54, 128, 74), Rgb(0, 0, 0, 0.6f));
  K.Fill(Line(64, 36, 64, 92, 5), kWhite);
  K.Fill(Polygon({{64, 40}, {48, 24}, {80, 24}}), kWhite);
  K.Fill(Line(40, 40, 88, 88, 6), kRed);
  return K;
}

// ------------------------------------------------------------------------------ large pictures

TCanvas Backdrop(TColor Inner, TColor Outer, int W = 128, int H = 128) {
  TCanvas K(W, H);
  K.Fill(Rect(0, 0, static_cast<float>(W), static_cast<float>(H)), [=](float X, float Y) {
    const float DX = X / W - 0.5f, DY = Y / H - 0.45f;
    return Mix(Inner, Outer, std::clamp(std::sqrt(DX * DX + DY * DY) * 1.6f, 0.0f, 1.0f));
  });
  return K;
}

// Draws an icon-style drawing (on the 64 grid) into a large picture.
void Emblem(TCanvas& K, const TIcon& Draw, int X, int Y, int Size) {
  K.Draw(IconCanvas(Draw, Size, 2.0f), X, Y, Size, Size);
}

std::map<std::string, TCanvas> DialogPictures() {
  std::map<std::string, TCanvas> D;
  {
    TCanvas K = Backdrop(Rgb(90, 70, 30), Rgb(20, 16, 10));
    Emblem(K, [](TCanvas& C) {
      C.Fill(RoundRect(4, 6, 60, 58, 4), TColor{0, 0, 0, 0});
      C.Fill(Polygon({{32, 4}, {62, 58}, {2, 58}}), kYellow);
      C.Fill(Line(32, 22, 32, 42, 6), kDark);
      C.Fill(Circle(32, 50, 3.5f), kDark);
    }, 8, 8, 112);
    D.emplace("dialog_warning", std::move(K));
  }
  {
    TCanvas K = Backdrop(Rgb(70, 60, 30), Rgb(16, 14, 8));
    Emblem(K, [](TCanvas& C) {
      for (int I = 0; I < 3; ++I) C.Fill(Ellipse(28, 50 - I * 7.0f, 18, 6), I % 2 ? Rgb(230, 170, 40) : kGold);
      MinusBadge(C, 48, 20, kRed);
    }, 8, 8, 112);
    D.emplace("dialog_notenoughres", std::move(K));
  }
  {
    TCanvas K = Backdrop(Rgb(50, 50, 56), Rgb(8, 8, 10));
    Emblem(K, [](TCanvas& C) {
      C.Fill(Line(12, 58, 50, 10, 4), Rgb(140, 110, 80));
      C.Fill(Polygon({{48, 12}, {60, 36}, {38, 40}, {30, 26}}), Rgb(90, 90, 96));
      C.Fill(Rect(4, 56, 60, 60), Rgb(80, 70, 60));
    }, 8, 8, 112);
    D.emplace("dialog_nation_dead", std::move(K));
  }
  {
    TCanvas K = Backdrop(Rgb(110, 50, 20), Rgb(20, 8, 4));
    Emblem(K, [](TCanvas& C) {
      C.Fill(Star(32, 36, 28, 12, 12), Rgb(240, 110, 30));
      C.Fill(Star(32, 36, 17, 8, 9, -60), kYellow);
      C.Fill(Rect(10, 56, 54, 62), Rgb(70, 60, 55));
      C.Fill(Rect(16, 50, 26, 56), Rgb(70, 60, 55));
    }, 8, 8, 112);
    D.emplace("dialog_spy_sabotagedone", std::move(K));
  }
  {
    TCanvas K = Backdrop(Rgb(50, 54, 64), Rgb(8, 8, 12));
    Emblem(K, [](TCanvas& C) {
      Person(C, 32, 30, 1.2f, Rgb(70, 74, 84));
      C.Fill(Ellipse(32, 13, 22, 4), Rgb(40, 40, 46));
      for (int B = 0; B < 5; ++B) C.Fill(Rect(6 + B * 12.0f, 2, 10 + B * 12.0f, 62), kGrey);
      C.Fill(Rect(4, 2, 60, 6), kGrey);
    }, 8, 8, 112);
    D.emplace("dialog_spy_captured", std::move(K));
  }
  {
    TCanvas K = Backdrop(Rgb(40, 90, 40), Rgb(8, 20, 8));
    Emblem(K, [](TCanvas& C) {
      Sword(C, 54, 58, 14, 12, Rgb(220, 225, 235));
      Sword(C, 10, 58, 50, 12, Rgb(220, 225, 235));
      C.Fill(Star(32, 14, 11, 5, 5), kGold);
    }, 8, 8, 112);
    D.emplace("dialog_battlevictory", std::move(K));
  }
  {
    TCanvas K = Backdrop(Rgb(90, 30, 30), Rgb(18, 6, 6));
    Emblem(K, [](TCanvas& C) {
      C.Fill(Line(46, 12, 32, 30, 5), Rgb(180, 185, 195));
      C.Fill(Line(28, 36, 14, 54, 5), Rgb(180, 185, 195));
      C.Fill(Line(20, 44, 8, 34, 4), kGold);
      C.Fill(Line(14, 54, 8, 60, 5), Rgb(120, 80, 40));
    }, 8, 8, 112);
    D.emplace("dialog_battledefeat", std::move(K));
  }
  return D;
}

TCanvas TechnologyPicture() {
  TCanvas K = Backdrop(Rgb(30, 70, 110), Rgb(6, 12, 24));
  for (int L = 0; L < 8; ++L) K.Fill(Rect(0, L * 16.0f, 128, L * 16.0f + 0.6f), TColor{0.5f, 0.8f, 1.0f, 0.15f});
  for (int L = 0; L < 8; ++L) K.Fill(Rect(L * 16.0f, 0, L * 16.0f + 0.6f, 128), TColor{0.5f, 0.8f, 1.0f, 0.15f});
  Emblem(K, [](TCanvas& C) {
    std::vector<std::pair<float, float>> Gear;
    for (int T = 0; T < 40; ++T) {
      const float A = T * 3.14159265f * 2 / 40, R = (T / 2) % 2 ? 20.0f : 26.0f;
      Gear.emplace_back(32 + R * std::cos(A), 32 + R * std::sin(A));
    }
    C.Fill(Minus(Polygon(Gear), Circle(32, 32, 9)), Rgb(170, 190, 215));
    for (float A : {0.0f, 60.0f, 120.0f}) C.Fill(Minus(Ellipse(32, 32, 16, 6, A), Ellipse(32, 32, 13.5f, 3.8f, A)), Rgb(120, 220, 255));
    C.Fill(Circle(32, 32, 3.5f), kWhite);
  }, 10, 10, 108);
  return K;
}

// Enough portraits that the fifteen offers of one kind seldom share a face.
constexpr int kPortraitsPerKind = 24;

// A head-and-shoulders portrait; Kind 0 scientist, 1 general, 2 spy. The index picks skin,
// face, hair, beard, glasses, headgear and background, each from its own hash.
TCanvas Portrait(int Kind, int Index) {
  const TColor Skins[] = {Rgb(240, 205, 180), Rgb(215, 170, 130), Rgb(170, 120, 85), Rgb(120, 80, 55), Rgb(250, 220, 195), Rgb(200, 150, 110)};
  const TColor Hairs[] = {Rgb(40, 30, 25), Rgb(120, 80, 40), Rgb(200, 170, 110), Rgb(150, 150, 150), Rgb(80, 40, 20), Rgb(20, 20, 22), Rgb(225, 225, 225)};
  const TColor Backs[] = {Rgb(60, 90, 130), Rgb(70, 100, 70), Rgb(60, 60, 70)};
  auto Pick = [&](int Choices, int Slot) { return std::min(Choices - 1, static_cast<int>(Hash01(Index, Kind, Slot) * Choices)); };
  const TColor Skin = Skins[Pick(6, 1)], Hair = Hairs[Pick(7, 2)];
  const int HairStyle = Pick(4, 3);  // 0 short, 1 long, 2 side parting, 3 bald
  const bool Beard = Kind != 2 && Pick(4, 4) == 0, Glasses = Kind == 0 ? Pick(2, 5) == 0 : Kind == 2 && Pick(2, 5) == 0;
  const bool Hat = Kind == 1 || (Kind == 2 && Pick(2, 6) == 0);
  const float FaceWidth = 10.5f + 2.0f * Hash01(Index, Kind, 7), FaceHeight = 13.0f + 2.0f * Hash01(Index, Kind, 8);
  TCanvas K = Backdrop(Mix(Backs[Kind], Rgb(255, 255, 255), 0.15f + 0.2f * Hash01(Index, Kind, 9)), Backs[Kind], 64, 64);
  // Body and clothes.
  const TColor Coat = Kind == 0   ? Rgb(235, 235, 235)
                      : Kind == 1 ? Rgb(70 + Pick(3, 10) * 12, 95 + Pick(2, 11) * 10, 65)
                                  : Rgb(35 + Pick(3, 10) * 10, 35 + Pick(3, 10) * 10, 45);
  if (HairStyle == 1 && !Hat) K.Fill(RoundRect(32 - FaceWidth - 4, 16, 32 + FaceWidth + 4, 50, 12), Hair);
  K.Fill(RoundRect(8, 46, 56, 80, 14), Coat);
  K.Fill(Rect(28, 38, 36, 50), Mix(Skin, Rgb(0, 0, 0), 0.12f));
  if (Kind == 0) K.Fill(Polygon({{26, 47}, {38, 47}, {32, 60}}), Rgb(60 + Pick(5, 12) * 30, 90, 150));
  if (Kind == 1) {
    K.Fill(Rect(10, 50, 20, 53), kGold);
    K.Fill(Rect(44, 50, 54, 53), kGold);
    for (int M = 0; M <= Pick(4, 12); ++M) K.Fill(Rect(37 + M * 4.0f, 56, 40 + M * 4.0f, 60), M % 2 ? kRed : kBlue);
  }
  if (Kind == 2) {
    K.Fill(Polygon({{26, 46}, {38, 46}, {32, 62}}), kWhite);
    K.Fill(Polygon({{30, 48}, {34, 48}, {32, 60}}), Pick(2, 12) ? Rgb(20, 20, 24) : Rgb(130, 30, 30));
  }
  // Head.
  K.Fill(Ellipse(32, 29, FaceWidth, FaceHeight), Skin);
  K.Fill(Ellipse(32 - FaceWidth - 0.5f, 30, 2.5f, 4), Skin);
  K.Fill(Ellipse(32 + FaceWidth + 0.5f, 30, 2.5f, 4), Skin);
  K.Fill(Circle(27.5f, 29, 1.5f), kDark);
  K.Fill(Circle(36.5f, 29, 1.5f), kDark);
  K.Fill(Line(25, 25.5f, 30, 25 - Hash01(Index, Kind, 13), 1.2f), Mix(Hair, kDark, 0.4f));
  K.Fill(Line(34, 25 - Hash01(Index, Kind, 14), 39, 25.5f, 1.2f), Mix(Hair, kDark, 0.4f));
  K.Fill(Line(29, 37.5f, 35, 37.5f, 1.4f), Mix(Skin, Rgb(120, 40, 40), 0.5f));
  if (Beard) K.Fill(Minus(Ellipse(32, 36, FaceWidth - 0.5f, 8), Ellipse(32, 33, FaceWidth - 3.5f, 6)), Hair);
  // Hair or headgear.
  if (Kind == 1) {
    K.Fill(Polygon({{18, 22}, {46, 22}, {44, 10}, {20, 10}}), Rgb(60, 80, 50));
    K.Fill(Ellipse(32, 22, 15, 3), Rgb(25, 30, 20));
    K.Fill(Star(32, 15, 4, 1.8f, 5), kGold);
  } else if (Hat) {
    K.Fill(Ellipse(32, 19, 20, 3.5f), Rgb(35, 35, 40));
    K.Fill(RoundRect(22, 8, 42, 19, 4), Rgb(35, 35, 40));
    K.Fill(Rect(22, 15, 42, 17), Pick(2, 15) ? Rgb(120, 30, 30) : Rgb(90, 90, 96));
  } else if (HairStyle == 2) {
    K.Fill(Minus(Ellipse(32, 22, FaceWidth + 1.5f, 9), Rect(18, 25, 46, 40)), Hair);
    K.Fill(Ellipse(26, 21, 7, 4, -15), Hair);
  } else if (HairStyle != 3) {
    K.Fill(Minus(Ellipse(32, 22, FaceWidth + 1.5f, 9), Rect(18, 25, 46, 40)), Hair);
  }
  if (Glasses && Kind == 0) {
    K.Fill(Ring(27.5f, 29, 4, 3), kDark);
    K.Fill(Ring(36.5f, 29, 4, 3), kDark);
    K.Fill(Rect(31, 28.5f, 33, 29.5f), kDark);
  }
  if (Glasses && Kind == 2) {
    K.Fill(RoundRect(23, 26.5f, 31, 31.5f, 2), kDark);
    K.Fill(RoundRect(33, 26.5f, 41, 31.5f, 2), kDark);
    K.Fill(Rect(30, 27.5f, 34, 28.5f), kDark);
  }
  return K;
}

void Write(const fs::path& Path, const std::string& Bytes) {
  fs::create_directories(Path.parent_path());
  if (auto Old = ReadWholeFile(Path); Old && *Old == Bytes) return;  // keep the time stamp
  std::string Error;
  if (!SafeWriteFile(Path, Bytes, &Error)) throw std::runtime_error(Error);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tarnova-skinart <output root> <font file>\n";
    return 2;
  }
  try {
    const fs::path Tex = fs::path(argv[1]) / "data" / "tex";
    const fs::path Plain = Tex / "nocompression", OnDemand = Tex / "ondemand", Pictures = OnDemand / "nocompression";
    int Count = 0;
    auto Put = [&](const fs::path& Folder, const std::string& Name, const TCanvas& K) {
      Write(Folder / (Name + ".png"), K.PNG());
      ++Count;
    };
    Put(Plain, "gui_interface",
        FrameSkin({Rgb(150, 170, 205), Rgb(10, 14, 22), Rgb(26, 34, 50, 0.92f), Rgb(16, 22, 34, 0.94f), Rgb(84, 108, 150),
                   Rgb(34, 46, 72), Rgb(190, 210, 240)}));
    Put(Plain, "gui_interface_light",
        FrameSkin({Rgb(130, 150, 185), Rgb(30, 38, 52), Rgb(58, 70, 92, 0.80f), Rgb(44, 54, 74, 0.84f), Rgb(100, 120, 160),
                   Rgb(60, 74, 100), Rgb(200, 215, 240)}));
    Put(Plain, "gui_button", ButtonSkin());
    Put(Plain, "gui_edit", EditSkin());
    Put(Plain, "gui_trackbar", TrackBarSkin());
    Put(Plain, "gui_gauge", GaugeSkin());
    for (auto& [Name, Icon] : Icons()) Put(Plain, Name, IconCanvas(Icon.first, Icon.second));
    Put(Plain, "research_technamebg", TechNameBackground());
    Put(Plain, "icon_effect_plus", SignIcon(true));
    Put(Plain, "icon_effect_minus", SignIcon(false));
    Put(Plain, "espionage_nosignal", NoSignal());
    for (auto& [Name, Picture] : DialogPictures()) Put(OnDemand, Name, Picture);
    Put(Pictures, "technology_default", TechnologyPicture());
    const char* Kinds[] = {"staff_scientist_", "staff_general_", "staff_spy_"};
    for (int Kind = 0; Kind < 3; ++Kind)
      for (int I = 1; I <= kPortraitsPerKind; ++I) Put(Pictures, Kinds[Kind] + std::to_string(I), Portrait(Kind, I));
    for (auto& [Name, Picture] : ScreenPictures(argv[2])) Put(Pictures, Name, Picture);
    std::cout << "tarnova-skinart: " << Count << " pictures into \"" << Tex.string() << "\"\n";
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "tarnova-skinart: " << E.what() << '\n';
    return 1;
  }
}
